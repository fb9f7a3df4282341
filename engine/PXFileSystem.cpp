#include "PXFileSystem.h"

#include "PXInit.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <dirent.h>
#include <memory>
#include <new>
#include <optional>
#include <sys/stat.h>

std::vector<std::string> _PXFindPaths;
int _PXFindPathsIndex = 0;

namespace {

constexpr int PX_FILE_INTEGER_BITS = 32;
constexpr mode_t PX_DIRECTORY_MODE = 0777;

struct DirectoryCloser {
    void operator()(DIR* directory) const { closedir(directory); }
};

char* copyAfterLast(const char* path, char separator) {
    if (path == nullptr) {
        return nullptr;
    }
    const char* last = strrchr(path, separator);
    if (last == nullptr || last[1] == '\0') {
        return nullptr;
    }
    return strdup(last + 1);
}

// Sorted so that which of two equal names is found first does not depend on the file system.
std::optional<std::vector<std::string>> sortedEntryNames(const std::string& directory) {
    const std::unique_ptr<DIR, DirectoryCloser> stream(opendir(directory.c_str()));
    if (!stream) {
        return std::nullopt;
    }
    std::vector<std::string> names;
    while (const dirent* entry = readdir(stream.get())) {
        names.emplace_back(entry->d_name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool isDotOrDotDot(const std::string& name) {
    return name == "." || name == "..";
}

std::optional<std::string> joinPath(const std::string& directory, const std::string& entry) {
    try {
        return directory + "/" + entry;
    } catch (const std::bad_alloc&) {
        printf("Couldn't create the fullpath for checking directory status\n");
        return std::nullopt;
    }
}

// lstat, so that a link is never taken for a directory: link cycles cannot trap the search.
bool isDirectory(const std::string& path) {
    struct stat status {};
    if (lstat(path.c_str(), &status) != 0) {
        printf("Stat failed: %s (errno %d)\n", path.c_str(), errno);
        return false;
    }
    return S_ISDIR(status.st_mode);
}

// Calls visit(entry, path) for the entries of root in name order, "." and ".." left out, until
// visit returns true; nothing when root cannot be read, else whether a visit stopped the walk.
template <class Visit> std::optional<bool> visitEntries(const std::string& root, Visit visit) {
    const auto entries = sortedEntryNames(root);
    if (!entries) {
        return std::nullopt;
    }
    for (const std::string& entry : *entries) {
        // "." and ".." name no file: a name read from data must not climb out of the tree.
        if (isDotOrDotDot(entry)) {
            continue;
        }
        const auto path = joinPath(root, entry);
        if (path && visit(entry, *path)) {
            return true;
        }
    }
    return false;
}

int searchByName(const std::string& root, const char* name, std::vector<std::string>& results,
                 int depth) {
    const auto found = visitEntries(root, [&](const std::string& entry, const std::string& path) {
        if (entry == name) {
            results.push_back(path);
            return true;
        }
        if (isDirectory(path) && depth < PX_FIND_MAX_DEPTH) {
            searchByName(path, name, results, depth + 1);
        }
        return false;
    });
    return found.value_or(false) ? PX_TRUE : PX_FALSE;
}

int listEntries(const std::string& root, int flags, std::vector<std::string>& results) {
    visitEntries(root, [&](const std::string& entry, const std::string& path) {
        const bool visibleDirectory = isDirectory(path) && entry[0] != '.';
        if ((flags & (visibleDirectory ? PX_FIND_DIRECTORIES : PX_FIND_FILES)) != 0) {
            results.push_back(path);
        }
        return false;
    });
    return PX_TRUE;
}

} // namespace

PXFileHandle PXOpenFile(const char* path, const char* mode) {
    return PXFileHandle(fopen(path, mode), fclose);
}

std::optional<long> PXBytesLeft(FILE* stream) {
    const long position = ftell(stream);
    if (position < 0 || fseek(stream, 0, SEEK_END) != 0) {
        return std::nullopt;
    }
    const long end = ftell(stream);
    if (fseek(stream, position, SEEK_SET) != 0 || end < position) {
        return std::nullopt;
    }
    return end - position;
}

std::optional<std::string> PXBytesWrittenBy(const std::function<bool(FILE*)>& writer) {
    char* buffer = nullptr;
    size_t size = 0;
    FILE* stream = open_memstream(&buffer, &size);
    if (stream == nullptr) {
        return std::nullopt;
    }
    const bool written = writer(stream) && ferror(stream) == 0;
    const bool closed = fclose(stream) == 0;
    const std::unique_ptr<char, decltype(&free)> owned(buffer, free);
    if (!written || !closed) {
        return std::nullopt;
    }
    return std::string(buffer, size);
}

bool PXReadBytesWith(const std::string& bytes, const std::function<bool(FILE*)>& reader) {
    // Opened for reading only, so the bytes are never written through the cast.
    const PXFileHandle stream(fmemopen(const_cast<char*>(bytes.data()), bytes.size(), "rb"),
                              fclose);
    return stream != nullptr && reader(stream.get());
}

long PXPutL(long value, FILE* stream) {
    for (int shift = 0; shift < PX_FILE_INTEGER_BITS; shift += 8) {
        if (fputc(static_cast<int>((value >> shift) & 0xFF), stream) == EOF) {
            return -1;
        }
    }
    return value;
}

long PXGetL(FILE* stream) {
    uint32_t bits = 0;
    for (int shift = 0; shift < PX_FILE_INTEGER_BITS; shift += 8) {
        const int byte = fgetc(stream);
        if (byte == EOF) {
            return -1;
        }
        bits |= static_cast<uint32_t>(byte) << shift;
    }
    return static_cast<int32_t>(bits);
}

int PXFileExists(const char* path) {
    struct stat status {};
    return path != nullptr && stat(path, &status) == 0 ? PX_TRUE : PX_FALSE;
}

int PXMakeDirectory(const char* path) {
    if (PXFileExists(path)) {
        _PXSetError("File exists at %s", path);
        return PX_FALSE;
    }
    if (mkdir(path, PX_DIRECTORY_MODE) != 0) {
        _PXSetError("Unable to create directory at %s", path);
        return PX_FALSE;
    }
    return PX_TRUE;
}

char* PXGetFilename(const char* path) {
    if (path != nullptr && strchr(path, '/') == nullptr) {
        return strdup(path);
    }
    return copyAfterLast(path, '/');
}

char* PXGetExtension(const char* path) {
    return copyAfterLast(path, '.');
}

int PXFindFile(const char* root, const char* name) {
    return PXFindFile(root, name, _PXFindPaths, 0);
}

int PXFindFile(const char* root, int flags) {
    return PXFindFile(root, nullptr, _PXFindPaths, flags);
}

int PXFindFile(const char* root, const char* name, std::vector<std::string>& results, int flags) {
    const std::string rootPath = root != nullptr ? root : "";
    if (name != nullptr) {
        return searchByName(rootPath, name, results, 0);
    }
    return listEntries(rootPath, flags, results);
}

char* PXFindFileGetNext() {
    if (_PXFindPathsIndex >= static_cast<int>(_PXFindPaths.size())) {
        return nullptr;
    }
    return strdup(_PXFindPaths[_PXFindPathsIndex++].c_str());
}

void PXFindFileCleanup() {
    _PXFindPaths.clear();
    _PXFindPathsIndex = 0;
}
