#pragma once

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "vorn/designpatterns/singleton/CStaticSingleton.h"

namespace vorn {

class ILogListener;
class CLogListenerForFile;

// The engine's diagnostics channel. Text is written as a stream or printf-style,
// assembled into lines and handed to every listener with a level:
//   3 error, 2 warning, 1 normal (default), 0 debug, -1 outdent, -2 indent.
// The level set by Error()/Warning()/Debug() applies to the next completed line
// and then returns to normal. A line feed, carriage return or NUL completes a line.
//
//   CLog::GetSingleton()->Error() << "TaskLoad failed - " << name << std::endl;
//   CLog::GetSingleton()->Printf("[ERROR] Trying to start a task %s ...\n", name);
class CLog {
public:
    enum Level {
        LEVEL_OUTDENT = -1,
        LEVEL_INDENT = -2,
        LEVEL_DEBUG = 0,
        LEVEL_NORMAL = 1,
        LEVEL_WARNING = 2,
        LEVEL_ERROR = 3
    };

    static CLog* GetSingleton() { return CStaticSingleton<CLog>::GetSingleton(); }
    static void DeleteSingleton() { CStaticSingleton<CLog>::DeleteSingleton(); }

    // Listeners are notified in the order added; null is ignored.
    void AddListener(ILogListener* listener);
    void RemoveListener(ILogListener* listener);

    void Write(const std::string& text);
    // Formats into a 1024-byte buffer (longer output is cut short), then Write.
    void Printf(const char* format, ...) __attribute__((format(printf, 2, 3)));

    CLog& Error();
    CLog& Warning();
    CLog& Debug();
    void Indent();
    void Outdent();

    template <class T>
    CLog& operator<<(const T& value) {
        std::ostringstream out;
        out << value;
        Write(out.str());
        return *this;
    }
    CLog& operator<<(const std::string& text) {
        Write(text);
        return *this;
    }
    CLog& operator<<(const char* text) {
        Write(text ? text : "");
        return *this;
    }
    // std::endl and friends.
    CLog& operator<<(std::ostream& (*manipulator)(std::ostream&));

    static constexpr size_t PRINTF_BUFFER_SIZE = 1024;

private:
    friend class CStaticSingleton<CLog>;
    CLog();
    ~CLog();

    void CompleteLine();

    std::vector<ILogListener*> myListeners;
    std::unique_ptr<CLogListenerForFile> myFileListener;
    int myLevel = LEVEL_NORMAL;
    std::string myPending;
};

}  // namespace vorn
