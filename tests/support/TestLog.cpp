#include "TestLog.h"

#include "game/core/Log.h"
#include "tests/support/ChildProcess.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

// Absolute, because tests change the working directory.
std::string testLogPath() {
    static const std::string path = (std::filesystem::temp_directory_path() /
                                     ("corvane-test-log-" + std::to_string(getpid()) + ".txt"))
                                        .string();
    return path;
}

class TestLogEnvironment : public ::testing::Environment {
public:
    void SetUp() override { globalLog = new Log(testLogPath().c_str(), 0); }
    void TearDown() override { unlink(testLogPath().c_str()); }
};

const ::testing::Environment* const kTestLogEnvironment =
    ::testing::AddGlobalTestEnvironment(new TestLogEnvironment);

} // namespace

std::string testLogContent() {
    return fileContent(testLogPath());
}

void clearTestLog() {
    delete globalLog;
    globalLog = new Log(testLogPath().c_str(), 0);
}
