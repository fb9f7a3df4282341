"""The minimap images (images/minimapVisited.png, images/minimapUnvisited.png), painted from the
level sources in assets/maps (format: assets/maps/README.md).

The minimap is 40 x 30 cells of 8 x 8 pixels, one cell per 320 x 240 screen of a map, placed at
the map's minimap cell; the picture is the top-left 320 x 240 of a 512 x 256 image. The visited
image shows each map's layout (rock, open space, water) in its tileset's colours; the unvisited
image shows the same cells as fog. Outside the maps both show the same dark gridded panel.
"""
import re

from PIL import Image

import datafiles
import gen_tilesets
import palette

CELL = 8
COLUMNS, ROWS = 40, 30
SCREEN_TILES = (20, 15)
IMAGE = (512, 256)
TILE = 16
# Colours of rock and open space by tileset; water is always "sea".
THEMES = {
    "meadowTiles.png": ("moss", "cloud"),
    "caveTiles.png": ("night", "steel"),
    "shipTiles.png": ("wood", "fog"),
}
PANEL, GRID_LINE, FRAME = "ink", "night", "white"
FOG, FOG_SPECK = "slate", "steel"


def pixels(text):
    """A level source length: pixels, or tiles with "t" ("3t", "3t+4", "3t-4")."""
    match = re.fullmatch(r"(\d+)t([+-]\d+)?", text)
    if match:
        return int(match[1]) * TILE + int(match[2] or 0)
    return int(text)


def cells(row):
    """The cells of a grid row: legend characters, and numbered cells such as "{37}"."""
    return re.findall(r"\{-?\d+\}|.", row)


def empty_characters(legend_path):
    """The grid characters that stand for tile 0 in a legend."""
    return {character for _, character, index, _, _ in gen_tilesets.legend_entries(legend_path)
            if index == 0}


class Level:
    """What the minimap needs of one level source: its size, cell, rock and water."""

    def __init__(self, path, assets):
        lines = path.read_text(encoding="ascii").split("\n")
        self.blocked_rows = []
        self.water = []
        number = 0
        while number < len(lines):
            words = lines[number].split()
            number += 1
            if not words or words[0].startswith("#"):
                continue
            keyword, arguments = words[0], words[1:]
            if keyword == "tileset":
                self.tileset = arguments[0]
                legend = assets / "tilesets" / (arguments[0].rsplit(".", 1)[0] + ".legend")
                self.empty = empty_characters(legend)
            elif keyword == "size":
                self.columns, self.rows = int(arguments[0]), int(arguments[1])
            elif keyword == "minimap":
                self.cell = (int(arguments[0]), int(arguments[1]))
            elif keyword == "water":
                self.water.append([pixels(value) for value in arguments])
            elif keyword == "layer":
                grid = [cells(row) for row in lines[number:number + self.rows]]
                number += self.rows
                if "BLOCK" in arguments[1].split("|"):
                    self.blocked_rows.append(grid)

    def solid(self, cell):
        """True for a cell of a BLOCK layer that holds a tile: numbered tiles above 0 do."""
        if cell.startswith("{"):
            return int(cell[1:-1]) > 0
        return cell not in self.empty

    def screens(self):
        """(column, row) of every screen the map covers."""
        across = -(-self.columns // SCREEN_TILES[0])
        down = -(-self.rows // SCREEN_TILES[1])
        return [(x, y) for y in range(down) for x in range(across)]

    def kind_at(self, column, row):
        """"rock", "water" or "open" for a tile cell."""
        if column >= self.columns or row >= self.rows:
            return "rock"
        if any(self.solid(grid[row][column]) for grid in self.blocked_rows):
            return "rock"
        x, y = column * TILE + TILE // 2, row * TILE + TILE // 2
        for left, top, right, bottom in self.water:
            if left <= x <= right and top <= y <= bottom:
                return "water"
        return "open"


def panel():
    """The dark gridded panel that fills the minimap outside the maps."""
    image = Image.new("RGBA", IMAGE, (0, 0, 0, 0))
    for y in range(ROWS * CELL):
        for x in range(COLUMNS * CELL):
            on_line = x % CELL == CELL - 1 or y % CELL == CELL - 1
            image.putpixel((x, y), palette.rgba(GRID_LINE if on_line else PANEL))
    return image


def paint_cells(image, level, colour_at):
    """Paints every pixel of the level's cells with colour_at(level, screen, x, y) and frames
    the level's outline."""
    screens = level.screens()
    left, top = level.cell[0] * CELL, level.cell[1] * CELL
    width = (max(x for x, _ in screens) + 1) * CELL
    height = (max(y for _, y in screens) + 1) * CELL
    for screen in screens:
        for y in range(CELL):
            for x in range(CELL):
                position = (left + screen[0] * CELL + x, top + screen[1] * CELL + y)
                image.putpixel(position, palette.rgba(colour_at(level, screen, x, y)))
    for x in range(left, left + width):
        for y in (top, top + height - 1):
            image.putpixel((x, y), palette.rgba(FRAME))
    for y in range(top, top + height):
        for x in (left, left + width - 1):
            image.putpixel((x, y), palette.rgba(FRAME))


def layout_colour(level, screen, x, y):
    """The colour of the map's layout under a minimap pixel, sampled at the pixel's centre."""
    column = screen[0] * SCREEN_TILES[0] + (2 * x + 1) * SCREEN_TILES[0] // (2 * CELL)
    row = screen[1] * SCREEN_TILES[1] + (2 * y + 1) * SCREEN_TILES[1] // (2 * CELL)
    rock, open_space = THEMES[level.tileset]
    return {"rock": rock, "water": "sea", "open": open_space}[level.kind_at(column, row)]


def fog_colour(level, screen, x, y):
    return FOG_SPECK if (x * 3 + y * 5 + screen[0]) % 7 == 0 else FOG


def build(assets, out):
    levels = [Level(path, assets) for path in sorted((assets / "maps").rglob("*.map"))]
    for name, colour_at in (("minimapVisited.png", layout_colour),
                            ("minimapUnvisited.png", fog_colour)):
        image = panel()
        for level in levels:
            paint_cells(image, level, colour_at)
        datafiles.write_png(out / "images" / name, image)
