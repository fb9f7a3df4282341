// A list of names read from a text file on the data search path, handed out in a circle.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

class FilenameList {
public:
    FilenameList() = default;

    // Replaces the names with those of the named file; false when it is not found, cannot be
    // opened, or its count is not a sensible number.
    int LoadFilenames(const char* fileName);
    // Forgets all names.
    void unloadFilenames();
    // Restarts the circle at the first name.
    void reset();
    // The name after the current one, wrapping at the end; null when there are no names.
    const char* getNextFilename();
    // The name before the current one, wrapping at the start; null when there are no names.
    const char* getPreviousFilename();
    // How many names are loaded.
    int count() const { return static_cast<int>(_names.size()); }

protected:
    // Loads the names for a constructor, which has no result to report failure with.
    void loadFilenamesOrThrow(const char* fileName);

private:
    // Reads the count line and the names from an open file.
    bool readNames(FILE* stream);

    int _currentIndex = -1;
    std::vector<std::string> _names;
};
