// corvane_route DATA_PARENT_DIR ROUTE OUTPUT.replay [SEED]: plays the route (see RouteScript.h) on
// a new game of the built game and writes the replay it made, ending in the state the game
// reached. It prints where each step ended. It needs a display; run it under xvfb-run.
#include "RouteScript.h"
#include "game/core/Initialization.h"
#include "game/core/Logic.h"
#include "game/core/Replay.h"
#include "game/screens/SecretList.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string contentOf(const std::string& path) {
    std::ifstream stream(path);
    std::ostringstream content;
    content << stream.rdbuf();
    return content.str();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4 && argc != 5) {
        fprintf(stderr, "usage: %s DATA_PARENT_DIR ROUTE OUTPUT.replay [SEED]\n", argv[0]);
        return 2;
    }
    std::string error;
    const std::optional<RouteScript> route = RouteScript::parse(contentOf(argv[2]), error);
    if (!route) {
        fprintf(stderr, "%s: %s\n", argv[2], error.c_str());
        return 2;
    }
    const std::string output = std::filesystem::absolute(argv[3]).string();
    const std::string game = (std::filesystem::absolute(argv[1]) / "corvane").string();
    if (!init(game.c_str())) {
        deinit();
        return 1;
    }
    useSecretListWithoutFile();
    Replay replay;
    replay.seed = argc == 5 ? static_cast<unsigned int>(std::strtoul(argv[4], nullptr, 10)) : 1;
    srand(replay.seed);
    bool played = initNewGame() && route->play(replay, error);
    if (played) {
        replay.finalState = replayStateLine();
        played = replay.save(output);
        printf("state %s\n", replay.finalState.c_str());
    } else {
        fprintf(stderr, "%s: %s\n", argv[2], error.c_str());
    }
    deinit();
    return played ? 0 : 1;
}
