#include "WOOrientedCreature.h"

#include "WorldObjectRecord.h"

#include <utility>

WOOrientedCreature::WOOrientedCreature(int type, int drawPosition, const char* spriteFile,
                                       const char* firstAnimation,
                                       std::vector<std::string> orientations,
                                       int defaultOrientation)
    : WOCreature(type, drawPosition, spriteFile, firstAnimation),
      _orientations(std::move(orientations)), _defaultOrientation(defaultOrientation) {
    setChoice(_orientation, _orientations[defaultOrientation]);
    addEditorInfo("Orientation", WorldObjectEditorInfo::kChoice, _orientations, _orientation);
}

void WOOrientedCreature::forceStateUpdate() {
    show(_orientations[orientationIndex()].c_str());
}

bool WOOrientedCreature::saveFields(FILE* stream) const {
    return writeRecordText(stream, _orientation);
}

bool WOOrientedCreature::loadFields(FILE* stream, int) {
    if (!readRecordText(stream, _orientation, kTextFieldSize)) {
        return false;
    }
    orientationIndex();
    return true;
}

int WOOrientedCreature::orientationIndex() {
    return knownChoice(_orientation, _orientations, _defaultOrientation);
}
