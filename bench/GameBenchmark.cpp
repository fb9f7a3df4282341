// The game's per-tick, per-frame and per-map costs on the built demo world. Needs a display
// (run under xvfb-run) and the data tree next to corvane.
#include "engine/Paxtor.h"
#include "game/core/Draw.h"
#include "game/core/Initialization.h"
#include "game/core/Logic.h"
#include "game/core/Replay.h"
#include "game/core/ResourceManager.h"
#include "game/core/Settings.h"
#include "game/objects/WOTeleport.h"
#include "game/objects/WorldObject.h"
#include "game/objects/WorldObjectVector.h"
#include "game/player/Player.h"
#include "game/world/Map.h"

#include <GL/gl.h>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kData = CORVANE_DATA_DIR;

// The whole game started once for all benchmarks: engine, window, globals, a new game.
class Game {
public:
    static bool start() {
        static const bool started = [] {
            fs::current_path(kData.parent_path());
            const std::string program = (kData.parent_path() / "corvane").string();
            return init(program.c_str()) && initNewGame();
        }();
        return started;
    }
};

std::vector<fs::path> demoMaps() {
    std::vector<fs::path> maps;
    for (const auto& entry : fs::recursive_directory_iterator(kData / "maps")) {
        if (entry.is_regular_file()) {
            maps.push_back(entry.path());
        }
    }
    std::sort(maps.begin(), maps.end());
    return maps;
}

double percentile(std::vector<double> values, double fraction) {
    std::sort(values.begin(), values.end());
    return values[static_cast<size_t>(fraction * static_cast<double>(values.size() - 1))];
}

// Times each logic tick while the player runs right and jumps every second, so each tick moves,
// collides and places the camera; reports the median and p99 in microseconds.
void timeRunningTicks(benchmark::State& state) {
    const Settings& keys = *Settings::instance();
    ReplayInput running;
    running.keys[keys.keyMoveRight] = true;
    std::vector<double> microseconds;
    int tick = 0;
    for (auto _ : state) {
        running.keys[keys.keyJump] = tick++ % 60 < 20;
        applyReplayInput(running);
        const auto before = std::chrono::steady_clock::now();
        logic();
        const auto after = std::chrono::steady_clock::now();
        microseconds.push_back(std::chrono::duration<double, std::micro>(after - before).count());
    }
    state.counters["median_us"] = percentile(microseconds, 0.5);
    state.counters["p99_us"] = percentile(microseconds, 0.99);
}

// One logic tick of play on the start map, after the intro.
void BM_LogicTick(benchmark::State& state) {
    if (!Game::start()) {
        state.SkipWithError("the game does not start");
        return;
    }
    while (globalPlayer->inIntroSequence()) {
        logic();
    }
    timeRunningTicks(state);
}
BENCHMARK(BM_LogicTick)->Iterations(6000);

// The demo map that owns the most world objects of a new game.
fs::path mostCrowdedMap() {
    std::map<std::string, int> owned;
    for (const WorldObject* object : *globalWorldObjectVector) {
        owned[object->getOwnerMap() != nullptr ? object->getOwnerMap() : ""]++;
    }
    fs::path crowded;
    int most = -1;
    for (const fs::path& map : demoMaps()) {
        if (owned[map.filename().string()] > most) {
            most = owned[map.filename().string()];
            crowded = map;
        }
    }
    return crowded;
}

// One logic tick on the demo map with the most objects, all of them living: the player enters
// at the first of them and runs right.
void BM_CrowdedMapTick(benchmark::State& state) {
    if (!Game::start() || !initNewGame()) {
        state.SkipWithError("the game does not start");
        return;
    }
    const fs::path map = mostCrowdedMap();
    if (!globalMap->load(map.c_str()) || globalMapSpecificWorldObjectVector->empty()) {
        state.SkipWithError("the crowded map does not load");
        return;
    }
    const WorldObject& first = *globalMapSpecificWorldObjectVector->front();
    globalPlayer->setPosition(first.getXPos(), first.getYPos());
    while (globalPlayer->inIntroSequence()) {
        logic();
    }
    state.SetLabel(map.filename().string() + ", " +
                   std::to_string(globalMapSpecificWorldObjectVector->size()) + " objects");
    timeRunningTicks(state);
}
BENCHMARK(BM_CrowdedMapTick)->Iterations(6000);

// Reading the compiled world object list: every object of the game made and loaded.
void BM_WorldObjectListLoad(benchmark::State& state) {
    if (!Game::start()) {
        state.SkipWithError("the game does not start");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(loadWorldObjects(nullptr));
    }
    state.SetLabel(std::to_string(globalWorldObjectVector->size()) + " objects");
}
BENCHMARK(BM_WorldObjectListLoad)->Unit(benchmark::kMillisecond);

// The tick in which a lit teleport takes the player to its destination map: the map load, the
// rebuild of the map's objects and the weather's warm-up all happen inside that one tick, which
// must fit a 16 ms tick. Each iteration walks the player into the teleport again and times only
// the tick that changes the map.
void BM_TeleportMapChange(benchmark::State& state) {
    if (!Game::start()) {
        state.SkipWithError("the game does not start");
        return;
    }
    const auto found = std::find_if(
        globalWorldObjectVector->begin(), globalWorldObjectVector->end(),
        [](const WorldObject* object) { return object->getObjectType() == WORLD_OBJECT_TELEPORT; });
    if (found == globalWorldObjectVector->end()) {
        state.SkipWithError("no teleport in the world");
        return;
    }
    // Nothing held: the player stands on the pad however the benchmarks before left the keys.
    applyReplayInput(ReplayInput{});
    while (globalPlayer->inIntroSequence()) {
        logic();
    }
    auto& teleport = static_cast<WOTeleport&>(**found);
    const std::string home = teleport.getOwnerMap();
    const std::string homePath = ResourceManager::instance()->findFilePath(home.c_str());
    teleport.toggle(PX_TRUE);
    state.SetLabel(home + " to " + teleport.destination());
    for (auto _ : state) {
        while (globalPlayer->isTeleporting()) {
            logic();
        }
        globalMap->load(homePath.c_str());
        teleport.updateCurrentBBox();
        const BoundingBox& pad = *teleport.getBBox();
        const int padCentre = (pad.getLeftBound() + pad.getRightBound()) / 2;
        // Beside the pad first, so it knows the player left it after the last journey.
        globalPlayer->setPosition(padCentre - 48, pad.getBottomBound() - 23);
        logic();
        globalPlayer->setPosition(padCentre - 8, pad.getBottomBound() - 23);
        double seconds = -1;
        for (int tick = 0; tick < 600 && seconds < 0; tick++) {
            const auto before = std::chrono::steady_clock::now();
            logic();
            const auto after = std::chrono::steady_clock::now();
            if (home != globalMap->getFilename()) {
                seconds = std::chrono::duration<double>(after - before).count();
            }
        }
        if (seconds < 0) {
            state.SkipWithError("the teleport did not take the player away");
            return;
        }
        state.SetIterationTime(seconds);
    }
}
BENCHMARK(BM_TeleportMapChange)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

// Loading one demo map: cold (an empty resource cache) and warm (its images already cached).
void BM_MapLoad(benchmark::State& state) {
    if (!Game::start()) {
        state.SkipWithError("the game does not start");
        return;
    }
    const auto maps = demoMaps();
    if (static_cast<size_t>(state.range(0)) >= maps.size()) {
        state.SkipWithError("no such demo map");
        return;
    }
    const fs::path& path = maps[static_cast<size_t>(state.range(0))];
    const bool cold = state.range(1) == 0;
    state.SetLabel(path.filename().string() + (cold ? " cold" : " warm"));
    for (auto _ : state) {
        if (cold) {
            state.PauseTiming();
            ResourceManager::instance()->cleanup();
            state.ResumeTiming();
        }
        Map map;
        benchmark::DoNotOptimize(map.load(path.c_str()));
    }
}
BENCHMARK(BM_MapLoad)->ArgsProduct({{0, 1, 2, 3, 4}, {0, 1}})->Unit(benchmark::kMillisecond);

// One whole frame drawn without swapping, at the default 640 x 480 window.
void BM_DrawFrame(benchmark::State& state) {
    if (!Game::start()) {
        state.SkipWithError("the game does not start");
        return;
    }
    for (auto _ : state) {
        draw(0);
        glFinish();
    }
}
BENCHMARK(BM_DrawFrame)->Unit(benchmark::kMillisecond);

} // namespace
