#include "WorldObjectEditorInfo.h"

#include <string_view>
#include <utility>

namespace {

std::string limited(std::string_view text) {
    return std::string(text.substr(0, WorldObjectEditorInfo::kTextLimit));
}

} // namespace

WorldObjectEditorInfo::WorldObjectEditorInfo(const char* title, int valueType, void* data)
    : _valueType(valueType), _data(data) {
    if (title != nullptr) {
        _title = limited(title);
    }
}

WorldObjectEditorInfo::WorldObjectEditorInfo(const char* title, int valueType,
                                             std::vector<std::string> choices, void* data)
    : WorldObjectEditorInfo(title, valueType, data) {
    for (std::string& choice : choices) {
        choice = limited(choice);
    }
    _selectionList = std::move(choices);
}

const char* WorldObjectEditorInfo::title() const {
    return _title ? _title->c_str() : nullptr;
}

const std::vector<std::string>* WorldObjectEditorInfo::selectionList() const {
    return _selectionList ? &*_selectionList : nullptr;
}
