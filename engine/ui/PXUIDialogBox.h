// A message above a row of buttons laid out right to left; remembers the last button clicked.
#pragma once

#include "PXUIButton.h"
#include "PXUIWidget.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

// Size of the buffer a message would fill; longer messages are cut to one byte less.
constexpr std::size_t PX_UI_MESSAGE_BUFFER_SIZE = 512;

class PXUIDialogBox : public _PXUIWidget {
public:
    // Takes the font at the current size and lays out; true when a font was found.
    bool setFont(const char* path, int mode);
    // Resolves the font at the new size and hands the size to each button, stopping at the first
    // that fails; true when the dialog and every button have a font.
    bool setFontSize(int size);
    // Replaces the message and lays out.
    void setMessage(const char* message);
    // Only with a font: a button with the dialog's font and the label, left of those before it.
    void addButton(const char* label);
    // Space around the message and between the buttons; lays out.
    void setPadding(int padding);

    // The dialog's background.
    void setBackgroundColor(float r, float g, float b, float a) { _background = {r, g, b, a}; }
    // The message.
    void setTextColor(float r, float g, float b, float a) { _textColour = {r, g, b, a}; }
    // The dialog's outline.
    void setBorderColor(float r, float g, float b, float a) { _border = {r, g, b, a}; }
    // These four apply to the buttons added so far.
    void setButtonNormalBackgroundColor(float r, float g, float b, float a) {
        setButtonsColour(&PXUIButton::setNormalBackgroundColor, {r, g, b, a});
    }
    void setButtonDepressedBackgroundColor(float r, float g, float b, float a) {
        setButtonsColour(&PXUIButton::setDepressedBackgroundColor, {r, g, b, a});
    }
    void setButtonBorderColor(float r, float g, float b, float a) {
        setButtonsColour(&PXUIButton::setBorderColor, {r, g, b, a});
    }
    void setButtonTextColor(float r, float g, float b, float a) {
        setButtonsColour(&PXUIButton::setTextColor, {r, g, b, a});
    }

    // Records the index of a button clicked in this logic step.
    void poll();
    // The last button clicked, or -1 before any; never reset.
    int buttonIndexClicked() const { return _clickedIndex; }
    // Only with a font: sizes the dialog around the message and buttons and places the buttons
    // along its bottom edge, the first added rightmost.
    void resize();
    // Outline, background, message and buttons.
    void draw() override;

private:
    using ButtonColourSetter = void (PXUIButton::*)(float, float, float, float);
    void setButtonsColour(ButtonColourSetter setter, const PXUIColor& colour);

    PXFont* _font = nullptr;
    std::string _message;
    int _clickedIndex = -1;
    std::vector<std::unique_ptr<PXUIButton>> _buttons;
    int _padding = 2;
    PXUIColor _background{1.0f, 1.0f, 1.0f, 1.0f};
    PXUIColor _textColour{0.0f, 0.0f, 0.0f, 1.0f};
    PXUIColor _border{0.0f, 0.0f, 0.0f, 1.0f};
};
