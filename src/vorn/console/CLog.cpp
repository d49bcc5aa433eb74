#include "vorn/console/CLog.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

#include "vorn/console/CLogListenerForFile.h"

namespace vorn {

CLog::CLog() : myFileListener(new CLogListenerForFile("log.txt", "Vorn version 0.23")) {
    myFileListener->SetMinimumLevel(LEVEL_DEBUG);
    myListeners.push_back(myFileListener.get());
}

CLog::~CLog() = default;

void CLog::AddListener(ILogListener* listener) {
    if (listener) myListeners.push_back(listener);
}

void CLog::RemoveListener(ILogListener* listener) {
    myListeners.erase(std::remove(myListeners.begin(), myListeners.end(), listener),
                      myListeners.end());
}

void CLog::Write(const std::string& text) {
    for (char c : text) {
        if (c == '\n' || c == '\r' || c == '\0') {
            CompleteLine();
        } else {
            myPending += c;
        }
    }
}

void CLog::CompleteLine() {
    const std::string line = myPending + "\n";
    const int level = myLevel;
    myPending.clear();
    myLevel = LEVEL_NORMAL;
    // A listener may remove itself while being told.
    const std::vector<ILogListener*> listeners(myListeners);
    for (ILogListener* listener : listeners) {
        if (std::find(myListeners.begin(), myListeners.end(), listener) != myListeners.end())
            listener->OnLogLine(line, level);
    }
}

void CLog::Printf(const char* format, ...) {
    if (!format) return;
    char buffer[PRINTF_BUFFER_SIZE];
    va_list args;
    va_start(args, format);
    const int written = vsnprintf(buffer, sizeof(buffer), format, args);
    va_end(args);
    if (written < 0) return;
    // vsnprintf cuts long output short and always terminates it.
    Write(std::string(buffer));
}

CLog& CLog::Error() {
    myLevel = LEVEL_ERROR;
    return *this;
}

CLog& CLog::Warning() {
    myLevel = LEVEL_WARNING;
    return *this;
}

CLog& CLog::Debug() {
    myLevel = LEVEL_DEBUG;
    return *this;
}

void CLog::Indent() {
    const std::vector<ILogListener*> listeners(myListeners);
    for (ILogListener* listener : listeners)
        listener->OnLogLine("", LEVEL_INDENT);
}

void CLog::Outdent() {
    const std::vector<ILogListener*> listeners(myListeners);
    for (ILogListener* listener : listeners)
        listener->OnLogLine("", LEVEL_OUTDENT);
}

CLog& CLog::operator<<(std::ostream& (*manipulator)(std::ostream&)) {
    std::ostringstream out;
    out << manipulator;
    Write(out.str());
    return *this;
}

}  // namespace vorn
