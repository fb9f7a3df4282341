// WOMusicBox: the music box a Flowrian may wish to hear.
#pragma once

#include "WOMusicMaker.h"

class WOMusicBox : public WOMusicMaker {
public:
    // Type 103; falls 2 pixels a tick.
    WOMusicBox();

private:
    static constexpr int kFallDistance = 2;
};
