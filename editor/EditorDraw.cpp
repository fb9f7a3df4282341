#include "EditorDraw.h"

#include "EditorGUI.h"
#include "EditorInfo.h"
#include "EditorLogic.h"
#include "EditorObjectEdit.h"
#include "engine/Paxtor.h"
#include "engine/ui/PXUIButton.h"
#include "engine/ui/PXUIListBox.h"
#include "engine/ui/PXUIMenu.h"
#include "engine/ui/PXUIWidget.h"
#include "game/core/Globals.h"
#include "game/core/ResourceManager.h"
#include "game/objects/WorldObject.h"
#include "game/objects/WorldObjectVector.h"
#include "game/player/Player.h"
#include "game/world/Camera.h"
#include "game/world/Map.h"
#include "game/world/MapBackground.h"
#include "game/world/MapCameraStopper.h"
#include "game/world/MapExit.h"
#include "game/world/MapWater.h"
#include "game/world/Minimap.h"

#include <GL/gl.h>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdarg>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kTile = Map::kTileSize;
// Help lines stand 10 logical pixels apart from the top.
constexpr int kHelpLineStep = 10;
// The rule under most help titles.
constexpr const char* kRule = "===================";
// Room around the text of a panel; the info panel stands below the menu bar at the right.
constexpr int kPanelMargin = 4;
constexpr int kInfoPanelTop = 25;
// The magenta cross at a background corner: arm length and the label's offset from the corner.
constexpr int kCrossArm = 10;
constexpr int kCornerLabelX = 3;
constexpr int kCornerLabelY = -15;

struct Colour {
    float r;
    float g;
    float b;
};
constexpr Colour kBlack{0, 0, 0};
constexpr Colour kWhite{1, 1, 1};
constexpr Colour kRed{1, 0, 0};
constexpr Colour kYellow{1, 1, 0};
constexpr Colour kMagenta{1, 0, 1};

void outline(int left, int top, int right, int bottom, Colour colour) {
    PXRect(left, top, right, bottom, colour.r, colour.g, colour.b, 1);
}

void fill(int left, int top, int right, int bottom, Colour colour) {
    PXRectFill(left, top, right, bottom, colour.r, colour.g, colour.b, 1);
}

// The editor font as the resource manager has it, for text in logical pixels.
PXFont* logicalFont() {
    return ResourceManager::instance()->font("Editor.ttf");
}

// The menus' font, for text in window pixels, where small polygon glyphs lose their thin
// strokes. Its path is looked up once: the file search is too slow for every frame.
PXFont* windowFont() {
    static std::string path;
    if (path.empty()) {
        path = ResourceManager::instance()->findFilePath("Editor.ttf");
    }
    return path.empty() ? nullptr : _PXUIFontAt(path.c_str(), PX_FONT_MODE_TEXTURE, 12);
}

__attribute__((format(printf, 1, 2))) std::string formatted(const char* format, ...) {
    std::array<char, PX_FONT_PRINT_BUFFER_SIZE> text{};
    va_list arguments;
    va_start(arguments, format);
    vsnprintf(text.data(), text.size(), format, arguments);
    va_end(arguments);
    return text.data();
}

void text(PXFont* font, int x, int y, Colour colour, const std::string& line) {
    if (font != nullptr) {
        font->print(x, y, colour.r, colour.g, colour.b, 1, "%s", line.c_str());
    }
}

using Lines = std::vector<std::string>;

int panelWidth(PXFont& font, const Lines& lines) {
    float width = 0;
    for (const std::string& line : lines) {
        width = std::max(width, font.advance(line.c_str()));
    }
    return static_cast<int>(std::ceil(width)) + kPanelMargin;
}

// Black lines one below another on a white backing, so that they read over any map.
void drawTextPanel(PXFont* font, int x, int y, int step, const Lines& lines) {
    if (font == nullptr) {
        return;
    }
    const int height = static_cast<int>(lines.size()) * step + kPanelMargin;
    fill(x - kPanelMargin, y, x + panelWidth(*font, lines), y + height, kWhite);
    for (const std::string& line : lines) {
        text(font, x, y, kBlack, line);
        y += step;
    }
}

void drawHelpPanel(const char* title, const char* rule, std::initializer_list<const char*> lines) {
    Lines panel{title, rule};
    panel.insert(panel.end(), lines.begin(), lines.end());
    drawTextPanel(logicalFont(), 0, kHelpLineStep, kHelpLineStep, panel);
}

// The mouse in logical pixels.
int mouseX() {
    return PXMouseX / SCREEN_SCALE_FACTOR;
}

int mouseY() {
    return PXMouseY / SCREEN_SCALE_FACTOR;
}

// While the editor draws, the camera stands at the view and follows the player, so the
// objects and the player marker draw where the view shows them.
class CameraAt {
public:
    CameraAt(int x, int y) {
        if (globalCamera != nullptr) {
            _savedX = globalCamera->getXPos();
            _savedY = globalCamera->getYPos();
            _savedTarget = globalCamera->getTarget();
            globalCamera->setPosition(x, y);
            globalCamera->setTarget(globalPlayer);
        }
    }
    ~CameraAt() {
        if (globalCamera != nullptr) {
            globalCamera->setPosition(_savedX, _savedY);
            globalCamera->setTarget(_savedTarget);
        }
    }
    CameraAt(const CameraAt&) = delete;
    CameraAt& operator=(const CameraAt&) = delete;

private:
    int _savedX = 0;
    int _savedY = 0;
    CameraTargetable* _savedTarget = nullptr;
};

int cameraX() {
    return globalCamera != nullptr ? globalCamera->getXPos() : 0;
}

int cameraY() {
    return globalCamera != nullptr ? globalCamera->getYPos() : 0;
}

void drawObject(WorldObject& object) {
    if (object.drawPosition() == WorldObject::kDrawAroundPlayer) {
        object.drawBack();
        object.drawFront();
    } else {
        object.draw();
    }
}

// Templates are drawn away from where they are kept, then put back.
void drawObjectAt(WorldObject& object, int x, int y) {
    const int keptX = object.getXPos();
    const int keptY = object.getYPos();
    object.setPosition(x, y);
    drawObject(object);
    object.setPosition(keptX, keptY);
}

// The tileset when it holds at least one column of tiles.
PXTexture* usableTileset(const Map& map) {
    PXTexture* tileset = map.getTileset();
    return tileset != nullptr && tileset->w() >= kTile ? tileset : nullptr;
}

// The top-left corner of the tile's cell in the tileset image.
std::pair<int, int> tileCorner(const PXTexture& tileset, int tile) {
    const int columns = tileset.w() / kTile;
    return {tile % columns * kTile, tile / columns * kTile};
}

void drawTile(PXTexture& tileset, int tile, int x, int y) {
    const auto [sourceX, sourceY] = tileCorner(tileset, tile);
    tileset.draw(sourceX, sourceY, sourceX + kTile, sourceY + kTile, x, y, 1);
}

// A red frame one pixel outside the segment, two pixels across it.
void drawSegmentMarker(const BoundingBox& segment, int offsetX, int offsetY) {
    outline(segment.getLeftBound() - 1 + offsetX, segment.getTopBound() - 1 + offsetY,
            segment.getRightBound() + 1 + offsetX, segment.getBottomBound() + 1 + offsetY, kRed);
}

// A black outline one pixel outside the map drawn at the offset.
void outlineMap(const Map& map, int offsetX, int offsetY) {
    outline(offsetX - 1, offsetY - 1, offsetX + map.widthInPixels() + 1,
            offsetY + map.heightInPixels() + 1, kBlack);
}

void drawMapContent(Map& map, const EditorInfo& info) {
    const int x = info.viewX;
    const int y = info.viewY;
    if (info.drawLayer < 0) {
        map.drawLowerTiles(x, y);
        drawObjects();
        map.drawWaterAreas(x, y);
        map.drawUpperTiles(x, y);
    } else {
        map.drawLayer(x, y, false, info.drawLayer);
        drawObjects();
        map.drawWaterAreas(x, y);
        map.drawLayer(x, y, true, info.drawLayer);
    }
}

void drawSelections(Map& map, const EditorInfo& info) {
    const int x = info.viewX;
    const int y = info.viewY;
    if (const Map::Exit* exit = map.getExit(info.selectedExit)) {
        drawSegmentMarker(exit->boundingBox(), -x, -y);
    }
    const Map::WaterArea* area = map.getWaterArea(info.selectedWaterArea);
    if (info.mode == EditorMode::Water && area != nullptr) {
        area->boundingBox().draw(-x, -y, kRed.r, kRed.g, kRed.b, 1);
    }
    map.drawCameraStoppers(x, y);
    const Map::CameraStopper* stopper = map.getCameraStopper(info.selectedCameraStopper);
    if (info.mode == EditorMode::CameraStopper && stopper != nullptr) {
        stopper->drawOutline(x, y);
    }
}

// Black lines on every tile edge of the map.
void drawGrid(const Map& map, int viewX, int viewY) {
    const int width = map.widthInPixels();
    const int height = map.heightInPixels();
    for (int x = 0; x <= width; x += kTile) {
        fill(x - viewX, -viewY, x - viewX + 1, height - viewY, kBlack);
    }
    for (int y = 0; y <= height; y += kTile) {
        fill(-viewX, y - viewY, width - viewX, y - viewY + 1, kBlack);
    }
}

// The edges of the screens the view can show, one screen being 320 x 240 map pixels.
void drawScreenGrid(int viewX, int viewY) {
    constexpr int kWidth = SCREEN_W_UNSCALED;
    constexpr int kHeight = SCREEN_H_UNSCALED;
    constexpr std::pair<int, int> kCells[] = {{0, 0}, {-1, 0},  {1, 0}, {0, -1},
                                              {0, 1}, {-1, -1}, {-1, 1}};
    const int x = -viewX % kWidth;
    const int y = -viewY % kHeight;
    for (const auto& [column, row] : kCells) {
        const int left = x + column * kWidth;
        const int top = y + row * kHeight;
        outline(left, top, left + kWidth, top + kHeight, kYellow);
    }
}

void drawMapView(Map& map, const EditorInfo& info) {
    drawMapContent(map, info);
    outlineMap(map, -info.viewX, -info.viewY);
    map.drawExits(-info.viewX, -info.viewY, kYellow.r, kYellow.g, kYellow.b, 1,
                  info.infoShown && info.mode == EditorMode::Exit);
    drawSelections(map, info);
    if (info.gridShown) {
        drawGrid(map, info.viewX, info.viewY);
    }
    if (info.screenGridShown) {
        drawScreenGrid(info.viewX, info.viewY);
    }
}

// Four arms around a one-pixel gap, and the corner's coordinates beside it.
void drawCornerCross(int x, int y, int sourceX, int sourceY) {
    fill(x - kCrossArm, y, x, y + 1, kMagenta);
    fill(x + 1, y, x + 1 + kCrossArm, y + 1, kMagenta);
    fill(x, y - kCrossArm, x + 1, y, kMagenta);
    fill(x, y + 1, x + 1, y + 1 + kCrossArm, kMagenta);
    text(logicalFont(), x + kCornerLabelX, y + kCornerLabelY, kBlack,
         formatted("(%d, %d)", sourceX, sourceY));
}

void drawEditBackground(const Map& map, const EditorInfo& info) {
    Map::Background* background = map.getBackground(info.editBackground);
    if (background == nullptr || background->getTexture() == nullptr) {
        return;
    }
    const int x = info.backgroundViewX;
    const int y = info.backgroundViewY;
    background->getTexture()->draw(x, y, 1);
    if (info.backgroundCoordsMode) {
        const int left = background->getSourceLeft();
        const int top = background->getSourceTop();
        const int right = background->getSourceRight();
        const int bottom = background->getSourceBottom();
        drawCornerCross(left + x, top + y, left, top);
        drawCornerCross(right + x, bottom + y, right, bottom);
    }
}

void drawTilesetPicker(const Map& map, const EditorInfo& info) {
    PXTexture* tileset = usableTileset(map);
    if (tileset == nullptr) {
        text(logicalFont(), 60, 10, kBlack, "ERROR: No tileset selected!");
        return;
    }
    tileset->draw(0, 0, 1);
    if (!info.tileGroupSelecting) {
        const auto [left, top] = tileCorner(*tileset, info.currentTile);
        outline(left, top, left + kTile, top + kTile, kYellow);
    }
}

void drawHelpOfMode(const EditorInfo& info) {
    switch (info.mode) {
    case EditorMode::Map:
        drawHelp();
        break;
    case EditorMode::Minimap:
        drawMinimapPlacementHelp();
        break;
    case EditorMode::Exit:
        drawExitPlacementHelp();
        break;
    case EditorMode::Object:
        drawObjectPlacementHelp();
        break;
    case EditorMode::Background:
        if (info.backgroundCoordsMode) {
            drawBackgroundCoordsHelp();
        } else {
            drawBackgroundSelectionHelp();
        }
        break;
    case EditorMode::Water:
        drawWaterHelp();
        break;
    case EditorMode::CameraStopper:
        drawCameraStopperHelp();
        break;
    }
}

// The tiles from the start of the group selection to the tile under the mouse, both included.
void drawTileGroupSelection(const EditorInfo& info) {
    const int offsetX = info.tileGroupOverTileset ? 0 : info.viewX;
    const int offsetY = info.tileGroupOverTileset ? 0 : info.viewY;
    const int column = Map::tileOf(mouseX() + offsetX);
    const int row = Map::tileOf(mouseY() + offsetY);
    const auto [left, right] = std::minmax(column, info.tileGroupStartColumn);
    const auto [top, bottom] = std::minmax(row, info.tileGroupStartRow);
    outline(left * kTile - offsetX, top * kTile - offsetY, (right + 1) * kTile - offsetX,
            (bottom + 1) * kTile - offsetY, kRed);
}

void drawRubberBand(const EditorInfo& info) {
    const auto [left, right] = std::minmax(info.rubberBandX - info.viewX, mouseX());
    const auto [top, bottom] = std::minmax(info.rubberBandY - info.viewY, mouseY());
    outline(left, top, right + 1, bottom + 1, kRed);
}

// What painting would put down: the current tile, or the copy buffer, on the tile under the
// mouse.
void drawTilePointer(const Map& map, const EditorInfo& info) {
    PXTexture* tileset = usableTileset(map);
    if (tileset == nullptr) {
        return;
    }
    const int column = Map::tileOf(mouseX() + info.viewX);
    const int row = Map::tileOf(mouseY() + info.viewY);
    const auto drawAt = [&](int tile, int columnOffset, int rowOffset) {
        const int x = (column + columnOffset) * kTile - info.viewX;
        const int y = (row + rowOffset) * kTile - info.viewY;
        if (tile >= 0) {
            drawTile(*tileset, tile, x, y);
        }
        outline(x, y, x + kTile, y + kTile, kRed);
    };
    if (info.copyBuffer.empty()) {
        drawAt(info.currentTile, 0, 0);
    }
    for (const TileCopy& copy : info.copyBuffer) {
        drawAt(copy.tile, copy.columnOffset, copy.rowOffset);
    }
}

// The white panel behind the list and the buttons, with the edit layer's flags beside them.
void drawLayerManager(Map& map, const EditorInfo& info) {
    constexpr size_t kButtons = 6;
    if (info.layerList == nullptr || info.layerButtons.size() < kButtons) {
        return;
    }
    PXUIListBox& list = *info.layerList;
    const PXUIButton& upper = *info.layerButtons[0];
    const PXUIButton& block = *info.layerButtons[1];
    const PXUIButton& last = *info.layerButtons[kButtons - 1];
    const int left = list.xPos() - 5;
    const int top = list.yPos() - 5;
    const int right = left + list.width() + block.width() + 110;
    const int bottom = std::max(list.yPos() + list.height(), last.yPos() + last.height()) + 5;
    fill(left, top, right, bottom, kWhite);
    outline(left - 1, top - 1, right + 1, bottom + 1, kBlack);
    list.draw();
    for (const auto& button : info.layerButtons) {
        button->draw();
    }
    const int flags = map.getLayerProperties(info.editLayer);
    const int textX = block.xPos() + block.width() + 10;
    text(windowFont(), textX, upper.yPos() + 5, kBlack,
         formatted("Upper: %s", flags & Map::kLayerUpper ? "Yes" : "No"));
    text(windowFont(), textX, block.yPos() + 5, kBlack,
         formatted("Blocked: %s", flags & Map::kLayerBlock ? "Yes" : "No"));
}

// Menus, the layer manager and the info panel live in window pixels.
// The mode's menu first, so the main menu's open column lies over it.
void drawMenus() {
    for (PXUIMenu* menu : {editorModeMenu(), editorMainMenu()}) {
        if (menu != nullptr) {
            menu->draw();
        }
    }
}

void drawUnscaledPart(Map& map, const EditorInfo& info) {
    glPushMatrix();
    glLoadIdentity();
    if (info.menusShown) {
        drawMenus();
    }
    if (info.layerManagerShown) {
        drawLayerManager(map, info);
    }
    if (info.infoShown && info.mode != EditorMode::Exit && info.mode != EditorMode::Object) {
        drawInfo();
    }
    glPopMatrix();
}

void drawObjectEdit() {
    glPushMatrix();
    glLoadIdentity();
    objectEditModeDraw();
    glPopMatrix();
}

void drawEditorScreen(Map& map, const EditorInfo& info) {
    const CameraAt camera(info.viewX, info.viewY);
    const bool mapHidden =
        info.tilesetPickerShown || info.objectSelectorShown || info.mode == EditorMode::Minimap;
    if (!mapHidden && info.mode == EditorMode::Background) {
        drawEditBackground(map, info);
    } else if (!mapHidden) {
        drawMapView(map, info);
    }
    if (info.tilesetPickerShown) {
        drawTilesetPicker(map, info);
    }
    if (info.objectSelectorShown) {
        drawObjectSelection();
    }
    // The minimap stands in for the map, under the texts, which would not read through its cells.
    if (info.mode == EditorMode::Minimap && info.minimap != nullptr) {
        info.minimap->draw();
    }
    text(logicalFont(), SCREEN_W_UNSCALED - 50, 0, kBlack, formatted("FPS: %d", PXFPS()));
    if (info.helpShown) {
        drawHelpOfMode(info);
    }
    if (info.playerShown && !info.objectSelectorShown && !info.tilesetPickerShown &&
        !info.backgroundCoordsMode && globalPlayer != nullptr) {
        globalPlayer->draw();
    }
    if (info.tileGroupSelecting) {
        drawTileGroupSelection(info);
    }
    if (info.rubberBandPending) {
        drawRubberBand(info);
    }
    if (info.mode == EditorMode::Object && info.placementTemplate != nullptr &&
        !info.objectSelectorShown) {
        drawObjectAt(*info.placementTemplate, mouseX() + cameraX(), mouseY() + cameraY());
    }
    if (PXKey(EditorKey::kSpace) && info.mode != EditorMode::Object) {
        drawTilePointer(map, info);
    }
    drawUnscaledPart(map, info);
}

void clearToWhite() {
    glClearColor(1, 1, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
}

} // namespace

void editorDraw(int present) {
    clearToWhite();
    if (editorInfo != nullptr && globalMap != nullptr) {
        if (editorInfo->objectEditActive) {
            drawObjectEdit();
        } else if (editorInfo->exitPlacementActive) {
            drawExitNextMapPlacement();
        } else {
            drawEditorScreen(*globalMap, *editorInfo);
        }
    }
    PXFPSTick();
    if (present) {
        PXSwapBuffers();
    }
}

void presentEditorFrame(const std::function<void()>& overlay) {
    clearToWhite();
    glPushMatrix();
    glScalef(SCREEN_SCALE_FACTOR, SCREEN_SCALE_FACTOR, 1);
    editorDraw(0);
    glPopMatrix();
    if (overlay) {
        overlay();
    }
    PXSwapBuffers();
}

void drawInfo() {
    const EditorInfo& info = *editorInfo;
    const Map& map = *globalMap;
    Lines lines{"INFO", "====", formatted("FPS: %d", PXFPS())};
    const int mapX = mouseX() + info.viewX;
    const int mapY = mouseY() + info.viewY;
    lines.push_back(formatted("MOUSE:(%03d, %03d) - (%02d, %02d)", mapX, mapY, Map::tileOf(mapX),
                              Map::tileOf(mapY)));
    lines.push_back(formatted("DRAWLAYER: %d", info.drawLayer));
    const int flags = map.getLayerProperties(info.editLayer);
    lines.push_back(formatted("EDITLAYER: %d | Block(%d) Uppr(%d)", info.editLayer,
                              (flags & Map::kLayerBlock) != 0, (flags & Map::kLayerUpper) != 0));
    lines.push_back(formatted("MAP: Layers: %02d | Rows: %02d | Cols: %02d",
                              map.getNumberOfLayers(), map.getNumberOfRows(),
                              map.getNumberOfColumns()));
    lines.push_back(formatted("MAP Offsets: %d, %d", info.viewX, info.viewY));
    const char* tileset = map.getTilesetName();
    lines.push_back(formatted("MAP Tileset: %s", tileset != nullptr ? tileset : "not set"));
    const char* music = map.getMusicName();
    lines.push_back(formatted("MAP Music: %s", music != nullptr ? music : "not set"));
    lines.push_back(formatted("GRID: %s", info.gridShown ? "on" : "off"));
    const int backgrounds = map.getNumberOfBackgrounds();
    if (backgrounds == 0) {
        lines.emplace_back("BACKGROUND: none");
    } else if (backgrounds > 1) {
        lines.emplace_back("BACKGROUND: MULTIPLE");
        lines.push_back(formatted("EDIT BACKGROUND        : (%d)", info.editBackground));
    }
    const Map::Background* background =
        map.getBackground(backgrounds == 1 ? 0 : info.editBackground);
    if (background != nullptr) {
        lines.push_back(formatted("BACKGROUND: %s", background->getImageName()));
        lines.push_back(formatted("BACKGROUND scroll      : (%d, %d)",
                                  background->getScrollDivisorX(),
                                  background->getScrollDivisorY()));
    }
    if (globalPlayer != nullptr) {
        lines.push_back(formatted("Player position: (%d, %d)", globalPlayer->getXPos(),
                                  globalPlayer->getYPos()));
    }
    if (map.getTileset() == nullptr) {
        lines.emplace_back("ERROR: No tileset selected!");
    }
    PXFont* font = windowFont();
    if (font != nullptr) {
        const int left = SCREEN_W - panelWidth(*font, lines) - kPanelMargin;
        drawTextPanel(font, left, kInfoPanelTop, static_cast<int>(std::ceil(font->fullHeight())),
                      lines);
    }
}

void drawHelp() {
    drawHelpPanel("HELP", "====",
                  {"SPACEBAR: Show current tile as pointer",
                   "y: set the player's current in-game position",
                   "o: toggle Minimap placement mode"});
}

void drawMinimapPlacementHelp() {
    drawHelpPanel("MINIMAP PLACEMENT HELP", kRule,
                  {"h: toggle help mode", "0: Toggle Minimap placement mode"});
}

void drawExitPlacementHelp() {
    drawHelpPanel("EXIT PLACEMENT HELP", kRule,
                  {"p: Place current exit at mouse position",
                   "+: extend current exit (SHIFT=continuous)",
                   "-: contract current exit (SHIFT=continuous)", "w: nudge current exit up",
                   "a: nudge current exit left", "s: nudge current exit down",
                   "d: nudge current exit right"});
}

void drawObjectPlacementHelp() {
    drawHelpPanel("OBJECT PLACEMENT HELP", kRule,
                  {"r mouse: deselect current placement obj (set to none)"});
}

void drawBackgroundSelectionHelp() {
    drawHelpPanel("BACKGROUND SELECTION HELP", kRule,
                  {"w: Increase Y scroll", "s: Decrease Y scroll", "d: Increase X scroll",
                   "a: Decrease X scroll", "arrows: scroll bg"});
}

void drawBackgroundCoordsHelp() {
    drawHelpPanel("BACKGROUND COORDS HELP", kRule,
                  {"h: toggle help mode", "q: Toggle Background coords mode",
                   "Left Mouse: Set upper left corner", "Right Mouse: Set upper right corner"});
}

void drawWaterHelp() {
    drawHelpPanel("WATER HELP", kRule, {});
}

void drawCameraStopperHelp() {
    drawHelpPanel("CAMERA STOPPER HELP", kRule,
                  {"p: Place current stopper at mouse position",
                   "+: extend current stopper (SHIFT=continuous)",
                   "-: contract current stopper (SHIFT=continuous)", "w: nudge current stopper up",
                   "a: nudge current stopper left", "s: nudge current stopper down",
                   "d: nudge current stopper right"});
}

void drawObjectSelection() {
    const EditorInfo& info = *editorInfo;
    for (const auto& object : info.objectTemplates) {
        drawObjectAt(*object, object->getXPos() + cameraX(), object->getYPos() + cameraY());
    }
    WorldObject* current = info.placementTemplate;
    if (current != nullptr) {
        current->updateCurrentBBox();
        current->getBBox()->draw(kRed.r, kRed.g, kRed.b, 1);
        text(logicalFont(), current->getXPos(), current->getYPos(), kWhite, "!");
    }
}

void drawObjects() {
    if (!editorInfo->objectsShown || globalMapSpecificWorldObjectVector == nullptr) {
        return;
    }
    for (WorldObject* object : *globalMapSpecificWorldObjectVector) {
        if (!object->isBeingHeld()) {
            drawObject(*object);
        }
    }
}

void drawExitNextMapPlacement() {
    const EditorInfo& info = *editorInfo;
    const int x = info.exitPreviewViewX;
    const int y = info.exitPreviewViewY;
    if (Map* preview = info.exitPreviewMap.get()) {
        preview->drawLowerTiles(x, y);
        preview->drawUpperTiles(x, y);
        outlineMap(*preview, -x, -y);
    }
    drawHelpPanel("EXIT NEXT MAP PLACEMENT HELP", "============================",
                  {"Click to place exit", "Spacebar to complete action"});
    if (const Map::Exit* exit = globalMap->getExit(info.selectedExit)) {
        const bool horizontal = exit->getOrientation() == Map::kHorizontal;
        const BoundingBox destination =
            Map::segmentBox(exit->getNextMapX(), exit->getNextMapY(),
                            horizontal ? exit->getWidth() : exit->getHeight(), horizontal);
        drawSegmentMarker(destination, -x, -y);
    }
}
