"""The ghost shipyard's scenery: five pieces of ghostly ships (a sloop, a wreck, a mast, a bow
and a stern), drawn translucent because they are shown over the map's upper layer. Each bobs,
its torn sails stir and its lights flicker."""
from PIL import Image, ImageDraw

import palette
import pixelart
import sprites

import objects_common as common

GHOST_ALPHA = 176
MIST_ALPHA = 72
PHASES = 4
DELAY = 12


def colour(name):
    return palette.rgba(name)


def hull(image, outline, planks_from, planks_to):
    """A hull polygon with plank lines every third row and a pale rail along its top."""
    draw = ImageDraw.Draw(image)
    draw.polygon(outline, fill=colour("steel"))
    mask = Image.new("1", image.size, 0)
    ImageDraw.Draw(mask).polygon(outline, fill=1)
    for y in range(planks_from, planks_to, 3):
        for x in range(image.width):
            if mask.getpixel((x, y)):
                draw.point((x, y), fill=colour("fog"))
    draw.line(outline[:2], fill=colour("cloud"))


def sail(image, corners, phase, holes=()):
    """A sail with seams; its bottom edge is torn in a pattern that shifts with the phase."""
    layer = Image.new("RGBA", image.size, (0, 0, 0, 0))
    sheet = ImageDraw.Draw(layer)
    sheet.polygon(corners, fill=colour("cloud"))
    left, top, right, bottom = layer.getbbox()
    for x in range(left + 3, right, 5):
        sheet.line((x, top, x, bottom), fill=colour("fog"))
    for x in range(left, right):
        column = [y for y in range(top, bottom) if layer.getpixel((x, y))[3]]
        torn = (x * 5 + phase * 3) % 4
        for y in column[len(column) - torn :]:
            layer.putpixel((x, y), (0, 0, 0, 0))
    for x, y in holes:
        sheet.rectangle((x, y, x + 1, y + 1), fill=(0, 0, 0, 0))
    image.alpha_composite(layer)


def light(draw, box, phase, shift=0):
    """A window or lantern that flickers between two glows."""
    draw.rectangle(box, fill=colour(("sky", "white")[(phase + shift) % 2]))


def sloop(image, phase):
    draw = ImageDraw.Draw(image)
    hull(image, [(2, 26), (45, 22), (41, 33), (8, 35), (4, 31)], 27, 35)
    for index, x in enumerate((14, 22, 30)):
        light(draw, (x, 28, x + 1, 29), phase, index)
    draw.rectangle((22, 3, 23, 25), fill=colour("steel"))
    sail(image, [(10, 6), (34, 6), (36, 22), (8, 22)], phase, [(16, 12)])
    flag_tip = (31, 3 + phase % 2)
    draw.polygon([(24, 2), (24, 5), flag_tip], fill=colour("sky"))


def wreck(image, phase):
    draw = ImageDraw.Draw(image)
    hull(image, [(4, 16), (52, 20), (62, 28), (60, 31), (2, 31), (6, 24)], 18, 31)
    for x in (12, 13, 19, 20):
        draw.point((x, 18 + x % 2), fill=(0, 0, 0, 0))
    draw.line((30, 18, 44, 2), fill=colour("steel"), width=2)
    sail(image, [(36, 8), (46, 12), (44, 24), (36, 20)], phase)
    light(draw, (50, 24, 51, 25), phase)


def mast(image, phase):
    draw = ImageDraw.Draw(image)
    draw.rectangle((15, 2, 16, 63), fill=colour("steel"))
    for y, reach in ((10, 12), (34, 13)):
        draw.line((16 - reach, y, 15 + reach, y), fill=colour("fog"))
    sail(image, [(5, 11), (26, 11), (25, 30), (6, 30)], phase, [(9, 20)])
    sail(image, [(4, 35), (27, 35), (26, 58), (5, 58)], phase + 1, [(20, 44)])
    draw.rectangle((11, 4, 20, 8), fill=colour("slate"))
    draw.line((11, 4, 20, 4), fill=colour("fog"))
    light(draw, (15, 6, 16, 7), phase)


def bow(image, phase):
    draw = ImageDraw.Draw(image)
    hull(image, [(0, 22), (34, 16), (42, 24), (34, 42), (0, 46)], 18, 46)
    draw.line((32, 17, 47, 5), fill=colour("steel"), width=2)
    draw.line((44, 7, 44, 12), fill=colour("fog"))
    light(draw, (43, 13 + phase % 2, 45, 15 + phase % 2), phase)
    draw.polygon([(34, 22), (40, 26), (36, 30)], fill=colour("fog"))
    sail(image, [(4, 2), (26, 6), (26, 16), (4, 18)], phase, [(12, 9)])


def stern(image, phase):
    draw = ImageDraw.Draw(image)
    hull(image, [(4, 10), (40, 6), (44, 40), (30, 46), (8, 46)], 12, 46)
    draw.polygon([(41, 30), (45, 32), (45, 46), (40, 46)], fill=colour("steel"))
    for x in range(8, 40, 6):
        draw.line((x, 5 + (40 - x) // 9, x, 9 + (40 - x) // 9), fill=colour("fog"))
    draw.line((8, 5 + 32 // 9, 38, 5), fill=colour("fog"))
    draw.line((8, 38, 42, 35), fill=colour("steel"))
    for row, y in enumerate((16, 26)):
        for column, x in enumerate((12, 21, 30)):
            light(draw, (x, y, x + 4, y + 5), phase, row + column)
    for x in (4, 39):
        draw.line((x, 2, x, 8), fill=colour("steel"))
        light(draw, (x - 1, 0, x + 1, 2), phase, x)


PIECES = {
    "one": (sloop, (48, 40)),
    "two": (wreck, (64, 34)),
    "three": (mast, (32, 66)),
    "four": (bow, (48, 50)),
    "five": (stern, (48, 50)),
}


def ghost_picture(draw_piece, size, phase):
    """One frame of a piece: drawn, outlined, made translucent, bobbing and trailing mist."""
    body = Image.new("RGBA", (size[0] - 2, size[1] - 3), (0, 0, 0, 0))
    draw_piece(body, phase)
    picture = pixelart.outlined(body)
    alpha = picture.split()[3].point(lambda a: GHOST_ALPHA if a else 0)
    picture.putalpha(alpha)
    frame = Image.new("RGBA", size, (0, 0, 0, 0))
    frame.paste(picture, (0, 1 if phase in (1, 2) else 0))
    mist = ImageDraw.Draw(frame)
    for index in range(3):
        x = (index * 17 + phase * 3) % (size[0] - 4)
        mist.line((x, size[1] - 1, x + 3, size[1] - 1), fill=palette.rgba("cloud", MIST_ALPHA))
    return frame


def ships():
    animations = []
    for name, (draw_piece, size) in PIECES.items():
        pictures = [ghost_picture(draw_piece, size, phase) for phase in range(PHASES)]
        animations.append(
            sprites.Animation(name, common.frames(pictures, DELAY, [sprites.full_box(*size)]))
        )
    return animations


def build(assets, out):
    common.write(out, "ship.txt", ships())
