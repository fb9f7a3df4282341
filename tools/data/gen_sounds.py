"""The sound effects and ambient loops: renders assets/sounds/effects.txt into sounds/*.wav.

The recipe file describes each sound as layers, one line each, under a `sound` line:

    sound NAME [peak=DB] [loop=SECONDS] [reverb=SECONDS,WET]
        WAVE key=value ...

WAVE is sine, triangle, square, saw or noise, or an instrument kind of audio_instruments
(musicbox, bell, reed ...). Layer keys:
    at=S dur=S           start and length in seconds (in a loop, no dur = the whole loop)
    pitch=P | P>Q>R      a note name or hertz, optionally gliding (log scale) through points
    notes=P,Q,-,R step=S one layer per note, each step seconds after the last; - is a rest
    attack= decay= hold= release=   envelope (decay is an exponential time constant)
    gain=G               linear level
    low=HZ high=HZ slope=DB order=N  band filter (shapes noise; filters tones)
    vibrato=HZ,SEMITONES tremolo=HZ,DEPTH grain=HZ,DEPTH (random amplitude flutter)
    duty=D seed=N        pulse width of square; a different noise
Other keys of an instrument layer are the instrument's own settings.

Every sound is scaled to its peak (default -3 dBFS), has its DC removed, and is checked: no
clipping, quiet ends for one-shots, and a seamless seam for loops. In a loop, layers that span
the whole loop are made exactly periodic (whole numbers of cycles), and every other layer wraps
round from the end to the beginning, so the loop cannot click.
"""
import dataclasses
import re

import numpy as np

import audio_checks
import audio_instruments
import audio_synth as synth
import datafiles

BASIC_WAVES = ("sine", "triangle", "square", "saw", "noise")
LAYER_KEYS = {"at", "dur", "pitch", "notes", "step", "attack", "decay", "hold", "release", "gain",
              "low", "high", "slope", "order", "vibrato", "tremolo", "grain", "duty", "seed"}
# The layer keys an instrument layer understands; its other keys are the instrument's settings.
INSTRUMENT_LAYER_KEYS = {"at", "dur", "pitch", "notes", "step", "gain", "seed"}
SOUND_KEYS = {"peak", "loop", "reverb"}


@dataclasses.dataclass
class Layer:
    wave: str
    keys: dict
    line: int


@dataclasses.dataclass
class Recipe:
    name: str
    keys: dict
    layers: list
    line: int


def parse_recipes(text, source="effects.txt"):
    """The recipes of a file, in order; ValueError with the line number on any mistake."""
    recipes = []
    for number, raw in enumerate(text.split("\n"), start=1):
        line = re.sub(r"(^|\s)#.*", "", raw).rstrip()  # a comment; c#5 is a note
        if not line.strip():
            continue
        where = f"{source}:{number}"
        words = line.split()
        if not raw[0].isspace():
            if words[0] != "sound" or len(words) < 2:
                raise ValueError(f"{where}: expected 'sound NAME key=value ...'")
            keys = _key_values(words[2:], SOUND_KEYS, where)
            if any(recipe.name == words[1] for recipe in recipes):
                raise ValueError(f"{where}: sound {words[1]} is defined twice")
            recipes.append(Recipe(words[1], keys, [], number))
            continue
        if not recipes:
            raise ValueError(f"{where}: a layer before the first sound")
        wave = words[0]
        if wave not in BASIC_WAVES and wave not in audio_instruments.kinds():
            raise ValueError(f"{where}: unknown wave or instrument '{wave}'")
        keys = _key_values(words[1:], None if wave in audio_instruments.kinds() else LAYER_KEYS,
                           where)
        if wave in audio_instruments.kinds():
            audio_instruments.make(wave, _instrument_settings(keys))  # refuses unknown settings
        recipes[-1].layers.append(Layer(wave, keys, number))
    for recipe in recipes:
        if not recipe.layers:
            raise ValueError(f"{source}:{recipe.line}: sound {recipe.name} has no layers")
    return recipes


def _instrument_settings(keys):
    return {key: value for key, value in keys.items() if key not in INSTRUMENT_LAYER_KEYS}


def _key_values(words, allowed, where):
    keys = {}
    for word in words:
        key, equals, value = word.partition("=")
        if not equals or not value:
            raise ValueError(f"{where}: '{word}' is not key=value")
        if allowed is not None and key not in allowed:
            raise ValueError(f"{where}: unknown key '{key}'")
        keys[key] = value
    return keys


def _numbers(text, count, where, key):
    parts = text.split(",")
    if len(parts) != count:
        raise ValueError(f"{where}: {key} takes {count} numbers separated by commas")
    return [float(part) for part in parts]


class Renderer:
    """Renders one recipe into float samples."""

    def __init__(self, recipe, rate=synth.RATE):
        self.recipe = recipe
        self.rate = rate
        self.loop = float(recipe.keys["loop"]) if "loop" in recipe.keys else None
        self.length = synth.samples(self.loop, rate) if self.loop else None

    def render(self):
        pieces = []  # (start sample, signal)
        for index, layer in enumerate(self.recipe.layers):
            pieces += self._layer(layer, index)
        if self.loop:
            out = np.zeros(self.length)
            for start, signal in pieces:
                synth.add_at(out, signal, start, circular=True)
        else:
            end = max(start + len(signal) for start, signal in pieces)
            out = np.zeros(end)
            for start, signal in pieces:
                synth.add_at(out, signal, start)
        if "reverb" in self.recipe.keys:
            seconds, wet = _numbers(self.recipe.keys["reverb"], 2, self._where(), "reverb")
            response = synth.reverb_response(seconds, synth.rng_for(self.recipe.name, "reverb"),
                                             self.rate)
            if not self.loop:
                out = np.concatenate((out, np.zeros(len(response))))
            out = out + wet * synth.convolve(out, response, circular=bool(self.loop))[:len(out)]
            if not self.loop:
                out = _trim_tail(out, self.rate)
        if self.loop:
            return out - out.mean()
        return synth.fade_edges(synth.remove_dc(out), 0.0005, 0.003, self.rate)

    def _offset(self, seconds):
        return int(round(seconds * self.rate))

    def _where(self, layer=None):
        return f"effects.txt:{layer.line if layer else self.recipe.line}"

    def _layer(self, layer, index):
        keys = layer.keys
        where = self._where(layer)
        at = self._offset(float(keys.get("at", 0.0)))
        if "notes" in keys:
            step = float(keys.get("step", 0.0))
            pieces = []
            for count, note in enumerate(keys["notes"].split(",")):
                if note == "-":
                    continue
                start = at + self._offset(count * step)
                signal = self._voice(layer, index * 100 + count, note, where)
                pieces.append((start, signal))
            return pieces
        return [(at, self._voice(layer, index, keys.get("pitch"), where))]

    def _voice(self, layer, index, pitch, where):
        keys = layer.keys
        whole = self.loop is not None and ("dur" not in keys or
                                           abs(float(keys["dur"]) - self.loop) < 1e-9)
        if "dur" not in keys and not whole:
            raise ValueError(f"{where}: a layer needs dur= (only loops may omit it)")
        rng = synth.rng_for(self.recipe.name, index, keys.get("seed", 0))
        if layer.wave in audio_instruments.kinds():
            if whole:
                raise ValueError(f"{where}: an instrument layer cannot span a whole loop")
            instrument = audio_instruments.make(layer.wave, _instrument_settings(keys))
            if pitch is None:
                raise ValueError(f"{where}: an instrument layer needs pitch= or notes=")
            signal = instrument.note(synth.frequency(pitch), float(keys["dur"]), rate=self.rate,
                                     rng=rng)
            return signal * float(keys.get("gain", 1.0))
        n = self.length if whole else synth.samples(float(keys["dur"]), self.rate)
        t = np.arange(n) / self.rate
        if layer.wave == "noise":
            signal = synth.shaped_noise(n, rng, _float(keys, "low"), _float(keys, "high"),
                                        float(keys.get("slope", 0.0)),
                                        int(keys.get("order", 2)), self.rate) / 0.3 * 0.35
        else:
            if pitch is None:
                raise ValueError(f"{where}: a {layer.wave} layer needs pitch= or notes=")
            curve = self._pitch_curve(pitch, n, whole, keys, where)
            signal = synth.oscillator(layer.wave, synth.phase_cycles(curve, n, self.rate),
                                      curve / self.rate, float(keys.get("duty", 0.5)))
            if "low" in keys or "high" in keys:
                signal = synth.filtered(signal, _float(keys, "low"), _float(keys, "high"),
                                        float(keys.get("slope", 0.0)), int(keys.get("order", 2)),
                                        self.rate, circular=whole)
        if "tremolo" in keys:
            rate_hz, depth = _numbers(keys["tremolo"], 2, where, "tremolo")
            rate_hz = self._periodic(rate_hz) if whole else rate_hz
            signal = signal * (1.0 - depth * (0.5 - 0.5 * np.cos(2 * np.pi * rate_hz * t)))
        if "grain" in keys:
            rate_hz, depth = _numbers(keys["grain"], 2, where, "grain")
            wander = synth.smooth_random(n, synth.rng_for(self.recipe.name, index, "grain"),
                                         rate_hz, self.rate)
            signal = signal * np.clip(1.0 + depth * wander, 0.0, None)
        if not whole:
            signal = signal * synth.envelope(
                n, float(keys.get("attack", 0.002)), _float(keys, "decay"),
                float(keys.get("release", 0.005)), self.rate, float(keys.get("hold", 0.0)))
        return signal * float(keys.get("gain", 1.0))

    def _periodic(self, rate_hz):
        """The nearest rate with a whole number of cycles in the loop."""
        return max(1, round(rate_hz * self.loop)) / self.loop

    def _pitch_curve(self, pitch, n, whole, keys, where):
        points = [synth.frequency(part) for part in pitch.split(">")]
        if len(points) == 1:
            curve = np.full(n, points[0])
        else:
            position = np.linspace(0.0, len(points) - 1, n)
            curve = np.exp(np.interp(position, np.arange(len(points)), np.log(points)))
        if "vibrato" in keys:
            rate_hz, semitones = _numbers(keys["vibrato"], 2, where, "vibrato")
            rate_hz = self._periodic(rate_hz) if whole else rate_hz
            t = np.arange(n) / self.rate
            curve = curve * 2.0 ** (semitones * np.sin(2 * np.pi * rate_hz * t) / 12.0)
        if whole:
            # A whole number of cycles over the loop, so the phase meets itself at the seam.
            cycles = np.sum(curve) / self.rate
            curve = curve * (max(1, round(cycles)) / cycles)
        return curve


def _float(keys, key):
    return float(keys[key]) if key in keys else None


def _trim_tail(signal, rate, floor_db=-70.0):
    """Cuts a reverb tail once it has fallen below floor_db of the peak, ending with a fade."""
    threshold = np.max(np.abs(signal)) * 10.0 ** (floor_db / 20.0)
    loud = np.nonzero(np.abs(signal) > threshold)[0]
    end = min(len(signal), int(loud[-1]) + synth.samples(0.01, rate)) if len(loud) else len(signal)
    return signal[:end]


def render_recipe(recipe):
    """The int16 samples of a recipe, checked."""
    signal = Renderer(recipe).render()
    frames = synth.to_int16(signal, float(recipe.keys.get("peak", -3.0)))
    audio_checks.check_levels(recipe.name, frames)
    if "loop" in recipe.keys:
        audio_checks.check_seam(recipe.name, frames)
    else:
        audio_checks.check_quiet_ends(recipe.name, frames)
    return frames


def build(assets, out):
    source = assets / "sounds" / "effects.txt"
    for recipe in parse_recipes(source.read_text(encoding="ascii"), source.name):
        frames = render_recipe(recipe)
        datafiles.write_bytes(out / "sounds" / f"{recipe.name}.wav", synth.wav_bytes(frames))
