// One entry of the font cache: a font opened for one path, mode and size.
#pragma once

#include "PXFont.h"

#include <memory>
#include <string>

class _PXFontCacheItem {
public:
    // Not usable: sets the error text and throws std::bad_alloc.
    _PXFontCacheItem();
    // Opens the font at the size; throws std::bad_alloc (with the error text) when it cannot.
    _PXFontCacheItem(const char* path, int mode, int size);

    // The path the font was asked for with.
    const char* path() const { return _path.c_str(); }
    // The mode the font was asked for with, which may differ from the font's own.
    int mode() const { return _mode; }
    // The size the font was asked for with.
    int size() const { return _size; }
    // The font, owned by the item.
    PXFont* font() const { return _font.get(); }

private:
    std::string _path;
    int _mode = 0;
    int _size = 0;
    std::unique_ptr<PXFont> _font;
};
