// Feeds arbitrary bytes to the reader of a slot's statistics file ("sav.cvt"), then formats what
// it read as the save browser shows it. No input may crash it; a refused record changes nothing,
// an accepted one holds a clock a game can reach and saves and reads back to the same bytes.
#include "FuzzSupport.h"
#include "game/screens/GameStatistics.h"
#include "game/screens/SaveGameBrowser.h"

#include <cstdlib>
#include <string>

namespace {

std::string saved(const GameStatistics& statistics) {
    return writtenBytes([&statistics](FILE* stream) { return statistics.save(stream); });
}

bool load(GameStatistics& statistics, std::string bytes) {
    const FuzzStream stream = readStreamOver(bytes);
    return statistics.load(stream.get());
}

bool reachable(const GameStatistics& statistics) {
    return statistics.hours() >= 0 && statistics.hours() <= GameStatistics::kMaximumHours &&
           statistics.minutes() >= 0 && statistics.minutes() < 60 && statistics.seconds() >= 0 &&
           statistics.seconds() < 60 && statistics.saveCount() >= 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    GameStatistics statistics;
    const std::string fresh = saved(statistics);
    if (!load(statistics, fuzzBytes(data, size))) {
        if (saved(statistics) != fresh) {
            abort();
        }
        return 0;
    }
    SaveGameBrowser::saveTimeText(statistics.saveTime());
    const std::string accepted = saved(statistics);
    GameStatistics reloaded;
    if (!reachable(statistics) || !load(reloaded, accepted) || saved(reloaded) != accepted) {
        abort();
    }
    return 0;
}
