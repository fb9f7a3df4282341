// The world object list: every object of the game in one owning vector, read from and written
// to "worldObjects.mol" of the data tree (the same bytes are embedded in saved games), the vector
// of the current map's objects, deferred removal and the counts the menus and conditions read.
#pragma once

#include <cstdio>
#include <memory>
#include <vector>

class WorldObject;

// Every world object of the game in file order; owns them. Created by init().
extern std::vector<WorldObject*>* globalWorldObjectVector;
// The objects whose owner map is the current map's, in the order of the global vector; owns
// none. Created by init() and rebuilt on every map load.
extern std::vector<WorldObject*>* globalMapSpecificWorldObjectVector;

// Called with (index, last index) after each object read or written.
using WorldObjectProgress = void (*)(int, int);

// Whoever keeps pointers to world objects outside the vectors (the player: held object,
// follower, inventory) registers itself, so the list never leaves it holding a destroyed object.
class WorldObjectHolder {
public:
    virtual ~WorldObjectHolder() = default;
    // Forgets the held object, the follower and the whole inventory: every object is replaced.
    virtual void releaseAllWorldObjects() = 0;
    // Forgets every reference to the object, which is about to be destroyed.
    virtual void releaseWorldObject(WorldObject* object) = 0;
    // Takes a loaded object without owner map into the inventory.
    virtual void addObjectToInventory(WorldObject* object) = 0;
};

// Registers the holder (not owned); null unregisters.
void setWorldObjectHolder(WorldObjectHolder* holder);

// Creates one object of a type code, for loading. Each object class adds its line to the table
// in the source; tests may install a factory for codes the table lacks.
using WorldObjectFactory = WorldObject* (*)(int type);
// A new object of the class named without its "WO" prefix ("Flowrian"), as the level sources
// name them; null for a name no class has.
WorldObject* createWorldObjectNamed(const char* className);
// The class name without its "WO" prefix of a type code; null for a code no class has.
const char* worldObjectClassName(int type);
// Installs the factory consulted for codes the table lacks; null removes it.
void setWorldObjectFactoryForTesting(WorldObjectFactory factory);

// Replaces every object with those of the world object list (the user's own first); false (with the
// reason logged) when it cannot be opened or holds a bad record, the objects read before it
// staying.
bool loadWorldObjects(WorldObjectProgress progress);
// Replaces every object with those of the stream; false on a bad or short record.
bool loadWorldObjects(FILE* stream, WorldObjectProgress progress);
// Replaces the world object list in the folder written to atomically with every object; false
// when it failed.
bool saveWorldObjects(WorldObjectProgress progress);
// Writes the count and every object's record; false when a write failed.
bool saveWorldObjects(FILE* stream, WorldObjectProgress progress);
// The same without the log line, for callers that write the list often (the editor's undo).
bool writeWorldObjects(FILE* stream, WorldObjectProgress progress);
// Objects read from a list, owned here until they replace the game's.
using WorldObjectList = std::vector<std::unique_ptr<WorldObject>>;
// Reads a count and that many records into the list without touching the game's objects; false
// on a bad or short record, the list keeping the objects read before it.
bool readWorldObjects(FILE* stream, WorldObjectList& objects, WorldObjectProgress progress);
// Replaces every object of the game with the list's, in order (those without owner map go to the
// inventory), and sets the collected hex nut count.
void replaceWorldObjects(WorldObjectList objects, int collectedHexNuts);
// Destroys every object and empties all the vectors (shutdown).
void destroyWorldObjects();

// Rebuilds the current map's vector from the objects owned by the named map; null leaves it
// empty.
void recreateMapSpecificWorldObjectVector(const char* mapName);

// Queues the object for removal after the tick's object loop; an object queued already is
// ignored.
void setObjectToBeRemovedFromWorldObjectVector(WorldObject* object);
// Removes every queued object.
void processPendingRemovalWorldObjects();
// Drops every reference to the object, destroys it and rebuilds the current map's vector;
// nothing for an object the list does not hold.
void removeWorldObjectFromWorldObjectVector(WorldObject* object);
// Removes, one after the other, the powerups and collectibles of the current map that have
// shrunk away, counting hex nuts as collected.
void removeObtainedWorldObjects();

// Writes the collected hex nut count; false when the write failed.
bool saveCollectibleInfo(FILE* stream);
// Reads the collected hex nut count; false at the end of the stream.
bool loadCollectibleInfo(FILE* stream);
// Hex nuts collected in this game.
int collectedHexNutCount();
// Counts one more collected hex nut.
void collectedAHexNut();

// Adds, per race, the inhabitants and the happy ones, then the hex nuts (collected ones
// included) and the collected ones. Callers zero the counts first.
void worldObjectVectorCountNPCsAndCollectibles(int& flowrianTotal, int& flowrianHappy,
                                               int& neggTotal, int& neggHappy, int& raamTotal,
                                               int& raamHappy, int& domTotal, int& domHappy,
                                               int& vonilTotal, int& vonilHappy, int& ollerTotal,
                                               int& ollerHappy, int& hexNutTotal,
                                               int& hexNutsCollected);
