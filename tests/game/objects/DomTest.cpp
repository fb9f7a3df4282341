#include "InhabitantFixture.h"
#include "TestWorldObjects.h"
#include "engine/PXInit.h"
#include "game/objects/WODom.h"
#include "game/objects/WODomPot.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

namespace {

constexpr int kDomVersion = 3;
constexpr int kPotVersion = 2;
// The Doms stand this far right of their pots' left edges.
constexpr int kOffsetInPot = 5;

std::string domFields(const std::string& color, int pot, int sad) {
    return recordText(color) + recordInteger(pot) + recordInteger(sad);
}

std::string domRecord(int version, const std::string& fields) {
    return recordInteger(WORLD_OBJECT_DOM) + recordInteger(version) + recordInteger(7) +
           recordInteger(8) + recordText("inhabitants") + fields;
}

class DomTest : public InhabitantFixture {
protected:
    // A sad Dom of the colour and pot number, standing on the floor.
    WODom& placeSadDom(const std::string& color, int pot, int x) {
        auto* dom = new WODom();
        EXPECT_TRUE(loadBytes(*dom, domRecord(kDomVersion, domFields(color, pot, PX_TRUE) +
                                                               recordInteger(PX_FALSE))));
        return placeOnFloor(dom, x);
    }

    WODomPot& placePot(const std::string& color, int pot, int x) {
        auto* object = new WODomPot();
        EXPECT_TRUE(loadBytes(*object, recordInteger(WORLD_OBJECT_DOM_POT) +
                                           recordInteger(kPotVersion) + recordInteger(0) +
                                           recordInteger(0) + recordText("inhabitants") +
                                           recordText(color) + recordInteger(pot)));
        return placeOnFloor(object, x);
    }

    // Tries to pick the Dom up without a player; true when it let itself be held.
    static bool lifts(WODom& dom) {
        int held = PX_FALSE;
        const int taken = dom.trigger(&held);
        EXPECT_EQ(held, dom.isBeingHeld());
        return taken && held;
    }
};

TEST_F(DomTest, ClimbsOnlyIntoThePotOfItsNumberAndColourAfterShufflingToItsMiddle) {
    standAt(300);
    WODomPot& ownPot = placePot(WODom::kColorRed, 3, 200);
    placePot(WODom::kColorRed, 4, 20);
    placePot(WODom::kColorBlue, 3, 110);
    WODom& dom = placeSadDom(WODom::kColorRed, 3, 200 + kOffsetInPot);
    WODom& otherNumber = placeSadDom(WODom::kColorRed, 3, 20 + kOffsetInPot);
    WODom& otherColour = placeSadDom(WODom::kColorRed, 3, 110 + kOffsetInPot);

    tick();
    ASSERT_TRUE(dom.isShuffling());
    EXPECT_FALSE(lifts(dom)) << "not while shuffling";
    std::vector<int> xs = {dom.getXPos()};
    while (dom.isShuffling() && xs.size() < 200) {
        tick();
        xs.push_back(dom.getXPos());
    }
    ASSERT_TRUE(dom.isClimbing());
    EXPECT_EQ(dom.getXPos(), ownPot.getXPos()) << "middles aligned: both frames are 23 wide";
    for (size_t i = 1; i < xs.size(); i++) {
        ASSERT_TRUE(xs[i] == xs[i - 1] || xs[i] == xs[i - 1] - 1) << "1 pixel at a time";
    }
    EXPECT_EQ(dom.getSadState(), PX_TRUE);
    EXPECT_FALSE(lifts(dom)) << "not while climbing";

    ASSERT_GT(ticksUntil([&] { return !dom.isClimbing(); }, 200), 0);
    EXPECT_TRUE(dom.isInPot());
    EXPECT_EQ(dom.getSadState(), PX_FALSE) << "happy as soon as it is in";
    EXPECT_FALSE(lifts(dom)) << "not out of its pot";

    ticks(300);
    for (const WODom* stranger : {&otherNumber, &otherColour}) {
        EXPECT_EQ(stranger->getSadState(), PX_TRUE);
        EXPECT_FALSE(stranger->isShuffling() || stranger->isClimbing() || stranger->isInPot());
    }
    EXPECT_EQ(dom.getXPos(), ownPot.getXPos());
}

TEST_F(DomTest, FallsFourPixelsATickAndIsLiftedOnlyWithThePowerFist) {
    WODom& dom = placeSadDom(WODom::kColorGreen, 2, 100);
    const int restingY = dom.getYPos();
    dom.setPosition(100, restingY - 42);
    standAt(300);
    for (int tick = 1; tick <= 12; tick++) {
        this->tick();
        ASSERT_EQ(dom.getYPos(), std::min(restingY - 42 + 4 * (tick + 2), restingY)) << tick;
    }

    standAt(100);
    pressAction();
    EXPECT_EQ(thePlayer().heldObject(), nullptr) << "weight 50";
    ticks(40);
    thePlayer().grantPowerup(player::kPowerupPowerFist);
    pressAction();
    ASSERT_EQ(thePlayer().heldObject(), &dom);
    EXPECT_TRUE(dom.isBeingHeld());
    ticks(20);
    pressAction();
    EXPECT_EQ(thePlayer().heldObject(), nullptr);
    EXPECT_FALSE(dom.isBeingHeld());
    ticks(20);
    EXPECT_EQ(dom.getYPos(), restingY) << "back on the floor";
}

TEST_F(DomTest, RecordRoundTripsFromEveryVersionAndClampsItsPotNumber) {
    WODom dom;
    const std::string current =
        domRecord(kDomVersion, domFields(WODom::kColorBlue, 7, PX_TRUE) + recordInteger(PX_TRUE));
    ASSERT_TRUE(loadBytes(dom, current));
    EXPECT_STREQ(dom.color(), WODom::kColorBlue);
    EXPECT_EQ(dom.potNumber(), 7);
    EXPECT_TRUE(dom.isInPot());
    EXPECT_EQ(savedBytes(dom), current);
    expectRoundTrip(dom);

    standAt(300);
    WODom& old = placeObject(new WODom(), 40, 40);
    ASSERT_TRUE(loadBytes(old, domRecord(1, "")));
    EXPECT_STREQ(old.color(), WODom::kColorRed);
    EXPECT_EQ(old.potNumber(), 1);
    EXPECT_EQ(old.getSadState(), PX_FALSE);
    EXPECT_FALSE(old.isInPot());
    EXPECT_EQ(old.getXPos(), 7);
    ASSERT_TRUE(loadBytes(old, domRecord(2, domFields("Purple", 12, PX_TRUE))));
    EXPECT_STREQ(old.color(), WODom::kColorRed) << "an unknown colour";
    EXPECT_FALSE(old.isInPot());
    tick();
    EXPECT_EQ(old.potNumber(), WODom::kHighestPotNumber);

    old.setInPot(PX_TRUE);
    EXPECT_TRUE(old.isInPot());
    EXPECT_FALSE(lifts(old));
}

} // namespace
