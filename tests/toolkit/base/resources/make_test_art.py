#!/usr/bin/env python3
"""Draws the small bitmaps, icons and cursors that the toolkit tests load as resources.

Usage: make_test_art.py OUTPUT_DIR
"""
import os
import struct
import sys


def bitmap_info(width, height, bits, image_size=0):
    return struct.pack('<IiiHHIIiiII', 40, width, height, 1, bits, 0, image_size, 0, 0, 0, 0)


def rows_bottom_up(pixels, width, height, bytes_per_pixel):
    """pixels[y][x] top-down -> DIB rows bottom-up, padded to 4 bytes."""
    out = bytearray()
    for y in reversed(range(height)):
        row = bytearray()
        for x in range(width):
            b, g, r, a = pixels[y][x]
            row += bytes((b, g, r, a)[:bytes_per_pixel])
        while len(row) % 4:
            row.append(0)
        out += row
    return bytes(out)


def write_bmp(path, width, height, bits, pixels):
    data = rows_bottom_up(pixels, width, height, bits // 8)
    info = bitmap_info(width, height, bits, len(data))
    header = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(data), 0, 0, 14 + len(info))
    with open(path, 'wb') as f:
        f.write(header + info + data)


def write_bmp_v5(path, width, height, pixels, cut=0):
    """A 32-bit bitmap with a 124-byte header; cut bytes are left off the end of the pixels."""
    data = rows_bottom_up(pixels, width, height, 4)
    info = struct.pack('<IiiHHIIiiII', 124, width, height, 1, 32, 3, len(data), 0, 0, 0, 0)
    info += struct.pack('<IIII', 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000)
    info += struct.pack('<I', 0x73524742)  # sRGB
    info += bytes(36 + 12)  # end points and gamma
    info += struct.pack('<IIII', 4, 0, 0, 0)  # intent, profile data, profile size, reserved
    assert len(info) == 124
    body = info + data[:len(data) - cut]
    header = struct.pack('<2sIHHI', b'BM', 14 + len(body), 0, 0, 14 + len(info))
    with open(path, 'wb') as f:
        f.write(header + body)


def mask_rows(mask, width, height):
    """1-bit AND mask, bottom-up, rows padded to 4 bytes; mask[y][x] True = transparent."""
    out = bytearray()
    stride = ((width + 31) // 32) * 4
    for y in reversed(range(height)):
        row = bytearray(stride)
        for x in range(width):
            if mask[y][x]:
                row[x // 8] |= 0x80 >> (x % 8)
        out += row
    return bytes(out)


def icon_image(width, height, pixels, mask):
    """An ICO/CUR image: 32-bit XOR bitmap followed by the AND mask (height doubled)."""
    xor = rows_bottom_up(pixels, width, height, 4)
    andm = mask_rows(mask, width, height)
    return bitmap_info(width, height * 2, 32, len(xor) + len(andm)) + xor + andm


def write_icon_file(path, images, cursor=False):
    """images: list of (width, height, bytes, hotspot)."""
    out = struct.pack('<HHH', 0, 2 if cursor else 1, len(images))
    offset = 6 + 16 * len(images)
    entries, blobs = b'', b''
    for width, height, blob, hotspot in images:
        planes, bits = (hotspot if cursor else (1, 32))
        entries += struct.pack('<BBBBHHII', width % 256, height % 256, 0, 0, planes, bits, len(blob), offset)
        blobs += blob
        offset += len(blob)
    with open(path, 'wb') as f:
        f.write(out + entries + blobs)


def solid(width, height, color):
    return [[color for _ in range(width)] for _ in range(height)]


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    magenta = (255, 0, 255, 0)

    # Toolbar strip: three 16 x 16 images (red, green, blue squares) on magenta, 24 bits.
    strip = solid(48, 16, magenta)
    colors = [(0, 0, 255, 0), (0, 255, 0, 0), (255, 0, 0, 0)]
    for i, c in enumerate(colors):
        for y in range(4, 12):
            for x in range(4, 12):
                strip[y][i * 16 + x] = c
    write_bmp(os.path.join(out, 'toolbar.bmp'), 48, 16, 24, strip)

    # Alpha strip: two 16 x 16 images, the first opaque black, the second half-transparent white.
    alpha = solid(32, 16, (0, 0, 0, 255))
    for y in range(16):
        for x in range(16, 32):
            alpha[y][x] = (255, 255, 255, 128)
    write_bmp(os.path.join(out, 'alpha.bmp'), 32, 16, 32, alpha)

    # An alpha strip whose width is no multiple of 16.
    write_bmp(os.path.join(out, 'alpha_odd.bmp'), 20, 16, 32, solid(20, 16, (0, 0, 0, 255)))

    # A 16 x 16 alpha image behind a 124-byte header (masks and colour space in the header), and
    # the same cut 84 bytes short of its last pixels.
    write_bmp_v5(os.path.join(out, 'alpha_v5.bmp'), 16, 16, solid(16, 16, (0, 0, 255, 255)))
    write_bmp_v5(os.path.join(out, 'alpha_v5_short.bmp'), 16, 16, solid(16, 16, (0, 0, 255, 255)), cut=84)

    # Icon: 16 x 16 blue square with a transparent border, and a 32 x 32 white one.
    mask16 = [[not (2 <= x < 14 and 2 <= y < 14) for x in range(16)] for y in range(16)]
    px16 = [[(255, 0, 0, 255) if not mask16[y][x] else (0, 0, 0, 0) for x in range(16)] for y in range(16)]
    mask32 = [[False] * 32 for _ in range(32)]
    px32 = solid(32, 32, (255, 255, 255, 255))
    write_icon_file(os.path.join(out, 'test.ico'),
                    [(16, 16, icon_image(16, 16, px16, mask16), None),
                     (32, 32, icon_image(32, 32, px32, mask32), None)])

    # Cursor: 32 x 32, opaque black square in the middle.
    maskc = [[not (8 <= x < 24 and 8 <= y < 24) for x in range(32)] for y in range(32)]
    pxc = [[(0, 0, 0, 255) if not maskc[y][x] else (0, 0, 0, 0) for x in range(32)] for y in range(32)]
    write_icon_file(os.path.join(out, 'test.cur'), [(32, 32, icon_image(32, 32, pxc, maskc), (16, 16))],
                    cursor=True)


if __name__ == '__main__':
    main()
