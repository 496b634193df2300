#!/usr/bin/env python3
"""Writes the seed inputs under fuzz/corpus/ from scratch.

Run it again after a change to either file format; the output depends on
nothing but this script. Each seed is named after the case it stands for: the
good files give the fuzzer a valid skeleton to mutate, the bad ones start it
next to each way of refusing a file.

    python3 fuzz/make_seeds.py
"""

import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))

BUILT_IN_WORDS = [
    "proactive", "fast track", "core competency", "utilize",
    "facilitate", "enable", "best practices", "refocus",
    "synergy", "paradigm", "game plan", "target date",
    "revisit", "enterprise-wide", "vision", "strategic",
    "collaborate", "bottom line", "leverage", "best interest(s))",
    "win-win", "ballpark", "value-added", "result-driven",
    "mindset",
]

# ---------------------------------------------------------------- state file


def u16(v):
    return struct.pack("<H", v)


def u32(v):
    return struct.pack("<I", v)


def count(n):
    return u16(n) if n < 0xFFFF else u16(0xFFFF) + u32(n)


def count_long(n):
    """A count in the long form even where the short one would do."""
    return u16(0xFFFF) + u32(n)


def wide(s):
    """A string as the program writes it: tagged UTF-16LE."""
    units = s.encode("utf-16-le")
    n = len(units) // 2
    if n < 0xFF:
        size = bytes([n])
    elif n < 0xFFFE:
        size = b"\xff" + u16(n)
    else:
        size = b"\xff" + u16(0xFFFF) + u32(n)
    return b"\xff" + u16(0xFFFE) + size + units


def narrow(s):
    """A string as older writers left it: a plain length and one byte a character."""
    data = s.encode("latin-1")
    n = len(data)
    if n < 0xFF:
        size = bytes([n])
    elif n < 0xFFFE:  # a length of FFFE is the tag of the wide form
        size = b"\xff" + u16(n)
    else:
        size = b"\xff" + u16(0xFFFF) + u32(n)
    return size + data


def options(list_position=0, bingo_message=0, random_board=0, picture="", color=0):
    if isinstance(picture, str):
        picture = wide(picture)
    return u16(list_position) + u16(bingo_message) + u32(random_board) + picture + u32(color)


def board(words=None, marks=None, order=None, started=0, string=wide):
    words = BUILT_IN_WORDS if words is None else words
    marks = [0] * 25 if marks is None else marks
    order = list(range(25)) if order is None else order
    return (count(len(words)) + b"".join(string(w) for w in words)
            + count(len(marks)) + b"".join(u16(m) for m in marks)
            + count(len(order)) + b"".join(u16(i) for i in order)
            + u32(started))


def marks_on(squares, order=None):
    """Marks indexed by word for the given squares; a mark belongs to the word dealt there."""
    order = list(range(25)) if order is None else order
    marks = [0] * 25
    for square in squares:
        marks[order[square]] = 1
    return marks


def shuffled_order():
    """A fixed permutation of 0..24 that is not the identity (a random deal)."""
    return [(7 * i + 3) % 25 for i in range(25)]


def state_seeds():
    fresh = options() + board()
    assert len(fresh) == 712, len(fresh)
    order = shuffled_order()
    seeds = {
        "empty.dat": b"",
        "fresh_game.dat": fresh,
        "started_no_bingo.dat": options() + board(marks=marks_on([0, 6, 13, 24]), started=1),
        "bingo_row.dat": options(bingo_message=1) + board(marks=marks_on(range(10, 15)), started=1),
        "bingo_column.dat": options() + board(marks=marks_on(range(3, 25, 5)), started=1),
        "bingo_anti_diagonal.dat": options() + board(marks=marks_on([4, 8, 12, 16, 20]), started=1),
        "random_order_marked.dat": options(random_board=1, color=0x00FF8040)
        + board(marks=marks_on([1, 2, 3, 4, 5], order), order=order, started=1),
        "marks_odd_values.dat": options() + board(marks=[0xFFFF, 2, 0, 7, 0x8000] * 5, started=0xFFFFFFFF),
        "options_all_set.dat": options(1, 2, 0xFFFFFFFF, "C:\\pictures\\boss.bmp", 0x00FFFFFF) + board(),
        "long_path_300.dat": options(bingo_message=2, picture="p" * 300) + board(),
        "unicode_words.dat": options(picture="\u00e9t\u00e9.bmp")
        + board(words=["w\u00f6rd %d \u2603" % i for i in range(25)]),
        "narrow_string.dat": options(picture=narrow("old.bmp")) + board(string=narrow),
        "narrow_long_string.dat": options(picture=narrow("n" * 300)) + board(),
        "count_ffff_long_form.dat": options() + count_long(25) + b"".join(wide(w) for w in BUILT_IN_WORDS)
        + count_long(25) + b"".join(u16(0) for _ in range(25))
        + count_long(25) + b"".join(u16(i) for i in range(25)) + u32(0),
        "trailing_bytes.dat": fresh + b"\x00\xff\xfe\xffgarbage",
        "truncated_in_options.dat": fresh[:7],
        "truncated_in_words.dat": fresh[:200],
        "truncated_in_order.dat": fresh[:-20],
        "huge_string_length.dat": options(picture=b"\xff" + u16(0xFFFE) + b"\xff" + u16(0xFFFF) + u32(0x7FFFFFFF)),
        "wide_length_fffe.dat": options(picture=b"\xff" + u16(0xFFFE) + b"\xff" + u16(0xFFFE) + b"ab"),
        "huge_count.dat": options() + count_long(0xFFFFFFFF) + wide("x"),
        "count_24.dat": options() + board(words=BUILT_IN_WORDS[:24]),
        "count_26.dat": options() + board(words=BUILT_IN_WORDS + ["one too many"]),
        "marks_count_26.dat": options() + board(marks=[0] * 26),
        "order_not_permutation.dat": options() + board(order=[0, 0] + list(range(2, 25))),
        "order_out_of_range.dat": options() + board(order=list(range(24)) + [25]),
        "order_count_24.dat": options() + board(order=list(range(24))),
    }
    return seeds


# ------------------------------------------------------------------ word list


def lines(words, end=b"\n"):
    return b"".join(w.encode("utf-8") + end for w in words)


def word_seeds():
    good = BUILT_IN_WORDS
    numbered = ["word %d" % i for i in range(30)]
    return {
        "empty.txt": b"",
        "good_lf.txt": lines(good),
        "good_crlf.txt": lines(good, b"\r\n"),
        "no_final_newline.txt": lines(good)[:-1],
        "blank_lines.txt": b"\n\n" + b"\n\r\n\n".join(w.encode() for w in good) + b"\n\n\n",
        "tab_word.txt": lines(["\tindented", "a\tb", "\t"] + good[3:]),
        "del_char.txt": lines(["rub\x7fout"] + good[1:]),
        "line_240.txt": lines(["x" * 240] + good[1:]),
        "line_241.txt": lines(["x" * 241] + good[1:]),
        "line_240_crlf_tail.txt": lines(["y" * 240 + "\r\r\r"] + good[1:]),
        "long_lines_6k.txt": lines([chr(ord("a") + i % 26) * 240 for i in range(25)]),
        "lines_24.txt": lines(numbered[:24]),
        "lines_26.txt": lines(numbered[:26]),
        "lines_25_then_blank.txt": lines(numbered[:25]) + b"\n\r\n\n",
        "lines_25_then_text.txt": lines(numbered[:25]) + b"late",
        "utf8_bom.txt": b"\xef\xbb\xbf" + lines(good),
        "latin1_word.txt": lines(good[:5]) + b"caf\xe9\n" + lines(good[6:]),
        "nul_byte.txt": lines(good[:12]) + b"\x00" + lines(good[12:]),
        "cr_only.txt": lines(good, b"\r"),
        "utf16_text.txt": b"\xff\xfe" + "\n".join(good).encode("utf-16-le"),
        "utf8_words.txt": lines(["r\u00e9union", "\u4f1a\u8bae", "\U0001F600 win-win", "\u00fc" * 240] + good[4:]),
        "utf8_line_241.txt": lines(["\u00e9" * 241] + good[1:]),
        "utf8_overlong.txt": lines(good[:3]) + b"\xc0\xaf\n" + lines(good[4:]),
        "utf8_surrogate.txt": lines(good[:3]) + b"\xed\xa0\x80\n" + lines(good[4:]),
        "utf8_c1_control.txt": lines(good[:3]) + b"\xc2\x85\n" + lines(good[4:]),
    }


# -------------------------------------------------------------- start request


def field(data):
    return data.hex() if data else "-"


def request(token=b"", file=b""):
    return ("raise %s %s\n" % (field(token), field(file))).encode()


def start_request_seeds():
    good = request(b"kwin-1234", b"/home/ann/meeting.dat")
    return {
        "plain.txt": request(),
        "token_only.txt": request(b"kwin-1234"),
        "file_only.txt": request(file=b"/tmp/game.dat"),
        "token_and_file.txt": good,
        "file_not_utf8_with_newline.txt": request(file=b"/tmp/caf\xe9\nmeeting.dat"),
        "file_4096_bytes.txt": request(b"t", b"/" + b"p" * 4095),
        "file_4097_bytes.txt": request(b"t", b"/" + b"p" * 4096),
        "token_1024_bytes.txt": request(b"x" * 1024),
        "token_1025_bytes.txt": request(b"x" * 1025),
        "trailing_bytes.txt": good + b"raise - -\n",
        "cut_before_newline.txt": good[:-1],
        "relative_file.txt": request(file=b"game.dat"),
        "file_with_nul.txt": request(file=b"/tmp/a\0b"),
        "uppercase_hex.txt": good.upper().replace(b"RAISE", b"raise"),
        "odd_hex.txt": b"raise 616 -\n",
        "empty_field.txt": b"raise  -\n",
        "missing_field.txt": b"raise -\n",
        "extra_field.txt": b"raise - - -\n",
        "old_form.txt": b"raise kwin-1234\n",
        "no_newline_too_long.txt": b"raise " + b"0" * 12000,
        "round_trip_token_nul_file.bin": b"tok\0/tmp/x",
    }


def write(directory, seeds):
    os.makedirs(directory, exist_ok=True)
    for name, data in sorted(seeds.items()):
        with open(os.path.join(directory, name), "wb") as f:
            f.write(data)
    print("%s: %d seeds" % (os.path.relpath(directory), len(seeds)))


def main():
    write(os.path.join(HERE, "corpus", "state_file"), state_seeds())
    write(os.path.join(HERE, "corpus", "word_list"), word_seeds())
    write(os.path.join(HERE, "corpus", "start_request"), start_request_seeds())
    return 0


if __name__ == "__main__":
    sys.exit(main())
