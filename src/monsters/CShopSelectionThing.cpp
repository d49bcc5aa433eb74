#include "monsters/CShopSelectionThing.h"

#include "vorn/ui/CButtonWidget.h"
#include "vorn/ui/CDesktopWidget.h"

namespace monsters {

using vorn::types_rect;

const char* const CShopSelectionThing::BACKGROUND_FILE = "data/gfx/shop_selection_background.jpg";

CShopSelectionThing::CShopSelectionThing()
    : CWidget(vorn::ui::CDesktopWidget::GetSingleton(), types_rect(0, 0, 800, 600), false,
              "Dialog Window", BACKGROUND_FILE),
      myShopButton(new vorn::ui::CButtonWidget(this, types_rect(105, 334, 225, 121), true,
                                               "ok_button", "data/gfx/shop_toshopbutton.xml")),
      myFightButton(new vorn::ui::CButtonWidget(this, types_rect(538, 346, 173, 98), true,
                                                "ok_button", "data/gfx/shop_tofightbutton.xml")) {
    myShopButton->GetClickSignal().Connect(this, &CShopSelectionThing::OnToShop);
    myFightButton->GetClickSignal().Connect(this, &CShopSelectionThing::OnToFight);
}

}  // namespace monsters
