#include "PXFontCacheItem.h"

#include "PXInit.h"

#include <new>

_PXFontCacheItem::_PXFontCacheItem() {
    _PXSetError("Cannot instantiate default _PXFontCacheItem");
    throw std::bad_alloc();
}

// A face whose size cannot be set cannot draw, so it fails like a file that cannot be loaded.
_PXFontCacheItem::_PXFontCacheItem(const char* path, int mode, int size)
    : _mode(mode), _size(size) {
    try {
        _path = path;
        _font = std::make_unique<PXFont>(path, mode);
        if (!_font->setSize(size)) {
            throw std::bad_alloc();
        }
    } catch (const std::bad_alloc&) {
        _PXSetError("Unable to load font at path:");
        throw;
    }
}
