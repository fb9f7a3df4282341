// Decompiler: the way back from the game's files to a level source, so that a map changed in the
// game's editor (its binary map and the world object list) returns to the sources the data build
// compiles.
#pragma once

#include "Diagnostics.h"
#include "Legend.h"
#include "LevelParser.h"

#include <string>
#include <vector>

class Map;
class WorldObject;

// The objects of the list whose owner map is the named map, in list order.
std::vector<const WorldObject*> objectsOwnedBy(const char* mapName,
                                               const std::vector<WorldObject*>& objects);

// The level source that compiles to the map and to its objects, with the legend of its tileset.
std::string decompileLevel(const Map& map, const Legend& legend,
                           const std::vector<const WorldObject*>& objects);

// Compiles the source as the build would and reports, under the file's name, each error and
// whether the map or its objects come out other than given, which happens when they hold
// something a level source cannot say.
void checkRecompiles(const std::string& source, const std::string& file,
                     const LevelParser::Legends& legends, const Map& map,
                     const std::vector<const WorldObject*>& objects, Diagnostics& diagnostics);
