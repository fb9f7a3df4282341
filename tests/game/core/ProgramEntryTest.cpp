#include "game/core/Globals.h"

#include <gtest/gtest.h>

namespace {

TEST(ScreenSizeTest, ScaleFactorSetsTheWindowSize) {
    EXPECT_EQ(SCREEN_SCALE_FACTOR, 2);
    EXPECT_EQ(SCREEN_W, 640);
    EXPECT_EQ(SCREEN_H, 480);
    setScreenScaleFactor(3);
    EXPECT_EQ(SCREEN_W, 960);
    EXPECT_EQ(SCREEN_H, 720);
    setScreenScaleFactor(2);
    EXPECT_EQ(SCREEN_W, 640);
}

} // namespace
