// The editor's tile set names, from "tilesetNames.txt".
#pragma once

#include "FilenameList.h"

class TilesetNames : public FilenameList {
public:
    // Throws std::bad_alloc when the file cannot be loaded.
    TilesetNames();
};
