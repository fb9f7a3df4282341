#include "TestWorldObjects.h"
#include "engine/PXInit.h"
#include "engine/PXSound.h"
#include "game/core/ResourceManager.h"
#include "game/core/Settings.h"
#include "game/core/Sprite.h"
#include "game/objects/WOAccordian.h"
#include "game/objects/WOApple.h"
#include "game/objects/WOBlueberry.h"
#include "game/objects/WODomPot.h"
#include "game/objects/WOMusicBox.h"
#include "game/objects/WONest.h"
#include "game/objects/WorldObjectVector.h"
#include "game/player/Player.h"
#include "game/world/Camera.h"
#include "game/world/MusicPlayer.h"
#include "tests/support/GameplayFixture.h"
#include "tests/support/TestLog.h"

#include <GL/gl.h>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using Pixels = std::vector<unsigned char>;

class PropTest : public GameplayFixture {
protected:
    void SetUp() override {
        GameplayFixture::SetUp();
        fillFloor();
        saveMap("props");
    }

    static std::string savedList() {
        return bytesWrittenBy([](FILE* stream) { return saveWorldObjects(stream, nullptr); });
    }
    static bool loadList(const std::string& bytes) {
        return readFromBytes(bytes, [](FILE* stream) { return loadWorldObjects(stream, nullptr); });
    }
    template <class T> static T& loaded(size_t index) {
        return dynamic_cast<T&>(*globalWorldObjectVector->at(index));
    }

    // The editable field of that title, as the editor sets it.
    static void* field(WorldObject& object, const char* title) {
        for (const auto& info : object.editorInfo()) {
            if (strcmp(info->title(), title) == 0) {
                return info->dataPointer();
            }
        }
        ADD_FAILURE() << "no field " << title;
        return nullptr;
    }
    static void setColor(WODomPot& pot, const char* color) {
        snprintf(static_cast<char*>(field(pot, "Preferred Music Maker")),
                 WorldObject::kTextFieldSize, "%s", color);
        pot.forceStateUpdate();
    }

    static Pixels drawnPixels(const std::function<void()>& draw) {
        clearTo(0, 0, 0);
        draw();
        Pixels pixels(kWidth * kHeight * 4);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }
    static Pixels spriteDrawnAt(const char* file, const char* animation, int x, int y) {
        Sprite sprite;
        EXPECT_TRUE(sprite.load(file));
        EXPECT_TRUE(sprite.setCurrentAnimation(animation));
        return drawnPixels([&] { sprite.draw(x, y); });
    }

    // Falls from y 100 for the ticks; the y after each.
    static std::vector<int> fallingHeights(WorldObject& object, int ticks) {
        std::vector<int> heights;
        for (int tick = 0; tick < ticks; tick++) {
            object.logic();
            heights.push_back(object.getYPos());
        }
        return heights;
    }
};

TEST_F(PropTest, EveryPropAndPickupRoundTripsByteExact) {
    struct Class {
        const char* name;
        int type;
    };
    const Class classes[] = {{"MusicBox", 103},        {"Accordian", 104},
                             {"DomPot", 105},          {"Blueberry", 108},
                             {"Apple", 109},           {"Nest", 110},
                             {"MapPowerup", 300},      {"DoubleJumpPowerup", 301},
                             {"WallJumpPowerup", 302}, {"PowerFistPowerup", 303},
                             {"HighJumpPowerup", 304}, {"GravityMagnetPowerup", 305},
                             {"BoosterPowerup", 306},  {"HexNut", 500}};
    int x = -30;
    for (const Class& known : classes) {
        WorldObject* object = createWorldObjectNamed(known.name);
        ASSERT_NE(object, nullptr) << known.name;
        EXPECT_EQ(object->getObjectType(), known.type);
        x += 17;
        object->setPosition(x, 300 - x);
        object->setOwnerMap(known.type == WORLD_OBJECT_APPLE ? nullptr : "props");
        globalWorldObjectVector->push_back(object);
    }
    auto& pot = loaded<WODomPot>(2);
    *static_cast<int*>(field(pot, "Pot #")) = 7;
    setColor(pot, WODomPot::kColorGreen);
    loaded<WONest>(5).setSadState(PX_FALSE);
    const std::string potBytes = recordInteger(WORLD_OBJECT_DOM_POT) + recordInteger(2) +
                                 recordInteger(pot.getXPos()) + recordInteger(pot.getYPos()) +
                                 recordText("props") + recordText("Green") + recordInteger(7);
    EXPECT_EQ(bytesWrittenBy([&](FILE* stream) { return pot.save(stream); }), potBytes);

    const std::string saved = savedList();
    clearTestLog();
    ASSERT_TRUE(loadList(saved));
    ASSERT_EQ(globalWorldObjectVector->size(), std::size(classes));
    EXPECT_EQ(savedList(), saved);
    EXPECT_EQ(loaded<WODomPot>(2).potNumber(), 7);
    EXPECT_STREQ(loaded<WODomPot>(2).color(), "Green");
    EXPECT_EQ(loaded<WONest>(5).isSad(), PX_FALSE);
    EXPECT_EQ(thePlayer().inventory(), std::vector<WorldObject*>{&loaded<WOApple>(4)});
    for (const char* line : {"Loading music box object.\n", "Loading dom pot object.\n",
                             "Loading booster powerup object.\n", "Loading hex nut object.\n"}) {
        EXPECT_NE(testLogContent().find(line), std::string::npos) << line;
    }
}

TEST_F(PropTest, OlderPotRecordsKeepTheDefaultsAndUnknownColoursBecomeRed) {
    const std::string head = recordInteger(4) + recordInteger(5) + recordText("props");
    const std::string oldPot = recordInteger(WORLD_OBJECT_DOM_POT) + recordInteger(1) + head;
    const std::string purplePot = recordInteger(WORLD_OBJECT_DOM_POT) + recordInteger(2) + head +
                                  recordText("Purple") + recordInteger(4);
    const std::string nest =
        recordInteger(WORLD_OBJECT_NEST) + recordInteger(1) + head + recordInteger(0);
    ASSERT_TRUE(loadList(recordInteger(3) + oldPot + purplePot + nest));
    EXPECT_EQ(loaded<WODomPot>(0).potNumber(), 1);
    EXPECT_STREQ(loaded<WODomPot>(0).color(), WODomPot::kColorRed);
    EXPECT_EQ(loaded<WODomPot>(1).potNumber(), 4);
    EXPECT_STREQ(loaded<WODomPot>(1).color(), WODomPot::kColorRed);
    EXPECT_EQ(loaded<WONest>(2).isSad(), PX_FALSE) << "the record after the old pot is in step";
}

TEST_F(PropTest, TheNestShowsItsStateAndThePotItsColour) {
    globalCamera->setPosition(5, 3);
    WONest nest;
    nest.setPosition(15, 13);
    const Pixels sad = spriteDrawnAt("nest.txt", "sad", 10, 10);
    const Pixels happy = spriteDrawnAt("nest.txt", "happy", 10, 10);
    ASSERT_TRUE(sad != happy);
    EXPECT_EQ(nest.isSad(), PX_TRUE);
    EXPECT_TRUE(drawnPixels([&] { nest.draw(); }) == sad);
    nest.setSadState(PX_FALSE);
    EXPECT_EQ(nest.isSad(), PX_FALSE);
    EXPECT_TRUE(drawnPixels([&] { nest.draw(); }) == happy);
    nest.setSadState(1);
    EXPECT_EQ(nest.isSad(), PX_TRUE);
    EXPECT_TRUE(drawnPixels([&] { nest.draw(); }) == sad);

    WODomPot pot;
    pot.setPosition(40, 30);
    const Pixels red = drawnPixels([&] { pot.draw(); });
    setColor(pot, WODomPot::kColorBlue);
    EXPECT_STREQ(pot.color(), "Blue");
    EXPECT_FALSE(drawnPixels([&] { pot.draw(); }) == red);
    setColor(pot, "Purple");
    EXPECT_STREQ(pot.color(), "Red");
    EXPECT_TRUE(drawnPixels([&] { pot.draw(); }) == red);
}

TEST_F(PropTest, PropsAreTakenAndLetGoAndFallUnlessHeldOrStored) {
    auto& apple = placeObject(new WOApple(), 100, 100);
    auto& musicBox = placeObject(new WOMusicBox(), 140, 100);
    auto& accordion = placeObject(new WOAccordian(), 180, 100);
    auto& blueberry = placeObject(new WOBlueberry(), 220, 100);
    for (WorldObject* prop : std::vector<WorldObject*>{&apple, &musicBox, &accordion, &blueberry}) {
        EXPECT_EQ(prop->getPropertyFlags(),
                  WORLD_OBJECT_PROPERTY_CARRIABLE | WORLD_OBJECT_PROPERTY_STORABLE);
    }

    int held = 0;
    EXPECT_EQ(apple.trigger(&held), PX_TRUE);
    EXPECT_EQ(held, PX_TRUE);
    EXPECT_EQ(apple.isBeingHeld(), PX_TRUE);
    EXPECT_EQ(fallingHeights(apple, 2), (std::vector<int>{100, 100})) << "held";
    EXPECT_EQ(apple.trigger(&held), PX_TRUE);
    EXPECT_EQ(held, PX_FALSE);
    EXPECT_EQ(apple.isBeingHeld(), PX_FALSE);

    // Each comes to rest with its box's bottom on the floor's top row.
    const int floorTop = kFloorRow * kTile;
    EXPECT_EQ(fallingHeights(apple, 3), (std::vector<int>{105, 110, 115}));
    EXPECT_EQ(fallingHeights(musicBox, 3), (std::vector<int>{102, 104, 106}));
    EXPECT_EQ(fallingHeights(accordion, 3), (std::vector<int>{105, 110, 115}));
    for (WorldObject* prop : std::vector<WorldObject*>{&apple, &musicBox, &accordion}) {
        fallingHeights(*prop, 60);
        EXPECT_EQ(prop->getBBox()->getBottomBound(), floorTop - 1) << prop->getObjectType();
    }

    blueberry.setPropertyFlags(blueberry.getPropertyFlags() | WORLD_OBJECT_PROPERTY_HIDDEN);
    EXPECT_EQ(fallingHeights(blueberry, 2), (std::vector<int>{100, 100})) << "stored";
    const BoundingBox* stored = blueberry.getBBox();
    EXPECT_EQ((std::vector<int>{stored->getLeftBound(), stored->getTopBound(),
                                stored->getRightBound(), stored->getBottomBound()}),
              (std::vector<int>{-1, -1, 0, 0}));

    Sprite reference;
    ASSERT_TRUE(reference.load("apple.txt"));
    reference.setCurrentAnimation("default");
    const BoundingBox carried = apple.getSpriteBBox(1);
    EXPECT_EQ(carried.getLeftBound(), reference.getBBox(1)->getLeftBound());
    EXPECT_EQ(carried.getBottomBound(), reference.getBBox(1)->getBottomBound())
        << "in sprite-local pixels";
}

TEST_F(PropTest, AHeldMusicMakerPlaysOverTheQuietenedMusic) {
    std::filesystem::create_directories("data/music");
    std::filesystem::create_symlink(std::string(CORVANE_DATA_DIR) + "/music/arnion.ogg",
                                    "data/music/arnion.ogg");
    Settings::instance()->musicVolume = 128;
    ASSERT_TRUE(globalMusicPlayer->start("arnion.ogg"));
    ASSERT_EQ(globalMusicPlayer->volume(), 128);
    auto& musicBox = placeObject(new WOMusicBox(), 100, 100);
    auto& accordion = placeObject(new WOAccordian(), 140, 100);
    PXSound* tune = ResourceManager::instance()->sound("musicBox.wav");
    PXSound* squeeze = ResourceManager::instance()->sound("accordian.wav");
    ASSERT_TRUE(tune != nullptr && squeeze != nullptr);

    int held = 0;
    musicBox.trigger(&held);
    EXPECT_EQ(globalMusicPlayer->volume(), 32);
    EXPECT_TRUE(tune->isPlaying());
    musicBox.trigger(&held);
    EXPECT_EQ(globalMusicPlayer->volume(), 128);
    EXPECT_FALSE(tune->isPlaying());

    accordion.trigger(&held);
    EXPECT_EQ(globalMusicPlayer->volume(), 32);
    EXPECT_TRUE(squeeze->isPlaying());
    delete globalMusicPlayer;
    globalMusicPlayer = nullptr;
    removeWorldObjectFromWorldObjectVector(&accordion);
    EXPECT_FALSE(squeeze->isPlaying()) << "destroyed while held after the music player";
}

} // namespace
