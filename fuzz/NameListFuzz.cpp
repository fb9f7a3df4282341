// Feeds arbitrary bytes to the name list reader as the editor reads "tilesetNames.txt" and
// "mapMusicNames.txt". No input may crash it; a refused list holds no names, an accepted one
// holds at most 10000, each a single line of at most 254 characters, and hands them out in a
// circle both ways.
// Run it in a folder of its own: it writes ./data/tilesetNames.txt there.
#include "FuzzSupport.h"
#include "game/core/FilenameList.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr const char* kListName = "tilesetNames.txt";
constexpr int kMaximumNames = 10000;
constexpr size_t kLongestName = 254;

bool soundName(const char* name) {
    return name != nullptr && strlen(name) <= kLongestName && strchr(name, '\n') == nullptr;
}

// Walks the circle forwards once and one step further, then backwards the same way.
bool handsOutInACircle(FilenameList& list) {
    std::vector<std::string> names;
    for (int index = 0; index < list.count(); index++) {
        const char* name = list.getNextFilename();
        if (!soundName(name)) {
            return false;
        }
        names.emplace_back(name);
    }
    if (names.empty()) {
        return list.getNextFilename() == nullptr && list.getPreviousFilename() == nullptr;
    }
    if (names.front() != list.getNextFilename()) {
        return false;
    }
    for (auto name = names.rbegin(); name != names.rend(); ++name) {
        if (*name != list.getPreviousFilename()) {
            return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::filesystem::create_directories("./data");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (!writeWholeFile(std::string("./data/") + kListName, fuzzBytes(data, size))) {
        abort();
    }
    FilenameList list;
    const bool loaded = list.LoadFilenames(kListName) != 0;
    if ((!loaded && list.count() != 0) || list.count() > kMaximumNames ||
        !handsOutInACircle(list)) {
        abort();
    }
    return 0;
}
