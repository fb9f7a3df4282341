// Writes seed saves folders for the save browser fuzzer into the folder given as the only
// argument, each packed into one file: slots saved through the game's own slot writer, and what
// an interrupted save, damage or the player's own folders leave beside them.
#include "FuzzSupport.h"
#include "SaveFolderArchive.h"
#include "game/screens/GameStatistics.h"
#include "game/screens/SaveSlot.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>

namespace {

namespace fs = std::filesystem;

constexpr int32_t kFirstSaveTime = 1700000000;
constexpr int kTicksPerMinute = 60 * 60;

// The bytes the browser never decodes stand in for the game state and the preview picture.
const std::string kStateStandIn = "state";
const std::string kPreviewStandIn = "BM preview";

std::string slotPath(const fs::path& saves, const char* name) {
    return (saves / name).string();
}

// A slot saved the way the game saves one, with minutes of play and saves counted.
void saveSlot(const fs::path& saves, const char* name, int minutes) {
    GameStatistics statistics;
    for (int tick = 0; tick < minutes * kTicksPerMinute + 61; tick++) {
        statistics.logic();
    }
    statistics.recordSave(kFirstSaveTime + minutes);
    SlotWriter writer(slotPath(saves, name));
    const auto standIn = [](const std::string& bytes) {
        return [&bytes](FILE* stream) {
            return fwrite(bytes.data(), 1, bytes.size(), stream) == bytes.size();
        };
    };
    if (!writer.begin() || !writer.write(kSavePreviewFile, standIn(kPreviewStandIn)) ||
        !writer.write(kSaveStatisticsFile,
                      [&statistics](FILE* stream) { return statistics.save(stream); }) ||
        !writer.write(kSaveStateFile, standIn(kStateStandIn)) || !writer.commit()) {
        abort();
    }
}

void renameInSlot(const fs::path& slot, const std::string& from, const std::string& to) {
    fs::rename(slot / from, slot / to);
}

void twoSlots(const fs::path& saves) {
    saveSlot(saves, "001", 3);
    saveSlot(saves, "002", 75);
}

// Made, but stopped before the staged files took their final names.
void madeNotFinished(const fs::path& saves) {
    saveSlot(saves, "003", 5);
    renameInSlot(saves / "003", kSaveStatisticsFile, std::string(kSaveStatisticsFile) + ".new");
    renameInSlot(saves / "003", kSaveChecksumFile, std::string(kSaveChecksumFile) + ".new");
}

// Stopped while staging: the staged files are discarded, the previous save stays.
void notMade(const fs::path& saves) {
    saveSlot(saves, "004", 9);
    fs::copy_file(saves / "004" / kSaveStateFile,
                  saves / "004" / (std::string(kSaveStateFile) + ".new"));
    writeWholeFile(slotPath(saves / "004", kSaveChecksumFile) + ".tmp", "\x01");
}

// A new slot stopped while staging in its hidden folder.
void newSlotNotMade(const fs::path& saves) {
    saveSlot(saves, "005", 1);
    fs::rename(saves / "005", saves / ".006.new");
    renameInSlot(saves / ".006.new", kSaveStateFile, std::string(kSaveStateFile) + ".new");
}

void damaged(const fs::path& saves) {
    saveSlot(saves, "007", 12);
    const std::string path = slotPath(saves / "007", kSaveStatisticsFile);
    std::string bytes = readWholeFile(path);
    bytes.back() ^= 1;
    writeWholeFile(path, bytes);
}

// A slot from before checksums, folders of the player's own, a statistics folder in place of
// the file, and the last slot number taken.
void oldAndOdd(const fs::path& saves) {
    saveSlot(saves, "099", 2);
    fs::create_directories(saves / "old");
    writeWholeFile(slotPath(saves / "old", kSaveStatisticsFile),
                   writtenBytes([](FILE* stream) { return GameStatistics().save(stream); }));
    fs::create_directories(saves / "backup");
    fs::create_directories(saves / "8" / kSaveStatisticsFile);
}

} // namespace

int main(int argc, char** argv) {
    const char* folder = seedFolderArgument(argc, argv);
    if (folder == nullptr) {
        return 2;
    }
    char work[] = "/tmp/corvane-save-seeds-XXXXXX";
    if (mkdtemp(work) == nullptr) {
        perror(work);
        return 1;
    }
    const std::pair<const char*, std::function<void(const fs::path&)>> seeds[] = {
        {"empty", [](const fs::path&) {}},
        {"two-slots", twoSlots},
        {"made-not-finished", madeNotFinished},
        {"not-made", notMade},
        {"new-slot-not-made", newSlotNotMade},
        {"damaged", damaged},
        {"old-and-odd", oldAndOdd},
    };
    bool written = true;
    for (const auto& [name, build] : seeds) {
        const fs::path saves = fs::path(work) / name;
        fs::create_directories(saves);
        build(saves);
        written =
            writeWholeFile(std::string(folder) + "/" + name, packFolder(saves.string())) && written;
    }
    fs::remove_all(work);
    if (!written) {
        fprintf(stderr, "%s: cannot write the seeds into %s\n", argv[0], folder);
        return 1;
    }
    return 0;
}
