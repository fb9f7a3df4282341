// Writes seed "sav.cvs" files for the saved game fuzzer into the folder given as the only
// argument: whole states built with the game's own writers, and a few edge cases derived from
// them.
#include "game/objects/WorldObject.h"
#include "game/objects/WorldObjectRecord.h"
#include "game/objects/WorldObjectVector.h"
#include "game/screens/GameStatistics.h"
#include "game/world/Minimap.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr const char* kMapName = "arnion1";

// What the writer puts into a fresh stream.
std::string written(const std::function<bool(FILE*)>& write) {
    const std::unique_ptr<FILE, int (*)(FILE*)> stream(tmpfile(), fclose);
    if (stream == nullptr || !write(stream.get())) {
        abort();
    }
    std::string bytes(static_cast<size_t>(ftell(stream.get())), '\0');
    rewind(stream.get());
    if (fread(bytes.data(), 1, bytes.size(), stream.get()) != bytes.size()) {
        abort();
    }
    return bytes;
}

std::string integer(int value) {
    return written([value](FILE* stream) { return writeRecordInteger(stream, value); });
}

// One object of each kind of record: plain, with texts, stored (no owner map) and collectible.
std::vector<WorldObject*> someObjects() {
    std::vector<WorldObject*> objects;
    for (const char* name : {"Crate", "Dom", "Teleport", "ConditionChecker", "HexNut", "Apple"}) {
        WorldObject* object = createWorldObjectNamed(name);
        object->setPosition(16 * static_cast<int>(objects.size()), 32);
        object->setOwnerMap(objects.size() < 5 ? kMapName : nullptr);
        objects.push_back(object);
    }
    return objects;
}

// A whole state of the version with the objects; every seventh minimap cell visited.
std::string state(int version, std::vector<WorldObject*> objects, int collectedHexNuts) {
    globalWorldObjectVector = &objects;
    std::string minimap;
    for (int cell = 0; cell < Minimap::kColumns * Minimap::kRows; cell++) {
        minimap += integer(cell % 7 == 0 ? -1 : 0);
    }
    GameStatistics statistics;
    std::string bytes =
        integer(version) + written([](FILE* stream) { return writeRecordText(stream, kMapName); }) +
        integer(24) + integer(100) + integer(2) + integer(0x21) +
        written([&statistics](FILE* stream) { return statistics.save(stream); }) + minimap +
        written([](FILE* stream) { return saveWorldObjects(stream, nullptr); });
    if (version > 1) {
        bytes += integer(collectedHexNuts);
    }
    globalWorldObjectVector = nullptr;
    return bytes;
}

bool writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary);
    file << bytes;
    return static_cast<bool>(file);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    const std::vector<WorldObject*> objects = someObjects();
    const std::string whole = state(2, objects, 3);
    const size_t objectCountOffset = 4 + 4 + sizeof "arnion1" + 16 + 24 + 4 * 1200;
    std::string hugeCount = whole;
    hugeCount.replace(objectCountOffset, 4, integer(INT_MAX));
    const bool writtenAll = writeFile(folder + "/whole", whole) &&
                            writeFile(folder + "/version1", state(1, objects, 0)) &&
                            writeFile(folder + "/no-objects", state(2, {}, 0)) &&
                            writeFile(folder + "/truncated", whole.substr(0, whole.size() - 3)) &&
                            writeFile(folder + "/huge-count", hugeCount);
    for (WorldObject* object : objects) {
        delete object;
    }
    if (!writtenAll) {
        fprintf(stderr, "%s: cannot write the seeds into %s\n", argv[0], folder.c_str());
        return 1;
    }
    return 0;
}
