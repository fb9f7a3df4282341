// GameStatistics: the play clock and the save count and time of one game, stored in saved games
// and, alone, in each slot's statistics file for the save browser.
#pragma once

#include "engine/PXTimer.h"

#include <cstdint>
#include <cstdio>

class GameStatistics {
public:
    // The record version written.
    static constexpr int kVersion = 1;
    // The clock never passes 99:59:59.
    static constexpr int kMaximumHours = 99;

    // A stopped-at-zero clock, no saves.
    GameStatistics();

    // One logic tick: every 60th call adds a second, until the clock shows 99:59:59.
    void logic();
    // Writes the six-integer record; false when a write failed.
    bool save(FILE* stream) const;
    // Reads the record; a version below 1 ends it there. False (nothing changed) when the stream
    // ends inside the record.
    bool load(FILE* stream);
    // A new game: version 1, the clock and the counts at zero.
    void reset();

    int hours() const { return _hours; }
    int minutes() const { return _minutes; }
    int seconds() const { return _seconds; }
    int saveCount() const { return _saveCount; }
    // Calendar time of the last save, seconds since 1970 (UTC).
    int32_t saveTime() const { return _saveTime; }
    int version() const { return _version; }
    // Counts one more save, made at the calendar time.
    void recordSave(int32_t now);

private:
    PXTimer _secondTimer;
    int _seconds = 0;
    int _minutes = 0;
    int _hours = 0;
    int _saveCount = 0;
    int32_t _saveTime = 0;
    int _version = kVersion;
};

// The running game's statistics. Created by init().
extern GameStatistics* globalGameStats;
