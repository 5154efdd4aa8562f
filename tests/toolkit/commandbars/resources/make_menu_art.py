#!/usr/bin/env python3
"""Draws the bitmaps that the command-bar tests load as resources: a strip of toolbar icons and the
strip of system-command icons of the menu bar.

Usage: make_menu_art.py OUTPUT_DIR
"""
import os
import struct
import sys


def write_bmp24(path, width, height, pixel):
    """pixel(x, y) -> (r, g, b), top-down."""
    stride = (width * 3 + 3) & ~3
    data = bytearray()
    for y in reversed(range(height)):
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        row += bytes(stride - len(row))
        data += row
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(data), 0, 0, 0, 0)
    header = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(data), 0, 0, 14 + len(info))
    with open(path, 'wb') as f:
        f.write(header + info + bytes(data))


# Each icon: a filled square of its own colour with a dark border on a magenta (masked) ground.
COLOURS = [(200, 40, 40), (40, 160, 40), (40, 80, 200), (200, 160, 0), (120, 0, 160)]


def strip(count, colours):
    def pixel(x, y):
        i = x // 16
        lx, ly = x % 16, y
        if lx < 2 or lx > 13 or ly < 2 or ly > 13:
            return (255, 0, 255)
        if lx in (2, 13) or ly in (2, 13):
            return (0, 0, 0)
        return colours[i % len(colours)]
    return pixel


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    write_bmp24(os.path.join(out, 'menu_toolbar.bmp'), 16 * 5, 16, strip(5, COLOURS))
    write_bmp24(os.path.join(out, 'system_commands.bmp'), 16 * 4, 16, strip(4, COLOURS[1:]))


if __name__ == '__main__':
    main()
