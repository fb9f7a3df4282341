#include "WOSoundPlayer.h"

#include "WorldObjectRecord.h"
#include "engine/PXSound.h"
#include "game/player/Player.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace {

constexpr int kMaximumVolume = 128;
// From this attenuation on the sound is out of earshot.
constexpr int kSilentAttenuation = 256;
constexpr int kFullPanning = 255;
constexpr int kEndlessRepeats = 10000;

} // namespace

WOSoundPlayer::WOSoundPlayer() {
    setObjectType(WORLD_OBJECT_SOUND_PLAYER);
    addPropertyFlags(WORLD_OBJECT_PROPERTY_HIDDEN);
    addEditorInfo("Sound name", WorldObjectEditorInfo::kText, _soundName);
    addEditorInfo("\"Full\" Volume", WorldObjectEditorInfo::kInteger, &_fullVolume);
    addEditorInfo("Distance for \"Full\" Volume", WorldObjectEditorInfo::kInteger,
                  &_fullVolumeDistance);
    addEditorInfo("Distance decay", WorldObjectEditorInfo::kInteger, &_distanceDecay);
    loadSprite(sprite(), "soundPlayer.txt", "default");
}

bool WOSoundPlayer::save(FILE* stream) const {
    return writeHeader(stream) && writeRecordText(stream, _soundName) &&
           writeRecordInteger(stream, _fullVolume) &&
           writeRecordInteger(stream, _fullVolumeDistance) &&
           writeRecordInteger(stream, _distanceDecay) && writeOwnerMap(stream);
}

bool WOSoundPlayer::load(FILE* stream) {
    if (!readHeader(stream) || !readRecordText(stream, _soundName, kTextFieldSize) ||
        !readRecordInteger(stream, _fullVolume) ||
        !readRecordInteger(stream, _fullVolumeDistance) ||
        !readRecordInteger(stream, _distanceDecay) || !readOwnerMap(stream)) {
        return false;
    }
    forceStateUpdate();
    return true;
}

void WOSoundPlayer::logic() {
    if (_soundName[0] != '\0' && strcmp(_soundName, _loadedName) != 0) {
        fetchNamedSample();
    }
    if (_sample == nullptr || globalPlayer == nullptr) {
        return;
    }
    const int volume = std::clamp(_fullVolume, 0, kMaximumVolume);
    if (_sample->volume() != volume) {
        _sample->setVolume(volume);
    }
    playFor(globalPlayer->getXPos() - getXPos(), globalPlayer->getYPos() - getYPos());
}

void WOSoundPlayer::silence() {
    if (_sample != nullptr && _sample->isPlaying()) {
        _sample->stop();
    }
}

void WOSoundPlayer::fetchNamedSample() {
    if (_sample != nullptr) {
        _sample->stop();
    }
    _sample = fetchSound(_soundName);
    strcpy(_loadedName, _soundName);
}

void WOSoundPlayer::playFor(int distanceX, int distanceY) {
    // A decay below 1 would divide by zero or turn the distance around.
    const int decay = std::max(1, _distanceDecay);
    const int distance = std::max(std::abs(distanceX), std::abs(distanceY));
    _attenuation = std::max(0, distance / decay - _fullVolumeDistance);
    if (_attenuation >= kSilentAttenuation) {
        if (_sample->isPlaying()) {
            _sample->stop();
        }
        return;
    }
    if (!_sample->isPlaying()) {
        _sample->play(kEndlessRepeats);
    }
    _sample->setDistance(_attenuation);
    const int farSide = kFullPanning - _attenuation;
    // The player at or right of the sound hears it from the left.
    if (distanceX >= 0) {
        _sample->setPanning(kFullPanning, farSide);
    } else {
        _sample->setPanning(farSide, kFullPanning);
    }
}
