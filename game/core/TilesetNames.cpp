#include "TilesetNames.h"

TilesetNames::TilesetNames() {
    loadFilenamesOrThrow("tilesetNames.txt");
}
