#include "game/core/Globals.h"
#include "tests/support/ChildProcess.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

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
        if (getenv("DISPLAY") == nullptr) {
            GTEST_SKIP() << "needs an X server; run the tests through tools/test.sh";
        }
        stderrPath = (std::filesystem::temp_directory_path() /
                      ("corvane-stderr-" + std::to_string(getpid()) + ".txt"))
                         .string();
        game =
            std::make_unique<ChildProcess>(CORVANE_BINARY, std::vector<std::string>{}, stderrPath);
        ASSERT_TRUE(game->started());
        // By process too: other tests may run their own game on the same X server.
        window = commandOutput("timeout 30 xdotool search --sync --all --pid " +
                               std::to_string(game->pid()) + " --name '^Corvane$' | head -n 1");
        ASSERT_FALSE(window.empty()) << "no Corvane window appeared";
        window.pop_back();
    }

    void TearDown() override {
        game.reset();
        std::filesystem::remove(stderrPath);
    }

    // Waits for the game to end and checks it ended cleanly and without sanitizer reports.
    void expectCleanExit() {
        const std::optional<int> exitCode = game->waitForExit(30s);
        ASSERT_TRUE(exitCode.has_value()) << "the game did not end by itself";
        EXPECT_EQ(*exitCode, 0);
        const std::string errors = fileContent(stderrPath);
        EXPECT_EQ(errors.find("Sanitizer"), std::string::npos) << errors;
        EXPECT_EQ(errors.find("runtime error"), std::string::npos) << errors;
    }

    std::string stderrPath;
    std::unique_ptr<ChildProcess> game;
    std::string window;
};

TEST_F(GameProcessTest, OpensA640By480WindowAndEscapeQuitsCleanly) {
    const std::string geometry = commandOutput("xdotool getwindowgeometry --shell " + window);
    EXPECT_NE(geometry.find("WIDTH=640\n"), std::string::npos) << geometry;
    EXPECT_NE(geometry.find("HEIGHT=480\n"), std::string::npos) << geometry;

    // Held like a real key press: a press and release within one tick would be pumped together.
    commandOutput("xdotool windowfocus --sync " + window +
                  " keydown Escape sleep 0.1 keyup Escape");
    expectCleanExit();
}

TEST_F(GameProcessTest, QuitRequestFromThePlatformEndsTheGameCleanly) {
    // SDL turns SIGTERM into the same quit event a closed window sends.
    game->sendSignal(SIGTERM);
    expectCleanExit();
}

} // namespace
