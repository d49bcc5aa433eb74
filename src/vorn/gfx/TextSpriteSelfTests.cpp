#include "vorn/gfx/TextSpriteSelfTests.h"

#include <memory>

#include "vorn/gfx/CFont.h"
#include "vorn/gfx/CFontAlign.h"
#include "vorn/gfx/CSpriteLayer.h"
#include "vorn/gfx/CSystemFontLoader.h"
#include "vorn/gfx/CTextSprite.h"
#include "vorn/utils/SelfTests.h"
#include "vorn/utils/xml/Xml.h"

namespace vorn::selftests {

int CTextSpriteTest() {
    // The system font: 8 pixels a glyph, blanks 8, lines 15.
    CFont* font = new CFont;
    CSystemFontLoader(font, "");
    SELFTEST_CHECK(font->GetTextWidth("abc") == 24);
    SELFTEST_CHECK(font->GetTextWidth("a b") == 24);
    SELFTEST_CHECK(font->GetLineHeight() == 15);
    SELFTEST_CHECK(font->GetAlignment() == CFont::ALIGN_NONE);
    SELFTEST_CHECK(font->GetName() == "nothing");

    // Word wrap: "hello " and "world " fit 100 pixels, "again" does not.
    CFontAlignCenter center;
    const types_rect box(10, 0, 100, 45);
    SELFTEST_CHECK(center.FitLine(font, "hello world again", box, 0) == 12);
    SELFTEST_CHECK(center.GetLineWidth() == 96 && !center.GetParagraphEnd());
    SELFTEST_CHECK(center.FitLine(font, "hello world again", box, 12) == 5);
    SELFTEST_CHECK(center.GetParagraphEnd());
    // One line drawn: the end is one line height below the box top.
    SELFTEST_CHECK(center.FitLine(font, "abcdef", box, 0) == 6);
    SELFTEST_CHECK(center.GetLineWidth() == 48);
    SELFTEST_CHECK(center.Draw(font, nullptr, "abcdef", box).y == 15);

    // The sprite: text changes reach its layer once per frame.
    CSpriteLayer layer;
    auto sprite = std::make_unique<CTextSprite>();
    sprite->SetFont(font);
    sprite->SetRect(types_rect(5, 6, 120, 30));
    sprite->SetFontRect(types_rect(0, 0, 120, 30));
    sprite->SetLayer(&layer);
    SELFTEST_CHECK(!sprite->Empty() && layer.GetChildren().size() == 1);
    sprite->Redraw(nullptr);
    SELFTEST_CHECK(!sprite->IsDirty());
    sprite->SetText("score 10");
    SELFTEST_CHECK(sprite->IsDirty() && sprite->GetDirtyRectCount() == 1);
    SELFTEST_CHECK(sprite->GetDrawState() == CSprite::STATE_ERASED);

    // A sprite file written and read back keeps text, boxes and font.
    sprite->SetFontStartPosition(types_point(3, 4));
    std::unique_ptr<CXmlElement> element = ObjectToXmlElement(*sprite, "sprite");
    CTextSprite copy;
    ObjectFromXmlElement(element.get(), copy);
    SELFTEST_CHECK(copy.GetText() == "score 10");
    SELFTEST_CHECK(copy.GetRect() == types_rect(5, 6, 120, 30));
    SELFTEST_CHECK(copy.GetFontRect() == types_rect(0, 0, 120, 30));
    SELFTEST_CHECK(copy.GetFontStartPosition() == types_point(3, 4));
    SELFTEST_CHECK(copy.GetFont() && copy.GetFont()->GetName() == "nothing");
    SELFTEST_CHECK(copy.GetFont()->GetAlignment() == CFont::ALIGN_NONE);
    return 0;
}

}  // namespace vorn::selftests
