#include "WorldObject.h"

#include "WorldObjectRecord.h"
#include "WorldObjectVector.h"
#include "engine/PXFileSystem.h"
#include "engine/PXInit.h"
#include "engine/PXSound.h"
#include "game/core/Log.h"
#include "game/core/ResourceManager.h"
#include "game/core/Sprite.h"
#include "game/world/Map.h"

#include <new>
#include <set>
#include <string>
#include <utility>

namespace {

// Steps up to this many pixels below the probe's top pass a ramp test.
constexpr int kClimbableStep = 8;

// True the first time a missing file is named, so a world full of objects logs it once.
bool firstReportOf(const char* name) {
    static std::set<std::string> reported;
    return reported.insert(name).second;
}

} // namespace

WorldObject::WorldObject() = default;

WorldObject::~WorldObject() = default;

void WorldObject::setPosition(int x, int y) {
    _x = x;
    _y = y;
}

BoundingBox WorldObject::getSpriteBBox(int) {
    return _bBox;
}

int WorldObject::trigger(void*) {
    return PX_FALSE;
}

bool WorldObject::mapAreaBlocked(const BoundingBox& area) {
    return globalMap != nullptr && globalMap->areaIsBlocked(area);
}

WorldObject* WorldObject::blockedByObject(const BoundingBox* box) {
    if (globalMapSpecificWorldObjectVector == nullptr) {
        return nullptr;
    }
    for (WorldObject* other : *globalMapSpecificWorldObjectVector) {
        const bool blocks = (other->getPropertyFlags() &
                             (WORLD_OBJECT_PROPERTY_SOLID | WORLD_OBJECT_PROPERTY_NPC)) != 0;
        if (other != this && blocks && BoundingBox::checkCollision(other->getBBox(), box)) {
            return other;
        }
    }
    return nullptr;
}

int WorldObject::blocked(int side, int distance) {
    updateCurrentBBox();
    bool result = false;
    switch (side) {
    case kSideLeft:
        result = mapAreaBlocked(_bBox.columnLeftOf(distance));
        break;
    case kSideRight:
        result = mapAreaBlocked(_bBox.columnRightOf(distance));
        break;
    case kSideUp:
        result = mapAreaBlocked(_bBox.rowAbove(distance));
        break;
    case kSideDown:
        result = mapAreaBlocked(_bBox.rowBelow(distance));
        break;
    default:
        break;
    }
    return result ? PX_TRUE : PX_FALSE;
}

int WorldObject::rampBlocked(int side, int distance) {
    if (side != kSideLeft && side != kSideRight) {
        return PX_FALSE;
    }
    updateCurrentBBox();
    const BoundingBox column =
        side == kSideLeft ? _bBox.columnLeftOf(distance) : _bBox.columnRightOf(distance);
    return mapAreaBlocked(column.withoutBottomRows(kClimbableStep)) ? PX_TRUE : PX_FALSE;
}

void WorldObject::eject(int side) {
    struct Escape {
        int blockedSide;
        int dx;
        int dy;
    };
    // Indexed by the side to eject toward.
    static constexpr Escape kEscapes[] = {
        {kSideRight, -1, 0}, {kSideLeft, 1, 0}, {kSideDown, 0, -1}, {kSideUp, 0, 1}};
    if (side < kSideLeft || side > kSideDown) {
        return;
    }
    const Escape& escape = kEscapes[side];
    while (blocked(escape.blockedSide, 0)) {
        setPosition(_x + escape.dx, _y + escape.dy);
    }
}

BoundingBox WorldObject::extendedBBox(int side, int distance) const {
    int left = _bBox.getLeftBound();
    int top = _bBox.getTopBound();
    int right = _bBox.getRightBound();
    int bottom = _bBox.getBottomBound();
    switch (side) {
    case kSideLeft:
        left -= distance;
        break;
    case kSideRight:
        right += distance;
        break;
    case kSideUp:
        top -= distance;
        break;
    case kSideDown:
        bottom += distance;
        break;
    default:
        break;
    }
    return BoundingBox(left, top, right, bottom);
}

void WorldObject::move(int side, int distance) {
    updateCurrentBBox();
    const BoundingBox probe = extendedBBox(side, distance);
    if (blockedByObject(&probe) != nullptr) {
        return;
    }
    const bool wall = blocked(side, 1);
    switch (side) {
    case kSideLeft:
    case kSideRight: {
        const bool ramp = rampBlocked(side, distance);
        if (wall && ramp) {
            return;
        }
        const int direction = side == kSideLeft ? -1 : 1;
        setPosition(_x + direction * distance, _y);
        const int pushedBackToward = side == kSideLeft ? kSideRight : kSideLeft;
        eject(ramp ? pushedBackToward : kSideUp);
        break;
    }
    case kSideUp:
        if (!wall) {
            setPosition(_x, _y - distance);
            eject(kSideDown);
        }
        break;
    case kSideDown:
        if (!wall) {
            setPosition(_x, _y + distance);
            eject(kSideUp);
        }
        break;
    default:
        break;
    }
}

const char* WorldObject::getOwnerMap() const {
    return _ownerMap ? _ownerMap->c_str() : nullptr;
}

void WorldObject::setOwnerMap(const char* name) {
    if (name == getOwnerMap()) {
        return;
    }
    if (name == nullptr) {
        _ownerMap.reset();
        return;
    }
    try {
        _ownerMap = std::string(name);
    } catch (const std::bad_alloc&) {
        globalLog->write("Couldn't allocate memory for _ownerMap reference.\n");
        _ownerMap.reset();
    }
}

bool WorldObject::writeVersion(FILE* stream) const {
    return writeRecordInteger(stream, _version);
}

int WorldObject::readVersion(FILE* stream) {
    return static_cast<int>(PXGetL(stream));
}

void WorldObject::setBeingHeld(int held) {
    _beingHeld = held == PX_TRUE ? PX_TRUE : PX_FALSE;
}

void WorldObject::setWeight(int weight) {
    _weight = weight < 0 ? 0 : weight;
}

void WorldObject::addEditorInfo(const char* title, int valueType, void* data) {
    _editorInfo.push_back(std::make_unique<WorldObjectEditorInfo>(title, valueType, data));
}

void WorldObject::addEditorInfo(const char* title, int valueType, std::vector<std::string> choices,
                                void* data) {
    _editorInfo.push_back(
        std::make_unique<WorldObjectEditorInfo>(title, valueType, std::move(choices), data));
}

bool WorldObject::loadSprite(Sprite& sprite, const char* fileName, const char* animation) {
    if (!sprite.load(fileName)) {
        if (firstReportOf(fileName)) {
            globalLog->write("World object sprite %s cannot be loaded; objects go without it\n",
                             fileName);
        }
        return false;
    }
    sprite.setCurrentAnimation(animation);
    return true;
}

PXSound* WorldObject::fetchSound(const char* name) {
    PXSound* sound = ResourceManager::instance()->sound(name);
    if (sound == nullptr && firstReportOf(name)) {
        globalLog->write("World object sound %s cannot be loaded; objects play nothing\n", name);
    }
    return sound;
}

void WorldObject::playSound(PXSound* sound) {
    if (sound != nullptr) {
        sound->play(0);
    }
}

void WorldObject::reportMissingSpriteBox(int index) {
    if (_missingSpriteBoxLogged) {
        return;
    }
    _missingSpriteBoxLogged = true;
    globalLog->write("Sprite frame without bounding box %d for world object type %d; using a "
                     "stand-in box\n",
                     index, _objectType);
}

void WorldObject::updateBBoxFromSprite(const Sprite& sprite) {
    const BoundingBox* box = sprite.getBBox(0);
    if (box == nullptr) {
        reportMissingSpriteBox(0);
        _bBox.setBounds(_x, _y, _x, _y);
        return;
    }
    _bBox = box->movedBy(_x, _y);
}

BoundingBox WorldObject::spriteFrameBox(const Sprite& sprite, int index) {
    const BoundingBox* box = sprite.getBBox(index);
    if (box == nullptr) {
        reportMissingSpriteBox(index);
        return _bBox.movedBy(-_x, -_y);
    }
    return *box;
}

bool WorldObject::writeHeader(FILE* stream) const {
    return writeRecordInteger(stream, _objectType) && writeVersion(stream) &&
           writeRecordInteger(stream, _x) && writeRecordInteger(stream, _y);
}

std::optional<int> WorldObject::readHeader(FILE* stream) {
    int version = 0;
    if (!readRecordInteger(stream, version)) {
        return std::nullopt;
    }
    if (version < 1) {
        globalLog->write("World object record of type %d has version %d, below 1\n", _objectType,
                         version);
        return std::nullopt;
    }
    if (!readRecordInteger(stream, _x) || !readRecordInteger(stream, _y)) {
        return std::nullopt;
    }
    return version;
}

bool WorldObject::writeOwnerMap(FILE* stream) const {
    return writeRecordText(stream, getOwnerMap());
}

bool WorldObject::readOwnerMap(FILE* stream) {
    std::optional<std::string> name;
    if (!readRecordName(stream, kOwnerMapLimit, name)) {
        return false;
    }
    if (name) {
        setOwnerMap(name->c_str());
    }
    return true;
}
