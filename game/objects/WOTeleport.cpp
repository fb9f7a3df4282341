#include "WOTeleport.h"

#include "WorldObjectRecord.h"
#include "engine/PXInit.h"
#include "engine/PXSound.h"
#include "game/core/Globals.h"
#include "game/core/Log.h"
#include "game/core/ResourceManager.h"
#include "game/core/SoundUtilities.h"
#include "game/player/Player.h"
#include "game/world/Camera.h"
#include "game/world/Map.h"

#include <optional>
#include <string>

namespace {

// The first record version holding the destination.
constexpr int kDestinationVersion = 2;

// The column of a box's centre, widened by the pixels to its left and right.
BoundingBox coreColumn(const BoundingBox& box, int left, int right) {
    const int centre = box.getLeftBound() + (box.getRightBound() - box.getLeftBound()) / 2;
    return BoundingBox(centre - left, box.getTopBound(), centre + right, box.getBottomBound());
}

} // namespace

WOTeleport::WOTeleport() : _bulb(fetchSound("bulb.wav")), _hum(fetchSound("hum.wav")) {
    setObjectType(WORLD_OBJECT_TELEPORT);
    setVersion(2);
    setDrawPosition(kDrawAroundPlayer);
    loadSprite(_front, "teleportFront.txt", "default");
    loadSprite(_back, "teleportBack.txt", "default");
}

int WOTeleport::isToggleable(int) {
    return _lightingUp || _lit ? PX_FALSE : PX_TRUE;
}

int WOTeleport::toggle(int) {
    _lightingUp = PX_TRUE;
    _lastFrame = -1;
    _back.setCurrentAnimation("lightUp");
    return PX_TRUE;
}

bool WOTeleport::save(FILE* stream) const {
    return writeHeader(stream) && writeOwnerMap(stream) && writeRecordInteger(stream, _state) &&
           writeRecordText(stream, _label) && writeRecordInteger(stream, _lightingUp) &&
           writeRecordInteger(stream, _lit) && writeRecordText(stream, _destination) &&
           writeRecordInteger(stream, _destinationX) && writeRecordInteger(stream, _destinationY);
}

bool WOTeleport::load(FILE* stream) {
    const std::optional<int> storedVersion = readHeader(stream);
    int lightingUp = 0;
    int lit = 0;
    if (!storedVersion || !readOwnerMap(stream) || !readRecordInteger(stream, _state) ||
        !readRecordText(stream, _label, kTextFieldSize) || !readRecordInteger(stream, lightingUp) ||
        !readRecordInteger(stream, lit)) {
        return false;
    }
    if (*storedVersion >= kDestinationVersion &&
        (!readRecordText(stream, _destination, kDestinationSize) ||
         !readRecordInteger(stream, _destinationX) || !readRecordInteger(stream, _destinationY))) {
        return false;
    }
    // The light-up replays, also for one saved half way, so a lit pad never comes back dark.
    _lightingUp = _lit = PX_FALSE;
    if (lightingUp || lit) {
        toggle(0);
    }
    forceStateUpdate();
    return true;
}

void WOTeleport::logic() {
    updateCurrentBBox();
    _front.logic();
    _back.logic();
    forceStateUpdate();
    if (globalPlayer == nullptr) {
        return;
    }
    if (_lit) {
        humLogic();
    }
    playerLogic();
}

void WOTeleport::forceStateUpdate() {
    if (!_lightingUp) {
        return;
    }
    if (_back.currentFrame() != _lastFrame) {
        _lastFrame = _back.currentFrame();
        playByDistance(_bulb);
    }
    if (_back.finishedAnimating()) {
        _lightingUp = PX_FALSE;
        _lit = PX_TRUE;
        _back.setCurrentAnimation("lit");
        _front.setCurrentAnimation("flicker");
    }
}

void WOTeleport::humLogic() {
    if (_hum != nullptr && !_hum->isPlaying()) {
        playByDistance(_hum);
    }
}

void WOTeleport::playByDistance(PXSound* sound) const {
    if (sound == nullptr || globalPlayer == nullptr) {
        return;
    }
    const int volume = volumeForSound(getBBox(), globalPlayer->getBBox());
    if (volume > 0) {
        sound->setVolume(volume);
        sound->play(0);
    }
}

void WOTeleport::playerLogic() {
    if (_lit && _destination[0] != '\0' && !_activated && !_arrived &&
        globalPlayer->heldObject() == nullptr && playerInCore()) {
        globalPlayer->beginTeleportOutAnimation();
        _activated = PX_TRUE;
    }
    if (_activated && !globalPlayer->isTeleporting()) {
        sendPlayerToDestination();
    }
    // Held until the player has also left the core, so a pad that sent the player nowhere
    // does not send it off again at once.
    if (_arrived && !globalPlayer->isTeleporting() && !playerInCore()) {
        _arrived = PX_FALSE;
    }
}

void WOTeleport::sendPlayerToDestination() {
    _activated = PX_FALSE;
    _arrived = PX_TRUE;
    const std::string path = ResourceManager::instance()->findFilePath(_destination);
    if (path.empty() || !globalMap->load(path.c_str())) {
        globalLog->write("Couldn't take the player to the map %s through a teleport; staying.\n",
                         _destination);
        globalPlayer->beginTeleportInAnimation();
        return;
    }
    globalPlayer->setPosition(_destinationX, _destinationY);
    globalPlayer->beginTeleportInAnimation();
    skipRunningMapSpecificWorldObjectLogicThisLoop = PX_TRUE;
}

bool WOTeleport::playerInCore() const {
    const BoundingBox pad = coreColumn(*getBBox(), 2, 1);
    const BoundingBox body = coreColumn(*globalPlayer->getBBox(), 1, 1);
    return BoundingBox::checkCollision(&pad, &body);
}

void WOTeleport::draw() {
    drawBack();
    drawFront();
}

void WOTeleport::drawFront() {
    drawSprite(_front);
}

void WOTeleport::drawBack() {
    drawSprite(_back);
}

void WOTeleport::drawSprite(Sprite& sprite) const {
    const int cameraX = globalCamera != nullptr ? globalCamera->getXPos() : 0;
    const int cameraY = globalCamera != nullptr ? globalCamera->getYPos() : 0;
    sprite.draw(getXPos() - cameraX, getYPos() - cameraY);
}

void WOTeleport::updateCurrentBBox() {
    updateBBoxFromSprite(_back);
}

void WOTeleport::setDestination(const char* mapName) {
    const std::string name(mapName);
    _destination[name.copy(_destination, kDestinationSize - 1)] = '\0';
}

void WOTeleport::setDestinationPosition(int x, int y) {
    _destinationX = x;
    _destinationY = y;
}
