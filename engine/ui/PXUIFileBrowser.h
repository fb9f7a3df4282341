// A small modal file chooser: a path entry, the listing of the current folder, an OK button with
// the caller's label and a Cancel button. Folders open on a double click; choosing a file (by a
// double click, or by typing a path and pressing OK) finishes the browser.
#pragma once

#include "PXUIButton.h"
#include "PXUIListBox.h"
#include "PXUITextEntry.h"
#include "PXUIWidget.h"
#include "engine/PXTimer.h"

#include <optional>
#include <string>

class PXUIFileBrowser : public _PXUIWidget {
public:
    // Lists the start folder (the program's folder when none is given, "/" when that is unknown)
    // in a 300 x 200 browser at (0, 0). Throws std::bad_alloc when the font cannot be used.
    PXUIFileBrowser(int maximumPathLength, const char* fontPath, int fontMode, int fontSize,
                    const char* okLabel, const char* startDirectory);

    // Called once per logic step: false once OK or Cancel ended the browser, true while browsing.
    bool poll();
    // The chosen path, or none while browsing or after Cancel.
    std::optional<std::string> selection() const { return _selection; }

    // Lists the folder and shows its path ending in "/"; a path that is no folder is chosen as the
    // file. False (the reason in PXError()) when nothing was listed.
    bool loadDirectory(const char* path);
    // Sizes the browser: at least wide enough for its parts, as many list rows as fit (never fewer
    // than 2).
    virtual void setBounds(int width, int height);
    // Moves the browser and its parts.
    virtual void setPos(int x, int y);
    // Places the entry, the list and the buttons inside the browser.
    void updateSubWidgets();
    // Rows the list shows at once.
    void setNumberOfItemsInList(int count);
    // Frame, entry, list and buttons.
    void draw() override;

    // The folder listed, ending in "/".
    const std::string& currentDirectory() const { return _currentDirectory; }
    // The parts, for owners that place or inspect them.
    PXUITextEntry& pathEntry() { return _pathEntry; }
    PXUIListBox& entryList() { return _entryList; }
    PXUIButton& okButton() { return _okButton; }
    PXUIButton& cancelButton() { return _cancelButton; }

    // Colours handed to the list.
    void setFileListRowColors(float evenR, float evenG, float evenB, float evenA, float oddR,
                              float oddG, float oddB, float oddA) {
        _entryList.setRowColors(evenR, evenG, evenB, evenA, oddR, oddG, oddB, oddA);
    }
    void setFileListBordercolor(float r, float g, float b, float a) {
        _entryList.setBorderColor(r, g, b, a);
    }
    void setFileListTextColor(float r, float g, float b, float a) {
        _entryList.setTextColor(r, g, b, a);
    }
    void setFileListSelectedBGColor(float r, float g, float b, float a) {
        _entryList.setSelectedBGColor(r, g, b, a);
    }
    void setFileListSelectedTextColor(float r, float g, float b, float a) {
        _entryList.setSelectedTextColor(r, g, b, a);
    }
    // Colours handed to the path entry.
    void setTextEntryBorderColor(float r, float g, float b, float a) {
        _pathEntry.setBorderColor(r, g, b, a);
    }
    void setTextEntryTextColor(float r, float g, float b, float a) {
        _pathEntry.setTextColor(r, g, b, a);
    }
    void setTextEntryBackgroundColor(float r, float g, float b, float a) {
        _pathEntry.setBackgroundColor(r, g, b, a);
    }
    // Colours handed to both buttons.
    void setButtonBorderColor(float r, float g, float b, float a) {
        setButtonsColour(&PXUIButton::setBorderColor, {r, g, b, a});
    }
    void setButtonNormalBackgroundColor(float r, float g, float b, float a) {
        setButtonsColour(&PXUIButton::setNormalBackgroundColor, {r, g, b, a});
    }
    void setButtonDepressedBackgroundColor(float r, float g, float b, float a) {
        setButtonsColour(&PXUIButton::setDepressedBackgroundColor, {r, g, b, a});
    }
    void setButtonTextColor(float r, float g, float b, float a) {
        setButtonsColour(&PXUIButton::setTextColor, {r, g, b, a});
    }
    // Colours of the browser's own frame.
    void setBackgroundColor(float r, float g, float b, float a) { _background = {r, g, b, a}; }
    void setBorderColor(float r, float g, float b, float a) { _border = {r, g, b, a}; }

private:
    using ButtonColourSetter = void (PXUIButton::*)(float, float, float, float);
    void setButtonsColour(ButtonColourSetter setter, const PXUIColor& colour);
    bool finish(std::optional<std::string> selection);
    void handleListClick();
    void clickOn(int index);
    void openItem(int index);
    // True, with the reason in PXError(), when the path is longer than the browser allows.
    bool refusedAsTooLong(const std::string& path) const;
    int buttonWidth() const;
    int heightAroundRows() const;
    int rowsHeight(int rows) const;

    PXFont* _font;
    PXUITextEntry _pathEntry;
    std::string _currentDirectory;
    PXUIButton _okButton;
    PXUIButton _cancelButton;
    PXUIListBox _entryList;
    PXTimer _doubleClickTimer;
    bool _clickPending = false;
    int _firstClickIndex = -1;
    int _padding = 2;
    int _maximumPathLength;
    int _rowsInList = 16;
    bool _finished = false;
    std::optional<std::string> _selection;
    PXUIColor _background{1, 1, 1, 1};
    PXUIColor _border{0, 0, 0, 1};
};
