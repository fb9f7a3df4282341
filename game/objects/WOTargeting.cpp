#include "WOTargeting.h"

#include "WOToggleable.h"

WOTargeting::WOTargeting() {
    setObjectType(WORLD_OBJECT_TARGETING);
    addPropertyFlags(WORLD_OBJECT_PROPERTY_TARGETING);
    addEditorInfo("Target Label", WorldObjectEditorInfo::kText, _targetLabel);
}

WOToggleable* WOTargeting::findTarget() const {
    return WOToggleable::labelledInCurrentMap(_targetLabel);
}
