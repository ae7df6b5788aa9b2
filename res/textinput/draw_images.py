#!/usr/bin/env python3
"""Draws the input pane's bitmaps as 24-bit BMP files next to this script.

input_toolbar.bmp: eight 16 x 15 buttons side by side on light grey (the
transparent colour): seven colour squares (red, green, blue, yellow, pink,
white, orange) and a green check mark for Merge Text.
font_type.bmp: 15 x 13, two letters T, one black and one grey, on white
(the transparent colour); marks outline fonts in the font list.
"""
import os
import struct

GREY = (192, 192, 192)
WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
DARK = (128, 128, 128)
COLOURS = [(255, 0, 0), (0, 255, 0), (0, 0, 255), (255, 255, 0),
           (188, 143, 143), (255, 255, 255), (255, 127, 0)]


def write_bmp(path, pixels):
    height = len(pixels)
    width = len(pixels[0])
    stride = (width * 3 + 3) // 4 * 4
    body = bytearray()
    for row in reversed(pixels):  # bottom row first
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        body += line + bytes(stride - len(line))
    header = struct.pack('<2sIHHI', b'BM', 54 + len(body), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(body), 2835, 2835, 0, 0)
    with open(path, 'wb') as f:
        f.write(header + info + body)


def toolbar():
    w, h = 16, 15
    pixels = [[GREY] * (w * 8) for _ in range(h)]
    for i, colour in enumerate(COLOURS):
        for y in range(2, 13):
            for x in range(2, 13):
                edge = y in (2, 12) or x in (2, 12)
                pixels[y][i * w + x] = BLACK if edge else colour
    check = [(3, 7), (4, 8), (5, 9), (6, 10), (7, 9), (8, 8), (9, 7), (10, 6), (11, 5), (12, 4), (13, 3)]
    for x, y in check:
        for dy in range(3):
            pixels[y + dy - 1][7 * w + x] = (0, 160, 0)
    return pixels


def font_type():
    w, h = 15, 13
    pixels = [[WHITE] * w for _ in range(h)]

    def letter_t(left, top, width, height, colour):
        for x in range(left, left + width):
            pixels[top][x] = colour
            pixels[top + 1][x] = colour
        stem = left + width // 2
        for y in range(top, top + height):
            pixels[y][stem] = colour
            pixels[y][stem - 1] = colour
    letter_t(0, 0, 9, 10, DARK)
    letter_t(6, 3, 9, 10, BLACK)
    return pixels


here = os.path.dirname(os.path.abspath(__file__))
write_bmp(os.path.join(here, 'input_toolbar.bmp'), toolbar())
write_bmp(os.path.join(here, 'font_type.bmp'), font_type())
