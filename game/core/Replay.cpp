#include "Replay.h"

#include "Draw.h"
#include "Globals.h"
#include "Log.h"
#include "Logic.h"
#include "engine/PXAtomicFile.h"
#include "engine/Paxtor.h"
#include "game/objects/WorldObjectVector.h"
#include "game/player/Player.h"
#include "game/screens/SecretList.h"
#include "game/world/Camera.h"
#include "game/world/Map.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

namespace {

constexpr const char* kMagic = "corvane-replay";
// A fast replay draws one frame in this many ticks, so a long recording plays in seconds while
// the window still shows where it is.
constexpr int kFastReplayTicksPerFrame = 120;

std::string joined(const auto& values) {
    std::ostringstream text;
    const char* separator = "";
    for (const int value : values) {
        text << separator << value;
        separator = ",";
    }
    return text.str();
}

std::string inputText(const ReplayInput& input) {
    std::ostringstream keys;
    const char* separator = "";
    for (int code = 1; code <= PX_KEY_LAST; code++) {
        if (input.keys[code]) {
            keys << separator << code;
            separator = ",";
        }
    }
    const std::string keyList = keys.str();
    return "keys=" + (keyList.empty() ? std::string("-") : keyList) +
           " buttons=" + std::to_string(input.buttons) + " hat=" + std::to_string(input.hat) +
           " axes=" + joined(input.axes);
}

// Reads the comma-separated numbers after "name=" into the values; false when malformed.
template <class Store> bool readList(const std::string& word, const char* name, Store store) {
    const std::string prefix = std::string(name) + "=";
    if (!word.starts_with(prefix)) {
        return false;
    }
    std::istringstream list(word.substr(prefix.size()));
    std::string item;
    while (std::getline(list, item, ',')) {
        if (item == "-") {
            continue;
        }
        try {
            store(std::stoi(item));
        } catch (const std::exception&) {
            return false;
        }
    }
    return true;
}

std::optional<ReplayInput> parseInput(std::istringstream& words) {
    std::string keys, buttons, hat, axes;
    words >> keys >> buttons >> hat >> axes;
    ReplayInput input;
    size_t axis = 0;
    const bool read = readList(keys, "keys",
                               [&](int code) {
                                   if (code >= 1 && code <= PX_KEY_LAST) {
                                       input.keys[code] = true;
                                   }
                               }) &&
                      readList(buttons, "buttons", [&](int value) { input.buttons = value; }) &&
                      readList(hat, "hat", [&](int value) { input.hat = value; }) &&
                      readList(axes, "axes", [&](int value) {
                          if (axis < input.axes.size()) {
                              input.axes[axis++] = value;
                          }
                      });
    return read ? std::optional(input) : std::nullopt;
}

} // namespace

ReplayInput currentReplayInput() {
    ReplayInput input;
    for (int code = 1; code <= PX_KEY_LAST; code++) {
        input.keys[code] = _PXKeys[code] != PX_FALSE;
    }
    for (int button = 0; button < PX_GAMEPAD_BUTTONS; button++) {
        input.buttons |= _PXGamePadButtons[button] ? 1 << button : 0;
    }
    input.hat = _PXGamePadHatPosition;
    for (int axis = 0; axis < PX_GAMEPAD_AXES; axis++) {
        input.axes[axis] = _PXGamePadAxes[axis];
    }
    return input;
}

void applyReplayInput(const ReplayInput& input) {
    for (int code = 1; code <= PX_KEY_LAST; code++) {
        if ((_PXKeys[code] != PX_FALSE) != input.keys[code]) {
            _PXSetKeyCode(code, input.keys[code]);
        }
    }
    for (int button = 0; button < PX_GAMEPAD_BUTTONS; button++) {
        const bool down = (input.buttons >> button) & 1;
        if ((_PXGamePadButtons[button] != PX_FALSE) != down) {
            down ? _PXSetGamePadButton(button) : _PXUnsetGamePadButton(button);
        }
    }
    _PXSetHat(input.hat);
    for (int axis = 0; axis < PX_GAMEPAD_AXES; axis++) {
        _PXSetAxis(axis, input.axes[axis]);
    }
}

namespace {

// The identifiers of the unlocked secrets in order, or "-".
std::string unlockedSecrets() {
    std::vector<int> unlocked;
    for (int identifier = kSecretNautilusFriend; identifier <= kSecretHundredPercent;
         identifier++) {
        if (secretUnlocked(static_cast<SecretIdentifier>(identifier))) {
            unlocked.push_back(identifier);
        }
    }
    return unlocked.empty() ? "-" : joined(unlocked);
}

} // namespace

std::string replayStateLine() {
    int flowrians = 0, happyFlowrians = 0, neggs = 0, happyNeggs = 0, raams = 0, happyRaams = 0;
    int doms = 0, happyDoms = 0, vonils = 0, happyVonils = 0, ollers = 0, happyOllers = 0;
    int hexNuts = 0, collectedHexNuts = 0;
    worldObjectVectorCountNPCsAndCollectibles(flowrians, happyFlowrians, neggs, happyNeggs, raams,
                                              happyRaams, doms, happyDoms, vonils, happyVonils,
                                              ollers, happyOllers, hexNuts, collectedHexNuts);
    char powers[16];
    snprintf(powers, sizeof powers, "0x%02x", globalPlayer->state().powerups);
    std::ostringstream state;
    state << "map=" << (globalMap->getFilename() ? globalMap->getFilename() : "-")
          << " player=" << globalPlayer->getXPos() << "," << globalPlayer->getYPos()
          << " camera=" << globalCamera->getXPos() << "," << globalCamera->getYPos()
          << " powers=" << powers << " nuts=" << collectedHexNuts << " happy=" << happyFlowrians
          << "," << happyDoms << "," << happyNeggs << "," << happyOllers << "," << happyRaams << ","
          << happyVonils << " secrets=" << unlockedSecrets();
    return state.str();
}

ReplayInput Replay::inputAt(int tick) const {
    auto change = inputs.upper_bound(tick);
    return change == inputs.begin() ? ReplayInput{} : std::prev(change)->second;
}

void Replay::recordTick(const ReplayInput& input) {
    // Recording only appends, so the input in force is the last one stored.
    if (inputs.empty() || inputs.rbegin()->second != input) {
        inputs[ticks] = input;
    }
    ticks++;
}

bool Replay::save(const std::string& path) const {
    std::ostringstream text;
    text << kMagic << " " << kVersion << "\nseed " << seed << "\n";
    for (const auto& [tick, input] : inputs) {
        text << "input " << tick << " " << inputText(input) << "\n";
    }
    text << "ticks " << ticks << "\nstate " << finalState << "\n";
    if (frames > 0) {
        text << "frames " << frames << " milliseconds " << milliseconds << "\n";
    }
    const std::string bytes = text.str();
    PXAtomicFile file(path);
    return file.stream() != nullptr &&
           fwrite(bytes.data(), 1, bytes.size(), file.stream()) == bytes.size() && file.commit();
}

std::optional<Replay> Replay::load(const std::string& path) {
    std::ifstream file(path);
    std::string magic;
    int version = 0;
    if (!(file >> magic >> version) || magic != kMagic || version != kVersion) {
        return std::nullopt;
    }
    Replay replay;
    std::string line;
    while (std::getline(file, line)) {
        std::istringstream words(line);
        std::string keyword;
        words >> keyword;
        if (keyword == "seed") {
            words >> replay.seed;
        } else if (keyword == "ticks") {
            words >> replay.ticks;
        } else if (keyword == "state") {
            std::getline(words >> std::ws, replay.finalState);
        } else if (keyword == "frames") {
            std::string milliseconds;
            words >> replay.frames >> milliseconds >> replay.milliseconds;
        } else if (keyword == "input") {
            int tick = -1;
            words >> tick;
            const auto input = parseInput(words);
            if (tick < 0 || !input) {
                return std::nullopt;
            }
            replay.inputs[tick] = *input;
        } else if (!keyword.empty()) {
            return std::nullopt;
        }
    }
    return replay;
}

std::optional<ReplayOutcome> playReplay(const Replay& replay, bool fast) {
    useSecretListWithoutFile();
    srand(replay.seed);
    if (!initNewGame()) {
        globalLog->write("Unable to initialize status for a \"new game\".\n");
        return std::nullopt;
    }
    const int ticksPerFrame = fast ? kFastReplayTicksPerFrame : 1;
    const Uint32 start = PXClockTicks();
    for (int tick = 0; tick < replay.ticks && !PXApplicationQuitRequested() && !GAME_EXIT_REQUESTED;
         tick++) {
        const bool drawn = (tick + 1) % ticksPerFrame == 0 || tick + 1 == replay.ticks;
        if (drawn) {
            PXPumpEvents();
        }
        applyReplayInput(replay.inputAt(tick));
        logic();
        if (drawn) {
            presentFrame([] { draw(PX_FALSE); });
        }
    }
    return ReplayOutcome{replayStateLine(), PXClockTicks() - start};
}
