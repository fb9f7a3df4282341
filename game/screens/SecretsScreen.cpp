#include "SecretsScreen.h"

#include "engine/Paxtor.h"
#include "game/core/Log.h"
#include "game/core/ResourceManager.h"
#include "game/screens/SecretList.h"

namespace {

constexpr int TITLE_SIZE = 25;
constexpr int TITLE_Y = 20;
constexpr int ROW_SIZE = 14;
constexpr int ROW_X = 25;
constexpr int FIRST_ROW_Y = 75;
constexpr int SECRET_COUNT = kSecretHundredPercent + 1;

} // namespace

std::string secretText(SecretIdentifier identifier) {
    if (!secretUnlocked(identifier)) {
        return "???";
    }
    return secretDescriptionAsShown(descriptionForSecretIdentifier(identifier));
}

void _displaySecret(SecretIdentifier identifier, int x, int y, PXFont* font) {
    ScreenText(font, kShadowDark).print(ROW_SIZE, x, y, kTextWhite, secretText(identifier));
}

SecretsScreen::SecretsScreen(PXTexture* background) : _background(background) {}

bool SecretsScreen::loadResources() {
    return _resources.load("secretsBackground.png", "Couldn't load secrets screen image\n");
}

void SecretsScreen::logic() {
    // It always opens over the title's picture.
    _finished = _slide.step(true, [this] {
        if (confirmPressed(kConfirmButtonAction)) {
            _resources.sounds.playSelection();
            _slide.startClosing();
        }
    });
}

void SecretsScreen::draw() const {
    beginScreenFrame(_background, 0, _slide.offset());
    const int base = _slide.followerOffset();
    drawScreenImage(_resources.image, 0, base);
    const ScreenText text(_resources.font, kShadowDark);
    text.printCentred(TITLE_SIZE, SCREEN_W_UNSCALED / 2, base + TITLE_Y, kTextWhite,
                      "Unlocked Secrets");
    for (int identifier = 0; identifier < SECRET_COUNT; identifier++) {
        _displaySecret(static_cast<SecretIdentifier>(identifier), ROW_X,
                       base + FIRST_ROW_Y + ROW_SIZE * identifier, _resources.font);
    }
    text.print(ROW_SIZE, ROW_X, base + FIRST_ROW_Y + ROW_SIZE * SECRET_COUNT, kTextHighlight,
               "Back");
}

void secretsScreen(PXTexture* background) {
    SecretsScreen screen(background);
    if (screen.loadResources()) {
        runScreen(screen);
    }
}
