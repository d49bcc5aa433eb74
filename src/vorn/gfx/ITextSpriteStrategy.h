#pragma once

namespace vorn {

class IPixel;

// How a text sprite gets its text onto the screen. A pre-rendering strategy
// draws the text into a surface of the sprite's own; the immediate one draws
// it straight onto the target at every draw.
class ITextSpriteStrategy {
public:
    virtual ~ITextSpriteStrategy() = default;
    // The sprite's own surface of w x h (caller owns it).
    virtual IPixel* CreateSurface(int w, int h) = 0;
    virtual bool PreRenders() const = 0;
};

// Draws the text onto the target at every draw; the sprite's own image stays
// the null surface.
class CTextSpriteStrategyImmediateMode : public ITextSpriteStrategy {
public:
    IPixel* CreateSurface(int w, int h) override;
    bool PreRenders() const override { return false; }
};

}  // namespace vorn
