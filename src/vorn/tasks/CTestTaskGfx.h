#pragma once

#include <memory>
#include <string>
#include <vector>

#include "vorn/tasks/CTask.h"
#include "vorn/utils/timer/CTimer.h"

namespace vorn {

class CSliderSprite;
class CSprite;

// Task type "gfxtest": the engine's visual showcase. It loads the sprite files
// of data/gfxtest/ (a background, an animated gem, a rotating gear, a slider,
// a fading logo and a text sprite in each alignment) and moves them, so a
// person can see that the renderer works.
//
// Start parameters (both optional): a frame count and a file name. After that
// many frames drawn by the graphics task it saves a screenshot to the file
// and quits the program; scripted checks use this.
//   starttask(gfxtest, gfxtest, 500, 30, "shot.bmp")
// With no graphics task running to draw for it, it logs an error and stops
// itself, and when it was given a frame count it also quits the program, so
// that a script waiting for it ends.
class CTestTaskGfx : public CTask {
public:
    CTestTaskGfx();
    ~CTestTaskGfx() override;

    bool Init(CVariableList* params) override;
    bool Init() override;
    void Update() override;
    void Exit() override;

    static constexpr const char* DATA_FOLDER = "data/gfxtest/";

private:
    CSprite* Load(const std::string& name);
    void Animate(uint32_t ms);
    unsigned long DrawnFrames() const;
    void SaveScreenshotAndQuit();

    std::vector<std::unique_ptr<CSprite>> mySprites;
    CSprite* myGem = nullptr;
    CSprite* myGear = nullptr;
    CSprite* myLogo = nullptr;
    CSliderSprite* mySlider = nullptr;
    CTimer myTimer;
    unsigned long myFramesWanted = 0;
    unsigned long myFirstFrame = 0;
    std::string myScreenshot;
    bool myDone = false;
};

}  // namespace vorn
