#!/usr/bin/env python3
"""Draws the program's icon, a printed grid puzzle, as 16-colour PNG files (4-bit palette).

Run from anywhere; writes rotam-print-16.png and rotam-print-32.png next to this script.
"""
import os
import struct
import zlib

# The classic 16-colour palette; the drawings below use its letters.
PALETTE = {
    "k": (0, 0, 0),        "r": (128, 0, 0),      "g": (0, 128, 0),      "o": (128, 128, 0),
    "n": (0, 0, 128),      "m": (128, 0, 128),    "t": (0, 128, 128),    "s": (192, 192, 192),
    "d": (128, 128, 128),  "R": (255, 0, 0),      "G": (0, 255, 0),      "Y": (255, 255, 0),
    "B": (0, 0, 255),      "M": (255, 0, 255),    "C": (0, 255, 255),    "w": (255, 255, 255),
}
ORDER = list(PALETTE)
TRANSPARENT = "."


def sheet(size, cells, cell, origin, filled, header_rows):
    """A sheet of paper with a title bar, labelled grid, some black cells and a red arrow."""
    img = [[TRANSPARENT] * size for _ in range(size)]
    margin = 1 if size == 16 else 2
    for y in range(margin, size - 0):
        for x in range(margin, size - margin):
            img[y][x] = "w"
    # paper edge and a shadow on the right
    for y in range(margin, size):
        img[y][margin] = "d"
        img[y][size - margin - 1] = "d"
    for x in range(margin, size - margin):
        img[margin][x] = "d"
        img[size - 1][x] = "d"
    # the header line of the page, in navy
    for y in range(margin + 2, margin + 2 + header_rows):
        for x in range(margin + 3, size - margin - 3):
            img[y][x] = "n"
    ox, oy = origin
    span = cells * cell
    for i in range(cells + 1):
        for t in range(span + 1):
            img[oy + i * cell][ox + t] = "k"
            img[oy + t][ox + i * cell] = "k"
    for cx, cy in filled:
        for y in range(oy + cy * cell + 1, oy + (cy + 1) * cell):
            for x in range(ox + cx * cell + 1, ox + (cx + 1) * cell):
                img[y][x] = "k"
    return img


def draw_32():
    img = sheet(32, 5, 4, (8, 9), [(1, 0), (3, 1), (0, 2), (2, 2), (4, 3), (1, 4)], 2)
    # column labels above and row labels left, in teal dots
    for i in range(5):
        img[7][8 + i * 4 + 2] = "t"
        img[9 + i * 4 + 2][6] = "t"
    # hint lines under the grid
    for y in (31 - 2,):
        for x in range(6, 24):
            img[y][x] = "s"
    # the red arrow of the main window, pointing at the grid
    for y in range(10, 20):
        img[y][28 - 1] = "R"
    for d in range(1, 3):
        img[19 - d][27 - d] = "R"
        img[19 - d][27 + d] = "R"
    return img


def draw_16():
    img = sheet(16, 3, 3, (4, 4), [(0, 0), (2, 1), (1, 2)], 1)
    for i in range(3):
        img[3][4 + i * 3 + 1] = "t"
    for y in range(5, 11):
        img[y][14 - 1] = "R"
    img[9][12] = "R"
    return img


def write_png(path, img):
    size = len(img)
    # 4 bits hold 16 entries: olive, which the drawings never use, gives its slot to
    # the transparent background.
    order = ORDER[:]
    order[ORDER.index("o")] = TRANSPARENT  # olive is never drawn
    palette = b"".join(struct.pack("BBB", *(PALETTE.get(c, (0, 0, 0)))) for c in order)
    trns = bytes(0 if c == TRANSPARENT else 255 for c in order)
    index = {c: i for i, c in enumerate(order)}
    raw = bytearray()
    for row in img:
        raw.append(0)
        for x in range(0, size, 2):
            raw.append(index[row[x]] << 4 | index[row[x + 1]])

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 4, 3, 0, 0, 0))
    png += chunk(b"PLTE", palette)
    png += chunk(b"tRNS", trns)
    png += chunk(b"IDAT", zlib.compress(bytes(raw), 9))
    png += chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    write_png(os.path.join(here, "rotam-print-32.png"), draw_32())
    write_png(os.path.join(here, "rotam-print-16.png"), draw_16())
