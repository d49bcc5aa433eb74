#include "vorn/physics/CLineList.h"

#include <gtest/gtest.h>

using vorn::physics::CLineList;

TEST(CLineListTest, StripsStayUntilReplacedAndVanishAfter31FramesWithoutNewOnes) {
    CLineList& lines = *CLineList::GetSingleton();
    lines.SetAccepting(false);
    lines.AddStrip({{0, 0}, {1, 1}}, 0xFFFFFFFF);
    EXPECT_TRUE(lines.GetStrips().empty()) << "nothing is kept while no back end draws lines";

    lines.SetAccepting(true);
    lines.AddStrip({{0, 0}, {1, 1}}, 0xFFFFFFFF);
    lines.AddStrip({{2, 2}, {3, 3}}, 0xFF00FF00);
    ASSERT_EQ(lines.GetStrips().size(), 2u);
    lines.OnStripsDrawn();
    lines.AddStrip({{4, 4}, {5, 5}}, 0xFFFFFFFF);
    ASSERT_EQ(lines.GetStrips().size(), 1u) << "new strips replace drawn ones";
    EXPECT_FLOAT_EQ(lines.GetStrips()[0].points[0].x, 4.0f);

    lines.OnStripsDrawn();  // first frame shown
    for (int frame = 1; frame < CLineList::FRAMES_KEPT; ++frame)
        lines.OnStripsDrawn();
    EXPECT_EQ(lines.GetStrips().size(), 1u);
    lines.OnStripsDrawn();
    EXPECT_TRUE(lines.GetStrips().empty());

    // A runaway caller cannot grow the list without bound.
    std::vector<CLineList::CPoint> longStrip(CLineList::MAX_POINTS + 50);
    for (size_t i = 0; i < CLineList::MAX_STRIPS + 10; ++i)
        lines.AddStrip(longStrip, 0xFFFFFFFF);
    EXPECT_EQ(lines.GetStrips().size(), CLineList::MAX_STRIPS);
    EXPECT_EQ(lines.GetStrips()[0].points.size(), CLineList::MAX_POINTS);
    lines.SetAccepting(false);
    EXPECT_TRUE(lines.GetStrips().empty());
}
