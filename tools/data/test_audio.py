"""Tests of the sound and music generators: the checks catch the faults they exist for, the
instruments are in tune, module samples loop cleanly, note data is read and refused as it should
be, modules come out in the ProTracker layout, and OGG encoding repeats exactly.

Run: /usr/bin/python3 -m unittest discover -s tools/data -p 'test_*.py'
"""
import pathlib
import sys
import unittest

import numpy as np

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))

import audio_checks  # noqa: E402
import audio_instruments  # noqa: E402
import audio_synth as synth  # noqa: E402
import gen_music  # noqa: E402
import gen_sounds  # noqa: E402
import modfile  # noqa: E402
import music_notation  # noqa: E402


def lowest_strong_frequency(signal, rate):
    """The lowest spectral peak within 12 dB of the strongest: the pitch we hear."""
    spectrum = np.abs(np.fft.rfft(signal * np.hanning(len(signal))))
    freqs = np.fft.rfftfreq(len(signal), 1.0 / rate)
    strong = np.nonzero(spectrum >= spectrum.max() / 4.0)[0][0]
    while strong + 1 < len(spectrum) and spectrum[strong + 1] > spectrum[strong]:
        strong += 1
    return freqs[strong]


class ChecksTest(unittest.TestCase):
    def test_seam_check_passes_whole_cycles_and_catches_a_broken_loop(self):
        n = 44100
        t = np.arange(n) / synth.RATE
        whole = np.round(12000 * np.sin(2 * np.pi * 441 * t)).astype(np.int16)
        audio_checks.check_seam("whole", whole)
        broken = np.round(12000 * np.sin(2 * np.pi * 440.5 * t)).astype(np.int16)
        with self.assertRaisesRegex(audio_checks.AudioFault, "loop seam"):
            audio_checks.check_seam("broken", broken)
        # A kink (the right value, the wrong slope) is caught by the bend test: half a sine
        # rises from zero and falls back to it, so its loop bounces at the seam.
        kinked = np.round(12000 * np.sin(np.pi * np.arange(1000) / 1000)).astype(np.int16)
        with self.assertRaisesRegex(audio_checks.AudioFault, "bends"):
            audio_checks.check_seam("kinked", kinked)

    def test_level_checks_catch_clipping_offset_silence_and_clicks(self):
        tone = np.round(8000 * np.sin(np.linspace(0, 200 * np.pi, 20000))).astype(np.int16)
        audio_checks.check_levels("tone", tone)
        with self.assertRaisesRegex(audio_checks.AudioFault, "peak"):
            audio_checks.check_levels("loud", (tone.astype(np.int32) * 4).clip(-32768, 32767))
        with self.assertRaisesRegex(audio_checks.AudioFault, "DC offset"):
            audio_checks.check_levels("offset", (tone + 300).astype(np.int16))
        with self.assertRaisesRegex(audio_checks.AudioFault, "silent"):
            audio_checks.check_levels("quiet", (tone // 1000).astype(np.int16))
        with self.assertRaisesRegex(audio_checks.AudioFault, "starts at"):
            audio_checks.check_quiet_ends("click", np.concatenate(([5000], tone)).astype(np.int16))


class InstrumentTest(unittest.TestCase):
    def test_every_pitched_kind_sounds_the_note_it_is_asked_for(self):
        for kind in audio_instruments.kinds():
            if kind == "kit":
                continue
            with self.subTest(kind=kind):
                signal = audio_instruments.make(kind).note(440.0, 1.0)
                heard = lowest_strong_frequency(signal[: synth.RATE], synth.RATE)
                self.assertAlmostEqual(heard, 440.0, delta=8.0)  # a semitone is 26 Hz

    def test_module_samples_of_sustained_kinds_loop_seamlessly_in_tune(self):
        rate = modfile.rate_of_note(12)
        for kind in sorted(audio_instruments.SUSTAINED):
            with self.subTest(kind=kind):
                signal, start, length = audio_instruments.make(kind).module_sample(220.0, rate)
                self.assertEqual((start % 2, length % 2), (0, 0))
                self.assertEqual(start + length, len(signal))
                loop = signal[start:]
                audio_checks.check_seam(kind, np.round(loop / np.abs(loop).max() * 20000))
                self.assertAlmostEqual(lowest_strong_frequency(np.tile(loop, 8), rate), 220.0,
                                       delta=3.0)

    def test_every_drum_is_a_short_clean_hit(self):
        kit = audio_instruments.make("kit")
        for drum in audio_instruments.DRUMS:
            with self.subTest(drum=drum):
                hit = kit.hit(drum)
                self.assertLess(len(hit), 3 * synth.RATE)
                self.assertLess(abs(hit[-1]), 1e-3)


SONG = """
title Test
format mod
tempo 120
meter 4/4
instrument lead chip gain=0.5 mod_vibrato=42
instrument chords pad gain=0.5
instrument bass bass
instrument drums kit
section A
lead:  c5:4 r:4 e5:2 |
chords: c4+e4+g4:1 |
bass:  c2:8 c2 r:4 g2:2 |
drums: k:8 h s h k k s h |
form A A+2
"""


class NotationTest(unittest.TestCase):
    def test_a_song_becomes_timed_events_with_transposition(self):
        song = music_notation.parse_song(SONG, "test")
        self.assertEqual(float(song.length), 8.0)
        lead = song.timeline()["lead"]
        self.assertEqual([(float(e.beat), e.pitches) for e in lead],
                         [(0.0, (72,)), (2.0, (76,)), (4.0, (74,)), (6.0, (78,))])
        drums = song.timeline()["drums"]
        self.assertEqual(drums[0].pitches, ("kick",))
        self.assertEqual(drums[4].pitches, ("kick",))  # kits are never transposed

    def test_mistakes_are_refused_with_their_line(self):
        cases = {
            "lead:  c5:4 r:4 e5:4 |": "test:11: track lead: a bar of 3.0",
            "lead:  c5:4 r:4 e5:2 | c5:4": "ends inside a bar",
            "lead:  c5:1 | c5:1 |": "tracks differ in length",
            "lead:  ~:4 c5 c5 c5 |": "'~' does not follow a note",
            "lead:  h5:1 |": "not a note name",
            "flute:  c5:1 |": "no instrument named 'flute'",
        }
        for line, message in cases.items():
            with self.subTest(line=line):
                text = SONG.replace("lead:  c5:4 r:4 e5:2 |", line)
                with self.assertRaisesRegex(music_notation.NotationError, message):
                    music_notation.parse_song(text, "test")

    def test_a_sharp_is_a_note_and_a_spaced_hash_a_comment(self):
        text = SONG.replace("e5:2 |", "f#5:2 | # a comment")
        self.assertEqual(music_notation.parse_song(text, "test").timeline()["lead"][1].pitches,
                         (78,))


class ModuleTest(unittest.TestCase):
    def test_a_song_becomes_a_protracker_module_that_reads_back(self):
        song = music_notation.parse_song(SONG, "test")
        data = gen_music.module_bytes(song)
        self.assertEqual(data[1080:1084], b"M.K.")
        title, headers, order, patterns = modfile.read_module(data)
        self.assertEqual(title, "Test")
        self.assertEqual(order, [0])  # 2 bars of 16 rows share one pattern ending in a break
        rows = patterns[0]
        lead, chords, bass, drums = zip(*rows)
        # Tempo and the break sit in free effect slots.
        self.assertIn((modfile.EFFECT_SPEED, 120), [(c.effect, c.parameter) for c in rows[0]])
        self.assertIn(modfile.EFFECT_PATTERN_BREAK, [c.effect for c in rows[31]])
        # The lead: c5 on row 0, a fast fade where the rest starts, e5 on row 8 with vibrato
        # from its third row; a whole tone higher after the repeat.
        base_period = lead[0].period
        self.assertEqual(lead[4].effect, modfile.EFFECT_VOLUME_SLIDE)
        self.assertEqual(modfile.PERIODS.index(lead[8].period),
                         modfile.PERIODS.index(base_period) + 4)
        self.assertEqual((lead[10].effect, lead[10].parameter), (modfile.EFFECT_VIBRATO, 0x42))
        self.assertEqual(modfile.PERIODS.index(lead[16].period),
                         modfile.PERIODS.index(base_period) + 2)
        # A chord is an arpeggio on every row it lasts.
        self.assertTrue(all((c.effect, c.parameter) == (0, 0x47) for c in chords[1:16]))
        # One sample per melodic instrument and one per drum used.
        names = [header[0] for header in headers if header[1]]
        self.assertEqual(names, ["lead", "chords", "bass", "drums kick", "drums hat",
                                 "drums snare"])
        looped = {header[0]: header[4] > 0 for header in headers if header[1]}
        self.assertTrue(looped["chords"] and not looped["bass"])

    def test_what_a_module_cannot_hold_is_refused(self):
        too_wide = SONG.replace("bass:  c2:8 c2 r:4 g2:2 |", "bass:  c1:2 c5:2 |")
        with self.assertRaisesRegex(gen_music.ModuleError, "three octaves"):
            gen_music.module_bytes(music_notation.parse_song(too_wide, "test"))
        off_grid = SONG.replace("lead:  c5:4 r:4 e5:2 |", "lead:  c5:8t c5 c5 r:4 e5:2 |")
        off_grid = off_grid.replace("tempo 120", "tempo 120")
        with self.assertRaisesRegex(gen_music.ModuleError, "sixteenth-note grid"):
            gen_music.module_bytes(music_notation.parse_song(off_grid, "test"))
        two_drums = SONG.replace("k:8 h s h", "k+h:8 h s h")
        with self.assertRaisesRegex(gen_music.ModuleError, "one drum"):
            gen_music.module_bytes(music_notation.parse_song(two_drums, "test"))


class SoundsAndOggTest(unittest.TestCase):
    def test_a_loop_recipe_is_seamless_even_with_odd_frequencies(self):
        recipe = gen_sounds.parse_recipes("sound test loop=0.5\n"
                                          "    saw pitch=101.3 vibrato=3.3,0.5 tremolo=2.7,0.4\n"
                                          "    sine notes=a4,c5 at=0.4 step=0.05 dur=0.3\n")[0]
        frames = gen_sounds.render_recipe(recipe)
        self.assertEqual(len(frames), synth.RATE // 2)

    def test_recipe_mistakes_name_their_line(self):
        with self.assertRaisesRegex(ValueError, "effects.txt:2: unknown key 'pich'"):
            gen_sounds.parse_recipes("sound test\n    sine pich=a4 dur=1\n")
        with self.assertRaisesRegex(ValueError, ":2: a layer needs dur="):
            gen_sounds.render_recipe(gen_sounds.parse_recipes("sound t\n    sine pitch=a4\n")[0])

    def test_ogg_encoding_repeats_exactly_with_serial_one(self):
        t = np.arange(synth.RATE // 2) / synth.RATE
        tone = np.sin(2 * np.pi * 330 * t) * np.hanning(len(t))
        frames = synth.to_int16(np.vstack((tone, tone * 0.5)), -6.0)
        first = gen_music.encode_ogg(frames, "tone", len(t))
        self.assertEqual(first, gen_music.encode_ogg(frames, "tone", len(t)))
        self.assertEqual(first[:4], b"OggS")
        self.assertEqual(int.from_bytes(first[14:18], "little"), 1)


if __name__ == "__main__":
    unittest.main()
