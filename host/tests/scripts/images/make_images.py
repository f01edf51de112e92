#!/usr/bin/env python3
"""Writes the small image files the bitmap tests read (PNG in every layout,
BMP, Targa, a truncated PNG and a file that is no image). Run it from this
folder after changing it; the files are checked in beside it."""
import struct
import zlib


def png_chunk(tag, data):
    return struct.pack(">I", len(data)) + tag + data + struct.pack(">I", zlib.crc32(tag + data) & 0xFFFFFFFF)


def png(path, width, height, depth, colour_type, rows, palette=None):
    """rows: one bytes object a row, already packed for the layout."""
    raw = b"".join(b"\x00" + row for row in rows)
    data = b"\x89PNG\r\n\x1a\n"
    data += png_chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, depth, colour_type, 0, 0, 0))
    if palette:
        data += png_chunk(b"PLTE", b"".join(bytes(c) for c in palette))
    data += png_chunk(b"IDAT", zlib.compress(raw))
    data += png_chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(data)
    return data


def rgb_rows(pixels):
    return [b"".join(bytes(p) for p in row) for row in pixels]


def main():
    png("grey8.png", 3, 2, 8, 0, [bytes([0, 128, 255]), bytes([10, 20, 30])])
    png("grey_alpha.png", 2, 1, 8, 4, [bytes([100, 50, 200, 255])])
    png("grey16.png", 2, 1, 16, 0, [struct.pack(">HH", 0x1234, 0xFFFF)])
    png("rgb16.png", 1, 1, 16, 2, [struct.pack(">HHH", 0x8000, 0x4000, 0x0001)])
    colour = [[(255, 0, 0), (0, 255, 0)], [(0, 0, 255), (255, 255, 255)]]
    full = png("rgb.png", 2, 2, 8, 2, rgb_rows(colour))
    png("rgba.png", 2, 1, 8, 6, [bytes([1, 2, 3, 4, 250, 251, 252, 253])])
    png("palette.png", 2, 1, 8, 3, [bytes([1, 0])], palette=[(9, 8, 7), (200, 100, 50)])
    grey = [[(v, v, v) for v in (0, 60, 120)], [(v, v, v) for v in (180, 240, 255)], [(7, 7, 7)] * 3]
    png("all_grey.png", 3, 3, 8, 2, rgb_rows(grey))
    one = [list(row) for row in grey]
    one[2][2] = (7, 7, 8)
    png("one_colour.png", 3, 3, 8, 2, rgb_rows(one))
    with open("truncated.png", "wb") as f:
        f.write(full[: len(full) // 2])
    with open("not_an_image.png", "wb") as f:
        f.write(b"this is plain text, not a picture\n")

    # BMP: 2 x 2, 24 bits, rows from the bottom, each padded to 4 bytes, BGR.
    rows = b""
    for row in reversed(colour):
        line = b"".join(bytes((b, g, r)) for r, g, b in row)
        rows += line + b"\x00" * (-len(line) % 4)
    header = struct.pack("<IiiHHIIiiII", 40, 2, 2, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    with open("colour.bmp", "wb") as f:
        f.write(b"BM" + struct.pack("<IHHI", 14 + len(header) + len(rows), 0, 0, 14 + len(header)) + header + rows)

    # Targa: 2 x 2, uncompressed true colour, 24 bits, rows from the bottom, BGR.
    tga = struct.pack("<BBBHHBHHHHBB", 0, 0, 2, 0, 0, 0, 0, 0, 2, 2, 24, 0)
    for row in reversed(colour):
        tga += b"".join(bytes((b, g, r)) for r, g, b in row)
    with open("colour.tga", "wb") as f:
        f.write(tga)


if __name__ == "__main__":
    main()
