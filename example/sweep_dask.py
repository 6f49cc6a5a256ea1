#!/usr/bin/python3
"""A sweep on a Dask cluster: Follow path over cart lengths and look-aheads, and the reactive fleet
of avoid.py over scanner noise levels and seeds, each episode a Dask task. The map is scattered to
the workers once; the results are gathered into one CSV table and a figure of the mean cross-track
error against the look-ahead, one line a cart length.

    python3 sweep_dask.py [--scheduler tcp://HOST:8786] [--workers N] [--csv FILE] [--picture FILE]

Without --scheduler it starts a LocalCluster of N worker processes (default 2) on this machine.
"""
import argparse
import csv
import itertools
import os
import time

import numpy as np

import tav1

HERE = os.path.dirname(os.path.abspath(__file__))
LENGTHS = (10, 40, 120)
LOOKAHEADS = (10, 20, 40, 80)
NOISES = (0.0, 2.0, 8.0)
SEEDS = (1, 2, 3)
COLUMNS = ("kind", "length", "lookahead", "noise", "seed", "steps", "end", "mean_cross_track_px", "collisions",
           "seconds")


def floor_map():
    """An open floor with a border wall and four pillars clear of the path."""
    walls = np.zeros((600, 800), bool)
    walls[:4], walls[-4:], walls[:, :4], walls[:, -4:] = True, True, True, True
    for x, y in ((200, 120), (600, 120), (200, 480), (600, 480)):
        walls[y - 15:y + 15, x - 15:x + 15] = True
    return tav1.Map(walls)


def follow_episode(world, length, lookahead):
    """Trajectory > Follow path along the full sine with one cart length and look-ahead."""
    start = time.perf_counter()
    path = tav1.trajectory("sin2pi", (100, 300), (700, 300), amplitude=60)
    run = tav1.follow(world, path, wheelbase=length, lookahead=lookahead)
    return {"kind": "follow", "length": length, "lookahead": lookahead, "noise": 0.0, "seed": 0,
            "steps": len(run["step"]), "end": run["end"], "mean_cross_track_px": float(run["cross_track_px"].mean()),
            "collisions": int(run["collision"].sum()), "seconds": time.perf_counter() - start}


def fleet_episode(world, noise, seed, carts=50, steps=200):
    """50 carts following the gap with noisy scanners, as example/avoid.py drives them."""
    from avoid import ANGLES, follow_the_gap, free_poses
    start = time.perf_counter()
    rng = np.random.default_rng(seed)
    fleet = tav1.Fleet(world, free_poses(world, carts, rng), angles=ANGLES, range=150, seed=seed,
                       noise=tav1.RangeNoise(sigma=noise) if noise else None)
    ranges, collisions = fleet.scan(), 0
    for _ in range(steps):
        result = fleet.step(follow_the_gap(ranges), 1.0)
        ranges, collisions = result["ranges"], collisions + int(result["collided"].sum())
    return {"kind": "fleet", "length": 10, "lookahead": 0, "noise": noise, "seed": seed, "steps": steps, "end": "",
            "mean_cross_track_px": float("nan"), "collisions": collisions, "seconds": time.perf_counter() - start}


def episodes():
    """Every task of the sweep: (function, its arguments after the map)."""
    return ([(follow_episode, (length, lookahead)) for length, lookahead in itertools.product(LENGTHS, LOOKAHEADS)]
            + [(fleet_episode, (noise, seed)) for noise, seed in itertools.product(NOISES, SEEDS)])


def sweep(world, tasks, client=None):
    """The rows of every task, in order: run here without a client, else as Dask tasks on its workers."""
    if client is None:
        return [function(world, *arguments) for function, arguments in tasks]
    # The map goes to every worker once; the tasks only name it.
    scattered = client.scatter(world, broadcast=True)
    futures = [client.submit(function, scattered, *arguments, pure=False) for function, arguments in tasks]
    return client.gather(futures)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--scheduler", help="an existing cluster's scheduler, tcp://HOST:8786")
    parser.add_argument("--workers", type=int, default=2, help="worker processes of the local cluster")
    parser.add_argument("--csv", default="sweep.csv")
    parser.add_argument("--picture", default="sweep_dask.png")
    args = parser.parse_args()

    from dask.distributed import Client, LocalCluster
    # The workers import avoid.py from here, as this script does.
    os.environ["PYTHONPATH"] = os.pathsep.join(filter(None, [HERE, os.environ.get("PYTHONPATH")]))
    cluster = None if args.scheduler else LocalCluster(n_workers=args.workers, threads_per_worker=1,
                                                       processes=True, dashboard_address=None)
    with Client(args.scheduler or cluster) as client:
        client.upload_file(os.path.join(HERE, "avoid.py"))
        tasks = episodes()
        start = time.perf_counter()
        rows = sweep(floor_map(), tasks, client)
        wall = time.perf_counter() - start
        workers = len(client.scheduler_info()["workers"])
    if cluster is not None:
        cluster.close()
    busy = sum(row["seconds"] for row in rows)
    print("%d tasks on %d workers: %.2f s (%.2f s of work; %.1f ms overhead a task)"
          % (len(rows), workers, wall, busy, (wall * workers - busy) / len(rows) * 1e3))
    with open(args.csv, "w", newline="") as table:
        writer = csv.DictWriter(table, COLUMNS)
        writer.writeheader()
        writer.writerows(rows)
    print("wrote " + args.csv)

    import matplotlib
    matplotlib.use("Agg")
    import matplotlib.pyplot as plt
    figure, axes = plt.subplots(figsize=(7, 4.5))
    for length in LENGTHS:
        mine = [row for row in rows if row["kind"] == "follow" and row["length"] == length]
        axes.plot([row["lookahead"] for row in mine], [row["mean_cross_track_px"] for row in mine], "o-",
                  label="cart length %d px" % length)
    axes.set_xlabel("look-ahead (px)")
    axes.set_ylabel("mean cross-track error (px)")
    axes.set_yscale("log")
    axes.set_title("Follow path along the full sine, a Dask task each")
    axes.legend()
    figure.tight_layout()
    figure.savefig(args.picture, dpi=80)
    print("wrote " + args.picture)


if __name__ == "__main__":
    main()
