"""Creatures: the bird, the bat, the firefly, the nautilus, the snail and the floating orbs.
Drawn facing right (the snail on a floor); the other facings are mirrored or turned in code."""
import math

from PIL import Image

import palette
import pixelart
import sprites

import objects_common as common

TILE = (16, 16)
BIRD_BOX = sprites.box(2, 3, 13, 15)
BAT_BOX = sprites.box(2, 0, 13, 13)
NAUTILUS = (24, 16)
SNAIL_BOX = sprites.box(0, 4, 15, 15)

# The nautilus seen from the side: name, suffix after Left/Right, whether it loops, and its
# frames as head, tentacles and delay. Propelling pushes it backwards; the tentacles squeeze
# and then jet.
NAUTILUS_SIDE_VIEWS = (
    ("idle", "", True, (("head", "tentaclesRest", 30), ("head", "tentaclesSway", 30))),
    (
        "idle",
        "2",
        True,
        (("headBlink", "tentaclesRest", 6), ("head", "tentaclesCurl", 24),
         ("head", "tentaclesRest", 30)),
    ),
    (
        "propel",
        "",
        False,
        (("head", "tentaclesRest", 4), ("head", "tentaclesSqueeze", 6),
         ("head", "tentaclesJet", 6), ("head", "tentaclesSway", 6)),
    ),
)

# The snail's animations, named by the way it crawls and then the side its shell faces, made from
# the picture on a floor crawling right: quarter turns counter-clockwise, then whether to flip it
# upside down.
SNAIL_POSES = {
    "upRight": (3, True),
    "rightUp": (0, False),
    "leftUp": (2, True),
    "leftDown": (2, False),
    "rightDown": (0, True),
    "upLeft": (1, False),
    "downLeft": (1, True),
    "downRight": (3, False),
}

ORB_STYLES = {
    "one": "blue", "two": "purple", "three": "green", "four": "gold", "five": "red", "six": "grey",
}
ORB_RADIUS = 6.3


def placed(body, size, at):
    """The body outlined and put on a canvas of the size at the given corner."""
    return common.on_canvas(pixelart.outlined(body), size, at)


def both_ways(name, frames, loop=True, suffix=""):
    """The animation facing right and its mirror image facing left: name, Right or Left, suffix."""
    right = sprites.Animation(f"{name}Right{suffix}", frames, loop)
    return [sprites.mirrored_animation(right, f"{name}Left{suffix}"), right]


def bird(arts):
    def poses(*names_and_delays):
        return [
            sprites.Frame(placed(arts[name], TILE, (0, 1)), delay, [BIRD_BOX])
            for name, delay in names_and_delays
        ]

    return (
        both_ways("stand", poses(("stand", 90), ("blink", 6)))
        + both_ways("fly", poses(("flyUp", 4), ("flyLevel", 4), ("flyDown", 4), ("flyLevel", 4)))
        + both_ways("sit", poses(("sit", 120), ("sitBlink", 8)))
        + both_ways("peck", poses(("stand", 10), ("peckMid", 4), ("peckDown", 8), ("peckMid", 4)))
        + both_ways("sing", poses(("singOpen", 8), ("singClosed", 6)))
    )


def bat(arts):
    def poses(*names_and_delays, top=0):
        frames = []
        for name, delay in names_and_delays:
            body = arts[name]
            at = ((TILE[0] - body.width - 2) // 2, top)
            frames.append(sprites.Frame(placed(body, TILE, at), delay, [BAT_BOX]))
        return frames

    return [
        sprites.Animation("hang", poses(("hang", 50), ("hangSway", 30))),
        sprites.Animation("blink", poses(("hangBlink", 8), ("hang", 2)), loop=False),
        sprites.Animation("drop", poses(("letGo", 6), ("unfold", 6)), loop=False),
        sprites.Animation(
            "fly", poses(("flyUp", 4), ("flyLevel", 4), ("flyDown", 4), ("flyLevel", 4), top=3)
        ),
    ]


def firefly(arts):
    """Wings beating while the tail glows and dims."""
    up, down = (pixelart.outlined(arts[name]) for name in ("bugWingsUp", "bugWingsDown"))
    dim = {"lemon": "gold", "gold": "orange"}
    pictures = [up, down, pixelart.recoloured(up, dim), pixelart.recoloured(down, dim)]
    box = [sprites.full_box(*up.size)]
    return [sprites.Animation("fly", common.frames(pictures, 3, box))]


def nautilus_side(arts, head, tentacles):
    """The nautilus facing right: its shell with the head and tentacles over its right side."""
    body = Image.new("RGBA", (21, 13), (0, 0, 0, 0))
    for part, at in ((arts["shell"], (0, 0)), (arts[tentacles], (15, 7)), (arts[head], (11, 3))):
        body.paste(part, at, part)
    return placed(body, NAUTILUS, (0, 0))


def nautilus(arts):
    box = [sprites.full_box(*NAUTILUS)]
    animations = []
    for name, suffix, loop, poses in NAUTILUS_SIDE_VIEWS:
        frames = [
            sprites.Frame(nautilus_side(arts, head, tentacles), delay, box)
            for head, tentacles, delay in poses
        ]
        animations += both_ways(name, frames, loop, suffix)

    def facing(name):
        return placed(arts[name], NAUTILUS, ((NAUTILUS[0] - arts[name].width - 2) // 2, 0))

    front = [facing("front"), facing("frontSway"), facing("front")]
    return animations + [sprites.Animation("front", common.frames(front, 10, box), loop=False)]


def snail(arts):
    """One crawl drawn on a floor, turned and flipped onto ceilings and walls."""
    crawl = [
        placed(arts[name], TILE, (0, TILE[1] - arts[name].height - 2))
        for name in ("snailStretched", "snailGathered")
    ]
    animations = []
    for name, (turns, upside_down) in SNAIL_POSES.items():
        pictures = [common.rotated(picture, turns) for picture in crawl]
        box = common.rotated_box(SNAIL_BOX, TILE, turns)
        if upside_down:
            pictures = [common.flipped(picture) for picture in pictures]
            box = common.flipped_box(box, TILE[1])
        animations.append(sprites.Animation(name, common.frames(pictures, 10, [box])))
    return animations


def orb_picture(style, glyph, glint):
    """A lit sphere of the style's shades with its symbol; the glint (0-3) sets how the light
    catches it."""
    dark, middle, light, bright = common.RAMPS[style]
    body = Image.new("RGBA", (13, 13), (0, 0, 0, 0))
    for y in range(13):
        for x in range(13):
            if math.hypot(x - 6, y - 6) <= ORB_RADIUS:
                facing_light = -((x - 6) + (y - 6)) / 12
                shade = light if facing_light > 0.3 else dark if facing_light < -0.3 else middle
                body.putpixel((x, y), palette.rgba(shade))
    symbol = pixelart.recoloured(glyph, {"white": bright if glint % 2 else light})
    body.paste(symbol, (4, 4), symbol)
    body.putpixel((3, 3), palette.rgba("white"))
    if glint >= 2:
        for x, y in ((2, 3), (4, 3), (3, 2), (3, 4)):
            body.putpixel((x, y), palette.rgba(bright))
    return pixelart.outlined(body)


def orbs(assets):
    glyphs = common.read_art(assets, "orbs")
    box = [sprites.full_box(15, 15)]
    return [
        sprites.Animation(
            name,
            common.frames([orb_picture(style, glyphs[name], glint) for glint in range(4)], 12, box),
        )
        for name, style in ORB_STYLES.items()
    ]


def build(assets, out):
    arts = common.read_art(assets, "creatures")
    common.write(out, "bird.txt", bird(common.read_art(assets, "bird")))
    common.write(out, "bat.txt", bat(common.read_art(assets, "bat")))
    common.write(out, "bug.txt", firefly(arts))
    common.write(out, "nautilus.txt", nautilus(arts))
    common.write(out, "snail.txt", snail(arts))
    common.write(out, "orb.txt", orbs(assets))
