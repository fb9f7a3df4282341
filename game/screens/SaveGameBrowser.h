// SaveGameBrowser: the list of save slots with their previews and statistics. In save mode it
// opens over the game at a save point and offers a new slot; in load mode it is the body of the
// load-game screen.
#pragma once

#include "engine/PXTimer.h"
#include "game/screens/ScreenCommon.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class GameStatistics;
class PXFont;
class PXTexture;

class SaveGameBrowser {
public:
    // The first entry's path and label.
    static constexpr const char* EXIT_STRING = "Exit";

    // 0 for save mode, 1 for load mode. Lists the slots; logs and throws std::bad_alloc when the
    // Exit or New entry's picture cannot be had.
    explicit SaveGameBrowser(int loadMode);
    ~SaveGameBrowser();
    SaveGameBrowser(const SaveGameBrowser&) = delete;
    SaveGameBrowser& operator=(const SaveGameBrowser&) = delete;

    // Rebuilds the entries from "./data/saves", finishing or discarding interrupted saves; false
    // (entries unchanged) when the Exit or New entry's picture is missing.
    bool loadContents();
    // One logic tick of input: moving, key repeat, the arrows' bob and confirming.
    void logic();
    // Draws the previous, selected and next entries and the arrows with (x, y) at the top left.
    void draw(int x, int y);
    // The path confirmed last, or nothing.
    std::optional<std::string> getSelectedSaveRelativePath() const;
    // Forgets the confirmed path.
    void resetSelectedSaveRelativePath();

    // One listed entry: the Exit entry, the New entry or a slot.
    struct Entry {
        std::string path;
        // Null when the picture cannot be had.
        std::unique_ptr<PXTexture> preview;
        // Null for the Exit and New entries and for a damaged slot whose statistics are lost.
        std::unique_ptr<GameStatistics> statistics;
        // The slot's files do not match their checksums: shown, never loaded.
        bool damaged = false;
    };
    // The entries in list order.
    const std::vector<Entry>& entries() const { return _entries; }
    int selectedIndex() const { return _selectedIndex; }
    // The date and time of a save as the browser shows it, on a 12-hour clock in local time.
    static std::string saveTimeText(int32_t saveTime);

    // The names of every slot folder and the slots listed from them.
    struct SlotListing {
        std::vector<std::string> folders;
        std::vector<Entry> slots;
    };
    // Lists the saves folder, highest slot first and without previews: interrupted saves are
    // finished or discarded, and folders without statistics are left out unless damaged.
    static SlotListing listSlots();
    // The New entry's path: one above the highest slot named only by digits; nothing past 099.
    static std::optional<std::string> newSlotPath(const std::vector<std::string>& folders);

private:
    bool isNewEntry(int index) const { return _hasNewEntry && index == 1; }
    // Moves up or down while the direction is held: at once, then repeating after a while.
    void stepDirection(bool held, bool otherHeld, bool& latch, int step);
    void moveSelection(int step);
    void stepArrow();
    void confirm();
    std::vector<std::string> entryLines(const Entry& entry, int index) const;
    void drawSelected(int x, int y);
    void drawNeighbour(int index, int x, int y);
    void drawArrows(int x, int y);

    int _loadMode;
    std::optional<std::string> _selectedPath;
    int _selectedIndex = 0;
    bool _hasNewEntry = false;
    bool _upLatch = false;
    bool _downLatch = false;
    bool _repeatActive = false;
    PXTimer _keyHoldTimer;
    PXTimer _keyRepeatTimer;
    PXTimer _arrowTimer;
    int _arrowOffset = 0;
    int _arrowStep = 1;
    PXFont* _font = nullptr;
    PXTexture* _arrow = nullptr;
    MenuSounds _sounds;
    std::vector<Entry> _entries;
};

// The in-game browser in save mode. Created by init().
extern SaveGameBrowser* globalSaveGameBrowser;
