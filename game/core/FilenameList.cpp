#include "FilenameList.h"

#include "Log.h"
#include "ResourceManager.h"
#include "engine/PXFileSystem.h"
#include "engine/PXInit.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

namespace {

// A name line holds at most 254 characters; a longer one continues as the next line.
constexpr int kNameBufferSize = 255;
// More names than this is not a name list but a damaged file.
constexpr long kMaximumNames = 10000;

// One line of at most 254 characters, cut at its line feed; false at end of file.
bool readNameLine(FILE* stream, std::string& line) {
    char buffer[kNameBufferSize];
    if (fgets(buffer, sizeof buffer, stream) == nullptr) {
        return false;
    }
    buffer[strcspn(buffer, "\n")] = '\0';
    line = buffer;
    return true;
}

// The leading decimal number of a line, or -1 when there is none or it is out of range.
long parseCount(const std::string& line) {
    errno = 0;
    char* end = nullptr;
    const long count = strtol(line.c_str(), &end, 10);
    if (end == line.c_str() || errno != 0 || count < 0 || count > kMaximumNames) {
        return -1;
    }
    return count;
}

} // namespace

int FilenameList::LoadFilenames(const char* fileName) {
    unloadFilenames();
    globalLog->write("Loading names from: %s...\n", fileName);
    const std::string path = ResourceManager::instance()->findFilePath(fileName);
    if (path.empty()) {
        return PX_FALSE;
    }
    const PXFileHandle stream = PXOpenFile(path.c_str(), "rb");
    if (stream == nullptr || !readNames(stream.get())) {
        unloadFilenames();
        return PX_FALSE;
    }
    globalLog->write("Done loading names!\n");
    return PX_TRUE;
}

bool FilenameList::readNames(FILE* stream) {
    std::string line;
    const long count = readNameLine(stream, line) ? parseCount(line) : -1;
    if (count < 0) {
        globalLog->write("Name list count is missing or out of range (0..%ld).\n", kMaximumNames);
        return false;
    }
    while (static_cast<long>(_names.size()) < count && readNameLine(stream, line)) {
        globalLog->write("\tAdding name: %s\n", line.c_str());
        _names.push_back(line);
    }
    if (static_cast<long>(_names.size()) < count) {
        globalLog->write("Name list promised %ld names but holds %zu; keeping those.\n", count,
                         _names.size());
    }
    return true;
}

void FilenameList::loadFilenamesOrThrow(const char* fileName) {
    if (!LoadFilenames(fileName)) {
        throw std::bad_alloc();
    }
}

void FilenameList::unloadFilenames() {
    _names.clear();
    _currentIndex = -1;
}

void FilenameList::reset() {
    _currentIndex = 0;
}

const char* FilenameList::getNextFilename() {
    if (_names.empty()) {
        return nullptr;
    }
    _currentIndex = (_currentIndex + 1) % count();
    return _names[_currentIndex].c_str();
}

const char* FilenameList::getPreviousFilename() {
    if (_names.empty()) {
        return nullptr;
    }
    _currentIndex = _currentIndex - 1 < 0 ? count() - 1 : _currentIndex - 1;
    return _names[_currentIndex].c_str();
}
