#!/usr/bin/env python3
"""Writes the desktop icons from the pixel art in app/MainIcon.cpp, so that
the window icon and the desktop icons stay one picture: kovomodel-16.png and
kovomodel-32.png as drawn, the larger sizes by whole-number enlargement of
the art that divides them (48 from 16, 64, 128 and 256 from 32), and
kovomodel.svg, the 32-pixel art as squares, which scales to any size.

usage: make-icons.py [OUTPUT_DIR]   (default: the folder of this script)
"""
import os
import re
import struct
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.path.join(HERE, "..", "MainIcon.cpp")


def read_art(text):
    palette = {m.group(1): int(m.group(2), 16)
               for m in re.finditer(r"\{'(.)',\s*0x([0-9A-Fa-f]{8})\}", text)}
    images = {}
    for size in ("32", "16"):
        block = re.search(r"ICON-%s-BEGIN(.*?)ICON-%s-END" % (size, size), text, re.S)
        if not block:
            raise SystemExit("MainIcon.cpp: no %s-pixel art found" % size)
        rows = re.findall(r'"([^"]*)"', block.group(1))
        if len(rows) != int(size) or any(len(r) != int(size) for r in rows):
            raise SystemExit("MainIcon.cpp: the %s-pixel art is not square" % size)
        images[int(size)] = rows
    return palette, images


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def png_bytes(rows, palette):
    raw = bytearray()
    for row in rows:
        raw.append(0)  # no filter
        for key in row:
            argb = palette[key]
            raw += bytes(((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF, argb >> 24))
    size = len(rows)
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


# Each size and the art it is enlarged from.
SIZES = {16: 16, 32: 32, 48: 16, 64: 32, 128: 32, 256: 32}


def enlarged(rows, factor):
    return ["".join(key * factor for key in row) for row in rows for _ in range(factor)]


def svg_text(rows, palette):
    """One rectangle per run of a colour along a row, with crisp edges."""
    size = len(rows)
    shapes = []
    for y, row in enumerate(rows):
        x = 0
        while x < size:
            end = x
            while end < size and row[end] == row[x]:
                end += 1
            argb = palette[row[x]]
            shapes.append('<rect x="%d" y="%d" width="%d" height="1" fill="#%06x"/>'
                          % (x, y, end - x, argb & 0xFFFFFF))
            x = end
    return ('<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" '
            'viewBox="0 0 %d %d" shape-rendering="crispEdges">\n%s\n</svg>\n'
            % (size, size, size, size, "\n".join(shapes)))


def main():
    out_dir = sys.argv[1] if len(sys.argv) > 1 else HERE
    with open(SOURCE, encoding="utf-8") as f:
        palette, images = read_art(f.read())
    os.makedirs(out_dir, exist_ok=True)
    for size, art in SIZES.items():
        rows = enlarged(images[art], size // art)
        with open(os.path.join(out_dir, "kovomodel-%d.png" % size), "wb") as f:
            f.write(png_bytes(rows, palette))
    with open(os.path.join(out_dir, "kovomodel.svg"), "w", encoding="utf-8") as f:
        f.write(svg_text(images[32], palette))


if __name__ == "__main__":
    main()
