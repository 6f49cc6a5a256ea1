#!/usr/bin/env python3
"""Peak resident size of `tav1 --batch --fast` after 10 and after 1000 animation runs back to
back on the sample map (trace on), to show that memory stays flat over a long session.

usage: bench/memory.py [TAV1] [RUNS ...]
"""
import os
import resource
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
TAV1 = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "..", "build", "tav1"))
RUNS = [int(n) for n in sys.argv[2:]] or [10, 1000]


def peak_kb(runs):
    """Runs the animation `runs` times in a fresh process; returns its peak resident KB."""
    with tempfile.TemporaryDirectory() as work:
        shutil.copy(os.path.join(HERE, "..", "example", "mapa.bmp"), work)
        shutil.copy(os.path.join(HERE, "..", "example", "tav.ini"), work)
        script = "Settings amplitude=40 delay=0 scannerTrace=1\nStartCiel\nSin2Pi\n" + "Animuj\n" * runs
        pid = os.fork()
        if pid == 0:
            os.chdir(work)
            os.environ["QT_QPA_PLATFORM"] = "offscreen"
            with open(os.path.join(work, "script.txt"), "w") as f:
                f.write(script)
            os.execv(TAV1, [TAV1, "--batch", "script.txt", "--fast"])
        _, status, usage = os.wait4(pid, 0)
        if os.waitstatus_to_exitcode(status) != 0:
            sys.exit(f"tav1 failed after {runs} runs")
        return usage.ru_maxrss


for runs in RUNS:
    print(f"{runs:5d} animation runs: peak resident {peak_kb(runs) / 1024:.1f} MB")
