"""Writing (and, for checking, reading) 4-channel ProTracker modules ("M.K." MOD files).

Layout: a 20-byte title; 31 sample headers of 30 bytes (22-byte name, then big-endian length in
words, finetune, volume 0..64, loop start and loop length in words); the song length; the
restart byte 127; a 128-entry order table; "M.K."; the patterns, each 64 rows of 4 channels of
4-byte cells; then the 8-bit signed sample data in order.

A cell packs the sample number (1..31, 0 = none), the Amiga period of the note (0 = none), the
effect (0..15) and its parameter byte.
"""
import dataclasses
import struct

import numpy as np

ROWS = 64
CHANNELS = 4
MAX_PATTERNS = 64
MAX_SAMPLE_BYTES = 2 * 65535

# Amiga periods of the three ProTracker octaves, C-1 .. B-3 (finetune 0).
PERIODS = (856, 808, 762, 720, 678, 640, 604, 570, 538, 508, 480, 453,
           428, 404, 381, 360, 339, 320, 302, 285, 269, 254, 240, 226,
           214, 202, 190, 180, 170, 160, 151, 143, 135, 127, 120, 113)
# Playback rate of a period: libmikmod (which SDL_mixer uses) plays C-2 (428) at 8363 Hz.
PERIOD_RATE = 8363.0 * 428.0

EFFECT_ARPEGGIO = 0x0
EFFECT_VIBRATO = 0x4
EFFECT_VOLUME_SLIDE = 0xA
EFFECT_PANNING = 0x8
EFFECT_VOLUME = 0xC
EFFECT_PATTERN_BREAK = 0xD
EFFECT_SPEED = 0xF


def rate_of_note(note):
    """Samples per second at which note (0 = C-1 .. 35 = B-3) plays a sample."""
    return PERIOD_RATE / PERIODS[note]


@dataclasses.dataclass
class Sample:
    name: str
    data: bytes  # signed 8-bit
    volume: int = 64
    loop_start: int = 0  # bytes, even
    loop_length: int = 0  # bytes, even; 0 = no loop

    @staticmethod
    def from_signal(name, signal, volume=64, loop_start=0, loop_length=0):
        """A sample from a float signal, scaled so its peak is 127."""
        peak = np.max(np.abs(signal))
        data = np.round(signal * (127.0 / peak)).astype(np.int8) if peak else \
            np.zeros(len(signal), dtype=np.int8)
        if loop_length == 0:
            # ProTracker plays the first word of a one-shot sample repeatedly once it ends.
            data = np.concatenate((np.zeros(2, dtype=np.int8), data))
        if len(data) % 2:
            data = np.append(data, np.int8(0))
        return Sample(name, data.tobytes(), volume, loop_start, loop_length)


@dataclasses.dataclass(frozen=True)
class Cell:
    sample: int = 0
    period: int = 0
    effect: int = 0
    parameter: int = 0

    def pack(self):
        return bytes(((self.sample & 0xF0) | (self.period >> 8), self.period & 0xFF,
                      ((self.sample & 0x0F) << 4) | self.effect, self.parameter))


def empty_pattern():
    return [[Cell() for _ in range(CHANNELS)] for _ in range(ROWS)]


def module_bytes(title, samples, patterns, order):
    """The bytes of a module; ValueError when anything is out of the format's range."""
    if len(samples) > 31:
        raise ValueError(f"{len(samples)} samples; a module holds 31")
    if not 1 <= len(order) <= 128:
        raise ValueError(f"an order of {len(order)} positions; a module holds 1..128")
    if not 1 <= len(patterns) <= MAX_PATTERNS:
        raise ValueError(f"{len(patterns)} patterns; an M.K. module holds 1..{MAX_PATTERNS}")
    if max(order) >= len(patterns) or min(order) < 0:
        raise ValueError("the order names a pattern that does not exist")
    out = bytearray(_text(title, 20))
    for index in range(31):
        if index < len(samples):
            sample = samples[index]
            _check_sample(sample)
            length = len(sample.data) // 2
            start = sample.loop_start // 2
            repeat = sample.loop_length // 2 if sample.loop_length else 1
            out += _text(sample.name, 22) + struct.pack(">HBBHH", length, 0, sample.volume,
                                                         start, repeat)
        else:
            out += bytes(22) + struct.pack(">HBBHH", 0, 0, 0, 0, 1)
    out += bytes((len(order), 127)) + bytes(order) + bytes(128 - len(order)) + b"M.K."
    for pattern in patterns:
        if len(pattern) != ROWS or any(len(row) != CHANNELS for row in pattern):
            raise ValueError("a pattern must have 64 rows of 4 cells")
        for row in pattern:
            for cell in row:
                if not (0 <= cell.sample <= len(samples) and (cell.period == 0 or
                                                               cell.period in PERIODS)):
                    raise ValueError(f"bad cell {cell}")
                out += cell.pack()
    for sample in samples:
        out += sample.data
    return bytes(out)


def _text(text, size):
    data = text.encode("ascii")
    if len(data) > size:
        raise ValueError(f"'{text}' is longer than {size} bytes")
    return data.ljust(size, b"\0")


def _check_sample(sample):
    length = len(sample.data)
    if length % 2 or length > MAX_SAMPLE_BYTES:
        raise ValueError(f"sample {sample.name}: {length} bytes (must be even, at most "
                         f"{MAX_SAMPLE_BYTES})")
    if not 0 <= sample.volume <= 64:
        raise ValueError(f"sample {sample.name}: volume {sample.volume} is not 0..64")
    if sample.loop_length:
        if sample.loop_start % 2 or sample.loop_length % 2 or sample.loop_length < 4 or \
                sample.loop_start + sample.loop_length > length:
            raise ValueError(f"sample {sample.name}: the loop does not fit the sample")


def read_module(data):
    """(title, sample headers, order, patterns) of module bytes; used by the checks and tests.
    Each header is (name, length in bytes, volume, loop start, loop length) in bytes."""
    if data[1080:1084] != b"M.K.":
        raise ValueError("not an M.K. module")
    title = data[:20].rstrip(b"\0").decode("ascii")
    headers = []
    for index in range(31):
        offset = 20 + 30 * index
        name = data[offset:offset + 22].rstrip(b"\0").decode("ascii")
        length, _, volume, start, repeat = struct.unpack(">HBBHH", data[offset + 22:offset + 30])
        headers.append((name, 2 * length, volume, 2 * start, 2 * repeat if repeat > 1 else 0))
    song_length = data[950]
    order = list(data[952:952 + song_length])
    pattern_count = max(data[952:1080]) + 1
    patterns = []
    for index in range(pattern_count):
        base = 1084 + index * ROWS * CHANNELS * 4
        rows = []
        for row in range(ROWS):
            cells = []
            for channel in range(CHANNELS):
                b = data[base + (row * CHANNELS + channel) * 4:][:4]
                cells.append(Cell((b[0] & 0xF0) | (b[2] >> 4), ((b[0] & 0x0F) << 8) | b[1],
                                  b[2] & 0x0F, b[3]))
            rows.append(cells)
        patterns.append(rows)
    expected = 1084 + pattern_count * ROWS * CHANNELS * 4 + sum(h[1] for h in headers)
    if expected != len(data):
        raise ValueError(f"the module is {len(data)} bytes; its headers add up to {expected}")
    return title, headers, order, patterns
