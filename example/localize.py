#!/usr/bin/python3
"""Monte Carlo localization in the lab: a cart driven by tav1.Fleet with odometry noise and a noisy
scanner, and a particle filter in NumPy that starts from particles spread over all the free space,
moves them by the same commands through the odometry motion model and weighs them with
tav1.beam_weights. Draws the particle cloud at steps 0, 5 and 20 and the position error by step.

    python3 localize.py [MAP] [--particles N] [--steps N] [--seed N] [--picture FILE]
"""
import argparse
import os

import numpy as np

import tav1

HERE = os.path.dirname(os.path.abspath(__file__))
BEAMS = np.radians(np.linspace(-90, 90, 31))
RANGE = 150
ODOMETRY = (0.05, 0.002, 0.05, 0.002)
SCANNER = tav1.RangeNoise(sigma=1.0, proportional=0.01, p_short=0.05, lambda_short=0.05, p_max=0.02, p_rand=0.02)
SHOWN = (0, 5, 20)


def drive(ranges):
    """A cart that wanders the rooms: towards the most open beam, slowing before walls."""
    best = BEAMS[np.argmax(np.convolve(ranges, np.ones(5) / 5, mode="same"))]
    ahead = ranges[np.abs(BEAMS) <= np.radians(30)].min()
    return np.array([[np.clip((ahead - 20) / 6, 0.5, 6.0), np.clip(best, -0.6, 0.6)]])


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("map", nargs="?", default=os.path.join(HERE, "lab.yaml"))
    parser.add_argument("--particles", type=int, default=20000)
    parser.add_argument("--steps", type=int, default=40)
    parser.add_argument("--seed", type=int, default=4)
    parser.add_argument("--picture", default="localize.png")
    args = parser.parse_args()

    world = tav1.import_occupancy(args.map)
    rng = np.random.default_rng(args.seed)
    # The free space: known floor where the cart's disc touches no wall.
    ys, xs = np.nonzero(~world.walls & ~world.unknown)
    clear = ~tav1.collides(world, np.column_stack([xs, ys]))
    free_x, free_y = xs[clear], ys[clear]
    start = rng.integers(len(free_x))
    cart = tav1.Fleet(world, [[free_x[start] + 0.5, free_y[start] + 0.5, rng.uniform(-np.pi, np.pi)]],
                      angles=BEAMS, range=RANGE, odometry=ODOMETRY, noise=SCANNER, seed=args.seed)
    chosen = rng.integers(len(free_x), size=args.particles)
    particles = np.column_stack([free_x[chosen] + rng.uniform(0, 1, args.particles),
                                 free_y[chosen] + rng.uniform(0, 1, args.particles),
                                 rng.uniform(-np.pi, np.pi, args.particles)])
    observed, errors, clouds = cart.scan()[0], [], {}
    for step in range(args.steps + 1):
        # Weigh by the scan, then resample (low variance) in proportion to the weights.
        log_weights = tav1.beam_weights(world, particles, BEAMS, observed, RANGE, sigma_hit=3.0, z_hit=0.8,
                                        z_short=0.1, z_max=0.05, z_rand=0.05, lambda_short=0.05)
        weights = np.exp(log_weights - log_weights.max())
        weights /= weights.sum()
        estimate = weights @ particles[:, :2]
        errors.append(np.hypot(*(estimate - cart.poses[0, :2])))
        if step in SHOWN:
            clouds[step] = (particles.copy(), cart.poses[0].copy(), estimate)
        if step == args.steps:
            break
        picks = np.searchsorted(np.cumsum(weights), (rng.uniform() + np.arange(len(weights))) / len(weights))
        particles = particles[np.minimum(picks, len(weights) - 1)]
        # Move the cart, and every particle by the same command through the odometry motion model.
        command = drive(observed)
        observed = cart.step(command, 1.0)["ranges"][0]
        moved = tav1.Fleet(world, particles, angles=[], collision="pass", odometry=ODOMETRY,
                           seed=args.seed * 1000 + step)
        particles = moved.step(np.repeat(command, len(particles), axis=0), 1.0)["pose"]
    print("position error after %d steps: %.1f px (%s)" % (args.steps, errors[-1],
                                                            " ".join("%.0f" % e for e in errors[::5])))

    import matplotlib
    matplotlib.use("Agg")
    import matplotlib.pyplot as plt
    figure, axes = plt.subplots(1, len(SHOWN) + 1, figsize=(16, 4.2))
    for ax, (step, (cloud, truth, estimate)) in zip(axes, clouds.items()):
        ax.imshow(world.pixels)
        ax.plot(cloud[:, 0], cloud[:, 1], ",", color="tab:blue", alpha=0.5)
        ax.plot(*truth[:2], "o", color="lime", markersize=8, markeredgecolor="black", label="the cart")
        ax.plot(*estimate, "x", color="black", markersize=9, label="the estimate")
        ax.set_title("step %d" % step)
        ax.set_axis_off()
    axes[0].legend(loc="lower left", fontsize="small")
    axes[-1].plot(errors)
    axes[-1].set_yscale("log")
    axes[-1].set_xlabel("step")
    axes[-1].set_ylabel("position error (px)")
    figure.tight_layout()
    figure.savefig(args.picture, dpi=70)
    print("wrote " + args.picture)


if __name__ == "__main__":
    main()
