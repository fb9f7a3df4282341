#include "game/core/Globals.h"
#include "game/core/Replay.h"
#include "game/world/Map.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/PrivateXServer.h"
#include "tests/support/ScratchDirectory.h"

#include <array>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

TEST(ScreenSizeTest, ScaleFactorSetsTheWindowSize) {
    EXPECT_EQ(SCREEN_SCALE_FACTOR, 2);
    EXPECT_EQ(SCREEN_W, 640);
    EXPECT_EQ(SCREEN_H, 480);
    setScreenScaleFactor(3);
    EXPECT_EQ(SCREEN_W, 960);
    EXPECT_EQ(SCREEN_H, 720);
    setScreenScaleFactor(2);
    EXPECT_EQ(SCREEN_W, 640);
}

// Runs the real game binary on the test's X server and drives it with xdotool.
class GameProcessTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(xServer.started()) << "Xvfb did not start";
        // A private copy of the game and its data, so the log and settings it writes are its own.
        const std::filesystem::path built(CORVANE_BINARY);
        std::filesystem::copy(built.parent_path() / "data", installation.pathOf("data"),
                              std::filesystem::copy_options::recursive);
        std::filesystem::copy_file(built, installation.pathOf("corvane"));
    }

    // Starts the game with the given options and waits for its window.
    void launch(const std::vector<std::string>& options = {}) {
        game =
            std::make_unique<ChildProcess>(installation.pathOf("corvane"), options, stderrPath());
        ASSERT_TRUE(game->started());
        // By process too: other tests may run their own game on the same X server.
        window = commandOutput("timeout 30 xdotool search --sync --all --pid " +
                               std::to_string(game->pid()) + " --name '^Corvane$' | head -n 1");
        ASSERT_FALSE(window.empty()) << "no Corvane window appeared";
        window.pop_back();
    }

    std::string stderrPath() const { return installation.pathOf("stderr.txt"); }
    std::string log() const { return fileContent(installation.pathOf("log.txt")); }

    void expectWindowSize(int width, int height) const {
        const std::string geometry = commandOutput("xdotool getwindowgeometry --shell " + window);
        EXPECT_NE(geometry.find("WIDTH=" + std::to_string(width) + "\n"), std::string::npos)
            << geometry;
        EXPECT_NE(geometry.find("HEIGHT=" + std::to_string(height) + "\n"), std::string::npos)
            << geometry;
    }

    void quitWithEscape() const {
        // Held until the game has seen it: a press and release pumped in the same pass cancel.
        commandOutput("xdotool windowfocus --sync " + window + " keydown Escape");
    }

    // Presses the key as a person would: down, a short wait, up.
    void pressKey(const std::string& key) const {
        commandOutput("xdotool windowfocus --sync " + window + " keydown " + key);
        std::this_thread::sleep_for(200ms);
        commandOutput("xdotool keyup " + key);
    }

    void pressKeys(const std::string& key, int times) const {
        for (int i = 0; i < times; i++) {
            pressKey(key);
        }
    }

    // True once the log holds the text, waiting up to ten seconds for it.
    bool logShowsSoon(const std::string& text) const {
        for (int tries = 0; tries < 100; tries++) {
            if (log().find(text) != std::string::npos) {
                return true;
            }
            std::this_thread::sleep_for(100ms);
        }
        return false;
    }

    // Skips the logo and waits for the title screen.
    void skipToTheTitle() const {
        pressKey("Return");
        ASSERT_TRUE(logShowsSoon("loading ./data/images/titleForeground.png")) << log();
        std::this_thread::sleep_for(500ms);
    }

    // A picture of the window, saved under the name.
    std::string windowPicture(const std::string& name) const {
        const std::string path = installation.pathOf(name + ".png");
        commandOutput("import -window " + window + " " + path);
        return path;
    }

    // How many pixels of the top right corner differ between two pictures: the title's sky
    // there shows nothing else, and play never shows the same.
    static int cornerPixelsDiffering(const std::string& first, const std::string& second) {
        const std::string corner = "[140x40+500+0]";
        return std::stoi(commandOutput("compare -metric AE '" + first + corner + "' '" + second +
                                       corner + "' null: 2>&1"));
    }

    bool stillRunning() const { return !game->waitForExit(1s).has_value(); }

    void TearDown() override { game.reset(); }

    // True when the log ends with the last cache's clearing: its heading, then one line for each
    // song it unloads.
    bool shutdownRanToItsEnd() const {
        const std::string text = log();
        const size_t last = text.rfind(" Clearing OGG dictionary\n");
        if (last == std::string::npos) {
            return false;
        }
        std::istringstream rest(text.substr(last + strlen(" Clearing OGG dictionary\n")));
        std::string line;
        while (std::getline(rest, line)) {
            if (!line.starts_with("\tUnloading: ")) {
                return false;
            }
        }
        return true;
    }

    // Waits for the game to end and checks it ended cleanly and without sanitizer reports.
    void expectCleanExit() {
        const std::optional<int> exitCode = game->waitForExit(30s);
        ASSERT_TRUE(exitCode.has_value()) << "the game did not end by itself";
        EXPECT_EQ(*exitCode, 0);
        const std::string errors = fileContent(stderrPath());
        EXPECT_EQ(errors.find("Sanitizer"), std::string::npos) << errors;
        EXPECT_EQ(errors.find("runtime error"), std::string::npos) << errors;
        EXPECT_NE(log().find("Deinitializing.\n"), std::string::npos) << log();
        EXPECT_TRUE(shutdownRanToItsEnd()) << log();
    }

    PrivateXServer xServer;
    ScratchDirectory installation{"installation"};
    std::unique_ptr<ChildProcess> game;
    std::string window;
};

TEST_F(GameProcessTest, OpensA640By480WindowWithDefaultSettingsAndQuitsFromTheTitle) {
    launch();
    expectWindowSize(640, 480);
    skipToTheTitle();
    pressKey("Up");
    pressKey("Return");
    expectCleanExit();
    EXPECT_NE(log().find("Corvane verion 1.0 -- "), std::string::npos);
    EXPECT_NE(log().find("Loading Settings...\nUnable to open Settings file\n"
                         "Reverting to defaults...\n"),
              std::string::npos)
        << log();
}

TEST_F(GameProcessTest, SettingsFileChoosesTheDoubleWindow) {
    std::string settings(80, '\0');
    settings[0] = 1;  // screen mode "Double"
    settings[12] = 9; // an audio quality that opens no audio
    std::ofstream(installation.pathOf("data/gameSettings.txt"), std::ios::binary) << settings;
    launch();
    expectWindowSize(960, 720);
    game->sendSignal(SIGTERM);
    expectCleanExit();
    EXPECT_NE(log().find("Loading Settings...\nSuccess!\n"), std::string::npos) << log();
}

TEST_F(GameProcessTest, QuitRequestFromThePlatformEndsTheGameCleanly) {
    launch();
    // SDL turns SIGTERM into the same quit event a closed window sends.
    game->sendSignal(SIGTERM);
    expectCleanExit();
}

TEST_F(GameProcessTest, HoldingRightAfterTheIntroWalksThePlayerRight) {
    const std::string recording = installation.pathOf("walk.replay");
    launch({"--record", recording});
    // The new game opens with a nine-second intro during which the player sleeps; a busy
    // machine may take longer over it.
    std::this_thread::sleep_for(8s);
    ASSERT_TRUE(logShowsSoon("The intro is over")) << log();
    commandOutput("xdotool windowfocus --sync " + window + " keydown Right");
    std::this_thread::sleep_for(2s);
    commandOutput("xdotool keyup Right");
    quitWithEscape();
    expectCleanExit();
    commandOutput("xdotool keyup Escape");

    const std::optional<Replay> replay = Replay::load(recording);
    ASSERT_TRUE(replay.has_value()) << fileContent(recording);
    int rightTicks = 0;
    for (int tick = 0; tick < replay->ticks; tick++) {
        rightTicks += replay->inputAt(tick).keys[100] ? 1 : 0;
    }
    EXPECT_GT(rightTicks, 60) << "the held key reached the game";
    int endX = 0;
    ASSERT_EQ(sscanf(replay->finalState.c_str(), "map=arnion1 player=%d", &endX), 1)
        << replay->finalState;

    // The same ticks without any key, played back, show where the player would have stayed.
    Replay still = *replay;
    still.inputs = {{0, ReplayInput{}}};
    const std::string stillPath = installation.pathOf("still.replay");
    ASSERT_TRUE(still.save(stillPath));
    const std::string reached =
        commandOutput(installation.pathOf("corvane") + " --replay " + stillPath + " 2>/dev/null");
    int startX = 0;
    ASSERT_EQ(sscanf(reached.c_str(), "state map=arnion1 player=%d", &startX), 1) << reached;
    EXPECT_GT(endX, startX + 60) << replay->finalState;
}

TEST_F(GameProcessTest, EscapePausesPlayUnderTheTitleAndOptionsSaveTheMusicVolume) {
    launch();
    skipToTheTitle();
    const std::string title = windowPicture("title");
    pressKey("Return");
    ASSERT_TRUE(logShowsSoon("Loading world objects from")) << log();
    std::this_thread::sleep_for(3s);
    const std::string play = windowPicture("play");
    EXPECT_GT(cornerPixelsDiffering(title, play), 1000);

    pressKey("Escape");
    std::this_thread::sleep_for(1s);
    EXPECT_TRUE(stillRunning()) << "Escape pauses the game";
    EXPECT_EQ(cornerPixelsDiffering(title, windowPicture("paused")), 0) << "the title is up";
    pressKey("Return");
    std::this_thread::sleep_for(1s);
    EXPECT_TRUE(stillRunning());
    EXPECT_GT(cornerPixelsDiffering(title, windowPicture("resumed")), 1000) << "play resumed";

    pressKey("Escape");
    std::this_thread::sleep_for(1s);
    pressKeys("Down", 4);
    pressKey("Return");
    std::this_thread::sleep_for(1s);
    pressKeys("Down", 2);
    commandOutput("xdotool windowfocus --sync " + window + " keydown Left");
    std::this_thread::sleep_for(1s);
    commandOutput("xdotool keyup Left");
    pressKeys("Down", 4);
    pressKey("Return");
    std::this_thread::sleep_for(1s);
    pressKey("Down");
    pressKey("Return");
    expectCleanExit();

    EXPECT_NE(log().find("Saving Settings... success!\n"), std::string::npos) << log();
    const std::string settings = fileContent(installation.pathOf("data/gameSettings.txt"));
    ASSERT_EQ(settings.size(), 80u);
    const int musicVolume = static_cast<unsigned char>(settings[8]);
    EXPECT_GT(musicVolume, 0);
    EXPECT_LT(musicVolume, 128 - 20) << "lowered by one step a tick for a second";
}

// The non-empty cells of a map file's first layer, as (row, column, tile); none when it does not
// load.
std::vector<std::array<int, 3>> paintedCells(const std::string& path) {
    Map map;
    std::vector<std::array<int, 3>> cells;
    if (!map.load(path.c_str())) {
        return cells;
    }
    for (int row = 0; row < map.getNumberOfRows(); row++) {
        for (int column = 0; column < map.getNumberOfColumns(); column++) {
            if (map.getTileAt(0, row, column) != 0) {
                cells.push_back({row, column, map.getTileAt(0, row, column)});
            }
        }
    }
    return cells;
}

TEST_F(GameProcessTest, TheEditorPaintsWithTheMouseAndSavesThroughItsMenu) {
    // One empty screen, so the editor's view starts at the map's corner.
    const std::string mapPath = installation.pathOf("data/maps/edit");
    {
        Map map;
        for (int i = 1; i < 20; i++) {
            map.appendColumn();
        }
        for (int i = 1; i < 15; i++) {
            map.appendRow();
        }
        map.setTilesetName("meadowTiles.png");
        ASSERT_TRUE(map.save(mapPath.c_str()));
    }
    launch({"--editor", mapPath});
    ASSERT_TRUE(logShowsSoon("loading ./data/fonts/Editor.ttf")) << log();
    std::this_thread::sleep_for(500ms);
    const auto click = [this](int x, int y, int button) {
        const std::string at = std::to_string(x) + " " + std::to_string(y);
        commandOutput("xdotool mousemove --window " + window + " " + at);
        std::this_thread::sleep_for(100ms);
        commandOutput("xdotool mousedown " + std::to_string(button));
        std::this_thread::sleep_for(200ms);
        commandOutput("xdotool mouseup " + std::to_string(button));
        std::this_thread::sleep_for(200ms);
    };
    // The tileset picker (Left Winkey + W) picks a tile with a click; hiding it gives the map
    // back, where a click paints the tile at column 3, row 3 (the window is twice the map).
    const auto tilesetPicker = [this] {
        commandOutput("xdotool windowfocus --sync " + window + " keydown Super_L keydown w");
        std::this_thread::sleep_for(200ms);
        commandOutput("xdotool keyup w keyup Super_L");
        std::this_thread::sleep_for(200ms);
    };
    tilesetPicker();
    click(40, 200, 1);
    tilesetPicker();
    click(3 * 32 + 8, 3 * 32 + 8, 1);
    // "Editor", then "Save Map": a map opened from a file is written back without asking.
    click(10, 5, 1);
    click(40, 47, 1);
    std::vector<std::array<int, 3>> cells;
    for (int tries = 0; tries < 50 && cells.empty(); tries++) {
        std::this_thread::sleep_for(200ms);
        cells = paintedCells(mapPath);
    }
    ASSERT_EQ(cells.size(), 1u) << log();
    EXPECT_EQ(cells[0][0], 3);
    EXPECT_EQ(cells[0][1], 3);
    EXPECT_GT(cells[0][2], 0);
    game->sendSignal(SIGTERM);
    expectCleanExit();
}

} // namespace
