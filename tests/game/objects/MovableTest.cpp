#include "InhabitantFixture.h"
#include "game/objects/WOBridge.h"
#include "game/objects/WOCrate.h"
#include "game/objects/WOGravityMagnet.h"
#include "game/objects/WOPickleBlock.h"
#include "game/objects/WOSave.h"
#include "game/objects/WOSolid.h"

#include <cstring>
#include <functional>
#include <vector>

namespace {

constexpr SDLKey kGravityMagnetKey = SDLK_x;

class MovableTest : public InhabitantFixture {
protected:
    // The window pixels of the area after clearing to black and running the drawing.
    static std::vector<RGBA> drawnPixels(int width, int height, const std::function<void()>& draw) {
        clearTo(0, 0, 0);
        draw();
        std::vector<RGBA> pixels;
        for (int y = 0; y < height; y++) {
            for (int x = 0; x < width; x++) {
                pixels.push_back(pixelAt(x, y));
            }
        }
        return pixels;
    }

    // A 10 x 10 box centred (rounding toward zero) on the point.
    static BoundingBox boxCentredOn(int x, int y) {
        return BoundingBox(x - 4, y - 4, x + 5, y + 5);
    }

    static std::string crateRecord(int resistance) {
        return recordInteger(WORLD_OBJECT_CRATE) + recordInteger(1) + recordInteger(20) +
               recordInteger(30) + recordInteger(resistance) + recordText("inhabitants");
    }
};

TEST_F(MovableTest, CratesSideBySideMoveTogetherButNeverIntoAWall) {
    WOCrate& first = placeOnFloor(new WOCrate(), 150);
    WOCrate& second = placeOnFloor(new WOCrate(), 166);
    standAt(150 - 1 - kBoxRight - 4);
    hold(SDLK_RIGHT);
    ticks(80);
    EXPECT_GT(first.getXPos(), 150);
    EXPECT_EQ(second.getXPos() - first.getXPos(), 16) << "the pair moves as one";
    EXPECT_EQ(thePlayer().getBBox()->getRightBound() + 1, first.getBBox()->getLeftBound());
    release(SDLK_RIGHT);

    fillTiles(kFloorRow - 3, 18, kFloorRow - 1, 18, kSolid);
    WOCrate& walled = placeOnFloor(new WOCrate(), 18 * kTile - 16);
    const int playerX = walled.getXPos() - 1 - kBoxRight;
    standAt(playerX);
    hold(SDLK_RIGHT);
    ticks(40);
    EXPECT_EQ(walled.getXPos(), 18 * kTile - 16);
    EXPECT_EQ(thePlayer().getXPos(), playerX);
    EXPECT_TRUE(thePlayer().state().pushing);

    WOCrate loose;
    loose.setPosition(40, 40);
    loose.setPushResistance(0);
    EXPECT_EQ(loose.push(WorldObject::kSideLeft, 2), 2) << "pushed as with resistance 1";
    EXPECT_EQ(loose.getXPos(), 38);
    EXPECT_EQ(loose.pushResistance(), 0) << "the stored resistance stays";
}

TEST_F(MovableTest, ASolidBlockFallsOntoTheFloorAndIsOutlinedInRed) {
    WOSolid& block = placeObject(new WOSolid(), 40, 100);
    EXPECT_EQ(block.getBBox()->getRightBound(), 71);
    EXPECT_EQ(block.getBBox()->getBottomBound(), 131);
    tick();
    EXPECT_EQ(block.getYPos(), 102);
    EXPECT_TRUE(block.isFalling());
    ticks(40);
    EXPECT_EQ(block.getYPos(), kFloorY - 32);
    EXPECT_FALSE(block.isFalling());

    block.setPosition(10, 10);
    block.updateCurrentBBox();
    globalCamera->setPosition(0, 0);
    clearTo(0, 0, 0);
    block.draw();
    EXPECT_EQ(pixelAt(10, 20), (RGBA{255, 0, 0, 255}));
    EXPECT_EQ(pixelAt(20, 20), (RGBA{0, 0, 0, 255})) << "only the outline";
}

TEST_F(MovableTest, ABridgeIsDrawnBackThenFrontAroundThePlayer) {
    WOBridge& bridge = placeObject(new WOBridge(), 0, 0);
    globalCamera->setPosition(0, 0);
    EXPECT_EQ(bridge.drawPosition(), WorldObject::kDrawAroundPlayer);
    EXPECT_EQ(bridge.getBBox()->getTopBound(), 14) << "the deck is what stands";
    const auto picture = [&](const std::function<void()>& draw) {
        return drawnPixels(62, 22, draw);
    };
    const std::vector<RGBA> whole = picture([&] { bridge.draw(); });
    EXPECT_EQ(whole, picture([&] {
                  bridge.drawBack();
                  bridge.drawFront();
              }));
    EXPECT_NE(whole, picture([&] {
                  bridge.drawFront();
                  bridge.drawBack();
              }))
        << "the layers overlap, so the order shows";
}

TEST_F(MovableTest, AMagnetPullsAlongItsAxisByTheCentreDistance) {
    WOGravityMagnet magnet;
    magnet.setPosition(100, 100);
    magnet.updateCurrentBBox();
    const int centre = 115;
    const auto forceAt = [&](int orientation, int x, int y) {
        magnet.setOrientation(orientation);
        return magnet.forceOnBoundingBox(boxCentredOn(x, y));
    };
    EXPECT_EQ(forceAt(WOGravityMagnet::kRight, centre, centre), 15);
    EXPECT_EQ(forceAt(WOGravityMagnet::kRight, centre - 175, centre), 7);
    EXPECT_EQ(forceAt(WOGravityMagnet::kLeft, centre - 175, centre), -7) << "toward zero";
    EXPECT_EQ(forceAt(WOGravityMagnet::kRight, centre + 326, centre), 1);
    EXPECT_EQ(forceAt(WOGravityMagnet::kRight, centre - 349, centre), 0);
    EXPECT_EQ(forceAt(WOGravityMagnet::kRight, centre + 352, centre), 0)
        << "within the widened box but out of range";
    EXPECT_EQ(forceAt(WOGravityMagnet::kRight, centre + 400, centre), 0);
    EXPECT_EQ(forceAt(WOGravityMagnet::kRight, centre, centre + 60), 0) << "off the axis";
    EXPECT_EQ(forceAt(WOGravityMagnet::kUp, centre, centre + 175), -7);
    EXPECT_EQ(forceAt(WOGravityMagnet::kDown, centre, centre - 175), 7);
    EXPECT_EQ(forceAt(WOGravityMagnet::kDown, centre + 60, centre), 0) << "off the axis";

    magnet.setOrientation(9);
    EXPECT_EQ(magnet.getOrientation(), WOGravityMagnet::kDown);
    strcpy(static_cast<char*>(magnet.editorInfo()[0]->dataPointer()), "Sideways");
    EXPECT_EQ(magnet.getOrientation(), WOGravityMagnet::kRight);
}

TEST_F(MovableTest, WithItsMagnetOnThePlayerIsPulledByAGravityMagnet) {
    WOGravityMagnet& magnet = placeOnFloor(new WOGravityMagnet(), 20);
    standAt(150);
    hold(kGravityMagnetKey);
    tick();
    release(kGravityMagnetKey);
    ticks(5);
    EXPECT_EQ(thePlayer().getXPos(), 150) << "no pull without the powerup";

    thePlayer().grantPowerup(player::kPowerupGravityMagnet);
    ticks(5);
    EXPECT_EQ(thePlayer().getXPos(), 150) << "nor with the magnet off";
    const int force = magnet.forceOnBoundingBox(*thePlayer().getBBox());
    EXPECT_EQ(force, 9) << "centres 122 pixels apart";
    hold(kGravityMagnetKey);
    tick();
    EXPECT_EQ(thePlayer().getXPos(), 150 + force);
}

TEST_F(MovableTest, PickleBlocksShineInTheirStyleAndFallBackToTheDefaultStyle) {
    WOPickleBlock& block = placeOnFloor(new WOPickleBlock(), 40);
    EXPECT_STREQ(block.style(), "red");
    EXPECT_EQ(block.drawPosition(), WorldObject::kDrawOverUpperTiles);
    EXPECT_TRUE(block.getPropertyFlags() & WORLD_OBJECT_PROPERTY_SOLID);
    EXPECT_GT(ticksUntil([&] { return block.isShining() != 0; }, 201), 0);
    EXPECT_GT(ticksUntil([&] { return block.isShining() == 0; }, 60), 0);

    const std::string teal = recordInteger(WORLD_OBJECT_PICKLE_BLOCK) + recordInteger(1) +
                             recordInteger(80) + recordInteger(50) + recordText("inhabitants") +
                             recordText("teal");
    auto* unknown = new WOPickleBlock();
    ASSERT_TRUE(loadBytes(*unknown, teal));
    placeObject(unknown, 80, 50);
    EXPECT_EQ(savedBytes(*unknown), teal) << "the text is kept";
    EXPECT_GT(ticksUntil([&] { return unknown->isShining() != 0; }, 201), 0);
    EXPECT_GT(ticksUntil([&] { return unknown->isShining() == 0; }, 60), 0)
        << "shown and shining as the default style";
}

TEST_F(MovableTest, RecordsKeepResistanceOrientationStyleAndOwner) {
    WOCrate crate;
    ASSERT_TRUE(loadBytes(crate, crateRecord(0)));
    EXPECT_EQ(crate.pushResistance(), 0);
    EXPECT_EQ(savedBytes(crate), crateRecord(0));
    crate.setPushResistance(7);
    expectRoundTrip(crate);

    WOGravityMagnet magnet;
    const std::string up = recordInteger(WORLD_OBJECT_GRAVITY_MAGNET) + recordInteger(1) +
                           recordInteger(5) + recordInteger(6) + recordInteger(2) +
                           recordText("inhabitants");
    ASSERT_TRUE(loadBytes(magnet, up));
    EXPECT_EQ(magnet.getOrientation(), WOGravityMagnet::kUp);
    EXPECT_EQ(savedBytes(magnet), up);

    WOSave save;
    EXPECT_TRUE(save.trigger(nullptr));
    expectRoundTrip(save);
    expectRoundTrip(WOBridge());
    WOPickleBlock block;
    strcpy(static_cast<char*>(block.editorInfo()[0]->dataPointer()), "gold");
    expectRoundTrip(block);
}

} // namespace
