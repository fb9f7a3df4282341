// Keyboard state by engine key code 1..136 (the codes the settings file stores), in held form
// (true while down) or once form (true for the first query after a press).
#pragma once

#include <SDL.h>

// Highest engine key code; the tables hold codes 0..PX_KEY_LAST.
constexpr int PX_KEY_LAST = 136;

extern int _PXKeys[PX_KEY_LAST + 1];
extern int _PXKeysDown[PX_KEY_LAST + 1];

// Held form of a key.
int PXKey(int code);
// Held form when once is false; once form when true.
int PXKey(int code, int once);
// The lowest code currently down, or 0.
int PXKeyPressed();
// Releases every key and consumes every press.
void PXUnsetKeys();
// The display name of a key code; "Unknown" for codes without a key.
const char* PXKeyToString(int code);
// The engine code of a platform key symbol, or 0 when it has none.
int _PXKeyCodeForSymbol(SDLKey symbol);
// Event pump: a key went down.
void _PXSetKey(SDLKey symbol);
// Event pump: a key went up; re-arms the once form of every key that is not down.
void _PXUnsetKey(SDLKey symbol);
// A key went down or up by engine code, as the event pump would report it (replays use this).
void _PXSetKeyCode(int code, int down);
// Stores a held state for the symbol's code; symbols without a code are ignored.
void _PXSetKeyToValue(SDLKey symbol, int value);
// Clears both keyboard tables.
void _PXInitKeys();
