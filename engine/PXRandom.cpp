#include "PXRandom.h"

#include <cstdint>
#include <cstdlib>

int PXRandomize(int min, int max) {
    if (min > max) {
        return 0;
    }
    // The span of INT_MIN..INT_MAX does not fit in an int.
    const int64_t span = static_cast<int64_t>(max) - min + 1;
    return static_cast<int>(min + static_cast<int64_t>(rand()) % span);
}
