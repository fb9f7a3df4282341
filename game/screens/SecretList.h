// The secrets list: every secret in a fixed order, kept in "s.list" of the data tree so that
// unlocked secrets survive quitting and loading other saved games.
#pragma once

#include "Secret.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

// The secrets in list order (1, 0, 2, 3, 4, 5, 6, 7); null until createSecretList.
extern std::unique_ptr<std::vector<Secret>> globalSecretList;

// Creates the list with every secret locked; a list that exists already is kept.
void createSecretList();
// Frees the list.
void cleanupSecretList();
// Unlocks the secrets "s.list" records as unlocked; a missing or short file unlocks what
// it holds and nothing more.
void loadSecretList();
// Starts the list over, every secret locked, and keeps it out of "s.list" from now on, so a
// recording or replay plays the same whatever the player has unlocked, and changes nothing of it.
void useSecretListWithoutFile();
// The list and whether it reaches "s.list", as setSecretListAside found them.
struct SecretListState {
    std::vector<Secret> secrets;
    bool keptInFile;
};
// Takes the list's state and keeps what is unlocked from now on out of "s.list" until
// restoreSecretList; nothing while there is no list.
std::optional<SecretListState> setSecretListAside();
// Puts back the list setSecretListAside took, and whether it reaches "s.list".
void restoreSecretList(const SecretListState& state);
// Replaces "s.list" atomically with the list's state; a failure is only logged.
void saveSecretList();
// Unlocks the secret and saves the list at once.
void unlockSecret(SecretIdentifier identifier);
// True when the list holds the secret unlocked.
bool secretUnlocked(SecretIdentifier identifier);
// True when every secret of the list is unlocked.
bool allSecretsUnlocked();
// The secret's description, a printf format ("100%%"); null outside 0..7.
const char* descriptionForSecretIdentifier(SecretIdentifier identifier);
// The secret whose description the text begins with, or kSecretNone.
SecretIdentifier identifierForSecretDescription(const char* text);
// The description as the player reads it: its printf escapes ("%%") resolved.
std::string secretDescriptionAsShown(const char* description);
