// EditorPlayTest: playing the map being edited, unsaved changes included, and coming back to the
// editor exactly as it was: whatever the play moved, collected or changed is undone.
#pragma once

// Leaves the editor for play: the player stands at the mouse's map position (or at the map's
// player start when the mouse is off the map) and the camera follows it. False when a play-test
// runs already, the editor is not set up or the state cannot be recorded.
bool editorPlayTestStart();
// Back to the editor with the map, the objects, the player, the view and the game's counts as
// they were at the start; the undo history is not touched. False when no play-test runs.
bool editorPlayTestEnd();
// True from a successful start to its end.
bool editorPlayTestActive();
