#include "WOPushable.h"

#include "WorldObjectVector.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

WOPushable::WOPushable() {
    setObjectType(WORLD_OBJECT_PUSHABLE);
    addPropertyFlags(WORLD_OBJECT_PROPERTY_PUSHABLE);
    setPosition(100, 50);
}

int WOPushable::push(int side, int amount) {
    // A resistance read from a file may be 0; it never divides by zero.
    const int resistance = std::max(1, _pushResistance);
    _pushProgress += static_cast<float>(amount) * (100.0f / static_cast<float>(resistance)) * 0.01f;
    if (_pushProgress < 1.0f) {
        return 0;
    }
    const float whole = std::floor(_pushProgress);
    _pushProgress -= whole;
    return move(side, static_cast<int>(whole));
}

int WOPushable::move(int side, int distance) {
    if (WOPushable* neighbour = pushableNeighbour(side)) {
        distance = neighbour->push(side, distance);
        if (distance == 0) {
            return 0;
        }
    }
    const int startX = getXPos();
    const int startY = getYPos();
    WorldObject::move(side, distance);
    const bool horizontal = side == kSideLeft || side == kSideRight;
    return horizontal ? std::abs(getXPos() - startX) : std::abs(getYPos() - startY);
}

WOPushable* WOPushable::pushableNeighbour(int side) {
    if (globalMapSpecificWorldObjectVector == nullptr ||
        (side != kSideLeft && side != kSideRight)) {
        return nullptr;
    }
    updateCurrentBBox();
    const BoundingBox column =
        side == kSideLeft ? getBBox()->columnLeftOf(1) : getBBox()->columnRightOf(1);
    for (WorldObject* other : *globalMapSpecificWorldObjectVector) {
        auto* pushable = dynamic_cast<WOPushable*>(other);
        if (pushable != nullptr && pushable != this &&
            (pushable->getPropertyFlags() & WORLD_OBJECT_PROPERTY_PUSHABLE) != 0 &&
            BoundingBox::checkCollision(pushable->getBBox(), &column)) {
            return pushable;
        }
    }
    return nullptr;
}
