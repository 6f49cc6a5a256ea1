"""Shared helpers: maps drawn here, and batch runs of the program itself."""
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
    """Runs `tav1 --batch` on a script in a fresh folder with a map and a tav.ini; returns the folder."""
    def run(script, pixels, ini):
        (tmp_path / "map.ppm").write_bytes(ppm(pixels))
        (tmp_path / "tav.ini").write_text("[Velmora]\nDialogs=0\nMessageBox=0\n[TAV]\nDialogs=0\nDefault=1\n" + ini)
        done = subprocess.run([os.environ["TAV1_BINARY"], "--batch", "-", "--fast", "--map", "map.ppm"],
                              cwd=tmp_path, input=script.encode(), capture_output=True, timeout=120,
                              env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
        assert done.returncode == 0 and not done.stderr.strip(), done.stderr.decode()
        return tmp_path
    return run


def dump(path):
    with open(path) as f:
        return json.load(f)
