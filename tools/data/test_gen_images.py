"""Checks of the screen, panel, icon and overlay pictures that the game's loader cannot make:
where each picture may be transparent, the palette, the thought bubble's fixed layout, the
halo meeting the game's black rectangles, tiling, and repeatable output.

Run: /usr/bin/python3 -m unittest discover -s tools/data -p "test_*.py"
"""
import pathlib
import sys
import tempfile
import unittest

import numpy as np
from PIL import Image

HERE = pathlib.Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))

import gen_images_icons  # noqa: E402
import gen_images_overlays  # noqa: E402
import gen_images_panels  # noqa: E402
import gen_images_screens  # noqa: E402
import gen_images_title  # noqa: E402
import palette  # noqa: E402
import screenart  # noqa: E402

ASSETS = HERE.parents[1] / "assets"
GENERATORS = (gen_images_icons, gen_images_overlays, gen_images_panels, gen_images_screens,
              gen_images_title)
OPAQUE_SCREENS = ("logoScreen", "titleBackground", "optionsBackground", "secretsBackground",
                  "loadGameBackground", "inGameMenuBG", "loadExitBackground",
                  "loadSelectedBackground")
SEE_THROUGH_SCREENS = ("logoText", "titleForeground", "loadGameForeground")


def build_into(directory):
    for generator in GENERATORS:
        generator.build(ASSETS, pathlib.Path(directory))
    return pathlib.Path(directory) / "images"


def alpha(pixels):
    return pixels[..., 3]


class ImagesTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.directory = tempfile.TemporaryDirectory()
        cls.images = build_into(cls.directory.name)
        cls.pixels = {path.stem: np.array(Image.open(path)) for path in cls.images.glob("*.png")}

    @classmethod
    def tearDownClass(cls):
        cls.directory.cleanup()

    def test_full_screen_pictures_fill_only_the_screen_corner_of_their_texture(self):
        for name in OPAQUE_SCREENS + SEE_THROUGH_SCREENS:
            pixels = self.pixels[name]
            self.assertEqual(pixels.shape[:2], (256, 512), name)
            outside = alpha(pixels).copy()
            outside[:240, :320] = 0
            self.assertFalse(outside.any(), f"{name} shows outside 320x240")
        for name in OPAQUE_SCREENS:
            self.assertTrue((alpha(self.pixels[name])[:240, :320] == 255).all(), name)
        self.assertFalse(alpha(self.pixels["titleForeground"])[:40].any(), "sky must show")
        self.assertFalse(alpha(self.pixels["loadGameForeground"])[60:230, 28:283].any(),
                         "the frame must leave the save browser uncovered")
        self.assertFalse(alpha(self.pixels["logoText"])[:120].any(), "wordmark only")

    def test_loading_pictures_are_opaque_so_the_front_hides_the_back(self):
        for name in ("loadingBack", "loadingFront"):
            self.assertTrue((alpha(self.pixels[name])[:240, :180] == 255).all(), name)
        self.assertFalse((self.pixels["loadingBack"] == self.pixels["loadingFront"]).all())

    def test_every_colour_comes_from_the_palette(self):
        allowed = {tuple(colour) for colour in palette.PALETTE.values()}
        for name, pixels in self.pixels.items():
            if name == "darknessHalo":
                continue
            used = {tuple(colour) for colour in pixels[alpha(pixels) > 0][:, :3].tolist()}
            self.assertEqual(used - allowed, set(), name)

    def test_halo_is_clear_in_the_middle_and_fully_dark_where_the_game_fills_black(self):
        halo = self.pixels["darknessHalo"]
        self.assertEqual(halo.shape, (128, 128, 4))
        self.assertFalse(halo[..., :3].any())
        self.assertFalse(alpha(halo)[48:80, 48:80].any())
        for edge in (alpha(halo)[0], alpha(halo)[-1], alpha(halo)[:, 0], alpha(halo)[:, -1]):
            self.assertTrue((edge == 255).all())

    def test_water_is_translucent_everywhere(self):
        water = alpha(self.pixels["waterOverlay"])
        self.assertTrue(((water > 0) & (water < 255)).all())

    def test_icons_have_the_sizes_the_panel_spaces_them_for(self):
        for name in ("mapIcon", "doubleJumpIcon", "wallJumpIcon", "powerFistIcon",
                     "highJumpIcon", "gravMagnetIcon", "boosterIcon"):
            self.assertEqual(self.pixels[name].shape[:2], (32, 32), name)
        for race in ("Flowrian", "Negg", "Oller", "Dom", "Raam", "Vonil"):
            self.assertEqual(self.pixels[f"raceIcon{race}"].shape[:2], (16, 16), race)
        self.assertEqual(self.pixels["browserArrowDown"].shape[:2], (8, 16))

    def test_thought_bubble_layout_check_catches_strays_and_seams(self):
        good = Image.fromarray(self.pixels["thoughtBubble"], "RGBA")
        gen_images_overlays.check_thought_bubble(good)
        stray = good.copy()
        stray.putpixel((12, 3), palette.rgba("ink"))
        seam = good.copy()
        seam.putpixel((5, 1), palette.rgba("cloud"))
        for broken in (stray, seam, good.crop((0, 0, 16, 15))):
            with self.assertRaises(ValueError):
                gen_images_overlays.check_thought_bubble(broken)

    def test_pictures_pasted_across_a_corner_wrap_to_every_side(self):
        layer = screenart.blank((20, 10))
        piece = Image.new("RGBA", (4, 4), palette.rgba("white"))
        gen_images_title.paste_wrapped(layer, piece, (18, 8))
        covered = alpha(np.array(layer)) > 0
        self.assertEqual(covered.sum(), 16)
        for y, x in ((8, 18), (8, 0), (0, 18), (0, 0), (1, 1), (9, 19)):
            self.assertTrue(covered[y, x], (x, y))


if __name__ == "__main__":
    unittest.main()
