// WOBird: a small bird that stands, sits, pecks, hops and sings, falls when nothing holds it up
// and, when it is shy, flies away from the player and out of the world.
#pragma once

#include "WOCreature.h"
#include "engine/PXTimer.h"

class PXSound;

class WOBird : public WOCreature {
public:
    // Type 400, facing right, standing, shy of the player.
    WOBird();

    // Flies on when flying away; otherwise falls, lands, takes fright or acts.
    void logic() override;
    // Shows "standLeft"/"standRight", or the flight once it flies away.
    void forceStateUpdate() override;
    // True once it has taken fright; it then leaves the world above the map.
    bool isFlyingAway() const { return _flyingAway; }
    // True while nothing below holds it up.
    bool isAirborne() const { return _airborne; }
    // 0 left, 1 right.
    int facing() const { return _facing; }

protected:
    // Writes "Flies from player:".
    bool saveFields(FILE* stream) const override;
    // Reads "Flies from player:".
    bool loadFields(FILE* stream, int storedVersion) override;

private:
    enum class Action { None, Stand, Sit, Peck, Hop, Sing };

    // Up by 1 to 4 and 2 sideways; gone once above the map.
    void flyAway();
    // True when it is shy and the player, outside the intro, comes near.
    bool playerIsNear() const;
    // Shows the flight and lifts off, facing a random way.
    void takeFright();
    // Falls while nothing is below; lands standing.
    void fallOrLand();
    // Picks an action when the decision timer fires, or runs the current one.
    void act();
    // Starts one of the five actions, facing a random way.
    void beginAction();
    // Back to standing.
    void endAction();
    // Starts one of the songs at the volume the player hears.
    void sing();
    // Follows the player's distance; true while the song goes on.
    bool singing();
    // The second half of a hop, once the hop timer fires.
    void finishHop();

    PXTimer _decisionTimer;
    PXTimer _actionTimer;
    PXTimer _hopTimer;
    int _fliesFromPlayer = -1;
    int _facing = kSideRight;
    bool _flyingAway = false;
    bool _airborne = false;
    bool _hopping = false;
    Action _action = Action::None;
    PXSound* _song = nullptr;
    // The song lasts this many more ticks: counted, so that play does not depend on the mixer's
    // clock.
    int _songTicksLeft = 0;
};
