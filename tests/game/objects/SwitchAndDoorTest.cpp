#include "InhabitantFixture.h"
#include "engine/PXInit.h"
#include "game/objects/WOConditionChecker.h"
#include "game/objects/WOFlipSwitch.h"
#include "game/objects/WOFlowrian.h"
#include "game/objects/WONPCDoor.h"
#include "game/objects/WOToggleDoor.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr int kSwitchX = 100;
constexpr int kDoorX = 160;
constexpr int kDoorHeight = 48;
// Rows of the stone left in the doorway once it has risen.
constexpr int kOpenDoorHeight = 4;

class SwitchAndDoorTest : public InhabitantFixture {
protected:
    // The editable field of that title, as the editor and the level compiler set it.
    static void setField(WorldObject& object, const char* title, int value) {
        *static_cast<int*>(field(object, title)) = value;
    }
    static void setText(WorldObject& object, const char* title, const char* text) {
        snprintf(static_cast<char*>(field(object, title)), WorldObject::kTextFieldSize, "%s", text);
        object.forceStateUpdate();
    }

    static WOToggleDoor& placeDoor(const char* label) {
        auto* door = new WOToggleDoor();
        setText(*door, "Object Label", label);
        return placeObject(door, kDoorX, kFloorY - kDoorHeight);
    }
    static WOFlipSwitch& placeSwitch(int x, const char* target) {
        auto* flipSwitch = new WOFlipSwitch();
        setText(*flipSwitch, "Target Label", target);
        return placeOnFloor(flipSwitch, x);
    }
    static int height(const WorldObject& object) {
        return object.getBBox()->getBottomBound() - object.getBBox()->getTopBound() + 1;
    }
    static void addFlowrian(int sad) {
        auto* flowrian = new WOFlowrian();
        flowrian->setSadState(sad);
        globalWorldObjectVector->push_back(flowrian);
    }
    static void setCollectedHexNuts(int count) {
        ASSERT_TRUE(readFromBytes(recordInteger(count), loadCollectibleInfo));
    }
    // Ticks until the lever and the player's pull have finished, and one tick more: the first
    // that reads the controls again, so they see Action let go.
    void waitForSwitch(const WOFlipSwitch& flipSwitch) {
        ASSERT_GT(ticksUntil([&] { return !flipSwitch.isTurning(); }, 100), 0);
        ASSERT_GT(ticksUntil([] { return !thePlayer().state().flippingSwitch; }, 100), -1);
        tick();
    }

private:
    static void* field(WorldObject& object, const char* title) {
        for (const auto& info : object.editorInfo()) {
            if (strcmp(info->title(), title) == 0) {
                return info->dataPointer();
            }
        }
        ADD_FAILURE() << "no field " << title;
        static char none[WorldObject::kTextFieldSize];
        return none;
    }
};

// A door that remembers every toggle it is sent.
class RecordingDoor : public TestDoor {
public:
    int toggle(int state) override {
        received.push_back(state);
        return TestDoor::toggle(state);
    }
    std::vector<int> received;
};

TEST_F(SwitchAndDoorTest, ASwitchOpensAndClosesItsDoorButNotWhileTheDoorMoves) {
    WOToggleDoor& door = placeDoor("gate");
    WOFlipSwitch& flipSwitch = placeSwitch(kSwitchX, "gate");
    standAt(kSwitchX);
    pressAction();
    EXPECT_TRUE(flipSwitch.isTurning());
    EXPECT_EQ(flipSwitch.currentState(), 0) << "the state changes once the lever has moved";
    EXPECT_TRUE(thePlayer().state().flippingSwitch);
    waitForSwitch(flipSwitch);
    EXPECT_EQ(flipSwitch.currentState(), PX_TRUE);
    EXPECT_EQ(door.state(), PX_TRUE);
    ASSERT_TRUE(door.isOpening());

    pressAction();
    EXPECT_FALSE(flipSwitch.isTurning()) << "the rising door refuses";
    EXPECT_FALSE(thePlayer().state().flippingSwitch);
    ASSERT_GT(ticksUntil([&] { return !door.isOpening(); }, 100), 0);

    pressAction();
    EXPECT_TRUE(flipSwitch.isTurning());
    EXPECT_TRUE(thePlayer().state().flippingSwitch);
    waitForSwitch(flipSwitch);
    EXPECT_EQ(flipSwitch.currentState(), 0);
    EXPECT_TRUE(door.isClosing());
    EXPECT_EQ(door.state(), 0);
}

TEST_F(SwitchAndDoorTest, ASwitchWithoutItsTargetStillTurnsOnAndOff) {
    for (const char* target : {"", "nowhere", "removed"}) {
        WOToggleDoor* door = &placeDoor("removed");
        WOFlipSwitch& flipSwitch = placeSwitch(kSwitchX, target);
        standAt(kSwitchX);
        for (const int expected : {PX_TRUE, PX_FALSE}) {
            pressAction();
            ASSERT_TRUE(flipSwitch.isTurning()) << "'" << target << "' to " << expected;
            if (door != nullptr && strcmp(target, "removed") == 0) {
                // Gone while the lever moves: the switch must not reach for it.
                removeWorldObjectFromWorldObjectVector(door);
                door = nullptr;
            }
            waitForSwitch(flipSwitch);
            EXPECT_EQ(flipSwitch.currentState(), expected) << target;
        }
        if (door != nullptr) {
            EXPECT_EQ(door->state(), 0) << target;
            removeWorldObjectFromWorldObjectVector(door);
        }
        removeWorldObjectFromWorldObjectVector(&flipSwitch);
    }
}

TEST_F(SwitchAndDoorTest, TheStoneBlocksWhileItIsInTheDoorway) {
    WOToggleDoor& door = placeDoor("gate");
    EXPECT_EQ(height(door), kDoorHeight);
    standAt(kDoorX - 40);
    hold(SDLK_RIGHT);
    ticks(60);
    EXPECT_LT(thePlayer().getBBox()->getRightBound(), kDoorX) << "a closed door blocks";

    EXPECT_FALSE(door.isToggleable(0)) << "closed already";
    ASSERT_TRUE(door.toggle(PX_TRUE));
    EXPECT_FALSE(door.isToggleable(0)) << "busy rising";
    EXPECT_FALSE(door.toggle(0));
    EXPECT_EQ(ticksUntil([&] { return !door.isOpening(); }, 100), 22);
    EXPECT_EQ(height(door), kOpenDoorHeight);
    ticks(60);
    EXPECT_GT(thePlayer().getBBox()->getLeftBound(), kDoorX + 15) << "an open door lets pass";
    release(SDLK_RIGHT);

    ASSERT_TRUE(door.toggle(0));
    EXPECT_TRUE(door.isClosing());
    EXPECT_FALSE(door.toggle(PX_TRUE)) << "busy closing";
    EXPECT_EQ(ticksUntil([&] { return !door.isClosing(); }, 100), 24);
    EXPECT_EQ(height(door), kDoorHeight);
}

TEST_F(SwitchAndDoorTest, ACheckerTellsItsTargetWhenTheAnswerChangesOrEveryTickWhenConstant) {
    auto& target = placeObject(new RecordingDoor(), 0, 0);
    target.setLabel("target");
    auto& checker = placeObject(new WOConditionChecker(), 0, 0);
    setText(checker, "Target Object Label", "target");
    setField(checker, "Required Flowrian", 1);
    setField(checker, "Required Map", PX_TRUE);
    addFlowrian(PX_TRUE);
    ticks(3);
    EXPECT_TRUE(target.received.empty()) << "false as on the tick before";
    thePlayer().grantPowerup(player::kPowerupMap);
    addFlowrian(PX_FALSE);
    ticks(3);
    EXPECT_EQ(target.received, std::vector<int>{PX_TRUE});
    EXPECT_EQ(checker.lastResult(), PX_TRUE);

    setField(checker, "Required Flowrian", 2);
    ticks(2);
    setField(checker, "Constant Mode", PX_TRUE);
    ticks(2);
    EXPECT_EQ(target.received, (std::vector<int>{PX_TRUE, 0, 0, 0}));
    setField(checker, "Required Flowrian", 0);
    setField(checker, "Required Vonil Proximity", PX_TRUE);
    tick();
    EXPECT_EQ(target.received.back(), 0) << "no Vonil is ever near enough";

    // A real door told every tick what it already is refuses without moving.
    WOToggleDoor& door = placeDoor("gate");
    setText(checker, "Target Object Label", "gate");
    setField(checker, "Required Vonil Proximity", 0);
    ticks(2);
    EXPECT_TRUE(door.isOpening());
    ASSERT_GT(ticksUntil([&] { return !door.isOpening(); }, 100), 0);
    ticks(2);
    EXPECT_FALSE(door.isOpening());
    EXPECT_EQ(door.state(), PX_TRUE);
}

TEST_F(SwitchAndDoorTest, InhabitantDoorsOpenNearThePlayerForEnoughHappyInhabitantsOrHexNuts) {
    auto& raceDoor = placeObject(new WONPCDoor(), kDoorX, kFloorY - kDoorHeight);
    setText(raceDoor, "NPC Type", "Flowrian");
    setField(raceDoor, "Number required", 2);
    auto& nutDoor = placeObject(new WONPCDoor(), kDoorX + 100, kFloorY - kDoorHeight);
    setText(nutDoor, "NPC Type", "Hex Nut");
    setField(nutDoor, "Number required", 2);
    addFlowrian(PX_FALSE);
    addFlowrian(PX_TRUE);
    setCollectedHexNuts(1);
    standAt(kDoorX - 16);
    ticks(5);
    EXPECT_EQ(raceDoor.state(), 0) << "one happy Flowrian of two";
    hold(SDLK_RIGHT);
    ticks(20);
    release(SDLK_RIGHT);
    EXPECT_LT(thePlayer().getBBox()->getRightBound(), kDoorX) << "a shut door blocks the way";

    addFlowrian(PX_FALSE);
    setCollectedHexNuts(2);
    tick();
    EXPECT_EQ(raceDoor.state(), PX_TRUE);
    EXPECT_TRUE(raceDoor.isFadingOut());
    EXPECT_EQ(nutDoor.state(), 0) << "the player is not near it";
    EXPECT_EQ(ticksUntil([&] { return raceDoor.isOpening(); }, 200), 100);
    EXPECT_EQ(raceDoor.iconAlpha(), 0.0f);
    EXPECT_GT(ticksUntil([&] { return raceDoor.isFadingIn(); }, 100), 0);
    EXPECT_EQ(ticksUntil([&] { return !raceDoor.isFadingIn(); }, 100), 51);
    EXPECT_EQ(raceDoor.iconAlpha(), 1.0f);
    EXPECT_FALSE(raceDoor.toggle(PX_TRUE)) << "open already";
    hold(SDLK_RIGHT);
    EXPECT_GT(ticksUntil([] { return thePlayer().getXPos() > kDoorX + 16; }, 60), 0)
        << "an open door is a doorway";
    release(SDLK_RIGHT);

    thePlayer().setPosition(kDoorX + 84, thePlayer().getYPos());
    tick();
    EXPECT_TRUE(nutDoor.isFadingOut()) << "two collected hex nuts";
}

TEST_F(SwitchAndDoorTest, TheFourClassesRoundTripThroughTheWorldObjectList) {
    auto& flipSwitch = placeSwitch(kSwitchX, "gate");
    flipSwitch.trigger(nullptr);
    ticks(20);
    WOToggleDoor& door = placeDoor("gate");
    door.toggle(PX_TRUE);
    auto& npcDoor = placeObject(new WONPCDoor(), 40, 50);
    setText(npcDoor, "NPC Type", "Hex Nut");
    setField(npcDoor, "Number required", 12);
    auto& checker = placeObject(new WOConditionChecker(), 7, 8);
    setField(checker, "Required Dom", 3);
    setField(checker, "Required Wall Jump", PX_TRUE);
    setText(checker, "Target Object Label", "gate");

    EXPECT_EQ(savedBytes(npcDoor), recordInteger(WORLD_OBJECT_NPC_DOOR) + recordInteger(1) +
                                       recordInteger(40) + recordInteger(50) + recordInteger(0) +
                                       recordText("") + recordText("inhabitants") +
                                       recordText("Hex Nut") + recordInteger(12));
    std::string checkerRecord = recordInteger(WORLD_OBJECT_CONDITION_CHECKER) + recordInteger(1) +
                                recordInteger(7) + recordInteger(8) + recordInteger(0) +
                                recordInteger(0) + recordInteger(3);
    for (int field = 3; field < 13; field++) {
        checkerRecord += recordInteger(0);
    }
    checkerRecord += recordInteger(PX_TRUE) + recordText("gate") + recordText("inhabitants");
    EXPECT_EQ(savedBytes(checker), checkerRecord);

    const std::string list =
        bytesWrittenBy([](FILE* stream) { return saveWorldObjects(stream, nullptr); });
    ASSERT_TRUE(
        readFromBytes(list, [](FILE* stream) { return loadWorldObjects(stream, nullptr); }));
    ASSERT_EQ(globalWorldObjectVector->size(), 4u);
    const auto& loaded = *globalWorldObjectVector;
    EXPECT_EQ(dynamic_cast<WOFlipSwitch&>(*loaded[0]).currentState(), PX_TRUE);
    EXPECT_EQ(dynamic_cast<WOToggleDoor&>(*loaded[1]).state(), PX_TRUE);
    EXPECT_EQ(height(*loaded[1]), kOpenDoorHeight) << "shown open at once";
    EXPECT_STREQ(dynamic_cast<WONPCDoor&>(*loaded[2]).npcType(), "Hex Nut");
    EXPECT_NE(dynamic_cast<WOConditionChecker*>(loaded[3]), nullptr);
    EXPECT_TRUE(loaded[3]->getPropertyFlags() & WORLD_OBJECT_PROPERTY_HIDDEN);
    EXPECT_EQ(bytesWrittenBy([](FILE* stream) { return saveWorldObjects(stream, nullptr); }), list);
}

} // namespace
