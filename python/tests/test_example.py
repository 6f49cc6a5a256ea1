"""The example plans a path through the lab, runs it and draws it; the window runs the same path alike."""
import json
import os
import pathlib
import subprocess

import numpy as np
import pytest

import tav1
from conftest import assert_run_is_export

LAB = pathlib.Path(__file__).resolve().parents[2] / "example" / "lab.yaml"


def test_the_planned_path_runs_alike_in_python_and_in_the_window(batch, tmp_path):
    done = subprocess.run(["/usr/bin/python3", LAB.parent / "plan_and_run.py"], cwd=tmp_path, capture_output=True,
                          timeout=120, env=dict(os.environ, MPLBACKEND="Agg"))
    assert done.returncode == 0, done.stderr.decode()
    path = np.loadtxt(tmp_path / "planned_path.csv", delimiter=",", skiprows=1)
    result = tav1.run(tav1.import_occupancy(LAB), path)
    assert not result["collision"].any() and len(result["step"]) > 30
    # Through the gap in the lab's middle wall, from the left room to the right one.
    assert path[0, 0] < 300 < 500 < path[-1, 0]

    import matplotlib.image
    picture = matplotlib.image.imread(tmp_path / "plan_and_run.png")
    purple = np.all(np.abs(picture[:, :, :3] - (0.5, 0, 0.5)) < 0.05, axis=2)
    assert picture.shape[:2] == (600, 800) and purple.sum() > 300

    folder = batch("Settings delay=0 scannerTrace=0\nLoadPath planned_path.csv\nAnimuj\nExportRun run.csv\n", LAB,
                   "[DefaultValues]\nDosahScanerra=150\ndf_Str=10\n")
    assert_run_is_export(result, folder)


def test_the_closed_loop_examples_run_and_draw(tmp_path):
    """The sine followed by three cart lengths, the long one losing it; a small fleet avoiding the corridor's walls;
    a particle filter converging."""
    run = {name: subprocess.run(["/usr/bin/python3", LAB.parent / name, *args], cwd=tmp_path, capture_output=True,
                                text=True, timeout=120, env=dict(os.environ, MPLBACKEND="Agg"))
           for name, args in (("follow_sine.py", []), ("avoid.py", ["--carts", "20", "--steps", "200"]),
                              ("localize.py", []))}
    assert all(done.returncode == 0 for done in run.values()), [done.stderr for done in run.values()]
    lines = run["follow_sine.py"].stdout.splitlines()
    assert "Reached the end" in lines[0] and "Lost the path" in lines[2]
    assert run["avoid.py"].stdout.startswith("20 carts, 200 steps: ")
    # The particle filter finds the cart from particles spread over the whole lab.
    assert float(run["localize.py"].stdout.split("steps: ")[1].split(" px")[0]) < 5
    assert (tmp_path / "follow_sine.png").stat().st_size > 10000 and (tmp_path / "avoid.png").stat().st_size > 10000


def test_a_sweep_on_a_dask_cluster_is_the_sweep_run_here(monkeypatch):
    """Two worker processes, the map scattered to them: every row as one process makes it."""
    distributed = pytest.importorskip("distributed")
    monkeypatch.syspath_prepend(str(LAB.parent))
    monkeypatch.setenv("PYTHONPATH", os.pathsep.join([str(LAB.parent), os.environ.get("PYTHONPATH", "")]))
    import sweep_dask
    world = sweep_dask.floor_map()
    tasks = sweep_dask.episodes()[::4] + [(sweep_dask.fleet_episode, (4.0, 7, 10, 30))]
    here = sweep_dask.sweep(world, tasks)
    with distributed.LocalCluster(n_workers=2, threads_per_worker=1, processes=True, dashboard_address=None) as cluster, \
            distributed.Client(cluster) as client:
        there = sweep_dask.sweep(world, tasks, client)
    def without_time(rows):
        return [{k: v for k, v in row.items() if k != "seconds"} for row in rows]
    assert json.dumps(without_time(there)) == json.dumps(without_time(here))
    assert {row["kind"] for row in here} == {"follow", "fleet"}
