// WOPickleBlock: a solid block in one of seven colour styles, drawn over the upper tiles, that
// now and then shows a glint running over it.
#pragma once

#include "WOSpriteObject.h"
#include "engine/PXTimer.h"

class WOPickleBlock : public WOSpriteObject {
public:
    // Type 406, solid, drawn over the upper tiles, in the editable "Style" "red".
    WOPickleBlock();

    // The "Style" text as stored.
    const char* style() const { return _style; }
    // True (-1) while the glint runs.
    int isShining() const { return _shining; }
    // Starts the glint when the shine timer fires and returns to the style once it has run.
    void logic() override;
    // Shows the style's animation.
    void forceStateUpdate() override;

protected:
    // Writes "Style".
    bool saveFields(FILE* stream) const override;
    // Reads "Style".
    bool loadFields(FILE* stream, int storedVersion) override;

private:
    // The style shown: the stored one, or the default for a text that names no style.
    const char* shownStyle() const;

    char _style[kTextFieldSize] = "red";
    PXTimer _shineTimer;
    int _shining = 0;
};
