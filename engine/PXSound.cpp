#include "PXSound.h"

#include "PXInit.h"

#include <algorithm>
#include <new>

int _PXAudioInitialized = PX_FALSE;
int _PXMasterVolume = MIX_MAX_VOLUME;

namespace {

// The mixer reads a negative volume as a query, so out-of-range values must never reach it.
int mixerVolume(int volume) {
    return std::clamp(volume, 0, MIX_MAX_VOLUME);
}

} // namespace

int PXInitAudio(int frequency, unsigned short format, int channels, int chunkSize) {
    _PXDeInitAudio();
    if (SDL_Init(SDL_INIT_AUDIO) < 0) {
        _PXSetError("Couldn't initialize SDL: %s", SDL_GetError());
        return PX_FALSE;
    }
    if (Mix_OpenAudio(frequency, format, channels, chunkSize) < 0) {
        _PXSetError("Unable to initialize audio: %s", Mix_GetError());
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return PX_FALSE;
    }
    _PXAudioInitialized = PX_TRUE;
    return PX_TRUE;
}

void _PXDeInitAudio() {
    if (!_PXAudioInitialized) {
        return;
    }
    Mix_HaltMusic();
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    _PXAudioInitialized = PX_FALSE;
}

int PXSetMixingChannels(int count) {
    // Channels allocated while closed would be lost when the device opens.
    return _PXAudioInitialized ? Mix_AllocateChannels(count) : 0;
}

void PXSetSoundVolume(int volume) {
    _PXMasterVolume = mixerVolume(volume);
    if (_PXAudioInitialized) {
        Mix_Volume(-1, _PXMasterVolume);
    }
}

void PXStopAllSounds() {
    if (_PXAudioInitialized) {
        Mix_HaltChannel(-1);
    }
}

PXSound::PXSound() {
    throw std::bad_alloc();
}

PXSound::PXSound(const char* path) : _chunk(Mix_LoadWAV_RW(SDL_RWFromFile(path, "rb"), 1)) {
    if (!_chunk) {
        throw std::bad_alloc();
    }
}

PXSound::~PXSound() {
    stop();
}

// The mixer's channel table is freed when the device closes, so a remembered channel is only
// usable while it is open.
bool PXSound::hasChannel() const {
    return _PXAudioInitialized && _channel != -1;
}

int PXSound::play(int loops) {
    if (!_PXAudioInitialized) {
        return PX_FALSE;
    }
    _channel = Mix_PlayChannelTimed(-1, _chunk.get(), loops, -1);
    setVolume(_volume);
    return _channel != -1 ? PX_TRUE : PX_FALSE;
}

int PXSound::isPlaying() const {
    return hasChannel() && Mix_Playing(_channel) ? PX_TRUE : PX_FALSE;
}

int PXSound::lengthInMilliseconds() const {
    int frequency = 0;
    Uint16 format = 0;
    int channels = 0;
    if (!_chunk || Mix_QuerySpec(&frequency, &format, &channels) == 0 || frequency <= 0 ||
        channels <= 0) {
        return 0;
    }
    // The low byte of an audio format is its sample size in bits.
    const long long bytesPerSecond =
        static_cast<long long>(frequency) * channels * ((format & 0xFF) / 8);
    return bytesPerSecond > 0 ? static_cast<int>(_chunk->alen * 1000LL / bytesPerSecond) : 0;
}

void PXSound::stop() {
    if (hasChannel()) {
        Mix_HaltChannel(_channel);
    }
    _channel = -1;
}

void PXSound::setVolume(int volume) {
    _volume = volume;
    if (hasChannel()) {
        Mix_Volume(_channel, mixerVolume(static_cast<int>(_PXMasterVolume * (volume / 128.0))));
    }
}

int PXSound::volume() const {
    return hasChannel() ? Mix_Volume(_channel, -1) : 0;
}

void PXSound::setPanning(int left, int right) {
    if (hasChannel()) {
        Mix_SetPanning(_channel, static_cast<Uint8>(left), static_cast<Uint8>(right));
    }
}

void PXSound::setDistance(int distance) {
    if (hasChannel()) {
        Mix_SetDistance(_channel, static_cast<Uint8>(distance));
    }
}
