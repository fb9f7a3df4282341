#include "SaveGameBrowser.h"

#include "GameStatistics.h"
#include "SaveSlot.h"
#include "engine/Paxtor.h"
#include "game/core/DataPaths.h"
#include "game/core/Globals.h"
#include "game/core/Log.h"
#include "game/core/ResourceManager.h"

#include <algorithm>
#include <cctype>
#include <ctime>
#include <new>

SaveGameBrowser* globalSaveGameBrowser = nullptr;

namespace {

constexpr int kHighestSlot = 99;
constexpr int kKeyHoldPeriod = 10;
constexpr int kKeyRepeatPeriod = 5;
constexpr int kArrowFirstPeriod = 2;
constexpr int kFontSize = 10;
constexpr int kFlipTopBottom = 4;
constexpr const char* kNewEntryText = "New!";
constexpr const char* kDamagedText = "Damaged";
constexpr const char* kCannotSaveText = "Cannot save:";
constexpr const char* kNoFolderText = "no user folder";
constexpr const char* kUnknownTimeText = "--/--/---- - --:-- --";

bool canSave() {
    return globalDataPaths.canWrite();
}

// The slot number of a folder named only by digits; nothing for any other name.
std::optional<int> slotNumber(const std::string& name) {
    if (name.empty() ||
        !std::all_of(name.begin(), name.end(), [](char c) { return std::isdigit(c) != 0; })) {
        return std::nullopt;
    }
    // Saturates: any number this large already means there is no room for a new slot.
    int number = 0;
    for (const char digit : name) {
        number = std::min(number * 10 + (digit - '0'), kHighestSlot + 1);
    }
    return number;
}

// The names of the slot folders, hidden ones left out, in ascending order.
std::vector<std::string> slotFolderNames() {
    std::vector<std::string> paths;
    PXFindFile(savesFolder().c_str(), nullptr, paths, PX_FIND_DIRECTORIES);
    std::vector<std::string> names;
    for (const std::string& path : paths) {
        names.push_back(path.substr(path.rfind('/') + 1));
    }
    std::sort(names.begin(), names.end());
    return names;
}

// A picture owned by the entry; null (logged) when it cannot be loaded.
std::unique_ptr<PXTexture> loadPicture(const std::string& path, const char* failure) {
    try {
        return std::make_unique<PXTexture>(path.c_str());
    } catch (const std::bad_alloc&) {
        globalLog->write(failure, path.c_str());
        return nullptr;
    }
}

// The statistics file of a slot; null when it cannot be read.
std::unique_ptr<GameStatistics> loadStatistics(const std::string& folder) {
    const PXFileHandle stream = PXOpenFile(slotFilePath(folder, kSaveStatisticsFile).c_str(), "rb");
    auto statistics = std::make_unique<GameStatistics>();
    if (stream == nullptr || !statistics->load(stream.get())) {
        return nullptr;
    }
    return statistics;
}

// A slot folder's entry without its preview; nothing (logged) when its statistics cannot be read
// and its files are not known to be damaged.
std::optional<SaveGameBrowser::Entry> listedSlot(const std::string& folder) {
    const bool damaged = examineSlot(folder) == SlotCondition::Damaged;
    std::unique_ptr<GameStatistics> statistics = loadStatistics(folder);
    if (statistics == nullptr && !damaged) {
        globalLog->write("Couldn't open save stats file: %s\n",
                         slotFilePath(folder, kSaveStatisticsFile).c_str());
        return std::nullopt;
    }
    return SaveGameBrowser::Entry{folder, nullptr, std::move(statistics), damaged};
}

// The Exit or New entry: a path and a picture of the game's data; nothing (logged) when the
// picture cannot be had.
std::optional<SaveGameBrowser::Entry> fixedEntry(const std::string& path, const char* picture,
                                                 const char* missing, const char* unloadable) {
    const std::string picturePath = ResourceManager::instance()->findFilePath(picture);
    if (picturePath.empty()) {
        globalLog->write("%s", missing);
        return std::nullopt;
    }
    SaveGameBrowser::Entry entry{path, loadPicture(picturePath, unloadable), nullptr, false};
    if (entry.preview == nullptr) {
        return std::nullopt;
    }
    return entry;
}

void drawPicture(PXTexture* picture, int x, int y, int width, int height) {
    if (picture != nullptr) {
        picture->draw(0, 0, SCREEN_W_UNSCALED, SCREEN_H_UNSCALED, width, height, x, y, 1.0f, 1.0f,
                      0, 0, PX_TRUE);
    }
}

// A white box with a black outline between the outline's corners.
void drawFrame(int left, int top, int right, int bottom) {
    PXRect(left, top, right, bottom, 0, 0, 0, 1);
    PXRectFill(left + 1, top + 1, right - 1, bottom - 1, 1, 1, 1, 1);
}

template <class... Values> std::string formatted(const char* format, Values... values) {
    char text[64];
    snprintf(text, sizeof text, format, values...);
    return text;
}

} // namespace

SaveGameBrowser::SaveGameBrowser(int loadMode)
    : _loadMode(loadMode), _keyHoldTimer(kKeyHoldPeriod), _keyRepeatTimer(kKeyRepeatPeriod),
      _arrowTimer(kArrowFirstPeriod) {
    ResourceManager& resources = *ResourceManager::instance();
    _font = resources.font("c64.ttf");
    if (_font == nullptr) {
        globalLog->write("Couldn't load save game browser font\n");
    }
    _arrow = resources.texture("browserArrowDown.png");
    if (_arrow == nullptr) {
        globalLog->write("Couldn't load options down arrow\n");
    }
    // Without a sound (no audio device) the browser works silently.
    if (!_sounds.load()) {
        globalLog->write(_sounds.select == nullptr ? "Couldn't load select sound\n"
                                                   : "Couldn't load selection sound\n");
    }
    if (!loadContents()) {
        globalLog->write("Couldn't load save game browser contents.\n");
        throw std::bad_alloc();
    }
}

SaveGameBrowser::~SaveGameBrowser() = default;

bool SaveGameBrowser::loadContents() {
    std::vector<Entry> entries;
    std::optional<Entry> exit =
        fixedEntry(EXIT_STRING, "loadExitBackground.png",
                   "Couldn't find path for load for exit background item.\n",
                   "Couldn't generate a texture for the exit item path.\n");
    if (!exit) {
        return false;
    }
    entries.push_back(std::move(*exit));
    // Without a folder to write to, saving offers nothing but Exit, which says so.
    SlotListing listing = canSave() || _loadMode ? listSlots() : SlotListing{};
    const std::optional<std::string> newPath =
        _loadMode || !canSave() ? std::nullopt : newSlotPath(listing.folders);
    if (newPath) {
        std::optional<Entry> newEntry = fixedEntry(
            *newPath, "loadSelectedBackground.png", "Couldn't find loadSelectedBackground.png\n",
            "Couldn't generate texture for loadSelectedBackground.png\n");
        if (!newEntry) {
            return false;
        }
        entries.push_back(std::move(*newEntry));
    }
    for (Entry& slot : listing.slots) {
        slot.preview = loadPicture(slotFilePath(slot.path, kSavePreviewFile),
                                   "Couldn't open save image file %s\n");
        entries.push_back(std::move(slot));
    }
    _entries = std::move(entries);
    _hasNewEntry = newPath.has_value();
    _selectedIndex = std::clamp(_selectedIndex, 0, static_cast<int>(_entries.size()) - 1);
    return true;
}

SaveGameBrowser::SlotListing SaveGameBrowser::listSlots() {
    SlotListing listing{slotFolderNames(), {}};
    for (auto name = listing.folders.rbegin(); name != listing.folders.rend(); ++name) {
        if (std::optional<Entry> slot = listedSlot(savesFolder() + "/" + *name)) {
            listing.slots.push_back(std::move(*slot));
        }
    }
    return listing;
}

std::optional<std::string> SaveGameBrowser::newSlotPath(const std::vector<std::string>& folders) {
    int highest = 0;
    for (const std::string& name : folders) {
        highest = std::max(highest, slotNumber(name).value_or(0));
    }
    if (highest >= kHighestSlot) {
        return std::nullopt;
    }
    return savesFolder() + "/" + formatted("%03d", highest + 1);
}

void SaveGameBrowser::logic() {
    const bool up = PXKey(PXKeyCode::kUp) || PXGamePadHat(PX_HAT_UP) || PXGamePadAxisUp();
    const bool down = PXKey(PXKeyCode::kDown) || PXGamePadHat(PX_HAT_DOWN) || PXGamePadAxisDown();
    stepDirection(up, down, _upLatch, -1);
    stepDirection(down, up, _downLatch, 1);
    stepArrow();
    if (confirmPressed(kConfirmActions)) {
        confirm();
    }
}

void SaveGameBrowser::stepDirection(bool held, bool otherHeld, bool& latch, int step) {
    if (held && (!latch || (_repeatActive && _keyRepeatTimer.tick()))) {
        moveSelection(step);
        latch = true;
    } else if (held) {
        if (_keyHoldTimer.tick()) {
            _repeatActive = true;
        }
    } else {
        latch = false;
        if (!otherHeld) {
            _repeatActive = false;
            _keyHoldTimer.reset();
            _keyRepeatTimer.reset();
        }
    }
}

void SaveGameBrowser::moveSelection(int step) {
    const int moved = std::clamp(_selectedIndex + step, 0, static_cast<int>(_entries.size()) - 1);
    if (moved != _selectedIndex) {
        _selectedIndex = moved;
        _sounds.playSelect();
    }
}

// The arrows bob between -4 and 5, slower towards the bottom of the swing.
void SaveGameBrowser::stepArrow() {
    if (!_arrowTimer.tick()) {
        return;
    }
    _arrowTimer.setTimeout(5 - _arrowOffset);
    _arrowOffset += _arrowStep;
    if (_arrowOffset > 4 || _arrowOffset < -3) {
        _arrowStep = -_arrowStep;
    }
}

void SaveGameBrowser::confirm() {
    const Entry& entry = _entries[static_cast<size_t>(_selectedIndex)];
    if (_loadMode && entry.damaged) {
        return;
    }
    _sounds.playSelection();
    _selectedPath = entry.path;
    // A save into the New slot lists that slot just below the New entry next time.
    if (isNewEntry(_selectedIndex)) {
        _selectedIndex = 2;
    }
}

std::optional<std::string> SaveGameBrowser::getSelectedSaveRelativePath() const {
    return _selectedPath;
}

void SaveGameBrowser::resetSelectedSaveRelativePath() {
    _selectedPath.reset();
}

std::string SaveGameBrowser::saveTimeText(int32_t saveTime) {
    const time_t time = saveTime;
    std::tm local{};
    if (localtime_r(&time, &local) == nullptr) {
        return kUnknownTimeText;
    }
    const int hour = local.tm_hour > 12 ? local.tm_hour - 12 : local.tm_hour;
    return formatted("%02d/%02d/%04d - %02d:%02d %s", local.tm_mon + 1, local.tm_mday,
                     local.tm_year + 1900, hour, local.tm_min, local.tm_hour < 12 ? "AM" : "PM");
}

std::vector<std::string> SaveGameBrowser::entryLines(const Entry& entry, int index) const {
    if (index == 0 && !_loadMode && !canSave()) {
        return {EXIT_STRING, kCannotSaveText, kNoFolderText};
    }
    if (index == 0) {
        return {EXIT_STRING};
    }
    if (isNewEntry(index)) {
        return {kNewEntryText};
    }
    std::vector<std::string> lines;
    if (entry.damaged) {
        lines.emplace_back(kDamagedText);
    }
    if (entry.statistics != nullptr) {
        const GameStatistics& statistics = *entry.statistics;
        lines.push_back(formatted("Play time: %02d:%02d:%02d", statistics.hours(),
                                  statistics.minutes(), statistics.seconds()));
        if (!entry.damaged) {
            lines.push_back(formatted("Saves: %d", statistics.saveCount()));
            lines.push_back(saveTimeText(statistics.saveTime()));
        }
    }
    return lines;
}

void SaveGameBrowser::draw(int x, int y) {
    if (_selectedIndex > 0) {
        drawNeighbour(_selectedIndex - 1, x, y);
    }
    drawSelected(x, y);
    if (_selectedIndex + 1 < static_cast<int>(_entries.size())) {
        drawNeighbour(_selectedIndex + 1, x, y + 124);
    }
    drawArrows(x, y);
}

void SaveGameBrowser::drawNeighbour(int index, int x, int y) {
    drawFrame(x + 11, y - 3, x + 81, y + 50);
    drawPicture(_entries[static_cast<size_t>(index)].preview.get(), x + 14, y, 64, 48);
}

void SaveGameBrowser::drawSelected(int x, int y) {
    const Entry& entry = _entries[static_cast<size_t>(_selectedIndex)];
    drawFrame(x + 3, y + 53, x + 257, y + 118);
    drawPicture(entry.preview.get(), x + 6, y + 56, 80, 60);
    if (_font == nullptr) {
        return;
    }
    _font->setSize(kFontSize);
    float lineY = static_cast<float>(y + 58);
    for (const std::string& line : entryLines(entry, _selectedIndex)) {
        _font->print(x + 89, static_cast<int>(lineY), 0, 0, 0, 1, "%s", line.c_str());
        lineY += _font->lineHeight();
    }
}

void SaveGameBrowser::drawArrows(int x, int y) {
    if (_arrow == nullptr) {
        return;
    }
    const int left = x + 46 - _arrow->width() / 2;
    if (_selectedIndex > 1) {
        _arrow->draw(left, y - 5 - _arrowOffset, 1.0f, 1.0f, 0, kFlipTopBottom, PX_TRUE);
    }
    if (_selectedIndex < static_cast<int>(_entries.size()) - 2) {
        _arrow->draw(left, y + 177 - _arrow->height() + _arrowOffset, 1.0f, 1.0f, 0, 0, PX_TRUE);
    }
}
