#pragma once

#include "vorn/console/CConsoleCommand.h"

// The cursor commands of the mouse task, reached as "<task name>::Command":
//
//   CursorHide                   hides the cursor
//   CursorShow                   shows it again
//   CursorChangeTo(name)         a shape by name: cursor_arrow, cursor_cross,
//                                cursor_text, cursor_hand, cursor_busy,
//                                cursor_resize_horizontal, cursor_resize_vertical,
//                                cursor_resize_diagonal1, cursor_resize_diagonal2;
//                                any other name selects cursor_none (no change)
//   CaptureInput(1)              keeps pointer and keys in the window; 0 lets go
//
// Success returns ""; misuse returns an "[ERROR] ..." text.
namespace vorn {

class CConsoleCmdCursorHide : public CConsoleCommand {
public:
    std::string Execute() override;
};

class CConsoleCmdCursorShow : public CConsoleCommand {
public:
    std::string Execute() override;
};

class CConsoleCmdCursorChangeTo : public CConsoleCommand {
public:
    static const char* const USAGE;
    static const char* const NOT_A_NAME;
    std::string Execute(CVariableList* params) override;
    std::string Execute() override { return Execute(nullptr); }
};

class CConsoleCmdCaptureInput : public CConsoleCommand {
public:
    static const char* const NOT_A_NUMBER;
    std::string Execute(CVariableList* params) override;
    std::string Execute() override { return Execute(nullptr); }
};

}  // namespace vorn
