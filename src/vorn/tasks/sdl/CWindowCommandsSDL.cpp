#include "vorn/tasks/sdl/CWindowCommandsSDL.h"

#include <algorithm>
#include <cctype>

#include "vorn/console/CConsole.h"
#include "vorn/console/CConsoleCommand.h"
#include "vorn/console/CLog.h"
#include "vorn/console/CVariable.h"
#include "vorn/tasks/CApplicationFactory.h"
#include "vorn/tasks/CTaskWindowSDL.h"

namespace vorn {

namespace {

// Misuse goes to the log too: a line sent to a task's namespace drops results.
std::string Complain(const std::string& text) {
    CLog::GetSingleton()->Write(text + "\n");
    return text;
}

class CCmdSetName : public CConsoleCommand {
public:
    explicit CCmdSetName(CTaskWindowSDL* task) : myTask(task) {}
    std::string Execute(CVariableList* params) override {
        myTask->SetWindowName(params && !params->Empty() ? params->GetString(0) : "");
        return "";
    }
    std::string Execute() override {
        myTask->SetWindowName("");
        return "";
    }

private:
    CTaskWindowSDL* myTask;
};

class CCmdResize : public CConsoleCommand {
public:
    explicit CCmdResize(CTaskWindowSDL* task) : myTask(task) {}
    std::string Execute(CVariableList* params) override {
        double width = myTask->GetWidth(), height = myTask->GetHeight();
        if (params && params->IsType(0, CVariable::TYPE_NUMBER)) width = params->GetNumber(0);
        if (params && params->IsType(1, CVariable::TYPE_NUMBER)) height = params->GetNumber(1);
        if (!CTaskWindowSDL::IsWindowSizeAllowed(width, height))
            return Complain("[ERROR] Resize: a window cannot be " + NumberToString(width) + " x " +
                            NumberToString(height) + " pixels");
        myTask->SetSize(static_cast<int>(width), static_cast<int>(height));
        myTask->PostResize();
        return "";
    }
    std::string Execute() override { return Execute(nullptr); }

private:
    CTaskWindowSDL* myTask;
};

class CCmdSetIcon : public CConsoleCommand {
public:
    explicit CCmdSetIcon(CTaskWindowSDL* task) : myTask(task) {}
    std::string Execute(CVariableList* params) override {
        if (!params || params->Empty()) return Execute();
        myTask->SetIcon(params->GetString(0));
        return "";
    }
    std::string Execute() override {
        return Complain("[ERROR] You have to give atleast one parameter");
    }

private:
    CTaskWindowSDL* myTask;
};

class CCmdFullscreen : public CConsoleCommand {
public:
    explicit CCmdFullscreen(CTaskWindowSDL* task) : myTask(task) {}
    std::string Execute() override {
        myTask->ToggleFullscreen();
        return "";
    }

private:
    CTaskWindowSDL* myTask;
};

class CCmdScreenshot : public CConsoleCommand {
public:
    explicit CCmdScreenshot(CTaskWindowSDL* task) : myTask(task) {}
    std::string Execute(CVariableList* params) override {
        if (!params || params->Empty() || params->GetString(0).empty()) return Execute();
        std::string fileName = params->GetString(0);
        std::string lower = fileName;
        std::transform(lower.begin(), lower.end(), lower.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (lower.size() < 4 || lower.compare(lower.size() - 4, 4, ".bmp") != 0) fileName += ".bmp";
        if (!myTask->SaveScreenshot(fileName))
            return "[ERROR] Screenshot: could not save " + fileName;
        return "Screenshot saved to " + fileName;
    }
    std::string Execute() override {
        return Complain("[ERROR] Screenshot( filename ) needs the name of the file to write.");
    }

private:
    CTaskWindowSDL* myTask;
};

}  // namespace

CWindowCommandsSDL::CWindowCommandsSDL(CTaskWindowSDL* task) {
    auto add = [this](const std::string& name, CConsoleCommand* command) {
        myConsole.AddCommand(name, command);
    };
    add("SetName", new CCmdSetName(task));
    add("Resize", new CCmdResize(task));
    add("SetIcon", new CCmdSetIcon(task));
    add("Fullscreen", new CCmdFullscreen(task));
    add("Screenshot", new CCmdScreenshot(task));
}

CWindowCommandsSDL::~CWindowCommandsSDL() = default;

std::string CWindowCommandsSDL::ExecuteLine(const std::string& line) {
    // Results go to the caller only, not to the log.
    return myConsole.GetConsole()->ExecuteLine(line, false);
}

}  // namespace vorn
