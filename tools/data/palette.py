"""Corvane's one palette. All art uses these colours (plus full transparency), so every image
shares one look. Names are what art sources and drawing code refer to."""

PALETTE = {
    "ink": (24, 20, 37),  # outlines and the darkest shadows
    "night": (38, 43, 68),
    "slate": (58, 68, 102),
    "steel": (90, 105, 136),
    "fog": (139, 155, 180),
    "cloud": (192, 203, 220),
    "white": (255, 255, 255),
    "bark": (62, 39, 49),
    "wood": (116, 63, 57),
    "clay": (184, 111, 80),
    "sand": (228, 166, 114),
    "skin": (232, 183, 150),
    "blood": (162, 38, 51),
    "red": (228, 59, 68),
    "orange": (247, 118, 34),
    "gold": (254, 174, 52),
    "lemon": (254, 231, 97),
    "moss": (38, 92, 66),
    "leaf": (62, 137, 72),
    "grass": (99, 199, 77),
    "lime": (176, 230, 107),
    "deep": (18, 78, 137),
    "sea": (0, 153, 219),
    "sky": (44, 232, 245),
    "plum": (104, 56, 108),
    "violet": (181, 80, 136),
    "pink": (246, 117, 122),
    "rose": (255, 170, 196),
}


def rgba(name, alpha=255):
    """The colour of a palette name as an RGBA tuple."""
    r, g, b = PALETTE[name]
    return (r, g, b, alpha)
