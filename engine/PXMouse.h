// Mouse position and buttons. The wheel is latched: each notch is reported once.
#pragma once

#include <SDL.h>

extern Uint16 PXMouseX;
extern Uint16 PXMouseY;
extern Sint16 PXMouseXRelative;
extern Sint16 PXMouseYRelative;
extern int _PXMouseButtonLeft;
extern int _PXMouseButtonRight;
extern int _PXMouseButtonMiddle;
extern int _PXMouseButtonWheelUp;
extern int _PXMouseButtonWheelDown;

// Button 0 left, 1 right, 2 middle (held); 3 wheel down, 4 wheel up (cleared by reading).
int PXMouse(int button);
// Shows or hides the platform pointer; returns the platform's result.
int PXShowMouse(int show);
// Event pump: a mouse button went down or up.
void _PXSetMouse(const SDL_MouseButtonEvent& event);
