#pragma once

#include "vorn/ui/CWidget.h"

namespace vorn::ui {
class CButtonWidget;
}

namespace monsters {

// Where the player goes next: a full-screen window on the UI desktop with a
// button to the workshop (the editor) and one to the next fight. The game
// reads the result and destroys the window.
class CShopSelectionThing : public vorn::ui::CWidget {
public:
    enum Result { RESULT_NONE = 0, RESULT_EDITOR = 1, RESULT_FIGHT = 2 };
    static const char* const BACKGROUND_FILE;  // "data/gfx/shop_selection_background.jpg"

    // A child of the UI desktop named "Dialog Window".
    CShopSelectionThing();

    int GetResult() const { return myResult; }
    void OnToShop() { myResult = RESULT_EDITOR; }
    void OnToFight() { myResult = RESULT_FIGHT; }

    vorn::ui::CButtonWidget* GetShopButton() const { return myShopButton; }
    vorn::ui::CButtonWidget* GetFightButton() const { return myFightButton; }

private:
    int myResult = RESULT_NONE;
    vorn::ui::CButtonWidget* myShopButton;
    vorn::ui::CButtonWidget* myFightButton;
};

}  // namespace monsters
