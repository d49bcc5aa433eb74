#pragma once

#include <memory>
#include <string>
#include <vector>

#include "vorn/tasks/CTaskConsole.h"

namespace vorn {

class CConsole;
class CConsoleCommand;
class CTaskWindowSDL;

// The window task's private console with its commands, reached from the main
// console as "<task name>::Command(...)":
//
//   SetName(name)             window caption (no argument: empty caption)
//   Resize(width, height)     each number given replaces the current value;
//                             Resize() applies the current size again
//   SetIcon(file)             window icon from a BMP of at most 32 x 32 pixels
//   Fullscreen                toggles full screen and redraws everything
//   Screenshot(file)          saves the screen as a BMP; ".bmp" is added to a
//                             name that does not end in it
//
// Misuse is answered in the result text (and in the log, since lines sent to a
// task's namespace drop their result). The task must outlive this object.
class CWindowCommandsSDL {
public:
    explicit CWindowCommandsSDL(CTaskWindowSDL* task);
    ~CWindowCommandsSDL();
    CWindowCommandsSDL(const CWindowCommandsSDL&) = delete;
    CWindowCommandsSDL& operator=(const CWindowCommandsSDL&) = delete;

    std::string ExecuteLine(const std::string& line);
    CConsole* GetConsole() const { return myConsole.GetConsole(); }

private:
    CTaskConsole myConsole;
};

}  // namespace vorn
