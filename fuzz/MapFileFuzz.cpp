// Feeds arbitrary bytes to the map loader. No input may crash it; a failed load must leave the
// previous map exactly as it was; a map that loaded must save and load back to the same bytes.
// Run it where there is no ./data: image lookups then fail without needing OpenGL.
#include "engine/PXFileSystem.h"
#include "game/world/Map.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

namespace {

std::string savedBytes(const Map& map) {
    const std::optional<std::string> bytes = PXBytesWrittenBy([&map](FILE* stream) {
        map.saveToStream(stream);
        return true;
    });
    if (!bytes) {
        abort();
    }
    return *bytes;
}

bool loadBytes(Map& map, const std::string& bytes) {
    return PXReadBytesWith(
        bytes, [&map](FILE* stream) { return map.loadFromStream(stream, "fuzz/input") != 0; });
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
