"""Icons of the status panel and inhabitant doors: the race faces, the hex nut and the powerups,
drawn as text grids in assets/images and outlined here."""
import datafiles
import pixelart


def outlined_icons(path, size):
    """The outlined grids of an art file, each checked to come out at the icon size."""
    icons = {}
    for name, picture in pixelart.read_art(path).items():
        icon = pixelart.outlined(picture)
        if icon.size != size:
            raise ValueError(f"{path.name}: {name} is {picture.size}, outlined {icon.size}")
        icons[name] = icon
    return icons


def build(assets, out):
    sources = assets / "images"
    icons = {
        **outlined_icons(sources / "raceIcons.art", (16, 16)),
        **outlined_icons(sources / "powerupIcons.art", (32, 32)),
    }
    for name, icon in icons.items():
        datafiles.write_png(out / "images" / f"{name}.png", icon)
