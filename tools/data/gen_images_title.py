"""The logo and title screen pictures: the emblem and wordmark, and the dusk scene of the title
in three layers (sky and sea, drifting clouds, the near hill)."""
import random

import numpy as np
from PIL import Image, ImageDraw

import datafiles
import logoart
import screenart
import titlescene

CLOUD_REGION = (475, 240)
CLOUD_COLOURS = ("plum", "violet", "pink", "rose")
LOGO_EMBLEM_Y = 92
LOGO_WORDMARK_Y = 150


def title_background():
    picture = titlescene.sky()
    titlescene.sun(picture)
    screenart.stars(picture, (0, 0, 320, 70), 40, seed=3)
    titlescene.birds(picture, ((214, 118), (224, 112), (231, 121)))
    picture = screenart.over(
        picture, titlescene.sea(picture.size), titlescene.far_coast(picture.size))
    titlescene.lighthouse(picture)
    return picture


def puffs(count, rng):
    """(centre x, radius) of a row of overlapping round puffs, the biggest ones in the middle."""
    result = []
    for index in range(count):
        middle = 1 - abs(2 * index / (count - 1) - 1)
        radius = rng.randint(4, 7) + round(middle * rng.randint(5, 12))
        if result:
            x, previous = result[-1]
            result.append((x + round((previous + radius) * rng.uniform(0.45, 0.7)), radius))
        else:
            result.append((radius, radius))
    return result


def cloud(count, rng):
    """A cloud of puffs standing on one flat base, lit from below by the low sun: dark plum
    tops, glowing rose undersides."""
    row = puffs(count, rng)
    tallest = max(radius for _, radius in row)
    width, height = row[-1][0] + row[-1][1] + 1, 2 * tallest + 1
    mask = Image.new("1", (width, height), 0)
    draw = ImageDraw.Draw(mask)
    shortest = min(radius for _, radius in row)
    draw.rectangle((row[0][0], height - shortest, row[-1][0], height - 1), fill=1)
    for x, radius in row:
        draw.ellipse((x - radius, height - 1 - 2 * radius, x + radius, height - 1), fill=1)
    rows = np.arange(height)[:, None] / (height - 1)
    columns = np.arange(width)[None, :] / (width - 1)
    levels = np.where(np.array(mask), 0.8 * rows + 0.2 * columns, np.nan)
    return screenart.dithered(levels, CLOUD_COLOURS)


def paste_wrapped(layer, picture, position):
    """Pastes the picture on the layer as if the layer were a torus, so the layer tiles."""
    width, height = layer.size
    x, y = position
    for dx in (0, -width):
        for dy in (0, -height):
            shifted = screenart.blank(layer.size)
            shifted.paste(picture, (x + dx, y + dy))
            layer.alpha_composite(shifted)


def title_clouds():
    """Clouds scattered over a region that wraps at both edges, as the title scrolls it."""
    rng = random.Random(11)
    layer = screenart.blank(CLOUD_REGION)
    for index in range(9):
        x = index * CLOUD_REGION[0] // 9 + rng.randint(0, 30)
        y = (index * 97) % CLOUD_REGION[1] + rng.randint(0, 20)
        paste_wrapped(layer, cloud(rng.randint(4, 8), rng), (x, y))
    texture = screenart.blank(screenart.TEXTURE_SIZE)
    texture.paste(layer, (0, 0))
    return texture


def logo_screen():
    picture = screenart.gradient(screenart.SCREEN_SIZE, ("night", "ink"), top=40, bottom=239)
    radius = logoart.EMBLEM_RADIUS
    picture.alpha_composite(logoart.emblem(), (160 - radius, LOGO_EMBLEM_Y - radius))
    return picture


def logo_text():
    picture = screenart.blank()
    mark = logoart.wordmark()
    picture.alpha_composite(mark, ((320 - mark.width) // 2, LOGO_WORDMARK_Y))
    return picture


def build(assets, out):
    screenart.write_full_screens(out, {
        "logoScreen.png": logo_screen(),
        "logoText.png": logo_text(),
        "titleBackground.png": title_background(),
        "titleForeground.png": titlescene.hill(),
    })
    datafiles.write_png(out / "images" / "titleClouds.png", title_clouds())
