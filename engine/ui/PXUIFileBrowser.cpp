#include "PXUIFileBrowser.h"

#include "engine/PXFont.h"
#include "engine/PXInit.h"
#include "engine/PXKeyCodes.h"
#include "engine/PXKeyboard.h"
#include "engine/PXLogicTiming.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <dirent.h>
#include <memory>
#include <new>
#include <sys/stat.h>
#include <tuple>
#include <utility>
#include <vector>

namespace {

constexpr int kMouseLeft = 0;
constexpr const char* kParentItem = "../";
constexpr const char* kCancelLabel = "Cancel";
// The path field never gets narrower than this.
constexpr int kFieldWidth = 255;
constexpr int kFewestRows = 2;
// The list's outline adds a pixel above and below its rows.
constexpr int kListOutline = 2;

using DirectoryHandle = std::unique_ptr<DIR, int (*)(DIR*)>;

template <class Part> bool giveFont(Part& part, const char* path, int mode, int size) {
    return part.setFont(path, mode) && part.setFontSize(size);
}

bool isDirectory(const std::string& path) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

// One listed name: "../" first, then folders, then files, each group in byte order.
struct ListedEntry {
    int group;
    std::string name;

    bool operator<(const ListedEntry& other) const {
        return std::tie(group, name) < std::tie(other.group, other.name);
    }
};

// An entry whose status cannot be read is listed as a file, with the reason in PXError(): it is
// there, and choosing it lets the owner report what goes wrong with it.
ListedEntry listedEntry(const std::string& directory, const std::string& name) {
    if (name == "..") {
        return {0, kParentItem};
    }
    const std::string path = directory + name;
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) {
        _PXSetError("Stat failed: %s (errno %d)\n", path.c_str(), errno);
        return {2, name};
    }
    return S_ISDIR(status.st_mode) ? ListedEntry{1, name + "/"} : ListedEntry{2, name};
}

std::vector<std::string> sortedListing(DIR* handle, const std::string& directory) {
    std::vector<ListedEntry> entries;
    while (const dirent* entry = readdir(handle)) {
        if (std::string(entry->d_name) != ".") {
            entries.push_back(listedEntry(directory, entry->d_name));
        }
    }
    std::sort(entries.begin(), entries.end());
    std::vector<std::string> names;
    names.reserve(entries.size());
    for (ListedEntry& entry : entries) {
        names.push_back(std::move(entry.name));
    }
    return names;
}

// The folder above the one the path names: its trailing "/" dropped, cut after the last "/"
// left, or "/" when none is left.
std::string parentOf(std::string path) {
    if (!path.empty()) {
        path.pop_back();
    }
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "/" : path.substr(0, slash + 1);
}

} // namespace

PXUIFileBrowser::PXUIFileBrowser(int maximumPathLength, const char* fontPath, int fontMode,
                                 int fontSize, const char* okLabel, const char* startDirectory)
    : _font(_PXUIFontAt(fontPath, fontMode, fontSize)), _pathEntry(maximumPathLength),
      _maximumPathLength(std::max(maximumPathLength, 0)) {
    const bool partsHaveFont = giveFont(_pathEntry, fontPath, fontMode, fontSize) &&
                               giveFont(_okButton, fontPath, fontMode, fontSize) &&
                               giveFont(_cancelButton, fontPath, fontMode, fontSize) &&
                               giveFont(_entryList, fontPath, fontMode, fontSize);
    if (_font == nullptr || !partsHaveFont) {
        throw std::bad_alloc();
    }
    storeFontSpecification(fontPath, fontMode, fontSize);
    _pathEntry.setBackgroundColor(1, 1, 1, 1);
    _pathEntry.setTextColor(0, 0, 0, 1);
    _pathEntry.setBounds(kFieldWidth, 0);
    _okButton.setText(okLabel != nullptr ? okLabel : "");
    _cancelButton.setText(kCancelLabel);

    std::string start = startDirectory != nullptr ? startDirectory : "";
    if (start.empty()) {
        start = PXExecutablePath.empty() ? "/" : PXExecutablePath;
    }
    loadDirectory(start.c_str());
    setPos(0, 0);
    setBounds(300, 200);
}

bool PXUIFileBrowser::poll() {
    if (_finished) {
        return false;
    }
    if (_okButton.clicked(kMouseLeft)) {
        return finish(_pathEntry.getText());
    }
    if (_cancelButton.clicked(kMouseLeft)) {
        return finish(std::nullopt);
    }
    _entryList.poll();
    _pathEntry.poll();
    if (_pathEntry.mouseOver() && PXKey(PXKeyCode::kReturn, PX_TRUE)) {
        loadDirectory(_pathEntry.getText().c_str());
    }
    handleListClick();
    return true;
}

bool PXUIFileBrowser::finish(std::optional<std::string> selection) {
    _finished = true;
    _selection = std::move(selection);
    return false;
}

// The double-click period counts the steps after the first click, so a second click up to 120
// steps later (at 60 steps a second) still opens the item.
void PXUIFileBrowser::handleListClick() {
    const int index = _entryList.selectedItemIndex();
    if (_entryList.clicked(kMouseLeft) && _entryList.itemAtIndex(index)) {
        clickOn(index);
    } else if (_clickPending && _doubleClickTimer.tick()) {
        _clickPending = false;
    }
}

// A second click on the same item opens it; a click on another item starts over from that one.
// Clicks below the items never get here.
void PXUIFileBrowser::clickOn(int index) {
    if (_clickPending && index == _firstClickIndex) {
        _clickPending = false;
        _firstClickIndex = -1;
        openItem(index);
        return;
    }
    _clickPending = true;
    _firstClickIndex = index;
    _doubleClickTimer.setTimeout(static_cast<int>(2 * _PXLogicSpeed));
    _doubleClickTimer.reset();
}

void PXUIFileBrowser::openItem(int index) {
    const std::string item = _entryList.itemAtIndex(index).value();
    const std::string text = _pathEntry.getText();
    loadDirectory((item == kParentItem ? parentOf(text) : text + item).c_str());
}

bool PXUIFileBrowser::loadDirectory(const char* path) {
    std::string directory = path != nullptr && *path != '\0' ? path : "/";
    if (refusedAsTooLong(directory)) {
        return false;
    }
    const DirectoryHandle handle(opendir(directory.c_str()), closedir);
    if (!handle) {
        const int openError = errno;
        if (directory.back() == '/' || isDirectory(directory)) {
            _PXSetError("Couldn't open directory %s (errno %d)\n", directory.c_str(), openError);
            return false;
        }
        _pathEntry.setText(directory.c_str());
        _okButton.click();
        return false;
    }
    if (directory.back() != '/') {
        directory += '/';
    }
    if (refusedAsTooLong(directory)) {
        return false;
    }
    _currentDirectory = directory;
    _pathEntry.setText(directory.c_str());
    _entryList.setItems(sortedListing(handle.get(), directory));
    _clickPending = false;
    _firstClickIndex = -1;
    setBounds(width(), height());
    return true;
}

// A longer path would have to be cut into another, wrong one.
bool PXUIFileBrowser::refusedAsTooLong(const std::string& path) const {
    if (static_cast<int>(path.size()) <= _maximumPathLength) {
        return false;
    }
    _PXSetError("Couldn't use %s: longer than %d characters\n", path.c_str(), _maximumPathLength);
    return true;
}

void PXUIFileBrowser::setBounds(int width, int height) {
    const int rowsThatFit = static_cast<int>((height - heightAroundRows()) / _font->fullHeight());
    _rowsInList = std::max(kFewestRows, rowsThatFit);
    const int fittedHeight = heightAroundRows() + rowsHeight(_rowsInList);
    const int buttonsHeight = 3 * _cancelButton.height() + 2 * _padding;
    _PXUIWidget::setBounds(std::max(width, kFieldWidth + 3 * _padding + buttonWidth()),
                           std::max({height, fittedHeight, buttonsHeight}));
    updateSubWidgets();
}

void PXUIFileBrowser::setNumberOfItemsInList(int count) {
    setBounds(width(), heightAroundRows() + rowsHeight(std::max(kFewestRows, count)));
}

// The entry, the list's outline and the padding above, between and below them.
int PXUIFileBrowser::heightAroundRows() const {
    return _pathEntry.height() + 3 * _padding + kListOutline;
}

int PXUIFileBrowser::rowsHeight(int rows) const {
    return static_cast<int>(std::ceil(_font->fullHeight() * rows));
}

void PXUIFileBrowser::setPos(int x, int y) {
    _PXUIWidget::setPos(x, y);
    updateSubWidgets();
}

void PXUIFileBrowser::updateSubWidgets() {
    const int buttons = buttonWidth();
    const int field = width() - (buttons + _padding) - 3 * _padding;
    _pathEntry.setBounds(field, _pathEntry.height());
    _pathEntry.setPos(xPos() + _padding, yPos() + _padding);
    // The list never lowers its height when given bounds, so it first shrinks to its rows.
    _entryList.setNumberOfDisplayItems(_rowsInList);
    _entryList.setBounds(field, rowsHeight(_rowsInList));
    _entryList.setPos(xPos() + _padding, yPos() + _pathEntry.height() + 2 * _padding);
    const int buttonX = _entryList.xPos() + field + _padding;
    _okButton.setBounds(buttons, _okButton.height());
    _okButton.setPos(buttonX, _pathEntry.yPos());
    _cancelButton.setBounds(buttons, _cancelButton.height());
    _cancelButton.setPos(buttonX, _okButton.yPos() + 2 * _okButton.height());
}

int PXUIFileBrowser::buttonWidth() const {
    return std::max(_okButton.width(), _cancelButton.width());
}

void PXUIFileBrowser::draw() {
    const int right = xPos() + width();
    const int bottom = yPos() + height();
    _PXUIOutline(xPos(), yPos(), right, bottom, _border);
    _PXUIFill(xPos() + 1, yPos() + 1, right - 1, bottom - 1, _background);
    _pathEntry.draw();
    _entryList.draw();
    _okButton.draw();
    _cancelButton.draw();
}

void PXUIFileBrowser::setButtonsColour(ButtonColourSetter setter, const PXUIColor& colour) {
    for (PXUIButton* button : {&_okButton, &_cancelButton}) {
        (button->*setter)(colour.r, colour.g, colour.b, colour.a);
    }
}
