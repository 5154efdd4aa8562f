#!/usr/bin/env python3
"""Draws the toolbar bitmaps of the command-bar tests: one solid square of its own colour per
button, on the grey the image manager takes as transparent (the top-left pixel).

Usage: make_commandbars_art.py OUTPUT_DIR
"""
import os
import struct
import sys

# One colour per button (r, g, b); the tests read these back from drawn icons.
COLORS = [(200, 30, 30), (30, 160, 30), (30, 30, 200), (200, 160, 0), (150, 0, 150), (0, 150, 150)]
MASK = (192, 192, 192)


def write_bmp24(path, width, height, pixel):
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


def toolbar(path, size, count):
    inset = size // 8

    def pixel(x, y):
        index, xi = divmod(x, size)
        if xi < inset or xi >= size - inset or y < inset or y >= size - inset:
            return MASK
        return COLORS[index % len(COLORS)]

    write_bmp24(path, size * count, size, pixel)


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    toolbar(os.path.join(out, 'toolbar32.bmp'), 32, 5)
    toolbar(os.path.join(out, 'toolbar16.bmp'), 16, 3)


if __name__ == '__main__':
    main()
