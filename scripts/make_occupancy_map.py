#!/usr/bin/env python3
"""Draws example/lab.pgm and example/lab.yaml, an occupancy map the way mapping tools save one:
an 8-bit PGM with 0 for walls, 254 for free floor and 205 for what the robot never saw, and a
YAML description of 0.05 m per pixel with the origin at the lab's lower-left corner.

The lab is 800 x 600 pixels (40 x 30 m): two rooms and a corridor, pillars and benches, an
unexplored store room and the unknown world outside the walls. The default start (300, 300)
and end (560, 500) of tav.ini stand in free floor with room for a sine path between them.
    make_occupancy_map.py [FOLDER]
"""
import os
import sys

sys.dont_write_bytecode = True  # keep the source folder clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from palettemap import PaletteMap  # noqa: E402

WIDTH, HEIGHT = 800, 600
PALETTE = [(205, 205, 205), (254, 254, 254), (0, 0, 0)]
UNKNOWN, FREE, WALL = range(3)

map_ = PaletteMap(WIDTH, HEIGHT, PALETTE, UNKNOWN)
rect, disc = map_.rect, map_.disc

# The floor seen by the robot, inside walls three pixels thick.
rect(60, 50, 760, 560, WALL)
rect(63, 53, 757, 557, FREE)
# A wall between the rooms with two doors, and the store room behind a closed door, unexplored.
rect(430, 53, 433, 230, WALL)
rect(430, 280, 433, 380, WALL)
rect(600, 53, 603, 180, WALL)
rect(603, 177, 757, 180, WALL)
rect(603, 53, 757, 177, UNKNOWN)
# Pillars, and benches along the walls, each with the unknown shadow a scan leaves behind it.
for cx, cy in ((200, 200), (380, 450), (650, 300)):
    disc(cx, cy, 9, WALL)
    rect(cx - 4, cy - 30, cx + 4, cy - 9, UNKNOWN)
for x0, y0, x1, y1 in ((90, 480, 250, 510), (480, 80, 570, 100), (690, 380, 730, 530)):
    rect(x0, y0, x1, y1, WALL)
# Unseen corners where the scans never reached.
rect(63, 53, 110, 90, UNKNOWN)
rect(720, 530, 757, 557, UNKNOWN)

folder = sys.argv[1] if len(sys.argv) > 1 else "example"
map_.write_pgm(os.path.join(folder, "lab.pgm"), "CREATOR: make_occupancy_map.py 0.050 m/pix")
with open(os.path.join(folder, "lab.yaml"), "w") as f:
    f.write("image: lab.pgm\n"
            "mode: trinary\n"
            "resolution: 0.05\n"
            "origin: [-3.0, -2.5, 0.0]\n"
            "negate: 0\n"
            "occupied_thresh: 0.65\n"
            "free_thresh: 0.196\n")
