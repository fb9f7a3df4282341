// The user's preferences and control bindings, kept in an 80-byte file of twenty little-endian
// 32-bit integers.
#pragma once

#include <cstdio>

class Settings {
public:
    // The settings file's path inside the data tree.
    static const char* const settingsFilename;

    // The one instance, holding the defaults until loaded.
    static Settings* instance();

    // Reads the settings file; false (values kept) when it cannot be opened or read.
    int load();
    // Reads the stored values from a stream; values missing from a short stream keep their
    // current values. False on a read error.
    int load(FILE* stream);
    // Replaces the settings file with the current values; false (old file kept) on any error.
    int save();
    // Writes the stored values to a stream; false when a write failed.
    int save(FILE* stream);

    int screenMode = 0;
    int soundVolume = 128;
    int musicVolume = 128;
    int audioQuality = 2;
    int keyMoveRight = 100;
    int keyMoveLeft = 101;
    int keyJump = 133;
    int keyAction = 26;
    int keyInventoryNext = 5;
    int keyInventoryPrevious = 23;
    int keyMenu = 17;
    int keyMinimap = 13;
    int keyGravityMagnet = 24;
    int keyBooster = 3;
    int buttonJump = 1;
    int buttonAction = 0;
    int buttonMinimap = 2;
    int buttonInventoryNext = 8;
    int buttonInventoryPrevious = 7;
    int buttonMenu = 4;
    int buttonGravityMagnet = 3;
    int buttonBooster = 5;

private:
    static constexpr int kStoredValues = 20;

    Settings() = default;

    // The stored fields in file order (the buttons are not in memory order; the booster
    // bindings are not stored).
    int* storedField(int index);
};
