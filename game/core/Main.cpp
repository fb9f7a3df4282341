#include "Main.h"

#include "Draw.h"
#include "Globals.h"
#include "Initialization.h"
#include "Logic.h"
#include "engine/Paxtor.h"

#include <GL/gl.h>

int gameMain(int argc, char** argv) {
    if (!init(argc > 0 ? argv[0] : nullptr)) {
        deinit();
        return 1;
    }
    runMainLoop();
    deinit();
    return 0;
}

void runMainLoop() {
    PXResetLogicLoop();
    while (!PXApplicationQuitRequested() && !GAME_EXIT_REQUESTED) {
        PXPreLogicLoop();
        while (PXLogicLoop()) {
            logic();
            PXLogicUpdate();
        }
        PXPostLogicLoop();
        glPushMatrix();
        glScalef(SCREEN_SCALE_FACTOR, SCREEN_SCALE_FACTOR, 0);
        draw(PX_TRUE);
        glPopMatrix();
    }
}
