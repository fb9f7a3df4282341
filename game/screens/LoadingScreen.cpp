#include "LoadingScreen.h"

#include "ScreenCommon.h"
#include "engine/Paxtor.h"
#include "game/core/Globals.h"
#include "game/core/ResourceManager.h"
#include "game/objects/WorldObjectVector.h"

#include <GL/gl.h>

namespace {

constexpr const char* BACK_IMAGE = "loadingBack.png";
constexpr const char* FRONT_IMAGE = "loadingFront.png";
constexpr int IMAGE_WIDTH = 180;
constexpr int IMAGE_X = 70;
constexpr int TEXT_SIZE = 32;

// The slide of the picture the loading screen opens over.
class LoadingSlide {
public:
    explicit LoadingSlide(PXTexture* background) : _background(background) {}

    void logic() { _slide.open(); }
    void draw() const { _drawLoadingScreen(_background, _slide.offset(), 0, 1); }
    bool finished() const { return _slide.opened(); }

private:
    PXTexture* _background;
    ScreenSlide _slide{SCREEN_W_UNSCALED};
};

} // namespace

void _drawLoadingScreen(PXTexture* background, int offset, int current, int total) {
    const float progress =
        total > 0 ? static_cast<float>(current) / static_cast<float>(total) : 1.0f;
    glClearColor(progress, progress, progress, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    drawCapture(background, offset, 0);
    const int base = background != nullptr ? offset - SCREEN_W_UNSCALED : 0;
    ResourceManager& resources = *ResourceManager::instance();
    if (PXTexture* back = resources.texture(BACK_IMAGE)) {
        back->draw(0, 0, IMAGE_WIDTH, SCREEN_H_UNSCALED, base + IMAGE_X, 0, 1);
    }
    if (PXTexture* front = resources.texture(FRONT_IMAGE)) {
        front->draw(0, 0, IMAGE_WIDTH,
                    SCREEN_H_UNSCALED - static_cast<int>(progress * SCREEN_H_UNSCALED),
                    base + IMAGE_X, 0, 1);
    }
    const ScreenText text(resources.font("c64.ttf"), kShadowGrey);
    text.printCentred(TEXT_SIZE, base + SCREEN_W_UNSCALED / 2,
                      (SCREEN_H_UNSCALED - text.height(TEXT_SIZE)) / 2, kTextWhite, "Loading");
}

void _updateLoadingScreen(int current, int total) {
    if (!progressFrameDue() && current < total) {
        return;
    }
    presentFrame([current, total] { _drawLoadingScreen(nullptr, 0, current, total); });
}

void loadingScreen(PXTexture* background) {
    if (background != nullptr) {
        LoadingSlide slide(background);
        runScreen(slide);
    }
    PXResetLogicLoop();
    loadWorldObjects(_updateLoadingScreen);
    ResourceManager::instance()->unloadTexture(BACK_IMAGE);
    ResourceManager::instance()->unloadTexture(FRONT_IMAGE);
}
