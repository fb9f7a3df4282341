#include "Draw.h"

#include "engine/Paxtor.h"

#include <GL/gl.h>

void draw(int swap) {
    glClearColor(1, 1, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    if (swap) {
        PXSwapBuffers();
    }
    PXFPSTick();
}
