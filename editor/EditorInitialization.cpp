#include "EditorInitialization.h"

#include "EditorGUI.h"
#include "EditorHistory.h"
#include "EditorInfo.h"
#include "EditorLogic.h"
#include "EditorPlayTest.h"
#include "engine/PXInit.h"
#include "engine/PXKeyboard.h"
#include "game/core/Globals.h"
#include "game/core/Log.h"
#include "game/player/Player.h"
#include "game/world/Camera.h"
#include "game/world/Map.h"

#include <memory>
#include <new>

bool editorInitialization() {
    if (editorInfo != nullptr) {
        return true;
    }
    try {
        auto info = std::make_unique<EditorInfo>();
        info->reset();
        if (!editorGUIInitialization()) {
            globalLog->write("Unable to find the editor's font Editor.ttf.\n");
            return false;
        }
        editorInfo = info.release();
    } catch (const std::bad_alloc&) {
        editorGUIDeinitialization();
        globalLog->write("Unable to initialize the editor.\n");
        return false;
    }
    return true;
}

void editorDeinitialization() {
    if (editorInfo == nullptr) {
        return;
    }
    editorGUIDeinitialization();
    delete editorInfo;
    editorInfo = nullptr;
}

bool editorEnter() {
    if (!editorInitialization()) {
        return false;
    }
    EditorInfo& e = *editorInfo;
    // The game may have changed the map and its objects since the editor was last in front.
    e.forgetSelections();
    e.markMinimapCell(globalMap->getMinimapIndexX(), globalMap->getMinimapIndexY());
    // The editor opens on what the game showed.
    int& viewX = e.tilesetPickerShown ? e.savedViewX : e.viewX;
    int& viewY = e.tilesetPickerShown ? e.savedViewY : e.viewY;
    viewX = globalCamera->getXPos();
    viewY = globalCamera->getYPos();
    globalCamera->setTarget(nullptr);
    editorMode = PX_TRUE;
    editorHistoryClear();
    return true;
}

void editorLeave() {
    editorMode = PX_FALSE;
    globalCamera->setTarget(globalPlayer);
}

bool editorSwitchKeys() {
    // Both once-forms are read every tick, so neither keeps a stale press.
    const bool f12 = PXKey(EditorKey::kF12, PX_TRUE) != 0;
    const bool f5 = PXKey(EditorKey::kF5, PX_TRUE) != 0;
    if (editorPlayTestActive()) {
        // Escape ends a play-test too, rather than pausing under the title screen.
        const bool escape = PXKey(EditorKey::kEscape, PX_TRUE) != 0;
        return (f5 || f12 || escape) && editorPlayTestEnd();
    }
    if (f12) {
        if (editorMode) {
            editorLeave();
            return true;
        }
        return editorEnter();
    }
    return f5 && editorMode && editorPlayTestStart();
}
