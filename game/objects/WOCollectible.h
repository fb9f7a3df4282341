// WOCollectible: the base of the counted collectibles (hex nuts).
#pragma once

#include "WOPickup.h"

class WOCollectible : public WOPickup {
public:
    // Type 7 with the collectible bit.
    WOCollectible();
};
