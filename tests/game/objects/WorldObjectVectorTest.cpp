#include "game/objects/WorldObjectVector.h"
#include "TestWorldObjects.h"
#include "game/core/Sprite.h"
#include "game/objects/WOCollectible.h"
#include "game/objects/WONPC.h"
#include "game/objects/WOPowerup.h"
#include "game/world/Map.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/ScratchWorkingDirectory.h"
#include "tests/support/TestLog.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

// Stands in for the player: holds a carried object and an inventory, and reads every object it
// lets go of, so a release after destruction shows up under AddressSanitizer.
class FakePlayer : public WorldObjectHolder {
public:
    void releaseAllWorldObjects() override {
        releasedAll++;
        for (WorldObject* object : inventory) {
            object->getObjectType();
        }
        if (held != nullptr) {
            held->getObjectType();
        }
        held = nullptr;
        inventory.clear();
    }
    void releaseWorldObject(WorldObject* object) override {
        released.push_back(object->getObjectType());
        if (held == object) {
            held = nullptr;
        }
        std::erase(inventory, object);
    }
    void addObjectToInventory(WorldObject* object) override { inventory.push_back(object); }

    WorldObject* held = nullptr;
    std::vector<WorldObject*> inventory;
    std::vector<int> released;
    int releasedAll = 0;
};

// A race's inhabitant, happy or sad.
class TestInhabitant : public Concrete<WONPC> {
public:
    TestInhabitant(int type, bool sad) {
        setObjectType(type);
        _sadState = sad ? -1 : 0;
    }
};

// A pickup whose sprite shrinks away in one tick.
template <class Base> class TestPickup : public Concrete<Base> {
public:
    explicit TestPickup(int type) {
        this->setObjectType(type);
        this->sprite().loadFromText("VERSION: 1\nIMAGE: none.png\n[shrink]\nLOOP: False\n"
                                    "NUMBER_OF_FRAMES: 1\nFRAME_COORDS: 0,0,1,1,0,0\nDELAY: 1\n"
                                    "NUMBER_OF_BOUNDING_BOXES: 0\n");
    }
    void shrinkAway() {
        this->setObtained();
        for (int tick = 0; tick < 3; tick++) {
            this->sprite().logic();
        }
    }
};

class FailingBlock : public TestBlock {
public:
    bool save(FILE*) const override { return false; }
};

WorldObject* createTestObject(int type) {
    switch (type) {
    case kTestBlockType:
        return new TestBlock();
    case kTestDoorType:
        return new TestDoor();
    default:
        return nullptr;
    }
}

const char* const kListPath = "./data/worldObjects.mol";
const std::string kUnknownType = "Fatal error: unable to parse \"./data/worldObjects.mol\"\nThis "
                                 "most likely means there is some object type (";

std::vector<std::pair<int, int>> progressCalls;
void recordProgress(int index, int last) {
    progressCalls.emplace_back(index, last);
}

class WorldObjectVectorTest : public ::testing::Test {
protected:
    void SetUp() override {
        globalWorldObjectVector = new std::vector<WorldObject*>();
        globalMapSpecificWorldObjectVector = new std::vector<WorldObject*>();
        setWorldObjectFactoryForTesting(createTestObject);
        load(recordInteger(0));
        setWorldObjectHolder(&player);
        progressCalls.clear();
        clearTestLog();
    }
    void TearDown() override {
        destroyWorldObjects();
        delete globalMapSpecificWorldObjectVector;
        globalMapSpecificWorldObjectVector = nullptr;
        setWorldObjectHolder(nullptr);
        setWorldObjectFactoryForTesting(nullptr);
        globalMap = nullptr;
    }

    static bool load(const std::string& bytes) {
        return readFromBytes(bytes,
                             [](FILE* stream) { return loadWorldObjects(stream, recordProgress); });
    }
    static std::string saved() {
        return bytesWrittenBy([](FILE* stream) { return saveWorldObjects(stream, nullptr); });
    }
    static std::vector<WorldObject*>& objects() { return *globalWorldObjectVector; }
    static std::vector<WorldObject*>& mapObjects() { return *globalMapSpecificWorldObjectVector; }
    static WorldObject* adopt(WorldObject* object, const char* ownerMap) {
        object->setOwnerMap(ownerMap);
        objects().push_back(object);
        return object;
    }
    // Makes a map with the name the current one.
    void enterMap(const std::string& name) {
        _map = std::make_unique<Map>();
        _map->save(directory.pathOf("maps/" + name).c_str());
        globalMap = _map.get();
        recreateMapSpecificWorldObjectVector(name.c_str());
    }
    static bool logged(const std::string& text) {
        return testLogContent().find(text) != std::string::npos;
    }

    ScratchWorkingDirectory directory{"world-object-vector"};
    FakePlayer player;
    std::unique_ptr<Map> _map;
};

const std::string kValidList = recordInteger(4) + blockRecord(10, 20, "arnion1") +
                               doorRecord(-1, "gate", "arnion2") + blockRecord(0, 0, "") +
                               blockRecord(-5, 7, "arnion1");

TEST_F(WorldObjectVectorTest, ListsRoundTripByteExactThroughStreamAndFile) {
    ASSERT_TRUE(load(kValidList));
    ASSERT_EQ(objects().size(), 4u);
    EXPECT_EQ(objects()[1]->getObjectType(), kTestDoorType);
    EXPECT_STREQ(static_cast<TestDoor*>(objects()[1])->label(), "gate");
    EXPECT_EQ(player.inventory, std::vector<WorldObject*>{objects()[2]})
        << "the object without owner map is the player's";
    EXPECT_EQ(progressCalls, (std::vector<std::pair<int, int>>{{0, 3}, {1, 3}, {2, 3}, {3, 3}}));
    EXPECT_TRUE(logged("4 objects to load from objects list\n"));
    EXPECT_EQ(saved(), kValidList);
    EXPECT_TRUE(logged("4 objects to save to world object\n"));

    ASSERT_TRUE(saveWorldObjects(nullptr));
    EXPECT_EQ(fileContent(kListPath), kValidList);
    EXPECT_TRUE(logged("Saving world objects to: ./data/worldObjects.mol\n"));
    ASSERT_TRUE(loadWorldObjects(nullptr));
    EXPECT_TRUE(logged("Loading world objects from: ./data/worldObjects.mol\n"));
    EXPECT_EQ(saved(), kValidList);

    collectedAHexNut();
    ASSERT_TRUE(load(recordInteger(0)));
    EXPECT_TRUE(objects().empty());
    EXPECT_EQ(collectedHexNutCount(), 0) << "a new list starts a new count";
    EXPECT_EQ(saved(), recordInteger(0));
}

TEST_F(WorldObjectVectorTest, EveryPrefixOfAValidListIsRejectedKeepingItsWholeRecords) {
    std::vector<size_t> recordEnds;
    std::string list = recordInteger(3);
    for (const std::string& record :
         {blockRecord(1, 2, "arnion1"), doorRecord(0, std::string(40, 'L'), "arnion1"),
          blockRecord(3, 4, "")}) {
        list += record;
        recordEnds.push_back(list.size());
    }
    for (size_t length = 0; length < list.size(); length++) {
        SCOPED_TRACE(length);
        EXPECT_FALSE(load(list.substr(0, length)));
        const auto whole = std::count_if(recordEnds.begin(), recordEnds.end(),
                                         [length](size_t end) { return end <= length; });
        EXPECT_EQ(objects().size(), static_cast<size_t>(whole));
        EXPECT_TRUE(mapObjects().empty()) << "no pointer into the replaced list survives";
        for (WorldObject* object : player.inventory) {
            EXPECT_NE(std::find(objects().begin(), objects().end(), object), objects().end());
        }
    }
    EXPECT_TRUE(load(list));
}

TEST_F(WorldObjectVectorTest, BadRecordsStopLoadingAndKeepTheObjectsBeforeThem) {
    const std::string good = blockRecord(1, 1, "arnion1");
    const std::string header =
        recordInteger(kTestBlockType) + recordInteger(1) + recordInteger(0) + recordInteger(0);
    const struct {
        const char* name;
        std::string record;
        std::string message;
    } cases[] = {
        {"unknown type", recordInteger(77) + good,
         kUnknownType + "77) that is unhandled in load.\n"},
        {"abstract type", recordInteger(WORLD_OBJECT_NPC) + good, kUnknownType + "3)"},
        {"version 0",
         recordInteger(kTestBlockType) + recordInteger(0) + recordInteger(0) + recordInteger(0),
         "version 0, below 1"},
        {"negative owner map length", header + recordInteger(-1), "negative length -1"},
        {"owner map above 4096 bytes", header + recordInteger(4097) + std::string(4097, 'a'),
         "name of 4097 bytes is longer than 4096"},
        {"owner map past the end", header + recordInteger(100) + "short",
         "length 100 runs past the end"},
    };
    for (const auto& bad : cases) {
        SCOPED_TRACE(bad.name);
        clearTestLog();
        EXPECT_FALSE(load(recordInteger(3) + good + bad.record + good));
        EXPECT_EQ(objects().size(), 1u);
        EXPECT_TRUE(logged(bad.message)) << testLogContent();
    }
    EXPECT_FALSE(load(recordInteger(-1)));
    EXPECT_TRUE(objects().empty());
}

TEST_F(WorldObjectVectorTest, OverlongTextIsTruncatedToItsBufferAndReadingStaysInStep) {
    const std::string label(300, 'x');
    const std::string longestOwner(4095, 'm');
    ASSERT_TRUE(load(recordInteger(2) + doorRecord(-1, label, "arnion1") +
                     blockRecord(0, 0, longestOwner)));
    const auto* door = static_cast<TestDoor*>(objects()[0]);
    EXPECT_EQ(std::string(door->label()), label.substr(0, WorldObject::kTextFieldSize - 1));
    EXPECT_STREQ(door->getOwnerMap(), "arnion1");
    EXPECT_EQ(door->state(), -1);
    EXPECT_TRUE(logged("World object text of 301 bytes truncated to 255\n"));
    EXPECT_EQ(std::string(objects()[1]->getOwnerMap()), longestOwner);
}

TEST_F(WorldObjectVectorTest, ReloadingReleasesThePlayersObjectsBeforeDestroyingThem) {
    ASSERT_TRUE(load(kValidList));
    enterMap("arnion1");
    player.held = objects()[0];
    ASSERT_TRUE(load(kValidList));
    EXPECT_EQ(player.releasedAll, 2);
    EXPECT_EQ(player.held, nullptr);
    EXPECT_EQ(player.inventory, std::vector<WorldObject*>{objects()[2]});
    EXPECT_TRUE(mapObjects().empty()) << "the map's objects are rebuilt by the next map load";
}

TEST_F(WorldObjectVectorTest, RemovalLetsGoEverywhereThenRebuildsTheMapsObjects) {
    ASSERT_TRUE(load(kValidList));
    enterMap("arnion1");
    WorldObject* first = objects()[0];
    WorldObject* last = objects()[3];
    WorldObject* stored = objects()[2];
    player.held = first;
    removeWorldObjectFromWorldObjectVector(first);
    EXPECT_EQ(player.held, nullptr);
    EXPECT_EQ(mapObjects(), std::vector<WorldObject*>{last});
    EXPECT_EQ(objects().size(), 3u);
    removeWorldObjectFromWorldObjectVector(stored);
    EXPECT_TRUE(player.inventory.empty());

    TestBlock stranger;
    removeWorldObjectFromWorldObjectVector(&stranger);
    EXPECT_EQ(objects().size(), 2u);
    EXPECT_EQ(player.released, (std::vector<int>{kTestBlockType, kTestBlockType}));
}

TEST_F(WorldObjectVectorTest, PendingRemovalTakesEachObjectOnce) {
    ASSERT_TRUE(load(kValidList));
    WorldObject* first = objects()[0];
    WorldObject* door = objects()[1];
    setObjectToBeRemovedFromWorldObjectVector(first);
    setObjectToBeRemovedFromWorldObjectVector(door);
    setObjectToBeRemovedFromWorldObjectVector(first);
    processPendingRemovalWorldObjects();
    EXPECT_EQ(objects().size(), 2u);
    EXPECT_EQ(player.released, (std::vector<int>{kTestBlockType, kTestDoorType}));

    WorldObject* next = objects()[0];
    setObjectToBeRemovedFromWorldObjectVector(next);
    removeWorldObjectFromWorldObjectVector(next);
    processPendingRemovalWorldObjects();
    processPendingRemovalWorldObjects();
    EXPECT_EQ(objects().size(), 1u) << "an object removed directly leaves nothing to process";
    EXPECT_EQ(player.released.size(), 3u);
}

TEST_F(WorldObjectVectorTest, TheMapsObjectsAreExactlyThoseItOwnsInListOrder) {
    WorldObject* a = adopt(new TestBlock(), "arnion1");
    adopt(new TestBlock(), "arnion10");
    adopt(new TestBlock(), "Arnion1");
    adopt(new TestBlock(), nullptr);
    WorldObject* b = adopt(new TestDoor(), "arnion1");
    recreateMapSpecificWorldObjectVector("arnion1");
    EXPECT_EQ(mapObjects(), (std::vector<WorldObject*>{a, b}));
    EXPECT_TRUE(logged("(type: 9005) to map specific object vector\n"));
    recreateMapSpecificWorldObjectVector(nullptr);
    EXPECT_TRUE(mapObjects().empty());

    enterMap("arnion10");
    Map elsewhere;
    elsewhere.save(directory.pathOf("maps/arnion1").c_str());
    ASSERT_TRUE(globalMap->load(directory.pathOf("maps/arnion1").c_str()));
    EXPECT_EQ(mapObjects(), (std::vector<WorldObject*>{a, b})) << "loading the map rebuilds";
    ASSERT_TRUE(elsewhere.load(directory.pathOf("maps/arnion10").c_str()));
    EXPECT_EQ(mapObjects(), (std::vector<WorldObject*>{a, b})) << "another map leaves it alone";
}

TEST_F(WorldObjectVectorTest, CountsOfInhabitantsAndHexNuts) {
    adopt(new TestInhabitant(WORLD_OBJECT_FLOWRIAN, false), "m");
    adopt(new TestInhabitant(WORLD_OBJECT_FLOWRIAN, true), "m");
    adopt(new TestInhabitant(WORLD_OBJECT_OLLER, false), nullptr);
    adopt(new TestInhabitant(WORLD_OBJECT_VONIL, true), "m");
    adopt(new TestInhabitant(WORLD_OBJECT_NPC, false), "m");
    adopt(new TestPickup<WOCollectible>(WORLD_OBJECT_HEX_NUT), "m");
    adopt(new TestPickup<WOCollectible>(WORLD_OBJECT_COLLECTIBLE), "m");
    collectedAHexNut();
    collectedAHexNut();

    int counts[14] = {};
    auto& [flowrian, flowrianHappy, negg, neggHappy, raam, raamHappy, dom, domHappy, vonil,
           vonilHappy, oller, ollerHappy, hexNuts, collected] = counts;
    worldObjectVectorCountNPCsAndCollectibles(flowrian, flowrianHappy, negg, neggHappy, raam,
                                              raamHappy, dom, domHappy, vonil, vonilHappy, oller,
                                              ollerHappy, hexNuts, collected);
    EXPECT_EQ((std::vector<int>(counts, counts + 14)),
              (std::vector<int>{2, 1, 0, 0, 0, 0, 0, 0, 1, 0, 1, 1, 3, 2}));

    FILE* stream = tmpfile();
    ASSERT_TRUE(saveCollectibleInfo(stream));
    collectedAHexNut();
    rewind(stream);
    ASSERT_TRUE(loadCollectibleInfo(stream));
    EXPECT_EQ(collectedHexNutCount(), 2);
    EXPECT_FALSE(loadCollectibleInfo(stream)) << "at the end of the stream";
    EXPECT_EQ(collectedHexNutCount(), 2);
    fclose(stream);
}

TEST_F(WorldObjectVectorTest, ShrunkPickupsLeaveTogetherAndHexNutsAreCounted) {
    auto* nut = new TestPickup<WOCollectible>(WORLD_OBJECT_HEX_NUT);
    auto* otherNut = new TestPickup<WOCollectible>(WORLD_OBJECT_HEX_NUT);
    auto* powerup = new TestPickup<WOPowerup>(WORLD_OBJECT_DOUBLE_JUMP_POWERUP);
    auto* shrinking = new TestPickup<WOPowerup>(WORLD_OBJECT_MAP_POWERUP);
    for (WorldObject* object : std::vector<WorldObject*>{nut, powerup, shrinking, otherNut}) {
        adopt(object, "arnion1");
    }
    enterMap("arnion1");
    nut->shrinkAway();
    otherNut->shrinkAway();
    powerup->shrinkAway();
    shrinking->setObtained();
    EXPECT_FALSE(shrinking->needsRemovalFromWorldObjectVector()) << "still shrinking";

    removeObtainedWorldObjects();
    EXPECT_EQ(mapObjects(), std::vector<WorldObject*>{shrinking});
    EXPECT_EQ(collectedHexNutCount(), 2);
}

TEST_F(WorldObjectVectorTest, SavingTheListReplacesTheFileWholeOrNotAtAll) {
    directory.writeFile("data/worldObjects.mol", "old");
    adopt(new TestBlock(), "arnion1");
    adopt(new FailingBlock(), "arnion1");
    EXPECT_FALSE(saveWorldObjects(nullptr));
    EXPECT_EQ(fileContent(kListPath), "old");
    EXPECT_TRUE(logged("Unable to save file. No objects saved\n"));

    std::filesystem::remove_all("data");
    clearTestLog();
    EXPECT_FALSE(saveWorldObjects(nullptr));
    EXPECT_TRUE(logged("Unable to save file. No objects saved\n"));
    EXPECT_FALSE(loadWorldObjects(nullptr));
    EXPECT_TRUE(logged("Unable to open file. No objects loaded\n"));
    EXPECT_EQ(objects().size(), 2u) << "a missing file changes nothing";
}

} // namespace
