#include "SaveFolderArchive.h"

#include "FuzzSupport.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr char kFileKind = 'f';
constexpr char kFolderKind = 'd';
constexpr size_t kLargestFile = 0xFFFF;
constexpr size_t kLongestPath = 0xFF;

// Reads the archive from the front; every read past its end gives nothing.
class ArchiveReader {
public:
    explicit ArchiveReader(const std::string& bytes) : _bytes(bytes) {}

    bool atEnd() const { return _position >= _bytes.size(); }
    unsigned byte() { return atEnd() ? 0 : static_cast<unsigned char>(_bytes[_position++]); }
    std::string text(size_t length) {
        const std::string read = _bytes.substr(std::min(_position, _bytes.size()), length);
        _position += length;
        return read;
    }

private:
    const std::string& _bytes;
    size_t _position = 0;
};

// The path inside the root, or nothing when the relative path is empty or leaves the root.
std::optional<fs::path> pathInside(const fs::path& root, const std::string& relative) {
    if (relative.empty() || relative.find('\0') != std::string::npos || relative.front() == '/') {
        return std::nullopt;
    }
    const fs::path path(relative);
    if (std::any_of(path.begin(), path.end(),
                    [](const fs::path& name) { return name == ".." || name == "."; })) {
        return std::nullopt;
    }
    return root / path;
}

void makeEntry(const fs::path& path, bool file, const std::string& bytes) {
    std::error_code error;
    if (!file) {
        fs::create_directories(path, error);
        return;
    }
    fs::create_directories(path.parent_path(), error);
    if (!fs::is_directory(path, error)) {
        writeWholeFile(path.string(), bytes);
    }
}

std::string packedEntry(const fs::path& relative, const fs::directory_entry& entry) {
    const std::string path = relative.string().substr(0, kLongestPath);
    std::string packed;
    packed += entry.is_regular_file() ? kFileKind : kFolderKind;
    packed += static_cast<char>(path.size());
    packed += path;
    if (entry.is_regular_file()) {
        const std::string bytes = readWholeFile(entry.path().string()).substr(0, kLargestFile);
        packed += static_cast<char>(bytes.size() & 0xFF);
        packed += static_cast<char>(bytes.size() >> 8);
        packed += bytes;
    }
    return packed;
}

} // namespace

void unpackFolder(const std::string& archive, const std::string& root) {
    ArchiveReader reader(archive);
    while (!reader.atEnd()) {
        const bool file = reader.byte() == static_cast<unsigned char>(kFileKind);
        const std::string relative = reader.text(reader.byte());
        std::string bytes;
        if (file) {
            const unsigned low = reader.byte();
            bytes = reader.text(low | reader.byte() << 8);
        }
        if (const std::optional<fs::path> path = pathInside(root, relative)) {
            makeEntry(*path, file, bytes);
        }
    }
}

std::string packFolder(const std::string& root) {
    std::vector<fs::directory_entry> entries(fs::recursive_directory_iterator(root), {});
    std::sort(entries.begin(), entries.end());
    std::string archive;
    for (const fs::directory_entry& entry : entries) {
        archive += packedEntry(fs::relative(entry.path(), root), entry);
    }
    return archive;
}
