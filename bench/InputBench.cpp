// Mouse input through the event bridge into CMouse, as the event task feeds
// it: a screen of 30 positional receivers (three windows of ten controls, the
// windows blocking only where no control is) plus one global receiver.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "vorn/input/CEventBridge.h"
#include "vorn/input/CMouse.h"
#include "vorn/input/IMouseable.h"

namespace {

class CCountingReceiver : public vorn::CMouseableImpl {
public:
    CCountingReceiver(const vorn::types_rect& rect, bool blocking)
        : myRect(rect), myBlocking(blocking) {}
    void OnMouseMove(int x, int y) override { myEvents += x + y; }
    void OnMouseOut(int, int) override { ++myEvents; }
    void OnMouseButtonDown(int button) override { myEvents += button; }
    void OnMouseButtonUp(int button) override { myEvents += button; }
    bool IsBlocking() const override { return myBlocking; }
    vorn::types_rect GetRect() const override { return myRect; }
    long Events() const { return myEvents; }

private:
    vorn::types_rect myRect;
    bool myBlocking;
    long myEvents = 0;
};

// 3 windows of 9 controls in a 3x3 grid, each window's own background last
// (receivers are tried in insertion order: front-most first), plus 3 title
// bars: 30 positional receivers over an 800 x 600 screen.
struct CScreen {
    std::vector<std::unique_ptr<CCountingReceiver>> receivers;
    CCountingReceiver global{vorn::types_rect(), false};

    CScreen() {
        vorn::CMouse::DeleteSingleton();
        vorn::CMouse* mouse = vorn::CMouse::GetSingleton();
        for (int window = 0; window < 3; ++window) {
            const int left = 20 + window * 260;
            const int top = 40 + window * 120;
            Add(vorn::types_rect(left, top - 20, 240, 20), true);  // title bar
            for (int row = 0; row < 3; ++row)
                for (int column = 0; column < 3; ++column)
                    Add(vorn::types_rect(left + 10 + column * 75, top + 10 + row * 60, 65, 50),
                        true);
        }
        for (int window = 0; window < 3; ++window)
            Add(vorn::types_rect(20 + window * 260, 40 + window * 120, 240, 200), true);
        for (auto& receiver : receivers)
            mouse->AddMouseable(receiver.get());
        mouse->AddGlobal(&global);
    }
    ~CScreen() { vorn::CMouse::DeleteSingleton(); }
    void Add(const vorn::types_rect& rect, bool blocking) {
        receivers.push_back(std::make_unique<CCountingReceiver>(rect, blocking));
    }
    long Events() const {
        long total = global.Events();
        for (const auto& receiver : receivers)
            total += receiver->Events();
        return total;
    }
};

// A pointer sweeping the screen in small diagonal steps, over controls,
// window backgrounds and empty space, so hover changes often.
void BM_MouseMoveThroughBridge30Receivers(benchmark::State& state) {
    CScreen screen;
    vorn::CEventBridge* bridge = vorn::CEventBridge::GetSingleton();
    int x = 0;
    int y = 0;
    for (auto _ : state) {
        x = (x + 7) % 800;
        y = (y + 3) % 600;
        bridge->OnMouseMove(x, y, 7, 3);
    }
    benchmark::DoNotOptimize(screen.Events());
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_MouseMoveThroughBridge30Receivers);

// One click (press and release) per iteration at changing places.
void BM_MouseClickThroughBridge30Receivers(benchmark::State& state) {
    CScreen screen;
    vorn::CEventBridge* bridge = vorn::CEventBridge::GetSingleton();
    int x = 0;
    for (auto _ : state) {
        x = (x + 13) % 800;
        bridge->OnMouseMove(x, 150, 13, 0);
        bridge->OnMouseButtonDown(1);
        bridge->OnMouseButtonUp(1);
    }
    benchmark::DoNotOptimize(screen.Events());
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_MouseClickThroughBridge30Receivers);

}  // namespace
