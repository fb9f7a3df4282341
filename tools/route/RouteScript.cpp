#include "RouteScript.h"

#include "engine/Paxtor.h"
#include "game/core/Logic.h"
#include "game/core/Settings.h"
#include "game/objects/WorldObjectVector.h"
#include "game/player/Player.h"
#include "game/world/Map.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <map>
#include <sstream>

namespace {

// How long a condition may take before the route is taken to be broken: a minute of play.
constexpr int kConditionLimit = 3600;

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::istringstream stream(text);
    std::string part;
    while (std::getline(stream, part, separator)) {
        parts.push_back(part);
    }
    return parts;
}

std::optional<int> number(const std::string& text) {
    try {
        size_t used = 0;
        const int value = std::stoi(text, &used);
        return used == text.size() ? std::optional(value) : std::nullopt;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

// The engine key of a control name, as the settings bind it.
std::optional<int> keyOf(const std::string& control) {
    const Settings& keys = *Settings::instance();
    const std::map<std::string, int> kControls = {
        {"left", keys.keyMoveLeft},
        {"right", keys.keyMoveRight},
        {"jump", keys.keyJump},
        {"action", keys.keyAction},
        {"next", keys.keyInventoryNext},
        {"previous", keys.keyInventoryPrevious},
        {"magnet", keys.keyGravityMagnet},
        {"booster", keys.keyBooster},
    };
    const auto found = kControls.find(control);
    return found != kControls.end() ? std::optional(found->second) : std::nullopt;
}

std::optional<ReplayInput> inputOf(const std::string& controls) {
    ReplayInput input;
    if (controls == "nothing") {
        return input;
    }
    for (const std::string& control : split(controls, '+')) {
        const std::optional<int> key = keyOf(control);
        if (!key) {
            return std::nullopt;
        }
        input.keys[*key] = true;
    }
    return input;
}

// The happy inhabitants of each race, by name.
std::map<std::string, int> happyCounts() {
    std::array<int, 14> counts{};
    auto& [flowrians, happyFlowrians, neggs, happyNeggs, raams, happyRaams, doms, happyDoms, vonils,
           happyVonils, ollers, happyOllers, nuts, collected] = counts;
    worldObjectVectorCountNPCsAndCollectibles(flowrians, happyFlowrians, neggs, happyNeggs, raams,
                                              happyRaams, doms, happyDoms, vonils, happyVonils,
                                              ollers, happyOllers, nuts, collected);
    return {{"flowrian", happyFlowrians}, {"dom", happyDoms},   {"negg", happyNeggs},
            {"oller", happyOllers},       {"raam", happyRaams}, {"vonil", happyVonils},
            {"nuts", collected}};
}

std::optional<std::function<bool()>> simpleCondition(const std::string& text) {
    static const std::map<std::string, std::function<bool()>> kStates = {
        {"standing",
         [] { return !globalPlayer->state().rising && !globalPlayer->state().falling; }},
        {"airborne", [] { return globalPlayer->state().rising || globalPlayer->state().falling; }},
        {"carrying", [] { return globalPlayer->heldObject() != nullptr; }},
        {"empty", [] { return globalPlayer->heldObject() == nullptr; }},
        {"teleporting", [] { return globalPlayer->isTeleporting() != 0; }},
        {"idle", [] { return globalPlayer->isTeleporting() == 0; }},
        {"awake", [] { return globalPlayer->inIntroSequence() == 0; }},
    };
    const auto found = kStates.find(text);
    return found != kStates.end() ? std::optional(found->second) : std::nullopt;
}

// One comparison such as "x>=300", "map=grotto1" or "happy=dom:1".
std::optional<std::function<bool()>> comparison(const std::string& text) {
    for (const char* op : {">=", "<="}) {
        const size_t at = text.find(op);
        if (at == std::string::npos) {
            continue;
        }
        const std::string axis = text.substr(0, at);
        const std::optional<int> value = number(text.substr(at + 2));
        if (!value || (axis != "x" && axis != "y")) {
            return std::nullopt;
        }
        const bool atLeast = op[0] == '>';
        const bool horizontal = axis == "x";
        const int limit = *value;
        return [=] {
            const int position = horizontal ? globalPlayer->getXPos() : globalPlayer->getYPos();
            return atLeast ? position >= limit : position <= limit;
        };
    }
    const size_t equals = text.find('=');
    if (equals == std::string::npos) {
        return simpleCondition(text);
    }
    const std::string name = text.substr(0, equals);
    const std::string value = text.substr(equals + 1);
    if (name == "map") {
        return [value] {
            const char* current = globalMap->getFilename();
            return current != nullptr && value == current;
        };
    }
    if (name == "nuts") {
        const std::optional<int> count = number(value);
        if (!count) {
            return std::nullopt;
        }
        return [count] { return collectedHexNutCount() >= *count; };
    }
    if (name == "happy") {
        const std::vector<std::string> raceAndCount = split(value, ':');
        const std::optional<int> count =
            raceAndCount.size() == 2 ? number(raceAndCount[1]) : std::nullopt;
        if (!count || happyCounts().count(raceAndCount[0]) == 0) {
            return std::nullopt;
        }
        const std::string race = raceAndCount[0];
        return [race, count] { return happyCounts()[race] >= *count; };
    }
    return std::nullopt;
}

std::optional<std::function<bool()>> conditionOf(const std::string& text) {
    std::vector<std::function<bool()>> all;
    for (const std::string& part : split(text, '&')) {
        std::optional<std::function<bool()>> one = comparison(part);
        if (!one) {
            return std::nullopt;
        }
        all.push_back(*one);
    }
    return [all] {
        for (const auto& one : all) {
            if (!one()) {
                return false;
            }
        }
        return true;
    };
}

std::optional<RouteScript::Step> parseStep(const std::vector<std::string>& words,
                                           std::string& error) {
    RouteScript::Step step;
    const std::string& verb = words[0];
    if (verb == "wait" && words.size() == 2) {
        const std::optional<int> ticks = number(words[1]);
        if (ticks && *ticks > 0) {
            step.ticks = *ticks;
            return step;
        }
    } else if (verb == "press" && words.size() == 2) {
        const std::optional<ReplayInput> input = inputOf(words[1]);
        if (input) {
            step.input = *input;
            step.ticks = 1;
            step.release = true;
            return step;
        }
    } else if (verb == "hold" && words.size() == 4) {
        const std::optional<ReplayInput> input = inputOf(words[1]);
        if (input && words[2] == "for") {
            const std::optional<int> ticks = number(words[3]);
            if (ticks && *ticks > 0) {
                step.input = *input;
                step.ticks = *ticks;
                return step;
            }
        } else if (input && words[2] == "until") {
            std::optional<std::function<bool()>> condition = conditionOf(words[3]);
            if (condition) {
                step.input = *input;
                step.condition = *condition;
                return step;
            }
        }
    }
    error = "expected 'wait N', 'press CONTROLS', 'hold CONTROLS for N' or 'hold CONTROLS until "
            "CONDITION' with known controls and conditions";
    return std::nullopt;
}

void playTick(const ReplayInput& input, Replay& replay) {
    applyReplayInput(input);
    replay.recordTick(input);
    logic();
}

std::string where() {
    char text[160];
    snprintf(text, sizeof text, "map=%s x=%d y=%d",
             globalMap->getFilename() ? globalMap->getFilename() : "-", globalPlayer->getXPos(),
             globalPlayer->getYPos());
    return text;
}

} // namespace

std::optional<RouteScript> RouteScript::parse(std::string_view text, std::string& error) {
    RouteScript route;
    int line = 0;
    std::istringstream lines{std::string(text)};
    std::string content;
    while (std::getline(lines, content)) {
        line++;
        std::istringstream wordStream(content);
        std::vector<std::string> words;
        for (std::string word; wordStream >> word;) {
            words.push_back(word);
        }
        if (words.empty() || words[0][0] == '#') {
            continue;
        }
        std::optional<Step> step = parseStep(words, error);
        if (!step) {
            error = "line " + std::to_string(line) + ": " + error;
            return std::nullopt;
        }
        step->line = line;
        step->text = content;
        route._steps.push_back(std::move(*step));
    }
    return route;
}

bool RouteScript::play(Replay& replay, std::string& error) const {
    for (const Step& step : _steps) {
        if (step.condition) {
            int waited = 0;
            while (!step.condition()) {
                if (waited++ == kConditionLimit) {
                    error = "line " + std::to_string(step.line) + " (" + step.text +
                            ") did not come true; the player is at " + where();
                    return false;
                }
                playTick(step.input, replay);
            }
        } else {
            for (int tick = 0; tick < step.ticks; tick++) {
                playTick(step.input, replay);
            }
        }
        if (step.release) {
            playTick(ReplayInput{}, replay);
        }
        printf("line %d: tick %d %s\n", step.line, replay.ticks, where().c_str());
    }
    return true;
}
