"""The title scene of Corvane: a dusk over the sea seen from a hill of Arnion.

The screens opened from the title slide in from around it, so they continue this scene: the sky
above it (secrets), the soil below it (options) and the coast to its right (load game). Columns
and rows are in title-screen pixels, so a neighbouring screen passes its own offset.
"""
import random

import numpy as np
from PIL import ImageDraw

import palette
import screenart

HORIZON = 172
SKY = ("night", "plum", "violet", "pink", "sand")
SEA = ("violet", "plum", "slate", "night")
SUN_CENTRE = (246, HORIZON - 2)
HILL_WAVES = ((5, 173, 0.8), (3, 61, 0.4), (1, 23, 2.0))
FAR_WAVES = ((9, 140, 0.3), (5, 53, 1.7))
TREE_X = 196
LIGHTHOUSE_X = 298


def sky(size=screenart.SCREEN_SIZE, origin=(0, 0)):
    """Dusk sky from night at the top of the title screen to sand at its horizon."""
    top = -origin[1]
    return screenart.gradient(size, SKY, top=top + 4, bottom=top + HORIZON, origin=origin)


def sun(picture):
    """The setting sun: a warm disc with a paler core, half sunk into the sea."""
    cx, cy = SUN_CENTRE
    screenart.disc(picture, (cx, cy), 27, "gold")
    screenart.disc(picture, (cx, cy), 22, "lemon")
    screenart.disc(picture, (cx - 6, cy - 8), 7, "white")


def lighthouse(picture):
    """A far islet with a lighthouse, its lamp lit for the night."""
    x, y = LIGHTHOUSE_X, HORIZON
    draw = ImageDraw.Draw(picture)
    draw.ellipse((x - 12, y - 4, x + 12, y + 3), fill=palette.rgba("plum"))
    draw.rectangle((x - 2, y - 18, x + 1, y - 2), fill=palette.rgba("plum"))
    draw.rectangle((x - 3, y - 20, x + 2, y - 19), fill=palette.rgba("night"))
    draw.rectangle((x - 1, y - 23, x, y - 21), fill=palette.rgba("lemon"))
    draw.point([(x - 3, y - 22), (x + 2, y - 22)], fill=palette.rgba("gold"))


def birds(picture, positions):
    """Small dark birds gliding home."""
    draw = ImageDraw.Draw(picture)
    for x, y in positions:
        draw.point([(x - 2, y - 1), (x - 1, y), (x, y + 1), (x + 1, y), (x + 2, y - 1)],
                   fill=palette.rgba("night"))


def sea(size, origin=(0, 0)):
    """The sea below the horizon, darkening towards the viewer, with the sun's glitter."""
    top = HORIZON - origin[1]
    picture = screenart.gradient(size, SEA, top=top, bottom=top + 64, origin=origin)
    picture = screenart.masked(picture, np.arange(size[1])[:, None] >= top)
    glitter(picture, top, SUN_CENTRE[0] - origin[0])
    return picture


def glitter(picture, top, centre_x):
    """Short horizontal strokes of sunlight on the water, narrowing away from the sun."""
    draw = ImageDraw.Draw(picture)
    rng = random.Random(17)
    for row in range(2, 60, 3):
        spread = 30 - row // 3
        for _ in range(3):
            x = centre_x + rng.randint(-spread, spread)
            length = rng.randint(2, 8 - row // 12)
            colour = "lemon" if row < 20 else "gold" if row < 40 else "sand"
            draw.line([(x, top + row), (x + length, top + row)], fill=palette.rgba(colour))


def far_coast(size, origin=(0, 0)):
    """Distant hills along the left of the horizon, hazed into the sky's colours."""
    width, height = size
    xs = np.arange(width) + origin[0]
    fade = np.clip((xs - 120) / 80, 0, 1)
    heights = screenart.ridge(xs, HORIZON - 12, FAR_WAVES) + np.round(14 * fade).astype(int)
    picture = screenart.land(heights - origin[1], height, ("violet", "plum"), 10, rim="pink")
    return screenart.masked(picture, np.arange(height)[:, None] < HORIZON - origin[1])


def hill_heights(xs):
    """Skyline of the near hill: high on the left under the menu, down to the shore on the right."""
    xs = np.asarray(xs, dtype=float)
    slope = np.clip((xs - 150) / 90, 0, 1)
    descent = np.round(105 * (3 * slope**2 - 2 * slope**3)).astype(int)
    return screenart.ridge(xs, 102, HILL_WAVES) + descent


def hill(size=screenart.SCREEN_SIZE, origin=(0, 0)):
    """The near hill: dark grass lit along its crest, with tufts of grass on the skyline."""
    width, height = size
    xs = np.arange(width) + origin[0]
    heights = hill_heights(xs) - origin[1]
    picture = screenart.land(heights, height, ("moss", "night", "ink"), 40, rim="leaf")
    tufts(picture, heights, seed=5)
    tree(picture, (TREE_X - origin[0], int(hill_heights([TREE_X])[0]) - origin[1] + 3))
    return picture


def tree(picture, root):
    """The lone tree on the crest: a leaning trunk and a crown lit on its sunward side."""
    x, y = root
    draw = ImageDraw.Draw(picture)
    draw.polygon([(x - 2, y), (x + 2, y), (x + 1, y - 20), (x - 1, y - 20)],
                 fill=palette.rgba("bark"))
    draw.line([(x + 1, y - 1), (x + 1, y - 18)], fill=palette.rgba("wood"))
    draw.line([(x, y - 14), (x + 6, y - 22)], fill=palette.rgba("bark"))
    crown = ((0, -30, 11), (-10, -25, 8), (10, -27, 8), (-4, -38, 8), (6, -37, 7), (15, -22, 5))
    for colour, shift in (("ink", 0), ("night", -1), ("moss", -2)):
        for dx, dy, radius in crown:
            screenart.disc(picture, (x + dx - shift // 2, y + dy + shift), radius + shift, colour)
    for dx, dy, radius in crown:
        screenart.disc(picture, (x + dx + 3, y + dy - 2), radius - 5, "leaf")


def tufts(picture, heights, seed):
    """Blades of grass standing one or two pixels above the skyline."""
    rng = random.Random(seed)
    for x, top in enumerate(heights):
        if rng.random() < 0.3 and 2 <= top < picture.height:
            blade = rng.choice((1, 1, 2))
            for dy in range(1, blade + 1):
                picture.putpixel((x, top - dy), palette.rgba("leaf" if dy == 1 else "grass"))
