"""Seeded noise that has the mixture's distribution and does not depend on threads; the sensor models
equal the textbook formulas written in NumPy."""
import math
import pathlib

import numpy as np
import pytest

import tav1
from conftest import RED, rooms

LAB = pathlib.Path(__file__).resolve().parents[2] / "example" / "lab.yaml"
NOISE = dict(sigma=1.5, proportional=0.02, p_short=0.1, lambda_short=0.05, p_max=0.05, p_rand=0.1)


def test_noisy_readings_have_the_mixtures_distribution():
    """Kolmogorov-Smirnov over 10**6 readings of one exact distance d: the empirical distribution lies
    within D = 1.95 / sqrt(n) of the mixture's (the asymptotic 0.1% bound), on both sides of its jumps."""
    pixels = np.full((20, 200, 3), 255, np.uint8)
    pixels[:, 100] = RED
    world, n, reach = tav1.Map(pixels), 10**6, 150
    poses = np.tile([30.0, 10.0, 0.0], (n, 1))
    exact = float(tav1.cast(world, poses[:1], [0.0], reach)[0, 0])
    readings = np.sort(tav1.cast(world, poses, [0.0], reach, noise=tav1.RangeNoise(**NOISE), seed=42)[:, 0]
                       .astype(np.float64))
    short, most, rand = NOISE["p_short"], NOISE["p_max"], NOISE["p_rand"]
    spread = NOISE["sigma"] + NOISE["proportional"] * exact
    phi = np.vectorize(lambda x: 0.5 * math.erfc(-x / math.sqrt(2)))

    def mixture(z):
        hit = np.where(z >= reach, 1.0, phi((z - exact) / spread))
        cut = np.minimum((1 - np.exp(-NOISE["lambda_short"] * z)) / (1 - np.exp(-NOISE["lambda_short"] * exact)), 1)
        return (short * cut + most * (z >= reach) + rand * np.minimum(z / reach, 1)
                + (1 - short - most - rand) * hit)
    values, first = np.unique(readings, return_index=True)
    below, upto = first / n, np.append(first[1:], n) / n
    model_upto = mixture(values)
    model_below = mixture(np.nextafter(values, -np.inf))
    distance = max(np.abs(upto - model_upto).max(), np.abs(below - model_below).max())
    assert distance < 1.95 / math.sqrt(n), distance
    assert 0.04 < np.mean(readings == reach) < 0.06 and readings.min() >= 0


def test_the_same_seed_gives_the_same_noise_on_any_threads_and_none_is_the_exact_cast():
    world = tav1.Map(rooms())
    rng = np.random.default_rng(3)
    poses = np.column_stack([rng.uniform(5, 235, 300), rng.uniform(5, 155, 300), rng.uniform(-3, 3, 300)])
    angles = np.linspace(-1.5, 1.5, 25)
    noise = tav1.RangeNoise(angular=0.02, **NOISE)
    noisy = [tav1.cast(world, poses, angles, 120, threads=t, noise=noise, seed=7, step=4) for t in (1, 2, 3)]
    assert all(np.array_equal(noisy[0], other) for other in noisy[1:])
    assert not np.array_equal(noisy[0], tav1.cast(world, poses, angles, 120, noise=noise, seed=8, step=4))
    exact = tav1.cast(world, poses, angles, 120)
    assert tav1.cast(world, poses, angles, 120, noise=tav1.RangeNoise(), seed=7).tobytes() == exact.tobytes()
    fleets = [tav1.Fleet(world, poses, noise=noise, odometry=(0.05, 0.01, 0.05, 0.01), seed=11, threads=t)
              for t in (1, 2, 3)]
    steps = [[fleet.step(np.tile([2.0, 0.1], (300, 1)), 1.0) for _ in range(3)][-1] for fleet in fleets]
    for other in steps[1:]:
        assert all(np.array_equal(steps[0][key], other[key]) for key in steps[0])
    assert not np.array_equal(steps[0]["pose"], tav1.Fleet(world, poses).step(np.tile([2.0, 0.1], (300, 1)), 1.0)["pose"])


def beam_reference(expected, observed, reach, z_hit, z_short, z_max, z_rand, sigma_hit, lambda_short):
    """Probabilistic Robotics' beam model, each term as the book writes it."""
    phi = np.vectorize(lambda x: 0.5 * math.erfc(-x / math.sqrt(2)))
    z = observed[None, :]
    inside = (z >= 0) & (z <= reach)
    hit = np.where(inside, np.exp(-0.5 * ((z - expected) / sigma_hit) ** 2) / (sigma_hit * math.sqrt(2 * math.pi))
                   / (phi((reach - expected) / sigma_hit) - phi(-expected / sigma_hit)), 0)
    with np.errstate(divide="ignore", invalid="ignore"):
        short = np.where((z >= 0) & (z <= expected) & (expected > 0),
                         lambda_short * np.exp(-lambda_short * z) / (1 - np.exp(-lambda_short * expected)), 0)
    return z_hit * hit + z_short * short + z_max * (z >= reach) + z_rand * ((z >= 0) & (z < reach)) / reach


def test_the_sensor_models_are_the_textbooks():
    lab = tav1.import_occupancy(LAB)
    walls = lab.walls
    rng = np.random.default_rng(5)
    free_y, free_x = np.nonzero(~walls)
    chosen = rng.choice(len(free_x), 40, replace=False)
    particles = np.column_stack([free_x[chosen] + 0.5, free_y[chosen] + 0.5, rng.uniform(-3, 3, 40)])
    angles, reach = np.linspace(-1.5, 1.5, 21), 150
    observed = tav1.cast(lab, particles[:1], angles, reach)[0].astype(np.float64) + rng.normal(0, 2, 21)
    observed = np.clip(observed, 0, reach)
    observed[3] = reach
    expected = tav1.cast(lab, particles, angles, reach).astype(np.float64)
    model = dict(z_hit=0.8, z_short=0.1, z_max=0.05, z_rand=0.05, sigma_hit=3.0, lambda_short=0.05)
    p = beam_reference(expected, observed, reach, **model)
    np.testing.assert_allclose(tav1.beam_weights(lab, particles, angles, observed, reach, **model),
                               np.log(p).sum(axis=1), rtol=1e-9)
    np.testing.assert_allclose(tav1.beam_weights(lab, particles, angles, observed, reach, combine="amcl", **model),
                               1 + (p ** 3).sum(axis=1), rtol=1e-9)

    # The likelihood field: the distance from each reading's end pixel to the nearest wall pixel, by brute force.
    sigma, far = 3.0, 30.0
    wall_y, wall_x = np.nonzero(walls)
    ends = particles[:, None, :2] + observed[None, :, None] * np.stack(
        [np.cos(particles[:, None, 2] + angles), np.sin(particles[:, None, 2] + angles)], axis=2)
    cells = np.trunc(ends).astype(int).reshape(-1, 2)
    nearest = np.array([np.sqrt(((wall_x - x) ** 2 + (wall_y - y) ** 2).min()) for x, y in cells]).reshape(40, 21)
    inside = (cells[:, 0] >= 0) & (cells[:, 1] >= 0) & (cells[:, 0] < lab.width) & (cells[:, 1] < lab.height)
    d = np.where(inside.reshape(40, 21), np.minimum(nearest, far), far)
    q = 0.95 * np.exp(-d ** 2 / (2 * sigma ** 2)) / (sigma * math.sqrt(2 * math.pi)) + 0.05 / reach
    counted = observed < reach
    np.testing.assert_allclose(tav1.likelihood_field(lab, particles, angles, observed, reach, sigma_hit=sigma,
                                                     max_distance=far),
                               np.log(q[:, counted]).sum(axis=1), rtol=1e-9)

    # In metres, the same numbers of a ROS user give the same weights.
    metres = lab.to_metres(particles[:, :2])
    yaw = lab.heading_to_yaw(particles[:, 2])
    res = lab.resolution
    in_metres = tav1.beam_weights(lab, np.column_stack([metres, yaw]), -angles, observed * res, reach * res,
                                  sigma_hit=model["sigma_hit"] * res, lambda_short=0.1 / res, metres=True)
    np.testing.assert_allclose(in_metres, tav1.beam_weights(lab, particles, angles, observed, reach,
                                                            sigma_hit=model["sigma_hit"]), rtol=1e-6)
