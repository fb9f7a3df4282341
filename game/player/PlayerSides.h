// Helpers the player's sources share for its sides, animation names and tile coordinates.
#pragma once

#include "Player.h"
#include "game/world/Map.h"

#include <string>

// Left for right and right for left.
inline int oppositeSide(int side) {
    return side == player::kLeft ? player::kRight : player::kLeft;
}

// +1 toward the right, -1 toward the left.
inline int sideSign(int side) {
    return side == player::kRight ? 1 : -1;
}

// The animation name for the side: "running" becomes "runningRight" or "runningLeft".
inline std::string sided(const char* name, int side) {
    return std::string(name) + (side == player::kRight ? "Right" : "Left");
}

// The tile row or column of a map pixel. Rounding down keeps pixels above and left of the map
// outside it instead of folding them into the first row or column.
inline int tileOf(int pixel) {
    const int quotient = pixel / Map::kTileSize;
    return pixel % Map::kTileSize < 0 ? quotient - 1 : quotient;
}
