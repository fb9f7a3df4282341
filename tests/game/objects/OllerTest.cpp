#include "InhabitantFixture.h"
#include "TestWorldObjects.h"
#include "engine/PXInit.h"
#include "game/objects/WOOller.h"
#include "game/world/MapWater.h"

#include <gtest/gtest.h>

namespace {

// A pool one tile deep in the floor, columns 8 to 12, filled with water.
constexpr int kPoolLeft = 8 * 16;
constexpr int kPoolRight = 13 * 16 - 1;

class OllerTest : public InhabitantFixture {
protected:
    void SetUp() override {
        InhabitantFixture::SetUp();
        fillTiles(kFloorRow, 8, kFloorRow, 12, kEmpty);
        globalMap->addWaterArea()->boundingBox().setBounds(kPoolLeft, kFloorY, kPoolRight,
                                                           kFloorY + kTile - 1);
    }
};

TEST_F(OllerTest, BecomesHappyThirtyTicksAfterFallingIntoWaterAndCannotBeLiftedThere) {
    standAt(20);
    WOOller& oller = placeObject(new WOOller(), 150, 150);
    oller.setSadState(PX_TRUE);
    EXPECT_EQ(ticksUntil([&] { return oller.isInWater(); }, 60), 9) << "3 pixels a tick";
    EXPECT_EQ(oller.getYPos(), 177) << "floats where its box touched the surface";
    for (int tick = 1; tick < WOOller::kTicksInWaterToBeHappy; tick++) {
        this->tick();
        ASSERT_EQ(oller.getSadState(), PX_TRUE) << tick;
        ASSERT_TRUE(oller.isInWater()) << "swims and bobs within the water";
    }
    tick();
    EXPECT_EQ(oller.getSadState(), PX_FALSE);

    standAt(oller.getXPos(), kFloorY + kTile);
    ASSERT_FALSE(thePlayer().state().falling || thePlayer().state().rising);
    ASSERT_TRUE(BoundingBox::checkCollision(thePlayer().getBBox(), oller.getBBox()));
    pressAction();
    EXPECT_EQ(thePlayer().heldObject(), nullptr);
    EXPECT_FALSE(oller.isBeingHeld());
    int held = 7;
    EXPECT_EQ(oller.trigger(&held), PX_FALSE);
    EXPECT_EQ(held, PX_FALSE);
}

TEST_F(OllerTest, IsLiftedOnTheFrameItShowedAndPutDownEightPixelsHigher) {
    WOOller& oller = placeOnFloor(new WOOller(), 40);
    ASSERT_GT(ticksUntil([&] { return oller.currentFrame() == 1; }, 400), 0);
    int held = 0;
    EXPECT_EQ(oller.trigger(&held), PX_TRUE);
    EXPECT_EQ(held, PX_TRUE);
    EXPECT_EQ(oller.currentFrame(), 1) << "the carry animation goes on from the same frame";
    const int y = oller.getYPos();
    EXPECT_EQ(oller.trigger(&held), PX_TRUE);
    EXPECT_EQ(held, PX_FALSE);
    EXPECT_EQ(oller.getYPos(), y - WOOller::kPutDownLift);

    standAt(oller.getXPos());
    pressAction();
    EXPECT_EQ(thePlayer().heldObject(), &oller) << "lifted by the player on land";
}

TEST_F(OllerTest, RecordRoundTripsAndAnUnknownColourFallsBackToRed) {
    WOOller& oller = placeObject(new WOOller(), 30, 40);
    oller.setSadState(PX_TRUE);
    expectRoundTrip(oller);

    const std::string purple = recordInteger(WORLD_OBJECT_OLLER) + recordInteger(1) +
                               recordInteger(5) + recordInteger(6) + recordInteger(PX_TRUE) +
                               recordText("inhabitants") + recordText("purple");
    WOOller loaded;
    ASSERT_TRUE(loadBytes(loaded, purple));
    EXPECT_STREQ(loaded.color(), WOOller::kColorRed);
    EXPECT_EQ(loaded.getSadState(), PX_TRUE);
    EXPECT_EQ(loaded.getYPos(), 6);

    const std::string brown = purple.substr(0, purple.size() - 11) + recordText("brown");
    ASSERT_TRUE(loadBytes(loaded, brown));
    EXPECT_STREQ(loaded.color(), WOOller::kColorBrown);
    EXPECT_EQ(savedBytes(loaded), brown);
}

} // namespace
