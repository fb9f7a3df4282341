#include "Decompiler.h"

#include "Keywords.h"
#include "ObjectCompiler.h"
#include "SourceText.h"
#include "engine/PXFileSystem.h"
#include "game/objects/WorldObject.h"
#include "game/world/Map.h"
#include "game/world/MapBackground.h"
#include "game/world/MapCameraStopper.h"
#include "game/world/MapExit.h"
#include "game/world/MapWater.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <sstream>

namespace {

using SourceText::pixelsText;
using SourceText::word;

std::string nameOrEmpty(const char* name) {
    return name != nullptr ? name : "";
}

// The one-time settings: tileset to weather. A start or weather left at 0 has no line, as in a
// hand-written level.
void writeSettings(std::ostream& out, const Map& map) {
    out << "tileset " << word(nameOrEmpty(map.getTilesetName())) << "\n";
    out << "music " << word(nameOrEmpty(map.getMusicName())) << "\n";
    out << "size " << map.getNumberOfColumns() << " " << map.getNumberOfRows() << "\n";
    out << "minimap " << map.getMinimapIndexX() << " " << map.getMinimapIndexY() << "\n";
    int startX = 0;
    int startY = 0;
    map.playerStartPosition(startX, startY);
    if (startX != 0 || startY != 0) {
        out << "start " << pixelsText(startX) << " " << pixelsText(startY) << "\n";
    }
    const int weather[] = {map.particleType(), map.particleDelayMin(), map.particleDelayMax(),
                           map.particleGenerationAmount()};
    if (std::any_of(std::begin(weather), std::end(weather), [](int value) { return value != 0; })) {
        out << "weather " << Keywords::nameOf(Keywords::kWeathers, weather[0]) << " " << weather[1]
            << " " << weather[2] << " " << weather[3] << "\n";
    }
}

void writeBackgrounds(std::ostream& out, const Map& map) {
    for (int index = 0; index < map.getNumberOfBackgrounds(); index++) {
        const Map::Background& image = *map.getBackground(index);
        out << "background " << word(image.getImageName()) << " " << image.getScrollDivisorX()
            << " " << image.getScrollDivisorY() << " " << image.getSourceLeft() << " "
            << image.getSourceTop() << " " << image.getSourceRight() << " "
            << image.getSourceBottom() << "\n";
    }
}

// Each layer's grid; the map file keeps no layer names, so they are numbered.
void writeLayers(std::ostream& out, const Map& map, const Legend& legend) {
    const int rows = map.getNumberOfRows();
    const int columns = map.getNumberOfColumns();
    for (int layer = 0; layer < map.getNumberOfLayers(); layer++) {
        out << "layer layer" << layer + 1 << " "
            << Keywords::layerFlagsName(map.getLayerProperties(layer)) << "\n";
        const auto tileAt = [&](int row, int column) { return map.getTileAt(layer, row, column); };
        for (int row = 0; row < rows; row++) {
            for (int column = 0; column < columns; column++) {
                out << legend.cellText(tileAt(row, column),
                                       Legend::neighbourBits(tileAt, rows, columns, row, column));
            }
            out << "\n";
        }
    }
}

void writeExits(std::ostream& out, const Map& map) {
    for (int index = 0; index < map.getNumberOfExits(); index++) {
        const Map::Exit& exit = *map.getExit(index);
        const bool horizontal = exit.getOrientation() == Map::kHorizontal;
        out << "exit " << Keywords::nameOf(Keywords::kOrientations, exit.getOrientation()) << " "
            << pixelsText(exit.getX()) << " " << pixelsText(exit.getY()) << " "
            << pixelsText(horizontal ? exit.getWidth() : exit.getHeight()) << " "
            << word(nameOrEmpty(exit.getNextMap())) << " " << pixelsText(exit.getNextMapX()) << " "
            << pixelsText(exit.getNextMapY()) << "\n";
    }
}

void writeWaterAreas(std::ostream& out, const Map& map) {
    for (int index = 0; index < map.getNumberOfWaterAreas(); index++) {
        const BoundingBox& box = map.getWaterArea(index)->boundingBox();
        out << "water " << pixelsText(box.getLeftBound()) << " " << pixelsText(box.getTopBound())
            << " " << pixelsText(box.getRightBound()) << " " << pixelsText(box.getBottomBound())
            << "\n";
    }
}

void writeCameraStoppers(std::ostream& out, const Map& map) {
    for (int index = 0; index < map.getNumberOfCameraStoppers(); index++) {
        const Map::CameraStopper& stopper = *map.getCameraStopper(index);
        const bool horizontal = stopper.getOrientation() == Map::kHorizontal;
        out << "stopper " << Keywords::nameOf(Keywords::kOrientations, stopper.getOrientation())
            << " " << pixelsText(stopper.getX()) << " " << pixelsText(stopper.getY()) << " "
            << pixelsText(stopper.getLength()) << " "
            << Keywords::nameOf(horizontal ? Keywords::kHorizontalBlocks
                                           : Keywords::kVerticalBlocks,
                                stopper.getBlockDirection())
            << "\n";
    }
}

void writeObjects(std::ostream& out, const std::vector<const WorldObject*>& objects) {
    for (const WorldObject* object : objects) {
        const ObjectPlacement placement = placementOf(*object);
        out << "object " << placement.className << " " << pixelsText(placement.x) << " "
            << pixelsText(placement.y);
        for (const auto& [name, value] : placement.settings) {
            out << " " << name << "=" << word(value);
        }
        out << "\n";
    }
}

std::string mapBytes(const Map& map) {
    return PXBytesWrittenBy([&](FILE* stream) { return map.saveToStream(stream) != 0; })
        .value_or("");
}

std::string recordBytes(const std::vector<const WorldObject*>& objects) {
    return PXBytesWrittenBy([&](FILE* stream) {
               return std::all_of(objects.begin(), objects.end(),
                                  [&](const WorldObject* object) { return object->save(stream); });
           })
        .value_or("");
}

} // namespace

std::vector<const WorldObject*> objectsOwnedBy(const char* mapName,
                                               const std::vector<WorldObject*>& objects) {
    std::vector<const WorldObject*> owned;
    for (const WorldObject* object : objects) {
        const char* owner = object->getOwnerMap();
        if (mapName != nullptr && owner != nullptr && strcmp(owner, mapName) == 0) {
            owned.push_back(object);
        }
    }
    return owned;
}

std::string decompileLevel(const Map& map, const Legend& legend,
                           const std::vector<const WorldObject*>& objects) {
    std::ostringstream out;
    writeSettings(out, map);
    writeBackgrounds(out, map);
    writeLayers(out, map, legend);
    writeExits(out, map);
    writeWaterAreas(out, map);
    writeCameraStoppers(out, map);
    writeObjects(out, objects);
    return out.str();
}

void checkRecompiles(const std::string& source, const std::string& file,
                     const LevelParser::Legends& legends, const Map& map,
                     const std::vector<const WorldObject*>& objects, Diagnostics& diagnostics) {
    LevelParser parser(file, "", nameOrEmpty(map.getFilename()), legends, diagnostics);
    const std::optional<Level> level = parser.parse(source);
    if (!level) {
        return;
    }
    if (mapBytes(*level->map) != mapBytes(map)) {
        diagnostics.error(file, 1,
                          "compiles to another map: the map holds something a level "
                          "source cannot say");
    }
    ObjectCompiler compiler(diagnostics);
    std::vector<std::unique_ptr<WorldObject>> compiled;
    std::vector<const WorldObject*> records;
    for (const ObjectPlacement& placement : level->objects) {
        compiled.push_back(compiler.compileObject(*level, placement));
        records.push_back(compiled.back().get());
        if (records.back() == nullptr) {
            return;
        }
    }
    if (recordBytes(records) != recordBytes(objects)) {
        diagnostics.error(file, 1,
                          "compiles to other objects: they hold something a level "
                          "source cannot say");
    }
}
