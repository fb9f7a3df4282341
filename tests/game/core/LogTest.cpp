#include "game/core/Log.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/ScratchDirectory.h"

#include <gtest/gtest.h>
#include <regex>
#include <string>

namespace {

TEST(LogTest, ModeOneAppendsOtherModesTruncateAndEveryMessageIsOnDiskAtOnce) {
    ScratchDirectory directory("log");
    const std::string path = directory.pathOf("log.txt");
    {
        Log first(path.c_str(), 1);
        EXPECT_TRUE(first.write("Corvane verion %0.1f -- ", 1.0));
        EXPECT_EQ(fileContent(path), "Corvane verion 1.0 -- ") << "written before any close";
        first.writeDate();
    }
    {
        Log appending(path.c_str(), 1);
        appending.write("%s|%d\n", "second", 2);
    }
    const std::string appended = fileContent(path);
    EXPECT_TRUE(std::regex_match(
        appended,
        std::regex(
            "Corvane verion 1\\.0 -- \\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\nsecond\\|2\n")))
        << appended;

    Log truncating(path.c_str(), 0);
    truncating.write("fresh\n");
    EXPECT_EQ(fileContent(path), "fresh\n");
}

TEST(LogTest, ALogWithoutAFileAcceptsMessagesSilently) {
    Log silent(nullptr, 1);
    EXPECT_TRUE(silent.write("%s\n", "nowhere"));
    EXPECT_TRUE(silent.writeDate());
    Log unopenable("/nonexistent-directory/log.txt", 1);
    EXPECT_TRUE(unopenable.write("still fine\n"));
}

} // namespace
