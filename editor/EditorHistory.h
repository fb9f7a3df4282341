// EditorHistory: undo and redo for everything the editor changes. Each step is the whole map and
// the whole world object list as bytes, recorded when an edit has finished (no button or key
// held), so a stroke or a drag is one step however many logic steps it lasted.
#pragma once

#include <memory>
#include <optional>
#include <string>

// The map and every world object as bytes, with what restoring them needs beside.
class EditorSnapshot {
public:
    // The current map and objects; nothing (logged) when either cannot be written.
    static std::optional<EditorSnapshot> capture();
    // Replaces the map (named as recorded) and every object with the recorded ones; false
    // (logged, nothing changed) when the bytes cannot be read back.
    bool restore() const;
    // Like restore, but leaves alone what the current state holds unchanged, and the map keeps
    // its current name.
    bool restoreOver(const EditorSnapshot& current) const;
    // True when the map and the objects are byte for byte the other's; names do not count.
    bool sameContentAs(const EditorSnapshot& other) const;
    // Shares the byte blocks equal to the other's, so a step that left one alone costs nothing.
    void shareUnchangedWith(const EditorSnapshot& other);

    const std::string& mapBytes() const { return *_map; }
    const std::string& objectBytes() const { return *_objects; }

private:
    bool restoreParts(bool map, bool objects, const char* mapName) const;

    std::shared_ptr<const std::string> _map;
    std::shared_ptr<const std::string> _objects;
    // The map's name: the bytes do not hold it, and the objects find their map by it. A
    // play-test may leave through an exit, so its end needs the name.
    std::optional<std::string> _mapName;
    int _collectedHexNuts = 0;
};

// How many steps the history keeps at most; the oldest go first.
constexpr int kEditorHistoryLimit = 256;

// Steps without held input between two comparisons of an untouched editor: writing a big map
// takes about a millisecond, too much for every step, so the state is compared when held input
// is let go and otherwise only this often, for a change whose input a dialog's own loop took.
constexpr int kEditorHistoryIdleCheckSteps = 60;

// Once per editor step, after the step's editing: Control+Z undoes, Control+Y or
// Control+Shift+Z redoes (once per press); otherwise a changed map or object list becomes a new
// step (dropping what could be redone) once no mouse button or key is held any more.
void editorHistoryLogic();
// Makes the current map and objects the only step (a new, opened or imported map).
void editorHistoryClear();
// Goes one step back or forward; false when there is none or it cannot be restored.
bool editorUndo();
bool editorRedo();
// How many steps can be undone and redone.
int editorUndoSteps();
int editorRedoSteps();
