#include "GameStatistics.h"

#include "game/objects/WorldObjectRecord.h"

#include <array>

GameStatistics* globalGameStats = nullptr;

namespace {

constexpr int kTicksPerSecond = 60;
constexpr int kSecondsPerMinute = 60;
constexpr int kMinutesPerHour = 60;

// Version, seconds, minutes, hours, save count, save time.
constexpr int kFields = 6;

bool clockIsValid(int seconds, int minutes, int hours) {
    return seconds >= 0 && seconds < kSecondsPerMinute && minutes >= 0 &&
           minutes < kMinutesPerHour && hours >= 0 && hours <= GameStatistics::kMaximumHours;
}

} // namespace

GameStatistics::GameStatistics() : _secondTimer(kTicksPerSecond) {
    reset();
}

void GameStatistics::reset() {
    _version = kVersion;
    _secondTimer.reset();
    _seconds = 0;
    _minutes = 0;
    _hours = 0;
    _saveCount = 0;
    _saveTime = 0;
}

void GameStatistics::logic() {
    const bool clockFull = _hours == kMaximumHours && _minutes == kMinutesPerHour - 1 &&
                           _seconds == kSecondsPerMinute - 1;
    if (clockFull || !_secondTimer.tick()) {
        return;
    }
    if (++_seconds < kSecondsPerMinute) {
        return;
    }
    _seconds = 0;
    if (++_minutes < kMinutesPerHour) {
        return;
    }
    _minutes = 0;
    if (_hours < kMaximumHours) {
        _hours++;
    }
}

bool GameStatistics::save(FILE* stream) const {
    for (const int value : {_version, _seconds, _minutes, _hours, _saveCount, _saveTime}) {
        if (!writeRecordInteger(stream, value)) {
            return false;
        }
    }
    return true;
}

bool GameStatistics::load(FILE* stream) {
    std::array<int, kFields> values{};
    if (!readRecordInteger(stream, values[0])) {
        return false;
    }
    if (values[0] < 1) {
        _version = values[0];
        return true;
    }
    for (int index = 1; index < kFields; index++) {
        if (!readRecordInteger(stream, values[index])) {
            return false;
        }
    }
    const auto [version, seconds, minutes, hours, saveCount, saveTime] = values;
    // A clock no game can reach means the record is damaged.
    if (!clockIsValid(seconds, minutes, hours) || saveCount < 0) {
        return false;
    }
    _version = version;
    _seconds = seconds;
    _minutes = minutes;
    _hours = hours;
    _saveCount = saveCount;
    _saveTime = saveTime;
    return true;
}

void GameStatistics::recordSave(int32_t now) {
    _saveCount++;
    _saveTime = now;
}
