#include "WOCreditsRunner.h"

#include "game/screens/Credits.h"
#include "game/world/Letterbox.h"

WOCreditsRunner::WOCreditsRunner() {
    setObjectType(WORLD_OBJECT_CREDITS_RUNNER);
    setDrawPosition(kDrawOverOverlays);
    loadSprite(sprite(), "creditsRunner.txt", "default");
}

WOCreditsRunner::~WOCreditsRunner() = default;

void WOCreditsRunner::logic() {
    if (_credits) {
        _credits->logic();
        return;
    }
    _credits = std::make_unique<Credits>();
    Letterbox& letterbox = *Letterbox::instance();
    if (!letterbox.isShowing()) {
        letterbox.toggle();
    }
}

void WOCreditsRunner::draw() {
    if (_credits) {
        _credits->draw();
    }
}
