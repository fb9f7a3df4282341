// Renders pictures of the built data tree with the game's own code, for people to look at:
//   corvane_gallery DATA_PARENT OUT_DIR
// writes sprites.bmp (the first frame of every sprite), tilesets.bmp, title.bmp (the title
// screen's images composed), one map-<name>.bmp per map (the whole map at 1:1 with its
// backgrounds and the world objects placed on it) and pose-<name>.bmp frames of the demo world
// played tick by tick as the game plays them: the intro under the letterbox; the player standing,
// running, jumping, clinging, swimming, carrying, boosting and in the darkness halo; a sad
// inhabitant of each race showing its wish; each map with its weather, water with bubbles, a
// teleport lighting up, a door opening, the secret banner and the credits. It needs a display;
// tools/gallery.sh runs it on a private X server.
#include "engine/Paxtor.h"
#include "game/core/Draw.h"
#include "game/core/Globals.h"
#include "game/core/Initialization.h"
#include "game/core/Logic.h"
#include "game/core/Replay.h"
#include "game/core/ResourceManager.h"
#include "game/core/Settings.h"
#include "game/core/Sprite.h"
#include "game/objects/WONPC.h"
#include "game/objects/WOToggleable.h"
#include "game/objects/WorldObject.h"
#include "game/objects/WorldObjectVector.h"
#include "game/player/Player.h"
#include "game/screens/SecretList.h"
#include "game/world/Camera.h"
#include "game/world/DarknessHalo.h"
#include "game/world/Map.h"
#include "game/world/MapWater.h"

#include <GL/gl.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int kWindowWidth = 640;
constexpr int kWindowHeight = 480;

// An RGBA picture assembled from pieces of frames read back from the window.
class Picture {
public:
    Picture(int width, int height)
        : _width(width), _height(height), _pixels(static_cast<size_t>(width) * height * 4, 0) {}

    // Copies the window's top-left width x height pixels to (x, y) of the picture.
    void copyFromWindow(int x, int y, int width, int height) {
        std::vector<unsigned char> rows(static_cast<size_t>(width) * height * 4);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, kWindowHeight - height, width, height, GL_RGBA, GL_UNSIGNED_BYTE,
                     rows.data());
        for (int row = 0; row < height && y + row < _height; row++) {
            const unsigned char* source = &rows[static_cast<size_t>(height - 1 - row) * width * 4];
            const int copied = std::min(width, _width - x);
            std::copy_n(source, copied * 4,
                        &_pixels[(static_cast<size_t>(y + row) * _width + x) * 4]);
        }
    }

    bool save(const fs::path& path) {
        SDL_Surface* surface =
            SDL_CreateRGBSurfaceFrom(_pixels.data(), _width, _height, 32, _width * 4, 0x000000FF,
                                     0x0000FF00, 0x00FF0000, 0xFF000000);
        const bool saved = surface != nullptr && SDL_SaveBMP(surface, path.c_str()) == 0;
        SDL_FreeSurface(surface);
        return saved;
    }

private:
    int _width;
    int _height;
    std::vector<unsigned char> _pixels;
};

void clearWindow(float r, float g, float b) {
    glClearColor(r, g, b, 1);
    glClear(GL_COLOR_BUFFER_BIT);
}

std::vector<std::string> spriteFiles(const fs::path& catalog) {
    std::vector<std::string> files;
    std::ifstream lines(catalog);
    std::string line;
    while (std::getline(lines, line)) {
        const std::string file = line.substr(0, line.find_first_of(" #"));
        if (!file.empty()) {
            files.push_back(file);
        }
    }
    return files;
}

// The first animation a definition file names.
std::string firstAnimation(const fs::path& definition) {
    std::ifstream lines(definition);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.starts_with("[")) {
            return line.substr(1, line.find(']') - 1);
        }
    }
    return "";
}

// Every sprite's first frame in a grid of 40 x 56 cells, 16 to a row.
bool saveSprites(const fs::path& catalog, const fs::path& out) {
    const auto files = spriteFiles(catalog);
    constexpr int kCellWidth = 40;
    constexpr int kCellHeight = 56;
    constexpr int kPerRow = 16;
    clearWindow(0.55f, 0.6f, 0.7f);
    int index = 0;
    for (const std::string& file : files) {
        Sprite sprite;
        if (!sprite.load(file.c_str())) {
            fprintf(stderr, "%s does not load\n", file.c_str());
            return false;
        }
        const std::string path = ResourceManager::instance()->findFilePath(file.c_str());
        sprite.setCurrentAnimation(firstAnimation(path).c_str());
        sprite.draw((index % kPerRow) * kCellWidth + 4, (index / kPerRow) * kCellHeight + 4);
        index++;
    }
    Picture picture(kPerRow * kCellWidth, kWindowHeight);
    picture.copyFromWindow(0, 0, kPerRow * kCellWidth, kWindowHeight);
    return picture.save(out / "sprites.bmp");
}

bool saveTilesets(const fs::path& data, const fs::path& out) {
    clearWindow(0.3f, 0.3f, 0.35f);
    int y = 0;
    for (const auto& entry : fs::directory_iterator(data / "tilesets")) {
        PXTexture* tileset = ResourceManager::instance()->texture(entry.path().filename().c_str());
        if (tileset == nullptr) {
            return false;
        }
        tileset->draw(0, y, PX_TRUE);
        y += tileset->h() + 8;
    }
    Picture picture(kWindowWidth, kWindowHeight);
    picture.copyFromWindow(0, 0, kWindowWidth, kWindowHeight);
    return picture.save(out / "tilesets.bmp");
}

bool saveTitle(const fs::path& out) {
    ResourceManager& resources = *ResourceManager::instance();
    clearWindow(0, 0, 0);
    for (const char* image : {"titleBackground.png", "titleClouds.png", "titleForeground.png"}) {
        PXTexture* texture = resources.texture(image);
        if (texture == nullptr) {
            return false;
        }
        texture->draw(0, 0, PX_TRUE);
    }
    if (PXFont* font = resources.font("c64.ttf")) {
        font->setSize(40);
        font->print(18, 40, 1, 1, 1, 1, "%s", "Corvane");
        font->setSize(14);
        const char* entries[] = {"New Game", "Load Game", "Options", "Secrets", "Quit"};
        for (int row = 0; row < 5; row++) {
            font->print(20, 110 + 14 * row, 1, 1, 1, 1, "%s", entries[row]);
        }
    }
    Picture picture(SCREEN_W_UNSCALED, SCREEN_H_UNSCALED);
    picture.copyFromWindow(0, 0, SCREEN_W_UNSCALED, SCREEN_H_UNSCALED);
    return picture.save(out / "title.bmp");
}

// The visible objects the world object list places on the map, as a new game starts them.
void drawObjectsOf(const char* mapName, int cameraX, int cameraY) {
    globalCamera->setPosition(cameraX, cameraY);
    for (WorldObject* object : *globalWorldObjectVector) {
        const char* owner = object->getOwnerMap();
        if (owner != nullptr && strcmp(owner, mapName) == 0 &&
            !(object->getPropertyFlags() & WORLD_OBJECT_PROPERTY_HIDDEN)) {
            object->draw();
        }
    }
}

// The whole map at 1:1 with its objects, drawn one screen at a time as the game would see it.
bool saveMap(const fs::path& path, const fs::path& out) {
    Map map;
    if (!map.load(path.c_str())) {
        return false;
    }
    Picture picture(map.widthInPixels(), map.heightInPixels());
    for (int y = 0; y < map.heightInPixels(); y += SCREEN_H_UNSCALED) {
        for (int x = 0; x < map.widthInPixels(); x += SCREEN_W_UNSCALED) {
            clearWindow(1, 1, 1);
            map.drawLowerTiles(x, y);
            drawObjectsOf(map.getFilename(), x, y);
            map.drawWaterAreas(x, y);
            map.drawUpperTiles(x, y);
            picture.copyFromWindow(x, y, SCREEN_W_UNSCALED, SCREEN_H_UNSCALED);
        }
    }
    return picture.save(out / ("map-" + path.filename().string() + ".bmp"));
}

bool saveMaps(const fs::path& data, const fs::path& out) {
    loadWorldObjects(nullptr);
    for (const auto& entry : fs::recursive_directory_iterator(data / "maps")) {
        if (entry.is_regular_file() && !saveMap(entry.path(), out)) {
            fprintf(stderr, "%s does not render\n", entry.path().c_str());
            return false;
        }
    }
    return true;
}

// Runs game ticks with the given keys held.
void play(int ticks, std::initializer_list<int> keys) {
    ReplayInput input;
    for (const int key : keys) {
        input.keys[key] = true;
    }
    for (int tick = 0; tick < ticks; tick++) {
        applyReplayInput(input);
        logic();
    }
}

// The keys a person presses, bound as in the settings.
int moveRightKey() {
    return Settings::instance()->keyMoveRight;
}

int jumpKey() {
    return Settings::instance()->keyJump;
}

// Plays the intro through, as a person waiting for it would.
void skipIntro() {
    while (globalPlayer->inIntroSequence()) {
        play(1, {});
    }
}

bool savePose(const fs::path& out, const char* name) {
    glPushMatrix();
    glScalef(SCREEN_SCALE_FACTOR, SCREEN_SCALE_FACTOR, 0);
    draw(0);
    glPopMatrix();
    Picture picture(kWindowWidth, kWindowHeight);
    picture.copyFromWindow(0, 0, kWindowWidth, kWindowHeight);
    return picture.save(out / ("pose-" + std::string(name) + ".bmp"));
}

// Runs right until something stops the player, at most the given ticks.
void runIntoWall(int ticks) {
    for (int tick = 0; tick < ticks; tick++) {
        const int before = globalPlayer->getXPos();
        play(1, {moveRightKey()});
        if (globalPlayer->getXPos() == before) {
            return;
        }
    }
}

// A new game on the start map, played as a person would after the intro.
bool savePoses(const fs::path& out) {
    if (!initNewGame()) {
        return false;
    }
    play(60, {});
    if (!savePose(out, "intro")) {
        return false;
    }
    skipIntro();
    play(30, {});
    bool saved = savePose(out, "standing");
    play(24, {moveRightKey()});
    saved = saved && savePose(out, "running");
    play(1, {});
    play(12, {moveRightKey(), jumpKey()});
    saved = saved && savePose(out, "jumping");
    play(40, {});
    globalPlayer->grantPowerup(player::kPowerupWallJump);
    runIntoWall(200);
    play(14, {moveRightKey(), jumpKey()});
    saved = saved && savePose(out, "clinging");
    play(30, {});
    int poolX = 0;
    int poolY = 0;
    if (globalMap->getNumberOfWaterAreas() > 0) {
        const BoundingBox pool = globalMap->getWaterArea(0)->boundingBox();
        poolX = pool.getLeftBound() + 8;
        poolY = pool.getTopBound() - 8;
    }
    globalPlayer->setPosition(poolX, poolY);
    play(40, {moveRightKey()});
    return saved && savePose(out, "swimming");
}

// The first object of the type in the world object list (of inhabitants, the first sad one), or
// null.
WorldObject* firstOf(int type) {
    for (WorldObject* object : *globalWorldObjectVector) {
        const auto* inhabitant = dynamic_cast<const WONPC*>(object);
        if (object->getObjectType() == type &&
            (inhabitant == nullptr || inhabitant->getSadState())) {
            return object;
        }
    }
    return nullptr;
}

// Frames of play side by side, the given ticks apart, at the game's logical size.
bool saveStrip(const fs::path& out, const char* name, int frames, int ticksBetween) {
    Picture strip(SCREEN_W_UNSCALED * frames, SCREEN_H_UNSCALED);
    for (int frame = 0; frame < frames; frame++) {
        play(ticksBetween, {});
        clearWindow(1, 1, 1);
        draw(0);
        strip.copyFromWindow(frame * SCREEN_W_UNSCALED, 0, SCREEN_W_UNSCALED, SCREEN_H_UNSCALED);
    }
    return strip.save(out / ("pose-" + std::string(name) + ".bmp"));
}

// Goes to the object's map and stands the player the given distance right of it, feet level
// with its bottom; false when the object or its map is missing.
bool standBeside(WorldObject* object, int dx) {
    if (object == nullptr || object->getOwnerMap() == nullptr) {
        return false;
    }
    const std::string path = ResourceManager::instance()->findFilePath(object->getOwnerMap());
    if (!globalMap->load(path.c_str())) {
        return false;
    }
    object->updateCurrentBBox();
    globalPlayer->setPosition(object->getXPos() + dx, object->getBBox()->getBottomBound() - 23);
    return true;
}

// Stands left of the first sad one of the type, then shows it over a while: wandering, and
// thinking of its wish.
bool saveBesideStrip(const fs::path& out, int type, const char* name) {
    return standBeside(firstOf(type), -40) && saveStrip(out, name, 5, 120);
}

// A moment of each map with its weather, a little after arriving at its first object.
bool saveAreaPoses(const fs::path& out) {
    std::vector<std::string> maps;
    for (const WorldObject* object : *globalWorldObjectVector) {
        const char* owner = object->getOwnerMap();
        if (owner != nullptr && std::find(maps.begin(), maps.end(), owner) == maps.end()) {
            maps.emplace_back(owner);
        }
    }
    for (const std::string& map : maps) {
        const auto first = std::find_if(
            globalWorldObjectVector->begin(), globalWorldObjectVector->end(),
            [&map](const WorldObject* object) { return map == object->getOwnerMap(); });
        if (!standBeside(*first, 0)) {
            return false;
        }
        play(90, {});
        if (!savePose(out, ("area-" + map).c_str())) {
            return false;
        }
    }
    return true;
}

// The finished world's moments: each area, water with bubbles, a teleport lighting up, a door
// opening, the secret banner and the credits rolling over the last map.
bool saveFinishedWorldPoses(const fs::path& out) {
    useSecretListWithoutFile();
    srand(1);
    if (!initNewGame()) {
        return false;
    }
    skipIntro();
    bool saved = saveAreaPoses(out);
    if (globalMap->getNumberOfWaterAreas() == 0) {
        standBeside(firstOf(WORLD_OBJECT_OLLER), 0);
    }
    if (globalMap->getNumberOfWaterAreas() > 0) {
        const BoundingBox& pool = globalMap->getWaterArea(0)->boundingBox();
        globalPlayer->setPosition(pool.getLeftBound() + 8, pool.getTopBound() + 8);
        play(240, {});
        saved = saved && savePose(out, "water");
    }
    auto* teleport = dynamic_cast<WOToggleable*>(firstOf(WORLD_OBJECT_TELEPORT));
    saved = saved && teleport != nullptr && standBeside(teleport, -40);
    if (saved) {
        teleport->toggle(PX_TRUE);
        play(14, {});
        saved = savePose(out, "teleport");
    }
    auto* door = dynamic_cast<WOToggleable*>(firstOf(WORLD_OBJECT_TOGGLE_DOOR));
    saved = saved && door != nullptr && standBeside(door, -40);
    if (saved) {
        door->toggle(PX_TRUE);
        play(12, {});
        saved = savePose(out, "door");
    }
    saved = saved && standBeside(firstOf(WORLD_OBJECT_SECRET_UNLOCKER), 0);
    if (saved) {
        play(150, {});
        saved = savePose(out, "secret");
    }
    saved = saved && standBeside(firstOf(WORLD_OBJECT_CREDITS_RUNNER), 16);
    if (saved) {
        play(400, {moveRightKey()});
        saved = savePose(out, "credits");
    }
    return saved;
}

// A new game in which the player carries the music box, boosts and walks in the dark, then a
// picture beside a sad inhabitant of each race.
bool saveLivingWorldPoses(const fs::path& out) {
    srand(1);
    if (!initNewGame()) {
        return false;
    }
    skipIntro();
    const WorldObject* musicBox = firstOf(WORLD_OBJECT_MUSIC_BOX);
    if (musicBox == nullptr) {
        return false;
    }
    globalPlayer->setPosition(musicBox->getXPos(), musicBox->getYPos() - 24);
    play(30, {});
    const Settings& keys = *Settings::instance();
    play(1, {keys.keyAction});
    play(30, {});
    play(40, {moveRightKey()});
    bool saved = savePose(out, "carrying");
    globalPlayer->grantPowerup(player::kPowerupBooster);
    play(1, {keys.keyBooster});
    play(1, {});
    play(14, {moveRightKey()});
    saved = saved && savePose(out, "booster");
    DarknessHalo::instance()->toggle();
    play(40, {});
    saved = saved && savePose(out, "darkness");
    DarknessHalo::instance()->toggle();
    play(40, {});
    play(1, {keys.keyAction});
    play(30, {});
    const struct {
        int type;
        const char* name;
    } races[] = {{WORLD_OBJECT_FLOWRIAN, "flowrian"}, {WORLD_OBJECT_DOM, "dom"},
                 {WORLD_OBJECT_NEGG, "negg"},         {WORLD_OBJECT_OLLER, "oller"},
                 {WORLD_OBJECT_RAAM, "raam"},         {WORLD_OBJECT_VONIL, "vonil"}};
    for (const auto& race : races) {
        saved = saved && saveBesideStrip(out, race.type, race.name);
    }
    return saved;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        fprintf(stderr, "usage: %s DATA_PARENT_DIR SPRITE_CATALOG OUT_DIR\n", argv[0]);
        return 2;
    }
    const fs::path out = fs::absolute(argv[3]);
    const fs::path catalog = fs::absolute(argv[2]);
    fs::create_directories(out);
    const std::string game = (fs::absolute(argv[1]) / "corvane").string();
    if (!init(game.c_str())) {
        fprintf(stderr, "%s\n", PXError());
        deinit();
        return 1;
    }
    const fs::path data = "./data";
    const bool saved = saveSprites(catalog, out) && saveTilesets(data, out) && saveTitle(out) &&
                       saveMaps(data, out) && savePoses(out) && saveLivingWorldPoses(out) &&
                       saveFinishedWorldPoses(out);
    deinit();
    return saved ? 0 : 1;
}
