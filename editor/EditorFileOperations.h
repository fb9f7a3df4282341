// The editor's file menu (new, open, save and import of maps, the world object list) and its two
// parameter dialogs (the map's music and weather), with the modal loop and file chooser every
// modal piece of the editor runs on.
#pragma once

#include <functional>
#include <optional>
#include <string>

// Runs logic steps (step() each) and editor frames (overlay() drawn over each) until step()
// returns false or the application is asked to quit; the editor's own logic does not run.
void runEditorModalLoop(const std::function<bool()>& step, const std::function<void()>& overlay);
// Lets the user pick a path in the file browser, starting in the directory (null: the user's
// folder of an installed game, else the program's);
// nothing when cancelled or when the browser cannot be made.
std::optional<std::string> chooseEditorFile(const char* okLabel, const char* startDirectory);
// Where the editor's dialogs start: just below the main menu bar, in window pixels.
int editorDialogTop();

// Menu callbacks; the pointer is ignored.
// Replaces the map by an empty one and resets the editor.
void editorLogicNew(void* unused);
// Writes back to the file the map came from, else asks for a path.
void editorLogicSave(void* unused);
// Always asks for a path.
void editorLogicSaveAs(void* unused);
// Opens a map file.
void editorLogicLoad(void* unused);
// Builds the map from an image.
void editorLogicImport(void* unused);
// Writes the whole world object list to a chosen file.
void editorLogicSaveWorldObjects(void* unused);
// Replaces the world object list with a chosen file's, only when the whole file reads.
void editorLogicLoadWorldObjects(void* unused);
// Dialog choosing the map's song.
void editorLogicMusicSelection(void* unused);
// Dialog setting the map's weather.
void editorLogicToggleParticle(void* unused);

// Tests: the hook runs at the start of every modal logic step, and each pass then runs exactly
// one step without waiting for the clock or pumping events; an empty hook restores real time.
void setEditorModalStepHookForTesting(std::function<void()> hook);
