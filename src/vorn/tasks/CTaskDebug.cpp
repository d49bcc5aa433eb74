#include "vorn/tasks/CTaskDebug.h"

#include <algorithm>

#include "vorn/console/CConsole.h"
#include "vorn/console/CLog.h"
#include "vorn/gfx/CColor.h"
#include "vorn/gfx/CFont.h"
#include "vorn/gfx/CScreenLayer.h"
#include "vorn/gfx/CSprite.h"
#include "vorn/gfx/CSystemFontLoader.h"
#include "vorn/gfx/CTextSprite.h"
#include "vorn/gfx/Gfx.h"
#include "vorn/gfx/IPixel.h"
#include "vorn/input/CGuiElement.h"
#include "vorn/input/ITaskRecordingDeviceImpl.h"
#include "vorn/tasks/CApplicationFactory.h"
#include "vorn/tasks/DebugCommands.h"
#include "vorn/ui/CButtonWidget.h"
#include "vorn/ui/CConsoleWindow.h"
#include "vorn/ui/CLogListenerForConsole.h"
#include "vorn/ui/CUiTask.h"
#include "vorn/ui/CWindowWidget.h"

namespace vorn {

namespace {

// The counter: a text on a half-transparent backdrop in the top-right corner.
constexpr int BACKDROP_W = 125;
constexpr int BACKDROP_H = 25;
constexpr int TEXT_W = 75;
constexpr int TEXT_H = 20;
constexpr int BACKDROP_Z = -5;
constexpr int TEXT_Z = -6;
constexpr int MARGIN = 5;

}  // namespace

CTaskDebug::CTaskDebug() : myHistoryFile(ui::CConsoleWindow::HISTORY_FILE) {}

CTaskDebug::~CTaskDebug() {
    // A task deleted without being stopped must not leave the commands
    // pointing at it.
    ForgetCommands();
}

void CTaskDebug::ForgetCommands() {
    if (GetToggleConsoleCommand().GetTask() == this) GetToggleConsoleCommand().SetTask(nullptr);
    if (GetRecordInputCommand().GetTask() == this) GetRecordInputCommand().SetTask(nullptr);
    if (GetPlaybackInputCommand().GetTask() == this) GetPlaybackInputCommand().SetTask(nullptr);
}

bool CTaskDebug::Init() {
    GetToggleConsoleCommand().SetTask(this);
    GetRecordInputCommand().SetTask(this);
    GetPlaybackInputCommand().SetTask(this);

    myConsole.reset(CApplicationFactory::GetSingleton()->CreateConsole());
    myConsole->AddCommand("ToggleConsole", &GetToggleConsoleCommand());
    myConsole->AddCommand("BanAsserts", &GetBanAssertsCommand());
    myConsole->AddCommand("RecordInput", &GetRecordInputCommand());
    myConsole->AddCommand("PlaybackInput", &GetPlaybackInputCommand());
    myConsole->AddCommand("Screenshot", &GetScreenshotCommand());

    myConsoleLines = std::make_shared<ui::CLogListenerForConsole>();
    BuildCounter();
    myLastSample = myTimer.GetTime();
    return true;
}

void CTaskDebug::BuildCounter() {
    auto* font = new CFont;
    CSystemFontLoader(font, "");

    IPixel* image = Gfx::NewBuffer(BACKDROP_W, BACKDROP_H);
    if (image && !image->Empty()) {
        image->SetParameter(IPixel::PARAM_CLEAR_COLOR, CColor(255, 0, 255, 255).ToARGB());
        image->Clean(types_rect(0, 0, BACKDROP_W, BACKDROP_H));
    }
    auto* backdrop = new CSprite(image);
    backdrop->SetAlpha(128);
    backdrop->SetZ(BACKDROP_Z);
    backdrop->SetLayer(CScreenLayer::GetSingleton());

    auto* text = new CTextSprite;
    text->SetFont(font);
    text->SetBackdrop(backdrop);
    text->SetZ(TEXT_Z);
    text->Resize(TEXT_W, TEXT_H);
    text->SetFontStartPosition(types_point(4, 2));
    IPixel* screen = Gfx::GetScreenSurface();
    const int x = screen && screen->GetWidth() > TEXT_W + MARGIN
                      ? screen->GetWidth() - TEXT_W - MARGIN
                      : MARGIN;
    text->MoveTo(x, MARGIN);
    text->SetText("Fps: ");
    text->SetLayer(CScreenLayer::GetSingleton());
    myFpsText = text;
    myFpsElement = std::make_unique<k4gui::CGuiElement>(text);
}

void CTaskDebug::Update() {
    if (myConsoleWindow && myConsoleWindow->IsCloseRequested()) myConsoleWindow->Toggle();
    KeepCounterClear();
    ++myFrameCount;
    if (myTimer.GetTime() - myLastSample >= SAMPLE_TIME) Sample();
    if (myInputDevice) myInputDevice->Update();
}

void CTaskDebug::KeepCounterClear() {
    if (!myFpsText) return;
    ui::CWindowWidget* window = myConsoleWindow ? myConsoleWindow->GetWindow() : nullptr;
    const types_rect counter = myFpsText->GetRect();
    if (window && window->IsMaximized()) {
        const types_rect maximize = window->GetMaximizeButton()->GetRect();
        const types_rect close = window->GetCloseButton()->GetRect();
        if (!counter.Intersects(maximize) && !counter.Intersects(close)) return;
        // Aside, to the left of the buttons, on the title bar.
        if (!myCounterMoved) myCounterHome = types_point(counter.x, counter.y);
        myCounterMoved = true;
        myFpsText->MoveTo(std::max(0, maximize.x - counter.w - MARGIN), maximize.y);
        myCounterAside = types_point(myFpsText->GetRect().x, myFpsText->GetRect().y);
        return;
    }
    if (!myCounterMoved) return;
    myCounterMoved = false;
    // Back home, unless it was dragged elsewhere meanwhile.
    if (counter.x == myCounterAside.x && counter.y == myCounterAside.y)
        myFpsText->MoveTo(myCounterHome.x, myCounterHome.y);
}

void CTaskDebug::Sample() {
    if (myAverage <= 1.0) myAverage = myFrameCount;
    // The sum is kept in single precision, as the counter always did.
    myAverage = double(float(myFrameCount + myAverage)) * 0.5;
    myMinimum = std::min(myMinimum, myFrameCount);
    myMaximum = std::max(myMaximum, myFrameCount);
    if (myFpsText) myFpsText->SetText("Fps: " + std::to_string(myFrameCount));
    myFrameCount = 0;
    myLastSample = myTimer.GetTime();
}

void CTaskDebug::Exit() {
    // All three: a recording command must not reach a stopped task either.
    ForgetCommands();
    myConsoleWindow.reset();
    myFpsElement.reset();
    myFpsText = nullptr;
    myConsole.reset();
    myInputDevice.reset();
    myConsoleLines.reset();
}

bool CTaskDebug::ExecuteNamespaceLine(const std::string& text) {
    if (myConsole) myConsole->ExecuteLine(text, false);
    return true;
}

void CTaskDebug::ToggleConsole() {
    const bool open = myConsoleWindow && myConsoleWindow->IsOpen();
    if (!open && !ui::CUiTask::IsAnyRunning()) {
        // Without the UI task no key would reach the window's input line.
        CLog::GetSingleton()->Printf(
            "[WARNING] ToggleConsole: there is no running ui task to show the console in\n");
        return;
    }
    if (!myConsoleWindow)
        myConsoleWindow =
            std::make_unique<ui::CConsoleWindow>(myHistoryFile, myConsoleLines, nullptr);
    myConsoleWindow->Toggle();
}

void CTaskDebug::SetInputDevice(ITaskRecordingDeviceImpl* device) {
    // The old device goes first: a recorder closes before a player starts.
    myInputDevice.reset();
    myInputDevice.reset(device);
}

}  // namespace vorn
