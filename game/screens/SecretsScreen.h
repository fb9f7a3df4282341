// The secrets screen: the eight secrets, each described once unlocked and "???" until then.
// It slides down in over the title's picture and leaves on a confirm.
#pragma once

#include "ScreenCommon.h"
#include "game/core/Globals.h"
#include "game/screens/Secret.h"

#include <string>

class PXTexture;

class SecretsScreen {
public:
    // The background (the title's picture) slides down out of view.
    explicit SecretsScreen(PXTexture* background);

    // Fetches the picture, font and sounds; false (logged) when the picture or font is missing.
    bool loadResources();

    // One logic step: the slide, and a confirm turns it round.
    void logic();
    // The background picture, the secrets and "Back".
    void draw() const;
    bool finished() const { return _finished; }
    // Where the background picture is.
    int slideOffset() const { return _slide.offset(); }

private:
    PXTexture* _background;
    ScreenSlide _slide{SCREEN_H_UNSCALED};
    bool _finished = false;
    MenuResources _resources;
};

// Runs the secrets screen until a confirm has slid it away.
void secretsScreen(PXTexture* background);
// What the secrets screen shows for a secret: its description once unlocked, else "???".
std::string secretText(SecretIdentifier identifier);
// Prints that text at (x, y) in the secrets screen's style.
void _displaySecret(SecretIdentifier identifier, int x, int y, PXFont* font);
