#!/usr/bin/python3
"""Plans a path through the lab with a grid search in NumPy, keeps the cart clear of the walls,
saves the path for the window (Trajectory > Load path...), runs it with tav1.run and draws the
map, the path and every hit the scanner made into a picture.

    python3 plan_and_run.py [MAP] [--start X Y] [--goal X Y] [--path FILE] [--picture FILE]
"""
import argparse
import os

import numpy as np

import tav1

HERE = os.path.dirname(os.path.abspath(__file__))
# The cart is a disc of radius 8 pixels; a little more keeps its drawing off the walls.
CLEARANCE = 12


def shifted(grid, dy, dx, fill):
    """grid moved by (dy, dx), the cells moved in from outside set to fill."""
    out = np.full_like(grid, fill)
    height, width = grid.shape
    out[max(dy, 0):height + min(dy, 0), max(dx, 0):width + min(dx, 0)] = \
        grid[max(-dy, 0):height + min(-dy, 0), max(-dx, 0):width + min(-dx, 0)]
    return out


NEIGHBOURS = [(dy, dx) for dy in (-1, 0, 1) for dx in (-1, 0, 1) if (dy, dx) != (0, 0)]


def free_cells(pixels):
    """Where the cart may stand: white pixels farther than CLEARANCE from any other (walls and
    unknown space alike), found by growing the blocked cells one ring at a time."""
    blocked = np.any(pixels != 255, axis=2)
    for _ in range(CLEARANCE):
        grown = blocked.copy()
        for dy, dx in NEIGHBOURS:
            grown |= shifted(blocked, dy, dx, True)
        blocked = grown
    return ~blocked


def wavefront(free, goal):
    """Steps from every free cell to the goal over 8-connected free cells (-1 where none)."""
    steps = np.full(free.shape, -1, np.int32)
    frontier = np.zeros(free.shape, bool)
    frontier[goal[1], goal[0]] = True
    distance = 0
    while frontier.any():
        steps[frontier] = distance
        distance += 1
        reached = np.zeros_like(frontier)
        for dy, dx in NEIGHBOURS:
            reached |= shifted(frontier, dy, dx, False)
        frontier = reached & free & (steps < 0)
    return steps


def descend(steps, start):
    """The cells from start down the wavefront to the goal, straight moves preferred to diagonal."""
    x, y = start
    if steps[y, x] < 0:
        raise SystemExit("no way from %s to the goal keeps the cart clear of the walls" % (start,))
    cells = [(x, y)]
    moves = sorted(NEIGHBOURS, key=lambda m: abs(m[0]) + abs(m[1]))
    while steps[y, x] > 0:
        for dy, dx in moves:
            if steps[y + dy, x + dx] == steps[y, x] - 1:
                x, y = x + dx, y + dy
                break
        cells.append((x, y))
    return np.array(cells, np.float64)


def smooth(cells, window=25):
    """A moving average over the cells (the ends kept), resampled to one record a pixel of length,
    the density of the program's own paths."""
    padded = np.concatenate([np.repeat(cells[:1], window, 0), cells, np.repeat(cells[-1:], window, 0)])
    kernel = np.ones(window) / window
    averaged = np.column_stack([np.convolve(padded[:, i], kernel, "same") for i in (0, 1)])[window:-window]
    length = np.concatenate([[0], np.cumsum(np.hypot(*np.diff(averaged, axis=0).T))])
    at = np.arange(0, length[-1], 1.0)
    return np.column_stack([np.interp(at, length, averaged[:, 0]), np.interp(at, length, averaged[:, 1])])


def draw(lab, path, result, picture):
    import matplotlib
    matplotlib.use("Agg")
    import matplotlib.pyplot as plt

    figure, axes = plt.subplots(figsize=(8, 6), dpi=100)
    axes.imshow(lab.pixels, interpolation="nearest")
    axes.plot(path[:, 0], path[:, 1], color="purple", linewidth=1.5, label="planned path")
    axes.scatter(result["hit_x"], result["hit_y"], s=2, color="black", label="scanner hits")
    axes.plot(result["cart_x"], result["cart_y"], "o", markersize=2.5, color="tab:blue", label="cart, step by step")
    collided = result["collision"]
    if collided.any():
        axes.plot(result["cart_x"][collided], result["cart_y"][collided], "x", color="orange", label="collision")
    axes.set_title("%d steps, %d hits, %d collisions" % (len(result["step"]), len(result["hit_x"]), collided.sum()))
    axes.legend(loc="lower left", fontsize=8)
    axes.set_axis_off()
    figure.tight_layout()
    figure.savefig(picture)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("map", nargs="?", default=os.path.join(HERE, "lab.yaml"), help="an occupancy map (YAML)")
    parser.add_argument("--start", nargs=2, type=int, default=(150, 330), metavar=("X", "Y"))
    parser.add_argument("--goal", nargs=2, type=int, default=(580, 170), metavar=("X", "Y"))
    parser.add_argument("--path", default="planned_path.csv", help="the path file to write")
    parser.add_argument("--picture", default="plan_and_run.png", help="the PNG to draw")
    arguments = parser.parse_args()

    lab = tav1.import_occupancy(arguments.map)
    free = free_cells(lab.pixels)
    path = smooth(descend(wavefront(free, arguments.goal), arguments.start))
    np.savetxt(arguments.path, path, delimiter=",", header="x,y", comments="", fmt="%.17g")
    result = tav1.run(lab, path)
    draw(lab, path, result, arguments.picture)
    print("%s: %d records; %s: %d steps, %d hits, %d collisions" % (
        arguments.path, len(path), arguments.picture, len(result["step"]), len(result["hit_x"]),
        result["collision"].sum()))


if __name__ == "__main__":
    main()
