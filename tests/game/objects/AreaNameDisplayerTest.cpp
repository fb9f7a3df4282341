#include "TestWorldObjects.h"
#include "game/objects/WOAreaNameDisplayer.h"
#include "game/objects/WorldObjectVector.h"
#include "game/player/Player.h"
#include "game/world/Letterbox.h"
#include "tests/support/GameplayFixture.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

class AreaNameDisplayerTest : public GameplayFixture {
protected:
    void tick() override { gameTick(); }

    static bool inWorld(const WorldObject* object) {
        const auto& objects = *globalWorldObjectVector;
        return std::find(objects.begin(), objects.end(), object) != objects.end();
    }

    static WOAreaNameDisplayer& placeDisplayer(const char* name) {
        auto* displayer = new WOAreaNameDisplayer();
        EXPECT_TRUE(readFromBytes(recordInteger(1) + recordInteger(16) + recordInteger(32) +
                                      recordInteger(0) + recordText(name),
                                  [displayer](FILE* stream) { return displayer->load(stream); }));
        return placeObject(displayer, 16, 32);
    }
};

TEST_F(AreaNameDisplayerTest, WaitsForTheIntroShowsTheNameUnderTheBarsOnceAndLeaves) {
    fillFloor();
    saveMap("area");
    thePlayer().reset();
    WOAreaNameDisplayer& displayer = placeDisplayer("Arnion");
    EXPECT_EQ(bytesWrittenBy([&](FILE* stream) { return displayer.save(stream); }),
              recordInteger(WORLD_OBJECT_AREA_NAME_DISPLAYER) + recordInteger(1) +
                  recordInteger(16) + recordInteger(32) + recordText("area") +
                  recordText("Arnion"));
    Letterbox& letterbox = *Letterbox::instance();
    while (thePlayer().inIntroSequence()) {
        tick();
        ASSERT_EQ(displayer.alpha(), 0.0f) << "the intro comes first";
    }
    ASSERT_TRUE(letterbox.isFullyShown()) << "the intro's bars";

    ticks(34);
    EXPECT_FLOAT_EQ(displayer.alpha(), 1.0f);
    ticks(300 - 34 - 1);
    EXPECT_TRUE(letterbox.isShowing());
    tick();
    EXPECT_TRUE(letterbox.isHiding()) << "the name is shown for 300 ticks";
    bool barsWereGone = false;
    ASSERT_GT(ticksUntil(
                  [&] {
                      const bool left = !inWorld(&displayer);
                      barsWereGone = barsWereGone || (!left && letterbox.isFullyHidden());
                      return left;
                  },
                  200),
              0);
    EXPECT_TRUE(barsWereGone) << "it leaves once the bars are gone";

    // Entering a map with the bars gone, a name eases them in with it.
    placeDisplayer("Grotto");
    tick();
    EXPECT_TRUE(letterbox.isShowing());
    EXPECT_LT(letterbox.barHeight(), Letterbox::kMaximumBarHeight);
}

} // namespace
