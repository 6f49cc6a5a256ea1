#!/usr/bin/env python3
"""Kills TAV1 with SIGKILL while WriteIni rewrites tav.ini, and checks the file stays whole.

    kill_writeini.py TAV1 [--iterations N] [--seed S]

WriteIni writes 16 keys one after another, each write replacing the whole file atomically. Every
iteration starts from the same hand-written tav.ini (CRLF line ends, comments, extra keys and
sections, other values for the 16 keys), runs `tav1 --batch - --fast` on a script of many
WriteIni lines and kills it after a random delay. Afterwards tav.ini must equal the original
with exactly the first k writes applied, 0 <= k <= 16: it ends with a line end, each key holds
its original or its WriteIni value, the keys written form a prefix of the write order, and
every other line is still there byte for byte. Kills are counted by the state they left
(before / mid / after the writes); leftover temporary files of the atomic writer are allowed and
counted. A third of the delays are spread over 0-300 ms, the rest aim at the writes, which a
few unkilled runs locate first.
"""
import argparse
import os
import random
import shutil
import subprocess
import sys
import tempfile
import time

HANG_GUARD_S = 10

# The writes in WriteIni's order: (section, key, value written).
WRITES = [
    ("Velmora", "Dialogs", "0"), ("Velmora", "MessageBox", "0"),
    ("TAV", "Dialogs", "0"), ("TAV", "Default", "1"), ("TAV", "Bitmapa", "mapa.bmp"),
    ("DefaultValues", "DosahScanerra", "150"), ("DefaultValues", "StartPossitionX", "300"),
    ("DefaultValues", "StartPossitionY", "300"), ("DefaultValues", "EndPossitionX", "600"),
    ("DefaultValues", "EndPossitionY", "600"), ("DefaultValues", "Vozik", "1"),
    ("DefaultValues", "MinVzdialenost", "10"), ("DefaultValues", "df_Str", "10"),
    ("Vozidlo", "Dlzka", "20"), ("Vozidlo", "Rozchod kolies", "2"), ("Vozidlo", "Uhol natocenia", "0"),
]

# The original file, a line per entry; None stands for the line of the key named next to it.
ORIGINAL = [
    "; TAV1 configuration, kept by hand", "; the comments and extra keys must survive", "",
    "[Vozidlo]", ("Dlzka", "11"), "; wheel track in pixels", ("Rozchod kolies", "12"),
    ("Uhol natocenia", "0.5"), "Poznamka = extra key, kept as written  ", "",
    "[Velmora]", ("Dialogs", "1"), ("MessageBox", "1"), "",
    "  [TAV]  ", ("Dialogs", "1"), ("Default", "0"), ("Bitmapa", "stara.bmp"), "Farba=red", "",
    "[DefaultValues]", ("DosahScanerra", "75"), ("StartPossitionX", "10"), ("StartPossitionY", "20"),
    ("EndPossitionX", "30"), ("EndPossitionY", "40"), ("MinVzdialenost", "55"), ("Vozik", "7"),
    ("df_Str", "0.25"), "\t; tab-indented comment, a Latin-1 byte: \xfc", "",
    "[Extra]", "Dialogs=9", "df_Str=3",
]


def render(written):
    """The file after the first `written` writes, and the index of each written key's line."""
    new = {(s, k): v for s, k, v in WRITES[:written]}
    lines, where, section = [], {}, None
    for entry in ORIGINAL:
        if isinstance(entry, tuple):
            key, value = entry
            where[(section, key)] = len(lines)
            lines.append("%s=%s" % (key, new.get((section, key), value)))
        else:
            if entry.strip().startswith("["):
                section = entry.strip()[1:-1]
            lines.append(entry)
    text = ("\r\n".join(lines) + "\r\n").encode("latin-1")
    return text, [where[(s, k)] for s, k, _ in WRITES]


CANDIDATES = [render(k)[0] for k in range(len(WRITES) + 1)]
KEY_LINES = render(0)[1]


def describe(data):
    """What is wrong with a file that matches no candidate."""
    notes = ["%d bytes" % len(data)]
    if not data.endswith(b"\n"):
        notes.append("no line end at the end (cut short?)")
    got = data.split(b"\r\n")
    old, new = CANDIDATES[0].split(b"\r\n"), CANDIDATES[-1].split(b"\r\n")
    line = lambda i: got[i] if i < len(got) else None  # noqa: E731
    marks = "".join("o" if line(i) == old[i] else "n" if line(i) == new[i] else "?" for i in KEY_LINES)
    notes.append("keys in write order (o original, n new, ? neither): " + marks)
    if "on" in marks:
        notes.append("the keys written are not a prefix of the write order")
    if len(got) != len(old):
        notes.append("%d lines instead of %d" % (len(got) - 1, len(old) - 1))
    changed = [i for i in range(len(old)) if i not in KEY_LINES and line(i) != old[i]]
    if changed:
        notes.append("line %d is %r, was %r" % (changed[0] + 1, line(changed[0]), old[changed[0]]))
    return "; ".join(notes)


def run_once(tav1, folder, script, delay):
    """Starts the program and kills it after `delay` s (None: let it finish). Returns its status."""
    process = subprocess.Popen([tav1, "--batch", "-", "--fast"], cwd=folder, stdin=subprocess.PIPE,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    process.stdin.write(script)
    process.stdin.close()
    try:
        process.wait(timeout=HANG_GUARD_S if delay is None else delay)
    except subprocess.TimeoutExpired:
        process.kill()
        try:
            process.wait(timeout=HANG_GUARD_S)
        except subprocess.TimeoutExpired:
            return "hang"
    return process.returncode


def locate_writes(tav1, root):
    """Times of the first and the last rename of tav.ini in an unkilled run of one WriteIni."""
    folder = os.path.join(root, "calibration")
    os.makedirs(folder)
    path = os.path.join(folder, "tav.ini")
    with open(path, "wb") as handle:
        handle.write(CANDIDATES[0])
    inode = os.stat(path).st_ino
    start = time.monotonic()
    process = subprocess.Popen([tav1, "--batch", "-", "--fast"], cwd=folder, stdin=subprocess.PIPE,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    process.stdin.write(b"WriteIni\n")
    process.stdin.close()
    changes = []
    while process.poll() is None and time.monotonic() - start < HANG_GUARD_S:
        try:
            if os.stat(path).st_ino != inode:
                inode = os.stat(path).st_ino
                changes.append(time.monotonic() - start)
        except FileNotFoundError:
            pass
        time.sleep(0.0005)  # leave the program the processor
    if process.poll() is None:
        process.kill()
        process.wait()
    shutil.rmtree(folder)
    return (changes[0], changes[-1]) if changes else (0.08, 0.12)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("tav1")
    parser.add_argument("--iterations", type=int, default=150)
    parser.add_argument("--seed", type=int, default=None)
    args = parser.parse_args()
    tav1 = os.path.abspath(args.tav1)
    seed = args.seed if args.seed is not None else random.randrange(1 << 30)
    rng = random.Random(seed)
    root = tempfile.mkdtemp(prefix="tav1-killini-")
    script = b"WriteIni\n" * 60
    counts = {"before": 0, "mid": 0, "after": 0}
    exited = leftovers = 0
    violations = []
    try:
        windows = sorted(locate_writes(tav1, root) for _ in range(3))
        # The targeted kills aim at `centre`, which follows the outcomes: a kill that came too
        # early moves it later, one that came too late moves it earlier.
        centre = (windows[1][0] + windows[1][1]) / 2
        print("seed %d; the writes ran %s ms after the start"
              % (seed, ", ".join("%.0f-%.0f" % (a * 1e3, b * 1e3) for a, b in windows)))
        for iteration in range(args.iterations):
            targeted = iteration % 3 != 0
            delay = max(0.0, centre + rng.uniform(-0.015, 0.015)) if targeted else rng.uniform(0.0, 0.3)
            folder = os.path.join(root, "run%03d" % iteration)
            os.makedirs(folder)
            with open(os.path.join(folder, "tav.ini"), "wb") as handle:
                handle.write(CANDIDATES[0])
            status = run_once(tav1, folder, script, delay)
            if status == 0:
                exited += 1
            elif status != -9:
                violations.append("run %d (kill at %.0f ms): status %s" % (iteration, delay * 1e3, status))
            with open(os.path.join(folder, "tav.ini"), "rb") as handle:
                data = handle.read()
            if data in CANDIDATES:
                k = CANDIDATES.index(data)
                state = "before" if k == 0 else "after" if k == len(WRITES) else "mid"
                counts[state] += 1
                if targeted and state != "mid":
                    centre += 0.004 if state == "before" else -0.004
            else:
                violations.append("run %d (kill at %.0f ms): tav.ini torn: %s"
                                  % (iteration, delay * 1e3, describe(data)))
                shutil.copyfile(os.path.join(folder, "tav.ini"), os.path.join(root, "torn%03d.ini" % iteration))
            leftovers += len([n for n in os.listdir(folder) if n not in ("tav.ini", "temp.txt")])
            if not violations or not violations[-1].startswith("run %d " % iteration):
                shutil.rmtree(folder)
        print("%d runs: tav.ini left before the writes %d times, during them %d, after them %d; "
              "%d runs ended by themselves" % (args.iterations, counts["before"], counts["mid"], counts["after"], exited))
        print("%d temporary files left behind by killed writes" % leftovers)
        for violation in violations:
            print("FAIL " + violation)
        if violations:
            print("failing runs kept in " + root)
        return 1 if violations else 0
    finally:
        if not violations:
            shutil.rmtree(root, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
