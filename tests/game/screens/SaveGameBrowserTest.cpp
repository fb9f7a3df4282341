#include "SaveGameFixture.h"
#include "engine/Paxtor.h"
#include "game/core/ResourceManager.h"
#include "game/objects/WOSave.h"
#include "tests/support/TestLog.h"

#include <ctime>
#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

constexpr SDLKey kAction = SDLK_z;
constexpr int kStartX = 100;

class SaveGameBrowserTest : public SaveGameFixture {
protected:
    static bool logged(const std::string& text) {
        return testLogContent().find(text) != std::string::npos;
    }

    // One tick of the browser with the key held, then one with it let go.
    static void press(SaveGameBrowser& browser, SDLKey key) {
        hold(key);
        browser.logic();
        release(key);
        browser.logic();
    }

    // The same through whole game ticks.
    void pressInGame(SDLKey key) {
        hold(key);
        tick();
        release(key);
        tick();
    }

    static PXSound& selectSound() { return *ResourceManager::instance()->sound("titleSelect.wav"); }
};

TEST_F(SaveGameBrowserTest, ListsExitNewAndTheSlotsHighestFirst) {
    EXPECT_EQ(browserPaths(SaveGameBrowser(0)), (std::vector<std::string>{"Exit", slot(1)}));
    EXPECT_EQ(browserPaths(SaveGameBrowser(1)), std::vector<std::string>{"Exit"});

    for (const int number : {1, 2, 5}) {
        writeStatisticsSlot(number, number);
    }
    SaveGameBrowser saving(0);
    EXPECT_EQ(browserPaths(saving),
              (std::vector<std::string>{"Exit", slot(6), slot(5), slot(2), slot(1)}));
    EXPECT_EQ(saving.entries()[1].statistics, nullptr);
    ASSERT_NE(saving.entries()[2].statistics, nullptr);
    EXPECT_EQ(saving.entries()[2].statistics->hours(), 5);
    EXPECT_EQ(browserPaths(SaveGameBrowser(1)),
              (std::vector<std::string>{"Exit", slot(5), slot(2), slot(1)}));

    // Folders of other names never number the new slot; folders without statistics and hidden
    // ones are not listed; a bad preview only goes missing.
    fs::create_directories("./data/saves/backup");
    fs::create_directories("./data/saves/003");
    fs::create_directories("./data/saves/.hidden");
    writeBytes("./data/saves/old/sav.cvt", statisticsRecord(7, 0, 0));
    writeBytes(slot(2) + "/prv.bmp", "not an image");
    ASSERT_TRUE(saving.loadContents());
    EXPECT_EQ(browserPaths(saving), (std::vector<std::string>{"Exit", slot(6), "./data/saves/old",
                                                              slot(5), slot(2), slot(1)}));
    EXPECT_EQ(saving.entries()[4].preview, nullptr);
    EXPECT_TRUE(logged("Couldn't open save image file ./data/saves/002/prv.bmp\n"));
    EXPECT_TRUE(logged("Couldn't open save stats file: ./data/saves/003/sav.cvt\n"));
    EXPECT_TRUE(logged("Couldn't open save stats file: ./data/saves/backup/sav.cvt\n"));

    writeStatisticsSlot(99);
    ASSERT_TRUE(saving.loadContents());
    EXPECT_EQ(browserPaths(saving), (std::vector<std::string>{"Exit", "./data/saves/old", slot(99),
                                                              slot(5), slot(2), slot(1)}))
        << "no slot after 099 is offered";
}

TEST_F(SaveGameBrowserTest, MovesOncePerPressThenRepeatsAndStopsSilentlyAtTheEnds) {
    for (int number = 1; number <= 4; number++) {
        writeStatisticsSlot(number);
    }
    SaveGameBrowser browser(0);
    ASSERT_EQ(browser.entries().size(), 6u);
    press(browser, SDLK_UP);
    EXPECT_EQ(browser.selectedIndex(), 0);
    EXPECT_FALSE(selectSound().isPlaying()) << "Up on the first entry is silent";

    hold(SDLK_DOWN);
    browser.logic();
    EXPECT_EQ(browser.selectedIndex(), 1);
    EXPECT_TRUE(selectSound().isPlaying());
    std::vector<int> movedAt;
    for (int tick = 1; tick <= 40; tick++) {
        const int before = browser.selectedIndex();
        PXStopAllSounds();
        browser.logic();
        if (browser.selectedIndex() != before) {
            movedAt.push_back(tick);
        }
    }
    EXPECT_EQ(movedAt, (std::vector<int>{15, 20, 25, 30})) << "repeat after 10 ticks, every 5";
    EXPECT_EQ(browser.selectedIndex(), 5);
    EXPECT_FALSE(selectSound().isPlaying()) << "held on the last entry, silent";
    release(SDLK_DOWN);
    press(browser, SDLK_UP);
    EXPECT_EQ(browser.selectedIndex(), 4) << "a new press acts at once";

    clearTo(0, 0, 0);
    browser.draw(25, 60);
    EXPECT_EQ(pixelAt(25 + 250, 60 + 115), (RGBA{255, 255, 255, 255})) << "the selected box";
    EXPECT_EQ(pixelAt(25 + 3, 60 + 80), (RGBA{0, 0, 0, 255})) << "its outline";

    for (int number = 1; number <= 4; number++) {
        fs::remove_all(slot(number));
    }
    ASSERT_TRUE(browser.loadContents());
    EXPECT_EQ(browser.selectedIndex(), 1) << "kept inside the shorter list";
}

TEST_F(SaveGameBrowserTest, AtASavePointTheChosenSlotIsSavedAndExitSavesNothing) {
    globalSaveGameBrowser = new SaveGameBrowser(0);
    placeObject(new WOSave(), kStartX, kFloorRow * kTile - 32);
    standAt(kStartX);
    const auto startedAt = static_cast<int32_t>(time(nullptr));
    pressInGame(kAction);
    ASSERT_TRUE(showSaveBrowser);
    EXPECT_EQ(browserPaths(*globalSaveGameBrowser), (std::vector<std::string>{"Exit", slot(1)}));

    pressInGame(SDLK_DOWN);
    pressInGame(SDLK_RETURN);
    EXPECT_FALSE(showSaveBrowser);
    EXPECT_TRUE(fs::exists(slot(1) + "/sav.cvs"));
    EXPECT_EQ(globalGameStats->saveCount(), 1);
    EXPECT_GE(globalGameStats->saveTime(), startedAt);

    pressInGame(kAction);
    ASSERT_TRUE(showSaveBrowser);
    EXPECT_EQ(browserPaths(*globalSaveGameBrowser),
              (std::vector<std::string>{"Exit", slot(2), slot(1)}));
    EXPECT_EQ(globalSaveGameBrowser->selectedIndex(), 2) << "still on the slot just saved";
    EXPECT_EQ(globalSaveGameBrowser->entries()[2].statistics->saveCount(), 1);

    pressInGame(SDLK_UP);
    pressInGame(SDLK_UP);
    pressInGame(SDLK_RETURN);
    EXPECT_FALSE(showSaveBrowser);
    EXPECT_EQ(globalGameStats->saveCount(), 1) << "Exit saves nothing";
    EXPECT_FALSE(fs::exists(slot(2)));
}

TEST_F(SaveGameBrowserTest, SaveTimesShowOnATwelveHourClock) {
    const auto shownAt = [](int hour, int minute) {
        std::tm local{};
        local.tm_year = 2024 - 1900;
        local.tm_mon = 2;
        local.tm_mday = 7;
        local.tm_hour = hour;
        local.tm_min = minute;
        local.tm_isdst = -1;
        return SaveGameBrowser::saveTimeText(static_cast<int32_t>(mktime(&local)));
    };
    EXPECT_EQ(shownAt(14, 5), "03/07/2024 - 02:05 PM");
    EXPECT_EQ(shownAt(12, 30), "03/07/2024 - 12:30 PM");
    EXPECT_EQ(shownAt(0, 10), "03/07/2024 - 00:10 AM");
    EXPECT_EQ(shownAt(11, 59), "03/07/2024 - 11:59 AM");
}

} // namespace
