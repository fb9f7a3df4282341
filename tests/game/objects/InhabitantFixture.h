// Game-play tests of inhabitants: a floor in a named map, whole game ticks and record round trips.
#pragma once

#include "game/objects/WorldObject.h"
#include "game/objects/WorldObjectRecord.h"
#include "game/objects/WorldObjectVector.h"
#include "game/player/Player.h"
#include "game/world/Map.h"
#include "tests/game/objects/TestWorldObjects.h"
#include "tests/support/GameplayFixture.h"

#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <string>

class InhabitantFixture : public GameplayFixture {
protected:
    // The top pixel row of the floor.
    static constexpr int kFloorY = kFloorRow * kTile;

    void SetUp() override {
        GameplayFixture::SetUp();
        fillFloor();
        saveMap("inhabitants");
        srand(1);
    }

    void tick() override { gameTick(); }

    // One press of the Action control: held for a tick, then let go for a tick.
    void pressAction() {
        hold(kActionKey);
        tick();
        release(kActionKey);
        tick();
    }

    // The object placed in the current map with its box's bottom on the floor.
    template <class T> static T& placeOnFloor(T* object, int x) {
        placeObject(object, x, 0);
        object->setPosition(x, kFloorY - 1 - object->getBBox()->getBottomBound());
        object->updateCurrentBBox();
        return *object;
    }

    // The bytes save writes.
    static std::string savedBytes(const WorldObject& object) {
        return bytesWrittenBy([&object](FILE* stream) { return object.save(stream); });
    }

    // Reads the record bytes (type code first) into the object; false when load refused them.
    static bool loadBytes(WorldObject& object, const std::string& bytes) {
        return readFromBytes(bytes, [&object](FILE* stream) {
            int type = 0;
            return readRecordInteger(stream, type) && type == object.getObjectType() &&
                   object.load(stream);
        });
    }

    // Saves the object, loads the bytes into a new one and expects it to save the same bytes.
    template <class T> static void expectRoundTrip(const T& object) {
        const std::string bytes = savedBytes(object);
        T copy;
        ASSERT_TRUE(loadBytes(copy, bytes));
        EXPECT_EQ(savedBytes(copy), bytes);
    }

private:
    static constexpr SDLKey kActionKey = SDLK_z;
};
