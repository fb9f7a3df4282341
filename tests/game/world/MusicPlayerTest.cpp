#include "game/world/MusicPlayer.h"

#include "engine/Paxtor.h"
#include "game/core/ResourceManager.h"
#include "game/core/Settings.h"
#include "game/objects/WorldObject.h"
#include "game/objects/WorldObjectVector.h"
#include "game/world/Letterbox.h"
#include "game/world/Map.h"
#include "tests/support/AudioFiles.h"
#include "tests/support/ScratchWorkingDirectory.h"
#include "tests/support/TestLog.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

constexpr const char* kAlreadyPlaying = "Not playing music because this song is already playing.\n";

// The mixer streams in real time while the test ticks instantly, so songs last long enough;
// the short one ends soon after a one-shot start.
class MusicPlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(PXInit()) << PXError();
        ASSERT_TRUE(PXInitAudio(22050, 0x8010, 2, 512)) << PXError();
        writeOgg(directory.pathOf("data/music/long.ogg"), 5.0);
        writeOgg(directory.pathOf("data/music/other.ogg"), 5.0);
        writeOgg(directory.pathOf("data/music/short.ogg"), 0.3);
        Settings::instance()->musicVolume = MIX_MAX_VOLUME;
    }

    void TearDown() override {
        globalMusicPlayer = nullptr;
        delete globalMap;
        globalMap = nullptr;
        delete globalMapSpecificWorldObjectVector;
        globalMapSpecificWorldObjectVector = nullptr;
        Letterbox::destroyInstance();
        music.stop();
        ResourceManager::instance()->cleanup();
        PXDeInit();
    }

    // The mixer volume after each of the ticks.
    std::vector<int> volumesOver(int ticks) {
        std::vector<int> volumes;
        for (int tick = 0; tick < ticks; tick++) {
            music.logic();
            volumes.push_back(music.volume());
        }
        return volumes;
    }

    static std::vector<int> countingFrom(int first, int count, int step) {
        std::vector<int> values;
        for (int index = 0; index < count; index++) {
            values.push_back(first + index * step);
        }
        return values;
    }

    ScratchWorkingDirectory directory{"music"};
    MusicPlayer music;
};

TEST_F(MusicPlayerTest, FadeOutEndsInTheNextSongPlayedOnceAndFadedInFromSilence) {
    ASSERT_TRUE(music.start("long.ogg"));
    ASSERT_EQ(music.volume(), 128);

    music.fadeOutOverDuration(2, "short.ogg");
    EXPECT_TRUE(music.isFadingOut());
    EXPECT_EQ(volumesOver(127), countingFrom(127, 127, -1)) << "128 / 60 / 2 gives a step of -1";
    EXPECT_STREQ(music.currentFilename(), "long.ogg");

    music.logic();
    EXPECT_STREQ(music.currentFilename(), "short.ogg") << "the 128th tick hands over";
    EXPECT_TRUE(music.isPlaying());
    EXPECT_EQ(music.volume(), 0);
    EXPECT_FALSE(music.isFadingOut());
    EXPECT_TRUE(music.isFadingIn());

    EXPECT_EQ(volumesOver(128), countingFrom(1, 128, 1));
    EXPECT_FALSE(music.isFadingIn());
    EXPECT_EQ(volumesOver(3), std::vector<int>(3, 128)) << "the fade is over";

    for (int waited = 0; waited < 3000 && music.isPlaying(); waited += 10) {
        SDL_Delay(10);
    }
    EXPECT_FALSE(music.isPlaying()) << "the next song plays once, it does not loop";
}

TEST_F(MusicPlayerTest, FadeOutWithoutNextSongEndsInSilenceAndAFadeInStopsAtTheLastLevel) {
    ASSERT_TRUE(music.start("long.ogg"));
    music.setVolume(64);
    music.fadeOutOverDuration(1, nullptr);
    EXPECT_EQ(volumesOver(63), countingFrom(63, 63, -1)) << "64 / 60 / 1 gives a step of -1";
    music.logic();
    EXPECT_FALSE(music.isPlaying());
    EXPECT_FALSE(music.isFadingOut());
    EXPECT_STREQ(music.currentFilename(), "long.ogg");

    // A halved music volume setting must not keep a fade-in from climbing.
    Settings::instance()->musicVolume = 64;
    ASSERT_TRUE(music.start("other.ogg"));
    music.setVolume(100);
    music.fadeInOverDuration(1, PX_TRUE);
    volumesOver(99);
    EXPECT_TRUE(music.isFadingIn());
    EXPECT_EQ(volumesOver(2), std::vector<int>(2, 50)) << "64 * 100 / 128";
    EXPECT_FALSE(music.isFadingIn());
}

TEST_F(MusicPlayerTest, StartRefusesWhatItCannotPlayAndKeepsTheCurrentSong) {
    ASSERT_TRUE(music.start("long.ogg"));
    music.setVolume(50);
    clearTestLog();
    EXPECT_TRUE(music.start("long.ogg"));
    EXPECT_NE(testLogContent().find(kAlreadyPlaying), std::string::npos);
    EXPECT_EQ(music.volume(), 50) << "the playing song is not started again";

    for (const char* name : {"long.wav", "long", "absent.ogg"}) {
        EXPECT_FALSE(music.start(name)) << name;
    }
    EXPECT_FALSE(music.start(nullptr));
    EXPECT_FALSE(music.start("other.ogg", 8, 0, PX_TRUE)) << "no loader type 8";
    EXPECT_TRUE(music.isPlaying());
    EXPECT_STREQ(music.currentFilename(), "long.ogg");
    EXPECT_EQ(music.volume(), 50);

    EXPECT_TRUE(music.start("other.ogg", MusicPlayer::kTypeOGG, 0, PX_TRUE));
    EXPECT_STREQ(music.currentFilename(), "other.ogg");
    EXPECT_EQ(music.volume(), 128) << "a new song starts at the music volume setting";

    music.setVolume(50);
    clearTestLog();
    EXPECT_TRUE(music.restart("other.ogg", PX_TRUE));
    EXPECT_EQ(testLogContent().find(kAlreadyPlaying), std::string::npos);
    EXPECT_EQ(music.volume(), 128) << "restart plays the song again from the start";

    music.stop();
    EXPECT_FALSE(music.isPlaying());
    EXPECT_STREQ(music.currentFilename(), "other.ogg");
}

TEST_F(MusicPlayerTest, NextSongNameIsBounded) {
    ASSERT_TRUE(music.start("long.ogg"));
    // Cut after 1023 characters, the name still ends in ".ogg", so the hand-over looks for it.
    const std::string kept = std::string(1019, 'n') + ".ogg";
    music.fadeOutOverDuration(60, (kept + std::string(1000, 'x')).c_str());
    clearTestLog();
    volumesOver(128);
    EXPECT_NE(testLogContent().find("Trying to find " + kept + " in"), std::string::npos);
    EXPECT_FALSE(music.isPlaying()) << "a next song that cannot be had ends in silence";
}

// The current map hands its song over on load; other maps leave the music alone.
TEST_F(MusicPlayerTest, MapLoadHandsOverOnlyADifferentSong) {
    globalMap = new Map();
    globalMusicPlayer = &music;
    std::filesystem::create_directories("./data/maps");
    const auto saveMapWithSong = [](const char* name, const char* song) {
        Map map;
        map.setMusicName(song);
        ASSERT_TRUE(map.save((std::string("./data/maps/") + name).c_str()));
    };
    saveMapWithSong("same", "long.ogg");
    saveMapWithSong("other", "other.ogg");

    ASSERT_TRUE(music.start("long.ogg"));
    ASSERT_TRUE(globalMap->load("./data/maps/same"));
    EXPECT_FALSE(music.isFadingOut());
    EXPECT_EQ(volumesOver(3), std::vector<int>(3, 128)) << "the same song changes nothing";

    Map elsewhere;
    ASSERT_TRUE(elsewhere.load("./data/maps/other"));
    EXPECT_FALSE(music.isFadingOut()) << "only the current map hands over";

    ASSERT_TRUE(globalMap->load("./data/maps/other"));
    EXPECT_TRUE(music.isFadingOut());
    volumesOver(10);
    ASSERT_TRUE(globalMap->load("./data/maps/same"));
    EXPECT_FALSE(music.isFadingOut());
    EXPECT_TRUE(music.isFadingIn()) << "returning to the song fades it back in";
    EXPECT_EQ(volumesOver(10), countingFrom(119, 10, 1)) << "back up to the level it had";
    EXPECT_FALSE(music.isFadingIn());
    EXPECT_STREQ(music.currentFilename(), "long.ogg");
}

} // namespace
