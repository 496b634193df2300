#!/usr/bin/env python3
"""Writes the seed inputs of the BMP decoder under fuzz/corpus/picture/.

Run it again after a change to the decoder's rules or to the built-in
pictures; the output depends on nothing but this script and the two files in
resources/pictures/. The good files give the fuzzer every layout the decoder
reads to mutate; the bad ones start it next to each way of refusing a file.

    python3 fuzz/make_picture_seeds.py
"""

import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
CORPUS = os.path.join(HERE, "corpus", "picture")

INT_MIN = -(2 ** 31)


def palette(count):
    """`count` different colours, stored blue, green, red, 0."""
    return b"".join(bytes(((i * 37 + 11) & 0xFF, 255 - i, i, 0)) for i in range(count))


def rows(bits, value):
    """40 rows of `bits`-bit pixels `value(x, y)`, stored in the order given, padded to 4 bytes."""
    stride = (40 * bits + 31) // 32 * 4
    out = bytearray()
    for y in range(40):
        row = bytearray()
        if bits < 8:
            per = 8 // bits
            for x in range(0, 40, per):
                byte = 0
                for i in range(per):
                    byte |= value(x + i, y) << (8 - bits * (i + 1))
                row.append(byte)
        else:
            for x in range(40):
                row += value(x, y).to_bytes(bits // 8, "little")
        row += b"\xab" * (stride - len(row))
        out += row
    return bytes(out)


def bmp(bits=8, width=40, height=40, compression=0, header_size=40, colours_used=0,
        table=None, masks=b"", gap=b"", pixels=None, offset=None, file_size=None,
        signature=b"BM", planes=1):
    if table is None:
        table = palette(1 << bits) if bits <= 8 else b""
    if pixels is None:
        mask = (1 << bits) - 1 if bits < 32 else 0xFFFFFFFF
        pixels = rows(bits, lambda x, y: (x * 3 + y * 7 + x * y) & mask)
    info = struct.pack("<IiiHHIIiiII", header_size, width, height, planes, bits, compression,
                       len(pixels), 2835, 2835, colours_used, 0)
    info += masks
    info += b"\0" * max(0, min(header_size, 4096) - len(info))
    middle = info + table + gap
    if offset is None:
        offset = 14 + len(middle)
    total = 14 + len(middle) + len(pixels)
    head = signature + struct.pack("<IHHI", total if file_size is None else file_size, 0, 0, offset)
    return head + middle + pixels


def u32(v):
    return struct.pack("<I", v)


def good():
    return {
        "good_1bit.bmp": bmp(bits=1),
        "good_4bit.bmp": bmp(bits=4),
        "good_8bit.bmp": bmp(bits=8),
        "good_8bit_top_down.bmp": bmp(bits=8, height=-40),
        "good_4bit_top_down.bmp": bmp(bits=4, height=-40),
        "good_8bit_short_table.bmp": bmp(bits=8, colours_used=5, table=palette(5)),
        "good_8bit_padding_before_pixels.bmp": bmp(bits=8, gap=b"\xee" * 22),
        "good_8bit_v4_header.bmp": bmp(bits=8, header_size=108),
        "good_8bit_no_signature.bmp": bmp(bits=8, signature=b"\0\0", file_size=0, planes=0),
        "good_16bit_555.bmp": bmp(bits=16),
        "good_16bit_565_bitfields.bmp": bmp(bits=16, compression=3, masks=u32(0xF800) + u32(0x07E0) + u32(0x1F)),
        "good_24bit.bmp": bmp(bits=24),
        "good_24bit_top_down.bmp": bmp(bits=24, height=-40),
        "good_32bit.bmp": bmp(bits=32),
        "good_32bit_v5_bitfields.bmp": bmp(bits=32, compression=3, header_size=124,
                                            masks=u32(0xFF0000) + u32(0xFF00) + u32(0xFF) + u32(0xFF000000)),
    }


def built_in():
    seeds = {}
    for name in ("bingo_132.bmp", "bull_134.bmp"):
        with open(os.path.join(ROOT, "resources", "pictures", name), "rb") as f:
            seeds["builtin_" + name] = f.read()
    return seeds


def hostile():
    base = bmp(bits=8)
    masked = bmp(bits=16, compression=3, masks=u32(0xF800) + u32(0x07E0) + u32(0x1F))
    seeds = {
        "empty.bmp": b"",
        "bits_0.bmp": base[:28] + b"\0\0" + base[30:],
        "bits_2.bmp": base[:28] + b"\x02\0" + base[30:],
        "bits_3.bmp": base[:28] + b"\x03\0" + base[30:],
        "bits_64.bmp": base[:28] + b"\x40\0" + base[30:],
        "compressed_rle8.bmp": bmp(bits=8, compression=1),
        "compressed_rle4.bmp": bmp(bits=4, compression=2),
        "compressed_jpeg.bmp": bmp(bits=24, compression=4),
        "compressed_png.bmp": bmp(bits=24, compression=5),
        "bitfields_at_8bit.bmp": bmp(bits=8, compression=3),
        "masks_overlapping.bmp": bmp(bits=16, compression=3, masks=u32(0xF800) + u32(0xFFE0) + u32(0x1F)),
        "masks_broken.bmp": bmp(bits=32, compression=3, masks=u32(0xF0F00000) + u32(0xFF00) + u32(0)),
        "colours_used_huge.bmp": bmp(bits=8, colours_used=0xFFFFFFFF),
        "colours_used_257.bmp": bmp(bits=8, colours_used=257),
        "colours_used_17_at_4bit.bmp": bmp(bits=4, colours_used=17),
        "header_size_12.bmp": bmp(bits=8, header_size=12),
        "header_size_huge.bmp": bmp(bits=8, header_size=0xFFFFFFF0),
        "offset_huge.bmp": bmp(bits=8, offset=0xFFFFFFFF),
        "offset_zero.bmp": bmp(bits=8, offset=0),
        "offset_inside_info_header.bmp": bmp(bits=8, offset=30),
        "offset_inside_masks.bmp": bmp(bits=16, compression=3, offset=60,
                                       masks=u32(0xF800) + u32(0x07E0) + u32(0x1F)),
        "offset_inside_table.bmp": bmp(bits=8, offset=54 + 512),
        "file_size_huge.bmp": bmp(bits=8, file_size=0xFFFFFFFF),
        "height_int_min.bmp": bmp(bits=8, height=INT_MIN),
        "width_int_min.bmp": bmp(bits=8, width=INT_MIN),
        "size_40x41.bmp": bmp(bits=8, height=41),
        "size_41x40.bmp": bmp(bits=8, width=41),
        "size_40x-41.bmp": bmp(bits=8, height=-41),
        "index_past_table.bmp": bmp(bits=8, colours_used=2, table=palette(2)),
    }
    # A cut in each field of the headers, in the table, in the masks and in the pixels.
    cuts = {
        "file_header": 9, "pixel_offset": 12, "header_size": 16, "width": 20, "height": 24,
        "planes": 27, "bit_count": 29, "compression": 32, "image_size": 36, "resolution": 42,
        "colours_used": 48, "colours_important": 52, "table": 54 + 600, "pixels": len(base) - 20,
    }
    for field, at in cuts.items():
        seeds["cut_in_%s.bmp" % field] = base[:at]
    seeds["cut_in_masks.bmp"] = masked[:60]
    return seeds


def main():
    seeds = {}
    for group in (good(), built_in(), hostile()):
        assert not seeds.keys() & group.keys()
        seeds.update(group)
    os.makedirs(CORPUS, exist_ok=True)
    # Start clean, so that a seed dropped from this script leaves the corpus too.
    for old in os.listdir(CORPUS):
        os.remove(os.path.join(CORPUS, old))
    for name, data in sorted(seeds.items()):
        with open(os.path.join(CORPUS, name), "wb") as f:
            f.write(data)
    print("%s: %d seeds" % (os.path.relpath(CORPUS), len(seeds)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
