#!/usr/bin/env python3
"""Draws the main toolbar's button images: one 24-bit BMP strip of 24 cells of
16 x 15 pixels, in button order. Light grey (192, 192, 192) is the transparent
colour. Run: python3 scripts/draw_toolbar.py res/toolbar.bmp"""

import struct
import sys

CELL_W, CELL_H, COUNT = 16, 15, 24
GREY = (192, 192, 192)
BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
DARK = (64, 64, 64)
NAVY = (0, 0, 128)
BLUE = (0, 64, 192)
YELLOW = (255, 224, 64)
BROWN = (160, 112, 0)
RED = (255, 0, 0)
GREEN = (0, 160, 0)
TEAL = (0, 128, 128)
SKIN = (255, 220, 180)

# The seven dot colours, in button order.
DOT_COLOURS = [(255, 0, 0), (0, 255, 0), (0, 0, 255), (255, 255, 0),
               (188, 143, 143), (255, 255, 255), (255, 127, 0)]


class Cell:
    def __init__(self):
        self.px = [[GREY] * CELL_W for _ in range(CELL_H)]

    def put(self, x, y, c):
        if 0 <= x < CELL_W and 0 <= y < CELL_H:
            self.px[y][x] = c

    def fill(self, x0, y0, x1, y1, c):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.put(x, y, c)

    def frame(self, x0, y0, x1, y1, c):
        for x in range(x0, x1 + 1):
            self.put(x, y0, c)
            self.put(x, y1, c)
        for y in range(y0, y1 + 1):
            self.put(x0, y, c)
            self.put(x1, y, c)

    def line(self, x0, y0, x1, y1, c):
        n = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(n + 1):
            self.put(round(x0 + (x1 - x0) * i / n), round(y0 + (y1 - y0) * i / n), c)

    def art(self, rows, palette):
        for y, row in enumerate(rows):
            for x, ch in enumerate(row):
                if ch in palette:
                    self.put(x, y, palette[ch])


def page(c, x0=3, x1=12):
    """A sheet of paper with its top-right corner folded down."""
    c.fill(x0, 1, x1, 13, WHITE)
    c.frame(x0, 1, x1, 13, BLACK)
    for x, y in ((x1 - 2, 1), (x1 - 1, 1), (x1, 1), (x1 - 1, 2), (x1, 2), (x1, 3)):
        c.put(x, y, GREY)
    c.line(x1 - 3, 1, x1, 4, BLACK)
    c.line(x1 - 3, 1, x1 - 3, 4, BLACK)
    c.line(x1 - 3, 4, x1, 4, BLACK)


def icon_new(c):
    page(c)


def icon_open(c):
    c.fill(1, 4, 6, 5, YELLOW)
    c.frame(1, 3, 6, 5, BROWN)
    c.fill(1, 5, 13, 12, YELLOW)
    c.frame(1, 5, 13, 12, BROWN)
    c.line(9, 2, 12, 2, BLACK)
    c.put(13, 3, BLACK)
    c.line(11, 1, 13, 3, BLACK)


def floppy(c):
    c.fill(1, 1, 14, 13, NAVY)
    c.fill(4, 1, 11, 5, WHITE)
    c.fill(9, 2, 10, 4, NAVY)
    c.fill(3, 8, 12, 13, WHITE)


def icon_save_dot(c):
    floppy(c)
    for x in (4, 6, 8, 10):
        c.put(x, 10, RED)
        c.put(x + 1, 12, RED)


def icon_save_image(c):
    floppy(c)
    c.fill(3, 8, 12, 13, (128, 192, 255))
    c.line(3, 13, 6, 10, GREEN)
    c.line(6, 10, 9, 13, GREEN)
    c.line(8, 12, 10, 10, GREEN)
    c.line(10, 10, 12, 12, GREEN)
    c.put(10, 9, YELLOW)


def arrow(c, x0, y0, x1, y1, col):
    """A shaft from (x0, y0) to (x1, y1) with a head at the second point."""
    c.line(x0, y0, x1, y1, col)
    dx = (x1 > x0) - (x1 < x0)
    dy = (y1 > y0) - (y1 < y0)
    for k in range(1, 4):
        if dx:
            c.line(x1 - dx * k, y1 - k, x1 - dx * k, y1 + k, col)
        else:
            c.line(x1 - k, y1 - dy * k, x1 + k, y1 - dy * k, col)


def icon_mirror(c):
    for y in range(0, 15, 2):
        c.put(7, y, DARK)
        c.put(8, y, DARK)
    arrow(c, 5, 7, 1, 7, BLUE)
    arrow(c, 10, 7, 14, 7, BLUE)


def icon_flip(c):
    for x in range(0, 16, 2):
        c.put(x, 7, DARK)
    arrow(c, 7, 5, 7, 1, BLUE)
    arrow(c, 7, 9, 7, 13, BLUE)


def icon_rotate(c):
    c.art([
        "................",
        ".....#####......",
        "...##.....##....",
        "..#.........#...",
        ".#...........#..",
        ".#...........#..",
        "#.............#.",
        "#.............#.",
        "#...........#####",
        ".#...........###.",
        ".#............#..",
        "..#.............",
        "...##...........",
        ".....####.......",
        "................",
    ], {"#": BLUE})


def icon_colour(index):
    def draw(c):
        c.fill(2, 2, 13, 12, DOT_COLOURS[index])
        c.frame(2, 2, 13, 12, BLACK)
    return draw


def magnifier(c):
    c.art([
        "....#####.......",
        "...#wwwww#......",
        "..#wwwwwww#.....",
        ".#wwwwwwwww#....",
        ".#wwwwwwwww#....",
        ".#wwwwwwwww#....",
        ".#wwwwwwwww#....",
        ".#wwwwwwwww#....",
        "..#wwwwwww#.....",
        "...#wwwww##.....",
        "....#####.##....",
        "...........##...",
        "............##..",
        ".............##.",
        "..............#.",
    ], {"#": BLACK, "w": WHITE})


def icon_zoom_in(c):
    magnifier(c)
    c.line(4, 5, 8, 5, BLACK)
    c.line(6, 3, 6, 7, BLACK)


def icon_zoom_out(c):
    magnifier(c)
    c.line(4, 5, 8, 5, BLACK)


def icon_grid(c):
    c.fill(1, 1, 14, 13, WHITE)
    for x in range(1, 15, 4):
        c.line(x, 1, x, 13, DARK)
    for y in range(1, 14, 4):
        c.line(1, y, 13, y, DARK)
    c.line(14, 1, 14, 13, DARK)
    c.line(1, 13, 14, 13, DARK)
    c.fill(6, 6, 8, 8, RED)


def icon_up(c):
    arrow(c, 7, 13, 7, 2, TEAL)
    arrow(c, 8, 13, 8, 2, TEAL)


def icon_down(c):
    arrow(c, 7, 1, 7, 12, TEAL)
    arrow(c, 8, 1, 8, 12, TEAL)


def icon_left(c):
    arrow(c, 14, 7, 2, 7, TEAL)
    arrow(c, 14, 8, 2, 8, TEAL)


def icon_right(c):
    arrow(c, 1, 7, 13, 7, TEAL)
    arrow(c, 1, 8, 13, 8, TEAL)


def icon_origin(c):
    """A house: the text goes home to where it started."""
    c.art([
        "................",
        ".......##.......",
        "......####......",
        ".....######.....",
        "....########....",
        "...##########...",
        "..############..",
        ".##############.",
        "...##########...",
        "...##########...",
        "...###....###...",
        "...###....###...",
        "...###....###...",
        "...###....###...",
        "................",
    ], {"#": TEAL})


def icon_view_image(c):
    page(c, 2, 13)
    for y in (5, 7, 9, 11):
        for x in range(4, 12, 2):
            c.put(x, y, NAVY)


def icon_pan(c):
    c.art([
        "......##........",
        "...##.#o#.......",
        "..#oo##oo#......",
        "..#oo##oo#.##...",
        "...#oo#oo#.#o#..",
        "...#oo#oo##oo#..",
        ".##.#ooooo#oo#..",
        "#oo##oooooooo#..",
        "#ooo#ooooooo#...",
        ".#oooooooooo#...",
        "..#ooooooooo#...",
        "..#oooooooo#....",
        "...#ooooooo#....",
        "....#oooooo#....",
        "....#oooooo#....",
    ], {"#": BLACK, "o": SKIN})


DRAWERS = [
    icon_new, icon_open, icon_save_dot, icon_save_image,
    icon_mirror, icon_flip, icon_rotate,
    *[icon_colour(i) for i in range(7)],
    icon_zoom_in, icon_zoom_out, icon_grid,
    icon_up, icon_down, icon_left, icon_right, icon_origin,
    icon_view_image, icon_pan,
]


def write_bmp(path, rows):
    """Writes 24-bit bottom-up BMP rows (each a list of (r, g, b))."""
    width, height = len(rows[0]), len(rows)
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += b"\0" * (stride - len(line))
        pixels += line
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, "wb") as out:
        out.write(header + info + pixels)


def main():
    assert len(DRAWERS) == COUNT
    strip = [[GREY] * (CELL_W * COUNT) for _ in range(CELL_H)]
    for i, draw in enumerate(DRAWERS):
        cell = Cell()
        draw(cell)
        for y in range(CELL_H):
            strip[y][i * CELL_W:(i + 1) * CELL_W] = cell.px[y]
    write_bmp(sys.argv[1] if len(sys.argv) > 1 else "res/toolbar.bmp", strip)


if __name__ == "__main__":
    main()
