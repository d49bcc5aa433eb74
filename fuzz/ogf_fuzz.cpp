// Reads arbitrary bytes as an OGF font file (its glyph image is a real BMP
// beside it), then draws text with the font in every alignment, faded and
// clipped, onto a real SDL surface. Any fault, sanitizer report or hang is a
// finding.
#include <SDL.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>

#include "vorn/gfx/CFont.h"
#include "vorn/gfx/CGfxFactorySDL.h"
#include "vorn/gfx/COgfFontLoader.h"
#include "vorn/gfx/CPixelSDL.h"
#include "vorn/gfx/Gfx.h"

namespace {

vorn::CGfxFactorySDL* factory = nullptr;
vorn::CPixelSDL* canvas = nullptr;

void WriteSheet(const char* name, int w, int h) {
    SDL_Surface* sheet = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 24, 0xFF, 0xFF00, 0xFF0000, 0);
    SDL_FillRect(sheet, nullptr, SDL_MapRGB(sheet->format, 255, 0, 255));
    for (int i = 0; i < w; i += 4) {
        SDL_Rect bar{Sint16(i), 0, 2, Uint16(h - 1)};
        SDL_FillRect(sheet, &bar, SDL_MapRGB(sheet->format, 250, 250, 250));
    }
    SDL_SaveBMP(sheet, name);
    SDL_FreeSurface(sheet);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The log writes every line to ./log.txt: send it nowhere, from a private
    // folder, so a long run does not fill the disk.
    char folder[] = "/tmp/ogf_fuzz_XXXXXX";
    if (mkdtemp(folder) && chdir(folder) == 0) {
        if (symlink("/dev/null", "log.txt") != 0) perror("symlink log.txt");
    }
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    SDL_Init(SDL_INIT_VIDEO);
    SDL_SetVideoMode(64, 48, 32, SDL_SWSURFACE);
    factory = new vorn::CGfxFactorySDL;
    vorn::Gfx::SetFactory(factory);
    WriteSheet("sheet.bmp", 64, 32);
    WriteSheet("s.bmp", 8, 8);
    canvas = new vorn::CPixelSDL(
        SDL_CreateRGBSurface(SDL_SWSURFACE, 96, 64, 32, 0xFF0000, 0xFF00, 0xFF, 0));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::ofstream("f.ogf", std::ios::binary)
        .write(reinterpret_cast<const char*>(data), std::streamsize(size));
    vorn::CFont font;
    vorn::COgfFontLoader(&font, "f.ogf");
    // Every byte of the input as text, in every alignment, faded and clipped.
    const std::string text(reinterpret_cast<const char*>(data), size < 200 ? size : 200);
    const vorn::types_rect clip(3, 2, 80, 50);
    for (int alignment = -1; alignment < 4; ++alignment) {
        font.SetAlignment(alignment);
        font.SetDrawAlpha(uint8_t(alignment * 60 + 70));
        font.SetClipRect(alignment % 2 ? &clip : nullptr);
        font.DrawText(canvas, text, vorn::types_rect(-5, -5, 70 + alignment * 9, 60),
                      vorn::types_point(2, 3));
        font.DrawText(canvas, "A;B C\tD\nE", vorn::types_rect(0, 0, 30, 30), vorn::types_point());
    }
    std::unique_ptr<vorn::CFont> copy(font.Clone());
    copy->DrawString(canvas, text, 1, 1);
    return 0;
}
