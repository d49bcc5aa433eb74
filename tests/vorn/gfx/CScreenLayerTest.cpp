// The screen layer's drawing strategies on a real SDL screen. The central
// check: whatever sprites do, the screen drawn incrementally (dirty
// rectangles) equals the screen drawn from scratch, pixel for pixel, and
// every pixel that changed lies inside an area reported to the screen.
#include <algorithm>
#include <functional>
#include <memory>
#include <random>
#include <sstream>

#include "SpriteTestSupport.h"
#include "vorn/gfx/CFont.h"
#include "vorn/gfx/CScreenLayerDirtyRects.h"
#include "vorn/gfx/CScreenLayerImmediateMode.h"
#include "vorn/gfx/CSliderSprite.h"
#include "vorn/gfx/CSpriteFactory.h"
#include "vorn/gfx/CSpriteLayer.h"
#include "vorn/gfx/CSystemFontLoader.h"
#include "vorn/gfx/CTextSprite.h"
#include "vorn/gfx/IPixel.h"

using namespace vorn;
using sprite_test::CSpriteScreenTest;

namespace {

// Runs seeded random sequences of sprite changes and checks every frame.
class CRandomSpriteRun {
public:
    CRandomSpriteRun(uint32_t seed, std::function<IPixel*(int, int, uint32_t, bool)> pattern)
        : myRandom(seed), myPattern(std::move(pattern)), myW(0), myH(0) {}

    std::mt19937 myRandom;
    std::function<IPixel*(int, int, uint32_t, bool)> myPattern;
    std::vector<std::unique_ptr<CSprite>> mySprites;
    int myW, myH;
    std::ostringstream myLog;

    int Rand(int below) { return below <= 0 ? 0 : int(myRandom() % uint32_t(below)); }
    int Between(int low, int high) { return low + Rand(high - low + 1); }

    CSprite* NewSprite() {
        CSprite* sprite = nullptr;
        const int kind = Rand(5);
        if (kind <= 1) {
            sprite = new CSprite(myPattern(Between(4, 60), Between(4, 60), myRandom(), kind == 1));
        } else if (kind == 2) {
            sprite = CSpriteFactory::GetSingleton()->LoadSprite("keyed.bmp");
            sprite->SetLayer(nullptr);
        } else if (kind == 3) {
            auto* text = new CTextSprite;
            auto* font = new CFont;
            CSystemFontLoader(font, "");
            if (Rand(2)) font->SetAlignment(Rand(4));
            text->SetFont(font);
            text->SetRect(types_rect(0, 0, Between(10, 90), Between(10, 50)));
            text->SetFontRect(
                types_rect(Between(-5, 5), Between(-5, 5), Between(0, 90), Between(0, 50)));
            text->SetFontStartPosition(types_point(Between(-10, 10), Between(-10, 10)));
            text->SetText(Rand(2) ? "Hit 12!" : "a longer line of words\nthat wraps");
            sprite = text;
        } else {
            // An image with a clipped source rectangle, as animations use.
            sprite = new CSprite(myPattern(64, 32, myRandom(), Rand(2) == 0));
            sprite->SetSourceRect(types_rect(Between(0, 32), 0, 32, 32));
        }
        // Crowded in the middle, so that sprites overlap in chains.
        sprite->MoveTo(Between(-20, myW * 2 / 3), Between(-20, myH * 2 / 3));
        sprite->SetZ(Between(95, 105));
        myLog << "new " << sprite->GetSpriteType() << "; ";
        sprite->SetLayer(CScreenLayer::GetSingleton());
        return sprite;
    }

    void Operate() {
        if (mySprites.empty() || Rand(12) == 0) {
            mySprites.emplace_back(NewSprite());
            return;
        }
        const size_t index = size_t(Rand(int(mySprites.size())));
        CSprite* sprite = mySprites[index].get();
        myLog << "#" << index << " ";
        switch (Rand(13)) {
            case 0:
                myLog << "move; ";
                sprite->MoveTo(Between(-40, myW * 2 / 3), Between(-40, myH * 2 / 3));
                break;
            case 1:
                myLog << "nudge; ";
                sprite->SetX(sprite->GetX() + Between(-3, 3));
                break;
            case 2:
                myLog << "z; ";
                sprite->SetZ(Between(95, 105));
                break;
            case 3:
                myLog << (sprite->IsVisible() ? "hide; " : "show; ");
                sprite->SetVisible(!sprite->IsVisible());
                break;
            case 4:
                myLog << "alpha; ";
                sprite->SetAlpha(Rand(3) == 0 ? 255 : uint8_t(Rand(256)));
                break;
            case 5:
                myLog << "rotate; ";
                sprite->SetRotation(float(Rand(360)));
                break;
            case 6:
                myLog << "turn; ";
                sprite->RotateAroundCenter(float(Rand(628)) / 100.0f);
                break;
            case 7:
                myLog << "resize; ";
                sprite->Resize(Between(0, 70), Between(0, 70));
                break;
            case 8:
                myLog << "scroll; ";
                sprite->SetScrollRect(types_rect(Between(0, myW / 2), Between(0, myH / 2),
                                                 Between(0, myW), Between(0, myH)));
                break;
            case 9:
                myLog << "text; ";
                sprite->SetText(Rand(2) ? "" : "Round " + std::to_string(Rand(100)));
                break;
            case 10:
                myLog << "source; ";
                sprite->SetSourceRect(types_rect(Between(0, 20), Between(0, 20), 30, 30));
                break;
            case 11:
                myLog << "rect; ";
                sprite->SetRect(
                    types_rect(sprite->GetX(), sprite->GetY(), Between(0, 80), Between(0, 80)));
                break;
            default:
                myLog << "remove; ";
                mySprites.erase(mySprites.begin() + long(index));
                break;
        }
    }
};

class CScreenLayerTest : public CSpriteScreenTest {
protected:
    void WriteKeyedImage() {
        // Magenta is the colour key: a ring of transparent pixels.
        gfx_test::WriteBmp("keyed.bmp", 24, 20, [](int x, int y) {
            const int d = (x - 12) * (x - 12) + (y - 10) * (y - 10);
            if (d > 60 && d < 100) return CColor(255, 0, 255);
            return CColor(uint8_t(x * 10), uint8_t(y * 12), 90);
        });
    }

    // Frames of random changes; every frame checked against a redraw from
    // scratch and against the reported update areas.
    void RunRandomFrames(uint32_t seed, int frames, Strategy strategy) {
        WriteKeyedImage();
        Layer()->InstallStrategy(strategy);
        CRandomSpriteRun run(
            seed, [this](int w, int h, uint32_t s, bool alpha) { return Pattern(w, h, s, alpha); });
        run.myW = W;
        run.myH = H;
        for (int i = 0; i < 14; ++i)
            run.mySprites.emplace_back(run.NewSprite());
        Frame();
        for (int frame = 0; frame < frames; ++frame) {
            const std::vector<uint32_t> before = CaptureScreen();
            run.myLog.str("");
            const int changes = run.Between(1, 4);
            for (int i = 0; i < changes; ++i)
                run.Operate();
            Layer()->Update();
            const std::vector<uint32_t> after = CaptureScreen();
            const std::string difference = Difference(after, DrawFromScratch());
            ASSERT_EQ(difference, "")
                << "seed " << seed << ", frame " << frame << " after " << run.myLog.str();
            if (strategy == IScreenLayerHook::STRATEGY_DIRTY_RECTS)
                ExpectChangesReported(before, after, seed, frame, run.myLog.str());
            myScreen->Flip();
        }
    }

    void ExpectChangesReported(const std::vector<uint32_t>& before,
                               const std::vector<uint32_t>& after, uint32_t seed, int frame,
                               const std::string& what) {
        if (myScreen->IsWholeScreen()) return;
        const std::vector<types_rect>& rects = myScreen->GetUpdateRects();
        for (size_t i = 0; i < after.size(); ++i) {
            if (before[i] == after[i]) continue;
            const int x = int(i % W), y = int(i / W);
            const bool reported = std::any_of(rects.begin(), rects.end(), [&](const types_rect& r) {
                return r.IsPointInside(x, y);
            });
            ASSERT_TRUE(reported) << "pixel (" << x << ", " << y << ") changed unreported; seed "
                                  << seed << ", frame " << frame << " after " << what;
        }
    }
};

}  // namespace

TEST_F(CScreenLayerTest, DirtyRectanglesDrawWhatAFullRedrawDraws) {
    for (uint32_t seed = 1; seed <= 12; ++seed) {
        RunRandomFrames(seed, 150, IScreenLayerHook::STRATEGY_DIRTY_RECTS);
        if (HasFatalFailure()) return;
        Layer()->InstallStrategy(IScreenLayerHook::STRATEGY_DIRTY_RECTS);
    }
}

TEST_F(CScreenLayerTest, ImmediateModeDrawsWhatAFullRedrawDraws) {
    RunRandomFrames(7, 40, IScreenLayerHook::STRATEGY_IMMEDIATE);
}

TEST_F(CScreenLayerTest, AStrategyInstalledLaterTakesOverTheSprites) {
    // Sprites made before any graphics task drew: the null strategy keeps them.
    Layer()->InstallStrategy(IScreenLayerHook::STRATEGY_NULL);
    auto back = std::make_unique<CSprite>(Pattern(40, 40, 1, false));
    auto front = std::make_unique<CSprite>(Pattern(20, 20, 2, true));
    back->SetLayer(Layer());
    front->SetLayer(Layer());
    front->SetZ(50);
    front->MoveTo(10, 10);
    Frame();
    EXPECT_EQ(Difference(CaptureScreen(), std::vector<uint32_t>(size_t(W) * H, 0)), "")
        << "the null strategy draws nothing";

    for (Strategy next :
         {IScreenLayerHook::STRATEGY_DIRTY_RECTS, IScreenLayerHook::STRATEGY_IMMEDIATE,
          IScreenLayerHook::STRATEGY_DIRTY_RECTS}) {
        Layer()->InstallStrategy(next);
        Frame();
        EXPECT_EQ(Difference(CaptureScreen(), DrawFromScratch()), "") << "strategy " << next;
        front->MoveTo(30, 5);
        Frame();
        EXPECT_EQ(Difference(CaptureScreen(), DrawFromScratch()), "") << "strategy " << next;
    }
}

namespace {

// Records what a layer asks of it.
class CRecordingSprite : public CSprite {
public:
    CRecordingSprite(int z, std::vector<std::string>* log) : myLog(log) {
        myZ = z;
        myRect = types_rect(0, 0, 10, 10);
    }
    bool Erase(CSprite* target) override {
        if (GetDrawState() != STATE_ERASED) myLog->push_back("erase " + std::to_string(myZ));
        return CSprite::Erase(target);
    }
    bool Redraw(CSprite* target) override {
        const bool drawn = CSprite::Redraw(target);
        if (drawn) myLog->push_back("draw " + std::to_string(myZ));
        return drawn;
    }
    std::vector<std::string>* myLog;
};

}  // namespace

TEST(CSpriteLayerTest, AddingASpriteErasesOnlyWhatIsInFrontAndRedrawsBackToFront) {
    std::vector<std::string> log;
    CSpriteLayer layer;
    CRecordingSprite front(50, &log), back(150, &log), middle(100, &log);
    front.SetLayer(&layer);
    back.SetLayer(&layer);
    layer.Redraw(nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"draw 150", "draw 50"}));

    log.clear();
    middle.SetLayer(&layer);
    EXPECT_EQ(log, (std::vector<std::string>{"erase 50"}));
    log.clear();
    layer.Redraw(nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"draw 100", "draw 50"}));

    // A change behind erases everything in front of it first.
    log.clear();
    back.SetX(3);
    EXPECT_EQ(log, (std::vector<std::string>{"erase 50", "erase 100", "erase 150"}));
    log.clear();
    layer.Redraw(nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"draw 150", "draw 100", "draw 50"}));

    // Moving a sprite to the back: everything up to its old depth goes.
    log.clear();
    front.SetZ(200);
    layer.Redraw(nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"erase 50", "erase 100", "erase 150", "draw 200",
                                             "draw 150", "draw 100"}));
    EXPECT_EQ(layer.GetChildren().front(), &middle);
}

TEST_F(CScreenLayerTest, MovedSpritesReportTwoAreasChangedOnesOneAndUntouchedOnesNone) {
    auto back = std::make_unique<CSprite>(Pattern(30, 30, 1, false));
    auto front = std::make_unique<CSprite>(Pattern(10, 10, 2, false));
    auto alone = std::make_unique<CSprite>(Pattern(10, 10, 3, false));
    back->SetLayer(Layer());
    front->SetLayer(Layer());
    alone->SetLayer(Layer());
    front->SetZ(50);
    alone->MoveTo(100, 80);
    Frame();

    back->MoveTo(40, 40);
    EXPECT_EQ(back->GetDirtyRectCount(), 2);
    EXPECT_EQ(back->GetDirtyRect(1), types_rect(0, 0, 30, 30));
    EXPECT_EQ(back->GetDirtyRect(0), types_rect(40, 40, 30, 30));
    EXPECT_EQ(front->GetDirtyRectCount(), 0) << "redrawn only because something behind moved";
    Layer()->Update();
    EXPECT_EQ(myScreen->GetUpdateRects(),
              (std::vector<types_rect>{types_rect(40, 40, 30, 30), types_rect(0, 0, 30, 30)}));
    myScreen->Flip();

    alone->SetAlpha(100);
    EXPECT_EQ(alone->GetDirtyRectCount(), 1);
    Layer()->Update();
    EXPECT_EQ(myScreen->GetUpdateRects(), (std::vector<types_rect>{types_rect(100, 80, 10, 10)}));
    myScreen->Flip();

    // Nothing changed: nothing drawn, nothing reported.
    Layer()->Update();
    EXPECT_TRUE(myScreen->GetUpdateRects().empty());
    EXPECT_FALSE(myScreen->IsWholeScreen());
}

TEST_F(CScreenLayerTest, ANewScreenSizeRedrawsEverything) {
    auto sprite = std::make_unique<CSprite>(Pattern(30, 30, 1, false));
    sprite->SetLayer(Layer());
    sprite->MoveTo(5, 5);
    gfx_test::CLogCapture log;
    Frame();
    EXPECT_EQ(log.Count("drawing all"), 1);
    Frame();
    EXPECT_EQ(log.Count("drawing all"), 1) << "an unchanged screen is not redrawn whole";

    ASSERT_NE(SDL_SetVideoMode(W + 20, H, 32, SDL_SWSURFACE), nullptr);
    myScreen->AdoptVideoSurface();
    Frame();
    EXPECT_EQ(log.Count("drawing all"), 2);
    EXPECT_EQ(At(5, 5), sprite->GetImage()->GetPixel(0, 0)) << "the sprite is on the new screen";

    Layer()->RequestRedrawAll();
    Frame();
    EXPECT_EQ(log.Count("drawing all"), 3);
}

TEST_F(CScreenLayerTest, ImmediateModeDrawsNothingBeforeTheFirstChangeThenEveryFrame) {
    auto sprite = std::make_unique<CSprite>(Pattern(20, 20, 4, false));
    const std::vector<uint32_t> black(size_t(W) * H, 0);
    CScreenLayerImmediateMode immediate;
    immediate.Update();
    EXPECT_EQ(Difference(CaptureScreen(), black), "");

    immediate.AddChild(sprite.get());
    immediate.Update();
    EXPECT_NE(Difference(CaptureScreen(), black), "") << "drawn after the first change";
    // From then on everything is drawn every frame.
    SDL_FillRect(Video(), nullptr, 0);
    immediate.Update();
    EXPECT_NE(Difference(CaptureScreen(), black), "");
    immediate.RemoveChild(sprite.get());
}
