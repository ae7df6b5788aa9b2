#!/usr/bin/env python3
"""Draws the drawing tools' button images, a strip like the main toolbar's
(cells of 16 x 15, light grey transparent), in the order of the tool
commands: click, pencil, line, rectangle, filled rectangle, ellipse, filled
ellipse, fill, colour picker, select.
Run: python3 scripts/draw_tool_icons.py res/tools.bmp"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from draw_toolbar import BLACK, BLUE, BROWN, CELL_H, CELL_W, DARK, GREY, RED, WHITE, YELLOW, Cell, write_bmp  # noqa: E402


def icon_click(c):
    # One dot under an arrow pointer.
    c.fill(10, 10, 13, 13, RED)
    c.art([
        "#.......",
        "##......",
        "#o#.....",
        "#oo#....",
        "#ooo#...",
        "#oooo#..",
        "#ooooo#.",
        "#oo####.",
        "#o#.....",
        "##......",
    ], {"#": BLACK, "o": WHITE})


def icon_pencil(c):
    for i in range(9):
        c.fill(4 + i, 10 - i, 5 + i, 11 - i, YELLOW)
        c.put(4 + i, 9 - i, BLACK)
        c.put(6 + i, 11 - i, BLACK)
    c.fill(2, 12, 3, 13, DARK)
    c.fill(13, 1, 14, 2, RED)


def icon_line(c):
    c.line(1, 13, 14, 1, BLUE)
    c.line(2, 13, 14, 2, BLUE)


def icon_rectangle(c):
    c.frame(1, 2, 14, 12, BLUE)


def icon_filled_rectangle(c):
    c.frame(1, 2, 14, 12, BLACK)
    c.fill(2, 3, 13, 11, BLUE)


ELLIPSE = [
    ".....######.....",
    "...##......##...",
    "..#..........#..",
    ".#............#.",
    "#..............#",
    "#..............#",
    "#..............#",
    ".#............#.",
    "..#..........#..",
    "...##......##...",
    ".....######.....",
]


def icon_ellipse(c):
    for y, row in enumerate(ELLIPSE):
        for x, ch in enumerate(row):
            if ch == "#":
                c.put(x, y + 2, BLUE)


def icon_filled_ellipse(c):
    for y, row in enumerate(ELLIPSE):
        first, last = row.index("#"), row.rindex("#")
        for x in range(first, last + 1):
            c.put(x, y + 2, BLACK if x in (first, last) or y in (0, len(ELLIPSE) - 1) else BLUE)


def icon_fill(c):
    # A tipped bucket pouring paint.
    c.art([
        "......#.........",
        ".....#o#........",
        "....#ooo#.......",
        "...#ooooo#......",
        "..#ooooooo#.....",
        ".#ooooooooo#....",
        "..#ooooooo#rr...",
        "...#ooooo#.rr...",
        "....#ooo#..rrr..",
        ".....#o#...rrr..",
        "......#.....r...",
    ], {"#": BLACK, "o": WHITE, "r": RED})


def icon_picker(c):
    for i in range(7):
        c.put(3 + i, 11 - i, DARK)
        c.put(4 + i, 11 - i, WHITE)
    c.fill(10, 2, 13, 5, BROWN)
    c.fill(1, 12, 2, 13, RED)


def icon_select(c):
    for x in range(1, 15, 2):
        c.put(x, 2, BLACK)
        c.put(x, 12, BLACK)
    for y in range(2, 13, 2):
        c.put(1, y, BLACK)
        c.put(14, y, BLACK)


DRAWERS = [icon_click, icon_pencil, icon_line, icon_rectangle, icon_filled_rectangle,
           icon_ellipse, icon_filled_ellipse, icon_fill, icon_picker, icon_select]


def main():
    strip = [[GREY] * (CELL_W * len(DRAWERS)) for _ in range(CELL_H)]
    for i, draw in enumerate(DRAWERS):
        cell = Cell()
        draw(cell)
        for y in range(CELL_H):
            strip[y][i * CELL_W:(i + 1) * CELL_W] = cell.px[y]
    write_bmp(sys.argv[1] if len(sys.argv) > 1 else "res/tools.bmp", strip)


if __name__ == "__main__":
    main()
