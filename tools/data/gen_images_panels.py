"""The in-game status panel and the save browser's pictures: its arrow and the previews of its
Exit and New entries."""
import math

from PIL import ImageDraw

import datafiles
import logoart
import palette
import screenart

# Top-left corners of the 32x32 powerup icons on the status panel.
POWERUP_SLOTS = ((208, 32), (257, 32), (160, 80), (256, 80), (160, 128), (208, 128), (256, 128))
EMBLEM_SLOT = (208, 80)
SLOT_SIZE = 32
# Race row r (from 1) has its icon at y = RACE_ICON_Y + ROW_PITCH * r.
RACE_ICON_Y = 20
INHABITANTS_BOX = (24, 22, 146, 160)
POWERUPS_BOX = (152, 22, 297, 160)
COLLECTIBLES_BOX = (24, 164, 146, 200)
INVENTORY_BOX = (152, 164, 297, 200)
PLAYTIME_BOX = (24, 203, 297, 219)
RACE_ROWS = 6
ROW_PITCH = 20


def menu_background():
    """The status panel: recessed boxes for the inhabitants, powerups, collectibles, inventory
    and play time, with empty frames where the powerup icons go."""
    picture = screenart.gradient(screenart.SCREEN_SIZE, ("night", "ink"), top=0, bottom=260)
    screenart.border(picture, (4, 4, 315, 235), 4, screenart.bricks(picture.size))
    for box in (INHABITANTS_BOX, POWERUPS_BOX, COLLECTIBLES_BOX, INVENTORY_BOX, PLAYTIME_BOX):
        screenart.recess(picture, box, fill="ink")
    race_stripes(picture)
    for x, y in POWERUP_SLOTS:
        screenart.recess(picture, (x - 2, y - 2, x + SLOT_SIZE + 1, y + SLOT_SIZE + 1), "night")
    x, y = EMBLEM_SLOT
    centre = (x + SLOT_SIZE // 2, y + SLOT_SIZE // 2)
    logoart.compass_star(ImageDraw.Draw(picture), centre, 14, 3, "slate", "night")
    return picture


def race_stripes(picture):
    """Every other race row a shade lighter, so a label and its count read as one row."""
    draw = ImageDraw.Draw(picture)
    left, _, right, _ = INHABITANTS_BOX
    for row in range(1, RACE_ROWS + 1, 2):
        top = RACE_ICON_Y - 1 + ROW_PITCH * row
        draw.rectangle((left + 2, top, right - 2, top + ROW_PITCH - 1), fill=palette.rgba("night"))


def browser_arrow():
    """A 16x8 arrow pointing down, outlined, with a lit left side."""
    picture = screenart.blank((16, 8))
    draw = ImageDraw.Draw(picture)
    draw.polygon([(0, 0), (15, 0), (8, 7), (7, 7)], fill=palette.rgba("ink"))
    draw.polygon([(2, 1), (13, 1), (8, 6), (7, 6)], fill=palette.rgba("white"))
    draw.polygon([(8, 1), (13, 1), (8, 6)], fill=palette.rgba("cloud"))
    return picture


def bands(colours):
    """Flat horizontal bands of the colours over the screen. Previews are shown shrunk four or
    five times, which would turn dithering into noise, so they use flat colour only."""
    picture = screenart.blank()
    draw = ImageDraw.Draw(picture)
    height = screenart.SCREEN_SIZE[1] / len(colours)
    for index, colour in enumerate(colours):
        draw.rectangle((0, round(index * height), 319, round((index + 1) * height)),
                       fill=palette.rgba(colour))
    return picture


def outlined_polygon(draw, points, colour, width):
    """A filled polygon with a dark border as thick as the width (still visible when shrunk)."""
    draw.line(points + points[:1], fill=palette.rgba("ink"), width=width * 2, joint="curve")
    draw.polygon(points, fill=palette.rgba(colour))


def exit_preview():
    """The Exit entry: an open door at dusk and a big arrow pointing back out of it."""
    picture = bands(("night", "plum", "violet", "pink", "sand", "moss", "ink"))
    draw = ImageDraw.Draw(picture)
    draw.rectangle((104, 36, 216, 218), fill=palette.rgba("bark"))
    draw.rectangle((120, 52, 200, 218), fill=palette.rgba("ink"))
    draw.polygon([(200, 52), (236, 40), (236, 226), (200, 218)], fill=palette.rgba("wood"))
    arrow = [(60, 128), (128, 76), (128, 108), (250, 108), (250, 148), (128, 148), (128, 180)]
    outlined_polygon(draw, arrow, "white", 4)
    return picture


def new_preview():
    """The New entry: a fresh morning sky with a bright sparkle."""
    picture = bands(("deep", "sea", "sky", "cloud", "grass", "leaf"))
    draw = ImageDraw.Draw(picture)
    outlined_polygon(draw, logoart.star_points((160, 112), 92, 22), "lemon", 4)
    small = logoart.star_points((160, 112), 44, 12, turn=math.pi / 4)
    draw.polygon(small, fill=palette.rgba("white"))
    screenart.disc(picture, (160, 112), 10, "white")
    return picture


def build(assets, out):
    screenart.write_full_screens(out, {
        "inGameMenuBG.png": menu_background(),
        "loadExitBackground.png": exit_preview(),
        "loadSelectedBackground.png": new_preview(),
    })
    datafiles.write_png(out / "images" / "browserArrowDown.png", browser_arrow())
