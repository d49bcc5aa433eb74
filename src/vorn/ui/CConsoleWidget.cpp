#include "vorn/ui/CConsoleWidget.h"

#include <algorithm>

#include "vorn/gfx/CFont.h"
#include "vorn/gfx/CLotsATextSprite.h"
#include "vorn/gfx/CScreenLayer.h"
#include "vorn/gfx/CSystemFontLoader.h"
#include "vorn/ui/CLogListenerForConsole.h"

namespace vorn::ui {

CConsoleWidget::CConsoleWidget() {
    Build(nullptr, nullptr);
}

CConsoleWidget::CConsoleWidget(CWidget* parent, const std::string& name,
                               const std::shared_ptr<CLogListenerForConsole>& lines)
    : CWidget(parent, types_rect(0, 0, DEFAULT_WIDTH, DEFAULT_HEIGHT), true, name, "") {
    Build(parent, lines);
}

CConsoleWidget::~CConsoleWidget() = default;

void CConsoleWidget::Build(CWidget* parent, const std::shared_ptr<CLogListenerForConsole>& lines) {
    myLines = lines ? lines : std::make_shared<CLogListenerForConsole>();
    if (!parent) SetRect(types_rect(0, 0, DEFAULT_WIDTH, DEFAULT_HEIGHT));
    auto* font = new CFont;
    CSystemFontLoader(font, "");
    auto* sprite = new CLotsATextSprite(DEFAULT_WIDTH, DEFAULT_HEIGHT);
    myDrawer = new CConsoleTextDrawer(myLines, font);
    myDrawer->SetWidth(DEFAULT_WIDTH);
    sprite->SetDrawer(myDrawer);
    sprite->SetLayer(CScreenLayer::GetSingleton());
    SetSprite(CSmartPtr<CSprite>(sprite));
    // A console on its own keeps its size; in a window it fills the client
    // area above the input line.
    if (parent) SetLayout("parent.x", "parent.y", "parent.w", "parent.h - 20");
}

void CConsoleWidget::UpdateSprite() {
    CWidget::UpdateSprite();
    if (myDrawer) myDrawer->SetWidth(GetRect().w);
}

float CConsoleWidget::GetScrollFactor() const {
    const auto* sprite = static_cast<const CLotsATextSprite*>(GetSprite());
    return sprite ? sprite->GetScrollFactor() : 1.0f;
}

void CConsoleWidget::OnMouseEvent(CMouseEvent& event) {
    if (event.type != EVENT_MOUSE_BUTTON_DOWN) return;
    const bool up = event.buttons & BUTTON_WHEEL_UP;
    const bool down = event.buttons & BUTTON_WHEEL_DOWN;
    auto* sprite = static_cast<CLotsATextSprite*>(GetSprite());
    if ((!up && !down) || !sprite || !myDrawer) return;
    const int spare = myDrawer->GetTotalHeight() - GetRect().h;
    if (spare <= 0) return;
    const float step = float(WHEEL_ROWS * myDrawer->GetLineHeight()) / float(spare);
    const float factor = sprite->GetScrollFactor() + (up ? -step : step);
    sprite->SetScrollFactor(std::clamp(factor, 0.0f, 1.0f));
    sprite->Run();  // at once rather than on the next background step
}

}  // namespace vorn::ui
