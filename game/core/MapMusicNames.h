// The map songs the editor offers, from "mapMusicNames.txt".
#pragma once

#include "FilenameList.h"

class MapMusicNames : public FilenameList {
public:
    // Throws std::bad_alloc when the file cannot be loaded.
    MapMusicNames();
};
