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
//                                   characters from the legend
//   exit horizontal|vertical X Y LENGTH NEXT_MAP NEXT_X NEXT_Y    the segment spans the opening
//                                   in the map's edge; every other edge cell is solid
//   water LEFT TOP RIGHT BOTTOM
//   stopper vertical X Y LENGTH left|right, or stopper horizontal X Y LENGTH up|down
//   object CLASS X Y NAME=VALUE...  a world object of the game class CLASS (without "WO"); each
//                                   setting names one of its editable fields
// assets/maps/README.md describes the format in full.
#include "Diagnostics.h"
#include "Legend.h"
#include "LevelParser.h"
#include "ObjectCompiler.h"
#include "WorldCheck.h"
#include "game/objects/WorldObjectVector.h"

#include <algorithm>
#include <cstdio>
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

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        fprintf(stderr, "usage: %s ASSETS_DIR MAPS_DIR OBJECT_LIST\n", argv[0]);
        return 2;
    }
    const fs::path assets = argv[1];
    Diagnostics diagnostics;
    const LevelParser::Legends legends = readLegends(assets / "tilesets", diagnostics);
    std::vector<Level> levels = readLevels(assets / "maps", legends, diagnostics);
    // A level that failed is missing from the world, so checking across it would mislead.
    if (diagnostics.empty()) {
        checkWorld(levels, diagnostics);
        ObjectCompiler(diagnostics).compile(levels);
    }
    for (const std::string& message : diagnostics.messages()) {
        fprintf(stderr, "%s\n", message.c_str());
    }
    if (!diagnostics.empty() || levels.empty()) {
        fprintf(stderr, "%s: nothing written\n", argv[0]);
        return 1;
    }
    bool written = writeLevels(levels, argv[2]);
    if (written && !writeWorldObjectList(argv[3])) {
        fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[3]);
        written = false;
    }
    destroyWorldObjects();
    return written ? 0 : 1;
}
