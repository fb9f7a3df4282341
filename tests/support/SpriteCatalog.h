// The sprite catalog (assets/sprites/catalog.txt): every sprite definition the game loads and the
// animations its code asks for. The data generator and the data tests both read it.
#pragma once

#include <string>
#include <vector>

struct CatalogAnimation {
    std::string name;
    bool mustNotLoop = false;
    int minimumFrames = 1;
};

struct CatalogEntry {
    std::string file;
    bool needsBox1 = false;
    std::vector<CatalogAnimation> animations;
};

// The entries of a catalog file in file order; throws std::runtime_error on an unreadable line.
std::vector<CatalogEntry> readSpriteCatalog(const std::string& path);
