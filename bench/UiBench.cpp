// The widget toolkit under load: a desktop of three windows, each holding ten
// buttons placed by layout texts, with the windows themselves tiled across
// the desktop by layout texts.
//
//   BM_UiMouseMove      mouse moves through the event bridge and the UI task
//                       into the widgets (hover changes, border cursors)
//   BM_UiRelayout       the whole desktop re-placed after a window resize
//   BM_UiRelayoutWithSprites   the same with a sprite on every window and
//                       button, on an SDL screen (dummy driver); the images
//                       are scaled when next drawn
//   BM_UiRelayoutAndDraw  the same followed by the frame that shows it: the
//                       screen layer's update, which scales every image once
//
// Runs in a temporary folder: the sprites the windows ask for are missing
// there (the widgets then draw nothing), and the log goes there too.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "vorn/console/CLog.h"
#include "vorn/gfx/CGfxFactorySDL.h"
#include "vorn/gfx/CPixelScreenSDL.h"
#include "vorn/gfx/CScreenLayer.h"
#include "vorn/gfx/CSprite.h"
#include "vorn/gfx/Gfx.h"
#include "vorn/gfx/IPixel.h"
#include "vorn/input/CEventBridge.h"
#include "vorn/input/CKeyboard.h"
#include "vorn/ui/CButtonWidget.h"
#include "vorn/ui/CDesktopWidget.h"
#include "vorn/ui/CUiTask.h"
#include "vorn/ui/CWindowWidget.h"

namespace {

namespace fs = std::filesystem;

class CScopedFolder {
public:
    CScopedFolder() : myPrevious(fs::current_path()) {
        std::random_device random;
        myPath = fs::temp_directory_path() / ("vorn_ui_bench_" + std::to_string(random()));
        fs::create_directories(myPath);
        fs::current_path(myPath);
    }
    ~CScopedFolder() {
        vorn::CLog::DeleteSingleton();
        std::error_code error;
        fs::current_path(myPrevious, error);
        fs::remove_all(myPath, error);
    }

private:
    fs::path myPrevious;
    fs::path myPath;
};

// A button that counts the mouse events it is handed, to show the moves
// really reach the widgets.
class CCountingButton : public vorn::ui::CButtonWidget {
public:
    CCountingButton(vorn::ui::CWidget* parent, long* count)
        : CButtonWidget(parent, {}, false, "button", ""), myCount(count) {}
    void OnMouseEvent(vorn::ui::CMouseEvent& event) override {
        ++*myCount;
        CButtonWidget::OnMouseEvent(event);
    }

private:
    long* myCount;
};

struct CUiScene {
    CScopedFolder folder;
    vorn::ui::CUiTask task;
    long buttonEvents = 0;

    std::vector<vorn::ui::CWidget*> windows;
    std::vector<vorn::ui::CWidget*> buttons;

    CUiScene() {
        vorn::ui::CDesktopWidget::DeleteSingleton();
        vorn::CEventBridge::GetSingleton()->OnResize(800, 600);
        task.Init();
        using vorn::ui::CDesktopWidget;
        for (int w = 0; w < 3; ++w) {
            auto* window = new vorn::ui::CWindowWidget(CDesktopWidget::GetSingleton(), {}, false,
                                                       "window " + std::to_string(w), "");
            const std::string column = std::to_string(w);
            window->SetLayout("parent.x + parent.w * " + column + " / 3 + 4", "parent.y + 40",
                              "parent.w / 3 - 8", "parent.h - 80");
            vorn::ui::CWidget* client = window->GetClientArea();
            for (int i = 0; i < 10; ++i) {
                auto* button = new CCountingButton(client, &buttonEvents);
                const std::string col = std::to_string(i % 2);
                const std::string row = std::to_string(i / 2);
                button->SetLayout("parent.x + 6 + ( parent.w - 12 ) * " + col + " / 2",
                                  "parent.y + 6 + ( parent.h - 12 ) * " + row + " / 5",
                                  "( parent.w - 12 ) / 2 - 4", "( parent.h - 12 ) / 5 - 4");
                buttons.push_back(button);
            }
            windows.push_back(window);
        }
    }
    ~CUiScene() {
        task.Exit();
        vorn::CKeyboard::DeleteSingleton();
    }
};

// A pointer sweeping the desktop in small diagonal steps across windows,
// buttons, borders and empty space.
void BM_UiMouseMove(benchmark::State& state) {
    CUiScene scene;
    vorn::CEventBridge* bridge = vorn::CEventBridge::GetSingleton();
    int x = 0;
    int y = 0;
    for (auto _ : state) {
        x = (x + 7) % 800;
        y = (y + 3) % 600;
        bridge->OnMouseMove(x, y, 7, 3);
    }
    state.SetItemsProcessed(state.iterations());
    // The share of moves that a button received (the rest fall on window
    // frames, title bars and the desktop).
    state.counters["button_share"] = double(scene.buttonEvents) / double(state.iterations());
}
BENCHMARK(BM_UiMouseMove);

// One resize of the window per iteration, alternating between two sizes:
// every window and button evaluates its layout texts again.
void BM_UiRelayout(benchmark::State& state) {
    CUiScene scene;
    vorn::CEventBridge* bridge = vorn::CEventBridge::GetSingleton();
    bool large = false;
    for (auto _ : state) {
        large = !large;
        if (large)
            bridge->OnResize(1024, 768);
        else
            bridge->OnResize(800, 600);
    }
    benchmark::DoNotOptimize(vorn::ui::CDesktopWidget::GetSingleton()->GetRect());
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_UiRelayout)->Unit(benchmark::kMicrosecond);

// A 32-bit SDL screen (dummy driver) with the SDL graphics factory and the
// dirty-rectangle screen layer, as the "sdl" graphics task sets them up.
struct CSdlScreen {
    vorn::CGfxFactorySDL factory;
    vorn::CPixelScreenSDL* screen = nullptr;

    CSdlScreen() {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        SDL_Init(SDL_INIT_VIDEO);
        SDL_SetVideoMode(1024, 768, 32, SDL_SWSURFACE);
        vorn::Gfx::SetFactory(&factory);
        screen = new vorn::CPixelScreenSDL;
        vorn::Gfx::SetScreenSurface(screen);
        vorn::Gfx::SetBackgroundBuffers(true);
        vorn::CScreenLayer::GetSingleton()->InstallStrategy(
            vorn::IScreenLayerHook::STRATEGY_DIRTY_RECTS);
    }
    ~CSdlScreen() {
        vorn::CScreenLayer::DeleteSingleton();
        vorn::Gfx::SetScreenSurface(nullptr);
        delete screen;
        vorn::Gfx::SetBackgroundBuffers(false);
        vorn::Gfx::SetFactory(nullptr);
        SDL_Quit();
    }
};

vorn::CSmartPtr<vorn::CSprite> Panel(int w, int h, uint8_t shade) {
    vorn::IPixel* image = vorn::Gfx::NewBuffer(w, h);
    image->SetParameter(vorn::IPixel::PARAM_CLEAR_COLOR,
                        vorn::CColor(shade, shade, uint8_t(shade + 40), 255).ToARGB());
    image->Clean(vorn::types_rect(0, 0, w, h));
    auto* sprite = new vorn::CSprite(image);
    sprite->SetLayer(vorn::CScreenLayer::GetSingleton());
    return vorn::CSmartPtr<vorn::CSprite>(sprite);
}

void RelayoutWithSprites(benchmark::State& state, bool draw) {
    CSdlScreen screen;
    {
        CUiScene scene;
        for (vorn::ui::CWidget* window : scene.windows)
            window->SetSprite(Panel(400, 200, 40));
        for (vorn::ui::CWidget* button : scene.buttons)
            button->SetSprite(Panel(60, 20, 90));
        vorn::CEventBridge* bridge = vorn::CEventBridge::GetSingleton();
        vorn::CScreenLayer::GetSingleton()->Update();
        bool large = false;
        for (auto _ : state) {
            large = !large;
            if (large)
                bridge->OnResize(1024, 768);
            else
                bridge->OnResize(800, 600);
            if (draw) vorn::CScreenLayer::GetSingleton()->Update();
        }
        state.SetItemsProcessed(state.iterations());
    }
}

void BM_UiRelayoutWithSprites(benchmark::State& state) {
    RelayoutWithSprites(state, false);
}
BENCHMARK(BM_UiRelayoutWithSprites)->Unit(benchmark::kMicrosecond);

void BM_UiRelayoutAndDraw(benchmark::State& state) {
    RelayoutWithSprites(state, true);
}
BENCHMARK(BM_UiRelayoutAndDraw)->Unit(benchmark::kMicrosecond);

}  // namespace
