#pragma once

#include <memory>
#include <string>

#include "vorn/ui/CWidget.h"

namespace vorn::ui {

class CConsoleTextDrawer;
class CLogListenerForConsole;

// The console's output: a text surface that shows the latest log lines (the
// main console echoes what it runs and the results there), newest at the
// bottom, in the built-in system font. It fills its parent but for the
// INPUT_HEIGHT pixels of the input line below it. The mouse wheel scrolls it.
class CConsoleWidget : public CWidget {
public:
    static constexpr int DEFAULT_WIDTH = 400;
    static constexpr int DEFAULT_HEIGHT = 180;
    static constexpr int INPUT_HEIGHT = 20;
    // Rows moved per wheel step.
    static constexpr int WHEEL_ROWS = 3;

    // A console with a listener of its own, showing lines logged from now on.
    CConsoleWidget();
    // lines: the listener to show (shared, so that the output outlives the
    // widget); null makes one.
    CConsoleWidget(CWidget* parent, const std::string& name,
                   const std::shared_ptr<CLogListenerForConsole>& lines = nullptr);
    ~CConsoleWidget() override;

    void OnMouseEvent(CMouseEvent& event) override;
    void UpdateSprite() override;

    const std::shared_ptr<CLogListenerForConsole>& GetLines() const { return myLines; }
    // 1 shows the end of the output, 0 its start.
    float GetScrollFactor() const;

private:
    void Build(CWidget* parent, const std::shared_ptr<CLogListenerForConsole>& lines);

    std::shared_ptr<CLogListenerForConsole> myLines;
    // Owned by the text sprite.
    CConsoleTextDrawer* myDrawer = nullptr;
};

}  // namespace vorn::ui
