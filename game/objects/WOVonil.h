// WOVonil: the flying inhabitant that has lost its way home. While sad it follows the player
// who comes near, and once led to a sad nest both are happy.
#pragma once

#include "WONPC.h"

class WONest;

class WOVonil : public WONPC {
public:
    // How near the player must come to be followed, and how far it may go once followed.
    static constexpr int kNoticeRange = 100;
    static constexpr int kFollowRange = 200;
    // How near a nest must be to be found.
    static constexpr int kNestRange = 60;
    // Closer to the player's box than this, the Vonil stops flying sideways.
    static constexpr int kFollowDistance = 25;
    // The gap between its bottom and the player's top is chosen within these each tick.
    static constexpr int kHoverMinimum = 20;
    static constexpr int kHoverMaximum = 25;

    // Type 207, version 2, happy, not following.
    WOVonil();
    // Stops being the player's follower.
    ~WOVonil() override;

    // Header, owner map, "Sad state", at-nest flag.
    bool save(FILE* stream) const override;
    bool load(FILE* stream) override;
    void logic() override;
    void draw() override;
    void updateCurrentBBox() override;
    // Shows the animation of the facing.
    void forceStateUpdate() override;
    // While following, the map's tiles do not hold it back.
    int blocked(int side, int distance) override;
    int rampBlocked(int side, int distance) override;
    void eject(int side) override;

    // True while it follows the player.
    int isFollowing() const { return _following; }
    // True once it has been led to its nest.
    int isAtNest() const { return _atNest; }

private:
    // Starts or stops following as the player comes and goes.
    void updateFollowing();
    void stopFollowing();
    void follow();
    // The first sad nest of the map within reach, or null.
    WONest* nestInReach() const;
    void arriveAtNest(WONest* nest);
    // Counts the ticks it stands still, for the note it sings.
    void countStillTicks(int movedX);

    Sprite _sprite;
    bool _spriteLoaded = false;
    int _following = 0;
    int _atNest = 0;
    int _stillTicks = 0;
    int _stillTicksBeforeNote = 0;
};
