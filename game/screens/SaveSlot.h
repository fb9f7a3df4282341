// The files of one save slot and how a save replaces them all at once. A save is staged beside
// the slot's files, synced, and made the slot's in one step, so a crash at any moment leaves the
// slot holding either the previous save or the new one. Beside the three files of the format a
// slot holds their sizes and checksums, which older readers ignore.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>

// The folder holding every slot: "saves" in the folder the game writes to, or in the data tree
// when nothing can be written.
std::string savesFolder();
// The game state, the statistics alone, and the preview image.
constexpr const char* kSaveStateFile = "sav.cvs";
constexpr const char* kSaveStatisticsFile = "sav.cvt";
constexpr const char* kSavePreviewFile = "prv.bmp";
// The sizes and checksums of the three files.
constexpr const char* kSaveChecksumFile = "sav.sum";

// The file's path inside the slot.
std::string slotFilePath(const std::string& slot, const char* name);
// A whole file, or nothing when it cannot be read.
std::optional<std::string> readFileBytes(const std::string& path);

enum class SlotCondition {
    // The files match their checksums.
    Intact,
    // A slot from before checksums existed.
    Unchecked,
    // The files do not match their checksums: never loaded.
    Damaged,
};

// Finishes a save that was interrupted after it was complete, or discards one that was not,
// then tells whether the slot's files match their checksums.
SlotCondition examineSlot(const std::string& slot);

// A save replacing the files of a slot (a new slot is staged in a hidden folder beside it).
class SlotWriter {
public:
    explicit SlotWriter(std::string slot);
    // Discards whatever was staged unless the commit went through.
    ~SlotWriter();
    SlotWriter(const SlotWriter&) = delete;
    SlotWriter& operator=(const SlotWriter&) = delete;

    // Creates the saves folder when missing and the staging place; false (logged) when it
    // cannot.
    bool begin();
    // Where the file is staged.
    std::string stagedPath(const char* name) const;
    // Writes the staged file through the writer, then flushes, syncs and closes it; false
    // (logged) when any of it failed.
    bool write(const char* name, const std::function<bool(FILE*)>& writer);
    // Syncs a staged file written by someone else; false (logged) when it is missing.
    bool sync(const char* name);
    // Adds the checksums and makes the staged files the slot's; false (logged, the previous
    // save untouched) when that cannot be done.
    bool commit();

private:
    std::string _slot;
    std::string _staging;
    bool _newSlot = false;
    bool _committed = false;
};
