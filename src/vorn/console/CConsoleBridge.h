#pragma once

#include "vorn/console/CConsole.h"

namespace vorn {

// The main console's class: echoes executed lines to the log and sends
// "task::line" to the task of that name through the task factory.
class CConsoleBridge : public CConsole {
public:
    std::string ExecuteLine(const std::string& line, bool echo = false) override;
    std::string ExecuteInNamespace(const std::string& space, const std::string& text) override;
};

}  // namespace vorn
