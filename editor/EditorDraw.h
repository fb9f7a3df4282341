// EditorDraw: the editor's screen. The map view of the current mode with its selections, the
// tileset picker, the object selector, the help and info panels, the layer manager and the
// menus; the exit "next map" placement preview; and presenting a whole editor frame.
#pragma once

#include <functional>

// One editor frame in logical pixels (the caller scales it); swaps when present is non-zero.
void editorDraw(int present);
// Clears, draws the editor scaled to the window, then the overlay in window pixels, and swaps.
void presentEditorFrame(const std::function<void()>& overlay);

// The info panel, in window pixels.
void drawInfo();
// The help panel of map edit mode.
void drawHelp();
// The help panel of minimap placement mode.
void drawMinimapPlacementHelp();
// The help panel of exit edit mode.
void drawExitPlacementHelp();
// The help panel of object edit mode.
void drawObjectPlacementHelp();
// The help panel of background edit mode.
void drawBackgroundSelectionHelp();
// The help panel of background coords mode.
void drawBackgroundCoordsHelp();
// The help panel of water edit mode.
void drawWaterHelp();
// The help panel of camera stopper edit mode.
void drawCameraStopperHelp();
// The object selector's templates at their palette positions, the current one outlined.
void drawObjectSelection();
// The current map's objects (invisible ones too: the editor must show them) relative to the
// camera.
void drawObjects();
// The exit "next map" placement: the preview map, its help and the exit's destination.
void drawExitNextMapPlacement();
