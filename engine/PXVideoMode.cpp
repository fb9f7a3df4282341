#include "PXVideoMode.h"

#include "PXInit.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <SDL.h>

#if defined(__SANITIZE_ADDRESS__)
#define PX_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PX_ADDRESS_SANITIZER 1
#endif
#endif

#ifdef PX_ADDRESS_SANITIZER
#include <dlfcn.h>
#include <link.h>
#endif

namespace {

#ifdef PX_ADDRESS_SANITIZER
// SDL_Quit unloads the GL driver and the X libraries SDL opened. LeakSanitizer then reports their
// still-reachable data as leaks from an unknown module, or crashes reading their thread-local
// storage. Keeping every module loaded for the life of the process avoids both.
void pinLoadedModules() {
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void*) -> int {
            const char* name = info->dlpi_name;
            if (name != nullptr && name[0] != '\0') {
                dlopen(name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
            }
            return 0;
        },
        nullptr);
}
#else
void pinLoadedModules() {}
#endif

int openVideoMode(int width, int height, int fullscreen) {
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    // Swaps wait for the display's refresh where the driver offers it; loops sleep either way.
    SDL_GL_SetAttribute(SDL_GL_SWAP_CONTROL, 1);
    Uint32 flags = SDL_OPENGL;
    if (fullscreen == 1) {
        flags |= SDL_FULLSCREEN;
    }
    if (SDL_SetVideoMode(width, height, 0, flags) == nullptr) {
        _PXSetError("Couldn't set %dx%d video mode: %s", width, height, SDL_GetError());
        return PX_FALSE;
    }
    pinLoadedModules();
    return PX_TRUE;
}

void enableAlphaBlendedTextures() {
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glClearColor(0, 0, 0, 0);
}

void rememberVideoMode(int width, int height, int dimensions) {
    _PXWindowWidth = width;
    _PXWindowHeight = height;
    _PXVideoModeDimensions = dimensions;
}

} // namespace

int PXVideoMode2D(int width, int height, int fullscreen) {
    if (!openVideoMode(width, height, fullscreen)) {
        return PX_FALSE;
    }
    enableAlphaBlendedTextures();
    glViewport(0, 0, width, height);
    glClear(GL_COLOR_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, width, height, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    rememberVideoMode(width, height, 0);
    return PX_TRUE;
}

int PXVideoMode3D(int width, int height, int fullscreen) {
    if (!openVideoMode(width, height, fullscreen)) {
        return PX_FALSE;
    }
    enableAlphaBlendedTextures();
    glClear(GL_COLOR_BUFFER_BIT);
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, static_cast<double>(width) / height, 1.0, 1000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_DEPTH_TEST);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glEnable(GL_CULL_FACE);
    rememberVideoMode(width, height, 1);
    return PX_TRUE;
}

void PXSwapBuffers() {
    SDL_GL_SwapBuffers();
}
