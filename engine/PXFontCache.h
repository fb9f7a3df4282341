// The engine's font cache: widgets asking for the same path, mode and size share one font.
#pragma once

#include "PXFont.h"
#include "PXFontCacheItem.h"

#include <memory>
#include <vector>

class _PXFontCache {
public:
    // The cached font for exactly this path, mode and size, opened on first request; null (with
    // the error text) when it cannot be opened.
    PXFont* fontAtPath(const char* path, int mode, int size);
    // How many fonts the cache holds.
    int numberOfFonts() const;
    // Deletes every font; pointers handed out before become invalid.
    void clear();

private:
    std::vector<std::unique_ptr<_PXFontCacheItem>> _items;
};

// The cache all widgets use; PXInit creates it and PXDeInit deletes it.
extern std::unique_ptr<_PXFontCache> _PXGlobalFontCache;

// Deletes every font of the global cache.
void PXClearGUIFontCache();
// How many fonts the global cache holds; 0 without a started engine.
int PXGUIFontCacheSize();
