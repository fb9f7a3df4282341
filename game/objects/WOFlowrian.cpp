#include "WOFlowrian.h"

#include "WorldObjectRecord.h"
#include "engine/PXInit.h"
#include "engine/PXRandom.h"
#include "game/player/Player.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace {

constexpr int kDecisionPeriod = 120;
constexpr int kActivityMinimum = 0;
constexpr int kActivityMaximum = 360;
constexpr int kFlowrianWalkSpeed = 2;
// A sad Flowrian limps: 1 pixel a tick, standing still on these frames of its walk.
constexpr int kLimpSpeed = 1;
constexpr int kLimpFrames[] = {1, 4};
// The thought bubble's tail sits this far right of the position.
constexpr int kThoughtBubbleOffsetX = 32;

struct MusicMaker {
    const char* name;
    int type;
    const char* spriteFile;
};

constexpr MusicMaker kMusicMakers[] = {
    {WOFlowrian::kMusicBox, WORLD_OBJECT_MUSIC_BOX, "musicBox.txt"},
    {WOFlowrian::kAccordian, WORLD_OBJECT_ACCORDIAN, "accordian.txt"}};

// The music maker of the name; the music box for a name that is none.
const MusicMaker& musicMakerNamed(const char* name) {
    const auto found = std::find_if(
        std::begin(kMusicMakers), std::end(kMusicMakers), [name](const MusicMaker& maker) {
            return strncmp(maker.name, name, WorldObject::kTextFieldSize) == 0;
        });
    return found != std::end(kMusicMakers) ? *found : kMusicMakers[0];
}

} // namespace

WOFlowrian::WOFlowrian() {
    setObjectType(WORLD_OBJECT_FLOWRIAN);
    _walkSpeed = kFlowrianWalkSpeed;
    // The empty field takes the default.
    keepKnownChoice(_preferredMusicMaker, musicMakerChoices(), kMusicBox);
    addEditorInfo("Preferred Music Maker", WorldObjectEditorInfo::kChoice, musicMakerChoices(),
                  _preferredMusicMaker);
    _decisionTimer.setTimeout(kDecisionPeriod);
    _activityTimer.setMinMaxTimeout(kActivityMinimum, kActivityMaximum);
    loadSprite(_sprite, "flowrian.txt", "standingRightSad");
}

const std::vector<std::string>& WOFlowrian::musicMakerChoices() {
    static const std::vector<std::string> choices = {kMusicBox, kAccordian};
    return choices;
}

bool WOFlowrian::save(FILE* stream) const {
    return writeHeader(stream) && writeRecordInteger(stream, _sadState) &&
           writeRecordText(stream, _preferredMusicMaker) && writeOwnerMap(stream);
}

bool WOFlowrian::load(FILE* stream) {
    if (!readHeader(stream) || !readRecordInteger(stream, _sadState) ||
        !readRecordText(stream, _preferredMusicMaker, kTextFieldSize) || !readOwnerMap(stream)) {
        return false;
    }
    keepKnownChoice(_preferredMusicMaker, musicMakerChoices(), kMusicBox);
    forceStateUpdate();
    return true;
}

void WOFlowrian::logic() {
    move(kSideDown, _fallStep);
    if (!_busy && _decisionTimer.tick()) {
        decide();
    }
    if (_busy) {
        busyLogic();
    }
    if (_sadState) {
        presenceLogic();
    }
    if (_thoughtBubbleVisible) {
        _thoughtBubble.logic();
    }
    animate(_sprite);
}

void WOFlowrian::decide() {
    _activity = PXRandomize(kStand, kSit);
    _facing = PXRandomize(kFacingLeft, kFacingRight);
    if (_activity != kPause) {
        show(animationName());
    }
    _busy = PX_TRUE;
    _thoughtBubbleVisible = _sadState && PXRandomize(0, 1) ? PX_TRUE : PX_FALSE;
    if (_thoughtBubbleVisible) {
        _thoughtBubble.setSprite(musicMakerNamed(_preferredMusicMaker).spriteFile);
        _thoughtBubble.setSpriteAnimation("default");
    }
}

void WOFlowrian::busyLogic() {
    if (_activity == kWalk && !isAtLedge()) {
        const int side = _facing == kFacingLeft ? kSideLeft : kSideRight;
        const bool limping = std::find(std::begin(kLimpFrames), std::end(kLimpFrames),
                                       _sprite.currentFrame()) != std::end(kLimpFrames);
        if (!_sadState) {
            move(side, _walkSpeed);
        } else if (!limping) {
            move(side, kLimpSpeed);
        }
    }
    if (_activityTimer.tick()) {
        _busy = PX_FALSE;
        _facing = PXRandomize(kFacingLeft, kFacingRight);
        _activity = kStand;
        show(animationName());
    }
}

void WOFlowrian::presenceLogic() {
    _inPresence = preferredMusicIsNear() ? PX_TRUE : PX_FALSE;
    if (!_inPresence) {
        _cheerUpTimer.reset();
        return;
    }
    if (_cheerUpTimer.tick()) {
        setSadState(PX_FALSE);
        forceStateUpdate();
    }
}

bool WOFlowrian::preferredMusicIsNear() {
    const WorldObject* carried = globalPlayer != nullptr ? globalPlayer->heldObject() : nullptr;
    if (carried == nullptr || carried->getObjectType() != preferredMusicMakerType()) {
        return false;
    }
    const BoundingBox presence = grownBBox(kPresenceHorizontal, kPresenceVertical);
    return BoundingBox::checkCollision(&presence, carried->getBBox());
}

int WOFlowrian::preferredMusicMakerType() const {
    return musicMakerNamed(_preferredMusicMaker).type;
}

void WOFlowrian::forceStateUpdate() {
    show(animationName());
}

void WOFlowrian::show(const std::string& animation) {
    _sprite.setCurrentAnimation(animation.c_str());
}

std::string WOFlowrian::animationName() const {
    const std::string side = _facing == kFacingLeft ? "Left" : "Right";
    const std::string mood = _sadState ? "Sad" : "";
    switch (_activity) {
    case kWalk:
        return (_sadState ? "walking" : "running") + side + mood;
    case kSit:
        return "sitting" + side + mood;
    default:
        return "standing" + side + mood;
    }
}

void WOFlowrian::updateCurrentBBox() {
    updateBBoxFromSprite(_sprite);
}

void WOFlowrian::draw() {
    drawWithHappyStars(_sprite);
    if (_sadState) {
        (_inPresence ? _happyNote : _sadTear).draw(screenX(), screenY());
    }
}

void WOFlowrian::drawThoughtBubble() {
    if (_thoughtBubbleVisible) {
        _thoughtBubble.setPos(screenX() + kThoughtBubbleOffsetX, screenY());
        _thoughtBubble.draw();
    }
}
