#include "WorldObjectVector.h"

#include "WOAccordian.h"
#include "WOApple.h"
#include "WOAreaNameDisplayer.h"
#include "WOBat.h"
#include "WOBird.h"
#include "WOBlueberry.h"
#include "WOBoosterPowerup.h"
#include "WOBridge.h"
#include "WOBug.h"
#include "WOConditionChecker.h"
#include "WOCrate.h"
#include "WOCreditsRunner.h"
#include "WODom.h"
#include "WODomPot.h"
#include "WODoubleJumpPowerup.h"
#include "WOFlipSwitch.h"
#include "WOFlowrian.h"
#include "WOGravityMagnet.h"
#include "WOGravityMagnetPowerup.h"
#include "WOHexNut.h"
#include "WOHighJumpPowerup.h"
#include "WOMapPowerup.h"
#include "WOMusicBox.h"
#include "WONPC.h"
#include "WONPCDoor.h"
#include "WONautilus.h"
#include "WONegg.h"
#include "WONest.h"
#include "WOOller.h"
#include "WOOrb.h"
#include "WOPickleBlock.h"
#include "WOPickup.h"
#include "WOPowerFistPowerup.h"
#include "WORaam.h"
#include "WOSave.h"
#include "WOSecretUnlocker.h"
#include "WOShip.h"
#include "WOSnail.h"
#include "WOSoundPlayer.h"
#include "WOTeleport.h"
#include "WOToggleDoor.h"
#include "WOVonil.h"
#include "WOWallJumpPowerup.h"
#include "WorldObject.h"
#include "WorldObjectRecord.h"
#include "engine/PXAtomicFile.h"
#include "engine/PXFileSystem.h"
#include "game/core/DataPaths.h"
#include "game/core/Log.h"
#include "game/screens/InGameMenu.h"
#include "game/world/Camera.h"
#include "game/world/Map.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <optional>
#include <string>

std::vector<WorldObject*>* globalWorldObjectVector = nullptr;
std::vector<WorldObject*>* globalMapSpecificWorldObjectVector = nullptr;

namespace {

constexpr const char* kWorldObjectListPath = "worldObjects.mol";

// A loadable object class: its type code, its class name without the "WO" prefix (as level
// sources name it), the line logged before it is created, the message logged when it cannot be
// allocated, and how to create it.
struct WorldObjectClass {
    int type;
    const char* name;
    const char* loadingMessage;
    const char* allocationFailure;
    WorldObject* (*create)();
};

template <class T> WorldObject* construct() {
    return new T();
}

// Each object class adds one line here: its code, its name, its loading line, its allocation
// failure message and construct<ItsClass>.
const std::vector<WorldObjectClass> kWorldObjectClasses = {
    {WORLD_OBJECT_CONDITION_CHECKER, "ConditionChecker", "Loading condition checker object.\n",
     "Couldn't instantiate new condition checker while loading world objects.\n",
     construct<WOConditionChecker>},
    {WORLD_OBJECT_SOUND_PLAYER, "SoundPlayer", "Loading sound player object.\n",
     "Couldn't instantiate new sound player while loading world objects.\n",
     construct<WOSoundPlayer>},
    {WORLD_OBJECT_AREA_NAME_DISPLAYER, "AreaNameDisplayer", "Loading area name displayer object.\n",
     "Couldn't instantiate new area name displayer while loading world objects.\n",
     construct<WOAreaNameDisplayer>},
    {WORLD_OBJECT_CREDITS_RUNNER, "CreditsRunner", "Loading credits runner object.\n",
     "Couldn't instantiate new credits runner while loading world objects.\n",
     construct<WOCreditsRunner>},
    {WORLD_OBJECT_SECRET_UNLOCKER, "SecretUnlocker", "Loading secret unlocker object.\n",
     "Couldn't instantiate new secret unlocker while loading world objects.\n",
     construct<WOSecretUnlocker>},
    {WORLD_OBJECT_CRATE, "Crate", "Loading crate object.\n",
     "Unable to instantiate WOCrate while loading world objects\n", construct<WOCrate>},
    {WORLD_OBJECT_SAVE, "Save", "Loading save object.\n",
     "Unable to instantiate WOSave while loading world objects\n", construct<WOSave>},
    {WORLD_OBJECT_GRAVITY_MAGNET, "GravityMagnet", "Loading gravity magnet object.\n",
     "Unable to instantiate WOGravityMagnet while loading world objects\n",
     construct<WOGravityMagnet>},
    {WORLD_OBJECT_MUSIC_BOX, "MusicBox", "Loading music box object.\n",
     "Couldn't instantiate new music box object while loading world objects.\n",
     construct<WOMusicBox>},
    {WORLD_OBJECT_ACCORDIAN, "Accordian", "Loading accordian object.\n",
     "Couldn't instantiate new accordian object while loading world objects.\n",
     construct<WOAccordian>},
    {WORLD_OBJECT_DOM_POT, "DomPot", "Loading dom pot object.\n",
     "Couldn't instantiate new dom pot object while loading world objects.\n", construct<WODomPot>},
    {WORLD_OBJECT_BRIDGE, "Bridge", "Loading bridge object.\n",
     "Couldn't instantiate new bridge object while loading world objects.\n", construct<WOBridge>},
    {WORLD_OBJECT_FLIP_SWITCH, "FlipSwitch", "Loading flip switch object.\n",
     "Couldn't instantiate new flip switch object while loading world objects.\n",
     construct<WOFlipSwitch>},
    {WORLD_OBJECT_BLUEBERRY, "Blueberry", "Loading blueberry object.\n",
     "Couldn't instantiate new blueberry object while loading world objects.\n",
     construct<WOBlueberry>},
    {WORLD_OBJECT_APPLE, "Apple", "Loading apple object.\n",
     "Couldn't instantiate new apple object while loading world objects.\n", construct<WOApple>},
    {WORLD_OBJECT_NEST, "Nest", "Loading nest object.\n",
     "Couldn't instantiate new nest object while loading world objects.\n", construct<WONest>},
    {WORLD_OBJECT_TELEPORT, "Teleport", "Loading teleport object.\n",
     "Couldn't instantiate new teleport object while loading world objects.\n",
     construct<WOTeleport>},
    {WORLD_OBJECT_TOGGLE_DOOR, "ToggleDoor", "Loading toggle door object.\n",
     "Couldn't instantiate new toggle door object while loading world objects.\n",
     construct<WOToggleDoor>},
    {WORLD_OBJECT_NPC_DOOR, "NPCDoor", "Loading npc door object.\n",
     "Couldn't instantiate new npc door object while loading world objects.\n",
     construct<WONPCDoor>},
    {WORLD_OBJECT_FLOWRIAN, "Flowrian", "Loading flowrian object.\n",
     "Unable to instantiate WOFlowrian while loading world objects\n", construct<WOFlowrian>},
    {WORLD_OBJECT_NEGG, "Negg", "Loading negg object.\n",
     "Unable to instantiate WONegg while loading world objects\n", construct<WONegg>},
    {WORLD_OBJECT_OLLER, "Oller", "Loading oller object.\n",
     "Unable to instantiate WOOller while loading world objects\n", construct<WOOller>},
    {WORLD_OBJECT_DOM, "Dom", "Loading dom object.\n",
     "Unable to instantiate WODom while loading world objects\n", construct<WODom>},
    {WORLD_OBJECT_RAAM, "Raam", "Loading raam object.\n",
     "Unable to instantiate WORaam while loading world objects\n", construct<WORaam>},
    {WORLD_OBJECT_VONIL, "Vonil", "Loading vonil object.\n",
     "Unable to instantiate WOVonil while loading world objects\n", construct<WOVonil>},
    {WORLD_OBJECT_MAP_POWERUP, "MapPowerup", "Loading map powerup object.\n",
     "Unable to instantiate WOMapPowerup while loading world objects\n", construct<WOMapPowerup>},
    {WORLD_OBJECT_DOUBLE_JUMP_POWERUP, "DoubleJumpPowerup", "Loading double jump powerup object.\n",
     "Unable to instantiate WODoubleJumpPowerup while loading world objects\n",
     construct<WODoubleJumpPowerup>},
    {WORLD_OBJECT_WALL_JUMP_POWERUP, "WallJumpPowerup", "Loading wall jump powerup object.\n",
     "Unable to instantiate WOWallJumpPowerup while loading world objects\n",
     construct<WOWallJumpPowerup>},
    {WORLD_OBJECT_POWER_FIST_POWERUP, "PowerFistPowerup", "Loading power fist powerup object.\n",
     "Unable to instantiate WOPowerFistPowerup while loading world objects\n",
     construct<WOPowerFistPowerup>},
    {WORLD_OBJECT_HIGH_JUMP_POWERUP, "HighJumpPowerup", "Loading high jump powerup object.\n",
     "Unable to instantiate WOHighJumpPowerup while loading world objects\n",
     construct<WOHighJumpPowerup>},
    {WORLD_OBJECT_GRAVITY_MAGNET_POWERUP, "GravityMagnetPowerup",
     "Loading gravity magnet powerup object.\n",
     "Unable to instantiate WOGravityMagnetPowerup while loading world objects\n",
     construct<WOGravityMagnetPowerup>},
    {WORLD_OBJECT_BOOSTER_POWERUP, "BoosterPowerup", "Loading booster powerup object.\n",
     "Unable to instantiate WOBoosterPowerup while loading world objects\n",
     construct<WOBoosterPowerup>},
    {WORLD_OBJECT_BIRD, "Bird", "Loading bird object.\n",
     "Couldn't instantiate new bird while loading world objects.\n", construct<WOBird>},
    {WORLD_OBJECT_BAT, "Bat", "Loading bat object.\n",
     "Couldn't instantiate new bat while loading world objects.\n", construct<WOBat>},
    {WORLD_OBJECT_BUG, "Bug", "Loading bug object.\n",
     "Couldn't instantiate new bug while loading world objects.\n", construct<WOBug>},
    {WORLD_OBJECT_NAUTILUS, "Nautilus", "Loading nautilus object.\n",
     "Couldn't instantiate new nautilus while loading world objects.\n", construct<WONautilus>},
    {WORLD_OBJECT_SNAIL, "Snail", "Loading snail object.\n",
     "Couldn't instantiate new snail while loading world objects.\n", construct<WOSnail>},
    {WORLD_OBJECT_SHIP, "Ship", "Loading ship object.\n",
     "Couldn't instantiate new ship while loading world objects.\n", construct<WOShip>},
    {WORLD_OBJECT_PICKLE_BLOCK, "PickleBlock", "Loading pickle block object.\n",
     "Couldn't instantiate new pickle block while loading world objects.\n",
     construct<WOPickleBlock>},
    {WORLD_OBJECT_ORB, "Orb", "Loading orb object.\n",
     "Couldn't instantiate new orb while loading world objects.\n", construct<WOOrb>},
    {WORLD_OBJECT_HEX_NUT, "HexNut", "Loading hex nut object.\n",
     "Couldn't instantiate hex nut while loading world objects.\n", construct<WOHexNut>},
};

std::vector<WorldObject*> _globalPendingRemovalWorldObjectVector;
int _collectedHexNuts = 0;
WorldObjectHolder* worldObjectHolder = nullptr;
WorldObjectFactory factoryForTesting = nullptr;

std::vector<WorldObject*>& ownedObjects() {
    if (globalWorldObjectVector == nullptr) {
        globalWorldObjectVector = new std::vector<WorldObject*>();
    }
    return *globalWorldObjectVector;
}

const WorldObjectClass* classNamed(const char* name) {
    const auto known =
        std::find_if(kWorldObjectClasses.begin(), kWorldObjectClasses.end(),
                     [name](const WorldObjectClass& c) { return strcmp(c.name, name) == 0; });
    return known != kWorldObjectClasses.end() ? &*known : nullptr;
}

const WorldObjectClass* classOfType(int type) {
    const auto known = std::find_if(kWorldObjectClasses.begin(), kWorldObjectClasses.end(),
                                    [type](const WorldObjectClass& c) { return c.type == type; });
    return known != kWorldObjectClasses.end() ? &*known : nullptr;
}

// Null for a type code without a class, after logging why.
std::unique_ptr<WorldObject> createWorldObject(int type) {
    if (const WorldObjectClass* known = classOfType(type)) {
        globalLog->write("%s", known->loadingMessage);
        try {
            return std::unique_ptr<WorldObject>(known->create());
        } catch (const std::bad_alloc&) {
            globalLog->write("%s", known->allocationFailure);
            throw;
        }
    }
    if (factoryForTesting != nullptr) {
        if (WorldObject* object = factoryForTesting(type)) {
            return std::unique_ptr<WorldObject>(object);
        }
    }
    globalLog->write("Fatal error: unable to parse \"%s\"\nThis most likely means there is some "
                     "object type (%d) that is unhandled in load.\n",
                     globalDataPaths.readPath(kWorldObjectListPath).c_str(), type);
    return nullptr;
}

// Empties every vector and destroys the objects, after everyone holding one has let go.
void destroyEveryObject() {
    if (worldObjectHolder != nullptr) {
        worldObjectHolder->releaseAllWorldObjects();
    }
    if (globalCamera != nullptr && dynamic_cast<WorldObject*>(globalCamera->getTarget())) {
        globalCamera->setTarget(nullptr);
    }
    _globalPendingRemovalWorldObjectVector.clear();
    if (globalMapSpecificWorldObjectVector != nullptr) {
        globalMapSpecificWorldObjectVector->clear();
    }
    if (globalWorldObjectVector != nullptr) {
        for (WorldObject* object : *globalWorldObjectVector) {
            delete object;
        }
        globalWorldObjectVector->clear();
    }
}

// Reads one record into the list; false when the record is unknown, bad or short.
bool readOneObject(FILE* stream, WorldObjectList& objects, int index, int count) {
    int type = 0;
    if (!readRecordInteger(stream, type)) {
        return false;
    }
    std::unique_ptr<WorldObject> object = createWorldObject(type);
    if (object == nullptr) {
        return false;
    }
    if (!object->load(stream)) {
        globalLog->write("Unable to read world object %d of %d (type %d); loading stops\n", index,
                         count, type);
        return false;
    }
    objects.push_back(std::move(object));
    return true;
}

// The in-game menu's counts follow every rebuild; the tools and many tests run without it.
void recalculateInGameMenuInformation() {
    if (globalInGameMenu != nullptr) {
        globalInGameMenu->calculateInformation();
    }
}

const char* currentMapName() {
    return globalMap != nullptr ? globalMap->getFilename() : nullptr;
}

bool removeObject(WorldObject* object) {
    if (globalWorldObjectVector == nullptr) {
        return false;
    }
    const auto found =
        std::find(globalWorldObjectVector->begin(), globalWorldObjectVector->end(), object);
    if (found == globalWorldObjectVector->end()) {
        return false;
    }
    if (worldObjectHolder != nullptr) {
        worldObjectHolder->releaseWorldObject(object);
    }
    if (globalCamera != nullptr && globalCamera->getTarget() == object) {
        globalCamera->setTarget(nullptr);
    }
    std::erase(_globalPendingRemovalWorldObjectVector, object);
    globalWorldObjectVector->erase(found);
    delete object;
    recreateMapSpecificWorldObjectVector(currentMapName());
    return true;
}

WorldObject* firstObtainedObject() {
    if (globalMapSpecificWorldObjectVector == nullptr) {
        return nullptr;
    }
    constexpr int kPickupBits = WORLD_OBJECT_PROPERTY_POWERUP | WORLD_OBJECT_PROPERTY_COLLECTIBLE;
    for (WorldObject* object : *globalMapSpecificWorldObjectVector) {
        if ((object->getPropertyFlags() & kPickupBits) == 0) {
            continue;
        }
        const auto* pickup = dynamic_cast<const WOPickup*>(object);
        if (pickup != nullptr && pickup->needsRemovalFromWorldObjectVector()) {
            return object;
        }
    }
    return nullptr;
}

bool contains(const std::vector<WorldObject*>* objects, const WorldObject* object) {
    return objects != nullptr &&
           std::find(objects->begin(), objects->end(), object) != objects->end();
}

// Stops the sound players the current map held and holds no more: their logic no longer runs to
// do it. Only objects still in the world are asked; a removed one is gone already.
void silenceSoundPlayersLeftBehind(const std::vector<WorldObject*>& before) {
    for (WorldObject* object : before) {
        if (!contains(globalMapSpecificWorldObjectVector, object) &&
            contains(globalWorldObjectVector, object) &&
            object->getObjectType() == WORLD_OBJECT_SOUND_PLAYER) {
            static_cast<WOSoundPlayer*>(object)->silence();
        }
    }
}

} // namespace

void setWorldObjectHolder(WorldObjectHolder* holder) {
    worldObjectHolder = holder;
}

WorldObject* createWorldObjectNamed(const char* className) {
    const WorldObjectClass* known = classNamed(className);
    return known != nullptr ? known->create() : nullptr;
}

const char* worldObjectClassName(int type) {
    const WorldObjectClass* known = classOfType(type);
    return known != nullptr ? known->name : nullptr;
}

void setWorldObjectFactoryForTesting(WorldObjectFactory factory) {
    factoryForTesting = factory;
}

bool loadWorldObjects(WorldObjectProgress progress) {
    const std::string path = globalDataPaths.readPath(kWorldObjectListPath);
    globalLog->write("Loading world objects from: %s\n", path.c_str());
    const PXFileHandle stream = PXOpenFile(path.c_str(), "rb");
    if (stream == nullptr) {
        globalLog->write("Unable to open file. No objects loaded\n");
        return false;
    }
    return loadWorldObjects(stream.get(), progress);
}

bool loadWorldObjects(FILE* stream, WorldObjectProgress progress) {
    WorldObjectList objects;
    const bool complete = readWorldObjects(stream, objects, progress);
    // A list cut short keeps the objects read before the fault and the count collected so far.
    replaceWorldObjects(std::move(objects), complete ? 0 : _collectedHexNuts);
    return complete;
}

bool readWorldObjects(FILE* stream, WorldObjectList& objects, WorldObjectProgress progress) {
    int count = 0;
    if (!readRecordInteger(stream, count)) {
        return false;
    }
    globalLog->write("%d objects to load from objects list\n", count);
    if (count < 0) {
        globalLog->write("A world object list cannot hold %d objects\n", count);
        return false;
    }
    for (int index = 0; index < count; index++) {
        if (!readOneObject(stream, objects, index, count)) {
            return false;
        }
        if (progress != nullptr) {
            progress(index, count - 1);
        }
    }
    return true;
}

void replaceWorldObjects(WorldObjectList objects, int collectedHexNuts) {
    destroyEveryObject();
    for (std::unique_ptr<WorldObject>& object : objects) {
        WorldObject* adopted = object.get();
        ownedObjects().push_back(adopted);
        object.release();
        if (adopted->getOwnerMap() == nullptr && worldObjectHolder != nullptr) {
            worldObjectHolder->addObjectToInventory(adopted);
        }
    }
    _collectedHexNuts = collectedHexNuts;
}

namespace {

int worldObjectCount() {
    return globalWorldObjectVector != nullptr ? static_cast<int>(globalWorldObjectVector->size())
                                              : 0;
}

} // namespace

bool saveWorldObjects(WorldObjectProgress progress) {
    const std::optional<std::string> path = globalDataPaths.writePath(kWorldObjectListPath);
    if (!path) {
        globalLog->write("Unable to save file. No objects saved\n");
        return false;
    }
    globalLog->write("Saving world objects to: %s\n", path->c_str());
    PXAtomicFile file(*path);
    if (file.stream() == nullptr || !saveWorldObjects(file.stream(), progress) || !file.commit()) {
        globalLog->write("Unable to save file. No objects saved\n");
        return false;
    }
    return true;
}

bool saveWorldObjects(FILE* stream, WorldObjectProgress progress) {
    globalLog->write("%d objects to save to world object\n", worldObjectCount());
    return writeWorldObjects(stream, progress);
}

bool writeWorldObjects(FILE* stream, WorldObjectProgress progress) {
    const int count = worldObjectCount();
    if (!writeRecordInteger(stream, count)) {
        return false;
    }
    for (int index = 0; index < count; index++) {
        if (!(*globalWorldObjectVector)[index]->save(stream)) {
            return false;
        }
        if (progress != nullptr) {
            progress(index, count - 1);
        }
    }
    return true;
}

void destroyWorldObjects() {
    destroyEveryObject();
    delete globalWorldObjectVector;
    globalWorldObjectVector = nullptr;
}

void recreateMapSpecificWorldObjectVector(const char* mapName) {
    if (globalMapSpecificWorldObjectVector == nullptr) {
        globalMapSpecificWorldObjectVector = new std::vector<WorldObject*>();
    }
    const std::vector<WorldObject*> before = *globalMapSpecificWorldObjectVector;
    globalMapSpecificWorldObjectVector->clear();
    if (mapName != nullptr && globalWorldObjectVector != nullptr) {
        for (WorldObject* object : *globalWorldObjectVector) {
            const char* owner = object->getOwnerMap();
            if (owner != nullptr && strcmp(owner, mapName) == 0) {
                globalLog->write(
                    "Adding object at 0x%x (type: %d) to map specific object vector\n",
                    static_cast<unsigned int>(reinterpret_cast<std::uintptr_t>(object)),
                    object->getObjectType());
                globalMapSpecificWorldObjectVector->push_back(object);
            }
        }
    }
    silenceSoundPlayersLeftBehind(before);
    recalculateInGameMenuInformation();
}

void setObjectToBeRemovedFromWorldObjectVector(WorldObject* object) {
    auto& pending = _globalPendingRemovalWorldObjectVector;
    if (std::find(pending.begin(), pending.end(), object) == pending.end()) {
        pending.push_back(object);
    }
}

void processPendingRemovalWorldObjects() {
    std::vector<WorldObject*> pending;
    pending.swap(_globalPendingRemovalWorldObjectVector);
    for (WorldObject* object : pending) {
        removeObject(object);
    }
}

void removeWorldObjectFromWorldObjectVector(WorldObject* object) {
    removeObject(object);
}

void removeObtainedWorldObjects() {
    while (WorldObject* obtained = firstObtainedObject()) {
        const bool hexNut = obtained->getObjectType() == WORLD_OBJECT_HEX_NUT;
        if (!removeObject(obtained)) {
            return;
        }
        if (hexNut) {
            collectedAHexNut();
        }
    }
}

bool saveCollectibleInfo(FILE* stream) {
    return writeRecordInteger(stream, _collectedHexNuts);
}

bool loadCollectibleInfo(FILE* stream) {
    int count = 0;
    if (!readRecordInteger(stream, count)) {
        return false;
    }
    _collectedHexNuts = count;
    return true;
}

int collectedHexNutCount() {
    return _collectedHexNuts;
}

void collectedAHexNut() {
    _collectedHexNuts++;
}

void worldObjectVectorCountNPCsAndCollectibles(int& flowrianTotal, int& flowrianHappy,
                                               int& neggTotal, int& neggHappy, int& raamTotal,
                                               int& raamHappy, int& domTotal, int& domHappy,
                                               int& vonilTotal, int& vonilHappy, int& ollerTotal,
                                               int& ollerHappy, int& hexNutTotal,
                                               int& hexNutsCollected) {
    struct RaceCount {
        int* total;
        int* happy;
    };
    // Indexed by type code minus WORLD_OBJECT_FLOWRIAN.
    const RaceCount races[] = {{&flowrianTotal, &flowrianHappy}, {&neggTotal, &neggHappy},
                               {&ollerTotal, &ollerHappy},       {&domTotal, &domHappy},
                               {&raamTotal, &raamHappy},         {&vonilTotal, &vonilHappy}};
    const std::vector<WorldObject*> none;
    for (const WorldObject* object : globalWorldObjectVector ? *globalWorldObjectVector : none) {
        const int type = object->getObjectType();
        const auto* npc = dynamic_cast<const WONPC*>(object);
        if (type >= WORLD_OBJECT_FLOWRIAN && type <= WORLD_OBJECT_VONIL && npc != nullptr &&
            (npc->getPropertyFlags() & WORLD_OBJECT_PROPERTY_NPC) != 0) {
            const RaceCount& race = races[type - WORLD_OBJECT_FLOWRIAN];
            ++*race.total;
            *race.happy += npc->getSadState() ? 0 : 1;
        }
        if (type == WORLD_OBJECT_HEX_NUT &&
            (object->getPropertyFlags() & WORLD_OBJECT_PROPERTY_COLLECTIBLE) != 0) {
            hexNutTotal++;
        }
    }
    hexNutsCollected = _collectedHexNuts;
    hexNutTotal += _collectedHexNuts;
}
