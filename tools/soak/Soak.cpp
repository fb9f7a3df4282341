// corvane_soak GAME_DIR REPLAY SECONDS: starts the game once, as the program beside the data tree
// in GAME_DIR, then plays the replay fast from a new game again and again until SECONDS have
// passed (at least two passes), so memory the game keeps from one game to the next shows up.
// After each pass it prints
//
//   pass 3 ticks 16577 milliseconds 5120 vmhwm_kib 151234 vmrss_kib 150876 heap_kib 40321
//
// with the process's peak and current resident memory and the bytes its heap holds for live
// blocks, which tells memory the game keeps apart from memory the allocator caches. Exit 0 when
// every pass ended in the recorded state, 3 at the first pass that did not, 2 on a bad command
// line, 1 when the game could not start or the run was interrupted. It needs a display;
// tools/soak.sh runs it.
#include "engine/Paxtor.h"
#include "game/core/Initialization.h"
#include "game/core/Replay.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <malloc.h>
#include <optional>
#include <string>

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer runtime's own count; GCC ships the runtime without this header.
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

constexpr int kMinimumPasses = 2;
constexpr int kExitStateDiffers = 3;

struct ResidentMemory {
    long peakKiB = -1;
    long currentKiB = -1;
};

// VmHWM and VmRSS of /proc/self/status; -1 for a figure the kernel did not give.
ResidentMemory residentMemory() {
    ResidentMemory memory;
    std::ifstream status("/proc/self/status");
    std::string field;
    long kiB = 0;
    std::string unit;
    while (status >> field) {
        if (field == "VmHWM:" && status >> kiB >> unit) {
            memory.peakKiB = kiB;
        } else if (field == "VmRSS:" && status >> kiB >> unit) {
            memory.currentKiB = kiB;
        }
    }
    return memory;
}

// Bytes in live heap blocks, counted by whichever allocator the build uses (glibc's count covers
// the main thread's arena and its separately mapped blocks).
long heapInUseKiB() {
#if defined(__SANITIZE_ADDRESS__)
    return static_cast<long>(__sanitizer_get_current_allocated_bytes() / 1024);
#else
    const struct mallinfo2 info = mallinfo2();
    return static_cast<long>((info.uordblks + info.hblkhd) / 1024);
#endif
}

// Plays the passes; the process exit code.
int soak(const Replay& recorded, std::chrono::seconds duration) {
    const auto end = std::chrono::steady_clock::now() + duration;
    for (int pass = 1; pass <= kMinimumPasses || std::chrono::steady_clock::now() < end; pass++) {
        const std::optional<ReplayOutcome> outcome = playReplay(recorded, true);
        if (!outcome) {
            fprintf(stderr, "pass %d: cannot start a new game (see log.txt)\n", pass);
            return 1;
        }
        if (PXApplicationQuitRequested()) {
            fprintf(stderr, "pass %d: interrupted\n", pass);
            return 1;
        }
        const ResidentMemory memory = residentMemory();
        printf("pass %d ticks %d milliseconds %u vmhwm_kib %ld vmrss_kib %ld heap_kib %ld\n", pass,
               recorded.ticks, outcome->milliseconds, memory.peakKiB, memory.currentKiB,
               heapInUseKiB());
        fflush(stdout);
        if (outcome->reachedState != recorded.finalState) {
            fprintf(stderr, "pass %d ended in %s, recorded %s\n", pass,
                    outcome->reachedState.c_str(), recorded.finalState.c_str());
            return kExitStateDiffers;
        }
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const long seconds = argc == 4 ? std::strtol(argv[3], nullptr, 10) : -1;
    if (seconds < 0) {
        fprintf(stderr, "usage: %s GAME_DIR REPLAY SECONDS\n", argv[0]);
        return 2;
    }
    const std::optional<Replay> recorded = Replay::load(argv[2]);
    if (!recorded) {
        fprintf(stderr, "%s is not a replay this version can play\n", argv[2]);
        return 2;
    }
    const std::string game = (std::filesystem::absolute(argv[1]) / "corvane").string();
    if (!init(game.c_str())) {
        deinit();
        return 1;
    }
    const int exitCode = soak(*recorded, std::chrono::seconds(seconds));
    deinit();
    return exitCode;
}
