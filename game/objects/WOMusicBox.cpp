#include "WOMusicBox.h"

WOMusicBox::WOMusicBox()
    : WOMusicMaker(WORLD_OBJECT_MUSIC_BOX, "musicBox.txt", "musicBox.wav", kFallDistance) {}
