#include "game/objects/WorldObjectVector.h"
#include "game/player/Player.h"
#include "game/world/Map.h"
#include "game/world/MapExit.h"
#include "tests/game/objects/TestWorldObjects.h"
#include "tests/support/GameplayFixture.h"
#include "tests/support/TestLog.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>

namespace {

constexpr const char* kHome = "gameplay";
constexpr const char* kOther = "other";
// Every exit here is a vertical line 96 pixels high from y 96, ending on the floor.
constexpr int kExitTop = 96;

int countOf(const std::string& text, const std::string& part) {
    int count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        count++;
    }
    return count;
}

class PlayerExitTest : public GameplayFixture {
protected:
    // A floored map with one vertical exit at x to the named map's point (toX, kExitTop).
    static void buildMapWithExit(int x, const char* destination, int toX) {
        buildMap(20, 15);
        fillFloor();
        Map::Exit* exit = globalMap->addExit();
        exit->setOrientation(Map::kVertical);
        exit->setCoords(x, kExitTop);
        exit->setHeight(kFloorRow * kTile - kExitTop);
        exit->setNextMap(destination);
        exit->setNextMapCoords(toX, kExitTop);
    }

    // A follower owned by the home map.
    static TestBlock& addFollower() {
        auto* follower = new TestBlock();
        follower->setOwnerMap(kHome);
        globalWorldObjectVector->push_back(follower);
        recreateMapSpecificWorldObjectVector(kHome);
        thePlayer().setFollowedBy(follower);
        return *follower;
    }

    // A player walking right from x 250 reaches the exit at x 300 on the 19th tick, at x 288.
    static void walkToTheExitAt300() {
        spawnPlayer(250, standingY(kFloorRow));
        hold(SDLK_RIGHT);
    }
};

TEST_F(PlayerExitTest, AnExitIsTakenOnceAndNotAgainUntilThePlayerHasLeftItsArea) {
    buildMapWithExit(20, kHome, 300);
    saveMap(kOther);
    buildMapWithExit(300, kOther, 20);
    saveMap(kHome);
    walkToTheExitAt300();
    TestBlock& follower = addFollower();
    ticks(18);
    ASSERT_STREQ(globalMap->getFilename(), kHome);
    tick();
    ASSERT_STREQ(globalMap->getFilename(), kOther);
    EXPECT_EQ(thePlayer().getXPos(), 20 - (300 - 288)) << "the offset to the exit is kept";
    EXPECT_EQ(thePlayer().getYPos(), standingY(kFloorRow));
    EXPECT_STREQ(follower.getOwnerMap(), kOther);
    EXPECT_EQ(follower.getXPos(), thePlayer().getXPos());
    EXPECT_EQ(follower.getYPos(), thePlayer().getYPos());

    // The player stands in the other map's exit back home and walks on through it.
    for (int i = 0; i < 10; i++) {
        tick();
        ASSERT_STREQ(globalMap->getFilename(), kOther) << "tick " << i;
    }
    release(SDLK_RIGHT);
    hold(SDLK_LEFT);
    EXPECT_GT(ticksUntil([] { return std::string(globalMap->getFilename()) == kHome; }, 20), 0);
    EXPECT_STREQ(follower.getOwnerMap(), kHome);
    const int arrivedX = thePlayer().getXPos();
    ticks(10);
    EXPECT_STREQ(globalMap->getFilename(), kHome);
    EXPECT_EQ(thePlayer().getXPos(), arrivedX - 20);
}

TEST_F(PlayerExitTest, AnObjectTakenFromTheInventoryBelongsToNoMapWhileCarriedThroughAnExit) {
    buildMapWithExit(20, kHome, 300);
    saveMap(kOther);
    buildMapWithExit(300, kOther, 20);
    saveMap(kHome);
    spawnPlayer(250, standingY(kFloorRow));
    auto* stored = new TestCarriable();
    globalWorldObjectVector->push_back(stored);
    thePlayer().addObjectToInventory(stored);
    hold(SDLK_e);
    tick();
    release(SDLK_e);
    ASSERT_GT(ticksUntil([] { return thePlayer().heldObject() != nullptr; }, 100), 0);
    hold(SDLK_RIGHT);
    ASSERT_GT(ticksUntil([] { return std::string(globalMap->getFilename()) == kOther; }, 100), 0);
    EXPECT_EQ(stored->getOwnerMap(), nullptr);
    EXPECT_TRUE(globalMapSpecificWorldObjectVector->empty());
    release(SDLK_RIGHT);
    tick();
    hold(SDLK_e);
    tick();
    EXPECT_EQ(thePlayer().heldObject(), nullptr);
    EXPECT_EQ(thePlayer().inventory(), std::vector<WorldObject*>{stored}) << "stored again";
    EXPECT_EQ(stored->getOwnerMap(), nullptr);
}

TEST_F(PlayerExitTest, AnExitWithinTheSameMapMovesThePlayerWithoutReloadingTheMap) {
    buildMapWithExit(300, kHome, 60);
    saveMap(kHome);
    // Only the map in memory has this tile; a reload would lose it.
    globalMap->setTileAt(0, 0, 0, kSolid);
    walkToTheExitAt300();
    ticks(19);
    EXPECT_EQ(thePlayer().getXPos(), 60 - (300 - 288));
    EXPECT_EQ(globalMap->getTileAt(0, 0, 0), kSolid);
    EXPECT_STREQ(globalMap->getFilename(), kHome);
}

TEST_F(PlayerExitTest, AnExitToAMissingOrBrokenMapKeepsThePlayerAndIsTriedOncePerVisit) {
    std::filesystem::create_directories("./data/maps");
    std::ofstream("./data/maps/broken") << "not a map";
    for (const std::string destination : {"nowhere", "broken"}) {
        SCOPED_TRACE(destination);
        buildMapWithExit(300, destination.c_str(), 20);
        saveMap(kHome);
        walkToTheExitAt300();
        TestBlock& follower = addFollower();
        clearTestLog();
        const std::string message =
            (destination == "nowhere" ? "Couldn't find the map " : "Couldn't load the map ") +
            destination + " behind an exit; staying in gameplay.\n";
        ticks(24);
        EXPECT_STREQ(globalMap->getFilename(), kHome);
        EXPECT_EQ(thePlayer().getXPos(), 250 + 2 * 24) << "walked on through the exit";
        EXPECT_EQ(countOf(testLogContent(), message), 1);
        EXPECT_STREQ(follower.getOwnerMap(), kHome);
        EXPECT_EQ(follower.getXPos(), 0) << "the follower stays where it was";

        release(SDLK_RIGHT);
        hold(SDLK_LEFT);
        ticks(10);
        EXPECT_EQ(countOf(testLogContent(), message), 2) << "tried again after leaving the area";
        releaseAllKeys();
    }
}

} // namespace
