// Writes seed secrets lists ("s.list") for the secrets list fuzzer into the folder given as the
// only argument: lists saved by the game's own writer with none, some and every secret
// unlocked, and a few edge cases derived from them.
#include "FuzzSupport.h"
#include "game/screens/SecretList.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

constexpr const char* kSecretListFile = "./data/s.list";

// The list the game saves after unlocking the secrets, in order.
std::string savedWith(std::initializer_list<SecretIdentifier> unlocked) {
    cleanupSecretList();
    createSecretList();
    saveSecretList();
    for (const SecretIdentifier identifier : unlocked) {
        unlockSecret(identifier);
    }
    return readWholeFile(kSecretListFile);
}

} // namespace

int main(int argc, char** argv) {
    const char* folder = seedFolderArgument(argc, argv);
    if (folder == nullptr) {
        return 2;
    }
    const std::string folderPath = std::filesystem::absolute(folder).string();
    char work[] = "/tmp/corvane-secret-seeds-XXXXXX";
    if (mkdtemp(work) == nullptr || chdir(work) != 0) {
        perror(work);
        return 1;
    }
    std::filesystem::create_directories("./data");
    const std::string none = savedWith({});
    const std::string some = savedWith({kSecretMarumari, kSecretGhostShipyard});
    const std::string every = savedWith(
        {kSecretNautilusFriend, kSecretGhostShipyard, kSecretPickled, kSecretReleaseIt,
         kSecretMarumari, kSecretNoScrewsLoose, kSecretThatsAWrap, kSecretHundredPercent});
    std::filesystem::remove_all(work);
    if (!writeWholeFile(folderPath + "/none", none) ||
        !writeWholeFile(folderPath + "/some", some) ||
        !writeWholeFile(folderPath + "/every", every) ||
        !writeWholeFile(folderPath + "/half-pair", every.substr(0, every.size() - 4)) ||
        !writeWholeFile(folderPath + "/version0", recordIntegerBytes(0) + every.substr(4)) ||
        !writeWholeFile(folderPath + "/unknown-identifier",
                        some + recordIntegerBytes(99) + recordIntegerBytes(1))) {
        fprintf(stderr, "%s: cannot write the seeds into %s\n", argv[0], folder);
        return 1;
    }
    return 0;
}
