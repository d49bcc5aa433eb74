#include "vorn/ui/CConsoleWindow.h"

#include <algorithm>
#include <cctype>

#include "vorn/console/CConsole.h"
#include "vorn/console/CLog.h"
#include "vorn/tasks/CApplicationFactory.h"
#include "vorn/tasks/CTask.h"
#include "vorn/tasks/CTaskFactory.h"
#include "vorn/ui/CConsoleWidget.h"
#include "vorn/ui/CDesktopWidget.h"
#include "vorn/ui/CLogListenerForConsole.h"
#include "vorn/ui/CTextInputWidget.h"
#include "vorn/ui/CWindowWidget.h"
#include "vorn/ui/ConsoleCompletion.h"
#include "vorn/utils/string/StringUtils.h"

namespace vorn::ui {

namespace {

// The console's window: a click anywhere in it (title bar, output, border)
// gives the input line the keyboard focus, so that keys typed next never
// run key bindings while the console is open.
class CConsoleWindowWidget : public CWindowWidget {
public:
    using CWindowWidget::CWindowWidget;

    void SetFocusTarget(CWidget* target) {
        myTarget = target;
        myTargetGuard = target ? target->MakeGuard() : CGuard();
    }
    void HandleEvent(IEvent& event) override {
        auto* focus = dynamic_cast<CFocusEvent*>(&event);
        if (focus && event.type == EVENT_FOCUS_REQUEST && myTarget && myTargetGuard.IsAlive()) {
            focus->handled = true;
            myTarget->RequestFocus();
            return;
        }
        CWindowWidget::HandleEvent(event);
    }

private:
    CWidget* myTarget = nullptr;
    CGuard myTargetGuard;
};

// "a, b, c" of at most max names, with the count of all when cut short.
std::string ListNames(const std::vector<std::string>& names, size_t max) {
    std::string list;
    for (size_t i = 0; i < names.size() && i < max; ++i)
        list += (i ? ", " : "") + names[i];
    if (names.size() > max) list += " ... (" + std::to_string(names.size()) + " in all)";
    return list;
}

bool IsNameCharacter(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

}  // namespace

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

void CConsoleWindow::Close() {
    if (IsOpen()) Toggle();
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
    auto* window =
        new CConsoleWindowWidget(CDesktopWidget::GetSingleton(), types_rect(10, 10, 400, 200),
                                 false, WINDOW_NAME, BACKGROUND_SPRITE);
    myWindow = window;
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
    myInput->GetEscapeSignal().Connect(this, &CConsoleWindow::Close);
    window->SetFocusTarget(myInput);
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

CConsole* CConsoleWindow::FindNamespaceConsole(const std::string& space) const {
    auto it = myNamespaces.find(ToUpper(space));
    if (it != myNamespaces.end()) return it->second;
    // Instance names are compared exactly, as "name::" does.
    CTaskFactory* factory = CTaskFactory::PeekSingleton();
    CTask* task = factory ? factory->FindTask(space) : nullptr;
    return task && !task->IsStopped() ? task->GetCommandConsole() : nullptr;
}

void CConsoleWindow::Complete() {
    if (!IsOpen()) return;
    const std::string text = myInput->GetText();
    const size_t cursor = std::min(myInput->GetCursor(), text.size());
    const size_t start = NameStart(text, cursor);
    CLog* log = CLog::GetSingleton();

    // A name right after "space::" belongs to that task's console.
    std::vector<std::string> names;
    std::vector<std::string> tasks;
    std::string space;
    const bool inSpace = start >= 2 && text.compare(start - 2, 2, "::") == 0;
    if (inSpace) {
        size_t spaceStart = start - 2;
        while (spaceStart > 0 && IsNameCharacter(text[spaceStart - 1]))
            --spaceStart;
        space = text.substr(spaceStart, start - 2 - spaceStart);
        CConsole* console = FindNamespaceConsole(space);
        if (!console) {
            log->Printf("No task named %s offers commands\n", space.c_str());
            return;
        }
        names = GetConsoleNames(*console);
    } else {
        names = GetConsoleNames(*Console());
        tasks = GetTaskNames();
        names.insert(names.end(), tasks.begin(), tasks.end());
    }

    if (start == cursor) {
        // Nothing typed: on an empty line, or right after "space::", list
        // what may come.
        if (!inSpace && !Trim(text.substr(0, cursor), " \t").empty()) return;
        if (inSpace) {
            std::sort(names.begin(), names.end());
            log->Printf("%s:: %s\n", space.c_str(), ListNames(names, MAX_LISTED).c_str());
            return;
        }
        std::vector<std::string> commands = Console()->GetCommandNames();
        std::sort(commands.begin(), commands.end());
        for (std::string& task : tasks)
            task += "::";
        log->Printf("Commands: %s\n", ListNames(commands, MAX_LISTED).c_str());
        log->Printf("Tasks: %s\n", ListNames(tasks, MAX_LISTED).c_str());
        return;
    }

    CCompletion completion = CompleteName(text, cursor, names);
    // A task name completed in full goes on with "::".
    if (completion.candidates.size() == 1 && !inSpace) {
        const std::string& name = completion.candidates.front();
        const bool isTask = std::find(tasks.begin(), tasks.end(), name) != tasks.end();
        const bool isOther = std::count(names.begin(), names.end(), name) > (isTask ? 1 : 0);
        if (isTask && !isOther && completion.line.compare(completion.cursor, 2, "::") != 0) {
            completion.line.insert(completion.cursor, "::");
            completion.cursor += 2;
        }
    }
    myInput->SetText(completion.line);
    myInput->SetCursor(completion.cursor);
    if (completion.candidates.size() < 2) return;
    log->Printf("%s\n", ListNames(completion.candidates, MAX_LISTED).c_str());
}

}  // namespace vorn::ui
