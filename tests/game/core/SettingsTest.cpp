#include "game/core/Settings.h"
#include "engine/Paxtor.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/ScratchWorkingDirectory.h"
#include "tests/support/TestLog.h"

#include <array>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace {

// Where the tests' working directory keeps the settings file.
constexpr const char* kSettingsPath = "./data/gameSettings.txt";

// The twenty stored values in file order.
using StoredValues = std::array<int, 20>;

std::string encode(const std::vector<int>& values) {
    std::string bytes;
    for (int value : values) {
        for (int shift = 0; shift < 32; shift += 8) {
            bytes.push_back(static_cast<char>((static_cast<unsigned>(value) >> shift) & 0xFF));
        }
    }
    return bytes;
}

StoredValues storedValues(const Settings& s) {
    return {s.screenMode,
            s.soundVolume,
            s.musicVolume,
            s.audioQuality,
            s.keyMoveRight,
            s.keyMoveLeft,
            s.keyJump,
            s.keyAction,
            s.keyInventoryNext,
            s.keyInventoryPrevious,
            s.keyMenu,
            s.keyMinimap,
            s.keyGravityMagnet,
            s.buttonJump,
            s.buttonAction,
            s.buttonInventoryPrevious,
            s.buttonInventoryNext,
            s.buttonMinimap,
            s.buttonGravityMagnet,
            s.buttonMenu};
}

const StoredValues kDefaults = {0,  128, 128, 2, 100, 101, 133, 26, 5, 23,
                                17, 13,  24,  1, 0,   7,   8,   2,  3, 4};

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override { restoreDefaults(); }
    void TearDown() override { restoreDefaults(); }

    static void restoreDefaults() {
        const std::string bytes = encode({kDefaults.begin(), kDefaults.end()});
        FILE* stream = fmemopen(const_cast<char*>(bytes.data()), bytes.size(), "rb");
        ASSERT_TRUE(Settings::instance()->load(stream));
        fclose(stream);
        Settings::instance()->keyBooster = 3;
        Settings::instance()->buttonBooster = 5;
    }

    ScratchWorkingDirectory directory{"settings"};
    Settings& settings = *Settings::instance();
};

TEST_F(SettingsTest, DefaultsStayWithoutAFile) {
    EXPECT_FALSE(settings.load());
    EXPECT_EQ(storedValues(settings), kDefaults);
    EXPECT_EQ(settings.keyBooster, 3);
    EXPECT_EQ(settings.buttonBooster, 5);
    EXPECT_NE(testLogContent().find("Unable to open Settings file\n"), std::string::npos);
}

TEST_F(SettingsTest, SaveWritesEightyBytesInFileOrderAndLoadRestoresThem) {
    StoredValues changed;
    for (int i = 0; i < 20; i++) {
        changed[i] = 1000 + i;
    }
    const std::string expected = encode({changed.begin(), changed.end()});
    FILE* source = fmemopen(const_cast<char*>(expected.data()), expected.size(), "rb");
    ASSERT_TRUE(settings.load(source));
    fclose(source);
    settings.keyBooster = 77;
    settings.buttonBooster = 9;

    ASSERT_TRUE(settings.save());
    EXPECT_EQ(fileContent(kSettingsPath), expected);
    EXPECT_FALSE(std::filesystem::exists(std::string(kSettingsPath) + ".tmp"));

    restoreDefaults();
    ASSERT_TRUE(settings.load());
    EXPECT_EQ(storedValues(settings), changed);
    EXPECT_EQ(settings.keyBooster, 3) << "booster bindings are not stored";
    EXPECT_EQ(settings.buttonBooster, 5);
}

TEST_F(SettingsTest, StoredButtonOrderIsNotMemoryOrder) {
    std::vector<int> values(kDefaults.begin(), kDefaults.end());
    values[15] = 11; // stored as inventory previous
    values[16] = 12; // stored as inventory next
    values[17] = 13; // minimap
    values[18] = 14; // gravity magnet
    values[19] = 15; // menu
    directory.writeFile("data/gameSettings.txt", encode(values));
    ASSERT_TRUE(settings.load());
    EXPECT_EQ(settings.buttonInventoryPrevious, 11);
    EXPECT_EQ(settings.buttonInventoryNext, 12);
    EXPECT_EQ(settings.buttonMinimap, 13);
    EXPECT_EQ(settings.buttonGravityMagnet, 14);
    EXPECT_EQ(settings.buttonMenu, 15);
}

TEST_F(SettingsTest, AllOnesFileLoadsMinusOneEverywhere) {
    directory.writeFile("data/gameSettings.txt", std::string(80, '\xFF'));
    ASSERT_TRUE(settings.load());
    StoredValues minusOne;
    minusOne.fill(-1);
    EXPECT_EQ(storedValues(settings), minusOne);
}

TEST_F(SettingsTest, ShortFileKeepsTheMissingValuesAndLogsIt) {
    // Two whole values and half of a third.
    directory.writeFile("data/gameSettings.txt", encode({1, 64}) + std::string("\x05\x00", 2));
    clearTestLog();
    ASSERT_TRUE(settings.load());
    StoredValues expected = kDefaults;
    expected[0] = 1;
    expected[1] = 64;
    EXPECT_EQ(storedValues(settings), expected);
    EXPECT_NE(testLogContent().find("Settings file is short: 2 of 20"), std::string::npos)
        << testLogContent();
}

TEST_F(SettingsTest, FailedSaveLeavesTheOldFileIntact) {
    const std::string original = encode({kDefaults.begin(), kDefaults.end()});
    directory.writeFile("data/gameSettings.txt", original);
    settings.screenMode = 1;
    const std::string temporary = std::string(kSettingsPath) + ".tmp";

    // The temporary file cannot be created (works as root too, unlike permissions).
    std::filesystem::create_directory(temporary);
    EXPECT_FALSE(settings.save());
    EXPECT_EQ(fileContent(kSettingsPath), original);
    std::filesystem::remove(temporary);

    // The temporary file is written but cannot replace the target.
    std::filesystem::remove(kSettingsPath);
    std::filesystem::create_directory(kSettingsPath);
    EXPECT_FALSE(settings.save());
    EXPECT_TRUE(std::filesystem::is_directory(kSettingsPath));
    EXPECT_FALSE(std::filesystem::exists(temporary)) << "no temporary file is left behind";
}

TEST_F(SettingsTest, WriteErrorOnTheStreamIsReported) {
    FILE* readOnly = fopen("/dev/null", "rb");
    ASSERT_NE(readOnly, nullptr);
    EXPECT_FALSE(settings.save(readOnly));
    fclose(readOnly);
}

} // namespace
