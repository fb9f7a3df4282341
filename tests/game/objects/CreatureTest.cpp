#include "InhabitantFixture.h"
#include "game/objects/WOBat.h"
#include "game/objects/WOBird.h"
#include "game/objects/WOBug.h"
#include "game/objects/WONautilus.h"
#include "game/objects/WOOrb.h"
#include "game/objects/WOShip.h"
#include "game/objects/WOSnail.h"

#include <algorithm>
#include <vector>

namespace {

class CreatureTest : public InhabitantFixture {
protected:
    static bool inWorld(const WorldObject* object) {
        const auto& objects = *globalWorldObjectVector;
        return std::find(objects.begin(), objects.end(), object) != objects.end();
    }

    // A record (without type code) of header and owner map, followed by the extra bytes.
    static std::string record(int x, int y, const std::string& extra) {
        return recordInteger(1) + recordInteger(x) + recordInteger(y) + recordText("inhabitants") +
               extra;
    }

    // The creature loaded from the record's bytes (type code first) and put into the map.
    template <class T> static T& placeLoaded(int x, int y, const std::string& extra) {
        auto* creature = new T();
        EXPECT_TRUE(
            loadBytes(*creature, recordInteger(creature->getObjectType()) + record(x, y, extra)));
        return placeObject(creature, x, y);
    }

    static WOSnail& placeSnail(int x, int y, const char* orientation, const char* direction) {
        return placeLoaded<WOSnail>(x, y, recordText(orientation) + recordText(direction));
    }

    static void expectSnail(const WOSnail& snail, int x, int y, const char* direction,
                            const char* orientation) {
        EXPECT_EQ(snail.getXPos(), x);
        EXPECT_EQ(snail.getYPos(), y);
        EXPECT_STREQ(snail.direction(), direction);
        EXPECT_STREQ(snail.orientation(), orientation);
    }
};

TEST_F(CreatureTest, AShyBirdWaitsForTheIntroThenFliesThroughTilesAndLeavesTheWorld) {
    thePlayer().reset();
    WOBird& shy = placeObject(new WOBird(), thePlayer().getXPos() + 20, thePlayer().getYPos());
    tick();
    EXPECT_FALSE(shy.isFlyingAway()) << "not while the intro runs";
    EXPECT_TRUE(shy.isAirborne());

    ASSERT_GT(ticksUntil([&] { return !shy.isAirborne(); }, 200), 0);
    EXPECT_FALSE(shy.isFlyingAway());
    EXPECT_EQ(shy.getBBox()->getBottomBound(), kFloorY - 1) << "landed on the floor";

    // A ledge above that the flight passes through.
    fillTiles(5, 0, 5, 19, kSolid);
    WOBird& calm = placeLoaded<WOBird>(shy.getXPos() + 80, 0, recordInteger(0));
    standAt(shy.getXPos() + 40);
    ASSERT_TRUE(shy.isFlyingAway());
    int lastY = shy.getYPos();
    ASSERT_GT(ticksUntil(
                  [&] {
                      if (!inWorld(&shy)) {
                          return true;
                      }
                      EXPECT_LT(shy.getYPos(), lastY) << "tiles do not hold it";
                      lastY = shy.getYPos();
                      return false;
                  },
                  300),
              0);
    EXPECT_LE(lastY, 3) << "gone the tick it rose above the map";
    EXPECT_FALSE(calm.isFlyingAway());
    EXPECT_FALSE(calm.isAirborne());
    EXPECT_EQ(bytesWrittenBy([](FILE* stream) { return saveWorldObjects(stream, nullptr); }),
              recordInteger(1) + savedBytes(calm));
}

TEST_F(CreatureTest, ABatWithoutTilesInReachStaysHangingAndOneWithAPerchDropsAndFliesThere) {
    // Row 2 is more than 7 tiles from the floor: nothing in reach.
    WOBat& bat = placeObject(new WOBat(), 160, 32);
    for (int tick = 0; tick < 2000; tick++) {
        this->tick();
        ASSERT_EQ(bat.state(), WOBat::State::Hanging);
        ASSERT_EQ(bat.getXPos(), 160);
        ASSERT_EQ(bat.getYPos(), 32);
    }

    fillTiles(0, 0, 8, 19, kSolid);
    ASSERT_GT(ticksUntil([&] { return bat.state() == WOBat::State::Dropping; }, 5000), 0);
    int dropped = 0;
    while (bat.state() == WOBat::State::Dropping) {
        tick();
        dropped += bat.state() == WOBat::State::Dropping ? 1 : 0;
        ASSERT_EQ(bat.getYPos(), 32 + dropped) << "a pixel a tick, through the rock";
    }
    const int startX = bat.getXPos();
    const int startY = bat.getYPos();
    std::vector<std::pair<int, int>> path;
    while (bat.state() == WOBat::State::Flying) {
        tick();
        path.emplace_back(bat.getXPos(), bat.getYPos());
    }
    ASSERT_EQ(path.size(), 100u) << "t grows by 0.01 a tick";
    EXPECT_EQ(bat.state(), WOBat::State::Resting);
    const int perchX = bat.getXPos();
    const int perchY = bat.getYPos();
    EXPECT_LE(perchX % kTile, 8);
    EXPECT_LE(perchY % kTile, 8);
    EXPECT_TRUE(globalMap->tileIsBlockedAt(perchY / kTile, perchX / kTile));
    EXPECT_LE(std::abs(perchX / kTile - 10), 8);
    // Half way along the curve through (start x, perch y).
    EXPECT_EQ(path[49].first, static_cast<int>(0.75 * startX + 0.25 * perchX));
    EXPECT_EQ(path[49].second, static_cast<int>(0.25 * startY + 0.75 * perchY));
}

TEST_F(CreatureTest, ABugFliesAboutAndIsTurnedBackAtTheMapEdges) {
    const int width = globalMap->widthInPixels();
    const int height = globalMap->heightInPixels();
    WOBug& bug = placeObject(new WOBug(), 2, 2);
    int edgeTouches = 0;
    int farthest = 0;
    for (int tick = 0; tick < 4000; tick++) {
        const int x = bug.getXPos();
        const int y = bug.getYPos();
        this->tick();
        const int dx = bug.getXPos() - x;
        const int dy = bug.getYPos() - y;
        ASSERT_TRUE(dx == 0 || std::abs(dx) == 4 || bug.getXPos() == 0 ||
                    bug.getXPos() == width - 1)
            << "speed 4";
        ASSERT_TRUE(dy == 0 || std::abs(dy) == 4 || bug.getYPos() == 0 ||
                    bug.getYPos() == height - 1);
        ASSERT_GE(bug.getXPos(), 0);
        ASSERT_LT(bug.getXPos(), width);
        ASSERT_GE(bug.getYPos(), 0);
        ASSERT_LT(bug.getYPos(), height);
        edgeTouches += bug.getXPos() == 0 || bug.getYPos() == 0 ? 1 : 0;
        farthest = std::max(farthest, bug.getXPos() + bug.getYPos());
    }
    EXPECT_GT(edgeTouches, 0) << "it reached the edges";
    EXPECT_GT(farthest, 100) << "and flew about, also through the floor";
}

TEST_F(CreatureTest, ASnailCrawlsAroundOuterCornersAndClimbsInnerOnesButKeepsStraightInTheAir) {
    // A block on the floor with the snail on top, and a two-tile wall further right.
    fillTiles(9, 3, 11, 5, kSolid);
    fillTiles(10, 9, 11, 9, kSolid);
    WOSnail& snail = placeSnail(64, 128, "up", "right");
    WOSnail& drifter = placeSnail(240, 32, "up", "left");
    // Moves (one every 5 ticks) and where they lead.
    const struct {
        int moves;
        int x;
        int y;
        const char* direction;
        const char* orientation;
    } path[] = {
        {32, 96, 128, "right", "up"},                                 // past the block's edge
        {1, 96, 129, "down", "right"},                                // around its corner
        {47, 96, 176, "down", "right"}, {1, 97, 176, "right", "up"},  // onto the floor
        {32, 128, 175, "up", "left"},                                 // up the wall
        {31, 128, 144, "up", "left"},   {1, 129, 144, "right", "up"}, // over its top
    };
    for (const auto& step : path) {
        ticks(5 * step.moves);
        SCOPED_TRACE(testing::Message() << "at " << step.x << ", " << step.y);
        expectSnail(snail, step.x, step.y, step.direction, step.orientation);
    }
    expectSnail(drifter, 240 - 145, 32, "left", "up");
}

TEST_F(CreatureTest, RecordsRoundTripAndTextsThatAreNoChoiceFallBackToTheDefaults) {
    placeLoaded<WOBird>(1, 2, recordInteger(0));
    placeObject(new WOBat(), 3, 4);
    placeObject(new WOBug(), 5, 6);
    placeObject(new WONautilus(), 7, 8);
    const WOSnail& snail = placeSnail(9, 10, "down", "left");
    const WOShip& ship = placeLoaded<WOShip>(11, 12, recordText("four"));
    const WOOrb& orb = placeLoaded<WOOrb>(13, 14, recordText("six"));
    EXPECT_EQ(savedBytes(snail), recordInteger(WORLD_OBJECT_SNAIL) +
                                     record(9, 10, recordText("down") + recordText("left")));
    EXPECT_STREQ(ship.orientation(), "four");
    EXPECT_STREQ(orb.orientation(), "six");

    const std::string list =
        bytesWrittenBy([](FILE* stream) { return saveWorldObjects(stream, nullptr); });
    ASSERT_TRUE(
        readFromBytes(list, [](FILE* stream) { return loadWorldObjects(stream, nullptr); }));
    std::vector<int> types;
    for (const WorldObject* object : *globalWorldObjectVector) {
        types.push_back(object->getObjectType());
    }
    EXPECT_EQ(types, (std::vector<int>{WORLD_OBJECT_BIRD, WORLD_OBJECT_BAT, WORLD_OBJECT_BUG,
                                       WORLD_OBJECT_NAUTILUS, WORLD_OBJECT_SNAIL, WORLD_OBJECT_SHIP,
                                       WORLD_OBJECT_ORB}));
    EXPECT_EQ(bytesWrittenBy([](FILE* stream) { return saveWorldObjects(stream, nullptr); }), list);

    EXPECT_STREQ(placeLoaded<WOShip>(0, 0, recordText("seven")).orientation(), "one");
    EXPECT_STREQ(placeLoaded<WOOrb>(0, 0, recordText("")).orientation(), "one");
    const WOSnail& lost = placeSnail(0, 0, "sideways", "nowhere");
    EXPECT_STREQ(lost.orientation(), "right");
    EXPECT_STREQ(lost.direction(), "up");
    // A shell cannot face the way the snail crawls.
    EXPECT_STREQ(placeSnail(0, 0, "left", "right").orientation(), "up");
}

} // namespace
