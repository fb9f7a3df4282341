#include "PXUIDialogBox.h"

#include "engine/PXFont.h"

#include <algorithm>
#include <cmath>

bool PXUIDialogBox::setFont(const char* path, int mode) {
    _font = resolveFont(path, mode);
    resize();
    return _font != nullptr;
}

bool PXUIDialogBox::setFontSize(int size) {
    _font = resolveFontAtSize(size);
    const bool buttonsResized =
        std::all_of(_buttons.begin(), _buttons.end(),
                    [size](const auto& button) { return button->setFontSize(size); });
    resize();
    return _font != nullptr && buttonsResized;
}

void PXUIDialogBox::setMessage(const char* message) {
    _message = _PXUICut(message, PX_UI_MESSAGE_BUFFER_SIZE);
    resize();
}

void PXUIDialogBox::addButton(const char* label) {
    if (_font == nullptr) {
        return;
    }
    auto button = std::make_unique<PXUIButton>();
    button->setFont(fontPath(), fontMode());
    button->setFontSize(fontSize());
    button->setText(label);
    _buttons.push_back(std::move(button));
    resize();
}

void PXUIDialogBox::setPadding(int padding) {
    _padding = padding;
    resize();
}

void PXUIDialogBox::setButtonsColour(ButtonColourSetter setter, const PXUIColor& colour) {
    for (const auto& button : _buttons) {
        ((*button).*setter)(colour.r, colour.g, colour.b, colour.a);
    }
}

void PXUIDialogBox::poll() {
    for (std::size_t index = 0; index < _buttons.size(); index++) {
        if (_buttons[index]->clicked(0)) {
            _clickedIndex = static_cast<int>(index);
        }
    }
}

void PXUIDialogBox::resize() {
    if (_font == nullptr) {
        return;
    }
    float messageWidth = 0;
    float messageHeight = 0;
    _font->stringBounds(_message.c_str(), messageWidth, messageHeight);
    messageWidth = _PXUITextWidth(*_font, _message.c_str());
    int buttonsWidth = 0;
    int buttonsHeight = 0;
    for (const auto& button : _buttons) {
        buttonsWidth += button->width() + _padding;
        buttonsHeight = _padding + std::max(button->height(), buttonsHeight);
    }
    setBounds(2 * _padding + std::max(static_cast<int>(std::ceil(messageWidth)), buttonsWidth),
              static_cast<int>(messageHeight) + buttonsHeight + 2 * _padding);

    int right = xPos() + width();
    for (const auto& button : _buttons) {
        const int x = right - button->width() - _padding;
        button->setPos(x, yPos() + height() - button->height() - _padding);
        right = x;
    }
}

void PXUIDialogBox::draw() {
    const int right = xPos() + width();
    const int bottom = yPos() + height();
    _PXUIOutline(xPos(), yPos(), right, bottom, _border);
    _PXUIFill(xPos() + 1, yPos() + 1, right - 1, bottom - 1, _background);
    if (_font != nullptr) {
        _PXUIPrint(_font, xPos() + _padding, yPos() + _padding, _textColour, _message.c_str());
    }
    for (const auto& button : _buttons) {
        button->draw();
    }
}
