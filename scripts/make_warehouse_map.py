#!/usr/bin/env python3
"""Draws a large map for the README's pictures: a warehouse of 4000 x 3000 pixels as a palette
PNG, too large to see whole at one screen pixel a map pixel.

Walls and racks are pure red RGB(255, 0, 0), the colour the range scanner stops at; the aisle
markings are free space. The main aisle runs from (300, 1500) to (3700, 1500).
    make_warehouse_map.py PATH
"""
import os
import sys

sys.dont_write_bytecode = True  # keep the source folder clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from palettemap import PaletteMap  # noqa: E402

WIDTH, HEIGHT = 4000, 3000
PALETTE = [
    (236, 236, 228),  # 0 floor
    (255, 0, 0),      # 1 wall or rack
    (250, 210, 60),   # 2 aisle marking (free space)
]
FLOOR, RED, MARK = range(3)

map_ = PaletteMap(WIDTH, HEIGHT, PALETTE, FLOOR)
rect = map_.rect

# Outer walls, with a loading bay cut into the bottom wall.
rect(0, 0, WIDTH, 24, RED)
rect(0, HEIGHT - 24, WIDTH, HEIGHT, RED)
rect(0, 0, 24, HEIGHT, RED)
rect(WIDTH - 24, 0, WIDTH, HEIGHT, RED)
rect(1700, HEIGHT - 24, 2300, HEIGHT, FLOOR)
# Racks in two blocks above and below the main aisle, cross aisles between them.
for x in range(300, 3700, 400):
    for top in (200, 650, 1100):
        rect(x, top, x + 300, top + 60, RED)
    for top in (1840, 2290, 2740):
        rect(x, top, x + 300, top + 60, RED)
# The main aisle's yellow edges, and pallets standing in it.
rect(200, 1340, 3800, 1350, MARK)
rect(200, 1650, 3800, 1660, MARK)
for x, y in ((1100, 1400), (2500, 1560), (3300, 1420)):
    rect(x, y, x + 80, y + 80, RED)

map_.write_png(sys.argv[1])
