// The player's collision with the map's pixels and with solid world objects.
#include "Player.h"

#include "PlayerSides.h"
#include "game/core/Log.h"
#include "game/objects/WorldObject.h"
#include "game/world/Map.h"

#include <optional>

namespace {

// The one-pixel line just beyond the side of the box at the distance; nothing for another side.
std::optional<BoundingBox> probeLine(const BoundingBox& box, int side, int distance) {
    switch (side) {
    case player::kLeft:
        return box.columnLeftOf(distance);
    case player::kRight:
        return box.columnRightOf(distance);
    case player::kUp:
        return box.rowAbove(distance);
    case player::kDown:
        return box.rowBelow(distance);
    default:
        return std::nullopt;
    }
}

} // namespace

void player::updateCurrentBBox() {
    const BoundingBox* frameBox = _sprite.getBBox(0);
    if (frameBox == nullptr) {
        if (!_missingBoxLogged) {
            globalLog->write(
                "The player's sprite frame has no bounding box; using an empty one.\n");
            _missingBoxLogged = true;
        }
        _bBox.setBounds(x, y, x, y);
        return;
    }
    _bBox = frameBox->movedBy(x, y);
}

int player::blocked(int side, int distance) {
    updateCurrentBBox();
    const std::optional<BoundingBox> probe = probeLine(_bBox, side, distance);
    if (!probe) {
        return PX_FALSE;
    }
    return globalMap->areaIsBlocked(*probe) || blockedByObject(&*probe) != nullptr ? PX_TRUE
                                                                                   : PX_FALSE;
}

int player::rampBlocked(int side, int distance) {
    if (side != kLeft && side != kRight) {
        return PX_FALSE;
    }
    updateCurrentBBox();
    const BoundingBox probe = *probeLine(_bBox, side, distance);
    const bool mapBlocks = globalMap->areaIsBlocked(probe.withoutBottomRows(kStepHeight));
    return mapBlocks || blockedByObject(&probe) != nullptr ? PX_TRUE : PX_FALSE;
}

WorldObject* player::blockedByObject(const BoundingBox* box) const {
    if (globalMapSpecificWorldObjectVector == nullptr) {
        return nullptr;
    }
    for (WorldObject* object : *globalMapSpecificWorldObjectVector) {
        if ((object->getPropertyFlags() & WORLD_OBJECT_PROPERTY_SOLID) &&
            BoundingBox::checkCollision(object->getBBox(), box)) {
            return object;
        }
    }
    return nullptr;
}

void player::eject(int side) {
    switch (side) {
    case kLeft:
        while (blocked(kRight, 0)) {
            x--;
        }
        break;
    case kRight:
        while (blocked(kLeft, 0)) {
            x++;
        }
        break;
    case kDown:
        while (blocked(kUp, 0)) {
            y++;
        }
        break;
    case kUp:
        // Past a step's height the way up is a wall, so the player is moved off it sideways.
        for (int climbed = 0; blocked(kDown, 0); climbed++) {
            if (climbed > kStepHeight) {
                eject(oppositeSide(direction));
            }
            y--;
        }
        break;
    default:
        break;
    }
}

player::Footing player::checkFall() {
    if (blocked(kDown, 1)) {
        return Footing::Standing;
    }
    // Ground at the step height below the feet is one row further down than the feet reach:
    // probing only step height rows down would make a step of exactly that height a fall.
    if (falling || !blocked(kDown, kStepHeight + 1)) {
        return Footing::Falling;
    }
    // Walks down slopes and steps of up to 8 pixels, 1 pixel per tick.
    y++;
    return Footing::Standing;
}
