#include "TestWorldObjects.h"
#include "engine/PXSound.h"
#include "game/objects/WOCreditsRunner.h"
#include "game/objects/WOSecretUnlocker.h"
#include "game/objects/WOSoundPlayer.h"
#include "game/objects/WorldObjectVector.h"
#include "game/player/Player.h"
#include "game/screens/Credits.h"
#include "game/screens/SecretList.h"
#include "game/world/Letterbox.h"
#include "tests/support/GameplayFixture.h"
#include "tests/support/TestLog.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>

namespace {

class TriggerTest : public GameplayFixture {
protected:
    void SetUp() override {
        GameplayFixture::SetUp();
        createSecretList();
    }
    void TearDown() override {
        cleanupSecretList();
        GameplayFixture::TearDown();
    }
    void tick() override { gameTick(); }

    // Header of a record at (x, y) with the version.
    static std::string header(int version, int x, int y) {
        return recordInteger(version) + recordInteger(x) + recordInteger(y);
    }

    static std::string soundPlayerRecord(int decay) {
        return header(1, 300, 100) + recordText("wind.wav") + recordInteger(255) +
               recordInteger(25) + recordInteger(decay) + recordText("elsewhere");
    }

    // An unlocker of the secret with a 16-pixel area on each side and a 30-tick duration.
    static std::string unlockerRecord(int secret, int allBut100) {
        return header(2, 160, 176) + recordText("elsewhere") + recordInteger(secret) +
               recordInteger(16) + recordInteger(16) + recordInteger(16) + recordInteger(16) +
               recordInteger(30) + recordInteger(allBut100);
    }

    template <class T> static std::unique_ptr<T> loaded(const std::string& record) {
        auto object = std::make_unique<T>();
        EXPECT_TRUE(
            readFromBytes(record, [&object](FILE* stream) { return object->load(stream); }));
        return object;
    }

    // The object loaded from the record, then placed in the current map.
    template <class T> static T& placed(const std::string& record, int x, int y) {
        return placeObject(loaded<T>(record).release(), x, y);
    }

    template <class T> static std::string saved(const T& object) {
        return bytesWrittenBy([&object](FILE* stream) { return object.save(stream); });
    }

    // The player standing on the floor at x; an unlocker at (160, 176) reaches x 132 to 188.
    static void playerAt(int x) { thePlayer().setPosition(x, standingY(kFloorRow)); }

    static bool inWorld(const WorldObject* object) {
        const auto& objects = *globalWorldObjectVector;
        return std::find(objects.begin(), objects.end(), object) != objects.end();
    }
};

TEST_F(TriggerTest, SoundPlayerIsHeardByChebyshevDistanceWithinItsRange) {
    for (const int decay : {1, 0}) {
        EXPECT_EQ(saved(*loaded<WOSoundPlayer>(soundPlayerRecord(decay))),
                  recordInteger(WORLD_OBJECT_SOUND_PLAYER) + soundPlayerRecord(decay));
    }
    WOSoundPlayer& sound = placed<WOSoundPlayer>(soundPlayerRecord(1), 300, 100);
    EXPECT_NE(sound.getPropertyFlags() & WORLD_OBJECT_PROPERTY_HIDDEN, 0);

    const auto heardFrom = [&sound](int x, int y) {
        thePlayer().setPosition(x, y);
        sound.logic();
        return sound.sample() != nullptr && sound.sample()->isPlaying();
    };
    EXPECT_TRUE(heardFrom(300 + 280, 100 + 100));
    EXPECT_EQ(sound.attenuation(), 255);
    EXPECT_FALSE(heardFrom(300 + 100, 100 - 281)) << "silent beyond 280 pixels";
    EXPECT_TRUE(heardFrom(300 - 25, 100 + 25));
    EXPECT_EQ(sound.attenuation(), 0) << "full level within 25 pixels";
    EXPECT_TRUE(heardFrom(300 - 125, 100));
    EXPECT_EQ(sound.attenuation(), 100);

    WOSoundPlayer& noDecay = placed<WOSoundPlayer>(soundPlayerRecord(0), 300, 100);
    noDecay.logic();
    EXPECT_EQ(noDecay.attenuation(), 100) << "a decay of 0 counts as 1";

    ASSERT_TRUE(heardFrom(300, 100));
    recreateMapSpecificWorldObjectVector("another map");
    EXPECT_FALSE(sound.sample()->isPlaying()) << "silenced once its map is left";
}

TEST_F(TriggerTest, SecretUnlockerFiresAfterItsStayAnnouncesItAndLeaves) {
    fillFloor();
    saveMap("trigger");
    playerAt(200);
    WOSecretUnlocker& unlocker = placed<WOSecretUnlocker>(unlockerRecord(4, 0), 160, 176);
    ASSERT_STREQ(unlocker.secret(), "Marumari");
    tick();

    playerAt(188);
    ticks(29);
    playerAt(189);
    tick();
    playerAt(132);
    ticks(29);
    EXPECT_EQ(unlocker.bannerState(), WOSecretUnlocker::BannerState::Waiting)
        << "leaving the area restarts the count";
    EXPECT_FALSE(secretUnlocked(kSecretMarumari));
    tick();
    EXPECT_EQ(unlocker.bannerState(), WOSecretUnlocker::BannerState::SlidingIn);
    EXPECT_TRUE(secretUnlocked(kSecretMarumari));
    EXPECT_TRUE(std::filesystem::exists("data/s.list"));

    const WOSecretUnlocker::Panel& title = unlocker.titlePanel();
    const WOSecretUnlocker::Panel& secret = unlocker.secretPanel();
    EXPECT_EQ(title.x, -title.width);
    EXPECT_EQ(secret.x, 320);
    EXPECT_GT(title.width, 64) << "measured text plus margins";
    ASSERT_GT(
        ticksUntil([&] { return unlocker.bannerState() == WOSecretUnlocker::BannerState::Holding; },
                   200),
        0);
    EXPECT_EQ(std::pair(title.x, title.y), std::pair(0, 100));
    EXPECT_EQ(std::pair(secret.x + secret.width, secret.y), std::pair(320, 125));
    unlocker.draw();
    ticks(119);
    EXPECT_EQ(unlocker.bannerState(), WOSecretUnlocker::BannerState::Holding);
    tick();
    EXPECT_EQ(unlocker.bannerState(), WOSecretUnlocker::BannerState::SlidingOut);
    ASSERT_GT(ticksUntil([&] { return !inWorld(&unlocker); }, 200), 0);
    EXPECT_EQ(bytesWrittenBy([](FILE* stream) { return saveWorldObjects(stream, nullptr); }),
              recordInteger(0));
}

TEST_F(TriggerTest, SecretUnlockerRequiringAllBut100WaitsForThoseSecrets) {
    fillFloor();
    saveMap("trigger");
    playerAt(160);
    WOSecretUnlocker& unlocker = placed<WOSecretUnlocker>(unlockerRecord(7, -1), 160, 176);
    for (const SecretIdentifier secret : {kSecretNautilusFriend, kSecretPickled, kSecretReleaseIt,
                                          kSecretMarumari, kSecretNoScrewsLoose}) {
        unlockSecret(secret);
    }
    ticks(100);
    EXPECT_EQ(unlocker.bannerState(), WOSecretUnlocker::BannerState::Waiting);
    unlockSecret(kSecretThatsAWrap);
    EXPECT_EQ(
        ticksUntil([&] { return unlocker.bannerState() != WOSecretUnlocker::BannerState::Waiting; },
                   30),
        20)
        << "the count goes on; the shipyard visit is not needed";
    EXPECT_EQ(unlocker.bannerState(), WOSecretUnlocker::BannerState::SlidingIn);
    EXPECT_EQ(unlocker.secretPanel().text, "100%");
    EXPECT_TRUE(secretUnlocked(kSecretHundredPercent));
}

TEST_F(TriggerTest, SecretUnlockerRecordsStoreTheSecretByIdentifier) {
    const std::string type = recordInteger(WORLD_OBJECT_SECRET_UNLOCKER);
    EXPECT_EQ(saved(*loaded<WOSecretUnlocker>(unlockerRecord(4, -1))),
              type + unlockerRecord(4, -1));

    clearTestLog();
    const std::unique_ptr<WOSecretUnlocker> unknown =
        loaded<WOSecretUnlocker>(unlockerRecord(9, 0));
    EXPECT_STREQ(unknown->secret(), "");
    EXPECT_NE(testLogContent().find("identifier 9"), std::string::npos);
    EXPECT_EQ(saved(*unknown), type + unlockerRecord(-1, 0)) << "no secret is stored as -1";

    // Version 1 ends before "Requires all but 100".
    const std::string version2 = unlockerRecord(2, -1);
    const std::string version1 = recordInteger(1) + version2.substr(4, version2.size() - 8);
    EXPECT_EQ(saved(*loaded<WOSecretUnlocker>(version1)), type + unlockerRecord(2, 0));
}

TEST_F(TriggerTest, CreditsRunnerBringsTheBarsAndRollsTheCreditsWithTheCamera) {
    saveMap("trigger");
    WOCreditsRunner& runner = placeObject(new WOCreditsRunner(), 64, 64);
    EXPECT_EQ(saved(runner), recordInteger(WORLD_OBJECT_CREDITS_RUNNER) + header(1, 64, 64) +
                                 recordText("trigger"));
    Letterbox& letterbox = *Letterbox::instance();
    ASSERT_TRUE(letterbox.isHiding());
    EXPECT_EQ(runner.credits(), nullptr);
    runner.logic();
    ASSERT_NE(runner.credits(), nullptr);
    EXPECT_TRUE(letterbox.isShowing());
    runner.logic();
    EXPECT_TRUE(letterbox.isShowing()) << "toggled only once";
    WOCreditsRunner& second = placeObject(new WOCreditsRunner(), 64, 64);
    second.logic();
    EXPECT_TRUE(letterbox.isShowing()) << "bars already coming stay";
    runner.draw();

    const Credits& credits = *runner.credits();
    EXPECT_EQ(credits.lines().size(), 41u);
    const auto first = [&credits](int cameraX) { return credits.placedLines(cameraX).front(); };
    EXPECT_EQ(first(0).y, 240);
    EXPECT_FALSE(first(0).visible);
    EXPECT_EQ(first(4).y, 240);
    EXPECT_EQ(first(5).y, 239);
    EXPECT_TRUE(first(5).visible);
    EXPECT_FLOAT_EQ(first(100).alpha, 0.5f) << "at y 220";
    EXPECT_FLOAT_EQ(first(1100).alpha, 0.5f) << "at y 20";
    EXPECT_FLOAT_EQ(first(600).alpha, 1.0f);
    EXPECT_LT(first(600).x, 160);
    const std::vector<Credits::PlacedLine> lines = credits.placedLines(0);
    EXPECT_EQ(lines.size(), 24u) << "gaps are no lines";
    EXPECT_GT(lines[1].y, lines[0].y + 5 + 20 + 5) << "a gap of 20 pixels";
    EXPECT_EQ(credits.placedLines(1000)[10].y + 200, lines[10].y) << "the camera going back";
}

} // namespace
