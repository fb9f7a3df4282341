"""Pixel art from text grids: one character per pixel, each standing for a palette colour.

Art source files (assets/**/*.art) hold a legend and named grids:

    # comment
    legend . = clear
    legend o = ink
    legend s = skin
    == standRight
    ..oooo..
    .ossso..

Every grid of one file must use characters of its legend; "clear" is full transparency.
"""
from PIL import Image

import palette


def grid_image(rows, legend):
    """A PIL RGBA image from rows of characters and a legend of character to palette name."""
    width = max(len(row) for row in rows)
    image = Image.new("RGBA", (width, len(rows)), (0, 0, 0, 0))
    for y, row in enumerate(rows):
        for x, character in enumerate(row):
            name = legend.get(character)
            if name is None:
                raise ValueError(f"unknown art character '{character}' in row {y}")
            if name != "clear":
                image.putpixel((x, y), palette.rgba(name))
    return image


def read_art(path):
    """The named grids of an art file as a dict from name to PIL image."""
    legend = {}
    grids = {}
    current = None
    for number, line in enumerate(path.read_text(encoding="ascii").splitlines(), 1):
        if not line.strip() or line.lstrip().startswith("#"):
            continue
        if line.startswith("legend "):
            character, _, name = line[len("legend ") :].partition(" = ")
            if len(character) != 1 or (name != "clear" and name not in palette.PALETTE):
                raise ValueError(f"{path}:{number}: bad legend line")
            legend[character] = name
        elif line.startswith("== "):
            current = line[3:].strip()
            grids[current] = []
        elif current is None:
            raise ValueError(f"{path}:{number}: pixels before the first '== name' line")
        else:
            grids[current].append(line.rstrip())
    return {name: grid_image(rows, legend) for name, rows in grids.items()}


def outlined(image, colour="ink"):
    """The picture with a one-pixel outline of the colour around its opaque pixels, drawn only on
    transparent pixels, in an image one pixel larger on every side."""
    width, height = image.size
    result = Image.new("RGBA", (width + 2, height + 2), (0, 0, 0, 0))
    result.paste(image, (1, 1))
    source = result.copy()
    for y in range(height + 2):
        for x in range(width + 2):
            if source.getpixel((x, y))[3] != 0:
                continue
            neighbours = ((x - 1, y), (x + 1, y), (x, y - 1), (x, y + 1))
            if any(
                0 <= nx < width + 2 and 0 <= ny < height + 2 and source.getpixel((nx, ny))[3] != 0
                for nx, ny in neighbours
            ):
                result.putpixel((x, y), palette.rgba(colour))
    return result


def recoloured(image, swaps):
    """The picture with every pixel of a palette colour named in swaps (palette name to palette
    name) turned into the colour it maps to: colour variants drawn once."""
    table = {palette.rgba(old): palette.rgba(new) for old, new in swaps.items()}
    result = image.copy()
    result.putdata([table.get(pixel, pixel) for pixel in image.getdata()])
    return result
