// Where the game's files live. The data folder holds what the game reads; a writable one (a build
// tree, a portable copy) also takes everything the game writes. An installed or read-only data
// folder leaves writing to the user's own folder ($XDG_DATA_HOME/corvane, else
// ~/.local/share/corvane), laid out the same way, whose files are read before the installed ones.
#pragma once

#include <optional>
#include <string>
#include <vector>

class DataPaths {
public:
    // Reads and writes "./data", as a build tree has it.
    DataPaths() = default;

    // The folders of a program in programFolder ("" for the working directory, else ending in '/'),
    // the user's folder taken from XDG_DATA_HOME or HOME; nothing is created yet.
    static DataPaths locate(const std::string& programFolder);
    // The folder of the program at programPath for locate: its directory part, or the running
    // executable's folder when the path has none.
    static std::string programFolder(const char* programPath);

    // Makes the user's folder when writing goes there; false when it cannot be made, after which
    // nothing is written and reason says why.
    bool prepareWriteFolder(std::string& reason);

    const std::string& dataFolder() const { return _dataFolder; }
    // The user's folder when the data folder is not written to, else "".
    const std::string& userFolder() const { return _userFolder; }
    // False when no folder takes the game's files: settings stay in memory, nothing is saved.
    bool canWrite() const { return !_writeFolder.empty(); }

    // Where a file of the data tree (a path relative to it) is read: the user's copy when there
    // is one, else the data folder's.
    std::string readPath(const std::string& relative) const;
    // Where a file of the data tree is written, with the folders it lies in made; nothing when
    // no folder takes the game's files.
    std::optional<std::string> writePath(const std::string& relative) const;
    // A path inside the data folder moved to the same place in the folder written to; any other
    // path as it is; nothing when it lies in the data folder and nothing can be written.
    std::optional<std::string> writablePathOf(const std::string& path) const;
    // The folders searched for a file by name, the user's first.
    std::vector<std::string> searchFolders() const;
    // The log file: beside the program with a writable data folder, else in the user's folder.
    std::optional<std::string> logPath() const;
    // The user's folder when the game writes there, for the editor's file dialogs to start in.
    std::optional<std::string> userFolderInUse() const;
    // The data and user folders, one line each, as absolute paths.
    std::string description() const;

private:
    std::string _programFolder;
    std::string _dataFolder = "./data";
    std::string _userFolder;
    std::string _writeFolder = "./data";
};

// The folders the running game uses; start-up locates them.
extern DataPaths globalDataPaths;
