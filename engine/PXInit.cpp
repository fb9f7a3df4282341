#include "PXInit.h"

#include "PXFontCache.h"
#include "PXGamePad.h"
#include "PXKeyboard.h"
#include "PXLogicTiming.h"
#include "PXSockets.h"
#include "PXSound.h"

#include <array>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <new>
#include <unistd.h>

std::string PXExecutablePath;
int _PXAppQuitRequested = PX_FALSE;
SDL_Event _PXMainEvent;
int _PXEndianness = PX_TRUE;
int _PXWindowWidth = 0;
int _PXWindowHeight = 0;
int _PXVideoModeDimensions = 0;

namespace {
std::array<char, PX_ERROR_BUFFER_SIZE> _PXError{};
bool _PXSDLStarted = false;
bool _PXSocketsStarted = false;

constexpr Uint32 PX_SDL_SUBSYSTEMS = SDL_INIT_TIMER | SDL_INIT_VIDEO | SDL_INIT_JOYSTICK;
constexpr int PX_SOCKETS_VERSION = 0x101;

int machineIsLittleEndian() {
    const Uint16 probe = 1;
    return *reinterpret_cast<const unsigned char*>(&probe) == 1 ? PX_TRUE : PX_FALSE;
}
} // namespace

std::string _PXProgramDirectory(const char* programPath) {
    if (programPath == nullptr) {
        return "";
    }
    const std::string path(programPath);
    for (size_t i = path.size(); i-- > 1;) {
        if (path[i] == '/') {
            return path.substr(0, i + 1);
        }
    }
    return "";
}

int PXInit(const char* programPath) {
    PXExecutablePath = _PXProgramDirectory(programPath);
    if (!PXExecutablePath.empty() && chdir(PXExecutablePath.c_str()) != 0) {
        _PXSetError("Unable to change to directory %s", PXExecutablePath.c_str());
    }
    return PXInit();
}

int PXInit() {
    try {
        _PXGlobalFontCache = std::make_unique<_PXFontCache>();
    } catch (const std::bad_alloc&) {
        _PXSetError("Unable to create global font cache.");
        return PX_FALSE;
    }
    if (SDL_Init(PX_SDL_SUBSYSTEMS) < 0) {
        _PXSetError("Error initializing SDL: %s", SDL_GetError());
        return PX_FALSE;
    }
    _PXSDLStarted = true;
    SDL_JoystickEventState(SDL_ENABLE);
    _PXInitKeys();
    PXSetLogicInterval(60);
    _PXEndianness = machineIsLittleEndian();
    if (PXSocketsStartup(PX_SOCKETS_VERSION) != 0) {
        _PXSetError("Unable to initialize socket lib");
        return PX_FALSE;
    }
    _PXSocketsStarted = true;
    srand(static_cast<unsigned int>(time(nullptr)));
    return PX_TRUE;
}

void PXDeInit() {
    _PXDeInitAudio();
    PXExecutablePath.clear();
    PXDeInitGamePad();
    _PXGlobalFontCache.reset();
    if (_PXSocketsStarted) {
        PXSocketsCleanup();
        _PXSocketsStarted = false;
    }
    _PXError[0] = '\0';
    if (_PXSDLStarted) {
        SDL_Quit();
        _PXSDLStarted = false;
    }
    _PXAppQuitRequested = PX_FALSE;
    _PXWindowWidth = 0;
    _PXWindowHeight = 0;
}

int PXApplicationQuitRequested() {
    return _PXAppQuitRequested;
}

const char* PXError() {
    return _PXError.data();
}

void _PXSetError(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    vsnprintf(_PXError.data(), _PXError.size(), format, arguments);
    va_end(arguments);
}
