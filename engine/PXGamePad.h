// One game pad: 16 buttons (held or once form), the hat and 8 axes.
#pragma once

#include <SDL.h>

constexpr int PX_GAMEPAD_BUTTONS = 16;
constexpr int PX_GAMEPAD_AXES = 8;

// Hat bits of PXGamePadHat.
constexpr int PX_HAT_UP = 1;
constexpr int PX_HAT_RIGHT = 2;
constexpr int PX_HAT_DOWN = 4;
constexpr int PX_HAT_LEFT = 8;

extern SDL_Joystick* _PXGamePad;
extern int _PXGamePadButtons[PX_GAMEPAD_BUTTONS];
extern int _PXGamePadButtonsDown[PX_GAMEPAD_BUTTONS];
extern int _PXGamePadHatPosition;
extern int _PXGamePadAxes[PX_GAMEPAD_AXES];

// Opens the first joystick; true when a pad is open.
int PXInitGamePad();
// Closes the pad if one is open.
void PXDeInitGamePad();
// Held form of a button 0..15.
int PXGamePadButton(int button);
// Held form when once is false; once form when true.
int PXGamePadButton(int button, int once);
// The lowest button currently down, or -1.
int PXGamePadPressedButton();
// The last hat value masked with the given bits.
int PXGamePadHat(int mask);
// The last value of axis 0..7; 0 for any other axis.
int PXGamePadAxis(int axis);
// 1 when the stick is pushed past half travel in that direction, else 0.
int PXGamePadAxisLeft();
int PXGamePadAxisRight();
int PXGamePadAxisUp();
int PXGamePadAxisDown();
// "Button 1".."Button 16" for buttons 0..15, else "Unknown".
const char* PXGamePadButtonToString(int button);
// Event pump: button, hat and axis changes.
void _PXSetGamePadButton(int button);
void _PXUnsetGamePadButton(int button);
void _PXSetHat(int value);
void _PXSetAxis(int axis, int value);
