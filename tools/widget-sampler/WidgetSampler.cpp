// Shows every widget of the engine's toolkit at once in a 640 x 480 window, live until the window
// closes or Escape is pressed, or draws one frame into a BMP file and exits.
// Usage: corvane_widget_sampler [--font FILE.ttf] [--folder FOLDER] [--screenshot FILE.bmp]
// Relative paths are taken from the folder the tool was started in; the defaults (the editor's
// font and the data tree) from the tool's own folder, as the game does.
#include "engine/Paxtor.h"
#include "engine/ui/PXUIButton.h"
#include "engine/ui/PXUIDialogBox.h"
#include "engine/ui/PXUIFileBrowser.h"
#include "engine/ui/PXUIListBox.h"
#include "engine/ui/PXUIMenu.h"
#include "engine/ui/PXUITextEntry.h"

#include <GL/gl.h>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <memory>
#include <new>
#include <optional>
#include <string>

namespace {

constexpr int kWindowWidth = 640;
constexpr int kWindowHeight = 480;
constexpr int kFontMode = PX_FONT_MODE_TEXTURE;
constexpr int kFontSize = 12;
constexpr int kMaximumPath = 1024;
constexpr int kMargin = 8;

struct Options {
    std::string font = "./data/fonts/Editor.ttf";
    std::string folder = "./data/";
    std::optional<std::string> screenshot;
};

// Paths given are made absolute before the engine moves to the tool's folder.
std::optional<Options> parseOptions(int argc, char** argv) {
    Options options;
    for (int index = 1; index + 1 < argc; index += 2) {
        const std::string value =
            std::filesystem::absolute(argv[index + 1]).lexically_normal().string();
        if (std::strcmp(argv[index], "--font") == 0) {
            options.font = value;
        } else if (std::strcmp(argv[index], "--folder") == 0) {
            options.folder = value;
        } else if (std::strcmp(argv[index], "--screenshot") == 0) {
            options.screenshot = value;
        } else {
            return std::nullopt;
        }
    }
    return argc % 2 == 1 ? std::optional(options) : std::nullopt;
}

void doNothing(void*) {}

// A press and a release of the left button at the point, each in its own logic step, as the
// event pump would report them.
void clickMenuAt(PXUIMenu& menu, int x, int y) {
    PXMouseX = static_cast<Uint16>(x);
    PXMouseY = static_cast<Uint16>(y);
    for (const Uint8 state : {SDL_PRESSED, SDL_RELEASED}) {
        SDL_MouseButtonEvent event{};
        event.type = state == SDL_PRESSED ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
        event.button = SDL_BUTTON_LEFT;
        event.state = state;
        _PXSetMouse(event);
        menu.poll();
    }
}

class Sampler {
public:
    explicit Sampler(const Options& options) : _options(options) {
        buildMenus(options.font.c_str());
        buildControls(options.font.c_str());
        _browser = makeBrowser(options.folder);
        openMenus();
    }

    void poll() {
        _file->poll();
        _edit->poll();
        _button.clicked(0);
        _list.poll();
        _entry.poll();
        _dialog.poll();
        if (!_browser->poll()) {
            _browser = makeBrowser(_browser->currentDirectory());
        }
    }

    void draw() {
        glClearColor(0.22f, 0.27f, 0.33f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        _button.draw();
        _list.draw();
        _entry.draw();
        _dialog.draw();
        _browser->draw();
        _edit->draw();
        _file->draw();
    }

private:
    // A finished browser is replaced by a new one on the same folder, so it stays live.
    std::unique_ptr<PXUIFileBrowser> makeBrowser(const std::string& folder) const {
        auto browser = std::make_unique<PXUIFileBrowser>(
            kMaximumPath, _options.font.c_str(), kFontMode, kFontSize, "Load", folder.c_str());
        browser->setBounds(0, 200);
        browser->setFileListRowColors(0.9f, 0.9f, 0.9f, 1, 0.75f, 0.75f, 0.75f, 1);
        browser->setBackgroundColor(0.85f, 0.85f, 0.85f, 1);
        browser->setPos(kWindowWidth - browser->w() - kMargin,
                        kWindowHeight - browser->h() - kMargin);
        return browser;
    }

    std::unique_ptr<PXUIMenu> menu(const char* title, const char* font) {
        auto made = std::make_unique<PXUIMenu>(title);
        made->setFont(font, kFontMode);
        made->setFontSize(kFontSize);
        return made;
    }

    void buildMenus(const char* font) {
        _file = menu("File", font);
        _file->addMenuItemWithName("New Map", doNothing, nullptr, PXKeyCode::kLeftControl,
                                   PXKeyCode::kN);
        _file->addMenuItemWithName("Open Map", doNothing, nullptr, PXKeyCode::kLeftWinkey,
                                   PXKeyCode::kO);
        _file->addMenuItemWithName("Save Map", doNothing, nullptr, PXKeyCode::kLeftWinkey,
                                   PXKeyCode::kS);
        _file->addDivider();
        auto recent = menu("Recent Maps", font);
        recent->addMenuItemWithName("cavern", doNothing, nullptr);
        recent->addMenuItemWithName("forest", doNothing, nullptr, PXKeyCode::kLeftControl,
                                    PXKeyCode::digit(1));
        _recent = recent.get();
        _file->addSubMenu(std::move(recent));
        _file->addMenuItemWithName("Quit", doNothing, nullptr);
        _edit = menu("Edit", font);
        _edit->addMenuItemWithName("Undo", doNothing, nullptr);
        _file->poll();
        _edit->setPos(_file->xPos() + _file->w(), 0);
        _edit->poll();
    }

    // The File menu and its sub-menu open, the mouse resting on the sub-menu's last item.
    void openMenus() {
        clickMenuAt(*_file, _file->w() / 2, _file->h() / 2);
        clickMenuAt(*_file, _recent->xPos() + _recent->w() / 2, _recent->yPos() + _recent->h() / 2);
        PXMouseX = static_cast<Uint16>(_recent->xPos() + _recent->w() + 10);
        PXMouseY = static_cast<Uint16>(_recent->yPos() + _recent->h() * 3 / 2);
        _file->poll();
    }

    void buildControls(const char* font) {
        _button.setFont(font, kFontMode);
        _button.setFontSize(kFontSize);
        _button.setText("Button");
        _button.setPos(380, 16);

        _entry.setFont(font, kFontMode);
        _entry.setFontSize(kFontSize);
        _entry.setBounds(180, 0);
        _entry.setText("Hello, Corvane");
        _entry.setPos(380, 56);

        _list.setFont(font, kFontMode);
        _list.setFontSize(kFontSize);
        for (const char* item : {"Flowrian", "Negg", "Oller", "Dom", "Raam", "Vonil"}) {
            _list.addItem(item);
        }
        _list.setBounds(120, 0);
        _list.setRowColors(0.9f, 0.9f, 0.9f, 1, 0.75f, 0.75f, 0.75f, 1);
        _list.setSelectedBGColor(0.2f, 0.35f, 0.7f, 1);
        _list.setSelectedTextColor(1, 1, 1, 1);
        _list.setPos(2 * kMargin, 140);
        _list.selectItemAtIndex(2);

        _dialog.setFont(font, kFontMode);
        _dialog.setFontSize(kFontSize);
        _dialog.setPos(2 * kMargin, 290);
        _dialog.setMessage("Discard the changes to this map?");
        _dialog.addButton("Yes");
        _dialog.addButton("No");
    }

    std::unique_ptr<PXUIMenu> _file;
    PXUIMenu* _recent = nullptr;
    std::unique_ptr<PXUIMenu> _edit;
    PXUIButton _button;
    PXUIListBox _list;
    PXUITextEntry _entry{64};
    PXUIDialogBox _dialog;
    std::unique_ptr<PXUIFileBrowser> _browser;
    Options _options;
};

// The engine's screen loop; Escape is read inside a logic step, where a quick tap still shows.
void runLive(Sampler& sampler) {
    bool running = true;
    PXResetLogicLoop();
    while (running) {
        PXPreLogicLoop();
        while (PXLogicLoop()) {
            sampler.poll();
            running = running && !PXKey(PXKeyCode::kEscape) && !PXApplicationQuitRequested();
            PXLogicUpdate();
        }
        PXPostLogicLoop();
        sampler.draw();
        PXSwapBuffers();
        PXSleepUntilNextTick();
    }
}

int run(const Options& options) {
    if (!PXVideoMode2D(kWindowWidth, kWindowHeight, 0)) {
        std::fprintf(stderr, "Couldn't open the window: %s\n", PXError());
        return 1;
    }
    SDL_WM_SetCaption("Corvane widget sampler", nullptr);
    Sampler sampler(options);
    if (!options.screenshot) {
        runLive(sampler);
        return 0;
    }
    sampler.draw();
    if (!PXSaveBuffer(options.screenshot->c_str())) {
        std::fprintf(stderr, "Couldn't save %s: %s\n", options.screenshot->c_str(), PXError());
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::optional<Options> options = parseOptions(argc, argv);
    if (!options) {
        std::fprintf(stderr,
                     "Usage: %s [--font FILE.ttf] [--folder FOLDER] [--screenshot FILE.bmp]\n",
                     argv[0]);
        return 2;
    }
    if (!PXInit(argv[0])) {
        std::fprintf(stderr, "Couldn't start the engine: %s\n", PXError());
        return 1;
    }
    int status = 1;
    try {
        status = run(*options);
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "Unable to use the font %s\n", options->font.c_str());
    }
    PXDeInit();
    return status;
}
