#include "game/core/Sprite.h"
#include "game/objects/WOBoosterPowerup.h"
#include "game/objects/WOHexNut.h"
#include "game/objects/WOHighJumpPowerup.h"
#include "game/objects/WOPowerup.h"
#include "game/objects/WOWallJumpPowerup.h"
#include "game/objects/WorldObjectVector.h"
#include "tests/support/GameplayFixture.h"

#include <SDL_mixer.h>
#include <algorithm>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace {

// A powerup whose sprite file is missing.
class SpritelessPowerup : public WOPowerup {
public:
    SpritelessPowerup() { becomePickup(WORLD_OBJECT_MAP_POWERUP, "noSuchPickup.txt", "shine"); }
};

class PickupTest : public GameplayFixture {
protected:
    void SetUp() override {
        GameplayFixture::SetUp();
        fillFloor();
        saveMap("pickups");
    }

    static bool inMap(const WorldObject* object) {
        const auto& objects = *globalMapSpecificWorldObjectVector;
        return std::find(objects.begin(), objects.end(), object) != objects.end();
    }

    // Ticks a freshly shown "shrink" of the sprite file takes to finish.
    static int shrinkTicks(const char* spriteFile) {
        Sprite sprite;
        EXPECT_TRUE(sprite.load(spriteFile));
        sprite.setCurrentAnimation("shrink");
        int ticks = 0;
        while (!sprite.finishedAnimating() && ticks < 1000) {
            sprite.logic();
            ticks++;
        }
        return ticks;
    }
};

TEST_F(PickupTest, FloatsAPixelAtATimeWithLengtheningPausesTurningEveryFiveMoves) {
    auto& powerup = placeObject(new WOHighJumpPowerup(), 100, 50);
    const int boxTop = powerup.getBBox()->getTopBound() - powerup.getYPos();
    std::vector<std::pair<int, int>> moves;
    int lastY = powerup.getYPos();
    for (int tick = 1; tick <= 200; tick++) {
        powerup.logic();
        if (powerup.getYPos() != lastY) {
            lastY = powerup.getYPos();
            moves.emplace_back(tick, lastY);
        }
        ASSERT_EQ(powerup.getBBox()->getTopBound() - powerup.getYPos(), boxTop) << "box follows";
    }
    const std::vector<std::pair<int, int>> expected = {
        {6, 51},   {12, 52},  {24, 53},  {42, 54},  {66, 53},  {72, 52},  {78, 51}, {90, 50},
        {108, 49}, {132, 50}, {138, 51}, {144, 52}, {156, 53}, {174, 54}, {198, 53}};
    EXPECT_EQ(moves, expected);
}

TEST_F(PickupTest, TouchedEveryTickItShrinksOnceWithOneSound) {
    const int shrink = shrinkTicks("wallJumpCompiled.txt");
    ASSERT_GT(shrink, 1);
    WorldObject* powerup = &placeObject(new WOWallJumpPowerup(), 100, 50);
    for (int tick = 1; tick <= shrink; tick++) {
        ASSERT_TRUE(inMap(powerup)) << "tick " << tick;
        static_cast<WOPickup*>(powerup)->setObtained();
        EXPECT_EQ(Mix_Playing(-1), 1) << "tick " << tick;
        gameTick();
    }
    EXPECT_FALSE(inMap(powerup)) << "the shrink is not restarted by touching again";
}

TEST_F(PickupTest, ObtainedPickupsLeaveOnceShrunkAndHexNutsAreCounted) {
    const int shrink = shrinkTicks("booster.txt");
    ASSERT_EQ(shrink, shrinkTicks("hexNut.txt"));
    WorldObject* booster = &placeObject(new WOBoosterPowerup(), 40, 50);
    WorldObject* nut = &placeObject(new WOHexNut(), 80, 50);
    placeObject(new WOHexNut(), 120, 50);
    static_cast<WOPickup*>(booster)->setObtained();
    static_cast<WOPickup*>(nut)->setObtained();
    for (int tick = 1; tick < shrink; tick++) {
        gameTick();
        ASSERT_TRUE(inMap(booster) && inMap(nut)) << "still shrinking at tick " << tick;
    }
    EXPECT_EQ(collectedHexNutCount(), 0);
    gameTick();
    EXPECT_FALSE(inMap(booster));
    EXPECT_FALSE(inMap(nut));
    EXPECT_EQ(globalWorldObjectVector->size(), 1u);
    EXPECT_EQ(collectedHexNutCount(), 1);

    // Race totals and happy counts, then the hex nuts and the collected ones.
    int c[14] = {};
    worldObjectVectorCountNPCsAndCollectibles(c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7], c[8],
                                              c[9], c[10], c[11], c[12], c[13]);
    EXPECT_EQ(c[12], 2);
    EXPECT_EQ(c[13], 1);

    SpritelessPowerup spriteless;
    EXPECT_FALSE(spriteless.needsRemovalFromWorldObjectVector());
    spriteless.setObtained();
    EXPECT_TRUE(spriteless.needsRemovalFromWorldObjectVector()) << "nothing to wait for";
}

} // namespace
