// What the player does with world objects and powerups: the ability controls in tick order
// (Grav Magnet, Booster, Action, inventory), the states they start, the pass over the objects
// touching the player, carrying and the inventory.
#include "Player.h"

#include "PlayerSides.h"
#include "engine/Paxtor.h"
#include "game/core/Globals.h"
#include "game/core/Settings.h"
#include "game/objects/WOFlipSwitch.h"
#include "game/objects/WOGravityMagnet.h"
#include "game/objects/WOPickup.h"
#include "game/objects/WorldObject.h"
#include "game/objects/WorldObjectVector.h"
#include "game/screens/SaveGameBrowser.h"
#include "game/world/Map.h"

#include <algorithm>

namespace {

// Objects this heavy need the power fist.
constexpr int kHeavyWeight = 6;
constexpr int kPickupPeriod = 12;
constexpr int kFailedPickupPeriod = 32;
// Gravity magnet orientations.
constexpr int kMagnetLeft = 0;
constexpr int kMagnetRight = 1;
constexpr int kMagnetUp = 2;

struct PowerupGrant {
    int type;
    int bit;
};

constexpr PowerupGrant kPowerupGrants[] = {
    {WORLD_OBJECT_MAP_POWERUP, player::kPowerupMap},
    {WORLD_OBJECT_DOUBLE_JUMP_POWERUP, player::kPowerupDoubleJump},
    {WORLD_OBJECT_WALL_JUMP_POWERUP, player::kPowerupWallJump},
    {WORLD_OBJECT_POWER_FIST_POWERUP, player::kPowerupPowerFist},
    {WORLD_OBJECT_HIGH_JUMP_POWERUP, player::kPowerupHighJump},
    {WORLD_OBJECT_GRAVITY_MAGNET_POWERUP, player::kPowerupGravityMagnet},
    {WORLD_OBJECT_BOOSTER_POWERUP, player::kPowerupBooster},
};

int powerupBitOf(int type) {
    const auto grant = std::find_if(std::begin(kPowerupGrants), std::end(kPowerupGrants),
                                    [type](const PowerupGrant& each) { return each.type == type; });
    return grant != std::end(kPowerupGrants) ? grant->bit : 0;
}

// True on the first tick of a press; the latch holds until the control is let go.
bool pressedOnce(bool held, bool& latch) {
    if (!held) {
        latch = false;
        return false;
    }
    if (latch) {
        return false;
    }
    latch = true;
    return true;
}

bool controlHeld(int key, int button) {
    return PXKey(key) || PXGamePadButton(button);
}

// Reads both forms, so a press on the key and one on the button are both used up.
bool controlPressedAndConsumed(int key, int button) {
    const bool keyPressed = PXKey(key, PX_TRUE);
    const bool buttonPressed = PXGamePadButton(button, PX_TRUE);
    return keyPressed || buttonPressed;
}

// The magnet's pull on a box; 0 for an object that is no magnet.
int gravityMagnetForce(WorldObject* object, const BoundingBox& box) {
    auto* magnet = dynamic_cast<WOGravityMagnet*>(object);
    return magnet != nullptr ? magnet->forceOnBoundingBox(box) : 0;
}

// The magnet's orientation (0 left, 1 right, 2 up, 3 down), read with its force.
int gravityMagnetOrientation(WorldObject* object) {
    const auto* magnet = dynamic_cast<const WOGravityMagnet*>(object);
    return magnet != nullptr ? magnet->getOrientation() : kMagnetLeft;
}

// A flip switch's state before it is pulled, which picks the pull's direction.
int switchState(WorldObject* object) {
    const auto* flipSwitch = dynamic_cast<const WOFlipSwitch*>(object);
    return flipSwitch != nullptr ? flipSwitch->currentState() : 0;
}

// Opens the save browser at a save point, listing the slots as they are now.
void openSaveBrowser() {
    if (globalSaveGameBrowser == nullptr) {
        return;
    }
    showSaveBrowser = PX_TRUE;
    globalSaveGameBrowser->loadContents();
}

bool touches(const WorldObject* object, const BoundingBox& box) {
    return BoundingBox::checkCollision(object->getBBox(), &box);
}

} // namespace

// Controls ----------------------------------------------------------------------------------

bool player::abilityControls() {
    gravityMagnetControl();
    boosterControl();
    return actionControl() || inventoryControls();
}

void player::gravityMagnetControl() {
    const Settings& settings = *Settings::instance();
    const bool held = controlHeld(settings.keyGravityMagnet, settings.buttonGravityMagnet);
    if (pressedOnce(held, gravityMagnetLatch) && hasPowerup(kPowerupGravityMagnet)) {
        gravityMagnetOn = !gravityMagnetOn;
    }
}

void player::boosterControl() {
    const Settings& settings = *Settings::instance();
    const bool held = controlHeld(settings.keyBooster, settings.buttonBooster);
    if (!pressedOnce(held, boosterLatch) || !hasPowerup(kPowerupBooster)) {
        return;
    }
    boosterOn = !boosterOn;
    applyMedium(inWater);
    horizontalSpeed = medium.baseSpeed;
    resetBoosterTrail();
}

bool player::actionControl() {
    const Settings& settings = *Settings::instance();
    if (!pressedOnce(controlHeld(settings.keyAction, settings.buttonAction), actionLatch)) {
        return false;
    }
    if (_heldObject == nullptr) {
        return actOnObjectsUnderPlayer();
    }
    if (!rising && !falling) {
        putDown();
    }
    return false;
}

bool player::actOnObjectsUnderPlayer() {
    updateCurrentBBox();
    const std::vector<WorldObject*>& objects = *globalMapSpecificWorldObjectVector;
    for (size_t index = 0; index < objects.size(); index++) {
        WorldObject* object = objects[index];
        if (!touches(object, _bBox)) {
            continue;
        }
        if (object->getObjectType() == WORLD_OBJECT_SAVE) {
            if (object->trigger(nullptr)) {
                const Settings& settings = *Settings::instance();
                controlPressedAndConsumed(settings.keyAction, settings.buttonAction);
                openSaveBrowser();
                return false;
            }
            continue;
        }
        if (rising || falling) {
            continue;
        }
        const int flags = object->getPropertyFlags();
        if (flags & WORLD_OBJECT_PROPERTY_CARRIABLE) {
            if (object->getWeight() >= kHeavyWeight && !hasPowerup(kPowerupPowerFist)) {
                failToLift();
            } else if (pickUp(object)) {
                return true;
            }
        } else if ((flags & WORLD_OBJECT_PROPERTY_TARGETING) &&
                   object->getObjectType() == WORLD_OBJECT_FLIP_SWITCH && pullSwitch(object)) {
            return true;
        }
    }
    return false;
}

bool player::pickUp(WorldObject* object) {
    int held = PX_FALSE;
    object->trigger(&held);
    if (!held || _heldObject != nullptr) {
        return false;
    }
    _heldObject = object;
    running = false;
    pickingUp = true;
    timers.pickup.setTimeout(kPickupPeriod);
    timers.pickup.reset();
    showPickup();
    return true;
}

void player::failToLift() {
    running = false;
    pickingUp = pickupFailed = true;
    timers.pickup.setTimeout(kFailedPickupPeriod);
    timers.pickup.reset();
    _tears.setCurrentAnimation("default");
    showPickup();
}

bool player::pullSwitch(WorldObject* object) {
    const int state = switchState(object);
    if (!object->trigger(nullptr)) {
        return false;
    }
    flippingSwitch = true;
    // The handle stands in front of the player, so the pull faces back across it.
    showAnimation(sided(state == 0 ? "pullUp" : "pullDown", oppositeSide(direction)));
    return true;
}

void player::putDown() {
    WorldObject* object = _heldObject;
    if (indexOfObjectInInventory(object) != -1) {
        removeObjectFromInventory(object);
        object->setOwnerMap(globalMap->getFilename());
        recreateMapSpecificWorldObjectVector(globalMap->getFilename());
    }
    int held = PX_TRUE;
    object->trigger(&held);
    _heldObject = nullptr;
    running = false;
    pickingUp = true;
    timers.pickup.setTimeout(kPickupPeriod);
    timers.pickup.reset();
    showPickup();
}

void player::showPickup() {
    const std::string name = sided("pickup", direction);
    _sprite.setCurrentAnimation(name.c_str());
    if (_heldObject != nullptr) {
        _hands.setCurrentAnimation((name + "Hands").c_str());
    }
}

bool player::inventoryControls() {
    const Settings& settings = *Settings::instance();
    const bool next =
        controlPressedAndConsumed(settings.keyInventoryNext, settings.buttonInventoryNext);
    const bool previous =
        controlPressedAndConsumed(settings.keyInventoryPrevious, settings.buttonInventoryPrevious);
    if ((!next && !previous) || falling || rising || wallJumpFreeze || grappling || climbing ||
        pickingUp || flippingSwitch) {
        return false;
    }
    const bool wasCarrying = _heldObject != nullptr;
    int index = -1;
    if (wasCarrying && (_heldObject->getPropertyFlags() & WORLD_OBJECT_PROPERTY_STORABLE)) {
        index = storeHeldObject();
    }
    const int size = static_cast<int>(_inventory.size());
    if (index != -1 || !wasCarrying) {
        if (previous) {
            index = index == -1 ? size - 1 : index - 1;
        } else {
            index++;
        }
    }
    if (index >= 0 && index < size) {
        pendingInventoryIndex = index;
        const std::string name = sided("inventory", direction);
        _sprite.setCurrentAnimation(name.c_str(), PX_TRUE);
        _hands.setCurrentAnimation((name + "Hands").c_str(), PX_TRUE);
        inventoryAnimation = true;
    } else {
        pendingInventoryIndex = -1;
    }
    return true;
}

int player::storeHeldObject() {
    WorldObject* object = _heldObject;
    const int index = indexOfObjectInInventory(object);
    int held = PX_TRUE;
    object->trigger(&held);
    object->setPropertyFlags(object->getPropertyFlags() | WORLD_OBJECT_PROPERTY_HIDDEN);
    if (index == -1) {
        addObjectToInventory(object);
    }
    object->setPosition(-1, -1);
    _heldObject = nullptr;
    return index;
}

// States the abilities start ----------------------------------------------------------------

void player::pickingUpLogic() {
    if (!timers.pickup.tick()) {
        return;
    }
    if (pickupFailed) {
        showAnimation(sided("standing", direction));
    } else {
        showStanding(direction);
    }
    pickingUp = pickupFailed = false;
}

void player::flippingSwitchLogic() {
    if (_sprite.finishedAnimating()) {
        flippingSwitch = fallingAnimation = running = false;
    }
}

void player::inventoryAnimationLogic() {
    if (!_sprite.finishedAnimating()) {
        return;
    }
    if (pendingInventoryIndex >= 0 && pendingInventoryIndex < static_cast<int>(_inventory.size())) {
        WorldObject* object = _inventory[pendingInventoryIndex];
        _heldObject = object;
        int held = PX_FALSE;
        object->trigger(&held);
        object->setPropertyFlags(object->getPropertyFlags() & ~WORLD_OBJECT_PROPERTY_HIDDEN);
    }
    inventoryAnimation = running = jumpingAnimation = false;
    pendingInventoryIndex = -1;
}

// Every tick --------------------------------------------------------------------------------

void player::worldObjectPass() {
    if (globalMapSpecificWorldObjectVector == nullptr) {
        return;
    }
    updateCurrentBBox();
    const std::vector<WorldObject*>& objects = *globalMapSpecificWorldObjectVector;
    for (size_t index = 0; index < objects.size(); index++) {
        WorldObject* object = objects[index];
        const int flags = object->getPropertyFlags();
        if (flags & (WORLD_OBJECT_PROPERTY_COLLECTIBLE | WORLD_OBJECT_PROPERTY_POWERUP)) {
            auto* pickup = dynamic_cast<WOPickup*>(object);
            if (pickup != nullptr && touches(object, _bBox)) {
                pickup->setObtained();
                if (!(flags & WORLD_OBJECT_PROPERTY_COLLECTIBLE)) {
                    grantPowerup(powerupBitOf(object->getObjectType()));
                }
            }
        } else if (hasPowerup(kPowerupGravityMagnet) && gravityMagnetOn &&
                   object->getObjectType() == WORLD_OBJECT_GRAVITY_MAGNET) {
            const int force = gravityMagnetForce(object, _bBox);
            if (force != 0) {
                actionLatch = false;
                pullTowardMagnet(gravityMagnetOrientation(object), force);
                return;
            }
        }
    }
}

void player::pullTowardMagnet(int orientation, int force) {
    switch (orientation) {
    case kMagnetLeft:
    case kMagnetRight:
        x += force;
        eject(force < 1 ? kRight : kLeft);
        break;
    case kMagnetUp:
        y += force;
        falling = false;
        eject(kDown);
        break;
    default:
        y += std::max(fallSpeed, force);
        falling = false;
        eject(kUp);
        break;
    }
}

void player::advanceBoosterTrail() {
    if (!boosterOn) {
        return;
    }
    std::copy_backward(trailX.begin(), trailX.end() - 1, trailX.end());
    std::copy_backward(trailY.begin(), trailY.end() - 1, trailY.end());
    trailX[0] = x;
    trailY[0] = y;
}

void player::positionCarriedObject() {
    if (_heldObject == nullptr || pickingUp) {
        return;
    }
    // Without a hands box the body's box carries, so a damaged sprite file cannot crash play.
    const BoundingBox* handsBox = _hands.getBBox(0);
    const BoundingBox hands = handsBox != nullptr ? *handsBox : _bBox.movedBy(-x, -y);
    const BoundingBox object = _heldObject->getSpriteBBox(1);
    if (direction == kRight) {
        _heldObject->setPosition(x + hands.getRightBound() - object.getRightBound(),
                                 y + hands.getBottomBound() - object.getBottomBound());
    } else {
        _heldObject->setPosition(x + hands.getRightBound() - object.getLeftBound(),
                                 y + hands.getBottomBound() - object.getTopBound());
    }
}

void player::drawBoosterTrail(int offsetX, int offsetY) {
    if (!boosterOn) {
        return;
    }
    const int length = static_cast<int>(trailX.size());
    for (int index = length - 1; index >= 0; index--) {
        _sprite.draw(trailX[index] + offsetX, trailY[index] + offsetY, 0,
                     static_cast<float>(length - index) / length);
    }
}

// Inventory ---------------------------------------------------------------------------------

void player::removeObjectFromInventory(WorldObject* object) {
    const auto found = std::find(_inventory.begin(), _inventory.end(), object);
    if (found != _inventory.end()) {
        _inventory.erase(found);
    }
}

int player::indexOfObjectInInventory(const WorldObject* object) const {
    const auto found = std::find(_inventory.begin(), _inventory.end(), object);
    return found != _inventory.end() ? static_cast<int>(found - _inventory.begin()) : -1;
}

void player::clearInventory() {
    _inventory.clear();
}

void player::inventoryObjectLogic() {
    if (_heldObject != nullptr && indexOfObjectInInventory(_heldObject) != -1) {
        _heldObject->logic();
    }
}
