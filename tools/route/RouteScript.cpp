#include "RouteScript.h"

#include "engine/Paxtor.h"
#include "game/core/Logic.h"
#include "game/core/Settings.h"
#include "game/objects/WOCreditsRunner.h"
#include "game/objects/WONPC.h"
#include "game/objects/WorldObjectVector.h"
#include "game/player/Player.h"
#include "game/screens/Credits.h"
#include "game/screens/SecretList.h"
#include "game/world/Camera.h"
#include "game/world/Map.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <sstream>
#include <utility>

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
        // The arrows the menus and the save browser read, whatever the bindings.
        {"up", PXKeyCode::kUp},
        {"down", PXKeyCode::kDown},
    };
    const auto found = kControls.find(control);
    return found != kControls.end() ? std::optional(found->second) : std::nullopt;
}

// The type code of a thing routes go to, by name.
std::optional<int> typeOf(const std::string& thing) {
    static const std::map<std::string, int> kThings = {
        {"flowrian", WORLD_OBJECT_FLOWRIAN},  {"dom", WORLD_OBJECT_DOM},
        {"negg", WORLD_OBJECT_NEGG},          {"oller", WORLD_OBJECT_OLLER},
        {"raam", WORLD_OBJECT_RAAM},          {"vonil", WORLD_OBJECT_VONIL},
        {"nest", WORLD_OBJECT_NEST},          {"pot", WORLD_OBJECT_DOM_POT},
        {"musicbox", WORLD_OBJECT_MUSIC_BOX}, {"accordion", WORLD_OBJECT_ACCORDIAN},
        {"apple", WORLD_OBJECT_APPLE},        {"blueberry", WORLD_OBJECT_BLUEBERRY},
        {"switch", WORLD_OBJECT_FLIP_SWITCH}, {"teleport", WORLD_OBJECT_TELEPORT},
    };
    const auto found = kThings.find(thing);
    return found != kThings.end() ? std::optional(found->second) : std::nullopt;
}

int centreOf(const BoundingBox& box) {
    return (box.getLeftBound() + box.getRightBound()) / 2;
}

bool isSadInhabitant(const WorldObject* object) {
    const auto* inhabitant = dynamic_cast<const WONPC*>(object);
    return inhabitant != nullptr && inhabitant->getSadState() != 0;
}

// The object of the type on the current map nearest to the player, a sad inhabitant before a
// happy one; null when the map has none.
const WorldObject* nearestOfType(int type) {
    const WorldObject* nearest = nullptr;
    std::pair<bool, int> best{};
    const BoundingBox& player = *globalPlayer->getBBox();
    for (const WorldObject* object : *globalMapSpecificWorldObjectVector) {
        if (object->getObjectType() != type) {
            continue;
        }
        const BoundingBox& box = *object->getBBox();
        const int distance = std::abs(centreOf(box) - centreOf(player)) +
                             std::abs(box.getTopBound() - player.getTopBound());
        const std::pair<bool, int> rank{!isSadInhabitant(object), distance};
        if (nearest == nullptr || rank < best) {
            nearest = object;
            best = rank;
        }
    }
    return nearest;
}

// Left or right toward the nearest object of the type, or neither once level with it.
ReplayInput towardInput(int type) {
    constexpr int kLevel = 1;
    ReplayInput input;
    const WorldObject* target = nearestOfType(type);
    if (target == nullptr) {
        return input;
    }
    const int offset = centreOf(*target->getBBox()) - centreOf(*globalPlayer->getBBox());
    const Settings& keys = *Settings::instance();
    if (offset > kLevel) {
        input.keys[keys.keyMoveRight] = true;
    } else if (offset < -kLevel) {
        input.keys[keys.keyMoveLeft] = true;
    }
    return input;
}

// Reads CONTROLS into the step's keys and "toward" target; false for an unknown name.
bool parseControls(const std::string& controls, RouteScript::Step& step) {
    if (controls == "nothing") {
        return true;
    }
    for (const std::string& control : split(controls, '+')) {
        if (control.rfind("toward=", 0) == 0) {
            const std::optional<int> type = typeOf(control.substr(7));
            if (!type) {
                return false;
            }
            step.towardType = *type;
            continue;
        }
        const std::optional<int> key = keyOf(control);
        if (!key) {
            return false;
        }
        step.input.keys[*key] = true;
    }
    return true;
}

// The input of a tick of the step: its keys and, with a "toward" target, the way there.
ReplayInput stepInput(const RouteScript::Step& step) {
    ReplayInput input = step.input;
    if (step.towardType != 0) {
        const ReplayInput toward = towardInput(step.towardType);
        for (size_t key = 0; key < input.keys.size(); key++) {
            input.keys[key] = input.keys[key] || toward.keys[key];
        }
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

// On the ground: neither rising nor falling, and on something (the apex of a jump and the first
// step over an edge are neither rising nor falling for a tick).
bool standing() {
    const PlayerState& state = globalPlayer->state();
    return !state.rising && !state.falling && globalPlayer->blocked(player::kDown, 1);
}

// True once the credits of the current map have rolled past the top of the screen.
bool creditsHaveRolled() {
    for (const WorldObject* object : *globalMapSpecificWorldObjectVector) {
        const auto* runner = dynamic_cast<const WOCreditsRunner*>(object);
        if (runner == nullptr || runner->credits() == nullptr) {
            continue;
        }
        const auto lines = runner->credits()->placedLines(globalCamera->getXPos());
        return !lines.empty() && !lines.back().visible && lines.back().y < 0;
    }
    return false;
}

std::optional<std::function<bool()>> simpleCondition(const std::string& text) {
    static const std::map<std::string, std::function<bool()>> kStates = {
        {"standing", standing},
        {"airborne", [] { return !standing(); }},
        {"carrying", [] { return globalPlayer->heldObject() != nullptr; }},
        {"empty", [] { return globalPlayer->heldObject() == nullptr; }},
        {"swimming", [] { return globalPlayer->state().inWater; }},
        {"clinging", [] { return globalPlayer->state().clinging; }},
        {"hanging", [] { return globalPlayer->state().grappling; }},
        {"teleporting", [] { return globalPlayer->isTeleporting() != 0; }},
        {"idle", [] { return globalPlayer->isTeleporting() == 0; }},
        {"awake", [] { return globalPlayer->inIntroSequence() == 0; }},
        {"credits", creditsHaveRolled},
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
    if (name == "near") {
        const std::optional<int> type = typeOf(value);
        if (!type) {
            return std::nullopt;
        }
        return [type] {
            constexpr int kTile = 16;
            const WorldObject* target = nearestOfType(*type);
            if (target == nullptr) {
                return false;
            }
            const BoundingBox& player = *globalPlayer->getBBox();
            const BoundingBox reach(player.getLeftBound() - kTile, player.getTopBound() - kTile,
                                    player.getRightBound() + kTile,
                                    player.getBottomBound() + kTile);
            return BoundingBox::checkCollision(&reach, target->getBBox()) != 0;
        };
    }
    if (name == "secret") {
        const std::optional<int> identifier = number(value);
        if (!identifier || *identifier < kSecretNautilusFriend ||
            *identifier > kSecretHundredPercent) {
            return std::nullopt;
        }
        return [identifier] { return secretUnlocked(static_cast<SecretIdentifier>(*identifier)); };
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
        if (parseControls(words[1], step)) {
            step.ticks = 1;
            step.release = true;
            return step;
        }
    } else if (verb == "hold" && words.size() == 4 && parseControls(words[1], step)) {
        if (words[2] == "for") {
            const std::optional<int> ticks = number(words[3]);
            if (ticks && *ticks > 0) {
                step.ticks = *ticks;
                return step;
            }
        } else if (words[2] == "until") {
            std::optional<std::function<bool()>> condition = conditionOf(words[3]);
            if (condition) {
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
                playTick(stepInput(step), replay);
            }
        } else {
            for (int tick = 0; tick < step.ticks; tick++) {
                playTick(stepInput(step), replay);
            }
        }
        if (step.release) {
            playTick(ReplayInput{}, replay);
        }
        printf("line %d: tick %d %s\n", step.line, replay.ticks, where().c_str());
    }
    return true;
}
