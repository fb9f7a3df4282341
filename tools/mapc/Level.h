// Level: a map compiled from one level source, with what the checks across the whole world need
// to point back at the source.
#pragma once

#include "game/world/BoundingBox.h"
#include "game/world/Map.h"

#include <memory>
#include <string>
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

struct Level {
    std::string file;
    // The folder under maps/ and the map's name: the output is maps/<area>/<name>.
    std::string area;
    std::string name;
    std::unique_ptr<Map> map;
    int minimapLine = 0;
    // The source line of each exit, in the map's exit order.
    std::vector<int> exitLines;
};

// True when the box (inclusive edges) lies within the map's pixels.
bool boxIsInside(const Map& map, const BoundingBox& box);
// True when the box (inclusive edges) overlaps a cell that a BLOCK layer fills.
bool boxTouchesSolid(const Map& map, const BoundingBox& box);
