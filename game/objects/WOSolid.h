// WOSolid: the base of objects that block the player and other objects. Without a sprite it is a
// 32 x 32 block, outlined in red, that falls until it stands on the map; a class that shows a
// sprite takes the box of its frame instead.
#pragma once

#include "WorldObject.h"
#include "game/core/Sprite.h"

class WOSolid : public WorldObject {
public:
    // Type 1 with the solid bit, falling 2 pixels a tick.
    WOSolid();

    // Writes the type code, header, the class's own fields and the owner map.
    bool save(FILE* stream) const override;
    // Reads header, own fields and owner map, then recomputes the object's state.
    bool load(FILE* stream) override;
    // Falls by the fall step while nothing of the map is below, then steps the sprite.
    void logic() override;
    // The sprite, or without one the bounding box outlined in red.
    void draw() override;
    // Box 0 of the sprite frame at the position, or without a sprite the 32 x 32 square there.
    void updateCurrentBBox() override;

    // The pixels fallen per tick.
    int getFallSpeed() const { return _fallStep; }
    // Sets the pixels fallen per tick.
    void setFallSpeed(int step) { _fallStep = step; }
    // True (-1) while the last logic tick fell.
    int isFalling() const { return _falling; }

protected:
    // Shows the object by the sprite file's animation from now on; a file that cannot be loaded
    // leaves it a red block.
    void showSprite(const char* fileName, const char* animation);
    // The sprite a class shows the object by.
    Sprite& sprite() { return _sprite; }
    // Writes the fields a class stores between the header and the owner map; none here.
    virtual bool saveFields(FILE*) const { return true; }
    // Reads them, given the record's stored version.
    virtual bool loadFields(FILE*, int) { return true; }
    // Draws a sprite of the object at its position minus the camera position.
    void drawSprite(Sprite& sprite) const;

private:
    int _fallStep = 2;
    int _falling = 0;
    Sprite _sprite;
    bool _hasSprite = false;
};
