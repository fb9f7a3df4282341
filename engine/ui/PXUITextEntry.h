// A single-line editable text field with a blinking cursor; the focused entry takes the typing.
#pragma once

#include "PXUIWidget.h"
#include "engine/PXTimer.h"

#include <string>

class PXUITextEntry : public _PXUIWidget {
public:
    // An empty field holding at most maximumLength characters (a negative length holds none).
    explicit PXUITextEntry(int maximumLength);
    // Gives the focus up when it has it.
    ~PXUITextEntry() override;

    PXUITextEntry(const PXUITextEntry&) = delete;
    PXUITextEntry& operator=(const PXUITextEntry&) = delete;

    // Stores the size; the height grows to the font's line box.
    virtual void setBounds(int width, int height);
    // Draws the frame, the shown text, the cursor and, when focused, the focus outlines.
    void draw() override;

    // Asks the font cache for the font; false when none is usable.
    bool setFont(const char* path, int mode);
    // Re-resolves the font at the size; false without a usable font.
    bool setFontSize(int size);

    // Colour inside the frame.
    void setBackgroundColor(float r, float g, float b, float a);
    // Colour of the one-pixel frame.
    void setBorderColor(float r, float g, float b, float a);
    // Colour of the text.
    void setTextColor(float r, float g, float b, float a);
    // Colour of the cursor bar.
    void setCursorColor(float r, float g, float b, float a);
    // Colour of the outlines that mark the focused entry.
    void setFocusColor(float r, float g, float b, float a);

    // Raises the height to the font's line box and refits the shown text to the width.
    void resize();
    // A copy of the whole text.
    std::string getText() const { return _text; }
    // Replaces the text (a text longer than the maximum leaves it empty); the cursor ends after it.
    void setText(const char* text);
    // Makes this the entry that takes the typing.
    void forceFocus();

    // Inserts at the cursor, unless the text would grow past its maximum length.
    void append(const char* text);
    // Removes the character before the cursor.
    void backspace();
    // Removes the character at the cursor.
    void forwardDelete();
    // Cuts the shown text from the display start to the field's width.
    void calculateDisplayString();
    // Shows as much of the text's end as fits the field.
    void calculateDisplayStartToFillField();
    // The width the text's shown part is compared with when editing scrolls it.
    int displayWidth() const { return width() + 2; }
    // Called once per logic step: focus by the left button, typing while focused, the blink.
    void poll();

    // The index in the text the next character goes to.
    int cursorPosition() const { return _cursorPosition; }
    // The index of the first character shown.
    int displayStart() const { return _displayStart; }
    // The part of the text the field shows.
    const std::string& displayString() const { return _displayString; }

private:
    void updateFocus();
    void updateKeyRepeat();
    void actOnFirstKeyDown();
    void moveCursorLeft();
    void moveCursorRight();
    void useFont(PXFont* font);
    int advanceBetween(int from, int to) const;
    int advanceFrom(int from) const { return advanceBetween(from, static_cast<int>(_text.size())); }
    bool cursorInsideText() const { return _cursorPosition < static_cast<int>(_text.size()); }

    PXFont* _font = nullptr;
    int _maximumLength;
    std::string _text;
    std::string _displayString;
    int _cursorPosition = 0;
    int _displayStart = 0;
    int _fontHeight = 0;
    PXUIColor _textColor{1, 1, 1, 1};
    PXUIColor _backgroundColor{0, 0, 0, 1};
    PXUIColor _borderColor{0, 0, 0, 1};
    PXUIColor _cursorColor{1, 0, 0, 1};
    PXUIColor _focusColor{0.3f, 1, 1, 0.5f};
    PXTimer _keyHoldTimer;
    // Set: keys act only when newly pressed; cleared once a key has been held long enough.
    bool _keyRepeatLatch = true;
    int _lastPressedKey = 0;
    PXTimer _blinkTimer;
    bool _cursorVisible = true;
};

// The entry that receives typing, or null.
extern PXUITextEntry* _PXFocusedTextEntry;
