#include "WODomPot.h"

#include "WorldObjectRecord.h"
#include "game/core/Log.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace {

struct PotColor {
    const char* name;
    const char* spriteFile;
};

constexpr PotColor kPotColors[] = {{WODomPot::kColorRed, "domPot_red.txt"},
                                   {WODomPot::kColorBlue, "domPot_blue.txt"},
                                   {WODomPot::kColorGreen, "domPot_green.txt"},
                                   {WODomPot::kColorOrange, "domPot_orange.txt"}};

constexpr int kColorFieldVersion = 2;

const PotColor* potColorNamed(const char* name) {
    const auto found =
        std::find_if(std::begin(kPotColors), std::end(kPotColors), [name](const PotColor& color) {
            return strncmp(color.name, name, WorldObject::kTextFieldSize) == 0;
        });
    return found != std::end(kPotColors) ? found : nullptr;
}

void copyText(char* buffer, const char* text) {
    snprintf(buffer, WorldObject::kTextFieldSize, "%s", text);
}

} // namespace

WODomPot::WODomPot() {
    setObjectType(WORLD_OBJECT_DOM_POT);
    setVersion(kColorFieldVersion);
    copyText(_color, kColorRed);
    addEditorInfo("Pot #", WorldObjectEditorInfo::kInteger, &_potNumber);
    std::vector<std::string> choices;
    for (const PotColor& color : kPotColors) {
        choices.emplace_back(color.name);
    }
    addEditorInfo("Preferred Music Maker", WorldObjectEditorInfo::kChoice, std::move(choices),
                  _color);
    loadSprite(_number, "dom_numbers.txt", "1");
    forceStateUpdate();
}

bool WODomPot::saveFields(FILE* stream) const {
    return writeRecordText(stream, _color) && writeRecordInteger(stream, _potNumber);
}

bool WODomPot::loadFields(FILE* stream, int storedVersion) {
    return storedVersion < kColorFieldVersion || (readRecordText(stream, _color, kTextFieldSize) &&
                                                  readRecordInteger(stream, _potNumber));
}

void WODomPot::logic() {
    sprite().logic();
    _number.logic();
    updateCurrentBBox();
}

void WODomPot::draw() {
    WOSpriteObject::draw();
    int potWidth = 0;
    int potHeight = 0;
    int numberWidth = 0;
    int numberHeight = 0;
    sprite().frameDimensions(sprite().currentFrame(), &potWidth, &potHeight, nullptr, nullptr);
    _number.frameDimensions(_number.currentFrame(), &numberWidth, &numberHeight, nullptr, nullptr);
    drawAtOffset(_number, (potWidth - numberWidth) / 2, (potHeight - numberHeight) / 2);
}

void WODomPot::forceStateUpdate() {
    const PotColor* color = potColorNamed(_color);
    if (color == nullptr) {
        globalLog->write("Dom pot colour \"%s\" is none of the pot colours; the pot is %s\n",
                         _color, kColorRed);
        copyText(_color, kColorRed);
        color = &kPotColors[0];
    }
    loadSprite(sprite(), color->spriteFile, "pot");
    _number.setCurrentAnimation(std::to_string(_potNumber).c_str());
    updateCurrentBBox();
}
