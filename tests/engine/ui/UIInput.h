// Drives the engine's own input state the way the event pump would, one logic step at a time.
#pragma once

#include "engine/PXKeyboard.h"
#include "engine/PXMouse.h"

namespace ui_input {

inline void moveMouse(int x, int y) {
    PXMouseX = static_cast<Uint16>(x);
    PXMouseY = static_cast<Uint16>(y);
}

// Button 0 left, 1 right, 2 middle, 3 wheel down, 4 wheel up.
inline void setMouseButton(int button, bool down) {
    static const Uint8 kSDLButtons[] = {SDL_BUTTON_LEFT, SDL_BUTTON_RIGHT, SDL_BUTTON_MIDDLE,
                                        SDL_BUTTON_WHEELDOWN, SDL_BUTTON_WHEELUP};
    SDL_MouseButtonEvent event{};
    event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button = kSDLButtons[button];
    event.state = down ? SDL_PRESSED : SDL_RELEASED;
    _PXSetMouse(event);
}

// One wheel notch, reported once by the next read.
inline void turnWheel(bool down) {
    setMouseButton(down ? 3 : 4, true);
    setMouseButton(down ? 3 : 4, false);
}

inline void setKey(int code, bool down) {
    _PXSetKeyCode(code, down);
}

// Every key and button up, every latched press consumed, the mouse at the origin.
inline void releaseEverything() {
    PXUnsetKeys();
    for (int button = 0; button < 3; button++) {
        setMouseButton(button, false);
    }
    PXMouse(3);
    PXMouse(4);
    moveMouse(0, 0);
}

} // namespace ui_input
