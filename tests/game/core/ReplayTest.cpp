#include "game/core/Replay.h"
#include "engine/Paxtor.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/ScratchDirectory.h"

#include <fstream>
#include <gtest/gtest.h>

namespace {

ReplayInput holding(std::initializer_list<int> codes) {
    ReplayInput input;
    for (const int code : codes) {
        input.keys[code] = true;
    }
    return input;
}

TEST(ReplayTest, OnlyChangesAreStoredAndEveryTickReadsBackItsInput) {
    Replay replay;
    replay.recordTick(ReplayInput{});
    replay.recordTick(holding({PXKeyCode::kRight}));
    replay.recordTick(holding({PXKeyCode::kRight}));
    replay.recordTick(holding({PXKeyCode::kRight, PXKeyCode::kSpace}));
    replay.recordTick(ReplayInput{});
    EXPECT_EQ(replay.ticks, 5);
    EXPECT_EQ(replay.inputs.size(), 4u) << "tick 2 repeats tick 1";
    EXPECT_EQ(replay.inputAt(2), holding({PXKeyCode::kRight}));
    EXPECT_EQ(replay.inputAt(3), holding({PXKeyCode::kRight, PXKeyCode::kSpace}));
    EXPECT_EQ(replay.inputAt(4), ReplayInput{});
}

TEST(ReplayTest, FilesRoundTripAndMalformedOnesAreRefused) {
    ScratchDirectory directory("replay");
    Replay replay;
    replay.seed = 4242;
    ReplayInput pad = holding({PXKeyCode::kSpace});
    pad.buttons = 0b1001;
    pad.hat = PX_HAT_LEFT;
    pad.axes[0] = -20000;
    replay.recordTick(holding({PXKeyCode::kRight}));
    replay.recordTick(pad);
    replay.finalState = "map=arnion1 player=10,20 camera=0,0";
    replay.frames = 99;
    replay.milliseconds = 1650;
    const std::string path = directory.pathOf("play.replay");
    ASSERT_TRUE(replay.save(path));

    const std::optional<Replay> loaded = Replay::load(path);
    ASSERT_TRUE(loaded.has_value()) << fileContent(path);
    EXPECT_EQ(loaded->seed, 4242u);
    EXPECT_EQ(loaded->ticks, 2);
    EXPECT_EQ(loaded->inputAt(0), holding({PXKeyCode::kRight}));
    EXPECT_EQ(loaded->inputAt(1), pad);
    EXPECT_EQ(loaded->finalState, replay.finalState);
    EXPECT_EQ(loaded->frames, 99);

    const std::string text = fileContent(path);
    for (const std::string& bad :
         {std::string("corvane-replay 2\n"), std::string("something else\n"),
          text + "input x keys=1 buttons=0 hat=0 axes=0\n", text + "input 3 keys=1,z\n",
          text + "surprise 1\n"}) {
        std::ofstream(path) << bad;
        EXPECT_FALSE(Replay::load(path).has_value()) << bad;
    }
    EXPECT_FALSE(Replay::load(directory.pathOf("missing")).has_value());
}

TEST(ReplayTest, AppliedInputPressesAndReleasesLikeTheEventPump) {
    _PXInitKeys();
    applyReplayInput(holding({PXKeyCode::kRight}));
    EXPECT_TRUE(PXKey(PXKeyCode::kRight, PX_TRUE));
    applyReplayInput(holding({PXKeyCode::kRight}));
    EXPECT_FALSE(PXKey(PXKeyCode::kRight, PX_TRUE)) << "a held key reports its press once";
    applyReplayInput(ReplayInput{});
    applyReplayInput(holding({PXKeyCode::kRight}));
    EXPECT_TRUE(PXKey(PXKeyCode::kRight, PX_TRUE)) << "released and pressed again";
    EXPECT_EQ(currentReplayInput(), holding({PXKeyCode::kRight}));
    applyReplayInput(ReplayInput{});
}

} // namespace
