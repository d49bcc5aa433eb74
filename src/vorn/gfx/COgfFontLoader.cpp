#include "vorn/gfx/COgfFontLoader.h"

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "vorn/console/CLog.h"
#include "vorn/gfx/CFont.h"
#include "vorn/gfx/Gfx.h"
#include "vorn/gfx/IPixel.h"
#include "vorn/utils/color/ColorUtils.h"
#include "vorn/utils/string/StringUtils.h"

namespace vorn {

namespace {

// A whole field read as an integer; false when it is not one.
bool ParseInt(const std::string& field, int64_t& value) {
    const std::string text = Trim(field, " \t\r");
    if (text.empty() || text.size() > 18) return false;
    char* end = nullptr;
    value = std::strtoll(text.c_str(), &end, 10);
    return end && *end == '\0';
}

int Digit(char c) {
    return c >= '0' && c <= '9' ? c - '0' : 0;
}

std::string ReadFirstLine(std::ifstream& in) {
    std::string line;
    char c;
    while (line.size() < COgfFontLoader::MAX_LINE && in.get(c) && c != '\n')
        line += c;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

// The image file as named, or else next to the OGF file.
std::string ResolveImage(const std::string& image, const std::string& ogfFile) {
    std::error_code error;
    if (std::filesystem::exists(image, error)) return image;
    const std::filesystem::path beside = std::filesystem::path(ogfFile).parent_path() / image;
    if (!beside.parent_path().empty() && std::filesystem::exists(beside, error))
        return beside.string();
    return image;
}

// Multiplies red, green and blue of every pixel by the factors; alpha stays.
void Tint(std::vector<CColor>& colors, double red, double green, double blue) {
    for (CColor& color : colors) {
        if (color.a == 0) continue;  // invisible either way
        CColor tinted = ScaleChannels(color, red, green, blue);
        if (color.a != 255) {
            const double up = 255.0 / color.a;
            tinted = ScaleChannels(tinted, up, up, up);
        }
        color = tinted;
    }
}

}  // namespace

bool COgfFontLoader::Load(CFont* font, const std::string& fileName) {
    if (!font) return false;
    font->Clear();
    // The name stays even when loading fails, so that a sprite file written
    // back still names its font.
    font->SetName(fileName);
    CLog* log = CLog::GetSingleton();
    std::ifstream in(fileName, std::ios::binary);
    if (!in) {
        log->Printf("Could not open ogf file: %s for loading\n", fileName.c_str());
        return false;
    }
    const std::vector<std::string> tokens = Split(ReadFirstLine(in), ";");
    if (tokens.empty() || tokens[0] != "OGF") {
        log->Printf("%s is probably not a ogf file\n", fileName.c_str());
        return false;
    }

    // 1. The grid.
    int64_t columns = 0, rows = 0, cellW = 0, cellH = 0, count = 0;
    if (tokens.size() < 8 || !ParseInt(tokens[1], columns) || !ParseInt(tokens[2], rows) ||
        !ParseInt(tokens[3], cellW) || !ParseInt(tokens[4], cellH) || !ParseInt(tokens[5], count) ||
        count < 0) {
        log->Printf("%s Error, the glyph grid numbers are missing or not numbers\n",
                    fileName.c_str());
        return false;
    }
    if (columns < 1 || rows < 1 || cellW < 1 || cellH < 1 || columns > Gfx::MAX_SURFACE_SIDE ||
        rows > Gfx::MAX_SURFACE_SIDE || !Gfx::IsSurfaceSizeAllowed(columns * cellW, rows * cellH)) {
        log->Printf("%s Error, no image can hold a grid of %lld x %lld cells of %lld x %lld\n",
                    fileName.c_str(), (long long)columns, (long long)rows, (long long)cellW,
                    (long long)cellH);
        return false;
    }

    // 2. The characters, which may contain ";" themselves.
    std::string characters = tokens[7];
    size_t next = 8;
    while (int64_t(characters.size()) < count && next < tokens.size())
        characters += ";" + tokens[next++];
    if (int64_t(characters.size()) != count) {
        log->Printf("%sError, the char count (%lld) and numbers of charachters (%zu) don't match\n",
                    fileName.c_str(), (long long)count, characters.size());
        return false;
    }
    const std::string widths = next < tokens.size() ? tokens[next++] : "";
    if (int64_t(widths.size()) != 2 * count) {
        log->Printf(
            "%s Error, the number of character width's ( %zu) doesn't match the number of "
            "characters (%lld) times two\n",
            fileName.c_str(), widths.size(), (long long)count);
        return false;
    }
    const std::string imageName = next < tokens.size() ? Trim(tokens[next], " \t\r") : "";

    // 3. The image, at the grid's size.
    IPixel* image = Gfx::LoadImage(ResolveImage(imageName, fileName), CPixelFormat());
    const int gridW = int(columns * cellW);
    const int gridH = int(rows * cellH);
    if (image && !image->Empty() && (image->GetWidth() != gridW || image->GetHeight() != gridH)) {
        IPixel* resized = image->Resize(gridW, gridH);
        Gfx::FreeImage(image);
        image = resized;
    }
    if (!image || image->Empty()) {
        log->Error() << "Could not load image " << imageName << "\n";
        Gfx::FreeImage(image);
        return false;
    }

    // 4. The glyphs, row by row through the grid.
    const int effectiveW = image->GetWidth() / int(columns);
    const int effectiveH = image->GetHeight() / int(rows);
    int x = 0, y = 0;
    for (int64_t i = 0; i < count; ++i) {
        const int sixtyFourths =
            Digit(widths[size_t(2 * i)]) * 10 + Digit(widths[size_t(2 * i + 1)]);
        const int width = int(std::floor(sixtyFourths * 0.015625 * effectiveW));
        font->SetGlyph(static_cast<unsigned char>(characters[size_t(i)]),
                       types_rect(x, y, width, int(cellH)));
        x += effectiveW;
        if ((i + 1) % columns == 0) {
            x = 0;
            y += effectiveH;
        }
    }

    // 5. The tint.
    const std::string& tint = tokens[6];
    if (tint.size() == 3 && tint != "888" &&
        tint.find_first_not_of("0123456789") == std::string::npos) {
        const double red = Digit(tint[0]) * 0.125;
        const double green = Digit(tint[1]) * 0.125;
        const double blue = Digit(tint[2]) * 0.125;
        *log << "Red: " << red << "Green: " << green << "Blue: " << blue << "\n";
        // Loaded images share their pixels with every other user of the file:
        // tint a copy of our own, made from the colours (not every back end's
        // surfaces take pixels one by one).
        std::vector<CColor> colors = Gfx::ReadColors(image);
        const int w = image->GetWidth(), h = image->GetHeight();
        Tint(colors, red, green, blue);
        Gfx::FreeImage(image);
        image = Gfx::NewBuffer(w, h, colors);
    }

    font->SetImage(image);
    font->SetLineHeight(int(cellH));
    font->SetSpacing(0);
    font->SetSpaceWidth(font->GetGlyph(' ').w);
    return true;
}

}  // namespace vorn
