#include "Draw.h"

#include "Globals.h"
#include "engine/Paxtor.h"
#include "game/objects/WONPC.h"
#include "game/objects/WorldObject.h"
#include "game/objects/WorldObjectVector.h"
#include "game/player/Player.h"
#include "game/screens/InGameMenu.h"
#include "game/screens/SaveGameBrowser.h"
#include "game/world/Camera.h"
#include "game/world/DarknessHalo.h"
#include "game/world/Letterbox.h"
#include "game/world/Map.h"
#include "game/world/Minimap.h"
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

// The logical screen's pixels, copied out of the window's top-left corner each frame.
constexpr int kFrameTextureWidth = 512;
constexpr int kFrameTextureHeight = 256;

GLuint frameTexture() {
    static GLuint texture = 0;
    if (texture == 0) {
        glGenTextures(1, &texture);
        glBindTexture(GL_TEXTURE_2D, texture);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, kFrameTextureWidth, kFrameTextureHeight, 0, GL_RGB,
                     GL_UNSIGNED_BYTE, nullptr);
    }
    return texture;
}

// The frame was drawn at 1:1 in the window's top-left corner; it is copied into a texture and
// drawn back over the whole window, scaled. Rasterising the scene at the logical size and
// scaling the finished picture once costs a fraction of drawing every layer scaled.
void scaleLogicalScreenToWindow() {
    if (SCREEN_SCALE_FACTOR == 1) {
        return;
    }
    glPushAttrib(GL_ENABLE_BIT | GL_TEXTURE_BIT | GL_CURRENT_BIT);
    glBindTexture(GL_TEXTURE_2D, frameTexture());
    // Window rows count from the bottom: the logical screen's top row is the window's top row.
    glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, SCREEN_H - SCREEN_H_UNSCALED, SCREEN_W_UNSCALED,
                        SCREEN_H_UNSCALED);
    glDisable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    glColor4f(1, 1, 1, 1);
    const float right = static_cast<float>(SCREEN_W_UNSCALED) / kFrameTextureWidth;
    const float top = static_cast<float>(SCREEN_H_UNSCALED) / kFrameTextureHeight;
    glBegin(GL_QUADS);
    glTexCoord2f(0, top);
    glVertex2i(0, 0);
    glTexCoord2f(right, top);
    glVertex2i(SCREEN_W, 0);
    glTexCoord2f(right, 0);
    glVertex2i(SCREEN_W, SCREEN_H);
    glTexCoord2f(0, 0);
    glVertex2i(0, SCREEN_H);
    glEnd();
    glPopAttrib();
}

} // namespace

void presentFrame(const std::function<void()>& drawLogical) {
    drawLogical();
    scaleLogicalScreenToWindow();
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
    if (showSaveBrowser && globalSaveGameBrowser != nullptr) {
        globalSaveGameBrowser->draw(25, 60);
    }
    DarknessHalo::instance()->draw();
    Letterbox::instance()->draw();
    if (globalMinimap != nullptr) {
        globalMinimap->draw();
    }
    drawAll(lists.top);
    if (showInGameMenu) {
        globalInGameMenu->draw();
    }
    if (swap) {
        PXSwapBuffers();
    }
    PXFPSTick();
}
