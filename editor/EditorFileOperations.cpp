#include "EditorFileOperations.h"

#include "EditorDraw.h"
#include "EditorGUI.h"
#include "EditorHistory.h"
#include "EditorInfo.h"
#include "EditorLogic.h"
#include "EditorMapImporter.h"
#include "engine/PXAtomicFile.h"
#include "engine/PXFileSystem.h"
#include "engine/PXFont.h"
#include "engine/PXInit.h"
#include "engine/PXKeyboard.h"
#include "engine/PXLogicTiming.h"
#include "engine/PXPrimitives.h"
#include "engine/ui/PXUIButton.h"
#include "engine/ui/PXUIDialogBox.h"
#include "engine/ui/PXUIFileBrowser.h"
#include "engine/ui/PXUIListBox.h"
#include "engine/ui/PXUIMenu.h"
#include "engine/ui/PXUITextEntry.h"
#include "game/core/DataPaths.h"
#include "game/core/Globals.h"
#include "game/core/Initialization.h"
#include "game/core/Log.h"
#include "game/core/MapMusicNames.h"
#include "game/core/ResourceManager.h"
#include "game/objects/WorldObject.h"
#include "game/objects/WorldObjectVector.h"
#include "game/player/Player.h"
#include "game/world/Map.h"
#include "game/world/MusicPlayer.h"
#include "game/world/ParticleGenerator.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <new>

namespace {

constexpr int kMaximumPathLength = 1024;
constexpr const char* kEditorFont = "Editor.ttf";
constexpr int kPolygonFont = 1;
constexpr int kTextureFont = 2;
// The particle dialog's list and entries ask for mode 12, which makes a texture font.
constexpr int kParticleFieldFontMode = 12;
constexpr int kBrowserFontSize = 12;
constexpr int kWidgetFontSize = 12;
constexpr int kOverwriteFontSize = 26;
constexpr int kSongRows = 12;
constexpr int kSongListWidth = 255;
constexpr int kParticleListWidth = 200;
constexpr int kParticleFieldLength = 50;
constexpr int kParticleFieldWidth = 50;
constexpr int kParticleGap = 5;
// Longest wait between two weather generations the dialog accepts: a minute of ticks.
constexpr int kMaximumGenerationDelay = 3600;
constexpr PXUIColor kBlack{0, 0, 0, 1};

std::function<void()> _modalStepHook;

std::string editorFontPath() {
    return ResourceManager::instance()->findFilePath(kEditorFont);
}

// The due logic steps of one pass (exactly one under the test hook); false once step() ended.
bool runPassSteps(const std::function<bool()>& step) {
    if (_modalStepHook) {
        _modalStepHook();
        const bool running = step();
        PXLogicUpdate();
        return running;
    }
    bool running = true;
    PXPreLogicLoop();
    while (running && PXLogicLoop()) {
        running = step();
        PXLogicUpdate();
    }
    PXPostLogicLoop();
    return running;
}

// Through the widget's own setPos, which moves its parts along.
template <class Widget> void centre(Widget& widget) {
    widget.setPos(std::max(0, (SCREEN_W - widget.width()) / 2),
                  std::max(0, (SCREEN_H - widget.height()) / 2));
}

// True only when the user answers the question with "Overwrite".
bool confirmOverwrite(const char* question) {
    PXUIDialogBox dialog;
    if (!dialog.setFont(editorFontPath().c_str(), kPolygonFont) ||
        !dialog.setFontSize(kOverwriteFontSize)) {
        globalLog->write("Unable to create the overwrite dialog.\n");
        return false;
    }
    dialog.setMessage(question);
    dialog.addButton("Overwrite");
    dialog.addButton("Cancel");
    dialog.resize();
    centre(dialog);
    // Only a resize moves the buttons along with the dialog.
    dialog.resize();
    runEditorModalLoop(
        [&dialog] {
            dialog.poll();
            return dialog.buttonIndexClicked() == -1;
        },
        [&dialog] { dialog.draw(); });
    return dialog.buttonIndexClicked() == 0;
}

// A new file may be written; an existing one only when the user agrees.
bool mayWrite(const std::string& path, const char* question) {
    return !PXFileExists(path.c_str()) || confirmOverwrite(question);
}

// The path up to and including its last "/"; a bare file name lies in the current directory.
std::string directoryOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "./" : path.substr(0, slash + 1);
}

// A file of the installed data tree is written as the user's own copy, which the game then reads
// instead; nothing when nothing can be written.
std::optional<std::string> editorWritePath(const std::string& path) {
    std::optional<std::string> target = globalDataPaths.writablePathOf(path);
    if (target && *target != path) {
        globalLog->write("Writing the user's copy %s\n", target->c_str());
    }
    return target;
}

void saveMapTo(const std::string& path) {
    const std::optional<std::string> target = editorWritePath(path);
    if (!target || !globalMap->save(target->c_str())) {
        globalLog->write("couldn't save map to: %s\n", path.c_str());
    }
}

void saveMapAskingForPath() {
    // A directory that has gone since would list nothing; the program's own does.
    const std::string startDirectory = editorInfo->previouslySavedPath;
    const bool startExists = PXFileExists(startDirectory.c_str());
    const std::optional<std::string> path =
        chooseEditorFile("Save", startExists ? startDirectory.c_str() : nullptr);
    if (!path) {
        return;
    }
    globalLog->write("Path selected is %s\n", path->c_str());
    editorInfo->previouslySavedPath = directoryOf(*path);
    if (mayWrite(*path, path->c_str())) {
        saveMapTo(*path);
    }
}

// Nothing the editor points into the map at may outlive it.
void forgetMapState() {
    editorInfo->forgetSelections();
    editorInfo->editLayer = 0;
    editorInfo->drawLayer = -1;
    editorInfo->editBackground = -1;
}

// A new, opened or imported map: its own layers in the layer manager, and undo starts over.
void mapReplaced() {
    forgetMapState();
    editorRebuildLayerManager();
    editorHistoryClear();
}

// Makes the map the current one, with no objects and no file to write back to.
void installMap(std::unique_ptr<Map> map) {
    recreateMapSpecificWorldObjectVector(nullptr);
    delete globalMap;
    globalMap = map.release();
    editorInfo->lastLoadedFilePath.clear();
    mapReplaced();
}

// The names of the music name list in its order.
std::vector<std::string> musicNames(MapMusicNames& names) {
    std::vector<std::string> result;
    // The circle hands out the name after the current one: start from the last.
    names.reset();
    names.getPreviousFilename();
    for (int index = 0; index < names.count(); index++) {
        result.emplace_back(names.getNextFilename());
    }
    names.reset();
    return result;
}

class MusicSelectionDialog {
public:
    // False when the font cannot be had.
    bool build(const std::vector<std::string>& names) {
        const std::string font = editorFontPath();
        _font = _PXUIFontAt(font.c_str(), kTextureFont, kWidgetFontSize);
        if (_font == nullptr || !_select.setFont(font.c_str(), kTextureFont) ||
            !_select.setFontSize(kWidgetFontSize) || !_select.setText("Select") ||
            !_songs.setFont(font.c_str(), kTextureFont) || !_songs.setFontSize(kWidgetFontSize)) {
            return false;
        }
        for (const std::string& name : names) {
            _songs.addItem(name.c_str());
        }
        styleEditorList(_songs);
        _songs.setNumberOfDisplayItems(kSongRows);
        _songs.setBounds(kSongListWidth, 0);
        _top = editorDialogTop();
        _select.setPos(0, _top + fontHeight());
        _songs.setPos(_select.width(), _select.yPos());
        return true;
    }

    // Previews every newly selected song; false once "Select" is clicked.
    bool step() {
        _songs.poll();
        const int index = _songs.selectedItemIndex();
        if (index != _previewIndex) {
            _previewIndex = index;
            const std::optional<std::string> song = _songs.itemAtIndex(index);
            if (song && globalMusicPlayer != nullptr) {
                globalMusicPlayer->start(song->c_str());
            }
        }
        return !_select.clicked(0);
    }

    void draw() {
        _select.draw();
        _songs.draw();
        PXRectFill(0, _top, _songs.width() + _select.width(), _top + fontHeight(), 1, 1, 1, 1);
        const char* current = globalMap->getMusicName();
        _font->print(0, _top, kBlack.r, kBlack.g, kBlack.b, kBlack.a, "Currently mapped song: %s",
                     current != nullptr ? current : "not set");
    }

    std::optional<std::string> chosenSong() const { return _songs.itemAtIndex(_previewIndex); }

private:
    int fontHeight() const { return static_cast<int>(_font->fullHeight()); }

    PXFont* _font = nullptr;
    PXUIButton _select;
    PXUIListBox _songs;
    int _previewIndex = -1;
    int _top = 0;
};

class ParticleDialog {
public:
    // The map's settings; false when a font cannot be had.
    bool build() {
        const std::string font = editorFontPath();
        _font = _PXUIFontAt(font.c_str(), kTextureFont, kWidgetFontSize);
        if (_font == nullptr || !_types.setFont(font.c_str(), kParticleFieldFontMode) ||
            !_done.setFont(font.c_str(), kTextureFont) || !_done.setFontSize(kWidgetFontSize) ||
            !_done.setText("Done")) {
            return false;
        }
        for (const char* name : ParticleGenerator::NAMES) {
            _types.addItem(name);
        }
        styleEditorList(_types);
        _types.setBounds(kParticleListWidth, 0);
        _types.setPos(kParticleGap, editorDialogTop() + 15);
        _type = std::clamp(globalMap->particleType(), 0, lastType());
        _types.selectItemAtIndex(_type);
        _values = {globalMap->particleDelayMin(), globalMap->particleDelayMax(),
                   globalMap->particleGenerationAmount()};
        _done.setPos(kParticleGap, _types.yPos() + _types.height() + kParticleGap);
        return buildFields(font);
    }

    // Reads the widgets; false once "Done" is clicked.
    bool step() {
        _types.poll();
        const int index = _types.selectedItemIndex();
        if (index >= 0 && index <= lastType()) {
            _type = index;
        }
        for (std::size_t field = 0; field < _fields.size(); field++) {
            _fields[field].poll();
            _values[field] = readNumber(_fields[field].getText(), kMaximums[field]);
        }
        return !_done.clicked(0);
    }

    void draw() {
        PXRectFill(0, editorDialogTop(), 400, 100, 1, 1, 1, 1);
        _types.draw();
        _done.draw();
        print(_types.xPos(), _types.yPos() - 12, "Current particle: %s",
              ParticleGenerator::NAMES[_type]);
        for (std::size_t field = 0; field < _fields.size(); field++) {
            PXUITextEntry& entry = _fields[field];
            entry.draw();
            print(entry.xPos() + entry.width() + kParticleGap, entry.yPos(), kLabels[field],
                  _values[field]);
        }
    }

    // The chosen settings become the map's and the weather's.
    void apply() const {
        globalMap->setParticleParameters(_type, _values[0], _values[1], _values[2]);
        if (globalMusicPlayer != nullptr) {
            globalMusicPlayer->stop();
        }
        if (globalParticleGenerator != nullptr) {
            globalParticleGenerator->setParameters(
                globalMap->particleType(), globalMap->particleDelayMin(),
                globalMap->particleDelayMax(), globalMap->particleGenerationAmount());
        }
    }

private:
    static constexpr std::array<const char*, 3> kLabels = {
        "Min generation delay: %d", "Max generation delay: %d", "Generation Amount: %d"};
    static constexpr std::array<int, 3> kMaximums = {kMaximumGenerationDelay,
                                                     kMaximumGenerationDelay,
                                                     ParticleGenerator::kMaximumGenerationAmount};

    static int lastType() { return static_cast<int>(ParticleGenerator::NAMES.size()) - 1; }

    // Decimal, clamped to 0..maximum; what is no number reads as 0.
    static int readNumber(const std::string& text, int maximum) {
        return static_cast<int>(
            std::clamp(std::strtol(text.c_str(), nullptr, 10), 0L, static_cast<long>(maximum)));
    }

    bool buildFields(const std::string& font) {
        int y = _types.yPos();
        for (std::size_t field = 0; field < _fields.size(); field++) {
            PXUITextEntry& entry = _fields[field];
            if (!entry.setFont(font.c_str(), kParticleFieldFontMode)) {
                return false;
            }
            entry.setBounds(kParticleFieldWidth, 0);
            entry.setPos(_types.xPos() + _types.width() + kParticleGap, y);
            _values[field] = std::clamp(_values[field], 0, kMaximums[field]);
            entry.setText(std::to_string(_values[field]).c_str());
            y += entry.height() + kParticleGap;
        }
        return true;
    }

    template <class... Values> void print(int x, int y, const char* format, Values... values) {
        _font->print(x, y, kBlack.r, kBlack.g, kBlack.b, kBlack.a, format, values...);
    }

    PXFont* _font = nullptr;
    PXUIListBox _types;
    std::array<PXUITextEntry, 3> _fields{PXUITextEntry(kParticleFieldLength),
                                         PXUITextEntry(kParticleFieldLength),
                                         PXUITextEntry(kParticleFieldLength)};
    PXUIButton _done;
    int _type = 0;
    std::array<int, 3> _values{};
};

} // namespace

void runEditorModalLoop(const std::function<bool()>& step, const std::function<void()>& overlay) {
    PXResetLogicLoop();
    bool running = true;
    while (running && !PXApplicationQuitRequested()) {
        running = runPassSteps(step);
        presentEditorFrame(overlay);
        if (!_modalStepHook) {
            PXSleepUntilNextTick();
        }
    }
}

std::optional<std::string> chooseEditorFile(const char* okLabel, const char* startDirectory) {
    // An installed game starts browsing in the user's folder, where its files are written.
    const std::optional<std::string> userFolder = globalDataPaths.userFolderInUse();
    if (startDirectory == nullptr && userFolder) {
        startDirectory = userFolder->c_str();
    }
    std::unique_ptr<PXUIFileBrowser> browser;
    try {
        browser = std::make_unique<PXUIFileBrowser>(kMaximumPathLength, editorFontPath().c_str(),
                                                    kPolygonFont, kBrowserFontSize, okLabel,
                                                    startDirectory);
    } catch (const std::bad_alloc&) {
        globalLog->write("Unable to instantiate file browser.\n");
        return std::nullopt;
    }
    centre(*browser);
    styleEditorFileBrowser(*browser);
    // The shortcut that opened the browser may still be held: its letter must not be typed.
    bool focused = false;
    const auto step = [&browser, &focused] {
        if (!focused && PXKeyPressed() == 0) {
            browser->pathEntry().forceFocus();
            focused = true;
        }
        return browser->poll();
    };
    runEditorModalLoop(step, [&browser] { browser->draw(); });
    return browser->selection();
}

int editorDialogTop() {
    const PXUIMenu* menu = editorMainMenu();
    return menu != nullptr ? menu->height() : 0;
}

void editorLogicNew(void*) {
    std::unique_ptr<Map> map;
    try {
        map = std::make_unique<Map>();
    } catch (const std::bad_alloc&) {
        globalLog->write("Couldn't instantiate a map instance in order to create a new map.\n");
        return;
    }
    installMap(std::move(map));
    editorInfo->reset();
    if (globalParticleGenerator != nullptr) {
        globalParticleGenerator->setParameters(0, 0, 0, 0);
    }
}

void editorLogicSave(void*) {
    if (editorInfo->lastLoadedFilePath.empty()) {
        saveMapAskingForPath();
    } else {
        saveMapTo(editorInfo->lastLoadedFilePath);
    }
}

void editorLogicSaveAs(void*) {
    saveMapAskingForPath();
}

void editorLogicLoad(void*) {
    const std::optional<std::string> path = chooseEditorFile("Load", nullptr);
    if (!path) {
        return;
    }
    if (!globalMap->load(path->c_str())) {
        globalLog->write("couldn't load map from: %s\n", path->c_str());
        editorInfo->forgetSelections();
        return;
    }
    if (globalPlayer != nullptr) {
        globalPlayer->setPosition(0, 0);
    }
    editorInfo->lastLoadedFilePath = *path;
    mapReplaced();
}

void editorLogicImport(void*) {
    const std::optional<std::string> path = chooseEditorFile("Import", nullptr);
    if (!path) {
        return;
    }
    std::unique_ptr<Map> imported = importMap(path->c_str());
    if (imported) {
        installMap(std::move(imported));
    }
}

void editorLogicSaveWorldObjects(void*) {
    const std::optional<std::string> path = chooseEditorFile("Save World Objects", nullptr);
    if (!path || !mayWrite(*path, "File exists. Overwrite?")) {
        return;
    }
    const std::optional<std::string> target = editorWritePath(*path);
    if (!target) {
        globalLog->write("Couldn't save object list!\n");
        return;
    }
    PXAtomicFile file(*target);
    if (file.stream() == nullptr || !saveWorldObjects(file.stream(), nullptr) || !file.commit()) {
        globalLog->write("Couldn't save object list!\n");
    }
}

void editorLogicLoadWorldObjects(void*) {
    const std::optional<std::string> path = chooseEditorFile("Open World Objects", nullptr);
    if (!path) {
        return;
    }
    WorldObjectList objects;
    const PXFileHandle stream = PXOpenFile(path->c_str(), "rb");
    if (!stream || !readWorldObjects(stream.get(), objects, nullptr)) {
        globalLog->write("Couldn't load object list!\n");
        return;
    }
    editorInfo->forgetSelections();
    replaceWorldObjects(std::move(objects), collectedHexNutCount());
    recreateMapSpecificWorldObjectVector(globalMap->getFilename());
}

void editorLogicMusicSelection(void*) {
    if (globalMapMusicNames == nullptr) {
        return;
    }
    MusicSelectionDialog dialog;
    if (!dialog.build(musicNames(*globalMapMusicNames))) {
        globalLog->write("Unable to create music selection button");
        return;
    }
    runEditorModalLoop([&dialog] { return dialog.step(); }, [&dialog] { dialog.draw(); });
    if (const std::optional<std::string> song = dialog.chosenSong()) {
        globalMap->setMusicName(song->c_str());
    }
    if (globalMusicPlayer != nullptr) {
        globalMusicPlayer->stop();
    }
}

void editorLogicToggleParticle(void*) {
    ParticleDialog dialog;
    if (!dialog.build()) {
        globalLog->write("Unable to create the particle dialog.\n");
        return;
    }
    runEditorModalLoop([&dialog] { return dialog.step(); }, [&dialog] { dialog.draw(); });
    dialog.apply();
}

void setEditorModalStepHookForTesting(std::function<void()> hook) {
    _modalStepHook = std::move(hook);
}
