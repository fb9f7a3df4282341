// Helpers the player's sources share for its sides and animation names.
#pragma once

#include "Player.h"

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
