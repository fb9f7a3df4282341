// Minimap: the whole world as a 40 x 30 grid of screen-sized cells that become visited as the
// camera passes over them; shown over the game while the player holds the minimap control.
#pragma once

#include <array>
#include <cstdio>
#include <memory>

class PXTexture;

class Minimap {
public:
    static constexpr int kColumns = 40;
    static constexpr int kRows = 30;
    static constexpr int kCellSize = 8;

    // Loads both images; logs and throws std::bad_alloc when one cannot be loaded.
    Minimap();
    ~Minimap();
    Minimap(const Minimap&) = delete;
    Minimap& operator=(const Minimap&) = delete;

    // Marks one cell visited; cells outside the grid are ignored.
    void setTileVisited(int column, int row);
    // Marks one cell unvisited; cells outside the grid are ignored.
    void setTileUnvisited(int column, int row);
    // Sets one cell's flag (-1 visited, 0 not); cells outside the grid are ignored.
    void setTileVisitation(int column, int row, int value);
    // True when the cell is inside the grid and visited.
    bool isTileVisited(int column, int row) const;
    // Reveals the whole world.
    void markAllVisited();
    // Hides the whole world.
    void markAllUnvisited();

    // Moves the minimap's top-left corner on the screen.
    void setPos(int x, int y);
    // The top-left corner's screen x.
    int getXPos() const { return _x; }
    // The top-left corner's screen y.
    int getYPos() const { return _y; }
    // Shows the minimap from the next frame on.
    void enable();
    // Hides the minimap.
    void disable();
    // True (-1) while the minimap is drawn.
    int isEnabled() const { return _enabled; }

    // A new game: every cell unvisited, top-left corner at 0, 0.
    void reset();
    // Steps the current cell marker's blink.
    void logic();
    // The current cell marker's alpha.
    float markerAlpha() const { return _markerAlpha; }
    // Draws the cells and the current cell marker when enabled.
    void draw();

    // Marks visited the cell the camera shows on the current map.
    void visitCurrentCell();
    // The cell the camera shows on the current map; false for a map that is not on the minimap.
    static bool currentCell(int& column, int& row);

    // Writes the saved-game block of 1200 flags; false when the stream fails.
    bool save(FILE* stream) const;
    // Reads the saved-game block; false, with the minimap unchanged, when the stream ends early.
    bool load(FILE* stream);

private:
    using Cells = std::array<std::array<int, kRows>, kColumns>;

    static bool insideGrid(int column, int row);
    void drawCells();
    void drawCellsFrom(PXTexture& image, bool visited);
    void drawMarker();

    std::unique_ptr<PXTexture> _visitedImage;
    std::unique_ptr<PXTexture> _unvisitedImage;
    Cells _visited{};
    int _x = 0;
    int _y = 0;
    int _enabled = 0;
    float _markerAlpha = 0.0f;
    float _markerStep = 0.02f;
};

// The game's one minimap.
extern Minimap* globalMinimap;
