#include "PXFontCache.h"

#include "PXInit.h"

#include <algorithm>
#include <cstring>
#include <new>

std::unique_ptr<_PXFontCache> _PXGlobalFontCache;

PXFont* _PXFontCache::fontAtPath(const char* path, int mode, int size) {
    const auto cached = std::find_if(_items.begin(), _items.end(), [&](const auto& item) {
        return std::strcmp(item->path(), path) == 0 && item->mode() == mode && item->size() == size;
    });
    if (cached != _items.end()) {
        return (*cached)->font();
    }
    try {
        _items.push_back(std::make_unique<_PXFontCacheItem>(path, mode, size));
    } catch (const std::bad_alloc&) {
        _PXSetError("Unable to load font and add it to the global cache.");
        return nullptr;
    }
    return _items.back()->font();
}

int _PXFontCache::numberOfFonts() const {
    return static_cast<int>(_items.size());
}

void _PXFontCache::clear() {
    _items.clear();
}

void PXClearGUIFontCache() {
    if (_PXGlobalFontCache) {
        _PXGlobalFontCache->clear();
    }
}

int PXGUIFontCacheSize() {
    return _PXGlobalFontCache ? _PXGlobalFontCache->numberOfFonts() : 0;
}
