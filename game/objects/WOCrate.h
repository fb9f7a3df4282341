// WOCrate: the pushable crate of the levels; a pushable solid shown by its sprite, whose record
// keeps its push resistance.
#pragma once

#include "WOPushable.h"

class WOCrate : public WOPushable {
public:
    // Type 100 showing "crate".
    WOCrate();

protected:
    // Writes the push resistance.
    bool saveFields(FILE* stream) const override;
    // Reads the push resistance.
    bool loadFields(FILE* stream, int storedVersion) override;
};
