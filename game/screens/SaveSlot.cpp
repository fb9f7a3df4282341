#include "SaveSlot.h"

#include "engine/PXFileSystem.h"
#include "game/core/DataPaths.h"
#include "game/core/Log.h"
#include "game/objects/WorldObjectRecord.h"

#include <array>
#include <fcntl.h>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// The files a checksum covers, in the order the checksum file lists them.
constexpr std::array<const char*, 3> kCheckedFiles = {kSaveStateFile, kSaveStatisticsFile,
                                                      kSavePreviewFile};
constexpr int kChecksumVersion = 1;
// Staged files carry this suffix until the save is made the slot's.
constexpr const char* kStagedSuffix = ".new";
// The checksum file is written under this name and renamed to its staged name once complete:
// that rename is the moment the staged save counts as made.
constexpr const char* kUnfinishedSuffix = ".tmp";

struct FileSum {
    int32_t size = 0;
    uint64_t hash = 0;

    bool operator==(const FileSum&) const = default;
};

// 64-bit FNV-1a: cheap, and a changed byte almost surely changes it.
FileSum sumOf(const std::string& bytes) {
    uint64_t hash = 14695981039346656037ull;
    for (const char byte : bytes) {
        hash = (hash ^ static_cast<unsigned char>(byte)) * 1099511628211ull;
    }
    return {static_cast<int32_t>(bytes.size()), hash};
}

std::string staged(const std::string& path) {
    return path + kStagedSuffix;
}

bool exists(const std::string& path) {
    std::error_code error;
    return fs::exists(path, error);
}

bool syncPath(const std::string& path, int flags) {
    const int descriptor = open(path.c_str(), flags);
    if (descriptor < 0) {
        return false;
    }
    const bool synced = fsync(descriptor) == 0;
    return close(descriptor) == 0 && synced;
}

bool syncDirectory(const std::string& path) {
    return syncPath(path, O_RDONLY | O_DIRECTORY);
}

bool renameFile(const std::string& from, const std::string& to) {
    return rename(from.c_str(), to.c_str()) == 0;
}

// Writes the file through the writer, then flushes, syncs and closes it; false (logged) when any
// of it failed.
bool writeSyncedFile(const std::string& path, const std::function<bool(FILE*)>& writer) {
    FILE* stream = fopen(path.c_str(), "wb");
    if (stream == nullptr) {
        globalLog->write("Couldn't open %s for saving\n", path.c_str());
        return false;
    }
    const bool written =
        writer(stream) && fflush(stream) == 0 && ferror(stream) == 0 && fsync(fileno(stream)) == 0;
    const bool closed = fclose(stream) == 0;
    if (!written || !closed) {
        globalLog->write("Couldn't write %s\n", path.c_str());
        return false;
    }
    return true;
}

using FileSums = std::array<FileSum, kCheckedFiles.size()>;

// The sums of the files of the folder (their staged copies when asked); nothing when one cannot
// be read.
std::optional<FileSums> sumsOfFiles(const std::string& folder, bool stagedCopies) {
    FileSums sums{};
    for (size_t index = 0; index < kCheckedFiles.size(); index++) {
        const std::string path = slotFilePath(folder, kCheckedFiles[index]);
        const std::optional<std::string> file = readFileBytes(stagedCopies ? staged(path) : path);
        if (!file) {
            return std::nullopt;
        }
        sums[index] = sumOf(*file);
    }
    return sums;
}

// The checksum file: its version, then each file's size and the low and high half of its sum.
bool writeSums(FILE* stream, const FileSums& sums) {
    bool written = writeRecordInteger(stream, kChecksumVersion);
    for (const FileSum& sum : sums) {
        written = written && writeRecordInteger(stream, sum.size) &&
                  writeRecordInteger(stream, static_cast<int32_t>(sum.hash & 0xFFFFFFFF)) &&
                  writeRecordInteger(stream, static_cast<int32_t>(sum.hash >> 32));
    }
    return written;
}

// The sums the checksum file holds; nothing when it is unreadable or malformed.
std::optional<FileSums> readSums(const std::string& path) {
    const PXFileHandle stream = PXOpenFile(path.c_str(), "rb");
    int version = 0;
    if (stream == nullptr || !readRecordInteger(stream.get(), version) ||
        version != kChecksumVersion) {
        return std::nullopt;
    }
    FileSums sums{};
    for (FileSum& sum : sums) {
        int low = 0;
        int high = 0;
        if (!readRecordInteger(stream.get(), sum.size) || !readRecordInteger(stream.get(), low) ||
            !readRecordInteger(stream.get(), high)) {
            return std::nullopt;
        }
        sum.hash =
            static_cast<uint64_t>(static_cast<uint32_t>(high)) << 32 | static_cast<uint32_t>(low);
    }
    if (fgetc(stream.get()) != EOF) {
        return std::nullopt;
    }
    return sums;
}

SlotCondition checkSlot(const std::string& slot) {
    const std::string checksumPath = slotFilePath(slot, kSaveChecksumFile);
    if (!exists(checksumPath)) {
        return SlotCondition::Unchecked;
    }
    const std::optional<FileSums> recorded = readSums(checksumPath);
    return recorded && recorded == sumsOfFiles(slot, false) ? SlotCondition::Intact
                                                            : SlotCondition::Damaged;
}

// Moves every staged file of a made save over its final name, the checksum file last.
bool finishStagedSave(const std::string& folder) {
    for (const char* name : kCheckedFiles) {
        const std::string path = slotFilePath(folder, name);
        if (exists(staged(path)) && !renameFile(staged(path), path)) {
            return false;
        }
    }
    const std::string checksums = slotFilePath(folder, kSaveChecksumFile);
    return renameFile(staged(checksums), checksums) && syncDirectory(folder);
}

// Removes the staged files of a save that was never made.
void discardStagedSave(const std::string& folder) {
    for (const char* name : kCheckedFiles) {
        remove(staged(slotFilePath(folder, name)).c_str());
    }
    remove((slotFilePath(folder, kSaveChecksumFile) + kUnfinishedSuffix).c_str());
}

void recoverInterruptedSave(const std::string& slot) {
    if (!exists(staged(slotFilePath(slot, kSaveChecksumFile)))) {
        discardStagedSave(slot);
    } else if (!finishStagedSave(slot)) {
        globalLog->write("Couldn't finish the interrupted save in %s\n", slot.c_str());
    }
}

// A hidden folder beside the slot ("./data/saves/.007.new"), which the slot list skips.
std::string hiddenStagingFolder(const std::string& slot) {
    const fs::path path(slot);
    return (path.parent_path() / ("." + path.filename().string() + kStagedSuffix)).string();
}

} // namespace

std::string savesFolder() {
    constexpr const char* kSavesFolderName = "saves";
    return globalDataPaths.writePath(kSavesFolderName)
        .value_or(globalDataPaths.readPath(kSavesFolderName));
}

std::string slotFilePath(const std::string& slot, const char* name) {
    return slot + "/" + name;
}

std::optional<std::string> readFileBytes(const std::string& path) {
    const PXFileHandle stream = PXOpenFile(path.c_str(), "rb");
    if (stream == nullptr) {
        return std::nullopt;
    }
    std::string bytes;
    std::array<char, 65536> chunk;
    size_t count = 0;
    while ((count = fread(chunk.data(), 1, chunk.size(), stream.get())) > 0) {
        bytes.append(chunk.data(), count);
    }
    if (ferror(stream.get())) {
        return std::nullopt;
    }
    return bytes;
}

SlotCondition examineSlot(const std::string& slot) {
    recoverInterruptedSave(slot);
    return checkSlot(slot);
}

SlotWriter::SlotWriter(std::string slot) : _slot(std::move(slot)) {}

SlotWriter::~SlotWriter() {
    if (_committed || _staging.empty()) {
        return;
    }
    if (_newSlot) {
        std::error_code error;
        fs::remove_all(_staging, error);
    } else {
        discardStagedSave(_staging);
    }
}

bool SlotWriter::begin() {
    std::error_code error;
    const fs::path parent = fs::path(_slot).parent_path();
    if (!parent.empty()) {
        fs::create_directories(parent, error);
    }
    _newSlot = !exists(_slot);
    if (!_newSlot) {
        recoverInterruptedSave(_slot);
        _staging = _slot;
        return true;
    }
    _staging = hiddenStagingFolder(_slot);
    fs::remove_all(_staging, error);
    if (!fs::create_directory(_staging, error)) {
        globalLog->write("Couldn't create save subdirectory: %s\n", _slot.c_str());
        _staging.clear();
        return false;
    }
    return true;
}

std::string SlotWriter::stagedPath(const char* name) const {
    return staged(slotFilePath(_staging, name));
}

bool SlotWriter::write(const char* name, const std::function<bool(FILE*)>& writer) {
    return writeSyncedFile(stagedPath(name), writer);
}

bool SlotWriter::sync(const char* name) {
    if (!syncPath(stagedPath(name), O_RDONLY)) {
        globalLog->write("Couldn't sync %s\n", stagedPath(name).c_str());
        return false;
    }
    return true;
}

bool SlotWriter::commit() {
    const std::string checksums = slotFilePath(_staging, kSaveChecksumFile);
    const std::string unfinished = checksums + kUnfinishedSuffix;
    const std::optional<FileSums> sums = sumsOfFiles(_staging, true);
    const bool made =
        sums &&
        writeSyncedFile(unfinished, [&sums](FILE* stream) { return writeSums(stream, *sums); }) &&
        renameFile(unfinished, staged(checksums)) && syncDirectory(_staging);
    if (!made) {
        globalLog->write("Couldn't complete the save in %s; it keeps its previous save\n",
                         _slot.c_str());
        return false;
    }
    if (!_newSlot) {
        // The save is made: whatever stops the last renames, the next reader finishes them.
        _committed = true;
        if (!finishStagedSave(_staging)) {
            globalLog->write("Couldn't finish the save in %s; it is finished when the slot is "
                             "next read\n",
                             _slot.c_str());
        }
        return true;
    }
    if (!finishStagedSave(_staging) || !renameFile(_staging, _slot)) {
        globalLog->write("Couldn't move the new save into %s\n", _slot.c_str());
        return false;
    }
    _committed = true;
    if (!syncDirectory(fs::path(_slot).parent_path().string())) {
        globalLog->write("Couldn't sync the folder of %s\n", _slot.c_str());
    }
    return true;
}
