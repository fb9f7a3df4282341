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

// Framebuffer objects are the one thing beyond GL 1.x the frame uses; Mesa's GL exports them.
#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>
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

// The logical screen: a 320 x 240 texture each frame is drawn into at its own size, then drawn
// over the window scaled. Rasterising every layer at the logical size and scaling the finished
// picture once costs much less than drawing every layer scaled. Without framebuffer objects the
// frames are drawn scaled instead.
class LogicalScreen {
public:
    // Starts drawing into the texture; false (draw scaled) when there is no framebuffer.
    bool begin() {
        if (!ready() && !create()) {
            return false;
        }
        glGetIntegerv(GL_FRAMEBUFFER_BINDING, &_windowFramebuffer);
        glBindFramebuffer(GL_FRAMEBUFFER, _framebuffer);
        glViewport(0, 0, SCREEN_W_UNSCALED, SCREEN_H_UNSCALED);
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glLoadIdentity();
        glOrtho(0, SCREEN_W_UNSCALED, SCREEN_H_UNSCALED, 0, -1, 1);
        glMatrixMode(GL_MODELVIEW);
        return true;
    }

    // Back to the window (or the framebuffer that stood for it), and the picture drawn over it.
    void end() {
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
        glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(_windowFramebuffer));
        glViewport(0, 0, SCREEN_W, SCREEN_H);
        glPushAttrib(GL_ENABLE_BIT | GL_TEXTURE_BIT | GL_CURRENT_BIT);
        glDisable(GL_BLEND);
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, _texture);
        glColor4f(1, 1, 1, 1);
        // The texture's first row is the picture's bottom.
        glBegin(GL_QUADS);
        glTexCoord2f(0, 1);
        glVertex2i(0, 0);
        glTexCoord2f(1, 1);
        glVertex2i(SCREEN_W, 0);
        glTexCoord2f(1, 0);
        glVertex2i(SCREEN_W, SCREEN_H);
        glTexCoord2f(0, 0);
        glVertex2i(0, SCREEN_H);
        glEnd();
        glPopAttrib();
    }

private:
    // The names are checked each frame: a new window brings a new GL context.
    bool ready() const { return _framebuffer != 0 && glIsFramebuffer(_framebuffer); }

    bool create() {
        glGenTextures(1, &_texture);
        glBindTexture(GL_TEXTURE_2D, _texture);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, SCREEN_W_UNSCALED, SCREEN_H_UNSCALED, 0, GL_RGBA,
                     GL_UNSIGNED_BYTE, nullptr);
        glGenFramebuffers(1, &_framebuffer);
        GLint previous = 0;
        glGetIntegerv(GL_FRAMEBUFFER_BINDING, &previous);
        glBindFramebuffer(GL_FRAMEBUFFER, _framebuffer);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, _texture, 0);
        const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
        glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(previous));
        if (!complete) {
            glDeleteFramebuffers(1, &_framebuffer);
            glDeleteTextures(1, &_texture);
            _framebuffer = _texture = 0;
        }
        return complete;
    }

    GLuint _texture = 0;
    GLuint _framebuffer = 0;
    GLint _windowFramebuffer = 0;
};

} // namespace

void presentFrame(const std::function<void()>& drawLogical) {
    static LogicalScreen logicalScreen;
    if (SCREEN_SCALE_FACTOR != 1 && logicalScreen.begin()) {
        drawLogical();
        logicalScreen.end();
    } else {
        glPushMatrix();
        glScalef(SCREEN_SCALE_FACTOR, SCREEN_SCALE_FACTOR, 0);
        drawLogical();
        glPopMatrix();
    }
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
