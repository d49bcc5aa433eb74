// The accelerated back end ("d3d" on OpenGL) against the SDL back end, on the
// tests' own X server.
#include <memory>
#include <vector>

#include "../gfx/GfxTestSupport.h"
#include "GlTaskFixture.h"
#include "monsters/CFightWorld.h"
#include "monsters/CGlobalOptions.h"
#include "vorn/gfx/CGLDevice.h"
#include "vorn/gfx/CGfxFactoryD3D.h"
#include "vorn/gfx/CPixelScreenD3D.h"
#include "vorn/gfx/CScreenLayerImmediateMode.h"
#include "vorn/gfx/CSprite.h"
#include "vorn/input/CEventBridge.h"
#include "vorn/physics/CLineList.h"
#include "vorn/tasks/CTaskGfxD3D.h"

using namespace vorn;
using namespace gl_task_test;
using testing_support::CLogCapture;

namespace {

class CTaskGfxD3DTest : public GlTaskTest {
protected:
    CTaskGfxD3D* GlGfx() { return Task<CTaskGfxD3D>("gfx"); }

    // A 16 x 16 BMP of one colour (0xRRGGBB).
    static void WriteBmpFile(const std::string& name, uint32_t rgb) {
        gfx_test::WriteBmp(name, 16, 16, [rgb](int, int) {
            return CColor(uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb));
        });
    }

    // A sprite on the screen layer showing w x h pixels painted by paint.
    std::unique_ptr<CSprite> Sprite(int x, int y, int w, int h,
                                    const std::function<CColor(int, int)>& paint) {
        std::vector<CColor> colors;
        for (int j = 0; j < h; ++j)
            for (int i = 0; i < w; ++i)
                colors.push_back(paint(i, j));
        auto sprite = std::make_unique<CSprite>(Gfx::NewBuffer(w, h, colors));
        sprite->MoveTo(x, y);
        sprite->SetLayer(CScreenLayer::GetSingleton());
        return sprite;
    }

    // Runs the graphics showcase for 30 frames and returns its screenshot.
    CPicture Showcase(const std::string& library, const std::string& shot) {
        StartBackEnd(library);
        Run("starttask(gfxtest, gfxtest, 500, 30, \"" + shot + "\")");
        for (int i = 0; i < 200 && !std::filesystem::exists(shot); ++i)
            Passes(1);
        return LoadPicture(shot);
    }

    // Two standard monsters fighting for 90 steps on the game's floor, one
    // frame drawn, and its screenshot.
    CPicture Fight(const std::string& library, const std::string& shot) {
        StartBackEnd(library);
        Passes(1);
        monsters::CFightWorld world(nullptr, "temp/floor.xml");
        world.LoadMonster("data/standard_monster.xml", -3.0f, 1.0f);
        world.LoadMonster("data/standard_monster.xml", 3.0f, 1.0f);
        for (int i = 0; i < 90; ++i)
            world.Step();
        Passes(2);
        return Screenshot(shot);
    }
};

TEST_F(CTaskGfxD3DTest, StartMakesTheDeviceAndInstallsFactoryScreenAndImmediateDrawing) {
    CLogCapture log;
    Gfx::SetBackgroundBuffers(true);
    StartBackEnd("d3d", 320, 200);
    ASSERT_NE(GlGfx(), nullptr);
    EXPECT_TRUE(log.Has("Creating Direct3D device\n"));
    EXPECT_TRUE(log.Has("Creating Direct3D device [OK]")) << log.All();
    EXPECT_TRUE(GlGfx()->HasDevice());
    EXPECT_NE(dynamic_cast<CGfxFactoryD3D*>(Gfx::GetFactory()), nullptr);
    ASSERT_EQ(Gfx::GetScreenSurface(), static_cast<IPixel*>(GlGfx()->GetScreen()));
    EXPECT_EQ(Gfx::GetScreenSurface()->GetSourceRect(), types_rect(0, 0, 320, 200));
    EXPECT_FALSE(Gfx::GetBackgroundBuffers());
    EXPECT_NE(dynamic_cast<CScreenLayerImmediateMode*>(CScreenLayer::GetSingleton()->GetStrategy()),
              nullptr);
    EXPECT_TRUE(physics::CLineList::GetSingleton()->IsAccepting());

    // Frames are drawn at most every 16 ms: a sprite shows, on black.
    auto red = Sprite(10, 20, 30, 40, [](int, int) { return CColor(200, 30, 40); });
    Kernel()->RunPass();
    const unsigned long frames = GlGfx()->GetFrameCount();
    Passes(3);
    EXPECT_EQ(GlGfx()->GetFrameCount(), frames + 3);
    CPicture shot = Screenshot("frame.bmp");
    ASSERT_EQ(shot.width, 320);
    EXPECT_EQ(shot.At(10, 20), 0xC81E28u);
    EXPECT_EQ(shot.At(39, 59), 0xC81E28u);
    EXPECT_EQ(shot.At(40, 59), 0u);
    EXPECT_EQ(shot.At(9, 20), 0u);
    EXPECT_TRUE(log.Has("Screenshot saved to frame.bmp"));
    // F12's line: numbered screenshots through the debug task.
    Run("starttask(debug, debug, 8)");
    Run("debug::Screenshot(shots/shot)");
    EXPECT_EQ(LoadPicture("shots/shot_0001.bmp").At(10, 20), 0xC81E28u);
    Run("stoptask(debug)");
    red.reset();

    Run("stoptask(gfx)");
    EXPECT_TRUE(log.Has("GfxShutDown complete"));
    EXPECT_EQ(Gfx::GetFactory(), nullptr);
    EXPECT_EQ(Gfx::GetScreenSurface(), nullptr);
    EXPECT_EQ(CGlobalD3D::GetSingleton()->GetDevice(), nullptr);
    EXPECT_FALSE(physics::CLineList::GetSingleton()->IsAccepting());
    EXPECT_TRUE(Gfx::LoadImage("any.bmp")->IsNullSurface());
}

TEST_F(CTaskGfxD3DTest, TheShowcaseLooksAsUnderSdl) {
    const CPicture sdl = Showcase("sdl", "showcase_sdl.bmp");
    ASSERT_EQ(sdl.width, 800) << "the SDL back end saved no showcase";
    Restart();
    const CPicture gl = Showcase("d3d", "showcase_gl.bmp");
    ASSERT_EQ(gl.width, 800) << "the OpenGL back end saved no showcase";

    const double share = DifferingShare(sdl, gl);
    RecordProperty("showcase_differing_percent", std::to_string(share * 100));
    RecordProperty("showcase_not_identical_percent",
                   std::to_string(DifferingShare(sdl, gl, 0) * 100));
    EXPECT_LE(share, 0.02) << share * 100 << " % of the pixels differ by more than 8 levels";
    // The measure sees a picture three pixels off.
    EXPECT_GT(DifferingShare(sdl, Shifted(sdl, 3)), 0.02);
    // Not two black pictures: background, gear and text are there.
    int lit = 0;
    for (uint32_t p : gl.pixels)
        lit += (p & 0xFFFFFF) != 0;
    EXPECT_GT(lit, int(gl.pixels.size() * 9 / 10));
}

TEST_F(CTaskGfxD3DTest, AFightLooksAsUnderSdlAndShowsCollisionOutlinesOnlyHere) {
    const CPicture sdl = Fight("sdl", "fight_sdl.bmp");
    ASSERT_EQ(sdl.width, 800);
    Restart();
    const CPicture gl = Fight("d3d", "fight_gl.bmp");
    ASSERT_EQ(gl.width, 800);
    const double share = DifferingShare(sdl, gl);
    RecordProperty("fight_differing_percent", std::to_string(share * 100));
    RecordProperty("fight_not_identical_percent", std::to_string(DifferingShare(sdl, gl, 0) * 100));
    EXPECT_LE(share, 0.02) << share * 100 << " % of the pixels differ by more than 8 levels";
    EXPECT_GT(DifferingShare(sdl, Shifted(sdl, 3)), 0.02);

    // "TogglePhysicsCollisions()": the bodies' outlines are drawn in white
    // over the sprites, from 500 ms after the bodies were made.
    monsters::CGlobalOptions::GetSingleton()->SetShowCollisionShapes(true);
    {
        monsters::CFightWorld world(nullptr, "temp/floor.xml");
        world.LoadMonster("data/standard_monster.xml", -3.0f, 1.0f);
        Passes(40);
        world.Step();
        EXPECT_FALSE(physics::CLineList::GetSingleton()->GetStrips().empty());
        const CPicture outlined = Screenshot("outlined.bmp");
        int white = 0;
        for (uint32_t p : outlined.pixels)
            white += (p & 0xFFFFFF) == 0xFFFFFF;
        EXPECT_GT(white, 200) << "no outlines on the screen";
    }
    monsters::CGlobalOptions::GetSingleton()->SetShowCollisionShapes(false);
}

TEST_F(CTaskGfxD3DTest, LineStripsStayUntilReplacedAndVanishAfter31FramesWithoutNewOnes) {
    StartBackEnd("opengl", 200, 100);  // the library's second name
    auto back = Sprite(0, 0, 200, 100, [](int, int) { return CColor(10, 20, 30); });
    physics::CLineList* lines = physics::CLineList::GetSingleton();
    auto strip = [&](float y) { lines->AddStrip({{10.0f, y}, {150.0f, y}}, 0xFFFFFFFF); };
    auto drawn = [](const CPicture& shot, int y) { return shot.At(80, y) == 0xFFFFFFu; };

    strip(30);
    CPicture shot = Screenshot("first.bmp");  // the first frame that draws it
    EXPECT_TRUE(drawn(shot, 30));
    EXPECT_EQ(shot.At(80, 31), 0x0A141Eu);
    // A new strip after a drawn frame replaces the drawn ones.
    strip(60);
    shot = Screenshot("replaced.bmp");
    EXPECT_FALSE(drawn(shot, 30));
    EXPECT_TRUE(drawn(shot, 60));
    // 31 frames after the first one that drew it, it is drawn one last time.
    Passes(30);
    EXPECT_FALSE(lines->GetStrips().empty());
    shot = Screenshot("last.bmp");
    EXPECT_TRUE(drawn(shot, 60));
    EXPECT_TRUE(lines->GetStrips().empty());
    shot = Screenshot("gone.bmp");
    EXPECT_FALSE(drawn(shot, 60));
}

TEST_F(CTaskGfxD3DTest, ADeviceResetKeepsBufferPixelsAndReloadsFileTextures) {
    StartBackEnd("d3d", 320, 240);
    // A file image, a buffer with text-like content and a faded, turned copy.
    WriteBmpFile("tile.bmp", 0x3060A0);
    IPixel* tile = Gfx::LoadImage("tile.bmp");
    ASSERT_FALSE(tile->IsNullSurface());
    auto fromFile = std::make_unique<CSprite>(tile);
    fromFile->MoveTo(200, 20);
    fromFile->SetLayer(CScreenLayer::GetSingleton());
    auto buffer = Sprite(20, 30, 64, 48, [](int x, int y) {
        return CColor(uint8_t(4 * x), uint8_t(5 * y), 90, uint8_t((x + y) % 3 ? 255 : 100));
    });
    auto turned = Sprite(100, 120, 50, 30, [](int x, int y) {
        return CColor(uint8_t(200 - x), 180, uint8_t(6 * y));
    });
    turned->SetAlpha(160);
    turned->SetRotation(30.0f);
    Passes(2);
    const std::vector<CColor> before = Gfx::ReadColors(buffer->GetLoadedImage());
    ASSERT_EQ(before.size(), size_t(64 * 48));
    const CPicture pictureBefore = Screenshot("before.bmp");

    CLogCapture log;
    EXPECT_TRUE(GlGfx()->ResetDirect3D());
    EXPECT_TRUE(log.Has("Recreating Direct3D device"));
    EXPECT_TRUE(log.Has("Direct3D device reset [OK]")) << log.All();
    EXPECT_EQ(log.Errors(), 0) << log.All();
    EXPECT_EQ(Gfx::ReadColors(buffer->GetLoadedImage()), before) << "a buffer lost its pixels";
    Passes(1);
    EXPECT_EQ(DifferingShare(pictureBefore, Screenshot("after.bmp"), 0), 0.0);

    // A resize resets the device too; back at the old size the picture is
    // the old one.
    log.Clear();
    WindowCommand("Resize(400, 300)");
    EXPECT_TRUE(log.Has("Direct3D device reset [OK]"));
    EXPECT_EQ(Screenshot("resized.bmp").width, 400);
    WindowCommand("Resize(320, 240)");
    EXPECT_EQ(DifferingShare(pictureBefore, Screenshot("back.bmp"), 0), 0.0);

    // Regaining the focus resets it only when asked to.
    log.Clear();
    CEventBridge::GetSingleton()->OnFocus(false);
    CEventBridge::GetSingleton()->OnFocus(true);
    EXPECT_FALSE(log.Has("Recreating Direct3D device"));
    CGlobalD3D::GetSingleton()->SetResetOnFocus(true);
    CEventBridge::GetSingleton()->OnFocus(false);
    CEventBridge::GetSingleton()->OnFocus(true);
    CGlobalD3D::GetSingleton()->SetResetOnFocus(false);
    EXPECT_TRUE(log.Has("Direct3D device reset [OK]"));

    // File textures come from the file again: a changed file shows.
    WriteBmpFile("tile.bmp", 0xA03020);
    GlGfx()->ResetDirect3D();
    const CPicture reloaded = Screenshot("reloaded.bmp");
    EXPECT_EQ(reloaded.At(205, 25), 0xA03020u);
    EXPECT_EQ(reloaded.At(25, 35), pictureBefore.At(25, 35)) << "the buffer changed";
}

}  // namespace
