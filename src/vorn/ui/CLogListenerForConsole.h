#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "vorn/console/ILogListener.h"
#include "vorn/gfx/CLotsATextSprite.h"

namespace vorn {
class CFont;
}

namespace vorn::ui {

// Keeps the latest log lines for the on-screen console: every line the log
// completes from the time it is made (the main console echoes the lines it
// runs and their results to the log, so this is the console's output).
// At most MAX_LINES are kept, each at most MAX_LINE_LENGTH bytes; tabs become
// blanks and other control characters are dropped.
class CLogListenerForConsole : public ILogListener {
public:
    static constexpr size_t MAX_LINES = 500;
    static constexpr size_t MAX_LINE_LENGTH = 1000;

    // Registers with the log.
    CLogListenerForConsole();
    // Leaves the log (when it still exists).
    ~CLogListenerForConsole() override;
    CLogListenerForConsole(const CLogListenerForConsole&) = delete;
    CLogListenerForConsole& operator=(const CLogListenerForConsole&) = delete;

    void OnLogLine(const std::string& text, int level) override;
    // Adds a line as if logged (level 1).
    void AddLine(const std::string& text) { OnLogLine(text, 1); }

    const std::deque<std::string>& GetLines() const { return myLines; }
    // Grows with every line added; readers compare it to see news.
    uint64_t GetVersion() const { return myVersion; }

private:
    std::deque<std::string> myLines;
    uint64_t myVersion = 0;
};

// Draws the lines of a console listener for a CLotsATextSprite: wrapped to
// the surface's width, one font line each, the newest at the bottom.
class CConsoleTextDrawer : public ILotsATextDrawer {
public:
    static constexpr int LEFT_MARGIN = 2;

    // Takes ownership of font (null: nothing is drawn).
    CConsoleTextDrawer(const std::shared_ptr<CLogListenerForConsole>& lines, CFont* font);
    ~CConsoleTextDrawer() override;

    int GetTotalHeight() const override;
    bool Draw(IPixel* surface, const types_rect& rect) override;
    // The width the rows are wrapped to (the sprite's); Draw also takes it
    // from the surface.
    void SetWidth(int width) { myWidth = width; }
    int GetLineHeight() const;
    // The rows the lines make at the current width.
    size_t GetRowCount() const;

private:
    // Splits the lines into rows that fit the width (cached per version and width).
    void Wrap(int width) const;

    std::shared_ptr<CLogListenerForConsole> myLines;
    std::unique_ptr<CFont> myFont;
    mutable std::vector<std::string> myRows;
    mutable uint64_t myWrappedVersion = ~uint64_t(0);
    mutable int myWrappedWidth = -1;
    int myWidth = 0;
    // What the surface shows, to tell whether a draw changes anything.
    uint64_t myDrawnVersion = ~uint64_t(0);
    const IPixel* myDrawnSurface = nullptr;
    types_rect myDrawnRect;
};

}  // namespace vorn::ui
