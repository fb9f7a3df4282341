// A countdown in logic ticks with a fixed or random period.
#pragma once

class PXTimer {
public:
    // Timeout 0, fixed period.
    PXTimer() = default;
    // The given timeout (not clamped), fixed period.
    explicit PXTimer(int timeout) : _timeout(timeout) {}

    // Fixed period of the given length (negative becomes 0); the count is kept.
    void setTimeout(int timeout);
    // Random period in [minimum, maximum] (minimum lowered to maximum when above it); draws and
    // returns the first length; the count is kept.
    int setMinMaxTimeout(int minimum, int maximum);
    // Restarts the count, drawing a new length when the period is random.
    void reset();
    // Counts one tick; true on expiry, which resets the timer.
    int tick();

    int timeout() const { return _timeout; }
    int count() const { return _tickCount; }

private:
    bool hasRandomPeriod() const { return _minimumTimeout >= 0 && _maximumTimeout >= 0; }

    int _tickCount = 0;
    int _timeout = 0;
    int _maximumTimeout = -1;
    int _minimumTimeout = -1;
};
