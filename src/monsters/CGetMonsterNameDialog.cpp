#include "monsters/CGetMonsterNameDialog.h"

#include <cstring>

#include "vorn/console/CLog.h"
#include "vorn/ui/CButtonWidget.h"
#include "vorn/ui/CDesktopWidget.h"
#include "vorn/ui/CTextInputWidget.h"

namespace monsters {

using vorn::types_rect;

const char* const CGetMonsterNameDialog::BACKGROUND_FILE = "data/gfx/dialog_entername.png";

CGetMonsterNameDialog::CGetMonsterNameDialog()
    : CWidget(vorn::ui::CDesktopWidget::GetSingleton(), types_rect(75, 135, 654, 330), false,
              "Dialog Window", BACKGROUND_FILE),
      myOkButton(new vorn::ui::CButtonWidget(this, types_rect(483, 241, 146, 62), true, "ok_button",
                                             "data/gfx/editor_okbutton.xml")),
      myTextField(new vorn::ui::CTextInputWidget(this, types_rect(60, 156, 145, 75), true,
                                                 "test_button", "data/gfx/text_input.xml", "",
                                                 "data/gui/text_cursor.png")) {
    myOkButton->GetClickSignal().Connect(this, &CGetMonsterNameDialog::OnOk);
    myTextField->GetReturnSignal().Connect(this, &CGetMonsterNameDialog::OnOk);
}

bool CGetMonsterNameDialog::IsValidName(const std::string& name) {
    if (name.empty() || name.size() > size_t(MAX_NAME_LENGTH)) return false;
    if (name.front() == '.' || name.front() == ' ' || name.back() == ' ') return false;
    for (char c : name) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte < 32 || byte == 127 || std::strchr("\\/:*?\"<>|", c)) return false;
    }
    return true;
}

void CGetMonsterNameDialog::FocusTextField() {
    vorn::ui::CFocusEvent focus(8, FIELD_POINT_X, FIELD_POINT_Y);
    vorn::ui::CDesktopWidget::GetSingleton()->HandleEvent(focus);
}

void CGetMonsterNameDialog::OnOk() {
    if (myDone) return;
    const std::string text = myTextField->GetText();
    if (!IsValidName(text)) {
        vorn::CLog::GetSingleton()->Printf("Name refused: \"%s\"\n", text.c_str());
        FocusTextField();
        return;
    }
    myName = text;
    myDone = true;
}

}  // namespace monsters
