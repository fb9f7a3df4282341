// Feeds arbitrary bytes to the world object list reader as the game loads "worldObjects.mol".
// No input may crash it or leak; the objects it read become the game's, the current map's
// vector and the menu's counts are built from them, and a complete list saves and reads back to
// the same bytes. Run it where there is no ./data: object images then fail without OpenGL.
#include "FuzzSupport.h"
#include "game/objects/WorldObject.h"
#include "game/objects/WorldObjectVector.h"

#include <cstdlib>
#include <string>

namespace {

std::string savedObjects() {
    return writtenBytes([](FILE* stream) { return writeWorldObjects(stream, nullptr); });
}

bool loadObjects(std::string bytes) {
    const FuzzStream stream = readStreamOver(bytes);
    return loadWorldObjects(stream.get(), nullptr);
}

// What the menus and a map load read from the objects.
void useObjects() {
    const std::vector<WorldObject*>* objects = globalWorldObjectVector;
    const bool none = objects == nullptr || objects->empty();
    recreateMapSpecificWorldObjectVector(none ? nullptr : objects->front()->getOwnerMap());
    int counts[14] = {};
    worldObjectVectorCountNPCsAndCollectibles(counts[0], counts[1], counts[2], counts[3], counts[4],
                                              counts[5], counts[6], counts[7], counts[8], counts[9],
                                              counts[10], counts[11], counts[12], counts[13]);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const bool complete = loadObjects(fuzzBytes(data, size));
    useObjects();
    if (!complete) {
        return 0;
    }
    const std::string saved = savedObjects();
    if (!loadObjects(saved) || savedObjects() != saved) {
        abort();
    }
    return 0;
}
