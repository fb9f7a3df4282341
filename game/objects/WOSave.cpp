#include "WOSave.h"

#include "engine/PXInit.h"

WOSave::WOSave() {
    setObjectType(WORLD_OBJECT_SAVE);
    loadSprite(sprite(), "saveStation.txt", "saveStation");
}

int WOSave::trigger(void*) {
    return PX_TRUE;
}

void WOSave::logic() {
    sprite().logic();
    updateCurrentBBox();
}
