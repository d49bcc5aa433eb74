#include "vorn/ui/CLogListenerForConsole.h"

#include <algorithm>

#include "vorn/console/CLog.h"
#include "vorn/gfx/CColor.h"
#include "vorn/gfx/CFont.h"
#include "vorn/gfx/IPixel.h"
#include "vorn/utils/string/Utf8.h"

namespace vorn::ui {

CLogListenerForConsole::CLogListenerForConsole() {
    CLog::GetSingleton()->AddListener(this);
}

CLogListenerForConsole::~CLogListenerForConsole() {
    // Peek: a log deleted before the console must not be made anew.
    if (CLog* log = CStaticSingleton<CLog>::PeekSingleton()) log->RemoveListener(this);
}

void CLogListenerForConsole::OnLogLine(const std::string& text, int level) {
    if (level < CLog::LEVEL_DEBUG) return;  // indentation marks carry no text
    std::string line;
    line.reserve(std::min(text.size(), MAX_LINE_LENGTH));
    for (char c : text) {
        if (line.size() >= MAX_LINE_LENGTH) break;
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\t')
            line += "    ";
        else if (byte >= 32 && byte != 127)
            line += c;
    }
    // Cut between characters, not inside one.
    myLines.push_back(utf8::Truncate(line, MAX_LINE_LENGTH));
    while (myLines.size() > MAX_LINES)
        myLines.pop_front();
    ++myVersion;
}

// --- drawing ---------------------------------------------------------------------------

CConsoleTextDrawer::CConsoleTextDrawer(const std::shared_ptr<CLogListenerForConsole>& lines,
                                       CFont* font)
    : myLines(lines), myFont(font) {}

CConsoleTextDrawer::~CConsoleTextDrawer() = default;

void CConsoleTextDrawer::Wrap(int width) const {
    const uint64_t version = myLines ? myLines->GetVersion() : 0;
    if (version == myWrappedVersion && width == myWrappedWidth) return;
    myWrappedVersion = version;
    myWrappedWidth = width;
    myRows.clear();
    if (!myLines || !myFont) return;
    const int room = std::max(width - 2 * LEFT_MARGIN, 1);
    int advances[256];
    for (int c = 0; c < 256; ++c)
        advances[c] = myFont->GetTextWidth(utf8::Encode(uint32_t(c)));
    for (const std::string& line : myLines->GetLines()) {
        // Greedy, character by character: console lines are rarely prose.
        std::string row;
        int rowWidth = 0;
        for (size_t at = 0, length = 1; at < line.size(); at += length) {
            const uint32_t c = utf8::Decode(line, at, &length);
            const int advance = c < 256 ? advances[c] : 0;
            if (rowWidth + advance > room && !row.empty()) {
                myRows.push_back(row);
                row.clear();
                rowWidth = 0;
            }
            row.append(line, at, length);
            rowWidth += advance;
        }
        myRows.push_back(row);
    }
}

int CConsoleTextDrawer::GetLineHeight() const {
    return myFont ? myFont->GetLineHeight() : 0;
}

size_t CConsoleTextDrawer::GetRowCount() const {
    Wrap(myWidth);
    return myRows.size();
}

int CConsoleTextDrawer::GetTotalHeight() const {
    if (!myFont) return 0;
    Wrap(myWidth);
    const int64_t height = int64_t(myRows.size()) * myFont->GetLineHeight();
    return int(std::min<int64_t>(height, 1 << 30));
}

bool CConsoleTextDrawer::Draw(IPixel* surface, const types_rect& rect) {
    if (!surface || surface->Empty() || !myFont) return false;
    const uint64_t version = myLines ? myLines->GetVersion() : 0;
    if (version == myDrawnVersion && surface == myDrawnSurface && rect == myDrawnRect) return false;
    myDrawnVersion = version;
    myDrawnSurface = surface;
    myDrawnRect = rect;
    if (surface->GetWidth() != myWidth) myWidth = surface->GetWidth();
    Wrap(myWidth);

    surface->SetParameter(IPixel::PARAM_CLEAR_COLOR, CColor(0, 0, 0, 0).ToARGB());
    surface->Clean(types_rect(0, 0, surface->GetWidth(), surface->GetHeight()));
    const int lineHeight = std::max(myFont->GetLineHeight(), 1);
    // Rows that meet the part rect.y .. rect.y + rect.h of the whole text.
    const int64_t first = std::max<int64_t>(0, rect.y / lineHeight);
    for (int64_t row = first; row < int64_t(myRows.size()); ++row) {
        const int64_t y = row * lineHeight - rect.y;
        if (y >= surface->GetHeight()) break;
        myFont->DrawString(surface, myRows[size_t(row)], LEFT_MARGIN, int(y));
    }
    return true;
}

}  // namespace vorn::ui
