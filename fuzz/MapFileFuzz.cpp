// Feeds arbitrary bytes to the map loader. No input may crash it; a failed load must leave the
// previous map exactly as it was; a map that loaded must save and load back to the same bytes.
// Run it where there is no ./data: image lookups then fail without needing OpenGL.
#include "game/world/Map.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string savedBytes(const Map& map) {
    char* buffer = nullptr;
    size_t size = 0;
    FILE* stream = open_memstream(&buffer, &size);
    if (stream == nullptr) {
        abort();
    }
    map.saveToStream(stream);
    fclose(stream);
    std::string bytes(buffer, size);
    free(buffer);
    return bytes;
}

bool loadBytes(Map& map, const std::string& bytes) {
    FILE* stream = fmemopen(const_cast<char*>(bytes.data()), bytes.size(), "rb");
    if (stream == nullptr) {
        abort();
    }
    const bool loaded = map.loadFromStream(stream, "fuzz/input");
    fclose(stream);
    return loaded;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Kept across inputs, so that failed loads are checked against content earlier ones left.
    static Map map;
    const std::string before = savedBytes(map);
    if (!loadBytes(map, std::string(reinterpret_cast<const char*>(data), size))) {
        if (savedBytes(map) != before) {
            abort();
        }
        return 0;
    }
    const std::string saved = savedBytes(map);
    Map reloaded;
    if (!loadBytes(reloaded, saved) || savedBytes(reloaded) != saved) {
        abort();
    }
    return 0;
}
