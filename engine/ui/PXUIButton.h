// A labelled push button. It has no poll of its own: its owner calls clicked(0) every logic step.
#pragma once

#include "PXUIWidget.h"

#include <optional>
#include <string>

class PXUIButton : public _PXUIWidget {
public:
    // Takes the font at the current size; true when a font was found.
    bool setFont(const char* path, int mode);
    // False without a font; otherwise resolves the font at the new size and measures the text.
    bool setFontSize(int size);
    // False for a null text or without a font; otherwise takes a copy and grows to fit it.
    bool setText(const char* text);
    // With a font and a text, a dimension not larger than the text's becomes the text's plus 6.
    virtual void setBounds(int width, int height);

    // Background while not pressed.
    void setNormalBackgroundColor(float r, float g, float b, float a) { _normal = {r, g, b, a}; }
    // Background while pressed with the mouse still over it.
    void setDepressedBackgroundColor(float r, float g, float b, float a) {
        _depressed = {r, g, b, a};
    }
    // The outline.
    void setBorderColor(float r, float g, float b, float a) { _border = {r, g, b, a}; }
    // The label.
    void setTextColor(float r, float g, float b, float a) { _textColour = {r, g, b, a}; }

    // Background, outline and the label at the top, centred across.
    void draw() override;

private:
    void measureText();

    PXUIColor _normal{1.0f, 1.0f, 1.0f, 1.0f};
    PXUIColor _depressed{1.0f, 0.0f, 0.0f, 1.0f};
    PXUIColor _border{0.0f, 0.0f, 0.0f, 1.0f};
    PXUIColor _textColour{0.0f, 0.0f, 0.0f, 1.0f};
    PXFont* _font = nullptr;
    std::optional<std::string> _text;
    float _textWidth = 0;
    float _textHeight = 0;
};
