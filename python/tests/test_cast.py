"""Many rays at once are the scanner's rays, whatever the number of threads."""
import numpy as np

import tav1
from conftest import rooms


def test_cast_is_sweep_ray_by_ray():
    world = tav1.Map(rooms())
    rng = np.random.default_rng(7)
    poses = np.column_stack([rng.uniform(-20, 260, 200), rng.uniform(-20, 180, 200), np.zeros(200)])
    angles = tav1.sweep(world, 0, 0, 0.4, 120, 45)[0]

    distances = tav1.cast(world, poses, angles, 120, threads=1)

    assert distances.dtype == np.float32 and distances.shape == (200, len(angles))
    for pose, row in zip(poses, distances):
        assert np.array_equal(row, tav1.sweep(world, int(pose[0]), int(pose[1]), 0.4, 120, 45)[4])
    assert (distances < 120).any() and (distances == 120).any()
    for threads in (0, 2, 3, 64):
        assert np.array_equal(tav1.cast(world, poses, angles, 120, threads=threads), distances)


def test_cast_turns_the_rays_by_the_heading():
    world = tav1.Map(rooms())
    ahead = tav1.cast(world, [[100, 30, 0.0], [100, 70, np.pi / 2]], [0.0], 300)
    assert ahead.tolist() == [[236 - 100], [156 - 70]]
