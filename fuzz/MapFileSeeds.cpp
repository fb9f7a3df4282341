// Writes seed map files for the map file fuzzer into the folder given as the only argument:
// valid maps made through the map's own interface, and a few edge cases derived from them.
#include "game/world/Map.h"
#include "game/world/MapBackground.h"
#include "game/world/MapCameraStopper.h"
#include "game/world/MapExit.h"
#include "game/world/MapWater.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

constexpr size_t kBackgroundCountOffset = 12;
constexpr size_t kNewMapBytes = 80;
// The version word, written anew, and the player start, which a version-1 file lacks.
constexpr size_t kVersionOneDroppedBytes = 12;

std::string readFile(const std::string& path) {
    std::string bytes;
    FILE* stream = fopen(path.c_str(), "rb");
    if (stream == nullptr) {
        return bytes;
    }
    for (int byte = fgetc(stream); byte != EOF; byte = fgetc(stream)) {
        bytes.push_back(static_cast<char>(byte));
    }
    fclose(stream);
    return bytes;
}

bool writeFile(const std::string& path, const std::string& bytes) {
    FILE* stream = fopen(path.c_str(), "wb");
    if (stream == nullptr) {
        return false;
    }
    const bool written = fwrite(bytes.data(), 1, bytes.size(), stream) == bytes.size();
    return fclose(stream) == 0 && written;
}

std::string littleEndian(int value) {
    std::string bytes;
    for (int shift = 0; shift < 32; shift += 8) {
        bytes.push_back(static_cast<char>((static_cast<unsigned>(value) >> shift) & 0xFF));
    }
    return bytes;
}

// Two layers of 4 x 3 cells and every list filled.
void fillEverySection(Map& map) {
    map.setTilesetName("tiles.png");
    map.setMusicName("forest.ogg");
    for (int count = 0; count < 3; count++) {
        map.appendColumn();
    }
    map.appendRow();
    map.appendRow();
    map.appendLayer();
    map.setLayerProperties(0, Map::kLayerBlock);
    map.setLayerProperties(1, Map::kLayerUpper | Map::kLayerBlock);
    for (int column = 0; column < 4; column++) {
        map.setTileAt(0, 2, column, column + 1);
        map.setTileAt(1, 0, column, -column);
    }
    map.setTileAt(1, 1, 1, INT_MAX);

    Map::Exit* vertical = map.addExit();
    vertical->setCoords(0, 16);
    vertical->setHeight(32);
    vertical->setOrientation(Map::kVertical);
    vertical->setNextMap("arnion2");
    vertical->setNextMapCoords(300, 16);
    Map::Exit* horizontal = map.addExit();
    horizontal->setCoords(16, 47);
    horizontal->setWidth(32);
    horizontal->setOrientation(Map::kHorizontal);

    map.addWaterArea()->boundingBox().setBounds(10, 20, 50, 60);
    Map::CameraStopper* wall = map.addCameraStopper();
    wall->setPosition(32, 0);
    wall->setLength(48);
    wall->setBlockDirection(Map::CameraStopper::kBlockDown);
    Map::CameraStopper* floor = map.addCameraStopper();
    floor->setOrientation(Map::kHorizontal);
    floor->setLength(64);
    floor->setBlockDirection(Map::CameraStopper::kBlockRight);

    map.setParticleParameters(2, 30, 90, 4);
    map.setMinimapIndex(7, 3);
    map.setPlayerStartPosition(24, 8);
}

// Variants of the saved files: a version-1 file, a cut one and an absurd count.
bool writeEdgeCases(const std::string& folder) {
    const std::string fullBytes = readFile(folder + "/full");
    std::string hugeCount = readFile(folder + "/empty");
    if (fullBytes.size() < kVersionOneDroppedBytes || hugeCount.size() < kNewMapBytes) {
        return false;
    }
    const std::string versionOne =
        littleEndian(1) + fullBytes.substr(4, fullBytes.size() - kVersionOneDroppedBytes);
    hugeCount.replace(kBackgroundCountOffset, 4, littleEndian(INT_MAX));
    return writeFile(folder + "/version1", versionOne) &&
           writeFile(folder + "/truncated", fullBytes.substr(0, fullBytes.size() - 3)) &&
           writeFile(folder + "/huge-count", hugeCount);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    Map empty;
    Map full;
    fillEverySection(full);
    Map withBackground;
    fillEverySection(withBackground);
    auto background = std::make_unique<Map::Background>();
    background->setImageName("sky.png");
    background->setScrollDivisors(2, 0);
    withBackground.addBackground(std::move(background));

    if (!empty.save((folder + "/empty").c_str()) || !full.save((folder + "/full").c_str()) ||
        !withBackground.save((folder + "/background").c_str()) || !writeEdgeCases(folder)) {
        fprintf(stderr, "%s: cannot write the seeds into %s\n", argv[0], folder.c_str());
        return 1;
    }
    return 0;
}
