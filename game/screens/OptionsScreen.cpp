#include "OptionsScreen.h"

#include "engine/Paxtor.h"
#include "game/core/Log.h"
#include "game/core/ResourceManager.h"
#include "game/core/Settings.h"
#include "game/world/MusicPlayer.h"

#include <algorithm>
#include <array>

namespace {

constexpr int MAX_VOLUME = 128;
constexpr int VOLUME_BAR_MARKS = 8;
constexpr const char* FULL_VOLUME_BAR = "||||||||";

constexpr int TITLE_SIZE = 40;
constexpr int TITLE_Y = 20;
constexpr int ROW_SIZE = 14;
constexpr int LABEL_X = 40;
constexpr int VALUE_X = 195;
constexpr int MAIN_FIRST_ROW_Y = 100;
constexpr int BINDING_FIRST_ROW_Y = 75;
constexpr int NOTE_SIZE = 9;
constexpr int NOTE_X = 5;
constexpr int NOTE_MARGIN = 5;

constexpr std::array<const char*, 7> kMainRows = {
    "Screen Mode",           "Sound Volume",         "Music Volume", "Audio Quality",
    "Set keyboard controls", "Set gamepad controls", "Back"};
constexpr std::array<const char*, 3> kScreenModeNames = {"Normal", "Double", "Fullscreen"};
constexpr std::array<const char*, 3> kAudioQualityNames = {"Low", "Normal", "High"};

// A binding row: its label, its key and its game-pad button (none for walking and "Back").
struct BindingRow {
    const char* label;
    int Settings::*key;
    int Settings::*button;
};

constexpr std::array<BindingRow, 11> kBindingRows = {{
    {"Move Left", &Settings::keyMoveLeft, nullptr},
    {"Move Right", &Settings::keyMoveRight, nullptr},
    {"Jump", &Settings::keyJump, &Settings::buttonJump},
    {"Action", &Settings::keyAction, &Settings::buttonAction},
    {"Inv. Prev", &Settings::keyInventoryPrevious, &Settings::buttonInventoryPrevious},
    {"Inv. Next", &Settings::keyInventoryNext, &Settings::buttonInventoryNext},
    {"Minimap", &Settings::keyMinimap, &Settings::buttonMinimap},
    {"Grav Magnet", &Settings::keyGravityMagnet, &Settings::buttonGravityMagnet},
    {"Booster", &Settings::keyBooster, &Settings::buttonBooster},
    {"Menu", &Settings::keyMenu, &Settings::buttonMenu},
    {"Back", nullptr, nullptr},
}};

// Keys a control may have beyond codes 1..102: the Alt, Control, Super and Winkey keys, Space
// and "=".
constexpr std::array<int, 10> kAcceptedHighKeys = {124, 125, 135, 136, 129,
                                                   130, 132, 131, 133, 134};
constexpr int LAST_ACCEPTED_LOW_KEY = 102;

// Changed this run, so the restart note stays up for the rest of it.
bool _sShowGraphicsWarning = false;
bool _sShowAudioWarning = false;

bool acceptedKey(int code) {
    return (code >= 1 && code <= LAST_ACCEPTED_LOW_KEY) ||
           std::find(kAcceptedHighKeys.begin(), kAcceptedHighKeys.end(), code) !=
               kAcceptedHighKeys.end();
}

// The next of three choices; a value outside them (a hand-edited file) starts over at the first.
int nextChoice(int value) {
    return value >= 0 && value < 2 ? value + 1 : 0;
}

// The name of one of three choices, starred once changed this run; "???" outside them.
std::string choiceName(const std::array<const char*, 3>& names, int value, bool changed) {
    if (value < 0 || value > 2) {
        return "???";
    }
    return std::string(changed ? "*" : "") + names[static_cast<size_t>(value)];
}

void saveSettings() {
    globalLog->write("Saving Settings...");
    globalLog->write(Settings::instance()->save() ? " success!\n" : " failed!\n");
}

} // namespace

OptionsScreen::OptionsScreen(PXTexture* background) : _background(background) {}

bool OptionsScreen::loadResources() {
    return _resources.load("optionsBackground.png", "Couldn't load options screen image\n");
}

int OptionsScreen::volumeBarMarks(int volume) {
    return std::clamp(volume * VOLUME_BAR_MARKS / MAX_VOLUME, 0, VOLUME_BAR_MARKS);
}

int OptionsScreen::firstRow() const {
    return _list == List::kPad ? kJumpRow : 0;
}

int OptionsScreen::lastRow() const {
    return _list == List::kMain ? kMainBackRow : kBindingBackRow;
}

std::string OptionsScreen::rowLabel(int row) const {
    return _list == List::kMain ? kMainRows[static_cast<size_t>(row)]
                                : kBindingRows[static_cast<size_t>(row)].label;
}

std::string OptionsScreen::rowValue(int row) const {
    const Settings& settings = *Settings::instance();
    if (_list == List::kMain) {
        switch (row) {
        case kScreenModeRow:
            return choiceName(kScreenModeNames, settings.screenMode, _sShowGraphicsWarning);
        case kSoundVolumeRow:
            return std::string(static_cast<size_t>(volumeBarMarks(settings.soundVolume)), '|');
        case kMusicVolumeRow:
            return std::string(static_cast<size_t>(volumeBarMarks(settings.musicVolume)), '|');
        case kAudioQualityRow:
            return choiceName(kAudioQualityNames, settings.audioQuality, _sShowAudioWarning);
        default:
            return "";
        }
    }
    const BindingRow& binding = kBindingRows[static_cast<size_t>(row)];
    if (binding.key == nullptr) {
        return "";
    }
    const bool keys = _list == List::kKeys;
    if (_capturing && row == _highlight) {
        return keys ? "<ENTER KEY>" : "<PRESS BTN>";
    }
    return keys ? PXKeyToString(settings.*binding.key)
                : PXGamePadButtonToString(settings.*binding.button);
}

void OptionsScreen::logic() {
    const bool closed = _slide.step(_background != nullptr, [this] {
        if (_capturing) {
            stepCapture();
        } else {
            stepMenu();
        }
    });
    if (closed) {
        leave();
    }
}

void OptionsScreen::stepMenu() {
    if (const int step = _navigation.step()) {
        _highlight = wrapIndex(_highlight, step, firstRow(), lastRow());
        _resources.sounds.playSelect();
    }
    if (_list == List::kMain) {
        stepVolume();
    }
    if (confirmPressed(kConfirmActions)) {
        _resources.sounds.playSelection();
        if (_list == List::kMain) {
            confirmMain();
        } else {
            confirmBinding();
        }
    }
}

void OptionsScreen::stepVolume() {
    const int direction = heldHorizontalDirection();
    if (direction == 0 || (_highlight != kSoundVolumeRow && _highlight != kMusicVolumeRow)) {
        return;
    }
    Settings& settings = *Settings::instance();
    int& volume = _highlight == kSoundVolumeRow ? settings.soundVolume : settings.musicVolume;
    const int changed = std::clamp(volume + direction, 0, MAX_VOLUME);
    if (changed == volume) {
        return;
    }
    volume = changed;
    if (_highlight == kSoundVolumeRow) {
        PXSetSoundVolume(volume);
    } else {
        globalMusicPlayer->setVolume(volume);
    }
}

void OptionsScreen::confirmMain() {
    Settings& settings = *Settings::instance();
    switch (_highlight) {
    case kScreenModeRow:
        settings.screenMode = nextChoice(settings.screenMode);
        _sShowGraphicsWarning = true;
        break;
    case kAudioQualityRow:
        settings.audioQuality = nextChoice(settings.audioQuality);
        _sShowAudioWarning = true;
        break;
    case kKeyboardRow:
        _list = List::kKeys;
        _highlight = 0;
        break;
    case kGamePadRow:
        _list = List::kPad;
        _highlight = kJumpRow;
        break;
    case kMainBackRow:
        if (_background != nullptr) {
            _slide.startClosing();
        } else {
            leave();
        }
        break;
    default:
        break;
    }
}

void OptionsScreen::confirmBinding() {
    if (_highlight == kBindingBackRow) {
        _highlight = _list == List::kKeys ? kKeyboardRow : kGamePadRow;
        _list = List::kMain;
        return;
    }
    _capturing = true;
    _confirmReleased = false;
}

void OptionsScreen::stepCapture() {
    if (PXKey(PXKeyCode::kEscape)) {
        endCapture();
        return;
    }
    if (!_confirmReleased) {
        _confirmReleased = !confirmHeld();
        return;
    }
    if (_list == List::kKeys) {
        stepKeyCapture();
    } else {
        stepButtonCapture();
    }
}

void OptionsScreen::stepKeyCapture() {
    const int code = PXKeyPressed();
    if (!acceptedKey(code)) {
        return;
    }
    Settings::instance()->*kBindingRows[static_cast<size_t>(_highlight)].key = code;
    _resources.sounds.playSelection();
    endCapture();
}

void OptionsScreen::stepButtonCapture() {
    const int button = PXGamePadPressedButton();
    if (button < 0) {
        return;
    }
    Settings::instance()->*kBindingRows[static_cast<size_t>(_highlight)].button = button;
    // The press that set the binding must not act on the menu as well.
    PXGamePadButton(button, PX_TRUE);
    _resources.sounds.playSelection();
    _capturing = false;
}

// The keys are let go as well, so the one just taken does not act on the menu too.
void OptionsScreen::endCapture() {
    PXUnsetKeys();
    _capturing = false;
}

void OptionsScreen::leave() {
    saveSettings();
    _finished = true;
}

void OptionsScreen::draw() const {
    beginScreenFrame(_background, 0, _slide.offset());
    const int base = _background != nullptr ? _slide.followerOffset() : 0;
    drawScreenImage(_resources.image, 0, base);
    const ScreenText text(_resources.font, kShadowDark);
    text.printCentred(TITLE_SIZE, SCREEN_W_UNSCALED / 2, base + TITLE_Y, kTextWhite, "Options");
    const int firstY = base + (_list == List::kMain ? MAIN_FIRST_ROW_Y : BINDING_FIRST_ROW_Y);
    for (int row = firstRow(); row <= lastRow(); row++) {
        drawRow(text, row, firstY + ROW_SIZE * (row - firstRow()));
    }
    if (_sShowGraphicsWarning || _sShowAudioWarning) {
        text.print(NOTE_SIZE, NOTE_X,
                   base + SCREEN_H_UNSCALED - NOTE_MARGIN - text.height(NOTE_SIZE), kTextWhite,
                   "* Change doesn't take effect until restart");
    }
}

void OptionsScreen::drawRow(const ScreenText& text, int row, int y) const {
    const TextColour colour = row == _highlight ? kTextHighlight : kTextWhite;
    text.print(ROW_SIZE, LABEL_X, y, colour, rowLabel(row));
    if (_list == List::kMain && (row == kSoundVolumeRow || row == kMusicVolumeRow)) {
        const ScreenText bar(_resources.font, kShadowGrey);
        bar.printOverShadow(ROW_SIZE, VALUE_X, y, colour, rowValue(row), FULL_VOLUME_BAR);
    } else {
        text.print(ROW_SIZE, VALUE_X, y, colour, rowValue(row));
    }
}

void optionsScreen(PXTexture* background) {
    OptionsScreen screen(background);
    if (screen.loadResources()) {
        runScreen(screen);
    }
}
