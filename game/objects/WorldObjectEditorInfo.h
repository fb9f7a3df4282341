// WorldObjectEditorInfo: one editable field of a world object, from which the editor builds its
// edit widget: a title, a value type, the address of the field inside the object and, for
// choices, the allowed entries.
#pragma once

#include <optional>
#include <string>
#include <vector>

class WorldObjectEditorInfo {
public:
    // Value types.
    // The data is a 32-bit integer.
    static constexpr int kInteger = 0;
    // The data is a 32-bit flag, 0 or -1.
    static constexpr int kFlag = 1;
    // The data is a text buffer of the object's text field size.
    static constexpr int kText = 2;
    // The data is a text buffer that receives one entry of the selection list.
    static constexpr int kChoice = 3;
    // Titles and choices are cut to this many characters.
    static constexpr int kTextLimit = 255;

    // No title, type -1, no data.
    WorldObjectEditorInfo() = default;
    // A field without choices.
    WorldObjectEditorInfo(const char* title, int valueType, void* data);
    // A field with its choices.
    WorldObjectEditorInfo(const char* title, int valueType, std::vector<std::string> choices,
                          void* data);

    // The title, or null.
    const char* title() const;
    // One of the value types, or -1.
    int valueType() const { return _valueType; }
    // The field inside the object, or null.
    void* dataPointer() const { return _data; }
    // The choices, or null for fields without them.
    const std::vector<std::string>* selectionList() const;

private:
    std::optional<std::string> _title;
    int _valueType = -1;
    void* _data = nullptr;
    std::optional<std::vector<std::string>> _selectionList;
};
