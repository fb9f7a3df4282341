#include "game/world/Camera.h"
#include "game/world/Map.h"
#include "game/world/ParticleGenerator.h"
#include "game/world/RainParticle.h"
#include "game/world/SnowParticle.h"
#include "tests/support/GameplayFixture.h"
#include "tests/support/TestLog.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace {

class WeatherTest : public GameplayFixture {
protected:
    void SetUp() override {
        GameplayFixture::SetUp();
        globalCamera->setPosition(0, 0);
        globalParticleGenerator = new ParticleGenerator();
        srand(5);
    }
    void TearDown() override {
        delete globalParticleGenerator;
        globalParticleGenerator = nullptr;
        GameplayFixture::TearDown();
    }

    static ParticleGenerator& weather() { return *globalParticleGenerator; }

    // The ticks, counted from 1, on which the number of particles grew.
    static std::vector<int> growingTicks(int count) {
        std::vector<int> ticks;
        for (int tick = 1; tick <= count; tick++) {
            const int before = weather().numberOfParticles();
            weather().logic();
            if (weather().numberOfParticles() > before) {
                ticks.push_back(tick);
            }
        }
        return ticks;
    }

    static int occurrences(const std::string& text, const std::string& part) {
        int count = 0;
        for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
            count++;
        }
        return count;
    }
};

TEST_F(WeatherTest, NoneDoesNothingAndAMaximumBelowTheMinimumBecomesIt) {
    weather().setParameters(ParticleGenerator::kTypeNone, 1, 1, 5);
    EXPECT_TRUE(growingTicks(100).empty());
    EXPECT_EQ(weather().numberOfParticles(), 0);

    weather().setParameters(ParticleGenerator::kTypeSnow, 5, 2, 50);
    EXPECT_EQ(weather().delayMin(), 5);
    EXPECT_EQ(weather().delayMax(), 5);
    EXPECT_GT(weather().numberOfParticles(), 0) << "the warm-up already snowed";
    EXPECT_EQ(growingTicks(20), (std::vector<int>{5, 10, 15, 20}));
}

TEST_F(WeatherTest, RainFallsFromAboveTheTopEdgeAndDiesOnSolidGround) {
    std::unique_ptr<RainParticle> drop;
    for (int tries = 0; tries < 100 && !(drop && drop->length() == 4 && drop->getYPos() < 0);
         tries++) {
        drop = std::make_unique<RainParticle>();
    }
    ASSERT_EQ(drop->getYPos(), -4);
    const int startX = drop->getXPos();
    drop->logic();
    EXPECT_EQ(drop->getXPos(), startX + 1);
    EXPECT_EQ(drop->getYPos(), 0);
    EXPECT_FALSE(drop->shouldBeReaped());

    // The floor starts at y 192: the drop's top end reaches it on the third step.
    fillFloor();
    drop->setPos(100, 180);
    drop->logic();
    drop->logic();
    EXPECT_FALSE(drop->shouldBeReaped()) << "at y 188 the streak is tested in the cell above";
    drop->logic();
    EXPECT_TRUE(drop->shouldBeReaped());
    drop->logic();
    EXPECT_EQ(drop->getYPos(), 192) << "a dead drop stays put";

    // On ground everywhere, every new drop is gone on the tick it was made.
    buildMap(21, 16);
    fillTiles(0, 0, 15, 20, kSolid);
    weather().setParameters(ParticleGenerator::kTypeRain, 0, 0, 10);
    EXPECT_EQ(weather().numberOfParticles(), 0);
    EXPECT_TRUE(growingTicks(10).empty());
}

TEST_F(WeatherTest, SnowFlakeIsReapedOncePastTheRightOrBottomEdge) {
    SnowParticle flake;
    flake.setPos(320, 240);
    EXPECT_FALSE(flake.shouldBeReaped());
    flake.setPos(321, 0);
    EXPECT_TRUE(flake.shouldBeReaped());
    flake.setPos(0, 241);
    EXPECT_TRUE(flake.shouldBeReaped());
}

TEST_F(WeatherTest, MapLoadHandsOverClampedSettingsAndTheMapKeepsItsOwn) {
    globalMap->setParticleParameters(ParticleGenerator::kTypeNone, -5, -3, 5000);
    saveMap("stormy");
    clearTestLog();
    ASSERT_TRUE(globalMap->load("./data/maps/stormy"));
    EXPECT_EQ(weather().delayMin(), 0);
    EXPECT_EQ(weather().delayMax(), 0);
    EXPECT_EQ(weather().generationAmount(), ParticleGenerator::kMaximumGenerationAmount);
    EXPECT_EQ(globalMap->particleDelayMin(), -5) << "read back as saved";
    EXPECT_EQ(globalMap->particleDelayMax(), -3);
    EXPECT_EQ(globalMap->particleGenerationAmount(), 5000);
    const std::string log = testLogContent();
    EXPECT_EQ(occurrences(log, "Weather delay minimum -5 is negative"), 1) << log;
    EXPECT_EQ(occurrences(log, "Weather generation amount 5000 is too large"), 1) << log;

    // Only the current map drives the weather.
    weather().setParameters(ParticleGenerator::kTypeSnow, 1200, 1200, 5000);
    Map other;
    ASSERT_TRUE(other.load("./data/maps/stormy"));
    EXPECT_EQ(weather().type(), ParticleGenerator::kTypeSnow);

    // A generation makes at most the largest amount.
    EXPECT_EQ(growingTicks(199), std::vector<int>{});
    weather().logic();
    EXPECT_LE(weather().numberOfParticles(), ParticleGenerator::kMaximumGenerationAmount);
    EXPECT_GT(weather().numberOfParticles(), ParticleGenerator::kMaximumGenerationAmount - 10);
}

} // namespace
