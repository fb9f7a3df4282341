#!/usr/bin/python3
"""Builds the game's data tree from the sources in assets/.

Usage: build_data.py ASSETS_DIR OUT_DIR

Every module named gen_*.py beside this file is a generator: its build(assets, out) writes one
kind of data. Generators run in name order; the output depends only on the sources, so a second
run writes identical files.
"""
import importlib
import pathlib
import sys


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    assets = pathlib.Path(sys.argv[1]).resolve()
    out = pathlib.Path(sys.argv[2]).resolve()
    out.mkdir(parents=True, exist_ok=True)
    here = pathlib.Path(__file__).resolve().parent
    sys.path.insert(0, str(here))
    for generator in sorted(here.glob("gen_*.py")):
        importlib.import_module(generator.stem).build(assets, out)


if __name__ == "__main__":
    main()
