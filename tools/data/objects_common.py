"""Drawing helpers shared by the world-object sprites: colour ramps and palette swaps, the shine
sweep, shrinking, rotation, frame building and the checks every object sprite must pass."""
import pathlib

from PIL import Image

import palette
import pixelart
import sprites

ART_FOLDER = pathlib.Path("sprites") / "objects"

# Four shades per colour style, darkest first. Styled art is drawn in "red" and swapped.
RAMPS = {
    "red": ("blood", "red", "pink", "rose"),
    "purple": ("plum", "violet", "rose", "white"),
    "pink": ("violet", "pink", "rose", "white"),
    "green": ("moss", "leaf", "grass", "lime"),
    "grey": ("slate", "steel", "fog", "cloud"),
    "gold": ("clay", "gold", "lemon", "white"),
    "blue": ("deep", "sea", "sky", "white"),
}

# The next brighter palette colour, for highlights that stay inside the palette. Ink is missing
# on purpose: outlines never light up.
BRIGHTER = {
    "night": "slate", "slate": "steel", "steel": "fog", "fog": "cloud", "cloud": "white",
    "bark": "wood", "wood": "clay", "clay": "sand", "sand": "skin", "skin": "white",
    "blood": "red", "red": "pink", "orange": "gold", "gold": "lemon", "lemon": "white",
    "moss": "leaf", "leaf": "grass", "grass": "lime", "lime": "white",
    "deep": "sea", "sea": "sky", "sky": "white",
    "plum": "violet", "violet": "pink", "pink": "rose", "rose": "white",
}

_NAME_OF_COLOUR = {rgb: name for name, rgb in palette.PALETTE.items()}


def read_art(assets, name):
    """The grids of assets/sprites/objects/<name>.art."""
    return pixelart.read_art(assets / ART_FOLDER / f"{name}.art")


def colour_name(pixel):
    """The palette name of an RGBA pixel's colour."""
    return _NAME_OF_COLOUR[pixel[:3]]


def ramp_swapped(image, style, source_style="red"):
    """The picture drawn in the source style's ramp, repainted in another style's ramp."""
    return pixelart.recoloured(image, dict(zip(RAMPS[source_style], RAMPS[style])))


def brightened(image, inside):
    """The picture with every opaque pixel for which inside(x, y) holds one shade brighter."""
    result = image.copy()
    pixels = result.load()
    for y in range(result.height):
        for x in range(result.width):
            pixel = pixels[x, y]
            if pixel[3] and inside(x, y) and colour_name(pixel) in BRIGHTER:
                pixels[x, y] = palette.rgba(BRIGHTER[colour_name(pixel)], pixel[3])
    return result


def shine_sweep(image, stride=3, band=4):
    """Pictures of a diagonal band of light crossing the picture from top left to bottom right,
    brightest along its middle. Pictures the band leaves unchanged are left out."""
    pictures = []
    for at in range(-band, image.width + image.height, stride):
        lit = brightened(image, lambda x, y, at=at: at <= x + y < at + band)
        lit = brightened(lit, lambda x, y, at=at: at + 1 <= x + y < at + band - 1)
        if lit.tobytes() != image.tobytes():
            pictures.append(lit)
    return pictures


def on_canvas(image, size, at=None):
    """The picture pasted on a transparent canvas of the size, centred unless a corner is given."""
    canvas = Image.new("RGBA", size, (0, 0, 0, 0))
    if at is None:
        at = ((size[0] - image.width) // 2, (size[1] - image.height) // 2)
    canvas.paste(image, at, image)
    return canvas


def shrinking(body, size, scales=(0.75, 0.5, 0.25)):
    """Outlined pictures of the (not yet outlined) body shrinking to nothing around its centre."""
    pictures = []
    for scale in scales:
        width = max(1, round(body.width * scale))
        height = max(1, round(body.height * scale))
        small = body.resize((width, height), Image.Resampling.NEAREST)
        pictures.append(on_canvas(pixelart.outlined(small), size))
    pictures.append(Image.new("RGBA", size, (0, 0, 0, 0)))
    return pictures


def frames(pictures, delay, boxes):
    """Frames of the pictures, all with the same delay and boxes."""
    return [sprites.Frame(picture, delay, list(boxes)) for picture in pictures]


def rotated(image, quarter_turns):
    """The picture turned counter-clockwise by the number of quarter turns."""
    turns = quarter_turns % 4
    return image.rotate(90 * turns, expand=True) if turns else image.copy()


def rotated_box(frame_box, size, quarter_turns):
    """A box in a width x height frame, turned counter-clockwise like rotated()."""
    left, top, right, bottom = frame_box
    width, height = size
    for _ in range(quarter_turns % 4):
        left, top, right, bottom = top, width - 1 - right, bottom, width - 1 - left
        width, height = height, width
    return (left, top, right, bottom)


def flipped(image):
    """The picture upside down."""
    return image.transpose(Image.Transpose.FLIP_TOP_BOTTOM)


def flipped_box(frame_box, height):
    """A box in a frame of the height, turned upside down like flipped()."""
    left, top, right, bottom = frame_box
    return (left, height - 1 - bottom, right, height - 1 - top)


def check_animations(file, animations):
    """Raises ValueError when a box leaves its frame, a colour is not in the palette, or an
    animation shows the same picture twice in a row (it would seem to stall)."""
    for animation in animations:
        where = f"{file} [{animation.name}]"
        for frame in animation.frames:
            width, height = frame.image.size
            for left, top, right, bottom in frame.boxes:
                if not (0 <= left <= right < width and 0 <= top <= bottom < height):
                    raise ValueError(f"{where}: box {left, top, right, bottom} leaves the frame")
            for _, pixel in frame.image.getcolors(width * height):
                if pixel[3] and pixel[:3] not in _NAME_OF_COLOUR:
                    raise ValueError(f"{where}: colour {pixel} is not in the palette")
        pictures = [frame.image.tobytes() for frame in animation.frames]
        if len(pictures) > 1 and any(a == b for a, b in zip(pictures, pictures[1:])):
            raise ValueError(f"{where}: two consecutive frames are the same picture")


def write(out, file, animations):
    """Checks the animations and writes the definition with a sheet named after it."""
    check_animations(file, animations)
    sprites.write_sprite(out, file, file.replace(".txt", ".png"), animations)
