// WorldObject: the common base of everything placed in a map besides tiles, exits, water and
// camera stoppers. Holds the type code, position, bounding box, property bits, weight, owner map
// and editor description, offers tile collision and movement, and declares the interface the
// game loop, the drawing code, the player and the editor use.
#pragma once

#include "WorldObjectEditorInfo.h"
#include "game/world/BoundingBox.h"
#include "game/world/Camera.h"

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class PXSound;
class Sprite;

// Type codes, written first in every saved object record. 0 to 7 are abstract bases.
constexpr int WORLD_OBJECT_NONE = 0;
constexpr int WORLD_OBJECT_SOLID = 1;
constexpr int WORLD_OBJECT_PUSHABLE = 2;
constexpr int WORLD_OBJECT_NPC = 3;
constexpr int WORLD_OBJECT_POWERUP = 4;
constexpr int WORLD_OBJECT_TOGGLEABLE = 5;
constexpr int WORLD_OBJECT_TARGETING = 6;
constexpr int WORLD_OBJECT_COLLECTIBLE = 7;
constexpr int WORLD_OBJECT_CONDITION_CHECKER = 50;
constexpr int WORLD_OBJECT_SOUND_PLAYER = 51;
constexpr int WORLD_OBJECT_AREA_NAME_DISPLAYER = 52;
constexpr int WORLD_OBJECT_CREDITS_RUNNER = 53;
constexpr int WORLD_OBJECT_SECRET_UNLOCKER = 54;
constexpr int WORLD_OBJECT_CRATE = 100;
constexpr int WORLD_OBJECT_SAVE = 101;
constexpr int WORLD_OBJECT_GRAVITY_MAGNET = 102;
constexpr int WORLD_OBJECT_MUSIC_BOX = 103;
constexpr int WORLD_OBJECT_ACCORDIAN = 104;
constexpr int WORLD_OBJECT_DOM_POT = 105;
constexpr int WORLD_OBJECT_BRIDGE = 106;
constexpr int WORLD_OBJECT_FLIP_SWITCH = 107;
constexpr int WORLD_OBJECT_BLUEBERRY = 108;
constexpr int WORLD_OBJECT_APPLE = 109;
constexpr int WORLD_OBJECT_NEST = 110;
constexpr int WORLD_OBJECT_TELEPORT = 111;
constexpr int WORLD_OBJECT_TOGGLE_DOOR = 150;
constexpr int WORLD_OBJECT_NPC_DOOR = 151;
constexpr int WORLD_OBJECT_FLOWRIAN = 202;
constexpr int WORLD_OBJECT_NEGG = 203;
constexpr int WORLD_OBJECT_OLLER = 204;
constexpr int WORLD_OBJECT_DOM = 205;
constexpr int WORLD_OBJECT_RAAM = 206;
constexpr int WORLD_OBJECT_VONIL = 207;
constexpr int WORLD_OBJECT_MAP_POWERUP = 300;
constexpr int WORLD_OBJECT_DOUBLE_JUMP_POWERUP = 301;
constexpr int WORLD_OBJECT_WALL_JUMP_POWERUP = 302;
constexpr int WORLD_OBJECT_POWER_FIST_POWERUP = 303;
constexpr int WORLD_OBJECT_HIGH_JUMP_POWERUP = 304;
constexpr int WORLD_OBJECT_GRAVITY_MAGNET_POWERUP = 305;
constexpr int WORLD_OBJECT_BOOSTER_POWERUP = 306;
constexpr int WORLD_OBJECT_BIRD = 400;
constexpr int WORLD_OBJECT_BAT = 401;
constexpr int WORLD_OBJECT_BUG = 402;
constexpr int WORLD_OBJECT_NAUTILUS = 403;
constexpr int WORLD_OBJECT_SNAIL = 404;
constexpr int WORLD_OBJECT_SHIP = 405;
constexpr int WORLD_OBJECT_PICKLE_BLOCK = 406;
constexpr int WORLD_OBJECT_ORB = 407;
constexpr int WORLD_OBJECT_HEX_NUT = 500;

// Property bits (getPropertyFlags).
// Blocks the player and other objects.
constexpr int WORLD_OBJECT_PROPERTY_SOLID = 0x1;
// The player can carry it.
constexpr int WORLD_OBJECT_PROPERTY_CARRIABLE = 0x2;
// The player can push it.
constexpr int WORLD_OBJECT_PROPERTY_PUSHABLE = 0x4;
// An inhabitant: blocks other objects (not the player) and has a thought bubble.
constexpr int WORLD_OBJECT_PROPERTY_NPC = 0x8;
constexpr int WORLD_OBJECT_PROPERTY_POWERUP = 0x10;
// Not drawn (invisible triggers, objects stored in the inventory).
constexpr int WORLD_OBJECT_PROPERTY_HIDDEN = 0x20;
// Can be the target of a label.
constexpr int WORLD_OBJECT_PROPERTY_TOGGLEABLE = 0x40;
// Acts on a labelled object; the player's Action pulls it.
constexpr int WORLD_OBJECT_PROPERTY_TARGETING = 0x80;
constexpr int WORLD_OBJECT_PROPERTY_COLLECTIBLE = 0x100;
// Storable in the player's inventory (together with CARRIABLE).
constexpr int WORLD_OBJECT_PROPERTY_STORABLE = 0x200;

class WorldObject : public CameraTargetable {
public:
    // Sides of the collision and movement operations (the player numbers its sides otherwise).
    static constexpr int kSideLeft = 0;
    static constexpr int kSideRight = 1;
    static constexpr int kSideUp = 2;
    static constexpr int kSideDown = 3;
    // Size of the text buffers of labels and other editable text fields, zero byte included.
    static constexpr int kTextFieldSize = 255;
    // Longest owner map name a record may hold, zero byte included.
    static constexpr int kOwnerMapLimit = 4096;
    // Draw position codes: when in the frame the object is drawn.
    static constexpr int kDrawAfterPlayer = 0;
    static constexpr int kDrawBeforePlayer = 1;
    static constexpr int kDrawAroundPlayer = 2;
    static constexpr int kDrawOverUpperTiles = 4;
    static constexpr int kDrawOverOverlays = 5;

    // Version 1, draw position 1, weight 0, no property bits, at (0, 0), not held, no owner map.
    WorldObject();
    ~WorldObject() override;
    WorldObject(const WorldObject&) = delete;
    WorldObject& operator=(const WorldObject&) = delete;

    // Stores the position.
    virtual void setPosition(int x, int y);
    // The sprite frame's box of that index in sprite-local pixels; the base gives its world box.
    virtual BoundingBox getSpriteBBox(int index);
    // An interaction from the player or another object; true when it was taken.
    virtual int trigger(void* source);
    // Writes the type code and the object's record; false when a write failed.
    virtual bool save(FILE* stream) const = 0;
    // Reads the record that follows the type code; false on a bad or short record.
    virtual bool load(FILE* stream) = 0;
    // One logic tick.
    virtual void logic() = 0;
    // Draws the object at its position minus the camera position.
    virtual void draw() = 0;
    // The half drawn after the player, for objects the player walks through (draw position 2).
    virtual void drawFront() {}
    // The half drawn before the player, for objects the player walks through.
    virtual void drawBack() {}
    // Recomputes the bounding box from the sprite frame and the position.
    virtual void updateCurrentBBox() = 0;
    // The first other object of the current map with the solid or inhabitant bit touching the
    // box, or null.
    virtual WorldObject* blockedByObject(const BoundingBox* box);
    // True when the map is solid on the probe line at the distance beyond that side.
    virtual int blocked(int side, int distance);
    // Left or right only: the probe column without its lowest 8 pixels, so low steps pass.
    virtual int rampBlocked(int side, int distance);
    // Moves 1 pixel at a time out of the map's solid pixels (0 left, 1 right, 2 up, 3 down).
    virtual void eject(int side);
    // Recomputes the object's state at once (after loading, in the editor).
    virtual void forceStateUpdate() {}

    // Moves by the distance toward the side unless a wall or object is in the way; climbs steps
    // of up to 8 pixels.
    void move(int side, int distance);

    // The object's origin in map pixels.
    int getXPos() const { return _x; }
    int getYPos() const { return _y; }
    // The name of the map the object belongs to, or null (in the player's inventory).
    const char* getOwnerMap() const;
    // Copies the name; null clears it.
    void setOwnerMap(const char* name);
    // Writes the class's version.
    bool writeVersion(FILE* stream) const;
    // Reads one version number from the stream without storing it; -1 at the end of the stream.
    static int readVersion(FILE* stream);
    // The property bits.
    int getPropertyFlags() const { return _propertyFlags; }
    // Replaces the property bits.
    void setPropertyFlags(int flags) { _propertyFlags = flags; }
    // The bounding box in map pixels, as of the last updateCurrentBBox.
    BoundingBox* getBBox() { return &_bBox; }
    const BoundingBox* getBBox() const { return &_bBox; }
    // The type code.
    int getObjectType() const { return _objectType; }
    // The draw position code.
    int drawPosition() const { return _drawPosition; }
    // True (-1) while the player carries the object.
    int isBeingHeld() const { return _beingHeld; }
    // -1 marks the object as carried; any other value as not carried.
    void setBeingHeld(int held);
    // Stores the weight; negative weights store 0.
    void setWeight(int weight);
    // The weight; the player lifts up to 5 without the power fist.
    int getWeight() const { return _weight; }
    // The editable fields, in the order the editor shows them.
    const std::vector<std::unique_ptr<WorldObjectEditorInfo>>& editorInfo() const {
        return _editorInfo;
    }

protected:
    // Set by each constructor.
    void setObjectType(int type) { _objectType = type; }
    void addPropertyFlags(int flags) { _propertyFlags |= flags; }
    void setDrawPosition(int position) { _drawPosition = position; }
    void setVersion(int version) { _version = version; }
    int version() const { return _version; }
    // Appends an editable field describing data inside this object.
    void addEditorInfo(const char* title, int valueType, void* data);
    void addEditorInfo(const char* title, int valueType, std::vector<std::string> choices,
                       void* data);

    // Loads the sprite definition and shows the animation; false when it cannot be had, which is
    // logged once per file name: the object then goes without that sprite.
    static bool loadSprite(Sprite& sprite, const char* fileName, const char* animation);
    // The sample from the resource manager; null, logged once per name, when it cannot be had.
    static PXSound* fetchSound(const char* name);
    // Plays the sample once; a sample that could not be had (null) is silent.
    static void playSound(PXSound* sound);

    // Box 0 of the sprite frame moved to the position; an empty box at the position (logged
    // once) when the frame has none.
    void updateBBoxFromSprite(const Sprite& sprite);
    // The sprite frame's box of that index in sprite-local pixels; the object's own box made
    // sprite-local (logged once) when the frame has none, so a carrier still has a box to hold.
    BoundingBox spriteFrameBox(const Sprite& sprite, int index);

    // The type code, version, x and y that begin every record.
    bool writeHeader(FILE* stream) const;
    // Reads version, x and y; the stored version, or nothing when the header is short or its
    // version below 1 (logged).
    std::optional<int> readHeader(FILE* stream);
    // The owner map as length (zero byte included, 0 for none) and bytes.
    bool writeOwnerMap(FILE* stream) const;
    // Reads and sets the owner map; false on a bad length or a short record.
    bool readOwnerMap(FILE* stream);

private:
    // True when a map pixel of the area is solid; nothing is solid without a map.
    static bool mapAreaBlocked(const BoundingBox& area);
    // The bounding box grown by the distance on the side.
    BoundingBox extendedBBox(int side, int distance) const;
    // Logs a missing sprite box the first time it happens to this object.
    void reportMissingSpriteBox(int index);

    int _objectType = WORLD_OBJECT_NONE;
    int _x = 0;
    int _y = 0;
    int _beingHeld = 0;
    int _weight = 0;
    int _drawPosition = kDrawBeforePlayer;
    BoundingBox _bBox;
    int _version = 1;
    std::vector<std::unique_ptr<WorldObjectEditorInfo>> _editorInfo;
    int _propertyFlags = 0;
    std::optional<std::string> _ownerMap;
    bool _missingSpriteBoxLogged = false;
};
