#include "PXTimer.h"

#include "PXInit.h"
#include "PXRandom.h"

void PXTimer::setTimeout(int timeout) {
    _timeout = timeout < 0 ? 0 : timeout;
    _minimumTimeout = -1;
    _maximumTimeout = -1;
}

int PXTimer::setMinMaxTimeout(int minimum, int maximum) {
    _minimumTimeout = minimum > maximum ? maximum : minimum;
    _maximumTimeout = maximum;
    _timeout = PXRandomize(_minimumTimeout, _maximumTimeout);
    return _timeout;
}

void PXTimer::reset() {
    if (hasRandomPeriod()) {
        _timeout = PXRandomize(_minimumTimeout, _maximumTimeout);
    }
    _tickCount = 0;
}

int PXTimer::tick() {
    _tickCount++;
    if (_tickCount < _timeout) {
        return PX_FALSE;
    }
    reset();
    return PX_TRUE;
}
