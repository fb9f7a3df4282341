#include "WOSnail.h"

#include "WorldObjectRecord.h"
#include "game/world/Map.h"

#include <cctype>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

constexpr int kMoveTicks = 5;

// The choices of both fields, and the side each stands for.
const std::vector<std::string> kChoices = {"up", "down", "left", "right"};
constexpr int kChoiceSides[] = {WorldObject::kSideUp, WorldObject::kSideDown,
                                WorldObject::kSideLeft, WorldObject::kSideRight};
constexpr int kDefaultDirection = 0;
constexpr int kDefaultOrientation = 3;

// The tile offset one step toward each side, indexed by side.
constexpr int kColumnStep[] = {-1, 1, 0, 0};
constexpr int kRowStep[] = {0, 0, -1, 1};

// Sides come in pairs: left and right, up and down.
int opposite(int side) {
    return side ^ 1;
}

bool isHorizontal(int side) {
    return side == WorldObject::kSideLeft || side == WorldObject::kSideRight;
}

const std::string& nameOf(int side) {
    int choice = 0;
    while (kChoiceSides[choice] != side) {
        choice++;
    }
    return kChoices[choice];
}

} // namespace

WOSnail::WOSnail()
    : WOOrientedCreature(WORLD_OBJECT_SNAIL, kDrawOverUpperTiles, "snail.txt", "upRight", kChoices,
                         kDefaultOrientation),
      _moveTimer(kMoveTicks) {
    setChoice(_direction, kChoices[kDefaultDirection]);
    addEditorInfo("Direction", WorldObjectEditorInfo::kChoice, kChoices, _direction);
}

bool WOSnail::saveFields(FILE* stream) const {
    return WOOrientedCreature::saveFields(stream) && writeRecordText(stream, _direction);
}

bool WOSnail::loadFields(FILE* stream, int storedVersion) {
    if (!WOOrientedCreature::loadFields(stream, storedVersion) ||
        !readRecordText(stream, _direction, kTextFieldSize)) {
        return false;
    }
    knownChoice(_direction, kChoices, kDefaultDirection);
    return true;
}

void WOSnail::forceStateUpdate() {
    _directionSide = kChoiceSides[knownChoice(_direction, kChoices, kDefaultDirection)];
    _orientationSide = kChoiceSides[orientationIndex()];
    if (isHorizontal(_directionSide) == isHorizontal(_orientationSide)) {
        _orientationSide = isHorizontal(_directionSide) ? kSideUp : kSideRight;
        setChoice(orientationText(), nameOf(_orientationSide));
    }
    std::string animation = nameOf(_directionSide) + nameOf(_orientationSide);
    const size_t shell = nameOf(_directionSide).size();
    animation[shell] = static_cast<char>(toupper(animation[shell]));
    show(animation.c_str());
}

void WOSnail::logic() {
    animate();
    if (!_moveTimer.tick()) {
        return;
    }
    if (atTileCorner() && !followSurface()) {
        return;
    }
    shiftBy(kColumnStep[_directionSide], kRowStep[_directionSide]);
}

bool WOSnail::atTileCorner() const {
    return Map::tileOf(getXPos()) * Map::kTileSize == getXPos() &&
           Map::tileOf(getYPos()) * Map::kTileSize == getYPos();
}

bool WOSnail::tileBlocked(std::initializer_list<int> steps) const {
    int row = Map::tileOf(getYPos());
    int column = Map::tileOf(getXPos());
    for (const int side : steps) {
        row += kRowStep[side];
        column += kColumnStep[side];
    }
    return globalMap != nullptr && globalMap->tileIsBlockedAt(row, column);
}

bool WOSnail::followSurface() {
    // Tiles ahead: climb onto them, as often as the next way is closed too.
    int turns = 0;
    while (tileBlocked({_directionSide})) {
        if (turns == 3) {
            return false;
        }
        turn(_orientationSide, opposite(_directionSide));
        turns++;
    }
    // The surface ended under the snail but holds behind it: go around its corner.
    const int surface = opposite(_orientationSide);
    if (turns == 0 && !tileBlocked({surface}) && tileBlocked({opposite(_directionSide), surface})) {
        turn(surface, _directionSide);
    }
    return true;
}

void WOSnail::turn(int direction, int orientation) {
    setChoice(_direction, nameOf(direction));
    setChoice(orientationText(), nameOf(orientation));
    forceStateUpdate();
}
