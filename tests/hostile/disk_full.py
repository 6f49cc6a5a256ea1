#!/usr/bin/env python3
"""Runs TAV1 under a file-size limit and checks every cut write is reported.

    disk_full.py TAV1

A limit on the size of the files a process writes (RLIMIT_FSIZE) stands in for a full disk: the
program ignores SIGXFSZ, so a write past the limit fails with EFBIG. Each file the program
writes is made to outgrow the limit, and the failure must show the box the command uses for a
file it cannot open, and a file written whole ends the script with exit status 2:

  aaa.dat      SaveCircle of 5000 points, [Velmora] Dialogs=0     "Error OpenFile"
  out.dat      SaveCircle of 5000 points into a file picked       "Error fopenFile"
  prek.txt     FileSave of a full obstacle log                    "Error fopen OnFileSave"
  temp.txt     Algoritmus over 3000 sample pairs (the trace)      "Error open temp file !"
  tav.ini      WriteIni over a file already larger than the limit: 6 boxes
               "Error Write to ini file !" (the checked writes) and the old file unchanged

Each case runs once without the limit first, to show it writes more than the limit and meets
no failure then.
"""
import os
import resource
import shutil
import subprocess
import sys
import tempfile

sys.dont_write_bytecode = True  # keep the source folder clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import make_corpus  # noqa: E402

HANG_GUARD_S = 10
LIMIT = 4096  # bytes

# A red map with a white disk of radius 40 around (100, 100): every ray from there hits red.
RED_MAP = make_corpus.map_24(200, 200, lambda x, y: (x - 100) ** 2 + (y - 100) ** 2 > 40 ** 2)

BASE_INI = ("[Velmora]\nDialogs=%d\nMessageBox=0\n[TAV]\nDialogs=0\nDefault=1\nBitmapa=mapa.bmp\n"
            "[DefaultValues]\nDosahScanerra=150\nStartPossitionX=100\nStartPossitionY=100\n"
            "EndPossitionX=180\nEndPossitionY=100\ndf_Str=2000\n")

SAMPLES = "".join("%d.5 %d.25\n" % (i % 17 - 8, i % 11 - 5) for i in range(3000))

# name: (Velmora Dialogs, script, file written, box caption, boxes and exit status under the limit).
# A file written whole stops the script (2); the trace, written as it goes, does not.
CASES = {
    "aaa.dat": (0, "CurveSettings valueCount=5000\nSaveCircle\nDump\n", "aaa.dat", "Error OpenFile", 1, 2),
    "picked point file": (1, "CurveSettings valueCount=5000\nSaveCircle out.dat\nDump\n", "out.dat",
                          "Error fopenFile", 1, 2),
    "prek.txt": (0, "StartCiel\nScanner\nFileSave\nDump\n", "prek.txt", "Error fopen OnFileSave", 1, 2),
    "temp.txt": (0, "Algoritmus samples.dat\nDump\n", "temp.txt", "Error open temp file !", 1, 0),
}

# An ini larger than the limit: its own keys, then a long comment section at the end.
BIG_INI = (BASE_INI % 0).replace("\n", "\r\n") + "[Notes]\r\n" + "".join(
    "; note %04d: kept as written, a line of padding to make the file large\r\n" % i for i in range(80))


def run(folder, script, limited):
    def limit():
        resource.setrlimit(resource.RLIMIT_FSIZE, (LIMIT, LIMIT))
    try:
        done = subprocess.run([TAV1, "--batch", "-", "--fast"], cwd=folder, input=script.encode(),
                              capture_output=True, timeout=HANG_GUARD_S, preexec_fn=limit if limited else None)
    except subprocess.TimeoutExpired:
        return None, "still running after %d s (killed)" % HANG_GUARD_S
    return done.returncode, done.stderr.decode("utf-8", "replace")


def prepare(folder, ini):
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    for name, data in (("tav.ini", ini.encode()), ("mapa.bmp", RED_MAP), ("samples.dat", SAMPLES.encode())):
        with open(os.path.join(folder, name), "wb") as handle:
            handle.write(data)


def boxes(err, caption):
    return sum(1 for line in err.splitlines() if line.startswith("[%s] " % caption))


def check_file(root, name, dialogs, script, written, caption, expected, failed_status):
    problems = []
    folder = os.path.join(root, name.replace(" ", "_"))
    for limited in (False, True):
        prepare(folder, BASE_INI % dialogs)
        status, err = run(folder, script, limited)
        label = "limited" if limited else "unlimited"
        if status != (failed_status if limited else 0):
            problems.append("%s: status %s: %s" % (label, status, err.strip().replace("\n", " | ")[:300]))
            continue
        size = os.path.getsize(os.path.join(folder, written)) if os.path.exists(os.path.join(folder, written)) else -1
        shown = boxes(err, caption)
        if not limited and (shown or size <= LIMIT):
            problems.append("unlimited: %d boxes [%s], %s has %d bytes (must exceed %d)"
                            % (shown, caption, written, size, LIMIT))
        if limited:
            if shown != expected:
                problems.append("limited: %d boxes [%s] (expected %d), %s cut at %d bytes; stderr: %s"
                                % (shown, caption, expected, written, size, err.strip().replace("\n", " | ")[:200]))
            if size > LIMIT:
                problems.append("limited: %s has %d bytes, beyond the limit" % (written, size))
    return problems


def check_ini(root):
    problems = []
    folder = os.path.join(root, "tav.ini")
    caption = "Error Write to ini file !"
    for limited in (False, True):
        prepare(folder, BIG_INI)
        status, err = run(folder, "WriteIni\nDump\n", limited)
        label = "limited" if limited else "unlimited"
        with open(os.path.join(folder, "tav.ini"), "rb") as handle:
            after = handle.read()
        shown = boxes(err, caption)
        if status != (2 if limited else 0):
            problems.append("%s: status %s: %s" % (label, status, err.strip().replace("\n", " | ")[:300]))
        elif not limited and (shown or after == BIG_INI.encode() or len(after) <= LIMIT):
            problems.append("unlimited: %d boxes, tav.ini %s, %d bytes" % (
                shown, "unchanged" if after == BIG_INI.encode() else "rewritten", len(after)))
        elif limited:
            if shown != 6:
                problems.append("limited: %d boxes [%s], expected 6" % (shown, caption))
            if after != BIG_INI.encode():
                problems.append("limited: tav.ini changed (%d bytes, was %d)" % (len(after), len(BIG_INI)))
            stray = [n for n in os.listdir(folder) if n.startswith("tav.ini.")]
            if stray:
                problems.append("limited: temporary files left: %s" % ", ".join(stray))
    return problems


def main():
    global TAV1
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    TAV1 = os.path.abspath(sys.argv[1])
    assert len(BIG_INI) > LIMIT
    root = tempfile.mkdtemp(prefix="tav1-diskfull-")
    failed = 0
    try:
        results = [(name, check_file(root, name, *case)) for name, case in CASES.items()]
        results.append(("tav.ini (WriteIni)", check_ini(root)))
        for name, problems in results:
            failed += bool(problems)
            print("%s %s%s" % ("FAIL" if problems else "ok  ", name, "".join("\n     - " + p for p in problems)))
        print("%d files written under a %d-byte limit, %d failed" % (len(results), LIMIT, failed))
        return 1 if failed else 0
    finally:
        if failed:
            print("working folders kept in " + root)
        else:
            shutil.rmtree(root, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
