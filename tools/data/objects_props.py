"""Props drawn in code from rectangles and curves: the rope bridge, the gravity magnet and the
teleport pad; and the save station, put together from its art."""
import math

from PIL import Image, ImageDraw

import palette
import pixelart
import sprites

import objects_common as common

BRIDGE_BODY = (62, 22)
DECK_TOP = 14
MAGNET_BODY = (30, 30)
TELEPORT = (32, 48)
SAVE_STATION = (32, 32)

# Quarter turns (counter-clockwise) that point the magnet's face, drawn facing right, each way.
MAGNET_TURNS = {"right": 0, "up": 1, "left": 2, "down": 3}
# Rows of the four bulb pairs of the teleport, bottom first: they light in this order.
BULB_ROWS = (33, 26, 19, 12)
BULB_COLUMNS = (2, 28)
RUNE_COLUMNS = range(3, 28, 4)


def painter(size):
    """A transparent picture and a function filling rectangles (inclusive) with palette colours."""
    image = Image.new("RGBA", size, (0, 0, 0, 0))
    draw = ImageDraw.Draw(image)

    def paint(left, top, right, bottom, name):
        draw.rectangle((left, top, right, bottom), fill=palette.rgba(name))

    return image, paint


def sag(x, left, right, top, depth):
    """The row of a rope hung between two columns at the top row, sagging by the depth."""
    middle, half = (left + right) / 2, (right - left) / 2
    return top + round(depth * (1 - ((x - middle) / half) ** 2))


def bridge_back():
    """The far posts and rope with the hangers down to the deck, behind the player."""
    width, _ = BRIDGE_BODY
    image, paint = painter(BRIDGE_BODY)
    for left in (4, width - 6):
        paint(left, 1, left + 1, DECK_TOP - 1, "bark")
    for x in range(5, width - 5):
        rope = sag(x, 5, width - 6, 2, 4)
        paint(x, rope, x, rope, "wood")
        if x % 8 == 3 and 8 < x < width - 8:
            paint(x, rope + 1, x, DECK_TOP - 1, "bark")
    return pixelart.outlined(image)


def bridge_front():
    """The plank deck, the near rope and the near posts, drawn over the player."""
    width, height = BRIDGE_BODY
    image, paint = painter(BRIDGE_BODY)
    for x in range(width):
        seam = x % 5 == 0
        paint(x, DECK_TOP, x, DECK_TOP, "wood" if seam else "sand")
        paint(x, DECK_TOP + 1, x, DECK_TOP + 2, "wood" if seam else "clay")
        paint(x, DECK_TOP + 3, x, DECK_TOP + 3, "wood")
    for x in range(2, width - 2):
        rope = sag(x, 1, width - 2, 4, 5)
        paint(x, rope, x, rope, "sand")
    for left in (0, width - 3):
        paint(left, 2, left + 2, height - 1, "wood")
        paint(left, 2, left, height - 1, "clay")
        paint(left, 2, left + 2, 2, "sand")
    return pixelart.outlined(image)


def bridge():
    """Both layers in one definition; box 0 of both is the deck, its outline included."""
    front = bridge_front()
    deck = [sprites.box(0, DECK_TOP, front.width - 1, DECK_TOP + 4)]
    return [
        sprites.Animation("front", [sprites.Frame(front, 60, deck)]),
        sprites.Animation("back", [sprites.Frame(bridge_back(), 60, deck)]),
    ]


def magnet_picture(phase):
    """The magnet facing right; the phase (0-3) sets how bright its face glows and where the
    pulse of its field is."""
    image, paint = painter(MAGNET_BODY)
    paint(0, 2, 3, 27, "steel")
    paint(0, 2, 0, 27, "fog")
    for row in (4, 14, 25):
        paint(1, row, 2, row + 1, "cloud")
    paint(4, 5, 19, 7, "steel")
    paint(4, 22, 19, 24, "slate")
    for column in range(4, 20):
        paint(column, 8, column, 21, ("clay", "orange", "sand", "orange")[column % 4])
    paint(20, 3, 25, 26, "fog")
    paint(20, 3, 25, 3, "cloud")
    paint(24, 3, 25, 26, "steel")
    glow = ("deep", "sea", "sky", "sea")[phase]
    paint(26, 6, 27, 23, glow)
    paint(26, 12 + phase % 2, 27, 17 - phase % 2, "white" if phase == 2 else "sky")
    for row in (8, 14, 20):
        paint(28 + phase % 2, row + 1, 28 + phase % 2, row + 1, "sky")
    return pixelart.outlined(image)


def gravity_magnet():
    pictures = [magnet_picture(phase) for phase in range(4)]
    whole = [sprites.full_box(32, 32)]
    return [
        sprites.Animation(
            name, common.frames([common.rotated(p, turns) for p in pictures], 6, whole)
        )
        for name, turns in MAGNET_TURNS.items()
    ]


def teleport_frame():
    """The arch, the pillars and the back of the pad, with every bulb dark."""
    image, paint = painter((30, 46))
    paint(1, 35, 28, 41, "slate")
    paint(4, 36, 25, 39, "deep")
    paint(6, 37, 23, 38, "night")
    for left in (0, 26):
        paint(left, 4, left + 3, 41, "steel")
        paint(left, 4, left, 41, "fog")
        paint(left + 3, 4, left + 3, 41, "slate")
        paint(left, 5, left + 3, 5, "cloud")
        paint(left, 35, left + 3, 35, "cloud")
    paint(0, 0, 29, 4, "steel")
    paint(0, 0, 29, 0, "fog")
    paint(13, 1, 16, 3, "sea")
    paint(13, 1, 14, 1, "sky")
    for row in BULB_ROWS:
        for column in BULB_COLUMNS:
            paint(column - 1, row, column, row + 1, "night")
    return pixelart.outlined(image)


def lit_bulbs(picture, count):
    """The teleport frame with its lowest count bulb pairs lit."""
    image = picture.copy()
    draw = ImageDraw.Draw(image)
    for row in BULB_ROWS[:count]:
        for column in BULB_COLUMNS:
            draw.rectangle((column, row + 1, column + 1, row + 2), fill=palette.rgba("lemon"))
            draw.point((column, row + 1), fill=palette.rgba("white"))
    return image


def with_beam(picture, phase):
    """The lit teleport with a faint column of light between its pillars, bands rising."""
    image = picture.copy()
    draw = ImageDraw.Draw(image)
    draw.rectangle((5, 6, 26, 38), fill=palette.rgba("sky", 48))
    for band in range(phase * 2, 33, 8):
        row = 38 - band
        draw.rectangle((5, row, 26, row), fill=palette.rgba("white", 96))
    return image


def teleport_lip(rune_colours):
    """The front lip of the pad, drawn over the player, with its runes in the given colours."""
    image, paint = painter((30, 46))
    paint(0, 40, 29, 45, "steel")
    paint(0, 40, 29, 40, "cloud")
    paint(1, 41, 28, 41, "fog")
    paint(0, 45, 29, 45, "slate")
    for column, rune_colour in zip(RUNE_COLUMNS, rune_colours):
        paint(column, 43, column + 1, 43, rune_colour)
    return pixelart.outlined(image)


def flickering_lip(phase):
    """The lit lip: its runes blink in turn and faint sparks rise through the player."""
    picture = teleport_lip(
        ["white" if (index + phase) % 2 == 0 else "sky" for index in range(len(RUNE_COLUMNS))]
    )
    draw = ImageDraw.Draw(picture)
    for index, column in enumerate(range(7, 26, 4)):
        row = 38 - (index * 11 + phase * 5) % 30
        draw.point((column, row), fill=palette.rgba("white", 160))
        draw.point((column, row + 1), fill=palette.rgba("sky", 96))
    return picture


def teleport():
    whole = [sprites.full_box(*TELEPORT)]
    dark = teleport_frame()
    lighting = [lit_bulbs(dark, count) for count in range(1, len(BULB_ROWS) + 1)]
    glowing_pad = pixelart.recoloured(lighting[-1], {"deep": "sky", "night": "sea"})
    lit = [with_beam(glowing_pad, phase) for phase in range(4)]
    back = [
        sprites.Animation("default", [sprites.Frame(dark, 60, whole)]),
        sprites.Animation("lightUp", common.frames(lighting, 10, whole), loop=False),
        sprites.Animation("lit", common.frames(lit, 5, whole)),
    ]
    dark_lip = teleport_lip(["deep"] * len(RUNE_COLUMNS))
    flicker = [flickering_lip(phase) for phase in range(4)]
    front = [
        sprites.Animation("default", [sprites.Frame(dark_lip, 60, whole)]),
        sprites.Animation("flicker", common.frames(flicker, 4, whole)),
    ]
    return front, back


def save_station(arts):
    """The lectern with the crystal bobbing and glowing above it and a sparkle circling it."""
    lectern = pixelart.outlined(arts["lectern"])
    crystal = pixelart.outlined(arts["crystal"])
    bright = common.brightened(crystal, lambda x, y: True)
    width, height = SAVE_STATION
    pictures = []
    for phase, (rise, gem) in enumerate(((0, crystal), (1, crystal), (2, bright), (1, bright))):
        picture = common.on_canvas(
            lectern, SAVE_STATION, ((width - lectern.width) // 2, height - lectern.height)
        )
        picture.alpha_composite(gem, ((width - gem.width) // 2, 3 - rise))
        angle = math.pi / 2 * phase
        sparkle = (round(16 + 9 * math.cos(angle)), round(8 + 4 * math.sin(angle)))
        picture.putpixel(sparkle, palette.rgba("white"))
        pictures.append(picture)
    whole = [sprites.full_box(*SAVE_STATION)]
    return [sprites.Animation("saveStation", common.frames(pictures, 8, whole))]


def build(assets, out):
    common.write(out, "bridge.txt", bridge())
    common.write(out, "GravityMagnet.txt", gravity_magnet())
    teleport_front_animations, teleport_back_animations = teleport()
    common.write(out, "teleportFront.txt", teleport_front_animations)
    common.write(out, "teleportBack.txt", teleport_back_animations)
    common.write(out, "saveStation.txt", save_station(common.read_art(assets, "saveStation")))
