// WOHexNut: a collectible the in-game menu counts.
#pragma once

#include "WOCollectible.h"

class WOHexNut : public WOCollectible {
public:
    // Type 500, "hexNut.txt" showing "shine".
    WOHexNut();
};
