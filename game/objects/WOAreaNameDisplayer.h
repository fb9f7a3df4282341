// WOAreaNameDisplayer: an invisible trigger that, once the intro is over, shows its area's name
// between the letterbox bars for a few seconds and then removes itself, so a name is shown once
// a game.
#pragma once

#include "WOSpriteObject.h"
#include "engine/PXTimer.h"

class PXFont;

class WOAreaNameDisplayer : public WOSpriteObject {
public:
    // Type 52, drawn over everything, with an empty editable "Area name".
    WOAreaNameDisplayer();

    // The name it shows.
    const char* areaName() const { return _areaName; }
    // How visible the name is, 0.0 to 1.0.
    float alpha() const { return _alpha; }
    // Fades the name in under the letterbox, holds it, then fades both out and leaves.
    void logic() override;
    // The name in the bottom-right corner, shadowed.
    void draw() override;

protected:
    bool saveFields(FILE* stream) const override;
    bool loadFields(FILE* stream, int version) override;

private:
    void showingLogic();
    void leavingLogic();

    PXFont* _font = nullptr;
    PXTimer _displayTimer;
    int _done = 0;
    float _alpha = 0.0f;
    char _areaName[kTextFieldSize] = {};
};
