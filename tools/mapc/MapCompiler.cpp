// corvane_mapc ASSETS_DIR MAPS_DIR OBJECT_LIST: compiles every level source
// ASSETS_DIR/maps/<area>/<name>.map into the binary map MAPS_DIR/<area>/<name>, written by the
// game's own Map::save, and the object lines of all levels into the world object list
// OBJECT_LIST, written by each object class's own save. Every level is checked first, together
// with the others; any error is printed as file:line and fails the run before anything is
// written.
//
// A level source is text, one command per line ('#' starts a comment line). Lengths and
// positions are pixels, or tiles with "t" ("3t" = 48, "3t+4" = 52):
//   tileset IMAGE                   its legend ASSETS_DIR/tilesets/<image stem>.legend gives
//                                   the grid characters
//   music SONG
//   size COLUMNS ROWS               before anything placed on the map
//   minimap COLUMN ROW              the top-left screen's minimap cell, each 1 or more
//   start X Y                       the player's frame origin, feet on the ground (start map)
//   weather none|snow|rain MINIMUM_DELAY MAXIMUM_DELAY AMOUNT
//   background IMAGE X_DIVISOR Y_DIVISOR LEFT TOP RIGHT BOTTOM    farthest first
//   layer NAME none|BLOCK|UPPER|BLOCK|UPPER     followed by exactly ROWS lines of COLUMNS
//                                   cells: characters from the legend, or {INDEX} for any tile
//   exit horizontal|vertical X Y LENGTH NEXT_MAP NEXT_X NEXT_Y    the segment spans the opening
//                                   in the map's edge; every other edge cell is solid
//   water LEFT TOP RIGHT BOTTOM
//   stopper vertical X Y LENGTH left|right, or stopper horizontal X Y LENGTH up|down
//   object CLASS X Y NAME=VALUE...  a world object of the game class CLASS (without "WO"); each
//                                   setting names one of its editable fields
// assets/maps/README.md describes the format in full.
//
// corvane_mapc --decompile ASSETS_DIR MAP_FILE OBJECT_LIST: the way back, for a map changed in
// the game's editor. Prints the level source of the binary map and of the objects of the world
// object list that it owns, which compiles to the same bytes; the background images the game's
// map reader fetches are looked up in the data tree that holds OBJECT_LIST. Whatever the source
// cannot say, or the compiler would refuse, is reported and fails the run after the source is
// printed.
#include "Decompiler.h"
#include "Diagnostics.h"
#include "Legend.h"
#include "LevelParser.h"
#include "ObjectCompiler.h"
#include "WorldCheck.h"
#include "game/objects/WorldObjectVector.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

std::string contentOf(const fs::path& path) {
    std::ifstream stream(path, std::ios::binary);
    std::ostringstream content;
    content << stream.rdbuf();
    return content.str();
}

// Every file with the extension under the folder, in name order so runs are repeatable.
std::vector<fs::path> filesWithExtension(const fs::path& folder, const std::string& extension) {
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file() && entry.path().extension() == extension) {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

// The legends by the name of the tileset image they belong to.
LevelParser::Legends readLegends(const fs::path& folder, Diagnostics& diagnostics) {
    LevelParser::Legends legends;
    for (const fs::path& path : filesWithExtension(folder, ".legend")) {
        const std::string tileset = path.stem().string() + ".png";
        legends.emplace(tileset, Legend::parse(contentOf(path), path.string(), diagnostics));
    }
    return legends;
}

std::vector<Level> readLevels(const fs::path& folder, const LevelParser::Legends& legends,
                              Diagnostics& diagnostics) {
    std::vector<Level> levels;
    for (const fs::path& path : filesWithExtension(folder, ".map")) {
        LevelParser parser(path.string(), path.parent_path().filename().string(),
                           path.stem().string(), legends, diagnostics);
        std::optional<Level> level = parser.parse(contentOf(path));
        if (level) {
            levels.push_back(std::move(*level));
        }
    }
    return levels;
}

bool writeLevels(std::vector<Level>& levels, const fs::path& output) {
    for (Level& level : levels) {
        const fs::path path = output / level.area / level.name;
        std::error_code error;
        fs::create_directories(path.parent_path(), error);
        if (error || !level.map->save(path.c_str())) {
            fprintf(stderr, "%s: cannot write %s\n", level.file.c_str(), path.c_str());
            return false;
        }
    }
    return true;
}

bool readWorldObjectList(const fs::path& path) {
    FILE* stream = fopen(path.c_str(), "rb");
    if (stream == nullptr) {
        return false;
    }
    const bool read = loadWorldObjects(stream, nullptr);
    fclose(stream);
    return read;
}

// Prints the messages; true when there were none.
bool reported(const Diagnostics& diagnostics) {
    for (const std::string& message : diagnostics.messages()) {
        fprintf(stderr, "%s\n", message.c_str());
    }
    return diagnostics.empty();
}

int decompile(const fs::path& assets, const fs::path& mapFile, const fs::path& objectList) {
    Diagnostics diagnostics;
    const LevelParser::Legends legends = readLegends(assets / "tilesets", diagnostics);
    // The game finds media in "./data", the tree that holds the world object list.
    std::error_code error;
    fs::current_path(objectList.parent_path().parent_path(), error);
    Map map;
    if (error || !map.load(mapFile.c_str())) {
        fprintf(stderr, "%s: cannot read the map, or its images in %s\n", mapFile.c_str(),
                objectList.parent_path().c_str());
        return 1;
    }
    if (!readWorldObjectList(objectList)) {
        fprintf(stderr, "%s: cannot read the world object list\n", objectList.c_str());
        return 1;
    }
    const auto legend = legends.find(map.getTilesetName() ? map.getTilesetName() : "");
    if (legend == legends.end()) {
        fprintf(stderr, "%s: the tileset has no legend in %s\n", mapFile.c_str(), assets.c_str());
        return 1;
    }
    const std::vector<const WorldObject*> objects =
        objectsOwnedBy(map.getFilename(), *globalWorldObjectVector);
    const std::string source = decompileLevel(map, legend->second, objects);
    fputs(source.c_str(), stdout);
    checkRecompiles(source, mapFile.filename().string() + ".map", legends, map, objects,
                    diagnostics);
    destroyWorldObjects();
    return reported(diagnostics) ? 0 : 1;
}

int compile(const fs::path& assets, const fs::path& mapsDir, const char* objectList) {
    Diagnostics diagnostics;
    const LevelParser::Legends legends = readLegends(assets / "tilesets", diagnostics);
    std::vector<Level> levels = readLevels(assets / "maps", legends, diagnostics);
    // A level that failed is missing from the world, so checking across it would mislead.
    if (diagnostics.empty()) {
        checkWorld(levels, diagnostics);
        ObjectCompiler(diagnostics).compile(levels);
    }
    if (!reported(diagnostics) || levels.empty()) {
        fprintf(stderr, "nothing written\n");
        return 1;
    }
    bool written = writeLevels(levels, mapsDir);
    if (written && !writeWorldObjectList(objectList)) {
        fprintf(stderr, "cannot write %s\n", objectList);
        written = false;
    }
    destroyWorldObjects();
    return written ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 5 && strcmp(argv[1], "--decompile") == 0) {
        return decompile(fs::absolute(argv[2]), fs::absolute(argv[3]), fs::absolute(argv[4]));
    }
    if (argc == 4) {
        return compile(argv[1], argv[2], argv[3]);
    }
    fprintf(stderr,
            "usage: %s ASSETS_DIR MAPS_DIR OBJECT_LIST\n"
            "       %s --decompile ASSETS_DIR MAP_FILE OBJECT_LIST > LEVEL_SOURCE\n",
            argv[0], argv[0]);
    return 2;
}
