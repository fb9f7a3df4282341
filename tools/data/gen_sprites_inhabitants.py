"""Sprites of the six races of inhabitants and of the things they wish for.

The art lives in assets/sprites/inhabitants/*.art as text grids drawn facing right and without
their outline. This module assembles frames from those parts, adds the ink outline, mirrors the
left-facing animations and makes colour variants by swapping palette ramps, so each creature is
drawn once.
"""
import dataclasses

from PIL import Image

import palette
import pixelart
import sprites
from sprites import Animation, Frame, box

CLEAR = (0, 0, 0, 0)


# Frames and animations ---------------------------------------------------------------------------

def outlined_frame(size, parts):
    """A frame of the given size: the parts, (image, (x, y)) pasted in order on a canvas one pixel
    smaller than the frame on every side, then outlined."""
    width, height = size
    canvas = Image.new("RGBA", (width - 2, height - 2), CLEAR)
    for image, position in parts:
        paste_inside(canvas, image, position)
    return pixelart.outlined(canvas)


def layered_frame(size, layers):
    """A frame of the given size built from finished (already outlined) layers, pasted in order."""
    canvas = Image.new("RGBA", size, CLEAR)
    for image, position in layers:
        paste_inside(canvas, image, position)
    return canvas


def paste_inside(canvas, image, position):
    """Alpha-composites the image onto the canvas; a part sticking out would be cut silently, so
    it is an error."""
    x, y = position
    if x < 0 or y < 0 or x + image.width > canvas.width or y + image.height > canvas.height:
        raise ValueError(f"a {image.size} part at {position} does not fit a {canvas.size} frame")
    canvas.alpha_composite(image, (x, y))


def timed_frames(images, delays, body):
    """Frames of the pictures with their delays (one number for all, or one each) and box 0."""
    if isinstance(delays, int):
        delays = [delays] * len(images)
    delays = list(delays)
    if len(delays) != len(images):
        raise ValueError(f"{len(images)} pictures but {len(delays)} delays")
    return [Frame(image, delay, [body]) for image, delay in zip(images, delays)]


def facing_pair(template, right_frames, loop=True):
    """The animations template.format("Left") and template.format("Right") from frames that face
    right; the left ones are their mirror images, boxes included."""
    right = Animation(template.format("Right"), right_frames, loop)
    return [sprites.mirrored_animation(right, template.format("Left")), right]


def with_frames(animation, change):
    """The animation with change(frame) in place of each of its frames."""
    return dataclasses.replace(animation, frames=[change(frame) for frame in animation.frames])


def visible_extent(animation_frames):
    """The inclusive box, in sprite-local pixels, around every opaque pixel of the frames as the
    game draws them (shifted by their offsets)."""
    edges = []
    for frame in animation_frames:
        left, top, right, bottom = frame.image.getbbox()
        x, y = frame.offset
        edges.append((left + x, top + y, right + x - 1, bottom + y - 1))
    return box(
        min(each[0] for each in edges),
        min(each[1] for each in edges),
        max(each[2] for each in edges),
        max(each[3] for each in edges),
    )


def with_extent_boxes(animations):
    """The animations with box 1 on every frame: what a carrier holds. It covers the whole
    animation, so that a carried object does not jitter in the hands while it animates."""
    def holding(animation):
        extent = visible_extent(animation.frames)
        return with_frames(
            animation, lambda frame: dataclasses.replace(frame, boxes=frame.boxes[:1] + [extent])
        )

    return [holding(animation) for animation in animations]


# Colour variants ---------------------------------------------------------------------------------

def recoloured_animations(animations, swaps):
    def recoloured(frame):
        return dataclasses.replace(frame, image=pixelart.recoloured(frame.image, swaps))

    return [with_frames(animation, recoloured) for animation in animations]


def ramp_swap(ramp, other):
    """Swaps mapping one ramp of palette names onto another of the same length."""
    if len(ramp) != len(other):
        raise ValueError(f"ramps {ramp} and {other} differ in length")
    return dict(zip(ramp, other))


def colour_variants(stem, animations, ramps, bare_colour=None):
    """A definition stem_<colour>.txt per ramp (stem.txt for the bare colour) from animations
    drawn in the first ramp."""
    drawn_in = next(iter(ramps.values()))
    variants = {}
    for colour, ramp in ramps.items():
        file = f"{stem}.txt" if colour == bare_colour else f"{stem}_{colour}.txt"
        variants[file] = recoloured_animations(animations, ramp_swap(drawn_in, ramp))
    return variants


# Dark, middle and light shades of the fur and shell colours the Dom, its pot and the Oller come in.
FUR_RAMPS = {
    "red": ("blood", "red", "pink"),
    "blue": ("deep", "sea", "sky"),
    "green": ("leaf", "grass", "lime"),
    "orange": ("clay", "orange", "gold"),
    "brown": ("bark", "wood", "sand"),
}


def fur_ramps(colours):
    return {colour: FUR_RAMPS[colour] for colour in colours}


# The Flowrian ------------------------------------------------------------------------------------

FLOWRIAN_SIZE = (16, 24)
FLOWRIAN_BODY = box(3, 2, 12, 23)
# The limping frames (1 and 4) linger.
LIMP_DELAYS = (10, 16, 10, 10, 16, 10)


def flowrian_frame(art, head, legs, body="body", drop=0, head_drop=0):
    """Legs at the bottom, the stem body and the tulip head above them; drop lowers the body and
    head (a dip or a sitting pose), head_drop the head alone (breathing, nodding)."""
    legs_image = art[legs]
    return outlined_frame(
        FLOWRIAN_SIZE,
        [
            (legs_image, (3, 22 - legs_image.height)),
            (art[body], (3, 11 + drop)),
            (art[head], (1, 1 + drop + head_drop)),
        ],
    )


def flowrian_animations(art):
    def standing(head):
        images = [flowrian_frame(art, head, "legsStand", head_drop=d) for d in (0, 1)]
        return timed_frames(images, [40, 24], FLOWRIAN_BODY)

    def sitting(head):
        images = [flowrian_frame(art, head, "legsSit", drop=4, head_drop=d) for d in (0, 1)]
        return timed_frames(images, [50, 30], FLOWRIAN_BODY)

    running = [
        flowrian_frame(art, "headHappy", legs, body, drop)
        for legs, body, drop in (
            ("legsStride", "body", 0),
            ("legsPass", "bodySwing", -1),
            ("legsStride", "bodySwing", 0),
            ("legsPass", "body", -1),
        )
    ]
    # A limp on frames 1 and 4: the game holds the Flowrian still on those frames.
    limping = [
        flowrian_frame(art, "headSad", legs, body, drop)
        for legs, body, drop in (
            ("legsStride", "body", 0),
            ("legsLimp", "body", 1),
            ("legsPass", "bodySwing", 0),
            ("legsStride", "bodySwing", 0),
            ("legsLimp", "bodySwing", 1),
            ("legsPass", "body", 0),
        )
    ]
    return (
        facing_pair("standing{}", standing("headHappy"))
        + facing_pair("running{}", timed_frames(running, 6, FLOWRIAN_BODY))
        + facing_pair("sitting{}", sitting("headHappy"))
        + facing_pair("standing{}Sad", standing("headSad"))
        + facing_pair("sitting{}Sad", sitting("headSad"))
        + facing_pair("walking{}Sad", timed_frames(limping, LIMP_DELAYS, FLOWRIAN_BODY))
    )


# The Dom and its pot -----------------------------------------------------------------------------

# An odd width gives the Dom and its pot a centre column, so the game's centre test (x plus half
# the width, rounded down) lines the Dom up with the pot drawn in its own in-pot frames.
DOM_SIZE = (23, 24)
DOM_BODY = box(2, 4, 20, 23)
# The hop into the pot rises above the frame: climbing frames are taller and drawn higher.
DOM_CLIMB_RISE = 8
DOM_COLOURS = ("red", "blue", "green", "orange")
# Face parts and where they sit on the body, by expression.
DOM_FACES = {
    "side": (("eyesSide", 9, 5), ("mouthSad", 11, 9)),
    "up": (("eyesUp", 10, 3), ("mouthSad", 12, 8)),
    "front": (("eyesSide", 6, 5), ("mouthOpen", 8, 9)),
    "half": (("eyesHalf", 6, 5), ("mouthOpen", 8, 9)),
    "closed": (("eyesClosed", 6, 5), ("mouthOpen", 8, 9)),
    "happy": (("eyesHappy", 5, 6), ("mouthHappy", 7, 9)),
}
DOM_BODY_X = 1
DOM_BODY_Y = 2
DOM_FEET_Y = 19
# Sitting in the pot lifts the Dom just enough for its eyes to clear the rim.
DOM_IN_POT_Y = DOM_BODY_Y - 1


def dom_figure(art, face, feet=None, body_y=DOM_BODY_Y, rise=0, arms=False):
    """The outlined Dom: the body with a face at body_y (feet below it when given), on a frame
    made taller by rise pixels."""
    width, height = DOM_SIZE
    parts = []
    if feet:
        parts.append((art[feet], (DOM_BODY_X, rise + DOM_FEET_Y)))
    if arms:
        parts += [
            (art["arm"], (DOM_BODY_X - 1, rise + body_y + 5)),
            (sprites.mirrored(art["arm"]), (DOM_BODY_X + art["body"].width, rise + body_y + 5)),
        ]
    parts.append((art["body"], (DOM_BODY_X, rise + body_y)))
    for name, x, y in DOM_FACES[face]:
        parts.append((art[name], (DOM_BODY_X + x, rise + body_y + y)))
    return outlined_frame((width, height + rise), parts)


def in_pot(art, figure):
    """The Dom's figure with the pot's front over it: the pot stands on the same ground, so the
    Dom sinks behind its rim."""
    pot = pixelart.outlined(art["pot"])
    return layered_frame(figure.size, [(figure, (0, 0)), (pot, (0, figure.height - pot.height))])


def dom_animations(art):
    def still(faces_and_feet, delays):
        images = [dom_figure(art, face, feet, y) for face, feet, y in faces_and_feet]
        return timed_frames(images, delays, DOM_BODY)

    def breathing(face):
        return still([(face, "feetStand", DOM_BODY_Y), (face, "feetStand", DOM_BODY_Y + 1)],
                     [36, 24])

    def carried(faces):
        images = [
            dom_figure(art, face, feet, DOM_BODY_Y - 1, arms=True)
            for face, feet in zip(faces, ("feetDangle", "feetKick", "feetDangle"))
        ]
        return timed_frames(images, 12, DOM_BODY)

    def potted(faces, delays, dips):
        images = [
            in_pot(art, dom_figure(art, face, body_y=DOM_IN_POT_Y + dip))
            for face, dip in zip(faces, dips)
        ]
        return timed_frames(images, delays, DOM_BODY)

    blink = ("half", "closed", "half")
    return (
        facing_pair("idle{}", breathing("side"))
        + facing_pair("idleUp{}", breathing("up"))
        + [
            Animation("blink", still([(face, "feetStand", DOM_BODY_Y) for face in blink],
                                     [3, 6, 3]), False),
            Animation("carry", carried(("front", "front")), True),
            Animation("carryBlink", carried(blink), False),
        ]
        + facing_pair("shuffle{}", still([("side", "feetStand", DOM_BODY_Y),
                                          ("side", "feetStep", DOM_BODY_Y + 1)], 8))
        + [
            Animation("potClimb", climbing_frames(art), False),
            Animation("inPot", potted(("happy", "happy"), [40, 30], (0, 1)), True),
            Animation("inPotBlink", potted(blink, [3, 6, 3], (0, 0, 0)), False),
        ]
    )


def climbing_frames(art):
    """Crouch, hop over the rim and drop into the pot."""
    rise = DOM_CLIMB_RISE
    poses = (
        (dom_figure(art, "up", "feetCrouch", DOM_BODY_Y + 2, rise), False, 10),
        (dom_figure(art, "up", None, DOM_BODY_Y - 6, rise), False, 8),
        (dom_figure(art, "front", None, DOM_BODY_Y - 8, rise), True, 8),
        (dom_figure(art, "happy", None, DOM_BODY_Y - 3, rise), True, 6),
        (dom_figure(art, "happy", None, DOM_IN_POT_Y, rise), True, 12),
    )
    return [
        Frame(in_pot(art, figure) if behind_rim else figure, delay, [DOM_BODY], (0, -rise))
        for figure, behind_rim, delay in poses
    ]


def pot_animations(art):
    pot = pixelart.outlined(art["pot"])
    return [Animation("pot", [Frame(pot, 60, [sprites.full_box(*pot.size)])])]


def number_animations(digits):
    """Animations "1" to "10": the number in light digits on a dark tag."""
    animations = []
    for number in range(1, 11):
        glyphs = [digits[character] for character in str(number)]
        width = sum(glyph.width for glyph in glyphs) + len(glyphs) + 1
        height = max(glyph.height for glyph in glyphs) + 2
        tag = rounded_tag(width, height)
        x = 1
        for glyph in glyphs:
            paste_inside(tag, glyph, (x, 1))
            x += glyph.width + 1
        frame = Frame(tag, 60, [sprites.full_box(width, height)])
        animations.append(Animation(str(number), [frame]))
    return animations


def rounded_tag(width, height):
    """An ink rectangle with its corner pixels cut away."""
    tag = Image.new("RGBA", (width, height), palette.rgba("ink"))
    for corner in ((0, 0), (width - 1, 0), (0, height - 1), (width - 1, height - 1)):
        tag.putpixel(corner, CLEAR)
    return tag


# The Negg ----------------------------------------------------------------------------------------

NEGG_SIZE = (16, 16)
NEGG_BODY = box(2, 1, 13, 15)
# Darker shade, shade, shell and spots of each colour.
NEGG_RAMPS = {
    "normal": ("fog", "cloud", "white", "sand"),
    "blue": ("deep", "sea", "sky", "white"),
    "gold": ("clay", "orange", "gold", "lemon"),
    "pink": ("violet", "pink", "rose", "white"),
    "green": ("leaf", "grass", "lime", "white"),
}
# How far the face sits right of the front view when the Negg looks to the side.
NEGG_LOOK = 2
NEGG_ROLL_STEPS = 4


def negg_frame(art, eyes="eyes", mouth="mouth", look=0, roll=0):
    """The Negg with the face looking look pixels to the right, its band of spots and face turned
    roll pixels to the right around the shell."""
    surface = art["band"].copy()
    for part, x, y in ((eyes, 4, 5), ("cheeks", 3, 7), (mouth, 5, 8)):
        paste_inside(surface, art[part], (x + look, y))
    shell = art["shell"]
    turned = wrapped_window(surface, -roll, shell.width)
    clipped = Image.new("RGBA", shell.size, CLEAR)
    clipped.paste(turned, (0, 0), shell)
    image = shell.copy()
    image.alpha_composite(clipped)
    return outlined_frame(NEGG_SIZE, [(image, (1, 0))])


def wrapped_window(image, left, width):
    """A width-wide window of the picture starting at column left, wrapping around its sides."""
    left %= image.width
    doubled = Image.new("RGBA", (image.width * 2, image.height), CLEAR)
    doubled.paste(image, (0, 0))
    doubled.paste(image, (image.width, 0))
    return doubled.crop((left, 0, left + width, image.height))


def negg_animations(art):
    band_step = art["band"].width // NEGG_ROLL_STEPS
    rolling = [
        negg_frame(art, look=NEGG_LOOK, roll=step * band_step) for step in range(NEGG_ROLL_STEPS)
    ]

    def chatter(look):
        images = [negg_frame(art, mouth=mouth, look=look) for mouth in ("mouthOpen", "mouth")]
        return timed_frames(images, 8, NEGG_BODY)

    idle = [negg_frame(art), negg_frame(art, eyes="eyesClosed")]
    return (
        [Animation("idle", timed_frames(idle, [100, 8], NEGG_BODY))]
        + facing_pair("roll{}", timed_frames(rolling, 5, NEGG_BODY))
        + [Animation("chatter", chatter(0))]
        + facing_pair("chatter{}", chatter(NEGG_LOOK))
    )


# The Oller ---------------------------------------------------------------------------------------

OLLER_SIZE = (16, 16)
OLLER_BODY = box(2, 6, 13, 15)
OLLER_COLOURS = ("red", "blue", "green", "brown")


def oller_animations(art):
    def poses(names, delays):
        images = [outlined_frame(OLLER_SIZE, [(art[name], (0, 0))]) for name in names]
        return timed_frames(images, delays, OLLER_BODY)

    # The game switches to a carry animation keeping the frame number, so carrying has as many
    # frames as the longest other animation.
    swim = poses(["swimA", "swimB", "swimC", "swimB", "swimA", "swimB"], 6)
    carry = poses(["carryA", "carryB", "carryC"] * 2, 8)
    return (
        facing_pair("idle{}", poses(["idle", "idleTail"], [60, 20]))
        + facing_pair("run{}", poses(["runStretch", "runGather"] * 2, 5))
        + facing_pair("sit{}", poses(["sit", "sitBlink"], [90, 8]))
        + facing_pair("waterIdle{}", poses(["float", "floatPaddle"], 30))
        + facing_pair("swim{}", swim)
        + facing_pair("carry{}", carry)
    )


# The Raam ----------------------------------------------------------------------------------------

RAAM_SIZE = (16, 24)
RAAM_BODY = box(2, 4, 13, 23)


def raam_side(art, legs, head, head_y=0):
    """The Raam seen from the side: legs, woolly body, then the neck and head over the body."""
    return outlined_frame(
        RAAM_SIZE,
        [(art[legs], (1, 17)), (art["body"], (1, 11)), (art[head], (7, head_y))],
    )


def raam_animations(art):
    idle = [outlined_frame(RAAM_SIZE, [(art[name], (0, 0))]) for name in ("front", "frontBlink")]
    walking = [
        raam_side(art, legs, "headUp")
        for legs in ("legsWalkA", "legsStand", "legsWalkB", "legsStand")
    ]
    eating = [
        raam_side(art, "legsStand", head, head_y)
        for head, head_y in (("headDown", 11), ("headDownChew", 10))
    ]
    return (
        [Animation("idle", timed_frames(idle, [120, 8], RAAM_BODY))]
        + facing_pair("walk{}", timed_frames(walking, 8, RAAM_BODY))
        + facing_pair("eating{}", timed_frames(eating, 10, RAAM_BODY))
    )


# The Vonil and its nest --------------------------------------------------------------------------

VONIL_SIZE = (16, 16)
VONIL_BODY = box(2, 3, 13, 14)
# Wing pose, where the wing sits and how far the whole Vonil sinks, for each frame of a
# wingbeat: the downstroke lifts it.
VONIL_WINGBEAT = (("wingUp", (2, 1), 1), ("wingMid", (0, 6), 0), ("wingDown", (2, 7), 0),
                  ("wingMid", (0, 6), 1))
NEST_SIZE = (24, 12)
NEST_BODY = box(0, 5, 23, 11)


def vonil_animations(art):
    images = []
    for wing, (x, y), sink in VONIL_WINGBEAT:
        parts = [
            (art["tail"], (0, 6 + sink)),
            (art["feet"], (4, 11 + sink)),
            (art["crest"], (4, sink)),
            (art["body"], (1, 3 + sink)),
        ]
        body = outlined_frame(VONIL_SIZE, parts)
        wing_image = pixelart.outlined(art[wing])
        images.append(layered_frame(VONIL_SIZE, [(body, (0, 0)), (wing_image, (x, y + sink))]))
    return facing_pair("idle{}", timed_frames(images, 6, VONIL_BODY))


def nest_animations(art):
    def nest(*extras):
        parts = [(art[name], (0, y)) for name, y in extras] + [(art["bowl"], (0, 4))]
        return outlined_frame(NEST_SIZE, parts)

    sad = [nest(("strawsA", 1)), nest(("strawsB", 1))]
    happy = [nest(("down", 0), ("sparkleA", 0)), nest(("down", 0), ("sparkleB", 0))]
    return [
        Animation("sad", timed_frames(sad, 40, NEST_BODY)),
        Animation("happy", timed_frames(happy, 16, NEST_BODY)),
    ]


# What the inhabitants wish for -------------------------------------------------------------------

# Grid names and delay of each wish object's "default" animation, by definition file.
WISHES = {
    "musicBox": (("musicBox", "musicBoxTurned"), 12),
    "accordian": (("accordionOpen", "accordionShut"), 20),
    "apple": (("apple",), 60),
    "blueberry": (("blueberry",), 60),
}


def wish_animations(art, grids, delay):
    images = [pixelart.outlined(art[name]) for name in grids]
    body = sprites.full_box(*images[0].size)
    return with_extent_boxes([Animation("default", timed_frames(images, delay, body))])


# The whole set -----------------------------------------------------------------------------------

def definitions(assets):
    """Every sprite definition of this module: file name to animations."""
    folder = assets / "sprites" / "inhabitants"

    def art(name):
        return pixelart.read_art(folder / f"{name}.art")

    dom_art = art("dom")
    result = {
        "flowrian.txt": flowrian_animations(art("flowrian")),
        "raam.txt": raam_animations(art("raam")),
        "vonil.txt": vonil_animations(art("vonil")),
        "nest.txt": nest_animations(art("nest")),
        "dom_numbers.txt": number_animations(art("domNumbers")),
    }
    result.update(colour_variants("negg", negg_animations(art("negg")), NEGG_RAMPS, "normal"))
    ollers = with_extent_boxes(oller_animations(art("oller")))
    result.update(colour_variants("oller", ollers, fur_ramps(OLLER_COLOURS), "red"))
    doms = with_extent_boxes(dom_animations(dom_art))
    result.update(colour_variants("dom", doms, fur_ramps(DOM_COLOURS)))
    result.update(colour_variants("domPot", pot_animations(dom_art), fur_ramps(DOM_COLOURS)))
    wishes = art("wishes")
    for name, (grids, delay) in WISHES.items():
        result[f"{name}.txt"] = wish_animations(wishes, grids, delay)
    return result


def build(assets, out):
    for file, animations in definitions(assets).items():
        sprites.write_sprite(out, file, file.replace(".txt", ".png"), animations)
