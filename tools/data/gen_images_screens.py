"""The pictures of the screens opened from the title: options, secrets, load game, loading.

The options, secrets and load-game screens slide in from below, above and the right of the
title, so their pictures continue its scene in that direction."""
import random

import numpy as np
from PIL import ImageDraw

import datafiles
import palette
import screenart
import titlescene

WIDTH, HEIGHT = screenart.SCREEN_SIZE
OPTIONS_PANEL = (30, 70, 289, 234)
BROWSER_FRAME = (20, 52, 290, 235)
FRAME_THICKNESS = 5
LOADING_SIZE = (180, 240)
LAMP = (90, 53)


def strata(seed):
    """Soil under the title's hill: dark earth getting warmer with depth, wavy layers."""
    picture = screenart.gradient(screenart.SCREEN_SIZE, ("ink", "bark", "wood"), bottom=260)
    draw = ImageDraw.Draw(picture)
    rng = random.Random(seed)
    for depth in range(40, HEIGHT, 26):
        heights = screenart.ridge(np.arange(WIDTH), depth, ((3, rng.randint(60, 140), depth),))
        colour = palette.rgba("clay" if depth > 150 else "bark")
        draw.point([(x, int(y)) for x, y in enumerate(heights) if x % 7 != 3], fill=colour)
    return picture


def stone(draw, box, shades=("slate", "steel", "fog")):
    """A rounded stone with an outline and a highlight on its upper left."""
    left, top, right, bottom = box
    draw.ellipse(box, fill=palette.rgba(shades[0]), outline=palette.rgba("ink"))
    draw.ellipse((left + 2, top + 1, right - 2, bottom - 2), fill=palette.rgba(shades[1]))
    draw.point([(left + 3, top + 2), (left + 4, top + 2)], fill=palette.rgba(shades[2]))


def scatter_stones(picture, count, seed, keep_clear):
    """Stones strewn through the soil, none of them near the area kept clear."""
    draw = ImageDraw.Draw(picture)
    rng = random.Random(seed)
    placed = 0
    while placed < count:
        width, height = rng.randint(7, 16), rng.randint(5, 9)
        x, y = rng.randrange(0, WIDTH - width), rng.randrange(8, HEIGHT - height)
        if not outside(keep_clear, (x - 9, y - 9, x + width + 9, y + height + 9)):
            continue
        stone(draw, (x, y, x + width, y + height))
        placed += 1


def outside(area, box):
    """Whether the box lies wholly outside the area."""
    left, top, right, bottom = area
    return box[2] < left or box[0] > right or box[3] < top or box[1] > bottom


def roots(picture, seed):
    """Roots of the hill's grass and its tree reaching down from the top edge."""
    draw = ImageDraw.Draw(picture)
    rng = random.Random(seed)
    for start in range(6, WIDTH, 23):
        x, y = start + rng.randint(-4, 4), 0
        for _ in range(rng.randint(8, 16)):
            step = (x + rng.choice((-1, 0, 0, 1)), y + rng.randint(2, 4))
            draw.line([(x, y), step], fill=palette.rgba("bark"))
            x, y = step
        draw.point((x, y), fill=palette.rgba("wood"))


def crystals(picture, positions):
    """Small blue crystals glinting in the soil."""
    draw = ImageDraw.Draw(picture)
    for x, y in positions:
        draw.polygon([(x, y - 6), (x + 3, y), (x, y + 2), (x - 3, y)], fill=palette.rgba("sea"),
                     outline=palette.rgba("deep"))
        draw.line([(x, y - 4), (x, y)], fill=palette.rgba("sky"))


def options_background():
    """The soil under the title's hill, with a brick-lined chamber for the settings."""
    picture = strata(seed=21)
    roots(picture, seed=22)
    scatter_stones(picture, 26, seed=23, keep_clear=OPTIONS_PANEL)
    crystals(picture, ((12, 70), (304, 84), (10, 226), (300, 228)))
    screenart.border(picture, OPTIONS_PANEL, 6, screenart.bricks(picture.size))
    screenart.panel(picture, OPTIONS_PANEL, fill="ink", edge="night")
    return picture


def secrets_background():
    """The night sky high above the title's dusk, with a moon and a few constellations."""
    picture = screenart.gradient(screenart.SCREEN_SIZE, ("ink", "night"))
    picture.alpha_composite(milky_way(picture.size))
    screenart.stars(picture, (2, 2, WIDTH - 2, HEIGHT - 2), 110, seed=31, colours=("fog", "steel"))
    constellations(picture)
    moon(picture, (290, 30))
    return picture


def constellations(picture):
    """Figures of bright stars joined by faint lines."""
    draw = ImageDraw.Draw(picture)
    for figure in CONSTELLATIONS:
        draw.line(figure, fill=palette.rgba("slate"))
        for x, y in figure:
            draw.point([(x, y), (x - 1, y), (x + 1, y), (x, y - 1), (x, y + 1)],
                       fill=palette.rgba("cloud"))
            draw.point((x, y), fill=palette.rgba("white"))


CONSTELLATIONS = (
    ((14, 40), (30, 22), (48, 30), (40, 52), (14, 40)),
    ((6, 200), (22, 214), (40, 208), (58, 226), (80, 222)),
    ((262, 180), (280, 170), (300, 186), (288, 206), (306, 222)),
)


def moon(picture, centre):
    """A crescent moon: a pale disc with a second disc taken out of its side."""
    x, y = centre
    lit = screenart.blank(picture.size)
    screenart.disc(lit, (x, y), 15, "cloud")
    screenart.disc(lit, (x - 1, y + 1), 13, "white")
    cut = screenart.blank(picture.size)
    screenart.disc(cut, (x + 8, y - 5), 13, "ink")
    picture.alpha_composite(screenart.masked(lit, np.array(cut)[..., 3] == 0))


def milky_way(size):
    """A faint band of light across the sky, running from the lower left to the upper right."""
    width, height = size
    ys, xs = np.mgrid[0:height, 0:width]
    distance = (ys - (200 - 0.5 * xs)) / 26
    return screenart.haze(0.45 * np.exp(-distance**2), "slate")


def load_game_background():
    """The coast to the right of the title: the same dusk, the sea with a moored boat and the
    shore below."""
    origin = (WIDTH, 0)
    picture = titlescene.sky(origin=origin)
    screenart.stars(picture, (0, 0, WIDTH, 60), 30, seed=41)
    picture = screenart.over(picture, titlescene.sea(picture.size, origin))
    boat(picture, (236, 201))
    return screenart.over(picture, titlescene.hill(origin=origin))


def boat(picture, position):
    """A small sailing boat at anchor, dark against the evening sea."""
    x, y = position
    draw = ImageDraw.Draw(picture)
    draw.polygon([(x - 14, y), (x + 14, y), (x + 10, y + 5), (x - 10, y + 5)],
                 fill=palette.rgba("bark"), outline=palette.rgba("ink"))
    draw.line([(x - 12, y + 1), (x + 12, y + 1)], fill=palette.rgba("wood"))
    draw.line([(x, y - 1), (x, y - 19)], fill=palette.rgba("ink"))
    draw.polygon([(x + 1, y - 18), (x + 1, y - 3), (x + 11, y - 3)], fill=palette.rgba("cloud"))
    draw.polygon([(x - 1, y - 14), (x - 1, y - 3), (x - 7, y - 3)], fill=palette.rgba("fog"))
    draw.line([(x - 16, y + 6), (x + 16, y + 6)], fill=palette.rgba("violet"))


def load_game_foreground():
    """A wooden frame around the save browser, transparent inside and out."""
    picture = screenart.blank()
    draw = ImageDraw.Draw(picture)
    left, top, right, bottom = BROWSER_FRAME
    for inset, colour in enumerate(("ink", "clay", "wood", "wood", "bark", "ink")):
        grow = FRAME_THICKNESS - inset
        draw.rectangle((left - grow, top - grow, right + grow, bottom + grow),
                       outline=palette.rgba(colour))
    for x, y in ((left, top), (right, top), (left, bottom), (right, bottom)):
        draw.rectangle((x - 4, y - 4, x + 4, y + 4), fill=palette.rgba("gold"),
                       outline=palette.rgba("ink"))
        draw.point((x, y), fill=palette.rgba("orange"))
    return picture


def lighthouse(lit):
    """The lighthouse on its rocks at night for the loading screen, its lamp shining when lit.
    The picture is opaque: the unlit version covers the lit one wherever it is drawn."""
    picture = night_sea()
    if lit:
        beams(picture, LAMP)
    tower(picture)
    lantern(picture, lit)
    rocks(picture)
    ImageDraw.Draw(picture).rectangle((0, 0, LOADING_SIZE[0] - 1, LOADING_SIZE[1] - 1),
                                      outline=palette.rgba("ink"))
    return picture


def lantern(picture, lit):
    """The gallery with its railing, the glazed lamp room and the domed roof."""
    draw = ImageDraw.Draw(picture)
    cx = LAMP[0]
    ink = palette.rgba("ink")
    draw.rectangle((cx - 27, 70, cx + 27, 77), fill=palette.rgba("night"), outline=ink)
    for x in range(cx - 25, cx + 26, 5):
        draw.line([(x, 62), (x, 69)], fill=ink)
    draw.line([(cx - 25, 62), (cx + 25, 62)], fill=ink)
    glass = palette.rgba("lemon" if lit else "slate")
    draw.rectangle((cx - 14, 44, cx + 14, 61), fill=glass, outline=ink)
    for x in (cx - 5, cx + 5):
        draw.line([(x, 44), (x, 61)], fill=ink)
    draw.chord((cx - 17, 28, cx + 17, 58), 180, 360, fill=palette.rgba("red"), outline=ink)
    draw.chord((cx + 2, 30, cx + 16, 56), 270, 360, fill=palette.rgba("blood"))
    draw.line([(cx, 14), (cx, 28)], fill=ink, width=2)
    screenart.disc(picture, (cx, 14), 3, "ink")


def night_sea():
    """Night sky over a dark sea with a few ripples of light."""
    width, height = LOADING_SIZE
    picture = screenart.gradient(LOADING_SIZE, ("ink", "night", "plum"), top=40, bottom=200)
    screenart.stars(picture, (2, 2, width - 2, 150), 40, seed=52)
    water = screenart.gradient((width, height - 196), ("deep", "night"), origin=(0, 196))
    picture.paste(water, (0, 196))
    draw = ImageDraw.Draw(picture)
    rng = random.Random(53)
    for _ in range(30):
        x, y = rng.randrange(0, width - 6), rng.randrange(198, height)
        draw.line([(x, y), (x + rng.randint(2, 6), y)], fill=palette.rgba("sea"))
    return picture


def tower(picture):
    """The tapering stone tower with red bands, windows and a door, lit from the left."""
    cx = LAMP[0]
    ys, xs = np.mgrid[0 : LOADING_SIZE[1], 0 : LOADING_SIZE[0]]
    half = 18 + (ys - 78) * 10 / 127
    across = (xs - cx + half) / (2 * half)
    inside = (ys >= 78) & (ys <= 210) & (across >= 0) & (across < 1)
    band = ((ys - 78) // 22) % 2 == 1
    stone = screenart.dithered(np.where(inside & ~band, across, np.nan), ("fog", "steel", "slate"))
    paint = screenart.dithered(np.where(inside & band, across, np.nan), ("red", "blood"))
    picture.alpha_composite(stone)
    picture.alpha_composite(paint)
    draw = ImageDraw.Draw(picture)
    for y in (118, 162):
        draw.rounded_rectangle((cx - 3, y, cx + 3, y + 10), radius=3, fill=palette.rgba("ink"))
    draw.rounded_rectangle((cx - 7, 188, cx + 7, 210), radius=6, fill=palette.rgba("wood"),
                           outline=palette.rgba("ink"))


def beams(picture, lamp):
    """Two beams of light sweeping out of the lamp to the picture's sides, brightest along their
    middles (dithered, so the picture keeps to the palette and stays opaque)."""
    x, y = lamp
    width, height = LOADING_SIZE
    ys, xs = np.mgrid[0:height, 0:width]
    reach = np.abs(xs - x) / (width / 2)
    spread = 3 + 20 * reach
    strength = np.clip(1 - np.abs(ys - y) / spread, 0, 1) * (reach > 0.1)
    light = np.where(strength > 0, 0.3 + 0.6 * strength, 0)
    picture.alpha_composite(screenart.haze(light, "lemon"))


def rocks(picture):
    """The heap of boulders the lighthouse stands on."""
    draw = ImageDraw.Draw(picture)
    rng = random.Random(51)
    for _ in range(24):
        width, height = rng.randint(16, 34), rng.randint(10, 20)
        x = rng.randint(8, LOADING_SIZE[0] - 8 - width)
        y = rng.randint(204, LOADING_SIZE[1] - height // 2)
        stone(draw, (x, y, x + width, y + height))


def loading_picture(lit):
    """The loading picture in its texture: lit in full colour, or unlit and grey."""
    texture = screenart.blank((256, 256))
    picture = lighthouse(lit)
    texture.paste(picture if lit else screenart.greyed(picture), (0, 0))
    return texture


def build(assets, out):
    screenart.write_full_screens(out, {
        "optionsBackground.png": options_background(),
        "secretsBackground.png": secrets_background(),
        "loadGameBackground.png": load_game_background(),
        "loadGameForeground.png": load_game_foreground(),
    })
    images = out / "images"
    datafiles.write_png(images / "loadingBack.png", loading_picture(lit=True))
    datafiles.write_png(images / "loadingFront.png", loading_picture(lit=False))
