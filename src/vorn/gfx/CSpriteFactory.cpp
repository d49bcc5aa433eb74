#include "vorn/gfx/CSpriteFactory.h"

#include "vorn/console/CLog.h"
#include "vorn/gfx/CAnimatedSprite.h"
#include "vorn/gfx/CScreenLayer.h"
#include "vorn/gfx/CSliderSprite.h"
#include "vorn/gfx/CSprite.h"
#include "vorn/gfx/CTextSprite.h"
#include "vorn/gfx/Gfx.h"
#include "vorn/utils/xml/Xml.h"

namespace vorn {

namespace {

const char* const TYPE_NAMES[] = {"sprite_base", "sprite_layer",    "sprite_screenlayer",
                                  "sprite_text", "sprite_animated", "sprite_slider"};
constexpr int TYPE_COUNT = int(sizeof(TYPE_NAMES) / sizeof(TYPE_NAMES[0]));

bool IsSpriteFileName(const std::string& fileName) {
    return fileName.size() >= 3 && fileName.compare(fileName.size() - 3, 3, "xml") == 0;
}

}  // namespace

std::string GetSpriteTypeName(int code) {
    return code >= 0 && code < TYPE_COUNT ? TYPE_NAMES[code] : "";
}

int GetSpriteTypeCode(const std::string& name) {
    for (int code = 0; code < TYPE_COUNT; ++code)
        if (name == TYPE_NAMES[code]) return code;
    return 0;
}

CSprite* NewSprite(int code) {
    switch (code) {
        case CSprite::TYPE_BASE:
            return new CSprite;
        case CSprite::TYPE_LAYER:
            return new CSpriteLayer;
        case CSprite::TYPE_SCREENLAYER:
            return CScreenLayer::GetSingleton();
        case CSprite::TYPE_TEXT:
            return new CTextSprite;
        case CSprite::TYPE_ANIMATED:
            return new CAnimatedSprite;
        case CSprite::TYPE_SLIDER:
            return new CSliderSprite;
        default:
            return nullptr;
    }
}

CSprite* CSpriteFactory::MakeEmpty(const std::string& fileName) {
    CSprite* sprite = new CSprite;
    sprite->SetName(fileName);
    sprite->SetLayer(CScreenLayer::GetSingleton());
    return sprite;
}

CSprite* CSpriteFactory::LoadSprite(const std::string& fileName) {
    if (!IsSpriteFileName(fileName)) {
        CSprite* sprite = new CSprite(Gfx::LoadImage(fileName, CPixelFormat()));
        sprite->SetLayer(CScreenLayer::GetSingleton());
        sprite->SetName(fileName);
        return sprite;
    }
    if (myDepth >= MAX_NESTING) {
        CLog::GetSingleton()->Printf(
            "[WARNING] CSpriteFactory::LoadSprite() - sprite files nest too deep at %s\n",
            fileName.c_str());
        return MakeEmpty(fileName);
    }
    std::unique_ptr<CXmlElement> root = ParseXmlFile(fileName);
    if (!root) {
        CLog::GetSingleton()->Printf(
            "[WARNING] CSpriteFactory::LoadSprite() - could not read sprite file %s\n",
            fileName.c_str());
        return MakeEmpty(fileName);
    }
    int code = CSprite::TYPE_BASE;
    if (root->HasAttribute("type"))
        code = GetSpriteTypeCode(root->GetAttribute("type").GetString());
    // The screen layer is the one root of all sprites; a file cannot make or
    // change it, and the caller would delete it.
    if (code == CSprite::TYPE_SCREENLAYER) {
        CLog::GetSingleton()->Printf(
            "[WARNING] CSpriteFactory::LoadSprite() - %s: a sprite file cannot be the screen "
            "layer\n",
            fileName.c_str());
        return MakeEmpty(fileName);
    }
    CSprite* sprite = NewSprite(code);
    if (!sprite) return MakeEmpty(fileName);
    ++myDepth;
    ObjectFromXmlElement(root.get(), *sprite);
    --myDepth;
    if (code != CSprite::TYPE_SLIDER) sprite->SetLayer(CScreenLayer::GetSingleton());
    sprite->SetName(fileName);
    return sprite;
}

bool CSpriteFactory::SaveSprite(CSprite& sprite, const std::string& fileName) {
    return SaveObjectToXmlFile(sprite, fileName, "sprite");
}

}  // namespace vorn
