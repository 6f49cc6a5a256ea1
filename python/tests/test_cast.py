"""Many rays at once are the scanner's rays, whatever the number of threads; long calls let other threads run."""
import copy
import multiprocessing
import sys
import threading
import time

import numpy as np
import pytest

import tav1
from conftest import rooms


def test_cast_is_sweep_ray_by_ray():
    world = tav1.Map(rooms())
    rng = np.random.default_rng(7)
    poses = np.column_stack([rng.uniform(-20, 260, 200), rng.uniform(-20, 180, 200), np.zeros(200)])
    angles = tav1.sweep(world, 0, 0, 0.4, 120, 45)[0]

    distances, hit = tav1.cast(world, poses, angles, 120, threads=1, return_hit=True)

    assert distances.dtype == np.float32 and distances.shape == hit.shape == (200, len(angles))
    for pose, row, row_hit in zip(poses, distances, hit):
        swept = tav1.sweep(world, int(pose[0]), int(pose[1]), 0.4, 120, 45)
        assert np.array_equal(row, swept.distance) and np.array_equal(row_hit, swept.hit)
    assert (distances < 120).any() and (distances == 120).any()
    for threads in (0, 2, 3, 64):
        assert np.array_equal(tav1.cast(world, poses, angles, 120, threads=threads), distances)


def test_cast_turns_the_rays_by_the_heading():
    world = tav1.Map(rooms())
    ahead = tav1.cast(world, [[100, 30, 0.0], [100, 70, np.pi / 2]], [0.0], 300)
    assert ahead.tolist() == [[236 - 100], [156 - 70]]


OPEN = tav1.Map(np.zeros((2000, 2000), bool))
# name: a call of a few milliseconds, long enough for another thread to be woken on a busy machine.
LONG_CALLS = {
    "cast": lambda: tav1.cast(OPEN, np.full((200, 3), 1000.0), np.linspace(0, 6, 100), 900, threads=1),
    "sweep": lambda: tav1.sweep(OPEN, 1000, 1000, 0.0, 900, 3000),
    "run": lambda: tav1.run(OPEN, np.column_stack([np.arange(100.0, 1900.0), np.full(1800, 1000.0)])),
    "trajectory": lambda: tav1.trajectory("sin2pi", (0, 0), (2**31 - 1, 0)),
}


@pytest.mark.parametrize("name", LONG_CALLS)
def test_other_python_threads_run_during_a_call(name):
    """With a switch interval longer than the test, another thread runs only where a call lets go of the GIL."""
    ticks, stop = [0], threading.Event()

    def tick():
        while not stop.is_set():
            ticks[0] += 1
            time.sleep(0)
    interval = sys.getswitchinterval()
    sys.setswitchinterval(1000)
    ticker = threading.Thread(target=tick)
    ticker.start()
    try:
        before = ticks[0]
        for _ in range(20):
            LONG_CALLS[name]()
        during = ticks[0] - before
    finally:
        stop.set()
        ticker.join()
        sys.setswitchinterval(interval)
    assert during > 0


def cast_there(world, poses):
    """In another process: the map as it arrived, and its rays."""
    return world, tav1.cast(world, poses, np.linspace(-3, 3, 25), 120, return_hit=True)


def step_there(fleet):
    """In another process: a fleet's next step."""
    return fleet.step(np.tile([3.0, 0.2], (len(fleet), 1)), 1.0)


def test_a_map_pickles_to_another_process_and_back(tmp_path):
    (tmp_path / "lab.pgm").write_bytes(b"P5\n40 30\n255\n" + bytes(range(0, 240, 2)) * 10)
    (tmp_path / "lab.yaml").write_text("image: lab.pgm\nresolution: 0.5\norigin: [-2.0, 1.0, 0.25]\n")
    poses = np.column_stack([np.arange(0, 200, 10.0), np.arange(0, 140, 7.0), np.linspace(0, 6, 20)])
    with multiprocessing.get_context("spawn").Pool(1) as pool:
        for world in (tav1.Map(rooms()), tav1.import_occupancy(tmp_path / "lab.yaml")):
            back, (distances, hit) = pool.apply(cast_there, (world, poses))
            for copied in (back, copy.copy(world), copy.deepcopy(world)):
                assert (copied.resolution, copied.origin) == (world.resolution, world.origin)
                for seen in ("pixels", "walls", "unknown"):
                    assert np.array_equal(getattr(copied, seen), getattr(world, seen)), seen
            here = tav1.cast(world, poses, np.linspace(-3, 3, 25), 120, return_hit=True)
            assert np.array_equal(distances, here[0]) and np.array_equal(hit, here[1]) and hit.any()
        # A fleet halfway through its noisy steps steps on there as it does here.
        fleet = tav1.Fleet(tav1.Map(rooms()), poses[:8], noise=tav1.RangeNoise(sigma=2, p_rand=0.1),
                           odometry=(0.1, 0.01, 0.1, 0.01), seed=3, max_speed=2.5)
        fleet.step(np.tile([3.0, 0.2], (8, 1)), 1.0)
        there, here = pool.apply(step_there, (fleet,)), step_there(fleet)
        assert all(np.array_equal(there[key], here[key]) for key in here)
