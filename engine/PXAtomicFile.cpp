#include "PXAtomicFile.h"

#include <cstdio>

PXAtomicFile::PXAtomicFile(const std::string& path)
    : _path(path), _temporaryPath(path + ".tmp"), _stream(fopen(_temporaryPath.c_str(), "wb")) {}

PXAtomicFile::~PXAtomicFile() {
    if (_stream != nullptr) {
        fclose(_stream);
    }
    if (!_committed) {
        remove(_temporaryPath.c_str());
    }
}

bool PXAtomicFile::commit() {
    if (_stream == nullptr) {
        return false;
    }
    const bool written = fflush(_stream) == 0 && ferror(_stream) == 0;
    const bool closed = fclose(_stream) == 0;
    _stream = nullptr;
    if (!written || !closed || rename(_temporaryPath.c_str(), _path.c_str()) != 0) {
        return false;
    }
    _committed = true;
    return true;
}
