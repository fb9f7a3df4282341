#include "Logic.h"

#include "Globals.h"
#include "engine/Paxtor.h"

namespace {

constexpr int KEY_ESCAPE = 69;

} // namespace

void logic() {
    // Until the title screen exists, Escape leaves the game.
    if (PXKey(KEY_ESCAPE, PX_TRUE)) {
        GAME_EXIT_REQUESTED = PX_TRUE;
    }
}
