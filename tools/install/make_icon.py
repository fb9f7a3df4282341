"""Makes the desktop icon from the game's own art: the explorer's first standing frame on a round
sea badge with an ink rim, drawn at 32 x 32 and scaled by whole factors so the pixels stay crisp.

Usage: make_icon.py PLAYER_SPRITE_PNG OUTPUT_DIR  (writes OUTPUT_DIR/NxN/corvane.png)"""

import os
import sys

from PIL import Image, ImageDraw

# The explorer facing right, standing (the first frame of the player's sprite sheet).
PLAYER_FRAME = (0, 0, 16, 24)
BADGE = 32
SIZES = (64, 128)
INK = (24, 20, 37, 255)
SEA = (0, 153, 219, 255)
SKY = (44, 232, 245, 255)


def badge(player_sheet):
    """The 32 x 32 icon: a sea disc lit from above, the explorer standing on its lower part."""
    icon = Image.new("RGBA", (BADGE, BADGE), (0, 0, 0, 0))
    draw = ImageDraw.Draw(icon)
    draw.ellipse((0, 0, BADGE - 1, BADGE - 1), fill=INK)
    draw.ellipse((1, 1, BADGE - 2, BADGE - 2), fill=SEA)
    draw.ellipse((6, 3, BADGE - 7, 12), fill=SKY)
    frame = player_sheet.crop(PLAYER_FRAME)
    icon.alpha_composite(frame, ((BADGE - frame.width) // 2, BADGE - frame.height - 3))
    return icon


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    icon = badge(Image.open(sys.argv[1]).convert("RGBA"))
    for size in SIZES:
        folder = os.path.join(sys.argv[2], f"{size}x{size}")
        os.makedirs(folder, exist_ok=True)
        icon.resize((size, size), Image.NEAREST).save(os.path.join(folder, "corvane.png"))


if __name__ == "__main__":
    main()
