#include "WOToggleable.h"

WOToggleable::WOToggleable() {
    setObjectType(WORLD_OBJECT_TOGGLEABLE);
    addPropertyFlags(WORLD_OBJECT_PROPERTY_TOGGLEABLE);
    addEditorInfo("Object Label", WorldObjectEditorInfo::kText, _label);
    addEditorInfo("State", WorldObjectEditorInfo::kFlag, &_state);
}
