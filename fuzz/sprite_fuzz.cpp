// Reads arbitrary bytes as a sprite file and puts the sprite through its
// paces on a real SDL screen drawn with dirty rectangles: written back and
// read again, moved, turned (also by NaN), faded, resized to nothing, hidden,
// animated. After every frame the screen must equal the screen drawn from
// scratch, pixel for pixel. Any fault, sanitizer report, hang or mismatch is
// a finding.
#include <SDL.h>
#include <unistd.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "vorn/gfx/CAnimationUpdator.h"
#include "vorn/gfx/CGfxFactorySDL.h"
#include "vorn/gfx/CPixelScreenSDL.h"
#include "vorn/gfx/CScreenLayer.h"
#include "vorn/gfx/CSprite.h"
#include "vorn/gfx/CSpriteFactory.h"
#include "vorn/gfx/Gfx.h"
#include "vorn/utils/xml/Xml.h"

namespace {

constexpr int W = 64;
constexpr int H = 48;
vorn::CPixelScreenSDL* screen = nullptr;
uint32_t now = 1000;

void WriteImage(const char* name, int w, int h) {
    SDL_Surface* image = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 24, 0xFF, 0xFF00, 0xFF0000, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            SDL_Rect dot{Sint16(x), Sint16(y), 1, 1};
            const bool key = (x + y) % 5 == 0;
            SDL_FillRect(image, &dot,
                         key ? SDL_MapRGB(image->format, 255, 0, 255)
                             : SDL_MapRGB(image->format, x * 20, y * 20, 99));
        }
    SDL_SaveBMP(image, name);
    SDL_FreeSurface(image);
}

std::vector<uint32_t> Capture(SDL_Surface* surface) {
    std::vector<uint32_t> pixels(size_t(W) * H);
    SDL_LockSurface(surface);
    for (int y = 0; y < H; ++y)
        std::memcpy(&pixels[size_t(y) * W],
                    static_cast<const uint8_t*>(surface->pixels) + y * surface->pitch, W * 4);
    SDL_UnlockSurface(surface);
    return pixels;
}

std::vector<uint32_t> DrawFromScratch() {
    const SDL_PixelFormat* f = screen->GetSurface()->format;
    SDL_Surface* surface =
        SDL_CreateRGBSurface(SDL_SWSURFACE, W, H, 32, f->Rmask, f->Gmask, f->Bmask, f->Amask);
    SDL_FillRect(surface, nullptr, 0);
    auto* image = new vorn::CPixelSDL(surface);
    vorn::CSprite target;
    target.SetImageOwned(false);
    target.SetImage(image);
    std::vector<vorn::CSprite*> visible, hidden;
    vorn::CScreenLayer::GetSingleton()->GetSprites(visible, hidden);
    for (size_t i = visible.size(); i-- > 0;)
        visible[i]->Draw(&target);
    std::vector<uint32_t> pixels = Capture(surface);
    target.SetImage(nullptr);
    delete image;
    return pixels;
}

void Frame(const char* step) {
    now += 16;
    vorn::CAnimationUpdator::GetSingleton()->Update(now);
    vorn::CScreenLayer::GetSingleton()->Update();
    if (Capture(screen->GetSurface()) != DrawFromScratch()) {
        fprintf(stderr, "the screen differs from a redraw from scratch after: %s\n", step);
        abort();
    }
    screen->Flip();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    char folder[] = "/tmp/sprite_fuzz_XXXXXX";
    if (mkdtemp(folder) && chdir(folder) == 0) {
        if (symlink("/dev/null", "log.txt") != 0) perror("symlink log.txt");
    }
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    SDL_Init(SDL_INIT_VIDEO);
    SDL_SetVideoMode(W, H, 32, SDL_SWSURFACE);
    SDL_ShowCursor(SDL_DISABLE);
    vorn::Gfx::SetFactory(new vorn::CGfxFactorySDL);
    screen = new vorn::CPixelScreenSDL;
    vorn::Gfx::SetScreenSurface(screen);
    vorn::Gfx::SetBackgroundBuffers(true);
    vorn::CScreenLayer::GetSingleton()->InstallStrategy(
        vorn::IScreenLayerHook::STRATEGY_DIRTY_RECTS);
    WriteImage("a.bmp", 20, 12);
    WriteImage("sheet.bmp", 64, 32);
    std::ofstream("f.ogf") << "OGF;4;2;16;16;6;848;AB;C D;326432161608;sheet.bmp\n";
    std::ofstream("b.xml") << "<s type=\"sprite_animated\"><ImageFilename>a.bmp</ImageFilename>"
                              "<CurrentAnimation>x</CurrentAnimation><Animation name=\"x\">"
                              "<Frame type=\"frame_rect\"><Rect x=\"2\" y=\"0\" w=\"5\" h=\"5\"/>"
                              "<FrameLength>20</FrameLength></Frame></Animation></s>\n";
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::ofstream("f.xml", std::ios::binary)
        .write(reinterpret_cast<const char*>(data), std::streamsize(size));
    std::unique_ptr<vorn::CSprite> sprite(
        vorn::CSpriteFactory::GetSingleton()->LoadSprite("f.xml"));
    Frame("loading");

    // Written back and read again: the same text.
    const std::string once = vorn::SaveObjectToXmlText(*sprite, "sprite");
    std::ofstream("g.xml") << once;
    std::unique_ptr<vorn::CSprite> again(vorn::CSpriteFactory::GetSingleton()->LoadSprite("g.xml"));
    const std::string twice = vorn::SaveObjectToXmlText(*again, "sprite");
    if (once != twice) {
        fprintf(stderr, "read back differently:\n--- once\n%s\n--- twice\n%s\n", once.c_str(),
                twice.c_str());
        abort();
    }
    again.reset();
    Frame("reading back");

    const uint8_t knob = size ? data[size - 1] : 0;
    sprite->MoveTo(int(knob % 70) - 10, int(knob / 5) - 10);
    sprite->PlayAnimation("x");
    Frame("moving");
    sprite->RotateAroundCenter(float(knob) / 40.0f);
    sprite->SetAlpha(uint8_t(knob * 3));
    Frame("turning");
    sprite->SetRotation(std::nanf(""));
    sprite->SetZ(int(knob) - 128);
    Frame("turning by NaN");
    sprite->Resize(0, 0);
    sprite->SetVisible(false);
    Frame("hiding");
    sprite->SetVisible(true);
    sprite->SetText("Hello");
    sprite->Resize(knob % 40, knob % 30);
    Frame("showing");
    sprite.reset();
    Frame("deleting");
    return 0;
}
