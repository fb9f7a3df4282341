#include "WOCrate.h"

#include "WorldObjectRecord.h"

WOCrate::WOCrate() {
    setObjectType(WORLD_OBJECT_CRATE);
    showSprite("crate.txt", "crate");
}

bool WOCrate::saveFields(FILE* stream) const {
    return writeRecordInteger(stream, pushResistance());
}

bool WOCrate::loadFields(FILE* stream, int) {
    int resistance = 0;
    if (!readRecordInteger(stream, resistance)) {
        return false;
    }
    setPushResistance(resistance);
    return true;
}
