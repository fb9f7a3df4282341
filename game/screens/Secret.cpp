#include "Secret.h"

#include "engine/PXInit.h"

void Secret::unlock() {
    _unlocked = PX_TRUE;
}
