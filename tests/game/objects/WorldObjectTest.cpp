#include "game/objects/WorldObject.h"
#include "TestWorldObjects.h"
#include "engine/PXInit.h"
#include "game/core/Sprite.h"
#include "game/objects/WOCollectible.h"
#include "game/objects/WONPC.h"
#include "game/objects/WOPowerup.h"
#include "game/objects/WOPushable.h"
#include "game/objects/WOTargeting.h"
#include "game/objects/WorldObjectVector.h"
#include "game/world/Map.h"
#include "tests/support/TestLog.h"

#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace {

std::string boxText(const BoundingBox& box) {
    return std::to_string(box.getLeftBound()) + "," + std::to_string(box.getTopBound()) + "," +
           std::to_string(box.getRightBound()) + "," + std::to_string(box.getBottomBound());
}

int occurrences(const std::string& text, const std::string& part) {
    int count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        count++;
    }
    return count;
}

// Solid cells ('#') of one BLOCK layer; without a tileset each cell is solid as a whole.
std::unique_ptr<Map> mapOf(const std::vector<std::string>& rows) {
    auto map = std::make_unique<Map>();
    for (size_t row = 1; row < rows.size(); row++) {
        map->appendRow();
    }
    for (size_t column = 1; column < rows[0].size(); column++) {
        map->appendColumn();
    }
    map->setLayerProperties(0, Map::kLayerBlock);
    for (size_t row = 0; row < rows.size(); row++) {
        for (size_t column = 0; column < rows[row].size(); column++) {
            map->setTileAt(0, static_cast<int>(row), static_cast<int>(column),
                           rows[row][column] == '#' ? 1 : 0);
        }
    }
    return map;
}

// Installs a map and an object vector of the current map for the test's duration.
class WorldObjectTest : public ::testing::Test {
protected:
    void TearDown() override {
        globalMap = nullptr;
        globalMapSpecificWorldObjectVector = nullptr;
    }
    void useMap(const std::vector<std::string>& rows) {
        _map = mapOf(rows);
        globalMap = _map.get();
    }
    void placeInMap(const std::vector<WorldObject*>& objects) {
        _mapObjects = objects;
        globalMapSpecificWorldObjectVector = &_mapObjects;
        for (WorldObject* object : objects) {
            object->updateCurrentBBox();
        }
    }

    std::unique_ptr<Map> _map;
    std::vector<WorldObject*> _mapObjects;
};

TEST(WorldObjectBaseTest, EachBaseSetsItsTypeAndAddsItsBits) {
    Concrete<WOPushable> pushable;
    EXPECT_EQ(pushable.getObjectType(), WORLD_OBJECT_PUSHABLE);
    EXPECT_EQ(pushable.getPropertyFlags(),
              WORLD_OBJECT_PROPERTY_SOLID | WORLD_OBJECT_PROPERTY_PUSHABLE);
    EXPECT_EQ(pushable.getXPos(), 100);
    EXPECT_EQ(pushable.getYPos(), 50);

    struct Expected {
        std::unique_ptr<WorldObject> object;
        int type;
        int flags;
    };
    Expected bases[] = {
        {std::make_unique<Concrete<WOSolid>>(), WORLD_OBJECT_SOLID, WORLD_OBJECT_PROPERTY_SOLID},
        {std::make_unique<Concrete<WONPC>>(), WORLD_OBJECT_NPC, WORLD_OBJECT_PROPERTY_NPC},
        {std::make_unique<Concrete<WOPowerup>>(), WORLD_OBJECT_POWERUP,
         WORLD_OBJECT_PROPERTY_POWERUP},
        {std::make_unique<Concrete<WOCollectible>>(), WORLD_OBJECT_COLLECTIBLE,
         WORLD_OBJECT_PROPERTY_COLLECTIBLE},
        {std::make_unique<Concrete<WOTargeting>>(), WORLD_OBJECT_TARGETING,
         WORLD_OBJECT_PROPERTY_TARGETING},
        {std::make_unique<TestDoor>(), kTestDoorType, WORLD_OBJECT_PROPERTY_TOGGLEABLE},
    };
    for (const Expected& base : bases) {
        EXPECT_EQ(base.object->getObjectType(), base.type);
        EXPECT_EQ(base.object->getPropertyFlags(), base.flags) << base.type;
    }
}

TEST(WorldObjectBaseTest, WeightAndHeldFlagAreNormalised) {
    TestBlock block;
    block.setWeight(-3);
    EXPECT_EQ(block.getWeight(), 0);
    block.setWeight(50);
    EXPECT_EQ(block.getWeight(), 50);
    block.setBeingHeld(1);
    EXPECT_EQ(block.isBeingHeld(), 0) << "only -1 means held";
    block.setBeingHeld(PX_TRUE);
    EXPECT_EQ(block.isBeingHeld(), PX_TRUE);
}

TEST(WorldObjectBaseTest, OwnerMapIsAnOwnedCopy) {
    TestBlock block;
    char name[] = "arnion1";
    block.setOwnerMap(name);
    name[0] = 'X';
    EXPECT_STREQ(block.getOwnerMap(), "arnion1");
    block.setOwnerMap(block.getOwnerMap());
    EXPECT_STREQ(block.getOwnerMap(), "arnion1") << "its own name is kept, not freed";
    block.setOwnerMap(nullptr);
    EXPECT_EQ(block.getOwnerMap(), nullptr);
}

TEST(WorldObjectBaseTest, EditorFieldsPointIntoTheObjectInOrder) {
    TestDoor door;
    ASSERT_EQ(door.editorInfo().size(), 2u);
    const WorldObjectEditorInfo& label = *door.editorInfo()[0];
    EXPECT_STREQ(label.title(), "Object Label");
    EXPECT_EQ(label.valueType(), WorldObjectEditorInfo::kText);
    door.setLabel("gate");
    EXPECT_STREQ(static_cast<const char*>(label.dataPointer()), "gate");
    const WorldObjectEditorInfo& state = *door.editorInfo()[1];
    EXPECT_STREQ(state.title(), "State");
    *static_cast<int*>(state.dataPointer()) = PX_TRUE;
    EXPECT_EQ(door.state(), PX_TRUE);

    const Concrete<WONPC> npc;
    ASSERT_EQ(npc.editorInfo().size(), 1u);
    EXPECT_STREQ(npc.editorInfo()[0]->title(), "Sad state");
    EXPECT_EQ(npc.editorInfo()[0]->valueType(), WorldObjectEditorInfo::kFlag);

    const std::string longText(300, 'c');
    const WorldObjectEditorInfo choice(longText.c_str(), WorldObjectEditorInfo::kChoice,
                                       {"Up", longText}, nullptr);
    EXPECT_EQ(std::string(choice.title()), longText.substr(0, 255));
    ASSERT_NE(choice.selectionList(), nullptr);
    EXPECT_EQ(*choice.selectionList(), (std::vector<std::string>{"Up", longText.substr(0, 255)}));
}

// Takes its box from a sprite whose frames have one box ("boxed") or none ("bare"). The
// sprite has no sheet: its animations and boxes still load.
class SpriteObject : public Concrete<WorldObject> {
public:
    SpriteObject() {
        _sprite.loadFromText("VERSION: 1\nIMAGE: none.png\n"
                             "[boxed]\nLOOP: True\nNUMBER_OF_FRAMES: 1\n"
                             "FRAME_COORDS: 0,0,16,24,0,0\nDELAY: 1\n"
                             "NUMBER_OF_BOUNDING_BOXES: 1\nBBOX_COORDS: 1,2,13,22\n"
                             "[bare]\nLOOP: True\nNUMBER_OF_FRAMES: 1\n"
                             "FRAME_COORDS: 0,0,16,24,0,0\nDELAY: 1\n"
                             "NUMBER_OF_BOUNDING_BOXES: 0\n");
    }
    void show(const char* animation) { _sprite.setCurrentAnimation(animation); }
    void updateCurrentBBox() override { updateBBoxFromSprite(_sprite); }
    BoundingBox getSpriteBBox(int index) override { return spriteFrameBox(_sprite, index); }

private:
    Sprite _sprite;
};

TEST(WorldObjectBaseTest, SpriteBoxBecomesTheWorldBoxAndMissingBoxesHaveStandIns) {
    SpriteObject object;
    object.setPosition(100, 50);
    object.show("boxed");
    object.updateCurrentBBox();
    EXPECT_EQ(boxText(*object.getBBox()), "101,52,113,72");
    EXPECT_EQ(boxText(object.getSpriteBBox(0)), "1,2,13,22") << "sprite-local";

    clearTestLog();
    EXPECT_EQ(boxText(object.getSpriteBBox(1)), "1,2,13,22")
        << "a carriable without box 1 is carried by its own box";
    object.show("bare");
    object.updateCurrentBBox();
    object.setPosition(120, 60);
    object.updateCurrentBBox();
    EXPECT_EQ(boxText(*object.getBBox()), "120,60,120,60");
    EXPECT_EQ(occurrences(testLogContent(), "Sprite frame without bounding box"), 1);

    TestBlock plain;
    plain.setPosition(5, 6);
    plain.updateCurrentBBox();
    EXPECT_EQ(boxText(plain.getSpriteBBox(3)), "5,6,20,21") << "the base answers with its own box";
}

TEST_F(WorldObjectTest, BlockedProbesTheMapBeyondEachSideAtTheDistance) {
    useMap({"..........", "..........", "......#...", "..........", "......#..."});
    // A 16 x 16 block; the wall cells are x 96..111 in rows 2 (y 32..47) and 4 (y 64..79).
    TestBlock block;
    block.setPosition(64, 32);
    EXPECT_FALSE(block.blocked(WorldObject::kSideRight, 16)) << "x 95 is free";
    EXPECT_TRUE(block.blocked(WorldObject::kSideRight, 17)) << "x 96 is the wall";
    EXPECT_FALSE(block.blocked(WorldObject::kSideDown, 16));
    block.setPosition(96, 16);
    EXPECT_TRUE(block.blocked(WorldObject::kSideDown, 1));
    EXPECT_FALSE(block.blocked(WorldObject::kSideDown, 17)) << "the gap row";
    EXPECT_TRUE(block.blocked(WorldObject::kSideDown, 33));
    block.setPosition(96, 48);
    EXPECT_TRUE(block.blocked(WorldObject::kSideUp, 1));
    EXPECT_FALSE(block.blocked(WorldObject::kSideLeft, 1));
    EXPECT_FALSE(block.blocked(7, 1)) << "no such side";
    block.setPosition(-40, -40);
    EXPECT_FALSE(block.blocked(WorldObject::kSideLeft, 3)) << "outside the map nothing is solid";
    globalMap = nullptr;
    block.setPosition(96, 16);
    EXPECT_FALSE(block.blocked(WorldObject::kSideDown, 1)) << "no map, no walls";
}

TEST_F(WorldObjectTest, MovingSidewaysClimbsLowStepsAndStopsAtWalls) {
    // Walls at x 0..15 and 128..143, a step of one cell at x 48..63, y 80..95, a floor at y 96.
    useMap({"#.......#.", "#.......#.", "#.......#.", "#.......#.", "#.......#.", "#..#....#.",
            "##########"});
    TestBlock block;

    block.setPosition(64, 72);
    block.move(WorldObject::kSideLeft, 2);
    EXPECT_EQ(block.getXPos(), 62);
    EXPECT_EQ(block.getYPos(), 64) << "an 8-pixel step is climbed";

    block.setPosition(64, 73);
    block.move(WorldObject::kSideLeft, 2);
    EXPECT_EQ(block.getXPos(), 64) << "a 9-pixel step is a wall";
    EXPECT_EQ(block.getYPos(), 73);

    block.setPosition(18, 40);
    block.move(WorldObject::kSideLeft, 4);
    EXPECT_EQ(block.getXPos(), 16) << "overshooting into a wall ejects back to the right";

    block.setPosition(110, 40);
    block.move(WorldObject::kSideRight, 5);
    EXPECT_EQ(block.getXPos(), 112) << "and to the left";

    block.setPosition(96, 76);
    block.move(WorldObject::kSideDown, 8);
    EXPECT_EQ(block.getYPos(), 80) << "falling lands on the floor";
    block.move(WorldObject::kSideDown, 8);
    EXPECT_EQ(block.getYPos(), 80) << "standing on it stays";
}

TEST_F(WorldObjectTest, OtherSolidObjectsAndInhabitantsBlock) {
    useMap({"........", "........"});
    TestBlock mover;
    TestBlock solid;
    TestBlock inhabitant;
    TestBlock passable;
    solid.addPropertyFlags(WORLD_OBJECT_PROPERTY_SOLID);
    inhabitant.addPropertyFlags(WORLD_OBJECT_PROPERTY_NPC);
    mover.addPropertyFlags(WORLD_OBJECT_PROPERTY_SOLID);
    mover.setPosition(40, 0);
    solid.setPosition(60, 0);
    inhabitant.setPosition(0, 0);
    passable.setPosition(40, 0);
    placeInMap({&mover, &passable, &solid, &inhabitant});

    EXPECT_EQ(mover.blockedByObject(mover.getBBox()), nullptr)
        << "neither itself nor an object without the bits";
    const BoundingBox reach(40, 0, 60, 15);
    EXPECT_EQ(mover.blockedByObject(&reach), &solid);
    mover.move(WorldObject::kSideRight, 4);
    EXPECT_EQ(mover.getXPos(), 44) << "a gap of 4 is free";
    mover.move(WorldObject::kSideRight, 1);
    EXPECT_EQ(mover.getXPos(), 44) << "touching the solid object";
    mover.move(WorldObject::kSideLeft, 30);
    EXPECT_EQ(mover.getXPos(), 44) << "the inhabitant blocks too";

    globalMapSpecificWorldObjectVector = nullptr;
    EXPECT_EQ(mover.blockedByObject(&reach), nullptr);
}

TEST_F(WorldObjectTest, PushingBuildsUpAgainstResistanceAndShovesNeighbours) {
    useMap({"..................", "..................", "##################"});
    Concrete<WOPushable> crate;
    Concrete<WOPushable> other;
    crate.setPosition(32, 16);
    other.setPosition(96, 16);
    placeInMap({&crate, &other});

    std::vector<int> moved;
    for (int tick = 0; tick < 4; tick++) {
        moved.push_back(crate.push(WorldObject::kSideRight, 2));
    }
    EXPECT_EQ(moved, (std::vector<int>{0, 1, 0, 1})) << "resistance 4 at speed 2";
    EXPECT_EQ(crate.getXPos(), 34);

    crate.setPosition(80, 16);
    placeInMap({&crate, &other});
    int pushes = 0;
    while (other.getXPos() == 96 && pushes < 100) {
        crate.push(WorldObject::kSideRight, 2);
        pushes++;
    }
    EXPECT_EQ(other.getXPos(), 97) << "the neighbour is shoved";
    EXPECT_EQ(crate.getXPos(), 81) << "and the pusher follows it";
}

TEST_F(WorldObjectTest, TargetsAreTheFirstToggleableOfTheMapWithTheLabel) {
    Concrete<WOTargeting> lever;
    TestDoor unlabelled;
    TestDoor first;
    TestDoor second;
    TestBlock bystander;
    first.setLabel("gate");
    second.setLabel("gate");
    placeInMap({&bystander, &unlabelled, &first, &second});

    EXPECT_EQ(lever.findTarget(), nullptr) << "an empty target label targets nothing";
    auto* label = static_cast<char*>(lever.editorInfo()[0]->dataPointer());
    strcpy(label, "gate");
    EXPECT_STREQ(lever.targetLabel(), "gate");
    EXPECT_EQ(lever.findTarget(), &first);
    strcpy(label, "gat");
    EXPECT_EQ(lever.findTarget(), nullptr);

    globalMapSpecificWorldObjectVector = nullptr;
    EXPECT_EQ(lever.findTarget(), nullptr);
}

} // namespace
