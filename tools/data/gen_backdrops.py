"""The map backgrounds (backgrounds/*.png): skies that stay fixed and layers that scroll slower
than the world for parallax.

A screen-sized background is the 320 x 240 region at the top left of a 512 x 256 image; a layer
that scrolls on an axis repeats seamlessly along it (its shapes are periodic over the region), so
the map can tile it. The cave backdrop is a whole 256 x 256 image that tiles both ways.
Colours come from the palette only; soft transitions are ordered dithering between two colours.
"""
import math
import random

import numpy
from PIL import Image

import datafiles
import palette

REGION = (320, 240)
IMAGE = (512, 256)
# 4 x 4 ordered-dither thresholds, 0..15.
BAYER = numpy.array([[0, 8, 2, 10], [12, 4, 14, 6], [3, 11, 1, 9], [15, 7, 13, 5]])


class Canvas:
    """An RGBA pixel array of a given size drawn with palette names."""

    def __init__(self, width, height):
        self.pixels = numpy.zeros((height, width, 4), dtype=numpy.uint8)
        self.width, self.height = width, height

    def fill(self, mask, name, alpha=255):
        self.pixels[mask] = palette.rgba(name, alpha)

    def image(self, size=None):
        picture = Image.fromarray(self.pixels, "RGBA")
        if size is None:
            return picture
        whole = Image.new("RGBA", size, (0, 0, 0, 0))
        whole.paste(picture, (0, 0))
        return whole


def dithered(amount, xs, ys):
    """True where a pixel takes the second colour for a mix of 0..1 of it."""
    return amount * 16 > BAYER[ys % 4, xs % 4]


def vertical_gradient(canvas, stops, top=0, bottom=None):
    """Rows from top to bottom blend through the palette names in stops."""
    bottom = canvas.height if bottom is None else bottom
    ys, xs = numpy.mgrid[0:canvas.height, 0:canvas.width]
    span = (bottom - top) / (len(stops) - 1)
    for index in range(len(stops) - 1):
        start = top + index * span
        band = (ys >= start) & (ys < start + span)
        mix = (ys - start) / span
        second = dithered(mix, xs, ys)
        canvas.fill(band & ~second, stops[index])
        canvas.fill(band & second, stops[index + 1])


def periodic_ridge(width, base, waves, seed):
    """Heights of a skyline repeating every width pixels: base plus whole-period sine waves."""
    rng = random.Random(seed)
    xs = numpy.arange(width)
    heights = numpy.full(width, float(base))
    for cycles, amplitude in waves:
        phase = rng.uniform(0, 2 * math.pi)
        heights += amplitude * numpy.sin(2 * math.pi * cycles * xs / width + phase)
    return heights.astype(int)


def paint_ridge(canvas, ridge, body, rim, shade=None, shade_depth=30):
    """Fills below the skyline with body, its top pixel row with rim, and dithers toward shade
    lower down."""
    ys, xs = numpy.mgrid[0:canvas.height, 0:canvas.width]
    top = ridge[xs]
    below = ys >= top
    canvas.fill(below, body)
    canvas.fill(ys == top, rim)
    if shade:
        depth = numpy.clip((ys - top - 6) / shade_depth, 0, 1)
        canvas.fill(below & dithered(depth * 0.8, xs, ys), shade)


def blobs(canvas, centres, name, alpha=255, period=None):
    """Filled ellipses (x, y, half width, half height); with a period they wrap around it."""
    ys, xs = numpy.mgrid[0:canvas.height, 0:canvas.width]
    for x, y, rx, ry in centres:
        for shift in ((-period, 0, period) if period else (0,)):
            inside = ((xs - x - shift) / rx) ** 2 + ((ys - y) / ry) ** 2 <= 1
            canvas.fill(inside, name, alpha)


def clouds(canvas, seed, count, top, bottom, period=None):
    """Puffy clouds: a few overlapping ellipses each, lit on top and shaded below."""
    rng = random.Random(seed)
    for _ in range(count):
        x, y = rng.randrange(0, canvas.width), rng.randrange(top, bottom)
        puffs = [(x + rng.randint(-16, 16), y + rng.randint(-4, 2), rng.randint(8, 16),
                  rng.randint(4, 7)) for _ in range(4)]
        blobs(canvas, [(px, py + 2, rx, ry) for px, py, rx, ry in puffs], "fog", period=period)
        blobs(canvas, puffs, "white", period=period)
        blobs(canvas, [(px, py + 3, rx - 2, ry - 3) for px, py, rx, ry in puffs], "cloud",
              period=period)


def cloudy_sky(stops, seed, count, lowest):
    """A fixed sky blending through the stops from the top, with clouds down to a row."""
    canvas = Canvas(*REGION)
    vertical_gradient(canvas, stops)
    clouds(canvas, seed, count, 20, lowest)
    return canvas


def meadow_range():
    """Far blue mountains with snowy tips; everything above them is transparent."""
    canvas = Canvas(*REGION)
    ridge = periodic_ridge(REGION[0], 150, [(1, 14), (3, 10), (7, 4), (13, 2)], seed=11)
    paint_ridge(canvas, ridge, "fog", "cloud", "steel", 60)
    ys, xs = numpy.mgrid[0:canvas.height, 0:canvas.width]
    snow = (ys >= ridge[xs]) & (ys < ridge[xs] + 5) & (ridge[xs] < 144)
    canvas.fill(snow, "white")
    return canvas


def meadow_hills():
    """Near green hills with dark tree clumps along their crests."""
    canvas = Canvas(*REGION)
    ridge = periodic_ridge(REGION[0], 190, [(2, 12), (5, 6), (11, 2)], seed=17)
    paint_ridge(canvas, ridge, "grass", "lime", "leaf", 20)
    rng = random.Random(5)
    trees = [(x, ridge[x % REGION[0]] - 4, rng.randint(4, 7), rng.randint(6, 10))
             for x in range(0, REGION[0], 23)]
    blobs(canvas, trees, "moss", period=REGION[0])
    return canvas


def winter_hills():
    """Snowy hills with small dark firs, repeating every screen width."""
    canvas = Canvas(*REGION)
    ridge = periodic_ridge(REGION[0], 185, [(2, 10), (4, 8), (9, 2)], seed=23)
    paint_ridge(canvas, ridge, "white", "white", "cloud", 25)
    ys, xs = numpy.mgrid[0:canvas.height, 0:canvas.width]
    rng = random.Random(29)
    for x in range(5, REGION[0], 17):
        height = rng.randint(10, 18)
        base = ridge[x] + 2
        for shift in (-REGION[0], 0, REGION[0]):
            fir = (abs(xs - x - shift) * 3 <= (ys - base + height)) & (ys <= base) & (
                ys >= base - height)
            canvas.fill(fir, "moss")
    return canvas


def cave_backdrop():
    """Dark layered rock with faint crystal glints; every shape wraps at the image edges so the
    picture tiles in both directions."""
    size = 256
    canvas = Canvas(size, size)
    ys, xs = numpy.mgrid[0:size, 0:size]
    angle = 2 * math.pi / size
    strata = (numpy.sin(ys * angle * 6 + numpy.sin(xs * angle * 2) * 2.2)
              + 0.5 * numpy.sin(xs * angle * 5 + ys * angle * 3))
    canvas.fill(strata > -10, "ink")
    canvas.fill(strata > 0.4, "night")
    canvas.fill((strata > -0.2) & (strata <= 0.4) & dithered(0.3, xs, ys), "night")
    rng = random.Random(41)
    for _ in range(18):
        x, y = rng.randrange(size), rng.randrange(size)
        colour = rng.choice(["plum", "deep", "plum"])
        for dx, dy in ((0, 0), (1, 0), (0, 1), (-1, 0), (0, -1), (0, -2)):
            canvas.pixels[(y + dy) % size, (x + dx) % size] = palette.rgba(colour)
        canvas.pixels[(y - 1) % size, x % size] = palette.rgba("violet")
    return canvas


def shipyard_mist():
    """A dark sky over a still sea with a pale moon low in it."""
    canvas = Canvas(*REGION)
    vertical_gradient(canvas, ["ink", "night", "slate", "steel"], bottom=200)
    blobs(canvas, [(250, 70, 18, 18)], "cloud")
    blobs(canvas, [(244, 64, 5, 4), (258, 78, 3, 3)], "fog")
    ys, xs = numpy.mgrid[0:canvas.height, 0:canvas.width]
    sea = ys >= 200
    canvas.fill(sea, "night")
    canvas.fill(sea & ((ys + (xs // 7) % 3) % 6 == 0), "slate")
    glitter = sea & (abs(xs - 250) < (ys - 196) // 2) & ((xs + ys) % 5 == 0)
    canvas.fill(glitter, "fog")
    rng = random.Random(43)
    for _ in range(40):
        x, y = rng.randrange(REGION[0]), rng.randrange(150)
        canvas.pixels[y, x] = palette.rgba(rng.choice(["fog", "cloud", "steel"]))
    return canvas


def shipyard_wrecks():
    """Hulls and broken masts of ghost ships in the mist, repeating every screen width."""
    canvas = Canvas(*REGION)
    ys, xs = numpy.mgrid[0:canvas.height, 0:canvas.width]
    for left, width, height, masts in ((10, 120, 26, (40, 85)), (170, 100, 20, (215,)),
                                       (285, 60, 16, (300,))):
        deck = 212 - height
        for shift in (-REGION[0], 0):
            x = xs - left - shift
            bottom = deck + height * (1 - (numpy.abs(x - width / 2) / (width / 2)) ** 4)
            hull = (x >= 0) & (x < width) & (ys >= deck) & (ys <= bottom)
            canvas.fill(hull, "slate")
            canvas.fill(hull & (ys == deck), "steel")
            for mast in masts:
                pole = (abs(xs - mast - shift) <= 1) & (ys >= 212 - height - 60) & (ys < 214)
                canvas.fill(pole, "slate")
                yard = (abs(xs - mast - shift) <= 14) & (ys == 212 - height - 45)
                canvas.fill(yard, "slate")
    fog_band = (ys >= 205) & dithered(numpy.clip((ys - 205) / 35, 0, 1) * 0.9, xs, ys)
    canvas.fill(fog_band, "steel")
    canvas.fill(ys > 236, "steel")
    return canvas


def finale_sky():
    """A warm evening sky with a setting sun."""
    canvas = Canvas(*REGION)
    vertical_gradient(canvas, ["plum", "violet", "pink", "orange", "gold"], bottom=240)
    blobs(canvas, [(160, 190, 28, 28)], "lemon")
    blobs(canvas, [(160, 190, 22, 22)], "white")
    return canvas


def finale_clouds():
    """Long thin evening clouds, repeating every screen width."""
    canvas = Canvas(*REGION)
    rng = random.Random(47)
    for _ in range(9):
        x, y = rng.randrange(REGION[0]), rng.randrange(30, 150)
        length = rng.randint(25, 60)
        blobs(canvas, [(x, y + 2, length, 6)], "plum", period=REGION[0])
        blobs(canvas, [(x + 4, y, length - 6, 4)], "pink", period=REGION[0])
        blobs(canvas, [(x + 8, y - 1, length - 16, 2)], "rose", period=REGION[0])
    return canvas


SCREEN_BACKDROPS = {
    "meadowSkyBackdrop.png": lambda: cloudy_sky(["sea", "sky", "cloud", "white"], 3, 6, 120),
    "meadowRangeBackdrop.png": meadow_range,
    "meadowHillsBackdrop.png": meadow_hills,
    "winterSkyBackdrop.png": lambda: cloudy_sky(["slate", "steel", "fog", "cloud"], 8, 4, 90),
    "winterHillsBackdrop.png": winter_hills,
    "shipyardMistBackdrop.png": shipyard_mist,
    "shipyardWrecksBackdrop.png": shipyard_wrecks,
    "finaleSkyBackdrop.png": finale_sky,
    "finaleCloudsBackdrop.png": finale_clouds,
}


def build(assets, out):
    for name, draw in SCREEN_BACKDROPS.items():
        datafiles.write_png(out / "backgrounds" / name, draw().image(IMAGE))
    datafiles.write_png(out / "backgrounds" / "caveBackdrop.png", cave_backdrop().image())
