// WOSpriteObject: a world object shown by one sprite. Its box is the sprite frame's box 0 at
// the object's position and its record is the header and the owner map, which is all that most
// props, powerups and collectibles need.
#pragma once

#include "WorldObject.h"
#include "game/core/Sprite.h"

class WOSpriteObject : public WorldObject {
public:
    // Writes the type code, header, owner map and the class's own fields.
    bool save(FILE* stream) const override;
    // Reads header, owner map and the class's own fields, then recomputes the object's state.
    bool load(FILE* stream) override;
    // Draws the sprite at the position minus the camera position.
    void draw() override;
    // Box 0 of the sprite frame at the position.
    void updateCurrentBBox() override;

protected:
    // Writes the fields a class stores after the owner map; the base has none.
    virtual bool saveFields(FILE*) const { return true; }
    // Reads them, given the record's stored version.
    virtual bool loadFields(FILE*, int) { return true; }
    // The sprite, loaded by the concrete class.
    Sprite& sprite() { return _sprite; }
    const Sprite& sprite() const { return _sprite; }
    // Draws a sprite of the object offset from its position, in screen coordinates.
    void drawAtOffset(Sprite& sprite, int dx, int dy) const;

private:
    Sprite _sprite;
};
