#include "WONPC.h"

WONPC::WONPC() {
    setObjectType(WORLD_OBJECT_NPC);
    addPropertyFlags(WORLD_OBJECT_PROPERTY_NPC);
    addEditorInfo("Sad state", WorldObjectEditorInfo::kFlag, &_sadState);
}
