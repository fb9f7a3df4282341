// Feeds arbitrary bytes to the settings reader. No input may crash it; each whole value the
// input holds replaces one stored value in file order, the values it lacks are kept, and what it
// accepted saves and reads back to the same bytes.
#include "FuzzSupport.h"
#include "game/core/Settings.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

constexpr size_t kStoredBytes = 80;

std::string savedSettings() {
    return writtenBytes([](FILE* stream) { return Settings::instance()->save(stream) != 0; });
}

bool loadSettings(std::string bytes) {
    const FuzzStream stream = readStreamOver(bytes);
    return Settings::instance()->load(stream.get()) != 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input = fuzzBytes(data, size);
    const std::string before = savedSettings();
    if (!loadSettings(input)) {
        abort();
    }
    const std::string after = savedSettings();
    const size_t replaced = std::min(input.size() / 4 * 4, kStoredBytes);
    if (after.size() != kStoredBytes || after.compare(0, replaced, input, 0, replaced) != 0 ||
        after.compare(replaced, std::string::npos, before, replaced) != 0 || !loadSettings(after) ||
        savedSettings() != after) {
        abort();
    }
    return 0;
}
