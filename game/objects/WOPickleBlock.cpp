#include "WOPickleBlock.h"

#include "WorldObjectRecord.h"
#include "engine/PXInit.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

const std::vector<std::string> kStyles = {"red", "purple", "pink", "green", "grey", "gold", "blue"};
constexpr int kShortestWait = 30;
constexpr int kLongestWait = 200;

} // namespace

WOPickleBlock::WOPickleBlock() {
    setObjectType(WORLD_OBJECT_PICKLE_BLOCK);
    addPropertyFlags(WORLD_OBJECT_PROPERTY_SOLID);
    setDrawPosition(kDrawOverUpperTiles);
    addEditorInfo("Style", WorldObjectEditorInfo::kChoice, kStyles, _style);
    _shineTimer.setMinMaxTimeout(kShortestWait, kLongestWait);
    loadSprite(sprite(), "pickleBlock.txt", _style);
}

const char* WOPickleBlock::shownStyle() const {
    const bool known = std::find(kStyles.begin(), kStyles.end(), _style) != kStyles.end();
    return known ? _style : kStyles.front().c_str();
}

void WOPickleBlock::logic() {
    if (!_shining && _shineTimer.tick()) {
        sprite().setCurrentAnimation((std::string(shownStyle()) + "Shine").c_str());
        _shining = PX_TRUE;
    } else if (_shining && sprite().finishedAnimating()) {
        sprite().setCurrentAnimation(shownStyle());
        _shining = PX_FALSE;
    }
    sprite().logic();
    updateCurrentBBox();
}

void WOPickleBlock::forceStateUpdate() {
    sprite().setCurrentAnimation(shownStyle());
    _shining = PX_FALSE;
    updateCurrentBBox();
}

bool WOPickleBlock::saveFields(FILE* stream) const {
    return writeRecordText(stream, _style);
}

bool WOPickleBlock::loadFields(FILE* stream, int) {
    return readRecordText(stream, _style, kTextFieldSize);
}
