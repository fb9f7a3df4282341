#include "Settings.h"

#include "DataPaths.h"
#include "Log.h"
#include "engine/PXAtomicFile.h"
#include "engine/PXFileSystem.h"
#include "engine/PXInit.h"

#include <array>
#include <memory>
#include <optional>
#include <string>

const char* const Settings::settingsFilename = "gameSettings.txt";

Settings* Settings::instance() {
    static Settings singletonInstance;
    return &singletonInstance;
}

int* Settings::storedField(int index) {
    int* const fields[kStoredValues] = {
        &screenMode,
        &soundVolume,
        &musicVolume,
        &audioQuality,
        &keyMoveRight,
        &keyMoveLeft,
        &keyJump,
        &keyAction,
        &keyInventoryNext,
        &keyInventoryPrevious,
        &keyMenu,
        &keyMinimap,
        &keyGravityMagnet,
        &buttonJump,
        &buttonAction,
        &buttonInventoryPrevious,
        &buttonInventoryNext,
        &buttonMinimap,
        &buttonGravityMagnet,
        &buttonMenu,
    };
    return fields[index];
}

int Settings::load() {
    const PXFileHandle stream =
        PXOpenFile(globalDataPaths.readPath(settingsFilename).c_str(), "rb");
    if (stream == nullptr) {
        globalLog->write("Unable to open Settings file\n");
        return PX_FALSE;
    }
    return load(stream.get());
}

int Settings::load(FILE* stream) {
    std::array<int, kStoredValues> values{};
    int count = 0;
    while (count < kStoredValues) {
        const long value = PXGetL(stream);
        if (feof(stream) || ferror(stream)) {
            break;
        }
        values[count++] = static_cast<int>(value);
    }
    if (ferror(stream)) {
        globalLog->write("Unable to read the Settings file.\n");
        return PX_FALSE;
    }
    // A short file must not leave controls unbound: what is missing keeps its value.
    if (count < kStoredValues) {
        globalLog->write("Settings file is short: %d of %d values read, the rest kept.\n", count,
                         kStoredValues);
    }
    for (int i = 0; i < count; i++) {
        *storedField(i) = values[i];
    }
    return PX_TRUE;
}

int Settings::save() {
    const std::optional<std::string> path = globalDataPaths.writePath(settingsFilename);
    if (!path) {
        globalLog->write("Unable to save Settings: there is no folder to write to.\n");
        return PX_FALSE;
    }
    PXAtomicFile file(*path);
    if (file.stream() == nullptr) {
        globalLog->write("Unable to open %s for writing Settings.\n", path->c_str());
        return PX_FALSE;
    }
    if (!save(file.stream()) || !file.commit()) {
        globalLog->write("Unable to write Settings to %s; the old file is kept.\n", path->c_str());
        return PX_FALSE;
    }
    return PX_TRUE;
}

int Settings::save(FILE* stream) {
    for (int i = 0; i < kStoredValues; i++) {
        PXPutL(*storedField(i), stream);
    }
    return ferror(stream) ? PX_FALSE : PX_TRUE;
}
