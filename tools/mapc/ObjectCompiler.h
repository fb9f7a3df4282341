// ObjectCompiler: turns the object lines of the levels into world objects of the game's own
// classes. Each setting is written into the object's editable field of that title, as the editor
// would, so the world object list is then written by each class's own save.
#pragma once

#include "Diagnostics.h"
#include "Level.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

class WorldObject;

class ObjectCompiler {
public:
    explicit ObjectCompiler(Diagnostics& diagnostics) : _diagnostics(diagnostics) {}

    // Appends the objects of every level, in level and line order and owned by their level's
    // map, to the global world object vector. Every mistake is reported.
    void compile(const std::vector<Level>& levels);
    // The object of one placement of the level, owned by its map; null (reported) on a mistake.
    std::unique_ptr<WorldObject> compileObject(const Level& level,
                                               const ObjectPlacement& placement);

private:
    // Writes one setting into the object; false (reported) when it has no such field or the
    // value does not fit it.
    bool applySetting(WorldObject& object, const ObjectPlacement& placement,
                      const std::string& name, const std::string& value);
    // The flag a setting gives, -1 or 0; nothing (reported) for any other value.
    std::optional<int> flagValue(const std::string& value, const std::string& what);
    void fail(const std::string& message);

    Diagnostics& _diagnostics;
    const Level* _level = nullptr;
    int _line = 0;
};

// The placement that compiles to the object: its class, position and a setting for each field
// whose value differs from a new object's.
ObjectPlacement placementOf(const WorldObject& object);

// Writes the global world object vector to the file, atomically, with the game's own list
// writer; false when it cannot.
bool writeWorldObjectList(const std::string& path);
