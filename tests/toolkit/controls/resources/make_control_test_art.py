#!/usr/bin/env python3
"""Draws the bitmaps and icons that the themed-control tests load as resources.

Usage: make_control_test_art.py OUTPUT_DIR
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'base', 'resources'))
from make_test_art import icon_image, solid, write_bmp, write_icon_file  # noqa: E402


def square_icon(path, color):
    """16 x 16: an opaque square of the colour inside a transparent two-pixel border."""
    mask = [[not (2 <= x < 14 and 2 <= y < 14) for x in range(16)] for y in range(16)]
    px = [[color if not mask[y][x] else (0, 0, 0, 0) for x in range(16)] for y in range(16)]
    write_icon_file(path, [(16, 16, icon_image(16, 16, px, mask), None)])


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    # 24 bits: a red 8 x 8 square on magenta (the corner colour, so transparent).
    picture = solid(16, 16, (255, 0, 255, 0))
    for y in range(4, 12):
        for x in range(4, 12):
            picture[y][x] = (0, 0, 255, 0)
    write_bmp(os.path.join(out, 'square24.bmp'), 16, 16, 24, picture)
    # 32 bits: opaque green on the left half, fully transparent on the right half.
    alpha = solid(16, 16, (0, 255, 0, 255))
    for y in range(16):
        for x in range(8, 16):
            alpha[y][x] = (0, 0, 0, 0)
    write_bmp(os.path.join(out, 'half32.bmp'), 16, 16, 32, alpha)
    square_icon(os.path.join(out, 'blue.ico'), (255, 0, 0, 255))
    square_icon(os.path.join(out, 'green.ico'), (0, 255, 0, 255))


if __name__ == '__main__':
    main()
