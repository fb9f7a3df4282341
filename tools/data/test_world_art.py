"""Checks of the world's pictures that the game's loader cannot make: tiles the player walks on
have the shapes the movement allows, every legend entry is drawn, backgrounds that scroll repeat
without seams where the levels scroll them, the minimap images follow the level sources, and the
output is repeatable.

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

import gen_backdrops  # noqa: E402
import gen_minimap  # noqa: E402
import gen_tilesets  # noqa: E402
import palette  # noqa: E402

ASSETS = HERE.parents[1] / "assets"
GENERATORS = (gen_backdrops, gen_minimap, gen_tilesets)


def build_into(directory):
    for generator in GENERATORS:
        generator.build(ASSETS, pathlib.Path(directory))
    return pathlib.Path(directory)


def tile_pixels(tileset, index):
    """One 16 x 16 tile as rows of RGBA pixels."""
    left, top = (index % 16) * 16, (index // 16) * 16
    return np.asarray(tileset.crop((left, top, left + 16, top + 16)))


def tile_alpha(tileset, index):
    return tile_pixels(tileset, index)[:, :, 3]


def solid_height(alpha, column):
    """How many pixels of the column are solid, counted from the bottom, with no gaps."""
    rows = np.nonzero(alpha[:, column])[0]
    if len(rows) == 0:
        return 0
    if rows[-1] != 15 or len(rows) != 16 - rows[0]:
        raise AssertionError(f"column {column} has a gap in its solid pixels")
    return 16 - rows[0]


class WorldArtTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.scratch = tempfile.TemporaryDirectory()
        cls.out = build_into(cls.scratch.name)
        cls.legends = {path.stem: gen_tilesets.legend_entries(path)
                       for path in sorted((ASSETS / "tilesets").glob("*.legend"))}

    @classmethod
    def tearDownClass(cls):
        cls.scratch.cleanup()

    def tileset(self, name):
        return Image.open(self.out / "tilesets" / f"{name}.png").convert("RGBA")

    def test_every_legend_entry_is_drawn_in_palette_colours_and_tile_zero_is_empty(self):
        colours = {tuple(rgb) for rgb in palette.PALETTE.values()}
        for name, entries in self.legends.items():
            tileset = self.tileset(name)
            self.assertEqual(tileset.size, (256, 128), name)
            pixels = np.asarray(tileset).reshape(-1, 4)
            used = {tuple(p[:3]) for p in pixels if p[3] > 0}
            self.assertLessEqual(used, colours, f"{name} uses colours outside the palette")
            self.assertFalse(tile_alpha(tileset, 0).any(), f"{name}: tile 0 must stay empty")
            for kind, character, index, painter, _ in entries:
                variants = range(16) if kind == "auto" else [0]
                pictures = {tile_pixels(tileset, index + v).tobytes() for v in variants}
                if painter != "empty":
                    self.assertTrue(all(tile_alpha(tileset, index + v).any() for v in variants),
                                    f"{name}: '{character}' ({painter}) draws nothing")
                self.assertEqual(len(pictures), len(variants),
                                 f"{name}: '{character}' has identical edge variants")

    def test_walkable_shapes_rise_at_most_eight_pixels_and_tops_are_flat(self):
        for name, entries in self.legends.items():
            tileset = self.tileset(name)
            shapes = {(painter, tuple(arguments[:2])): index
                      for _, _, index, painter, arguments in entries}
            for direction in ("rise", "fall"):
                low, high = (tile_alpha(tileset, shapes[("slope", (direction, part))])
                             for part in ("low", "high"))
                low_heights = [solid_height(low, c) for c in range(16)]
                high_heights = [solid_height(high, c) for c in range(16)]
                self.assertLessEqual(max(low_heights), 8, f"{name} {direction} low part")
                # Left to right between open ground and a full block, each tile's columns in order.
                if direction == "rise":
                    heights = [0] + low_heights + high_heights + [16]
                else:
                    heights = [16] + high_heights + low_heights + [0]
                steps = [abs(a - b) for a, b in zip(heights, heights[1:])]
                self.assertLessEqual(max(steps), 8, f"{name} {direction} slope")
            for _, character, index, painter, _ in entries:
                if painter == "step":
                    alpha = tile_alpha(tileset, index)
                    self.assertEqual({solid_height(alpha, c) for c in range(16)}, {8},
                                     f"{name}: step '{character}'")
                if painter == "ground":
                    open_top = tile_alpha(tileset, index + 0b1110)
                    self.assertTrue(open_top[0, 1:15].all() and open_top[1:].all(),
                                    f"{name}: ground '{character}' must be flat and solid")

    def test_backgrounds_repeat_seamlessly_along_the_axes_the_levels_scroll_them(self):
        checked = 0
        for level in sorted((ASSETS / "maps").rglob("*.map")):
            for line in level.read_text(encoding="ascii").splitlines():
                words = line.split()
                if not words or words[0] != "background":
                    continue
                image, x_divisor, y_divisor, left, top, right, bottom = words[1:]
                picture = np.asarray(Image.open(self.out / "backgrounds" / image)
                                     .convert("RGBA"))[int(top):int(bottom), int(left):int(right)]
                if x_divisor == "0" and y_divisor == "0":
                    self.assertTrue((picture[:, :, 3] == 255).all(), f"{image} is fixed: opaque")
                if x_divisor != "0":
                    self.assert_seamless(picture, image)
                if y_divisor != "0":
                    self.assert_seamless(np.transpose(picture, (1, 0, 2)), image + " (vertically)")
                checked += 1
        self.assertGreaterEqual(checked, 10)

    def assert_seamless(self, picture, name):
        """The last column continues into the first as smoothly as neighbouring columns do."""
        def difference(a, b):
            return np.count_nonzero((a != b).any(axis=1))
        inside = max(difference(picture[:, x], picture[:, x + 1])
                     for x in range(picture.shape[1] - 1))
        self.assertLessEqual(difference(picture[:, -1], picture[:, 0]), inside, name)

    def test_minimap_images_show_each_level_where_its_source_places_it(self):
        visited = np.asarray(Image.open(self.out / "images" / "minimapVisited.png"))
        unvisited = np.asarray(Image.open(self.out / "images" / "minimapUnvisited.png"))
        self.assertEqual(visited.shape, (256, 512, 4))
        self.assertFalse(visited[240:].any() or visited[:, 320:].any(), "outside the picture")
        covered = np.zeros((30, 40), dtype=bool)
        levels = [gen_minimap.Level(path, ASSETS) for path in (ASSETS / "maps").rglob("*.map")]
        for level in levels:
            for x, y in level.screens():
                column, row = level.cell[0] + x, level.cell[1] + y
                self.assertFalse(covered[row, column], f"cell {column},{row} painted twice")
                covered[row, column] = True
        for row in range(30):
            for column in range(40):
                cell = np.s_[row * 8:row * 8 + 8, column * 8:column * 8 + 8]
                same = (visited[cell] == unvisited[cell]).all()
                self.assertEqual(same, not covered[row, column], f"cell {column},{row}")
        sea = np.array(palette.rgba("sea"))
        self.assertTrue((visited[:240, :320] == sea).all(axis=2).any(), "the water areas show")


class MinimapSourceTest(unittest.TestCase):
    def test_a_numbered_cell_is_one_column_and_solid_when_it_holds_a_tile(self):
        source = ("tileset meadowTiles.png\nmusic song.ogg\nsize 5 1\nminimap 1 1\n"
                  "layer ground BLOCK\n{37}.{0}#{-1}\n")
        with tempfile.TemporaryDirectory() as scratch:
            path = pathlib.Path(scratch) / "numbered.map"
            path.write_text(source, encoding="ascii")
            level = gen_minimap.Level(path, ASSETS)
        self.assertEqual([level.kind_at(column, 0) for column in range(5)],
                         ["rock", "open", "open", "rock", "open"])


if __name__ == "__main__":
    unittest.main()
