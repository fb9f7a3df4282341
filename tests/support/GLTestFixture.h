// Tests that need a real OpenGL window: the engine is started and a 640 x 480 2D mode opened.
#pragma once

#include <gtest/gtest.h>

struct RGBA {
    int r;
    int g;
    int b;
    int a;

    bool operator==(const RGBA&) const = default;
};

std::ostream& operator<<(std::ostream& out, const RGBA& pixel);

class GLTestFixture : public ::testing::Test {
protected:
    static constexpr int kWidth = 640;
    static constexpr int kHeight = 480;

    void SetUp() override;
    void TearDown() override;

    // Clears the back buffer to the given colour (0..255 per channel).
    static void clearTo(int r, int g, int b);
    // The back-buffer pixel at window coordinates, top-left origin.
    static RGBA pixelAt(int x, int y);
};
