#include "WOToggleable.h"

#include "WorldObjectVector.h"

#include <cstring>

WOToggleable::WOToggleable() {
    setObjectType(WORLD_OBJECT_TOGGLEABLE);
    addPropertyFlags(WORLD_OBJECT_PROPERTY_TOGGLEABLE);
    addEditorInfo("Object Label", WorldObjectEditorInfo::kText, _label);
    addEditorInfo("State", WorldObjectEditorInfo::kFlag, &_state);
}

WOToggleable* WOToggleable::labelledInCurrentMap(const char* label) {
    if (globalMapSpecificWorldObjectVector == nullptr || label == nullptr || label[0] == '\0') {
        return nullptr;
    }
    for (WorldObject* object : *globalMapSpecificWorldObjectVector) {
        if ((object->getPropertyFlags() & WORLD_OBJECT_PROPERTY_TOGGLEABLE) == 0) {
            continue;
        }
        auto* target = dynamic_cast<WOToggleable*>(object);
        if (target != nullptr && strncmp(target->label(), label, kTextFieldSize) == 0) {
            return target;
        }
    }
    return nullptr;
}
