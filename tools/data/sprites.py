"""Building sprite definitions and their sheets.

A generator describes each sprite as animations of frames (PIL images with a delay and bounding
boxes); write_sprite packs the frames into a power-of-two sheet, writes the sheet PNG and the
definition text, and checks the result against assets/sprites/catalog.txt.
"""
import dataclasses
import pathlib
import re

from PIL import Image

import datafiles

CATALOG_PATH = pathlib.Path(__file__).resolve().parents[2] / "assets" / "sprites" / "catalog.txt"


@dataclasses.dataclass
class Frame:
    """One frame: the picture, its display time in ticks, and its boxes in sprite-local pixels
    (inclusive edges, not shifted by the offset)."""

    image: Image.Image
    delay: int
    boxes: list
    offset: tuple = (0, 0)


@dataclasses.dataclass
class Animation:
    name: str
    frames: list
    loop: bool = True


@dataclasses.dataclass
class Requirement:
    """What the game's code asks of one animation."""

    name: str
    must_not_loop: bool
    minimum_frames: int


@dataclasses.dataclass
class CatalogEntry:
    file: str
    needs_box1: bool
    animations: list


def read_catalog(path=CATALOG_PATH):
    """The catalog as a dict from definition file name to CatalogEntry."""
    entries = {}
    for line in path.read_text(encoding="ascii").splitlines():
        words = line.split("#", 1)[0].split()
        if not words:
            continue
        file, rest = words[0], words[1:]
        needs_box1 = bool(rest) and rest[0] == "box1"
        if needs_box1:
            rest = rest[1:]
        requirements = []
        for word in rest:
            match = re.fullmatch(r"([^!>]+)(!)?(?:>=(\d+))?", word)
            if not match:
                raise ValueError(f"{path}: cannot read animation '{word}'")
            requirements.append(Requirement(match[1], bool(match[2]), int(match[3] or 1)))
        entries[file] = CatalogEntry(file, needs_box1, requirements)
    return entries


def box(left, top, right, bottom):
    """A bounding box with inclusive edges."""
    return (left, top, right, bottom)


def full_box(width, height):
    """The box covering a whole width x height frame."""
    return box(0, 0, width - 1, height - 1)


class Sheet:
    """Packs frames into rows of a sheet whose sides end up powers of two. Identical pictures
    share one place."""

    ROW_WIDTH = 256

    def __init__(self):
        self._placed = []
        self._known = {}
        self._x = 0
        self._y = 0
        self._row_height = 0
        self._width = 0

    def place(self, image):
        """The (left, top, right, bottom) of the picture in the sheet; right and bottom exclusive."""
        key = (image.size, image.tobytes())
        if key in self._known:
            return self._known[key]
        width, height = image.size
        if self._x + width > max(self.ROW_WIDTH, width):
            self._x, self._y = 0, self._y + self._row_height
            self._row_height = 0
        rect = (self._x, self._y, self._x + width, self._y + height)
        self._placed.append((image, rect))
        self._known[key] = rect
        self._x += width
        self._row_height = max(self._row_height, height)
        self._width = max(self._width, self._x)
        return rect

    def image(self):
        size = (power_of_two(self._width), power_of_two(self._y + self._row_height))
        sheet = Image.new("RGBA", size, (0, 0, 0, 0))
        for image, rect in self._placed:
            sheet.paste(image, rect[:2])
        return sheet


def power_of_two(value):
    size = 1
    while size < value:
        size *= 2
    return size


def definition_text(sheet_name, animations, sheet):
    lines = ["VERSION: 1", f"IMAGE: {sheet_name}"]
    for animation in animations:
        lines += [
            f"[{animation.name}]",
            f"LOOP: {'True' if animation.loop else 'False'}",
            f"NUMBER_OF_FRAMES: {len(animation.frames)}",
        ]
        for frame in animation.frames:
            left, top, right, bottom = sheet.place(frame.image)
            lines += [
                f"FRAME_COORDS: {left}, {top}, {right}, {bottom}, {frame.offset[0]}, {frame.offset[1]}",
                f"DELAY: {frame.delay}",
                f"NUMBER_OF_BOUNDING_BOXES: {len(frame.boxes)}",
            ]
            lines += [f"BBOX_COORDS: {l}, {t}, {r}, {b}" for (l, t, r, b) in frame.boxes]
    return "\n".join(lines) + "\n"


def check_against_catalog(file, animations, catalog):
    """Raises ValueError naming everything the catalog asks that the animations lack."""
    entry = catalog.get(file)
    if entry is None:
        raise ValueError(f"{file} is not in {CATALOG_PATH.name}")
    by_name = {animation.name: animation for animation in animations}
    problems = []
    for requirement in entry.animations:
        animation = by_name.get(requirement.name)
        if animation is None:
            problems.append(f"missing animation {requirement.name}")
            continue
        if requirement.must_not_loop and animation.loop:
            problems.append(f"{requirement.name} must not loop")
        if len(animation.frames) < requirement.minimum_frames:
            problems.append(f"{requirement.name} needs {requirement.minimum_frames} frames")
    for animation in animations:
        wanted = 2 if entry.needs_box1 else 1
        if any(len(frame.boxes) < wanted for frame in animation.frames):
            problems.append(f"{animation.name} has a frame with fewer than {wanted} boxes")
    if problems:
        raise ValueError(f"{file}: " + "; ".join(problems))


def write_sprite(out, file, sheet_name, animations, catalog=None):
    """Writes sprites/<sheet_name> and sprites/<file> under out after checking the catalog."""
    check_against_catalog(file, animations, catalog or read_catalog())
    sheet = Sheet()
    text = definition_text(sheet_name, animations, sheet)
    datafiles.write_png(out / "sprites" / sheet_name, sheet.image())
    datafiles.write_text(out / "sprites" / file, text)


def mirrored(image):
    """The picture mirrored left to right (facing the other way)."""
    return image.transpose(Image.Transpose.FLIP_LEFT_RIGHT)


def mirrored_box(frame_box, width):
    """A box mirrored left to right inside a frame of the given width."""
    left, top, right, bottom = frame_box
    return (width - 1 - right, top, width - 1 - left, bottom)


def mirrored_animation(animation, name):
    """The animation facing the other way: every picture and box mirrored left to right."""
    return Animation(
        name,
        [
            Frame(
                mirrored(frame.image),
                frame.delay,
                [mirrored_box(b, frame.image.width) for b in frame.boxes],
                frame.offset,
            )
            for frame in animation.frames
        ],
        animation.loop,
    )
