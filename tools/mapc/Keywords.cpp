#include "Keywords.h"

#include "game/world/Map.h"
#include "game/world/MapCameraStopper.h"

#include <algorithm>

namespace {

constexpr Keywords::Name kWeatherNames[] = {{"none", 0}, {"snow", 1}, {"rain", 2}};
constexpr Keywords::Name kOrientationNames[] = {{"horizontal", Map::kHorizontal},
                                                {"vertical", Map::kVertical}};
constexpr Keywords::Name kVerticalBlockNames[] = {{"left", Map::CameraStopper::kBlockLeft},
                                                  {"right", Map::CameraStopper::kBlockRight}};
constexpr Keywords::Name kHorizontalBlockNames[] = {{"up", Map::CameraStopper::kBlockUp},
                                                    {"down", Map::CameraStopper::kBlockDown}};
constexpr Keywords::Name kLayerFlagNames[] = {{"BLOCK", Map::kLayerBlock},
                                              {"UPPER", Map::kLayerUpper}};
constexpr char kNoFlags[] = "none";

} // namespace

namespace Keywords {

const Names kWeathers = kWeatherNames;
const Names kOrientations = kOrientationNames;
const Names kVerticalBlocks = kVerticalBlockNames;
const Names kHorizontalBlocks = kHorizontalBlockNames;

std::optional<int> valueOf(Names names, std::string_view word) {
    const auto found = std::find_if(names.begin(), names.end(),
                                    [&](const Name& name) { return word == name.text; });
    return found != names.end() ? std::optional<int>(found->value) : std::nullopt;
}

std::string nameOf(Names names, int value) {
    const auto found = std::find_if(names.begin(), names.end(),
                                    [&](const Name& name) { return value == name.value; });
    return found != names.end() ? found->text : std::to_string(value);
}

std::optional<int> layerFlags(std::string_view text) {
    if (text == kNoFlags) {
        return 0;
    }
    int flags = 0;
    while (true) {
        const size_t bar = text.find('|');
        const std::optional<int> flag = valueOf(kLayerFlagNames, text.substr(0, bar));
        if (!flag) {
            return std::nullopt;
        }
        flags |= *flag;
        if (bar == std::string_view::npos) {
            return flags;
        }
        text.remove_prefix(bar + 1);
    }
}

std::string layerFlagsName(int flags) {
    std::string text;
    int named = 0;
    for (const Name& flag : kLayerFlagNames) {
        if ((flags & flag.value) != 0) {
            text += (text.empty() ? "" : "|") + std::string(flag.text);
            named |= flag.value;
        }
    }
    if (named != flags) {
        return std::to_string(flags);
    }
    return text.empty() ? kNoFlags : text;
}

} // namespace Keywords
