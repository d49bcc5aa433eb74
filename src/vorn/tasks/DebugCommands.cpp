#include "vorn/tasks/DebugCommands.h"

#include <cmath>
#include <filesystem>
#include <system_error>

#include "vorn/console/CLog.h"
#include "vorn/console/CVariable.h"
#include "vorn/input/CPlaybackMouse.h"
#include "vorn/input/CRecordMouse.h"
#include "vorn/io/CFileSystem.h"
#include "vorn/tasks/CTaskDebug.h"
#include "vorn/tasks/CTaskFactory.h"
#include "vorn/utils/string/StringUtils.h"

namespace vorn {

namespace {

bool gAssertsBanned = false;

// The largest screenshot number handed out.
constexpr long long MAX_SCREENSHOT_NUMBER = 99999999;

void LogError(const char* text) {
    CLog::GetSingleton()->Error() << text << "\n";
}

}  // namespace

bool AreAssertsBanned() {
    return gAssertsBanned;
}

void SetAssertsBanned(bool banned) {
    gAssertsBanned = banned;
}

// --- ToggleConsole ------------------------------------------------------------------

std::string CConsoleCmdToggleConsole::Execute(CVariableList*) {
    return Execute();
}

std::string CConsoleCmdToggleConsole::Execute() {
    if (CTaskDebug* task = GetTask()) task->ToggleConsole();
    return "";
}

// --- BanAsserts --------------------------------------------------------------------------

const char* const CConsoleCmdBanAsserts::USAGE =
    "BanAsserts - command, need atleast on parameter. 1 = ban assert dialog box, 0 = allow "
    "assert dialog box.";

std::string CConsoleCmdBanAsserts::Execute(CVariableList* params) {
    if (!params) return Execute();
    if (params->Empty()) return "";
    if (!params->IsType(0, CVariable::TYPE_NUMBER)) {
        LogError(USAGE);
        SetAssertsBanned(true);
        return "";
    }
    // Truncated toward zero: 0.5 allows, as 0 does; NaN and huge values ban.
    const double number = params->GetNumber(0);
    SetAssertsBanned(!(std::fabs(number) < 1.0));
    return "";
}

std::string CConsoleCmdBanAsserts::Execute() {
    LogError(USAGE);
    return "";
}

// --- RecordInput and PlaybackInput ---------------------------------------------------

const char* const CConsoleCmdRecordInput::USAGE =
    "RecordInput -command, requires atleast one parameter, the file recording is saved to.";

std::string CConsoleCmdRecordInput::Execute(CVariableList* params) {
    CTaskDebug* task = GetTask();
    if (!HasFirstString(params) || !task) return Execute();
    task->SetInputDevice(nullptr);
    task->SetInputDevice(new CRecordMouse(params->GetString(0)));
    return "";
}

std::string CConsoleCmdRecordInput::Execute() {
    LogError(USAGE);
    return "";
}

const char* const CConsoleCmdPlaybackInput::USAGE =
    "PlaybackInput -command, requires atleast one parameter, the file recording is saved to.";

std::string CConsoleCmdPlaybackInput::Execute(CVariableList* params) {
    CTaskDebug* task = GetTask();
    if (!HasFirstString(params) || !task) return Execute();
    int mode = CPlaybackMouse::MODE_STEPPED;
    if (params->Size() > 1) {
        const double number = params->GetNumber(1);
        if (params->IsType(1, CVariable::TYPE_NUMBER) && number >= 0 && number <= 2 &&
            number == std::floor(number)) {
            mode = int(number);
        } else {
            CLog::GetSingleton()->Printf(
                "[WARNING] PlaybackInput: the mode is 0, 1 or 2, not %s; using 2\n",
                params->GetString(1).c_str());
        }
    }
    // The recorder, if one runs, closes its file before the player reads it.
    task->SetInputDevice(nullptr);
    task->SetInputDevice(new CPlaybackMouse(params->GetString(0), mode));
    return "";
}

std::string CConsoleCmdPlaybackInput::Execute() {
    LogError(USAGE);
    return "";
}

// --- Screenshot --------------------------------------------------------------------------

std::string NextScreenshotName(const std::string& prefix) {
    namespace fs = std::filesystem;
    const fs::path path(prefix);
    const std::string stem = path.filename().string();
    if (stem.empty()) {
        CLog::GetSingleton()->Printf("[ERROR] Screenshot: \"%s\" names no file\n", prefix.c_str());
        return "";
    }
    const fs::path folder = path.parent_path();
    std::error_code error;
    if (!folder.empty()) CFileSystem::GetSingleton()->CreateFoldersFor(prefix);
    long long highest = 0;
    fs::directory_iterator entries(folder.empty() ? fs::path(".") : folder, error);
    if (error) {
        CLog::GetSingleton()->Printf("[ERROR] Screenshot: cannot read the folder of %s\n",
                                     prefix.c_str());
        return "";
    }
    const std::string start = stem + "_";
    for (const fs::directory_entry& entry : entries) {
        const std::string name = entry.path().filename().string();
        if (name.size() <= start.size() + 4 || name.compare(0, start.size(), start) != 0) continue;
        if (ToLower(name.substr(name.size() - 4)) != ".bmp") continue;
        const std::string digits = name.substr(start.size(), name.size() - start.size() - 4);
        if (digits.empty() || digits.size() > 9 ||
            digits.find_first_not_of("0123456789") != std::string::npos)
            continue;
        highest = std::max(highest, std::stoll(digits));
    }
    for (long long number = highest + 1; number <= MAX_SCREENSHOT_NUMBER; ++number) {
        std::string digits = std::to_string(number);
        if (digits.size() < 4) digits.insert(0, 4 - digits.size(), '0');
        const fs::path candidate = folder / (start + digits + ".bmp");
        if (!fs::exists(candidate, error)) return candidate.generic_string();
    }
    CLog::GetSingleton()->Printf("[ERROR] Screenshot: the numbers for %s are used up\n",
                                 prefix.c_str());
    return "";
}

std::string CConsoleCmdScreenshot::Execute(CVariableList* params) {
    std::string prefix = "screenshot";
    std::string window = "window";
    if (params && !params->GetString(0).empty()) prefix = params->GetString(0);
    if (params && !params->GetString(1).empty()) window = params->GetString(1);
    if (prefix.find('"') != std::string::npos) {
        LogError("Screenshot: the file name may not contain a double quote.");
        return "";
    }
    const std::string fileName = NextScreenshotName(prefix);
    if (fileName.empty()) return "";
    if (!CTaskFactory::GetSingleton()->SendToNamespace(window, "Screenshot(\"" + fileName + "\")"))
        CLog::GetSingleton()->Printf("[ERROR] Screenshot: there is no window task named %s\n",
                                     window.c_str());
    return "";
}

std::string CConsoleCmdScreenshot::Execute() {
    return Execute(nullptr);
}

// --- the process-wide command objects --------------------------------------------

CConsoleCmdToggleConsole& GetToggleConsoleCommand() {
    static CConsoleCmdToggleConsole command;
    return command;
}

CConsoleCmdBanAsserts& GetBanAssertsCommand() {
    static CConsoleCmdBanAsserts command;
    return command;
}

CConsoleCmdRecordInput& GetRecordInputCommand() {
    static CConsoleCmdRecordInput command;
    return command;
}

CConsoleCmdPlaybackInput& GetPlaybackInputCommand() {
    static CConsoleCmdPlaybackInput command;
    return command;
}

CConsoleCmdScreenshot& GetScreenshotCommand() {
    static CConsoleCmdScreenshot command;
    return command;
}

}  // namespace vorn
