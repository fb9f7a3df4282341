#include "PXMouse.h"

#include "PXInit.h"

Uint16 PXMouseX = 0;
Uint16 PXMouseY = 0;
Sint16 PXMouseXRelative = 0;
Sint16 PXMouseYRelative = 0;
int _PXMouseButtonLeft = PX_FALSE;
int _PXMouseButtonRight = PX_FALSE;
int _PXMouseButtonMiddle = PX_FALSE;
int _PXMouseButtonWheelUp = PX_FALSE;
int _PXMouseButtonWheelDown = PX_FALSE;

namespace {

int takeLatched(int& flag) {
    const int value = flag;
    flag = PX_FALSE;
    return value;
}

} // namespace

int PXMouse(int button) {
    switch (button) {
    case 0:
        return _PXMouseButtonLeft;
    case 1:
        return _PXMouseButtonRight;
    case 2:
        return _PXMouseButtonMiddle;
    case 3:
        return takeLatched(_PXMouseButtonWheelDown);
    case 4:
        return takeLatched(_PXMouseButtonWheelUp);
    default:
        return PX_FALSE;
    }
}

int PXShowMouse(int show) {
    return SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
}

void _PXSetMouse(const SDL_MouseButtonEvent& event) {
    const int pressed = event.state == SDL_PRESSED ? PX_TRUE : PX_FALSE;
    switch (event.button) {
    case SDL_BUTTON_LEFT:
        _PXMouseButtonLeft = pressed;
        break;
    case SDL_BUTTON_RIGHT:
        _PXMouseButtonRight = pressed;
        break;
    case SDL_BUTTON_MIDDLE:
        _PXMouseButtonMiddle = pressed;
        break;
    case SDL_BUTTON_WHEELUP:
        _PXMouseButtonWheelUp |= pressed;
        break;
    case SDL_BUTTON_WHEELDOWN:
        _PXMouseButtonWheelDown |= pressed;
        break;
    default:
        break;
    }
}
