"""The small sprites shown with the player and the inhabitants: the magnet pulse, tears, water
bubbles and splashes, the floating signs of happy and sad inhabitants and the thought-bubble
pictures.

Pictures that are drawn by hand live in assets/sprites/player/effects.art without an outline;
rings, arcs and bursts are drawn here from a few numbers. Thought-bubble pictures stay within
16x16 and keep a zero offset, so the bubble centres them steadily.
"""
import math
import random

from PIL import Image, ImageDraw

import gen_sprites_player
import palette
import pixelart
import sprites
from gen_sprites_player import per_frame
from sprites import Animation, Frame

CLEAR = (0, 0, 0, 0)


def frames_of(images, delays, offsets=(0, 0)):
    """Frames whose box 0 covers the whole picture. delays and offsets are one value for all
    frames or a list with one per frame."""
    count = len(images)
    return [
        Frame(image, delay, [sprites.full_box(*image.size)], offset)
        for image, delay, offset in zip(images, per_frame(delays, count), per_frame(offsets, count))
    ]


def placed(size, parts):
    """A canvas of the given size with the (image, (x, y)) parts composited in order."""
    canvas = Image.new("RGBA", size, CLEAR)
    for image, position in parts:
        canvas.alpha_composite(image, position)
    return canvas


def dot(image, x, y, colour, alpha=255):
    if 0 <= x < image.width and 0 <= y < image.height:
        image.putpixel((x, y), palette.rgba(colour, alpha))


# Around the player -------------------------------------------------------------------------------

PULSE_SIZE = (40, 48)
PULSE_OFFSET = (-12, -12)  # centres the rings on the middle of the 16x24 player
PULSE_RINGS = (("white", 255), ("sky", 220), ("sky", 150), ("sea", 90))


def magnet_pulse():
    """Rings that swell outwards from the player, two at a time."""
    centre_x, centre_y = PULSE_SIZE[0] // 2, PULSE_SIZE[1] // 2
    images = []
    for step in range(len(PULSE_RINGS)):
        image = Image.new("RGBA", PULSE_SIZE, CLEAR)
        draw = ImageDraw.Draw(image)
        for ring in (step, (step + 2) % len(PULSE_RINGS)):
            colour, alpha = PULSE_RINGS[ring]
            half_width, half_height = 9 + 3 * ring, 13 + 3 * ring
            draw.ellipse(
                (centre_x - half_width, centre_y - half_height,
                 centre_x + half_width - 1, centre_y + half_height - 1),
                outline=palette.rgba(colour, alpha),
            )
        images.append(image)
    return [Animation("pulse", frames_of(images, 5, PULSE_OFFSET))]


TEARS_SIZE = (32, 24)
TEARS_OFFSET = (-8, 0)


def pickup_tears(eye):
    """Tears squirting out in two arcs from the eye at eye (player pixels, facing right). The game
    draws them whichever way the player faces, so they spring from both sides of the head."""
    drop = pixelart.outlined(solid((2, 2), "sky"))
    drop.putpixel((1, 1), palette.rgba("white"))
    images = []
    for phase in range(4):
        stream = Image.new("RGBA", TEARS_SIZE, CLEAR)
        for time in (phase, phase + 4):
            x = eye[0] - TEARS_OFFSET[0] + round(1.5 * time)
            y = eye[1] + round(-2 * time + 0.4 * time * time)
            if y + drop.height <= TEARS_SIZE[1] and x + drop.width <= TEARS_SIZE[0]:
                stream.alpha_composite(drop, (x - 1, y - 1))
        # The frame is centred on the player, so its mirror image is the other eye's stream.
        both = stream.copy()
        both.alpha_composite(sprites.mirrored(stream))
        images.append(both)
    return [Animation("default", frames_of(images, 4, TEARS_OFFSET))]


def solid(size, colour):
    return Image.new("RGBA", size, palette.rgba(colour))


# Thought-bubble pictures -------------------------------------------------------------------------

def zep(art):
    """A little beetle walking on the spot, bobbing with its steps."""
    images = [
        pixelart.outlined(placed((9, 10), [(art[legs], (0, 7 + bob)), (art["zepBody"], (0, bob))]))
        for legs, bob in (("zepLegsA", 0), ("zepLegsB", 1), ("zepLegsA", 1), ("zepLegsB", 0))
    ]
    return [Animation("walkingRight", frames_of(images, 7))]


def bobbing(art, name, size, animation, delays=(16, 12)):
    """The sign moving a pixel down and back, like something bounced in the bubble."""
    images = [pixelart.outlined(placed(size, [(art[name], (0, drop))])) for drop in (0, 1)]
    return [Animation(animation, frames_of(images, list(delays)))]


def heart(art):
    """A beating heart, and a broken one whose halves twitch apart."""
    beating = [
        pixelart.outlined(placed((7, 7), [(art["heart"], (0, 0))])),
        pixelart.outlined(placed((7, 7), [(art["heartSmall"], (1, 1))])),
    ]
    # The outline fills the gap between the halves: a dark crack that opens and closes.
    broken = [
        pixelart.outlined(placed((9, 8), [(art["heartLeftHalf"], (0, 0)),
                                          (art["heartRightHalf"], (5, 0))])),
        pixelart.outlined(placed((9, 8), [(art["heartLeftHalf"], (0, 1)),
                                          (art["heartRightHalf"], (6, 0))])),
    ]
    return [
        Animation("normal", frames_of(beating, [12, 8])),
        Animation("broken", frames_of(broken, [24, 10])),
    ]


def negg_follow(player_art):
    """The explorer's face: a Negg thinking of the one it follows."""
    head = player_art["head"]
    closed = gen_sprites_player.closed_eyes(head)
    images = [
        pixelart.outlined(placed((8, 9), [(head, (0, 0))])),
        pixelart.outlined(placed((8, 9), [(head, (0, 1))])),
        pixelart.outlined(placed((8, 9), [(closed, (0, 1))])),
    ]
    return [Animation("default", frames_of(images, [20, 16, 6]))]


def wave(art):
    """A rolling wave, what a sad Oller longs for: the crest travels along the water."""
    crest = art["crest"]
    width = crest.width
    images = []
    for step in range(4):
        water = placed((width, 7), [(solid((width, 3), "sea"), (0, 4))])
        for y in range(5, 7):
            for x in range(width):
                if (x + y + step) % 3 == 0:
                    dot(water, x, y, "deep")
        shift = step * width // 4
        water.alpha_composite(crest.crop((width - shift, 0, width, crest.height)), (0, 1))
        water.alpha_composite(crest.crop((0, 0, width - shift, crest.height)), (shift, 1))
        images.append(pixelart.outlined(water))
    return [Animation("wave", frames_of(images, 8))]


# Over the inhabitants ----------------------------------------------------------------------------

GLOW_SIZE = (24, 24)
GLOW_OFFSET = (-4, -4)  # around a 16x16 Negg


def negg_glow():
    """Four sparkles circling a happy Negg over a faint golden halo."""
    centre = GLOW_SIZE[0] / 2 - 0.5
    images = []
    for step in range(4):
        image = Image.new("RGBA", GLOW_SIZE, CLEAR)
        ImageDraw.Draw(image).ellipse((1, 1, GLOW_SIZE[0] - 2, GLOW_SIZE[1] - 2),
                                      outline=palette.rgba("lemon", 70 + 30 * (step % 2)))
        for spark in range(4):
            angle = math.radians(90 * spark + 22.5 * step)
            gen_sprites_player.twinkle(image, round(centre + 10 * math.cos(angle)),
                                       round(centre + 10 * math.sin(angle)), "lemon")
        images.append(image)
    return [Animation("glow", frames_of(images, 6, GLOW_OFFSET))]


NOTE_PATH = ((3, -5), (4, -7), (4, -9), (3, -11), (2, -13), (2, -15))


def happy_note(art):
    """A note that rises and sways above a cheered-up inhabitant, then starts again."""
    note = pixelart.outlined(art["note"])
    return [Animation("float", frames_of([note] * len(NOTE_PATH), 8, list(NOTE_PATH)))]


STARS_SIZE = (24, 16)
STARS_OFFSET = (-4, 0)  # centred over a 16-pixel-wide inhabitant
STAR_DIRECTIONS = ((-1.6, -1.2), (0.0, -1.8), (1.6, -1.2))


def happy_stars(art):
    """Three stars burst upwards, shrink to sparkles and are gone; played once."""
    star, spark = pixelart.outlined(art["star"]), pixelart.outlined(art["sparkle"])
    images = []
    for time in range(7):
        image = Image.new("RGBA", STARS_SIZE, CLEAR)
        picture = star if time < 4 else spark
        if time < 6:
            for dx, dy in STAR_DIRECTIONS:
                x = round(STARS_SIZE[0] / 2 + dx * time) - picture.width // 2
                y = round(STARS_SIZE[1] - 4 + dy * time) - picture.height // 2
                image.alpha_composite(picture, (max(0, x), max(0, y)))
        images.append(image)
    return [Animation("float", frames_of(images, 5), loop=False)]


def sad_tear(art):
    """A tear that wells up beside the face and falls."""
    tear = pixelart.outlined(art["tear"])
    images = [placed((tear.width, 14), [(tear, (0, drop))]) for drop in (0, 2, 4, 7)]
    return [Animation("float", frames_of(images, [20, 6, 6, 6], (11, 2)))]


# Water -------------------------------------------------------------------------------------------

def water_bubble(size, squashed):
    """A round bubble of the given size with a white glint; squashed flattens it a little."""
    image = Image.new("RGBA", (size, size), CLEAR)
    if size <= 2:
        image.paste(palette.rgba("sky"), (0, 0, size, size))
        image.putpixel((0, 0), palette.rgba("white"))
        if squashed:
            image.putpixel((1, 1), CLEAR)
        return image
    top = 1 if squashed else 0
    draw = ImageDraw.Draw(image)
    draw.ellipse((0, top, size - 1, size - 1), fill=palette.rgba("sky", 60),
                 outline=palette.rgba("sky"))
    image.putpixel((1, top + 1), palette.rgba("white"))
    return image


def water_bubbles():
    """Animations "1" to "5", bubbles two to six pixels wide; box 0 is the bubble's size."""
    return [
        Animation(str(size - 1),
                  frames_of([water_bubble(size, False), water_bubble(size, True)], [10, 8]))
        for size in range(2, 7)
    ]


SPLASH_SIZE = (24, 24)
SPLASH_OFFSET = (-4, 0)  # the player's feet are at the surface when it goes in or out
SPLASH_SURFACE = 21


def water_splash():
    """A crown of water thrown up from the surface, drops that fly and fall back and a ripple
    that spreads; played once."""
    drop = pixelart.outlined(solid((2, 2), "white"), "sea")
    drop.putpixel((2, 2), palette.rgba("sky"))
    rng = random.Random(5)
    flights = [(rng.uniform(-2.4, 2.4), rng.uniform(-4.6, -3.0)) for _ in range(7)]
    centre = SPLASH_SIZE[0] // 2
    images = []
    for time in range(6):
        image = Image.new("RGBA", SPLASH_SIZE, CLEAR)
        crown = (3, 6, 4, 0, 0, 0)[time]
        for side in (-1, 1):
            for height in range(crown):
                x = centre + side * (3 + height // 2) - (side < 0)
                dot(image, x, SPLASH_SURFACE - height, "white" if height else "sky")
        ripple = 3 + 2 * time
        for x in range(centre - ripple, centre + ripple):
            dot(image, x, SPLASH_SURFACE, "white" if (x + time) % 4 else "sky")
        for speed_x, speed_y in flights:
            step = time + 1
            x = round(centre + speed_x * step) - 2
            y = round(SPLASH_SURFACE - 2 + speed_y * step + 0.55 * step * step)
            if y + drop.height <= SPLASH_SURFACE:
                image.alpha_composite(drop, (x, max(0, y)))
        images.append(image)
    return [Animation("splash", frames_of(images, 4, SPLASH_OFFSET), loop=False)]


BUBBLE_PICTURE_SIZE = (16, 16)


def check_bubble_picture(file, animations):
    """A thought bubble sizes its cloud from the largest frame and the offsets; pictures larger
    than 16x16 or with offsets would stretch it or make it jump."""
    for animation in animations:
        for frame in animation.frames:
            width, height = frame.image.size
            too_big = width > BUBBLE_PICTURE_SIZE[0] or height > BUBBLE_PICTURE_SIZE[1]
            if too_big or frame.offset != (0, 0):
                raise ValueError(f"{file} {animation.name}: not a steady picture of at most 16x16")


def build(assets, out):
    art = pixelart.read_art(assets / "sprites" / "player" / "effects.art")
    player_art = pixelart.read_art(assets / "sprites" / "player" / "player.art")
    bubble_pictures = {
        "zep.txt": zep(art),
        "exclamationPoint.txt": bobbing(art, "exclamation", (2, 9), "normal"),
        "questionMark.txt": bobbing(art, "question", (5, 9), "normal"),
        "heart.txt": heart(art),
        "neggFollow.txt": negg_follow(player_art),
        "wave.txt": wave(art),
    }
    for file, animations in bubble_pictures.items():
        check_bubble_picture(file, animations)
    others = {
        "GravityMagnetPulse.txt": magnet_pulse(),
        "pickupTears.txt": pickup_tears(gen_sprites_player.crouching_eye(player_art)),
        "neggGlow.txt": negg_glow(),
        "happyNote.txt": happy_note(art),
        "happyStars.txt": happy_stars(art),
        "sadTear.txt": sad_tear(art),
        "waterBubble.txt": water_bubbles(),
        "waterSplash.txt": water_splash(),
    }
    for file, animations in {**bubble_pictures, **others}.items():
        sprites.write_sprite(out, file, file.replace(".txt", ".png"), animations)
