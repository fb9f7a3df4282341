// Feeds arbitrary bytes to the secrets list reader as the game reads "s.list". No input may
// crash it or leak; the list stays the eight secrets in their fixed order whatever the file
// says, and the state read saves and reads back the same.
// Run it in a folder of its own: it writes ./data/s.list there.
#include "FuzzSupport.h"
#include "game/screens/SecretList.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr const char* kSecretListFile = "./data/s.list";
constexpr size_t kSecretCount = 8;

// The identifiers in list order, each negated when locked.
std::vector<int> listState() {
    std::vector<int> state;
    for (const Secret& secret : *globalSecretList) {
        state.push_back(secret.unlocked() ? secret.identifier() : -1 - secret.identifier());
    }
    return state;
}

std::vector<int> stateRead() {
    cleanupSecretList();
    createSecretList();
    loadSecretList();
    return listState();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::filesystem::create_directories("./data");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::vector<int> allLocked = [] {
        cleanupSecretList();
        createSecretList();
        return listState();
    }();
    if (!writeWholeFile(kSecretListFile, fuzzBytes(data, size))) {
        abort();
    }
    const std::vector<int> read = stateRead();
    if (read.size() != kSecretCount) {
        abort();
    }
    for (size_t index = 0; index < kSecretCount; index++) {
        if (read[index] != allLocked[index] && read[index] != -1 - allLocked[index]) {
            abort();
        }
    }
    saveSecretList();
    if (stateRead() != read) {
        abort();
    }
    return 0;
}
