#include "WOCreature.h"

#include "engine/PXInit.h"
#include "engine/PXRandom.h"
#include "engine/PXSound.h"
#include "game/core/SoundUtilities.h"
#include "game/player/Player.h"

#include <algorithm>

WOCreature::WOCreature(int type, int drawPosition, const char* spriteFile,
                       const char* firstAnimation)
    : _hasSprite(loadSprite(sprite(), spriteFile, firstAnimation)) {
    setObjectType(type);
    setDrawPosition(drawPosition);
}

void WOCreature::animate() {
    sprite().logic();
    updateCurrentBBox();
}

void WOCreature::show(const char* animation) {
    sprite().setCurrentAnimation(animation, PX_FALSE);
    updateCurrentBBox();
}

void WOCreature::shiftBy(int dx, int dy) {
    setPosition(getXPos() + dx, getYPos() + dy);
    updateCurrentBBox();
}

int WOCreature::eitherOf(int first, int second) {
    return PXRandomize(0, 1) ? second : first;
}

int WOCreature::volumeAtPlayer() const {
    return globalPlayer != nullptr ? volumeForSound(getBBox(), globalPlayer->getBBox())
                                   : MIX_MAX_VOLUME;
}

int WOCreature::knownChoice(char* text, const std::vector<std::string>& choices, int fallback) {
    const auto found = std::find(choices.begin(), choices.end(), text);
    if (found != choices.end()) {
        return static_cast<int>(found - choices.begin());
    }
    setChoice(text, choices[fallback]);
    return fallback;
}

void WOCreature::setChoice(char* text, const std::string& choice) {
    text[choice.copy(text, kTextFieldSize - 1)] = '\0';
}
