#pragma once

#include <memory>

#include "vorn/gfx/CSprite.h"
#include "vorn/tasks/CFakeThread.h"

namespace vorn {

class IPixel;

// Draws a part of a long text (the console's history) into a surface.
class ILotsATextDrawer {
public:
    virtual ~ILotsATextDrawer() = default;
    // Height of the whole text in pixels.
    virtual int GetTotalHeight() const = 0;
    // Draws the part rect of the whole text (rect.y may be negative when the
    // text is shorter than the surface) into surface. True when anything
    // changed.
    virtual bool Draw(IPixel* surface, const types_rect& rect) = 0;
};

// A sprite showing a long scrolling text, redrawn into its own image in the
// background by a pseudo-thread step every 100 ms. The scroll factor picks
// the part shown: 1 the end of the text, 0 its start. Owned by its creator
// like any sprite (never Kill() it: the scheduler would delete it).
class CLotsATextSprite : public CSprite, public CFakeThread {
public:
    static constexpr uint32_t STEP_INTERVAL = 100;

    CLotsATextSprite(int w, int h);
    ~CLotsATextSprite() override;

    // One pseudo-thread step: draws the visible part when the drawer has
    // anything new.
    void Run() override;
    // A new image of the new size.
    void Resize(int w, int h) override;

    // Takes ownership of drawer.
    void SetDrawer(ILotsATextDrawer* drawer) { myDrawer.reset(drawer); }
    ILotsATextDrawer* GetDrawer() const { return myDrawer.get(); }
    void SetScrollFactor(float factor) { myScrollFactor = factor; }
    float GetScrollFactor() const { return myScrollFactor; }
    // The part of the whole text shown now.
    types_rect GetVisiblePart() const;

private:
    std::unique_ptr<ILotsATextDrawer> myDrawer;
    float myScrollFactor = 1.0f;
};

}  // namespace vorn
