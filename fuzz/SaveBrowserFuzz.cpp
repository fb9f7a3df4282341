// Builds a saves folder from arbitrary bytes (which slot folders and files exist, and what the
// files hold) and lists it as the save browser does. No folder may crash the listing or leak; it
// lists visible folders of the saves folder only, highest first, each with its statistics unless
// damaged; the listing finishes or discards interrupted saves, so a second one finds the same;
// and the New slot is numbered past every slot and names no folder that exists.
// Run it in a folder of its own: it makes and removes ./data/saves there.
#include "FuzzSupport.h"
#include "SaveFolderArchive.h"
#include "engine/PXTexture.h"
#include "game/screens/GameStatistics.h"
#include "game/screens/SaveGameBrowser.h"
#include "game/screens/SaveSlot.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kHighestSlot = 99;

using Listing = SaveGameBrowser::SlotListing;

std::string folderName(const std::string& path) {
    return path.substr(path.rfind('/') + 1);
}

bool onlyDigits(const std::string& name) {
    return !name.empty() &&
           std::all_of(name.begin(), name.end(), [](char c) { return std::isdigit(c) != 0; });
}

// The slot number of a digit-only name, saturated above the highest slot.
int slotNumber(const std::string& name) {
    const size_t first = name.find_first_not_of('0');
    return first == std::string::npos ? 0 : std::stoi(name.substr(first, 3));
}

bool sameStatistics(const GameStatistics* left, const GameStatistics* right) {
    if (left == nullptr || right == nullptr) {
        return left == right;
    }
    return writtenBytes([left](FILE* stream) { return left->save(stream); }) ==
           writtenBytes([right](FILE* stream) { return right->save(stream); });
}

bool sameListing(const Listing& first, const Listing& second) {
    return first.folders == second.folders &&
           std::equal(first.slots.begin(), first.slots.end(), second.slots.begin(),
                      second.slots.end(), [](const auto& left, const auto& right) {
                          return left.path == right.path && left.damaged == right.damaged &&
                                 sameStatistics(left.statistics.get(), right.statistics.get());
                      });
}

bool soundSlots(const Listing& listing) {
    std::string previous;
    for (const SaveGameBrowser::Entry& slot : listing.slots) {
        const std::string name = folderName(slot.path);
        if (slot.path != savesFolder() + "/" + name || name.front() == '.' ||
            std::find(listing.folders.begin(), listing.folders.end(), name) ==
                listing.folders.end() ||
            (!previous.empty() && name >= previous) || slot.preview != nullptr ||
            (slot.statistics == nullptr && !slot.damaged)) {
            return false;
        }
        previous = name;
    }
    return true;
}

bool soundNewSlot(const Listing& listing) {
    int highest = 0;
    for (const std::string& name : listing.folders) {
        highest = std::max(highest, onlyDigits(name) ? slotNumber(name) : 0);
    }
    const std::optional<std::string> path = SaveGameBrowser::newSlotPath(listing.folders);
    if (!path) {
        return highest >= kHighestSlot;
    }
    const std::string name = folderName(*path);
    return *path == savesFolder() + "/" + name && name.size() == 3 && onlyDigits(name) &&
           slotNumber(name) == highest + 1 &&
           std::find(listing.folders.begin(), listing.folders.end(), name) == listing.folders.end();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    makeEmptyFolder(savesFolder());
    unpackFolder(fuzzBytes(data, size), savesFolder());
    const Listing first = SaveGameBrowser::listSlots();
    const Listing second = SaveGameBrowser::listSlots();
    if (!soundSlots(first) || !sameListing(first, second) || !soundNewSlot(first)) {
        abort();
    }
    return 0;
}
