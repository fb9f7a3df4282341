#include "WONPC.h"

#include "WorldObjectVector.h"
#include "engine/PXInit.h"
#include "engine/PXSound.h"
#include "game/core/Globals.h"
#include "game/core/SoundUtilities.h"
#include "game/player/Player.h"
#include "game/world/Camera.h"
#include "game/world/Map.h"
#include "game/world/ThoughtBubble.h"

#include <algorithm>
#include <cstring>
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
    playAtPlayerDistance(_happyStarSound);
    _showingHappyStars = PX_TRUE;
}

void WONPC::playAtPlayerDistance(PXSound* sound) const {
    if (sound == nullptr) {
        return;
    }
    const int volume = globalPlayer != nullptr ? volumeForSound(getBBox(), globalPlayer->getBBox())
                                               : MIX_MAX_VOLUME;
    sound->setVolume(volume);
    sound->play(0);
}

int WONPC::screenX() const {
    return getXPos() - (globalCamera != nullptr ? globalCamera->getXPos() : 0);
}

int WONPC::screenY() const {
    return getYPos() - (globalCamera != nullptr ? globalCamera->getYPos() : 0);
}

void WONPC::animate(Sprite& sprite) {
    sprite.logic();
    _happyNote.logic();
    _sadTear.logic();
    runHappyStarSprite();
    updateCurrentBBox();
}

void WONPC::drawWithHappyStars(Sprite& sprite) {
    sprite.draw(screenX(), screenY());
    int frameHeight = 0;
    sprite.frameDimensions(sprite.currentFrame(), nullptr, &frameHeight, nullptr, nullptr);
    drawHappyStars(screenX(), screenY(), frameHeight);
}

void WONPC::drawBubbleAtTopRight(ThoughtBubble& bubble) const {
    const BoundingBox* box = getBBox();
    bubble.setPos(box->getRightBound() - getXPos() + screenX(),
                  box->getTopBound() - getYPos() + screenY());
    bubble.draw();
}

void WONPC::keepKnownChoice(char* text, const std::vector<std::string>& choices,
                            const char* fallback) {
    if (std::find(choices.begin(), choices.end(), text) == choices.end()) {
        strncpy(text, fallback, kTextFieldSize - 1);
        text[kTextFieldSize - 1] = '\0';
    }
}

std::vector<std::string> WONPC::colorNames(std::span<const ColorSprite> colors) {
    std::vector<std::string> names;
    for (const ColorSprite& each : colors) {
        names.emplace_back(each.color);
    }
    return names;
}

const char* WONPC::spriteFileForColor(std::span<const ColorSprite> colors,
                                      const std::string& color) {
    const auto found =
        std::find_if(colors.begin(), colors.end(),
                     [&color](const ColorSprite& each) { return color == each.color; });
    return found != colors.end() ? found->spriteFile : colors.front().spriteFile;
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
