#include "WOHexNut.h"

WOHexNut::WOHexNut() {
    becomePickup(WORLD_OBJECT_HEX_NUT, "hexNut.txt", "shine");
}
