#!/usr/bin/env python3
"""Draws the pictures of the tests of the status bar, dialog bar, controls, customisation and the
button image editor: a toolbar strip of five 16 x 16 buttons (one solid square of its own colour
each, on the grey taken as transparent), and the files the editor imports: an icon of a 16 x 16
and a 32 x 32 image, and a 16 x 16 bitmap.

Usage: make_bars3_art.py OUTPUT_DIR
"""
import os
import struct
import sys

COLORS = [(200, 30, 30), (30, 160, 30), (30, 30, 200), (200, 160, 0), (150, 0, 150)]
MASK = (192, 192, 192)


def bmp_rows24(width, height, pixel):
    stride = (width * 3 + 3) & ~3
    data = bytearray()
    for y in reversed(range(height)):
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        row += bytes(stride - len(row))
        data += row
    return data


def write_bmp24(path, width, height, pixel):
    data = bmp_rows24(width, height, pixel)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(data), 0, 0, 0, 0)
    header = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(data), 0, 0, 14 + len(info))
    with open(path, 'wb') as f:
        f.write(header + info + bytes(data))


def toolbar_pixel(x, y):
    index, xi = divmod(x, 16)
    if xi < 2 or xi >= 14 or y < 2 or y >= 14:
        return MASK
    return COLORS[index % len(COLORS)]


def icon_image(size, pixel):
    """One 32-bit image of an icon file: its header, colour rows (bottom up) and AND mask; pixel(x, y)
    gives (r, g, b) for an opaque pixel or None for a transparent one."""
    pixels = bytearray()
    mask = bytearray()
    mask_stride = ((size + 31) // 32) * 4
    for y in reversed(range(size)):
        bits = bytearray(mask_stride)
        for x in range(size):
            colour = pixel(x, y)
            if colour is None:
                pixels += bytes((0, 0, 0, 0))
                bits[x // 8] |= 0x80 >> (x % 8)
            else:
                r, g, b = colour
                pixels += bytes((b, g, r, 255))
        mask += bits
    info = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    return info + bytes(pixels) + bytes(mask)


def write_icon(path):
    """An icon of two images that tell apart which one a reader took: at 16 x 16 a green square on a
    transparent ground, at 32 x 32 a blue square filling it."""
    images = [
        (16, icon_image(16, lambda x, y: (0, 160, 0) if 4 <= x < 12 and 4 <= y < 12 else None)),
        (32, icon_image(32, lambda x, y: (0, 0, 255))),
    ]
    header = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = bytearray()
    for size, image in images:
        entries += struct.pack('<BBBBHHII', size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    with open(path, 'wb') as f:
        f.write(header + bytes(entries) + b''.join(image for _, image in images))


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    write_bmp24(os.path.join(out, 'bars3-toolbar16.bmp'), 16 * 5, 16, toolbar_pixel)
    write_icon(os.path.join(out, 'bars3-import.ico'))
    # Blue left half, yellow right half.
    write_bmp24(os.path.join(out, 'bars3-import.bmp'), 16, 16,
                lambda x, y: (0, 0, 255) if x < 8 else (255, 255, 0))


if __name__ == '__main__':
    main()
