#include "Resource.h"

#include "Log.h"
#include "ResourceManager.h"

#include <new>

void* resource::load(const char* path, int type, int fontMode) {
    globalLog->write("Resource: loading %s\n", path);
    unload();
    try {
        switch (type) {
        case ResourceManager::kTexture:
            _data = std::make_unique<PXTexture>(path);
            break;
        case ResourceManager::kFont:
            _data = std::make_unique<PXFont>(path, fontMode);
            break;
        case ResourceManager::kSample:
            _data = std::make_unique<PXSound>(path);
            break;
        default:
            _data = std::make_unique<PXMusic>(path);
            break;
        }
    } catch (const std::bad_alloc&) {
        _data = std::monostate{};
    }
    return getData();
}

void resource::unload() {
    _data = std::monostate{};
}

void* resource::getData() const {
    return std::visit(
        [](const auto& object) -> void* {
            if constexpr (std::is_same_v<std::decay_t<decltype(object)>, std::monostate>) {
                return nullptr;
            } else {
                return object.get();
            }
        },
        _data);
}
