#include "SoundUtilities.h"

#include "game/world/BoundingBox.h"

#include <cmath>
#include <cstdlib>

namespace {

constexpr int FULL_VOLUME = 128;
// The distance the fall-off is measured from, and how many pixels cost one volume step.
constexpr int FALL_OFF_START = 5;
constexpr int PIXELS_PER_VOLUME_STEP = 2;

struct Point {
    int x;
    int y;
};

Point centreOf(const BoundingBox* box) {
    return {box->getLeftBound() + (box->getRightBound() - box->getLeftBound()) / 2,
            box->getTopBound() + (box->getBottomBound() - box->getTopBound()) / 2};
}

} // namespace

int volumeForSound(const BoundingBox* a, const BoundingBox* b) {
    const Point centreA = centreOf(a);
    const Point centreB = centreOf(b);
    const double dx = std::abs(centreA.x - centreB.x);
    const double dy = std::abs(centreA.y - centreB.y);
    const int distance = static_cast<int>(std::sqrt(dx * dx + dy * dy));
    const int volume = FULL_VOLUME - (distance - FALL_OFF_START) / PIXELS_PER_VOLUME_STEP;
    return volume < 0 ? 0 : volume;
}
