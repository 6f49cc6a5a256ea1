"""One sweep from Python is the program's sweep from the same pose over the same pixels."""
import numpy as np
import pytest

import tav1
from conftest import dump, rooms

# name: (tav.ini settings, commands before the sweep). The first reaches the top wall with its
# last sample straight up; the second turns the cart by a run first.
POSES = {
    "fresh start": ("[DefaultValues]\nDosahScanerra=68\ndf_Str=30\nStartPossitionX=100\nStartPossitionY=70\n"
                    "EndPossitionX=200\nEndPossitionY=120\n", "StartCiel\n"),
    "after a run": ("[DefaultValues]\nDosahScanerra=90\ndf_Str=7.5\nStartPossitionX=30\nStartPossitionY=30\n"
                    "EndPossitionX=110\nEndPossitionY=75\n",
                    "Settings delay=0 scannerTrace=1\nStartCiel\nLine\nAnimuj\n"),
}


@pytest.mark.parametrize("name", POSES)
def test_sweep_is_the_programs_sweep(batch, name):
    ini, before = POSES[name]
    folder = batch(before + "Dump before.json\nSnapshot canvas.png\nScanner\nDump after.json\n", rooms(), ini)
    first, state = dump(folder / "before.json"), dump(folder / "after.json")
    logged = state["obstacles"][first["g_obstacleCount"]:]
    assert state["g_obstacleCount"] < 500, "the obstacle log filled up: the sweep's hits are not all in it"

    canvas = tav1.load_map(folder / "canvas.png")
    angle, hit, x, y, distance = tav1.sweep(canvas, state["m_cartX"], state["m_cartY"], state["m_pCart"]["heading"],
                                            state["m_scannerRange"], state["m_scanStepDivisor"])

    assert len(logged) > 3
    assert [[a, b, d] for a, b, d in zip(x[hit], y[hit], distance[hit])] == [
        [a, b, np.float32(d)] for a, b, d in logged]
    assert np.all(distance[~hit] == state["m_scannerRange"]) and np.all(x[~hit] == -1)
    # The farthest hit so far is kept with its ray's angle; the first of equals stays.
    farthest = np.argmax(distance[hit])
    kept = (np.float32(first["g_scanFarthestDistance"]), np.float32(first["g_scanFarthestAngle"]))
    if distance[hit][farthest] > kept[0]:
        kept = (distance[hit][farthest], np.float32(angle[hit][farthest]))
    assert kept == (np.float32(state["g_scanFarthestDistance"]), np.float32(state["g_scanFarthestAngle"]))
