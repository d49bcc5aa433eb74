#pragma once

#include <climits>
#include <cstdint>
#include <memory>
#include <string>

#include "vorn/tasks/CTask.h"
#include "vorn/utils/math/CRect.h"
#include "vorn/utils/timer/CTimer.h"

namespace k4gui {
class CGuiElement;
}

namespace vorn {

class CConsole;
class CTextSprite;
class ITaskRecordingDeviceImpl;

namespace ui {
class CConsoleWindow;
class CLogListenerForConsole;
}  // namespace ui

// Task type "debug", the developer's tools: a frame counter in a corner of
// the screen (drag it away with the mouse), the console window, and the
// commands of DebugCommands.h on a private console, reached as
// "<task name>::Command(...)". It owns the input recorder or player those
// commands make and updates it every frame.
class CTaskDebug : public CTask {
public:
    // The counter shows the passes of each period this long.
    static constexpr uint32_t SAMPLE_TIME = 1000;

    CTaskDebug();
    ~CTaskDebug() override;

    bool Init() override;
    // Closes a console window that asked to, counts the frame, updates the
    // counter once per period and the input device.
    void Update() override;
    void Exit() override;
    // Runs text on the private console; the result goes to the log only.
    bool ExecuteNamespaceLine(const std::string& text) override;

    // Opens the console window (made on first use) or closes it. Without a
    // running UI task it logs a warning and opens nothing.
    void ToggleConsole();
    // Takes ownership of device (null: none), deleting the previous one.
    void SetInputDevice(ITaskRecordingDeviceImpl* device);
    ITaskRecordingDeviceImpl* GetInputDevice() const { return myInputDevice.get(); }

    ui::CConsoleWindow* GetConsoleWindow() const { return myConsoleWindow.get(); }
    CConsole* GetConsole() const { return myConsole.get(); }
    CConsole* GetCommandConsole() const override { return GetConsole(); }
    CTextSprite* GetFpsText() const { return myFpsText; }
    k4gui::CGuiElement* GetFpsElement() const { return myFpsElement.get(); }
    unsigned GetFrameCount() const { return myFrameCount; }
    double GetAverage() const { return myAverage; }
    unsigned GetMinimum() const { return myMinimum; }
    unsigned GetMaximum() const { return myMaximum; }
    // The history file of the console window ("" keeps it in memory only).
    void SetHistoryFile(const std::string& fileName) { myHistoryFile = fileName; }

private:
    void BuildCounter();
    // Takes the commands' pointers back from this task.
    void ForgetCommands();
    void Sample();
    // Moves the counter off a maximized console window's buttons, and back
    // once the window is restored or closed.
    void KeepCounterClear();

    std::unique_ptr<CConsole> myConsole;
    std::unique_ptr<ui::CConsoleWindow> myConsoleWindow;
    // Owned by the GUI element.
    CTextSprite* myFpsText = nullptr;
    std::unique_ptr<k4gui::CGuiElement> myFpsElement;
    uint32_t myLastSample = 0;
    unsigned myFrameCount = 0;
    double myAverage = 0;
    unsigned myMinimum = UINT_MAX;
    unsigned myMaximum = 0;
    std::unique_ptr<ITaskRecordingDeviceImpl> myInputDevice;
    CTimer myTimer;
    // The console's output from the task's start on, shown by the window.
    std::shared_ptr<ui::CLogListenerForConsole> myConsoleLines;
    std::string myHistoryFile;
    // Where the counter was before it made way for the console's buttons,
    // and where it went.
    bool myCounterMoved = false;
    types_point myCounterHome;
    types_point myCounterAside;
};

}  // namespace vorn
