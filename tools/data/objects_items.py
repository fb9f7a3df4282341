"""Powerups and the hex nut: 16x16 icons that glint with a sweep of light and shrink away when
taken; the power fist shakes instead of glinting."""
import pixelart
import sprites

import objects_common as common

SIZE = (16, 16)
BODY_BOX = sprites.box(1, 1, 14, 14)
GLINT_PAUSE = 60
GLINT_STEP = 2
SHRINK_STEP = 3

# Definition file of each icon of assets/sprites/objects/powerups.art that glints.
GLINTING = {
    "map": "mapCompiled.txt",
    "doubleJump": "doubleJumpCompiled.txt",
    "wallJump": "wallJumpCompiled.txt",
    "highJump": "highJumpCompiled.txt",
    "gravMagnet": "gravMagnetCompiled.txt",
    "booster": "booster.txt",
    "hexNut": "hexNut.txt",
}


def glint(icon):
    """A still icon, then the light sweeping over it."""
    return [sprites.Frame(icon, GLINT_PAUSE, [BODY_BOX])] + common.frames(
        common.shine_sweep(icon), GLINT_STEP, [BODY_BOX]
    )


def shrink(body):
    """The icon shrinking to nothing, played once when it is taken."""
    return sprites.Animation(
        "shrink", common.frames(common.shrinking(body, SIZE), SHRINK_STEP, [BODY_BOX]), loop=False
    )


def shake(body):
    """The fist at rest, then trembling a pixel to each side."""
    fist = pixelart.outlined(body)
    x, y = (SIZE[0] - fist.width) // 2, (SIZE[1] - fist.height) // 2
    rest = common.on_canvas(fist, SIZE, (x, y))
    left, right = (common.on_canvas(fist, SIZE, (x + dx, y)) for dx in (-1, 1))
    shakes = [left, right, left, right]
    return [sprites.Frame(rest, 40, [BODY_BOX])] + common.frames(shakes, 2, [BODY_BOX])


def build(assets, out):
    bodies = common.read_art(assets, "powerups")
    for name, file in GLINTING.items():
        icon = common.on_canvas(pixelart.outlined(bodies[name]), SIZE)
        common.write(out, file, [sprites.Animation("shine", glint(icon)), shrink(bodies[name])])
    fist = bodies["powerFist"]
    shaking = sprites.Animation("shake", shake(fist))
    common.write(out, "powerFistCompiled.txt", [shaking, shrink(fist)])
