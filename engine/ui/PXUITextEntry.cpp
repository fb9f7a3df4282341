#include "PXUITextEntry.h"

#include "engine/PXFont.h"
#include "engine/PXKeyCodes.h"
#include "engine/PXKeyboard.h"
#include "engine/PXLogicTiming.h"
#include "engine/PXMouse.h"

#include <algorithm>
#include <array>
#include <cmath>

PXUITextEntry* _PXFocusedTextEntry = nullptr;

namespace {

constexpr int kMouseLeft = 0;
constexpr int kBlinkSteps = 30;

constexpr int kLetterCount = 26;

// A key that types one character, with and without Shift.
struct TypedKey {
    int code;
    char plain;
    char shifted;
};

// Digits in keyboard order, then the punctuation keys, then Space.
constexpr TypedKey kDigitPunctuationAndSpaceKeys[] = {
    {72, '1', '!'},  {73, '2', '@'},  {74, '3', '#'}, {75, '4', '$'}, {76, '5', '%'},
    {78, '6', '^'},  {79, '7', '&'},  {80, '8', '*'}, {81, '9', '('}, {71, '0', ')'},
    {59, '-', '_'},  {134, '=', '+'}, {67, '[', '{'}, {68, ']', '}'}, {64, ';', ':'},
    {57, '\'', '"'}, {70, '`', '~'},  {58, ',', '<'}, {60, '.', '>'}, {62, '\\', '|'},
    {61, '/', '?'},  {133, ' ', ' '},
};

constexpr std::size_t kTypedKeyCount = kLetterCount + std::size(kDigitPunctuationAndSpaceKeys);

// Every typing key in the order the first one down wins.
constexpr std::array<TypedKey, kTypedKeyCount> typedKeysInOrder() {
    std::array<TypedKey, kTypedKeyCount> keys{};
    for (int letter = 0; letter < kLetterCount; letter++) {
        keys[letter] = {PXKeyCode::kA + letter, static_cast<char>('a' + letter),
                        static_cast<char>('A' + letter)};
    }
    std::copy(std::begin(kDigitPunctuationAndSpaceKeys), std::end(kDigitPunctuationAndSpaceKeys),
              keys.begin() + kLetterCount);
    return keys;
}

constexpr std::array<TypedKey, kTypedKeyCount> kTypedKeys = typedKeysInOrder();

// Keys that edit rather than type, after the typing keys in order.
struct EditingKey {
    int code;
    void (PXUITextEntry::*action)();
};

bool shiftHeld() {
    return PXKey(PXKeyCode::kLeftShift) || PXKey(PXKeyCode::kRightShift);
}

} // namespace

PXUITextEntry::PXUITextEntry(int maximumLength)
    : _maximumLength(std::max(maximumLength, 0)), _blinkTimer(kBlinkSteps) {}

PXUITextEntry::~PXUITextEntry() {
    if (_PXFocusedTextEntry == this) {
        _PXFocusedTextEntry = nullptr;
    }
}

bool PXUITextEntry::setFont(const char* path, int mode) {
    storeFontSpecification(path, mode, fontSize());
    useFont(_PXUIFontAt(path, mode, fontSize()));
    return _font != nullptr;
}

bool PXUITextEntry::setFontSize(int size) {
    storeFontSize(size);
    useFont(_PXUIFontAt(fontPath(), fontMode(), size));
    return _font != nullptr;
}

void PXUITextEntry::useFont(PXFont* font) {
    _font = font;
    _fontHeight = font != nullptr ? static_cast<int>(font->fullHeight()) : 0;
    resize();
}

void PXUITextEntry::setBackgroundColor(float r, float g, float b, float a) {
    _backgroundColor = {r, g, b, a};
}

void PXUITextEntry::setBorderColor(float r, float g, float b, float a) {
    _borderColor = {r, g, b, a};
}

void PXUITextEntry::setTextColor(float r, float g, float b, float a) {
    _textColor = {r, g, b, a};
}

void PXUITextEntry::setCursorColor(float r, float g, float b, float a) {
    _cursorColor = {r, g, b, a};
}

void PXUITextEntry::setFocusColor(float r, float g, float b, float a) {
    _focusColor = {r, g, b, a};
}

void PXUITextEntry::setBounds(int width, int height) {
    _PXUIWidget::setBounds(width, height);
    resize();
}

// A new width or font changes what fits, so the shown part is refitted keeping the cursor in it.
void PXUITextEntry::resize() {
    if (height() < _fontHeight) {
        setBounds(width(), _fontHeight);
        return;
    }
    if (cursorInsideText()) {
        calculateDisplayString();
    } else {
        calculateDisplayStartToFillField();
    }
}

// Without this reset a refused text would leave the old one on show.
void PXUITextEntry::setText(const char* text) {
    _text.clear();
    _cursorPosition = 0;
    _displayStart = 0;
    calculateDisplayString();
    append(text);
}

void PXUITextEntry::forceFocus() {
    _PXFocusedTextEntry = this;
}

void PXUITextEntry::append(const char* text) {
    if (text == nullptr) {
        return;
    }
    const std::string added(text);
    if (_text.size() + added.size() > static_cast<std::size_t>(_maximumLength)) {
        return;
    }
    _text.insert(_cursorPosition, added);
    _cursorPosition += static_cast<int>(added.size());
    if (!cursorInsideText()) {
        calculateDisplayStartToFillField();
        return;
    }
    if (advanceBetween(_displayStart, _cursorPosition) > displayWidth()) {
        _displayStart++;
    }
    calculateDisplayString();
}

// Passing the display start scrolls back by about a field of blanks, at least one character.
void PXUITextEntry::backspace() {
    if (_cursorPosition > 0) {
        _cursorPosition--;
        _text.erase(_cursorPosition, 1);
    }
    if (_font == nullptr || advanceFrom(_displayStart) < displayWidth()) {
        calculateDisplayStartToFillField();
        return;
    }
    if (_cursorPosition < _displayStart) {
        const int blanksPerField = static_cast<int>(displayWidth() / _font->advance(" ")) - 1;
        _displayStart = std::max(_displayStart - std::max(blanksPerField, 1), 0);
    }
    calculateDisplayString();
}

void PXUITextEntry::forwardDelete() {
    if (cursorInsideText()) {
        _text.erase(_cursorPosition, 1);
    }
    if (_font != nullptr && advanceFrom(_displayStart) >= displayWidth()) {
        calculateDisplayString();
    } else {
        calculateDisplayStartToFillField();
    }
}

void PXUITextEntry::calculateDisplayStartToFillField() {
    if (_font != nullptr) {
        const int length = static_cast<int>(_text.size());
        _displayStart = 0;
        while (_displayStart < length && advanceFrom(_displayStart) > width() - 2) {
            _displayStart++;
        }
    }
    calculateDisplayString();
}

void PXUITextEntry::calculateDisplayString() {
    _displayStart = std::min(_displayStart, static_cast<int>(_text.size()));
    _displayString = _text.substr(_displayStart);
    if (_font == nullptr) {
        return;
    }
    while (!_displayString.empty() &&
           std::ceil(_font->advance(_displayString.c_str())) > width() - 2) {
        _displayString.pop_back();
    }
}

int PXUITextEntry::advanceBetween(int from, int to) const {
    if (_font == nullptr || to <= from) {
        return 0;
    }
    const std::string part = _text.substr(from, to - from);
    return static_cast<int>(std::ceil(_font->advance(part.c_str())));
}

void PXUITextEntry::poll() {
    updateFocus();
    if (_PXFocusedTextEntry == this) {
        updateKeyRepeat();
        actOnFirstKeyDown();
    }
    if (_blinkTimer.tick()) {
        _cursorVisible = !_cursorVisible;
    }
}

void PXUITextEntry::updateFocus() {
    if (!PXMouse(kMouseLeft)) {
        return;
    }
    if (mouseOver()) {
        _PXFocusedTextEntry = this;
    } else if (_PXFocusedTextEntry == this) {
        _PXFocusedTextEntry = nullptr;
    }
}

// A key acts once per press until it has been held for half a second, then every step. The
// period follows the logic rate in force, which may be set after the entry was made.
void PXUITextEntry::updateKeyRepeat() {
    const int key = PXKeyPressed();
    if (key == _lastPressedKey) {
        if (_keyHoldTimer.tick()) {
            _keyRepeatLatch = false;
        }
    } else {
        _keyRepeatLatch = true;
        _keyHoldTimer.setTimeout(static_cast<int>(_PXLogicSpeed / 2));
        _keyHoldTimer.reset();
    }
    _lastPressedKey = key;
}

void PXUITextEntry::actOnFirstKeyDown() {
    static constexpr EditingKey kEditingKeys[] = {
        {PXKeyCode::kBackspace, &PXUITextEntry::backspace},
        {PXKeyCode::kDelete, &PXUITextEntry::forwardDelete},
        {PXKeyCode::kLeft, &PXUITextEntry::moveCursorLeft},
        {PXKeyCode::kRight, &PXUITextEntry::moveCursorRight},
    };
    const int once = _keyRepeatLatch;
    for (const TypedKey& key : kTypedKeys) {
        if (PXKey(key.code, once)) {
            const char typed[] = {shiftHeld() ? key.shifted : key.plain, '\0'};
            append(typed);
            return;
        }
    }
    for (const EditingKey& key : kEditingKeys) {
        if (PXKey(key.code, once)) {
            (this->*key.action)();
            return;
        }
    }
}

void PXUITextEntry::moveCursorLeft() {
    _cursorPosition = std::max(_cursorPosition - 1, 0);
    if (_cursorPosition < _displayStart) {
        _displayStart--;
        calculateDisplayString();
    }
}

void PXUITextEntry::moveCursorRight() {
    if (!cursorInsideText()) {
        return;
    }
    _cursorPosition = std::min(_cursorPosition + 1, _maximumLength);
    if (_cursorPosition - _displayStart > static_cast<int>(_displayString.size())) {
        _displayStart++;
        calculateDisplayString();
    }
}

void PXUITextEntry::draw() {
    const int x = xPos();
    const int y = yPos();
    const int right = x + width();
    const int bottom = y + height();
    _PXUIFill(x, y, right, bottom, _borderColor);
    _PXUIFill(x + 1, y + 1, right - 1, bottom - 1, _backgroundColor);
    if (_font != nullptr) {
        _PXUIPrint(_font, x + 1, y + 1, _textColor, _displayString.c_str());
        if (_cursorVisible) {
            const int a = advanceBetween(_displayStart, _cursorPosition);
            _PXUIFill(x + a + 1, y + 1, x + a + 3, y + _fontHeight - 1, _cursorColor);
        }
    }
    if (_PXFocusedTextEntry == this) {
        _PXUIOutline(x, y, right, bottom, _focusColor);
        _PXUIOutline(x - 1, y - 1, right + 1, bottom + 1, _focusColor);
        _PXUIOutline(x + 1, y + 1, right - 1, bottom - 1, _focusColor);
    }
}
