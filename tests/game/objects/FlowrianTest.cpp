#include "InhabitantFixture.h"
#include "TestWorldObjects.h"
#include "engine/PXInit.h"
#include "game/objects/WOAccordian.h"
#include "game/objects/WOFlowrian.h"
#include "game/objects/WOMusicBox.h"

#include <gtest/gtest.h>
#include <optional>

namespace {

// The Flowrian lives in a pit two tiles wide (walls in columns 2 and 5), so it cannot wander
// off; the music makers lie on the floor right of it, within earshot.
constexpr int kFlowrianX = 55;
constexpr int kMusicBoxX = 100;
constexpr int kAccordianX = 120;

class FlowrianTest : public InhabitantFixture {
protected:
    void SetUp() override {
        InhabitantFixture::SetUp();
        fillTiles(kFloorRow - 2, 2, kFloorRow - 1, 2, kSolid);
        fillTiles(kFloorRow - 2, 5, kFloorRow - 1, 5, kSolid);
    }

    // A whole tick that also follows what the Flowrian hears: the carried object, where the
    // player held it when the tick began, inside its presence area. Its preferred music box
    // heard without a break counts up; anything else starts the count again.
    void tick() override {
        WorldObject* carried = thePlayer().heldObject();
        std::optional<BoundingBox> carriedBox;
        if (carried != nullptr) {
            carried->updateCurrentBBox();
            carriedBox = *carried->getBBox();
        }
        InhabitantFixture::tick();
        if (_flowrian == nullptr) {
            return;
        }
        _carriedWithinEarshot = carriedBox && withinEarshot(*carriedBox);
        const bool heard =
            _carriedWithinEarshot && carried->getObjectType() == WORLD_OBJECT_MUSIC_BOX;
        _ticksHeard = heard ? _ticksHeard + 1 : 0;
        _cheeredUp = _cheeredUp || _ticksHeard >= WOFlowrian::kCheerUpTicks;
        if (_flowrian->getSadState() != (_cheeredUp ? PX_FALSE : PX_TRUE) && !_mismatchSeen) {
            _mismatchSeen = true;
            ADD_FAILURE() << "sad state " << _flowrian->getSadState() << " after " << _ticksHeard
                          << " ticks of music";
        }
    }

    bool withinEarshot(const BoundingBox& box) const {
        const BoundingBox* own = _flowrian->getBBox();
        const BoundingBox presence(own->getLeftBound() - WOFlowrian::kPresenceHorizontal,
                                   own->getTopBound() - WOFlowrian::kPresenceVertical,
                                   own->getRightBound() + WOFlowrian::kPresenceHorizontal,
                                   own->getBottomBound() + WOFlowrian::kPresenceVertical);
        return BoundingBox::checkCollision(&presence, &box);
    }

    // A fresh player whose box's left edge is the object's.
    void standOn(const WorldObject& object) { standAt(object.getXPos() - kBoxLeft); }

    WOFlowrian* _flowrian = nullptr;
    bool _carriedWithinEarshot = false;
    int _ticksHeard = 0;
    bool _cheeredUp = false;
    bool _mismatchSeen = false;
};

TEST_F(FlowrianTest, CheersUpOnlyAfter240UninterruptedTicksOfItsMusicMakerCarriedNearby) {
    WOMusicBox& musicBox = placeOnFloor(new WOMusicBox(), kMusicBoxX);
    WOAccordian& accordian = placeOnFloor(new WOAccordian(), kAccordianX);
    _flowrian = &placeOnFloor(new WOFlowrian(), kFlowrianX);
    _flowrian->setSadState(PX_TRUE);

    standOn(accordian);
    pressAction();
    ASSERT_EQ(thePlayer().heldObject(), &accordian);
    ticks(300);
    EXPECT_TRUE(_carriedWithinEarshot) << "the accordian was played close by";
    EXPECT_EQ(_flowrian->getSadState(), PX_TRUE) << "it is not the music it wants";
    pressAction();
    ticks(20);

    standOn(musicBox);
    pressAction();
    ASSERT_EQ(thePlayer().heldObject(), &musicBox);
    ASSERT_GT(ticksUntil([this] { return _ticksHeard == 200; }, 300), 0);
    hold(SDLK_RIGHT);
    ASSERT_GT(ticksUntil([this] { return _ticksHeard == 0; }, 100), 0) << "carried off";
    ticks(20);
    release(SDLK_RIGHT);
    ticks(60);
    EXPECT_EQ(_flowrian->getSadState(), PX_TRUE);
    hold(SDLK_LEFT);
    ASSERT_GT(ticksUntil([this] { return _ticksHeard > 0; }, 100), 0) << "brought back";
    ticks(20);
    release(SDLK_LEFT);
    ASSERT_GT(ticksUntil([this] { return !_flowrian->getSadState(); }, 400), 0);
    EXPECT_EQ(_ticksHeard, WOFlowrian::kCheerUpTicks) << "counted again from the return";
    EXPECT_FALSE(_mismatchSeen);
}

TEST_F(FlowrianTest, RecordRoundTripsAndAnUnknownMusicMakerBecomesTheMusicBox) {
    const auto record = [](const std::string& musicMaker) {
        return recordInteger(WORLD_OBJECT_FLOWRIAN) + recordInteger(1) + recordInteger(30) +
               recordInteger(40) + recordInteger(PX_TRUE) + recordText(musicMaker) +
               recordText("inhabitants");
    };
    WOFlowrian flowrian;
    ASSERT_TRUE(loadBytes(flowrian, record(WOFlowrian::kAccordian)));
    EXPECT_STREQ(flowrian.preferredMusicMaker(), WOFlowrian::kAccordian);
    EXPECT_EQ(flowrian.getSadState(), PX_TRUE);
    EXPECT_STREQ(flowrian.getOwnerMap(), "inhabitants");
    EXPECT_EQ(savedBytes(flowrian), record(WOFlowrian::kAccordian));
    expectRoundTrip(flowrian);

    ASSERT_TRUE(loadBytes(flowrian, record("harp")));
    EXPECT_STREQ(flowrian.preferredMusicMaker(), WOFlowrian::kMusicBox);
}

} // namespace
