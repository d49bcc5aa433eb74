#include "vorn/input/CGuiElement.h"

#include "vorn/input/CMouse.h"

namespace k4gui {

namespace {

constexpr int LEFT_BUTTON = 1;

}  // namespace

CGuiElement::CGuiElement(vorn::CSprite* sprite) : mySprite(sprite) {
    vorn::CMouse::GetSingleton()->AddMouseable(this);
}

CGuiElement::~CGuiElement() {
    if (vorn::CMouse* mouse = vorn::CMouse::PeekSingleton()) mouse->Remove(this);
    delete mySprite;
}

vorn::types_rect CGuiElement::GetRect() const {
    return mySprite ? mySprite->GetRect() : vorn::types_rect();
}

int CGuiElement::GetZ() const {
    return mySprite ? mySprite->GetZ() : 0;
}

void CGuiElement::OnMouseMove(int x, int y) {
    if (myDragging && mySprite) mySprite->MoveTo(x + myGrabX, y + myGrabY);
}

void CGuiElement::OnMouseButtonDown(int button) {
    if (button != LEFT_BUTTON || !myDraggable || !mySprite) return;
    vorn::CMouse* mouse = vorn::CMouse::GetSingleton();
    myDragging = true;
    myGrabX = mySprite->GetX() - mouse->GetX();
    myGrabY = mySprite->GetY() - mouse->GetY();
    mouse->AddGlobal(this);
}

void CGuiElement::OnMouseButtonUp(int button) {
    if (button != LEFT_BUTTON || !myDraggable) return;
    myDragging = false;
    vorn::CMouse::GetSingleton()->RemoveGlobal(this);
}

}  // namespace k4gui
