#!/usr/bin/env python3
"""Draws every picture the program ships: the default character picture, the
emblem of the printed sheet, the three button glyphs, the window icons and
the desktop icon in every size, scalable one included. Standard library
only. The pictures are committed; the build never runs this script.
Usage: scripts/draw-pictures.py [output folder, default: the project root]"""

import os
import sys

sys.dont_write_bytecode = True

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "pictures"))

import adventurer  # noqa: E402
import emblem  # noqa: E402
import glyphs  # noqa: E402
from imagefiles import quantise, write_bmp, write_png  # noqa: E402


# The desktop's icon theme sizes; the package installs each one.
ICON_SIZES = (16, 24, 32, 48, 64, 128, 256)


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")
    resources = os.path.join(root, "resources")
    os.makedirs(os.path.join(resources, "icons"), exist_ok=True)

    palette, indices = quantise(adventurer.draw(), 256)
    write_bmp(os.path.join(resources, "modelo.bmp"), palette, indices, 8)
    os.makedirs(os.path.join(root, "data"), exist_ok=True)
    write_bmp(os.path.join(root, "data", "modelo.bmp"), palette, indices, 8)

    # The printed sheet draws the emblem on white paper, so it has no transparency.
    palette, indices = quantise(emblem.draw(32, 8, background=(255, 255, 255)), 16)
    write_bmp(os.path.join(resources, "icone.bmp"), palette, indices, 4)

    for name, content in glyphs.GLYPHS.items():
        write_png(os.path.join(resources, name), glyphs.glyph(content))

    for size in ICON_SIZES:
        write_png(os.path.join(resources, "icons", f"kestrix-{size}.png"), emblem.draw(size, 4))
    # newline="\n": the same bytes whatever system redraws it.
    with open(os.path.join(resources, "icons", "kestrix.svg"), "w", encoding="utf-8",
              newline="\n") as svg:
        svg.write(emblem.svg())
    write_png(os.path.join(resources, "kestrix.png"), emblem.draw(32, 4))


if __name__ == "__main__":
    main()
