"""Corvane's emblem and wordmark: a compass star in a gold ring, and the name in geometric
letters, both drawn at the screen's own pixel size."""
import math

import numpy as np
from PIL import Image, ImageDraw

import palette
import pixelart
import screenart

CAP_HEIGHT = 30
X_HEIGHT = 21
STROKE = 5
LETTER_GAP = 2
X_TOP = CAP_HEIGHT - X_HEIGHT
EMBLEM_RADIUS = 44


def ring(draw, box, thickness):
    left, top, right, bottom = box
    draw.ellipse(box, fill=1)
    draw.ellipse((left + thickness, top + thickness, right - thickness, bottom - thickness), fill=0)


def capital_c(draw):
    ring(draw, (0, 0, CAP_HEIGHT - 3, CAP_HEIGHT - 1), STROKE)
    middle = CAP_HEIGHT // 2
    draw.rectangle((middle + 2, middle - 5, CAP_HEIGHT, middle + 4), fill=0)
    return CAP_HEIGHT - 2


def bowl(draw):
    ring(draw, (0, X_TOP, X_HEIGHT - 1, CAP_HEIGHT - 1), STROKE)
    return X_HEIGHT + 1


def bowl_with_stem(draw):
    bowl(draw)
    draw.rectangle((X_HEIGHT - STROKE, X_TOP, X_HEIGHT - 1, CAP_HEIGHT - 1), fill=1)
    return X_HEIGHT + 1


def bowl_with_bar(draw):
    bowl(draw)
    middle = X_TOP + X_HEIGHT // 2
    draw.rectangle((1, middle - 1, X_HEIGHT - 2, middle + 2), fill=1)
    draw.rectangle((X_HEIGHT // 2 + 1, middle + 3, X_HEIGHT, middle + 6), fill=0)
    return X_HEIGHT + 1


def arch(draw):
    """A stem with the upper half of a bowl springing from it, as in r and n."""
    bowl(draw)
    draw.rectangle((0, X_TOP + X_HEIGHT // 2, X_HEIGHT, CAP_HEIGHT), fill=0)
    draw.rectangle((0, X_TOP, STROKE - 1, CAP_HEIGHT - 1), fill=1)
    return X_HEIGHT - 4


def arch_with_leg(draw):
    arch(draw)
    draw.rectangle((X_HEIGHT - STROKE, X_TOP + X_HEIGHT // 2, X_HEIGHT - 1, CAP_HEIGHT - 1),
                   fill=1)
    return X_HEIGHT + 1


def vee(draw):
    half = X_HEIGHT // 2
    bottom = CAP_HEIGHT - 1
    draw.polygon([(0, X_TOP), (STROKE + 1, X_TOP), (half + 1, bottom - 5),
                  (X_HEIGHT - STROKE - 1, X_TOP), (X_HEIGHT, X_TOP), (half + 3, bottom),
                  (half - 2, bottom)], fill=1)
    return X_HEIGHT + 1


# Each letter's drawing, which returns the letter's advance width.
GLYPHS = {"C": capital_c, "o": bowl, "r": arch, "v": vee, "a": bowl_with_stem,
          "n": arch_with_leg, "e": bowl_with_bar}


def glyph(letter):
    """The mask of one letter of the wordmark: geometric strokes STROKE pixels thick, lowercase
    letters X_HEIGHT tall on the baseline of the capital."""
    mask = Image.new("1", (CAP_HEIGHT, CAP_HEIGHT), 0)
    width = GLYPHS[letter](ImageDraw.Draw(mask))
    return mask.crop((0, 0, width, CAP_HEIGHT))


def wordmark():
    """'Corvane' in warm gold letters with a dark outline and a drop shadow."""
    masks = [np.array(glyph(letter)) for letter in "Corvane"]
    width = sum(mask.shape[1] for mask in masks) + LETTER_GAP * (len(masks) - 1)
    shape = np.zeros((CAP_HEIGHT, width), dtype=bool)
    x = 0
    for mask in masks:
        shape[:, x : x + mask.shape[1]] |= mask
        x += mask.shape[1] + LETTER_GAP
    levels = np.where(shape, np.linspace(0, 1, CAP_HEIGHT)[:, None], np.nan)
    letters = screenart.dithered(levels, ("lemon", "gold", "orange"))
    outlined = pixelart.outlined(letters)
    result = screenart.blank((outlined.width + 2, outlined.height + 2))
    shadow = screenart.masked(Image.new("RGBA", outlined.size, palette.rgba("plum")),
                              np.array(outlined)[..., 3] > 0)
    result.alpha_composite(shadow, (2, 2))
    result.alpha_composite(outlined)
    return result


def star_points(centre, long_arm, short_arm, turn=0.0):
    """The corners of a four-pointed star, tips first: (tip, inner corner) pairs around it."""
    cx, cy = centre
    corners = []
    for index in range(8):
        angle = turn + index * math.pi / 4
        arm = long_arm if index % 2 == 0 else short_arm
        corners.append((round(cx + arm * math.sin(angle)), round(cy - arm * math.cos(angle))))
    return corners


def compass_star(draw, centre, long_arm, short_arm, light, shade, turn=0.0):
    """A four-pointed star whose arms are split along their ridge into a lit and a shaded half."""
    corners = star_points(centre, long_arm, short_arm, turn)
    for index in range(0, 8, 2):
        tip, before, after = corners[index], corners[index - 1], corners[index + 1]
        draw.polygon([centre, before, tip], fill=palette.rgba(light))
        draw.polygon([centre, tip, after], fill=palette.rgba(shade))


def emblem():
    """Corvane's emblem: a compass star over a night disc in a gold ring."""
    size = EMBLEM_RADIUS * 2 + 1
    centre = (EMBLEM_RADIUS, EMBLEM_RADIUS)
    picture = screenart.blank((size, size))
    for radius, colour in ((0, "ink"), (1, "gold"), (3, "orange"), (5, "ink")):
        screenart.disc(picture, centre, EMBLEM_RADIUS - radius, colour)
    inner = EMBLEM_RADIUS - 6
    sky = screenart.gradient((size, size), ("deep", "night"), top=6, bottom=size - 6)
    face = screenart.blank((size, size))
    screenart.disc(face, centre, inner, "ink")
    picture.alpha_composite(screenart.masked(sky, np.array(face)[..., 3] > 0))
    screenart.stars(picture, (14, 14, size - 14, size - 14), 12, seed=9)
    draw = ImageDraw.Draw(picture)
    compass_star(draw, centre, inner - 12, 5, "cloud", "fog", turn=math.pi / 4)
    compass_star(draw, centre, inner - 1, 7, "lemon", "orange")
    screenart.disc(picture, centre, 3, "ink")
    screenart.disc(picture, centre, 2, "white")
    return picture

