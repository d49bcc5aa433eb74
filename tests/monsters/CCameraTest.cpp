#include "monsters/CCamera.h"

#include <gtest/gtest.h>

#include <climits>
#include <limits>

#include "monsters/CCameraTransformer.h"
#include "vorn/physics/ICamera.h"

using monsters::CCamera;

TEST(CCameraTest, WorldPointsMapToPixelsCuttingTowardsZero) {
    CCamera* camera = CCamera::GetSingleton();
    int x = 0;
    int y = 0;
    camera->WorldToScreen(0.0f, 0.0f, x, y);
    EXPECT_EQ(x, 400);
    EXPECT_EQ(y, 300);
    camera->WorldToScreen(1.5f, -2.0f, x, y);  // y: -64 + 0.5 = -63.5 is cut to -63
    EXPECT_EQ(x, 448);
    EXPECT_EQ(y, 237);
    camera->WorldToScreen(-0.01f, 0.01f, x, y);  // -0.32 + 0.5 and 0.32 + 0.5
    EXPECT_EQ(x, 400);
    EXPECT_EQ(y, 300);
    camera->WorldToScreen(-1.0f, 0.0f, x, y);  // -31.5 cut to -31
    EXPECT_EQ(x, 369);
    camera->WorldToScreen(std::numeric_limits<float>::quiet_NaN(), 1.0e30f, x, y);
    EXPECT_EQ(x, 400) << "not a number stays on the offset";
    EXPECT_EQ(y, INT_MAX) << "far away saturates";

    float wx = 0.0f;
    float wy = 0.0f;
    camera->ScreenToWorld(432.0f, 268.0f, wx, wy);
    EXPECT_FLOAT_EQ(wx, 1.0f);
    EXPECT_FLOAT_EQ(wy, -1.0f);
}

TEST(CCameraTest, TheCameraInstallsItsTransformerWhichLeavesRectanglesAlone) {
    CCamera::DeleteSingleton();
    EXPECT_EQ(vorn::GetGlobalCamera(), nullptr);
    CCamera* camera = CCamera::GetSingleton();
    ASSERT_EQ(vorn::GetGlobalCamera(), camera->GetTransformer());
    float x = 12.0f, y = -7.0f, w = 30.0f, h = 20.0f, angle = 0.5f;
    vorn::GetGlobalCamera()->Transform(x, y, w, h, angle);
    EXPECT_FLOAT_EQ(x, 12.0f);
    EXPECT_FLOAT_EQ(y, -7.0f);
    EXPECT_FLOAT_EQ(w, 30.0f);
    EXPECT_FLOAT_EQ(h, 20.0f);
    EXPECT_FLOAT_EQ(angle, 0.5f);
    EXPECT_FALSE(vorn::GetGlobalCamera()->IsMoving());

    // Turned half a circle, a rectangle's centre swaps sides of the screen centre.
    camera->GetTransformer()->SetRotation(3.14159265f);
    x = 500.0f, y = 300.0f, w = 10.0f, h = 10.0f, angle = 0.0f;
    camera->GetTransformer()->Transform(x, y, w, h, angle);
    EXPECT_NEAR(x, 290.0f, 1e-3f);
    EXPECT_NEAR(y, 290.0f, 1e-3f);
    EXPECT_FLOAT_EQ(angle, 3.14159265f);
    CCamera::DeleteSingleton();
    EXPECT_EQ(vorn::GetGlobalCamera(), nullptr);
}
