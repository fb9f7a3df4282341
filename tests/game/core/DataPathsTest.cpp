#include "game/core/DataPaths.h"
#include "tests/support/ScratchDirectory.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;

// A program folder with its data folder beside it or installed under share/, and the user's
// environment pointing into the same scratch folder.
class DataPathsTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("XDG_DATA_HOME", scratch.pathOf("xdg").c_str(), 1);
        setenv("HOME", scratch.pathOf("home").c_str(), 1);
    }

    std::string makeFile(const std::string& path, const std::string& content = "x") const {
        fs::create_directories(fs::path(path).parent_path());
        std::ofstream(path) << content;
        return path;
    }

    std::string buildTree() const {
        fs::create_directories(scratch.pathOf("build/data"));
        return scratch.pathOf("build") + "/";
    }

    std::string installation() const {
        fs::create_directories(scratch.pathOf("prefix/bin"));
        makeFile(scratch.pathOf("prefix/share/corvane/worldObjects.mol"));
        return scratch.pathOf("prefix/bin") + "/";
    }

    ScratchDirectory scratch{"data-paths"};
};

TEST_F(DataPathsTest, AWritableDataFolderIsReadAndWrittenAsBefore) {
    const DataPaths defaults;
    EXPECT_EQ(defaults.readPath("gameSettings.txt"), "./data/gameSettings.txt");
    EXPECT_EQ(defaults.writePath("s.list"), "./data/s.list");
    EXPECT_EQ(defaults.logPath(), "log.txt");

    const std::string program = buildTree();
    DataPaths paths = DataPaths::locate(program);
    std::string reason;
    ASSERT_TRUE(paths.prepareWriteFolder(reason));
    EXPECT_EQ(paths.userFolder(), "");
    EXPECT_EQ(paths.writePath("saves"), program + "data/saves");
    EXPECT_EQ(paths.logPath(), program + "log.txt");
    EXPECT_EQ(paths.searchFolders(), std::vector<std::string>{program + "data"});
    EXPECT_EQ(paths.userFolderInUse(), std::nullopt);
    EXPECT_EQ(paths.writablePathOf(program + "data/maps/a"), program + "data/maps/a");
    EXPECT_FALSE(fs::exists(scratch.pathOf("xdg"))) << "no user folder is made";
    EXPECT_EQ(DataPaths::locate("").dataFolder(), "./data");
}

TEST_F(DataPathsTest, AnInstalledOrReadOnlyTreeWritesToTheUserFolderAndReadsItFirst) {
    const std::string user = scratch.pathOf("xdg/corvane");
    DataPaths paths = DataPaths::locate(installation());
    const std::string data = fs::path(scratch.pathOf("prefix/share/corvane")).string();
    EXPECT_EQ(paths.dataFolder(), data);
    EXPECT_EQ(paths.userFolder(), user);
    std::string reason;
    ASSERT_TRUE(paths.prepareWriteFolder(reason)) << reason;
    EXPECT_TRUE(fs::is_directory(user));
    EXPECT_EQ(paths.logPath(), user + "/log.txt");
    EXPECT_EQ(paths.writePath("saves/001/sav.cvs"), user + "/saves/001/sav.cvs");
    EXPECT_TRUE(fs::is_directory(user + "/saves/001")) << "the folders are made";
    EXPECT_EQ(paths.readPath("worldObjects.mol"), data + "/worldObjects.mol");
    makeFile(user + "/worldObjects.mol");
    EXPECT_EQ(paths.readPath("worldObjects.mol"), user + "/worldObjects.mol");
    EXPECT_EQ(paths.searchFolders(), (std::vector<std::string>{user, data}));
    EXPECT_EQ(paths.userFolderInUse(), user);
    EXPECT_EQ(paths.writablePathOf(data + "/maps/arnion/arnion1"), user + "/maps/arnion/arnion1");
    EXPECT_EQ(paths.writablePathOf(data + "/../../bin/x"), data + "/../../bin/x");
    EXPECT_EQ(paths.writablePathOf("/elsewhere/map"), "/elsewhere/map");

    // A portable copy made read-only: the mode bits count, also for root.
    const std::string program = buildTree();
    chmod(scratch.pathOf("build/data").c_str(), 0555);
    EXPECT_EQ(DataPaths::locate(program).userFolder(), user);
    chmod(scratch.pathOf("build/data").c_str(), 0755);
}

TEST_F(DataPathsTest, TheEnvironmentIsTrustedOnlyWithAbsolutePaths) {
    const std::string program = installation();
    const std::string homeFolder = scratch.pathOf("home") + "/.local/share/corvane";
    for (const char* ignored : {"", "relative/xdg"}) {
        setenv("XDG_DATA_HOME", ignored, 1);
        EXPECT_EQ(DataPaths::locate(program).userFolder(), homeFolder) << ignored;
    }
    setenv("HOME", "relative", 1);
    DataPaths homeless = DataPaths::locate(program);
    std::string reason;
    EXPECT_FALSE(homeless.prepareWriteFolder(reason));
    EXPECT_NE(reason, "");
    EXPECT_FALSE(homeless.canWrite());
    EXPECT_EQ(homeless.logPath(), std::nullopt);
}

TEST_F(DataPathsTest, AUserFolderThatCannotBeMadeLeavesNothingWritable) {
    setenv("XDG_DATA_HOME", makeFile(scratch.pathOf("a-file")).c_str(), 1);
    DataPaths paths = DataPaths::locate(installation());
    std::string reason;
    EXPECT_FALSE(paths.prepareWriteFolder(reason));
    EXPECT_NE(reason, "");
    EXPECT_FALSE(paths.canWrite());
    EXPECT_EQ(paths.writePath("gameSettings.txt"), std::nullopt);
    EXPECT_EQ(paths.writablePathOf(paths.dataFolder() + "/maps/a"), std::nullopt);
    EXPECT_EQ(paths.userFolderInUse(), std::nullopt);
    EXPECT_EQ(paths.readPath("worldObjects.mol"), paths.dataFolder() + "/worldObjects.mol");
    EXPECT_NE(paths.description().find("cannot be made"), std::string::npos);
}

} // namespace
