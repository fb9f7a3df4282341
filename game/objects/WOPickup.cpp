#include "WOPickup.h"

#include "engine/PXInit.h"
#include "engine/PXSound.h"
#include "game/core/ResourceManager.h"

void WOPickup::setObtained() {
    if (_obtained) {
        return;
    }
    _obtained = PX_TRUE;
    _sprite.setCurrentAnimation("shrink");
    if (PXSound* sound = ResourceManager::instance()->sound("itemCollect.wav")) {
        sound->play(0);
    }
}

int WOPickup::needsRemovalFromWorldObjectVector() const {
    return _obtained && _sprite.finishedAnimating() ? PX_TRUE : PX_FALSE;
}
