#!/usr/bin/env python3
"""Draws the flag pictures of the shipped languages: 48 x 48 pixels, 24-bit BMP.

The flag itself is 48 x 32 in the middle; the bands above and below are in the key colour, which
the options dialog shows transparent (it takes the colour of the bottom-left pixel as the
background). Run from anywhere; writes into data/LANGUAGE beside this tools folder.
"""
import os
import struct

SIZE = 48
FLAG_HEIGHT = 32
TOP = (SIZE - FLAG_HEIGHT) // 2
KEY = (255, 0, 255)
OUT_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data", "LANGUAGE")

WHITE = (255, 255, 255)


def framed(flag):
    """The flag in the middle band, the key colour above and below it."""
    return lambda x, y: flag(x, y - TOP) if TOP <= y < TOP + FLAG_HEIGHT else KEY


def write_bmp(path, pixel):
    """pixel(x, y) gives (r, g, b), y = 0 at the top."""
    row_size = (SIZE * 3 + 3) // 4 * 4
    image_size = row_size * SIZE
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + image_size, 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE, 1, 24, 0, image_size, 2835, 2835, 0, 0)
    rows = []
    for y in range(SIZE - 1, -1, -1):  # BMP rows run bottom-up
        row = bytearray()
        for x in range(SIZE):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        row += bytes(row_size - len(row))
        rows.append(bytes(row))
    with open(path, "wb") as f:
        f.write(header + info + b"".join(rows))


def union_flag(x, y):
    blue, red = (1, 33, 105), (200, 16, 46)
    cx, cy = x - (SIZE - 1) / 2, (y - (FLAG_HEIGHT - 1) / 2) * SIZE / FLAG_HEIGHT
    if abs(cx) < 3 or abs(cy) < 3:
        return red
    if abs(cx) < 6 or abs(cy) < 6:
        return WHITE
    diagonal = min(abs(cx - cy), abs(cx + cy)) / 2 ** 0.5
    if diagonal < 1.6:
        return red
    if diagonal < 4.5:
        return WHITE
    return blue


def vertical_tricolour(left, middle, right):
    return lambda x, y: (left, middle, right)[x * 3 // SIZE]


def horizontal_tricolour(top, middle, bottom):
    return lambda x, y: (top, middle, bottom)[y * 3 // FLAG_HEIGHT]


QUESTION_MARK = [
    ".###.",
    "#...#",
    "....#",
    "...#.",
    "..#..",
    ".....",
    "..#..",
]


def default_flag(x, y):
    grey, scale = (150, 150, 150), 4
    left = (SIZE - len(QUESTION_MARK[0]) * scale) // 2
    top = (FLAG_HEIGHT - len(QUESTION_MARK) * scale) // 2
    gx, gy = (x - left) // scale, (y - top) // scale
    if 0 <= gy < len(QUESTION_MARK) and 0 <= gx < len(QUESTION_MARK[0]) and x >= left and y >= top:
        if QUESTION_MARK[gy][gx] == "#":
            return WHITE
    return grey


FLAGS = {
    "English": union_flag,
    "Italiano": vertical_tricolour((0, 146, 70), WHITE, (206, 43, 55)),
    "Deutsch": horizontal_tricolour((0, 0, 0), (221, 0, 0), (255, 206, 0)),
    "DefaultFlag": default_flag,
}

if __name__ == "__main__":
    for name, pixel in FLAGS.items():
        write_bmp(os.path.join(OUT_DIR, name + ".bmp"), framed(pixel))
