// The program the kill test runs: the real game, started as a player starts it, saving into one
// slot again and again until it is killed. Before saving it checks what the run before, killed
// at a random moment, left behind: the slot must load whole as the last save that run finished
// or as the one it had begun, and the browser must list nothing else.
// Usage: save-loop save | check   (from a copy of the game's folder, beside its data)
#include "game/core/Initialization.h"
#include "game/core/Logic.h"
#include "game/player/Player.h"
#include "game/screens/GameStatistics.h"
#include "game/screens/LoadGame.h"
#include "game/screens/SaveGame.h"
#include "game/screens/SaveGameBrowser.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr const char* kSlot = "./data/saves/001";
// "begun N" before save N starts, "made N" once it returned; flushed at once, so a kill loses
// neither.
constexpr const char* kJournal = "./save-journal.txt";

struct Journal {
    int begun = 0;
    int made = 0;
};

Journal readJournal() {
    Journal journal;
    std::ifstream file(kJournal);
    std::string word;
    int number = 0;
    while (file >> word >> number) {
        (word == "begun" ? journal.begun : journal.made) = number;
    }
    return journal;
}

[[noreturn]] void fail(const std::string& why) {
    fprintf(stderr, "save-loop: %s\n", why.c_str());
    exit(1);
}

std::vector<std::string> listedPaths(const SaveGameBrowser& browser) {
    std::vector<std::string> paths;
    for (const SaveGameBrowser::Entry& entry : browser.entries()) {
        paths.push_back(entry.path);
    }
    return paths;
}

std::set<std::string> filesIn(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

// The number of the save the slot holds, 0 for none; exits when it holds anything else.
int checkSlot(const Journal& journal) {
    const SaveGameBrowser browser(1);
    const std::vector<std::string> listed = listedPaths(browser);
    if (!loadGame(kSlot)) {
        if (journal.made == 0 && listed == std::vector<std::string>{SaveGameBrowser::EXIT_STRING}) {
            return 0;
        }
        fail("the slot does not load");
    }
    if (listed != std::vector<std::string>{SaveGameBrowser::EXIT_STRING, kSlot} ||
        browser.entries()[1].damaged) {
        fail("the browser lists more than the slot, or the slot as damaged");
    }
    if (filesIn(kSlot) != std::set<std::string>{"prv.bmp", "sav.cvs", "sav.cvt", "sav.sum"}) {
        fail("the slot holds files beside its own");
    }
    const int number = globalGameStats->saveCount();
    if (number != journal.made && number != journal.begun) {
        fail("the slot holds save " + std::to_string(number) + ", not " +
             std::to_string(journal.made) + " or " + std::to_string(journal.begun));
    }
    if (globalPlayer->getXPos() != number ||
        browser.entries()[1].statistics->saveCount() != number) {
        fail("the slot's files come from different saves");
    }
    return number;
}

[[noreturn]] void saveForever(int number) {
    FILE* journal = fopen(kJournal, "a");
    if (journal == nullptr) {
        fail("the journal cannot be written");
    }
    // The slot holds this save now, even when the run before was killed before it noted it.
    fprintf(journal, "made %d\n", number);
    fflush(journal);
    const int y = globalPlayer->getYPos();
    for (number++;; number++) {
        fprintf(journal, "begun %d\n", number);
        fflush(journal);
        globalGameStats->recordSave(static_cast<int32_t>(time(nullptr)));
        globalPlayer->setPosition(number, y);
        if (!saveGame(kSlot)) {
            fail("save " + std::to_string(number) + " failed");
        }
        fprintf(journal, "made %d\n", number);
        fflush(journal);
    }
}

} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc == 2 ? argv[1] : "";
    if (mode != "save" && mode != "check") {
        fprintf(stderr, "usage: %s save | check\n", argv[0]);
        return 2;
    }
    if (!init(argv[0])) {
        fail("the game did not start");
    }
    const Journal journal = readJournal();
    const int number = checkSlot(journal);
    if (number == 0 && !initNewGame()) {
        fail("no new game could be started");
    }
    printf("slot holds save %d (begun %d, made %d)\n", number, journal.begun, journal.made);
    if (mode == "check") {
        deinit();
        return 0;
    }
    printf("ready\n");
    fflush(stdout);
    saveForever(number);
}
