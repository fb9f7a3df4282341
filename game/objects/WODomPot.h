// WODomPot: the pot a Dom wants to sit in: it must be the Dom's colour and carry the Dom's
// number, which it shows on its front.
#pragma once

#include "WOSpriteObject.h"

class WODomPot : public WOSpriteObject {
public:
    // The colours a pot (and a Dom) comes in.
    static constexpr const char* kColorRed = "Red";
    static constexpr const char* kColorBlue = "Blue";
    static constexpr const char* kColorGreen = "Green";
    static constexpr const char* kColorOrange = "Orange";

    // Type 105, version 2: a red pot number 1.
    WODomPot();

    // The "Pot #" a Dom must carry to sit in it.
    int potNumber() const { return _potNumber; }
    // The colour text ("Red", "Blue", "Green" or "Orange").
    const char* color() const { return _color; }

    // Steps the sprites.
    void logic() override;
    // The pot with its number centred on it.
    void draw() override;
    // Shows the sprite of the colour (red for a colour no pot has) and the number.
    void forceStateUpdate() override;

protected:
    // Colour and number.
    bool saveFields(FILE* stream) const override;
    // Colour and number, stored from version 2 on.
    bool loadFields(FILE* stream, int storedVersion) override;

private:
    int _potNumber = 1;
    char _color[kTextFieldSize] = {};
    Sprite _number;
};
