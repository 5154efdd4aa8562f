#!/usr/bin/env python3
"""Writes the signature table Raw.dat from its readable source.

usage: make_raw_dat.py SOURCE OUTPUT

Raw.dat is a run of records with no header. All numbers are unsigned 16-bit little-endian.
A record: the record word (the byte count of the rest of the record; readers do not use it), the
category digit, then five fields, each a length followed by that many bytes: the extension, the
description, the signature length as decimal text, the signature bytes, the second value bytes.
"""
import struct
import sys

MAX_SIGNATURE_BYTES = 15  # File Trace compares at most the first 15 bytes of a sector


def fail(where, message):
    sys.exit("%s: %s" % (where, message))


def hex_bytes(where, text, name):
    try:
        data = bytes.fromhex(text)
    except ValueError:
        fail(where, "%s is not hexadecimal: %r" % (name, text))
    return data


def text_bytes(where, text, name):
    try:
        return text.encode("ascii")
    except UnicodeEncodeError:
        fail(where, "%s must be plain ASCII: %r" % (name, text))


def field(data):
    return struct.pack("<H", len(data)) + data


def record(where, columns):
    if len(columns) != 5:
        fail(where, "expected 5 columns separated by |, found %d" % len(columns))
    category, extension, description, signature, second = columns
    if len(category) != 1 or not category.isdigit():
        fail(where, "the category must be one digit: %r" % category)
    if not extension.startswith(".") or len(extension) < 2:
        fail(where, "the extension must start with a dot: %r" % extension)
    if not description:
        fail(where, "the description is empty")
    sig = hex_bytes(where, signature, "the signature")
    if not 1 <= len(sig) <= MAX_SIGNATURE_BYTES:
        fail(where, "the signature must have 1 to %d bytes" % MAX_SIGNATURE_BYTES)
    body = (category.encode("ascii")
            + field(text_bytes(where, extension, "the extension"))
            + field(text_bytes(where, description, "the description"))
            + field(str(len(sig)).encode("ascii"))
            + field(sig)
            + field(hex_bytes(where, second, "the second value")))
    if len(body) > 0xFFFF:
        fail(where, "the record is too long")
    return struct.pack("<H", len(body)) + body


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    source, output = sys.argv[1], sys.argv[2]
    out = bytearray()
    with open(source, encoding="utf-8") as lines:
        for number, line in enumerate(lines, 1):
            line = line.strip()
            if not line or line.startswith("#"):
                continue
            where = "%s:%d" % (source, number)
            out += record(where, [c.strip() for c in line.split("|")])
    if not out:
        fail(source, "no records")
    with open(output, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()
