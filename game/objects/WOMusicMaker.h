// WOMusicMaker: a carriable instrument (music box, accordion). While carried its sound loops and
// the map's music is turned down to a quarter, so the instrument is heard over it.
#pragma once

#include "WOCarriable.h"

class PXSound;

class WOMusicMaker : public WOCarriable {
public:
    // A held instrument falls silent and gives the music its volume back.
    ~WOMusicMaker() override;

protected:
    // Plays the sound file while carried.
    WOMusicMaker(int type, const char* spriteFile, const char* soundFile, int fallDistance);
    // Starts playing when picked up, stops when put down or stored.
    void heldStateChanged() override;

private:
    void startPlaying();
    void stopPlaying();

    PXSound* _sound = nullptr;
    bool _playing = false;
};
