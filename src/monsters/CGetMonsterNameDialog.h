#pragma once

#include <string>

#include "vorn/ui/CWidget.h"

namespace vorn::ui {
class CButtonWidget;
class CTextInputWidget;
}  // namespace vorn::ui

namespace monsters {

// Asks the player's name: a panel on the UI desktop with a text field and an
// OK button. OK (or Return in the field) accepts a valid name and marks the
// dialog done; an invalid one gives the field the focus again. The owner
// reads the name and destroys the dialog.
class CGetMonsterNameDialog : public vorn::ui::CWidget {
public:
    static const char* const BACKGROUND_FILE;   // "data/gfx/dialog_entername.png"
    static constexpr int MAX_NAME_LENGTH = 32;  // bytes
    // The screen point inside the text field that a focus request aims at.
    static constexpr int FIELD_POINT_X = 276;
    static constexpr int FIELD_POINT_Y = 304;

    // A child of the UI desktop named "Dialog Window".
    CGetMonsterNameDialog();

    // Names are refused when empty, when they hold any of \ / : * ? " < > |
    // or a control character, start with a dot or a blank, end with a blank,
    // or are longer than MAX_NAME_LENGTH bytes: a name becomes a file name.
    static bool IsValidName(const std::string& name);
    // Sends the desktop a focus request at the text field's point.
    static void FocusTextField();

    // The OK step (button click, Return).
    void OnOk();

    bool IsDone() const { return myDone; }
    const std::string& GetPlayerName() const { return myName; }
    vorn::ui::CTextInputWidget* GetTextField() const { return myTextField; }
    vorn::ui::CButtonWidget* GetOkButton() const { return myOkButton; }

private:
    bool myDone = false;
    std::string myName;
    vorn::ui::CButtonWidget* myOkButton;
    vorn::ui::CTextInputWidget* myTextField;
};

}  // namespace monsters
