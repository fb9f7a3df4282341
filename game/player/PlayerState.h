// What the player is doing: position, flags, speeds, latches and timers. Starting a new game or
// loading one replaces the whole of it, so nothing of a jump, climb or swim carries over.
#pragma once

#include "engine/PXTimer.h"

#include <array>

// The values that differ out of and in water; copied into the current ones every tick.
struct PlayerMedium {
    int baseSpeed;
    int initialJumpSpeed;
    int initialHighJumpSpeed;
    int jumpDecelerationPeriod;
    int jumpSlowPhasePeriod;
    int initialFallSpeed;
    int maximumFallSpeed;
    int fallAccelerationPeriod;
    int fallSlowPhasePeriod;
    int postWallJumpSpeed;
};

inline constexpr PlayerMedium kLandMedium{2, 6, 8, 2, 3, 0, 10, 2, 3, 3};
inline constexpr PlayerMedium kWaterMedium{1, 3, 4, 4, 6, 0, 3, 4, 6, 2};
// Base speed on land with the booster on.
inline constexpr int kBoostedBaseSpeed = 4;

// A timer with a random period in [minimum, maximum], drawn when the state is made: a new game
// draws it after the game's random seed is set, so replays see the same period.
inline PXTimer randomTimer(int minimum, int maximum) {
    PXTimer timer;
    timer.setMinMaxTimeout(minimum, maximum);
    return timer;
}

struct PlayerTimers {
    PXTimer jumpDeceleration{kLandMedium.jumpDecelerationPeriod};
    PXTimer jumpSlowPhase{kLandMedium.jumpSlowPhasePeriod};
    PXTimer fallAcceleration{kLandMedium.fallAccelerationPeriod};
    PXTimer fallSlowPhase{kLandMedium.fallSlowPhasePeriod};
    PXTimer cling{20};
    PXTimer wallJump{8};
    PXTimer climb{12};
    PXTimer teleport{10};
    PXTimer intro{120};
    // Period 0 at first, so the first blink comes on the first idle tick.
    PXTimer blink{0};
    PXTimer sit{600};
    PXTimer pickup{12};
    // Air bubbles while swimming.
    PXTimer bubble = randomTimer(30, 500);
};

struct PlayerState {
    // Position and body. Directions and sides: 0 left, 1 up, 2 right, 3 down.
    int x = 0;
    int y = 0;
    int direction = 2;
    // Powerup bits.
    int powerups = 0;

    // Horizontal motion and the animation family showing.
    int horizontalSpeed = 2;
    bool running = false;
    bool fallingAnimation = false;
    bool jumpingAnimation = false;
    bool pushing = false;

    // Jumping. The key counts as held at first, so a key held at start does not jump.
    bool jumpKeyHeld = true;
    bool jumpLatch = false;
    bool grounded = false;
    bool rising = false;
    int facingAtTakeoff = 2;
    int upwardSpeed = kLandMedium.initialJumpSpeed;
    bool canJump = false;
    bool canDoubleJump = false;
    bool doubleJumpUsed = false;

    // Falling.
    bool falling = false;
    int fallSpeed = kLandMedium.initialFallSpeed;

    // Walls and ledges.
    bool touchedLeftWall = false;
    bool touchedRightWall = false;
    bool onWall = false;
    bool wallJumpedFromLeftWall = false;
    bool wallJumpedFromRightWall = false;
    bool clinging = false;
    bool clingSpent = false;
    bool wallJumpFreeze = false;
    bool grappling = false;
    int grappleSide = 0;
    bool climbing = false;
    bool climbFinished = false;

    // Other states.
    bool teleporting = false;
    bool intro = false;
    bool introStep1 = false;
    bool introStep2 = false;
    bool blinking = false;
    bool sitting = false;
    bool inWater = false;
    int waterArea = -1;
    bool horizontalExitLatch = false;
    bool verticalExitLatch = false;
    bool step1Played = false;
    bool step2Played = false;

    // Abilities (carrying, inventory, gravity magnet, booster).
    bool gravityMagnetOn = false;
    bool boosterOn = false;
    bool actionLatch = true;
    bool gravityMagnetLatch = false;
    bool boosterLatch = false;
    int pendingInventoryIndex = -1;
    bool inventoryAnimation = false;
    bool pickingUp = false;
    bool pickupFailed = false;
    bool flippingSwitch = false;
    // Where the booster shows fading copies of the player; entry 0 is the newest.
    std::array<int, 15> trailX{};
    std::array<int, 15> trailY{};

    // The current land or water values.
    PlayerMedium medium = kLandMedium;
    PlayerTimers timers;
};
