#include "vorn/tasks/CTestTaskGfx.h"

#include <cmath>

#include "vorn/console/CLog.h"
#include "vorn/console/CVariable.h"
#include "vorn/gfx/CAnimationUpdator.h"
#include "vorn/gfx/CExternalAnimator.h"
#include "vorn/gfx/CSliderSprite.h"
#include "vorn/gfx/CSprite.h"
#include "vorn/gfx/CSpriteFactory.h"
#include "vorn/tasks/CKernel.h"
#include "vorn/tasks/CTaskGfx.h"
#include "vorn/tasks/CTaskGfxSDL.h"
#include "vorn/tasks/CTaskWindowSDL.h"

namespace vorn {

namespace {

// The first live task of type T (running or parked), or null. A stopped
// task waits in the lists until the kernel's next clean-up: skip it.
template <class T>
T* FindRunning() {
    CKernel* kernel = CKernel::GetSingleton();
    for (const auto* list : {&kernel->GetRunningList(), &kernel->GetPausedList()})
        for (CTask* task : *list)
            if (auto* found = dynamic_cast<T*>(task))
                if (!task->IsStopped()) return found;
    return nullptr;
}

constexpr float PI = 3.14159265f;

}  // namespace

CTestTaskGfx::CTestTaskGfx() = default;

CTestTaskGfx::~CTestTaskGfx() {
    Exit();
}

bool CTestTaskGfx::Init(CVariableList* params) {
    if (params && params->IsType(0, CVariable::TYPE_NUMBER)) {
        const double frames = params->GetNumber(0);
        myFramesWanted = frames > 0 && frames < 1e9 ? static_cast<unsigned long>(frames) : 0;
        params->RemoveFirst();
    }
    if (params && params->IsType(0, CVariable::TYPE_STRING)) myScreenshot = params->GetString(0);
    if (myFramesWanted > 0 && myScreenshot.empty()) myScreenshot = "gfxtest.bmp";
    return Init();
}

bool CTestTaskGfx::Init() {
    Exit();
    myDone = false;
    Load("background.xml");
    myLogo = Load("logo.xml");
    myGem = Load("gem.xml");
    myGear = Load("gear.xml");
    for (const char* alignment : {"left", "center", "right", "justify"})
        Load(std::string("text_") + alignment + ".xml");
    mySlider = dynamic_cast<CSliderSprite*>(Load("slider.xml"));

    // The logo fades from invisible to opaque over two seconds, eased in.
    if (myLogo) {
        myLogo->SetAlpha(0);
        CAnimationUpdator* updator = CAnimationUpdator::GetSingleton();
        updator->AddAnimator(new CExternalAnimator(new CSpriteSetAlphaUpdator(myLogo, 255, 2),
                                                   updator->GetTime(), 2000, "t * t"));
    }
    myTimer.Reset();
    myFirstFrame = DrawnFrames();
    return true;
}

CSprite* CTestTaskGfx::Load(const std::string& name) {
    CSprite* sprite = CSpriteFactory::GetSingleton()->LoadSprite(DATA_FOLDER + name);
    if (!sprite) {
        CLog::GetSingleton()->Printf("[WARNING] gfxtest: could not load %s%s\n", DATA_FOLDER,
                                     name.c_str());
        return nullptr;
    }
    mySprites.emplace_back(sprite);
    return sprite;
}

void CTestTaskGfx::Animate(uint32_t ms) {
    const float seconds = ms / 1000.0f;
    // The gem glides to and fro, the gear turns, the slider breathes.
    if (myGem) myGem->MoveTo(60 + static_cast<int>(220 * (0.5f + 0.5f * std::sin(seconds))), 150);
    if (myGear) myGear->RotateAroundCenter(std::fmod(seconds * 0.8f, 2 * PI));
    if (mySlider) mySlider->SetValue(0.5f + 0.5f * std::sin(seconds * 1.7f));
}

unsigned long CTestTaskGfx::DrawnFrames() const {
    const CTaskGfx* gfx = FindRunning<CTaskGfx>();
    return gfx ? gfx->GetFrameCount() : 0;
}

void CTestTaskGfx::Update() {
    if (myDone) return;
    if (!FindRunning<CTaskGfx>()) {
        // Nothing draws for the showcase (no graphics task was started, or it
        // was stopped): waiting for frames would never end.
        myDone = true;
        CLog::GetSingleton()->Printf(
            "[ERROR] gfxtest: no graphics task is running to draw the showcase; %s\n",
            myFramesWanted > 0 ? "quitting without a screenshot" : "the showcase stops");
        if (myFramesWanted > 0) CKernel::GetSingleton()->Quit();
        CKernel::GetSingleton()->StopTask(this);
        return;
    }
    Animate(myTimer.GetTime());
    if (myFramesWanted > 0 && DrawnFrames() - myFirstFrame >= myFramesWanted)
        SaveScreenshotAndQuit();
}

void CTestTaskGfx::SaveScreenshotAndQuit() {
    myDone = true;
    CTaskWindowSDL* window = FindRunning<CTaskWindowSDL>();
    if (!window || !window->SaveScreenshot(myScreenshot))
        CLog::GetSingleton()->Printf("[ERROR] gfxtest: no screenshot saved to %s\n",
                                     myScreenshot.c_str());
    CKernel::GetSingleton()->Quit();
}

void CTestTaskGfx::Exit() {
    if (CAnimationUpdator* updator = CAnimationUpdator::PeekSingleton()) {
        for (const auto& sprite : mySprites)
            updator->RemoveAnimatorsOf(sprite.get());
    }
    myGem = myGear = myLogo = nullptr;
    mySlider = nullptr;
    mySprites.clear();
}

}  // namespace vorn
