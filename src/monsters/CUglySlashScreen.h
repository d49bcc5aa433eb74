#pragma once

#include <cstdint>
#include <memory>

#include "vorn/input/IMouseable.h"
#include "vorn/utils/timer/CTimer.h"

namespace vorn {
class CSprite;
}

namespace monsters {

// The title screen: the title fades in over a black backdrop, stays, and
// fades out; it is done after DURATION_MS or at the first mouse press.
// It listens to the mouse (globally) from construction to destruction.
class CUglySlashScreen : public vorn::CMouseableImpl {
public:
    static constexpr uint32_t DURATION_MS = 3000;
    static const char* const BACKDROP_FILE;  // "data/gfx/blackdrop.png"
    static const char* const TITLE_FILE;     // "data/gfx/title_screen.xml"

    CUglySlashScreen();
    ~CUglySlashScreen() override;
    CUglySlashScreen(const CUglySlashScreen&) = delete;
    CUglySlashScreen& operator=(const CUglySlashScreen&) = delete;

    void OnMouseButtonDown(int button) override;

    // Once per frame: marks the screen done when its time is up.
    void Update();
    bool IsDone() const { return myDone; }
    vorn::CSprite* GetTitle() const { return myTitle.get(); }

private:
    vorn::CTimer myTimer;
    std::unique_ptr<vorn::CSprite> myBackdrop;
    std::unique_ptr<vorn::CSprite> myTitle;
    bool myDone = false;
};

}  // namespace monsters
