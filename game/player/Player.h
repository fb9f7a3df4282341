// player: the character the user steers through the maps. Integer, tick-based movement: whole
// pixels, whole pixels per tick, and every acceleration a 1-pixel step when a tick-counting timer
// fires. Collides with the map's pixels and with solid world objects, takes map exits, swims,
// and places the camera.
#pragma once

#include "PlayerState.h"
#include "engine/PXInit.h"
#include "game/core/Sprite.h"
#include "game/objects/WorldObjectVector.h"
#include "game/world/BoundingBox.h"
#include "game/world/Camera.h"
#include "game/world/ThoughtBubble.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

class PXSound;
class WorldObject;

class player : public CameraTargetable, public WorldObjectHolder, private PlayerState {
public:
    // Sides of blocked, rampBlocked and eject; 0 and 2 are also the facing directions.
    static constexpr int kLeft = 0;
    static constexpr int kUp = 1;
    static constexpr int kRight = 2;
    static constexpr int kDown = 3;
    // Exit kinds: horizontal exits are checked after vertical motion, vertical ones after
    // horizontal motion.
    static constexpr int kHorizontalExit = 1;
    static constexpr int kVerticalExit = 2;
    // The lowest part of a wall that counts as a climbable step.
    static constexpr int kStepHeight = 8;
    static constexpr int kWallProbeDistance = 1;
    // Powerup bits.
    static constexpr int kPowerupMap = 0x01;
    static constexpr int kPowerupDoubleJump = 0x02;
    static constexpr int kPowerupWallJump = 0x08;
    static constexpr int kPowerupPowerFist = 0x10;
    static constexpr int kPowerupHighJump = 0x20;
    static constexpr int kPowerupGravityMagnet = 0x40;
    static constexpr int kPowerupBooster = 0x80;

    // What checkFall found.
    enum class Footing { Standing, Falling };

    // Loads the sprites and sounds and registers as the world objects' holder; throws
    // std::bad_alloc when a sprite cannot be loaded.
    player();
    ~player() override;
    player(const player&) = delete;
    player& operator=(const player&) = delete;

    // One tick of the player, after the map's objects and the map have run theirs.
    void doLogic();
    // Draws the player and what it shows and carries.
    void draw();
    // Starts a new game at (0, 0) with the intro sequence.
    void reset();
    // The whole per-game state, read-only (tests, replays and debug views).
    const PlayerState& state() const { return *this; }

    // The sprite origin's x in map pixels.
    int getXPos() const { return x; }
    // The sprite origin's y in map pixels.
    int getYPos() const { return y; }
    // Moves the sprite origin and recomputes the bounding box.
    void setPosition(int newX, int newY);
    // 0 facing left, 2 facing right.
    int getDirection() const { return direction; }
    // Any value other than 0 faces right.
    void setDirection(int newDirection);
    // The current bounding box in map pixels.
    const BoundingBox* getBBox() const { return &_bBox; }

    // True while the map or a solid object holds a pixel of the probe line at the distance
    // beyond the side.
    int blocked(int side, int distance);
    // Like blocked, but the map test spares the lowest kStepHeight pixels of the column, so a
    // low step does not count; left or right only.
    int rampBlocked(int side, int distance);
    // The first solid object of the current map touching the box, or null.
    WorldObject* blockedByObject(const BoundingBox* box) const;
    // Moves 1 pixel at a time toward the side until the opposite side is clear.
    void eject(int side);
    // Standing, falling, or stepping 1 pixel down a slope or step of up to 8 pixels.
    Footing checkFall();
    // Takes an exit of the kind the bounding box touches, unless its latch is set.
    void checkMapExits(int kind);
    // The exits checked after vertical motion.
    void checkHorizontalMapExits();
    // The exits checked after horizontal motion.
    void checkVerticalMapExits();
    // Box 0 of the main sprite's frame at the position.
    void updateCurrentBBox();
    // The footstep sounds on the running frames.
    void processSteppingSounds();
    // Centres the camera on the player, clamped to the map and bent by its camera stoppers.
    void positionCamera();

    // The teleport object's vanishing animation; the player is frozen until it finishes.
    void beginTeleportOutAnimation();
    // The teleport object's arriving animation; the player is frozen until it finishes.
    void beginTeleportInAnimation();
    // True while a teleport animation runs.
    int isTeleporting() const;
    // Keeps the key that closed a screen from making the player jump.
    void forcePreventJumpFromKeyPassthrough();
    // True while the intro runs; the game loop and some objects wait for it.
    int inIntroSequence() const;

    // True when the player owns any of the powerup bits.
    int hasPowerup(int bits) const;
    // Grants the powerup bits.
    void grantPowerup(int bits);
    // The carried object, or null.
    WorldObject* heldObject() const { return _heldObject; }
    // The object following the player through exits, or null.
    WorldObject* followedBy() const { return _followedBy; }
    // Makes the object follow the player through exits; null for none.
    void setFollowedBy(WorldObject* follower);
    // The stored objects in order (owned by the world object list).
    const std::vector<WorldObject*>& inventory() const { return _inventory; }
    // Erases the first entry that is the object.
    void removeObjectFromInventory(WorldObject* object);
    // The object's position in the inventory, or -1.
    int indexOfObjectInInventory(const WorldObject* object) const;
    // Forgets every stored object (the world objects are being replaced).
    void clearInventory();
    // Runs the logic of a carried object taken from the inventory, which no map runs.
    void inventoryObjectLogic();

    // Forgets the carried object, the follower and the inventory (the objects are replaced).
    void releaseAllWorldObjects() override;
    // Forgets every reference to the object, which is about to be destroyed.
    void releaseWorldObject(WorldObject* object) override;
    // Stores the object: no owner map, hidden, appended, and gone from the map's objects.
    void addObjectToInventory(WorldObject* object) override;

    // Writes x, y, direction and the powerups as 32-bit values; false when a write failed.
    int save(FILE* stream) const;
    // Reads what save wrote and starts play there with empty hands; false (nothing changed) on
    // a short or unreadable stream.
    int load(FILE* stream);

private:
    // Replaces the whole state with the starting one: standing still, facing right, on land.
    void settle();

    // The states that suspend control; true when one ran.
    bool runExclusiveState();
    void introLogic();
    void wallJumpFreezeLogic();
    void climbLogic();
    void teleportLogic();
    void beginTeleportAnimation(const char* animation, const char* soundName);
    // The controls; false when an ability ended the whole tick.
    bool runControls();
    void clingTimerLogic();
    void fallCheck();
    void land();
    void beginFalling();
    void jumpControl();
    void jumpTick();
    void endRise();
    void releasedJump();
    void horizontalControls();
    void move(int side);
    void wallClingAndJump(int side);
    void wallJump(int side);
    void walk(int side, bool rampWall);
    void runIntoWall(int side);
    void push(int side);
    void grabLedge(int side);
    void idle();
    void fallingMotion();
    // What runs every tick, also after a state that suspends control.
    void runEveryTickSteps();
    void endBlink();
    void animateSprites();
    void waterLogic();

    // Abilities: the Grav Magnet, Booster, Action and inventory controls; true ends the tick.
    bool abilityControls();
    void gravityMagnetControl();
    void boosterControl();
    bool actionControl();
    // Action with empty hands: a save point, an object to lift or a switch under the player.
    bool actOnObjectsUnderPlayer();
    // Lifts the object; false when it would not be held.
    bool pickUp(WorldObject* object);
    void failToLift();
    bool pullSwitch(WorldObject* object);
    void putDown();
    // Shows the pick-up animation of the facing.
    void showPickup();
    bool inventoryControls();
    // Puts a carried storable object away; its inventory position, or -1.
    int storeHeldObject();
    // Picking up or putting down; exclusive while it runs.
    void pickingUpLogic();
    // Pulling a switch; exclusive while it runs.
    void flippingSwitchLogic();
    // Taking an object out of the inventory; exclusive while it runs.
    void inventoryAnimationLogic();
    // Collectibles, powerups and gravity magnets touching the player.
    void worldObjectPass();
    // Pulled by the magnet with the force; by its orientation.
    void pullTowardMagnet(int orientation, int force);
    // Shifts the booster trail while the booster is on.
    void advanceBoosterTrail();
    // Places a carried object in the player's hands.
    void positionCarriedObject();
    // Draws the booster's fading copies of the player, shifted by the camera offset.
    void drawBoosterTrail(int offsetX, int offsetY);
    // The intro's thought bubble: its picture, its tick and its drawing at a screen position.
    void showThoughtBubble(const char* spriteName, const char* animation);
    void thoughtBubbleLogic();
    void drawThoughtBubble(int screenX, int screenY);
    // Shows the letterbox bars at once for the intro.
    void letterboxInstantOn();
    // Starts and fades in the current map's music when the intro ends.
    void startMapMusic();

    // A map change through an exit; false (logged, nothing changed) when the map cannot be had.
    bool changeMap(const std::string& destination);

    // Animations: the player's own, and the carrying variants with the hands sprite.
    void showAnimation(const std::string& name);
    void showBodyAnimation(const std::string& name, int force = PX_TRUE);
    void showStanding(int side);
    void showFalling();
    void resetBoosterTrail();
    static void play(PXSound* sound);

    bool& touchedWall(int side);
    bool& wallJumpedFrom(int side);
    void reArmJumpSpeed();
    void restartJumpTimers();
    // The land or water values, with the booster's speed on land.
    void applyMedium(bool water);

    BoundingBox _bBox;
    bool _missingBoxLogged = false;
    Sprite _sprite;
    Sprite _hands;
    Sprite _magnetPulse;
    Sprite _tears;
    PXSound* _step1 = nullptr;
    PXSound* _step2 = nullptr;
    PXSound* _splashIn = nullptr;
    PXSound* _splashOut = nullptr;
    std::unique_ptr<ThoughtBubble> _thoughtBubble;
    WorldObject* _heldObject = nullptr;
    WorldObject* _followedBy = nullptr;
    std::vector<WorldObject*> _inventory;
};

// The one player, created by init().
extern player* globalPlayer;
