// Map::CameraStopper: a wall or floor line that keeps the camera on one side of it until the
// target crosses, then lets the view catch up.
#pragma once

#include "Map.h"

class Map::CameraStopper {
public:
    // Block directions: which side of the stopper the view is kept on.
    static constexpr int kBlockLeft = 0;
    static constexpr int kBlockRight = 1;
    static constexpr int kBlockUp = 2;
    static constexpr int kBlockDown = 3;

    // Vertical at (0, 0), length 0, blocking to the left.
    CameraStopper() = default;

    // The start point in world pixels.
    int getX() const { return _x; }
    int getY() const { return _y; }
    void setPosition(int x, int y);
    // How far it runs right (horizontal) or down (vertical); negative values are ignored.
    int getLength() const { return _length; }
    void setLength(int length);
    // Map::kHorizontal or Map::kVertical (others are ignored); resets the block direction to
    // kBlockDown or kBlockLeft.
    int getOrientation() const { return _orientation; }
    void setOrientation(int orientation);
    // Accepts kBlockRight and kBlockDown always, kBlockLeft only when vertical and kBlockUp only
    // when horizontal; ignores the rest.
    int getBlockDirection() const { return _blockDirection; }
    void setBlockDirection(int direction);

    // The camera coordinate on the stopper's axis (x when vertical, y when horizontal) that it
    // imposes on a camera following the target, or nothing when it does not apply.
    std::optional<int> cameraPosition(int targetX, int targetY, int currentCamera) const;

    // The segment as an inclusive box.
    BoundingBox boundingBox() const;
    // A blue line with a cyan tick from its middle toward the side it lets the view onto.
    void draw(int cameraX, int cameraY) const;
    // A red outline one pixel around the stopper.
    void drawOutline(int cameraX, int cameraY) const;

private:
    int _x = 0;
    int _y = 0;
    int _length = 0;
    int _orientation = Map::kVertical;
    int _blockDirection = kBlockLeft;
};
