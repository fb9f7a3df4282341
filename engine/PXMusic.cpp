#include "PXMusic.h"

#include "PXInit.h"

#include <algorithm>
#include <new>

PXMusic::PXMusic() {
    throw std::bad_alloc();
}

PXMusic::PXMusic(const char* path) : _music(Mix_LoadMUS(path)) {
    if (!_music) {
        throw std::bad_alloc();
    }
}

PXMusic::~PXMusic() {
    stop();
}

int PXMusic::play(int loops) {
    Mix_HaltMusic();
    if (Mix_PlayMusic(_music.get(), loops) < 0) {
        _PXSetError("Unable to play music: %s", Mix_GetError());
        return PX_FALSE;
    }
    return PX_TRUE;
}

void PXMusic::stop() {
    Mix_HaltMusic();
}

void PXMusic::pause() {
    Mix_PauseMusic();
}

void PXMusic::resume() {
    Mix_ResumeMusic();
}

int PXMusic::isPlaying() const {
    return Mix_PlayingMusic() ? PX_TRUE : PX_FALSE;
}

void PXMusic::setVolume(int volume) {
    Mix_VolumeMusic(std::clamp(volume, 0, MIX_MAX_VOLUME));
}

int PXMusic::volume() const {
    return Mix_VolumeMusic(-1);
}
