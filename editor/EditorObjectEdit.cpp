#include "EditorObjectEdit.h"

#include "EditorFileOperations.h"
#include "EditorInfo.h"
#include "EditorObjectEditWidgetSet.h"
#include "engine/PXFileSystem.h"
#include "engine/PXFont.h"
#include "engine/PXKeyCodes.h"
#include "engine/PXKeyboard.h"
#include "engine/PXMouse.h"
#include "engine/ui/PXUIButton.h"
#include "game/core/Globals.h"
#include "game/core/Log.h"
#include "game/core/ResourceManager.h"
#include "game/objects/WOTeleport.h"
#include "game/objects/WorldObjectVector.h"
#include "game/player/Player.h"
#include "game/world/Camera.h"
#include "game/world/Map.h"

#include <GL/gl.h>
#include <cstdlib>
#include <memory>
#include <new>
#include <optional>
#include <string>

namespace {

constexpr int kFontSize = 12;
constexpr int kScrollStep = 2;
constexpr int kFastScrollStep = 16;

// The "Done" button, made on first use; null (logged) without the editor font.
PXUIButton* doneButton() {
    if (editorInfo->doneButton) {
        return editorInfo->doneButton.get();
    }
    const std::string path = ResourceManager::instance()->findFilePath("Editor.ttf");
    auto button = std::make_unique<PXUIButton>();
    if (path.empty() || !button->setFont(path.c_str(), PX_FONT_MODE_TEXTURE) ||
        !button->setFontSize(kFontSize) || !button->setText("Done")) {
        globalLog->write("Couldn't instantiate done button for object edit mode\n");
        return nullptr;
    }
    editorInfo->doneButton = std::move(button);
    return editorInfo->doneButton.get();
}

void endObjectEdit() {
    editorInfo->objectEditWidgetSets.clear();
    editorInfo->objectEditActive = false;
    editorInfo->objectEditInitialised = false;
}

// One widget set per field, stacked from y 0; the y below the last, or nothing (logged) when a
// set cannot be made.
std::optional<int> createWidgetSets(const WorldObject& object) {
    int y = 0;
    try {
        for (const auto& field : object.editorInfo()) {
            auto set = std::make_unique<EditorObjectEditWidgetSet>(
                field->title(), field->valueType(), field->selectionList(), field->dataPointer());
            set->setPos(0, y);
            y += set->getHeight();
            editorInfo->objectEditWidgetSets.push_back(std::move(set));
        }
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    return y;
}

struct Point {
    int x;
    int y;
};

// One step of choosing a destination: the left button sets it, the arrows scroll the view, and
// the player, drawn over the map, marks the destination. False once Space is down.
bool destinationStep(Point& destination, Point& view) {
    if (PXMouse(0)) {
        destination = {PXMouseX / SCREEN_SCALE_FACTOR + view.x,
                       PXMouseY / SCREEN_SCALE_FACTOR + view.y};
    }
    const int step = PXKey(PXKeyCode::kLeftShift) || PXKey(PXKeyCode::kRightShift) ? kFastScrollStep
                                                                                   : kScrollStep;
    view.x += (PXKey(PXKeyCode::kRight) ? step : 0) - (PXKey(PXKeyCode::kLeft) ? step : 0);
    view.y += (PXKey(PXKeyCode::kDown) ? step : 0) - (PXKey(PXKeyCode::kUp) ? step : 0);
    globalPlayer->setPosition(destination.x - view.x, destination.y - view.y);
    return !PXKey(PXKeyCode::kSpace);
}

// The map alone with the player on it, in logical pixels; the player is already placed on screen.
void drawDestination(Map& map, const Point& view) {
    glClearColor(1, 1, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    const int cameraX = globalCamera->getXPos();
    const int cameraY = globalCamera->getYPos();
    globalCamera->setPosition(0, 0);
    glPushMatrix();
    glScalef(SCREEN_SCALE_FACTOR, SCREEN_SCALE_FACTOR, 1);
    map.drawLowerTiles(view.x, view.y);
    map.drawUpperTiles(view.x, view.y);
    globalPlayer->draw();
    glPopMatrix();
    globalCamera->setPosition(cameraX, cameraY);
}

// Lets the user point at the destination on the map; the player is put back afterwards.
Point pickDestination(Map& map) {
    const Point playerPosition{globalPlayer->getXPos(), globalPlayer->getYPos()};
    Point destination{0, 0};
    Point view{0, 0};
    runEditorModalLoop([&] { return destinationStep(destination, view); },
                       [&] { drawDestination(map, view); });
    globalPlayer->setPosition(playerPosition.x, playerPosition.y);
    return destination;
}

} // namespace

void objectEditModeInit() {
    editorInfo->createObjectEditInfoVectorIfNeeded();
    editorInfo->objectEditWidgetSets.clear();
    const WorldObject* object = editorInfo->selectedObject;
    PXUIButton* done = doneButton();
    const std::optional<int> doneY =
        object != nullptr && done != nullptr ? createWidgetSets(*object) : std::nullopt;
    if (!doneY) {
        endObjectEdit();
        return;
    }
    done->setPos(0, *doneY);
    editorInfo->objectEditInitialised = true;
}

void objectEditModeLogic() {
    if (editorInfo->objectEditActive && !editorInfo->objectEditInitialised) {
        objectEditModeInit();
    }
    if (!editorInfo->objectEditInitialised) {
        return;
    }
    for (const auto& set : editorInfo->objectEditWidgetSets) {
        set->logic();
    }
    if (editorInfo->doneButton->clicked(0)) {
        WorldObject* object = editorInfo->selectedObject;
        endObjectEdit();
        if (object != nullptr) {
            object->forceStateUpdate();
        }
    }
}

void objectEditModeDraw() {
    if (!editorInfo->objectEditInitialised) {
        return;
    }
    for (const auto& set : editorInfo->objectEditWidgetSets) {
        set->draw();
    }
    editorInfo->doneButton->draw();
}

void editorLogicToggleObjectEdit(void*) {
    if (editorInfo->selectedObject == nullptr) {
        return;
    }
    const bool start = !editorInfo->objectEditActive;
    endObjectEdit();
    editorInfo->objectEditActive = start;
}

void editorLogicRemoveSelectedObject(void*) {
    WorldObject* object = editorInfo->selectedObject;
    if (object == nullptr) {
        return;
    }
    editorInfo->forgetObject(object);
    // Also rebuilds the current map's object vector.
    removeWorldObjectFromWorldObjectVector(object);
}

void editorLogicToggleObjectSpecialEdit(void*) {
    auto* teleport = dynamic_cast<WOTeleport*>(editorInfo->selectedObject);
    if (teleport == nullptr) {
        return;
    }
    const std::optional<std::string> path = chooseEditorFile("Load Destination Map", nullptr);
    if (!path) {
        return;
    }
    const std::unique_ptr<char, decltype(&std::free)> plainName(PXGetFilename(path->c_str()),
                                                                &std::free);
    if (plainName == nullptr) {
        globalLog->write("Unable to determine plain filename of destintation map.\n");
        return;
    }
    auto destinationMap = std::make_unique<Map>();
    if (!destinationMap->load(path->c_str())) {
        globalLog->write("Couldn't load desination map.\n");
        return;
    }
    const Point destination = pickDestination(*destinationMap);
    destinationMap.reset();
    recreateMapSpecificWorldObjectVector(globalMap->getFilename());
    teleport->setDestination(plainName.get());
    teleport->setDestinationPosition(destination.x, destination.y);
}
