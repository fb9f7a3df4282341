#include "game/player/Player.h"
#include "engine/PXFileSystem.h"
#include "game/world/Camera.h"
#include "game/world/Map.h"
#include "game/world/MapCameraStopper.h"
#include "tests/game/objects/TestWorldObjects.h"
#include "tests/support/GameplayFixture.h"
#include "tests/support/ScratchWorkingDirectory.h"

#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <new>
#include <string>
#include <utility>

namespace {

using Position = std::pair<int, int>;

class PlayerTest : public GameplayFixture {
protected:
    // The camera position the player's placement gives at the position.
    static Position cameraAt(int x, int y) {
        thePlayer().setPosition(x, y);
        thePlayer().positionCamera();
        return {globalCamera->getXPos(), globalCamera->getYPos()};
    }
};

TEST_F(PlayerTest, TheCameraCentresOnThePlayerWithinTheMap) {
    buildMap(40, 30);
    EXPECT_EQ(cameraAt(100, 100), Position(0, 0));
    EXPECT_EQ(cameraAt(400, 300), Position(240, 180));
    EXPECT_EQ(cameraAt(600, 460), Position(320, 240));

    buildMap(20, 15);
    EXPECT_EQ(cameraAt(300, 200), Position(0, 0)) << "a map no larger than the screen";

    // The tick places the camera only while it follows the player.
    buildMap(40, 30);
    thePlayer().setPosition(400, 300);
    tick();
    EXPECT_EQ(globalCamera->getXPos(), 240);
    globalCamera->setTarget(nullptr);
    globalCamera->setPosition(7, 7);
    tick();
    EXPECT_EQ(globalCamera->getXPos(), 7);
}

TEST_F(PlayerTest, ACameraStopperHoldsTheViewUntilThePlayerCrossesIt) {
    buildMap(80, 15);
    Map::CameraStopper* stopper = globalMap->addCameraStopper();
    stopper->setOrientation(Map::kVertical);
    stopper->setPosition(480, 0);
    stopper->setLength(240);
    stopper->setBlockDirection(Map::CameraStopper::kBlockLeft);
    globalCamera->setPosition(300, 0);
    EXPECT_EQ(cameraAt(400, 100), Position(160, 0)) << "not 240: the view stays left of x 480";
    EXPECT_EQ(cameraAt(480, 100), Position(160, 0));
    EXPECT_EQ(cameraAt(560, 100), Position(320, 0)) << "catching up at twice the speed";
    EXPECT_EQ(cameraAt(641, 100), Position(481, 0)) << "past the stopper's reach";
}

TEST_F(PlayerTest, ThePlayerIsDrawnLessTheCameraPositionOnlyWhileTheCameraFollowsIt) {
    // Pixels of the 16 x 24 sprite frame at the screen position that are not background.
    const auto inkAt = [](int left, int top) {
        int ink = 0;
        for (int y = top; y < top + 24; y++) {
            for (int x = left; x < left + 16; x++) {
                ink += pixelAt(x, y) != RGBA{255, 255, 255, 255} ? 1 : 0;
            }
        }
        return ink;
    };
    thePlayer().setPosition(100, 100);
    globalCamera->setPosition(50, 20);
    clearTo(255, 255, 255);
    thePlayer().draw();
    EXPECT_GT(inkAt(50, 80), 0);
    EXPECT_EQ(inkAt(100, 100), 0);

    globalCamera->setTarget(nullptr);
    clearTo(255, 255, 255);
    thePlayer().draw();
    EXPECT_EQ(inkAt(50, 80), 0);
    EXPECT_GT(inkAt(100, 100), 0);
}

TEST_F(PlayerTest, ANewGameRunsTheIntroWithoutControlAndClearsWhatThePlayerWasDoing) {
    fillFloor();
    standAt(100).grantPowerup(player::kPowerupDoubleJump);
    hold(SDLK_SPACE);
    ticks(3);
    ASSERT_TRUE(thePlayer().state().rising);

    thePlayer().reset();
    EXPECT_TRUE(thePlayer().inIntroSequence());
    EXPECT_FALSE(thePlayer().state().rising);
    EXPECT_FALSE(thePlayer().hasPowerup(player::kPowerupDoubleJump));
    thePlayer().setPosition(100, standingY(kFloorRow));
    hold(SDLK_RIGHT);
    // 360, 60 and 120 ticks.
    ticks(539);
    EXPECT_TRUE(thePlayer().inIntroSequence());
    EXPECT_TRUE(thePlayer().state().introStep2);
    tick();
    EXPECT_FALSE(thePlayer().inIntroSequence());
    EXPECT_EQ(thePlayer().getXPos(), 100) << "nothing moves during the intro";
    EXPECT_EQ(thePlayer().getYPos(), standingY(kFloorRow));
    tick();
    EXPECT_EQ(thePlayer().getXPos(), 102);
}

TEST_F(PlayerTest, TeleportAnimationsFreezeThePlayerWhileItFloatsUp) {
    fillFloor();
    standAt(100);
    thePlayer().beginTeleportOutAnimation();
    EXPECT_TRUE(thePlayer().isTeleporting());
    hold(SDLK_RIGHT);
    ticks(20);
    EXPECT_EQ(thePlayer().getXPos(), 100);
    EXPECT_EQ(thePlayer().getYPos(), standingY(kFloorRow) - 2) << "1 pixel every 10 ticks";
    EXPECT_GT(ticksUntil([] { return !thePlayer().isTeleporting(); }, 200), 0);
    tick();
    EXPECT_EQ(thePlayer().getXPos(), 102);
}

TEST_F(PlayerTest, SaveWritesPositionDirectionAndPowerupsAndLoadStartsPlayThere) {
    player& saved = thePlayer();
    saved.setPosition(123, -45);
    saved.setDirection(player::kLeft);
    saved.grantPowerup(player::kPowerupDoubleJump | player::kPowerupWallJump);
    const PXFileHandle stream(tmpfile(), fclose);
    ASSERT_TRUE(saved.save(stream.get()));
    rewind(stream.get());
    std::string bytes(17, '\0');
    bytes.resize(fread(bytes.data(), 1, bytes.size(), stream.get()));
    EXPECT_EQ(bytes,
              recordInteger(123) + recordInteger(-45) + recordInteger(0) + recordInteger(10));

    fillFloor();
    player& loaded = standAt(100);
    auto* follower = new TestBlock();
    globalWorldObjectVector->push_back(follower);
    loaded.setFollowedBy(follower);
    hold(SDLK_SPACE);
    ticks(3);
    rewind(stream.get());
    ASSERT_TRUE(loaded.load(stream.get()));
    EXPECT_EQ(loaded.getXPos(), 123);
    EXPECT_EQ(loaded.getYPos(), -45);
    EXPECT_EQ(loaded.getDirection(), player::kLeft);
    EXPECT_TRUE(loaded.hasPowerup(player::kPowerupWallJump));
    EXPECT_FALSE(loaded.hasPowerup(player::kPowerupMap));
    EXPECT_FALSE(loaded.state().rising) << "the jump in progress is over";
    EXPECT_EQ(loaded.followedBy(), nullptr);

    const PXFileHandle shortStream(tmpfile(), fclose);
    fwrite(bytes.data(), 1, 8, shortStream.get());
    rewind(shortStream.get());
    loaded.setPosition(1, 2);
    EXPECT_FALSE(loaded.load(shortStream.get()));
    EXPECT_EQ(loaded.getXPos(), 1);
}

class PlayerConstructionTest : public GLTestFixture {};

TEST_F(PlayerConstructionTest, AMissingSpriteFileFailsTheConstructionAsAnAllocationFailure) {
    const ScratchWorkingDirectory scratch("player-construction");
    for (const char* file : {"playerCompiled.txt", "playerCompiled.png"}) {
        std::filesystem::copy_file(std::string(CORVANE_DATA_DIR) + "/sprites/" + file,
                                   scratch.pathOf(std::string("data/sprites/") + file));
    }
    EXPECT_THROW(player(), std::bad_alloc) << "without GravityMagnetPulse.txt";
}

} // namespace
