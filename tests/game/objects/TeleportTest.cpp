#include "InhabitantFixture.h"
#include "engine/PXInit.h"
#include "game/core/Globals.h"
#include "game/objects/WOTargeting.h"
#include "game/objects/WOTeleport.h"

#include <cstring>

namespace {

constexpr int kTeleportX = 100;
constexpr int kTeleportHeight = 48;
// A player standing here has its core inside the teleport's.
constexpr int kInCoreX = kTeleportX + 8;
constexpr int kDestinationX = 40;
constexpr int kDestinationY = 50;

// Lights the teleports labelled "tp" as a switch would.
class TestSender : public Concrete<WOTargeting> {
public:
    TestSender() { strcpy(_targetLabel, "tp"); }
    bool send() {
        WOToggleable* target = findTarget();
        return target != nullptr && target->isToggleable(PX_TRUE) && target->toggle(PX_TRUE);
    }
};

class TeleportTest : public InhabitantFixture {
protected:
    void SetUp() override {
        InhabitantFixture::SetUp();
        // Two maps of the same floor; "home" stays the current one.
        saveMap("away");
        saveMap("home");
    }

    static std::string record(int version, int lightingUp, int lit, const std::string& destination,
                              int x = kDestinationX, int y = kDestinationY) {
        std::string bytes = recordInteger(version) + recordInteger(kTeleportX) +
                            recordInteger(kFloorY - kTeleportHeight) + recordText("home") +
                            recordInteger(0) + recordText("tp") + recordInteger(lightingUp) +
                            recordInteger(lit);
        if (version >= 2) {
            bytes += recordText(destination) + recordInteger(x) + recordInteger(y);
        }
        return bytes;
    }

    static std::string saved(int lightingUp, int lit, const std::string& destination,
                             int x = kDestinationX, int y = kDestinationY) {
        return recordInteger(WORLD_OBJECT_TELEPORT) + record(2, lightingUp, lit, destination, x, y);
    }

    // A teleport labelled "tp" read from its record and placed on the floor of "home".
    static WOTeleport& placeTeleport(const std::string& bytes) {
        auto* teleport = new WOTeleport();
        EXPECT_TRUE(
            readFromBytes(bytes, [teleport](FILE* stream) { return teleport->load(stream); }));
        return placeObject(teleport, kTeleportX, kFloorY - kTeleportHeight);
    }

    // An object of the map "away" that counts its logic ticks.
    static TestCarriable& placeInAway() {
        auto* object = new TestCarriable();
        object->setOwnerMap("away");
        globalWorldObjectVector->push_back(object);
        return *object;
    }

    static bool teleporting() { return thePlayer().isTeleporting() != 0; }
};

TEST_F(TeleportTest, OnlyALitTeleportSendsThePlayerToItsDestinationInOneTick) {
    WOTeleport& teleport = placeTeleport(record(2, 0, 0, "away"));
    TestCarriable& first = placeInAway();
    TestCarriable& second = placeInAway();
    standAt(kInCoreX);
    ticks(60);
    EXPECT_FALSE(teleporting()) << "dark";

    TestSender sender;
    ASSERT_TRUE(sender.send());
    EXPECT_TRUE(teleport.isLightingUp());
    EXPECT_FALSE(sender.send()) << "not while lighting up";
    ASSERT_GT(ticksUntil([&] { return teleport.isLit() != 0; }, 60), 0);
    EXPECT_TRUE(teleporting()) << "stepped in already";
    EXPECT_FALSE(sender.send()) << "nor once lit";

    ASSERT_GT(ticksUntil([] { return strcmp(globalMap->getFilename(), "away") == 0; }, 200), 0);
    EXPECT_EQ(thePlayer().getXPos(), kDestinationX);
    EXPECT_EQ(thePlayer().getYPos(), kDestinationY);
    EXPECT_TRUE(teleporting()) << "arriving";
    ASSERT_EQ(globalMapSpecificWorldObjectVector->size(), 2u);
    EXPECT_EQ(second.logicTicks, 0) << "the rest of the tick's object logic was skipped";
    EXPECT_EQ(skipRunningMapSpecificWorldObjectLogicThisLoop, PX_FALSE);
    tick();
    EXPECT_EQ(first.logicTicks, 1);
    EXPECT_EQ(second.logicTicks, 1);
    ASSERT_GT(ticksUntil([] { return !teleporting(); }, 200), 0);
    EXPECT_EQ(thePlayer().getXPos(), kDestinationX);
}

TEST_F(TeleportTest, AMissingDestinationMapKeepsThePlayerWhereItIs) {
    placeTeleport(record(2, 0, 0, "nowhere"));
    standAt(kInCoreX);
    TestSender sender;
    ASSERT_TRUE(sender.send());
    int departures = 0;
    bool wasTeleporting = false;
    for (int i = 0; i < 400; i++) {
        tick();
        departures += teleporting() && !wasTeleporting ? 1 : 0;
        wasTeleporting = teleporting();
    }
    EXPECT_EQ(departures, 2) << "out, then back in; not out again while standing there";
    EXPECT_FALSE(teleporting());
    EXPECT_STREQ(globalMap->getFilename(), "home");
    EXPECT_EQ(thePlayer().getXPos(), kInCoreX);
}

TEST_F(TeleportTest, ASavedLitTeleportLightsUpAgainWhenLoaded) {
    WOTeleport& teleport = placeTeleport(record(2, 0, PX_TRUE, "away"));
    EXPECT_TRUE(teleport.isLightingUp());
    EXPECT_FALSE(teleport.isLit());
    EXPECT_EQ(savedBytes(teleport), saved(PX_TRUE, 0, "away"));
    ASSERT_GT(ticksUntil([&] { return teleport.isLit() != 0; }, 60), 0);
    EXPECT_EQ(savedBytes(teleport), saved(0, PX_TRUE, "away"));

    WOTeleport halfWay;
    ASSERT_TRUE(loadBytes(halfWay, saved(PX_TRUE, 0, "away")));
    EXPECT_TRUE(halfWay.isLightingUp()) << "a light-up under way is not lost";

    WOTeleport first;
    ASSERT_TRUE(loadBytes(first, recordInteger(WORLD_OBJECT_TELEPORT) + record(1, 0, 0, "")));
    EXPECT_STREQ(first.destination(), "");
    EXPECT_EQ(savedBytes(first), saved(0, 0, "", 0, 0)) << "written as version 2";

    WOTeleport far;
    ASSERT_TRUE(loadBytes(far, saved(0, 0, std::string(2000, 'm'))));
    EXPECT_EQ(strlen(far.destination()), static_cast<size_t>(WOTeleport::kDestinationSize - 1));
}

} // namespace
