#include "PXGamePad.h"

#include "PXInit.h"

#include <algorithm>

SDL_Joystick* _PXGamePad = nullptr;
int _PXGamePadButtons[PX_GAMEPAD_BUTTONS];
int _PXGamePadButtonsDown[PX_GAMEPAD_BUTTONS];
int _PXGamePadHatPosition = 0;
int _PXGamePadAxes[PX_GAMEPAD_AXES];

namespace {

// Half of the axis range: -16384 or less is left/up, 16384 or more is right/down.
constexpr int PX_STICK_THRESHOLD = 16384;

constexpr const char* _PXButtonNames[PX_GAMEPAD_BUTTONS] = {
    "Button 1",  "Button 2",  "Button 3",  "Button 4",  "Button 5",  "Button 6",
    "Button 7",  "Button 8",  "Button 9",  "Button 10", "Button 11", "Button 12",
    "Button 13", "Button 14", "Button 15", "Button 16"};

bool isButton(int button) {
    return button >= 0 && button < PX_GAMEPAD_BUTTONS;
}

bool isAxis(int axis) {
    return axis >= 0 && axis < PX_GAMEPAD_AXES;
}

} // namespace

int PXInitGamePad() {
    if (SDL_NumJoysticks() > 0) {
        PXDeInitGamePad();
        _PXGamePad = SDL_JoystickOpen(0);
    }
    if (_PXGamePad == nullptr) {
        return PX_FALSE;
    }
    std::fill(std::begin(_PXGamePadButtons), std::end(_PXGamePadButtons), PX_FALSE);
    std::fill(std::begin(_PXGamePadButtonsDown), std::end(_PXGamePadButtonsDown), PX_FALSE);
    return PX_TRUE;
}

void PXDeInitGamePad() {
    if (_PXGamePad != nullptr) {
        SDL_JoystickClose(_PXGamePad);
        _PXGamePad = nullptr;
    }
}

int PXGamePadButton(int button) {
    return PXGamePadButton(button, PX_FALSE);
}

int PXGamePadButton(int button, int once) {
    if (!isButton(button)) {
        return PX_FALSE;
    }
    if (once && _PXGamePadButtonsDown[button]) {
        return PX_FALSE;
    }
    const int state = _PXGamePadButtons[button];
    if (once) {
        _PXGamePadButtonsDown[button] = state;
    }
    return state;
}

int PXGamePadPressedButton() {
    for (int button = 0; button < PX_GAMEPAD_BUTTONS; button++) {
        if (_PXGamePadButtons[button]) {
            return button;
        }
    }
    return -1;
}

int PXGamePadHat(int mask) {
    return _PXGamePadHatPosition & mask;
}

int PXGamePadAxis(int axis) {
    return isAxis(axis) ? _PXGamePadAxes[axis] : 0;
}

int PXGamePadAxisLeft() {
    return _PXGamePadAxes[0] <= -PX_STICK_THRESHOLD ? 1 : 0;
}

int PXGamePadAxisRight() {
    return _PXGamePadAxes[0] >= PX_STICK_THRESHOLD ? 1 : 0;
}

int PXGamePadAxisUp() {
    return _PXGamePadAxes[1] <= -PX_STICK_THRESHOLD ? 1 : 0;
}

int PXGamePadAxisDown() {
    return _PXGamePadAxes[1] >= PX_STICK_THRESHOLD ? 1 : 0;
}

const char* PXGamePadButtonToString(int button) {
    return isButton(button) ? _PXButtonNames[button] : "Unknown";
}

void _PXSetGamePadButton(int button) {
    if (isButton(button)) {
        _PXGamePadButtons[button] = PX_TRUE;
    }
}

void _PXUnsetGamePadButton(int button) {
    if (isButton(button)) {
        _PXGamePadButtons[button] = PX_FALSE;
        _PXGamePadButtonsDown[button] = PX_FALSE;
    }
}

void _PXSetHat(int value) {
    _PXGamePadHatPosition = value;
}

void _PXSetAxis(int axis, int value) {
    if (isAxis(axis)) {
        _PXGamePadAxes[axis] = value;
    }
}
