#!/usr/bin/env python3
"""Stacks PNG pictures one below the other, left-aligned, or with --side-by-side one beside the
other, top-aligned, with a transparent gap between them:

    scripts/stack-png.py [--side-by-side] OUT.png GAP IN.png...

Reads the 8-bit RGB and RGBA pictures that Qt writes (not interlaced) and writes an RGBA
picture; the gaps and the room beside smaller pictures stay transparent. Only the standard
library is used, so that the picture script needs nothing beyond Python 3."""
import struct
import sys
import zlib

SIGNATURE = b"\x89PNG\r\n\x1a\n"


def chunks(data, path):
    if data[:8] != SIGNATURE:
        sys.exit(f"{path}: not a PNG picture")
    pos = 8
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        yield kind, data[pos + 8:pos + 8 + length]
        pos += 12 + length


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def unfilter(kind, line, prev, bpp):
    for i in range(len(line)):
        a = line[i - bpp] if i >= bpp else 0
        c = prev[i - bpp] if i >= bpp else 0
        b = prev[i]
        if kind == 1:
            line[i] = (line[i] + a) & 0xFF
        elif kind == 2:
            line[i] = (line[i] + b) & 0xFF
        elif kind == 3:
            line[i] = (line[i] + (a + b) // 2) & 0xFF
        elif kind == 4:
            line[i] = (line[i] + paeth(a, b, c)) & 0xFF


def read_rows(path):
    """The picture's width and its rows as RGBA bytes."""
    with open(path, "rb") as f:
        data = f.read()
    header, compressed = None, b""
    for kind, body in chunks(data, path):
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            compressed += body
    width, height, depth, colour, _, _, interlace = header
    if depth != 8 or colour not in (2, 6) or interlace:
        sys.exit(f"{path}: not an 8-bit RGB or RGBA picture without interlacing")
    bpp = 3 if colour == 2 else 4
    raw = zlib.decompress(compressed)
    stride = width * bpp
    rows, prev = [], bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        line = bytearray(raw[start + 1:start + 1 + stride])
        unfilter(raw[start], line, prev, bpp)
        prev = line
        if bpp == 3:
            line = bytearray(b"".join(bytes(line[i:i + 3]) + b"\xff" for i in range(0, stride, 3)))
        rows.append(bytes(line))
    return width, rows


def chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))


def below(pictures, gap):
    """The rows of the pictures one below the other."""
    width = max(w for w, _ in pictures)
    rows = []
    for i, (w, picture) in enumerate(pictures):
        if i:
            rows += [bytes(4 * width)] * gap
        rows += [row + bytes(4 * (width - w)) for row in picture]
    return width, rows


def beside(pictures, gap):
    """The rows of the pictures one beside the other."""
    height = max(len(picture) for _, picture in pictures)
    width = sum(w for w, _ in pictures) + gap * (len(pictures) - 1)
    rows = [bytearray() for _ in range(height)]
    for i, (w, picture) in enumerate(pictures):
        for y, row in enumerate(rows):
            if i:
                row += bytes(4 * gap)
            row += picture[y] if y < len(picture) else bytes(4 * w)
    return width, [bytes(row) for row in rows]


def main():
    args = sys.argv[1:]
    side_by_side = args[:1] == ["--side-by-side"]
    if side_by_side:
        args = args[1:]
    if len(args) < 3:
        sys.exit("usage: stack-png.py [--side-by-side] OUT.png GAP IN.png...")
    out, gap, inputs = args[0], int(args[1]), args[2:]
    pictures = [read_rows(path) for path in inputs]
    width, rows = (beside if side_by_side else below)(pictures, gap)
    raw = b"".join(b"\x00" + row for row in rows)
    header = struct.pack(">IIBBBBB", width, len(rows), 8, 6, 0, 0, 0)
    with open(out, "wb") as f:
        f.write(SIGNATURE + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9))
                + chunk(b"IEND", b""))


if __name__ == "__main__":
    main()
