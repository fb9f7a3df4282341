"""Sound synthesis shared by the sound effects and the music: pitches, oscillators, shaped noise,
envelopes, FFT filters, reverb, and 16-bit WAV files.

Signals are NumPy float64 arrays with full scale at 1.0. Everything is deterministic: noise comes
from generators seeded by names (never from Python's salted hash), so a rebuild writes the same
bytes.
"""
import io
import re
import wave
import zlib

import numpy as np

RATE = 44100

_NOTE = re.compile(r"([a-gA-G])([#b]?)(-?\d)")
_SEMITONE = {"c": 0, "d": 2, "e": 4, "f": 5, "g": 7, "a": 9, "b": 11}


def midi_number(name):
    """The MIDI number of a note name such as "c4" (60), "F#3", "bb5"; ValueError otherwise."""
    match = _NOTE.fullmatch(name)
    if not match:
        raise ValueError(f"'{name}' is not a note name (letter, optional # or b, octave)")
    letter, accidental, octave = match.groups()
    shift = {"#": 1, "b": -1, "": 0}[accidental]
    return 12 * (int(octave) + 1) + _SEMITONE[letter.lower()] + shift


def midi_frequency(number):
    return 440.0 * 2.0 ** ((number - 69) / 12.0)


def frequency(text):
    """A pitch written as a note name ("a4") or in hertz ("440")."""
    try:
        value = float(text)
    except ValueError:
        return midi_frequency(midi_number(text))
    if value <= 0:
        raise ValueError(f"pitch {text} must be positive")
    return value


def rng_for(*key):
    """A random generator seeded by a readable key, the same on every run."""
    return np.random.default_rng(zlib.crc32("/".join(str(part) for part in key).encode()))


def samples(seconds, rate=RATE):
    return max(1, int(round(seconds * rate)))


# ----------------------------------------------------------------------------------------------
# Oscillators. A phase is counted in cycles; freq may be a number or one value per sample.


def phase_cycles(freq, n, rate=RATE):
    """Running phase in cycles, starting at 0, for a constant or per-sample frequency."""
    if np.isscalar(freq):
        return np.arange(n) * (freq / rate)
    freq = np.asarray(freq, dtype=float)
    return np.concatenate(([0.0], np.cumsum(freq[:-1]))) / rate


def _polyblep(t, dt):
    """PolyBLEP correction for a saw that jumps at t = 0 (t, dt in cycles per sample)."""
    out = np.zeros_like(t)
    rising = t < dt
    x = t[rising] / dt[rising]
    out[rising] = x + x - x * x - 1.0
    falling = t > 1.0 - dt
    x = (t[falling] - 1.0) / dt[falling]
    out[falling] = x * x + x + x + 1.0
    return out


def oscillator(wave_name, phase, step, duty=0.5):
    """One waveform from its phase; step is the phase increase per sample (for band-limiting)."""
    step = np.broadcast_to(np.abs(np.asarray(step, dtype=float)), phase.shape).copy()
    step = np.clip(step, 1e-9, 0.5)
    if wave_name == "sine":
        return np.sin(2 * np.pi * phase)
    if wave_name == "triangle":
        return 1.0 - 4.0 * np.abs(np.mod(phase + 0.25, 1.0) - 0.5)
    if wave_name == "saw":
        t = np.mod(phase, 1.0)
        return 2.0 * t - 1.0 - _polyblep(t, step)
    if wave_name == "square":
        t1 = np.mod(phase, 1.0)
        t2 = np.mod(phase + duty, 1.0)
        saw1 = 2.0 * t1 - 1.0 - _polyblep(t1, step)
        saw2 = 2.0 * t2 - 1.0 - _polyblep(t2, step)
        return saw1 - saw2  # zero-mean pulse; +-1 at duty 0.5
    raise ValueError(f"unknown waveform '{wave_name}'")


TABLE_SIZE = 4096
_tables = {}


def wavetable(amplitudes, phases=None):
    """One cycle of a sum of harmonics: amplitudes[k] belongs to harmonic k + 1."""
    key = (tuple(np.round(amplitudes, 9)), None if phases is None else tuple(phases))
    table = _tables.get(key)
    if table is None:
        x = np.arange(TABLE_SIZE) / TABLE_SIZE
        table = np.zeros(TABLE_SIZE)
        for k, amplitude in enumerate(amplitudes, start=1):
            if amplitude:
                offset = 0.0 if phases is None else phases[k - 1]
                table += amplitude * np.sin(2 * np.pi * (k * x + offset))
        table = np.append(table, table[0])  # guard point for interpolation
        _tables[key] = table
    return table


def read_table(table, phase):
    position = np.mod(phase, 1.0) * TABLE_SIZE
    index = position.astype(np.int64)
    fraction = position - index
    return table[index] * (1.0 - fraction) + table[index + 1] * fraction


def band_limited(amplitudes, top_frequency, rate=RATE):
    """The harmonic amplitudes with every harmonic above 0.45 x rate removed."""
    limit = max(1, int(0.45 * rate / max(top_frequency, 1.0)))
    return list(amplitudes[:limit])


def vibrato_curve(n, freq, rate_hz, semitones, delay=0.0, rate=RATE, ramp=0.2):
    """Per-sample frequency with a sine vibrato that fades in after delay seconds."""
    t = np.arange(n) / rate
    depth = np.clip((t - delay) / max(ramp, 1e-6), 0.0, 1.0) * semitones
    return freq * 2.0 ** (depth * np.sin(2 * np.pi * rate_hz * t) / 12.0)


# ----------------------------------------------------------------------------------------------
# Noise and filters (both in the frequency domain, so they are fast and exactly repeatable).


def band_gain(freqs, low=None, high=None, slope=0.0, order=2):
    """Magnitude response: Butterworth-like high-pass at low, low-pass at high, and a tilt of
    slope dB per octave around 1 kHz. DC is always removed."""
    f = np.maximum(freqs, 1e-3)
    gain = np.ones_like(f)
    if low:
        gain /= np.sqrt(1.0 + (low / f) ** (2 * order))
    if high:
        gain /= np.sqrt(1.0 + (f / high) ** (2 * order))
    if slope:
        gain *= (np.maximum(f, 20.0) / 1000.0) ** (slope / 6.0206)
    gain[0] = 0.0
    return gain


def shaped_noise(n, rng, low=None, high=None, slope=0.0, order=2, rate=RATE):
    """Noise of n samples with the given spectrum, scaled to an RMS of 0.3. It is periodic in n
    (filtered circularly), so it also serves as a seamless loop."""
    white = rng.standard_normal(n)
    spectrum = np.fft.rfft(white) * band_gain(np.fft.rfftfreq(n, 1.0 / rate), low, high, slope,
                                               order)
    noise = np.fft.irfft(spectrum, n)
    rms = np.sqrt(np.mean(noise ** 2))
    return noise * (0.3 / rms) if rms > 0 else noise


def filtered(signal, low=None, high=None, slope=0.0, order=2, rate=RATE, circular=False):
    """The signal through the band_gain filter. A non-circular signal is padded with silence so
    nothing wraps around."""
    n = len(signal)
    size = n if circular else int(2 ** np.ceil(np.log2(n + rate // 4)))
    spectrum = np.fft.rfft(signal, size)
    spectrum *= band_gain(np.fft.rfftfreq(size, 1.0 / rate), low, high, slope, order)
    return np.fft.irfft(spectrum, size)[:n]


def smooth_random(n, rng, rate_hz, rate=RATE):
    """A slowly wandering random curve (noise low-passed at rate_hz), RMS about 1, periodic in n."""
    return shaped_noise(n, rng, high=rate_hz, order=2, rate=rate) / 0.3


# ----------------------------------------------------------------------------------------------
# Envelopes


def envelope(n, attack=0.002, decay=None, release=0.005, rate=RATE, hold=0.0):
    """Linear attack, optional exponential decay (time constant decay seconds, starting after the
    attack and hold), and a raised-cosine release that ends exactly at zero."""
    t = np.arange(n) / rate
    env = np.clip(t / max(attack, 1.0 / rate), 0.0, 1.0)
    if decay:
        env = env * np.exp(-np.maximum(t - attack - hold, 0.0) / decay)
    fade = min(n, max(1, int(round(release * rate))))
    env[n - fade:] *= 0.5 + 0.5 * np.cos(np.linspace(0.0, np.pi, fade))
    return env


def fade_edges(signal, seconds_in=0.001, seconds_out=0.004, rate=RATE):
    """Raised-cosine fades at both ends so the signal starts and ends at zero."""
    out = signal.copy()
    for seconds, reverse in ((seconds_in, False), (seconds_out, True)):
        count = min(len(out), max(1, int(round(seconds * rate))))
        ramp = 0.5 - 0.5 * np.cos(np.linspace(0.0, np.pi, count))
        if reverse:
            out[len(out) - count:] *= ramp[::-1]
        else:
            out[:count] *= ramp
    return out


def remove_dc(signal):
    """Removes the mean with a smooth bump (a Hann window), leaving the ends untouched."""
    n = len(signal)
    if n < 3:
        return signal - signal.mean()
    window = np.hanning(n)
    return signal - window * (signal.sum() / window.sum())


# ----------------------------------------------------------------------------------------------
# Mixing helpers


def add_at(buffer, signal, start, circular=False):
    """Adds signal into buffer (1-D, or 2-D with channels first) from sample start. A circular
    buffer wraps the overflow round to its beginning (a seamless loop); otherwise it is cut."""
    length = buffer.shape[-1]
    if circular:
        position = start % length
        while signal.shape[-1] > 0:
            count = min(signal.shape[-1], length - position)
            buffer[..., position:position + count] += signal[..., :count]
            signal = signal[..., count:]
            position = 0
        return
    if start >= length:
        return
    count = min(signal.shape[-1], length - start)
    buffer[..., start:start + count] += signal[..., :count]


def pan_gains(pan):
    """Equal-power gains (left, right) for pan in -1 (left) .. 1 (right)."""
    angle = (np.clip(pan, -1.0, 1.0) + 1.0) * np.pi / 4.0
    return np.cos(angle), np.sin(angle)


def convolve(signal, response, circular=False):
    """Linear (or, for a loop, circular) convolution through the FFT."""
    n = len(signal)
    if circular:
        size = n
        if len(response) > n:
            folded = np.zeros(n)
            add_at(folded, response, 0, circular=True)
            response = folded
    else:
        size = int(2 ** np.ceil(np.log2(n + len(response))))
    out = np.fft.irfft(np.fft.rfft(signal, size) * np.fft.rfft(response, size), size)
    return out[:n] if circular else out[:n + len(response) - 1]


def reverb_response(seconds, rng, rate=RATE, brightness=6000.0, predelay=0.012):
    """An impulse response for a hall: noise with an exponential decay (-60 dB at seconds) whose
    highs die away sooner, after a short pre-delay. Normalised to unit energy."""
    n = samples(seconds * 1.2 + predelay, rate)
    t = np.arange(n) / rate
    tau = seconds / 6.9
    low = shaped_noise(n, rng, high=brightness * 0.3, rate=rate) * np.exp(-t / tau)
    high = shaped_noise(n, rng, low=brightness * 0.3, high=brightness, rate=rate) * \
        np.exp(-t / (tau * 0.4))
    response = low + 0.6 * high
    response[: samples(predelay, rate)] = 0.0
    response = fade_edges(response, 0.004, 0.05, rate)
    return response / np.sqrt(np.sum(response ** 2))


# ----------------------------------------------------------------------------------------------
# Files


def to_int16(signal, peak_db):
    """Scales the signal so its peak sits at peak_db dBFS and rounds it to 16-bit integers."""
    peak = np.max(np.abs(signal))
    if peak == 0:
        raise ValueError("the signal is silent")
    scaled = signal * (10.0 ** (peak_db / 20.0) * 32767.0 / peak)
    return np.round(scaled).astype(np.int16)


def wav_bytes(frames, rate=RATE):
    """A 16-bit PCM WAV file from int16 frames: shape (n,) for mono or (2, n) for stereo."""
    frames = np.asarray(frames, dtype=np.int16)
    channels = 1 if frames.ndim == 1 else frames.shape[0]
    interleaved = frames if channels == 1 else frames.T.reshape(-1)
    buffer = io.BytesIO()
    with wave.open(buffer, "wb") as out:
        out.setnchannels(channels)
        out.setsampwidth(2)
        out.setframerate(rate)
        out.writeframes(interleaved.astype("<i2").tobytes())
    return buffer.getvalue()


def read_wav(data):
    """(int16 frames with channels first, rate) from WAV bytes written by wav_bytes."""
    with wave.open(io.BytesIO(data), "rb") as source:
        channels, width, rate = source.getnchannels(), source.getsampwidth(), source.getframerate()
        raw = source.readframes(source.getnframes())
    if width != 2:
        raise ValueError("not a 16-bit WAV")
    frames = np.frombuffer(raw, dtype="<i2")
    return (frames if channels == 1 else frames.reshape(-1, channels).T), rate
