#include "vorn/gfx/CFontAlign.h"

#include <algorithm>

#include "vorn/gfx/CFont.h"

namespace vorn {

int IFontAlign::FitLine(const CFont* font, const std::string& text, const types_rect& rect,
                        int start) {
    const size_t length = text.size();
    size_t pos = size_t(std::max(start, 0));
    myParagraphEnd = false;
    if (pos >= length) {
        myParagraphEnd = true;
        myLineWidth = 0;
        return 0;
    }
    size_t paragraphEnd = text.find('\n', pos);
    if (paragraphEnd == std::string::npos) paragraphEnd = length;
    int64_t lineWidth = 0;
    do {
        size_t wordEnd = text.find_first_of(" \n", pos);
        if (wordEnd == std::string::npos) wordEnd = length;
        const int wordWidth = font->GetTextWidth(text.substr(pos, wordEnd - pos));
        if (lineWidth + wordWidth > rect.w) {
            myLineWidth = int(lineWidth);
            return int(pos - size_t(start));
        }
        lineWidth += wordWidth;
        if (wordEnd < length && text[wordEnd] == ' ') lineWidth += font->GetSpaceWidth();
        pos = wordEnd + 1;
    } while (pos < paragraphEnd);
    myParagraphEnd = true;
    myLineWidth = int(std::min<int64_t>(lineWidth, INT32_MAX));
    return int(std::min(length, pos) - size_t(start));
}

types_point CFontAlignBase::Draw(CFont* font, IPixel* target, const std::string& text,
                                 const types_rect& rect) {
    if (text.find('\t') != std::string::npos) {
        std::string spaced;
        for (char c : text)
            spaced += c == '\t' ? std::string(4, ' ') : std::string(1, c);
        return Draw(font, target, spaced, rect);
    }
    const int64_t lineHeight = font->GetLineHeight();
    int64_t y = rect.y;
    int64_t height = 0;
    size_t pos = 0;
    while (height < rect.h) {
        const int count = FitLine(font, text, rect, int(pos));
        if (count > 0) DrawLine(font, target, text, int(pos), count, rect, int(y));
        y += lineHeight;
        height += lineHeight;
        pos += size_t(count);
        if (pos >= text.size()) break;
        if (count == 0) {
            // What is left never fits (a word wider than the box): the lines
            // that would follow stay empty.
            if (lineHeight > 0 && height < rect.h) {
                const int64_t lines = (int64_t(rect.h) - height + lineHeight - 1) / lineHeight;
                y += lines * lineHeight;
            }
            break;
        }
    }
    return types_point(rect.x, int(std::clamp<int64_t>(y, INT32_MIN, INT32_MAX)));
}

void CFontAlignBase::DrawLine(CFont* font, IPixel* target, const std::string& text, int start,
                              int count, const types_rect& rect, int y) {
    font->DrawString(target, text.substr(size_t(start), size_t(count)), LineX(rect), y);
}

int CFontAlignCenter::LineX(const types_rect& rect) const {
    return int(int64_t(rect.x) + (int64_t(rect.w) - myLineWidth - 1) / 2);
}

int CFontAlignRight::LineX(const types_rect& rect) const {
    return int(int64_t(rect.x) + rect.w - myLineWidth);
}

void CFontAlignJustify::DrawLine(CFont* font, IPixel* target, const std::string& text, int start,
                                 int count, const types_rect& rect, int y) {
    const std::string line = text.substr(size_t(start), size_t(count));
    const int64_t blanks = std::count(line.begin(), line.end(), ' ');
    if (myParagraphEnd || blanks == 0) {
        CFontAlignBase::DrawLine(font, target, text, start, count, rect, y);
        return;
    }
    const int64_t share = (int64_t(rect.w) - myLineWidth) / blanks;
    int64_t x = rect.x;
    size_t pos = 0;
    while (pos <= line.size()) {
        size_t end = line.find(' ', pos);
        if (end == std::string::npos) end = line.size();
        const std::string word = line.substr(pos, end - pos);
        font->DrawString(target, word, int(std::clamp<int64_t>(x, INT32_MIN, INT32_MAX)), y);
        x += font->GetTextWidth(word) + font->GetSpaceWidth() + share;
        pos = end + 1;
    }
}

}  // namespace vorn
