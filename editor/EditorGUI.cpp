#include "EditorGUI.h"

#include "EditorFileOperations.h"
#include "EditorInfo.h"
#include "EditorLogic.h"
#include "EditorObjectEdit.h"
#include "engine/ui/PXUIFileBrowser.h"
#include "engine/ui/PXUIListBox.h"
#include "engine/ui/PXUIMenu.h"
#include "game/core/Log.h"
#include "game/core/ResourceManager.h"

#include <array>
#include <memory>
#include <new>
#include <string>
#include <vector>

namespace {

constexpr const char* kFontName = "Editor.ttf";
constexpr int kFontMode = 2;
constexpr int kFontSize = 12;

struct MenuSpec;

// One line of a menu: an item (with its shortcut, or keys 0), a divider (no name) or a
// sub-menu.
struct MenuEntry {
    const char* name;
    PXUIMenuCallback callback = nullptr;
    int key1 = 0;
    int key2 = 0;
    const MenuSpec* subMenu = nullptr;
};

struct MenuSpec {
    const char* title;
    const char* failure;
    std::vector<MenuEntry> entries;
};

const MenuEntry kDivider{nullptr};

constexpr int kWin = EditorKey::kLeftWinkey;
constexpr int kAlt = EditorKey::kLeftAlt;
constexpr int kControl = EditorKey::kLeftControl;
using EditorKey::letter;

void enterMode(EditorMode mode) {
    editorInfo->enterMode(mode);
}

void flip(bool& flag) {
    flag = !flag;
}

// Help and info share the screen: showing one hides the other.
void toggleExclusive(bool& flag, bool& other) {
    flip(flag);
    other = false;
}

// The picker shows the tileset from the screen's corner; the map view comes back afterwards.
void toggleTilesetPicker(void*) {
    EditorInfo& info = *editorInfo;
    flip(info.tilesetPickerShown);
    if (info.tilesetPickerShown) {
        info.savedViewX = info.viewX;
        info.savedViewY = info.viewY;
        info.viewX = 0;
        info.viewY = 0;
    } else {
        info.viewX = info.savedViewX;
        info.viewY = info.savedViewY;
    }
}

void toggleLayerManager(void*) {
    flip(editorInfo->layerManagerShown);
    if (editorInfo->layerManagerShown) {
        editorRebuildLayerManager();
    }
}

void toggleObjectSelector(void*) {
    flip(editorInfo->objectSelectorShown);
    editorInfo->placementTemplate = nullptr;
}

const MenuSpec kModeMenu{
    "Mode",
    "Unable to initialize mode menu.\n",
    {
        {"map edit", [](void*) { enterMode(EditorMode::Map); }, kWin, EditorKey::digit(1)},
        {"object edit", [](void*) { enterMode(EditorMode::Object); }, kWin, EditorKey::digit(2)},
        {"exit edit", [](void*) { enterMode(EditorMode::Exit); }, kWin, EditorKey::digit(3)},
        {"bg edit", [](void*) { enterMode(EditorMode::Background); }, kWin, EditorKey::digit(4)},
        {"minimap edit", [](void*) { enterMode(EditorMode::Minimap); }, kWin, EditorKey::digit(5)},
        {"water edit", [](void*) { enterMode(EditorMode::Water); }, kWin, EditorKey::digit(6)},
        {"camera blocker edit", [](void*) { enterMode(EditorMode::CameraStopper); }, kWin,
         EditorKey::digit(7)},
    }};

const MenuSpec kMainMenu{
    "Editor      ",
    "Unable to initialize editor menu.\n",
    {
        {"New", editorLogicNew, kControl, letter('N')},
        kDivider,
        {"Save Map", editorLogicSave, kWin, letter('S')},
        {"Save Map As", editorLogicSaveAs, kControl, letter('S')},
        {"Open Map", editorLogicLoad, kWin, letter('O')},
        kDivider,
        {"Import Map", editorLogicImport, kAlt, letter('I')},
        kDivider,
        {"Save World Objects", editorLogicSaveWorldObjects, kAlt, letter('S')},
        {"Open World Objects", editorLogicLoadWorldObjects, kAlt, letter('O')},
        kDivider,
        {"Toggle help",
         [](void*) { toggleExclusive(editorInfo->helpShown, editorInfo->infoShown); }, kWin,
         letter('H')},
        {"Toggle info",
         [](void*) { toggleExclusive(editorInfo->infoShown, editorInfo->helpShown); }, kWin,
         letter('I')},
        kDivider,
        {"Set player start", editorLogicSetPlayerStart},
        kDivider,
        {"Mode", nullptr, 0, 0, &kModeMenu},
    }};

const MenuSpec kMapSizeMenu{"Map size",
                            "Unable to initialize normal editor submenu for resizing map",
                            {
                                {"add layer", editorLogicAddLayer, kWin, letter('Z')},
                                {"remove layer", editorLogicRemoveLayer, kAlt, letter('Z')},
                                kDivider,
                                {"add column", editorLogicAddColumn, kWin, letter('X')},
                                {"remove column", editorLogicRemoveColumn, kAlt, letter('X')},
                                kDivider,
                                {"add row", editorLogicAddRow, kWin, letter('C')},
                                {"remove row", editorLogicRemoveRow, kAlt, letter('C')},
                            }};

const MenuSpec kLayersMenu{"Layers",
                           "Unable to initialize normal editor submenu for layer modes",
                           {
                               {"manager", toggleLayerManager, kWin, letter('A')},
                               kDivider,
                               {"next draw", editorLogicNextDrawLayer, kWin, EditorKey::kPeriod},
                               {"prev draw", editorLogicPreviousDrawLayer, kWin, EditorKey::kComma},
                               kDivider,
                               {"next edit", editorLogicNextEditLayer, kAlt, EditorKey::kPeriod},
                               {"prev edit", editorLogicPreviousEditLayer, kAlt, EditorKey::kComma},
                           }};

const MenuSpec kNormalMenu{
    "Normal mode",
    "Unable to initialize normal edit menu.\n",
    {
        {"show tile select", toggleTilesetPicker, kWin, letter('W')},
        {"show music select", editorLogicMusicSelection, kWin, letter('M')},
        kDivider,
        {"toggle grid", [](void*) { flip(editorInfo->gridShown); }, kWin, letter('G')},
        {"toggle screen grid", [](void*) { flip(editorInfo->screenGridShown); }, kAlt, letter('G')},
        {"toggle player", [](void*) { flip(editorInfo->playerShown); }, kAlt, letter('P')},
        {"toggle objects", [](void*) { flip(editorInfo->objectsShown); }, kWin, letter('L')},
        kDivider,
        {"next tileset", editorLogicNextTileset, kWin, EditorKey::kMinus},
        {"prev tileset", editorLogicPreviousTileset, kWin, EditorKey::kEquals},
        kDivider,
        {"toggle block", editorLogicToggleBlock, kWin, letter('B')},
        {"toggle upper", editorLogicToggleUpper, kWin, letter('U')},
        kDivider,
        {"toggle particle editor", editorLogicToggleParticle, kWin, letter('P')},
        {"Map size", nullptr, 0, 0, &kMapSizeMenu},
        kDivider,
        {"Layers", nullptr, 0, 0, &kLayersMenu},
    }};

const MenuSpec kExitMenu{
    "Exit mode",
    "Unable to initialize exit edit menu.\n",
    {
        {"Add new exit", editorLogicAddExit, kWin, letter('N')},
        {"Remove selected exit", editorLogicRemoveExit, kWin, letter('R')},
        kDivider,
        {"Set selected horizontal", editorLogicSetExitHorizontal, kWin, letter('C')},
        {"Set selected vertical", editorLogicSetExitVertical, kWin, letter('V')},
        {"Set selected \"next\" target", editorLogicSetExitNextTarget, kWin, letter('X')},
        kDivider,
        {"Select next exit", editorLogicNextExit, kWin, EditorKey::kPeriod},
        {"Select previous exit", editorLogicPreviousExit, kWin, EditorKey::kComma},
    }};

const MenuSpec kObjectMenu{
    "Object mode",
    "Unable to initialize object edit menu.\n",
    {
        {"Toggle object selector", toggleObjectSelector, kWin, letter('W')},
        kDivider,
        {"Remove selected object", editorLogicRemoveSelectedObject, kWin, letter('R')},
        kDivider,
        {"Toggle object edit mode", editorLogicToggleObjectEdit, kWin, letter('E')},
        {"Toggle object special edit", editorLogicToggleObjectSpecialEdit, kWin, letter('T')},
    }};

void toggleBackgroundCoords(void*) {
    flip(editorInfo->backgroundCoordsMode);
}

const MenuSpec kBackgroundMenu{
    "Background mode",
    "Unable to initialize background edit menu.\n",
    {
        {"Replace current BG", editorLogicReplaceBackground, kControl, letter('O')},
        {"Add new BG", editorLogicAddBackground, kWin, letter('N')},
        {"Remove current BG", editorLogicRemoveBackground, kWin, letter('R')},
        kDivider,
        {"next edit bg", editorLogicNextBackground, kAlt, EditorKey::kPeriod},
        {"previous edit bg", editorLogicPreviousBackground, kAlt, EditorKey::kComma},
        kDivider,
        {"edit coords", toggleBackgroundCoords, kWin, letter('Q')},
    }};

const MenuSpec kBackgroundCoordsMenu{
    "Background coords mode",
    "Unable to initialize background edit menu.\n",
    {
        {"exit coords mode", toggleBackgroundCoords, kWin, letter('Q')},
    }};

const MenuSpec kMinimapMenu{
    "Minimap placement mode", "Unable to initialize minimap placement mode menu.\n", {{"noop"}}};

const MenuSpec kWaterMenu{
    "Water mode",
    "Unable to initialize water mode menu.\n",
    {
        {"Add new water area", editorLogicAddWaterArea, kWin, letter('N')},
        {"Remove selected water area", editorLogicRemoveWaterArea, kWin, letter('R')},
        kDivider,
        {"Select next water area", editorLogicNextWaterArea, kWin, EditorKey::kPeriod},
        {"Select previous water area", editorLogicPreviousWaterArea, kWin, EditorKey::kComma},
    }};

// The last two items select camera stoppers although they name exits.
const MenuSpec kCameraStopperMenu{
    "Camera Stopper mode",
    "Unable to initialize camera mode menu.\n",
    {
        {"Add new camera stopper", editorLogicAddCameraStopper, kWin, letter('N')},
        {"Remove selected camera stopper", editorLogicRemoveCameraStopper, kWin, letter('R')},
        kDivider,
        {"Set selected horizontal", editorLogicSetCameraStopperHorizontal, kWin, letter('C')},
        {"Set selected vertical", editorLogicSetCameraStopperVertical, kWin, letter('V')},
        kDivider,
        {"Set block left", editorLogicSetBlockLeft, kWin, EditorKey::kLeft},
        {"Set block right", editorLogicSetBlockRight, kWin, EditorKey::kRight},
        {"Set block up", editorLogicSetBlockUp, kWin, EditorKey::kUp},
        {"Set block down", editorLogicSetBlockDown, kWin, EditorKey::kDown},
        kDivider,
        {"Select next exit", editorLogicNextCameraStopper, kWin, EditorKey::kPeriod},
        {"Select previous exit", editorLogicPreviousCameraStopper, kWin, EditorKey::kComma},
    }};

// The mode menus by EditorMode.
constexpr std::array<const MenuSpec*, 7> kModeMenus = {
    &kNormalMenu,  &kObjectMenu, &kExitMenu,          &kBackgroundMenu,
    &kMinimapMenu, &kWaterMenu,  &kCameraStopperMenu,
};

std::unique_ptr<PXUIMenu> _mainMenu;
std::array<std::unique_ptr<PXUIMenu>, kModeMenus.size()> _modeMenus;
std::unique_ptr<PXUIMenu> _backgroundCoordsMenu;

std::unique_ptr<PXUIMenu> buildMenu(const MenuSpec& spec, const std::string& fontPath,
                                    bool topLevel) {
    try {
        auto menu = std::make_unique<PXUIMenu>(spec.title);
        // A sub-menu takes its font from the menu it is added to.
        if (topLevel) {
            menu->setFont(fontPath.c_str(), kFontMode);
            menu->setFontSize(kFontSize);
        }
        for (const MenuEntry& entry : spec.entries) {
            if (entry.subMenu != nullptr) {
                menu->addSubMenu(buildMenu(*entry.subMenu, fontPath, false));
            } else if (entry.name == nullptr) {
                menu->addDivider();
            } else {
                menu->addMenuItemWithName(entry.name, entry.callback, nullptr, entry.key1,
                                          entry.key2);
            }
        }
        return menu;
    } catch (const std::bad_alloc&) {
        globalLog->write("%s", spec.failure);
        throw;
    }
}

bool takesMouse(const PXUIMenu* menu) {
    return menu != nullptr && (menu->isOpen() || menu->mouseOver());
}

} // namespace

bool editorGUIInitialization() {
    const std::string fontPath = ResourceManager::instance()->findFilePath(kFontName);
    if (fontPath.empty()) {
        return false;
    }
    _mainMenu = buildMenu(kMainMenu, fontPath, true);
    _mainMenu->setPos(0, 0);
    const int modeMenuX = _mainMenu->width();
    for (size_t mode = 0; mode < kModeMenus.size(); mode++) {
        _modeMenus[mode] = buildMenu(*kModeMenus[mode], fontPath, true);
        _modeMenus[mode]->setPos(modeMenuX, 0);
    }
    _backgroundCoordsMenu = buildMenu(kBackgroundCoordsMenu, fontPath, true);
    _backgroundCoordsMenu->setPos(modeMenuX, 0);
    return true;
}

void editorGUIDeinitialization() {
    _mainMenu.reset();
    for (auto& menu : _modeMenus) {
        menu.reset();
    }
    _backgroundCoordsMenu.reset();
}

namespace {

constexpr float kEvenRow = 0.9f;
constexpr float kOddRow = 0.75f;
constexpr PXUIColor kSelectedRow{0.3f, 0.5f, 0.9f, 1};

} // namespace

void styleEditorList(PXUIListBox& list) {
    list.setRowColors(kEvenRow, kEvenRow, kEvenRow, 1, kOddRow, kOddRow, kOddRow, 1);
    list.setSelectedBGColor(kSelectedRow.r, kSelectedRow.g, kSelectedRow.b, kSelectedRow.a);
    list.setSelectedTextColor(1, 1, 1, 1);
}

void styleEditorFileBrowser(PXUIFileBrowser& browser) {
    browser.setFileListRowColors(kEvenRow, kEvenRow, kEvenRow, 1, kOddRow, kOddRow, kOddRow, 1);
    browser.setFileListSelectedBGColor(kSelectedRow.r, kSelectedRow.g, kSelectedRow.b,
                                       kSelectedRow.a);
    browser.setFileListSelectedTextColor(1, 1, 1, 1);
}

PXUIMenu* editorMainMenu() {
    return _mainMenu.get();
}

PXUIMenu* editorModeMenu() {
    if (editorInfo == nullptr) {
        return nullptr;
    }
    if (editorInfo->mode == EditorMode::Background && editorInfo->backgroundCoordsMode) {
        return _backgroundCoordsMenu.get();
    }
    return _modeMenus[static_cast<size_t>(editorInfo->mode)].get();
}

void editorGUIPollMenus() {
    if (_mainMenu == nullptr) {
        return;
    }
    _mainMenu->poll();
    // The main menu may have changed the mode.
    if (PXUIMenu* modeMenu = editorModeMenu()) {
        modeMenu->poll();
    }
}

bool editorMenusTakeMouse() {
    return editorInfo != nullptr && editorInfo->menusShown &&
           (takesMouse(editorMainMenu()) || takesMouse(editorModeMenu()));
}
