#include "vorn/physics/CLineList.h"

namespace vorn::physics {

void CLineList::SetAccepting(bool accepting) {
    myAccepting = accepting;
    if (!accepting) Clear();
}

void CLineList::AddStrip(const std::vector<CPoint>& points, uint32_t argb) {
    if (!myAccepting || points.empty()) return;
    if (myDrawn) Clear();
    if (myStrips.size() >= MAX_STRIPS) return;
    CStrip strip;
    const size_t count = points.size() < MAX_POINTS ? points.size() : MAX_POINTS;
    strip.points.assign(points.begin(), points.begin() + static_cast<std::ptrdiff_t>(count));
    strip.argb = argb;
    myStrips.push_back(std::move(strip));
}

void CLineList::OnStripsDrawn() {
    if (!myDrawn) {
        myDrawn = true;
        myFramesSinceDrawn = 0;
        return;
    }
    if (++myFramesSinceDrawn >= FRAMES_KEPT) Clear();
}

void CLineList::Clear() {
    myStrips.clear();
    myDrawn = false;
    myFramesSinceDrawn = 0;
}

}  // namespace vorn::physics
