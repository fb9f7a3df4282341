// EditorGUI: the editor's menu bar, the main menu and one menu per mode, with the items that
// only change what the editor shows or which mode it is in.
#pragma once

class PXUIFileBrowser;
class PXUIListBox;
class PXUIMenu;

// Builds every menu once; false when "Editor.ttf" is not on the resource path. A menu that
// cannot be made is logged and std::bad_alloc passed on.
bool editorGUIInitialization();
// Deletes the menus.
void editorGUIDeinitialization();
// The main menu; null before initialisation.
PXUIMenu* editorMainMenu();
// Light rows for the editor's lists, so black text stays readable on every row.
void styleEditorList(PXUIListBox& list);
// The same rows for the file browser's listing.
void styleEditorFileBrowser(PXUIFileBrowser& browser);
// The current mode's menu (background coords mode has its own); null before initialisation.
PXUIMenu* editorModeMenu();
// Polls the main menu and the current mode's menu.
void editorGUIPollMenus();
// True while the menus are shown and a menu is open or the mouse is over a menu entry: the map
// then ignores the mouse.
bool editorMenusTakeMouse();
