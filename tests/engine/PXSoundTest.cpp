#include "engine/Paxtor.h"
#include "tests/support/AudioFiles.h"
#include "tests/support/ScratchDirectory.h"

#include <SDL_mixer.h>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <new>
#include <string>
#include <string_view>
#include <utility>

namespace {

constexpr int kFrequency = 22050;
constexpr unsigned short kSigned16LittleEndian = AUDIO_S16LSB;

bool errorStartsWith(std::string_view prefix) {
    return std::string_view(PXError()).starts_with(prefix);
}

int openAudio(int frequency = kFrequency) {
    return PXInitAudio(frequency, kSigned16LittleEndian, 2, 1024);
}

// Tracker modules start on the mixer thread, so a stream reports playing only after a mix pass.
bool eventually(const std::function<bool()>& condition) {
    for (int waited = 0; waited < 2000; waited += 10) {
        if (condition()) {
            return true;
        }
        SDL_Delay(10);
    }
    return condition();
}

class AudioTest : public ::testing::Test {
protected:
    void SetUp() override {
        writeWav(wavPath(), 1.0);
        ASSERT_TRUE(openAudio()) << PXError();
        PXSetMixingChannels(64);
        PXSetSoundVolume(MIX_MAX_VOLUME);
    }
    void TearDown() override {
        _PXDeInitAudio();
        SDL_Quit();
    }

    std::string wavPath() const { return _files.pathOf("beep.wav"); }
    std::string pathOf(const std::string& file) const { return _files.pathOf(file); }

private:
    ScratchDirectory _files{"sound"};
};

using PXSoundTest = AudioTest;
using PXMusicTest = AudioTest;

TEST_F(PXSoundTest, ChannelVolumeIsTheOwnVolumeScaledByTheMasterAndClampedToTheMixerRange) {
    PXSound sound(wavPath().c_str());
    ASSERT_TRUE(sound.play(-1));

    sound.setVolume(64);
    EXPECT_EQ(sound.volume(), 64);

    PXSetSoundVolume(100);
    EXPECT_EQ(_PXMasterVolume, 100);
    EXPECT_EQ(sound.volume(), 100) << "the master volume is set on every channel";
    sound.setVolume(64);
    EXPECT_EQ(sound.volume(), 50);
    sound.setVolume(115);
    EXPECT_EQ(sound.volume(), 89) << "100 * 115 / 128 = 89.8 is truncated";
    sound.setVolume(500);
    EXPECT_EQ(sound.volume(), MIX_MAX_VOLUME);
    sound.setVolume(-5);
    EXPECT_EQ(sound.volume(), 0) << "a negative volume must not leave the old one in place";

    PXSetSoundVolume(500);
    EXPECT_EQ(_PXMasterVolume, MIX_MAX_VOLUME);
    PXSetSoundVolume(-5);
    EXPECT_EQ(_PXMasterVolume, 0);
    EXPECT_EQ(sound.volume(), 0);
}

TEST_F(PXSoundTest, VolumeSetBeforePlayIsOnlyStoredUntilTheNextPlay) {
    PXSound sound(wavPath().c_str());
    sound.setVolume(32);
    EXPECT_EQ(sound.volume(), 0) << "no channel yet";
    EXPECT_FALSE(sound.isPlaying());

    ASSERT_TRUE(sound.play(0));
    EXPECT_TRUE(sound.isPlaying());
    EXPECT_EQ(sound.volume(), 32);

    sound.stop();
    EXPECT_FALSE(sound.isPlaying());
    EXPECT_EQ(sound.volume(), 0);
    PXSetSoundVolume(64);
    ASSERT_TRUE(sound.play(0));
    EXPECT_EQ(sound.volume(), 16) << "the stored volume is scaled by the master at play time";
}

TEST_F(PXSoundTest, OverlappingPlaysTakeTheirOwnChannelsAndStopHaltsOnlyTheNewest) {
    ASSERT_EQ(PXSetMixingChannels(2), 2);
    PXSound sound(wavPath().c_str());
    ASSERT_TRUE(sound.play(-1));
    ASSERT_TRUE(sound.play(-1));
    EXPECT_EQ(Mix_Playing(-1), 2);

    sound.stop();
    EXPECT_FALSE(sound.isPlaying());
    EXPECT_EQ(Mix_Playing(-1), 1) << "the first play goes on";

    EXPECT_TRUE(sound.play(-1)) << "the stopped channel is free again";
    EXPECT_FALSE(sound.play(-1)) << "no free channel is left";
    PXStopAllSounds();
    EXPECT_EQ(Mix_Playing(-1), 0);
}

TEST_F(PXSoundTest, FilesThatCannotBeDecodedThrowBadAlloc) {
    writeMod(pathOf("tune.mod"));
    EXPECT_THROW(PXSound(pathOf("missing.wav").c_str()), std::bad_alloc);
    EXPECT_THROW(PXSound(pathOf("tune.mod").c_str()), std::bad_alloc);
    EXPECT_THROW(PXSound(), std::bad_alloc);
    EXPECT_THROW(PXMusic(pathOf("missing.ogg").c_str()), std::bad_alloc);
    EXPECT_THROW(PXMusic(), std::bad_alloc);
}

TEST_F(PXMusicTest, OggAndModStreamsPlayPauseResumeAndStop) {
    writeOgg(pathOf("song.ogg"), 2.0);
    writeMod(pathOf("tune.mod"));
    const std::pair<std::string, Mix_MusicType> songs[] = {{"song.ogg", MUS_OGG},
                                                           {"tune.mod", MUS_MOD}};
    for (const auto& [file, type] : songs) {
        SCOPED_TRACE(file);
        PXMusic music(pathOf(file).c_str());
        ASSERT_TRUE(music.play(-1)) << PXError();
        EXPECT_TRUE(eventually([&] { return music.isPlaying() != 0; }));
        EXPECT_EQ(Mix_GetMusicType(nullptr), type);

        music.pause();
        EXPECT_TRUE(Mix_PausedMusic());
        EXPECT_TRUE(music.isPlaying()) << "paused music still holds the music channel";
        music.resume();
        EXPECT_FALSE(Mix_PausedMusic());

        music.stop();
        EXPECT_FALSE(music.isPlaying());
    }
}

TEST_F(PXMusicTest, VolumeIsClampedToTheMixerRange) {
    writeOgg(pathOf("song.ogg"), 0.5);
    PXMusic music(pathOf("song.ogg").c_str());
    music.setVolume(64);
    EXPECT_EQ(music.volume(), 64);
    music.setVolume(-5);
    EXPECT_EQ(music.volume(), 0) << "a negative volume must not leave the old one in place";
    music.setVolume(500);
    EXPECT_EQ(music.volume(), MIX_MAX_VOLUME);
}

TEST(PXSoundDeviceTest, ClosedDeviceMakesEveryPlayFailWithoutCrashing) {
    ScratchDirectory files("sound-closed");
    writeWav(files.pathOf("beep.wav"), 1.0);
    writeOgg(files.pathOf("song.ogg"), 0.5);
    ASSERT_TRUE(openAudio()) << PXError();
    PXSound sound(files.pathOf("beep.wav").c_str());
    // Not a module: freeing one after the device closed leaks inside the tracker library.
    PXMusic openedSong(files.pathOf("song.ogg").c_str());
    ASSERT_TRUE(sound.play(-1));

    _PXDeInitAudio();
    EXPECT_FALSE(_PXAudioInitialized);
    EXPECT_FALSE(sound.play(0));
    EXPECT_FALSE(sound.isPlaying());
    EXPECT_EQ(sound.volume(), 0);
    sound.setVolume(10);
    sound.setPanning(300, -1);
    sound.setDistance(1000);
    sound.stop();
    PXStopAllSounds();
    PXSetSoundVolume(64);
    EXPECT_EQ(PXSetMixingChannels(64), 0);

    EXPECT_FALSE(openedSong.play(-1));
    EXPECT_TRUE(errorStartsWith("Unable to play music: ")) << PXError();
    PXMusic closedSong(files.pathOf("song.ogg").c_str());
    EXPECT_FALSE(closedSong.play(0));
    EXPECT_THROW(PXSound(files.pathOf("beep.wav").c_str()), std::bad_alloc);
    SDL_Quit();
}

TEST(PXSoundDeviceTest, OpeningAgainAndEngineShutdownCloseTheDevice) {
    ScratchDirectory files("sound-reopen");
    writeOgg(files.pathOf("song.ogg"), 2.0);
    ASSERT_TRUE(openAudio()) << PXError();
    {
        PXMusic music(files.pathOf("song.ogg").c_str());
        ASSERT_TRUE(music.play(-1)) << PXError();

        ASSERT_TRUE(openAudio(44100)) << PXError();
        EXPECT_FALSE(music.isPlaying()) << "closing the old device halts the music";
    }
    int frequency = 0;
    Uint16 format = 0;
    int channels = 0;
    ASSERT_TRUE(Mix_QuerySpec(&frequency, &format, &channels));
    EXPECT_EQ(frequency, 44100) << "the old device must be closed, not reused";

    ASSERT_TRUE(PXInit()) << PXError();
    PXDeInit();
    EXPECT_FALSE(_PXAudioInitialized);
    EXPECT_EQ(Mix_QuerySpec(&frequency, &format, &channels), 0);
}

TEST(PXSoundDeviceTest, FailuresLeaveTheDeviceClosedWithAnErrorText) {
    const char* driver = getenv("SDL_AUDIODRIVER");
    const std::string savedDriver = driver ? driver : "";
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    EXPECT_FALSE(openAudio());
    EXPECT_TRUE(errorStartsWith("Couldn't initialize SDL: ")) << PXError();
    EXPECT_FALSE(_PXAudioInitialized);
    if (driver) {
        setenv("SDL_AUDIODRIVER", savedDriver.c_str(), 1);
    } else {
        unsetenv("SDL_AUDIODRIVER");
    }

    EXPECT_FALSE(PXInitAudio(kFrequency, 0x1234, 2, 1024)) << "not a sample format";
    EXPECT_TRUE(errorStartsWith("Unable to initialize audio: ")) << PXError();
    EXPECT_FALSE(_PXAudioInitialized);
    SDL_Quit();
}

} // namespace
