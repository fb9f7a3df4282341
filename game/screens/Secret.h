// Secret: one of the eight achievements that, once unlocked, stay unlocked across runs.
#pragma once

// The eight secrets; kSecretNone names none (an unknown description).
enum SecretIdentifier : int {
    kSecretNone = -1,
    kSecretNautilusFriend = 0,
    kSecretGhostShipyard = 1,
    kSecretPickled = 2,
    kSecretReleaseIt = 3,
    kSecretMarumari = 4,
    kSecretNoScrewsLoose = 5,
    kSecretThatsAWrap = 6,
    kSecretHundredPercent = 7,
};

class Secret {
public:
    // A locked secret.
    explicit Secret(SecretIdentifier identifier) : _identifier(identifier) {}

    // True (-1) once unlocked, else 0.
    int unlocked() const { return _unlocked; }
    // Unlocks it for good.
    void unlock();
    // Which secret it is.
    SecretIdentifier identifier() const { return _identifier; }

private:
    int _unlocked = 0;
    SecretIdentifier _identifier;
};
