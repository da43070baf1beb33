#!/usr/bin/env python3
"""Reads screenshots of an X display taken with `xwd -root` (Python's
standard library only), for the Windows edition's check.

  screen.py ink SHOT X Y W H          pixels of the box that are not white
  screen.py changed SHOT1 SHOT2 X Y W H   pixels of the box that differ
  screen.py png SHOT OUT.png [X Y W H [HALVINGS]]   the box as a PNG
"""
import struct
import sys
import zlib


def read_xwd(path):
    with open(path, "rb") as f:
        data = f.read()
    fields = struct.unpack(">25I", data[:100])
    header_size, _version, _format, depth, width, height = fields[:6]
    byte_order, bits_per_pixel, bytes_per_line = fields[7], fields[11], fields[12]
    red, green, blue = fields[14:17]
    ncolors = fields[19]
    if bits_per_pixel not in (24, 32) or depth < 24:
        raise SystemExit(f"{path}: {depth}-bit depth, {bits_per_pixel} bits a pixel; want 24 and 24 or 32")
    size = bits_per_pixel // 8
    start = header_size + 12 * ncolors
    order = "<" if byte_order == 0 else ">"

    def shift(mask):
        return (mask & -mask).bit_length() - 1

    shifts = [shift(red), shift(green), shift(blue)]
    rows = []
    for y in range(height):
        line = data[start + y * bytes_per_line : start + y * bytes_per_line + size * width]
        values = [int.from_bytes(line[i : i + size], "little" if order == "<" else "big")
                  for i in range(0, size * width, size)]
        rows.append([((v >> shifts[0]) & 255, (v >> shifts[1]) & 255, (v >> shifts[2]) & 255)
                     for v in values])
    return width, height, rows


def box(args, width, height):
    x, y, w, h = (int(a) for a in args[:4])
    x0, y0 = max(0, x), max(0, y)
    return x0, y0, min(width, x + w), min(height, y + h)


def write_png(path, pixels):
    height, width = len(pixels), len(pixels[0])
    raw = b"".join(b"\0" + bytes(c for p in row for c in p) for row in pixels)

    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body +
                struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)))
        f.write(chunk(b"IDAT", zlib.compress(raw, 9)))
        f.write(chunk(b"IEND", b""))


def halve(pixels):
    """Every 2 x 2 block as its average."""
    out = []
    for y in range(0, len(pixels) - 1, 2):
        a, b = pixels[y], pixels[y + 1]
        out.append([tuple((a[x][c] + a[x + 1][c] + b[x][c] + b[x + 1][c]) // 4 for c in range(3))
                    for x in range(0, len(a) - 1, 2)])
    return out


def main(argv):
    command = argv[1]
    if command == "ink":
        width, height, rows = read_xwd(argv[2])
        x0, y0, x1, y1 = box(argv[3:], width, height)
        print(sum(1 for y in range(y0, y1) for x in range(x0, x1) if rows[y][x] != (255, 255, 255)))
    elif command == "changed":
        width, height, first = read_xwd(argv[2])
        _, _, second = read_xwd(argv[3])
        x0, y0, x1, y1 = box(argv[4:], width, height)
        print(sum(1 for y in range(y0, y1) for x in range(x0, x1) if first[y][x] != second[y][x]))
    elif command == "png":
        width, height, rows = read_xwd(argv[2])
        x0, y0, x1, y1 = box(argv[4:8], width, height) if len(argv) > 4 else (0, 0, width, height)
        pixels = [row[x0:x1] for row in rows[y0:y1]]
        for _ in range(int(argv[8]) if len(argv) > 8 else 0):
            pixels = halve(pixels)
        write_png(argv[3], pixels)
    else:
        raise SystemExit(__doc__)


if __name__ == "__main__":
    main(sys.argv)
