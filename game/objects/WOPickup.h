// WOPickup: what powerups and collectibles share: the sprite that shrinks away when the player
// touches it and the obtained state by which the game loop removes them. One shared base, so the
// loop asks both kinds the same question without treating one as the other.
#pragma once

#include "WorldObject.h"
#include "game/core/Sprite.h"

class WOPickup : public WorldObject {
public:
    // On the first call shows "shrink" and plays "itemCollect.wav"; later calls change nothing.
    void setObtained();
    // True once touched and shrunk away: the game loop then removes the object.
    int needsRemovalFromWorldObjectVector() const;

protected:
    // The sprite, loaded by the concrete class.
    Sprite& sprite() { return _sprite; }

private:
    Sprite _sprite;
    int _obtained = 0;
};
