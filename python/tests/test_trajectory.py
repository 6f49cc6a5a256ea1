"""The paths from Python are the records the program's generators store, bit for bit."""
import numpy as np
import pytest

import tav1
from conftest import dump, rooms

KINDS = {"sin2pi": "Sin2Pi", "sinpi": "SinPi", "line": "Line"}


@pytest.mark.parametrize("kind", KINDS)
def test_trajectory_is_the_programs(batch, kind):
    ini = "[DefaultValues]\nStartPossitionX=31\nStartPossitionY=140\nEndPossitionX=207\nEndPossitionY=23\n"
    folder = batch("Settings amplitude=27\n%s\nDump state.json\n" % KINDS[kind], rooms(), ini)
    state = dump(folder / "state.json")
    stored = np.array(state["trajectory"][:state["m_trajectoryCount"]], np.float64)

    path = tav1.trajectory(kind, (31, 140), (207, 23), amplitude=27)

    assert path.dtype == np.float64 and path.shape == stored.shape and len(path) > 100
    assert path.tobytes() == stored.tobytes()


def test_a_path_of_one_point_is_empty():
    assert tav1.trajectory("line", (5, 5), (5, 5)).shape == (0, 2)
