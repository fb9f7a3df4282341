// The logo screen shown once at start-up: the picture opens from a line, the curtains part, the
// text fades in, holds and everything fades out, while the title music starts.
#pragma once

class PXTexture;

class LogoScreen {
public:
    // Starts the title music and fetches the two pictures (either may be missing).
    LogoScreen();

    // One logic step of the current phase; a confirm ends the screen at any time.
    void logic();
    // The pictures behind the curtains and the opening line.
    void draw() const;
    bool finished() const { return _phase == Phase::kFinished; }

private:
    enum class Phase { kLine, kCurtains, kTextFadeIn, kHold, kFadeOut, kFinished };

    void stepLine();
    void stepCurtains();
    void stepTextFadeIn();

    PXTexture* _picture;
    PXTexture* _text;
    Phase _phase = Phase::kLine;
    float _t = 0.0f;
    int _line = 0;
    int _curtain;
    float _alpha = 1.0f;
    float _textAlpha = 0.0f;
    int _holdTicks = 0;
    int _fadeTicks = 0;
};

// Runs the logo screen until it ends or a confirm skips it.
void logoScreen();
// How far an eased motion has come at t: 0.1 tan(1.5 t), slow at first, then fast.
float _progress(float t);
