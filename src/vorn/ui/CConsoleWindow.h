#pragma once

#include <map>
#include <memory>
#include <string>

#include "vorn/ui/CCommandHistory.h"
#include "vorn/ui/CWidget.h"
#include "vorn/utils/signalslot/CCSSObject.h"

namespace vorn {
class CConsole;
}

namespace vorn::ui {

class CConsoleWidget;
class CLogListenerForConsole;
class CTextInputWidget;
class CWindowWidget;

// The developer console on screen: a window on the desktop with the
// console's output and an input line, which holds the keyboard focus
// whenever the window is clicked. Return (or keypad Enter) runs the line on
// the main console, Up and Down step through the command history (kept in a
// file, see CCommandHistory), Escape closes the window. Tab completes command,
// variable and task names (after "task::" the commands of that task's own
// console, see CTask::GetCommandConsole) spelt as they were added, and lists
// the candidates when several match; on an empty line it lists the commands
// and the tasks, right after "task::" that task's commands.
//
// The window is made by Toggle and destroyed by Toggle (or by its owner once
// it asks to close); the history and the output live on in between.
class CConsoleWindow : public CCSSObject<CConsoleWindow> {
public:
    static const char* const HISTORY_FILE;
    static const char* const WINDOW_NAME;
    static const char* const BACKGROUND_SPRITE;
    static const char* const INPUT_SPRITE;
    static const char* const CURSOR_SPRITE;
    // Candidates listed at most by one Tab.
    static constexpr size_t MAX_LISTED = 40;

    // historyFile: where the history is kept ("" for nowhere). lines: the
    // output to show (null: lines logged from now on). console: where lines
    // run (null: the main console).
    explicit CConsoleWindow(const std::string& historyFile = HISTORY_FILE,
                            const std::shared_ptr<CLogListenerForConsole>& lines = nullptr,
                            CConsole* console = nullptr);
    // Destroys the window if it is open.
    ~CConsoleWindow() override;

    // Opens the window (with the input focused), or destroys it when open.
    void Toggle();
    // Destroys the window if it is open.
    void Close();
    bool IsOpen() const;
    // True when the window is open and its close button was clicked.
    bool IsCloseRequested() const;

    // Slots of the input line.
    void Execute();
    void HistoryBack();
    void HistoryForward();
    void Complete();

    // Tab completes "space::name" against console (not owned; null forgets
    // it) rather than the console of the task of that name.
    void SetNamespaceConsole(const std::string& space, CConsole* console);

    // Null while closed.
    CWindowWidget* GetWindow() const;
    CTextInputWidget* GetInput() const;
    CConsoleWidget* GetOutput() const;
    CCommandHistory& GetHistory() { return myHistory; }
    const std::shared_ptr<CLogListenerForConsole>& GetLines() const { return myLines; }

    std::string GetName() const override { return WINDOW_NAME; }

private:
    void Open();
    CConsole* Console() const;
    // The console a "space::" line's commands live on; null when none.
    CConsole* FindNamespaceConsole(const std::string& space) const;

    CWindowWidget* myWindow = nullptr;
    CTextInputWidget* myInput = nullptr;
    CConsoleWidget* myOutput = nullptr;
    // The desktop may destroy the window on its own (when the UI stops).
    CWidget::CGuard myWindowGuard;
    CCommandHistory myHistory;
    std::shared_ptr<CLogListenerForConsole> myLines;
    CConsole* myConsole;
    std::map<std::string, CConsole*> myNamespaces;
};

}  // namespace vorn::ui
