// EditorInitialization: creating and deleting the editor, and switching between the game and the
// editor on the current map.
#pragma once

// The editor's state and menus, made once before the first editor step; false (logged) when the
// menus cannot be made.
bool editorInitialization();
// Deletes menus and state when the editor was made (shutdown).
void editorDeinitialization();
// Brings the editor in front on the current map; false when it cannot be made.
bool editorEnter();
// Back to the game: the camera follows the player again.
void editorLeave();
// Reads the switching keys once per tick before the tick's step: F12 flips between game and
// editor, F5 starts a play-test in the editor, and F5 or F12 ends one. True when it switched.
bool editorSwitchKeys();
