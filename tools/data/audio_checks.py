"""Checks every generated sound and song must pass; the generators call them before writing, so a
fault stops the build instead of reaching the game.

Frames are int16 arrays, channels first for stereo ((2, n)) or plain (n,) for mono.
"""
import numpy as np

FULL_SCALE = 32768.0
PEAK_LIMIT_DB = -1.0
DC_LIMIT = 0.002  # of full scale
EDGE_LIMIT = 33  # samples at the ends of a one-shot sound: about -60 dBFS


class AudioFault(ValueError):
    pass


def _channels(frames):
    frames = np.asarray(frames)
    return frames.reshape(1, -1) if frames.ndim == 1 else frames


def peak_db(frames):
    peak = np.max(np.abs(np.asarray(frames, dtype=np.int64)))
    return -np.inf if peak == 0 else 20.0 * np.log10(peak / FULL_SCALE)


def rms_db(frames):
    values = np.asarray(frames, dtype=np.float64) / FULL_SCALE
    rms = np.sqrt(np.mean(values ** 2))
    return -np.inf if rms == 0 else 20.0 * np.log10(rms)


def check_levels(name, frames, quietest_rms_db=-45.0):
    """No clipping (peak at most -1 dBFS), no DC offset, and not silent."""
    level = peak_db(frames)
    if level > PEAK_LIMIT_DB:
        raise AudioFault(f"{name}: peak {level:.2f} dBFS is above {PEAK_LIMIT_DB} dBFS")
    for index, channel in enumerate(_channels(frames)):
        offset = abs(np.mean(channel, dtype=np.float64)) / FULL_SCALE
        if offset > DC_LIMIT:
            raise AudioFault(f"{name}: channel {index} has a DC offset of {offset:.4f}")
    if rms_db(frames) < quietest_rms_db:
        raise AudioFault(f"{name}: RMS {rms_db(frames):.1f} dBFS is nearly silent")


def check_quiet_ends(name, frames):
    """A one-shot sound starts and ends at (nearly) zero, so it cannot click."""
    for index, channel in enumerate(_channels(frames)):
        first, last = abs(int(channel[0])), abs(int(channel[-1]))
        if first > EDGE_LIMIT or last > EDGE_LIMIT:
            raise AudioFault(f"{name}: channel {index} starts at {first} and ends at {last}; "
                             f"both must be at most {EDGE_LIMIT}")


def check_seam(name, frames, window=2048):
    """A loop's last sample flows into its first: neither the step across the seam nor the bend
    there (second difference) is bigger than any step or bend on either side of it (one unit of
    slack each for rounding)."""
    for index, channel in enumerate(_channels(frames)):
        channel = np.asarray(channel, dtype=np.int64)
        width = min(window, len(channel) // 2)
        joined = np.concatenate((channel[-width:], channel[:width]))
        for order, what in ((1, "jumps"), (2, "bends")):
            differences = np.diff(joined, order)
            # The differences that span the seam; the rest lie wholly on one side of it.
            across = differences[width - order:width]
            beside = np.concatenate((differences[:width - order], differences[width:]))
            worst = int(np.max(np.abs(across)))
            largest = int(np.max(np.abs(beside))) if len(beside) else 0
            if worst > largest + order:
                raise AudioFault(f"{name}: channel {index} {what} by {worst} at the loop seam; "
                                 f"the largest next to it is {largest}")
