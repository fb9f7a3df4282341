// EditorObjectEditWidgetSet: the widgets that edit one field of a world object (an integer, a
// flag, a text or a choice), writing straight into the object's storage.
#pragma once

#include <memory>
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

    void setPos(int x, int y);
    // The height the set takes, 5 pixels of space included; 0 for an unknown type.
    int getHeight() const;
    // Polls the widgets and writes a "Set" or "Toggle" into the storage.
    void logic();
    void draw();
};
