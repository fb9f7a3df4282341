// The audio device, the master sample volume and PXSound, one sample played on mixing channels.
#pragma once

#include <SDL_mixer.h>
#include <memory>

// True while the audio device is open.
extern int _PXAudioInitialized;
// Master sample volume (0..128) that every PXSound volume is scaled by.
extern int _PXMasterVolume;

// Closes any open device, then opens one; false with the error text when it cannot.
int PXInitAudio(int frequency, unsigned short format, int channels, int chunkSize);
// Halts the music and closes the device when it is open.
void _PXDeInitAudio();
// Allocates mixing channels and returns how many there are; 0 while the device is closed.
int PXSetMixingChannels(int count);
// Sets every channel's volume and the master volume, clamped to 0..128.
void PXSetSoundVolume(int volume);
// Halts every channel.
void PXStopAllSounds();

// A decoded sample that remembers the channel of its newest play and its own volume. Every
// channel operation does nothing while the device is closed.
class PXSound {
public:
    // Always throws std::bad_alloc: a sound needs a file.
    PXSound();
    // Decodes the whole file; throws std::bad_alloc when it cannot (also while audio is closed).
    explicit PXSound(const char* path);
    // Stops the newest play and frees the sample.
    ~PXSound();

    PXSound(const PXSound&) = delete;
    PXSound& operator=(const PXSound&) = delete;

    // Plays on the first free channel with extra loops (-1 endless); true when one was found.
    int play(int loops);
    // Whether the tracked channel is playing (it may be another sound's by now).
    int isPlaying() const;
    // How long one play lasts at the mixer's rate, in milliseconds; 0 while audio is closed.
    int lengthInMilliseconds() const;
    // Halts the tracked channel and forgets it.
    void stop();
    // Stores the volume and applies it, scaled by the master volume, to the tracked channel.
    void setVolume(int volume);
    // The tracked channel's mixer volume, or 0 without one.
    int volume() const;
    // Pans the tracked channel; each side is cut to 0..255.
    void setPanning(int left, int right);
    // Attenuates the tracked channel by distance, cut to 0..255.
    void setDistance(int distance);

private:
    struct ChunkDeleter {
        void operator()(Mix_Chunk* chunk) const { Mix_FreeChunk(chunk); }
    };

    bool hasChannel() const;

    std::unique_ptr<Mix_Chunk, ChunkDeleter> _chunk;
    int _channel = -1;
    int _volume = MIX_MAX_VOLUME;
};
