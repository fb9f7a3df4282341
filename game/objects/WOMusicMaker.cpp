#include "WOMusicMaker.h"

#include "engine/PXSound.h"
#include "game/core/Settings.h"
#include "game/world/MusicPlayer.h"

namespace {

// The music player exists from init to shutdown only; objects may outlive it.
void setMusicLevel(int level) {
    if (globalMusicPlayer != nullptr) {
        globalMusicPlayer->setVolume(level);
    }
}

} // namespace

WOMusicMaker::WOMusicMaker(int type, const char* spriteFile, const char* soundFile,
                           int fallDistance)
    : WOCarriable(type, spriteFile, fallDistance), _sound(fetchSound(soundFile)) {}

WOMusicMaker::~WOMusicMaker() {
    stopPlaying();
}

void WOMusicMaker::heldStateChanged() {
    if (isBeingHeld()) {
        startPlaying();
    } else {
        stopPlaying();
    }
}

void WOMusicMaker::startPlaying() {
    if (_playing) {
        return;
    }
    _playing = true;
    setMusicLevel(Settings::instance()->musicVolume / 4);
    if (_sound != nullptr) {
        _sound->play(-1);
    }
}

void WOMusicMaker::stopPlaying() {
    if (!_playing) {
        return;
    }
    _playing = false;
    setMusicLevel(Settings::instance()->musicVolume);
    if (_sound != nullptr) {
        _sound->stop();
    }
}
