#include "WOAccordian.h"

WOAccordian::WOAccordian()
    : WOMusicMaker(WORLD_OBJECT_ACCORDIAN, "accordian.txt", "accordian.wav", kFallDistance) {}
