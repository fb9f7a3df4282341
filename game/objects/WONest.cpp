#include "WONest.h"

#include "WorldObjectRecord.h"
#include "engine/PXInit.h"

WONest::WONest() {
    setObjectType(WORLD_OBJECT_NEST);
    addEditorInfo("Sad state", WorldObjectEditorInfo::kFlag, &_sadState);
    loadSprite(sprite(), "nest.txt", "sad");
}

void WONest::setSadState(int sad) {
    _sadState = sad ? PX_TRUE : PX_FALSE;
    forceStateUpdate();
}

bool WONest::saveFields(FILE* stream) const {
    return writeRecordInteger(stream, _sadState);
}

bool WONest::loadFields(FILE* stream, int) {
    return readRecordInteger(stream, _sadState);
}

void WONest::logic() {
    sprite().logic();
    updateCurrentBBox();
}

void WONest::forceStateUpdate() {
    sprite().setCurrentAnimation(_sadState ? "sad" : "happy", PX_FALSE);
    updateCurrentBBox();
}
