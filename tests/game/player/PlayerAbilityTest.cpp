#include "game/objects/WODoubleJumpPowerup.h"
#include "game/objects/WOHexNut.h"
#include "game/objects/WorldObjectVector.h"
#include "game/player/Player.h"
#include "game/world/Map.h"
#include "game/world/MapWater.h"
#include "tests/game/objects/TestWorldObjects.h"
#include "tests/support/GameplayFixture.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

constexpr SDLKey kAction = SDLK_z;
constexpr SDLKey kInventoryNext = SDLK_e;
constexpr SDLKey kInventoryPrevious = SDLK_w;
constexpr SDLKey kBooster = SDLK_c;
constexpr int kStartX = 100;

class PlayerAbilityTest : public GameplayFixture {
protected:
    void SetUp() override {
        GameplayFixture::SetUp();
        fillFloor();
        saveMap("abilities");
    }

    // One press of a control: held for a tick, then let go for a tick.
    void press(SDLKey key) {
        hold(key);
        tick();
        release(key);
        tick();
    }

    // A carriable object lying on the floor under the player's start.
    static TestCarriable& placeCarriable(int weight, int flags = WORLD_OBJECT_PROPERTY_STORABLE) {
        return placeObject(new TestCarriable(weight, flags), kStartX, kFloorRow * kTile - 16);
    }

    static TestCarriable& storeNew() {
        auto* object = new TestCarriable();
        globalWorldObjectVector->push_back(object);
        thePlayer().addObjectToInventory(object);
        return *object;
    }

    static bool inMap(const WorldObject& object) {
        const auto& objects = *globalMapSpecificWorldObjectVector;
        return std::find(objects.begin(), objects.end(), &object) != objects.end();
    }

    // Ticks until the player stands still again after lifting, storing or taking out, and one
    // tick more: the first that reads the controls again, so they see their keys let go.
    void settle() {
        ASSERT_GT(ticksUntil(
                      [] {
                          const PlayerState& state = thePlayer().state();
                          return !state.pickingUp && !state.inventoryAnimation;
                      },
                      200),
                  0);
        tick();
    }
};

TEST_F(PlayerAbilityTest, HeavyObjectsNeedThePowerFistAndAFailedLiftLooksOnForOthers) {
    TestCarriable& heavy = placeCarriable(6);
    standAt(kStartX);
    hold(kAction);
    tick();
    EXPECT_EQ(thePlayer().heldObject(), nullptr);
    EXPECT_TRUE(thePlayer().state().pickupFailed) << "tears";
    release(kAction);
    EXPECT_EQ(ticksUntil([] { return !thePlayer().state().pickupFailed; }, 100), 32);
    EXPECT_FALSE(thePlayer().state().pickingUp);
    tick();

    TestCarriable& light = placeCarriable(5);
    hold(kAction);
    tick();
    EXPECT_EQ(thePlayer().heldObject(), &light) << "lifted in the same tick as the failure";
    release(kAction);
    settle();
    press(kAction);
    settle();
    ASSERT_EQ(thePlayer().heldObject(), nullptr);

    thePlayer().grantPowerup(player::kPowerupPowerFist);
    press(kAction);
    EXPECT_EQ(thePlayer().heldObject(), &heavy);
    EXPECT_FALSE(thePlayer().state().pickupFailed);
}

TEST_F(PlayerAbilityTest, ACarriedObjectRidesCentredOverTheHeadAndIsPutDownOnlyOnTheGround) {
    TestCarriable& object = placeCarriable(0);
    standAt(kStartX);
    press(kAction);
    ASSERT_EQ(thePlayer().heldObject(), &object);
    EXPECT_TRUE(object.isBeingHeld());
    settle();
    for (const SDLKey walk : {SDLK_LEFT, SDLK_RIGHT}) {
        hold(walk);
        ticks(5);
        release(walk);
        tick();
        EXPECT_EQ(object.getXPos(), thePlayer().getXPos()) << "facing " << walk;
        EXPECT_LT(object.getYPos() + 15, thePlayer().getBBox()->getTopBound() + 8);
    }

    hold(SDLK_SPACE);
    ticks(3);
    ASSERT_TRUE(thePlayer().state().rising);
    press(kAction);
    EXPECT_EQ(thePlayer().heldObject(), &object) << "Action in the air does nothing";
    release(SDLK_SPACE);
    ticks(60);
    press(kAction);
    EXPECT_EQ(thePlayer().heldObject(), nullptr);
    EXPECT_FALSE(object.isBeingHeld());
    EXPECT_TRUE(thePlayer().state().pickingUp);
}

TEST_F(PlayerAbilityTest, TheInventoryIsWalkedByNextAndPreviousAndEmptiesTheHandsPastItsEnds) {
    standAt(kStartX);
    TestCarriable& first = storeNew();
    storeNew();
    TestCarriable& last = storeNew();

    press(kInventoryNext);
    EXPECT_TRUE(thePlayer().state().inventoryAnimation);
    settle();
    ASSERT_EQ(thePlayer().heldObject(), &first) << "Next from empty hands";
    EXPECT_TRUE(first.isBeingHeld());
    EXPECT_FALSE(first.getPropertyFlags() & WORLD_OBJECT_PROPERTY_HIDDEN);
    const int ticksBefore = first.logicTicks;
    thePlayer().inventoryObjectLogic();
    EXPECT_EQ(first.logicTicks, ticksBefore + 1) << "no map runs a carried inventory object";

    press(kInventoryPrevious);
    EXPECT_EQ(thePlayer().heldObject(), nullptr) << "stepping before the first";
    EXPECT_FALSE(thePlayer().state().inventoryAnimation);
    EXPECT_TRUE(first.getPropertyFlags() & WORLD_OBJECT_PROPERTY_HIDDEN);
    EXPECT_EQ(first.getXPos(), -1);

    press(kInventoryPrevious);
    settle();
    ASSERT_EQ(thePlayer().heldObject(), &last) << "Previous from empty hands";
    press(kInventoryNext);
    EXPECT_EQ(thePlayer().heldObject(), nullptr) << "stepping past the last";
    EXPECT_EQ(thePlayer().inventory().size(), 3u);
}

TEST_F(PlayerAbilityTest, StoringAnObjectFromTheMapTakesItOutOfTheMapWithoutAnAnimation) {
    TestCarriable& object = placeCarriable(0);
    TestCarriable& plain =
        placeObject(new TestCarriable(0, 0), kStartX + 40, kFloorRow * kTile - 16);
    standAt(kStartX);
    press(kAction);
    settle();
    press(kInventoryNext);
    EXPECT_EQ(thePlayer().heldObject(), nullptr);
    EXPECT_FALSE(thePlayer().state().inventoryAnimation);
    EXPECT_EQ(thePlayer().indexOfObjectInInventory(&object), 0);
    EXPECT_EQ(object.getOwnerMap(), nullptr);
    EXPECT_FALSE(inMap(object));

    press(kInventoryNext);
    settle();
    ASSERT_EQ(thePlayer().heldObject(), &object);
    press(kAction);
    settle();
    EXPECT_EQ(thePlayer().inventory().size(), 0u) << "put down, it leaves the inventory";
    EXPECT_STREQ(object.getOwnerMap(), "abilities");
    EXPECT_TRUE(inMap(object));

    hold(SDLK_RIGHT);
    ticks(20);
    release(SDLK_RIGHT);
    ASSERT_TRUE(BoundingBox::checkCollision(plain.getBBox(), thePlayer().getBBox()));
    press(kAction);
    settle();
    ASSERT_EQ(thePlayer().heldObject(), &plain);
    press(kInventoryNext);
    EXPECT_EQ(thePlayer().heldObject(), &plain) << "an object that cannot be stored stays held";
}

TEST_F(PlayerAbilityTest, TouchingAPowerupGrantsItsBitOnceAndANutIsCountedWhenItHasShrunk) {
    const int groundY = kFloorRow * kTile - 16;
    placeObject(new WODoubleJumpPowerup(), kStartX, groundY);
    placeObject(new WOHexNut(), kStartX + 2, groundY);
    standAt(kStartX);
    EXPECT_EQ(thePlayer().state().powerups, player::kPowerupDoubleJump) << "its bit alone";
    int ticks = 0;
    while (!globalMapSpecificWorldObjectVector->empty() && ticks < 200) {
        gameTick();
        ticks++;
        ASSERT_EQ(thePlayer().state().powerups, player::kPowerupDoubleJump);
    }
    EXPECT_GT(ticks, 2) << "both stay while they shrink";
    EXPECT_LT(ticks, 200);
    EXPECT_EQ(collectedHexNutCount(), 1);
}

TEST_F(PlayerAbilityTest, TheBoosterDoublesTheLandSpeedLeavesATrailAndDoesNotHelpInWater) {
    standAt(kStartX);
    press(kBooster);
    EXPECT_FALSE(thePlayer().state().boosterOn) << "not without its powerup";
    thePlayer().grantPowerup(player::kPowerupBooster);
    press(kBooster);
    ASSERT_TRUE(thePlayer().state().boosterOn);
    EXPECT_EQ(thePlayer().state().horizontalSpeed, 4);
    hold(SDLK_RIGHT);
    tick();
    const int x = thePlayer().getXPos();
    ticks(3);
    EXPECT_EQ(thePlayer().getXPos(), x + 12);
    EXPECT_EQ(thePlayer().state().trailX[0], x + 12);
    EXPECT_EQ(thePlayer().state().trailX[3], x);
    EXPECT_EQ(thePlayer().state().trailX[14], kStartX) << "the oldest entries are the start";
    release(SDLK_RIGHT);

    globalMap->addWaterArea()->boundingBox().setBounds(0, 0, 319, kFloorRow * kTile - 1);
    tick();
    EXPECT_EQ(thePlayer().state().medium.baseSpeed, 1);
    press(kBooster);
    press(kBooster);
    EXPECT_TRUE(thePlayer().state().boosterOn);
    EXPECT_EQ(thePlayer().state().horizontalSpeed, 1);
}

} // namespace
