#include "engine/Paxtor.h"
#include "game/core/Settings.h"
#include "game/screens/OptionsScreen.h"
#include "game/screens/SecretList.h"
#include "game/screens/SecretsScreen.h"
#include "game/screens/TitleScreen.h"
#include "game/world/MusicPlayer.h"
#include "tests/support/AudioFiles.h"
#include "tests/support/GameplayFixture.h"

#include <gtest/gtest.h>

namespace {

// The screens stepped tick by tick.
class ScreenTest : public GameplayFixture {
protected:
    void SetUp() override {
        GameplayFixture::SetUp();
        releaseAllKeys();
    }

    void TearDown() override {
        *Settings::instance() = _settings;
        releaseAllKeys();
        GameplayFixture::TearDown();
    }

    // One step with the key newly pressed, then the key let go.
    template <class Screen> static void press(Screen& screen, SDLKey key) {
        hold(key);
        screen.logic();
        release(key);
    }

private:
    Settings _settings = *Settings::instance();
};

TEST_F(ScreenTest, TitleMenuWrapsAndResumeSlidesTheGameBackFirst) {
    TitleScreen title(PX_FALSE, nullptr);
    ASSERT_TRUE(title.loadResources());
    EXPECT_EQ(title.highlightedEntry(), "New game");
    press(title, SDLK_UP);
    EXPECT_EQ(title.highlightedEntry(), "Quit");
    press(title, SDLK_DOWN);
    EXPECT_EQ(title.highlightedEntry(), "New game");
    press(title, SDLK_RETURN);
    EXPECT_TRUE(title.finished());
    EXPECT_EQ(title.result(), TitleScreen::kNewGame);

    const std::unique_ptr<PXTexture> game = captureScreen();
    TitleScreen paused(PX_TRUE, game.get());
    ASSERT_TRUE(paused.loadResources());
    EXPECT_EQ(paused.highlightedEntry(), "Resume game");
    for (const int offset : {-1, -3, -6, -10}) {
        paused.logic();
        EXPECT_EQ(paused.slideOffset(), offset);
    }
    while (paused.slideOffset() > -SCREEN_H_UNSCALED) {
        paused.logic();
    }
    press(paused, SDLK_RETURN);
    int lastOffset = paused.slideOffset();
    int steps = 0;
    while (!paused.finished() && steps++ < 100) {
        EXPECT_LT(paused.slideOffset(), 0) << "still sliding back";
        paused.logic();
        EXPECT_GT(paused.slideOffset(), lastOffset);
        lastOffset = paused.slideOffset();
    }
    EXPECT_GT(steps, 5) << "the game picture slides back over several ticks";
    EXPECT_EQ(paused.slideOffset(), 0);
    EXPECT_EQ(paused.result(), TitleScreen::kResume);
}

TEST_F(ScreenTest, HoldingRightOnMusicVolumeRaisesItEveryTickAndAppliesItAtOnce) {
    Settings& settings = *Settings::instance();
    settings.musicVolume = 120;
    writeMod("data/tune.mod");
    ASSERT_TRUE(globalMusicPlayer->start("tune.mod"));
    OptionsScreen options(nullptr);
    ASSERT_TRUE(options.loadResources());
    press(options, SDLK_DOWN);
    press(options, SDLK_DOWN);
    ASSERT_EQ(options.rowLabel(options.highlight()), "Music Volume");
    hold(SDLK_RIGHT);
    for (int volume = 121; volume <= 128; volume++) {
        options.logic();
        EXPECT_EQ(settings.musicVolume, volume);
        EXPECT_EQ(globalMusicPlayer->volume(), volume * volume / 128) << "applied at once";
    }
    options.logic();
    EXPECT_EQ(settings.musicVolume, 128) << "the top";
    release(SDLK_RIGHT);
    EXPECT_EQ(options.rowValue(OptionsScreen::kMusicVolumeRow), "||||||||");
    EXPECT_EQ(OptionsScreen::volumeBarMarks(16), 1);
    EXPECT_EQ(OptionsScreen::volumeBarMarks(15), 0);
    EXPECT_EQ(OptionsScreen::volumeBarMarks(999), 8) << "a hand-edited volume";

    settings.screenMode = 7;
    EXPECT_EQ(options.rowValue(OptionsScreen::kScreenModeRow), "???");
    press(options, SDLK_UP);
    press(options, SDLK_UP);
    press(options, SDLK_RETURN);
    EXPECT_EQ(settings.screenMode, 0) << "an unknown mode starts over";
    EXPECT_EQ(options.rowValue(OptionsScreen::kScreenModeRow), "*Normal");
}

TEST_F(ScreenTest, KeyCaptureSkipsTheConfirmingReturnAndTakesOnlyAcceptedKeys) {
    Settings& settings = *Settings::instance();
    OptionsScreen options(nullptr);
    ASSERT_TRUE(options.loadResources());
    for (int row = 0; row < OptionsScreen::kKeyboardRow; row++) {
        press(options, SDLK_DOWN);
    }
    press(options, SDLK_RETURN);
    ASSERT_EQ(options.list(), OptionsScreen::List::kKeys);
    ASSERT_EQ(options.rowLabel(options.highlight()), "Move Left");

    hold(SDLK_RETURN);
    options.logic();
    ASSERT_TRUE(options.capturing());
    EXPECT_EQ(options.rowValue(0), "<ENTER KEY>");
    options.logic();
    options.logic();
    EXPECT_TRUE(options.capturing()) << "the Return that started it is not taken";
    release(SDLK_RETURN);
    options.logic();
    press(options, SDLK_F5);
    EXPECT_TRUE(options.capturing()) << "F5 cannot be a control";
    press(options, SDLK_RETURN);
    EXPECT_FALSE(options.capturing());
    EXPECT_EQ(settings.keyMoveLeft, PXKeyCode::kReturn);
    EXPECT_EQ(options.rowValue(0), "Return");

    press(options, SDLK_RETURN);
    ASSERT_TRUE(options.capturing());
    options.logic();
    press(options, SDLK_ESCAPE);
    EXPECT_FALSE(options.capturing());
    EXPECT_EQ(settings.keyMoveLeft, PXKeyCode::kReturn) << "Escape cancels";
    settings.keyMoveLeft = 0;
    EXPECT_EQ(options.rowValue(0), "Unknown");
}

TEST_F(ScreenTest, LockedSecretsReadAsQuestionMarks) {
    cleanupSecretList();
    createSecretList();
    EXPECT_EQ(secretText(kSecretMarumari), "???");
    unlockSecret(kSecretHundredPercent);
    EXPECT_EQ(secretText(kSecretHundredPercent), "100%");
    EXPECT_EQ(secretText(kSecretMarumari), "???");
    cleanupSecretList();
}

} // namespace
