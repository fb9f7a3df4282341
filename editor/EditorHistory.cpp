#include "EditorHistory.h"

#include "EditorInfo.h"
#include "EditorLogic.h"
#include "engine/PXFileSystem.h"
#include "engine/PXKeyboard.h"
#include "engine/PXMouse.h"
#include "game/core/Log.h"
#include "game/objects/WorldObject.h"
#include "game/objects/WorldObjectRecord.h"
#include "game/objects/WorldObjectVector.h"
#include "game/world/Map.h"

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <vector>

namespace {

bool writeObjectList(FILE* stream) {
    return writeWorldObjects(stream, nullptr);
}

std::shared_ptr<const std::string> shared(std::string bytes) {
    return std::make_shared<const std::string>(std::move(bytes));
}

// Layers, backgrounds and items may be gone after a restore: the editor forgets what pointed
// into the old map and objects and keeps its layer and background choices inside the new map.
void keepEditorInsideRestoredState() {
    if (editorInfo == nullptr) {
        return;
    }
    editorInfo->forgetSelections();
    const int lastLayer = globalMap->getNumberOfLayers() - 1;
    editorInfo->editLayer = std::clamp(editorInfo->editLayer, 0, lastLayer);
    editorInfo->drawLayer = std::min(editorInfo->drawLayer, lastLayer);
    editorInfo->editBackground =
        std::min(editorInfo->editBackground, globalMap->getNumberOfBackgrounds() - 1);
    if (editorInfo->layerManagerShown) {
        editorRebuildLayerManager();
    }
}

bool mouseButtonOrKeyHeld() {
    return PXMouse(0) || PXMouse(1) || PXMouse(2) || PXKeyPressed() != 0;
}

// One key combination acting once per press.
class Chord {
public:
    bool pressedOnce(bool down) {
        const bool pressed = down && !_down;
        _down = down;
        return pressed;
    }

private:
    bool _down = false;
};

class History {
public:
    // Records the current state as a new step when it differs from the shown one.
    void recordPendingEdit() {
        _inputSinceCheck = false;
        _idleSteps = 0;
        std::optional<EditorSnapshot> now = EditorSnapshot::capture();
        if (!now) {
            return;
        }
        if (_steps.empty()) {
            _steps.push_back(std::move(*now));
            return;
        }
        if (now->sameContentAs(shown())) {
            return;
        }
        now->shareUnchangedWith(shown());
        _steps.erase(_steps.begin() + static_cast<long>(_position) + 1, _steps.end());
        _steps.push_back(std::move(*now));
        if (_steps.size() > static_cast<size_t>(kEditorHistoryLimit)) {
            _steps.pop_front();
        }
        _position = _steps.size() - 1;
    }

    // Shows the step at the offset from the shown one; an edit not yet recorded is recorded
    // first, so it can be redone.
    bool move(int offset) {
        recordPendingEdit();
        const long target = static_cast<long>(_position) + offset;
        if (_steps.empty() || target < 0 || target >= static_cast<long>(_steps.size())) {
            return false;
        }
        if (!_steps[target].restoreOver(shown())) {
            return false;
        }
        _position = static_cast<size_t>(target);
        return true;
    }

    void clear() {
        _steps.clear();
        _position = 0;
        recordPendingEdit();
    }

    int undoSteps() const { return static_cast<int>(_position); }
    int redoSteps() const {
        return _steps.empty() ? 0 : static_cast<int>(_steps.size() - _position - 1);
    }

    // Records a finished edit: compares once the input held during it is let go.
    void noteInput(bool held) {
        _inputSinceCheck = _inputSinceCheck || held;
        if (held || (!_inputSinceCheck && ++_idleSteps < kEditorHistoryIdleCheckSteps)) {
            return;
        }
        recordPendingEdit();
    }

    Chord undoChord;
    Chord redoChord;

private:
    const EditorSnapshot& shown() const { return _steps[_position]; }

    std::deque<EditorSnapshot> _steps;
    size_t _position = 0;
    bool _inputSinceCheck = false;
    int _idleSteps = 0;
};

History& history() {
    static History theHistory;
    return theHistory;
}

} // namespace

std::optional<EditorSnapshot> EditorSnapshot::capture() {
    std::optional<std::string> map =
        PXBytesWrittenBy([](FILE* stream) { return globalMap->saveToStream(stream) != 0; });
    std::optional<std::string> objects = PXBytesWrittenBy(writeObjectList);
    if (!map || !objects) {
        globalLog->write("Couldn't record the map and its objects for undo.\n");
        return std::nullopt;
    }
    EditorSnapshot snapshot;
    snapshot._map = shared(std::move(*map));
    snapshot._objects = shared(std::move(*objects));
    if (const char* name = globalMap->getFilename()) {
        snapshot._mapName = name;
    }
    snapshot._collectedHexNuts = collectedHexNutCount();
    return snapshot;
}

bool EditorSnapshot::restore() const {
    return restoreParts(true, true, _mapName ? _mapName->c_str() : nullptr);
}

bool EditorSnapshot::restoreOver(const EditorSnapshot& current) const {
    // Saving under a new name is no edit: the map keeps the name it has now.
    return restoreParts(*_map != *current._map, *_objects != *current._objects,
                        globalMap->getFilename());
}

bool EditorSnapshot::sameContentAs(const EditorSnapshot& other) const {
    return *_map == *other._map && *_objects == *other._objects;
}

void EditorSnapshot::shareUnchangedWith(const EditorSnapshot& other) {
    if (*_map == *other._map) {
        _map = other._map;
    }
    if (*_objects == *other._objects) {
        _objects = other._objects;
    }
}

bool EditorSnapshot::restoreParts(bool map, bool objects, const char* mapName) const {
    WorldObjectList restoredObjects;
    if (objects && !PXReadBytesWith(*_objects, [&restoredObjects](FILE* stream) {
            return readWorldObjects(stream, restoredObjects, nullptr);
        })) {
        globalLog->write("Couldn't restore the world objects of an editor step.\n");
        return false;
    }
    // A map never named gets an empty name: loading always names the map.
    const char* name = mapName != nullptr ? mapName : "";
    if (map && !PXReadBytesWith(*_map, [name](FILE* stream) {
            return globalMap->loadFromStream(stream, name) != 0;
        })) {
        globalLog->write("Couldn't restore the map of an editor step.\n");
        return false;
    }
    keepEditorInsideRestoredState();
    if (objects) {
        replaceWorldObjects(std::move(restoredObjects), _collectedHexNuts);
    }
    recreateMapSpecificWorldObjectVector(globalMap->getFilename());
    return true;
}

void editorHistoryLogic() {
    History& steps = history();
    const bool control = PXKey(EditorKey::kLeftControl) || PXKey(EditorKey::kRightControl);
    const bool shift = PXKey(EditorKey::kLeftShift) || PXKey(EditorKey::kRightShift);
    const bool z = PXKey(EditorKey::letter('Z')) != 0;
    const bool y = PXKey(EditorKey::kY) != 0;
    const bool undo = steps.undoChord.pressedOnce(control && !shift && z);
    const bool redo = steps.redoChord.pressedOnce(control && (y || (shift && z)));
    if (undo) {
        steps.move(-1);
    } else if (redo) {
        steps.move(1);
    } else {
        steps.noteInput(mouseButtonOrKeyHeld());
    }
}

void editorHistoryClear() {
    history().clear();
}

bool editorUndo() {
    return history().move(-1);
}

bool editorRedo() {
    return history().move(1);
}

int editorUndoSteps() {
    return history().undoSteps();
}

int editorRedoSteps() {
    return history().redoSteps();
}
