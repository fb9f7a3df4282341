#include "PXLogicTiming.h"

#include "PXGamePad.h"
#include "PXInit.h"
#include "PXKeyboard.h"
#include "PXMouse.h"

#include <algorithm>
#include <vector>

Uint32 _PXLogicSpeed = 1;
Uint32 _PXLogicTimeRequiredPerLogicCycle = 0;
Uint32 _PXLogicCurrentTime = 0;
Uint32 _PXLogicLastTime = 0;
Uint32 _PXLogicTimeElapsed = 0;
Uint32 _PXLogicCurrentCycles = 0;

namespace {

PXClockSource _PXClock = SDL_GetTicks;

// A key or button pressed since the last tick ended and released before it: a quick tap that
// fell between two pumps. Its release waits for the tick to end, so the tick sees one press.
struct TapLatch {
    std::vector<int> pressed;
    std::vector<int> releaseAfterTick;

    void press(int which) {
        pressed.push_back(which);
        std::erase(releaseAfterTick, which);
    }
    // True when the release must wait for the end of the tick.
    bool deferRelease(int which) {
        if (std::find(pressed.begin(), pressed.end(), which) == pressed.end()) {
            return false;
        }
        releaseAfterTick.push_back(which);
        return true;
    }
    // Forgets the presses of the tick that ended and hands over the releases that waited.
    std::vector<int> endTick() {
        pressed.clear();
        std::vector<int> releases;
        releases.swap(releaseAfterTick);
        return releases;
    }
};

TapLatch _PXKeyTaps;
TapLatch _PXButtonTaps;

void dispatchEvent(const SDL_Event& event) {
    switch (event.type) {
    case SDL_KEYDOWN:
        _PXKeyTaps.press(event.key.keysym.sym);
        _PXSetKey(event.key.keysym.sym);
        break;
    case SDL_KEYUP:
        if (!_PXKeyTaps.deferRelease(event.key.keysym.sym)) {
            _PXUnsetKey(event.key.keysym.sym);
        }
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
        _PXButtonTaps.press(event.jbutton.button);
        _PXSetGamePadButton(event.jbutton.button);
        break;
    case SDL_JOYBUTTONUP:
        if (!_PXButtonTaps.deferRelease(event.jbutton.button)) {
            _PXUnsetGamePadButton(event.jbutton.button);
        }
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
    for (const int symbol : _PXKeyTaps.endTick()) {
        _PXUnsetKey(static_cast<SDLKey>(symbol));
    }
    for (const int button : _PXButtonTaps.endTick()) {
        _PXUnsetGamePadButton(button);
    }
}

void PXSleepUntilNextTick() {
    const Uint32 pending = _PXLogicTimeElapsed + (PXClockTicks() - _PXLogicLastTime);
    if (pending < _PXLogicTimeRequiredPerLogicCycle) {
        SDL_Delay(_PXLogicTimeRequiredPerLogicCycle - pending);
    }
}

void PXPostLogicLoop() {
    _PXLogicLastTime = _PXLogicCurrentTime;
}
