#!/usr/bin/env python3
"""Draws example/mapa.bmp: a floor plan of 800 x 600 pixels as an 8-bit Windows bitmap.

Walls and obstacles are pure red RGB(255, 0, 0), the colour the range scanner stops at;
furniture is grey and is not an obstacle. The default start (300, 300) and end (560, 500)
stand in free floor with room for a sine path of amplitude 40 between them.
"""
import os
import sys

sys.dont_write_bytecode = True  # keep the source folder clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from palettemap import PaletteMap  # noqa: E402

WIDTH, HEIGHT = 800, 600
PALETTE = [
    (238, 234, 222),  # 0 floor
    (255, 0, 0),      # 1 obstacle
    (128, 128, 128),  # 2 furniture
    (96, 96, 96),     # 3 furniture edge
    (200, 220, 240),  # 4 rug
]
FLOOR, RED, GREY, DARK, RUG = range(5)

map_ = PaletteMap(WIDTH, HEIGHT, PALETTE, FLOOR)
rect, disc = map_.rect, map_.disc


def furniture(x0, y0, x1, y1):
    rect(x0, y0, x1, y1, DARK)
    rect(x0 + 2, y0 + 2, x1 - 2, y1 - 2, GREY)


# Outer walls with a door on the left.
rect(0, 0, WIDTH, 8, RED)
rect(0, HEIGHT - 8, WIDTH, HEIGHT, RED)
rect(0, 0, 8, HEIGHT, RED)
rect(WIDTH - 8, 0, WIDTH, HEIGHT, RED)
rect(0, 250, 8, 320, FLOOR)
# Inner walls: a room in the top-left corner and a partition on the right.
rect(8, 180, 200, 188, RED)
rect(192, 8, 200, 120, RED)
rect(660, 160, 668, 420, RED)
rect(668, 412, 792, 420, RED)
# Obstacles near the path, where the scanner sees them.
rect(480, 290, 525, 325, RED)
disc(360, 480, 22, RED)
rect(600, 430, 640, 446, RED)
disc(420, 200, 14, RED)
# Furniture and a rug: grey and blue are free space for the scanner.
furniture(40, 40, 150, 120)
furniture(240, 40, 380, 90)
furniture(60, 440, 200, 540)
furniture(700, 40, 780, 140)
rect(230, 520, 330, 580, RUG)

map_.write_bmp(sys.argv[1] if len(sys.argv) > 1 else "example/mapa.bmp")
