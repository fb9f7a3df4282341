"""The music: renders the note data in assets/music/*.txt into music/NAME.ogg or music/NAME.mod.

An OGG song is synthesised with the instruments of audio_instruments (44100 Hz stereo, panned,
with a shared hall reverb), checked (no clipping, no DC, a seamless seam for a looping song,
quiet ends otherwise) and encoded by oggenc with a fixed serial number and no comments, so the
bytes repeat exactly. The decoded OGG is checked again for clipping.

A MOD song becomes a 4-channel ProTracker module: one channel per instrument, a row per
sixteenth note, one sample per melodic instrument (tuned so the instrument's notes fit the
module's three octaves) and one per drum of the kit.
"""
import math
import pathlib
import subprocess
import tempfile

import numpy as np

import audio_checks
import audio_synth as synth
import datafiles
import modfile
import music_notation

PEAK_DB = -3.0  # leaves room for the encoder's overshoot; the decoded file must stay below -1
HUMAN_TIMING = 0.004  # seconds a melodic note may come late, so chords do not sound mechanical
HUMAN_VELOCITY = 0.08


def build(assets, out):
    for source in sorted((assets / "music").glob("*.txt")):
        song = music_notation.parse_song(source.read_text(encoding="ascii"), source.stem)
        if song.format == "ogg":
            data = ogg_bytes(song)
        else:
            data = module_bytes(song)
        datafiles.write_bytes(out / "music" / f"{source.stem}.{song.format}", data)


# ----------------------------------------------------------------------------------------------
# OGG songs


def render(song, rate=synth.RATE):
    """The song as float stereo samples (channels first), before scaling."""
    seconds = float(song.length) * song.beat_seconds
    instruments = {name: voice.make() for name, voice in song.instruments.items()}
    if song.loop:
        n = synth.samples(seconds, rate)
    else:
        tail = max(instrument.tail() for instrument in instruments.values()) + song.reverb[0]
        n = synth.samples(seconds + tail, rate)
    dry = np.zeros((2, n))
    send = np.zeros(n)
    for track, events in song.timeline().items():
        voice, instrument = song.instruments[track], instruments[track]
        left, right = synth.pan_gains(voice.pan)
        rng = synth.rng_for(song.name, track, "performance")
        cache = {}
        for event in events:
            key = (event.pitches, event.length)
            if key not in cache:
                cache[key] = _sound(instrument, event, song.beat_seconds, rate)
            velocity = event.velocity * (1.0 + HUMAN_VELOCITY * (rng.random() - 0.5))
            late = 0 if voice.is_kit else int(rng.integers(0, int(HUMAN_TIMING * rate) + 1))
            start = int(round(float(event.beat) * song.beat_seconds * rate)) + late
            signal = cache[key] * (velocity * voice.gain)
            synth.add_at(dry, np.vstack((signal * left, signal * right)), start, song.loop)
            if voice.reverb:
                synth.add_at(send, signal * voice.reverb, start, song.loop)
    decay, wet = song.reverb
    if wet:
        for channel in range(2):
            response = synth.reverb_response(decay, synth.rng_for(song.name, "hall", channel),
                                             rate)
            dry[channel] += wet * synth.convolve(send, response, circular=song.loop)[:n]
    return dry


def _sound(instrument, event, beat_seconds, rate):
    if instrument.kind == "kit":
        hits = [instrument.hit(drum, rate=rate) for drum in event.pitches]
    else:
        seconds = float(event.length) * beat_seconds
        hits = [instrument.note(synth.midi_frequency(pitch), seconds, rate=rate)
                for pitch in event.pitches]
    out = np.zeros(max(len(hit) for hit in hits))
    for hit in hits:
        out[:len(hit)] += hit
    return out


def finished_frames(song, mix, rate=synth.RATE):
    """Int16 frames of a rendered song: DC removed, the tail trimmed and faded, scaled, checked."""
    if song.loop:
        mix = mix - mix.mean(axis=1, keepdims=True)
    else:
        mix = np.vstack([synth.remove_dc(channel) for channel in mix])
        level = np.max(np.abs(mix), axis=0)
        loud = np.nonzero(level > np.max(level) * 10.0 ** (-66.0 / 20.0))[0]
        end = min(mix.shape[1], int(loud[-1]) + synth.samples(0.05, rate))
        mix = np.vstack([synth.fade_edges(channel[:end], 0.002, 0.3, rate) for channel in mix])
    frames = synth.to_int16(mix, PEAK_DB)
    audio_checks.check_levels(song.name, frames)
    if song.loop:
        audio_checks.check_seam(song.name, frames)
    else:
        audio_checks.check_quiet_ends(song.name, frames)
    return frames


def ogg_bytes(song):
    frames = finished_frames(song, render(song))
    return encode_ogg(frames, song.name, expected_frames=frames.shape[1])


def encode_ogg(frames, name, expected_frames=None, rate=synth.RATE):
    """Vorbis at quality 4 with serial number 1 and no comments: the same input gives the same
    bytes. The decoded result is checked for clipping and length."""
    with tempfile.TemporaryDirectory() as folder:
        folder = pathlib.Path(folder)
        source, target = folder / "song.wav", folder / "song.ogg"
        source.write_bytes(synth.wav_bytes(frames, rate))
        subprocess.run(["oggenc", "-q", "4", "--serial", "1", "--quiet", "-o", str(target),
                        str(source)], check=True)
        data = target.read_bytes()
        decoded = subprocess.run(["oggdec", "--quiet", "-o", "-", str(target)], check=True,
                                 capture_output=True).stdout
    decoded_frames, decoded_rate = synth.read_wav(decoded)
    if decoded_rate != rate or (expected_frames and decoded_frames.shape[-1] != expected_frames):
        raise audio_checks.AudioFault(f"{name}: the OGG decodes to {decoded_frames.shape[-1]} "
                                      f"frames at {decoded_rate} Hz")
    audio_checks.check_levels(f"{name}.ogg (decoded)", decoded_frames)
    return data


# ----------------------------------------------------------------------------------------------
# Tracker modules

ROWS_PER_BEAT = 4  # a row is a sixteenth note at speed 6, so the module tempo is the song tempo
DRUM_NOTE = 24  # C-3: drums are sampled at the rate this note plays
REFERENCE_NOTE = 12  # C-2: a melodic sample sounds its reference pitch at this note


class ModuleError(ValueError):
    pass


def module_bytes(song):
    """The ProTracker module of a song."""
    if len(song.instruments) > modfile.CHANNELS:
        raise ModuleError(f"{song.name}: a module has 4 channels, the song "
                          f"{len(song.instruments)} instruments")
    timeline = song.timeline()
    total_rows = _rows(song.length, song.name, "the song length")
    cells = [[[0, 0, 0, 0] for _ in range(modfile.CHANNELS)] for _ in range(total_rows)]
    samples = []
    for channel, (track, voice) in enumerate(song.instruments.items()):
        events = timeline[track]
        if not events:
            continue
        volume = max(1, min(64, round(64 * voice.gain)))
        if voice.is_kit:
            notes = _drum_samples(song, voice, events, samples, volume)
        else:
            notes = _melodic_sample(song, voice, events, samples, volume)
        _place(song, voice, events, notes, volume, [row[channel] for row in cells])
    _put_effect(cells, 0, modfile.EFFECT_SPEED, int(round(max(32, song.tempo))), song.name)
    for channel, voice in enumerate(song.instruments.values()):
        # Amiga modules pan channels hard left and right; 8xx sets each instrument's own pan.
        _put_panning(cells, channel, round((voice.pan + 1.0) / 2.0 * 255))
    patterns, order = _patterns(cells, song.name)
    data = modfile.module_bytes(song.title or song.name, samples, patterns, order)
    modfile.read_module(data)  # the layout adds up
    return data


def _rows(beats, name, what):
    rows = beats * ROWS_PER_BEAT
    if rows.denominator != 1:
        raise ModuleError(f"{name}: {what} ({float(beats)} beats) is not on the sixteenth-note "
                          f"grid a module needs")
    return int(rows)


def _drum_samples(song, voice, events, samples, volume):
    """Adds a sample per drum the track uses; returns drum -> (sample number, note)."""
    instrument = voice.make()
    notes = {}
    for event in events:
        if len(event.pitches) != 1:
            raise ModuleError(f"{song.name}: {voice.name} plays {'+'.join(event.pitches)} at "
                              f"beat {float(event.beat)}; a module channel plays one drum")
        drum = event.pitches[0]
        if drum not in notes:
            signal = instrument.hit(drum, rate=modfile.rate_of_note(DRUM_NOTE))
            samples.append(modfile.Sample.from_signal(f"{voice.name} {drum}", signal, volume))
            notes[drum] = (len(samples), DRUM_NOTE)
    return notes


def _melodic_sample(song, voice, events, samples, volume):
    """Adds the instrument's sample, pitched so its notes fit C-1..B-3 as high as they can (the
    higher a note plays, the more of the sample's detail it keeps); returns the MIDI number of
    C-1 for it."""
    pitches = [pitch for event in events for pitch in event.pitches]
    low, high = min(pitches), max(pitches)
    base = 12 * math.ceil((high - 35) / 12)
    if low < base:
        raise ModuleError(f"{song.name}: {voice.name} spans more than the module's three "
                          f"octaves")
    reference = synth.midi_frequency(base + REFERENCE_NOTE)
    signal, loop_start, loop_length = voice.make().module_sample(
        reference, modfile.rate_of_note(REFERENCE_NOTE))
    samples.append(modfile.Sample.from_signal(voice.name, signal, volume, loop_start, loop_length))
    return len(samples), base


def _place(song, voice, events, notes, volume, column):
    """Writes a track's events into its channel's cells: the note, its volume when the velocity
    asks for one, an arpeggio for a chord, vibrato on long notes, and a fast fade where a note
    ends before the next begins."""
    for index, event in enumerate(events):
        row = _rows(event.beat, song.name, f"{voice.name}'s note at beat {float(event.beat)}")
        length = _rows(event.length, song.name, f"{voice.name}'s note at beat {float(event.beat)}")
        if voice.is_kit:
            sample, note = notes[event.pitches[0]]
            arpeggio = None
        else:
            sample, base = notes
            pitches = sorted(event.pitches)
            note = pitches[0] - base
            steps = [pitch - pitches[0] for pitch in pitches[1:]]
            if len(steps) > 2 or any(step > 15 for step in steps):
                raise ModuleError(f"{song.name}: {voice.name}'s chord at beat "
                                  f"{float(event.beat)} needs at most three notes within 15 "
                                  f"semitones")
            arpeggio = (steps[0] << 4 | (steps[1] if len(steps) > 1 else 0)) if steps else None
        cell = column[row]
        cell[0], cell[1] = sample, modfile.PERIODS[note]
        if arpeggio is not None:
            for offset in range(length):
                column[row + offset][2:] = [modfile.EFFECT_ARPEGGIO, arpeggio]
        elif event.velocity != 1.0:
            cell[2:] = [modfile.EFFECT_VOLUME, max(0, min(64, round(volume * event.velocity)))]
        vibrato = voice.module.get("mod_vibrato")
        if vibrato and arpeggio is None:
            for offset in range(2, length):
                column[row + offset][2:] = [modfile.EFFECT_VIBRATO, vibrato]
        end = row + length
        following = events[index + 1].beat if index + 1 < len(events) else None
        if not voice.is_kit and end < len(column) and (following is None or
                                                        _rows(following, song.name, "") != end):
            column[end][2:] = [modfile.EFFECT_VOLUME_SLIDE, 0x0F]


def _free(cell):
    return cell[2] == 0 and cell[3] == 0


def _put_effect(cells, row, effect, parameter, name):
    """Puts the effect in a free slot of the row, preferring channels without a note there."""
    for cell in sorted(cells[row], key=lambda cell: cell[1] != 0):
        if _free(cell):
            cell[2:] = [effect, parameter]
            return
    raise ModuleError(f"{name}: no free effect slot in row {row} for effect {effect:X}")


def _put_panning(cells, channel, parameter):
    """Sets a channel's panning in its earliest free effect slot of the first pattern. A channel
    busy with effects on every one of those rows keeps the player's default panning."""
    for row in cells[:modfile.ROWS]:
        if _free(row[channel]):
            row[channel][2:] = [modfile.EFFECT_PANNING, parameter]
            return


def _patterns(cells, name):
    """Cuts the rows into 64-row patterns (a pattern break ends a short last one), shares
    identical patterns, and returns (patterns, order)."""
    chunks = [cells[start:start + modfile.ROWS] for start in range(0, len(cells), modfile.ROWS)]
    last = chunks[-1]
    if len(last) < modfile.ROWS:
        _put_effect(last, len(last) - 1, modfile.EFFECT_PATTERN_BREAK, 0, name)
        last += [[[0, 0, 0, 0] for _ in range(modfile.CHANNELS)]
                 for _ in range(modfile.ROWS - len(last))]
    patterns, order, known = [], [], {}
    for chunk in chunks:
        pattern = [[modfile.Cell(*cell) for cell in row] for row in chunk]
        key = tuple(tuple(row) for row in pattern)
        if key not in known:
            known[key] = len(patterns)
            patterns.append(pattern)
        order.append(known[key])
    return patterns, order
