"""Checks of the inhabitant sprites that the game's parser cannot make: colours, colour variants,
what a carrier holds, the Dom lining up with its pot, feet on the ground and repeatable output.

Run: /usr/bin/python3 -m unittest discover -s tools/data -p "test_*.py"
"""
import pathlib
import sys
import unittest

HERE = pathlib.Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))

import gen_sprites_inhabitants as inhabitants  # noqa: E402
import palette  # noqa: E402
import sprites  # noqa: E402

ASSETS = HERE.parents[1] / "assets"
DEFINITIONS = inhabitants.definitions(ASSETS)

VARIANT_GROUPS = {
    "negg.txt": ("negg_blue.txt", "negg_gold.txt", "negg_pink.txt", "negg_green.txt"),
    "oller.txt": ("oller_blue.txt", "oller_green.txt", "oller_brown.txt"),
    "dom_red.txt": ("dom_blue.txt", "dom_green.txt", "dom_orange.txt"),
    "domPot_red.txt": ("domPot_blue.txt", "domPot_green.txt", "domPot_orange.txt"),
}
# Animations in which the creature stands, sits or rests on the ground.
GROUNDED = {
    "flowrian.txt": None,
    "raam.txt": None,
    "negg.txt": None,
    "nest.txt": None,
    "oller.txt": ("idleLeft", "idleRight", "runLeft", "runRight", "sitLeft", "sitRight"),
    "dom_red.txt": ("idleLeft", "idleRight", "idleUpLeft", "idleUpRight", "blink",
                    "shuffleLeft", "shuffleRight", "inPot", "inPotBlink"),
}
# Pictures drawn inside 16x16 thought bubbles (besides the Negg's "idle").
BUBBLE_FILES = ("musicBox.txt", "accordian.txt", "apple.txt", "blueberry.txt", "dom_numbers.txt")
BUBBLE_SIDE = 16


def opaque_pixels(frame):
    """The sprite-local positions of a frame's opaque pixels, as the game draws them."""
    x0, y0 = frame.offset
    width, height = frame.image.size
    alpha = frame.image.getchannel("A").load()
    return {
        (x + x0, y + y0): frame.image.getpixel((x, y))
        for y in range(height)
        for x in range(width)
        if alpha[x, y]
    }


def all_frames(animations):
    return [frame for animation in animations for frame in animation.frames]


class InhabitantSpritesTest(unittest.TestCase):

    def test_pictures_use_only_the_palette(self):
        allowed = {palette.rgba(name) for name in palette.PALETTE}
        for file, animations in DEFINITIONS.items():
            for frame in all_frames(animations):
                stray = set(opaque_pixels(frame).values()) - allowed
                self.assertFalse(stray, f"{file}: colours outside the palette {stray}")

    def test_colour_variants_keep_every_distinction_of_their_base(self):
        for base, variants in VARIANT_GROUPS.items():
            base_frames = all_frames(DEFINITIONS[base])
            for variant in variants:
                variant_frames = all_frames(DEFINITIONS[variant])
                self.assertEqual(len(base_frames), len(variant_frames), variant)
                mapping = {}
                for ours, theirs in zip(base_frames, variant_frames):
                    self.assertEqual(ours.boxes, theirs.boxes, variant)
                    ours_pixels, theirs_pixels = opaque_pixels(ours), opaque_pixels(theirs)
                    self.assertEqual(ours_pixels.keys(), theirs_pixels.keys(), variant)
                    for place, colour in ours_pixels.items():
                        mapping.setdefault(colour, set()).add(theirs_pixels[place])
                self.assertTrue(all(len(each) == 1 for each in mapping.values()), variant)
                targets = [next(iter(each)) for each in mapping.values()]
                self.assertEqual(len(targets), len(set(targets)), f"{variant} merges colours")
                self.assertNotEqual(list(mapping), targets, f"{variant} is not recoloured")

    def test_carriers_hold_the_whole_picture_without_jitter(self):
        catalog = sprites.read_catalog()
        for file, animations in DEFINITIONS.items():
            if not catalog[file].needs_box1:
                continue
            for animation in animations:
                boxes = {frame.boxes[1] for frame in animation.frames}
                self.assertEqual(len(boxes), 1, f"{file} {animation.name}")
                left, top, right, bottom = boxes.pop()
                places = [p for frame in animation.frames for p in opaque_pixels(frame)]
                self.assertEqual(min(x for x, _ in places), left, f"{file} {animation.name}")
                self.assertEqual(min(y for _, y in places), top, f"{file} {animation.name}")
                self.assertEqual(max(x for x, _ in places), right, f"{file} {animation.name}")
                self.assertEqual(max(y for _, y in places), bottom, f"{file} {animation.name}")
        dom = {animation.name: animation for animation in DEFINITIONS["dom_red.txt"]}
        self.assertEqual(dom["carry"].frames[0].boxes[1], dom["carryBlink"].frames[0].boxes[1])
        oller = {animation.name: len(animation.frames) for animation in DEFINITIONS["oller.txt"]}
        longest = max(oller.values())
        self.assertEqual((oller["carryLeft"], oller["carryRight"]), (longest, longest))

    def test_the_dom_sinks_into_the_pot_the_game_lines_it_up_with(self):
        pot = DEFINITIONS["domPot_red.txt"][0].frames[0]
        pot_left, _, pot_right, pot_bottom = pot.boxes[0]
        dom = {animation.name: animation for animation in DEFINITIONS["dom_red.txt"]}
        settled = dom["inPot"].frames + dom["inPotBlink"].frames + dom["potClimb"].frames[-1:]
        for frame in settled:
            dom_width = frame.image.width
            # The game centres the Dom on the pot by the pot's box width, which may be counted
            # with or without its last column; both must give the same place.
            shifts = {
                (pot_right - pot_left + extra) // 2 - dom_width // 2 for extra in (0, 1)
            }
            self.assertEqual(len(shifts), 1)
            dx, dy = shifts.pop(), frame.boxes[0][3] - pot_bottom
            drawn = opaque_pixels(frame)
            for (x, y), colour in opaque_pixels(pot).items():
                self.assertEqual(drawn.get((x - dx, y + dy)), colour, (x, y))

    def test_grounded_creatures_stand_on_the_bottom_of_their_box(self):
        for file, names in GROUNDED.items():
            for animation in DEFINITIONS[file]:
                if names is not None and animation.name not in names:
                    continue
                for number, frame in enumerate(animation.frames):
                    lowest = max(y for _, y in opaque_pixels(frame))
                    self.assertEqual(frame.boxes[0][3], lowest, f"{file} {animation.name} {number}")

    def test_animation_frames_really_differ(self):
        for file, animations in DEFINITIONS.items():
            for animation in animations:
                pictures = [frame.image.tobytes() for frame in animation.frames]
                for number, (one, other) in enumerate(zip(pictures, pictures[1:])):
                    self.assertNotEqual(one, other, f"{file} {animation.name} frame {number + 1}")

    def test_bubble_pictures_fit_a_thought_bubble(self):
        shown = [animation for file in BUBBLE_FILES for animation in DEFINITIONS[file]]
        shown += [animation for animation in DEFINITIONS["negg.txt"] if animation.name == "idle"]
        for frame in all_frames(shown):
            self.assertLessEqual(max(frame.image.size), BUBBLE_SIDE)


if __name__ == "__main__":
    unittest.main()
