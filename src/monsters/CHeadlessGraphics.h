#pragma once

#include <memory>

namespace vorn {
class CGfxFactory;
}

namespace monsters {

// The graphics of a fight without a window (the fight runner, benchmarks):
// while it lives, and unless a back end already installed its factory, every
// surface is the engine's null surface, made without a warning per image.
// Sprites still load, move and turn; nothing is drawn.
class CHeadlessGraphics {
public:
    CHeadlessGraphics();
    ~CHeadlessGraphics();
    CHeadlessGraphics(const CHeadlessGraphics&) = delete;
    CHeadlessGraphics& operator=(const CHeadlessGraphics&) = delete;

private:
    std::unique_ptr<vorn::CGfxFactory> myFactory;
    bool myInstalled = false;
};

}  // namespace monsters
