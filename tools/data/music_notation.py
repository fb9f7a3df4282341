"""Corvane's note data: the text format of assets/music/*.txt, parsed into timed note events.

    # a comment
    title Arnion                   free text
    format ogg                     ogg (rendered and encoded) or mod (a ProTracker module)
    tempo 92                       quarter notes per minute
    meter 3/4                      every bar of every track must add up to this
    loop no                        yes: the song is a seamless loop; no: it ends and rings out
    reverb 2.0 0.2                 hall decay in seconds and wet level (ogg only)
    instrument NAME KIND key=value ...
    section NAME
    NAME: tokens ...               a track of the section; more lines with NAME: continue it
    form intro A A B A+2 end       the sections in order; +N / -N transposes by semitones

Instrument keys: gain (level, 0..1), pan (-1 left .. 1 right), reverb (send level),
echo=TRACK:SIXTEENTHS:LEVEL (the instrument plays TRACK's notes that many sixteenths later, that
much softer, and has no notes of its own), and for modules mod_vibrato (a 4xy effect parameter,
hex, on long notes); every other key is a setting of the kind (audio_instruments).

Tokens of a track:
    c5  f#4  bb3           a note (c4 is middle C)
    c4+e4+g4               a chord (in a module: an arpeggio of up to three notes)
    k  s+h  kick           drum hits of a kit: k kick, s snare, h hat, o open hat, c crash,
                           t tom, l low tom, x rim, p shaker, d drip
    r                      a rest
    ~                      holds the previous note longer
    |                      a bar line (checked against the meter)
  followed by an optional length: 1 whole, 2 half, 4 quarter, 8, 16, 32; "." dots it and
  "t" makes it a triplet (c5:8. or g4:8t); without one the track's last length is used. "@0.6"
  after it sets the velocity (e.g. h:16@0.5).
"""
import dataclasses
import re
from fractions import Fraction

import audio_instruments
import audio_synth as synth

DRUM_ALIASES = {"k": "kick", "s": "snare", "h": "hat", "o": "open", "c": "crash", "t": "tom",
                "l": "low", "x": "rim", "p": "shaker", "d": "drip"}
MIX_KEYS = {"gain": 0.5, "pan": 0.0, "reverb": 0.0}
MODULE_KEYS = {"mod_vibrato"}
_TOKEN = re.compile(r"(?P<body>[^:@]+)"
                    r"(?::(?P<length>\d+)(?P<kind>[.t]?))?"
                    r"(?:@(?P<velocity>[\d.]+))?")


@dataclasses.dataclass
class Event:
    beat: Fraction  # start, in quarter notes from the start of the song
    length: Fraction  # in quarter notes
    pitches: tuple  # MIDI numbers, or drum names for a kit
    velocity: float = 1.0


@dataclasses.dataclass
class InstrumentSpec:
    name: str
    kind: str
    settings: dict
    gain: float
    pan: float
    reverb: float
    module: dict
    echo: tuple = None  # (source track, delay in quarter notes, level)

    def make(self):
        return audio_instruments.make(self.kind, self.settings)

    @property
    def is_kit(self):
        return self.kind == "kit"


@dataclasses.dataclass
class Section:
    name: str
    tracks: dict  # instrument name -> list of Event (beats from the section start)
    length: Fraction


@dataclasses.dataclass
class Song:
    name: str
    title: str = ""
    format: str = "ogg"
    tempo: float = 120.0
    bar: Fraction = Fraction(4)
    loop: bool = False
    reverb: tuple = (1.5, 0.0)
    instruments: dict = dataclasses.field(default_factory=dict)
    sections: dict = dataclasses.field(default_factory=dict)
    form: list = dataclasses.field(default_factory=list)  # (section name, transpose)

    @property
    def beat_seconds(self):
        return 60.0 / self.tempo

    @property
    def length(self):
        """The song's length in quarter notes."""
        return sum((self.sections[name].length for name, _ in self.form), Fraction(0))

    def timeline(self):
        """Every track's events in song time, in order, with the form's transpositions."""
        tracks = {name: [] for name in self.instruments}
        start = Fraction(0)
        for name, transpose in self.form:
            section = self.sections[name]
            for track, events in section.tracks.items():
                kit = self.instruments[track].is_kit
                for event in events:
                    pitches = event.pitches if kit else tuple(p + transpose for p in event.pitches)
                    tracks[track].append(Event(start + event.beat, event.length, pitches,
                                               event.velocity))
            start += section.length
        end = self.length
        for name, voice in self.instruments.items():
            if voice.echo:
                source, delay, level = voice.echo
                tracks[name] = [Event(e.beat + delay, min(e.length, end - e.beat - delay),
                                      e.pitches, e.velocity * level)
                                for e in tracks[source] if e.beat + delay < end]
        return tracks


class NotationError(ValueError):
    pass


class _SectionState:
    """A section being read: where each track has got to, its bar start and default length."""

    def __init__(self, name):
        self.section = Section(name, {}, Fraction(0))
        self.position = {}
        self.bar_start = {}
        self.default_length = {}


def parse_song(text, name):
    """A Song from note data; NotationError naming the line on any mistake."""
    song = Song(name)
    state = None
    for number, raw in enumerate(text.split("\n"), start=1):
        where = f"{name}:{number}"
        line = re.sub(r"(^|\s)#.*", "", raw).strip()  # a comment; c#5 is a note
        if not line:
            continue
        words = line.split()
        keyword = words[0]
        try:
            if keyword.endswith(":"):
                if state is None:
                    raise NotationError("a track line outside a section")
                _track_line(song, state, keyword[:-1], words[1:])
            elif keyword == "section":
                _finish(song, state)
                if len(words) != 2 or words[1] in song.sections:
                    raise NotationError("expected 'section NAME' with a new name")
                state = _SectionState(words[1])
            elif keyword == "instrument":
                _instrument(song, words[1:])
            elif keyword == "form":
                song.form = [_form_entry(word) for word in words[1:]]
            else:
                _setting(song, keyword, words[1:])
        except ValueError as error:
            raise NotationError(f"{where}: {error}") from None
    try:
        _finish(song, state)
        _check_song(song)
    except ValueError as error:
        raise NotationError(f"{name}: {error}") from None
    return song


def _setting(song, keyword, values):
    if keyword == "title":
        song.title = " ".join(values)
        return
    if len(values) != (2 if keyword == "reverb" else 1):
        raise NotationError(f"wrong number of values for '{keyword}'")
    value = values[0]
    if keyword == "format":
        if value not in ("ogg", "mod"):
            raise NotationError("format must be ogg or mod")
        song.format = value
    elif keyword == "tempo":
        song.tempo = float(value)
        if not 30 <= song.tempo <= 255:
            raise NotationError("tempo must be 30..255 quarter notes per minute")
    elif keyword == "meter":
        top, _, bottom = value.partition("/")
        if not top.isdigit() or bottom not in ("2", "4", "8"):
            raise NotationError("meter must look like 4/4, 3/4 or 6/8")
        song.bar = Fraction(int(top) * 4, int(bottom))
    elif keyword == "loop":
        if value not in ("yes", "no"):
            raise NotationError("loop must be yes or no")
        song.loop = value == "yes"
    elif keyword == "reverb":
        song.reverb = (float(values[0]), float(values[1]))
    else:
        raise NotationError(f"unknown keyword '{keyword}'")


def _instrument(song, words):
    if len(words) < 2:
        raise NotationError("expected 'instrument NAME KIND key=value ...'")
    name, kind = words[0], words[1]
    if name in song.instruments or name.lower() in DRUM_ALIASES:
        raise NotationError(f"instrument name '{name}' is taken")
    mix = dict(MIX_KEYS)
    module, settings, echo = {}, {}, None
    for word in words[2:]:
        key, equals, value = word.partition("=")
        if not equals:
            raise NotationError(f"'{word}' is not key=value")
        if key == "echo":
            parts = value.split(":")
            if len(parts) != 3 or parts[0] not in song.instruments:
                raise NotationError("echo takes TRACK:SIXTEENTHS:LEVEL of an earlier instrument")
            echo = (parts[0], Fraction(int(parts[1]), 4), float(parts[2]))
        elif key in MIX_KEYS:
            mix[key] = float(value)
        elif key in MODULE_KEYS:
            module[key] = int(value, 16)
        else:
            settings[key] = value
    audio_instruments.make(kind, settings)  # refuses unknown kinds and settings
    song.instruments[name] = InstrumentSpec(name, kind, settings, mix["gain"], mix["pan"],
                                            mix["reverb"], module, echo)


def _form_entry(word):
    match = re.fullmatch(r"(\w+?)([+-]\d+)?", word)
    if not match:
        raise NotationError(f"'{word}' is not a section name with an optional +N or -N")
    return match[1], int(match[2] or 0)


def _length(digits, kind):
    if digits not in ("1", "2", "4", "8", "16", "32"):
        raise NotationError(f"length {digits} is not 1, 2, 4, 8, 16 or 32")
    length = Fraction(4, int(digits))
    if kind == ".":
        length *= Fraction(3, 2)
    elif kind == "t":
        length *= Fraction(2, 3)
    return length


def _track_line(song, state, track, tokens):
    voice = song.instruments.get(track)
    if voice is None:
        raise NotationError(f"no instrument named '{track}'")
    if voice.echo:
        raise NotationError(f"{track} echoes {voice.echo[0]} and has no notes of its own")
    events = state.section.tracks.setdefault(track, [])
    position = state.position.get(track, Fraction(0))
    bar_start = state.bar_start.get(track, Fraction(0))
    for token in tokens:
        if token == "|":
            if position - bar_start != song.bar:
                raise NotationError(f"track {track}: a bar of {float(position - bar_start)} "
                                    f"beats where the meter asks {float(song.bar)}")
            bar_start = position
            continue
        match = _TOKEN.fullmatch(token)
        if not match:
            raise NotationError(f"cannot read '{token}'")
        if match["length"]:
            state.default_length[track] = _length(match["length"], match["kind"])
        length = state.default_length.setdefault(track, Fraction(1))
        body = match["body"]
        velocity = float(match["velocity"]) if match["velocity"] else 1.0
        if body == "r":
            position += length
        elif body == "~":
            last = events[-1] if events else None
            if last is None or last.beat + last.length != position:
                raise NotationError(f"track {track}: '~' does not follow a note")
            last.length += length
            position += length
        else:
            pitches = tuple(_pitch(part, voice) for part in body.split("+"))
            events.append(Event(position, length, pitches, velocity))
            position += length
    state.position[track] = position
    state.bar_start[track] = bar_start


def _pitch(text, voice):
    if voice.is_kit:
        drum = DRUM_ALIASES.get(text, text)
        if drum not in audio_instruments.DRUMS:
            raise NotationError(f"'{text}' is not a drum")
        return drum
    return synth.midi_number(text)


def _finish(song, state):
    """Closes a section: every track ends with a whole bar, and all tracks are equally long."""
    if state is None:
        return
    section = state.section
    if not state.position:
        raise NotationError(f"section {section.name} has no tracks")
    for track, position in state.position.items():
        if position - state.bar_start[track] not in (0, song.bar):
            raise NotationError(f"section {section.name}: track {track} ends inside a bar")
    lengths = set(state.position.values())
    if len(lengths) != 1:
        described = ", ".join(f"{t} {float(p)}" for t, p in state.position.items())
        raise NotationError(f"section {section.name}: tracks differ in length ({described} "
                            f"beats)")
    section.length = lengths.pop()
    song.sections[section.name] = section


def _check_song(song):
    if not song.instruments:
        raise NotationError(f"{song.name}: no instruments")
    if not song.form:
        raise NotationError(f"{song.name}: no form line")
    for name, _ in song.form:
        if name not in song.sections:
            raise NotationError(f"{song.name}: the form names an unknown section '{name}'")
