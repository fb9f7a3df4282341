"""Switches, doors, the editor-only helper markers, the crate and the pickle blocks."""
import math

from PIL import Image

import palette
import pixelart
import sprites

import objects_common as common

TILE = (16, 16)
DOOR = (16, 48)

LEVER_OFF, LEVER_ON = -45, 45
LEVER_TURNING = (-22, 0, 22)
LEVER_PIVOT = (6.5, 9.5)
LEVER_LENGTH = 6
SWITCH_BOX = sprites.box(2, 2, 13, 15)
LAMP_ON = {"red": "grass", "pink": "lime"}

# Rows of the door stone hidden in the ceiling at each frame of the toggle door's opening.
STONE_RISE = (6, 12, 18, 24, 30, 36, 42)
STONE_OPEN = 44
# Rows of the inhabitant door's panel hidden behind its icon plate while it opens.
PANEL_RISE = (5, 10, 15, 20, 25)
PANEL_AT = (3, 20)

MARKER_COLOURS = {
    "conditionChecker": ("deep", "sea"),
    "soundPlayer": ("plum", "violet"),
    "areaNameDisplayer": ("moss", "leaf"),
    "creditsRunner": ("bark", "wood"),
    "secretUnlocker": ("clay", "gold"),
}

PICKLE_STYLES = ("red", "purple", "pink", "green", "grey", "gold", "blue")


def switch_picture(base, angle, lamp_on):
    """The switch with its lever tilted by the angle in degrees (0 upright, positive right)."""
    body = Image.new("RGBA", (14, 14), (0, 0, 0, 0))
    sine, cosine = math.sin(math.radians(angle)), math.cos(math.radians(angle))
    for step in range(2 * LEVER_LENGTH + 1):
        x = LEVER_PIVOT[0] + step / 2 * sine
        y = LEVER_PIVOT[1] - step / 2 * cosine
        body.putpixel((round(x), round(y)), palette.rgba("fog"))
    tip_x = round(LEVER_PIVOT[0] + LEVER_LENGTH * sine)
    tip_y = round(LEVER_PIVOT[1] - LEVER_LENGTH * cosine)
    for dx, dy in ((0, 0), (-1, 0), (1, 0), (0, -1), (0, 1)):
        body.putpixel((tip_x + dx, tip_y + dy), palette.rgba("gold"))
    body.putpixel((tip_x, tip_y - 1), palette.rgba("lemon"))
    housing = pixelart.recoloured(base, LAMP_ON) if lamp_on else base
    body.paste(housing, (1, 9), housing)
    return pixelart.outlined(body)


def flip_switch(arts):
    base = arts["switchBase"]

    def animation(name, angles, lamp_on, loop=True):
        pictures = [switch_picture(base, angle, lamp_on) for angle in angles]
        return sprites.Animation(name, common.frames(pictures, 3, [SWITCH_BOX]), loop)

    return [
        animation("off", [LEVER_OFF], False),
        animation("on", [LEVER_ON], True),
        animation("turning_on", LEVER_TURNING, False, loop=False),
        animation("turning_off", LEVER_TURNING[::-1], True, loop=False),
    ]


def risen(picture, rows):
    """The picture moved up by the rows into a slot along its top edge, which shows as ink."""
    result = Image.new("RGBA", picture.size, (0, 0, 0, 0))
    result.paste(picture.crop((0, rows, picture.width, picture.height)), (0, 0))
    for x in range(picture.width):
        result.putpixel((x, 0), palette.rgba("ink"))
    return result


def toggle_door(arts):
    """A stone that rises into the ceiling; box 0 is always the part still in the doorway."""
    stone = pixelart.outlined(arts["doorStone"])

    def frame(rows, delay=3):
        picture = risen(stone, rows) if rows else stone
        return sprites.Frame(picture, delay, [sprites.box(0, 0, 15, DOOR[1] - 1 - rows)])

    rising = [frame(rows) for rows in STONE_RISE]
    return [
        sprites.Animation("default", [frame(0)]),
        sprites.Animation("opening", rising + [frame(STONE_OPEN)], loop=False),
        sprites.Animation("open", [frame(STONE_OPEN)]),
        sprites.Animation("closing", rising[::-1] + [frame(0)], loop=False),
    ]


def npc_door(arts):
    """A frame whose panel slides up behind the icon plate, leaving the doorway open."""
    frame_picture = pixelart.outlined(arts["npcDoorFrame"])
    panel = arts["npcDoorPanel"]
    whole = [sprites.full_box(*DOOR)]

    def with_panel(rows):
        picture = frame_picture.copy()
        visible = panel.crop((0, rows, panel.width, panel.height))
        picture.paste(visible, PANEL_AT, visible)
        return picture

    return [
        sprites.Animation("closed", [sprites.Frame(with_panel(0), 60, whole)]),
        sprites.Animation(
            "opening", common.frames([with_panel(r) for r in PANEL_RISE], 4, whole), loop=False
        ),
        sprites.Animation("open", [sprites.Frame(frame_picture, 60, whole)]),
    ]


def marker(glyph, colours):
    """An editor marker: the white glyph on a rounded badge of the two colours."""
    fill, rim = colours
    badge = Image.new("RGBA", (14, 14), palette.rgba(fill))
    for x in range(14):
        for y in range(14):
            corner = min(x, 13 - x) + min(y, 13 - y) < 2
            edge = x in (0, 13) or y in (0, 13)
            if corner:
                badge.putpixel((x, y), (0, 0, 0, 0))
            elif edge:
                badge.putpixel((x, y), palette.rgba(rim))
    badge.paste(glyph, ((14 - glyph.width) // 2, (14 - glyph.height) // 2), glyph)
    return pixelart.outlined(badge)


def still(name, picture):
    """A one-frame animation of a tile-sized object whose box is the whole tile."""
    return sprites.Animation(name, [sprites.Frame(picture, 60, [sprites.full_box(*TILE)])])


def pickle_block(arts):
    block = pixelart.outlined(arts["pickleBlock"])
    animations = []
    for style in PICKLE_STYLES:
        styled = common.ramp_swapped(block, style)
        glint = common.frames(common.shine_sweep(styled), 2, [sprites.full_box(*TILE)])
        animations += [still(style, styled), sprites.Animation(f"{style}Shine", glint, loop=False)]
    return animations


def build(assets, out):
    arts = common.read_art(assets, "mechanisms")
    common.write(out, "flipSwitch.txt", flip_switch(arts))
    common.write(out, "toggleDoor.txt", toggle_door(arts))
    common.write(out, "npcDoor.txt", npc_door(arts))
    glyphs = common.read_art(assets, "markers")
    for name, colours in MARKER_COLOURS.items():
        common.write(out, f"{name}.txt", [still("default", marker(glyphs[name], colours))])
    common.write(out, "crate.txt", [still("crate", pixelart.outlined(arts["crate"]))])
    common.write(out, "pickleBlock.txt", pickle_block(arts))
