// Level: a map compiled from one level source, with what the checks across the whole world need
// to point back at the source.
#pragma once

#include "game/world/BoundingBox.h"
#include "game/world/Map.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

// The player's collision body inside its 16 x 24 frame (the sprite's box 0), which the checks
// fit into the levels.
struct PlayerBody {
    static constexpr int kLeft = 3;
    static constexpr int kTop = 2;
    static constexpr int kWidth = 10;
    static constexpr int kHeight = 22;
    static constexpr int kFrameWidth = 16;
    static constexpr int kFrameHeight = 24;
};

// One object line of a level: the class, the position and the settings in line order.
struct ObjectPlacement {
    int line = 0;
    std::string className;
    int x = 0;
    int y = 0;
    std::vector<std::pair<std::string, std::string>> settings;
};

struct Level {
    std::string file;
    // The folder under maps/ and the map's name: the output is maps/<area>/<name>.
    std::string area;
    std::string name;
    std::unique_ptr<Map> map;
    int minimapLine = 0;
    // The source line of each exit, in the map's exit order.
    std::vector<int> exitLines;
    // The world objects the level places, in line order.
    std::vector<ObjectPlacement> objects;
};

// True when the box (inclusive edges) lies within the map's pixels.
bool boxIsInside(const Map& map, const BoundingBox& box);
// True when the box (inclusive edges) overlaps a cell that a BLOCK layer fills.
bool boxTouchesSolid(const Map& map, const BoundingBox& box);
