#include "Draw.h"

#include "Globals.h"
#include "engine/Paxtor.h"
#include "game/objects/WONPC.h"
#include "game/objects/WorldObject.h"
#include "game/objects/WorldObjectVector.h"
#include "game/player/Player.h"
#include "game/world/Camera.h"
#include "game/world/DarknessHalo.h"
#include "game/world/Letterbox.h"
#include "game/world/Map.h"
#include "game/world/ParticleGenerator.h"

#include <GL/gl.h>
#include <vector>

namespace {

// The current map's objects sorted into the passes of one frame, in vector order.
struct FrameLists {
    std::vector<WorldObject*> behind;
    std::vector<WorldObject*> front;
    std::vector<WorldObject*> upper;
    std::vector<WorldObject*> top;
    std::vector<WONPC*> bubbles;
};

void sortIntoPass(WorldObject* object, FrameLists& lists) {
    switch (object->drawPosition()) {
    case WorldObject::kDrawAfterPlayer:
        lists.front.push_back(object);
        break;
    case WorldObject::kDrawBeforePlayer:
        lists.behind.push_back(object);
        break;
    case WorldObject::kDrawAroundPlayer:
        lists.behind.push_back(object);
        lists.front.push_back(object);
        break;
    case WorldObject::kDrawOverUpperTiles:
        lists.upper.push_back(object);
        break;
    case WorldObject::kDrawOverOverlays:
        lists.top.push_back(object);
        break;
    default:
        break;
    }
}

FrameLists sortObjects() {
    FrameLists lists;
    for (WorldObject* object : *globalMapSpecificWorldObjectVector) {
        const int flags = object->getPropertyFlags();
        if (flags & WORLD_OBJECT_PROPERTY_HIDDEN) {
            continue;
        }
        // A carried inhabitant still shows its wish; its carrier draws the body.
        if (flags & WORLD_OBJECT_PROPERTY_NPC) {
            if (auto* inhabitant = dynamic_cast<WONPC*>(object)) {
                lists.bubbles.push_back(inhabitant);
            }
        }
        if (!object->isBeingHeld()) {
            sortIntoPass(object, lists);
        }
    }
    return lists;
}

void drawAll(const std::vector<WorldObject*>& objects) {
    for (WorldObject* object : objects) {
        object->draw();
    }
}

// Objects drawn in two parts show their back part behind the player and the rest in front.
void drawPart(const std::vector<WorldObject*>& objects, bool back) {
    for (WorldObject* object : objects) {
        if (object->drawPosition() != WorldObject::kDrawAroundPlayer) {
            object->draw();
        } else if (back) {
            object->drawBack();
        } else {
            object->drawFront();
        }
    }
}

} // namespace

void presentFrame(const std::function<void()>& drawLogical) {
    glPushMatrix();
    glScalef(SCREEN_SCALE_FACTOR, SCREEN_SCALE_FACTOR, 0);
    drawLogical();
    glPopMatrix();
    PXSwapBuffers();
}

void draw(int swap) {
    glClearColor(1, 1, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    const FrameLists lists = sortObjects();
    const int cameraX = globalCamera->getXPos();
    const int cameraY = globalCamera->getYPos();
    globalMap->drawLowerTiles(cameraX, cameraY);
    drawPart(lists.behind, true);
    globalPlayer->draw();
    drawPart(lists.front, false);
    if (globalParticleGenerator != nullptr) {
        globalParticleGenerator->draw();
    }
    globalMap->drawWaterAreas(cameraX, cameraY);
    globalMap->drawUpperTiles(cameraX, cameraY);
    drawAll(lists.upper);
    for (WONPC* object : lists.bubbles) {
        object->drawThoughtBubble();
    }
    DarknessHalo::instance()->draw();
    Letterbox::instance()->draw();
    drawAll(lists.top);
    if (swap) {
        PXSwapBuffers();
    }
    PXFPSTick();
}
