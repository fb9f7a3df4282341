#include "MapMusicNames.h"

MapMusicNames::MapMusicNames() {
    loadFilenamesOrThrow("mapMusicNames.txt");
}
