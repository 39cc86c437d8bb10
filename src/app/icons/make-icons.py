#!/usr/bin/env python3
"""Draws the program's icon, a printed grid puzzle, as 16-colour PNG files (4-bit palette).

Run from anywhere; writes rotam-print-SIZE.png for 16, 32, 48, 64, 128 and 256 px and the
scalable rotam-print.svg next to this script. The 16 and 32 px window icons are drawn pixel
by pixel; the desktop sizes and the SVG share one drawing, in units of the 32 px icon.
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


# The desktop drawing, in units of the 32 px icon: the same sheet, title bar, labels, grid
# with its black cells, red arrow and hint line, with room between them.
PAPER = (2, 1.5, 28, 29.5)
PAPER_EDGE = 0.5
HEADER = (5, 4, 22, 2)
GRID_ORIGIN = (8.5, 9.5)
GRID_CELLS = 5
GRID_CELL = 3.5
GRID_LINE = 0.5
GRID_FILLED = [(1, 0), (3, 1), (0, 2), (2, 2), (4, 3), (1, 4)]
LABEL = 1
HINT = (6, 28.25, 18, 0.75)
ARROW_SHAFT = (27.25, 10, 1, 7.5)
ARROW_HEAD = [(26, 17), (29.5, 17), (27.75, 19.5)]


def label_spots():
    """The top-left corners of the column labels above the grid and the row labels left of it."""
    ox, oy = GRID_ORIGIN
    centres = [GRID_CELL * (i + 0.5) for i in range(GRID_CELLS)]
    columns = [(ox + c - LABEL / 2, oy - 1.25 - LABEL) for c in centres]
    rows = [(ox - 1.5 - LABEL, oy + c - LABEL / 2) for c in centres]
    return columns + rows


def inside(point, triangle):
    (px, py), (a, b, c) = point, triangle

    def side(p, q):
        return (q[0] - p[0]) * (py - p[1]) - (q[1] - p[1]) * (px - p[0])

    d = [side(a, b), side(b, c), side(c, a)]
    return all(v >= 0 for v in d) or all(v <= 0 for v in d)


def draw_large(size):
    """The desktop drawing at size px, every edge on a whole pixel so that lines stay sharp."""
    k = size / 32
    img = [[TRANSPARENT] * size for _ in range(size)]

    def fill(colour, x, y, w, h):
        x0, y0 = round(x * k), round(y * k)
        for yy in range(y0, max(round((y + h) * k), y0 + 1)):
            for xx in range(x0, max(round((x + w) * k), x0 + 1)):
                img[yy][xx] = colour

    x, y, w, h = PAPER
    fill("d", *PAPER)
    edge = max(1, round(PAPER_EDGE * k)) / k
    fill("w", x + edge, y + edge, w - 2 * edge, h - 2 * edge)
    fill("n", *HEADER)
    for lx, ly in label_spots():
        fill("t", lx, ly, LABEL, LABEL)
    fill("s", *HINT)
    # The grid in whole pixels: every cell the same width.
    cell = round(GRID_CELL * k)
    line = max(1, round(GRID_LINE * k))
    gx, gy = round(GRID_ORIGIN[0] * k), round(GRID_ORIGIN[1] * k)
    span = cell * GRID_CELLS + line
    for i in range(GRID_CELLS + 1):
        for t in range(line):
            for u in range(span):
                img[gy + i * cell + t][gx + u] = "k"
                img[gy + u][gx + i * cell + t] = "k"
    for cx, cy in GRID_FILLED:
        for yy in range(gy + cy * cell, gy + (cy + 1) * cell + line):
            for xx in range(gx + cx * cell, gx + (cx + 1) * cell + line):
                img[yy][xx] = "k"
    fill("R", *ARROW_SHAFT)
    head = [(px * k, py * k) for px, py in ARROW_HEAD]
    for yy in range(size):
        for xx in range(size):
            if inside((xx + 0.5, yy + 0.5), head):
                img[yy][xx] = "R"
    return img


def svg():
    """The desktop drawing as SVG, in the same units."""
    colours = {c: "#%02x%02x%02x" % PALETTE[c] for c in "dwntskR"}

    def rect(colour, x, y, w, h):
        return f'<rect x="{x:g}" y="{y:g}" width="{w:g}" height="{h:g}" fill="{colours[colour]}"/>'

    x, y, w, h = PAPER
    e = PAPER_EDGE
    ox, oy = GRID_ORIGIN
    span = GRID_CELL * GRID_CELLS
    parts = [
        f'<rect x="{x + e / 2:g}" y="{y + e / 2:g}" width="{w - e:g}" height="{h - e:g}" '
        f'fill="{colours["w"]}" stroke="{colours["d"]}" stroke-width="{e:g}"/>',
        rect("n", *HEADER),
        *(rect("t", lx, ly, LABEL, LABEL) for lx, ly in label_spots()),
        rect("s", *HINT),
        *(rect("k", ox + cx * GRID_CELL, oy + cy * GRID_CELL, GRID_CELL, GRID_CELL)
          for cx, cy in GRID_FILLED),
    ]
    lines = "".join(
        f"M{ox + i * GRID_CELL:g} {oy - GRID_LINE / 2:g}v{span + GRID_LINE:g}"
        f"M{ox - GRID_LINE / 2:g} {oy + i * GRID_CELL:g}h{span + GRID_LINE:g}"
        for i in range(GRID_CELLS + 1))
    parts.append(f'<path d="{lines}" stroke="{colours["k"]}" stroke-width="{GRID_LINE:g}"/>')
    parts.append(rect("R", *ARROW_SHAFT))
    points = " ".join(f"{px:g},{py:g}" for px, py in ARROW_HEAD)
    parts.append(f'<polygon points="{points}" fill="{colours["R"]}"/>')
    body = "\n  ".join(parts)
    return ('<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" '
            f'viewBox="0 0 32 32">\n  {body}\n</svg>\n')


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
    for size in (48, 64, 128, 256):
        write_png(os.path.join(here, f"rotam-print-{size}.png"), draw_large(size))
    with open(os.path.join(here, "rotam-print.svg"), "w") as f:
        f.write(svg())
