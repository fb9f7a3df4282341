// Saved-game tests: the game-play fixture with the statistics and the minimap a save holds, a
// saved current map, and whole game ticks. Helpers read and write slot files and take a
// snapshot of everything a load replaces.
#pragma once

#include "game/core/Globals.h"
#include "game/objects/WorldObject.h"
#include "game/objects/WorldObjectVector.h"
#include "game/player/Player.h"
#include "game/screens/GameStatistics.h"
#include "game/screens/SaveGameBrowser.h"
#include "game/world/Map.h"
#include "game/world/Minimap.h"
#include "tests/game/objects/TestWorldObjects.h"
#include "tests/support/GameplayFixture.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

class SaveGameFixture : public GameplayFixture {
protected:
    static constexpr const char* kMapName = "savetest";

    void SetUp() override {
        GameplayFixture::SetUp();
        globalGameStats = new GameStatistics();
        globalMinimap = new Minimap();
        fillFloor();
        saveMap(kMapName);
    }

    void TearDown() override {
        showSaveBrowser = PX_FALSE;
        delete globalSaveGameBrowser;
        globalSaveGameBrowser = nullptr;
        delete globalMinimap;
        globalMinimap = nullptr;
        delete globalGameStats;
        globalGameStats = nullptr;
        GameplayFixture::TearDown();
    }

    void tick() override { gameTick(); }

    // "./data/saves/007" for 7.
    static std::string slot(int number) {
        char path[32];
        snprintf(path, sizeof path, "./data/saves/%03d", number);
        return path;
    }

    static std::string fileBytes(const std::string& path) {
        std::ifstream file(path, std::ios::binary);
        std::ostringstream bytes;
        bytes << file.rdbuf();
        return bytes.str();
    }

    static void writeBytes(const std::string& path, const std::string& bytes) {
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    }

    // The statistics record: version 1, the clock, the save count and the save time.
    static std::string statisticsRecord(int hours, int minutes, int seconds, int saves = 0,
                                        int time = 0) {
        return recordInteger(1) + recordInteger(seconds) + recordInteger(minutes) +
               recordInteger(hours) + recordInteger(saves) + recordInteger(time);
    }

    static void setStatistics(const std::string& record) {
        ASSERT_TRUE(readFromBytes(record, [](FILE* s) { return globalGameStats->load(s); }));
    }

    // A slot folder that holds only its statistics file, as older or hand-made slots may.
    static void writeStatisticsSlot(int number, int hours = 0) {
        writeBytes(slot(number) + "/sav.cvt", statisticsRecord(hours, 0, 0, 1));
    }

    static std::vector<std::string> browserPaths(const SaveGameBrowser& browser) {
        std::vector<std::string> paths;
        for (const SaveGameBrowser::Entry& entry : browser.entries()) {
            paths.push_back(entry.path);
        }
        return paths;
    }

    // Everything a load replaces, as bytes and pointers.
    struct GameSnapshot {
        std::string player;
        std::string statistics;
        std::string minimap;
        std::string objects;
        std::vector<WorldObject*> objectPointers;
        std::vector<WorldObject*> mapObjects;
        std::vector<WorldObject*> inventory;
        int collectedHexNuts;
        std::string map;

        bool operator==(const GameSnapshot&) const = default;
    };

    static GameSnapshot snapshot() {
        return {bytesWrittenBy([](FILE* s) { return globalPlayer->save(s) != 0; }),
                bytesWrittenBy([](FILE* s) { return globalGameStats->save(s); }),
                bytesWrittenBy([](FILE* s) { return globalMinimap->save(s); }),
                bytesWrittenBy([](FILE* s) { return saveWorldObjects(s, nullptr); }),
                *globalWorldObjectVector,
                *globalMapSpecificWorldObjectVector,
                globalPlayer->inventory(),
                collectedHexNutCount(),
                globalMap->getFilename() != nullptr ? globalMap->getFilename() : ""};
    }
};
