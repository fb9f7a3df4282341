#include "WOPowerup.h"

WOPowerup::WOPowerup() {
    setObjectType(WORLD_OBJECT_POWERUP);
    addPropertyFlags(WORLD_OBJECT_PROPERTY_POWERUP);
}
