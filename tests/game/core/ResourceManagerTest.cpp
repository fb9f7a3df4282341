#include "game/core/ResourceManager.h"
#include "engine/Paxtor.h"
#include "tests/support/AudioFiles.h"
#include "tests/support/GLTestFixture.h"
#include "tests/support/PngWriter.h"
#include "tests/support/ScratchWorkingDirectory.h"
#include "tests/support/TestLog.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace {

constexpr const char* kFontFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

class ResourceManagerTest : public GLTestFixture {
protected:
    void TearDown() override {
        manager.cleanup();
        manager.setAliasMode(1);
        GLTestFixture::TearDown();
    }

    void writeTexture(const std::string& relativePath, unsigned char red) const {
        writePng(directory.pathOf(relativePath), solidPng(4, 4, PngColorType::RGBA, red));
    }

    ScratchWorkingDirectory directory{"resources"};
    ResourceManager& manager = *ResourceManager::instance();
};

TEST_F(ResourceManagerTest, SameNameGivesTheSameObjectUntilUnloaded) {
    writeTexture("data/images/tile.png", 200);
    PXTexture* first = manager.texture("tile.png");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(manager.texture("tile.png"), first);
    EXPECT_EQ(manager.loadResource("tile.png", ResourceManager::kTexture)->getData(), first);

    clearTestLog();
    manager.unloadTexture("other.png");
    EXPECT_EQ(manager.texture("tile.png"), first) << "unloading an unknown name changes nothing";
    EXPECT_NE(testLogContent().find("Texture Dictionary unloading resource: other.png"),
              std::string::npos);

    manager.unloadTexture("tile.png");
    clearTestLog();
    ASSERT_NE(manager.texture("tile.png"), nullptr);
    EXPECT_NE(testLogContent().find("tile.png doest not exist. Loading it."), std::string::npos)
        << "after an unload the next request loads again";
}

TEST_F(ResourceManagerTest, NameInTwoFoldersResolvesToTheFirstFoundDepthFirst) {
    writeTexture("data/a/deep/twin.png", 10);
    writeTexture("data/twin.png", 250);
    const std::string path = manager.findFilePath("twin.png");
    EXPECT_EQ(path, "./data/a/deep/twin.png");
    PXTexture* texture = manager.texture("twin.png");
    ASSERT_NE(texture, nullptr);
    float r = 0, g = 0, b = 0, a = 0;
    texture->getPixel(0, 0, r, g, b, a);
    EXPECT_NEAR(r, 10 / 255.0f, 0.01f);
}

TEST_F(ResourceManagerTest, FailedLoadsCacheNothingAndARetrySucceedsLater) {
    clearTestLog();
    EXPECT_EQ(manager.texture("late.png"), nullptr);
    EXPECT_NE(testLogContent().find(
                  "Resource manager Texture Dictionary: Couldn't find a resource named: late.png"),
              std::string::npos);

    writePng(directory.pathOf("data/late.png"), solidPng(100, 64, PngColorType::RGBA));
    EXPECT_EQ(manager.texture("late.png"), nullptr);
    EXPECT_NE(testLogContent().find(
                  "Resource manager Texture Dictionary: Couldn't load resource: ./data/late.png"),
              std::string::npos);

    writeTexture("data/late.png", 99);
    EXPECT_NE(manager.texture("late.png"), nullptr);

    EXPECT_EQ(manager.loadResource("late.png", 16), nullptr);
    EXPECT_NE(testLogContent().find("Invalid type supplied to loadResource"), std::string::npos);
}

TEST_F(ResourceManagerTest, FontsTakeTheAliasModeOfTheirFirstRequest) {
    std::filesystem::copy_file(kFontFile, directory.pathOf("data/fonts/Sans.ttf"));
    std::filesystem::copy_file(kFontFile, directory.pathOf("data/fonts/Other.ttf"));
    PXFont* polygon = manager.font("Sans.ttf");
    ASSERT_NE(polygon, nullptr);
    manager.setAliasMode(2);
    EXPECT_EQ(manager.font("Sans.ttf"), polygon) << "a cached font keeps its mode";
    PXFont* texture = manager.font("Other.ttf");
    ASSERT_NE(texture, nullptr);
    EXPECT_NE(texture, polygon);
}

TEST_F(ResourceManagerTest, PrintListsSevenDictionariesAndCleanupEmptiesAll) {
    writeTexture("data/one.png", 1);
    ASSERT_NE(manager.texture("one.png"), nullptr);
    clearTestLog();
    manager.print();
    const std::string printed = testLogContent();
    for (const char* name : {"Texture", "Font", "Sample", "IT", "XM", "S3M", "MOD"}) {
        EXPECT_NE(printed.find(std::string("Resource Manager ") + name + " Dictionary contents"),
                  std::string::npos)
            << name;
    }
    EXPECT_EQ(printed.find("MP3"), std::string::npos);
    EXPECT_EQ(printed.find("OGG"), std::string::npos);
    EXPECT_NE(printed.find("Texture Dictionary contents (1)\n\tKey: one.png | Resource at 0x"),
              std::string::npos)
        << printed;

    clearTestLog();
    manager.cleanup();
    EXPECT_NE(testLogContent().find(" Clearing Texture dictionary\n\tUnloading: one.png\n"),
              std::string::npos);
    clearTestLog();
    ASSERT_NE(manager.texture("one.png"), nullptr);
    EXPECT_NE(testLogContent().find("Loading it."), std::string::npos);
}

TEST_F(ResourceManagerTest, SamplesAndSongsLoadIntoTheirOwnDictionaries) {
    ASSERT_TRUE(PXInitAudio(22050, 0x8010, 2, 512)) << PXError();
    writeWav(directory.pathOf("data/sounds/beep.wav"), 0.1);
    writeMod(directory.pathOf("data/music/tune.mod"));
    PXSound* beep = manager.sound("beep.wav");
    ASSERT_NE(beep, nullptr);
    EXPECT_EQ(manager.sound("beep.wav"), beep);
    PXMusic* tune = manager.mod("tune.mod");
    ASSERT_NE(tune, nullptr);
    EXPECT_NE(manager.xm("tune.mod"), tune) << "each music kind has its own dictionary";
    EXPECT_EQ(manager.sound("tune.mod"), nullptr) << "a module is not a sample";
    manager.cleanup();
}

} // namespace
