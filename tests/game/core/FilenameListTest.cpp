#include "game/core/FilenameList.h"
#include "game/core/MapMusicNames.h"
#include "game/core/TilesetNames.h"
#include "tests/support/ScratchWorkingDirectory.h"
#include "tests/support/TestLog.h"

#include <gtest/gtest.h>
#include <new>
#include <string>
#include <vector>

namespace {

class FilenameListTest : public ::testing::Test {
protected:
    // Loads a list from a names file placed in a subfolder of the data tree.
    bool load(const std::string& content) {
        directory.writeFile("data/lists/names.txt", content);
        return list.LoadFilenames("names.txt");
    }

    std::vector<std::string> nextNames(int count) {
        std::vector<std::string> names;
        for (int i = 0; i < count; i++) {
            const char* name = list.getNextFilename();
            names.push_back(name != nullptr ? name : "<null>");
        }
        return names;
    }

    ScratchWorkingDirectory directory{"names"};
    FilenameList list;
};

TEST_F(FilenameListTest, NamesComeInACircleBothWays) {
    ASSERT_TRUE(load("3\nalpha\nbeta\ngamma\n"));
    EXPECT_EQ(list.count(), 3);
    EXPECT_EQ(nextNames(4), (std::vector<std::string>{"alpha", "beta", "gamma", "alpha"}));

    FilenameList fresh;
    ASSERT_TRUE(fresh.LoadFilenames("names.txt"));
    EXPECT_STREQ(fresh.getPreviousFilename(), "gamma") << "a fresh list steps back to the end";
    EXPECT_STREQ(fresh.getPreviousFilename(), "beta");

    list.reset();
    EXPECT_STREQ(list.getNextFilename(), "beta") << "after reset the next name is the second";
    list.reset();
    EXPECT_STREQ(list.getPreviousFilename(), "gamma");
}

TEST_F(FilenameListTest, ResetOnASingleNameGivesThatName) {
    ASSERT_TRUE(load("1\nonly\n"));
    list.reset();
    EXPECT_STREQ(list.getNextFilename(), "only");
    EXPECT_STREQ(list.getPreviousFilename(), "only");
}

TEST_F(FilenameListTest, LinesAreCutAt254CharactersAndKeepCarriageReturns) {
    const std::string longLine(300, 'x');
    ASSERT_TRUE(load("3\r\n" + longLine + "\nwindows\r\n"));
    EXPECT_EQ(nextNames(3),
              (std::vector<std::string>{std::string(254, 'x'), std::string(46, 'x'), "windows\r"}));
}

TEST_F(FilenameListTest, BadCountsFailAndShortFilesKeepWhatTheyHold) {
    for (const std::string bad : {"-2\na\n", "10001\na\n", "many\na\n", ""}) {
        EXPECT_FALSE(load(bad)) << bad;
        EXPECT_EQ(list.getNextFilename(), nullptr);
    }
    ASSERT_TRUE(load("  5\none\ntwo\n"));
    EXPECT_EQ(list.count(), 2);
    EXPECT_EQ(nextNames(3), (std::vector<std::string>{"one", "two", "one"}));
    EXPECT_NE(testLogContent().find("promised 5 names but holds 2"), std::string::npos);

    ASSERT_TRUE(load("0\nignored\n"));
    EXPECT_EQ(list.getNextFilename(), nullptr);
    EXPECT_EQ(list.getPreviousFilename(), nullptr);
}

TEST_F(FilenameListTest, ReloadingReplacesTheNamesAndRestartsTheCircle) {
    ASSERT_TRUE(load("4\na\nb\nc\nd\n"));
    nextNames(4);
    ASSERT_TRUE(load("2\nx\ny\n"));
    EXPECT_STREQ(list.getPreviousFilename(), "y");
    EXPECT_FALSE(list.LoadFilenames("missing.txt"));
    EXPECT_EQ(list.count(), 0);
}

TEST_F(FilenameListTest, TheTwoGameListsLoadTheirFilesOrThrow) {
    EXPECT_THROW(TilesetNames(), std::bad_alloc);
    EXPECT_THROW(MapMusicNames(), std::bad_alloc);
    directory.writeFile("data/tilesetNames.txt", "1\ngrass\n");
    directory.writeFile("data/music/mapMusicNames.txt", "2\ncave.ogg\nsea.mod\n");
    TilesetNames tilesets;
    MapMusicNames songs;
    EXPECT_STREQ(tilesets.getNextFilename(), "grass");
    EXPECT_STREQ(songs.getPreviousFilename(), "sea.mod");
}

} // namespace
