#include "Initialization.h"

#include "Globals.h"
#include "engine/Paxtor.h"

#include <cstdlib>
#include <ctime>

namespace {

constexpr const char* GAME_CAPTION = "Corvane";
constexpr int GAME_TICKS_PER_SECOND = 60;

} // namespace

int init(const char* programPath) {
    if (!PXInit(programPath)) {
        return PX_FALSE;
    }
    SDL_WM_SetCaption(GAME_CAPTION, GAME_CAPTION);
    if (!PXVideoMode2D(SCREEN_W, SCREEN_H, 0)) {
        return PX_FALSE;
    }
    PXSetTextureMode(1);
    PXInitGamePad();
    PXSetLogicInterval(GAME_TICKS_PER_SECOND);
    PXShowMouse(PX_FALSE);
    srand(static_cast<unsigned int>(time(nullptr)));
    return PX_TRUE;
}

void deinit() {
    PXDeInit();
}
