#!/usr/bin/env python3
"""Loads a 16384 x 16384 map where the memory for it is not there, and checks the map is
refused with the size error (code 8) and no crash.

    memory_short.py TAV1

A limit on the process's address space (RLIMIT_AS) stands in for a machine short of memory:
  - 512 MiB above what the program takes with a small map: the decoded map (1 GiB) cannot be
    had, "Error LoadDIBFromFile";
  - 1.1 GiB above: the map decodes, but neither its copy as colour indices (256 MiB more) nor
    the canvas for it (another 1 GiB) can be had, "Error BitmapFromDIB";
  - 1.6 GiB above: the map decodes, is kept as colour indices and its 32-bit pixels go before
    the canvas is made: the map loads.
The map is a white PNG, a few hundred kilobytes on disk. A program built with
AddressSanitizer reserves terabytes of address space, so it is not checked this way.
"""
import os
import resource
import shutil
import subprocess
import sys
import tempfile
import time

sys.dont_write_bytecode = True  # keep the source folder clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import make_corpus  # noqa: E402

HANG_GUARD_S = 120
SIDE = 16384
MIB = 1 << 20
INI = "[TAV]\nDialogs=0\nBitmapa=%s\n[Velmora]\nDialogs=0\n"


def peak_address_space(tav1, folder):
    """The program's peak address space (bytes) with the small map, read while it waits for the
    end of its script."""
    process = subprocess.Popen([tav1, "--batch", "-"], cwd=folder, stdin=subprocess.PIPE,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    peak = 0
    for _ in range(20):
        time.sleep(0.1)
        with open("/proc/%d/status" % process.pid) as status:
            peak = max(peak, next(int(line.split()[1]) * 1024 for line in status if line.startswith("VmPeak:")))
    process.stdin.close()
    process.wait(timeout=HANG_GUARD_S)
    return peak


def run(tav1, folder, limit):
    def restrict():
        resource.setrlimit(resource.RLIMIT_AS, (limit, limit))
    done = subprocess.run([tav1, "--batch", "-"], cwd=folder, input=b"Dump\n", capture_output=True,
                          timeout=HANG_GUARD_S, preexec_fn=restrict)
    return done.returncode, done.stderr.decode("utf-8", "replace")


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    os.environ["QT_QPA_PLATFORM"] = "offscreen"
    tav1 = os.path.abspath(sys.argv[1])
    with open(tav1, "rb") as binary:
        if b"__asan_init" in binary.read():
            print("skipped: built with AddressSanitizer")
            return 0
    folder = tempfile.mkdtemp(prefix="tav1-memory-")
    try:
        make_corpus.write_large_png(os.path.join(folder, "small.png"), 64, b"\xff" * 3 * 64)
        make_corpus.write_large_png(os.path.join(folder, "large.png"), SIDE, b"\xff" * 3 * SIDE)
        with open(os.path.join(folder, "tav.ini"), "w") as ini:
            ini.write(INI % "small.png")
        base = peak_address_space(tav1, folder)
        with open(os.path.join(folder, "tav.ini"), "w") as ini:
            ini.write(INI % "large.png")
        failed = 0
        for extra, caption in ((512 * MIB, "Error LoadDIBFromFile"), (1152 * MIB, "Error BitmapFromDIB"),
                               (1638 * MIB, None)):
            status, err = run(tav1, folder, base + extra)
            expected = "[%s] Error:8" % caption if caption else "no box"
            ok = status == 0 and (expected in err if caption else "[" not in err)
            failed += not ok
            print("%s %d MiB above the base: %s" % ("ok  " if ok else "FAIL", extra // MIB,
                                                    expected if ok else "status %s, %s" % (status, err.strip()[:400])))
        return 1 if failed else 0
    finally:
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
