#!/usr/bin/env python3
"""Draws example/corridor.png, the second map of the sweep example: a corridor of 800 x 600
pixels as a palette PNG, with shelves and pillars at different distances from the path.

Walls, shelves and pillars are pure red RGB(255, 0, 0), the colour the range scanner stops at,
so scanner ranges of 50, 150 and 300 pixels see different numbers of them. The default start
(300, 300) and end (560, 500) of tav.ini stand in free floor with room for a sine path of
amplitude 40 between them.
"""
import os
import sys

sys.dont_write_bytecode = True  # keep the source folder clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from palettemap import PaletteMap  # noqa: E402

WIDTH, HEIGHT = 800, 600
PALETTE = [
    (230, 230, 230),  # 0 floor
    (255, 0, 0),      # 1 obstacle
    (180, 200, 180),  # 2 marking on the floor (free space)
]
FLOOR, RED, MARK = range(3)

map_ = PaletteMap(WIDTH, HEIGHT, PALETTE, FLOOR)
rect, disc = map_.rect, map_.disc

# Outer walls, and the corridor's walls, parallel to the path from the start to the end.
rect(0, 0, WIDTH, 8, RED)
rect(0, HEIGHT - 8, WIDTH, HEIGHT, RED)
rect(0, 0, 8, HEIGHT, RED)
rect(WIDTH - 8, 0, WIDTH, HEIGHT, RED)
for x in range(8, WIDTH - 8, 4):
    for top in (150, 450):
        y = top + (x - 300) * 3 // 4
        rect(x, y, x + 8, y + 8, RED)
# A lane marking along the path: free space for the scanner.
for x in range(320, 560, 24):
    y = 300 + (x - 300) * 200 // 260
    rect(x, y + 12, x + 10, y + 16, MARK)
# Pillars and a shelf at 45, 75, 100 and 105 pixels from the straight path.
disc(373, 413, 10, RED)
rect(510, 365, 540, 395, RED)
disc(289, 417, 12, RED)
disc(584, 386, 10, RED)

map_.write_png(sys.argv[1] if len(sys.argv) > 1 else "example/corridor.png")
