// WOCreditsRunner: an invisible object on the last map that starts the credits between the
// letterbox bars and rolls them as the player walks on.
#pragma once

#include "WOSpriteObject.h"

#include <memory>

class Credits;

class WOCreditsRunner : public WOSpriteObject {
public:
    // Type 53, drawn over everything.
    WOCreditsRunner();
    // Frees the credits.
    ~WOCreditsRunner() override;

    // The first tick creates the credits and brings in the bars; later ticks run the credits.
    void logic() override;
    // The credits, once they exist.
    void draw() override;

    // The credits, or null before the first tick.
    const Credits* credits() const { return _credits.get(); }

private:
    std::unique_ptr<Credits> _credits;
};
