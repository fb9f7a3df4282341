"""The name lists: copied from assets/lists."""
import datafiles


def build(assets, out):
    for source in sorted((assets / "lists").glob("*.txt")):
        datafiles.write_text(out / source.name, source.read_text(encoding="ascii"))
