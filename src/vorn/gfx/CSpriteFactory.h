#pragma once

#include <string>

#include "vorn/designpatterns/singleton/CStaticSingleton.h"

namespace vorn {

class CSprite;

// Sprite type names as sprite files carry them in the root element's "type"
// attribute:
//   0 "sprite_base"         CSprite
//   1 "sprite_layer"        CSpriteLayer
//   2 "sprite_screenlayer"  CScreenLayer (the singleton; never in a file)
//   3 "sprite_text"         CTextSprite
//   4 "sprite_animated"     CAnimatedSprite
//   5 "sprite_slider"       CSliderSprite
// A code outside 0..5 gives the empty name; an unknown name gives 0.
std::string GetSpriteTypeName(int code);
int GetSpriteTypeCode(const std::string& name);
// A new sprite of that class (caller owns it); code 2 returns the screen
// layer singleton (not to be deleted); an unknown code returns null.
CSprite* NewSprite(int code);

// Loads sprites by file name. Names ending in "xml" are sprite files; any
// other name is an image shown by a plain sprite.
class CSpriteFactory {
public:
    static CSpriteFactory* GetSingleton() {
        return CStaticSingleton<CSpriteFactory>::GetSingleton();
    }

    // Sprite files nest (sliders and text sprites load sprite files of their
    // own); deeper nesting than this is refused.
    static constexpr int MAX_NESTING = 8;

    // A new sprite, owned by the caller, named after the file and put into the
    // screen layer (except sliders, whose two parts are). Never null: a file
    // that cannot be read, or asks for the screen layer, gives an empty
    // sprite that draws nothing, with a warning in the log.
    CSprite* LoadSprite(const std::string& fileName);

    // Writes sprite as a sprite file; false (with an error line) on failure.
    bool SaveSprite(CSprite& sprite, const std::string& fileName);

private:
    friend class CStaticSingleton<CSpriteFactory>;
    CSpriteFactory() = default;

    CSprite* MakeEmpty(const std::string& fileName);

    int myDepth = 0;
};

}  // namespace vorn
