// A scratch directory with an empty "data" folder that is the working directory for as long as
// this object lives, so code reading "./data/..." sees only what the test puts there.
#pragma once

#include "ScratchDirectory.h"

#include <filesystem>
#include <fstream>
#include <string>

class ScratchWorkingDirectory {
public:
    explicit ScratchWorkingDirectory(const std::string& name)
        : _previous(std::filesystem::current_path()), _scratch(name) {
        std::filesystem::create_directories(_scratch.pathOf("data"));
        std::filesystem::current_path(_scratch.pathOf(""));
    }
    ~ScratchWorkingDirectory() { std::filesystem::current_path(_previous); }

    // The absolute path of a file relative to the scratch directory; its folders are created.
    std::string pathOf(const std::string& relativePath) const {
        const std::filesystem::path path = _scratch.pathOf(relativePath);
        std::filesystem::create_directories(path.parent_path());
        return path.string();
    }

    // Writes a file relative to the scratch directory, creating its folders.
    void writeFile(const std::string& relativePath, const std::string& content) const {
        std::ofstream(pathOf(relativePath), std::ios::binary) << content;
    }

private:
    std::filesystem::path _previous;
    ScratchDirectory _scratch;
};
