// WOSnail: a snail crawling along the tile surfaces, around outer corners and up onto tiles in
// its way, on floors, walls and ceilings alike.
#pragma once

#include "WOOrientedCreature.h"
#include "engine/PXTimer.h"

#include <initializer_list>

class WOSnail : public WOOrientedCreature {
public:
    // Type 404, drawn over the upper tiles, crawling up with its shell to the right.
    WOSnail();

    // Every 5 ticks: turns at a tile corner where the surface asks for it, then crawls a pixel.
    void logic() override;
    // Shows the animation named by direction and orientation; an orientation along the
    // direction is turned across it, as a shell must face away from the surface.
    void forceStateUpdate() override;
    // The "Direction" text.
    const char* direction() const { return _direction; }

protected:
    // Writes "Orientation" and "Direction".
    bool saveFields(FILE* stream) const override;
    // Reads "Orientation" and "Direction"; texts that are no choice become the defaults.
    bool loadFields(FILE* stream, int storedVersion) override;

private:
    // True when the position lies on a tile corner, where turns happen.
    bool atTileCorner() const;
    // Climbs onto tiles ahead or goes around the corner of a surface that ended; false when
    // tiles close it in on every side.
    bool followSurface();
    // True when the tile a step toward each of the sides away from the snail's tile is solid.
    bool tileBlocked(std::initializer_list<int> steps) const;
    // Crawls toward the side with the shell facing the other.
    void turn(int direction, int orientation);

    PXTimer _moveTimer;
    char _direction[kTextFieldSize] = {};
    int _directionSide = kSideUp;
    int _orientationSide = kSideRight;
};
