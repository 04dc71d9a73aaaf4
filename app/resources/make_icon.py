#!/usr/bin/env python3
"""Draws Quillet's icon and writes it as quillet.ico and as PNGs.

The picture is a page of text whose middle line is two words with the
proofreader's "close up" mark (an arc above and an arc below the gap)
between them: the space is about to be taken out.

16 and 32 pixels are drawn by hand, pixel by pixel, because a scaled-down
drawing turns to mush at those sizes; 48 pixels and up are rendered from
shapes with anti-aliased edges. Only the Python standard library is used,
so the files can be remade anywhere:

    python3 make_icon.py            # writes next to this script
    python3 make_icon.py OUTDIR
"""

import math
import struct
import sys
import zlib
from pathlib import Path

# ---------------------------------------------------------------------------
# Colours

# Full-colour shades, shared by the hand-drawn and the rendered sizes.
OUTLINE = (0x3A, 0x46, 0x56)
PAPER = (0xFF, 0xFF, 0xFF)
PAPER_LOW = (0xEC, 0xF0, 0xF5)
FOLD = (0xD6, 0xDE, 0xE8)
TEXT = (0x9F, 0xB0, 0xC4)
WORD = (0x2F, 0x6F, 0xD6)
MARK = (0xE0, 0x3C, 0x2E)

# The standard 16-colour palette of Windows, in index order.
VGA16 = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]

# What each letter of the hand-drawn grids means in each colour depth.
# '.' is transparent everywhere.
FULL_COLOUR = {'K': OUTLINE, 'W': PAPER, 'S': FOLD, 'G': TEXT, 'B': WORD, 'R': MARK}
SIXTEEN_COLOURS = {'K': 0, 'W': 15, 'S': 7, 'G': 8, 'B': 12, 'R': 9}
# With two colours the grey text and the red mark become black; the grids
# keep a white pixel between the mark and the words so they stay apart.
TWO_COLOURS = {'K': 0, 'W': 1, 'S': 1, 'G': 0, 'B': 0, 'R': 0}

# ---------------------------------------------------------------------------
# Hand-drawn small sizes

GRID_16 = [
    ".KKKKKKKKKK.....",
    ".KWWWWWWWWKK....",
    ".KWGGGGGWWKSK...",
    ".KWWWWWWWWKSSK..",
    ".KWWWWWWWWKKKKK.",
    ".KWWWWWRRWWWWWK.",
    ".KWWWWRWWRWWWWK.",
    ".KWBBBBWWBBBBWK.",
    ".KWBBBBWWBBBBWK.",
    ".KWWWWRWWRWWWWK.",
    ".KWWWWWRRWWWWWK.",
    ".KWWWWWWWWWWWWK.",
    ".KWGGGGGGGGGGWK.",
    ".KWWWWWWWWWWWWK.",
    ".KWGGGGGGWWWWWK.",
    ".KKKKKKKKKKKKKK.",
]

GRID_32 = [
    "................................",
    "....KKKKKKKKKKKKKKKKK...........",
    "....KWWWWWWWWWWWWWWWKK..........",
    "....KWWWWWWWWWWWWWWWKSK.........",
    "....KWWGGGGGGGGGGGWWKSSK........",
    "....KWWGGGGGGGGGGGWWKSSSK.......",
    "....KWWWWWWWWWWWWWWWKSSSSK......",
    "....KWWWWWWWWWWWWWWWKSSSSSK.....",
    "....KWWWWWWWWWWWWWWWKKKKKKKK....",
    "....KWWWWWWWWWRRRRWWWWWWWWWK....",
    "....KWWWWWWWRRWWWWRRWWWWWWWK....",
    "....KWWWWWWWRWWWWWWRWWWWWWWK....",
    "....KWWWWWWWRWWWWWWRWWWWWWWK....",
    "....KWWWWWWWWWWWWWWWWWWWWWWK....",
    "....KWWBBBBBBBBWWBBBBBBBBWWK....",
    "....KWWBBBBBBBBWWBBBBBBBBWWK....",
    "....KWWBBBBBBBBWWBBBBBBBBWWK....",
    "....KWWBBBBBBBBWWBBBBBBBBWWK....",
    "....KWWWWWWWWWWWWWWWWWWWWWWK....",
    "....KWWWWWWWRWWWWWWRWWWWWWWK....",
    "....KWWWWWWWRWWWWWWRWWWWWWWK....",
    "....KWWWWWWWRRWWWWRRWWWWWWWK....",
    "....KWWWWWWWWWRRRRWWWWWWWWWK....",
    "....KWWWWWWWWWWWWWWWWWWWWWWK....",
    "....KWWGGGGGGGGGGGGGGGGGGWWK....",
    "....KWWGGGGGGGGGGGGGGGGGGWWK....",
    "....KWWWWWWWWWWWWWWWWWWWWWWK....",
    "....KWWGGGGGGGGGGGGWWWWWWWWK....",
    "....KWWGGGGGGGGGGGGWWWWWWWWK....",
    "....KWWWWWWWWWWWWWWWWWWWWWWK....",
    "....KKKKKKKKKKKKKKKKKKKKKKKK....",
    "................................",
]


def check_grid(grid, size):
    if len(grid) != size or any(len(row) != size for row in grid):
        raise ValueError(f"the {size}-pixel grid is not {size} x {size}")
    unknown = set("".join(grid)) - set(FULL_COLOUR) - {'.'}
    if unknown:
        raise ValueError(f"unknown letters in the {size}-pixel grid: {sorted(unknown)}")


def grid_to_rgba(grid):
    """Rows of (r, g, b, a) tuples."""
    return [[(*FULL_COLOUR[c], 255) if c != '.' else (0, 0, 0, 0) for c in row]
            for row in grid]


# ---------------------------------------------------------------------------
# Rendered large sizes
#
# Shapes are laid out on a 256-unit square and described by signed distance
# functions (negative inside); the distance in pixels gives each edge pixel
# its coverage.

PAGE = [(40, 12), (160, 12), (216, 68), (216, 244), (40, 244)]
FOLD_TRIANGLE = [(160, 12), (216, 68), (160, 68)]
CORNER = 8          # rounding of the page's corners
FOLD_CORNER = 3
STROKE = 7          # outline width
SHADOW_OFFSET = (5, 7)
SHADOW_BLUR = 10

TEXT_BARS = [       # (x0, x1, y centre, height)
    (68, 140, 54, 16),
    (68, 188, 188, 16),
    (68, 150, 216, 16),
]
WORD_BARS = [(64, 116, 128, 30), (140, 192, 128, 30)]
MARK_CENTRE_X = 128
MARK_RADIUS = 22
MARK_WIDTH = 10
MARK_UPPER_Y = 104  # centre of the arc above the gap; the lower one mirrors it
MARK_LOWER_Y = 152


def polygon_distance(px, py, points):
    """Signed distance from a point to a simple polygon."""
    n = len(points)
    best = float("inf")
    inside = False
    for i in range(n):
        ax, ay = points[i - 1]
        bx, by = points[i]
        ex, ey = bx - ax, by - ay
        wx, wy = px - ax, py - ay
        t = max(0.0, min(1.0, (wx * ex + wy * ey) / (ex * ex + ey * ey)))
        dx, dy = wx - ex * t, wy - ey * t
        best = min(best, dx * dx + dy * dy)
        if (ay > py) != (by > py) and px < ax + (py - ay) * ex / ey:
            inside = not inside
    d = math.sqrt(best)
    return -d if inside else d


def inset(points, amount):
    """The convex polygon moved inwards by amount (points in either order)."""
    n = len(points)
    area = sum(points[i - 1][0] * points[i][1] - points[i][0] * points[i - 1][1]
               for i in range(n))
    sign = 1 if area > 0 else -1
    lines = []
    for i in range(n):
        (ax, ay), (bx, by) = points[i - 1], points[i]
        length = math.hypot(bx - ax, by - ay)
        nx, ny = -(by - ay) / length * sign, (bx - ax) / length * sign
        lines.append((ax + nx * amount, ay + ny * amount, bx - ax, by - ay))
    result = []
    for i in range(n):
        x1, y1, dx1, dy1 = lines[i]
        x2, y2, dx2, dy2 = lines[(i + 1) % n]
        det = dx1 * dy2 - dy1 * dx2
        t = ((x2 - x1) * dy2 - (y2 - y1) * dx2) / det
        result.append((x1 + dx1 * t, y1 + dy1 * t))
    return result


def rounded_polygon_distance(px, py, radius, inner):
    """inner is the polygon moved inwards by radius; the result has round corners."""
    return polygon_distance(px, py, inner) - radius


def bar_distance(px, py, bar):
    """A horizontal bar with round ends."""
    x0, x1, yc, height = bar
    r = height / 2
    cx = min(max(px, x0 + r), x1 - r)
    return math.hypot(px - cx, py - yc) - r


def arc_distance(px, py, cy, upper):
    """Half a ring around (MARK_CENTRE_X, cy), the upper or lower half, round ends."""
    dx, dy = px - MARK_CENTRE_X, py - cy
    on_side = dy <= 0 if upper else dy >= 0
    if on_side:
        d = abs(math.hypot(dx, dy) - MARK_RADIUS)
    else:
        d = min(math.hypot(dx - MARK_RADIUS, dy), math.hypot(dx + MARK_RADIUS, dy))
    return d - MARK_WIDTH / 2


def coverage(distance_units, pixels_per_unit):
    return max(0.0, min(1.0, 0.5 - distance_units * pixels_per_unit))


def over(dst, colour, alpha):
    """Paints colour with alpha over dst (straight alpha, both)."""
    if alpha <= 0:
        return dst
    r, g, b, a = dst
    out_a = alpha + a * (1 - alpha)
    if out_a <= 0:
        return (0.0, 0.0, 0.0, 0.0)
    mix = [(c * alpha + d * a * (1 - alpha)) / out_a for c, d in zip(colour, (r, g, b))]
    return (*mix, out_a)


def render(size):
    k = size / 256.0               # pixels per unit
    u = 1.0 / k                    # units per pixel
    page_inner = inset(PAGE, CORNER)
    fold_inner = inset(FOLD_TRIANGLE, FOLD_CORNER)
    rows = []
    for j in range(size):
        py = (j + 0.5) * u
        row = []
        for i in range(size):
            px = (i + 0.5) * u
            pixel = (0.0, 0.0, 0.0, 0.0)

            sd = rounded_polygon_distance(px - SHADOW_OFFSET[0], py - SHADOW_OFFSET[1],
                                          CORNER, page_inner)
            if sd < SHADOW_BLUR:
                t = max(0.0, min(1.0, 0.5 - sd / (2 * SHADOW_BLUR)))
                pixel = over(pixel, (0, 0, 0), 0.28 * t * t)

            d = rounded_polygon_distance(px, py, CORNER, page_inner)
            if d * k < 1:
                pixel = over(pixel, OUTLINE, coverage(d, k))
                d_fill = d + STROKE
                if d_fill * k < 1:
                    shade = py / 256.0
                    paper = tuple(a + (b - a) * shade for a, b in zip(PAPER, PAPER_LOW))
                    pixel = over(pixel, paper, coverage(d_fill, k))

                d_fold = rounded_polygon_distance(px, py, FOLD_CORNER, fold_inner)
                pixel = over(pixel, OUTLINE, coverage(d_fold, k))
                pixel = over(pixel, FOLD, coverage(d_fold + STROKE, k))

                for bar in TEXT_BARS:
                    pixel = over(pixel, TEXT, coverage(bar_distance(px, py, bar), k))
                for bar in WORD_BARS:
                    pixel = over(pixel, WORD, coverage(bar_distance(px, py, bar), k))
                pixel = over(pixel, MARK, coverage(arc_distance(px, py, MARK_UPPER_Y, True), k))
                pixel = over(pixel, MARK, coverage(arc_distance(px, py, MARK_LOWER_Y, False), k))

            r, g, b, a = pixel
            row.append((round(r), round(g), round(b), round(a * 255)))
        rows.append(row)
    return rows


# ---------------------------------------------------------------------------
# File formats

def png_bytes(rows):
    """An 8-bit RGBA PNG, no interlace."""
    height, width = len(rows), len(rows[0])

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    raw = bytearray()
    for row in rows:
        raw.append(0)               # filter: none
        for pixel in row:
            raw.extend(pixel)
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def pack_bits(values, bits_per_pixel):
    """One bitmap row, most significant bits first, padded to four bytes."""
    per_byte = 8 // bits_per_pixel
    out = bytearray()
    for start in range(0, len(values), per_byte):
        byte = 0
        for n, v in enumerate(values[start:start + per_byte]):
            byte |= v << (8 - bits_per_pixel * (n + 1))
        out.append(byte)
    out.extend(b"\0" * (-len(out) % 4))
    return bytes(out)


def ico_image(grid, mapping, palette, bits_per_pixel):
    """One icon image: BITMAPINFOHEADER, palette, colour bitmap, AND mask."""
    size = len(grid)
    colour = bytearray()
    mask = bytearray()
    for row in reversed(grid):      # bitmaps are stored bottom row first
        # Transparent pixels are black in the colour bitmap and 1 in the mask,
        # so that drawing leaves the screen under them unchanged.
        colour += pack_bits([mapping[c] if c != '.' else 0 for c in row], bits_per_pixel)
        mask += pack_bits([1 if c == '.' else 0 for c in row], 1)
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, bits_per_pixel, 0,
                         len(colour) + len(mask), 0, 0, len(palette), 0)
    rgbquads = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    return header + rgbquads + bytes(colour) + bytes(mask)


def ico_bytes(images):
    """images: (size, colour count, bits per pixel, image bytes)."""
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries, data = b"", b""
    for size, colours, bpp, image in images:
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, colours % 256, 0,
                               1, bpp, len(image), offset)
        data += image
        offset += len(image)
    return directory + entries + data


# ---------------------------------------------------------------------------

def main():
    out = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parent
    check_grid(GRID_16, 16)
    check_grid(GRID_32, 32)

    ico = ico_bytes([
        (32, 2, 1, ico_image(GRID_32, TWO_COLOURS, [(0, 0, 0), (255, 255, 255)], 1)),
        (32, 16, 4, ico_image(GRID_32, SIXTEEN_COLOURS, VGA16, 4)),
        (16, 16, 4, ico_image(GRID_16, SIXTEEN_COLOURS, VGA16, 4)),
    ])
    (out / "quillet.ico").write_bytes(ico)

    icons = out / "icons"
    icons.mkdir(parents=True, exist_ok=True)
    for size in (16, 32, 48, 64, 128, 256):
        if size == 16:
            rows = grid_to_rgba(GRID_16)
        elif size == 32:
            rows = grid_to_rgba(GRID_32)
        else:
            rows = render(size)
        (icons / f"quillet-{size}.png").write_bytes(png_bytes(rows))


if __name__ == "__main__":
    main()
