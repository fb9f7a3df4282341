#include "game/core/SoundUtilities.h"
#include "game/world/BoundingBox.h"

#include <gtest/gtest.h>

namespace {

BoundingBox boxCentredAt(int x, int y) {
    return BoundingBox(x - 5, y - 5, x + 5, y + 5);
}

// The volume heard at the origin from a source whose centre is (dx, dy) away.
int volumeAtOffset(int dx, int dy) {
    const BoundingBox listener = boxCentredAt(0, 0);
    const BoundingBox source = boxCentredAt(dx, dy);
    return volumeForSound(&listener, &source);
}

TEST(SoundUtilitiesTest, VolumeFallsByOneEveryTwoPixelsOfCentreDistance) {
    EXPECT_EQ(volumeAtOffset(6, 0), 128);
    EXPECT_EQ(volumeAtOffset(7, 0), 127);
    EXPECT_EQ(volumeAtOffset(100, 0), 81);
    EXPECT_EQ(volumeAtOffset(-60, 80), 81) << "Euclidean distance 100";
    EXPECT_EQ(volumeAtOffset(9, 9), 125) << "distance 12.7 is truncated to 12, not rounded";
    EXPECT_EQ(volumeAtOffset(0, 260), 1);
    EXPECT_EQ(volumeAtOffset(0, 261), 0);
    EXPECT_EQ(volumeAtOffset(300, 0), 0) << "never negative";
}

TEST(SoundUtilitiesTest, VeryCloseCentresGoAboveTheMixerMaximum) {
    // The channel volume clamps these; the function itself keeps the plain arithmetic.
    EXPECT_EQ(volumeAtOffset(0, 0), 130);
    EXPECT_EQ(volumeAtOffset(1, 0), 130);
    EXPECT_EQ(volumeAtOffset(0, 2), 129);
    EXPECT_EQ(volumeAtOffset(3, 0), 129);
    EXPECT_EQ(volumeAtOffset(4, 0), 128);
}

TEST(SoundUtilitiesTest, CentresAreTruncatedAndTheResultIsSymmetric) {
    // Centre x 6 (not 6.5) and -7 (not -6.5): both 101 pixels from x 107 and 94.
    const BoundingBox oddWidth(0, 0, 13, 0);
    const BoundingBox right(107, 0, 107, 0);
    const BoundingBox negative(-13, 0, 0, 0);
    const BoundingBox left(94, 0, 94, 0);
    EXPECT_EQ(volumeForSound(&oddWidth, &right), 80);
    EXPECT_EQ(volumeForSound(&right, &oddWidth), 80);
    EXPECT_EQ(volumeForSound(&negative, &left), 80);
    EXPECT_EQ(volumeForSound(&left, &negative), 80);
}

} // namespace
