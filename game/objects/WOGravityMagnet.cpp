#include "WOGravityMagnet.h"

#include "WorldObjectRecord.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Indexed by orientation number.
const std::vector<std::string> kOrientationTexts = {"Left", "Right", "Up", "Down"};
const char* const kAnimations[] = {"left", "right", "up", "down"};

int centreOf(int low, int high) {
    return low + (high - low) / 2;
}

} // namespace

WOGravityMagnet::WOGravityMagnet() {
    setObjectType(WORLD_OBJECT_GRAVITY_MAGNET);
    addEditorInfo("Orientation", WorldObjectEditorInfo::kChoice, {"Up", "Down", "Left", "Right"},
                  _orientation);
    showSprite("GravityMagnet.txt", "right");
}

int WOGravityMagnet::getOrientation() const {
    for (int orientation = kLeft; orientation <= kDown; orientation++) {
        if (kOrientationTexts[orientation] == _orientation) {
            return orientation;
        }
    }
    return kRight;
}

void WOGravityMagnet::setOrientation(int orientation) {
    const std::string& text =
        kOrientationTexts[orientation >= kLeft && orientation <= kUp ? orientation : kDown];
    strcpy(_orientation, text.c_str());
}

int WOGravityMagnet::forceOnBoundingBox(const BoundingBox& box) {
    const int orientation = getOrientation();
    const bool horizontal = orientation == kLeft || orientation == kRight;
    const BoundingBox reach = horizontal
                                  ? BoundingBox(box.getLeftBound() - kRange, box.getTopBound(),
                                                box.getRightBound() + kRange, box.getBottomBound())
                                  : BoundingBox(box.getLeftBound(), box.getTopBound() - kRange,
                                                box.getRightBound(), box.getBottomBound() + kRange);
    updateCurrentBBox();
    const BoundingBox& own = *getBBox();
    if (!BoundingBox::checkCollision(&reach, &own)) {
        return 0;
    }
    const int distance = horizontal ? centreOf(own.getLeftBound(), own.getRightBound()) -
                                          centreOf(box.getLeftBound(), box.getRightBound())
                                    : centreOf(own.getTopBound(), own.getBottomBound()) -
                                          centreOf(box.getTopBound(), box.getBottomBound());
    if (std::abs(distance) >= kRange) {
        return 0;
    }
    const int sign = orientation == kLeft || orientation == kUp ? -1 : 1;
    return sign * kStrength * (kRange - std::abs(distance)) / kRange;
}

void WOGravityMagnet::logic() {
    forceStateUpdate();
    sprite().logic();
    updateCurrentBBox();
}

void WOGravityMagnet::forceStateUpdate() {
    const int orientation = getOrientation();
    if (orientation != _lastOrientation) {
        sprite().setCurrentAnimation(kAnimations[orientation]);
        _lastOrientation = orientation;
    }
}

bool WOGravityMagnet::saveFields(FILE* stream) const {
    return writeRecordInteger(stream, getOrientation());
}

bool WOGravityMagnet::loadFields(FILE* stream, int) {
    int orientation = 0;
    if (!readRecordInteger(stream, orientation)) {
        return false;
    }
    setOrientation(orientation);
    return true;
}
