// PXMusic: one streamed song (OGG or a tracker module) on the mixer's single music channel.
#pragma once

#include <SDL_mixer.h>
#include <memory>

class PXMusic {
public:
    // Always throws std::bad_alloc: music needs a file.
    PXMusic();
    // Opens the stream; throws std::bad_alloc when it cannot be loaded.
    explicit PXMusic(const char* path);
    // Halts whatever music plays and frees the stream.
    ~PXMusic();

    PXMusic(const PXMusic&) = delete;
    PXMusic& operator=(const PXMusic&) = delete;

    // Replaces whatever music plays with this one, repeated loops times (-1 endless); false with
    // the error text when it cannot play (also while audio is closed).
    int play(int loops);
    // Halts the music channel.
    void stop();
    // Pauses the music channel.
    void pause();
    // Resumes the paused music channel.
    void resume();
    // Whether any music is playing; paused music counts as playing.
    int isPlaying() const;
    // Sets the music volume, clamped to 0..128.
    void setVolume(int volume);
    // The current music volume.
    int volume() const;

private:
    struct MusicDeleter {
        void operator()(Mix_Music* music) const { Mix_FreeMusic(music); }
    };

    std::unique_ptr<Mix_Music, MusicDeleter> _music;
};
