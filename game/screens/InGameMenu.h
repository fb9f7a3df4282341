// InGameMenu: the status panel the Menu control pulls down over the frozen game: happy
// inhabitants per race, hex nuts, powers, the inventory and the play time.
#pragma once

#include "engine/PXTimer.h"

#include <array>

class PXFont;
class PXTexture;

class InGameMenu {
public:
    // Indices of the counts.
    static constexpr int kFlowrian = 0;
    static constexpr int kNegg = 1;
    static constexpr int kOller = 2;
    static constexpr int kRaam = 3;
    static constexpr int kVonil = 4;
    static constexpr int kDom = 5;
    static constexpr int kHexNuts = 6;
    // The panel's y while hidden.
    static constexpr int kHiddenY = -240;
    // The inventory row ends once an object would start past this x.
    static constexpr int kInventoryRightEdge = 286;

    // Happy inhabitants (or collected hex nuts) out of all of them.
    struct Count {
        int done = 0;
        int total = 0;
    };

    // Takes the images and the font from the resource manager; throws std::bad_alloc (logged)
    // when one is missing.
    InGameMenu();
    InGameMenu(const InGameMenu&) = delete;
    InGameMenu& operator=(const InGameMenu&) = delete;

    // One step while the panel is open: the close control, the slide, and closing at the top.
    void logic();
    // Draws the panel at its slide position.
    void draw();
    // Recounts the inhabitants and hex nuts of the whole world.
    void calculateInformation();

    // The panel's top edge on the screen: kHiddenY hidden, 0 fully shown.
    int getYPos() const { return _y; }
    // The pixels the panel moved in the last step.
    int slideSpeed() const { return _slideSpeed; }
    // One of the counts by index.
    const Count& count(int index) const { return _counts[index]; }
    // The hex nut header: "????" until a hex nut was collected.
    const char* collectiblesHeader() const;
    // The hex nut row's label: "??" until a hex nut was collected.
    const char* hexNutLabel() const;

private:
    static constexpr int kPowerups = 7;
    static constexpr int kRaces = 6;
    static constexpr int kCounts = 7;

    bool menuControlDown() const;
    void startSlide();
    void slide();
    bool hexNutCollected() const;
    void drawHeader(const char* text, int x, int y);
    void drawRaces(int x0, int y0);
    void drawHexNuts(int x0, int y0);
    void drawCount(int x0, int y, const Count& count);
    void drawPowerups(int y0);
    void drawInventory(int x0, int y0);

    PXTexture* _background = nullptr;
    bool _opening = false;
    bool _closing = false;
    int _x = 0;
    int _y = kHiddenY;
    int _lastShown = 0;
    bool _keyLatch = true;
    int _slideSpeed = 0;
    int _slideTicks = 0;
    PXTimer _slideTimer{3};
    PXFont* _font = nullptr;
    std::array<PXTexture*, kPowerups> _powerupIcons{};
    std::array<PXTexture*, kRaces> _raceIcons{};
    PXTexture* _hexNutIcon = nullptr;
    std::array<Count, kCounts> _counts{};
};

// The game's one in-game menu.
extern InGameMenu* globalInGameMenu;
