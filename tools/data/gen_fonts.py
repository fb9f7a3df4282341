"""The game's three TrueType fonts, built with fontTools from the pixel grids of
assets/fonts/pixelfont.txt (Corvane Pixel, our own typeface).

The game opens fonts by these names: c64.ttf (every screen; a polygon font from the resource
manager, sizes 9 to 40), Skia.ttf (the numbers on inhabitant doors, size 10) and Editor.ttf (the
editor, size 12, as texture and polygon font). All three draw the same glyphs; they differ in how
many pixels make one em, chosen so that the size the game uses most maps one glyph pixel onto one
screen pixel: c64 and Skia have a 10-pixel em (8 above the baseline, 2 below), Editor a 12-pixel em
(9 above, 3 below), so at those sizes the line box is exactly the font size.

Each glyph's ink is a set of rectangles that never overlap: FTGL tessellates the outlines of a
polygon font, and overlapping contours would leave holes. Every rectangle is wound clockwise, as
TrueType wants of filled outer contours. The head table's dates are fixed so that a rebuild writes
identical bytes.
"""
import io

from fontTools.agl import UV2AGL
from fontTools.fontBuilder import FontBuilder
from fontTools.misc.timeTools import timestampSinceEpoch
from fontTools.pens.ttGlyphPen import TTGlyphPen

import datafiles

# Font units per glyph pixel.
PIXEL = 100
# Grid geometry of assets/fonts/pixelfont.txt: 5 x 9 cells, of which the top 7 rows stand on the
# baseline; each glyph advances by 6 cells.
GRID_WIDTH = 5
GRID_HEIGHT = 9
ROWS_ABOVE_BASELINE = 7
ADVANCE = 6
CAP_HEIGHT = 7
X_HEIGHT = 5
FIRST_CODE = 0x20
LAST_CODE = 0x7E
# 00:00:00 UTC on 1 January 2025: the fonts' creation and modification date, fixed for
# reproducible output (fontTools would otherwise stamp the time of the build).
FONT_DATE = timestampSinceEpoch(1735689600)
VERSION = "Version 1.000"

# File name, family name, em in pixels, pixels above and below the baseline of the line box.
FONTS = (
    ("c64.ttf", "Corvane Pixel", 10, 8, 2),
    ("Skia.ttf", "Corvane Pixel Door", 10, 8, 2),
    ("Editor.ttf", "Corvane Pixel Editor", 12, 9, 3),
)

# The glyph shown for characters the font lacks: a hollow box, as rows like the source's.
NOTDEF_ROWS = ("#####", "#...#", "#...#", "#...#", "#...#", "#...#", "#####", ".....", ".....")


def read_glyphs(path):
    """The source's glyphs as a dict from character code to its rows of '#' and '.'."""
    glyphs = {}
    current = None
    for number, line in enumerate(path.read_text(encoding="ascii").split("\n"), 1):
        where = f"{path}:{number}"
        if not line or line.startswith(";"):
            continue
        if line.startswith("== "):
            code = int(line[3:].split(" ", 1)[0], 16)
            if not FIRST_CODE <= code <= LAST_CODE or code in glyphs:
                raise ValueError(f"{where}: code {code:#x} out of range or repeated")
            current = glyphs[code] = []
        elif current is None or len(current) == GRID_HEIGHT:
            raise ValueError(f"{where}: row outside a glyph (each glyph has {GRID_HEIGHT} rows)")
        elif len(line) != GRID_WIDTH or set(line) - set("#."):
            raise ValueError(f"{where}: a row is {GRID_WIDTH} cells of '#' or '.'")
        else:
            current.append(line)
    missing = [f"{code:#x}" for code in range(FIRST_CODE, LAST_CODE + 1) if code not in glyphs]
    short = [f"{code:#x}" for code, rows in glyphs.items() if len(rows) != GRID_HEIGHT]
    if missing or short:
        raise ValueError(f"{path}: missing glyphs {missing}, glyphs without 9 rows {short}")
    return glyphs


def rectangles(rows):
    """The ink as non-overlapping rectangles (left, top, right, bottom) in cells, right and bottom
    exclusive: one per maximal horizontal run, merged downwards while the next row has a run with
    the same ends."""
    done = []
    open_runs = {}  # (left, right) -> top row of the rectangle growing down through this row
    for y, row in enumerate(list(rows) + ["." * GRID_WIDTH]):
        runs = []
        x = 0
        while x < len(row):
            if row[x] == "#":
                start = x
                while x < len(row) and row[x] == "#":
                    x += 1
                runs.append((start, x))
            else:
                x += 1
        for run, top in list(open_runs.items()):
            if run not in runs:
                done.append((run[0], top, run[1], y))
                del open_runs[run]
        for run in runs:
            open_runs.setdefault(run, y)
    return sorted(done, key=lambda box: (box[1], box[0]))


def outline(rows):
    """A TrueType glyph of the rows: each rectangle a clockwise contour, y up from the baseline."""
    pen = TTGlyphPen(None)
    for left, top, right, bottom in rectangles(rows):
        x0, x1 = left * PIXEL, right * PIXEL
        y0, y1 = (ROWS_ABOVE_BASELINE - bottom) * PIXEL, (ROWS_ABOVE_BASELINE - top) * PIXEL
        pen.moveTo((x0, y0))
        pen.lineTo((x0, y1))
        pen.lineTo((x1, y1))
        pen.lineTo((x1, y0))
        pen.closePath()
    return pen.glyph()


def build_font(glyphs, family, em_pixels, ascent_pixels, descent_pixels):
    """The bytes of one TrueType font of the glyphs."""
    codes = sorted(glyphs)
    order = [".notdef"] + [UV2AGL[code] for code in codes]
    outlines = {".notdef": outline(NOTDEF_ROWS)}
    outlines.update({UV2AGL[code]: outline(glyphs[code]) for code in codes})
    # The left side bearing is the glyph's leftmost ink (0 for an empty glyph).
    metrics = {
        name: (ADVANCE * PIXEL, min((x for x, _ in glyph.coordinates), default=0))
        for name, glyph in outlines.items()
    }

    ascent, descent = ascent_pixels * PIXEL, descent_pixels * PIXEL
    style = "Regular"
    postscript = family.replace(" ", "") + "-" + style
    builder = FontBuilder(em_pixels * PIXEL, isTTF=True)
    builder.font.recalcTimestamp = False
    builder.updateHead(created=FONT_DATE, modified=FONT_DATE, lowestRecPPEM=em_pixels)
    builder.setupGlyphOrder(order)
    builder.setupCharacterMap({code: UV2AGL[code] for code in codes})
    builder.setupGlyf(outlines)
    builder.setupHorizontalMetrics(metrics)
    builder.setupHorizontalHeader(ascent=ascent, descent=-descent, lineGap=0)
    builder.setupNameTable(
        {
            "copyright": "Original typeface made for the game Corvane",
            "familyName": family,
            "styleName": style,
            "uniqueFontIdentifier": f"{postscript} {VERSION}",
            "fullName": f"{family} {style}",
            "version": VERSION,
            "psName": postscript,
            "designer": "The Corvane project",
            "description": "A pixel typeface drawn on a 5 x 9 grid (5 x 7 capitals)",
        },
        mac=False,
    )
    builder.setupOS2(
        version=4,
        achVendID="CRVN",
        fsType=0,
        fsSelection=0x40 | 0x80,  # REGULAR, USE_TYPO_METRICS
        sTypoAscender=ascent,
        sTypoDescender=-descent,
        sTypoLineGap=0,
        usWinAscent=ascent,
        usWinDescent=descent,
        sxHeight=X_HEIGHT * PIXEL,
        sCapHeight=CAP_HEIGHT * PIXEL,
        usDefaultChar=0,
        usBreakChar=0x20,
        usMaxContext=0,
    )
    builder.setupPost(underlinePosition=-PIXEL, underlineThickness=PIXEL, isFixedPitch=1)
    buffer = io.BytesIO()
    builder.save(buffer)
    return buffer.getvalue()


def build(assets, out):
    glyphs = read_glyphs(assets / "fonts" / "pixelfont.txt")
    for file_name, family, em_pixels, ascent, descent in FONTS:
        data = build_font(glyphs, family, em_pixels, ascent, descent)
        datafiles.write_bytes(out / "fonts" / file_name, data)
