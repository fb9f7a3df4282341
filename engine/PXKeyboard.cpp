#include "PXKeyboard.h"

#include "PXInit.h"

#include <algorithm>

int _PXKeys[PX_KEY_LAST + 1];
int _PXKeysDown[PX_KEY_LAST + 1];

namespace {

constexpr const char* _PXLetterNames[] = {"A", "B", "C", "D", "E", "F", "G", "H", "I",
                                          "J", "K", "L", "M", "N", "O", "P", "Q", "R",
                                          "S", "T", "U", "V", "W", "X", "Y", "Z"};
constexpr const char* _PXDigitNames[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
constexpr const char* _PXFunctionKeyNames[] = {"F1", "F2",  "F3",  "F4",  "F5",  "F6",  "F7", "F8",
                                               "F9", "F10", "F11", "F12", "F13", "F14", "F15"};

// A run of consecutive platform symbols mapped to consecutive engine codes.
struct KeyRange {
    int firstSymbol;
    int lastSymbol;
    int firstCode;
    const char* const* names;

    bool hasCode(int code) const {
        return code >= firstCode && code <= firstCode + (lastSymbol - firstSymbol);
    }
};

// Code 77 lies between the two digit runs and belongs to no key.
constexpr KeyRange _PXKeyRanges[] = {
    {SDLK_a, SDLK_z, 1, _PXLetterNames},           {SDLK_0, SDLK_5, 71, _PXDigitNames},
    {SDLK_6, SDLK_9, 78, _PXDigitNames + 6},       {SDLK_KP0, SDLK_KP9, 82, _PXDigitNames},
    {SDLK_F1, SDLK_F15, 107, _PXFunctionKeyNames},
};

struct NamedKey {
    int symbol;
    int code;
    const char* name;
};

constexpr NamedKey _PXNamedKeys[] = {
    {SDLK_RETURN, 53, "Return"},
    {SDLK_TAB, 54, "Tab"},
    {SDLK_DELETE, 55, "Delete"},
    {SDLK_BACKSPACE, 56, "Backspace"},
    {SDLK_QUOTE, 57, "\""},
    {SDLK_COMMA, 58, ","},
    {SDLK_MINUS, 59, "-"},
    {SDLK_PERIOD, 60, "."},
    {SDLK_SLASH, 61, "/"},
    {SDLK_BACKSLASH, 62, "\\"},
    {SDLK_COLON, 63, ":"},
    {SDLK_SEMICOLON, 64, ":"},
    {SDLK_LEFTPAREN, 65, "("},
    {SDLK_RIGHTPAREN, 66, ")"},
    {SDLK_LEFTBRACKET, 67, "["},
    {SDLK_RIGHTBRACKET, 68, "]"},
    {SDLK_ESCAPE, 69, "Escape"},
    {SDLK_BACKQUOTE, 70, "`"},
    {SDLK_KP_PERIOD, 92, "Num Pad ."},
    {SDLK_KP_DIVIDE, 93, "Num Pad /"},
    {SDLK_KP_MULTIPLY, 94, "Num Pad *"},
    {SDLK_KP_MINUS, 95, "Num Pad -"},
    {SDLK_KP_PLUS, 96, "Num Pad +"},
    {SDLK_KP_ENTER, 97, "Num Pad Enter"},
    {SDLK_KP_EQUALS, 98, "Num Pad ="},
    {SDLK_UP, 99, "Up"},
    {SDLK_RIGHT, 100, "Right"},
    {SDLK_LEFT, 101, "Left"},
    {SDLK_DOWN, 102, "Down"},
    {SDLK_HOME, 103, "Home"},
    {SDLK_END, 104, "End"},
    {SDLK_PAGEUP, 105, "Page Up"},
    {SDLK_PAGEDOWN, 106, "Page Down"},
    {SDLK_LSHIFT, 122, "Left Shift"},
    {SDLK_RSHIFT, 123, "Right Shift"},
    {SDLK_LALT, 124, "Left Alt"},
    {SDLK_RALT, 125, "Right Alt"},
    {SDLK_NUMLOCK, 126, "Num Lock"},
    {SDLK_CAPSLOCK, 127, "Caps Lock"},
    {SDLK_SCROLLOCK, 128, "Scroll Lock"},
    {SDLK_LSUPER, 129, "Left Super"},
    {SDLK_RSUPER, 130, "Right Super"},
    {SDLK_RMETA, 131, "Right Winkey"},
    {SDLK_LMETA, 132, "Left Winkey"},
    {SDLK_SPACE, 133, "Space"},
    {SDLK_EQUALS, 134, "="},
    {SDLK_LCTRL, 135, "Left Control"},
    {SDLK_RCTRL, 136, "Right Control"},
};

constexpr const char* _PXUnknownKeyName = "Unknown";

bool isKeyCode(int code) {
    return code >= 1 && code <= PX_KEY_LAST;
}

// A release re-arms the once form of every key that is up, not only its own.
void reArmReleasedKeys() {
    for (int code = 0; code <= PX_KEY_LAST; code++) {
        if (!_PXKeys[code]) {
            _PXKeysDown[code] = PX_FALSE;
        }
    }
}

} // namespace

int _PXKeyCodeForSymbol(SDLKey symbol) {
    const int s = symbol;
    for (const KeyRange& range : _PXKeyRanges) {
        if (s >= range.firstSymbol && s <= range.lastSymbol) {
            return range.firstCode + (s - range.firstSymbol);
        }
    }
    for (const NamedKey& key : _PXNamedKeys) {
        if (key.symbol == s) {
            return key.code;
        }
    }
    return 0;
}

void _PXSetKeyToValue(SDLKey symbol, int value) {
    const int code = _PXKeyCodeForSymbol(symbol);
    if (code != 0) {
        _PXKeys[code] = value;
    }
}

void _PXSetKey(SDLKey symbol) {
    _PXSetKeyToValue(symbol, PX_TRUE);
}

void _PXUnsetKey(SDLKey symbol) {
    _PXSetKeyToValue(symbol, PX_FALSE);
    reArmReleasedKeys();
}

void _PXSetKeyCode(int code, int down) {
    if (!isKeyCode(code)) {
        return;
    }
    _PXKeys[code] = down ? PX_TRUE : PX_FALSE;
    if (!down) {
        reArmReleasedKeys();
    }
}

void _PXInitKeys() {
    std::fill(std::begin(_PXKeys), std::end(_PXKeys), PX_FALSE);
    std::fill(std::begin(_PXKeysDown), std::end(_PXKeysDown), PX_FALSE);
}

void PXUnsetKeys() {
    _PXInitKeys();
}

int PXKey(int code) {
    return PXKey(code, PX_FALSE);
}

int PXKey(int code, int once) {
    if (!isKeyCode(code)) {
        return PX_FALSE;
    }
    if (once && _PXKeysDown[code]) {
        return PX_FALSE;
    }
    if (!_PXKeys[code]) {
        _PXKeysDown[code] = PX_FALSE;
        return PX_FALSE;
    }
    if (once) {
        _PXKeysDown[code] = PX_TRUE;
    }
    return PX_TRUE;
}

int PXKeyPressed() {
    for (int code = 1; code <= PX_KEY_LAST; code++) {
        if (_PXKeys[code]) {
            return code;
        }
    }
    return 0;
}

const char* PXKeyToString(int code) {
    for (const KeyRange& range : _PXKeyRanges) {
        if (range.hasCode(code)) {
            return range.names[code - range.firstCode];
        }
    }
    for (const NamedKey& key : _PXNamedKeys) {
        if (key.code == code) {
            return key.name;
        }
    }
    return _PXUnknownKeyName;
}
