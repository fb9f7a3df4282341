#include "editor/EditorFileOperations.h"
#include "editor/EditorInfo.h"
#include "editor/EditorMapImporter.h"
#include "engine/PXFileSystem.h"
#include "engine/PXFont.h"
#include "engine/PXInit.h"
#include "engine/ui/PXUIButton.h"
#include "engine/ui/PXUIDialogBox.h"
#include "engine/ui/PXUITextEntry.h"
#include "game/core/Globals.h"
#include "game/core/Initialization.h"
#include "game/core/MapMusicNames.h"
#include "game/core/ResourceManager.h"
#include "game/objects/WOCrate.h"
#include "game/objects/WOSave.h"
#include "game/objects/WorldObjectVector.h"
#include "game/player/Player.h"
#include "game/world/Map.h"
#include "game/world/ParticleGenerator.h"
#include "tests/engine/ui/UIInput.h"
#include "tests/support/GameplayFixture.h"
#include "tests/support/PngWriter.h"
#include "tests/support/TestLog.h"

#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

struct Point {
    int x;
    int y;
};

std::string fontPath() {
    return ResourceManager::instance()->findFilePath("Editor.ttf");
}

std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string mapBytes() {
    std::string bytes;
    FILE* stream = tmpfile();
    globalMap->saveToStream(stream);
    bytes.resize(static_cast<std::size_t>(ftell(stream)));
    rewind(stream);
    EXPECT_EQ(fread(bytes.data(), 1, bytes.size(), stream), bytes.size());
    fclose(stream);
    return bytes;
}

int fontHeight(int mode, int size) {
    return static_cast<int>(_PXUIFontAt(fontPath().c_str(), mode, size)->fullHeight());
}

int buttonWidth(const char* label, int mode, int size) {
    PXUIButton button;
    button.setFont(fontPath().c_str(), mode);
    button.setFontSize(size);
    button.setText(label);
    return button.width();
}

// Input for the modal loops, one action per logic step; a loop that outlives the script fails
// the test and is ended through the quit request.
class ModalScript {
public:
    ModalScript() {
        setEditorModalStepHookForTesting([this] { next(); });
    }
    ~ModalScript() {
        setEditorModalStepHookForTesting({});
        _PXAppQuitRequested = PX_FALSE;
    }

    void then(std::function<void()> action) { _actions.push_back(std::move(action)); }

    // Pressed at the point in one step, released in the next.
    void click(std::function<Point()> where) {
        then([where] {
            const Point point = where();
            ui_input::moveMouse(point.x, point.y);
            ui_input::setMouseButton(0, true);
        });
        then([] { ui_input::setMouseButton(0, false); });
    }

    // Types the path into the browser's entry and clicks its OK button, which stands right of the
    // entry.
    void choose(const std::string& path) {
        // The entry takes the focus in the browser's first step.
        then([] {});
        then([path] { _PXFocusedTextEntry->setText(path.c_str()); });
        click([] {
            const PXUITextEntry& entry = *_PXFocusedTextEntry;
            return Point{entry.xPos() + entry.width() + 5, entry.yPos() + 4};
        });
    }

    // Clicks "Overwrite" (the rightmost button of the centred dialog) or "Cancel" left of it.
    void answer(const std::string& question, bool overwrite) {
        click([question, overwrite] {
            constexpr int kPadding = 2;
            PXUIDialogBox dialog;
            dialog.setFont(fontPath().c_str(), 1);
            dialog.setFontSize(26);
            dialog.setMessage(question.c_str());
            dialog.addButton("Overwrite");
            dialog.addButton("Cancel");
            dialog.resize();
            const int right = (SCREEN_W + dialog.width()) / 2 - kPadding;
            const int y = (SCREEN_H + dialog.height()) / 2 - kPadding - 4;
            const int overwriteWidth = buttonWidth("Overwrite", 1, 26);
            return overwrite ? Point{right - 4, y}
                             : Point{right - overwriteWidth - kPadding - 4, y};
        });
    }

    bool done() const { return _actions.empty(); }

private:
    void next() {
        if (_actions.empty()) {
            ADD_FAILURE() << "a modal loop ran past the end of its script";
            _PXAppQuitRequested = PX_TRUE;
            return;
        }
        const std::function<void()> action = std::move(_actions.front());
        _actions.pop_front();
        action();
    }

    std::deque<std::function<void()>> _actions;
};

class EditorFileOperationsTest : public GameplayFixture {
protected:
    void SetUp() override {
        GameplayFixture::SetUp();
        ui_input::releaseEverything();
        editorInfo = new EditorInfo();
        clearTestLog();
    }

    void TearDown() override {
        delete editorInfo;
        editorInfo = nullptr;
        ui_input::releaseEverything();
        GameplayFixture::TearDown();
    }

    // Runs the operation with the script and checks that it used all of it.
    static void run(void (*operation)(void*), ModalScript& script) {
        operation(nullptr);
        EXPECT_TRUE(script.done());
    }
};

TEST_F(EditorFileOperationsTest, ImportBuildsTheMarkedMapAndRefusesWhatIsNoImage) {
    PngImage image = solidPng(40, 30, PngColorType::RGBA, 0, 0, 0, 0);
    const auto paint = [&image](int x, int y, unsigned char r, unsigned char g, unsigned char b) {
        unsigned char* pixel = &image.pixels[(y * 40 + x) * 4];
        pixel[0] = r;
        pixel[1] = g;
        pixel[2] = b;
        pixel[3] = 255;
    };
    paint(20, 0, 255, 0, 255);
    paint(0, 15, 255, 0, 255);
    paint(3, 4, 0, 0, 0);
    paint(19, 14, 10, 20, 30);
    paint(25, 5, 0, 0, 0);
    writePng("marked.png", image);
    std::ofstream("notAnImage.png") << "plain text";

    const std::unique_ptr<Map> direct = importMap("marked.png");
    ASSERT_TRUE(direct);
    EXPECT_EQ(direct->getNumberOfColumns(), 20);
    EXPECT_EQ(direct->getNumberOfRows(), 15);
    EXPECT_EQ(direct->getNumberOfLayers(), 1);
    EXPECT_EQ(direct->getLayerProperties(0), Map::kLayerBlock);
    int solidTiles = 0;
    for (int row = 0; row < 15; row++) {
        for (int column = 0; column < 20; column++) {
            solidTiles += direct->getTileAt(0, row, column);
        }
    }
    EXPECT_EQ(solidTiles, 2);
    EXPECT_EQ(direct->getTileAt(0, 4, 3), 1);
    EXPECT_EQ(direct->getTileAt(0, 14, 19), 1);
    EXPECT_FALSE(importMap("notAnImage.png"));
    EXPECT_NE(testLogContent().find("notAnImage.png"), std::string::npos);

    placeObject(new WOCrate(), 10, 10);
    editorInfo->lastLoadedFilePath = "somewhere";
    Map* const before = globalMap;
    {
        ModalScript script;
        script.choose("notAnImage.png");
        run(editorLogicImport, script);
    }
    EXPECT_EQ(globalMap, before);
    EXPECT_EQ(globalMapSpecificWorldObjectVector->size(), 1u);
    {
        ModalScript script;
        script.choose("marked.png");
        run(editorLogicImport, script);
    }
    EXPECT_EQ(globalMap->getNumberOfColumns(), 20);
    EXPECT_EQ(globalMap->getTileAt(0, 4, 3), 1);
    EXPECT_TRUE(globalMapSpecificWorldObjectVector->empty());
    EXPECT_TRUE(editorInfo->lastLoadedFilePath.empty());
    EXPECT_EQ(globalWorldObjectVector->size(), 1u);
}

TEST_F(EditorFileOperationsTest, MapsSaveBackOrAskReopenAlikeAndAskBeforeOverwriting) {
    saveMap("first");
    spawnPlayer(50, 60);
    editorInfo->selectedExit = 0;
    {
        ModalScript script;
        script.choose("data/maps/first");
        run(editorLogicLoad, script);
    }
    EXPECT_EQ(editorInfo->lastLoadedFilePath, "data/maps/first");
    EXPECT_EQ(globalPlayer->getXPos(), 0);
    EXPECT_EQ(globalPlayer->getYPos(), 0);
    EXPECT_EQ(editorInfo->selectedExit, -1);

    globalMap->setTileAt(0, 2, 3, 1);
    {
        ModalScript script;
        run(editorLogicSave, script);
    }
    EXPECT_TRUE(fileBytes("data/maps/first") == mapBytes());

    {
        ModalScript script;
        script.choose("data/maps/second");
        run(editorLogicSaveAs, script);
    }
    const std::string saved = fileBytes("data/maps/second");
    EXPECT_TRUE(saved == mapBytes());
    EXPECT_NE(testLogContent().find("Path selected is data/maps/second\n"), std::string::npos);
    EXPECT_EQ(editorInfo->previouslySavedPath, "data/maps/");
    EXPECT_EQ(editorInfo->lastLoadedFilePath, "data/maps/first");

    globalMap->setTileAt(0, 2, 4, 1);
    {
        ModalScript script;
        script.choose("data/maps/second");
        script.answer("data/maps/second", false);
        run(editorLogicSaveAs, script);
    }
    EXPECT_TRUE(fileBytes("data/maps/second") == saved);
    {
        ModalScript script;
        script.choose("data/maps/second");
        script.answer("data/maps/second", true);
        run(editorLogicSaveAs, script);
    }
    const std::string changed = fileBytes("data/maps/second");
    EXPECT_TRUE(changed == mapBytes());
    EXPECT_TRUE(changed != saved);

    {
        ModalScript script;
        script.choose("bare");
        run(editorLogicSaveAs, script);
    }
    EXPECT_TRUE(std::filesystem::exists("bare"));
    EXPECT_EQ(editorInfo->previouslySavedPath, "./");
    for (const char* path : {"gone/map", "third"}) {
        ModalScript script;
        script.choose(path);
        run(editorLogicSaveAs, script);
    }
    EXPECT_NE(testLogContent().find("couldn't save map to: gone/map\n"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists("third"));

    buildMap(3, 3);
    {
        ModalScript script;
        script.choose("data/maps/second");
        run(editorLogicLoad, script);
        ModalScript again;
        run(editorLogicSave, again);
    }
    EXPECT_TRUE(fileBytes("data/maps/second") == changed);

    Map* const before = globalMap;
    editorInfo->selectedWaterArea = 2;
    {
        ModalScript script;
        script.choose("data/maps/missing");
        run(editorLogicLoad, script);
    }
    EXPECT_NE(testLogContent().find("couldn't load map from: data/maps/missing\n"),
              std::string::npos);
    EXPECT_EQ(globalMap, before);
    EXPECT_TRUE(mapBytes() == changed);
    EXPECT_EQ(editorInfo->lastLoadedFilePath, "data/maps/second");
    EXPECT_EQ(editorInfo->selectedWaterArea, -1);

    globalParticleGenerator = new ParticleGenerator();
    globalParticleGenerator->setParameters(1, 5, 6, 7);
    editorLogicNew(nullptr);
    EXPECT_EQ(globalMap->getNumberOfColumns() * globalMap->getNumberOfRows(), 1);
    EXPECT_TRUE(editorInfo->lastLoadedFilePath.empty());
    EXPECT_EQ(globalParticleGenerator->type(), 0);
    delete globalParticleGenerator;
    globalParticleGenerator = nullptr;
}

TEST_F(EditorFileOperationsTest, WorldObjectListsRoundTripAndOnlyWholeFilesReplaceThem) {
    saveMap("objectMap");
    placeObject(new WOCrate(), 10, 10);
    placeObject(new WOSave(), 60, 20);
    {
        ModalScript script;
        script.choose("objects.mol");
        run(editorLogicSaveWorldObjects, script);
    }
    const std::string listBytes = fileBytes("objects.mol");
    ASSERT_GT(listBytes.size(), 8u);
    {
        ModalScript script;
        script.choose("objects.mol");
        script.answer("File exists. Overwrite?", false);
        placeObject(new WOCrate(), 30, 10);
        run(editorLogicSaveWorldObjects, script);
    }
    EXPECT_TRUE(fileBytes("objects.mol") == listBytes);

    std::ofstream("short.mol", std::ios::binary) << listBytes.substr(0, listBytes.size() - 3);
    const std::vector<WorldObject*> threeObjects = *globalWorldObjectVector;
    {
        ModalScript script;
        script.choose("short.mol");
        run(editorLogicLoadWorldObjects, script);
    }
    EXPECT_EQ(*globalWorldObjectVector, threeObjects);
    EXPECT_NE(testLogContent().find("Couldn't load object list!\n"), std::string::npos);

    {
        ModalScript script;
        script.choose("objects.mol");
        run(editorLogicLoadWorldObjects, script);
    }
    EXPECT_EQ(globalWorldObjectVector->size(), 2u);
    EXPECT_EQ(globalMapSpecificWorldObjectVector->size(), 2u);
    {
        ModalScript script;
        script.choose("again.mol");
        run(editorLogicSaveWorldObjects, script);
    }
    EXPECT_TRUE(fileBytes("again.mol") == listBytes);
    {
        ModalScript script;
        script.choose("gone/objects.mol");
        run(editorLogicSaveWorldObjects, script);
    }
    EXPECT_NE(testLogContent().find("Couldn't save object list!\n"), std::string::npos);
}

TEST_F(EditorFileOperationsTest, MusicAndParticleDialogsSetTheMapsValues) {
    std::ofstream("data/mapMusicNames.txt") << "3\nfirst.ogg\nsecond.ogg\nthird.ogg\n";
    globalMapMusicNames = new MapMusicNames();
    const int top = editorDialogTop();
    const int songRow = fontHeight(2, 12);
    {
        ModalScript script;
        const Point list{buttonWidth("Select", 2, 12) + 10, top + songRow};
        script.click([list, songRow] { return Point{list.x, list.y + songRow + songRow / 2}; });
        script.click([top, songRow] { return Point{3, top + songRow + 3}; });
        run(editorLogicMusicSelection, script);
    }
    EXPECT_STREQ(globalMap->getMusicName(), "second.ogg");
    delete globalMapMusicNames;
    globalMapMusicNames = nullptr;

    globalParticleGenerator = new ParticleGenerator();
    const int typeRow = fontHeight(12, 10);
    const int listTop = top + 15;
    PXUITextEntry twin(50);
    twin.setFont(fontPath().c_str(), 12);
    twin.setBounds(50, 0);
    const auto fieldAt = [listTop, &twin](int field) {
        return Point{215, listTop + field * (twin.height() + 5) + 3};
    };
    {
        ModalScript script;
        script.click([listTop, typeRow] { return Point{20, listTop + 2 * typeRow + typeRow / 2}; });
        const char* const texts[] = {"30", "99999", "-5"};
        for (int field = 0; field < 3; field++) {
            script.click([fieldAt, field] { return fieldAt(field); });
            const std::string text = texts[field];
            script.then([text] { _PXFocusedTextEntry->setText(text.c_str()); });
        }
        script.click([listTop, typeRow] { return Point{8, listTop + 3 * typeRow + 2 + 5 + 3}; });
        run(editorLogicToggleParticle, script);
    }
    EXPECT_EQ(globalMap->particleType(), ParticleGenerator::kTypeRain);
    EXPECT_EQ(globalMap->particleDelayMin(), 30);
    EXPECT_EQ(globalMap->particleDelayMax(), 3600);
    EXPECT_EQ(globalMap->particleGenerationAmount(), 0);
    EXPECT_EQ(globalParticleGenerator->type(), ParticleGenerator::kTypeRain);
    EXPECT_EQ(globalParticleGenerator->delayMin(), 30);
    delete globalParticleGenerator;
    globalParticleGenerator = nullptr;
}

} // namespace
