// Feeds arbitrary bytes to the saved game reader. No input may crash it or leak; reading never
// touches the running game's objects or counts, and a state it accepts holds every part of the
// format whole. Run it where there is no ./data: object images then fail without OpenGL.
#include "game/objects/WorldObject.h"
#include "game/objects/WorldObjectVector.h"
#include "game/screens/LoadGame.h"
#include "game/world/Minimap.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

namespace {

constexpr size_t kPlayerBlockBytes = 16;
constexpr size_t kMinimapBlockBytes = Minimap::kColumns * Minimap::kRows * 4;

bool wellFormed(const SavedGame& saved) {
    const GameStatistics& statistics = saved.statistics;
    return saved.version >= 1 && saved.version <= 2 &&
           saved.playerBlock.size() == kPlayerBlockBytes &&
           saved.minimapBlock.size() == kMinimapBlockBytes && saved.collectedHexNuts >= 0 &&
           (saved.version > 1 || saved.collectedHexNuts == 0) && statistics.saveCount() >= 0 &&
           statistics.hours() <= GameStatistics::kMaximumHours && statistics.minutes() < 60 &&
           statistics.seconds() < 60;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The running game's objects: one that must survive every read.
    static const std::unique_ptr<WorldObject> crate(createWorldObjectNamed("Crate"));
    static std::vector<WorldObject*> running{crate.get()};
    globalWorldObjectVector = &running;
    std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::unique_ptr<FILE, int (*)(FILE*)> stream(fmemopen(bytes.data(), size, "rb"), fclose);
    if (stream == nullptr) {
        abort();
    }
    const int collectedBefore = collectedHexNutCount();
    const std::optional<SavedGame> saved = readSavedGame(stream.get(), nullptr);
    if (running.size() != 1 || collectedHexNutCount() != collectedBefore ||
        (saved && !wellFormed(*saved))) {
        abort();
    }
    return 0;
}
