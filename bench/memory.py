#!/usr/bin/env python3
"""Peak resident size of `tav1 --batch --fast`.

usage: bench/memory.py [TAV1]                 maps of 1024², 8000² and 16384² pixels
       bench/memory.py [TAV1] --runs N ...    N animation runs back to back on the sample map

For each map size: the map (white, with a red wall, an RGB PNG) is loaded, a LINE path is
generated and animated once with the scanner's trace on; the peak is also given in bytes per
map pixel above that of a map smaller than the smallest canvas. The runs show that memory stays flat over a long session.
"""
import os
import shutil
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(HERE, "..", "tests", "hostile"))
import make_corpus  # noqa: E402
ARGS = sys.argv[1:]
TAV1 = os.path.abspath(ARGS.pop(0) if ARGS and ARGS[0] != "--runs" else os.path.join(HERE, "..", "build", "tav1"))
SIDES = [1024, 8000, 16384]
MAP_INI = ("[TAV]\nDialogs=0\nDefault=1\nBitmapa=map.png\n[Velmora]\nDialogs=0\n"
           "[DefaultValues]\nDosahScanerra=150\ndf_Str=10\nStartPossitionX=100\nStartPossitionY=100\n"
           "EndPossitionX=1000\nEndPossitionY=1000\n")


def write_map(path, side):
    """A white RGB PNG with a red wall across it at x = 600."""
    row = bytearray(b"\xff" * (3 * side))
    for x in range(600, 612):
        row[3 * x + 1:3 * x + 3] = b"\0\0"
    make_corpus.write_large_png(path, side, row)


def peak_kb(work, script):
    """Runs the script in `work` in a fresh process; returns its peak resident KB."""
    with open(os.path.join(work, "script.txt"), "w") as f:
        f.write(script)
    pid = os.fork()
    if pid == 0:
        os.chdir(work)
        os.environ["QT_QPA_PLATFORM"] = "offscreen"
        os.execv(TAV1, [TAV1, "--batch", "script.txt", "--fast"])
    _, status, usage = os.wait4(pid, 0)
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit("tav1 failed on " + script.replace("\n", "; "))
    return usage.ru_maxrss


def map_peak_kb(side):
    with tempfile.TemporaryDirectory() as work:
        write_map(os.path.join(work, "map.png"), side)
        with open(os.path.join(work, "tav.ini"), "w") as f:
            f.write(MAP_INI)
        return peak_kb(work, "Settings delay=0 scannerTrace=1\nStartCiel\nLine\nAnimuj\n")


def map_sizes():
    # What the program takes whatever the map: a map smaller than the smallest canvas.
    base = map_peak_kb(640)
    print(f"  640² map: peak resident {base / 1024:8.1f} MiB (the base)")
    for side in SIDES:
        kb = map_peak_kb(side)
        print(f"{side:5d}² map: peak resident {kb / 1024:8.1f} MiB, "
              f"{(kb - base) * 1024 / side / side:5.2f} bytes a map pixel above the base")


def runs(counts):
    for count in counts:
        with tempfile.TemporaryDirectory() as work:
            shutil.copy(os.path.join(HERE, "..", "example", "mapa.bmp"), work)
            shutil.copy(os.path.join(HERE, "..", "example", "tav.ini"), work)
            script = "Settings amplitude=40 delay=0 scannerTrace=1\nStartCiel\nSin2Pi\n" + "Animuj\n" * count
            print(f"{count:5d} animation runs: peak resident {peak_kb(work, script) / 1024:.1f} MiB")


if ARGS and ARGS[0] == "--runs":
    runs([int(n) for n in ARGS[1:]] or [10, 1000])
else:
    map_sizes()
