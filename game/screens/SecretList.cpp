#include "SecretList.h"

#include "engine/PXAtomicFile.h"
#include "engine/PXFileSystem.h"
#include "game/core/DataPaths.h"
#include "game/core/Log.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>

std::unique_ptr<std::vector<Secret>> globalSecretList;

namespace {

constexpr const char* kSecretListPath = "s.list";
constexpr int kSecretListVersion = 1;

// False while recordings and replays play: their secrets never reach the player's file.
bool _secretListKeptInFile = true;

constexpr std::array<const char*, 8> kDescriptions = {
    "Made friends with Nautilus",
    "Visited the Ghost Shipyard",
    "Feeling pickled?",
    "Release it already!",
    "Marumari",
    "No screws loose",
    "That's a wrap",
    "100%%",
};

constexpr std::array<SecretIdentifier, 8> kListOrder = {
    kSecretGhostShipyard, kSecretNautilusFriend, kSecretPickled,    kSecretReleaseIt,
    kSecretMarumari,      kSecretNoScrewsLoose,  kSecretThatsAWrap, kSecretHundredPercent,
};

// The next integer of the file, or nothing at its end.
std::optional<int> readInteger(FILE* stream) {
    const long value = PXGetL(stream);
    if (value == -1 && (feof(stream) || ferror(stream))) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

Secret* firstSecretWith(int identifier) {
    if (!globalSecretList) {
        return nullptr;
    }
    const auto found = std::find_if(
        globalSecretList->begin(), globalSecretList->end(),
        [identifier](const Secret& secret) { return secret.identifier() == identifier; });
    return found != globalSecretList->end() ? &*found : nullptr;
}

// Applies the (identifier, unlocked) pairs up to the end of the file; half a pair is ignored.
void readUnlockedPairs(FILE* stream) {
    while (const std::optional<int> identifier = readInteger(stream)) {
        const std::optional<int> unlocked = readInteger(stream);
        if (!unlocked) {
            return;
        }
        Secret* secret = firstSecretWith(*identifier);
        if (*unlocked != 0 && secret != nullptr) {
            secret->unlock();
        }
    }
}

bool writeSecretList(const std::vector<Secret>& secrets) {
    const std::optional<std::string> path = globalDataPaths.writePath(kSecretListPath);
    if (!path) {
        return false;
    }
    PXAtomicFile file(*path);
    if (file.stream() == nullptr) {
        return false;
    }
    PXPutL(kSecretListVersion, file.stream());
    for (const Secret& secret : secrets) {
        PXPutL(secret.identifier(), file.stream());
        PXPutL(secret.unlocked(), file.stream());
    }
    // The commit checks every write above, the close and the rename.
    return file.commit();
}

} // namespace

void createSecretList() {
    if (globalSecretList) {
        return;
    }
    globalSecretList = std::make_unique<std::vector<Secret>>(kListOrder.begin(), kListOrder.end());
}

void cleanupSecretList() {
    globalSecretList.reset();
}

void loadSecretList() {
    if (!globalSecretList) {
        return;
    }
    globalLog->write("Loading saved secret state.\n");
    const PXFileHandle file = PXOpenFile(globalDataPaths.readPath(kSecretListPath).c_str(), "rb");
    if (!file) {
        globalLog->write("No secrets list file.\n");
        globalLog->write("Done!\n");
        return;
    }
    const std::optional<int> version = readInteger(file.get());
    if (version && *version > 0) {
        readUnlockedPairs(file.get());
    }
    globalLog->write("Done!\n");
}

void useSecretListWithoutFile() {
    cleanupSecretList();
    createSecretList();
    _secretListKeptInFile = false;
}

std::optional<SecretListState> setSecretListAside() {
    if (!globalSecretList) {
        return std::nullopt;
    }
    SecretListState state{*globalSecretList, _secretListKeptInFile};
    _secretListKeptInFile = false;
    return state;
}

void restoreSecretList(const SecretListState& state) {
    if (globalSecretList) {
        *globalSecretList = state.secrets;
    }
    _secretListKeptInFile = state.keptInFile;
}

void saveSecretList() {
    if (!globalSecretList || !_secretListKeptInFile) {
        return;
    }
    globalLog->write("Saving current secret state.\n");
    if (writeSecretList(*globalSecretList)) {
        globalLog->write("Done!\n");
    } else {
        globalLog->write("Couldn't save secrets list.\n");
    }
}

void unlockSecret(SecretIdentifier identifier) {
    if (!globalSecretList) {
        return;
    }
    for (Secret& secret : *globalSecretList) {
        if (secret.identifier() == identifier) {
            secret.unlock();
        }
    }
    saveSecretList();
}

bool secretUnlocked(SecretIdentifier identifier) {
    const Secret* secret = firstSecretWith(identifier);
    return secret != nullptr && secret->unlocked();
}

bool allSecretsUnlocked() {
    return globalSecretList &&
           std::all_of(globalSecretList->begin(), globalSecretList->end(),
                       [](const Secret& secret) { return secret.unlocked() != 0; });
}

const char* descriptionForSecretIdentifier(SecretIdentifier identifier) {
    if (identifier < 0 || identifier >= static_cast<int>(kDescriptions.size())) {
        return nullptr;
    }
    return kDescriptions[static_cast<size_t>(identifier)];
}

SecretIdentifier identifierForSecretDescription(const char* text) {
    if (text == nullptr) {
        return kSecretNone;
    }
    for (const SecretIdentifier identifier : kListOrder) {
        const char* description = descriptionForSecretIdentifier(identifier);
        if (strncmp(text, description, strlen(description)) == 0) {
            return identifier;
        }
    }
    return kSecretNone;
}

std::string secretDescriptionAsShown(const char* description) {
    std::string shown;
    for (const char* c = description; c != nullptr && *c != '\0'; c++) {
        shown += *c;
        if (c[0] == '%' && c[1] == '%') {
            c++;
        }
    }
    return shown;
}
