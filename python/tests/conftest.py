"""Shared helpers: maps drawn here, and batch runs of the program itself."""
import csv
import json
import os
import subprocess

import numpy as np
import pytest

RED = (255, 0, 0)


def ppm(pixels):
    """An H x W x 3 uint8 array as a binary PPM file's bytes."""
    height, width, _ = pixels.shape
    return b"P6\n%d %d\n255\n" % (width, height) + pixels.astype(np.uint8).tobytes()


def rooms(width=240, height=160):
    """A red-walled room with a pillar, a thin diagonal wall, and colours near red that are no wall."""
    pixels = np.full((height, width, 3), 255, np.uint8)
    pixels[:4], pixels[-4:], pixels[:, :4], pixels[:, -4:] = RED, RED, RED, RED
    pixels[60:90, 150:170] = RED
    pixels[100:140, 40:50] = (254, 0, 0)
    pixels[20:50, 60:70] = (255, 0, 1)
    for i in range(60):
        pixels[100 + i // 2, 120 + i] = RED
    return pixels


@pytest.fixture
def batch(tmp_path):
    """Runs `tav1 --batch` on a script in a fresh folder with a map (pixels, or the name of a map file)
    and a tav.ini; returns the folder."""
    def run(script, pixels, ini):
        map_file = "map.ppm"
        if isinstance(pixels, np.ndarray):
            (tmp_path / map_file).write_bytes(ppm(pixels))
        else:
            map_file = os.fspath(pixels)
        (tmp_path / "tav.ini").write_text("[Velmora]\nDialogs=0\nMessageBox=0\n[TAV]\nDialogs=0\nDefault=1\n" + ini)
        done = subprocess.run([os.environ["TAV1_BINARY"], "--batch", "-", "--fast", "--map", map_file],
                              cwd=tmp_path, input=script.encode(), capture_output=True, timeout=120,
                              env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
        assert done.returncode == 0 and not done.stderr.strip(), done.stderr.decode()
        return tmp_path
    return run


def csv_columns(file):
    """A CSV file's columns by name, as texts."""
    with open(file, newline="") as f:
        rows = list(csv.DictReader(f))
    return {name: [row[name] for row in rows] for name in rows[0]} if rows else {}


# The real columns of an exported run and its hits, at the precision each is written with.
REALS = {"heading_rad": np.float64, "steering_rad": np.float32, "nearest_hit_px": np.float32,
         "farthest_hit_px": np.float32, "ray_angle_rad": np.float64, "distance_px": np.float32,
         "cart_x_m": np.float64, "cart_y_m": np.float64}
# The hits file's columns and their names in tav1.run's result.
HIT_COLUMNS = {"step": "hit_step", "ray_angle_rad": "ray_angle_rad", "hit_x": "hit_x", "hit_y": "hit_y",
               "distance_px": "distance_px"}


def as_array(name, texts):
    """An exported column as the array tav1.run gives for it (NaN where the file has nothing)."""
    kind = REALS.get(name, np.int64)
    return np.array([kind(t) if t else np.nan for t in texts], kind)


def assert_run_is_export(result, folder, with_hits=True):
    """tav1.run's result has the rows of the run exported to folder/run.csv and, with_hits, its hits."""
    steps, hits = csv_columns(folder / "run.csv"), csv_columns(folder / "run-hits.csv")
    assert set(result) == set(steps) | {HIT_COLUMNS[name] for name in HIT_COLUMNS}
    for column, texts in steps.items():
        if with_hits or column not in ("hits", "nearest_hit_px", "farthest_hit_px"):
            np.testing.assert_array_equal(result[column], as_array(column, texts), err_msg=column)
    if with_hits:
        for column, texts in hits.items():
            np.testing.assert_array_equal(result[HIT_COLUMNS[column]], as_array(column, texts), err_msg=column)
    return steps, hits


def dump(path):
    with open(path) as f:
        return json.load(f)
