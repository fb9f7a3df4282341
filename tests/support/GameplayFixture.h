// Game-play tests: a window, a scratch "./data" with every sprite, image, sound and font (linked
// from the built data tree) and a tileset made for the tests, a current map built in code, the
// world object vectors, the music player, and a fresh player that the camera follows. Input is set
// per tick through the engine's own key tables; tick() runs the map's and the player's part of a
// game tick.
#pragma once

#include "GLTestFixture.h"
#include "ScratchWorkingDirectory.h"

#include <SDL.h>
#include <functional>
#include <memory>
#include <string>

class Map;
class WorldObject;
class player;

class GameplayFixture : public GLTestFixture {
protected:
    // Tiles of the test tileset: empty, solid, and steps 8 and 9 pixels high on the tile's
    // bottom edge.
    static constexpr int kEmpty = 0;
    static constexpr int kSolid = 1;
    static constexpr int kStep8 = 2;
    static constexpr int kStep9 = 3;
    static constexpr int kTile = 16;
    // The player's bounding box inside its sprite: columns 3 to 12, rows 2 to 23.
    static constexpr int kBoxLeft = 3;
    static constexpr int kBoxRight = 12;
    static constexpr int kBoxTop = 2;
    static constexpr int kBoxBottom = 23;
    // The row the floor of fillFloor starts at.
    static constexpr int kFloorRow = 12;

    void SetUp() override;
    void TearDown() override;

    // Makes the current map an empty one of the size: one solid layer on the test tileset.
    static void buildMap(int columns, int rows);
    // Sets the tiles of the rectangle, rows and columns inclusive.
    static void fillTiles(int firstRow, int firstColumn, int lastRow, int lastColumn, int tile);
    // Makes every tile from the row down solid.
    static void fillFloor(int firstRow = kFloorRow);
    // Writes the current map to "./data/maps/NAME", which also gives it that name.
    static void saveMap(const std::string& name);
    // Replaces the player with a fresh one at the position, followed by the camera.
    static player& spawnPlayer(int x, int y);
    // The player's y when its feet rest on the top edge of the tile row.
    static int standingY(int floorRow) { return floorRow * kTile - kBoxBottom - 1; }
    // A fresh player at x with its feet on the pixel row above feetY, settled for two ticks
    // with no key held, so that it can jump.
    player& standAt(int x, int feetY = kFloorRow * kTile);

    // Puts the object (taken over by the world object list) at the position in the current map:
    // owned by its name when it has one, in the map's object vector, its box current.
    template <class T> static T& placeObject(T* object, int x, int y) {
        addToCurrentMap(object, x, y);
        return *object;
    }

    // Keys by platform symbol, held until released.
    static void hold(SDLKey key);
    static void release(SDLKey key);
    static void releaseAllKeys();
    // The map's and the player's part of one game tick; a fixture for whole ticks overrides it
    // with gameTick.
    virtual void tick();
    // One whole game tick, as the main loop runs it.
    static void gameTick();
    void ticks(int count);
    // Ticks until the condition holds, at most the limit; how many it took, or -1.
    int ticksUntil(const std::function<bool()>& condition, int limit);

    static player& thePlayer();

private:
    static void addToCurrentMap(WorldObject* object, int x, int y);
    std::unique_ptr<ScratchWorkingDirectory> _scratch;
};
