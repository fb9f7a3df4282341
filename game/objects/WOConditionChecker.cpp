#include "WOConditionChecker.h"

#include "WONPCDoor.h"
#include "WOToggleable.h"
#include "WorldObjectRecord.h"
#include "WorldObjectVector.h"
#include "engine/PXInit.h"
#include "game/player/Player.h"

#include <cstring>

namespace {

// The settings' editor titles and kinds, in record order.
struct SettingField {
    const char* title;
    int valueType;
};

constexpr SettingField kSettingFields[] = {
    {"Constant Mode", WorldObjectEditorInfo::kFlag},
    {"Required Flowrian", WorldObjectEditorInfo::kInteger},
    {"Required Dom", WorldObjectEditorInfo::kInteger},
    {"Required Negg", WorldObjectEditorInfo::kInteger},
    {"Required Oller", WorldObjectEditorInfo::kInteger},
    {"Required Raam", WorldObjectEditorInfo::kInteger},
    {"Required Vonil", WorldObjectEditorInfo::kInteger},
    {"Required Vonil Proximity", WorldObjectEditorInfo::kFlag},
    {"Required Double Jump", WorldObjectEditorInfo::kFlag},
    {"Required High Jump", WorldObjectEditorInfo::kFlag},
    {"Required Map", WorldObjectEditorInfo::kFlag},
    {"Required Power Fist", WorldObjectEditorInfo::kFlag},
    {"Required Gravity Magnet", WorldObjectEditorInfo::kFlag},
    {"Required Wall Jump", WorldObjectEditorInfo::kFlag},
};

} // namespace

WOConditionChecker::WOConditionChecker() {
    static_assert(std::size(kSettingFields) == kSettingCount);
    setObjectType(WORLD_OBJECT_CONDITION_CHECKER);
    addPropertyFlags(WORLD_OBJECT_PROPERTY_HIDDEN);
    for (int setting = 0; setting < kSettingCount; setting++) {
        addEditorInfo(kSettingFields[setting].title, kSettingFields[setting].valueType,
                      &_settings[setting]);
    }
    addEditorInfo("Target Object Label", WorldObjectEditorInfo::kText, _targetObjectLabel);
    loadSprite(sprite(), "conditionChecker.txt", "default");
}

int WOConditionChecker::currentResult() const {
    struct RaceRequirement {
        Setting setting;
        int HappyCounts::*happy;
    };
    static constexpr RaceRequirement kRaces[] = {
        {kRequiredFlowrian, &HappyCounts::flowrian}, {kRequiredNegg, &HappyCounts::negg},
        {kRequiredOller, &HappyCounts::oller},       {kRequiredRaam, &HappyCounts::raam},
        {kRequiredDom, &HappyCounts::dom},           {kRequiredVonil, &HappyCounts::vonil},
    };
    struct PowerupRequirement {
        Setting setting;
        int bit;
    };
    static constexpr PowerupRequirement kPowerups[] = {
        {kRequiredDoubleJump, player::kPowerupDoubleJump},
        {kRequiredGravityMagnet, player::kPowerupGravityMagnet},
        {kRequiredHighJump, player::kPowerupHighJump},
        {kRequiredMap, player::kPowerupMap},
        {kRequiredPowerFist, player::kPowerupPowerFist},
        {kRequiredWallJump, player::kPowerupWallJump},
    };
    const HappyCounts counts = HappyCounts::current();
    for (const RaceRequirement& race : kRaces) {
        if (counts.*race.happy < _settings[race.setting]) {
            return PX_FALSE;
        }
    }
    // No Vonil is ever close enough: a checker that asks for one never gives true.
    if (_settings[kRequiredVonilProximity]) {
        return PX_FALSE;
    }
    for (const PowerupRequirement& powerup : kPowerups) {
        const bool owned = globalPlayer != nullptr && globalPlayer->hasPowerup(powerup.bit);
        if (_settings[powerup.setting] && !owned) {
            return PX_FALSE;
        }
    }
    return PX_TRUE;
}

void WOConditionChecker::logic() {
    const int result = currentResult();
    if (result != _previousResult || _settings[kConstantMode]) {
        if (WOToggleable* target = WOToggleable::labelledInCurrentMap(_targetObjectLabel)) {
            target->toggle(result);
        }
    }
    _previousResult = result;
}

bool WOConditionChecker::save(FILE* stream) const {
    if (!writeHeader(stream)) {
        return false;
    }
    for (const int value : _settings) {
        if (!writeRecordInteger(stream, value)) {
            return false;
        }
    }
    return writeRecordText(stream, _targetObjectLabel) && writeOwnerMap(stream);
}

bool WOConditionChecker::load(FILE* stream) {
    if (!readHeader(stream)) {
        return false;
    }
    for (int& value : _settings) {
        if (!readRecordInteger(stream, value)) {
            return false;
        }
    }
    if (!readRecordText(stream, _targetObjectLabel, kTextFieldSize) || !readOwnerMap(stream)) {
        return false;
    }
    forceStateUpdate();
    return true;
}

void WOConditionChecker::forceStateUpdate() {
    updateCurrentBBox();
}
