#!/usr/bin/env python3
"""Draws the two built-in bingo pictures and writes them beside this script.

    python3 resources/pictures/make_pictures.py

bingo_132.bmp  "Bingo" across the upper half, a large "!" centred beneath it
bull_134.bmp   "Bull" above, "sh#t!" below

Both are 40 by 40, bottom-up, 4 bits per pixel, uncompressed, with the
standard 16-colour table; only black (0) and white (15) are used. The letters
come from the small bold font below, so the output depends on nothing but
this file. The build embeds the .bmp files, so run this again after a change
and commit both.
"""

import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
SIDE = 40
BLACK, WHITE = 0, 15

# The standard 16-colour table, in table order, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]

# A bold font with two-pixel strokes. Each glyph is drawn on its own rows,
# top down, and placed by the row of its top: capitals and ascenders are 13
# rows tall, the x-height is 9 and the descender of "g" takes 4 rows more.
# Rows that would be blank at the top of a lower-case letter are left out and
# made up by GLYPH_DROP.
FONT = {
    "B": """
        ######.
        #######
        ##...##
        ##...##
        ##...##
        ######.
        ######.
        ##...##
        ##...##
        ##...##
        ##...##
        #######
        ######.
    """,
    "i": """
        ##
        ##
        ..
        ..
        ##
        ##
        ##
        ##
        ##
        ##
        ##
        ##
        ##
    """,
    "n": """
        ##.###.
        #######
        ###.###
        ##...##
        ##...##
        ##...##
        ##...##
        ##...##
        ##...##
    """,
    "g": """
        .###.##
        #######
        ##..###
        ##...##
        ##...##
        ##..###
        #######
        .###.##
        .....##
        ##...##
        #######
        .#####.
    """,
    "o": """
        .#####.
        #######
        ##...##
        ##...##
        ##...##
        ##...##
        ##...##
        #######
        .#####.
    """,
    "u": """
        ##...##
        ##...##
        ##...##
        ##...##
        ##...##
        ##...##
        ###.###
        #######
        .###.##
    """,
    "l": """
        ##
        ##
        ##
        ##
        ##
        ##
        ##
        ##
        ##
        ##
        ##
        ##
        ##
    """,
    "s": """
        .#####.
        #######
        ##.....
        ######.
        .######
        .....##
        ##...##
        #######
        .#####.
    """,
    "h": """
        ##.....
        ##.....
        ##.....
        ##.....
        ##.###.
        #######
        ###.###
        ##...##
        ##...##
        ##...##
        ##...##
        ##...##
        ##...##
    """,
    "#": """
        ..##.##.
        ..##.##.
        ..##.##.
        ########
        ########
        .##.##..
        .##.##..
        ########
        ########
        ##.##...
        ##.##...
    """,
    "t": """
        .##...
        .##...
        .##...
        ######
        ######
        .##...
        .##...
        .##...
        .##...
        .##...
        .##..#
        .#####
        ..###.
    """,
    "!": """
        ##
        ##
        ##
        ##
        ##
        ##
        ##
        ##
        ##
        ..
        ..
        ##
        ##
    """,
}

# Rows between the top of a capital and the top of the glyph as drawn.
GLYPH_DROP = {"n": 4, "g": 4, "o": 4, "u": 4, "s": 4, "#": 1}

LETTER_GAP = 2


def glyph(ch):
    rows = [line.strip() for line in FONT[ch].strip().splitlines()]
    width = len(rows[0])
    assert all(len(r) == width for r in rows), ch
    return rows


def text_width(text):
    return sum(len(glyph(ch)[0]) for ch in text) + LETTER_GAP * (len(text) - 1)


def blank():
    return [[WHITE] * SIDE for _ in range(SIDE)]


def draw_text(canvas, text, top):
    """Draws `text` centred across the picture, capitals starting at row `top`."""
    x = (SIDE - text_width(text)) // 2
    for ch in text:
        rows = glyph(ch)
        y0 = top + GLYPH_DROP.get(ch, 0)
        for dy, row in enumerate(rows):
            for dx, cell in enumerate(row):
                if cell == "#":
                    canvas[y0 + dy][x + dx] = BLACK
        x += len(rows[0]) + LETTER_GAP


def fill(canvas, left, top, right, bottom):
    """Blackens the rectangle, right and bottom exclusive."""
    for y in range(top, bottom):
        for x in range(left, right):
            canvas[y][x] = BLACK


def bingo():
    canvas = blank()
    draw_text(canvas, "Bingo", top=2)
    # The exclamation mark: a bar that narrows at its foot, and a square dot.
    fill(canvas, 17, 20, 23, 29)
    fill(canvas, 18, 29, 22, 32)
    fill(canvas, 17, 34, 23, 39)
    return canvas


def bull():
    canvas = blank()
    draw_text(canvas, "Bull", top=4)
    draw_text(canvas, "sh#t!", top=23)
    return canvas


def bmp(canvas):
    """A bottom-up 4-bit file with the 16-colour table."""
    row_bytes = SIDE // 2  # 20, already a multiple of four
    pixels = bytearray()
    for y in reversed(range(SIDE)):
        row = canvas[y]
        for x in range(0, SIDE, 2):
            pixels.append(row[x] << 4 | row[x + 1])
    assert len(pixels) == row_bytes * SIDE == 800
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    offset = 14 + 40 + len(table)
    info = struct.pack("<IiiHHIIiiII", 40, SIDE, SIDE, 1, 4, 0, len(pixels), 2835, 2835, 16, 0)
    head = b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset)
    return head + info + table + bytes(pixels)


def main():
    for name, canvas in (("bingo_132.bmp", bingo()), ("bull_134.bmp", bull())):
        with open(os.path.join(HERE, name), "wb") as f:
            f.write(bmp(canvas))


if __name__ == "__main__":
    main()
