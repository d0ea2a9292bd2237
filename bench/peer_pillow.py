#!/usr/bin/env python3
"""Peer export with Pillow: the font is loaded once and every code of the
default list is drawn black (with a white outline of `stroke` pixels when
asked) on a transparent RGBA image as high as the cell and saved as PNG at
compression level 9. Pillow writes 8-bit RGBA only.
    peer_pillow.py FONT_FILE CELL_PX STROKE OUT_DIR"""
import sys

from PIL import Image, ImageDraw, ImageFont


def default_codes():
    return list(range(32, 127)) + [168, 176, 184] + list(range(192, 256))


def main():
    font_file, cell, stroke, folder = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), sys.argv[4]
    # DejaVu Sans: ascent + descent (Windows metrics) is 1.164 em.
    font = ImageFont.truetype(font_file, max(1, round(cell / 1.1641)))
    for code in default_codes():
        text = bytes([code]).decode("cp1251")
        left, _, right, _ = font.getbbox(text, stroke_width=stroke)
        width = max(1, right - min(0, left))
        image = Image.new("RGBA", (width, cell), (255, 0, 255, 0))
        draw = ImageDraw.Draw(image)
        draw.text((-min(0, left), 0), text, font=font, fill=(0, 0, 0, 240),
                  stroke_width=stroke, stroke_fill=(255, 255, 255, 240))
        image.save(f"{folder}/{code + 2048}.png", compress_level=9)


if __name__ == "__main__":
    main()
