"""Painting helpers for the full-screen pictures and overlays: dithered palette gradients, rolling
ridges, panels and the 512x256 full-screen texture.

Everything paints palette colours only, so shading between two colours is ordered dithering
rather than blending: the pictures stay crisp pixel art at any scale.
"""
import math
import random

import numpy as np
from PIL import Image, ImageDraw

import datafiles
import palette

SCREEN_SIZE = (320, 240)
TEXTURE_SIZE = (512, 256)

# Thresholds of a 4x4 ordered dither, in (0, 1).
BAYER = (np.array([[0, 8, 2, 10], [12, 4, 14, 6], [3, 11, 1, 9], [15, 7, 13, 5]]) + 0.5) / 16


def blank(size=SCREEN_SIZE):
    return Image.new("RGBA", size, (0, 0, 0, 0))


def full_screen(picture):
    """The screen-sized picture in the top-left of a transparent power-of-two texture."""
    if picture.size != SCREEN_SIZE:
        raise ValueError(f"a full-screen picture is {SCREEN_SIZE}, not {picture.size}")
    texture = blank(TEXTURE_SIZE)
    texture.paste(picture, (0, 0))
    return texture


def colour_table(names):
    return np.array([palette.rgba(name) for name in names], dtype=np.uint8)


def dithered(levels, names, origin=(0, 0)):
    """An RGBA image from a 2D array of levels in [0, 1]: level 0 is the first colour, 1 the
    last, and levels between two colours dither between them. NaN levels stay transparent."""
    height, width = levels.shape
    ys, xs = np.mgrid[origin[1] : origin[1] + height, origin[0] : origin[0] + width]
    scaled = np.clip(np.nan_to_num(levels), 0, 1) * (len(names) - 1)
    index = np.floor(scaled).astype(int)
    index += (scaled - index) > BAYER[ys % 4, xs % 4]
    pixels = colour_table(names)[np.minimum(index, len(names) - 1)]
    pixels[np.isnan(levels)] = 0
    return Image.fromarray(pixels, "RGBA")


def haze(levels, colour, origin=(0, 0)):
    """An RGBA image of the colour where dithering the levels in [0, 1] against transparency
    lights a pixel: a thin veil of the colour, denser where the level is higher."""
    height, width = levels.shape
    ys, xs = np.mgrid[origin[1] : origin[1] + height, origin[0] : origin[0] + width]
    pixels = np.zeros((height, width, 4), dtype=np.uint8)
    pixels[levels > BAYER[ys % 4, xs % 4]] = palette.rgba(colour)
    return Image.fromarray(pixels, "RGBA")


def vertical_levels(size, top, bottom):
    """Levels rising from 0 at row top to 1 at row bottom, for a vertical gradient."""
    width, height = size
    rows = np.clip((np.arange(height) - top) / max(bottom - top, 1), 0, 1)
    return np.repeat(rows[:, None], width, axis=1)


def gradient(size, names, top=0, bottom=None, origin=(0, 0)):
    """A picture filled with a dithered vertical gradient through the colours."""
    bottom = size[1] - 1 if bottom is None else bottom
    return dithered(vertical_levels(size, top, bottom), names, origin)


def ridge(xs, base, waves):
    """Heights of a rolling skyline at the columns xs: base plus (amplitude, period, phase) sine
    waves. Columns are absolute, so neighbouring screens can continue one another's skyline."""
    xs = np.asarray(xs, dtype=float)
    heights = np.full(xs.shape, float(base))
    for amplitude, period, phase in waves:
        heights += amplitude * np.sin(2 * math.pi * xs / period + phase)
    return np.round(heights).astype(int)


def masked(picture, mask):
    """The picture with the pixels outside the mask made transparent."""
    pixels = np.array(picture)
    pixels[~np.broadcast_to(mask, pixels.shape[:2])] = 0
    return Image.fromarray(pixels, "RGBA")


def land(heights, height, names, depth, rim=None):
    """A landmass under a skyline: a gradient through the colours over depth rows below the
    skyline, with an optional one-pixel rim colour along the top edge."""
    rows = np.arange(height)[:, None] - np.asarray(heights)[None, :]
    levels = np.where(rows >= 0, np.clip(rows / depth, 0, 1), np.nan)
    picture = dithered(levels, names)
    if rim:
        pixels = np.array(picture)
        pixels[rows == 0] = palette.rgba(rim)
        picture = Image.fromarray(pixels, "RGBA")
    return picture


def over(base, *layers):
    """The layers composited over the base, in order."""
    result = base.copy()
    for layer in layers:
        result.alpha_composite(layer)
    return result


def stars(picture, box, count, seed, colours=("white", "cloud", "fog")):
    """Scatters single-pixel stars in the box of the picture, a few of them with a cross glint."""
    rng = random.Random(seed)
    left, top, right, bottom = box
    for index in range(count):
        x, y = rng.randrange(left, right), rng.randrange(top, bottom)
        colour = palette.rgba(rng.choice(colours))
        picture.putpixel((x, y), colour)
        if index % 9 == 0:
            for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                picture.putpixel((x + dx, y + dy), palette.rgba("fog"))


def panel(picture, box, fill="night", edge="steel"):
    """A bevelled panel: an ink border, a light top-left edge and a dark bottom-right edge."""
    draw = ImageDraw.Draw(picture)
    left, top, right, bottom = box
    draw.rectangle(box, fill=palette.rgba(fill), outline=palette.rgba("ink"))
    draw.line([(left + 1, bottom - 1), (left + 1, top + 1), (right - 1, top + 1)],
              fill=palette.rgba(edge))
    draw.line([(left + 2, bottom - 1), (right - 1, bottom - 1), (right - 1, top + 2)],
              fill=palette.rgba("ink"))


def bricks(size, height=6, length=12, colours=("ink", "slate", "steel")):
    """A wall of staggered bricks: mortar, brick face and a lit top row on each brick."""
    width, total = size
    ys, xs = np.mgrid[0:total, 0:width]
    course = ys // height
    mortar = (ys % height == 0) | ((xs + (course % 2) * length // 2) % length == 0)
    index = np.where(mortar, 0, np.where(ys % height == 1, 2, 1))
    return Image.fromarray(colour_table(colours)[index], "RGBA")


def border(picture, box, thickness, filling):
    """Paints the filling picture over a band of the thickness around the outside of the box."""
    left, top, right, bottom = box
    ys, xs = np.mgrid[0 : picture.height, 0 : picture.width]
    inside = (xs >= left) & (xs <= right) & (ys >= top) & (ys <= bottom)
    grown = ((xs >= left - thickness) & (xs <= right + thickness)
             & (ys >= top - thickness) & (ys <= bottom + thickness))
    picture.alpha_composite(masked(filling, grown & ~inside))


def recess(picture, box, fill="ink"):
    """A sunken frame: dark top-left edge, light bottom-right edge, as for an empty slot."""
    draw = ImageDraw.Draw(picture)
    left, top, right, bottom = box
    draw.rectangle(box, fill=palette.rgba(fill))
    draw.line([(left, bottom), (left, top), (right, top)], fill=palette.rgba("ink"))
    draw.line([(left + 1, bottom), (right, bottom), (right, top + 1)], fill=palette.rgba("steel"))


def greyed(picture, greys=("ink", "night", "slate", "steel", "fog")):
    """The picture with every colour replaced by the grey of about its brightness (a silhouette
    of the same shapes), transparency kept."""
    pixels = np.array(picture)
    brightness = pixels[..., :3].astype(float) @ np.array([0.3, 0.59, 0.11]) / 255
    index = np.minimum((brightness * len(greys)).astype(int), len(greys) - 1)
    result = colour_table(greys)[index]
    result[..., 3] = pixels[..., 3]
    return Image.fromarray(result, "RGBA")


def disc(picture, centre, radius, colour):
    """A filled circle of the colour (aliased, so its edge stays pixel-crisp)."""
    cx, cy = centre
    ImageDraw.Draw(picture).ellipse(
        (cx - radius, cy - radius, cx + radius, cy + radius), fill=palette.rgba(colour))


def write_full_screens(out, pictures):
    """Writes each screen-sized picture, by file name, as a full-screen texture in images/."""
    for name, picture in pictures.items():
        datafiles.write_png(out / "images" / name, full_screen(picture))
