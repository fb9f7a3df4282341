// Random mouse and keyboard input, from a fixed seed, fed to every widget at once for many logic
// steps, checking after each step what must always hold.
#include "engine/PXFont.h"
#include "engine/PXKeyCodes.h"
#include "engine/ui/PXUIButton.h"
#include "engine/ui/PXUIDialogBox.h"
#include "engine/ui/PXUIFileBrowser.h"
#include "engine/ui/PXUIListBox.h"
#include "engine/ui/PXUIMenu.h"
#include "engine/ui/PXUITextEntry.h"
#include "tests/engine/ui/UITestFixture.h"
#include "tests/support/ScratchDirectory.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <random>
#include <string>
#include <vector>

using namespace ui_input;
namespace fs = std::filesystem;

namespace {

constexpr int kSteps = 12000;
constexpr int kDrawEvery = 25;
constexpr int kFontSize = 12;
constexpr int kEntryMaximum = 8;
constexpr int kPathMaximum = 200;
// Shift, Backspace, Delete, Return, Left, Right, Escape, Left Control, slash, full stop, 1, 2,
// and a few letters.
constexpr std::array kKeys{122,
                           56,
                           55,
                           53,
                           101,
                           100,
                           69,
                           PXKeyCode::kLeftControl,
                           61,
                           60,
                           72,
                           73,
                           1,
                           4,
                           PXKeyCode::kO,
                           PXKeyCode::kR,
                           PXKeyCode::kS,
                           26};

// Counts each menu callback and whether any menu was still open when one ran.
struct MenuRecord {
    std::vector<PXUIMenu*> menus;
    int fired = 0;
    bool openWhenFired = false;
};

void recordFiring(void* argument) {
    auto* record = static_cast<MenuRecord*>(argument);
    record->fired++;
    for (const PXUIMenu* menu : record->menus) {
        record->openWhenFired = record->openWhenFired || menu->isOpen();
    }
}

class UIFuzzTest : public UITestFixture {
protected:
    void SetUp() override {
        UITestFixture::SetUp();
        for (const char* folder : {"maps/old", "maps/new", "music", "empty"}) {
            fs::create_directories(_root + folder);
        }
        for (const char* file : {"maps/old/m1", "maps/new/m2", "music/a.ogg", "readme"}) {
            std::ofstream(_root + file) << "x";
        }
    }
    std::unique_ptr<PXUIMenu> menuBar(MenuRecord& record) const {
        auto file = std::make_unique<PXUIMenu>("File");
        file->setFont(kFontPath, PX_FONT_MODE_TEXTURE);
        file->setFontSize(kFontSize);
        file->addMenuItemWithName("Open", recordFiring, &record, PXKeyCode::kLeftControl,
                                  PXKeyCode::kO);
        file->addDivider();
        file->addMenuItemWithName("Save", recordFiring, &record, PXKeyCode::kLeftControl,
                                  PXKeyCode::kS);
        auto recent = std::make_unique<PXUIMenu>("Recent");
        recent->addMenuItemWithName("First", recordFiring, &record);
        recent->addMenuItemWithName("Reload", recordFiring, &record, PXKeyCode::kLeftControl,
                                    PXKeyCode::kR);
        record.menus = {file.get(), recent.get()};
        file->addSubMenu(std::move(recent));
        return file;
    }

    std::unique_ptr<PXUIFileBrowser> browser() const {
        auto made = std::make_unique<PXUIFileBrowser>(kPathMaximum, kFontPath, PX_FONT_MODE_TEXTURE,
                                                      kFontSize, "Save", _root.c_str());
        made->setPos(300, 180);
        return made;
    }

    ScratchDirectory _scratch{"widget-fuzz"};
    const std::string _root = _scratch.path() + "/";
};

// Mouse moves (mostly onto a widget), clicks, button changes, wheel turns and key changes.
class RandomInput {
public:
    // Up to two input events, aimed at the widgets given; a click started in the last step ends
    // first.
    void step(const std::vector<const _PXUIWidget*>& targets) {
        if (_clicking) {
            setMouseButton(0, false);
            _clicking = false;
        }
        const int events = pick(0, 2);
        for (int event = 0; event < events; event++) {
            apply(pick(0, 99), targets);
        }
    }

private:
    int pick(int low, int high) { return std::uniform_int_distribution(low, high)(_random); }

    void apply(int roll, const std::vector<const _PXUIWidget*>& targets) {
        if (roll < 22) {
            moveToTarget(targets);
        } else if (roll < 30) {
            moveToTarget(targets);
            setMouseButton(0, true);
            _clicking = true;
        } else if (roll < 35) {
            moveMouse(pick(0, 639), pick(0, 479));
        } else if (roll < 55) {
            setMouseButton(pick(0, 9) < 8 ? 0 : pick(1, 2), pick(0, 1) == 1);
        } else if (roll < 62) {
            turnWheel(pick(0, 1) == 1);
        } else if (roll < 98) {
            setKey(kKeys[pick(0, static_cast<int>(kKeys.size()) - 1)], pick(0, 1) == 1);
        } else {
            releaseEverything();
        }
    }

    // Somewhere on or just around one of the widgets.
    void moveToTarget(const std::vector<const _PXUIWidget*>& targets) {
        const _PXUIWidget& target = *targets[pick(0, static_cast<int>(targets.size()) - 1)];
        moveMouse(target.xPos() + pick(-2, target.w() + 2),
                  target.yPos() + pick(-2, target.h() + 2));
    }

    std::mt19937 _random{20261206};
    bool _clicking = false;
};

void expectListInvariants(PXUIListBox& list) {
    const int selected = list.selectedItemIndex();
    EXPECT_TRUE(selected == -1 || (selected >= 0 && selected < list.numberOfItems())) << selected;
    const int shown = list.getNumberOfDisplayItems();
    const int lastStart = shown == -1 ? 0 : std::max(0, list.numberOfItems() - shown);
    EXPECT_GE(list.startItemIndex(), 0);
    EXPECT_LE(list.startItemIndex(), lastStart);
}

void expectEntryInvariants(const PXUITextEntry& entry, int maximum) {
    const int length = static_cast<int>(entry.getText().size());
    EXPECT_LE(length, maximum);
    EXPECT_GE(entry.cursorPosition(), 0);
    EXPECT_LE(entry.cursorPosition(), length);
    EXPECT_GE(entry.displayStart(), 0);
    EXPECT_LE(entry.displayStart(), length);
}

TEST_F(UIFuzzTest, RandomInputKeepsEveryWidgetConsistent) {
    MenuRecord record;
    std::unique_ptr<PXUIMenu> file = menuBar(record);

    PXUIButton button;
    button.setFont(kFontPath, PX_FONT_MODE_TEXTURE);
    button.setText("Press");
    button.setPos(200, 10);

    PXUIListBox longList;
    longList.setFont(kFontPath, PX_FONT_MODE_TEXTURE);
    longList.setFontSize(kFontSize);
    for (int item = 0; item < 60; item++) {
        longList.addItem(("item number " + std::to_string(item)).c_str());
    }
    longList.setNumberOfDisplayItems(6);
    longList.setBounds(120, 0);
    longList.setPos(10, 200);
    PXUIListBox emptyList;
    emptyList.setFont(kFontPath, PX_FONT_MODE_TEXTURE);
    emptyList.setBounds(100, 60);
    emptyList.setPos(150, 200);

    PXUITextEntry entry(kEntryMaximum);
    entry.setFont(kFontPath, PX_FONT_MODE_TEXTURE);
    entry.setBounds(60, 0);
    entry.setPos(300, 60);

    PXUIDialogBox dialog;
    dialog.setFont(kFontPath, PX_FONT_MODE_TEXTURE);
    dialog.setPos(10, 380);
    dialog.setMessage("Keep the changes?");
    dialog.addButton("Yes");
    dialog.addButton("No");

    std::unique_ptr<PXUIFileBrowser> fileBrowser = browser();
    RandomInput input;
    int browsersFinished = 0;
    int buttonClicks = 0;
    for (int step = 0; step < kSteps && !HasFailure(); step++) {
        input.step({file.get(), &button, &longList, &emptyList, &entry, &dialog,
                    &fileBrowser->entryList(), &fileBrowser->pathEntry(), &fileBrowser->okButton(),
                    &fileBrowser->cancelButton()});
        file->poll();
        buttonClicks += button.clicked(0) ? 1 : 0;
        longList.poll();
        emptyList.poll();
        entry.poll();
        dialog.poll();
        const std::string shownPath = fileBrowser->pathEntry().getText();
        if (!fileBrowser->poll()) {
            const std::optional<std::string> chosen = fileBrowser->selection();
            EXPECT_TRUE(!chosen || *chosen == shownPath) << *chosen << " vs " << shownPath;
            browsersFinished++;
            fileBrowser = browser();
        } else if (fileBrowser->currentDirectory().rfind(_root, 0) != 0) {
            // Keeps the browser from wandering the whole machine.
            fileBrowser->loadDirectory(_root.c_str());
        }

        EXPECT_FALSE(record.openWhenFired);
        expectListInvariants(longList);
        expectListInvariants(emptyList);
        expectListInvariants(fileBrowser->entryList());
        expectEntryInvariants(entry, kEntryMaximum);
        expectEntryInvariants(fileBrowser->pathEntry(), kPathMaximum);
        EXPECT_GE(dialog.buttonIndexClicked(), -1);
        EXPECT_LE(dialog.buttonIndexClicked(), 1);
        if (step % kDrawEvery == 0) {
            for (_PXUIWidget* widget :
                 std::initializer_list<_PXUIWidget*>{&button, &longList, &emptyList, &entry,
                                                     &dialog, fileBrowser.get(), file.get()}) {
                widget->draw();
            }
        }
    }
    // The run must reach the interesting states, or it checks little.
    EXPECT_GT(record.fired, 0);
    EXPECT_GT(buttonClicks, 0);
    EXPECT_GT(browsersFinished, 0);
    EXPECT_NE(dialog.buttonIndexClicked(), -1);
}

} // namespace
