#include "editor/EditorObjectEdit.h"
#include "editor/EditorFileOperations.h"
#include "editor/EditorInfo.h"
#include "editor/EditorObjectEditWidgetSet.h"
#include "engine/PXInit.h"
#include "engine/ui/PXUIButton.h"
#include "engine/ui/PXUIListBox.h"
#include "engine/ui/PXUITextEntry.h"
#include "game/core/Globals.h"
#include "game/objects/WOCrate.h"
#include "game/objects/WONPCDoor.h"
#include "game/objects/WOTeleport.h"
#include "game/objects/WorldObjectVector.h"
#include "game/player/Player.h"
#include "game/world/Map.h"
#include "tests/engine/ui/UIInput.h"
#include "tests/support/GameplayFixture.h"
#include "tests/support/TestLog.h"

#include <algorithm>
#include <climits>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <new>
#include <string>
#include <vector>

using namespace ui_input;

namespace {

// The fields of an inhabitant door, in the order it publishes them.
constexpr int kLabelField = 0;
constexpr int kStateField = 1;
constexpr int kNpcTypeField = 2;
constexpr int kNumberRequiredField = 3;

class EditorObjectEditTest : public GameplayFixture {
protected:
    void SetUp() override {
        GameplayFixture::SetUp();
        releaseEverything();
        editorInfo = new EditorInfo();
        saveMap("edited");
    }
    void TearDown() override {
        delete editorInfo;
        editorInfo = nullptr;
        releaseEverything();
        GameplayFixture::TearDown();
    }

    // Selects the object and runs the first step of object edit.
    static void startEditing(WorldObject& object) {
        editorInfo->selectedObject = &object;
        editorLogicToggleObjectEdit(nullptr);
        objectEditModeLogic();
    }
    static EditorObjectEditWidgetSet& field(int index) {
        return *editorInfo->objectEditWidgetSets.at(index);
    }
    // A logic step with the left button down at the point, then one with it up.
    static void clickAt(int x, int y) {
        moveMouse(x, y);
        for (bool down : {true, false}) {
            setMouseButton(0, down);
            objectEditModeLogic();
        }
    }
    static void click(const _PXUIWidget& widget) { clickAt(widget.xPos() + 2, widget.yPos() + 2); }
    static void pressKey(int code) {
        for (bool down : {true, false}) {
            setKey(code, down);
            objectEditModeLogic();
        }
    }
    // Focuses the entry, empties it and types the text (letters, digits, '%' and '-').
    static void typeInto(const PXUITextEntry& entry, const std::string& text) {
        click(entry);
        const int backspace = _PXKeyCodeForSymbol(SDLK_BACKSPACE);
        for (std::size_t left = entry.getText().size(); left > 0; left--) {
            pressKey(backspace);
        }
        const int shift = _PXKeyCodeForSymbol(SDLK_LSHIFT);
        for (char character : text) {
            const bool shifted = character == '%';
            const char key = shifted ? '5' : character;
            setKey(shift, shifted);
            pressKey(_PXKeyCodeForSymbol(static_cast<SDLKey>(key)));
            setKey(shift, false);
        }
        ASSERT_EQ(entry.getText(), text);
    }
    static void setIntegerTo(const std::string& text) {
        typeInto(*field(kNumberRequiredField).textEntry(), text);
        click(*field(kNumberRequiredField).setterButton());
    }
};

// Without fields only "Done" shows, at the top left; it ends the edit. Sets stack downwards.
TEST_F(EditorObjectEditTest, FieldsStackDownwardsAndDoneEndsTheEdit) {
    WOCrate& crate = placeObject(new WOCrate(), 10, 10);
    editorLogicToggleObjectEdit(nullptr);
    EXPECT_FALSE(editorInfo->objectEditActive) << "nothing is selected";

    startEditing(crate);
    ASSERT_TRUE(editorInfo->objectEditInitialised);
    EXPECT_TRUE(editorInfo->objectEditWidgetSets.empty());
    EXPECT_EQ(editorInfo->doneButton->xPos(), 0);
    EXPECT_EQ(editorInfo->doneButton->yPos(), 0);
    click(*editorInfo->doneButton);
    EXPECT_FALSE(editorInfo->objectEditActive || editorInfo->objectEditInitialised);

    WONPCDoor& door = placeObject(new WONPCDoor(), 40, 10);
    startEditing(door);
    ASSERT_EQ(editorInfo->objectEditWidgetSets.size(), 4u);
    int y = 0;
    for (const auto& set : editorInfo->objectEditWidgetSets) {
        const _PXUIWidget* first = set->textEntry();
        if (first == nullptr) {
            first = set->toggleButton() != nullptr ? static_cast<_PXUIWidget*>(set->toggleButton())
                                                   : set->listBox();
        }
        EXPECT_EQ(first->yPos(), y);
        EXPECT_GT(first->xPos(), 10) << "after the title";
        y += set->getHeight();
    }
    EXPECT_EQ(editorInfo->doneButton->yPos(), y);
    const EditorObjectEditWidgetSet& label = field(kLabelField);
    EXPECT_EQ(label.setterButton()->xPos(),
              label.textEntry()->xPos() + label.textEntry()->width() + 10);
    const EditorObjectEditWidgetSet& npcType = field(kNpcTypeField);
    EXPECT_GE(npcType.setterButton()->xPos(), npcType.listBox()->xPos() + 255)
        << "the button does not cover the list";
    EXPECT_EQ(npcType.listBox()->getNumberOfDisplayItems(), 5);

    clearTo(255, 255, 255);
    objectEditModeDraw();
    EXPECT_EQ(pixelAt(label.textEntry()->xPos() + 100, label.textEntry()->yPos() + 3),
              (RGBA{0, 0, 0, 255}))
        << "an entry is drawn where it is clicked";

    editorLogicToggleObjectEdit(nullptr);
    EXPECT_FALSE(editorInfo->objectEditActive);
    EXPECT_TRUE(editorInfo->objectEditWidgetSets.empty());
}

// "Set" stores the leading number, 0 without one, clamped to 32 bits; "Toggle" inverts.
TEST_F(EditorObjectEditTest, IntegerAndFlagFields) {
    WONPCDoor& door = placeObject(new WONPCDoor(), 40, 10);
    startEditing(door);
    EXPECT_EQ(field(kNumberRequiredField).textEntry()->getText(), "1");

    setIntegerTo("12abc");
    EXPECT_EQ(door.numberRequired(), 12);
    setIntegerTo("abc");
    EXPECT_EQ(door.numberRequired(), 0);
    setIntegerTo("99999999999");
    EXPECT_EQ(door.numberRequired(), INT_MAX);
    setIntegerTo("-99999999999");
    EXPECT_EQ(door.numberRequired(), INT_MIN);
    setIntegerTo("-7");
    EXPECT_EQ(door.numberRequired(), -7);
    EXPECT_EQ(leadingInteger("  +42x"), 42);

    ASSERT_EQ(door.state(), 0);
    click(*field(kStateField).toggleButton());
    EXPECT_EQ(door.state(), -1);
    click(*field(kStateField).toggleButton());
    EXPECT_EQ(door.state(), 0);
}

// Texts are written as typed; a choice writes the selected entry, and nothing without one.
TEST_F(EditorObjectEditTest, TextAndChoiceFields) {
    WONPCDoor& door = placeObject(new WONPCDoor(), 40, 10);
    startEditing(door);

    typeInto(*field(kLabelField).textEntry(), "gate%d");
    EXPECT_STREQ(door.label(), "");
    click(*field(kLabelField).setterButton());
    EXPECT_STREQ(door.label(), "gate%d");
    field(kLabelField).textEntry()->setText(std::string(255, 'x').c_str());
    click(*field(kLabelField).setterButton());
    EXPECT_EQ(std::string(door.label()), std::string(254, 'x')) << "cut to the storage";
    EXPECT_EQ(door.state(), 0) << "the field after the label is untouched";

    const std::string before = door.npcType();
    click(*field(kNpcTypeField).setterButton());
    EXPECT_EQ(door.npcType(), before) << "no entry selected";

    const PXUIListBox& list = *field(kNpcTypeField).listBox();
    const int rowHeight = (list.height() - 2) / 5;
    clickAt(list.xPos() + 5, list.yPos() + 2 * rowHeight + rowHeight / 2);
    click(*field(kNpcTypeField).setterButton());
    EXPECT_EQ(door.npcType(), WONPCDoor::npcTypes().at(2));

    int missing = 0;
    EditorObjectEditWidgetSet unstored("Text", 2, nullptr, nullptr);
    EXPECT_EQ(unstored.textEntry()->getText(), "Data storage not allocated!");
    EXPECT_THROW(EditorObjectEditWidgetSet("Odd", 4, nullptr, &missing), std::bad_alloc);
}

// "Done" leaves typed text unapplied and makes the object take up the edited values.
TEST_F(EditorObjectEditTest, DoneKeepsPendingTextAndUpdatesTheObject) {
    WONPCDoor& door = placeObject(new WONPCDoor(), 40, 10);
    startEditing(door);
    typeInto(*field(kLabelField).textEntry(), "pending");
    click(*field(kStateField).toggleButton());
    EXPECT_TRUE(door.getPropertyFlags() & WORLD_OBJECT_PROPERTY_SOLID) << "not yet taken up";

    click(*editorInfo->doneButton);
    EXPECT_STREQ(door.label(), "");
    EXPECT_FALSE(door.getPropertyFlags() & WORLD_OBJECT_PROPERTY_SOLID) << "open doors let by";
    EXPECT_FALSE(editorInfo->objectEditActive);
    EXPECT_TRUE(editorInfo->objectEditWidgetSets.empty());
}

// Removing destroys the selected object, even while dragged, and forgets every pointer to it.
TEST_F(EditorObjectEditTest, RemoveSelectedObject) {
    WOCrate& kept = placeObject(new WOCrate(), 10, 10);
    WONPCDoor& door = placeObject(new WONPCDoor(), 40, 10);
    editorLogicRemoveSelectedObject(nullptr);
    EXPECT_EQ(globalWorldObjectVector->size(), 2u) << "nothing selected";

    startEditing(door);
    editorInfo->draggedObject = &door;
    editorLogicRemoveSelectedObject(nullptr);
    EXPECT_EQ(*globalWorldObjectVector, std::vector<WorldObject*>{&kept});
    EXPECT_EQ(*globalMapSpecificWorldObjectVector, std::vector<WorldObject*>{&kept});
    EXPECT_EQ(editorInfo->selectedObject, nullptr);
    EXPECT_EQ(editorInfo->draggedObject, nullptr);
    EXPECT_FALSE(editorInfo->objectEditActive);
    EXPECT_TRUE(editorInfo->objectEditWidgetSets.empty());
    objectEditModeLogic();
}

// Runs the special edit with one input action per modal logic step; a loop outliving the
// actions fails and is ended through the quit request.
void runSpecialEdit(const std::vector<std::function<void()>>& actions) {
    std::size_t next = 0;
    setEditorModalStepHookForTesting([&] {
        if (next < actions.size()) {
            actions[next++]();
            return;
        }
        ADD_FAILURE() << "a modal loop outlived its input";
        _PXAppQuitRequested = PX_TRUE;
    });
    editorLogicToggleObjectSpecialEdit(nullptr);
    setEditorModalStepHookForTesting({});
    _PXAppQuitRequested = PX_FALSE;
    EXPECT_EQ(next, actions.size());
}

// The browser's path entry takes the focus in its first step: then the path goes in, and OK
// (right of the entry) is clicked.
std::vector<std::function<void()>> chooseMap(const std::string& path) {
    const auto pressOk = [] {
        const PXUITextEntry& entry = *_PXFocusedTextEntry;
        moveMouse(entry.xPos() + entry.width() + 5, entry.yPos() + 4);
        setMouseButton(0, true);
    };
    return {[] {}, [path] { _PXFocusedTextEntry->setText(path.c_str()); }, pressOk,
            [] { setMouseButton(0, false); }};
}

// Only a teleport gets a destination: the map is chosen, the click on it sets the destination,
// the arrows scroll, Space ends; a map that cannot be loaded changes nothing.
TEST_F(EditorObjectEditTest, TeleportDestinationIsPickedOnAnotherMap) {
    WONPCDoor& door = placeObject(new WONPCDoor(), 40, 10);
    editorInfo->selectedObject = &door;
    runSpecialEdit({});

    saveMap("dest");
    saveMap("edited");
    WOTeleport& teleport = placeObject(new WOTeleport(), 60, 10);
    editorInfo->selectedObject = &teleport;
    globalPlayer->setPosition(33, 44);
    std::vector<std::function<void()>> actions =
        chooseMap(std::filesystem::absolute("data/maps/missing").string());
    clearTestLog();
    runSpecialEdit(actions);
    EXPECT_STREQ(teleport.destination(), "");
    EXPECT_NE(testLogContent().find("Couldn't load desination map.\n"), std::string::npos);

    actions = chooseMap(std::filesystem::absolute("data/maps/dest").string());
    actions.push_back([] {
        moveMouse(100, 60);
        setMouseButton(0, true);
    });
    actions.push_back([] {
        setMouseButton(0, false);
        setKey(_PXKeyCodeForSymbol(SDLK_RIGHT), true);
    });
    actions.push_back([] {
        setKey(_PXKeyCodeForSymbol(SDLK_RIGHT), false);
        EXPECT_EQ(globalPlayer->getXPos(), 100 / SCREEN_SCALE_FACTOR - 2) << "drawn at the view";
        setKey(_PXKeyCodeForSymbol(SDLK_SPACE), true);
    });
    runSpecialEdit(actions);
    EXPECT_STREQ(teleport.destination(), "dest");
    EXPECT_EQ(teleport.destinationX(), 100 / SCREEN_SCALE_FACTOR);
    EXPECT_EQ(teleport.destinationY(), 60 / SCREEN_SCALE_FACTOR);
    EXPECT_EQ(globalPlayer->getXPos(), 33);
    EXPECT_EQ(globalPlayer->getYPos(), 44);
    EXPECT_STREQ(globalMap->getFilename(), "edited");
    EXPECT_EQ(globalMapSpecificWorldObjectVector->size(), 2u);
}

} // namespace
