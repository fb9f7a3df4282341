// WOSoundPlayer: an invisible source of a looping sound (wind, a waterfall) that grows louder
// as the player comes near and pans to the side it is on.
#pragma once

#include "WOSpriteObject.h"

class PXSound;

class WOSoundPlayer : public WOSpriteObject {
public:
    // Type 51, hidden, no sound yet, full volume 255 within 25 pixels, decay 1.
    WOSoundPlayer();

    // Header, "Sound name" or 0, the three volume integers, owner map.
    bool save(FILE* stream) const override;
    bool load(FILE* stream) override;
    // Fetches a newly named sample and plays it attenuated by the player's distance.
    void logic() override;

    // Stops its sample: the current map no longer holds it, so its logic no longer runs.
    void silence();
    // The sample playing, or null.
    PXSound* sample() const { return _sample; }
    // The attenuation given to the sample on the last tick: 0 at full volume, 255 at the
    // farthest still heard.
    int attenuation() const { return _attenuation; }

private:
    void fetchNamedSample();
    void playFor(int distanceX, int distanceY);

    PXSound* _sample = nullptr;
    char _soundName[kTextFieldSize] = {};
    char _loadedName[kTextFieldSize] = {};
    int _fullVolume = 255;
    int _fullVolumeDistance = 25;
    int _distanceDecay = 1;
    int _attenuation = 0;
};
