// WOAccordian: the accordion a Flowrian may wish to hear.
#pragma once

#include "WOMusicMaker.h"

class WOAccordian : public WOMusicMaker {
public:
    // Type 104; falls 5 pixels a tick.
    WOAccordian();

private:
    static constexpr int kFallDistance = 5;
};
