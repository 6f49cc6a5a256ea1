#!/usr/bin/python3
"""200 carts from random free poses on the corridor map, each steered by a reactive controller
written in NumPy over the fleet's scans (follow the gap: head for the widest opening, slow down
before walls), for 1000 steps; reports the collisions and draws every cart's trace.

    python3 avoid.py [MAP] [--carts N] [--steps N] [--seed N] [--picture FILE]
"""
import argparse
import os

import numpy as np

import tav1

HERE = os.path.dirname(os.path.abspath(__file__))
ANGLES = np.radians(np.arange(-90.0, 91.0, 5.0))


def follow_the_gap(ranges, speed_limit=4.0, max_steering=0.6):
    """Commands (speed, steering) for every cart from its ranges (N x rays)."""
    # Each ray's room is the least range of it and its neighbours: a gap must be wide, not a slit.
    padded = np.pad(ranges, ((0, 0), (2, 2)), mode="edge")
    room = np.min([padded[:, i:i + ranges.shape[1]] for i in range(5)], axis=0)
    # Prefer going straight among rays with nearly the most room.
    score = room - 0.15 * np.abs(np.degrees(ANGLES))
    best = np.argmax(score, axis=1)
    steering = np.clip(ANGLES[best], -max_steering, max_steering)
    ahead = ranges[:, np.abs(ANGLES) <= np.radians(30)].min(axis=1)
    speed = np.clip((ahead - 16.0) / 8.0, 0.0, speed_limit)
    # A cart facing a wall too close to turn away backs off, steering the other way, which
    # turns its nose towards the gap.
    close = ahead < 18.0
    speed[close] = -1.5
    steering[close] = -np.where(steering[close] >= 0, max_steering, -max_steering)
    return np.column_stack([speed, steering])


def free_poses(world, count, rng):
    """Random poses whose cart touches no wall."""
    poses = np.empty((0, 3))
    while len(poses) < count:
        xy = rng.uniform((0, 0), (world.width, world.height), (4 * count, 2))
        xy = xy[~tav1.collides(world, xy, radius=12)]
        headings = rng.uniform(-np.pi, np.pi, len(xy))
        poses = np.vstack([poses, np.column_stack([xy, headings])])
    return poses[:count]


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("map", nargs="?", default=os.path.join(HERE, "corridor.png"))
    parser.add_argument("--carts", type=int, default=200)
    parser.add_argument("--steps", type=int, default=1000)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--picture", default="avoid.png")
    args = parser.parse_args()

    world = tav1.load_map(args.map)
    rng = np.random.default_rng(args.seed)
    fleet = tav1.Fleet(world, free_poses(world, args.carts, rng), wheelbase=10, angles=ANGLES, range=150,
                       collision="stop")
    trace = [fleet.poses[:, :2]]
    ranges = fleet.scan()
    collisions = 0
    for _ in range(args.steps):
        result = fleet.step(follow_the_gap(ranges), 1.0)
        ranges = result["ranges"]
        collisions += int(result["collided"].sum())
        trace.append(result["pose"][:, :2])
    trace = np.array(trace)
    driven = np.linalg.norm(np.diff(trace, axis=0), axis=2).sum()
    print("%d carts, %d steps: %.0f px driven in all, %d steps stopped by a wall"
          % (args.carts, args.steps, driven, collisions))

    import matplotlib
    matplotlib.use("Agg")
    import matplotlib.pyplot as plt
    figure, axes = plt.subplots(figsize=(10, 10 * world.height / world.width + 0.6))
    axes.imshow(world.pixels)
    for cart in range(args.carts):
        axes.plot(trace[:, cart, 0], trace[:, cart, 1], linewidth=0.6)
    axes.plot(trace[0, :, 0], trace[0, :, 1], "k.", markersize=3)
    axes.set_title("%d carts following the gap for %d steps: %d steps stopped by a wall"
                   % (args.carts, args.steps, collisions))
    axes.set_axis_off()
    figure.tight_layout()
    figure.savefig(args.picture, dpi=60)
    print("wrote " + args.picture)


if __name__ == "__main__":
    main()
