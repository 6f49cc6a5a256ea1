#!/usr/bin/env python3
"""Draws example/mapa.bmp: a floor plan of 800 x 600 pixels as an 8-bit Windows bitmap.

Walls and obstacles are pure red RGB(255, 0, 0), the colour the range scanner stops at;
furniture is grey and is not an obstacle. The default start (300, 300) and end (560, 500)
stand in free floor with room for a sine path of amplitude 40 between them.
"""
import struct
import sys

WIDTH, HEIGHT = 800, 600
PALETTE = [
    (238, 234, 222),  # 0 floor
    (255, 0, 0),      # 1 obstacle
    (128, 128, 128),  # 2 furniture
    (96, 96, 96),     # 3 furniture edge
    (200, 220, 240),  # 4 rug
]
FLOOR, RED, GREY, DARK, RUG = range(5)

pixels = [[FLOOR] * WIDTH for _ in range(HEIGHT)]


def rect(x0, y0, x1, y1, colour):
    for y in range(max(y0, 0), min(y1, HEIGHT)):
        row = pixels[y]
        for x in range(max(x0, 0), min(x1, WIDTH)):
            row[x] = colour


def disc(cx, cy, r, colour):
    for y in range(cy - r, cy + r + 1):
        for x in range(cx - r, cx + r + 1):
            if (x - cx) ** 2 + (y - cy) ** 2 <= r * r and 0 <= x < WIDTH and 0 <= y < HEIGHT:
                pixels[y][x] = colour


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

out = sys.argv[1] if len(sys.argv) > 1 else "example/mapa.bmp"
palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
palette += b"\0" * (4 * 256 - len(palette))
row_size = (WIDTH + 3) // 4 * 4
image = b"".join(bytes(pixels[y]) + b"\0" * (row_size - WIDTH) for y in reversed(range(HEIGHT)))
offset = 14 + 40 + len(palette)
header = struct.pack("<2sIHHI", b"BM", offset + len(image), 0, 0, offset)
info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 8, 0, len(image), 3780, 3780, 256, 0)
with open(out, "wb") as f:
    f.write(header + info + palette + image)
