#include "game/world/BoundingBox.h"
#include "engine/PXInit.h"

#include <gtest/gtest.h>

namespace {

struct Neighbour {
    const char* side;
    BoundingBox touching;
    BoundingBox onePixelAway;
};

TEST(BoundingBoxTest, OverlapIncludesSharedEdgesAndCornersButNotAOnePixelGap) {
    const BoundingBox box(0, 0, 10, 10);
    const Neighbour neighbours[] = {
        {"left", {-10, 0, 0, 10}, {-10, 0, -1, 10}},    {"right", {10, 0, 20, 10}, {11, 0, 20, 10}},
        {"above", {0, -10, 10, 0}, {0, -10, 10, -1}},   {"below", {0, 10, 10, 20}, {0, 11, 10, 20}},
        {"corner", {10, 10, 20, 20}, {11, 11, 20, 20}},
    };
    for (const Neighbour& neighbour : neighbours) {
        SCOPED_TRACE(neighbour.side);
        EXPECT_EQ(BoundingBox::checkCollision(&box, &neighbour.touching), PX_TRUE);
        EXPECT_EQ(BoundingBox::checkCollision(&neighbour.touching, &box), PX_TRUE);
        EXPECT_EQ(BoundingBox::checkCollision(&box, &neighbour.onePixelAway), PX_FALSE);
        EXPECT_EQ(BoundingBox::checkCollision(&neighbour.onePixelAway, &box), PX_FALSE);
    }
}

TEST(BoundingBoxTest, ContainedAndMovedBoxes) {
    BoundingBox box;
    const BoundingBox inner(3, 3, 4, 4);
    const BoundingBox outer(-5, -5, 15, 15);
    EXPECT_EQ(BoundingBox::checkCollision(&box, &box), PX_TRUE) << "a point box meets itself";
    EXPECT_EQ(BoundingBox::checkCollision(&outer, &inner), PX_TRUE);
    EXPECT_EQ(BoundingBox::checkCollision(&box, &inner), PX_FALSE);

    box.setBounds(4, 4, 8, 8);
    EXPECT_EQ(BoundingBox::checkCollision(&box, &inner), PX_TRUE);
}

} // namespace
