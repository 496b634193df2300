#!/usr/bin/env python3
"""Writes the seed messages of fuzz/corpus/meeting_message: one of each kind,
in the meeting message encoding (little-endian numbers, texts with a 2-byte
length), plus a few near misses."""
import os
import struct

here = os.path.dirname(os.path.abspath(__file__))
out = os.path.join(here, "corpus", "meeting_message")
os.makedirs(out, exist_ok=True)


def text(s):
    b = s.encode("utf-8")
    return struct.pack("<H", len(b)) + b


def head(kind, sender, sequence, round_, name):
    return bytes([kind]) + bytes(sender) + struct.pack("<QI", sequence, round_) + text(name)


def bingo(time_ms, words):
    return struct.pack("<Q", time_ms) + b"".join(text(w) for w in words)


words = ["synergy", "leverage", "Kennzahl", "sinergía", "会議", "deep dive", "win-win"] + [f"word {i}" for i in range(18)]
line = words[:5]
sender = [1, 2, 3, 4, 5, 6, 7, 8]
seeds = {
    "room": head(1, sender, 1 << 32 | 1, 1, "Ana") + b"".join(text(w) for w in words),
    "presence": head(2, sender, 1 << 32 | 2, 1, "Björn") + bytes([3, 0, 0]),
    "presence_bingo": head(2, sender, 1 << 32 | 3, 1, "Cy") + bytes([5, 0, 1]) + bingo(1765000000000, line),
    "gone": head(2, sender, 1 << 32 | 0xFFFFFFFF, 1, "Cy") + bytes([2, 1, 0]),
    "bingo": head(3, sender, 1 << 32 | 4, 2, "Dee") + bingo(1765000000001, line),
    "near_progress_6": head(2, sender, 5, 1, "Eve") + bytes([6, 0, 0]),
    "near_24_words": head(1, sender, 6, 1, "Fay") + b"".join(text(w) for w in words[:24]),
}
for name, data in seeds.items():
    with open(os.path.join(out, name), "wb") as f:
        f.write(data)
