#include "EditorObjectEditWidgetSet.h"

#include "EditorGUI.h"

#include "engine/PXFont.h"
#include "engine/ui/PXUIButton.h"
#include "engine/ui/PXUIListBox.h"
#include "engine/ui/PXUITextEntry.h"
#include "game/core/Log.h"
#include "game/core/ResourceManager.h"
#include "game/objects/WorldObjectEditorInfo.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdio>
#include <cstring>
#include <new>

namespace {

constexpr int kInteger = WorldObjectEditorInfo::kInteger;
constexpr int kFlag = WorldObjectEditorInfo::kFlag;
constexpr int kText = WorldObjectEditorInfo::kText;
constexpr int kChoice = WorldObjectEditorInfo::kChoice;
constexpr const char* kNoStorage = "Data storage not allocated!";

constexpr const char* kFontName = "Editor.ttf";
constexpr int kFontMode = PX_FONT_MODE_TEXTURE;
constexpr int kFontSize = 12;
// Text storage holds this many bytes, zero byte included; entries take as many characters.
constexpr int kTextSize = 255;
constexpr int kEntryWidth = 255;
constexpr int kListWidth = 255;
constexpr int kListRows = 5;
constexpr int kGap = 10;
constexpr int kSpaceBelow = 5;

[[noreturn]] void fail(const char* message) {
    globalLog->write("%s", message);
    throw std::bad_alloc();
}

// Gives the widget the editor font, or fails with the message.
template <class Widget>
void useEditorFont(Widget& widget, const std::string& path, const char* message) {
    if (!widget.setFont(path.c_str(), kFontMode) || !widget.setFontSize(kFontSize)) {
        fail(message);
    }
}

} // namespace

int leadingInteger(const std::string& text) {
    std::size_t at = 0;
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) {
        at++;
    }
    const bool negative = at < text.size() && text[at] == '-';
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
        at++;
    }
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    long long value = 0;
    for (; at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])); at++) {
        value = std::min(value * 10 + (text[at] - '0'), limit);
    }
    return static_cast<int>(negative ? -value : value);
}

EditorObjectEditWidgetSet::EditorObjectEditWidgetSet(const char* title, int valueType,
                                                     const std::vector<std::string>* selectionList,
                                                     void* data)
    : _valueType(valueType), _data(data) {
    if (title != nullptr) {
        _title = title;
    }
    _fontPath = ResourceManager::instance()->findFilePath(kFontName);
    if (_fontPath.empty()) {
        fail("Unable to load editor font for done button (object edit mode)\n");
    }
    _font = std::make_unique<PXFont>(_fontPath.c_str(), kFontMode);
    _font->setSize(kFontSize);
    createWidgets(selectionList);
    layout();
}

EditorObjectEditWidgetSet::~EditorObjectEditWidgetSet() = default;

void EditorObjectEditWidgetSet::createWidgets(const std::vector<std::string>* selectionList) {
    switch (_valueType) {
    case kInteger:
        createTextEntry(_data != nullptr ? std::to_string(*static_cast<int*>(_data)) : kNoStorage);
        createSetterButton();
        break;
    case kFlag:
        createToggleButton();
        break;
    case kText:
        createTextEntry(_data != nullptr ? storedText() : kNoStorage);
        createSetterButton();
        break;
    case kChoice:
        createListBox(selectionList != nullptr ? *selectionList : std::vector<std::string>());
        createSetterButton();
        break;
    default:
        fail("Unknown editor object edit type. Don't know how to create myself "
             "(EditorObjectEditWidgetSet)\n");
    }
}

void EditorObjectEditWidgetSet::createTextEntry(const std::string& text) {
    _textEntry = std::make_unique<PXUITextEntry>(kTextSize);
    useEditorFont(*_textEntry, _fontPath, "Unable to instantiate text entry\n");
    _textEntry->setBounds(kEntryWidth, 0);
    _textEntry->setText(text.c_str());
}

void EditorObjectEditWidgetSet::createSetterButton() {
    _setterButton = std::make_unique<PXUIButton>();
    useEditorFont(*_setterButton, _fontPath, "Unable to instantiate setter button\n");
    _setterButton->setText("Set");
}

void EditorObjectEditWidgetSet::createToggleButton() {
    _toggleButton = std::make_unique<PXUIButton>();
    useEditorFont(*_toggleButton, _fontPath, "Unable to instantiate boolean toggler button\n");
    _toggleButton->setText("Toggle");
}

void EditorObjectEditWidgetSet::createListBox(const std::vector<std::string>& items) {
    _listBox = std::make_unique<PXUIListBox>();
    useEditorFont(*_listBox, _fontPath, "Unable to instantiate list box\n");
    for (const std::string& item : items) {
        _listBox->addItem(item.c_str());
    }
    styleEditorList(*_listBox);
    _listBox->setNumberOfDisplayItems(kListRows);
    _listBox->setBounds(kListWidth, 0);
}

void EditorObjectEditWidgetSet::setPos(int x, int y) {
    _x = x;
    _y = y;
    layout();
}

// Each widget stands kGap pixels after what comes before it in the row.
void EditorObjectEditWidgetSet::layout() {
    const int afterTitle = valueX();
    switch (_valueType) {
    case kInteger:
    case kText:
        _textEntry->setPos(afterTitle, _y);
        _setterButton->setPos(afterTitle + _textEntry->width() + kGap, _y);
        break;
    case kFlag:
        _toggleButton->setPos(afterTitle + textWidth("False") + kGap, _y);
        break;
    case kChoice:
        _listBox->setPos(afterTitle + textWidth(shownValue().c_str()) + kGap, _y);
        _setterButton->setPos(_listBox->xPos() + _listBox->width() + kGap, _y);
        break;
    }
}

int EditorObjectEditWidgetSet::getHeight() const {
    switch (_valueType) {
    case kInteger:
    case kText:
        return _textEntry->height() + kSpaceBelow;
    case kFlag:
        return _toggleButton->height() + kSpaceBelow;
    case kChoice:
        return _listBox->height() + kSpaceBelow;
    default:
        return 0;
    }
}

void EditorObjectEditWidgetSet::logic() {
    switch (_valueType) {
    case kFlag:
        if (_toggleButton->clicked(0) && _data != nullptr) {
            int& flag = *static_cast<int*>(_data);
            flag = ~flag;
        }
        break;
    case kInteger:
    case kText:
        _textEntry->poll();
        if (_setterButton->clicked(0)) {
            applyEntry();
        }
        break;
    case kChoice:
        _listBox->poll();
        // Reading the selection takes up a click on a row.
        _listBox->selectedItemIndex();
        if (_setterButton->clicked(0)) {
            applySelection();
        }
        break;
    }
}

void EditorObjectEditWidgetSet::applyEntry() {
    if (_data == nullptr) {
        return;
    }
    if (_valueType == kInteger) {
        *static_cast<int*>(_data) = leadingInteger(_textEntry->getText());
    } else {
        writeText(_textEntry->getText());
    }
}

void EditorObjectEditWidgetSet::applySelection() {
    const std::optional<std::string> item = _listBox->itemAtIndex(_listBox->selectedItemIndex());
    if (_data == nullptr || !item) {
        return;
    }
    writeText(*item);
    layout();
}

void EditorObjectEditWidgetSet::writeText(const std::string& text) {
    std::snprintf(static_cast<char*>(_data), kTextSize, "%s", text.c_str());
}

std::string EditorObjectEditWidgetSet::storedText() const {
    const char* text = static_cast<const char*>(_data);
    return std::string(text, strnlen(text, kTextSize - 1));
}

std::string EditorObjectEditWidgetSet::shownValue() const {
    if (_data == nullptr) {
        return kNoStorage;
    }
    if (_valueType == kFlag) {
        return *static_cast<const int*>(_data) ? "True" : "False";
    }
    return storedText();
}

int EditorObjectEditWidgetSet::valueX() const {
    return _x + textWidth(_title ? _title->c_str() : "") + kGap;
}

int EditorObjectEditWidgetSet::textWidth(const char* text) const {
    float width = 0;
    float height = 0;
    _font->stringBounds(text, width, height);
    return static_cast<int>(width);
}

void EditorObjectEditWidgetSet::draw() {
    const int afterTitle = valueX();
    if (_title) {
        _font->print(_x, _y, 0, 0, 0, 1, "%s", _title->c_str());
    }
    if (_valueType == kFlag || _valueType == kChoice) {
        _font->print(afterTitle, _y, 0, 0, 0, 1, "%s", shownValue().c_str());
    }
    for (_PXUIWidget* widget :
         {static_cast<_PXUIWidget*>(_toggleButton.get()),
          static_cast<_PXUIWidget*>(_textEntry.get()), static_cast<_PXUIWidget*>(_listBox.get()),
          static_cast<_PXUIWidget*>(_setterButton.get())}) {
        if (widget != nullptr) {
            widget->draw();
        }
    }
}
