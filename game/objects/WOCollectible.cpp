#include "WOCollectible.h"

WOCollectible::WOCollectible() {
    setObjectType(WORLD_OBJECT_COLLECTIBLE);
    addPropertyFlags(WORLD_OBJECT_PROPERTY_COLLECTIBLE);
}
