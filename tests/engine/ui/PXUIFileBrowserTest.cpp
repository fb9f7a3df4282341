#include "engine/ui/PXUIFileBrowser.h"
#include "engine/PXFont.h"
#include "engine/PXFontCache.h"
#include "engine/PXInit.h"
#include "engine/PXKeyCodes.h"
#include "engine/PXKeyboard.h"
#include "tests/engine/ui/UITestFixture.h"
#include "tests/support/ScratchDirectory.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <new>
#include <string>
#include <vector>

using namespace ui_input;
namespace fs = std::filesystem;

namespace {

constexpr int kFontSize = 12;
constexpr int kMaximumPath = 1024;

class FileBrowserTest : public UITestFixture {
protected:
    std::string makeFolder(const std::string& relative) const {
        fs::create_directories(_root + relative);
        return _root + relative + "/";
    }
    void makeFile(const std::string& relative) const { std::ofstream(_root + relative) << "x"; }

    PXUIFileBrowser browserAt(const std::string& directory, int maximumPath = kMaximumPath) const {
        return PXUIFileBrowser(maximumPath, kFontPath, PX_FONT_MODE_TEXTURE, kFontSize, "Load",
                               directory.c_str());
    }

    static std::vector<std::string> items(PXUIFileBrowser& browser) {
        std::vector<std::string> listed;
        for (int index = 0; index < browser.entryList().numberOfItems(); index++) {
            listed.push_back(browser.entryList().itemAtIndex(index).value());
        }
        return listed;
    }
    // Presses and releases the left button over the point, one logic step each.
    static void clickAt(PXUIFileBrowser& browser, int x, int y) {
        moveMouse(x, y);
        for (const bool down : {true, false}) {
            setMouseButton(0, down);
            browser.poll();
        }
    }
    static void clickCentre(PXUIFileBrowser& browser, const _PXUIWidget& widget) {
        clickAt(browser, widget.xPos() + widget.w() / 2, widget.yPos() + widget.h() / 2);
    }
    // Clicks the middle of the row that shows the index (the list scrolled to the top).
    static void clickRow(PXUIFileBrowser& browser, int row) {
        const PXUIListBox& list = browser.entryList();
        const float rowHeight = list.h() / static_cast<float>(list.getNumberOfDisplayItems());
        clickAt(browser, list.xPos() + 20,
                list.yPos() + static_cast<int>(rowHeight * (row + 0.5f)));
    }
    static void clickItem(PXUIFileBrowser& browser, const std::string& name) {
        const std::vector<std::string> listed = items(browser);
        const auto found = std::find(listed.begin(), listed.end(), name);
        ASSERT_NE(found, listed.end()) << name;
        clickRow(browser, static_cast<int>(found - listed.begin()));
    }
    static void doubleClickItem(PXUIFileBrowser& browser, const std::string& name) {
        clickItem(browser, name);
        clickItem(browser, name);
    }
    static void idle(PXUIFileBrowser& browser, int steps) {
        moveMouse(0, 0);
        for (int step = 0; step < steps; step++) {
            browser.poll();
        }
    }
    static void tap(PXUIFileBrowser& browser, int key) {
        for (const bool down : {true, false}) {
            setKey(key, down);
            browser.poll();
        }
    }

    ScratchDirectory _scratch{"browser"};
    const std::string _root = _scratch.path() + "/";
};

TEST_F(FileBrowserTest, ListsFoldersFirstAndGoesUpToTheParent) {
    makeFolder("a/b");
    makeFolder("a/alpha");
    makeFolder("a/Beta");
    makeFile("a/zeta.txt");
    makeFile("a/Zed");
    makeFile("a/c.txt");
    fs::create_symlink(_root + "nowhere", _root + "a/dangling");
    PXUIFileBrowser browser = browserAt(_root + "a/b");
    EXPECT_EQ(browser.currentDirectory(), _root + "a/b/");
    EXPECT_EQ(browser.pathEntry().getText(), _root + "a/b/");

    doubleClickItem(browser, "../");
    EXPECT_EQ(browser.currentDirectory(), _root + "a/");
    EXPECT_EQ(items(browser), (std::vector<std::string>{"../", "Beta/", "alpha/", "b/", "Zed",
                                                        "c.txt", "dangling", "zeta.txt"}));
    EXPECT_NE(std::string(PXError()).find("Stat failed: " + _root + "a/dangling"),
              std::string::npos)
        << "an entry whose status fails is listed as a file and reported";

    ASSERT_TRUE(browser.loadDirectory("/tmp"));
    doubleClickItem(browser, "../");
    EXPECT_EQ(browser.currentDirectory(), "/");
    doubleClickItem(browser, "../");
    EXPECT_EQ(browser.currentDirectory(), "/") << "the root's parent is the root";
    browser.pathEntry().setText("");
    doubleClickItem(browser, "../");
    EXPECT_EQ(browser.currentDirectory(), "/") << "an empty path goes up to the root";
    EXPECT_TRUE(browser.poll());

    ASSERT_TRUE(browser.loadDirectory((_root + "a").c_str()));
    doubleClickItem(browser, "c.txt");
    EXPECT_FALSE(browser.poll()) << "a file double-clicked ends the browser";
    EXPECT_EQ(browser.selection(), _root + "a/c.txt");
}

TEST_F(FileBrowserTest, OnlyTwoClicksOnOneItemWithin120StepsOpenIt) {
    makeFolder("one");
    makeFolder("two");
    PXUIFileBrowser browser = browserAt(_root);
    ASSERT_EQ(items(browser), (std::vector<std::string>{"../", "one/", "two/"}));

    clickItem(browser, "one/");
    idle(browser, 119);
    clickItem(browser, "one/");
    EXPECT_EQ(browser.currentDirectory(), _root) << "121 steps apart";

    clickItem(browser, "two/");
    clickItem(browser, "one/");
    EXPECT_EQ(browser.currentDirectory(), _root) << "two different items";

    idle(browser, 118);
    clickItem(browser, "one/");
    EXPECT_EQ(browser.currentDirectory(), _root + "one/") << "120 steps apart";
    EXPECT_TRUE(items(browser) == std::vector<std::string>{"../"});
}

TEST_F(FileBrowserTest, OkReturnsTheTypedTextAndCancelReturnsNothing) {
    PXUIFileBrowser browser = browserAt(_root);
    clickCentre(browser, browser.pathEntry());
    setKey(PXKeyCode::kLeftShift, true);
    tap(browser, PXKeyCode::kM);
    setKey(PXKeyCode::kLeftShift, false);
    for (const int key : {PXKeyCode::kA, PXKeyCode::kP}) {
        tap(browser, key);
    }
    EXPECT_EQ(browser.pathEntry().getText(), _root + "Map");
    EXPECT_EQ(browser.selection(), std::nullopt);
    clickCentre(browser, browser.okButton());
    EXPECT_FALSE(browser.poll());
    EXPECT_EQ(browser.selection(), _root + "Map");

    makeFolder("typed");
    PXUIFileBrowser typing = browserAt(_root);
    typing.pathEntry().setText((_root + "typed").c_str());
    moveMouse(typing.pathEntry().xPos() + 5, typing.pathEntry().yPos() + 5);
    tap(typing, PXKeyCode::kReturn);
    EXPECT_EQ(typing.currentDirectory(), _root + "typed/") << "Return over the entry opens it";
    clickCentre(typing, typing.cancelButton());
    EXPECT_FALSE(typing.poll());
    EXPECT_FALSE(typing.poll()) << "a finished browser stays finished";
    EXPECT_EQ(typing.selection(), std::nullopt);

    EXPECT_THROW(PXUIFileBrowser(kMaximumPath, kMissingFontPath, PX_FONT_MODE_TEXTURE, kFontSize,
                                 "Load", _root.c_str()),
                 std::bad_alloc);
}

TEST_F(FileBrowserTest, ShowsTheRowsThatFitButNeverFewerThanTwo) {
    for (int file = 0; file < 40; file++) {
        makeFile("file" + std::to_string(file));
    }
    PXUIFileBrowser browser = browserAt(_root);
    browser.setPos(10, 20);
    browser.setBounds(300, 200);
    const PXUIListBox& list = browser.entryList();
    const float rowHeight =
        _PXGlobalFontCache->fontAtPath(kFontPath, PX_FONT_MODE_TEXTURE, kFontSize)->fullHeight();
    const int browserBottom = browser.yPos() + browser.h();
    EXPECT_EQ(browser.h(), 200);
    EXPECT_LE(list.yPos() + list.h(), browserBottom);
    EXPECT_GT(list.yPos() + list.h() + rowHeight, browserBottom - 2) << "one more row would fit";
    EXPECT_GE(list.getNumberOfDisplayItems(), 2);
    EXPECT_EQ(browser.okButton().xPos(), browser.cancelButton().xPos());
    EXPECT_LE(browser.okButton().xPos() + browser.okButton().w(), browser.xPos() + browser.w());

    browser.setBounds(300, 10);
    EXPECT_EQ(list.getNumberOfDisplayItems(), 2);
    EXPECT_LE(list.yPos() + list.h(), browser.yPos() + browser.h()) << "the browser grows to fit";
    EXPECT_LE(browser.cancelButton().yPos() + browser.cancelButton().h(),
              browser.yPos() + browser.h());

    browser.setNumberOfItemsInList(5);
    EXPECT_EQ(list.getNumberOfDisplayItems(), 5);
}

TEST_F(FileBrowserTest, RefusesWhatWouldGoWrong) {
    makeFile("only");
    makeFolder("a-rather-long-folder-name");
    PXUIFileBrowser browser = browserAt(_root, static_cast<int>(_root.size()) + 8);
    browser.setBounds(300, 300);
    ASSERT_GT(browser.entryList().getNumberOfDisplayItems(), 6);

    clickRow(browser, 5);
    clickRow(browser, 5);
    EXPECT_TRUE(browser.poll()) << "clicks below a short listing";
    EXPECT_EQ(browser.currentDirectory(), _root);

    doubleClickItem(browser, "a-rather-long-folder-name/");
    EXPECT_EQ(browser.currentDirectory(), _root) << "a path past the maximum is never cut";
    EXPECT_EQ(browser.pathEntry().getText(), _root);
    EXPECT_NE(std::string(PXError()).find("longer than"), std::string::npos);

    EXPECT_FALSE(browser.loadDirectory("/nonexistent/corvane/"));
    EXPECT_NE(std::string(PXError()).find("Couldn't open directory"), std::string::npos);
    const std::string locked = makeFolder("locked");
    fs::permissions(locked, fs::perms::none);
    browser.loadDirectory(locked.c_str());
    EXPECT_TRUE(browser.poll()) << "a folder that cannot be read is not chosen as a file";
    fs::permissions(locked, fs::perms::owner_all);
}

} // namespace
