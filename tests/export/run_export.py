#!/usr/bin/env python3
"""Exports a run on the sample map and reads it back as a user's script would.

    run_export.py TAV1 EXAMPLE_FOLDER

The run's file loads in the csv module with its columns and one row a step of the run; the
hits beside it, after a fresh start, are the obstacle log's first 500 entries (File › Save);
a run that ended at once exports the headers only. On the example occupancy map (started with
--map lab.yaml) each row also has the cart's position in metres.
"""
import csv
import json
import math
import os
import shutil
import struct
import subprocess
import sys
import tempfile

RUN_COLUMNS = ["step", "cart_x", "cart_y", "heading_rad", "guide_x", "guide_y", "steering_rad", "rays", "hits",
               "nearest_hit_px", "farthest_hit_px"]
HIT_COLUMNS = ["step", "ray_angle_rad", "hit_x", "hit_y", "distance_px"]
SCRIPT = ("Settings amplitude=40 delay=0 scannerTrace=0\nStartCiel\nSin2Pi\nAnimuj\nExportRun run.csv\n"
          "FileSave prek.txt\nDump state.json\n")


def f32(value):
    return struct.unpack("f", struct.pack("f", value))[0]


def steps_of(state):
    """The steps of a run, as the program counts them: ten records a step, while the step's end
    record lies nearer than the start-end distance (the first step always runs)."""
    points = state["m_startEndDlg"]
    length = f32(math.hypot(points["m_endX"] - points["m_startX"], points["m_endY"] - points["m_startY"]))
    steps = 0
    for end in range(10, state["m_trajectoryCount"], 10):
        if steps > 0 and not f32(end) < length:
            break
        steps += 1
    return steps


def metres_problems(tav1, example, work):
    """A run on the example lab: its rows add cart_x_m and cart_y_m, from the lab's origin
    (-3, -2.5) and 0.05 m a pixel, y up from the bottom of its 600 rows."""
    for name in ("lab.pgm", "lab.yaml"):
        shutil.copy(os.path.join(example, name), work)
    done = subprocess.run([tav1, "--batch", "-", "--fast", "--map", "lab.yaml"], cwd=work,
                          input=b"StartCiel\nSin2Pi\nAnimuj\nExportRun lab.csv\nDump lab.json\n", capture_output=True,
                          timeout=120,
                          env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
    if done.returncode != 0 or done.stderr.strip():
        return ["the run on the lab failed: %s" % done.stderr.decode()]
    with open(os.path.join(work, "lab.csv"), newline="") as f:
        reader = csv.DictReader(f)
        rows = list(reader)
    problems = []
    with open(os.path.join(work, "lab.json")) as f:
        geometry = json.load(f)["m_mapGeometry"]
    if geometry != {"resolution": 0.05, "origin": [-3.0, -2.5, 0.0], "heightPixels": 600}:
        problems.append("the dump's map geometry is %s" % geometry)
    if reader.fieldnames != RUN_COLUMNS + ["cart_x_m", "cart_y_m", "collision"]:
        problems.append("lab run columns %s" % reader.fieldnames)
    elif len(rows) < 10:
        problems.append("the lab run has %d rows" % len(rows))
    for row in rows[:1] + rows[-1:]:
        x, y = -3.0 + (int(row["cart_x"]) + 0.5) * 0.05, -2.5 + (600 - int(row["cart_y"]) - 0.5) * 0.05
        if abs(float(row["cart_x_m"]) - x) > 1e-9 or abs(float(row["cart_y_m"]) - y) > 1e-9:
            problems.append("step %s is at %s, %s m, not %f, %f" % (row["step"], row["cart_x_m"], row["cart_y_m"], x, y))
    return problems


def main():
    tav1, example = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    problems = []
    with tempfile.TemporaryDirectory() as work:
        shutil.copy(os.path.join(example, "mapa.bmp"), work)
        # A longer reach and more rays than the sample's, so that the run hits more than the
        # obstacle log holds.
        with open(os.path.join(example, "tav.ini")) as f:
            ini = f.read().replace("DosahScanerra=150", "DosahScanerra=400").replace("df_Str=10", "df_Str=60")
        with open(os.path.join(work, "tav.ini"), "w") as f:
            f.write(ini)
        done = subprocess.run([tav1, "--batch", "-", "--fast"], cwd=work, input=SCRIPT.encode(),
                              capture_output=True, timeout=120, env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
        if done.returncode != 0 or done.stderr.strip():
            sys.exit("the run failed: %s" % done.stderr.decode())
        with open(os.path.join(work, "state.json")) as f:
            state = json.load(f)
        if state["m_mapGeometry"] is not None:
            problems.append("the sample map has a geometry in the dump: %s" % state["m_mapGeometry"])
        with open(os.path.join(work, "run.csv"), newline="") as f:
            reader = csv.DictReader(f)
            rows = list(reader)
            if reader.fieldnames != RUN_COLUMNS + ["collision"]:
                problems.append("run columns %s" % reader.fieldnames)
        expected = steps_of(state)
        if len(rows) != expected or expected < 10:
            problems.append("%d rows for a run of %d steps" % (len(rows), expected))
        elif (int(rows[-1]["cart_x"]), int(rows[-1]["cart_y"])) != (state["m_cartX"], state["m_cartY"]):
            problems.append("the last row's cart is not where the run left it")
        with open(os.path.join(work, "run-hits.csv"), newline="") as f:
            reader = csv.DictReader(f)
            hits = list(reader)
            if reader.fieldnames != HIT_COLUMNS:
                problems.append("hit columns %s" % reader.fieldnames)
        if sum(int(row["hits"]) for row in rows) != len(hits):
            problems.append("the rows count %d hits, the hits file has %d"
                            % (sum(int(row["hits"]) for row in rows), len(hits)))
        with open(os.path.join(work, "prek.txt")) as f:
            log = [line.split() for line in f if not line.startswith("-")]
        if len(hits) <= 500 or len(log) != 500:
            problems.append("%d hits, %d logged: the run should hit more than the log holds" % (len(hits), len(log)))
        for i, (hit, logged) in enumerate(zip(hits, log)):
            if (hit["hit_x"], hit["hit_y"]) != (logged[0], logged[1]) or \
                    "%f" % f32(float(hit["distance_px"])) != logged[2]:
                problems.append("hit %d is %s, the log has %s" % (i, dict(hit), logged))
                break

        # A run that ends at once (no path) leaves a recording with no steps: headers only.
        done = subprocess.run([tav1, "--batch", "-", "--fast"], cwd=work, input=b"Animuj\nExportRun empty.csv\n",
                              capture_output=True, timeout=120, env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
        with open(os.path.join(work, "empty.csv"), newline="") as f:
            if list(csv.reader(f)) != [RUN_COLUMNS + ["collision"]]:
                problems.append("the export before any run is not the header alone")
        problems += metres_problems(tav1, example, work)
    for problem in problems:
        print("FAIL " + problem)
    print("%d problems" % len(problems))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
