// The checks that need every level at once: map names are unique, every exit leads to a level
// and lands the player inside it on free cells, and the levels' minimap cells fit the 40 x 30
// minimap without overlapping.
#pragma once

#include "Diagnostics.h"
#include "Level.h"

#include <vector>

void checkWorld(const std::vector<Level>& levels, Diagnostics& diagnostics);
