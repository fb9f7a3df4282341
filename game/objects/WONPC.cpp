#include "WONPC.h"

#include "WorldObjectVector.h"
#include "engine/PXInit.h"
#include "engine/PXSound.h"
#include "game/core/Globals.h"
#include "game/core/SoundUtilities.h"
#include "game/player/Player.h"
#include "game/world/Map.h"

#include <optional>
#include <string>

WONPC::WONPC() : _happyStars(std::make_unique<Sprite>()) {
    setObjectType(WORLD_OBJECT_NPC);
    addPropertyFlags(WORLD_OBJECT_PROPERTY_NPC);
    addEditorInfo("Sad state", WorldObjectEditorInfo::kFlag, &_sadState);
    loadSprite(_happyNote, "happyNote.txt", "float");
    loadSprite(*_happyStars, "happyStars.txt", "float");
    loadSprite(_sadTear, "sadTear.txt", "float");
    _happyStarSound = fetchSound("happyStar.wav");
}

WONPC::~WONPC() = default;

void WONPC::setSadState(int sad) {
    if (sad == PX_TRUE) {
        _sadState = PX_TRUE;
        return;
    }
    const bool wasSad = _sadState != 0;
    _sadState = PX_FALSE;
    if (!wasSad) {
        return;
    }
    if (_happyStarSound != nullptr) {
        const int volume = globalPlayer != nullptr
                               ? volumeForSound(getBBox(), globalPlayer->getBBox())
                               : MIX_MAX_VOLUME;
        _happyStarSound->setVolume(volume);
        _happyStarSound->play(0);
    }
    _showingHappyStars = PX_TRUE;
}

void WONPC::runHappyStarSprite() {
    if (!_showingHappyStars || _happyStars == nullptr) {
        return;
    }
    _happyStars->logic();
    if (_happyStars->finishedAnimating()) {
        _happyStars.reset();
        _showingHappyStars = PX_FALSE;
    }
}

void WONPC::drawHappyStars(int screenX, int screenY, int frameHeight) {
    if (_showingHappyStars && _happyStars != nullptr) {
        _happyStars->draw(screenX, screenY - frameHeight);
    }
}

int WONPC::isAtLedge() {
    if (globalMap == nullptr) {
        return PX_FALSE;
    }
    const BoundingBox* box = getBBox();
    const int row = box->getBottomBound() / Map::kTileSize + 1;
    const int edge = _facing == kFacingRight ? box->getRightBound() : box->getLeftBound();
    return globalMap->tileIsBlockedAt(row, edge / Map::kTileSize) ? PX_FALSE : PX_TRUE;
}

WorldObject* WONPC::blockedByObject(const BoundingBox* box) {
    if (globalMapSpecificWorldObjectVector == nullptr) {
        return nullptr;
    }
    for (WorldObject* other : *globalMapSpecificWorldObjectVector) {
        if (other != this && (other->getPropertyFlags() & WORLD_OBJECT_PROPERTY_SOLID) &&
            BoundingBox::checkCollision(other->getBBox(), box)) {
            return other;
        }
    }
    return nullptr;
}

void WONPC::checkMapExits(int kind) {
    if (isBeingHeld() || globalMap == nullptr ||
        (kind != kHorizontalExit && kind != kVerticalExit)) {
        return;
    }
    bool& latch = _exitLatches[kind - kHorizontalExit];
    updateCurrentBBox();
    int exitX = 0;
    int exitY = 0;
    int destinationX = 0;
    int destinationY = 0;
    const std::optional<std::string> destination = globalMap->checkExitsForCollision(
        *getBBox(), kind, exitX, exitY, destinationX, destinationY);
    if (!destination) {
        latch = false;
        return;
    }
    if (latch) {
        return;
    }
    const char* current = globalMap->getFilename();
    if (current == nullptr || *destination != current) {
        setOwnerMap(destination->c_str());
    }
    setPosition(destinationX - exitX + getXPos(), destinationY - exitY + getYPos());
    rebuildMapSpecificWorldObjectVectorNextLoop = PX_TRUE;
    latch = true;
}

BoundingBox WONPC::grownBBox(int horizontal, int vertical) const {
    const BoundingBox* box = getBBox();
    return BoundingBox(box->getLeftBound() - horizontal, box->getTopBound() - vertical,
                       box->getRightBound() + horizontal, box->getBottomBound() + vertical);
}
