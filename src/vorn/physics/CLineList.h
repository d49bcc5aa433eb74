#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "vorn/designpatterns/singleton/CStaticSingleton.h"

namespace vorn::physics {

// Debug lines (the outlines of collision shapes) waiting for a back end that
// draws lines. The protocol with that back end:
//  - it switches the list on (SetAccepting) while it runs; until then, and
//    under back ends that draw no lines (SDL), AddStrip keeps nothing;
//  - after drawing every strip at the end of a frame it calls OnStripsDrawn;
//  - strips added after a draw replace the drawn ones, so an outline stays on
//    screen from frame to frame until a new one comes, and vanishes after
//    FRAMES_KEPT frames without one.
// Engine thread only.
class CLineList {
public:
    struct CPoint {
        float x = 0.0f;
        float y = 0.0f;
    };
    struct CStrip {
        std::vector<CPoint> points;
        uint32_t argb = 0xFFFFFFFF;
    };

    // A frame never holds more strips, nor a strip more points; the rest is
    // dropped, so a runaway caller cannot grow the list without bound.
    static constexpr size_t MAX_STRIPS = 4096;
    static constexpr size_t MAX_POINTS = 256;
    static constexpr int FRAMES_KEPT = 31;

    static CLineList* GetSingleton() { return CStaticSingleton<CLineList>::GetSingleton(); }

    void SetAccepting(bool accepting);
    bool IsAccepting() const { return myAccepting; }

    // Appends a line strip in screen pixels with its colour; emptied first
    // when the present strips were drawn already.
    void AddStrip(const std::vector<CPoint>& points, uint32_t argb);
    // Called by the back end after drawing the strips of a frame.
    void OnStripsDrawn();
    const std::vector<CStrip>& GetStrips() const { return myStrips; }
    void Clear();

private:
    friend class CStaticSingleton<CLineList>;
    CLineList() = default;

    std::vector<CStrip> myStrips;
    bool myAccepting = false;
    bool myDrawn = false;
    int myFramesSinceDrawn = 0;
};

}  // namespace vorn::physics
