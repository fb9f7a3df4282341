#include "ObjectCompiler.h"

#include "SourceText.h"
#include "engine/PXAtomicFile.h"
#include "game/objects/WOCrate.h"
#include "game/objects/WODom.h"
#include "game/objects/WOTeleport.h"
#include "game/objects/WorldObject.h"
#include "game/objects/WorldObjectVector.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

// The editor titles a level setting stands for; className limits an entry to one class.
struct SettingTitles {
    const char* setting;
    std::vector<const char*> titles;
    const char* className = nullptr;
};

const std::vector<SettingTitles> kSettingTitles = {
    {"sad", {"Sad state"}},
    {"prefers", {"Preferred Music Maker", "Preferred Food"}},
    // A pot keeps its colour in a field of that title.
    {"color", {"Preferred Music Maker"}, "DomPot"},
    {"color", {"Color"}},
    {"pot", {"Pot #"}},
    {"maxTravel", {"Max Travel (0 = disabled)"}},
    {"flees", {"Flies from player:"}},
    {"orientation", {"Orientation"}},
    {"direction", {"Direction"}},
    {"style", {"Style"}},
    {"state", {"State"}},
    {"label", {"Object Label"}},
    {"target", {"Target Label", "Target Object Label"}},
    {"type", {"NPC Type"}},
    {"required", {"Number required"}},
    {"name", {"Area name"}},
    {"secret", {"Secret"}},
    {"left", {"Left trigger"}},
    {"right", {"Right trigger"}},
    {"top", {"Top trigger"}},
    {"bottom", {"Bottom trigger"}},
    {"duration", {"Trigger duration"}},
    {"allBut100", {"Requires all but 100"}},
    {"sound", {"Sound name"}},
    {"volume", {"\"Full\" Volume"}},
    {"fullDistance", {"Distance for \"Full\" Volume"}},
    {"decay", {"Distance decay"}},
    {"flowrian", {"Required Flowrian"}},
    {"dom", {"Required Dom"}},
    {"negg", {"Required Negg"}},
    {"oller", {"Required Oller"}},
    {"raam", {"Required Raam"}},
    {"vonil", {"Required Vonil"}},
    {"constant", {"Constant Mode"}},
    {"vonilProximity", {"Required Vonil Proximity"}},
    {"doubleJump", {"Required Double Jump"}},
    {"highJump", {"Required High Jump"}},
    {"map", {"Required Map"}},
    {"powerFist", {"Required Power Fist"}},
    {"gravityMagnet", {"Required Gravity Magnet"}},
    {"wallJump", {"Required Wall Jump"}},
};

// Settings that are no editable field: state the level sets up as the game would. Each takes a
// value of an editor value type: a flag (-1 or 0) or a number in pixels goes to applyNumber, a
// text to applyText; read gives the value back as text.
struct SpecialSetting {
    const char* className;
    const char* setting;
    int valueType;
    void (*applyNumber)(WorldObject& object, int value);
    void (*applyText)(WorldObject& object, const std::string& value);
    std::string (*read)(const WorldObject& object);
};

WOTeleport& teleport(WorldObject& object) {
    return static_cast<WOTeleport&>(object);
}

const WOTeleport& teleport(const WorldObject& object) {
    return static_cast<const WOTeleport&>(object);
}

const SpecialSetting kSpecialSettings[] = {
    {"Dom", "inPot", WorldObjectEditorInfo::kFlag,
     [](WorldObject& object, int reached) { static_cast<WODom&>(object).setInPot(reached); },
     nullptr,
     [](const WorldObject& object) {
         return std::to_string(static_cast<const WODom&>(object).isInPot());
     }},
    {"Crate", "resistance", WorldObjectEditorInfo::kInteger,
     [](WorldObject& object, int resistance) {
         static_cast<WOCrate&>(object).setPushResistance(resistance);
     },
     nullptr,
     [](const WorldObject& object) {
         return std::to_string(static_cast<const WOCrate&>(object).pushResistance());
     }},
    {"Teleport", "destination", WorldObjectEditorInfo::kText, nullptr,
     [](WorldObject& object, const std::string& name) {
         teleport(object).setDestination(name.c_str());
     },
     [](const WorldObject& object) { return std::string(teleport(object).destination()); }},
    {"Teleport", "destinationX", WorldObjectEditorInfo::kInteger,
     [](WorldObject& object, int x) {
         teleport(object).setDestinationPosition(x, teleport(object).destinationY());
     },
     nullptr,
     [](const WorldObject& object) { return std::to_string(teleport(object).destinationX()); }},
    {"Teleport", "destinationY", WorldObjectEditorInfo::kInteger,
     [](WorldObject& object, int y) {
         teleport(object).setDestinationPosition(teleport(object).destinationX(), y);
     },
     nullptr,
     [](const WorldObject& object) { return std::to_string(teleport(object).destinationY()); }},
};

const SpecialSetting* specialSetting(const std::string& className, const std::string& setting) {
    for (const SpecialSetting& special : kSpecialSettings) {
        if (className == special.className && setting == special.setting) {
            return &special;
        }
    }
    return nullptr;
}

// The object's editable field that the setting names, or null.
const WorldObjectEditorInfo* fieldFor(const WorldObject& object, const std::string& className,
                                      const std::string& setting) {
    const auto titles =
        std::find_if(kSettingTitles.begin(), kSettingTitles.end(), [&](const SettingTitles& each) {
            return setting == each.setting &&
                   (each.className == nullptr || className == each.className);
        });
    if (titles == kSettingTitles.end()) {
        return nullptr;
    }
    for (const auto& field : object.editorInfo()) {
        for (const char* title : titles->titles) {
            if (field->title() != nullptr && strcmp(field->title(), title) == 0) {
                return field.get();
            }
        }
    }
    return nullptr;
}

// The setting that stands for the editable field of that title on the class, or null; the
// class's own entries come first, as a pot's colour does before the music maker it shares a
// title with.
const char* settingFor(const std::string& className, const char* title) {
    for (const bool ownEntries : {true, false}) {
        for (const SettingTitles& each : kSettingTitles) {
            const bool classMatches = ownEntries
                                          ? each.className != nullptr && className == each.className
                                          : each.className == nullptr;
            const bool titleMatches =
                title != nullptr &&
                std::any_of(each.titles.begin(), each.titles.end(),
                            [&](const char* t) { return strcmp(t, title) == 0; });
            if (classMatches && titleMatches) {
                return each.setting;
            }
        }
    }
    return nullptr;
}

// The value of an editable field as a setting's text.
std::string fieldValue(const WorldObjectEditorInfo& field) {
    const bool number = field.valueType() == WorldObjectEditorInfo::kInteger ||
                        field.valueType() == WorldObjectEditorInfo::kFlag;
    return number ? std::to_string(*static_cast<const int*>(field.dataPointer()))
                  : std::string(static_cast<const char*>(field.dataPointer()));
}

std::string joined(const std::vector<std::string>& choices) {
    std::string text;
    for (const std::string& choice : choices) {
        text += (text.empty() ? "'" : ", '") + choice + "'";
    }
    return text;
}

void copyText(const std::string& value, void* buffer) {
    char* text = static_cast<char*>(buffer);
    text[value.copy(text, WorldObject::kTextFieldSize - 1)] = '\0';
}

} // namespace

void ObjectCompiler::compile(const std::vector<Level>& levels) {
    if (globalWorldObjectVector == nullptr) {
        globalWorldObjectVector = new std::vector<WorldObject*>();
    }
    for (const Level& level : levels) {
        for (const ObjectPlacement& placement : level.objects) {
            if (std::unique_ptr<WorldObject> object = compileObject(level, placement)) {
                globalWorldObjectVector->push_back(object.release());
            }
        }
    }
}

std::unique_ptr<WorldObject> ObjectCompiler::compileObject(const Level& level,
                                                           const ObjectPlacement& placement) {
    _level = &level;
    _line = placement.line;
    std::unique_ptr<WorldObject> object(createWorldObjectNamed(placement.className.c_str()));
    if (object == nullptr) {
        fail("there is no object class '" + placement.className + "'");
        return nullptr;
    }
    object->setPosition(placement.x, placement.y);
    for (const auto& [name, value] : placement.settings) {
        if (!applySetting(*object, placement, name, value)) {
            return nullptr;
        }
    }
    object->setOwnerMap(level.name.c_str());
    object->forceStateUpdate();
    return object;
}

bool ObjectCompiler::applySetting(WorldObject& object, const ObjectPlacement& placement,
                                  const std::string& name, const std::string& value) {
    const std::string what = "the " + name + " of a " + placement.className;
    // A flag or a number in pixels, as the value type asks; nothing (reported) for another value.
    const auto integerValue = [&](int valueType) -> std::optional<int> {
        if (valueType == WorldObjectEditorInfo::kFlag) {
            return flagValue(value, what);
        }
        const std::optional<int> number = SourceText::pixels(value);
        if (!number) {
            fail(what + " must be a number, not '" + value + "'");
        }
        return number;
    };
    const auto textFits = [&] {
        if (value.size() < WorldObject::kTextFieldSize) {
            return true;
        }
        fail(what + " is longer than " + std::to_string(WorldObject::kTextFieldSize - 1) +
             " characters");
        return false;
    };
    if (const SpecialSetting* special = specialSetting(placement.className, name)) {
        if (special->valueType == WorldObjectEditorInfo::kText) {
            if (!textFits()) {
                return false;
            }
            special->applyText(object, value);
            return true;
        }
        const std::optional<int> number = integerValue(special->valueType);
        if (number) {
            special->applyNumber(object, *number);
        }
        return number.has_value();
    }
    const WorldObjectEditorInfo* field = fieldFor(object, placement.className, name);
    if (field == nullptr) {
        fail("a " + placement.className + " has no setting '" + name + "'");
        return false;
    }
    switch (field->valueType()) {
    case WorldObjectEditorInfo::kInteger:
    case WorldObjectEditorInfo::kFlag: {
        const std::optional<int> number = integerValue(field->valueType());
        if (number) {
            *static_cast<int*>(field->dataPointer()) = *number;
        }
        return number.has_value();
    }
    case WorldObjectEditorInfo::kChoice: {
        const std::vector<std::string> none;
        const std::vector<std::string>& choices =
            field->selectionList() != nullptr ? *field->selectionList() : none;
        if (std::find(choices.begin(), choices.end(), value) == choices.end()) {
            fail(what + " must be one of " + joined(choices) + ", not '" + value + "'");
            return false;
        }
        copyText(value, field->dataPointer());
        return true;
    }
    default:
        if (!textFits()) {
            return false;
        }
        copyText(value, field->dataPointer());
        return true;
    }
}

std::optional<int> ObjectCompiler::flagValue(const std::string& value, const std::string& what) {
    const std::optional<int> flag = SourceText::integer(value);
    if (flag != -1 && flag != 0) {
        fail(what + " must be -1 or 0, not '" + value + "'");
        return std::nullopt;
    }
    return flag;
}

void ObjectCompiler::fail(const std::string& message) {
    _diagnostics.error(_level->file, _line, message);
}

ObjectPlacement placementOf(const WorldObject& object) {
    const char* className = worldObjectClassName(object.getObjectType());
    ObjectPlacement placement{
        0, className != nullptr ? className : "", object.getXPos(), object.getYPos(), {}};
    const std::unique_ptr<WorldObject> fresh(createWorldObjectNamed(placement.className.c_str()));
    if (fresh == nullptr) {
        return placement;
    }
    const auto& fields = object.editorInfo();
    for (size_t index = 0; index < fields.size(); index++) {
        const char* setting = settingFor(placement.className, fields[index]->title());
        const std::string value = fieldValue(*fields[index]);
        if (setting != nullptr && value != fieldValue(*fresh->editorInfo()[index])) {
            placement.settings.emplace_back(setting, value);
        }
    }
    for (const SpecialSetting& special : kSpecialSettings) {
        if (placement.className == special.className &&
            special.read(object) != special.read(*fresh)) {
            placement.settings.emplace_back(special.setting, special.read(object));
        }
    }
    return placement;
}

bool writeWorldObjectList(const std::string& path) {
    PXAtomicFile file(path.c_str());
    return file.stream() != nullptr && saveWorldObjects(file.stream(), nullptr) && file.commit();
}
