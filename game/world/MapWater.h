// Map::WaterArea: a rectangle of a map filled with water.
#pragma once

#include "Map.h"

class Map::WaterArea {
public:
    // The box (0, 0, 0, 0).
    WaterArea() = default;

    // The area in world pixels; callers set it with setBounds.
    BoundingBox& boundingBox() { return _box; }
    const BoundingBox& boundingBox() const { return _box; }

    // Starts a bubble at the area-local point (not built yet).
    void addBubbleAt(int x, int y);
    // Starts a splash at the area-local point (not built yet).
    void addSplashAt(int x, int y);
    // One logic tick (not built yet).
    void logic();
    // Draws the area relative to the camera (not built yet).
    void draw(int cameraX, int cameraY);

private:
    BoundingBox _box;
};
