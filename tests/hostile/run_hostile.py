#!/usr/bin/env python3
"""Feeds TAV1's batch mode hostile maps, configuration files and point files.

    run_hostile.py TAV1 [--keep DIR]

The corpus comes from make_corpus.py (into a temporary folder, or DIR with --keep, which also
keeps every case's working folder). Each input runs in a fresh working folder:

  maps     as mapa.bmp loaded at start-up ([TAV] Dialogs=0), then picked in the start-up map
           dialog and again through FileOpen ([TAV] Dialogs=1); PomocneMenu, Dump
  ini      as tav.ini next to a small real map: ReadIni, StartCiel, Sin2Pi, SinPi, Line,
           Gooooo, Scanner, Animuj, FileSave, Dump
  points   as aaa.dat and as the sample file: LoadData, Kresli, SaveCircle, Algoritmus, Dump
  startup  odd files beside tav.ini: temp.txt or prek.txt a named pipe, a map name that is not
           UTF-8; PomocneMenu or FileSave, Dump
  scripts  endless or large scripts: a device as the script file or as standard input, 50 MB of
           blank lines; each ends with its exit status, and at its peak holds no more memory
           than a run of an empty script does plus twice the most a script may be (64 MiB)

Every run must end within 10 s with exit status 0, or 2 where a file it writes whole could not be
written (never by a signal), show exactly the message
boxes expected for the input (by caption), and print a Dump that parses as strict JSON with the
expected values. A map that cannot be used must be refused with a box, never half loaded.
A folder, named pipe or device offered as a file is refused with the code that says why
(EISDIR, ESPIPE, ENODEV), also when WriteIni or a save would write it, and is left as it was.
A tav.ini in UTF-16 is read, and WriteIni refuses it (EILSEQ) and leaves it byte for byte.
"""
import argparse
import errno
import json
import math
import os
import re
import resource
import shutil
import stat
import subprocess
import sys
import tempfile
import time

sys.dont_write_bytecode = True  # keep the source folder clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import make_corpus  # noqa: E402

HANG_GUARD_S = 10
REFUSED = {"Error LoadDIBFromFile"}
# A map the view cannot hold may be refused by any step of loading it.
ANY_STEP = {"Error LoadDIBFromFile", "Error BitmapFromDIB", "Error DrawBitmap"}
# Hostile maps must not take the machine's memory: each run gets this much address space.
ADDRESS_SPACE = 4 << 30

# Map file -> True for a usable map, else the captions that may refuse it (one box per load).
MAPS = {
    "bitfields565.bmp": True, "empty.bmp": REFUSED, "fifo.bmp": REFUSED, "folder.bmp": REFUSED,
    "height_int_min.bmp": REFUSED, "huge_header.bmp": REFUSED, "negative_width.bmp": REFUSED,
    "offset_past_end.bmp": REFUSED, "one_pixel.bmp": True, "os2.bmp": True,
    "os2_truncated.bmp": REFUSED, "palette_2g_colors.bmp": REFUSED, "png_named.bmp": True,
    "rgb32.bmp": True, "rle8.bmp": True, "rle8_truncated.bmp": REFUSED,
    "rle8_truncated_nosize.bmp": REFUSED, "text.bmp": REFUSED, "truncated.bmp": REFUSED,
    "wide_1bit.bmp": ANY_STEP, "wrong_magic.bmp": REFUSED, "zero_bpp.bmp": REFUSED, "zero.bmp": REFUSED,
}

BIG = 2147483647
# Configuration file -> (boxes expected, {dump field: value expected}).
INIS = {
    "bom_crlf.ini": (set(), {"m_scannerRange": 77, "m_openDialog": 0, "m_bitmapLoaded": True}),
    "utf16le.ini": (set(), {"m_scannerRange": 77, "m_openDialog": 0, "m_bitmapLoaded": True}),
    "utf16be.ini": (set(), {"m_scannerRange": 77, "m_openDialog": 0, "m_bitmapLoaded": True}),
    "coords_max.ini": (set(), {"m_startX": BIG, "m_startY": -BIG, "m_endX": -BIG, "m_endY": BIG}),
    "coords_min.ini": (set(), {"m_startX": -BIG, "m_startY": -BIG, "m_endX": BIG, "m_endY": BIG}),
    "df_str_0.ini": (set(), {"m_scanStepDivisor": 0.0}),
    "df_str_1e30.ini": (set(), {"m_scanStepDivisor": 1e30}),
    "df_str_999999999.ini": (set(), {"m_scanStepDivisor": 1e9}),
    "df_str_inf.ini": (set(), {"m_scanStepDivisor": None}),
    "df_str_minus1.ini": (set(), {"m_scanStepDivisor": -1.0}),
    "df_str_nan.ini": (set(), {"m_scanStepDivisor": None}),
    "folder.ini": (set(), {"m_openDialog": 1, "m_scannerRange": 10, "m_bitmapLoaded": True}),
    "fifo.ini": (set(), {"m_openDialog": 1, "m_scannerRange": 10, "m_bitmapLoaded": True}),
    "zero.ini": (set(), {"m_openDialog": 1, "m_scannerRange": 10, "m_bitmapLoaded": True}),
    "empty_values.ini": ({"GetPriovateProfileStringError Mapa", "GetPriovateProfileStringError"},
                         {"m_mapFileName": "", "m_scanStepDivisor": 0.0, "m_openDialog": 1}),
    "garbage.ini": (set(), {"m_openDialog": 1, "m_scannerRange": 10, "m_bitmapLoaded": True}),
    "megabyte_line.ini": (set(), {"m_scanStepDivisor": 10.0, "m_bitmapLoaded": True}),
    "range_max.ini": (set(), {"m_scannerRange": BIG}),
}

# Point file -> (boxes expected, number of points LoadData keeps). A folder, pipe or device cannot
# be read nor written: LoadData shows its code as the caption, Kresli finds no data.
UNUSABLE = {"", "Error OpenFile", "Error open file data.dat !"}
POINTS = {
    "decimal_comma.dat": ({"Error scanf !", "INFO"}, 1),
    "fifo.dat": ({str(errno.ESPIPE)} | UNUSABLE, 0),
    "folder.dat": ({str(errno.EISDIR)} | UNUSABLE, 0),
    "garbage.dat": ({"Error scanf !", "INFO"}, 0),
    "huge_numbers.dat": ({"INFO"}, 5),
    "many_pairs.dat": ({"INFO"}, 5000),
    "one_number.dat": ({"INFO"}, 0),
    "only_blanks.dat": ({"INFO"}, 0),
    "zero.dat": ({str(errno.ENODEV)} | UNUSABLE, 0),
}

# The corpus's files refused, by the start of their name -> the code they are refused with: those that
# are not regular, and a configuration in UTF-16 when written (it is read, but not left in two encodings).
REFUSAL_CODES = {"folder": errno.EISDIR, "fifo": errno.ESPIPE, "zero": errno.ENODEV,
                 "utf16le": errno.EILSEQ, "utf16be": errno.EILSEQ}

POINT_INI = b"[Velmora]\nDialogs=0\nMessageBox=1\n[TAV]\nDialogs=0\nBitmapa=mapa.bmp\n"
SMALL_MAP = make_corpus.map_24(320, 240, lambda x, y: 200 <= x < 204 or (y == 150 and x < 120))

# Start-up case -> (files laid beside each other, script, boxes expected, dump fields expected,
# and the file refused with its code or None).
LATIN1_MAP = b"m\xe9.bmp"  # a name written in a Windows code page: not UTF-8
STARTUP = {
    "temp_txt_fifo": ({"tav.ini": POINT_INI, "mapa.bmp": SMALL_MAP, "temp.txt": make_corpus.FIFO},
                      "PomocneMenu\nDump\n", {"Error open temp file !"}, {"m_bitmapLoaded": True},
                      ("temp.txt", errno.ESPIPE)),
    "prek_txt_fifo": ({"tav.ini": POINT_INI, "mapa.bmp": SMALL_MAP, "prek.txt": make_corpus.FIFO},
                      "Dump\nFileSave\n", {"Error fopen OnFileSave"}, {"m_bitmapLoaded": True},
                      ("prek.txt", errno.ESPIPE)),
    "map_name_latin1": ({"tav.ini": POINT_INI.replace(b"mapa.bmp", LATIN1_MAP), LATIN1_MAP: SMALL_MAP},
                        "PomocneMenu\nDump\n", set(), {"m_bitmapLoaded": True}, None),
    # The name before the NUL must not be the one opened.
    "map_name_nul": ({"tav.ini": POINT_INI.replace(b"mapa.bmp", b"mapa.bmp\0xx"), "mapa.bmp": SMALL_MAP},
                     "PomocneMenu\nDump\n", {"Error LoadDIBFromFile"}, {"m_bitmapLoaded": False}, None),
}
# Names that are not UTF-8 are the bytes written: in a description, and given to --map.
LATIN1_PGM = b"l\xe9.pgm"
LATIN1_YAML = b"m\xe9.yaml"
LATIN1_IMPORT = {"tav.ini": POINT_INI, "mapa.bmp": SMALL_MAP, LATIN1_MAP: SMALL_MAP,
                 LATIN1_PGM: b"P5\n4 3\n255\n" + bytes(12),
                 LATIN1_YAML: b"image: " + LATIN1_PGM + b"\nresolution: 0.05\n",
                 "m.yaml": b"image: " + LATIN1_PGM + b"\nresolution: 0.05\n"}
IMPORTED = {"m_mapGeometry": {"resolution": 0.05, "origin": [0, 0, 0], "heightPixels": 3}}
STARTUP["yaml_image_latin1"] = (LATIN1_IMPORT, "ImportMap m.yaml\nDump\n", set(), IMPORTED, None)
STARTUP["map_option_latin1"] = (LATIN1_IMPORT, "Dump\n", set(), {"m_bitmapLoaded": True}, None)
STARTUP["map_option_yaml_latin1"] = (LATIN1_IMPORT, "Dump\n", set(), IMPORTED, None)
# The script named so (the later --batch wins over the "-" every case starts with).
LATIN1_SCRIPT = b"s\xe9.tav1"
STARTUP["script_name_latin1"] = ({**LATIN1_IMPORT, LATIN1_SCRIPT: b"Dump\n"}, "", set(),
                                 {"m_bitmapLoaded": True}, None)
# Start-up case -> the options it runs with.
OPTIONS = {"map_option_latin1": ["--map", LATIN1_MAP], "map_option_yaml_latin1": ["--map", LATIN1_YAML],
           "script_name_latin1": ["--batch", LATIN1_SCRIPT]}
# Occupancy map descriptions that cannot be used: each is refused with one box, and the map
# loaded at start stays.
YAML_REFUSED = {
    "yaml_image_fifo": {"m.yaml": b"image: pipe.pgm\nresolution: 0.05\n", "pipe.pgm": make_corpus.FIFO},
    "yaml_image_device": {"m.yaml": b"image: /dev/zero\nresolution: 0.05\n"},
    "yaml_image_is_itself": {"m.yaml": b"image: m.yaml\nresolution: 0.05\n"},
    "yaml_image_nul": {"m.yaml": b'image: "mapa.bmp\\0x"\nresolution: 0.05\n'},
    "yaml_fifo": {"m.yaml": make_corpus.FIFO},
    "yaml_deep": {"m.yaml": b"image: " + b"[" * 500000 + b"\n"},
    "yaml_huge": {"m.yaml": b"image: m.pgm\nresolution: 0.05\n" + b"#" * (2 << 20) + b"\n"},
    "yaml_binary": {"m.yaml": bytes(range(256)) * 64},
}
for case, files in YAML_REFUSED.items():
    STARTUP[case] = ({"tav.ini": POINT_INI, "mapa.bmp": SMALL_MAP, **files}, "ImportMap m.yaml\nDump\n",
                     {"Error Import occupancy map"}, {"m_bitmapLoaded": True}, None)


# Script case -> (the script's file, or "-" for standard input; what is laid out as that file or
# fed to standard input; exit status expected).
SCRIPT_LIMIT = 64 << 20
SCRIPTS = {
    "device": ("/dev/zero", None, 1),
    "device_on_stdin": ("-", make_corpus.DEV_ZERO, 1),
    "blank_lines": ("blank.txt", b"\n" * (50 << 20) + b"Dump d.json\n", 0),
}


def strict_json(text):
    def refuse(token):
        raise ValueError("not JSON: " + token)
    return json.loads(text, parse_constant=refuse)


def place(source, target):
    if os.path.islink(source):
        os.symlink(os.readlink(source), target)
    elif stat.S_ISFIFO(os.stat(source).st_mode):
        os.mkfifo(target)
    elif os.path.isdir(source):
        shutil.copytree(source, target)
    else:
        shutil.copyfile(source, target)


def refusal_code(path):
    """The code a folder, pipe or device of the corpus is refused with; None for a regular file."""
    return REFUSAL_CODES.get(os.path.basename(path).split(".")[0])


def file_type(path):
    return stat.S_IFMT(os.lstat(path).st_mode)


def check_refused(problems, err, code, placed, kind):
    """Every box shows the code that says why, and the files placed are still of their kind."""
    codes = set()
    for line in err.splitlines():
        if line.startswith("[") and "]" in line:
            caption, text = line[1:line.index("]")], line[line.index("]") + 2:]
            codes |= {int(part) for part in (caption, text) if part.isdigit()}
            codes |= {int(number) for number in re.findall(r"Error:(\d+)", text)}
    if codes != {code}:
        problems.append("codes shown %s, expected %d" % (sorted(codes), code))
    for path in placed:
        if file_type(path) != kind:
            problems.append("%s was replaced" % os.path.basename(path))


def run(tav1, folder, script, *options, status=0):
    """Runs one script in `folder`, expecting exit `status`; returns (problems, stderr, dump)."""
    def limit():
        resource.setrlimit(resource.RLIMIT_AS, (ADDRESS_SPACE, ADDRESS_SPACE))
    # A sanitizer build reserves terabytes of address space for its shadow memory and keeps
    # its own watch over allocations, so it runs without the limit.
    sanitized = "ASAN_OPTIONS" in os.environ
    try:
        done = subprocess.run([tav1, "--batch", "-", "--fast", *options], cwd=folder, input=script.encode(),
                              capture_output=True, timeout=HANG_GUARD_S, preexec_fn=None if sanitized else limit)
    except subprocess.TimeoutExpired:
        return ["still running after %d s (killed)" % HANG_GUARD_S], "", None
    err = done.stderr.decode("utf-8", "replace")
    problems = []
    if done.returncode < 0:
        problems.append("killed by signal %d" % -done.returncode)
    elif done.returncode != status:
        problems.append("exit status %d" % done.returncode)
    dump = None
    try:
        dump = strict_json(done.stdout.decode("utf-8"))
    except ValueError as error:
        problems.append("Dump is not JSON (%s)" % str(error)[:80])
    if problems and err.strip():
        problems.append("stderr: " + err.strip().replace("\n", " | ")[:300])
    return problems, err, dump


def check(problems, err, dump, boxes, fields):
    """Appends what differs from the expected boxes and dump fields."""
    shown = {line[1:line.index("]")] for line in err.splitlines() if line.startswith("[") and "]" in line}
    if dump is not None:
        shown |= {m["caption"] for m in dump["messages"]}
    if boxes is not None and shown != set(boxes):
        problems.append("boxes %s, expected %s" % (sorted(shown), sorted(boxes)))
    for name, value in fields.items():
        actual = dump.get(name) if dump is not None else "(no dump)"
        if isinstance(value, float) and isinstance(actual, (int, float)):
            if math.isclose(actual, value, rel_tol=1e-6):  # the dump holds 32-bit reals
                continue
        if actual != value:
            problems.append("%s is %r, expected %r" % (name, actual, value))


def check_map(problems, err, dump, usable, loads):
    """A usable map loads without a box; any other is refused with one box per load."""
    if usable is True:
        check(problems, err, dump, set(), {"m_bitmapLoaded": True})
        return
    check(problems, err, dump, None, {"m_bitmapLoaded": False})
    refusals = [line for line in err.splitlines() if line[1:line.find("]")] in usable]
    if len(refusals) != loads or len(refusals) != len(err.splitlines()):
        problems.append("boxes %r, expected %d of %s" % (err.splitlines(), loads, sorted(usable)))


def try_map(tav1, path, folder):
    name, usable = os.path.basename(path), MAPS[os.path.basename(path)]
    startup = os.path.join(folder, "startup")
    os.makedirs(startup)
    with open(os.path.join(startup, "tav.ini"), "wb") as handle:
        handle.write(b"[TAV]\nDialogs=0\nBitmapa=mapa.bmp\n")
    place(path, os.path.join(startup, "mapa.bmp"))
    problems, err, dump = run(tav1, startup, "PomocneMenu\nDump\n")
    check_map(problems, err, dump, usable, 1)
    code = refusal_code(path)
    if code is not None:
        check_refused(problems, err, code, [os.path.join(startup, "mapa.bmp")], file_type(path))

    picked = os.path.join(folder, "dialog")
    os.makedirs(picked)
    with open(os.path.join(picked, "tav.ini"), "wb") as handle:
        handle.write(b"[TAV]\nDialogs=1\n")
    place(path, os.path.join(picked, name))
    more, err, dump = run(tav1, picked, "FileOpen %s\nPomocneMenu\nDump\n" % name, "--map", name)
    check_map(more, err, dump, usable, 2)
    if code is not None:
        check_refused(more, err, code, [os.path.join(picked, name)], file_type(path))
    return problems + ["(dialog) " + p for p in more]


def try_ini(tav1, path, folder):
    boxes, fields = INIS[os.path.basename(path)]
    place(path, os.path.join(folder, "tav.ini"))
    with open(os.path.join(folder, "mapa.bmp"), "wb") as handle:
        handle.write(SMALL_MAP)
    script = "ReadIni\nStartCiel\nSin2Pi\nSinPi\nLine\nGooooo\nScanner\nAnimuj\nFileSave prek.txt\nDump\n"
    problems, err, dump = run(tav1, folder, script, "--map", "mapa.bmp")
    check(problems, err, dump, boxes, fields)
    prek = os.path.join(folder, "prek.txt")
    if not os.path.exists(prek) or not open(prek, "rb").read().endswith(b"-" * 33 + b"\n"):
        problems.append("prek.txt missing or not ended by its closing line")
    code = refusal_code(path)
    if code is not None:
        # A file that could not be written ends the script.
        more, err, dump = run(tav1, folder, "Dump\nWriteIni\n", "--map", "mapa.bmp", status=2)
        check(more, err, dump, {"Error Write to ini file !"}, {})
        check_refused(more, err, code, [os.path.join(folder, "tav.ini")], file_type(path))
        if os.path.isfile(path) and open(path, "rb").read() != open(os.path.join(folder, "tav.ini"), "rb").read():
            more.append("tav.ini was changed")
        problems += ["(WriteIni) " + p for p in more]
    return problems


def try_points(tav1, path, folder):
    boxes, kept = POINTS[os.path.basename(path)]
    with open(os.path.join(folder, "tav.ini"), "wb") as handle:
        handle.write(POINT_INI)
    with open(os.path.join(folder, "mapa.bmp"), "wb") as handle:
        handle.write(SMALL_MAP)
    place(path, os.path.join(folder, "aaa.dat"))
    place(path, os.path.join(folder, "samples.dat"))
    readable = os.path.isfile(path)
    problems, err, dump = run(tav1, folder, "CurveSettings squaresEllipses=1 numbers=1 preciseIntegration=1\n"
                              "LoadData\nKresli\nDump loaded.json\nAlgoritmus samples.dat\nDump\nSaveCircle\n",
                              status=0 if readable else 2)
    check(problems, err, dump, boxes, {"m_dataFileName": "samples.dat" if readable else ""})
    try:
        with open(os.path.join(folder, "loaded.json"), "rb") as handle:
            loaded = strict_json(handle.read().decode("utf-8"))
        if loaded["m_pointCount"] != kept:
            problems.append("LoadData kept %d points, expected %d" % (loaded["m_pointCount"], kept))
    except (OSError, ValueError) as error:
        problems.append("loaded.json: %s" % error)
    if readable and open(os.path.join(folder, "aaa.dat"), "rb").read().count(b"\n") != 101:
        problems.append("SaveCircle did not write its 101 lines to aaa.dat")
    code = refusal_code(path)
    if code is not None:
        placed = [os.path.join(folder, name) for name in ("aaa.dat", "samples.dat")]
        check_refused(problems, err, code, placed, file_type(path))
    return problems


def try_startup(tav1, case, folder):
    files, script, boxes, fields, refused = STARTUP[case]
    for name, data in files.items():
        target = os.path.join(os.fsencode(folder), os.fsencode(name))
        if isinstance(data, make_corpus.Special):
            data.make(target)
        else:
            with open(target, "wb") as handle:
                handle.write(data)
    problems, err, dump = run(tav1, folder, script, *OPTIONS.get(case, []), 
                              status=2 if refused and refused[0] != "temp.txt" else 0)
    check(problems, err, dump, boxes, fields)
    if refused is not None:
        name, code = refused
        check_refused(problems, err, code, [os.path.join(folder, name)], stat.S_IFIFO)
    return problems


def run_measured(tav1, folder, script, stdin):
    """Runs `tav1 --batch SCRIPT`; returns (exit status, or None when it was killed, peak resident kB)."""
    def limit():
        resource.setrlimit(resource.RLIMIT_AS, (ADDRESS_SPACE, ADDRESS_SPACE))
    sanitized = "ASAN_OPTIONS" in os.environ
    with open(stdin, "rb") as source:
        child = subprocess.Popen([tav1, "--batch", script, "--fast"], cwd=folder, stdin=source,
                                 stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                 preexec_fn=None if sanitized else limit)
    deadline = time.monotonic() + HANG_GUARD_S
    while True:
        pid, status, usage = os.wait4(child.pid, os.WNOHANG)
        if pid != 0:
            code = os.waitstatus_to_exitcode(status)
            return (code if code >= 0 else None), usage.ru_maxrss
        if time.monotonic() > deadline:
            child.kill()
            return None, os.wait4(child.pid, 0)[2].ru_maxrss
        time.sleep(0.05)


def try_script(tav1, case, folder, baseline_kb):
    script, content, expected = SCRIPTS[case]
    stdin = os.devnull
    if isinstance(content, make_corpus.Special):
        stdin = os.path.join(folder, "input")
        content.make(stdin)
    elif content is not None:
        with open(os.path.join(folder, script), "wb") as handle:
            handle.write(content)
    status, peak_kb = run_measured(tav1, folder, script, stdin)
    problems = []
    if status != expected:
        problems.append("exit status %s, expected %d" % (status, expected))
    # A sanitizer build holds freed memory back for a while, so its peak says little.
    if "ASAN_OPTIONS" not in os.environ and peak_kb - baseline_kb > 2 * SCRIPT_LIMIT // 1024:
        problems.append("peak memory %d MB, %d MB more than an empty script's" % (peak_kb >> 10, (peak_kb - baseline_kb) >> 10))
    return problems


def report(label, problems):
    """Prints the outcome of one input; true when it failed."""
    print("%s %s%s" % ("FAIL" if problems else "ok  ", label, "".join("\n     - " + p for p in problems)))
    return bool(problems)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("tav1")
    parser.add_argument("--keep", metavar="DIR")
    args = parser.parse_args()
    tav1 = os.path.abspath(args.tav1)
    root = os.path.abspath(args.keep) if args.keep else tempfile.mkdtemp(prefix="tav1-hostile-")
    try:
        corpus = make_corpus.generate(os.path.join(root, "corpus"))
        tried = failed = 0
        for kind, runner, table in (("maps", try_map, MAPS), ("ini", try_ini, INIS),
                                    ("points", try_points, POINTS)):
            names = {os.path.basename(p) for p in corpus[kind]}
            for name in sorted(names ^ set(table)):
                print("FAIL %s/%s: corpus and expectations disagree" % (kind, name))
                failed += 1
            for path in corpus[kind]:
                if os.path.basename(path) not in table:
                    continue
                folder = os.path.join(root, "runs", kind, os.path.basename(path))
                os.makedirs(folder)
                tried += 1
                failed += report("%s/%s" % (kind, os.path.basename(path)), runner(tav1, path, folder))
        for case in sorted(STARTUP):
            folder = os.path.join(root, "runs", "startup", case)
            os.makedirs(folder)
            tried += 1
            failed += report("startup/" + case, try_startup(tav1, case, folder))
        with open(os.path.join(root, "empty.txt"), "wb"):
            pass
        baseline_kb = run_measured(tav1, root, "empty.txt", os.devnull)[1]
        for case in sorted(SCRIPTS):
            folder = os.path.join(root, "runs", "scripts", case)
            os.makedirs(folder)
            tried += 1
            failed += report("scripts/" + case, try_script(tav1, case, folder, baseline_kb))
        print("%d hostile inputs tried, %d failed" % (tried, failed))
        return 1 if failed else 0
    finally:
        if not args.keep:
            shutil.rmtree(root, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
