// EditorLogic: one logic step of the level editor (painting, picking, objects, exits, water
// areas, camera stoppers, backgrounds, the minimap cell, scrolling), the layer manager, and the
// menu callbacks that change the map.
#pragma once

// Engine key codes the editor reads.
namespace EditorKey {
constexpr int kD = 4;
constexpr int kF = 6;
constexpr int kP = 16;
constexpr int kS = 19;
constexpr int kA = 1;
constexpr int kW = 23;
constexpr int kY = 25;
constexpr int kComma = 58;
constexpr int kMinus = 59;
constexpr int kPeriod = 60;
constexpr int kBackquote = 70;
constexpr int kUp = 99;
constexpr int kRight = 100;
constexpr int kLeft = 101;
constexpr int kDown = 102;
constexpr int kF5 = 111;
constexpr int kF12 = 118;
constexpr int kLeftShift = 122;
constexpr int kRightShift = 123;
constexpr int kLeftAlt = 124;
constexpr int kLeftWinkey = 132;
constexpr int kSpace = 133;
constexpr int kEquals = 134;
constexpr int kLeftControl = 135;
constexpr int kRightControl = 136;
constexpr int kEscape = 69;
// A letter's code.
constexpr int letter(char upperCase) {
    return upperCase - 'A' + 1;
}
// A digit key's code (code 77 lies between 5 and 6).
constexpr int digit(int value) {
    return value <= 5 ? 71 + value : 72 + value;
}
} // namespace EditorKey

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
