// EditorObjectEditWidgetSet: the widgets that edit one field of a world object (an integer, a
// flag, a text or a choice), writing straight into the object's storage.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

class PXFont;
class PXUIButton;
class PXUIListBox;
class PXUITextEntry;

class EditorObjectEditWidgetSet {
public:
    // The widgets of the value type (0 integer, 1 flag, 2 text, 3 choice) for the storage;
    // throws std::bad_alloc (after logging) without the editor font or for another type.
    EditorObjectEditWidgetSet(const char* title, int valueType,
                              const std::vector<std::string>* selectionList, void* data);
    ~EditorObjectEditWidgetSet();
    EditorObjectEditWidgetSet(const EditorObjectEditWidgetSet&) = delete;
    EditorObjectEditWidgetSet& operator=(const EditorObjectEditWidgetSet&) = delete;

    // Moves the set and lays its widgets out in a row after the title.
    void setPos(int x, int y);
    // The height the set takes, 5 pixels of space included; 0 for an unknown type.
    int getHeight() const;
    // Polls the widgets and writes a "Set" or "Toggle" into the storage.
    void logic();
    // The title, the stored value where the widgets do not show it, and the widgets.
    void draw();

    // The widgets; null where the value type has none.
    PXUIButton* toggleButton() const { return _toggleButton.get(); }
    PXUITextEntry* textEntry() const { return _textEntry.get(); }
    PXUIButton* setterButton() const { return _setterButton.get(); }
    PXUIListBox* listBox() const { return _listBox.get(); }

private:
    void createWidgets(const std::vector<std::string>* selectionList);
    void createTextEntry(const std::string& text);
    void createSetterButton();
    void createToggleButton();
    void createListBox(const std::vector<std::string>& items);
    void layout();
    int textWidth(const char* text) const;
    // Where the row goes on after the title.
    int valueX() const;
    // The text the flag or choice shows after the title.
    std::string shownValue() const;
    std::string storedText() const;
    void writeText(const std::string& text);
    void applyEntry();
    void applySelection();

    int _x = 0;
    int _y = 0;
    std::optional<std::string> _title;
    int _valueType;
    void* _data;
    std::unique_ptr<PXFont> _font;
    std::string _fontPath;
    std::unique_ptr<PXUIButton> _toggleButton;
    std::unique_ptr<PXUITextEntry> _textEntry;
    std::unique_ptr<PXUIButton> _setterButton;
    std::unique_ptr<PXUIListBox> _listBox;
};

// The number the text starts with (blanks, an optional sign, then decimal digits), clamped to
// the 32-bit range; 0 when it starts with none.
int leadingInteger(const std::string& text);
