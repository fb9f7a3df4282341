#include "WOSolid.h"

WOSolid::WOSolid() {
    setObjectType(WORLD_OBJECT_SOLID);
    addPropertyFlags(WORLD_OBJECT_PROPERTY_SOLID);
}
