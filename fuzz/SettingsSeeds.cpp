// Writes seed settings files for the settings fuzzer into the folder given as the only argument:
// the defaults and changed settings saved by the game's own writer, and a few edge cases derived
// from them.
#include "FuzzSupport.h"
#include "game/core/Settings.h"

#include <cstdio>
#include <string>

namespace {

std::string savedSettings() {
    return writtenBytes([](FILE* stream) { return Settings::instance()->save(stream) != 0; });
}

} // namespace

int main(int argc, char** argv) {
    const char* folder = seedFolderArgument(argc, argv);
    if (folder == nullptr) {
        return 2;
    }
    const std::string defaults = savedSettings();
    Settings& settings = *Settings::instance();
    settings.screenMode = 1;
    settings.soundVolume = 0;
    settings.musicVolume = 64;
    settings.keyJump = 32;
    settings.buttonMenu = -1;
    const std::string changed = savedSettings();
    const std::string folderPath = folder;
    if (!writeWholeFile(folderPath + "/defaults", defaults) ||
        !writeWholeFile(folderPath + "/changed", changed) ||
        !writeWholeFile(folderPath + "/short", changed.substr(0, 30)) ||
        !writeWholeFile(folderPath + "/long", changed + defaults)) {
        fprintf(stderr, "%s: cannot write the seeds into %s\n", argv[0], folder);
        return 1;
    }
    return 0;
}
