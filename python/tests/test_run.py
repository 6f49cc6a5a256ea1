"""A run from Python is the program's run of the same path over the same map, row for row."""
import numpy as np
import pytest

import tav1
from conftest import assert_run_is_export, dump, rooms

INI = ("[DefaultValues]\nDosahScanerra=150\ndf_Str=10\nStartPossitionX=20\nStartPossitionY=80\n"
       "EndPossitionX=130\nEndPossitionY=80\n")


def wavy_path():
    """Clear of the room's walls (left of the pillar, above the diagonal wall), and samples far enough apart
    that the cart drawn ten records back lies behind the rays."""
    x = np.arange(20.0, 130.0, 1.5)
    return np.column_stack([x, 60 + 25 * np.sin(2 * np.pi * (x - 20) / 110)])


def through_the_pillar():
    x = np.arange(100.0, 200.0, 0.75)
    return np.column_stack([x, np.full_like(x, 75.0)])


# name: (commands making the stored path, the same path in Python, whether the hits agree too).
# A path through a wall collides; there the window's drawings cover the wall next to the cart.
PATHS = {
    "line": ("Line\n", lambda: tav1.trajectory("line", (20, 80), (130, 80)), True),
    "sinpi": ("SinPi\n", lambda: tav1.trajectory("sinpi", (20, 80), (130, 80), amplitude=30), True),
    "loaded": ("LoadPath path.csv\n", wavy_path, True),
    "colliding": ("LoadPath path.csv\n", through_the_pillar, False),
}


@pytest.mark.parametrize("name", PATHS)
def test_run_is_the_programs_run(batch, tmp_path, name):
    commands, make_path, hits_agree = PATHS[name]
    path = make_path()
    np.savetxt(tmp_path / "path.csv", path, delimiter=",", header="x,y", comments="", fmt="%.17g")
    folder = batch("Settings amplitude=30 delay=0 scannerTrace=0\nStartCiel\n" + commands
                   + "Animuj\nExportRun run.csv\n", rooms(), INI)
    result = tav1.run(tav1.Map(rooms()), path)

    assert np.any(result["collision"]) == (not hits_agree)
    guides = np.column_stack([result["guide_x"], result["guide_y"]])
    assert np.array_equal(tav1.collides(tav1.Map(rooms()), guides), result["collision"])
    steps, hits = assert_run_is_export(result, folder, hits_agree)
    assert len(steps["step"]) > 5 and (not hits_agree or len(hits["step"]) > 20)


def test_a_map_with_an_origin_gives_metres(tmp_path):
    (tmp_path / "lab.pgm").write_bytes(b"P5\n40 30\n255\n" + bytes([254]) * 1200)
    (tmp_path / "lab.yaml").write_text("image: lab.pgm\nresolution: 0.5\norigin: [-2.0, 1.0, 0.0]\n"
                                       "occupied_thresh: 0.65\nfree_thresh: 0.196\nnegate: 0\n")
    result = tav1.run(tav1.import_occupancy(tmp_path / "lab.yaml"), tav1.trajectory("line", (5, 20), (35, 20)))
    # The centre of pixel (15, 20) of a 30-line map at 0.5 m from (-2, 1): -2 + 15.5 * 0.5, 1 + 9.5 * 0.5.
    assert list(result["cart_x"][:1]) == [15] and list(result["cart_x_m"][:1]) == [5.75]
    assert list(result["cart_y_m"][:1]) == [5.75]
    lab = tav1.import_occupancy(tmp_path / "lab.yaml")
    carts = np.column_stack([result["cart_x"], result["cart_y"]])
    metres = lab.to_metres(carts)
    assert np.array_equal(metres, np.column_stack([result["cart_x_m"], result["cart_y_m"]]))
    np.testing.assert_allclose(lab.to_pixels(metres), carts, atol=1e-9)
    assert lab.heading_to_yaw(0.5) == -0.5 and lab.yaw_to_heading(-0.5) == 0.5


@pytest.mark.parametrize("path", [np.zeros((4, 3)), np.zeros(8), [[1.0, np.nan]], [[1.0, np.inf]], [["a", "b"]]])
def test_a_bad_path_is_refused(path):
    with pytest.raises(ValueError):
        tav1.run(tav1.Map(rooms()), path)


# The cart senses the map, not the path drawn over it: the full sine, drawn in red, too.
FOLLOWED = dict(PATHS, sin2pi=("Sin2Pi\n", lambda: tav1.trajectory("sin2pi", (20, 80), (130, 80), amplitude=30), True))


@pytest.mark.parametrize("name", ["sin2pi", "sinpi", "loaded"])
def test_follow_is_the_windows_follow_path(batch, tmp_path, name):
    commands, make_path, _ = FOLLOWED[name]
    path = make_path()
    np.savetxt(tmp_path / "path.csv", path, delimiter=",", header="x,y", comments="", fmt="%.17g")
    folder = batch("Settings amplitude=30 delay=0 scannerTrace=0\nStartCiel\n" + commands
                   + "FollowPath\nDump state.json\nExportRun run.csv\n", rooms(),
                   INI + "MinVzdialenost=25\n[Vozidlo]\nDlzka=16\n")
    result = tav1.follow(tav1.Map(rooms()), path, wheelbase=16, min_distance=25)

    assert result["end"] == dump(folder / "state.json")["status"]
    assert result.pop("end") and result.pop("cross_track_px").mean() < 3
    steps, hits = assert_run_is_export(result, folder)
    assert len(steps["step"]) > 8 and len(hits["step"]) > 5
