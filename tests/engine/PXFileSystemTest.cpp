#include "engine/Paxtor.h"
#include "tests/support/ScratchDirectory.h"

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct FreeDeleter {
    void operator()(char* text) const { free(text); }
};
using HeapString = std::unique_ptr<char, FreeDeleter>;

// The text of a malloc'd result, or "<null>", freeing it.
std::string take(char* text) {
    const HeapString owned(text);
    return owned ? std::string(owned.get()) : "<null>";
}

std::vector<std::string> takeAllResults() {
    std::vector<std::string> results;
    while (char* next = PXFindFileGetNext()) {
        results.push_back(take(next));
    }
    return results;
}

class PXFileSystemTest : public testing::Test {
protected:
    void TearDown() override { PXFindFileCleanup(); }

    // Creates a file (and its directories) at a path relative to the root.
    void touch(const std::string& relative, const std::string& content = "") const {
        const fs::path path = fs::path(root) / relative;
        fs::create_directories(path.parent_path());
        std::ofstream(path) << content;
    }

    void makeDirectories(const std::string& relative) const {
        fs::create_directories(fs::path(root) / relative);
    }

    std::string at(const std::string& relative) const { return root + "/" + relative; }

    ScratchDirectory scratch{"fs"};
    std::string root = scratch.path();
};

TEST_F(PXFileSystemTest, LongsAreLittleEndianAndReadBackSignExtended) {
    const std::string path = at("longs.bin");
    FILE* out = fopen(path.c_str(), "wb");
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(PXPutL(0x12345678, out), 0x12345678);
    for (const long value : {-1L, long{INT32_MIN}, long{INT32_MAX}}) {
        EXPECT_EQ(PXPutL(value, out), value);
    }
    fclose(out);

    std::ifstream raw(path, std::ios::binary);
    std::string firstBytes(4, '\0');
    raw.read(firstBytes.data(), 4);
    EXPECT_EQ(firstBytes, "\x78\x56\x34\x12");

    FILE* in = fopen(path.c_str(), "rb");
    ASSERT_NE(in, nullptr);
    EXPECT_EQ(PXGetL(in), 0x12345678);
    EXPECT_EQ(PXGetL(in), -1) << "FF FF FF FF is -1, not 4294967295";
    EXPECT_EQ(PXGetL(in), INT32_MIN);
    EXPECT_EQ(PXGetL(in), INT32_MAX);
    EXPECT_EQ(PXGetL(in), -1) << "end of file";
    EXPECT_EQ(PXPutL(7, in), -1) << "a read-only stream cannot be written";
    fclose(in);

    touch("short.bin", "\x01\x02\x03");
    FILE* shortFile = fopen(at("short.bin").c_str(), "rb");
    ASSERT_NE(shortFile, nullptr);
    EXPECT_EQ(PXGetL(shortFile), -1);
    fclose(shortFile);
}

TEST(PXFileNameTest, FilenameAndExtensionFollowTheLastSeparator) {
    EXPECT_EQ(take(PXGetFilename("a/b/c.png")), "c.png");
    EXPECT_EQ(take(PXGetFilename("a/b/")), "<null>");
    EXPECT_EQ(take(PXGetFilename("c.png")), "c.png");
    EXPECT_EQ(take(PXGetFilename("a\\b.png")), "a\\b.png") << "backslashes are not separators";
    EXPECT_EQ(take(PXGetFilename(nullptr)), "<null>");

    EXPECT_EQ(take(PXGetExtension("map.dat")), "dat");
    EXPECT_EQ(take(PXGetExtension("readme")), "<null>");
    EXPECT_EQ(take(PXGetExtension("name.")), "<null>");
    EXPECT_EQ(take(PXGetExtension("a.b/c")), "b/c") << "only the last dot counts";
    EXPECT_EQ(take(PXGetExtension(nullptr)), "<null>");
}

TEST_F(PXFileSystemTest, ExistenceAndDirectoryCreationReportTheirReason) {
    touch("file.txt");
    EXPECT_TRUE(PXFileExists(at("file.txt").c_str()));
    EXPECT_TRUE(PXFileExists(root.c_str()));
    EXPECT_FALSE(PXFileExists(at("missing").c_str()));

    const std::string fresh = at("fresh");
    EXPECT_TRUE(PXMakeDirectory(fresh.c_str()));
    EXPECT_TRUE(fs::is_directory(fresh));

    EXPECT_FALSE(PXMakeDirectory(fresh.c_str()));
    EXPECT_EQ(std::string(PXError()), "File exists at " + fresh);

    const std::string orphan = at("no/parent");
    EXPECT_FALSE(PXMakeDirectory(orphan.c_str()));
    EXPECT_EQ(std::string(PXError()), "Unable to create directory at " + orphan);
}

TEST_F(PXFileSystemTest, NameSearchCollectsMatchesDepthFirstAndStopsAtARootMatch) {
    touch("x.png");
    touch("a/x.png");
    touch("a/deep/x.png");
    touch("b/x.png");
    touch("z/x.png");
    touch("b/only/nested.txt");

    EXPECT_TRUE(PXFindFile(root.c_str(), "x.png"));
    EXPECT_EQ(takeAllResults(), (std::vector<std::string>{at("a/deep/x.png"), at("a/x.png"),
                                                          at("b/x.png"), at("x.png")}))
        << "entries in name order; a match ends the scan of its own directory";
    PXFindFileCleanup();

    EXPECT_FALSE(PXFindFile(root.c_str(), "nested.txt")) << "true only for a match in the root";
    EXPECT_EQ(takeAllResults(), std::vector<std::string>{at("b/only/nested.txt")});
    PXFindFileCleanup();

    EXPECT_FALSE(PXFindFile(root.c_str(), "deep"));
    EXPECT_EQ(takeAllResults(), std::vector<std::string>{at("a/deep")}) << "directories match";
    PXFindFileCleanup();

    EXPECT_FALSE(PXFindFile(root.c_str(), "x.pn")) << "names must match in full";
    for (const char* dots : {".", ".."}) {
        EXPECT_FALSE(PXFindFile(root.c_str(), dots)) << "no name leads out of the tree";
        EXPECT_EQ(takeAllResults(), std::vector<std::string>{});
    }
    EXPECT_FALSE(PXFindFile(at("missing").c_str(), "x.png"));
    EXPECT_EQ(PXFindFileGetNext(), nullptr);
}

TEST_F(PXFileSystemTest, ResultsAreHandedOutAsCopiesUntilCleanupAndSearchesAppend) {
    touch("one/target");
    touch("two/target");

    EXPECT_FALSE(PXFindFile(root.c_str(), "target"));
    EXPECT_EQ(take(PXFindFileGetNext()), at("one/target")) << "a malloc'd copy the caller frees";
    EXPECT_EQ(take(PXFindFileGetNext()), at("two/target"));
    EXPECT_EQ(PXFindFileGetNext(), nullptr);

    EXPECT_FALSE(PXFindFile(at("two").c_str(), "missing"));
    EXPECT_TRUE(PXFindFile(at("two").c_str(), "target"));
    EXPECT_EQ(_PXFindPaths.size(), 3u) << "a search without cleanup appends";
    EXPECT_EQ(take(PXFindFileGetNext()), at("two/target"));

    PXFindFileCleanup();
    EXPECT_TRUE(_PXFindPaths.empty());
    EXPECT_EQ(_PXFindPathsIndex, 0);
    EXPECT_EQ(PXFindFileGetNext(), nullptr);
}

TEST_F(PXFileSystemTest, NameSearchMatchesLinksByNameButNeverEntersThem) {
    touch("dir/target");
    fs::create_directory_symlink("..", at("dir/loop"));
    touch("elsewhere/hidden-away.png");
    touch("elsewhere/linked.png");
    const std::string tree = at("tree");
    makeDirectories("tree");
    fs::create_directory_symlink(at("elsewhere"), tree + "/outside");
    fs::create_symlink(at("elsewhere/linked.png"), tree + "/linked.png");
    fs::create_directory_symlink(at("dir"), tree + "/cycle");

    EXPECT_FALSE(PXFindFile(at("dir").c_str(), "absent")) << "the link cycle ends";
    EXPECT_TRUE(PXFindFile(at("dir").c_str(), "target"));
    EXPECT_EQ(_PXFindPaths, std::vector<std::string>{at("dir/target")});
    PXFindFileCleanup();

    EXPECT_FALSE(PXFindFile(tree.c_str(), "hidden-away.png")) << "linked directories stay shut";
    EXPECT_FALSE(PXFindFile(tree.c_str(), "target"));
    EXPECT_TRUE(_PXFindPaths.empty());
    EXPECT_TRUE(PXFindFile(tree.c_str(), "linked.png"));
    EXPECT_TRUE(PXFindFile(tree.c_str(), "outside"));
    EXPECT_EQ(_PXFindPaths, (std::vector<std::string>{tree + "/linked.png", tree + "/outside"}));
}

TEST_F(PXFileSystemTest, NameSearchDescendsNoDeeperThanTheCap) {
    std::string deepest;
    for (int level = 0; level < PX_FIND_MAX_DEPTH + 1; level++) {
        deepest += "d/";
    }
    touch(deepest + "beyond-cap");
    touch(deepest.substr(2) + "at-cap");

    EXPECT_FALSE(PXFindFile(root.c_str(), "at-cap"));
    EXPECT_EQ(_PXFindPaths.size(), 1u);
    EXPECT_FALSE(PXFindFile(root.c_str(), "beyond-cap"));
    EXPECT_EQ(_PXFindPaths.size(), 1u);
}

TEST_F(PXFileSystemTest, ListingSeparatesVisibleDirectoriesFromEverythingElse) {
    makeDirectories("slot2/inner");
    makeDirectories("slot1");
    makeDirectories(".git");
    touch("notes.txt");
    touch(".hidden");

    EXPECT_TRUE(PXFindFile(root.c_str(), PX_FIND_DIRECTORIES));
    EXPECT_EQ(takeAllResults(), (std::vector<std::string>{at("slot1"), at("slot2")}));
    PXFindFileCleanup();

    EXPECT_TRUE(PXFindFile(root.c_str(), PX_FIND_FILES));
    EXPECT_EQ(takeAllResults(),
              (std::vector<std::string>{at(".git"), at(".hidden"), at("notes.txt")}));
    PXFindFileCleanup();

    EXPECT_TRUE(PXFindFile(root.c_str(), PX_FIND_DIRECTORIES | PX_FIND_FILES));
    EXPECT_EQ(_PXFindPaths.size(), 5u);
    PXFindFileCleanup();

    EXPECT_TRUE(PXFindFile(root.c_str(), 0));
    EXPECT_TRUE(PXFindFile(at("missing").c_str(), PX_FIND_DIRECTORIES));
    EXPECT_TRUE(_PXFindPaths.empty());
}

TEST_F(PXFileSystemTest, APrivateSearchLeavesAListingInProgressAlone) {
    makeDirectories("slot1");
    makeDirectories("slot2");
    touch("slot2/prv.bmp");

    PXFindFile(root.c_str(), PX_FIND_DIRECTORIES);
    EXPECT_EQ(take(PXFindFileGetNext()), at("slot1"));

    std::vector<std::string> found;
    EXPECT_FALSE(PXFindFile(root.c_str(), "prv.bmp", found, 0));
    EXPECT_EQ(found, std::vector<std::string>{at("slot2/prv.bmp")});
    EXPECT_TRUE(PXFindFile(root.c_str(), nullptr, found, PX_FIND_DIRECTORIES));
    EXPECT_EQ(found.size(), 3u);

    EXPECT_EQ(_PXFindPaths, (std::vector<std::string>{at("slot1"), at("slot2")}));
    EXPECT_EQ(take(PXFindFileGetNext()), at("slot2"));
    EXPECT_EQ(PXFindFileGetNext(), nullptr);
}

} // namespace
