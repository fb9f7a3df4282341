"""The instruments of Corvane's music (and of the melodic sound effects).

An instrument is made from a kind and settings, for example `make("harp", {"decay": "1.2"})`.
It renders one note as a mono signal (`note`), and renders the sample a tracker module plays
(`module_sample`): sustained kinds get a loop of a whole number of waveform periods, decaying
kinds are one-shot. Drum kits render hits by name (`hit`).

Kinds and their settings (all optional; numbers in seconds, hertz, semitones or cents):
    flute    attack release vibrato vibrato_rate breath
    harp     decay bright_decay bright release
    bass     decay bright release
    bell     decay release
    musicbox decay release
    pad      attack release detune bright
    choir    attack release detune vowel(oo|ah)
    glass    attack release vibrato
    reed     attack release musette
    brass    attack release vibrato
    chip     attack release duty vibrato decay bright (a pulse wave)
    kit      (drums: kick snare hat open crash tom low rim shaker drip)
"""
import numpy as np

import audio_synth as synth

_DEFAULTS = {
    "flute": {"attack": 0.05, "release": 0.14, "vibrato": 0.15, "vibrato_rate": 5.2, "breath": 1.0},
    "harp": {"decay": 1.4, "bright_decay": 0.12, "bright": 0.7, "release": 0.25},
    "bass": {"decay": 2.0, "bright": 0.5, "release": 0.08},
    "bell": {"decay": 1.4, "release": 0.2},
    "musicbox": {"decay": 1.6, "release": 0.15},
    "pad": {"attack": 0.5, "release": 0.9, "detune": 8.0, "bright": 6.0},
    "choir": {"attack": 0.35, "release": 0.8, "detune": 9.0, "vowel": "oo"},
    "glass": {"attack": 0.25, "release": 1.2, "vibrato": 0.06},
    "reed": {"attack": 0.025, "release": 0.07, "musette": 9.0},
    "brass": {"attack": 0.035, "release": 0.1, "vibrato": 0.1},
    "chip": {"attack": 0.004, "release": 0.05, "duty": 0.5, "vibrato": 0.0, "decay": 0.0,
             "bright": 10.0},
    "kit": {},
}
SUSTAINED = {"flute", "pad", "choir", "glass", "reed", "brass", "chip"}
DRUMS = ("kick", "snare", "hat", "open", "crash", "tom", "low", "rim", "shaker", "drip")
TEXT_SETTINGS = {"vowel"}


def kinds():
    return sorted(_DEFAULTS)


def make(kind, settings=None):
    if kind not in _DEFAULTS:
        raise ValueError(f"unknown instrument kind '{kind}' (kinds: {', '.join(kinds())})")
    values = dict(_DEFAULTS[kind])
    for key, text in (settings or {}).items():
        if key not in values:
            raise ValueError(f"instrument kind '{kind}' has no setting '{key}'")
        values[key] = text if key in TEXT_SETTINGS else float(text)
    return Instrument(kind, values)


class Instrument:
    def __init__(self, kind, settings):
        self.kind = kind
        self.s = settings
        self.sustained = kind in SUSTAINED

    def tail(self):
        """Seconds a note sounds after its written length."""
        return self.s.get("release", 0.05)

    # ------------------------------------------------------------------------------------------
    # Notes

    def note(self, freq, seconds, velocity=1.0, rate=synth.RATE, rng=None):
        """One note of the written length plus its release, as a mono signal."""
        if self.kind == "kit":
            raise ValueError("a drum kit plays hits, not pitched notes")
        rng = rng or synth.rng_for(self.kind, freq, seconds)
        n = synth.samples(seconds + self.tail(), rate)
        render = getattr(self, "_" + self.kind)
        return velocity * render(freq, n, seconds, rate, rng)

    def _envelope(self, n, seconds, rate, decay=None):
        """Attack, optional decay, and a release covering the samples after the written length."""
        release = self.s["release"]
        return synth.envelope(n, attack=self.s.get("attack", 0.003), decay=decay,
                              release=min(release, n / rate), rate=rate)

    def _voices(self, freq, n, rate, voices, vibrato=0.0, vibrato_rate=5.0, delay=0.25):
        """Sum of detuned wavetable voices: voices is a list of (amplitudes, cents, gain, phase)."""
        out = np.zeros(n)
        for index, (amplitudes, cents, gain, phase) in enumerate(voices):
            f0 = freq * 2.0 ** (cents / 1200.0)
            if vibrato:
                curve = synth.vibrato_curve(n, f0, vibrato_rate * (1.0 + 0.07 * index), vibrato,
                                            delay, rate)
            else:
                curve = f0
            top = np.max(curve) if not np.isscalar(curve) else curve
            table = synth.wavetable(synth.band_limited(amplitudes, top, rate))
            out += gain * synth.read_table(table, synth.phase_cycles(curve, n, rate) + phase)
        return out

    def _flute(self, freq, n, seconds, rate, rng):
        t = np.arange(n) / rate
        body = self._voices(freq, n, rate, self._flute_voices(freq), self.s["vibrato"],
                            self.s["vibrato_rate"])
        breath = synth.shaped_noise(n, rng, low=1500, high=5500, rate=rate) * \
            (0.04 + 0.3 * np.exp(-t / 0.04)) * self.s["breath"]
        swell = 0.85 + 0.15 * np.exp(-t / 1.5)
        return (body * swell + breath) * self._envelope(n, seconds, rate)

    def _flute_voices(self, freq=None):
        return [([1.0, 0.45, 0.2, 0.09, 0.05, 0.025], 0.0, 1.0, 0.0)]

    def _pluck(self, freq, n, rate, body, decay, bright, bright_decay, attack=0.003):
        t = np.arange(n) / rate
        body_table = synth.wavetable(synth.band_limited(body, freq, rate))
        bright_amps = [1.0 / k ** 1.3 for k in range(1, 17)]
        bright_table = synth.wavetable(synth.band_limited(bright_amps, freq, rate))
        phase = synth.phase_cycles(freq, n, rate)
        out = synth.read_table(body_table, phase) * np.exp(-t / decay)
        out += bright * synth.read_table(bright_table, phase) * np.exp(-t / bright_decay)
        return out * synth.envelope(n, attack=attack, release=self.s["release"], rate=rate)

    def _harp(self, freq, n, seconds, rate, rng):
        return self._pluck(freq, n, rate, [1.0, 0.35, 0.12, 0.05], self.s["decay"],
                           self.s["bright"], self.s["bright_decay"])

    def _bass(self, freq, n, seconds, rate, rng):
        return self._pluck(freq, n, rate, [1.0, 0.5, 0.22, 0.1, 0.04], self.s["decay"],
                           self.s["bright"], 0.06, attack=0.006)

    def _partials(self, freq, n, rate, partials, attack):
        """Inharmonic partials (ratio, amplitude, decay seconds) as decaying sines."""
        t = np.arange(n) / rate
        out = np.zeros(n)
        for ratio, amplitude, decay in partials:
            if freq * ratio < 0.45 * rate:
                out += amplitude * np.sin(2 * np.pi * freq * ratio * t) * np.exp(-t / decay)
        return out * synth.envelope(n, attack=attack, release=self.s["release"], rate=rate)

    def _bell(self, freq, n, seconds, rate, rng):
        d = self.s["decay"]
        return self._partials(freq, n, rate, [(1.0, 1.0, d), (2.0, 0.35, d * 0.6),
                                              (2.76, 0.4, d * 0.35), (5.4, 0.2, d * 0.15),
                                              (8.93, 0.1, d * 0.08)], 0.0015)

    def _musicbox(self, freq, n, seconds, rate, rng):
        d = self.s["decay"]
        tone = self._partials(freq, n, rate, [(1.0, 1.0, d), (2.0, 0.12, d * 0.4),
                                              (5.93, 0.3, d * 0.05)], 0.0012)
        click_n = min(n, synth.samples(0.004, rate))
        click = synth.shaped_noise(click_n, rng, low=2500, high=9000, rate=rate)
        tone[:click_n] += 0.5 * click * np.linspace(1.0, 0.0, click_n)
        return tone

    def _pad_voices(self, freq):
        bright = self.s["bright"]
        amps = [1.0 / k / (1.0 + (k / bright) ** 2) for k in range(1, 25)]
        d = self.s["detune"]
        return [(amps, -d, 0.5, 0.0), (amps, d, 0.5, 0.37), (amps, 0.0, 0.35, 0.71)]

    def _pad(self, freq, n, seconds, rate, rng):
        body = self._voices(freq, n, rate, self._pad_voices(freq))
        return body * self._envelope(n, seconds, rate)

    def _choir_voices(self, freq):
        if self.s["vowel"] == "ah":
            formants = [(700, 1.0, 110), (1150, 0.5, 130), (2800, 0.1, 250)]
        else:
            formants = [(330, 1.0, 90), (850, 0.3, 120), (2300, 0.06, 250)]
        amps = []
        for k in range(1, 40):
            h = k * freq
            weight = sum(g / (1.0 + ((h - f) / bw) ** 2) for f, g, bw in formants)
            amps.append(weight / k ** 0.5)
        d = self.s["detune"]
        return [(amps, -d, 0.4, 0.0), (amps, d * 0.8, 0.4, 0.3), (amps, 0.0, 0.4, 0.6)]

    def _choir(self, freq, n, seconds, rate, rng):
        body = self._voices(freq, n, rate, self._choir_voices(freq), 0.12, 4.8, 0.3)
        return body * self._envelope(n, seconds, rate)

    def _glass_voices(self, freq):
        return [([1.0, 0.25, 0.1, 0.0, 0.03], 0.0, 1.0, 0.0), ([1.0], 4.0, 0.35, 0.5)]

    def _glass(self, freq, n, seconds, rate, rng):
        t = np.arange(n) / rate
        body = self._voices(freq, n, rate, self._glass_voices(freq), self.s["vibrato"], 3.3, 0.1)
        return body * (0.7 + 0.3 * np.exp(-t / 2.0)) * self._envelope(n, seconds, rate)

    def _reed_voices(self, freq):
        amps = []
        for k in range(1, 25):
            h = k * freq
            formant = 1.0 + 1.6 * np.exp(-((h - 1300.0) / 700.0) ** 2)
            amps.append(formant / k ** 1.05 / (1.0 + (h / 4500.0) ** 2))
        m = self.s["musette"]
        return [(amps, 0.0, 0.55, 0.0), (amps, m, 0.45, 0.25)]

    def _reed(self, freq, n, seconds, rate, rng):
        body = self._voices(freq, n, rate, self._reed_voices(freq))
        return body * self._envelope(n, seconds, rate)

    def _brass_tables(self):
        bright = [1.0 / k for k in range(1, 26)]
        dull = [1.0 / k ** 2.2 for k in range(1, 26)]
        return bright, dull

    def _brass_voices(self, freq):
        """The held tone once the swell has settled (a module sample's loop)."""
        bright, dull = self._brass_tables()
        return [([0.6 * b + 0.4 * d for b, d in zip(bright, dull)], 0.0, 0.8, 0.0)]

    def _brass(self, freq, n, seconds, rate, rng):
        t = np.arange(n) / rate
        bright, dull = self._brass_tables()
        loud = self._voices(freq, n, rate, [(bright, 0.0, 1.0, 0.0)], self.s["vibrato"], 5.0, 0.3)
        soft = self._voices(freq, n, rate, [(dull, 0.0, 1.0, 0.0)], self.s["vibrato"], 5.0, 0.3)
        swell = np.clip(t / 0.07, 0.0, 1.0) * (0.6 + 0.4 * np.exp(-t / 0.25))
        return (soft * (1.0 - swell) + loud * swell) * 0.8 * self._envelope(n, seconds, rate)

    def _chip_voices(self, freq):
        duty = self.s["duty"]
        bright = self.s["bright"]
        amps = [np.sin(np.pi * k * duty) / k / (1.0 + (k / bright) ** 2) for k in range(1, 60)]
        return [(amps, 0.0, 1.0, 0.0)]

    def _chip(self, freq, n, seconds, rate, rng):
        body = self._voices(freq, n, rate, self._chip_voices(freq), self.s["vibrato"], 5.5, 0.2)
        return body * self._envelope(n, seconds, rate, decay=self.s["decay"] or None)

    # ------------------------------------------------------------------------------------------
    # Drums

    def hit(self, name, velocity=1.0, rate=synth.RATE, rng=None):
        if self.kind != "kit":
            raise ValueError(f"'{name}' is a drum, but this instrument is a {self.kind}")
        if name not in DRUMS:
            raise ValueError(f"unknown drum '{name}' (drums: {', '.join(DRUMS)})")
        rng = rng or synth.rng_for("drum", name)
        return velocity * getattr(self, "_drum_" + name)(rate, rng)

    @staticmethod
    def _sweep(rate, seconds, start, end, glide, decay, attack=0.001):
        n = synth.samples(seconds, rate)
        t = np.arange(n) / rate
        curve = end + (start - end) * np.exp(-t / glide)
        tone = np.sin(2 * np.pi * synth.phase_cycles(curve, n, rate))
        return tone * synth.envelope(n, attack=attack, decay=decay, release=0.01, rate=rate)

    @staticmethod
    def _burst(rate, rng, seconds, low, high, decay, attack=0.0005):
        n = synth.samples(seconds, rate)
        noise = synth.shaped_noise(n, rng, low=low, high=min(high, 0.45 * rate), rate=rate) / 0.3
        return noise * synth.envelope(n, attack=attack, decay=decay, release=0.01, rate=rate)

    def _drum_kick(self, rate, rng):
        body = self._sweep(rate, 0.45, 160.0, 46.0, 0.035, 0.16)
        click = self._burst(rate, rng, 0.45, 1000.0, 5000.0, 0.004) * 0.25
        return body + click

    def _drum_snare(self, rate, rng):
        tone = self._sweep(rate, 0.3, 240.0, 180.0, 0.02, 0.05) * 0.6
        noise = self._burst(rate, rng, 0.3, 1500.0, 9000.0, 0.07) * 0.55
        return tone + noise

    def _drum_hat(self, rate, rng):
        return self._burst(rate, rng, 0.09, 7000.0, 15000.0, 0.022) * 0.5

    def _drum_open(self, rate, rng):
        return self._burst(rate, rng, 0.45, 6500.0, 15000.0, 0.15) * 0.45

    def _drum_shaker(self, rate, rng):
        return self._burst(rate, rng, 0.12, 5000.0, 12000.0, 0.035, attack=0.012) * 0.45

    def _drum_crash(self, rate, rng):
        return self._burst(rate, rng, 2.2, 3000.0, 14000.0, 0.7, attack=0.001) * 0.5

    def _drum_tom(self, rate, rng):
        return self._sweep(rate, 0.5, 190.0, 120.0, 0.05, 0.16) + \
            self._burst(rate, rng, 0.5, 400.0, 3000.0, 0.02) * 0.15

    def _drum_low(self, rate, rng):
        return self._sweep(rate, 0.9, 110.0, 70.0, 0.08, 0.35) + \
            self._burst(rate, rng, 0.9, 150.0, 1500.0, 0.03) * 0.12

    def _drum_rim(self, rate, rng):
        return self._sweep(rate, 0.08, 1700.0, 1650.0, 0.01, 0.012) * 0.5 + \
            self._burst(rate, rng, 0.08, 1500.0, 6000.0, 0.01) * 0.4

    def _drum_drip(self, rate, rng):
        return self._sweep(rate, 0.25, 700.0, 2100.0, 0.02, 0.05) * 0.8

    # ------------------------------------------------------------------------------------------
    # Tracker module samples

    def module_sample(self, freq, rate, loop_seconds=0.4, one_shot_seconds=1.4):
        """(signal, loop start, loop length) for a tracker sample sounding freq when played at
        rate samples per second. Loop start and length are even sample counts (the format counts
        words); a one-shot sample has loop length 0."""
        if not self.sustained:
            seconds = min(one_shot_seconds, 5.0 * self.s.get("decay", 1.0))
            signal = self.note(freq, seconds, rate=rate)
            return synth.fade_edges(signal, 0.0005, 0.02, rate), 0, 0
        voices = getattr(self, f"_{self.kind}_voices")(freq)
        length = 2 * int(round(loop_seconds * rate / 2))
        attack = 2 * int(np.ceil(max(self.s["attack"], 0.004) * rate / 2))
        n = attack + length
        signal = np.zeros(n)
        base_cycles = max(1, int(round(freq * length / rate)))
        for amplitudes, cents, gain, phase in voices:
            # A whole number of cycles per loop, so the loop joins seamlessly. A detuned voice
            # keeps at least one cycle more or less than the others: rounded to the same count
            # it would stand still against them, and their phase offsets could cancel the tone.
            cycles = max(1, int(round(freq * 2.0 ** (cents / 1200.0) * length / rate)))
            if cents > 0:
                cycles = max(cycles, base_cycles + 1)
            elif cents < 0:
                cycles = min(cycles, base_cycles - 1)
            f0 = cycles * rate / length
            table = synth.wavetable(synth.band_limited(amplitudes, f0, rate))
            signal += gain * synth.read_table(table, np.arange(n) * (cycles / length) + phase)
        ramp = np.ones(n)
        ramp[:attack] = np.linspace(0.0, 1.0, attack, endpoint=False)
        return signal * ramp, attack, length
