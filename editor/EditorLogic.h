// EditorLogic: one logic step of the level editor (painting, picking, objects, exits, water
// areas, camera stoppers, backgrounds, the minimap cell, scrolling), the layer manager, and the
// menu callbacks that change the map.
#pragma once

#include "engine/PXKeyCodes.h"

// The engine key codes the editor reads.
namespace EditorKey = PXKeyCode;

// A point in pixels.
struct EditorPoint {
    int x;
    int y;
};

// One editor logic step, then the undo history's.
void editorLogic();
// The mouse in logical screen pixels.
EditorPoint editorMouseLogical();
// The map pixel under the mouse.
EditorPoint editorMouseOnMap();
// Refills the layer manager's list from the map, keeping its scroll and selecting the edit layer.
void editorRebuildLayerManager();
// A new object like the placement template at the mouse, on the current map.
void editorPlaceObject();
// Marks every cell of the editor's minimap visited but the map's own.
void editorShowMinimapCell(int column, int row);

// Menu callbacks that change the map; the pointer is ignored.
void editorLogicSetPlayerStart(void*);
void editorLogicNextTileset(void*);
void editorLogicPreviousTileset(void*);
void editorLogicToggleBlock(void*);
void editorLogicToggleUpper(void*);
void editorLogicAddLayer(void*);
void editorLogicRemoveLayer(void*);
void editorLogicAddColumn(void*);
void editorLogicRemoveColumn(void*);
void editorLogicAddRow(void*);
void editorLogicRemoveRow(void*);
void editorLogicNextDrawLayer(void*);
void editorLogicPreviousDrawLayer(void*);
void editorLogicNextEditLayer(void*);
void editorLogicPreviousEditLayer(void*);
void editorLogicAddExit(void*);
void editorLogicRemoveExit(void*);
void editorLogicSetExitHorizontal(void*);
void editorLogicSetExitVertical(void*);
void editorLogicSetExitNextTarget(void*);
void editorLogicNextExit(void*);
void editorLogicPreviousExit(void*);
void editorLogicAddWaterArea(void*);
void editorLogicRemoveWaterArea(void*);
void editorLogicNextWaterArea(void*);
void editorLogicPreviousWaterArea(void*);
void editorLogicAddCameraStopper(void*);
void editorLogicRemoveCameraStopper(void*);
void editorLogicSetCameraStopperHorizontal(void*);
void editorLogicSetCameraStopperVertical(void*);
void editorLogicSetBlockLeft(void*);
void editorLogicSetBlockRight(void*);
void editorLogicSetBlockUp(void*);
void editorLogicSetBlockDown(void*);
void editorLogicNextCameraStopper(void*);
void editorLogicPreviousCameraStopper(void*);
void editorLogicReplaceBackground(void*);
void editorLogicAddBackground(void*);
void editorLogicRemoveBackground(void*);
void editorLogicNextBackground(void*);
void editorLogicPreviousBackground(void*);
