#pragma once

#include <string>

namespace vorn {

// Receives every completed log line. Listeners are not owned by the log and
// must remove themselves (CLog::RemoveListener) before they are destroyed.
class ILogListener {
public:
    virtual ~ILogListener() = default;
    // text ends with its line feed, or is empty for the indentation levels -1/-2.
    virtual void OnLogLine(const std::string& text, int level) = 0;
};

}  // namespace vorn
