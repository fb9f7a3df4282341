#include "MapWater.h"

// The map already stores, tests and steps its water areas; the water's own behaviour (pulse,
// scroll, surface, bubbles and splashes) is not built yet, so these do nothing.

void Map::WaterArea::addBubbleAt(int, int) {}

void Map::WaterArea::addSplashAt(int, int) {}

void Map::WaterArea::logic() {}

void Map::WaterArea::draw(int, int) {}
