#include "vorn/ui/CConsoleWindow.h"

#include <algorithm>
#include <cctype>

#include "vorn/console/CConsole.h"
#include "vorn/console/CLog.h"
#include "vorn/tasks/CApplicationFactory.h"
#include "vorn/ui/CConsoleWidget.h"
#include "vorn/ui/CDesktopWidget.h"
#include "vorn/ui/CLogListenerForConsole.h"
#include "vorn/ui/CTextInputWidget.h"
#include "vorn/ui/CWindowWidget.h"
#include "vorn/ui/ConsoleCompletion.h"
#include "vorn/utils/string/StringUtils.h"

namespace vorn::ui {

const char* const CConsoleWindow::HISTORY_FILE = "console_history.txt";
const char* const CConsoleWindow::WINDOW_NAME = "Dev-tool";
const char* const CConsoleWindow::BACKGROUND_SPRITE = "data/gui/background.png";
const char* const CConsoleWindow::INPUT_SPRITE = "data/gui/text_input.xml";
const char* const CConsoleWindow::CURSOR_SPRITE = "data/gui/text_cursor.png";

CConsoleWindow::CConsoleWindow(const std::string& historyFile,
                               const std::shared_ptr<CLogListenerForConsole>& lines,
                               CConsole* console)
    : myHistory(historyFile),
      myLines(lines ? lines : std::make_shared<CLogListenerForConsole>()),
      myConsole(console) {}

CConsoleWindow::~CConsoleWindow() {
    if (IsOpen()) delete myWindow;
}

CConsole* CConsoleWindow::Console() const {
    return myConsole ? myConsole : CApplicationFactory::GetSingleton()->GetConsole();
}

bool CConsoleWindow::IsOpen() const {
    return myWindow && myWindowGuard.IsAlive();
}

bool CConsoleWindow::IsCloseRequested() const {
    return IsOpen() && myWindow->IsCloseRequested();
}

CWindowWidget* CConsoleWindow::GetWindow() const {
    return IsOpen() ? myWindow : nullptr;
}

CTextInputWidget* CConsoleWindow::GetInput() const {
    return IsOpen() ? myInput : nullptr;
}

CConsoleWidget* CConsoleWindow::GetOutput() const {
    return IsOpen() ? myOutput : nullptr;
}

void CConsoleWindow::Toggle() {
    if (IsOpen()) {
        CWindowWidget* window = myWindow;
        myWindow = nullptr;
        myInput = nullptr;
        myOutput = nullptr;
        delete window;
        return;
    }
    Open();
}

void CConsoleWindow::Open() {
    myWindow = new CWindowWidget(CDesktopWidget::GetSingleton(), types_rect(10, 10, 400, 200),
                                 false, WINDOW_NAME, BACKGROUND_SPRITE);
    myWindowGuard = myWindow->MakeGuard();
    CWidget* client = myWindow->GetClientArea();
    myOutput = new CConsoleWidget(client, std::string(WINDOW_NAME) + ": console", myLines);
    myInput =
        new CTextInputWidget(client, types_rect(10, 190, 400, 20), false,
                             std::string(WINDOW_NAME) + ": input", INPUT_SPRITE, "", CURSOR_SPRITE);
    myInput->SetLayout("parent.x", "parent.y + parent.h - 20", "parent.w", "20");
    myInput->GetReturnSignal().Connect(this, &CConsoleWindow::Execute);
    myInput->GetUpSignal().Connect(this, &CConsoleWindow::HistoryBack);
    myInput->GetDownSignal().Connect(this, &CConsoleWindow::HistoryForward);
    myInput->GetTabSignal().Connect(this, &CConsoleWindow::Complete);
    myHistory.ResetPosition();
    // Ready for typing at once.
    myInput->RequestFocus();
}

void CConsoleWindow::Execute() {
    if (!IsOpen()) return;
    const std::string line = myInput->GetText();
    myInput->SetText("");
    myHistory.Add(line);
    if (Trim(line, " \t").empty()) return;
    // Last: the line may close this window or stop the task that owns it.
    Console()->ExecuteLine(line, true);
}

void CConsoleWindow::HistoryBack() {
    if (!IsOpen()) return;
    if (auto text = myHistory.Back(myInput->GetText())) {
        myInput->SetText(*text);
        myInput->CursorEnd();
    }
}

void CConsoleWindow::HistoryForward() {
    if (!IsOpen()) return;
    if (auto text = myHistory.Forward()) {
        myInput->SetText(*text);
        myInput->CursorEnd();
    }
}

void CConsoleWindow::SetNamespaceConsole(const std::string& space, CConsole* console) {
    if (console)
        myNamespaces[ToUpper(space)] = console;
    else
        myNamespaces.erase(ToUpper(space));
}

void CConsoleWindow::Complete() {
    if (!IsOpen()) return;
    const std::string text = myInput->GetText();
    const size_t cursor = std::min(myInput->GetCursor(), text.size());
    // A name right after "space::" belongs to that task's console.
    CConsole* console = Console();
    size_t start = cursor;
    while (start > 0 &&
           (std::isalnum(static_cast<unsigned char>(text[start - 1])) || text[start - 1] == '_'))
        --start;
    if (start >= 2 && text.compare(start - 2, 2, "::") == 0) {
        size_t spaceStart = start - 2;
        while (spaceStart > 0 && (std::isalnum(static_cast<unsigned char>(text[spaceStart - 1])) ||
                                  text[spaceStart - 1] == '_'))
            --spaceStart;
        auto it = myNamespaces.find(ToUpper(text.substr(spaceStart, start - 2 - spaceStart)));
        if (it == myNamespaces.end()) return;
        console = it->second;
    }
    const CCompletion completion = CompleteName(text, cursor, GetConsoleNames(*console));
    myInput->SetText(completion.line);
    myInput->SetCursor(completion.cursor);
    if (completion.candidates.size() < 2) return;
    std::string list;
    for (size_t i = 0; i < completion.candidates.size() && i < MAX_LISTED; ++i) {
        const std::string& name = completion.candidates[i];
        list += (i ? ", " : "") + (console->IsCaseSensitive() ? name : ToLower(name));
    }
    if (completion.candidates.size() > MAX_LISTED)
        list += " ... (" + std::to_string(completion.candidates.size()) + " in all)";
    CLog::GetSingleton()->Printf("%s\n", list.c_str());
}

}  // namespace vorn::ui
