#include "WONPCDoor.h"

#include "WorldObjectRecord.h"
#include "WorldObjectVector.h"
#include "engine/PXFont.h"
#include "engine/PXInit.h"
#include "engine/PXTexture.h"
#include "game/core/ResourceManager.h"
#include "game/player/Player.h"

#include <algorithm>
#include <cstring>

namespace {

// An "NPC Type", its icon and its count.
struct NpcType {
    const char* name;
    const char* icon;
    int HappyCounts::*count;
};

// In the order the editor offers them.
constexpr NpcType kNpcTypes[] = {
    {"Flowrian", "raceIconFlowrian.png", &HappyCounts::flowrian},
    {"Negg", "raceIconNegg.png", &HappyCounts::negg},
    {"Vonil", "raceIconVonil.png", &HappyCounts::vonil},
    {"Dom", "raceIconDom.png", &HappyCounts::dom},
    {"Raam", "raceIconRaam.png", &HappyCounts::raam},
    {"Oller", "raceIconOller.png", &HappyCounts::oller},
    {"Hex Nut", "collectibleIconHexNut.png", &HappyCounts::hexNuts},
};

const NpcType* npcTypeNamed(const char* name) {
    const auto found =
        std::find_if(std::begin(kNpcTypes), std::end(kNpcTypes), [name](const NpcType& type) {
            return strncmp(type.name, name, WorldObject::kTextFieldSize) == 0;
        });
    return found != std::end(kNpcTypes) ? found : nullptr;
}

// The player counts as near when its box, grown by this on every side, touches the door.
constexpr int kNearness = 5;
constexpr float kFadeOutStep = 0.01f;
constexpr float kFadeInStep = 0.02f;
// The icon and number sit this much lower on a shut door's panel.
constexpr int kShutIconDrop = 3;
constexpr int kFontSize = 10;
constexpr int kNumberY = 35;
constexpr int kNumberX = 5;
// Two-digit numbers from 11 start further left to stay centred.
constexpr int kWideNumberX = 3;
constexpr int kWideNumber = 11;

} // namespace

HappyCounts HappyCounts::current() {
    HappyCounts counts;
    int flowrianTotal = 0, neggTotal = 0, raamTotal = 0, domTotal = 0, vonilTotal = 0;
    int ollerTotal = 0, hexNutTotal = 0;
    worldObjectVectorCountNPCsAndCollectibles(flowrianTotal, counts.flowrian, neggTotal,
                                              counts.negg, raamTotal, counts.raam, domTotal,
                                              counts.dom, vonilTotal, counts.vonil, ollerTotal,
                                              counts.oller, hexNutTotal, counts.hexNuts);
    return counts;
}

int HappyCounts::forNpcType(const char* npcType) const {
    const NpcType* type = npcTypeNamed(npcType);
    return type != nullptr ? this->*(type->count) : 0;
}

const std::vector<std::string>& WONPCDoor::npcTypes() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> all;
        for (const NpcType& type : kNpcTypes) {
            all.emplace_back(type.name);
        }
        return all;
    }();
    return names;
}

WONPCDoor::WONPCDoor()
    : _powerDownSound(fetchSound("powerDown.wav")), _powerUpSound(fetchSound("powerUp.wav")),
      _stoneUpSound(fetchSound("stoneUp.wav")),
      _font(ResourceManager::instance()->font("Skia.ttf")) {
    setObjectType(WORLD_OBJECT_NPC_DOOR);
    addEditorInfo("NPC Type", WorldObjectEditorInfo::kChoice, npcTypes(), _npcType);
    addEditorInfo("Number required", WorldObjectEditorInfo::kInteger, &_numberRequired);
    loadSprite(_sprite, "npcDoor.txt", "closed");
    forceStateUpdate();
}

int WONPCDoor::isToggleable(int) {
    return PX_TRUE;
}

int WONPCDoor::toggle(int state) {
    const bool sameState = (state != 0) == (_state != 0);
    if (sameState || _fadingOut || _opening) {
        return PX_FALSE;
    }
    _state = state ? PX_TRUE : PX_FALSE;
    if (_state) {
        _fadingOut = true;
        playSound(_powerDownSound);
    }
    forceStateUpdate();
    return PX_TRUE;
}

bool WONPCDoor::save(FILE* stream) const {
    return writeHeader(stream) && writeRecordInteger(stream, _state) &&
           writeRecordText(stream, _label) && writeOwnerMap(stream) &&
           writeRecordText(stream, _npcType) && writeRecordInteger(stream, _numberRequired);
}

bool WONPCDoor::load(FILE* stream) {
    if (!readHeader(stream) || !readRecordInteger(stream, _state) ||
        !readRecordText(stream, _label, kTextFieldSize) || !readOwnerMap(stream) ||
        !readRecordText(stream, _npcType, kTextFieldSize) ||
        !readRecordInteger(stream, _numberRequired)) {
        return false;
    }
    forceStateUpdate();
    return true;
}

void WONPCDoor::logic() {
    if (!_state && !_fadingOut && !_opening) {
        openWhenEarned();
    }
    _sprite.logic();
    stepOpening();
    blockWhileShut();
    updateCurrentBBox();
}

void WONPCDoor::blockWhileShut() {
    const int flags = getPropertyFlags();
    setPropertyFlags(isShut() ? flags | WORLD_OBJECT_PROPERTY_SOLID
                              : flags & ~WORLD_OBJECT_PROPERTY_SOLID);
}

bool WONPCDoor::playerIsNear() const {
    if (globalPlayer == nullptr) {
        return false;
    }
    const BoundingBox* box = globalPlayer->getBBox();
    const BoundingBox near(box->getLeftBound() - kNearness, box->getTopBound() - kNearness,
                           box->getRightBound() + kNearness, box->getBottomBound() + kNearness);
    return BoundingBox::checkCollision(&near, getBBox());
}

void WONPCDoor::openWhenEarned() {
    if (playerIsNear() && _numberRequired <= HappyCounts::current().forNpcType(_npcType)) {
        toggle(PX_TRUE);
    }
}

void WONPCDoor::stepOpening() {
    if (_fadingOut) {
        _iconAlpha -= kFadeOutStep;
        if (_iconAlpha < 0.0f) {
            _iconAlpha = 0.0f;
            _fadingOut = false;
            _opening = true;
            _sprite.setCurrentAnimation("opening");
            playSound(_stoneUpSound);
        }
    } else if (_opening && _sprite.finishedAnimating()) {
        _opening = false;
        forceStateUpdate();
        playSound(_powerUpSound);
        _fadingIn = true;
    } else if (_fadingIn) {
        _iconAlpha = std::min(1.0f, _iconAlpha + kFadeInStep);
        _fadingIn = _iconAlpha < 1.0f;
    }
}

void WONPCDoor::draw() {
    const int x = getXPos() - (globalCamera != nullptr ? globalCamera->getXPos() : 0);
    const int y = getYPos() - (globalCamera != nullptr ? globalCamera->getYPos() : 0);
    _sprite.draw(x, y);
    const int iconY = y + (isShut() ? kShutIconDrop : 0);
    if (_icon != nullptr) {
        _icon->draw(x, iconY, _iconAlpha, 1.0f, 0, 0, PX_TRUE);
    }
    if (isShut() && _font != nullptr) {
        _font->setSize(kFontSize);
        const int numberX = x + (_numberRequired >= kWideNumber ? kWideNumberX : kNumberX);
        _font->print(numberX, y + kNumberY, 1, 1, 1, _iconAlpha, "%d", _numberRequired);
    }
}

void WONPCDoor::updateCurrentBBox() {
    updateBBoxFromSprite(_sprite);
}

void WONPCDoor::forceStateUpdate() {
    const NpcType* type = npcTypeNamed(_npcType);
    _icon = type != nullptr ? ResourceManager::instance()->texture(type->icon) : nullptr;
    if (!_opening) {
        _sprite.setCurrentAnimation(isShut() ? "closed" : "open");
    }
    blockWhileShut();
    updateCurrentBBox();
}
