// WOConditionChecker: an invisible watcher of the game's progress. Each tick it checks its
// requirements (happy inhabitants per race, powerups owned) and tells the object its
// "Target Object Label" names whether they hold: when the answer changes, or every tick in
// constant mode.
#pragma once

#include "WOSpriteObject.h"

#include <array>

class WOConditionChecker : public WOSpriteObject {
public:
    // Type 50, hidden, requiring nothing.
    WOConditionChecker();

    // The answer of the last tick: true (-1) when every requirement held.
    int lastResult() const { return _previousResult; }
    // Checks the requirements and tells the target when due.
    void logic() override;
    // Writes the header, the fourteen settings, "Target Object Label" and the owner map.
    bool save(FILE* stream) const override;
    // Reads what save wrote.
    bool load(FILE* stream) override;
    // Recomputes the box (the editor shows the checker).
    void forceStateUpdate() override;

private:
    // The settings in record order.
    enum Setting {
        kConstantMode,
        kRequiredFlowrian,
        kRequiredDom,
        kRequiredNegg,
        kRequiredOller,
        kRequiredRaam,
        kRequiredVonil,
        kRequiredVonilProximity,
        kRequiredDoubleJump,
        kRequiredHighJump,
        kRequiredMap,
        kRequiredPowerFist,
        kRequiredGravityMagnet,
        kRequiredWallJump,
        kSettingCount
    };

    // True (-1) when every requirement holds now.
    int currentResult() const;

    std::array<int, kSettingCount> _settings = {};
    char _targetObjectLabel[kTextFieldSize] = {};
    int _previousResult = 0;
};
