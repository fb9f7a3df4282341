"""Cuts the player's part out of the README for the installed documentation: the introduction and
the sections a player needs, in the README's order; the developers' sections stay behind.

Usage: player_guide.py README.md OUTPUT.md"""

import sys

PLAYER_SECTIONS = ("Controls", "The level editor", "Data and files the game writes")


def player_part(text):
    """The text before the first section and every player section, each with its heading."""
    parts = text.split("\n## ")
    kept = [parts[0].rstrip("\n") + "\n"]
    for section in parts[1:]:
        heading = section.split("\n", 1)[0].strip()
        if heading in PLAYER_SECTIONS:
            kept.append("## " + section.rstrip("\n") + "\n")
    missing = set(PLAYER_SECTIONS) - {part[3:].split("\n", 1)[0].strip() for part in kept[1:]}
    if missing:
        sys.exit("the README lacks the sections " + ", ".join(sorted(missing)))
    return "\n".join(kept)


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    with open(sys.argv[1], encoding="utf-8") as readme:
        guide = player_part(readme.read())
    with open(sys.argv[2], "w", encoding="utf-8") as output:
        output.write(guide)


if __name__ == "__main__":
    main()
