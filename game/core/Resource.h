// One cached media object of the resource manager.
#pragma once

#include "engine/PXFont.h"
#include "engine/PXMusic.h"
#include "engine/PXSound.h"
#include "engine/PXTexture.h"

#include <memory>
#include <variant>

class resource {
public:
    resource() = default;

    // Loads the file as the kind the type names; null (nothing loaded) when it cannot be.
    void* load(const char* path, int type, int fontMode);
    // Releases the loaded object.
    void unload();
    // The loaded object, or null.
    void* getData() const;
    // The loaded object when it is of kind T, else null.
    template <class T> T* get() const {
        const auto* object = std::get_if<std::unique_ptr<T>>(&_data);
        return object != nullptr ? object->get() : nullptr;
    }

private:
    std::variant<std::monostate, std::unique_ptr<PXTexture>, std::unique_ptr<PXFont>,
                 std::unique_ptr<PXSound>, std::unique_ptr<PXMusic>>
        _data;
};
