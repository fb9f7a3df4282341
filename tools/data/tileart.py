"""Drawing code for the 16 x 16 map tiles. Each painter named in a tileset legend
(assets/tilesets/*.legend) is a function here that returns one tile; automatic painters get the
neighbour mask the map compiler adds to their first tile (north 1, east 2, south 4, west 8), so
they draw edges only on open sides.

Everything solid in a BLOCK layer is every pixel with alpha above 0, so walkable tops are flat
and slopes rise by at most 8 pixels per tile.
"""
import math

from PIL import Image

import palette

SIZE = 16
NORTH, EAST, SOUTH, WEST = 1, 2, 4, 8


class Tile:
    """A 16 x 16 RGBA picture drawn with palette names."""

    def __init__(self):
        self.image = Image.new("RGBA", (SIZE, SIZE), (0, 0, 0, 0))
        self._pixels = self.image.load()

    def put(self, x, y, name, alpha=255):
        if 0 <= x < SIZE and 0 <= y < SIZE:
            self._pixels[x, y] = palette.rgba(name, alpha)

    def clear(self, x, y):
        if 0 <= x < SIZE and 0 <= y < SIZE:
            self._pixels[x, y] = (0, 0, 0, 0)

    def filled(self, x, y):
        return 0 <= x < SIZE and 0 <= y < SIZE and self._pixels[x, y][3] > 0

    def rect(self, left, top, right, bottom, name, alpha=255):
        """Fills the rectangle, edges included."""
        for y in range(top, bottom + 1):
            for x in range(left, right + 1):
                self.put(x, y, name, alpha)

    def points(self, name, coordinates):
        for x, y in coordinates:
            self.put(x, y, name)

    def grid(self, rows, legend, left=0, top=0):
        """Draws a small text grid; characters missing from the legend stay untouched."""
        for y, row in enumerate(rows):
            for x, character in enumerate(row):
                if character in legend:
                    self.put(left + x, top + y, legend[character])

    def outline(self, name="ink"):
        """Outlines the drawn pixels inside the tile on their transparent neighbours."""
        edge = [
            (x, y)
            for y in range(SIZE)
            for x in range(SIZE)
            if not self.filled(x, y)
            and any(self.filled(x + dx, y + dy) for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
        ]
        self.points(name, edge)


def noise(x, y, seed=0):
    """A repeatable pseudo-random number 0..255 for a pixel."""
    value = (x * 374761393 + y * 668265263 + seed * 2147483647) & 0xFFFFFFFF
    value = ((value ^ (value >> 13)) * 1274126177) & 0xFFFFFFFF
    return (value ^ (value >> 16)) & 0xFF


# Solid materials: body texture and the colours of their edges.
# top: the lit rim of an open top, from the surface down; side and bottom: the shade inside an
# outlined open side.
MATERIALS = {
    "turf": {"top": ["lime", "grass", "grass", "leaf"], "drip": "leaf", "shade": "bark"},
    "snow": {"top": ["white", "white", "cloud", "cloud", "fog"], "drip": "cloud", "shade": "bark"},
    "stone": {"top": ["cloud", "fog"], "drip": None, "shade": "slate"},
    "rock": {"top": ["fog", "steel"], "drip": "moss", "shade": "night"},
    "crystal": {"top": ["rose", "violet"], "drip": None, "shade": "night"},
    "deck": {"top": ["sand", "clay", "bark"], "drip": None, "shade": "bark"},
    "iron": {"top": ["cloud", "fog"], "drip": "clay", "shade": "slate"},
}


def body_colour(material, x, y):
    """The material's inside at a tile pixel; the patterns repeat every tile."""
    n = noise(x, y, len(material))
    if material in ("turf", "snow"):
        if n < 18:
            return "bark"
        if n < 36:
            return "clay"
        if n > 250 and 3 < x < 13:
            return "steel"
        return "wood"
    if material == "stone":
        row_top = 0 if y < 8 else 8
        joint = 5 if y < 8 else 12
        if y in (7, 15) or x == joint:
            return "slate"
        if y == row_top or x == joint + 1:
            return "fog"
        return "steel" if n > 30 else "fog"
    if material == "rock":
        if (x + 2 * y) % 11 == 0 and n < 160:
            return "night"
        return "steel" if n > 232 else "slate"
    if material == "crystal":
        facet = (x + y) % 8
        if facet == 0:
            return "violet"
        if facet == 1 and n > 128:
            return "rose"
        return "plum" if n > 40 else "violet"
    if material == "deck":
        if y % 4 == 3:
            return "bark"
        if y % 4 == 0:
            return "clay"
        if x == (5 if (y // 4) % 2 else 11):
            return "bark"
        return "wood"
    if material == "iron":
        if (x, y % 8) in ((3, 3), (12, 3)):
            return "fog"
        if (x, y % 8) in ((3, 4), (12, 4)):
            return "ink"
        if y % 8 == 7:
            return "slate"
        if n < 12:
            return "clay"
        return "steel"
    raise ValueError(f"unknown material {material}")


def _open_sides(mask):
    return {side: not mask & side for side in (NORTH, EAST, SOUTH, WEST)}


def _round_corners(tile, open_sides):
    for (vertical, horizontal, x, y) in (
        (NORTH, WEST, 0, 0),
        (NORTH, EAST, 15, 0),
        (SOUTH, WEST, 0, 15),
        (SOUTH, EAST, 15, 15),
    ):
        if open_sides[vertical] and open_sides[horizontal]:
            tile.clear(x, y)


def ground(material, mask):
    """A solid block of the material with rims and outlines on its open sides."""
    tile = Tile()
    style = MATERIALS[material]
    for y in range(SIZE):
        for x in range(SIZE):
            tile.put(x, y, body_colour(material, x, y))
    open_sides = _open_sides(mask)
    if open_sides[SOUTH]:
        tile.rect(0, 14, 15, 14, style["shade"])
        tile.rect(0, 15, 15, 15, "ink")
    if open_sides[WEST]:
        tile.rect(1, 0, 1, 15, style["shade"])
        tile.rect(0, 0, 0, 15, "ink")
    if open_sides[EAST]:
        tile.rect(14, 0, 14, 15, style["shade"])
        tile.rect(15, 0, 15, 15, "ink")
    if open_sides[NORTH]:
        _draw_top_rim(tile, style, lambda x: 0)
    _round_corners(tile, open_sides)
    return tile


def _draw_top_rim(tile, style, surface):
    """Paints the rim colours down from the surface row of each column, with drips below."""
    for x in range(SIZE):
        top = surface(x)
        for depth, name in enumerate(style["top"]):
            tile.put(x, top + depth, name)
        if style["drip"] and noise(x, 7, 3) < 90:
            tile.put(x, top + len(style["top"]), style["drip"])


def slope(direction, part, material):
    """A slope rising to the right ("rise") or falling ("fall"); the low part climbs from 1 to 8
    pixels high, the high part from 9 to 16, so every step is walkable."""
    base = 0 if part == "low" else 8

    def height(x):
        column = x if direction == "rise" else SIZE - 1 - x
        return base + (column + 2) // 2

    tile = Tile()
    for x in range(SIZE):
        for y in range(SIZE - height(x), SIZE):
            tile.put(x, y, body_colour(material, x, y))
    _draw_top_rim(tile, MATERIALS[material], lambda x: SIZE - height(x))
    return tile


def step(material):
    """The lower half of a block: an 8-pixel step."""
    tile = Tile()
    for y in range(8, SIZE):
        for x in range(SIZE):
            tile.put(x, y, body_colour(material, x, y))
    _draw_top_rim(tile, MATERIALS[material], lambda x: 8)
    tile.rect(0, 15, 15, 15, "ink")
    return tile


def plank(material):
    """A thin board to stand on; only its five top rows are solid."""
    tile = Tile()
    tile.rect(0, 0, 15, 0, "clay")
    tile.rect(0, 1, 15, 3, material)
    tile.rect(0, 4, 15, 4, "ink")
    tile.points("bark", [(4, 2), (11, 2)])
    tile.points("sand", [(2, 1), (9, 1)])
    return tile


WALLS = {
    "earth": ("bark", "wood", "ink"),
    "cave": ("night", "slate", "ink"),
    "cabin": ("bark", "wood", "ink"),
}


def wall(material, mask):
    """A dark backdrop wall, drawn behind the player and never solid."""
    dark, light, line = WALLS[material]
    tile = Tile()
    for y in range(SIZE):
        for x in range(SIZE):
            if material == "cabin":
                name = dark if x % 8 in (0, 7) else light
                name = line if (x % 8 == 0 and y % 16 == 5) else name
            else:
                name = light if noise(x, y, 11) > 225 else dark
            tile.put(x, y, name)
    open_sides = _open_sides(mask)
    for side, (left, top, right, bottom) in (
        (NORTH, (0, 0, 15, 0)),
        (SOUTH, (0, 15, 15, 15)),
        (WEST, (0, 0, 0, 15)),
        (EAST, (15, 0, 15, 15)),
    ):
        if open_sides[side]:
            tile.rect(left, top, right, bottom, line)
    _round_corners(tile, open_sides)
    return tile


def _scalloped(tile, open_sides, depth_of):
    """Cuts a bumpy edge into open sides, depth_of(i) pixels deep at position i."""
    for i in range(SIZE):
        depth = depth_of(i)
        for d in range(depth):
            if open_sides[NORTH]:
                tile.clear(i, d)
            if open_sides[SOUTH]:
                tile.clear(i, SIZE - 1 - d)
            if open_sides[WEST]:
                tile.clear(d, i)
            if open_sides[EAST]:
                tile.clear(SIZE - 1 - d, i)


def _edged_texture(mask, colour_at, profile, outline=None, alpha=255):
    """A texture filling the tile with a bumpy edge cut into its open sides: profile gives the
    depth of the cut along each eight pixels."""
    tile = Tile()
    for y in range(SIZE):
        for x in range(SIZE):
            tile.put(x, y, colour_at(x, y), alpha)
    _scalloped(tile, _open_sides(mask), lambda i: profile[i % 8])
    if outline:
        tile.outline(outline)
    return tile


def _leaf_colour(x, y):
    n = noise(x, y, 21)
    if n > 248:
        return "lime"
    if (x * 3 + y * 5) % 9 < 2 and n > 80:
        return "grass"
    if (x * 3 + y * 5) % 9 > 7 or n < 24:
        return "moss"
    return "leaf"


def foliage(mask):
    """Leafy canopy in front of the player, with bumpy edges where it ends."""
    return _edged_texture(mask, _leaf_colour, (0, 1, 2, 2, 1, 0, 0, 1), "moss")


def overhang(mask):
    """Dark rock hanging in front of the player, hiding what lies behind it."""
    return _edged_texture(mask, lambda x, y: "night" if noise(x, y, 31) > 40 else "ink",
                          (0, 1, 1, 2, 3, 2, 1, 0), "slate")


def sail(mask):
    """Torn, pale sail cloth hanging in front of the player."""
    return _edged_texture(
        mask, lambda x, y: "fog" if y == 8 or (x + y // 3) % 7 == 0 else "cloud",
        (0, 2, 1, 0, 3, 1, 0, 1), alpha=200)


def tuft(kind):
    colours = {"grass": ("leaf", "grass", "lime"), "moss": ("moss", "leaf", "grass"),
               "weed": ("moss", "leaf", "sea")}[kind]
    tile = Tile()
    blades = ((3, 5, -1), (5, 8, 0), (7, 4, 1), (9, 7, 0), (11, 5, 1), (12, 3, -1))
    for index, (x, height, lean) in enumerate(blades):
        for h in range(height):
            tile.put(x + (lean if h > height // 2 else 0), 15 - h, colours[index % 3])
    return tile


def sprouts(kind):
    colours = {"grass": ("grass", "lime"), "moss": ("leaf", "grass")}[kind]
    tile = Tile()
    for x in (2, 7, 12):
        tile.points(colours[0], [(x, 15), (x, 14), (x - 1, 13), (x + 1, 13)])
        tile.put(x, 12, colours[1])
    return tile


def flower(colour):
    centre = "orange" if colour == "lemon" else "lemon"
    tile = Tile()
    tile.rect(7, 8, 7, 15, "leaf")
    tile.points("grass", [(6, 12), (5, 11), (8, 13), (9, 12)])
    tile.points(colour, [(7, 4), (6, 5), (8, 5), (7, 6), (6, 6), (8, 6), (6, 4), (8, 4)])
    tile.put(7, 5, centre)
    tile.outline()
    return tile


def pebbles(material):
    light, dark = ("fog", "steel") if material == "stone" else ("steel", "slate")
    tile = Tile()
    tile.grid(["..ll......", ".lldd.....", ".ldddd..ld", "..dddd.ldd"],
              {"l": light, "d": dark}, left=3, top=12)
    tile.outline()
    return tile


def boulder(material):
    shades = {"stone": ("cloud", "fog", "steel"), "rock": ("fog", "steel", "slate")}
    light, mid, dark = shades[material]
    tile = Tile()
    for y in range(6, SIZE):
        for x in range(2, 14):
            if (x - 7.5) ** 2 / 36 + (y - 14) ** 2 / 64 <= 1:
                shade = light if (x < 7 and y < 10) else (dark if x > 10 or y > 13 else mid)
                tile.put(x, y, shade)
    tile.outline()
    return tile


def mushroom(colour):
    tile = Tile()
    tile.rect(6, 10, 9, 15, "cloud")
    tile.rect(6, 10, 6, 15, "fog")
    tile.grid(["..cccc..", ".cwccwc.", "cccccwcc", "cwcccccc"],
              {"c": "red" if colour == "red" else "sky", "w": "white"}, left=4, top=6)
    tile.outline()
    return tile


def fence(material):
    tile = Tile()
    for x in (2, 12):
        tile.rect(x, 4, x + 1, 15, material)
        tile.put(x, 4, "clay")
    tile.rect(0, 6, 15, 7, material)
    tile.rect(0, 11, 15, 12, material)
    tile.rect(0, 6, 15, 6, "clay")
    tile.outline()
    return tile


def trunk(material):
    tile = Tile()
    for y in range(SIZE):
        for x in range(4, 12):
            tile.put(x, y, "wood" if (x + (y // 3)) % 4 else material)
        tile.put(4, y, "ink")
        tile.put(11, y, "ink")
        tile.put(5, y, "clay")
    return tile


def roots(material):
    tile = trunk(material)
    tile.points("wood", [(3, 13), (2, 14), (1, 15), (12, 13), (13, 14), (14, 15), (3, 14),
                         (2, 15), (12, 14), (13, 15), (3, 15), (12, 15)])
    tile.outline()
    return tile


def bush(side):
    tile = Tile()
    centre = 15 if side == "left" else 0
    for y in range(4, SIZE):
        for x in range(SIZE):
            if (x - centre) ** 2 + (y - 15) ** 2 * 1.6 <= 150:
                n = noise(x, y, 41)
                tile.put(x, y, "grass" if n > 200 else ("moss" if n < 50 else "leaf"))
    tile.points("red", [(centre + (-6 if side == "left" else 6), 9),
                        (centre + (-10 if side == "left" else 10), 12)])
    tile.outline()
    return tile


def signpost(material):
    tile = Tile()
    tile.rect(7, 8, 8, 15, material)
    tile.grid(["cccccccccc.", "cwwwwwwwwcc", "cwwwwwwwwwc", "cccccccccc."],
              {"c": "clay", "w": "sand"}, left=2, top=3)
    tile.points("bark", [(4, 5), (5, 5), (6, 5), (7, 5), (8, 5), (9, 5)])
    tile.outline()
    return tile


def pine(part):
    tile = Tile()
    if part == "top":
        rows = range(2, SIZE)
        width = lambda y: (y - 1) // 2
    else:
        rows = range(0, SIZE)
        width = lambda y: 4 + (y % 8) // 2
    for y in rows:
        half = width(y)
        for x in range(8 - half, 8 + half):
            tile.put(x, y, "moss" if (x + y) % 5 else "leaf")
        tile.put(8 - half, y, "white")
        if y % 8 in (0, 1):
            for x in range(8 - half, 8 + half):
                tile.put(x, y, "cloud" if x % 2 else "white")
    if part == "body":
        tile.rect(7, 13, 8, 15, "wood")
    tile.outline()
    return tile


def snowdrift():
    tile = Tile()
    for x in range(SIZE):
        height = 3 + round(2 * math.sin(x / 2.5))
        for y in range(SIZE - height, SIZE):
            tile.put(x, y, "white" if y < SIZE - height + 2 else "cloud")
    return tile


def vines(colour):
    tile = Tile()
    for x, length in ((3, 14), (8, 9), (12, 16)):
        for y in range(length):
            tile.put(x + (1 if (y // 4) % 2 else 0), y, "moss")
            if y % 4 == 2:
                tile.put(x + 2, y, colour)
                tile.put(x - 1, y + 1, "grass")
    return tile


def blades(kind):
    tile = Tile()
    for x, height in ((1, 5), (4, 7), (6, 4), (9, 6), (12, 5), (14, 7)):
        for h in range(height):
            tile.put(x + (1 if h > 3 else 0), 15 - h, "lime" if h == height - 1 else kind)
    return tile


def icicles():
    tile = Tile()
    for x, length in ((2, 6), (6, 10), (9, 4), (13, 8)):
        for y in range(length):
            tile.put(x, y, "white" if y < length - 2 else "sky")
            if y < length // 2:
                tile.put(x + 1, y, "cloud")
    return tile


def fern():
    tile = Tile()
    for i in range(7):
        tile.put(7 - i, 15 - i, "leaf")
        tile.put(8 + i, 15 - i, "leaf")
        tile.put(7 - i, 14 - i, "grass")
        tile.put(8 + i, 14 - i, "grass")
    tile.rect(7, 6, 8, 15, "moss")
    return tile


def crystal(colour):
    light = {"violet": "rose", "sea": "sky"}[colour]
    dark = {"violet": "plum", "sea": "deep"}[colour]
    tile = Tile()
    for left, top, width in ((3, 6, 3), (6, 2, 4), (10, 8, 3)):
        for y in range(top, SIZE):
            for x in range(left, left + width):
                tile.put(x, y, light if x == left else (dark if x == left + width - 1 else colour))
        tile.put(left + width // 2, top - 1, light)
    tile.outline()
    return tile


def stalagmite():
    tile = Tile()
    for y in range(2, SIZE):
        half = (y - 1) // 3 + 1
        for x in range(8 - half, 8 + half):
            tile.put(x, y, "fog" if x == 8 - half else ("night" if x == 7 + half else "steel"))
    tile.outline()
    return tile


def _transformed(tile, method, offset=(0, 0)):
    """A new tile holding the picture flipped or turned by a PIL transpose method."""
    result = Tile()
    result.image.paste(tile.image.transpose(method), offset)
    return result


def stalactite():
    return _transformed(stalagmite(), Image.Transpose.FLIP_TOP_BOTTOM)


def timber(material, shape):
    """A mine timber: an upright post, or (turned) a beam along the top of the tile."""
    tile = Tile()
    tile.rect(5, 0, 10, 15, material)
    tile.rect(5, 0, 5, 15, "clay")
    tile.rect(10, 0, 10, 15, "bark")
    tile.points("bark", [(7, 3), (8, 9), (7, 13)])
    if shape == "beam":
        return _transformed(tile, Image.Transpose.TRANSPOSE, (0, -5))
    return tile


def lamp():
    tile = Tile()
    tile.rect(7, 0, 8, 4, "steel")
    tile.grid([".ssss.", "sllLls", "slLLls", "sllLls", ".ssss."],
              {"s": "slate", "l": "gold", "L": "lemon"}, left=5, top=5)
    tile.outline()
    return tile


def tendrils():
    tile = Tile()
    for x, length in ((2, 11), (5, 15), (9, 8), (13, 13)):
        for y in range(length):
            tile.put(x + ((y // 5) % 2), y, "bark" if y % 3 else "wood")
    return tile


def barnacles():
    tile = Tile()
    for x, y in ((2, 13), (7, 14), (11, 12), (13, 14)):
        tile.grid([".f.", "fsf"], {"f": "fog", "s": "slate"}, left=x, top=y)
    return tile


def lantern():
    tile = Tile()
    tile.rect(7, 0, 8, 2, "ink")
    tile.grid([".bbbb.", "bLllLb", "blLLlb", "blLLlb", "bLllLb", ".bbbb."],
              {"b": "bark", "l": "gold", "L": "lemon"}, left=5, top=3)
    tile.outline()
    return tile


def _round(colour_at):
    """A tile drawn around its centre: colour_at(x, y, distance) gives a colour or None."""
    tile = Tile()
    for y in range(SIZE):
        for x in range(SIZE):
            colour = colour_at(x, y, math.hypot(x - 7.5, y - 7.5))
            if colour:
                tile.put(x, y, colour)
    return tile


def _porthole_colour(x, y, distance):
    if distance > 6.5:
        return None
    return "fog" if distance > 4.5 else ("sea" if x + y < 13 else "deep")


def porthole():
    tile = _round(_porthole_colour)
    tile.points("white", [(5, 5), (6, 5), (5, 6)])
    tile.outline()
    return tile


def barrel():
    tile = Tile()
    for y in range(2, SIZE):
        bulge = 1 if 5 <= y <= 12 else 0
        for x in range(3 - bulge, 13 + bulge):
            tile.put(x, y, "clay" if x < 6 else "wood")
    for y in (4, 12):
        tile.rect(2, y, 13, y, "steel")
    tile.outline()
    return tile


def cargo():
    tile = Tile()
    tile.rect(1, 3, 14, 15, "clay")
    tile.rect(1, 3, 14, 3, "sand")
    tile.rect(1, 9, 14, 9, "wood")
    for i in range(12):
        tile.put(2 + i, 4 + i, "wood")
    tile.outline()
    return tile


def coil():
    tile = Tile()
    for y in range(8, SIZE):
        for x in range(1, 15):
            if (x - 7.5) ** 2 / 42 + (y - 12) ** 2 / 14 <= 1:
                tile.put(x, y, "sand" if (x + y) % 3 else "clay")
    tile.outline()
    return tile


def railing():
    tile = Tile()
    tile.rect(0, 2, 15, 3, "wood")
    tile.rect(0, 2, 15, 2, "clay")
    for x in (1, 7, 13):
        tile.rect(x, 4, x + 1, 15, "wood")
    tile.rect(0, 15, 15, 15, "bark")
    return tile


def mast():
    tile = Tile()
    tile.rect(5, 0, 10, 15, "wood")
    tile.rect(5, 0, 6, 15, "clay")
    tile.rect(10, 0, 10, 15, "bark")
    tile.rect(5, 11, 10, 12, "steel")
    return tile


def anchor():
    tile = Tile()
    tile.grid([
        "....sss....",
        "....s.s....",
        "....sss....",
        "..sssssss..",
        ".....s.....",
        ".....s.....",
        ".....s.....",
        "s....s....s",
        "ss...s...ss",
        ".ss..s..ss.",
        "..sssssss..",
    ], {"s": "steel"}, left=2, top=3)
    tile.outline()
    return tile


def _wheel_colour(x, y, distance):
    dx, dy = abs(x - 7.5), abs(y - 7.5)
    on_spoke = dx < 1 or dy < 1 or abs(dx - dy) < 0.8
    if 4.5 <= distance <= 6 or (distance < 7.5 and on_spoke):
        return "wood" if distance < 7 else "clay"
    return None


def wheel():
    tile = _round(_wheel_colour)
    tile.outline()
    return tile


def chain():
    tile = Tile()
    for top in (0, 8):
        tile.grid([".ss.", "s..s", "s..s", ".ss."], {"s": "steel"}, left=6, top=top)
        tile.rect(7, top + 4, 8, top + 7, "fog")
    return tile


def rope():
    tile = Tile()
    for y in range(SIZE):
        tile.put(7 + (y // 4) % 2, y, "sand" if y % 2 else "clay")
    return tile


def net():
    tile = Tile()
    for y in range(SIZE):
        for x in range(SIZE):
            if (x + y) % 5 == 0 or (x - y) % 5 == 0:
                tile.put(x, y, "sand", 220)
    return tile


def empty():
    return Tile()


# The painters by the names the legends use.
PAINTERS = {
    "empty": empty,
    "slope": slope,
    "step": step,
    "plank": plank,
    "ground": ground,
    "wall": wall,
    "foliage": foliage,
    "overhang": overhang,
    "sail": sail,
    "tuft": tuft,
    "sprouts": sprouts,
    "flower": flower,
    "pebbles": pebbles,
    "boulder": boulder,
    "mushroom": mushroom,
    "fence": fence,
    "trunk": trunk,
    "roots": roots,
    "tendrils": tendrils,
    "bush": bush,
    "signpost": signpost,
    "pine": pine,
    "snowdrift": snowdrift,
    "vines": vines,
    "blades": blades,
    "icicles": icicles,
    "fern": fern,
    "crystal": crystal,
    "stalagmite": stalagmite,
    "stalactite": stalactite,
    "timber": timber,
    "lamp": lamp,
    "barnacles": barnacles,
    "lantern": lantern,
    "porthole": porthole,
    "barrel": barrel,
    "cargo": cargo,
    "coil": coil,
    "railing": railing,
    "mast": mast,
    "anchor": anchor,
    "wheel": wheel,
    "chain": chain,
    "rope": rope,
    "net": net,
}


def paint(painter, arguments, mask=None):
    """The tile image a legend entry's painter draws; automatic painters also get the mask."""
    function = PAINTERS[painter]
    tile = function(*arguments, mask) if mask is not None else function(*arguments)
    return tile.image
