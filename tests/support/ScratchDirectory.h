// A fresh directory under the system's temporary directory, removed with everything in it on
// destruction. The process id in its name keeps parallel test processes apart; whatever a dead
// process with the same id left there (a crash skips the clean-up) is cleared first.
#pragma once

#include <filesystem>
#include <string>
#include <unistd.h>

class ScratchDirectory {
public:
    explicit ScratchDirectory(const std::string& name)
        : _path(std::filesystem::temp_directory_path() /
                ("corvane-" + name + "-" + std::to_string(getpid()))) {
        std::filesystem::remove_all(_path);
        std::filesystem::create_directories(_path);
    }
    ~ScratchDirectory() { std::filesystem::remove_all(_path); }

    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    // The directory itself, without a trailing separator.
    std::string path() const { return _path.string(); }
    // The path of a file inside the directory.
    std::string pathOf(const std::string& file) const { return (_path / file).string(); }

private:
    std::filesystem::path _path;
};
