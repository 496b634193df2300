#!/usr/bin/env python3
"""Draws Palabrum's application icon and toolbar images.

Writes, next to this script:
  palabrum.svg                                  the application icon, 256 by 256 units
  icons/hicolor/scalable/apps/palabrum.svg      the same file, for an installed icon theme
  icons/hicolor/<N>x<N>/apps/palabrum.png       the icon at 16, 22, 24, 32, 48, 64, 128, 256 px
  toolbar/{new,about,help}.png                  16 by 16 toolbar images
  toolbar/{new,about,help}@2x.png               the same at 32 by 32, for high-density screens

Only the standard library is used, and the output is the same on every run.
The icon is drawn from one table of rectangles per size: the 256 px table is
exactly what the SVG holds, 128 and 64 px are that table halved and quartered,
and the smaller sizes are the same picture snapped to whole pixels so that the
grid stays sharp. Rectangles get exact area coverage; curves are supersampled.

Usage: python3 make_icons.py [--preview DIR]
  --preview DIR  also writes enlarged copies of every image to DIR for checking.
"""

import math
import os
import struct
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

# ---------------------------------------------------------------------------
# A small raster canvas: premultiplied RGBA floats, painted with coverage.


class Canvas:
    def __init__(self, width, height):
        self.width = width
        self.height = height
        self.pixels = [[0.0, 0.0, 0.0, 0.0] for _ in range(width * height)]

    def paint(self, shape, colour, alpha=1.0):
        """Composites colour (r, g, b in 0..255) over the canvas where shape covers it."""
        r, g, b = (c / 255.0 for c in colour)
        x0, y0, x1, y1 = shape.bounds()
        x0, y0 = max(0, math.floor(x0)), max(0, math.floor(y0))
        x1, y1 = min(self.width, math.ceil(x1)), min(self.height, math.ceil(y1))
        for y in range(y0, y1):
            row = y * self.width
            for x in range(x0, x1):
                a = shape.coverage(x, y) * alpha
                if a <= 0.0:
                    continue
                p = self.pixels[row + x]
                keep = 1.0 - a
                p[0] = r * a + p[0] * keep
                p[1] = g * a + p[1] * keep
                p[2] = b * a + p[2] * keep
                p[3] = a + p[3] * keep

    def rgba_rows(self):
        rows = []
        for y in range(self.height):
            row = bytearray()
            for x in range(self.width):
                r, g, b, a = self.pixels[y * self.width + x]
                if a <= 0.0:
                    row += b"\0\0\0\0"
                    continue
                row += bytes(
                    (
                        min(255, round(r / a * 255)),
                        min(255, round(g / a * 255)),
                        min(255, round(b / a * 255)),
                        min(255, round(a * 255)),
                    )
                )
            rows.append(bytes(row))
        return rows


def overlap(a0, a1, b0, b1):
    return max(0.0, min(a1, b1) - max(a0, b0))


class Rect:
    """Axis-aligned rectangle with exact area coverage."""

    def __init__(self, x0, y0, x1, y1):
        self.x0, self.y0, self.x1, self.y1 = x0, y0, x1, y1

    def bounds(self):
        return self.x0, self.y0, self.x1, self.y1

    def coverage(self, x, y):
        return overlap(self.x0, self.x1, x, x + 1) * overlap(self.y0, self.y1, y, y + 1)


class Frame:
    """The band between an outer rectangle and an inner one inside it."""

    def __init__(self, outer, inner):
        self.outer, self.inner = outer, inner

    def bounds(self):
        return self.outer.bounds()

    def coverage(self, x, y):
        return self.outer.coverage(x, y) - self.inner.coverage(x, y)


class Sampled:
    """Any shape given by an inside test, supersampled n by n per pixel."""

    def __init__(self, inside, bounds, n=16):
        self.inside, self._bounds, self.n = inside, bounds, n

    def bounds(self):
        return self._bounds

    def coverage(self, x, y):
        n = self.n
        hits = 0
        for j in range(n):
            sy = y + (j + 0.5) / n
            for i in range(n):
                if self.inside(x + (i + 0.5) / n, sy):
                    hits += 1
        return hits / (n * n)


class RoundedRect:
    """Rectangle with circular corners: exact in the straight parts, sampled at the corners."""

    def __init__(self, x0, y0, x1, y1, radius):
        self.rect = Rect(x0, y0, x1, y1)
        self.radius = radius

        def inside(px, py):
            cx = min(max(px, x0 + radius), x1 - radius)
            cy = min(max(py, y0 + radius), y1 - radius)
            return x0 <= px < x1 and y0 <= py < y1 and (px - cx) ** 2 + (py - cy) ** 2 <= radius**2

        self.sampled = Sampled(inside, self.rect.bounds(), n=8)

    def bounds(self):
        return self.rect.bounds()

    def coverage(self, x, y):
        r = self.rect
        near_x = x < r.x0 + self.radius or x + 1 > r.x1 - self.radius
        near_y = y < r.y0 + self.radius or y + 1 > r.y1 - self.radius
        if self.radius > 0 and near_x and near_y:
            return self.sampled.coverage(x, y)
        return r.coverage(x, y)


def union(*tests):
    return lambda x, y: any(t(x, y) for t in tests)


def disc_test(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def capsule_test(ax, ay, bx, by, r):
    """Points within r of the segment from a to b."""
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy

    def inside(x, y):
        t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / length2))
        px, py = ax + t * dx - x, ay + t * dy - y
        return px * px + py * py <= r * r

    return inside


def arc_test(cx, cy, radius, half_width, start, end):
    """A stroked circular arc from angle start to end (degrees, y pointing down, clockwise),
    with round ends."""
    a0, a1 = math.radians(start), math.radians(end)

    def point(a):
        return cx + radius * math.cos(a), cy + radius * math.sin(a)

    ends = [disc_test(*point(a0), half_width), disc_test(*point(a1), half_width)]

    def inside(x, y):
        d = math.hypot(x - cx, y - cy)
        if abs(d - radius) <= half_width:
            a = math.atan2(y - cy, x - cx)
            while a < a0:
                a += 2 * math.pi
            if a <= a1:
                return True
        return any(e(x, y) for e in ends)

    return inside


# ---------------------------------------------------------------------------
# PNG writer: 8-bit RGBA, no ancillary chunks, so output depends only on pixels.


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def filter_row(kind, row, prev):
    out = bytearray(len(row))
    for i, v in enumerate(row):
        left = row[i - 4] if i >= 4 else 0
        up = prev[i]
        upleft = prev[i - 4] if i >= 4 else 0
        if kind == 0:
            pred = 0
        elif kind == 1:
            pred = left
        elif kind == 2:
            pred = up
        elif kind == 3:
            pred = (left + up) // 2
        else:
            pred = paeth(left, up, upleft)
        out[i] = (v - pred) & 0xFF
    return out


def png_bytes(width, height, rows):
    raw = bytearray()
    prev = bytes(width * 4)
    for row in rows:
        # The usual heuristic: the filter whose output has the smallest sum of signed bytes.
        candidates = [filter_row(k, row, prev) for k in range(5)]
        costs = [sum(v if v < 128 else 256 - v for v in f) for f in candidates]
        kind = costs.index(min(costs))
        raw.append(kind)
        raw += candidates[kind]
        prev = row

    def chunk(tag, data):
        body = tag + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (
        b"\x89PNG\r\n\x1a\n"
        + chunk(b"IHDR", header)
        + chunk(b"IDAT", zlib.compress(bytes(raw), 9))
        + chunk(b"IEND", b"")
    )


def write(path, data):
    full = os.path.join(HERE, path)
    os.makedirs(os.path.dirname(full), exist_ok=True)
    with open(full, "wb") as f:
        f.write(data)


def save_png(path, canvas):
    write(path, png_bytes(canvas.width, canvas.height, canvas.rgba_rows()))


# ---------------------------------------------------------------------------
# The application icon: a 5 by 5 board, blue grid on grey, marked squares
# filled blue, and the winning main diagonal framed in red.

BLUE = (0x2F, 0x6E, 0xDA)  # grid
MARK = (0x12, 0x3C, 0x96)  # marked squares
RED = (0xDD, 0x22, 0x1C)
GREY = (0xD6, 0xDA, 0xE0)
TILE_EDGE = (0x7D, 0x85, 0x90)

DIAGONAL = [(i, i) for i in range(5)]
OTHER_MARKS = [(0, 3), (2, 0), (3, 4), (4, 1)]  # (row, column)

# Per size, in pixels:
#   tile   rounded grey tile (x0, y0, x1, y1, radius, edge width), or None: grey under the grid only
#   org    top-left corner of the grid
#   outer  width of the grid's outer frame
#   line   width of the inner grid lines
#   cell   inside width of one square
#   inset  gap between a square's lines and its blue mark
ICON_LAYOUTS = {
    16: dict(tile=None, org=0, outer=1, line=1, cell=2, inset=0),
    22: dict(tile=None, org=0, outer=1, line=1, cell=3, inset=0),
    24: dict(tile=None, org=1, outer=1, line=1, cell=3, inset=0),
    32: dict(tile=(0, 0, 32, 32, 4, 1), org=3, outer=1, line=1, cell=4, inset=1),
    48: dict(tile=(1, 1, 47, 47, 6, 1), org=5, outer=2, line=1, cell=6, inset=1),
    64: dict(tile=(2, 2, 62, 62, 8, 1), org=6, outer=2, line=2, cell=8, inset=1),
    128: dict(tile=(4, 4, 124, 124, 16, 2), org=12, outer=4, line=4, cell=16, inset=2),
    256: dict(tile=(8, 8, 248, 248, 32, 4), org=24, outer=8, line=8, cell=32, inset=4),
}


def icon_shapes(size):
    """The icon as (shape, colour) in painting order."""
    L = ICON_LAYOUTS[size]
    org, outer, line, cell, inset = L["org"], L["outer"], L["line"], L["cell"], L["inset"]
    pitch = cell + line
    side = 2 * outer + 5 * cell + 4 * line
    end = org + side
    shapes = []

    if L["tile"]:
        x0, y0, x1, y1, radius, edge = L["tile"]
        shapes.append((RoundedRect(x0, y0, x1, y1, radius), TILE_EDGE))
        shapes.append((RoundedRect(x0 + edge, y0 + edge, x1 - edge, y1 - edge, radius - edge), GREY))
    else:
        shapes.append((Rect(org, org, end, end), GREY))

    def cell_start(i):  # first pixel inside square i of a row or column
        return org + outer + i * pitch

    # Grid: the outer frame, then the inner lines.
    inside = Rect(org + outer, org + outer, end - outer, end - outer)
    shapes.append((Frame(Rect(org, org, end, end), inside), BLUE))
    for i in range(1, 5):
        p = cell_start(i) - line
        shapes.append((Rect(p, org, p + line, end), BLUE))
        shapes.append((Rect(org, p, end, p + line), BLUE))

    # Marks.
    for row, col in DIAGONAL + OTHER_MARKS:
        x, y = cell_start(col) + inset, cell_start(row) + inset
        shapes.append((Rect(x, y, x + cell - 2 * inset, y + cell - 2 * inset), MARK))

    # Red frames around the winning diagonal: each square's own grid lines turn red.
    for i in range(5):
        c = cell_start(i)
        a = c - (outer if i == 0 else line)
        b = c + cell + (outer if i == 4 else line)
        shapes.append((Frame(Rect(a, a, b, b), Rect(c, c, c + cell, c + cell)), RED))
    return shapes


def hex_colour(c):
    return "#%02x%02x%02x" % c


def icon_svg():
    size = 256
    out = [
        '<?xml version="1.0" encoding="UTF-8"?>',
        '<!-- Palabrum application icon. Generated by make_icons.py; edit that script, not this file. -->',
        '<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %d %d">' % ((size,) * 4),
        "  <title>Palabrum</title>",
    ]

    def num(v):
        return ("%g" % v)

    for shape, colour in icon_shapes(size):
        fill = hex_colour(colour)
        if isinstance(shape, RoundedRect):
            r = shape.rect
            out.append(
                '  <rect x="%s" y="%s" width="%s" height="%s" rx="%s" fill="%s"/>'
                % (num(r.x0), num(r.y0), num(r.x1 - r.x0), num(r.y1 - r.y0), num(shape.radius), fill)
            )
        elif isinstance(shape, Frame):
            o, i = shape.outer, shape.inner
            d = "M%s %sH%sV%sH%sZM%s %sH%sV%sH%sZ" % tuple(
                num(v) for v in (o.x0, o.y0, o.x1, o.y1, o.x0, i.x0, i.y0, i.x1, i.y1, i.x0)
            )
            out.append('  <path d="%s" fill="%s" fill-rule="evenodd"/>' % (d, fill))
        else:
            out.append(
                '  <rect x="%s" y="%s" width="%s" height="%s" fill="%s"/>'
                % (num(shape.x0), num(shape.y0), num(shape.x1 - shape.x0), num(shape.y1 - shape.y0), fill)
            )
    out.append("</svg>")
    return ("\n".join(out) + "\n").encode("ascii")


def draw_icon(size):
    canvas = Canvas(size, size)
    for shape, colour in icon_shapes(size):
        canvas.paint(shape, colour)
    return canvas


# ---------------------------------------------------------------------------
# Toolbar images, designed on a 16 by 16 grid and drawn at 1x and 2x.
# Outlines run along half-unit lines, so that at 1x a one-unit stroke covers
# exactly one row or column of pixels, and two at 2x.

PAPER = (0xFF, 0xFF, 0xFF)
PAPER_EDGE = (0x6E, 0x6E, 0x6E)
FOLD = (0xD4, 0xD4, 0xD4)
YELLOW = (0xFF, 0xD6, 0x1F)
BLACK = (0x00, 0x00, 0x00)
HELP_BLUE = (0x1F, 0x66, 0xD4)
HELP_RIM = (0x14, 0x48, 0x9E)
WHITE = (0xFF, 0xFF, 0xFF)


def scaled(test, s):
    return lambda x, y: test(x / s, y / s)


def fill(canvas, test, colour, s):
    canvas.paint(Sampled(scaled(test, s), (0, 0, canvas.width, canvas.height)), colour)


def convex_test(points, grow=0.0):
    """Inside test for a convex polygon whose edges are moved outward by grow (inward if negative)."""
    area = sum(ax * by - bx * ay for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1]))
    sign = 1.0 if area > 0 else -1.0
    edges = []
    for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1]):
        length = math.hypot(bx - ax, by - ay)
        edges.append((ax, ay, (bx - ax) / length, (by - ay) / length))

    def inside(x, y):
        # Signed distance to the left of each edge is inside for a counter-clockwise polygon.
        return all(sign * ((x - ax) * uy - (y - ay) * ux) <= grow for ax, ay, ux, uy in edges)

    return inside


def outline_test(points, width):
    """A stroke of the given width centred on a convex polygon's edges, with mitred corners."""
    outer, inner = convex_test(points, width / 2), convex_test(points, -width / 2)
    return lambda x, y: outer(x, y) and not inner(x, y)


def draw_new(s):
    """A blank sheet of paper, its top-right corner folded down."""
    c = Canvas(16 * s, 16 * s)
    left, top, right, bottom, fold = 2.5, 1.5, 12.5, 14.5, 4.0
    corner = right - fold
    sheet = [(left, top), (corner, top), (right, top + fold), (right, bottom), (left, bottom)]
    flap = [(corner, top), (corner, top + fold), (right, top + fold)]
    fill(c, convex_test(sheet), PAPER, s)
    fill(c, convex_test(flap), FOLD, s)
    fill(c, outline_test(sheet, 1.0), PAPER_EDGE, s)
    flap_edge, sheet_bounds = outline_test(flap, 1.0), convex_test(sheet, 0.5)
    fill(c, lambda x, y: flap_edge(x, y) and sheet_bounds(x, y), PAPER_EDGE, s)
    return c


def question_mark(cx, cy, radius, weight, stem_bottom, dot_y, grow=0.0):
    """A question mark: a hook of the given centre-line radius around (cx, cy), a stem at x = cx
    down to stem_bottom, and a dot centred at dot_y, all strokes weight wide. grow widens every
    part by that much on each side (for an outline)."""
    h = weight / 2 + grow
    end_angle = math.radians(50.0)
    ex, ey = cx + radius * math.cos(end_angle), cy + radius * math.sin(end_angle)
    bend = cy + radius + weight / 2  # where the stem turns straight down
    dot_r = weight * 0.6 + grow
    return union(
        arc_test(cx, cy, radius, h, 180.0, 360.0 + math.degrees(end_angle)),
        capsule_test(ex, ey, cx, bend, h),
        capsule_test(cx, bend, cx, stem_bottom - weight / 2, h),
        disc_test(cx, dot_y, dot_r),
    )


def draw_about(s):
    """A yellow question mark outlined in black."""
    c = Canvas(16 * s, 16 * s)
    shape = dict(cx=8.0, cy=5.0, radius=3.0, weight=2.0, stem_bottom=10.0, dot_y=13.0)
    fill(c, question_mark(**shape, grow=1.0), BLACK, s)
    fill(c, question_mark(**shape), YELLOW, s)
    return c


def draw_help(s):
    """A white question mark on a blue disc."""
    c = Canvas(16 * s, 16 * s)
    fill(c, disc_test(8, 8, 7.5), HELP_RIM, s)
    fill(c, disc_test(8, 8, 6.6), HELP_BLUE, s)
    fill(c, question_mark(cx=8.0, cy=5.6, radius=2.3, weight=1.9, stem_bottom=10.0, dot_y=12.0), WHITE, s)
    return c


# ---------------------------------------------------------------------------


def preview(canvas, path, zoom):
    """An enlarged copy on a checkerboard, for looking at the result."""
    w, h = canvas.width * zoom, canvas.height * zoom
    rows = canvas.rgba_rows()
    out = []
    for y in range(h):
        row = bytearray()
        src = rows[y // zoom]
        for x in range(w):
            r, g, b, a = src[(x // zoom) * 4 : (x // zoom) * 4 + 4]
            bg = 0xFF if ((x // 8 + y // 8) % 2 == 0) else 0xC0
            row += bytes(round((v * a + bg * (255 - a)) / 255) for v in (r, g, b)) + b"\xff"
        out.append(bytes(row))
    with open(path, "wb") as f:
        f.write(png_bytes(w, h, out))


def main(argv):
    preview_dir = None
    if len(argv) == 3 and argv[1] == "--preview":
        preview_dir = argv[2]
        os.makedirs(preview_dir, exist_ok=True)
    elif len(argv) != 1:
        print("usage: make_icons.py [--preview DIR]", file=sys.stderr)
        return 2

    svg = icon_svg()
    write("palabrum.svg", svg)
    write("icons/hicolor/scalable/apps/palabrum.svg", svg)
    for size in sorted(ICON_LAYOUTS):
        canvas = draw_icon(size)
        save_png("icons/hicolor/%dx%d/apps/palabrum.png" % (size, size), canvas)
        if preview_dir:
            preview(canvas, os.path.join(preview_dir, "icon-%d.png" % size), max(1, 256 // size))

    for name, draw in (("new", draw_new), ("about", draw_about), ("help", draw_help)):
        for scale, suffix in ((1, ""), (2, "@2x")):
            canvas = draw(scale)
            save_png("toolbar/%s%s.png" % (name, suffix), canvas)
            if preview_dir:
                preview(canvas, os.path.join(preview_dir, "%s%s.png" % (name, suffix)), 16 // scale)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
