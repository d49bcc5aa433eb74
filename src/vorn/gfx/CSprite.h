#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "vorn/utils/math/CRect.h"

namespace vorn {

class CSpriteLayer;
class CXmlArchive;
class IPixel;

// The unit of everything drawn: an image placed on a rectangle of its layer's
// target, with a depth (lower Z is in front), an opacity, a rotation and an
// optional clipping window (the scroll rect).
//
// Drawing protocol. A sprite joins a layer (SetLayer) and is then drawn by it.
// Under the dirty-rectangle screen layer a sprite keeps a copy of the pixels
// it covers (its background buffer): Redraw saves the background under the
// new place and draws; Erase copies the saved pixels back. Every setter that
// changes what the sprite shows first calls MarkDirty, which makes the layer
// erase the sprite (and everything in front of it) while it still looks as it
// was drawn; the change is stored after that, and the layer redraws on the
// next frame.
//
// Images. myLoadedImage is the image as loaded; myImage is what is shown: the
// loaded image itself, or a copy derived from it by Resize, SetRotation and
// SetAlpha, which combine in that order (scaled, then turned, then faded).
// The copy is made when it is first needed (drawn, or asked for with
// GetImage), not at every change: a sprite resized or turned several times
// between two frames scales or turns its pixels once. A sprite that turns
// again and again makes each turn in the surface of the one before
// (IPixel::RotateReusing). Width and height follow
// each change at once. The sprite owns both images and its background
// buffer, and frees them through Gfx::FreeImage; the screen surface is never
// freed by a sprite.
//
// Sprite files are read and written by Serialize (see CSprite.cpp for the
// fields); CSpriteFactory (vorn/gfx/CSpriteFactory.h) picks the class by the
// root element's "type" attribute.
class CSprite {
public:
    // Type codes; the names sprite files carry are in CSpriteFactory.h.
    enum SpriteType {
        TYPE_BASE = 0,
        TYPE_LAYER = 1,
        TYPE_SCREENLAYER = 2,
        TYPE_TEXT = 3,
        TYPE_ANIMATED = 4,
        TYPE_SLIDER = 5
    };
    // Values of the draw state.
    enum DrawState { STATE_DRAWN = 0, STATE_ERASED = 2 };

    static constexpr int DEFAULT_Z = 100;
    // A background buffer this much larger than the sprite in each direction
    // is reused rather than made anew.
    static constexpr int BACKGROUND_SLACK = 20;

    // No image, rect zero, Z 100, alpha 255, rotation 0.
    CSprite();
    // Takes ownership of image; the rect becomes the image's source rect.
    // When background buffers are on (Gfx::GetBackgroundBuffers) and the image
    // is a real surface other than the screen, the sprite keeps one.
    explicit CSprite(IPixel* image);
    CSprite(const CSprite&) = delete;
    CSprite& operator=(const CSprite&) = delete;
    // Removes the sprite's external animators and takes it out of its layer.
    virtual ~CSprite();

    virtual int GetSpriteType() const { return TYPE_BASE; }
    // True when the sprite has no image to show.
    virtual bool Empty() const;
    // Reads or writes the sprite's values (see CSprite.cpp).
    virtual void Serialize(CXmlArchive& archive);

    virtual std::string GetName() const { return myName; }
    virtual void SetName(const std::string& name) { myName = name; }

    virtual void SetX(int x);
    virtual void SetY(int y);
    // In a layer: erases what lies in front of the old and new depth, stores
    // the value and re-sorts the layer. Outside a layer only stores it.
    virtual void SetZ(int z);
    virtual void SetRect(const types_rect& rect);
    virtual int GetX() const { return myRect.x; }
    virtual int GetY() const { return myRect.y; }
    virtual int GetZ() const { return myZ; }
    virtual types_rect GetRect() const { return myRect; }

    // Shows the sub-rectangle rect of the loaded image; w and h follow.
    virtual void SetSourceRect(const types_rect& rect);
    virtual types_rect GetSourceRect() const;
    // The clipping window, in the target's coordinates.
    virtual void SetScrollRect(const types_rect& rect);
    // All zero when there is none.
    virtual types_rect GetScrollRect() const;

    // Draws the part of the sprite inside region (target coordinates),
    // clipped further by the scroll rect.
    virtual bool DrawRegion(CSprite* target, const types_rect& region);
    // Blits the image onto the target's image at myRect, clipped by the
    // target and the scroll rect. False when nothing could be drawn.
    virtual bool Draw(CSprite* target);
    // Copies the background buffer back to where it was saved.
    virtual bool RestoreBackground(CSprite* target);
    // Saves the target's pixels under myRect into the background buffer.
    virtual bool SaveBackground(CSprite* target);
    // Makes the sprite disappear from the target (restores its background).
    virtual bool Erase(CSprite* target);
    // Saves the background and draws, when erased. True when it drew.
    virtual bool Redraw(CSprite* target);

    // Hiding takes the sprite out of its layer's drawing (it remembers the
    // layer); showing puts it back.
    virtual void SetVisible(bool visible);
    bool IsVisible() const { return myHiddenLayer == nullptr; }

    // A scaled copy of the loaded image of w x h pixels becomes the shown image.
    virtual void Resize(int w, int h);
    // The loaded image turned counter-clockwise by degrees becomes the shown
    // image; changes below 0.01 degrees are ignored. A value that is not a
    // finite number leaves the sprite drawing nothing until a finite one comes.
    virtual void SetRotation(float degrees);
    virtual float GetRotation() const { return myRotation; }
    // Turns the sprite to radians about its rotation centre (its middle
    // unless SetRotationCenter chose another), keeping the centre in place.
    virtual void RotateAroundCenter(float radians);
    // Every pixel's alpha multiplied by alpha / 255.
    virtual void SetAlpha(uint8_t alpha);
    virtual uint8_t GetAlpha() const { return myAlpha; }

    virtual void MoveTo(int x, int y);
    // Puts the rotation centre (or the middle) at (x, y).
    virtual void MoveCenterTo(int x, int y);
    // The centre of rotation, relative to the sprite's top-left.
    virtual void SetRotationCenter(float x, float y);

    // Animated sprites start the named animation; others forward or ignore it.
    virtual void PlayAnimation(const std::string& name) { (void)name; }
    // Text sprites show the text; others ignore it.
    virtual void SetText(const std::string& text) { (void)text; }

    // Moves the sprite into layer (out of its previous one); null takes it out
    // of any layer.
    virtual void SetLayer(CSpriteLayer* layer);
    CSpriteLayer* GetLayer() const { return myLayer; }
    virtual void SetBackgroundUsage(bool use);
    bool GetBackgroundUsage() const { return myUseBackground; }
    // Reports a coming change to the layer, once per drawn frame.
    virtual void MarkDirty();
    // Takes ownership of image and shows it as loaded (see CSprite.cpp).
    virtual void SetImage(IPixel* image);

    // 0 when unchanged since drawn; 2 when moved (old and new place need
    // refreshing); 1 otherwise.
    virtual int GetDirtyRectCount() const;
    // index 1: where the sprite was drawn; any other: where it is now.
    virtual types_rect GetDirtyRect(int index) const;
    // The shown image, made now if a change is still waiting.
    virtual IPixel* GetImage() const;
    // Called with the sprite's alpha just before its image is blitted and
    // with 255 just after. A hook for back ends; nothing here.
    virtual void OnDrawAlpha(uint8_t alpha) { (void)alpha; }

    // --- for layers and the engine ----------------------------------------

    int GetDrawState() const { return myDrawState; }
    bool IsDirty() const { return myDirty; }
    types_rect GetLastRect() const { return myLastRect; }
    IPixel* GetLoadedImage() const { return myLoadedImage; }
    IPixel* GetBackground() const { return myBackground; }
    // A sprite that does not own its image never frees it (a layer's target
    // showing the screen surface).
    void SetImageOwned(bool owned) { myImageOwned = owned; }
    // Called by a layer being destroyed: forget it.
    void OnLayerDestroyed(CSpriteLayer* layer);
    // Forget the drawing state: the sprite counts as not drawn and reports
    // its whole rect on the next frame. Used when a layer hands its sprites
    // to a new drawing strategy.
    void ResetDrawState();
    // False for a rectangle larger than any surface: such a sprite draws
    // nothing.
    bool IsDrawable() const;
    // The part of rect that can be drawn on target: inside the target's rect
    // and the scroll rect. Empty when nothing is visible.
    types_rect GetVisibleRect(const CSprite* target, const types_rect& rect) const;

protected:
    // Takes the sprite out of its layer. Classes that change how the sprite
    // is erased call it in their destructor, while they are still themselves.
    void LeaveLayer();
    // Drops the derived image: myImage is made afresh from myLoadedImage with
    // the current size, rotation and alpha when it is next needed; w and h
    // follow at once when adoptSize is set. Does not report the change.
    void RebuildImage(bool adoptSize);
    // Makes the derived image if one is waiting to be made.
    void EnsureImage() const;
    // The size RebuildImage's image will have.
    void DerivedSize(int& w, int& h) const;
    // A new background buffer of w x h (blits from it copy, not blend).
    static IPixel* NewBackground(int w, int h);
    // Frees the derived image, or keeps it as the spare when a turn made it.
    void FreeDerivedImage();
    void FreeSpareImage() const;
    void FreeBackground();
    bool IsScreen(const IPixel* image) const;
    void FreeOwned(IPixel* image) const;
    // The background buffer as SaveBackground needs it for myLastRect.
    bool PrepareBackground();

    struct CRotationCenter {
        float angle = 0.0f;  // radians
        float centerX = 0.0f;
        float centerY = 0.0f;
        float positionX = 0.0f;  // the sprite's top-left as floating point
        float positionY = 0.0f;
    };

    CSpriteLayer* myLayer = nullptr;
    CSpriteLayer* myHiddenLayer = nullptr;
    // mutable: made on first use by the const GetImage (see EnsureImage).
    mutable IPixel* myImage = nullptr;
    // The last turned image, kept when the turn changes so that the next
    // turn can be drawn into it (IPixel::RotateReusing); freed once that
    // turn is made.
    mutable IPixel* mySpareImage = nullptr;
    // myImage is derived and was made by a turn as its last step.
    mutable bool myImageTurned = false;
    IPixel* myLoadedImage = nullptr;
    IPixel* myBackground = nullptr;
    bool myUseBackground = false;
    types_rect myRect;
    std::unique_ptr<types_rect> myScrollRect;
    int32_t myZ = DEFAULT_Z;
    uint8_t myAlpha = 255;
    float myRotation = 0.0f;
    int32_t myDrawState = STATE_ERASED;
    types_rect myLastRect;
    bool myDirty = false;
    std::string myName;
    std::unique_ptr<CRotationCenter> myRotationCenter;

    // Requested size of the shown image before rotation; w < 0 when the
    // loaded size is kept.
    int myResizeW = -1;
    int myResizeH = -1;
    // myImage is to be derived from myLoadedImage before it is used.
    mutable bool myImageStale = false;
    bool myImageOwned = true;
    // The image file named by the sprite file, kept for writing it back even
    // when it could not be loaded.
    std::string myImageFilename;
    // Where the background buffer's pixels were taken from (target
    // coordinates) and whether they are still to be put back.
    types_rect mySavedRect;
    bool myBackgroundSaved = false;
};

// Rounds to the nearest integer (halves up), saturating at the int range; 0
// for a value that is not a number.
int RoundToInt(double value);

// The overlap of two rectangles, computed without overflow; w = h = 0 when
// they do not meet (or either is empty).
types_rect IntersectRects(const types_rect& a, const types_rect& b);

}  // namespace vorn
