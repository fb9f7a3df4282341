"""The tilesets: each assets/tilesets/<name>.legend lists the tiles of tilesets/<name>.png and
the painter (tileart.py) that draws each; the map compiler reads the same legends."""
from PIL import Image

import datafiles
import tileart

COLUMNS = 16
ROWS = 8
AUTOMATIC_VARIANTS = 16


def legend_entries(path):
    """(kind, character, index, painter, arguments) for every entry of a legend file."""
    entries = []
    for line in path.read_text(encoding="ascii").splitlines():
        words = line.split()
        if not words or words[0].startswith("#"):
            continue
        kind, character, index, painter, *arguments = words
        entries.append((kind, character, int(index), painter, arguments))
    return entries


def tileset_image(entries):
    image = Image.new("RGBA", (COLUMNS * tileart.SIZE, ROWS * tileart.SIZE), (0, 0, 0, 0))
    for kind, _, index, painter, arguments in entries:
        masks = range(AUTOMATIC_VARIANTS) if kind == "auto" else [None]
        for offset, mask in enumerate(masks):
            cell = index + offset
            position = ((cell % COLUMNS) * tileart.SIZE, (cell // COLUMNS) * tileart.SIZE)
            image.paste(tileart.paint(painter, arguments, mask), position)
    return image


def build(assets, out):
    for legend in sorted((assets / "tilesets").glob("*.legend")):
        image = tileset_image(legend_entries(legend))
        datafiles.write_png(out / "tilesets" / (legend.stem + ".png"), image)
