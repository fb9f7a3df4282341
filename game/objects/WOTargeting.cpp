#include "WOTargeting.h"

#include "WOToggleable.h"
#include "WorldObjectVector.h"

#include <cstring>

WOTargeting::WOTargeting() {
    setObjectType(WORLD_OBJECT_TARGETING);
    addPropertyFlags(WORLD_OBJECT_PROPERTY_TARGETING);
    addEditorInfo("Target Label", WorldObjectEditorInfo::kText, _targetLabel);
}

WOToggleable* WOTargeting::findTarget() const {
    if (globalMapSpecificWorldObjectVector == nullptr || _targetLabel[0] == '\0') {
        return nullptr;
    }
    for (WorldObject* object : *globalMapSpecificWorldObjectVector) {
        if ((object->getPropertyFlags() & WORLD_OBJECT_PROPERTY_TOGGLEABLE) == 0) {
            continue;
        }
        auto* target = dynamic_cast<WOToggleable*>(object);
        if (target != nullptr && strncmp(target->label(), _targetLabel, kTextFieldSize) == 0) {
            return target;
        }
    }
    return nullptr;
}
