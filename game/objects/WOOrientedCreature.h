// WOOrientedCreature: a creature whose "Orientation" choice is stored after its owner map and
// picks the animation it shows (ships, orbs, snails).
#pragma once

#include "WOCreature.h"

#include <string>
#include <vector>

class WOOrientedCreature : public WOCreature {
public:
    // Shows the animation the orientation names.
    void forceStateUpdate() override;
    // The "Orientation" text.
    const char* orientation() const { return _orientation; }

protected:
    // The orientation starts as the default choice and is editable as "Orientation".
    WOOrientedCreature(int type, int drawPosition, const char* spriteFile,
                       const char* firstAnimation, std::vector<std::string> orientations,
                       int defaultOrientation);

    // Writes "Orientation".
    bool saveFields(FILE* stream) const override;
    // Reads "Orientation"; a text that is no choice becomes the default.
    bool loadFields(FILE* stream, int storedVersion) override;
    // The orientation's index among the choices (an unknown text becomes the default first).
    int orientationIndex();
    // The orientation's text field, for classes that turn the creature.
    char* orientationText() { return _orientation; }

private:
    std::vector<std::string> _orientations;
    int _defaultOrientation;
    char _orientation[kTextFieldSize] = {};
};
