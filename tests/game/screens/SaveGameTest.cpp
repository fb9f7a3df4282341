#include "game/screens/SaveGame.h"
#include "SaveGameFixture.h"
#include "game/screens/LoadGame.h"
#include "game/screens/SaveProgressScreen.h"
#include "tests/support/TestLog.h"

#include <SDL.h>
#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>
#include <set>

namespace {

namespace fs = std::filesystem;

constexpr int kPlayerX = 100;
constexpr int kSaveTime = 1700000000;
constexpr int kCollectedHexNuts = 3;
// Where the map name's record ends in a "sav.cvs" of the test map.
constexpr size_t kNameEnd = 4 + 4 + 9;
constexpr size_t kStatisticsStart = kNameEnd + 16;
constexpr size_t kObjectsStart = kStatisticsStart + 24 + 4 * Minimap::kColumns * Minimap::kRows;

class SaveGameTest : public SaveGameFixture {
protected:
    // A game with every part of a save set: the player facing left with two powerups, a clock,
    // a visited minimap cell, objects on the map and in the inventory, collected hex nuts.
    void setUpKnownGame() {
        spawnPlayer(kPlayerX, standingY(kFloorRow));
        globalPlayer->setDirection(player::kLeft);
        globalPlayer->grantPowerup(player::kPowerupMap | player::kPowerupHighJump);
        setStatistics(statisticsRecord(1, 2, 3, 4, kSaveTime));
        globalMinimap->setTileVisited(2, 1);
        placeObject(createWorldObjectNamed("Crate"), 40, 100);
        placeObject(createWorldObjectNamed("HexNut"), 200, 150);
        WorldObject* apple = createWorldObjectNamed("Apple");
        globalWorldObjectVector->push_back(apple);
        globalPlayer->addObjectToInventory(apple);
        ASSERT_TRUE(readFromBytes(recordInteger(kCollectedHexNuts), loadCollectibleInfo));
    }

    // A different game on another map, so that a load has something to replace.
    void changeEverything() {
        globalPlayer->setPosition(10, 10);
        globalPlayer->grantPowerup(player::kPowerupBooster);
        globalGameStats->reset();
        globalMinimap->setTileVisited(30, 20);
        replaceWorldObjects({}, 1);
        buildMap(5, 5);
        saveMap("other");
        recreateMapSpecificWorldObjectVector("other");
        placeObject(createWorldObjectNamed("Bird"), 5, 5);
    }

    static std::set<std::string> filesIn(const std::string& folder) {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder)) {
            names.insert(entry.path().filename().string());
        }
        return names;
    }

    static RGBA previewPixel(SDL_Surface* image, int x, int y) {
        Uint8 r = 0;
        Uint8 g = 0;
        Uint8 b = 0;
        const auto* row = static_cast<const Uint8*>(image->pixels) + y * image->pitch;
        Uint32 pixel = 0;
        memcpy(&pixel, row + x * image->format->BytesPerPixel, image->format->BytesPerPixel);
        SDL_GetRGB(pixel, image->format, &r, &g, &b);
        return {r, g, b, 255};
    }
};

TEST_F(SaveGameTest, SlotFilesAreByteExactForAKnownGameState) {
    setUpKnownGame();
    const std::string objects =
        bytesWrittenBy([](FILE* s) { return saveWorldObjects(s, nullptr); });
    ASSERT_TRUE(saveGame(slot(1).c_str()));

    const std::string statistics = statisticsRecord(1, 2, 3, 4, kSaveTime);
    EXPECT_EQ(fileBytes(slot(1) + "/sav.cvt"), statistics);
    std::string minimap;
    for (int cell = 0; cell < Minimap::kColumns * Minimap::kRows; cell++) {
        minimap += recordInteger(cell == Minimap::kColumns + 2 ? -1 : 0);
    }
    EXPECT_TRUE(fileBytes(slot(1) + "/sav.cvs") ==
                recordInteger(2) + recordText(kMapName) + recordInteger(kPlayerX) +
                    recordInteger(standingY(kFloorRow)) + recordInteger(player::kLeft) +
                    recordInteger(player::kPowerupMap | player::kPowerupHighJump) + statistics +
                    minimap + objects + recordInteger(kCollectedHexNuts));
    EXPECT_EQ(objects.substr(0, 4), recordInteger(3)) << "crate, hex nut and the stored apple";

    SDL_Surface* preview = SDL_LoadBMP((slot(1) + "/prv.bmp").c_str());
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->w, 512);
    EXPECT_EQ(preview->h, 256);
    EXPECT_EQ(previewPixel(preview, 5, 5), (RGBA{255, 255, 255, 255})) << "the sky of the frame";
    EXPECT_EQ(previewPixel(preview, 5, 235), (RGBA{0, 0, 0, 255})) << "its floor";
    SDL_FreeSurface(preview);

    EXPECT_EQ(filesIn(slot(1)),
              (std::set<std::string>{"prv.bmp", "sav.cvs", "sav.cvt", "sav.sum"}));
    EXPECT_EQ(filesIn("./data/saves"), std::set<std::string>{"001"}) << "no staging left behind";
}

TEST_F(SaveGameTest, SaveThenLoadRestoresTheWholeGame) {
    setUpKnownGame();
    ASSERT_TRUE(saveGame(slot(1).c_str()));
    const GameSnapshot saved = snapshot();
    changeEverything();
    ASSERT_FALSE(snapshot().objects == saved.objects);

    ASSERT_TRUE(loadGame(slot(1).c_str()));
    const GameSnapshot loaded = snapshot();
    EXPECT_EQ(loaded.player, saved.player);
    EXPECT_EQ(loaded.statistics, saved.statistics);
    EXPECT_TRUE(loaded.minimap == saved.minimap);
    EXPECT_TRUE(loaded.objects == saved.objects);
    EXPECT_EQ(loaded.collectedHexNuts, kCollectedHexNuts);
    EXPECT_EQ(loaded.map, kMapName);
    ASSERT_EQ(loaded.mapObjects.size(), 2u) << "the crate and the hex nut are on the map again";
    ASSERT_EQ(loaded.inventory.size(), 1u);
    EXPECT_EQ(loaded.inventory[0]->getObjectType(), WORLD_OBJECT_APPLE);
    EXPECT_TRUE(testLogContent().find("Loading saved game on map: savetest\n") !=
                std::string::npos);

    // A version-1 state has no hex nut count: loading it starts the count at zero.
    std::string versionOne = fileBytes(slot(1) + "/sav.cvs");
    versionOne = recordInteger(1) + versionOne.substr(4, versionOne.size() - 8);
    writeBytes(slot(1) + "/sav.cvs", versionOne);
    fs::remove(slot(1) + "/sav.sum");
    changeEverything();
    ASSERT_TRUE(loadGame(slot(1).c_str()));
    EXPECT_EQ(collectedHexNutCount(), 0);
    EXPECT_TRUE(snapshot().objects == saved.objects);
}

TEST_F(SaveGameTest, CutOrCorruptStatesAreRefusedAndTheGameGoesOnUnchanged) {
    setUpKnownGame();
    ASSERT_TRUE(saveGame(slot(1).c_str()));
    const std::string state = fileBytes(slot(1) + "/sav.cvs");
    // Without its checksums the slot counts as an old one: the reader alone must catch faults.
    fs::remove(slot(1) + "/sav.sum");
    changeEverything();
    const GameSnapshot before = snapshot();

    for (size_t length = 0; length < state.size(); length++) {
        writeBytes(slot(1) + "/sav.cvs", state.substr(0, length));
        if (loadGame(slot(1).c_str()) || !(snapshot() == before)) {
            ADD_FAILURE() << "a state cut to " << length << " bytes changed the game";
            break;
        }
    }

    writeBytes("./data/maps/brokenmap", "not a map");
    const std::string afterName = state.substr(kNameEnd);
    const struct {
        const char* name;
        std::string bytes;
    } corrupt[] = {
        {"version 0", recordInteger(0) + state.substr(4)},
        {"version 3", recordInteger(3) + state.substr(4)},
        {"empty map name", state.substr(0, 4) + recordInteger(0) + afterName},
        {"map name above 4096 bytes",
         state.substr(0, 4) + recordText(std::string(4096, 'm')) + afterName},
        {"map name past the end", state.substr(0, 4) + recordInteger(1 << 30) + afterName},
        {"a minute of 60 seconds", state.substr(0, kStatisticsStart + 4) + recordInteger(60) +
                                       state.substr(kStatisticsStart + 8)},
        {"unknown object type",
         state.substr(0, kObjectsStart + 4) + recordInteger(77) + state.substr(kObjectsStart + 8)},
        {"a stray byte after the end", state + 'x'},
        {"negative hex nut count", state.substr(0, state.size() - 4) + recordInteger(-1)},
        {"map not found", state.substr(0, 4) + recordText("nomap") + afterName},
        {"map damaged", state.substr(0, 4) + recordText("brokenmap") + afterName},
    };
    for (const auto& bad : corrupt) {
        SCOPED_TRACE(bad.name);
        writeBytes(slot(1) + "/sav.cvs", bad.bytes);
        EXPECT_FALSE(loadGame(slot(1).c_str()));
        EXPECT_TRUE(snapshot() == before);
    }
    EXPECT_TRUE(testLogContent().find("Couldn't load the saved game in ./data/saves/001; the game "
                                      "goes on unchanged\n") != std::string::npos);
    writeBytes(slot(1) + "/sav.cvs", state);
    EXPECT_TRUE(loadGame(slot(1).c_str())) << "the intact state still loads";
}

TEST_F(SaveGameTest, AFailedSaveKeepsThePreviousOneAndInterruptedSavesAreFinishedOrDropped) {
    setUpKnownGame();
    ASSERT_TRUE(saveGame(slot(1).c_str()));
    const GameSnapshot first = snapshot();
    const std::string firstState = fileBytes(slot(1) + "/sav.cvs");

    // A state file that cannot be created fails the save before anything replaced the slot.
    changeEverything();
    writeBytes(slot(1) + "/sav.cvs.new/in-the-way", "");
    EXPECT_FALSE(saveGame(slot(1).c_str()));
    EXPECT_TRUE(testLogContent().find("Couldn't open ./data/saves/001/sav.cvs.new for saving\n") !=
                std::string::npos);
    fs::remove_all(slot(1) + "/sav.cvs.new");
    EXPECT_EQ(filesIn(slot(1)),
              (std::set<std::string>{"prv.bmp", "sav.cvs", "sav.cvt", "sav.sum"}));
    EXPECT_TRUE(fileBytes(slot(1) + "/sav.cvs") == firstState);
    // A new slot whose folder cannot be made is not made at all.
    writeBytes("./data/saves/plain-file", "");
    EXPECT_FALSE(saveGame("./data/saves/plain-file/002"));
    EXPECT_TRUE(
        testLogContent().find("Couldn't create save subdirectory: ./data/saves/plain-file/002\n") !=
        std::string::npos);

    // A second save made completely (its checksums in place) but stopped while its files were
    // being moved into the first slot is finished by the next reader.
    ASSERT_TRUE(saveGame(slot(2).c_str()));
    const GameSnapshot second = snapshot();
    for (const char* name : {"prv.bmp", "sav.cvt", "sav.sum"}) {
        fs::copy_file(slot(2) + "/" + name, slot(1) + "/" + name + ".new");
    }
    fs::copy_file(slot(2) + "/sav.cvs", slot(1) + "/sav.cvs", fs::copy_options::overwrite_existing);
    ASSERT_TRUE(loadGame(slot(1).c_str()));
    EXPECT_TRUE(snapshot().objects == second.objects);
    EXPECT_EQ(filesIn(slot(1)),
              (std::set<std::string>{"prv.bmp", "sav.cvs", "sav.cvt", "sav.sum"}));
    EXPECT_EQ(fileBytes(slot(1) + "/sav.sum"), fileBytes(slot(2) + "/sav.sum"));

    // Staged files without their checksums belong to a save that was never made: dropped.
    writeBytes(slot(2) + "/sav.cvs.new", firstState);
    writeBytes(slot(2) + "/sav.sum.tmp", "");
    ASSERT_TRUE(loadGame(slot(2).c_str()));
    EXPECT_TRUE(snapshot().objects == second.objects);
    EXPECT_EQ(filesIn(slot(2)),
              (std::set<std::string>{"prv.bmp", "sav.cvs", "sav.cvt", "sav.sum"}));
    EXPECT_FALSE(first.objects == second.objects);
}

TEST_F(SaveGameTest, DamagedSlotsAreListedAsDamagedAndNeverLoaded) {
    setUpKnownGame();
    ASSERT_TRUE(saveGame(slot(1).c_str()));
    ASSERT_TRUE(saveGame(slot(2).c_str()));
    std::string preview = fileBytes(slot(1) + "/prv.bmp");
    preview[preview.size() / 2] ^= 0x40;
    writeBytes(slot(1) + "/prv.bmp", preview);
    writeBytes(slot(2) + "/sav.cvt", "cut");
    changeEverything();
    const GameSnapshot before = snapshot();

    EXPECT_FALSE(loadGame(slot(1).c_str()));
    EXPECT_FALSE(loadGame(slot(2).c_str()));
    EXPECT_TRUE(snapshot() == before);
    EXPECT_TRUE(testLogContent().find("Couldn't load ./data/saves/001: its files do not match "
                                      "their checksums\n") != std::string::npos);

    SaveGameBrowser browser(1);
    ASSERT_EQ(browserPaths(browser), (std::vector<std::string>{"Exit", slot(2), slot(1)}));
    const SaveGameBrowser::Entry& lostStatistics = browser.entries()[1];
    EXPECT_TRUE(lostStatistics.damaged);
    EXPECT_EQ(lostStatistics.statistics, nullptr);
    const SaveGameBrowser::Entry& badPreview = browser.entries()[2];
    EXPECT_TRUE(badPreview.damaged);
    ASSERT_NE(badPreview.statistics, nullptr) << "its play time still shows";
    EXPECT_EQ(badPreview.statistics->hours(), 1);

    // A slot from before checksums is trusted as it is.
    fs::remove(slot(1) + "/sav.sum");
    EXPECT_TRUE(loadGame(slot(1).c_str()));
}

TEST_F(SaveGameTest, PlayClockCountsSecondsOfSixtyTicksAndStopsAt99_59_59) {
    GameStatistics& statistics = *globalGameStats;
    setStatistics(statisticsRecord(0, 59, 59, 2, kSaveTime));
    for (int tick = 1; tick < 60; tick++) {
        statistics.logic();
    }
    EXPECT_EQ(statistics.seconds(), 59);
    statistics.logic();
    EXPECT_EQ(std::make_tuple(statistics.hours(), statistics.minutes(), statistics.seconds()),
              std::make_tuple(1, 0, 0));

    setStatistics(statisticsRecord(99, 59, 58));
    for (int tick = 0; tick < 600; tick++) {
        statistics.logic();
    }
    EXPECT_EQ(std::make_tuple(statistics.hours(), statistics.minutes(), statistics.seconds()),
              std::make_tuple(99, 59, 59));

    statistics.recordSave(kSaveTime);
    EXPECT_EQ(statistics.saveCount(), 1);
    EXPECT_EQ(statistics.saveTime(), kSaveTime);
    statistics.reset();
    EXPECT_EQ(bytesWrittenBy([&](FILE* s) { return statistics.save(s); }),
              statisticsRecord(0, 0, 0));
    // A record below version 1 ends after its version; a clock past 59 is refused.
    EXPECT_TRUE(readFromBytes(recordInteger(0), [&](FILE* s) { return statistics.load(s); }));
    EXPECT_EQ(statistics.version(), 0);
    EXPECT_FALSE(
        readFromBytes(statisticsRecord(0, 60, 0), [&](FILE* s) { return statistics.load(s); }));
    EXPECT_FALSE(readFromBytes(recordInteger(1) + recordInteger(5),
                               [&](FILE* s) { return statistics.load(s); }));
}

TEST_F(SaveGameTest, ProgressBarFillsObjectByObjectAndIsFullWithoutObjects) {
    EXPECT_FLOAT_EQ(saveProgressFraction(0, 4), 0.0f);
    EXPECT_FLOAT_EQ(saveProgressFraction(3, 6), 0.5f);
    EXPECT_FLOAT_EQ(saveProgressFraction(0, 0), 1.0f) << "one object: its only step is the last";
    EXPECT_FLOAT_EQ(saveProgressFraction(5, -1), 1.0f);
}

} // namespace
