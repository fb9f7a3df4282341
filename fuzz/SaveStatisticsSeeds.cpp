// Writes seed statistics files ("sav.cvt") for the statistics fuzzer into the folder given as the
// only argument: records saved by the game's own writer, and a few edge cases derived from them.
#include "FuzzSupport.h"
#include "game/screens/GameStatistics.h"

#include <climits>
#include <cstdio>
#include <string>

namespace {

constexpr int kTicksPerHour = 60 * 60 * 60;

std::string saved(const GameStatistics& statistics) {
    return writtenBytes([&statistics](FILE* stream) { return statistics.save(stream); });
}

} // namespace

int main(int argc, char** argv) {
    const char* folder = seedFolderArgument(argc, argv);
    if (folder == nullptr) {
        return 2;
    }
    GameStatistics played;
    for (int tick = 0; tick < 2 * kTicksPerHour + 3661; tick++) {
        played.logic();
    }
    played.recordSave(1700000000);
    played.recordSave(INT_MAX);
    const std::string record = saved(played);
    const std::string folderPath = folder;
    if (!writeWholeFile(folderPath + "/new-game", saved(GameStatistics())) ||
        !writeWholeFile(folderPath + "/played", record) ||
        !writeWholeFile(folderPath + "/truncated", record.substr(0, record.size() - 2)) ||
        !writeWholeFile(folderPath + "/version0", recordIntegerBytes(0) + record.substr(4)) ||
        !writeWholeFile(folderPath + "/negative-time",
                        record.substr(0, 20) + recordIntegerBytes(INT_MIN))) {
        fprintf(stderr, "%s: cannot write the seeds into %s\n", argv[0], folder);
        return 1;
    }
    return 0;
}
