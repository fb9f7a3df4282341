#include "MusicPlayer.h"

#include "engine/PXInit.h"
#include "engine/PXMusic.h"
#include "game/core/Log.h"
#include "game/core/ResourceManager.h"
#include "game/core/Settings.h"

#include <SDL_mixer.h>
#include <algorithm>
#include <cstring>
#include <new>

MusicPlayer* globalMusicPlayer = nullptr;

namespace {

constexpr int kTicksPerSecond = 60;

struct Loader {
    const char* extension;
    PXMusic* (*fetch)(const char*);
};

// Indexed by loader type minus kTypeXM.
constexpr Loader kLoaders[] = {
    {"xm", [](const char* name) { return ResourceManager::instance()->xm(name); }},
    {"s3m", [](const char* name) { return ResourceManager::instance()->s3m(name); }},
    {"mod", [](const char* name) { return ResourceManager::instance()->mod(name); }},
    {"it", [](const char* name) { return ResourceManager::instance()->it(name); }},
    {"mp3", [](const char* name) { return ResourceManager::instance()->mp3(name); }},
    {"ogg", [](const char* name) { return ResourceManager::instance()->ogg(name); }},
};

int musicVolumeSetting() {
    return Settings::instance()->musicVolume;
}

} // namespace

MusicPlayer::MusicPlayer() = default;

MusicPlayer::~MusicPlayer() {
    stop();
}

int MusicPlayer::typeOfExtension(const char* name) {
    const char* dot = std::strrchr(name, '.');
    if (dot == nullptr) {
        return 0;
    }
    for (size_t index = 0; index < std::size(kLoaders); index++) {
        if (std::strcmp(dot + 1, kLoaders[index].extension) == 0) {
            return kTypeXM + static_cast<int>(index);
        }
    }
    return 0;
}

PXMusic* MusicPlayer::fetch(const char* name, int type) {
    if (type < kTypeXM || type > kTypeOGG) {
        return nullptr;
    }
    return kLoaders[type - kTypeXM].fetch(name);
}

void MusicPlayer::startSongFadingIn(const char* name) {
    start(name, kTypeByExtension, 0, PX_FALSE);
    fadeInOverDuration(kSongFadeSeconds, PX_TRUE);
}

int MusicPlayer::start(const char* name) {
    return start(name, kTypeByExtension, 0, PX_TRUE);
}

int MusicPlayer::start(const char* name, int type, int, int loop) {
    if (name == nullptr) {
        return PX_FALSE;
    }
    PXMusic* music = fetch(name, type == kTypeByExtension ? typeOfExtension(name) : type);
    if (music == nullptr) {
        return PX_FALSE;
    }
    if (music == _currentMusic && isPlaying()) {
        globalLog->write("Not playing music because this song is already playing.\n");
        return PX_TRUE;
    }
    stop();
    _currentMusic = music;
    _currentFilename = name;
    setVolume(musicVolumeSetting());
    return _currentMusic->play(loop ? -1 : 0);
}

int MusicPlayer::restart(const char* name, int loop) {
    _currentMusic = nullptr;
    return start(name, kTypeByExtension, 0, loop);
}

void MusicPlayer::stop() {
    Mix_HaltMusic();
    _currentMusic = nullptr;
}

void MusicPlayer::pause() {
    if (_currentMusic != nullptr) {
        _currentMusic->pause();
    }
}

void MusicPlayer::resume() {
    if (_currentMusic != nullptr) {
        _currentMusic->resume();
    }
}

void MusicPlayer::setVolume(int level) {
    _level = level;
    if (_currentMusic != nullptr) {
        _currentMusic->setVolume(musicVolumeSetting() * level / MIX_MAX_VOLUME);
    }
    if (!fadeRunning()) {
        _targetVolume = level;
    }
}

int MusicPlayer::volume() const {
    return Mix_VolumeMusic(-1);
}

int MusicPlayer::isPlaying() const {
    return _currentMusic != nullptr && _currentMusic->isPlaying() ? PX_TRUE : PX_FALSE;
}

const char* MusicPlayer::currentFilename() const {
    return _currentFilename ? _currentFilename->c_str() : nullptr;
}

void MusicPlayer::setUpFader(int seconds) {
    try {
        _fadeTimer = std::make_unique<PXTimer>(1);
    } catch (const std::bad_alloc&) {
        globalLog->write("Unable to create music fade timer.\n");
        throw;
    }
    const int step = seconds != 0 ? _level / kTicksPerSecond / seconds : 0;
    _fadeStep = std::max(step, 1);
}

void MusicPlayer::fadeOutOverDuration(int seconds, const char* nextName) {
    setUpFader(seconds);
    _fadeStep = -_fadeStep;
    if (!fadeRunning()) {
        _targetVolume = _level;
    }
    _fadingOut = PX_TRUE;
    _fadingIn = PX_FALSE;
    if (nextName != nullptr) {
        _nextSong.emplace(nextName, strnlen(nextName, kNextSongLimit));
    } else {
        _nextSong.reset();
    }
}

void MusicPlayer::fadeInOverDuration(int seconds, int fromSilence) {
    setUpFader(seconds);
    _fadingOut = PX_FALSE;
    _fadingIn = PX_TRUE;
    if (fromSilence) {
        setVolume(0);
    }
}

int MusicPlayer::isFadingOut() const {
    return _fadingOut;
}

int MusicPlayer::isFadingIn() const {
    return _fadingIn;
}

void MusicPlayer::logic() {
    if (!_fadeTimer || _currentMusic == nullptr) {
        return;
    }
    if (_fadeTimer->tick()) {
        stepFade();
    }
    if (!fadeRunning()) {
        _fadeTimer.reset();
    }
}

void MusicPlayer::stepFade() {
    int level = _level + _fadeStep;
    if (_fadingOut && level <= 0) {
        level = 0;
        finishFadeOut();
    } else if (_fadingIn && level >= _targetVolume) {
        _fadingIn = PX_FALSE;
        level = _targetVolume;
    }
    if (isPlaying()) {
        setVolume(level);
    }
}

void MusicPlayer::finishFadeOut() {
    _fadingOut = PX_FALSE;
    Mix_HaltMusic();
    if (!_nextSong) {
        return;
    }
    const std::string next = std::move(*_nextSong);
    _nextSong.reset();
    startSongFadingIn(next.c_str());
}
