// MusicPlayer: plays one streamed song at a time and fades it in and out over whole seconds.
// Stepped once per logic tick. Levels are 0..128 and are scaled by the user's music volume
// setting before they reach the mixer.
#pragma once

#include "engine/PXTimer.h"

#include <memory>
#include <optional>
#include <string>

class PXMusic;

class MusicPlayer {
public:
    // Loader types of start: 1 picks one by the name's extension.
    static constexpr int kTypeByExtension = 1;
    static constexpr int kTypeXM = 2;
    static constexpr int kTypeS3M = 3;
    static constexpr int kTypeMOD = 4;
    static constexpr int kTypeIT = 5;
    static constexpr int kTypeMP3 = 6;
    static constexpr int kTypeOGG = 7;
    // How long the game's hand-overs and returns of a map's song fade, in seconds.
    static constexpr int kSongFadeSeconds = 2;
    // The longest next-song name kept by a fade-out, in characters.
    static constexpr int kNextSongLimit = 1023;

    // Nothing playing.
    MusicPlayer();
    // Stops the music.
    ~MusicPlayer();
    MusicPlayer(const MusicPlayer&) = delete;
    MusicPlayer& operator=(const MusicPlayer&) = delete;

    // Starts the song by its extension, looping forever.
    int start(const char* name);
    // Starts the song with the loader type (position unused), looping forever or playing once;
    // the song already playing is left alone (true). False for an unknown type or extension or
    // a song that cannot be had, leaving the current one playing.
    int start(const char* name, int type, int position, int loop);
    // Starts the song from its beginning even when it is the one playing.
    int restart(const char* name, int loop);
    // Plays a map's song once, fading it in from silence (after the intro, after a silence).
    void startSongFadingIn(const char* name);
    // Halts the music and forgets it; the file name stays.
    void stop();
    // Pauses the current music.
    void pause();
    // Resumes the current music.
    void resume();
    // Sets the level (0..128) scaled by the music volume setting; outside a fade it also becomes
    // the level a fade-in climbs to.
    void setVolume(int level);
    // The mixer's music volume.
    int volume() const;
    // True while there is a current music and the mixer plays music.
    int isPlaying() const;
    // The name last started, or null.
    const char* currentFilename() const;
    // Fades the current music out over the seconds, then plays the next song once with a fade-in
    // (null: silence).
    void fadeOutOverDuration(int seconds, const char* nextName);
    // Fades the music in over the seconds, from level 0 when fromSilence is true.
    void fadeInOverDuration(int seconds, int fromSilence);
    // True while a fade-out runs.
    int isFadingOut() const;
    // True while a fade-in runs.
    int isFadingIn() const;
    // One logic tick of the running fade.
    void logic();

private:
    // The song of a loader type from the resource manager, or null.
    static PXMusic* fetch(const char* name, int type);
    // The loader type of the name's extension, or 0 for none of the six.
    static int typeOfExtension(const char* name);
    bool fadeRunning() const { return _fadingOut || _fadingIn; }
    // Restarts the fade timer with a step that spreads the current level over the seconds.
    void setUpFader(int seconds);
    void stepFade();
    // Halts the faded-out song and hands over to the next one, if any.
    void finishFadeOut();

    PXMusic* _currentMusic = nullptr;
    std::optional<std::string> _currentFilename;
    std::unique_ptr<PXTimer> _fadeTimer;
    int _fadingOut = 0;
    int _fadingIn = 0;
    int _fadeStep = 0;
    int _targetVolume = 128;
    std::optional<std::string> _nextSong;
    // The last level set, before scaling: fades count on it rather than on the mixer volume,
    // which the scaling rounds down and would keep a fade-in below 128 from ever climbing.
    int _level = 128;
};

// The one music player, created by init().
extern MusicPlayer* globalMusicPlayer;
