// The player in the world around it: position, map exits, the camera, drawing, saving and the
// world objects it holds.
#include "Player.h"

#include "PlayerSides.h"
#include "engine/Paxtor.h"
#include "game/core/Globals.h"
#include "game/core/Log.h"
#include "game/core/ResourceManager.h"
#include "game/objects/WorldObject.h"
#include "game/world/Letterbox.h"
#include "game/world/Map.h"
#include "game/world/MusicPlayer.h"

#include <algorithm>
#include <optional>

namespace {

constexpr int kIntroBubbleOffsetX = 16;
constexpr int kIntroBubbleOffsetY = 10;
constexpr int kIntroBubbleRise = 5;

// The camera coordinate on one axis that centres the position, clamped to the map.
int centredCamera(int position, int mapSize, int screenSize) {
    const int half = screenSize / 2;
    if (position < half) {
        return 0;
    }
    if (position > mapSize - half) {
        return mapSize - screenSize;
    }
    return position - half;
}

std::optional<std::string> ownerMapOf(const WorldObject* object) {
    if (object == nullptr || object->getOwnerMap() == nullptr) {
        return std::nullopt;
    }
    return object->getOwnerMap();
}

void setOwnerMap(WorldObject* object, const std::optional<std::string>& owner) {
    if (object != nullptr) {
        object->setOwnerMap(owner ? owner->c_str() : nullptr);
    }
}

} // namespace

void player::setPosition(int newX, int newY) {
    x = newX;
    y = newY;
    updateCurrentBBox();
}

void player::setDirection(int newDirection) {
    direction = newDirection == kLeft ? kLeft : kRight;
}

void player::setFollowedBy(WorldObject* follower) {
    _followedBy = follower;
}

// Map exits -----------------------------------------------------------------------------------

void player::checkHorizontalMapExits() {
    checkMapExits(kHorizontalExit);
}

void player::checkVerticalMapExits() {
    checkMapExits(kVerticalExit);
}

void player::checkMapExits(int kind) {
    bool& latch = kind == kHorizontalExit ? horizontalExitLatch : verticalExitLatch;
    updateCurrentBBox();
    int exitX = 0;
    int exitY = 0;
    int destinationX = 0;
    int destinationY = 0;
    const std::optional<std::string> destination =
        globalMap->checkExitsForCollision(_bBox, kind, exitX, exitY, destinationX, destinationY);
    if (!destination) {
        latch = false;
        return;
    }
    if (latch) {
        return;
    }
    // Set before the change, so an exit whose map cannot be had is not tried again every tick.
    latch = true;
    const int offsetX = exitX - x;
    const int offsetY = exitY - y;
    const char* current = globalMap->getFilename();
    const bool otherMap = current == nullptr || *destination != current;
    if (otherMap && !changeMap(*destination)) {
        return;
    }
    setPosition(destinationX - offsetX, destinationY - offsetY);
    if (_followedBy != nullptr) {
        _followedBy->setPosition(x, y);
    }
    // Trail and camera start from where the player is in the new map, not where it left the old.
    if (otherMap) {
        resetBoosterTrail();
        positionCamera();
    }
}

bool player::changeMap(const std::string& destination) {
    const char* current = globalMap->getFilename();
    const std::string path = ResourceManager::instance()->findFilePath(destination.c_str());
    if (path.empty()) {
        globalLog->write("Couldn't find the map %s behind an exit; staying in %s.\n",
                         destination.c_str(), current != nullptr ? current : "(no map)");
        return false;
    }
    // The carried object and the follower must belong to the new map when it gathers its
    // objects during the load. An object taken out of the inventory belongs to no map until it
    // is put down, or storing it again would leave it hidden in this map and out of the
    // inventory.
    WorldObject* carried = indexOfObjectInInventory(_heldObject) == -1 ? _heldObject : nullptr;
    const std::optional<std::string> carriedOwner = ownerMapOf(carried);
    const std::optional<std::string> followerOwner = ownerMapOf(_followedBy);
    setOwnerMap(carried, destination);
    setOwnerMap(_followedBy, destination);
    if (!globalMap->load(path.c_str())) {
        globalLog->write("Couldn't load the map %s behind an exit; staying in %s.\n",
                         destination.c_str(), current != nullptr ? current : "(no map)");
        setOwnerMap(carried, carriedOwner);
        setOwnerMap(_followedBy, followerOwner);
        return false;
    }
    return true;
}

// Camera ------------------------------------------------------------------------------------

void player::positionCamera() {
    const int mapWidth = globalMap->widthInPixels();
    const int mapHeight = globalMap->heightInPixels();
    int cameraX = 0;
    int cameraY = 0;
    if (mapWidth > SCREEN_W_UNSCALED) {
        cameraX = centredCamera(x, mapWidth, SCREEN_W_UNSCALED);
        globalMap->verticalCameraStopperPosition(x, y, globalCamera->getXPos(), cameraX);
    }
    if (mapHeight > SCREEN_H_UNSCALED) {
        cameraY = centredCamera(y, mapHeight, SCREEN_H_UNSCALED);
        globalMap->horizontalCameraStopperPosition(x, y, globalCamera->getYPos(), cameraY);
    }
    globalCamera->setPosition(cameraX, cameraY);
}

// Drawing -----------------------------------------------------------------------------------

void player::draw() {
    int screenX = x;
    int screenY = y;
    if (globalCamera != nullptr && globalCamera->getTarget() == this) {
        screenX -= globalCamera->getXPos();
        screenY -= globalCamera->getYPos();
    }
    if (gravityMagnetOn && !flippingSwitch) {
        _magnetPulse.draw(screenX, screenY);
    }
    drawBoosterTrail(screenX - x, screenY - y);
    _sprite.draw(screenX, screenY);
    if (flippingSwitch && gravityMagnetOn) {
        _magnetPulse.draw(screenX, screenY);
    }
    if (pickupFailed) {
        _tears.draw(screenX, screenY);
    }
    if (_heldObject != nullptr) {
        _heldObject->draw();
        _hands.draw(screenX, screenY);
    }
    if (inventoryAnimation) {
        _hands.draw(screenX, screenY);
    }
    if (intro) {
        const int steps = (introStep1 ? 1 : 0) + (introStep2 ? 1 : 0);
        drawThoughtBubble(screenX + kIntroBubbleOffsetX,
                          screenY + kIntroBubbleOffsetY - steps * kIntroBubbleRise);
    }
}

void player::showThoughtBubble(const char* spriteName, const char* animation) {
    _thoughtBubble->setSprite(spriteName);
    _thoughtBubble->setSpriteAnimation(animation);
}

void player::thoughtBubbleLogic() {
    _thoughtBubble->logic();
}

void player::drawThoughtBubble(int screenX, int screenY) {
    _thoughtBubble->setPos(screenX, screenY);
    _thoughtBubble->draw();
}

void player::letterboxInstantOn() {
    Letterbox::instance()->instantOn();
}

void player::startMapMusic() {
    if (globalMusicPlayer != nullptr) {
        globalMusicPlayer->startSongFadingIn(globalMap->getMusicName());
    }
}

void player::resetBoosterTrail() {
    trailX.fill(x);
    trailY.fill(y);
}

// Saving ------------------------------------------------------------------------------------

int player::save(FILE* stream) const {
    for (const int value : {x, y, direction, powerups}) {
        PXPutL(value, stream);
    }
    return ferror(stream) ? PX_FALSE : PX_TRUE;
}

int player::load(FILE* stream) {
    long values[4] = {};
    for (long& value : values) {
        value = PXGetL(stream);
    }
    if (ferror(stream) || feof(stream)) {
        return PX_FALSE;
    }
    settle();
    setDirection(static_cast<int>(values[2]));
    powerups = static_cast<int>(values[3]);
    setPosition(static_cast<int>(values[0]), static_cast<int>(values[1]));
    _heldObject = _followedBy = nullptr;
    return PX_TRUE;
}

// World objects held ------------------------------------------------------------------------

void player::releaseAllWorldObjects() {
    _heldObject = _followedBy = nullptr;
    _inventory.clear();
}

void player::releaseWorldObject(WorldObject* object) {
    if (_heldObject == object) {
        _heldObject = nullptr;
    }
    if (_followedBy == object) {
        _followedBy = nullptr;
    }
    std::erase(_inventory, object);
}

void player::addObjectToInventory(WorldObject* object) {
    object->setOwnerMap(nullptr);
    object->setPropertyFlags(object->getPropertyFlags() | WORLD_OBJECT_PROPERTY_HIDDEN);
    _inventory.push_back(object);
    recreateMapSpecificWorldObjectVector(globalMap != nullptr ? globalMap->getFilename() : nullptr);
}
