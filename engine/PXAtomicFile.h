// A file replaced all at once: written to a temporary file beside it and renamed over it only
// when every write succeeded, so a crash or a full disk never leaves a short file behind.
#pragma once

#include <cstdio>
#include <string>

class PXAtomicFile {
public:
    // Opens the temporary file for binary writing; check stream() for success.
    explicit PXAtomicFile(const std::string& path);
    // Removes the temporary file unless commit() replaced the target with it.
    ~PXAtomicFile();
    PXAtomicFile(const PXAtomicFile&) = delete;
    PXAtomicFile& operator=(const PXAtomicFile&) = delete;

    // The stream to write to, or null when the temporary file could not be created.
    FILE* stream() const { return _stream; }
    // Closes the temporary file and renames it over the target; false when any write, the close
    // or the rename failed, in which case the target is untouched.
    bool commit();

private:
    std::string _path;
    std::string _temporaryPath;
    FILE* _stream = nullptr;
    bool _committed = false;
};
