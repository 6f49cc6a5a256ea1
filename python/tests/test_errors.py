"""Maps: what they hold, and every bad file or array refused with the program's own message."""
import concurrent.futures
import errno
import os
import pickle
import struct
import subprocess
import sys
import zlib

import numpy as np
import pytest

import tav1
from conftest import ppm, rooms


def test_maps_hold_the_pixels_the_scanner_reads(tmp_path):
    walls = np.zeros((3, 4), bool)
    walls[1, 2] = True
    assert tav1.Map(walls).pixels.tolist()[1] == [[255] * 3, [255] * 3, [255, 0, 0], [255] * 3]
    (tmp_path / "m.ppm").write_bytes(ppm(rooms()))
    read = tav1.load_map(str(tmp_path / "m.ppm"))
    assert np.array_equal(read.pixels, rooms()) and np.array_equal(tav1.Map(rooms()).pixels, rooms())
    assert (read.width, read.height, read.resolution, read.origin) == (240, 160, None, None)
    (tmp_path / "lab.pgm").write_bytes(b"P5\n3 2\n255\n" + bytes([0, 205, 255, 255, 0, 0]))
    (tmp_path / "lab.yaml").write_text("image: lab.pgm\nresolution: 0.25\norigin: [-1.5, 2.0, 0.5]\n")
    with pytest.warns(UserWarning, match="no walls: an occupancy map is read with tav1.import_occupancy"):
        assert not tav1.load_map(tmp_path / "lab.pgm").walls.any()
    lab = tav1.import_occupancy(os.fsencode(tmp_path / "lab.yaml"))
    assert lab.walls.tolist() == [[True, False, False], [False, True, True]]
    assert lab.unknown.tolist() == [[False, True, False], [False, False, False]]
    assert (lab.resolution, lab.origin) == (0.25, (-1.5, 2.0, 0.5))
    assert lab.pixels[:, :, 1].tolist() == [[0, 205, 255], [255, 0, 0]]


def make(tmp_path, kind):
    path = tmp_path / kind
    if kind == "pipe":
        os.mkfifo(path)
    elif kind == "folder":
        path.mkdir()
    elif kind == "text":
        path.write_text("not a picture\n")
    elif kind == "no image.yaml":
        path.write_text("resolution: 0.05\n")
    elif kind == "bad.yaml":
        path.write_text("image: text\nresolution: fast\n")
    elif kind == "huge.yaml":
        path.write_text("image: text\nresolution: 1e999\n")
    elif kind == "wide.png":  # white, wider than libpng reads
        width, chunk = 2**20, lambda name, data: struct.pack(">I", len(data)) + name + data + struct.pack(
            ">I", zlib.crc32(name + data))
        path.write_bytes(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, 1, 8, 2, 0, 0, 0))
                         + chunk(b"IDAT", zlib.compress(b"\0" + b"\xff" * 3 * width)) + chunk(b"IEND", b""))
    return path


# (reader, file, exception, errno, message); {p} is the file's path.
FILES = [
    (tav1.load_map, "missing", FileNotFoundError, errno.ENOENT, "Error LoadDIBFromFile: Error:2"),
    (tav1.load_map, "pipe", OSError, errno.ESPIPE, "Error LoadDIBFromFile: Error:29"),
    (tav1.load_map, "folder", IsADirectoryError, errno.EISDIR, "Error LoadDIBFromFile: Error:21"),
    (tav1.load_map, "text", ValueError, None, "Error LoadDIBFromFile: Error:11"),
    (tav1.load_map, "wide.png", ValueError, None,
     "Error LoadDIBFromFile: Error:11 (a PNG of 1048576 x 1 pixels: the PNG reader takes at most 1000000 pixels a side)"),
    (tav1.import_occupancy, "missing.yaml", FileNotFoundError, errno.ENOENT, "{p}: No such file or directory"),
    (tav1.import_occupancy, "pipe", OSError, errno.ESPIPE, "{p} cannot be read (Illegal seek)"),
    (tav1.import_occupancy, "text", ValueError, None, "{p} cannot be read (not an image that can be read)"),
    (tav1.import_occupancy, "no image.yaml", ValueError, None, "{p}: image: is missing"),
    (tav1.import_occupancy, "bad.yaml", ValueError, None, "{p}: resolution: fast is not a number"),
    (tav1.import_occupancy, "huge.yaml", ValueError, None, "{p}: resolution: 1e999 is out of range"),
]


def assert_refused(reader, path, exception, code, message):
    with pytest.raises(exception) as raised:
        reader(path)
    assert type(raised.value) is exception
    text = message.format(p=path)
    if code is None:
        assert str(raised.value) == text
    else:
        assert (raised.value.errno, raised.value.strerror, raised.value.filename) == (code, text, path)


@pytest.mark.parametrize("reader, kind, exception, code, message", FILES)
def test_bad_files_raise_the_programs_message(tmp_path, reader, kind, exception, code, message):
    assert_refused(reader, make(tmp_path, kind), exception, code, message)


def test_threads_loading_at_once_each_get_their_own_error(tmp_path):
    """The readers let go of the GIL: each thread's failure is its own, never another's."""
    rows = [(reader, make(tmp_path, kind), *rest) for reader, kind, *rest in FILES if kind != "pipe"]
    with concurrent.futures.ThreadPoolExecutor(len(rows)) as pool:
        for done in [pool.submit(lambda row=row: [assert_refused(*row) for _ in range(300)]) for row in rows]:
            done.result()


def test_memory_short_in_a_worker_thread_raises_memory_error():
    """No room for any thread's rays, the waiting threads already started: their failure reaches Python, not abort()."""
    script = """if 1:
        import resource, numpy as np, tav1
        world = tav1.Map(np.zeros((64, 64), bool))
        tav1.cast(world, np.full((64, 3), 5.0), np.zeros(100_000), 10, threads=8)
        used = int(open("/proc/self/statm").read().split()[0]) * resource.getpagesize()
        limit = used + 64 * 2_000_000 * 4 + 20 * 2**20
        resource.setrlimit(resource.RLIMIT_AS, (limit, limit))
        try:
            tav1.cast(world, np.full((64, 3), 5.0), np.zeros(2_000_000), 10, threads=8)
        except MemoryError:
            print("MemoryError")
    """
    done = subprocess.run([sys.executable, "-c", script], capture_output=True, text=True, timeout=60)
    assert (done.returncode, done.stdout) == (0, "MemoryError\n"), done.stderr


WALLED = tav1.Map(np.ones((4, 4), bool))
# (call, message start)
CALLS = [
    (lambda: tav1.Map(np.full((4, 4, 3), 0.5, np.float32)), "a map's RGB values are whole numbers 0 to 255, not 0.5"),
    (lambda: tav1.Map(np.full((4, 4, 3), 256)), "a map's RGB values are whole numbers 0 to 255, not 256.0"),
    (lambda: tav1.Map(np.zeros((1, 2**26), bool)), "a map is at most 67108863 pixels wide"),
    (lambda: tav1.Map(np.zeros((4, 4, 4), np.uint8)), "a map is an H x W x 3 uint8 RGB array"),
    (lambda: tav1.Map(np.zeros(4, bool)), "a map is an H x W x 3 uint8 RGB array"),
    (lambda: tav1.Map(np.zeros((4, 4), np.uint8)), "a map is an H x W x 3 uint8 RGB array"),
    (lambda: tav1.Map(np.zeros((0, 4), bool)), "a map is 1 to 1024 MB"),
    (lambda: tav1.cast(tav1.Map(np.zeros((4, 4), bool)), np.zeros((3, 2)), [0.0], 10), "poses are an N x 3"),
    (lambda: tav1.cast(tav1.Map(np.zeros((4, 4), bool)), np.zeros((3, 3)), [[0.0]], 10), "angles are"),
    (lambda: tav1.cast(tav1.Map(np.zeros((4, 4), bool)), np.zeros((3, 3)), [0.0], 10, -1), "threads is"),
    (lambda: tav1.cast(WALLED, [[2, 2, 0]], [0.0], -5), "range is 0 to 2147483647, not -5"),
    (lambda: tav1.cast(WALLED, [[2, 2, 0], [50, 50, np.nan]], [0.0], 9), "poses row 1: nan is not a finite number"),
    (lambda: tav1.cast(WALLED, np.array([[2, 2, None]]), [0.0], 9), "poses row 0: nan is not a finite number"),
    (lambda: tav1.cast(WALLED, [[2**31 + 2, 2, 0]], [0.0], 9), "poses row 0: 2147483650.0 lies beyond the pixel"),
    (lambda: tav1.cast(WALLED, [[2, 2, 0]], [0.0, -np.inf], 9), r"angles\[1\]: -inf is not a finite number"),
    (lambda: tav1.cast(WALLED, [[2, 2, 1e308]], [1e308], 9), "a heading plus an angle is beyond the finite"),
    (lambda: tav1.sweep(WALLED, 2.5, 2, 0.0), "x is a whole number, not 2.5"),
    (lambda: tav1.sweep(WALLED, 2, 2, np.inf), "heading is a finite number, not inf"),
    (lambda: tav1.sweep(WALLED, 2, 2, 0.0, 9, 1e39), "divisor is a finite 32-bit real"),
    (lambda: tav1.run(WALLED, [[1.0, 3e9]]), "path row 0: 3000000000.0 lies beyond the pixel coordinates"),
    (lambda: tav1.trajectory("line", (0, 0), (9, "9")), r"end\[1\] is a whole number, not '9'"),
    (lambda: tav1.trajectory("line", (0, 0), (9, 9), amplitude=2**40), "amplitude is -2147483648 to"),
    (lambda: tav1.Fleet(WALLED, [[1, 1, 0]], wheelbase=0), "the wheelbase (the cart's length\\) must be a positive"),
    (lambda: tav1.Fleet(WALLED, [[1, 1, 0]], drive="tank"), 'drive is "car" or "diff", not "tank"'),
    (lambda: tav1.Fleet(WALLED, [[1, 1, 0]]).step([[1.0, np.nan]], 1.0), "commands row 0: nan is not a finite"),
    (lambda: tav1.Fleet(WALLED, [[1, 1, 0]]).step([[1.0, 0.0]] * 2, 1.0), "commands have 2 rows for 1 carts"),
    (lambda: tav1.Fleet(WALLED, [[1, 1, 0]]).step([[1.0, 0.0]], -1), "dt is 0 or more"),
    (lambda: tav1.follow(WALLED, [[0, 0], [5, 5]], speed=0), "the speed and the look-ahead must be positive"),
    (lambda: tav1.load_map("lab.yaml"), "lab.yaml is an occupancy map's description: read it with tav1.import_occupancy"),
    (lambda: tav1.trajectory("circle", (0, 0), (9, 9)), 'kind is "sin2pi", "sinpi" or "line", not "circle"'),
]


@pytest.mark.parametrize("call, message", CALLS)
def test_bad_arguments_raise_value_error(call, message):
    with pytest.raises(ValueError, match="^" + message.replace("(", r"\(")):
        call()


def test_whole_reals_are_whole_numbers_and_arrays_any_numpy_gives():
    """An unpickled array (an equal dtype that is another object) and reals without a fraction are taken."""
    pixels = pickle.loads(pickle.dumps(np.full((3, 5, 3), 255, np.uint8)))
    pixels[1, 2] = (255, 0, 0)
    for array in (pixels, pixels.astype(">i4"), pixels.astype(float), pixels[:, ::-1][:, ::-1]):
        assert np.array_equal(tav1.Map(array).pixels, pixels)
    world = tav1.Map(pixels)
    swept = [tav1.sweep(world, x, y, 0, range=r) for x, y, r in ((0.0, np.int8(1), np.float32(9.0)), (0, 1, 9))]
    assert [a.tolist() for a in swept[0]] == [a.tolist() for a in swept[1]]
    assert tav1.cast(world, [[0, 1, 0]], [0.0], 9.0, threads=1.0).tolist() == [[2.0]]
