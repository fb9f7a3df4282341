// The player's life cycle and its tick, in tick order: the states that suspend control, the
// controls, then what runs every tick.
#include "Player.h"

#include "PlayerSides.h"
#include "engine/Paxtor.h"
#include "game/core/Log.h"
#include "game/core/ResourceManager.h"
#include "game/core/Settings.h"
#include "game/objects/WOPushable.h"
#include "game/world/Map.h"

#include <new>

player* globalPlayer = nullptr;

namespace {

constexpr int kStepFrame1 = 1;
constexpr int kStepFrame2 = 4;
constexpr int kBlinkMinimum = 30;
constexpr int kBlinkMaximum = 300;
constexpr int kIntroPeriod = 360;
constexpr int kIntroStep1Period = 60;
constexpr int kIntroStep2Period = 120;
constexpr int kSlowPhaseUpwardSpeed = 3;
constexpr int kSlowPhaseFallSpeed = 1;
constexpr int kTeleportVolume = 128;
constexpr int kAllHatDirections = PX_HAT_UP | PX_HAT_RIGHT | PX_HAT_DOWN | PX_HAT_LEFT;

void loadSprite(Sprite& sprite, const char* fileName, const char* animation) {
    if (!sprite.load(fileName)) {
        throw std::bad_alloc();
    }
    sprite.setCurrentAnimation(animation);
}

bool jumpPressed() {
    const Settings& settings = *Settings::instance();
    return PXKey(settings.keyJump) || PXGamePadButton(settings.buttonJump);
}

bool movePressed(int side) {
    const Settings& settings = *Settings::instance();
    if (side == player::kRight) {
        return PXKey(settings.keyMoveRight) || PXGamePadHat(PX_HAT_RIGHT) || PXGamePadAxisRight();
    }
    return PXKey(settings.keyMoveLeft) || PXGamePadHat(PX_HAT_LEFT) || PXGamePadAxisLeft();
}

bool anyDirectionActive() {
    return movePressed(player::kRight) || movePressed(player::kLeft) ||
           PXGamePadHat(kAllHatDirections) || PXGamePadAxisLeft() || PXGamePadAxisRight() ||
           PXGamePadAxisUp() || PXGamePadAxisDown();
}

} // namespace

player::player() : _thoughtBubble(std::make_unique<ThoughtBubble>()) {
    loadSprite(_sprite, "playerCompiled.txt", "standingRight");
    loadSprite(_hands, "playerCompiled.txt", "standingRightHoldingHands");
    loadSprite(_magnetPulse, "GravityMagnetPulse.txt", "pulse");
    loadSprite(_tears, "pickupTears.txt", "default");
    ResourceManager& resources = *ResourceManager::instance();
    _step1 = resources.sound("step1.wav");
    _step2 = resources.sound("step2.wav");
    _splashIn = resources.sound("splashIn.wav");
    _splashOut = resources.sound("splashOut.wav");
    updateCurrentBBox();
    setWorldObjectHolder(this);
}

player::~player() {
    setWorldObjectHolder(nullptr);
    if (globalCamera != nullptr && globalCamera->getTarget() == this) {
        globalCamera->setTarget(nullptr);
    }
}

void player::settle() {
    static_cast<PlayerState&>(*this) = PlayerState{};
    _sprite.setCurrentAnimation("standingRight");
}

void player::reset() {
    settle();
    // A fresh bubble: its dots' first wobble periods are drawn after the game's seed is set.
    _thoughtBubble = std::make_unique<ThoughtBubble>();
    intro = true;
    timers.intro.setTimeout(kIntroPeriod);
    setPosition(0, 0);
    showAnimation("sleep");
    showThoughtBubble("zep.txt", "walkingRight");
    letterboxInstantOn();
}

void player::doLogic() {
    const bool exclusive = runExclusiveState();
    if (!exclusive && !runControls()) {
        return;
    }
    runEveryTickSteps();
}

// States that suspend control --------------------------------------------------------------

bool player::runExclusiveState() {
    if (intro) {
        introLogic();
    } else if (wallJumpFreeze) {
        wallJumpFreezeLogic();
    } else if (climbing) {
        climbLogic();
    } else if (pickingUp) {
        pickingUpLogic();
    } else if (flippingSwitch) {
        flippingSwitchLogic();
    } else if (inventoryAnimation) {
        inventoryAnimationLogic();
    } else if (teleporting) {
        teleportLogic();
    } else {
        return false;
    }
    return true;
}

void player::introLogic() {
    if (timers.intro.tick()) {
        if (!introStep1) {
            introStep1 = true;
            showAnimation("sleepHead");
            showThoughtBubble("exclamationPoint.txt", "normal");
            timers.intro.setTimeout(kIntroStep1Period);
        } else if (!introStep2) {
            introStep2 = true;
            showAnimation("sittingRight");
            showThoughtBubble("questionMark.txt", "normal");
            timers.intro.setTimeout(kIntroStep2Period);
        } else {
            intro = false;
            timers.sit.reset();
            startMapMusic();
            globalLog->write("The intro is over: the explorer is awake.\n");
        }
    }
    thoughtBubbleLogic();
}

void player::wallJumpFreezeLogic() {
    if (timers.wallJump.tick()) {
        wallJumpFreeze = false;
        horizontalSpeed = medium.postWallJumpSpeed;
    }
}

void player::climbLogic() {
    if (!timers.climb.tick()) {
        return;
    }
    climbing = grappling = rising = canJump = jumpingAnimation = false;
    climbFinished = true;
    showStanding(grappleSide);
    updateCurrentBBox();
    x += sideSign(grappleSide) * (_bBox.getRightBound() - _bBox.getLeftBound());
    y -= Map::kTileSize;
    // The lift can leave the feet inside the ledge; they are raised onto it, or the next eject
    // would push the player back over the edge.
    while (blocked(kDown, 0)) {
        y--;
    }
}

void player::teleportLogic() {
    if (_sprite.currentFrame() == 0 && timers.teleport.tick()) {
        y--;
    }
    if (_sprite.finishedAnimating()) {
        teleporting = false;
    }
}

// Controls --------------------------------------------------------------------------------

bool player::runControls() {
    clingTimerLogic();
    if (!rising && !grappling) {
        fallCheck();
    }
    if (abilityControls()) {
        return false;
    }
    jumpControl();
    horizontalControls();
    idle();
    if (falling) {
        fallingMotion();
    }
    return true;
}

void player::clingTimerLogic() {
    if (clinging && timers.cling.tick()) {
        clinging = false;
        clingSpent = true;
        fallingAnimation = running = false;
        facingAtTakeoff = direction;
    }
}

void player::fallCheck() {
    if (checkFall() == Footing::Standing) {
        land();
    } else {
        beginFalling();
    }
}

void player::land() {
    if (!jumpKeyHeld) {
        reArmJumpSpeed();
        if (!doubleJumpUsed) {
            canJump = canDoubleJump = true;
        }
    }
    if (blocked(kDown, 1)) {
        doubleJumpUsed = false;
    }
    falling = false;
    if (clinging) {
        running = false;
    }
    clinging = false;
    grounded = true;
    touchedLeftWall = touchedRightWall = false;
    if (fallingAnimation) {
        play(_step1);
        play(_step2);
        running = false;
    }
    fallingAnimation = wallJumpedFromLeftWall = wallJumpedFromRightWall = onWall = clingSpent =
        false;
    horizontalSpeed = medium.baseSpeed;
}

void player::beginFalling() {
    if (!falling) {
        fallSpeed = medium.initialFallSpeed;
        timers.fallAcceleration.reset();
    }
    falling = true;
    pushing = false;
    if (!fallingAnimation && !clinging) {
        fallingAnimation = true;
        showFalling();
        eject(oppositeSide(facingAtTakeoff));
    }
}

void player::jumpControl() {
    const bool pressed = jumpPressed();
    const bool allowed = pressed && !blocked(kUp, 0) && !climbFinished &&
                         (canJump || (canDoubleJump && hasPowerup(kPowerupDoubleJump)));
    if (allowed && grappling) {
        showAnimation(sided("grappleClimb", grappleSide));
        climbing = true;
        timers.climb.reset();
    } else if (allowed) {
        jumpTick();
    } else if (!pressed) {
        releasedJump();
    } else {
        canJump = rising = jumpingAnimation = false;
    }
}

void player::jumpTick() {
    jumpKeyHeld = true;
    if (!jumpingAnimation && canJump) {
        play(_step1);
        play(_step2);
    }
    grounded = false;
    if (blocked(kDown, 1)) {
        jumpLatch = true;
    }
    if (!wallJumpedFromLeftWall && !wallJumpedFromRightWall) {
        onWall = false;
    }
    timers.wallJump.reset();

    y -= upwardSpeed;
    falling = false;
    rising = true;
    pushing = false;
    eject(kDown);

    if (!jumpingAnimation) {
        facingAtTakeoff = direction;
        jumpingAnimation = true;
        showBodyAnimation(sided("jumping", direction));
        eject(oppositeSide(facingAtTakeoff));
    }
    const bool doubleJump = !canJump;
    if (doubleJump) {
        doubleJumpUsed = jumpLatch = true;
        fallingAnimation = false;
    }

    if (timers.jumpDeceleration.tick() &&
        (upwardSpeed >= kSlowPhaseUpwardSpeed || timers.jumpSlowPhase.tick())) {
        upwardSpeed--;
        if (upwardSpeed < 1) {
            endRise();
        }
    }
    if (rising && blocked(kUp, 1)) {
        endRise();
    }
    checkHorizontalMapExits();
}

void player::endRise() {
    rising = false;
    reArmJumpSpeed();
    restartJumpTimers();
    jumpingAnimation = canJump = canDoubleJump = false;
    if (!clinging) {
        showFalling();
        fallingAnimation = pushing = true;
    }
    horizontalExitLatch = false;
}

void player::releasedJump() {
    if (falling) {
        jumpKeyHeld = true;
        if (wallJumpedFromLeftWall || wallJumpedFromRightWall) {
            onWall = true;
            fallingAnimation = jumpingAnimation = running = false;
        }
        jumpLatch = climbFinished = false;
        return;
    }
    // Releasing Jump stops the rise at once: the jump's height follows the key.
    rising = jumpingAnimation = false;
    reArmJumpSpeed();
    restartJumpTimers();
    jumpKeyHeld = horizontalExitLatch = false;
    if (jumpLatch && !PXKey(PXKeyCode::kLeftShift)) {
        running = false;
    }
    jumpLatch = false;
    if (wallJumpedFromLeftWall || wallJumpedFromRightWall) {
        onWall = true;
    }
    if (grappling) {
        canJump = true;
    }
    climbFinished = false;
}

void player::horizontalControls() {
    if (pickingUp) {
        return;
    }
    if (movePressed(kRight)) {
        move(kRight);
    } else if (movePressed(kLeft)) {
        move(kLeft);
    }
}

void player::move(int side) {
    const int back = oppositeSide(side);
    if (direction != side) {
        pushing = verticalExitLatch = false;
        eject(kUp);
        eject(side);
    }
    if (grappling && grappleSide == back) {
        grappling = running = fallingAnimation = jumpingAnimation = false;
    }
    wallClingAndJump(side);
    const bool wall = blocked(side, 1);
    const bool rampWall = rampBlocked(side, horizontalSpeed);
    if (wall && rampWall) {
        runIntoWall(side);
    } else {
        walk(side, rampWall);
    }
    processSteppingSounds();
    checkVerticalMapExits();
}

// A player that ran into the wall behind it while airborne clings to it by pressing away from
// it, and jumps off it from there.
void player::wallClingAndJump(int side) {
    const int back = oppositeSide(side);
    if (!hasPowerup(kPowerupWallJump) || !touchedWall(back) || wallJumpedFrom(back) || grounded ||
        _heldObject != nullptr || !blocked(back, kWallProbeDistance) || blocked(kDown, 1)) {
        return;
    }
    onWall = true;
    canDoubleJump = false;
    if (!clinging && !clingSpent) {
        direction = side;
        showAnimation(sided("wallCling", side));
        eject(side);
        clinging = true;
        timers.cling.reset();
    } else if (jumpPressed() && onWall && !jumpLatch) {
        wallJump(side);
    }
}

void player::wallJump(int side) {
    canJump = true;
    reArmJumpSpeed();
    restartJumpTimers();
    falling = false;
    jumpKeyHeld = true;
    wallJumpedFrom(oppositeSide(side)) = true;
    wallJumpedFrom(side) = false;
    onWall = clinging = clingSpent = false;
    jumpLatch = wallJumpFreeze = true;
    timers.wallJump.reset();
    showAnimation(sided("wallCling", side));
    eject(side);
}

void player::walk(int side, bool rampWall) {
    const int back = oppositeSide(side);
    if (direction != side ||
        !(running || jumpingAnimation || fallingAnimation || clinging || wallJumpFreeze)) {
        if (!rising && !falling) {
            running = true;
            facingAtTakeoff = side;
            showBodyAnimation(sided("running", side));
            eject(back);
        }
        direction = side;
    }
    if (!clinging && !wallJumpFreeze) {
        x += sideSign(side) * horizontalSpeed;
    }
    if (!rampWall && !rising && !falling) {
        eject(kUp);
    } else {
        eject(back);
    }
}

void player::runIntoWall(int side) {
    eject(oppositeSide(side));
    const bool airborne = rising || falling;
    if (airborne) {
        touchedWall(oppositeSide(side)) = false;
        touchedWall(side) = true;
    } else if (_heldObject == nullptr) {
        push(side);
    }
    if (falling && !rising && _heldObject == nullptr) {
        grabLedge(side);
    }
    if (!fallingAnimation && !jumpingAnimation && !pushing && blocked(kDown, 1)) {
        running = false;
        showStanding(side);
    }
}

void player::push(int side) {
    updateCurrentBBox();
    const BoundingBox probe = side == kRight ? _bBox.columnRightOf(1) : _bBox.columnLeftOf(1);
    WorldObject* object = blockedByObject(&probe);
    if (object == nullptr || !(object->getPropertyFlags() & WORLD_OBJECT_PROPERTY_PUSHABLE)) {
        return;
    }
    auto* pushable = dynamic_cast<WOPushable*>(object);
    if (pushable == nullptr) {
        return;
    }
    const int objectSide = side == kRight ? WorldObject::kSideRight : WorldObject::kSideLeft;
    x += sideSign(side) * pushable->push(objectSide, horizontalSpeed);
    eject(oppositeSide(side));
    if (!pushing) {
        pushing = true;
        showAnimation(sided("pushing", side));
    }
}

// Hangs at the edge when the wall beside the head is solid and the cells above the head on
// both sides are free.
void player::grabLedge(int side) {
    updateCurrentBBox();
    const int top = _bBox.getTopBound();
    const int edge = side == kRight ? _bBox.getRightBound() : _bBox.getLeftBound();
    const int wallColumn = Map::tileOf(edge + sideSign(side));
    const int ownColumn = Map::tileOf(edge);
    const int rowAbove = Map::tileOf(top - fallSpeed);
    const int ownRowAbove = side == kLeft && fallSpeed == 0 ? Map::tileOf(top - 3) : rowAbove;
    if (!globalMap->tileIsBlockedAt(Map::tileOf(top), wallColumn) ||
        globalMap->tileIsBlockedAt(ownRowAbove, ownColumn) ||
        globalMap->tileIsBlockedAt(rowAbove, wallColumn)) {
        return;
    }
    grappling = true;
    grappleSide = side;
    falling = rising = false;
    showAnimation(sided("grapple", side));
    onWall = true;
}

void player::idle() {
    if (anyDirectionActive() || rising || falling || pickingUp) {
        timers.sit.reset();
        timers.blink.reset();
        sitting = blinking = false;
        return;
    }
    pushing = running = false;
    if (!jumpingAnimation && !fallingAnimation && blocked(kDown, 1)) {
        showStanding(direction);
        eject(oppositeSide(direction));
    }
    if (timers.sit.tick() && !grappling && _heldObject == nullptr) {
        sitting = true;
        showAnimation(sided("sitting", direction));
    }
    if (!blinking && !grappling && timers.blink.tick()) {
        timers.blink.setMinMaxTimeout(kBlinkMinimum, kBlinkMaximum);
        timers.blink.reset();
        showAnimation(sided(sitting ? "sitting" : "standing", direction) + "Blink");
        blinking = true;
    }
}

void player::fallingMotion() {
    canJump = false;
    if (doubleJumpUsed) {
        canDoubleJump = false;
    }
    int drop = fallSpeed;
    for (int distance = 0; distance < fallSpeed; distance++) {
        if (blocked(kDown, distance)) {
            drop = distance;
            break;
        }
    }
    y += drop;
    if (timers.fallAcceleration.tick() &&
        (fallSpeed != kSlowPhaseFallSpeed || timers.fallSlowPhase.tick())) {
        fallSpeed++;
        if (fallSpeed > medium.maximumFallSpeed) {
            fallSpeed = medium.maximumFallSpeed;
            canDoubleJump = false;
        }
    }
    eject(kUp);
    checkHorizontalMapExits();
}

// Every tick ------------------------------------------------------------------------------

void player::runEveryTickSteps() {
    worldObjectPass();
    endBlink();
    advanceBoosterTrail();
    animateSprites();
    updateCurrentBBox();
    positionCarriedObject();
    waterLogic();
    if (globalCamera != nullptr && globalCamera->getTarget() == this) {
        positionCamera();
    }
}

void player::endBlink() {
    if (!blinking || !_sprite.finishedAnimating()) {
        return;
    }
    blinking = false;
    if (sitting) {
        showAnimation(sided("sitting", direction));
    } else {
        showStanding(direction);
    }
}

void player::animateSprites() {
    _sprite.logic();
    if (_heldObject != nullptr) {
        _hands.logic();
    }
    if (gravityMagnetOn) {
        _magnetPulse.logic();
    }
    if (pickupFailed) {
        _tears.logic();
    }
}

void player::waterLogic() {
    const int area = globalMap->checkWaterAreasForCollision(_bBox);
    if (area >= 0) {
        if (!inWater) {
            globalMap->addSplashToWaterArea(area, x, y);
            play(_splashIn);
        }
        applyMedium(true);
        inWater = true;
        waterArea = area;
        if (timers.bubble.tick()) {
            globalMap->addBubbleToWaterArea(area, x, y);
        }
    } else {
        if (inWater) {
            globalMap->addSplashToWaterArea(waterArea, x, y);
            play(_splashOut);
        }
        applyMedium(false);
        inWater = false;
    }
}

void player::processSteppingSounds() {
    if (rising || falling) {
        return;
    }
    const struct {
        int frame;
        bool& played;
        PXSound* sound;
    } steps[] = {{kStepFrame1, step1Played, _step1}, {kStepFrame2, step2Played, _step2}};
    for (const auto& step : steps) {
        if (_sprite.currentFrame() != step.frame) {
            step.played = false;
        } else if (!step.played) {
            step.played = true;
            play(step.sound);
        }
    }
}

// Teleporting, screens and abilities ---------------------------------------------------------

void player::beginTeleportOutAnimation() {
    beginTeleportAnimation("teleportOut", "teleportOut.wav");
}

void player::beginTeleportInAnimation() {
    beginTeleportAnimation("teleportIn", "teleportIn.wav");
}

void player::beginTeleportAnimation(const char* animation, const char* soundName) {
    teleporting = true;
    _sprite.setCurrentAnimation(sided(animation, direction).c_str(), PX_TRUE);
    if (PXSound* sound = ResourceManager::instance()->sound(soundName)) {
        sound->setVolume(kTeleportVolume);
        sound->play(0);
    }
    timers.teleport.reset();
}

int player::isTeleporting() const {
    return teleporting ? PX_TRUE : PX_FALSE;
}

void player::forcePreventJumpFromKeyPassthrough() {
    jumpKeyHeld = jumpLatch = true;
    canJump = false;
}

int player::inIntroSequence() const {
    return intro ? PX_TRUE : PX_FALSE;
}

int player::hasPowerup(int bits) const {
    return (powerups & bits) != 0 ? PX_TRUE : PX_FALSE;
}

void player::grantPowerup(int bits) {
    powerups |= bits;
}

// Shared helpers ----------------------------------------------------------------------------

void player::showAnimation(const std::string& name) {
    _sprite.setCurrentAnimation(name.c_str());
}

void player::showBodyAnimation(const std::string& name, int force) {
    if (_heldObject != nullptr) {
        _sprite.setCurrentAnimation((name + "Holding").c_str(), force);
        _hands.setCurrentAnimation((name + "HoldingHands").c_str(), force);
    } else {
        _sprite.setCurrentAnimation(name.c_str(), force);
    }
}

// Requested every idle tick, so an animation already showing is not restarted.
void player::showStanding(int side) {
    if (_heldObject != nullptr || (!blinking && !sitting)) {
        showBodyAnimation(sided("standing", side), PX_FALSE);
    }
}

void player::showFalling() {
    showBodyAnimation(sided("falling", facingAtTakeoff));
}

void player::play(PXSound* sound) {
    if (sound != nullptr) {
        sound->play(0);
    }
}

bool& player::touchedWall(int side) {
    return side == kLeft ? touchedLeftWall : touchedRightWall;
}

bool& player::wallJumpedFrom(int side) {
    return side == kLeft ? wallJumpedFromLeftWall : wallJumpedFromRightWall;
}

void player::reArmJumpSpeed() {
    upwardSpeed =
        hasPowerup(kPowerupHighJump) ? medium.initialHighJumpSpeed : medium.initialJumpSpeed;
}

void player::restartJumpTimers() {
    timers.jumpDeceleration.reset();
    timers.jumpSlowPhase.reset();
}

void player::applyMedium(bool water) {
    medium = water ? kWaterMedium : kLandMedium;
    if (!water && boosterOn) {
        medium.baseSpeed = kBoostedBaseSpeed;
    }
    timers.jumpDeceleration.setTimeout(medium.jumpDecelerationPeriod);
    timers.jumpSlowPhase.setTimeout(medium.jumpSlowPhasePeriod);
    timers.fallAcceleration.setTimeout(medium.fallAccelerationPeriod);
    timers.fallSlowPhase.setTimeout(medium.fallSlowPhasePeriod);
}
