#include "PXLogicTiming.h"

#include "PXGamePad.h"
#include "PXInit.h"
#include "PXKeyboard.h"
#include "PXMouse.h"

#include <algorithm>

Uint32 _PXLogicSpeed = 1;
Uint32 _PXLogicTimeRequiredPerLogicCycle = 0;
Uint32 _PXLogicCurrentTime = 0;
Uint32 _PXLogicLastTime = 0;
Uint32 _PXLogicTimeElapsed = 0;
Uint32 _PXLogicCurrentCycles = 0;

namespace {

PXClockSource _PXClock = SDL_GetTicks;

void dispatchEvent(const SDL_Event& event) {
    switch (event.type) {
    case SDL_KEYDOWN:
        _PXSetKey(event.key.keysym.sym);
        break;
    case SDL_KEYUP:
        _PXUnsetKey(event.key.keysym.sym);
        break;
    case SDL_MOUSEMOTION:
        PXMouseX = event.motion.x;
        PXMouseY = event.motion.y;
        PXMouseXRelative = event.motion.xrel;
        PXMouseYRelative = event.motion.yrel;
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        _PXSetMouse(event.button);
        break;
    case SDL_JOYAXISMOTION:
        _PXSetAxis(event.jaxis.axis, event.jaxis.value);
        break;
    case SDL_JOYHATMOTION:
        _PXSetHat(event.jhat.value);
        break;
    case SDL_JOYBUTTONDOWN:
        _PXSetGamePadButton(event.jbutton.button);
        break;
    case SDL_JOYBUTTONUP:
        _PXUnsetGamePadButton(event.jbutton.button);
        break;
    case SDL_QUIT:
        _PXAppQuitRequested = PX_TRUE;
        break;
    default:
        break;
    }
}

} // namespace

void PXSetClockSource(PXClockSource source) {
    _PXClock = source != nullptr ? source : SDL_GetTicks;
}

Uint32 PXClockTicks() {
    return _PXClock();
}

void PXSetLogicInterval(unsigned int ticksPerSecond) {
    _PXLogicSpeed = std::clamp(ticksPerSecond, 1u, 1000u);
    _PXLogicTimeRequiredPerLogicCycle = 1000 / _PXLogicSpeed;
}

void PXResetLogicLoop() {
    _PXLogicTimeElapsed = 0;
    _PXLogicCurrentTime = PXClockTicks();
    _PXLogicLastTime = _PXLogicCurrentTime;
    _PXLogicCurrentCycles = 0;
}

void PXPreLogicLoop() {
    _PXLogicCurrentTime = PXClockTicks();
    _PXLogicTimeElapsed += _PXLogicCurrentTime - _PXLogicLastTime;
    _PXLogicCurrentCycles = _PXLogicTimeElapsed / _PXLogicTimeRequiredPerLogicCycle;
}

int PXLogicLoop() {
    if (_PXLogicCurrentCycles == 0) {
        return PX_FALSE;
    }
    PXPumpEvents();
    return PX_TRUE;
}

void PXPumpEvents() {
    while (SDL_PollEvent(&_PXMainEvent)) {
        dispatchEvent(_PXMainEvent);
    }
}

void PXLogicUpdate() {
    if (_PXLogicCurrentCycles > 0) {
        _PXLogicCurrentCycles--;
    }
    if (_PXLogicCurrentCycles == 0) {
        _PXLogicTimeElapsed = 0;
    }
}

void PXPostLogicLoop() {
    _PXLogicLastTime = _PXLogicCurrentTime;
}
