#include "DataPaths.h"

#include "engine/PXInit.h"

#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

DataPaths globalDataPaths;

namespace {

constexpr const char* kGameFolderName = "corvane";

bool isDirectory(const std::string& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

// Writable for this user, also by the mode bits: root may write anywhere, but a tree made
// read-only on purpose is not written into.
bool isWritableFolder(const std::string& folder) {
    struct stat status {};
    return stat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode) &&
           (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0 &&
           access(folder.c_str(), W_OK) == 0;
}

// An environment variable that holds an absolute path, as the XDG rules require.
std::optional<std::string> absoluteVariable(const char* name) {
    const char* value = getenv(name);
    if (value == nullptr || value[0] != '/') {
        return std::nullopt;
    }
    return std::string(value);
}

std::string userFolderFromEnvironment() {
    if (const std::optional<std::string> dataHome = absoluteVariable("XDG_DATA_HOME")) {
        return *dataHome + "/" + kGameFolderName;
    }
    if (const std::optional<std::string> home = absoluteVariable("HOME")) {
        return *home + "/.local/share/" + kGameFolderName;
    }
    return "";
}

std::string joined(const std::string& folder, const std::string& relative) {
    return folder + "/" + relative;
}

std::string absoluteText(const std::string& path) {
    std::error_code error;
    return fs::absolute(path, error).lexically_normal().string();
}

} // namespace

DataPaths DataPaths::locate(const std::string& programFolder) {
    DataPaths paths;
    const std::string folder = programFolder.empty() ? "./" : programFolder;
    paths._programFolder = programFolder;
    paths._dataFolder = folder + "data";
    const std::string installed =
        fs::path(folder + "../share/" + kGameFolderName).lexically_normal().string();
    // An installed tree is never written into, whoever may write there.
    const bool isInstalled = !isDirectory(paths._dataFolder) && isDirectory(installed);
    if (isInstalled) {
        paths._dataFolder = installed;
    }
    if (isInstalled || !isWritableFolder(paths._dataFolder)) {
        paths._userFolder = userFolderFromEnvironment();
        paths._writeFolder = paths._userFolder;
    } else {
        paths._writeFolder = paths._dataFolder;
    }
    return paths;
}

std::string DataPaths::programFolder(const char* programPath) {
    const std::string directory = _PXProgramDirectory(programPath);
    if (!directory.empty()) {
        return directory;
    }
    std::error_code error;
    const fs::path executable = fs::read_symlink("/proc/self/exe", error);
    return error ? "" : executable.parent_path().string() + "/";
}

bool DataPaths::prepareWriteFolder(std::string& reason) {
    if (_userFolder.empty()) {
        reason =
            _writeFolder.empty() ? "neither XDG_DATA_HOME nor HOME names an absolute folder" : "";
        return canWrite();
    }
    std::error_code error;
    fs::create_directories(_userFolder, error);
    if (error || !isDirectory(_userFolder)) {
        reason = error ? error.message() : "not a folder";
        _writeFolder.clear();
        return false;
    }
    return true;
}

std::string DataPaths::readPath(const std::string& relative) const {
    if (!_userFolder.empty()) {
        const std::string own = joined(_userFolder, relative);
        std::error_code error;
        if (fs::exists(own, error)) {
            return own;
        }
    }
    return joined(_dataFolder, relative);
}

std::optional<std::string> DataPaths::writePath(const std::string& relative) const {
    if (!canWrite()) {
        return std::nullopt;
    }
    const std::string path = joined(_writeFolder, relative);
    std::error_code error;
    fs::create_directories(fs::path(path).parent_path(), error);
    return path;
}

std::optional<std::string> DataPaths::writablePathOf(const std::string& path) const {
    const fs::path inside =
        fs::path(absoluteText(path)).lexically_relative(absoluteText(_dataFolder));
    const bool isInData = !inside.empty() && *inside.begin() != "..";
    if (!isInData || _writeFolder == _dataFolder) {
        return path;
    }
    return writePath(inside.string());
}

std::vector<std::string> DataPaths::searchFolders() const {
    if (!_userFolder.empty() && isDirectory(_userFolder)) {
        return {_userFolder, _dataFolder};
    }
    return {_dataFolder};
}

std::optional<std::string> DataPaths::logPath() const {
    if (_writeFolder == _dataFolder) {
        return _programFolder + "log.txt";
    }
    return writePath("log.txt");
}

std::optional<std::string> DataPaths::userFolderInUse() const {
    return !_userFolder.empty() && canWrite() ? std::optional(_userFolder) : std::nullopt;
}

std::string DataPaths::description() const {
    std::string text = "data folder: " + absoluteText(_dataFolder) + "\nuser folder: ";
    if (_writeFolder == _dataFolder) {
        return text + "none, the data folder is written to\n";
    }
    if (_userFolder.empty()) {
        return text + "none, nothing is saved\n";
    }
    return text + absoluteText(_userFolder) +
           (canWrite() ? "\n" : " (cannot be made, nothing is saved)\n");
}
