#include "FuzzSupport.h"

#include "engine/PXFileSystem.h"
#include "game/objects/WorldObjectRecord.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <utility>

std::string fuzzBytes(const uint8_t* data, size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

FuzzStream readStreamOver(std::string& bytes) {
    FuzzStream stream(fmemopen(bytes.data(), bytes.size(), "rb"), fclose);
    if (stream == nullptr) {
        abort();
    }
    return stream;
}

std::string writtenBytes(const std::function<bool(FILE*)>& write) {
    std::optional<std::string> bytes = PXBytesWrittenBy(write);
    if (!bytes) {
        abort();
    }
    return std::move(*bytes);
}

std::string recordIntegerBytes(int value) {
    return writtenBytes([value](FILE* stream) { return writeRecordInteger(stream, value); });
}

std::string readWholeFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        abort();
    }
    return std::string(std::istreambuf_iterator<char>(file), {});
}

bool writeWholeFile(const std::string& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << bytes;
    file.close();
    return static_cast<bool>(file);
}

void makeEmptyFolder(const std::string& path) {
    std::error_code error;
    std::filesystem::remove_all(path, error);
    if (!std::filesystem::create_directories(path, error)) {
        abort();
    }
}

const char* seedFolderArgument(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return nullptr;
    }
    return argv[1];
}
