#include "monsters/CUglySlashScreen.h"

#include "vorn/gfx/CAnimationUpdator.h"
#include "vorn/gfx/CExternalAnimator.h"
#include "vorn/gfx/CSprite.h"
#include "vorn/gfx/CSpriteFactory.h"
#include "vorn/input/CMouse.h"

namespace monsters {

const char* const CUglySlashScreen::BACKDROP_FILE = "data/gfx/blackdrop.png";
const char* const CUglySlashScreen::TITLE_FILE = "data/gfx/title_screen.xml";

CUglySlashScreen::CUglySlashScreen() {
    vorn::CSpriteFactory* sprites = vorn::CSpriteFactory::GetSingleton();
    myBackdrop.reset(sprites->LoadSprite(BACKDROP_FILE));
    myBackdrop->Resize(800, 600);
    myTitle.reset(sprites->LoadSprite(TITLE_FILE));
    myTitle->SetAlpha(0);
    // sin(t * 3.14) * 2, clamped: in over the first sixth, out over the last.
    vorn::CAnimationUpdator* updator = vorn::CAnimationUpdator::GetSingleton();
    updator->AddAnimator(
        new vorn::CExternalAnimator(new vorn::CSpriteSetAlphaUpdator(myTitle.get(), 255, 1),
                                    updator->GetTime(), DURATION_MS, "sin(t*3.14)*2", true));
    vorn::CMouse::GetSingleton()->AddGlobal(this);
}

CUglySlashScreen::~CUglySlashScreen() {
    if (vorn::CMouse* mouse = vorn::CMouse::PeekSingleton()) mouse->Remove(this);
}

void CUglySlashScreen::OnMouseButtonDown(int) {
    myDone = true;
}

void CUglySlashScreen::Update() {
    if (myTimer.GetTime() > DURATION_MS) myDone = true;
}

}  // namespace monsters
