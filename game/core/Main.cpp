#include "Main.h"

#include "DataPaths.h"
#include "Draw.h"
#include "Globals.h"
#include "Initialization.h"
#include "Log.h"
#include "Logic.h"
#include "Replay.h"
#include "editor/EditorDraw.h"
#include "editor/EditorInfo.h"
#include "editor/EditorInitialization.h"
#include "editor/EditorLogic.h"
#include "engine/Paxtor.h"
#include "game/player/Player.h"
#include "game/screens/LogoScreen.h"
#include "game/screens/SecretList.h"
#include "game/screens/TitleScreen.h"
#include "game/world/Map.h"
#include "game/world/MusicPlayer.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>

namespace {

constexpr int EXIT_REPLAY_DIFFERS = 3;
constexpr int EXIT_BAD_COMMAND_LINE = 2;

struct Options {
    std::string recordPath;
    std::string replayPath;
    bool fast = false;
    // Set by "--editor": the map the editor opens, "" for the start map.
    std::optional<std::string> editorMapPath;
    bool help = false;
    bool version = false;
};

constexpr const char* kUsage =
    "usage: corvane [--record FILE | --replay FILE [--fast] | --editor [MAP]]\n"
    "       corvane --help | --version\n"
    "  --record FILE   play, and write every tick's input to FILE when the game ends\n"
    "  --replay FILE   play FILE back; exit 3 when it ends elsewhere than recorded\n"
    "  --fast          with --replay: draw one frame in 120 ticks\n"
    "  --editor [MAP]  start in the level editor on MAP (default: the start map)\n"
    "  --help          show this text and exit\n"
    "  --version       show the version and exit\n";

// The usage and the folders the program would use.
void printUsage(FILE* stream, const char* programPath) {
    fputs(kUsage, stream);
    fputs(DataPaths::locate(DataPaths::programFolder(programPath)).description().c_str(), stream);
}

// The options after the program path; nothing when they cannot be read.
std::optional<Options> readOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; i++) {
        const std::string option = argv[i];
        if ((option == "--record" || option == "--replay") && i + 1 < argc) {
            // Absolute now: start-up changes to the program's directory.
            (option == "--record" ? options.recordPath : options.replayPath) =
                std::filesystem::absolute(argv[++i]).string();
        } else if (option == "--fast") {
            options.fast = true;
        } else if (option == "--help") {
            options.help = true;
        } else if (option == "--version") {
            options.version = true;
        } else if (option == "--editor") {
            const bool mapGiven = i + 1 < argc && argv[i + 1][0] != '-';
            options.editorMapPath =
                mapGiven ? std::filesystem::absolute(argv[++i]).string() : std::string();
        } else {
            return std::nullopt;
        }
    }
    const int modes = !options.recordPath.empty() + !options.replayPath.empty() +
                      options.editorMapPath.has_value();
    if (modes > 1 || (options.fast && options.replayPath.empty())) {
        return std::nullopt;
    }
    return options;
}

void drawFrame() {
    if (editorMode) {
        presentEditorFrame(nullptr);
    } else {
        presentFrame([] { draw(PX_FALSE); });
    }
}

bool stillPlaying() {
    return !PXApplicationQuitRequested() && !GAME_EXIT_REQUESTED;
}

// Plays in real time: every due tick runs, then one frame is drawn and the loop sleeps until the
// next tick is due. A recording notes the input of every tick; a replay could not follow the
// editor, so a recording never switches to it.
void runMainLoop(Replay* recording) {
    PXResetLogicLoop();
    while (stillPlaying()) {
        PXPreLogicLoop();
        while (PXLogicLoop()) {
            if (recording != nullptr) {
                recording->recordTick(currentReplayInput());
            } else {
                editorSwitchKeys();
            }
            if (editorMode) {
                editorLogic();
            } else {
                logic();
            }
            PXLogicUpdate();
        }
        PXPostLogicLoop();
        drawFrame();
        if (recording != nullptr) {
            recording->frames++;
        }
        PXSleepUntilNextTick();
    }
}

// Starts the first game; false (logged) when its start map cannot be loaded.
bool startNewGame() {
    if (initNewGame()) {
        return true;
    }
    globalLog->write("Unable to initialize status for a \"new game\".\n");
    return false;
}

int record(const std::string& path) {
    useSecretListWithoutFile();
    Replay recording;
    recording.seed = static_cast<unsigned int>(time(nullptr));
    srand(recording.seed);
    if (!startNewGame()) {
        return -1;
    }
    const Uint32 start = PXClockTicks();
    runMainLoop(&recording);
    recording.milliseconds = PXClockTicks() - start;
    recording.finalState = replayStateLine();
    if (!recording.save(path)) {
        globalLog->write("Unable to write the replay %s\n", path.c_str());
        return 1;
    }
    return 0;
}

int replay(const std::string& path, bool fast) {
    const std::optional<Replay> recorded = Replay::load(path);
    if (!recorded) {
        fprintf(stderr, "%s is not a replay this version can play\n", path.c_str());
        return EXIT_BAD_COMMAND_LINE;
    }
    const std::optional<ReplayOutcome> outcome = playReplay(*recorded, fast);
    if (!outcome) {
        return -1;
    }
    const std::string& reached = outcome->reachedState;
    printf("state %s\n", reached.c_str());
    printf("played %d ticks in %u milliseconds\n", recorded->ticks, outcome->milliseconds);
    if (reached != recorded->finalState) {
        fprintf(stderr, "replay ended in %s, recorded %s\n", reached.c_str(),
                recorded->finalState.c_str());
        return EXIT_REPLAY_DIFFERS;
    }
    return 0;
}

// The logo, then the title screen, which quits, starts a new game or has loaded a saved one.
int play() {
    setTitleScreenInUse(true);
    logoScreen();
    const int choice = titleScreen(PX_FALSE, nullptr);
    if (choice == TitleScreen::kQuit) {
        return 0;
    }
    if (choice == TitleScreen::kNewGame) {
        if (!startNewGame()) {
            return -1;
        }
    } else {
        globalMusicPlayer->stop();
        globalMusicPlayer->start(globalMap->getMusicName(), MusicPlayer::kTypeByExtension, 0,
                                 PX_FALSE);
    }
    runMainLoop(nullptr);
    return 0;
}

// The editor straight away on a map, after the world objects are loaded as a new game has them;
// Escape in the game then opens the title screen instead of ending the program.
int edit(const std::string& mapPath) {
    if (!initNewGameOnMap(mapPath.c_str())) {
        fprintf(stderr, "cannot load the map %s\n", mapPath.c_str());
        return 1;
    }
    // The editor opens on the view a new game on this map would show.
    globalPlayer->positionCamera();
    if (!editorEnter()) {
        fprintf(stderr, "cannot start the editor (see log.txt)\n");
        return 1;
    }
    editorInfo->lastLoadedFilePath = mapPath;
    setTitleScreenInUse(true);
    runMainLoop(nullptr);
    return 0;
}

int run(const Options& options) {
    if (options.editorMapPath) {
        return edit(options.editorMapPath->empty() ? globalDataPaths.readPath(START_MAP)
                                                   : *options.editorMapPath);
    }
    if (!options.replayPath.empty()) {
        return replay(options.replayPath, options.fast);
    }
    if (!options.recordPath.empty()) {
        return record(options.recordPath);
    }
    return play();
}

} // namespace

int gameMain(int argc, char** argv) {
    const std::optional<Options> options = readOptions(argc, argv);
    const char* programPath = argc > 0 ? argv[0] : nullptr;
    if (!options) {
        printUsage(stderr, programPath);
        return EXIT_BAD_COMMAND_LINE;
    }
    if (options->help) {
        printUsage(stdout, programPath);
        return 0;
    }
    if (options->version) {
        printf("corvane %s\n", CORVANE_VERSION);
        return 0;
    }
    if (!init(programPath)) {
        deinit();
        return 1;
    }
    const int exitCode = run(*options);
    deinit();
    return exitCode;
}
