#include "InGameMenu.h"

#include "engine/PXFont.h"
#include "engine/PXGamePad.h"
#include "engine/PXKeyboard.h"
#include "engine/PXPrimitives.h"
#include "engine/PXTexture.h"
#include "game/core/Globals.h"
#include "game/core/Log.h"
#include "game/core/ResourceManager.h"
#include "game/core/Settings.h"
#include "game/objects/WorldObject.h"
#include "game/objects/WorldObjectVector.h"
#include "game/player/Player.h"
#include "game/screens/GameStatistics.h"
#include "game/world/Camera.h"

#include <cmath>
#include <new>

InGameMenu* globalInGameMenu = nullptr;

namespace {

constexpr const char* kBackgroundName = "inGameMenuBG.png";
constexpr const char* kFontName = "c64.ttf";
constexpr const char* kHexNutIconName = "collectibleIconHexNut.png";
constexpr int kFontSize = 10;
constexpr int kRowHeight = 20;
constexpr int kIconX = 30;
constexpr int kIconYOffset = 20;
constexpr int kRowTextYOffset = 25;
constexpr int kHeaderX = 30;
constexpr int kLabelX = 48;
constexpr int kCountX = 120;
constexpr int kHeaderYOffset = 28;
constexpr int kUnderlineGap = 10;
constexpr int kUnderlineLength = 105;
constexpr int kCollectiblesHeaderY = 168;
constexpr int kHexNutRow = 8;
constexpr int kInventoryHeaderX = 159;
constexpr int kInventoryX = 164;
constexpr int kInventoryY = 183;
constexpr int kEmptyX = 174;
constexpr int kInventoryGap = 2;
constexpr int kPlayTimeY = 205;

// In the order of the counts.
constexpr const char* kRaceIconNames[] = {"raceIconFlowrian.png", "raceIconNegg.png",
                                          "raceIconOller.png",    "raceIconRaam.png",
                                          "raceIconVonil.png",    "raceIconDom.png"};

struct RaceRow {
    int count;
    const char* label;
};

// The panel's rows, from the top.
constexpr RaceRow kRaceRows[] = {
    {InGameMenu::kFlowrian, "Flowrian:"}, {InGameMenu::kNegg, "Negg:"},
    {InGameMenu::kOller, "Oller:"},       {InGameMenu::kVonil, "Vonil:"},
    {InGameMenu::kDom, "Dom:"},           {InGameMenu::kRaam, "Raam:"}};

struct PowerupIcon {
    const char* name;
    int bit;
    // Screen x; y is below the panel's top.
    int x;
    int yOffset;
};

constexpr PowerupIcon kPowerupIcons[] = {
    {"doubleJumpIcon.png", player::kPowerupDoubleJump, 160, 128},
    {"wallJumpIcon.png", player::kPowerupWallJump, 208, 128},
    {"mapIcon.png", player::kPowerupMap, 208, 32},
    {"powerFistIcon.png", player::kPowerupPowerFist, 256, 80},
    {"highJumpIcon.png", player::kPowerupHighJump, 256, 128},
    {"gravMagnetIcon.png", player::kPowerupGravityMagnet, 160, 80},
    {"boosterIcon.png", player::kPowerupBooster, 257, 32},
};

// Logs which resource is missing before construction fails.
template <class T> T* required(T* resource, const char* name) {
    if (resource == nullptr) {
        globalLog->write("Couldn't load %s\n", name);
        throw std::bad_alloc();
    }
    return resource;
}

PXTexture* requiredTexture(const char* name) {
    return required(ResourceManager::instance()->texture(name), name);
}

// The panel starts slowly and accelerates as the slide timer fires.
int slideSpeedAfter(int slideTicks) {
    return static_cast<int>(2.0 * std::pow(0.4 * slideTicks, 3) + 1.0);
}

// Rows count from the panel's top, 20 pixels each; text sits a little below its row's icon.
int rowIconY(int y0, int row) {
    return y0 + kIconYOffset + kRowHeight * row;
}

int rowTextY(int y0, int row) {
    return y0 + kRowTextYOffset + kRowHeight * row;
}

void print(PXFont& font, int x, int y, const char* text) {
    font.print(x, y, 1, 1, 1, 1, "%s", text);
}

} // namespace

InGameMenu::InGameMenu()
    : _background(requiredTexture(kBackgroundName)), _lastShown(showInGameMenu),
      _font(required(ResourceManager::instance()->font(kFontName), kFontName)),
      _hexNutIcon(requiredTexture(kHexNutIconName)) {
    for (int index = 0; index < kPowerups; index++) {
        _powerupIcons[index] = requiredTexture(kPowerupIcons[index].name);
    }
    for (int index = 0; index < kRaces; index++) {
        _raceIcons[index] = requiredTexture(kRaceIconNames[index]);
    }
}

bool InGameMenu::menuControlDown() const {
    const Settings& settings = *Settings::instance();
    return PXKey(settings.keyMenu) || PXGamePadButton(settings.buttonMenu);
}

void InGameMenu::startSlide() {
    _slideTimer.reset();
    _slideTicks = 0;
}

void InGameMenu::logic() {
    const bool menuDown = menuControlDown();
    // The press that opened the panel must be released before another one closes it.
    if (menuDown && !_keyLatch && !_closing) {
        _keyLatch = true;
        startSlide();
        _closing = true;
        _opening = false;
    }
    if (!menuDown) {
        _keyLatch = false;
    }
    if (showInGameMenu != _lastShown && !_opening && _y == kHiddenY) {
        startSlide();
        _opening = true;
        calculateInformation();
    }
    if (_slideTimer.tick()) {
        _slideTicks++;
    }
    slide();
    _lastShown = showInGameMenu;
}

void InGameMenu::slide() {
    if (!_opening && !_closing) {
        return;
    }
    _slideSpeed = slideSpeedAfter(_slideTicks);
    if (_opening) {
        _y += _slideSpeed;
        if (_y >= 0) {
            _y = 0;
            _opening = false;
        }
    } else {
        _y -= _slideSpeed;
        if (_y < kHiddenY + 1) {
            _y = kHiddenY;
            _closing = false;
            showInGameMenu = PX_FALSE;
            _keyLatch = true;
        }
    }
}

void InGameMenu::calculateInformation() {
    _counts = {};
    Count& hexNuts = _counts[kHexNuts];
    worldObjectVectorCountNPCsAndCollectibles(
        _counts[kFlowrian].total, _counts[kFlowrian].done, _counts[kNegg].total,
        _counts[kNegg].done, _counts[kRaam].total, _counts[kRaam].done, _counts[kDom].total,
        _counts[kDom].done, _counts[kVonil].total, _counts[kVonil].done, _counts[kOller].total,
        _counts[kOller].done, hexNuts.total, hexNuts.done);
}

bool InGameMenu::hexNutCollected() const {
    return _counts[kHexNuts].done > 0;
}

const char* InGameMenu::collectiblesHeader() const {
    return hexNutCollected() ? "Collectibles" : "????";
}

const char* InGameMenu::hexNutLabel() const {
    return hexNutCollected() ? "Hex Nut:" : "??";
}

void InGameMenu::draw() {
    const int x0 = _x;
    const int y0 = _y;
    _font->setSize(kFontSize);
    _background->draw(0, 0, SCREEN_W_UNSCALED, SCREEN_H_UNSCALED, x0, y0, 1);
    drawHeader("Inhabitants", x0 + kHeaderX, y0 + kHeaderYOffset);
    drawHeader(collectiblesHeader(), x0 + kHeaderX, y0 + kCollectiblesHeaderY);
    drawRaces(x0, y0);
    drawHexNuts(x0, y0);
    drawPowerups(y0);
    drawHeader("Inventory", x0 + kInventoryHeaderX, y0 + kCollectiblesHeaderY);
    drawInventory(x0, y0);
    _font->print(x0 + kHeaderX, y0 + kPlayTimeY, 1, 1, 1, 1, "Playtime: %02d:%02d:%02d",
                 globalGameStats->hours(), globalGameStats->minutes(), globalGameStats->seconds());
}

void InGameMenu::drawHeader(const char* text, int x, int y) {
    print(*_font, x, y, text);
    PXLine(x, y + kUnderlineGap, x + kUnderlineLength, y + kUnderlineGap, 1, 1, 1, 1);
}

void InGameMenu::drawRaces(int x0, int y0) {
    int row = 1;
    for (const RaceRow& race : kRaceRows) {
        _raceIcons[race.count]->draw(x0 + kIconX, rowIconY(y0, row), 1);
        print(*_font, x0 + kLabelX, rowTextY(y0, row), race.label);
        drawCount(x0, rowTextY(y0, row), _counts[race.count]);
        row++;
    }
}

void InGameMenu::drawHexNuts(int x0, int y0) {
    print(*_font, x0 + kLabelX, rowTextY(y0, kHexNutRow), hexNutLabel());
    if (hexNutCollected()) {
        _hexNutIcon->draw(x0 + kIconX, rowIconY(y0, kHexNutRow), 1);
        drawCount(x0, rowTextY(y0, kHexNutRow), _counts[kHexNuts]);
    }
}

void InGameMenu::drawCount(int x0, int y, const Count& count) {
    _font->print(x0 + kCountX, y, 1, 1, 1, 1, "%d/%d", count.done, count.total);
}

void InGameMenu::drawPowerups(int y0) {
    for (int index = 0; index < kPowerups; index++) {
        const PowerupIcon& icon = kPowerupIcons[index];
        if (globalPlayer->hasPowerup(icon.bit)) {
            _powerupIcons[index]->draw(icon.x, y0 + icon.yOffset, 1);
        }
    }
}

// The camera goes to (0, 0) meanwhile, so each object draws where it is put: at screen pixels.
void InGameMenu::drawInventory(int x0, int y0) {
    const std::vector<WorldObject*>& inventory = globalPlayer->inventory();
    if (inventory.empty()) {
        print(*_font, x0 + kEmptyX, rowTextY(y0, kHexNutRow), "Empty");
        return;
    }
    const int cameraX = globalCamera->getXPos();
    const int cameraY = globalCamera->getYPos();
    globalCamera->setPosition(0, 0);
    int x = x0 + kInventoryX;
    const int y = y0 + kInventoryY;
    for (WorldObject* object : inventory) {
        const int objectX = object->getXPos();
        const int objectY = object->getYPos();
        object->setPosition(x, y);
        object->draw();
        object->setPosition(objectX, objectY);
        const BoundingBox box = object->getSpriteBBox(0);
        x += box.getRightBound() - box.getLeftBound() + kInventoryGap;
        if (x > kInventoryRightEdge) {
            break;
        }
    }
    globalCamera->setPosition(cameraX, cameraY);
}
