"""Overlays drawn over the world: the thought bubble's cloud and tail, the darkness halo around
the player and the water pattern tiled over water areas."""
import math

import numpy as np
from PIL import Image

import datafiles
import palette
import pixelart
import screenart

BUBBLE_SIZE = (16, 16)
BUBBLE_CLOUD = (0, 0, 9, 9)
BUBBLE_DOTS = ((13, 13, 16, 16), (7, 12, 11, 16), (0, 10, 6, 16))
HALO_SIZE = 128
HALO_CLEAR_RADIUS = 22
HALO_DARK_RADIUS = 60
HALO_STEPS = 12
# The halo's edges meet black rectangles the game fills around it, so it is pure black rather
# than the palette's ink: any other colour would show the square's seam.
HALO_COLOUR = (0, 0, 0)
WATER_SIZE = 32
WATER_SHADES = (("deep", 190), ("sea", 150), ("sea", 170), ("sky", 190), ("white", 210))


def check_thought_bubble(image):
    """Raises ValueError unless the picture fits the fixed layout the bubble is drawn from."""
    if image.size != BUBBLE_SIZE:
        raise ValueError(f"thought bubble is {image.size}, not {BUBBLE_SIZE}")
    pixels = np.array(image)
    used = np.zeros(pixels.shape[:2], dtype=bool)
    for left, top, right, bottom in (BUBBLE_CLOUD, *BUBBLE_DOTS):
        used[top:bottom, left:right] = True
    if pixels[~used][:, 3].any():
        raise ValueError("thought bubble: pixels outside the cloud and the three dots")
    cloud = pixels[:9, :9]
    if not ((cloud[3:6] == cloud[4]).all() and (cloud[:, 3:6] == cloud[:, 4:5]).all()):
        raise ValueError("thought bubble: the cloud's middle rows or columns differ (seams)")


def thought_bubble(assets):
    image = pixelart.read_art(assets / "images" / "thoughtBubble.art")["thoughtBubble"]
    check_thought_bubble(image)
    return image


def darkness_halo():
    """Black whose opacity rises in dithered steps from a clear circle to full at the edges."""
    centre = (HALO_SIZE - 1) / 2
    ys, xs = np.mgrid[0:HALO_SIZE, 0:HALO_SIZE]
    distance = np.hypot(xs - centre, ys - centre)
    span = HALO_DARK_RADIUS - HALO_CLEAR_RADIUS
    level = np.clip((distance - HALO_CLEAR_RADIUS) / span, 0, 1) * HALO_STEPS
    step = np.floor(level) + ((level - np.floor(level)) > screenart.BAYER[ys % 4, xs % 4])
    pixels = np.zeros((HALO_SIZE, HALO_SIZE, 4), dtype=np.uint8)
    pixels[..., :3] = HALO_COLOUR
    pixels[..., 3] = np.round(255 * np.minimum(step, HALO_STEPS) / HALO_STEPS)
    return Image.fromarray(pixels, "RGBA")


def water_overlay():
    """Wavy bands of light and shade drifting across the water. The waves have whole-number
    periods across the tile and the bands repeat twice down it, so the tile repeats seamlessly."""
    ys, xs = np.mgrid[0:WATER_SIZE, 0:WATER_SIZE]
    turn = 2 * math.pi / WATER_SIZE
    wave = ys + 2.2 * np.sin(turn * xs + turn * ys) + np.sin(2 * turn * xs - 3 * turn * ys)
    band = np.floor(wave).astype(int) % (WATER_SIZE // 2)
    shade = np.select([band == 0, band == 1, (band >= 7) & (band <= 9)], [4, 3, 0], 1)
    shade[(band == 2) & (xs % 8 < 3)] = 2
    table = np.array([palette.rgba(name, alpha) for name, alpha in WATER_SHADES], dtype=np.uint8)
    return Image.fromarray(table[shade], "RGBA")


def build(assets, out):
    images = out / "images"
    datafiles.write_png(images / "thoughtBubble.png", thought_bubble(assets))
    datafiles.write_png(images / "darknessHalo.png", darkness_halo())
    datafiles.write_png(images / "waterOverlay.png", water_overlay())
