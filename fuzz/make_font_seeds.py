#!/usr/bin/env python3
"""Writes the seed fonts of font_file_fuzz: tiny but complete TrueType fonts.

Each seed is a font file followed by the three control bytes the fuzz target
reads from the end of its input (style, byte to draw, height). Run from the
repository root: fuzz/make_font_seeds.py
"""
import os
import struct


def checksum(data):
    data += b"\0" * (-len(data) % 4)
    return sum(struct.unpack(">%dI" % (len(data) // 4), data)) & 0xFFFFFFFF


def glyph(contours):
    """A simple glyph of straight on-curve contours (lists of (x, y))."""
    if not contours:
        return b""
    points = [p for c in contours for p in c]
    xs, ys = [p[0] for p in points], [p[1] for p in points]
    out = struct.pack(">hhhhh", len(contours), min(xs), min(ys), max(xs), max(ys))
    end = -1
    for c in contours:
        end += len(c)
        out += struct.pack(">H", end)
    out += struct.pack(">H", 0)  # no instructions
    out += bytes([1] * len(points))  # on curve, 16-bit deltas
    last = 0
    for x in xs:
        out += struct.pack(">h", x - last)
        last = x
    last = 0
    for y in ys:
        out += struct.pack(">h", y - last)
        last = y
    return out + b"\0" * (-len(out) % 4)


def name_table(family, style):
    full = family + " " + style
    records = [(1, family), (2, style), (4, full), (6, family + "-" + style)]
    strings = b""
    entries = b""
    for name_id, text in records:
        data = text.encode("utf-16-be")
        entries += struct.pack(">HHHHHH", 3, 1, 0x409, name_id, len(data), len(strings))
        strings += data
    return struct.pack(">HHH", 0, len(records), 6 + len(entries)) + entries + strings


def cmap_table(mapping):
    """Format 4 cmap for (code, glyph) pairs, one segment each."""
    segments = [(code, code, gid - code) for code, gid in sorted(mapping)] + [(0xFFFF, 0xFFFF, 1)]
    count = len(segments)
    search = 2 ** (count.bit_length() - 1) * 2
    sub = struct.pack(">HHH", count * 2, search, (search // 2).bit_length() - 1) + struct.pack(">H", count * 2 - search)
    sub += b"".join(struct.pack(">H", s[1]) for s in segments) + b"\0\0"
    sub += b"".join(struct.pack(">H", s[0]) for s in segments)
    sub += b"".join(struct.pack(">h", (s[2] + 0x8000) % 0x10000 - 0x8000) for s in segments)
    sub += b"\0\0" * count
    sub = struct.pack(">HHH", 4, 6 + len(sub), 0) + sub
    return struct.pack(">HHHHI", 0, 1, 3, 1, 12) + sub


def font(family, glyphs, mapping):
    glyf = b""
    loca = []
    for contours in glyphs:
        loca.append(len(glyf))
        glyf += glyph(contours)
    loca.append(len(glyf))
    points = max(sum(len(c) for c in g) for g in glyphs)
    contours = max(len(g) for g in glyphs)
    tables = {
        b"head": struct.pack(">IIIIHHqqhhhhHHhhh", 0x10000, 0x10000, 0, 0x5F0F3CF5, 0x000B, 1000, 0, 0,
                             0, -200, 1000, 800, 0, 8, 2, 1, 0),
        b"hhea": struct.pack(">Ihhh" "H" "hhh" "hhh" "hhhh" "hH", 0x10000, 800, -200, 0, 1000, 0, 0, 1000,
                             1, 0, 0, 0, 0, 0, 0, 0, len(glyphs)),
        b"maxp": struct.pack(">I" + "H" * 14, 0x10000, len(glyphs), points, contours, 0, 0, 2, 0, 0, 0, 0, 0,
                             0, 0, 0),
        b"OS/2": struct.pack(">HhHHH" "hhhhhhhh" "hhh" "10s" "IIII" "4s" "HHH" "hhh" "HH" "II", 1, 600, 400, 5, 0,
                             0, 0, 0, 0, 0, 0, 0, 0, 50, 300, 0, b"\0" * 10, 1, 0, 0, 0, b"GLYF", 0x40, 0x20,
                             0x41, 800, -200, 0, 800, 200, 1, 0),
        b"hmtx": b"".join(struct.pack(">Hh", 600, 0) for _ in glyphs),
        b"cmap": cmap_table(mapping),
        b"loca": b"".join(struct.pack(">I", offset) for offset in loca),
        b"glyf": glyf,
        b"name": name_table(family, "Regular"),
        b"post": struct.pack(">IIhhIIIII", 0x30000, 0, -100, 50, 0, 0, 0, 0, 0),
    }
    tags = sorted(tables)
    count = len(tags)
    search = 2 ** (count.bit_length() - 1) * 16
    out = struct.pack(">IHHHH", 0x10000, count, search, (search // 16).bit_length() - 1, count * 16 - search)
    offset = 12 + 16 * count
    body = b""
    for tag in tags:
        data = tables[tag]
        out += struct.pack(">4sIII", tag, checksum(data), offset + len(body), len(data))
        body += data + b"\0" * (-len(data) % 4)
    return out + body


BOX = [[(50, 0), (50, 700), (550, 700), (550, 0)], [(100, 50), (500, 50), (500, 650), (100, 650)]]
TRIANGLE = [[(0, 0), (300, 700), (600, 0)]]
BAR = [[(250, -200), (250, 800), (350, 800), (350, -200)]]


def main():
    folder = os.path.join("fuzz", "corpus", "font_file_fuzz")
    os.makedirs(folder, exist_ok=True)
    seeds = {
        # style bits, byte drawn, height (signed)
        "a-triangle": (font("FuzzSeed", [BOX, TRIANGLE], [(0x41, 1)]), bytes([0, 0x41, 20])),
        "missing-glyph-bold": (font("FuzzSeed", [BOX, TRIANGLE], [(0x41, 1)]), bytes([1, 0x5A, 0xF0])),
        "three-glyphs-italic": (font("SeedThree", [BOX, TRIANGLE, BAR, []], [(0x41, 1), (0x7C, 2), (0x20, 3)]),
                                bytes([2, 0x7C, 40])),
    }
    for name, (data, control) in seeds.items():
        with open(os.path.join(folder, name), "wb") as out:
            out.write(data + control)


if __name__ == "__main__":
    main()
