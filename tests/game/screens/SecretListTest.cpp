#include "game/screens/SecretList.h"
#include "tests/game/objects/TestWorldObjects.h"
#include "tests/support/ScratchWorkingDirectory.h"
#include "tests/support/TestLog.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <initializer_list>
#include <iterator>
#include <utility>

namespace {

constexpr const char* kListFile = "data/s.list";

class SecretListTest : public ::testing::Test {
protected:
    void SetUp() override { createSecretList(); }
    void TearDown() override { cleanupSecretList(); }

    void writeListFile(const std::string& bytes) const { scratch.writeFile(kListFile, bytes); }

    static std::string listFile() {
        std::ifstream file(kListFile, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }

    // Version 1 and a pair per (identifier, unlocked) given.
    static std::string listBytes(std::initializer_list<std::pair<int, int>> pairs,
                                 int version = 1) {
        std::string bytes = recordInteger(version);
        for (const auto& [identifier, unlocked] : pairs) {
            bytes += recordInteger(identifier) + recordInteger(unlocked);
        }
        return bytes;
    }

    // Reloads a fresh list from the file.
    static void reload() {
        cleanupSecretList();
        createSecretList();
        loadSecretList();
    }

    static std::vector<int> unlockedIdentifiers() {
        std::vector<int> unlocked;
        for (int identifier = 0; identifier <= kSecretHundredPercent; identifier++) {
            if (secretUnlocked(static_cast<SecretIdentifier>(identifier))) {
                unlocked.push_back(identifier);
            }
        }
        return unlocked;
    }

    ScratchWorkingDirectory scratch{"secrets"};
};

TEST_F(SecretListTest, UnlockingSavesTheWholeListAtOnceInListOrder) {
    unlockSecret(kSecretMarumari);
    createSecretList();
    EXPECT_EQ(globalSecretList->size(), 8u) << "a second creation keeps the list";
    const std::string expected =
        listBytes({{1, 0}, {0, 0}, {2, 0}, {3, 0}, {4, -1}, {5, 0}, {6, 0}, {7, 0}});
    ASSERT_EQ(expected.size(), 68u);
    EXPECT_EQ(listFile(), expected);
    EXPECT_FALSE(std::filesystem::exists("data/s.list.tmp"));

    reload();
    EXPECT_EQ(unlockedIdentifiers(), std::vector<int>{kSecretMarumari});
    EXPECT_FALSE(allSecretsUnlocked());
    for (int identifier = 0; identifier <= kSecretHundredPercent; identifier++) {
        unlockSecret(static_cast<SecretIdentifier>(identifier));
    }
    EXPECT_TRUE(allSecretsUnlocked());
}

TEST_F(SecretListTest, LoadingAppliesOnlyWhatAValidFileHolds) {
    clearTestLog();
    reload();
    EXPECT_NE(testLogContent().find("No secrets list file.\nDone!\n"), std::string::npos);
    EXPECT_TRUE(unlockedIdentifiers().empty());

    for (const int version : {0, -1}) {
        writeListFile(listBytes({{4, -1}, {2, -1}}, version));
        reload();
        EXPECT_TRUE(unlockedIdentifiers().empty()) << "version " << version;
    }

    // Any non-zero value unlocks; an unknown identifier and half a pair are passed over.
    writeListFile(listBytes({{2, -1}, {99, -1}, {6, 1}, {3, 0}}) + recordInteger(5));
    reload();
    EXPECT_EQ(unlockedIdentifiers(), (std::vector<int>{kSecretPickled, kSecretThatsAWrap}));
}

TEST_F(SecretListTest, DescriptionsNameTheirSecretsByPrefix) {
    EXPECT_EQ(identifierForSecretDescription("That's a wrap, and then some"), kSecretThatsAWrap);
    EXPECT_EQ(identifierForSecretDescription("100%%"), kSecretHundredPercent);
    EXPECT_EQ(identifierForSecretDescription("Visited the Ghost Shipyard"), kSecretGhostShipyard);
    EXPECT_EQ(identifierForSecretDescription("Marumar"), kSecretNone) << "a cut description";
    EXPECT_EQ(identifierForSecretDescription(""), kSecretNone);
    EXPECT_EQ(identifierForSecretDescription(nullptr), kSecretNone);

    EXPECT_STREQ(descriptionForSecretIdentifier(kSecretHundredPercent), "100%%");
    EXPECT_EQ(descriptionForSecretIdentifier(static_cast<SecretIdentifier>(8)), nullptr);
    EXPECT_EQ(descriptionForSecretIdentifier(kSecretNone), nullptr);
    EXPECT_EQ(secretDescriptionAsShown("100%%"), "100%");
    EXPECT_EQ(secretDescriptionAsShown("a %% b %"), "a % b %");
}

TEST_F(SecretListTest, AFailedSaveIsLoggedAndKeepsTheOldFile) {
    unlockSecret(kSecretMarumari);
    const std::string saved = listFile();
    // The temporary file cannot be created where a folder of its name stands.
    std::filesystem::create_directory("data/s.list.tmp");
    clearTestLog();
    unlockSecret(kSecretPickled);
    EXPECT_NE(testLogContent().find("Couldn't save secrets list.\n"), std::string::npos);
    EXPECT_EQ(listFile(), saved);
    EXPECT_TRUE(secretUnlocked(kSecretPickled)) << "the game keeps it until the next save";

    cleanupSecretList();
    saveSecretList();
    loadSecretList();
    EXPECT_FALSE(secretUnlocked(kSecretMarumari)) << "no list, nothing to load or save";
    EXPECT_EQ(listFile(), saved);
}

} // namespace
