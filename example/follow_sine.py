#!/usr/bin/python3
"""Follows the generator's full sine with pure pursuit (Trajectory > Follow path) for three cart
lengths and draws the paths driven and their cross-track errors.

    python3 follow_sine.py [--picture FILE]

A longer cart needs a larger steering angle for the same turn (delta = atan(L * curvature));
where the bound of 0.6 rad cannot give it, the cart cuts the turn, and at 300 pixels it loses
the path.
"""
import argparse

import numpy as np

import tav1

LENGTHS = (10, 40, 300)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--picture", default="follow_sine.png")
    args = parser.parse_args()

    floor = tav1.Map(np.zeros((600, 800), bool))
    path = tav1.trajectory("sin2pi", (100, 300), (700, 300), amplitude=40)
    runs = {length: tav1.follow(floor, path, wheelbase=length) for length in LENGTHS}
    for length, run in runs.items():
        print("length %3d px: %-28s mean cross-track %7.2f px, largest steering %.2f rad"
              % (length, run["end"], run["cross_track_px"].mean(), np.abs(run["steering_rad"]).max()))

    import matplotlib
    matplotlib.use("Agg")
    import matplotlib.pyplot as plt
    figure, (above, below) = plt.subplots(2, 1, figsize=(8, 7), height_ratios=(3, 2))
    above.plot(path[:, 0], path[:, 1], color="purple", linewidth=3, alpha=0.4, label="the path")
    for length, run in runs.items():
        above.plot(run["cart_x"], run["cart_y"], ".-", markersize=3, label="driven, length %d px" % length)
        below.plot(run["step"], run["cross_track_px"], label="length %d px" % length)
    above.set_xlim(0, 800)
    above.set_ylim(600, 0)
    above.set_aspect("equal")
    above.set_title("Follow path: pure pursuit along the full sine")
    above.legend(loc="lower left", fontsize="small")
    below.set_xlabel("step")
    below.set_ylabel("cross-track error (px)")
    below.set_yscale("symlog", linthresh=1)
    below.legend(fontsize="small")
    figure.tight_layout()
    figure.savefig(args.picture, dpi=100)
    print("wrote " + args.picture)


if __name__ == "__main__":
    main()
