#!/usr/bin/env python3
"""Writes hostile input files for TAV1's batch mode into OUTDIR.

    make_corpus.py OUTDIR

OUTDIR/maps/    files offered as the map bitmap (broken, odd and unusual BMPs, a PNG, ...)
OUTDIR/ini/     configuration files (garbage, huge lines, extreme numbers, BOM + CRLF, ...)
OUTDIR/points/  point and sample files (garbage, many pairs, huge numbers, commas, ...)

Each folder also holds a folder, a named pipe and a symbolic link to /dev/zero where a file is
expected: opening the pipe would wait for a writer, and the device never ends.

Everything is generated here, deterministically; the drivers call generate() at test time.
The module also offers the BMP writer the drivers use for their own small maps.
"""
import os
import random
import struct
import sys
import zlib

BI_RGB, BI_RLE8, BI_BITFIELDS = 0, 1, 3


class Special:
    """Stands for a file that is not a regular file: a named pipe, or a symbolic link to `target`."""

    def __init__(self, target=None):
        self.target = target

    def make(self, path):
        if os.path.lexists(path):
            os.remove(path)
        if self.target is None:
            os.mkfifo(path)
        else:
            os.symlink(self.target, path)


FIFO = Special()
DEV_ZERO = Special("/dev/zero")


def bmp(width, height, bpp, pixels, compression=BI_RGB, extra=b"", colors=0):
    """A BMP with a BITMAPINFOHEADER; `extra` (palette or masks) sits between header and pixels."""
    offset = 14 + 40 + len(extra)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bpp, compression, len(pixels),
                       2835, 2835, colors, 0)
    head = b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset)
    return head + info + extra + pixels


def rows_24(width, height, pixel):
    """Bottom-up 24-bit rows; pixel(x, y) gives (r, g, b) with y counted from the top."""
    pad = b"\0" * ((4 - width * 3 % 4) % 4)
    out = bytearray()
    for y in reversed(range(height)):
        for x in range(width):
            r, g, b = pixel(x, y)
            out += bytes((b, g, r))
        out += pad
    return bytes(out)


def map_24(width, height, red=lambda x, y: False):
    """A white map with pure-red obstacle pixels where red(x, y) holds."""
    return bmp(width, height, 24,
               rows_24(width, height, lambda x, y: (255, 0, 0) if red(x, y) else (255, 255, 255)))


def bmp_16_565(width, height):
    masks = struct.pack("<III", 0xF800, 0x07E0, 0x001F)
    row = b"".join(struct.pack("<H", 0xF800 if x % 2 else 0xFFFF) for x in range(width))
    row += b"\0" * ((4 - len(row) % 4) % 4)
    return bmp(width, height, 16, row * height, BI_BITFIELDS, masks)


def bmp_32(width, height):
    row = b"".join(bytes((x * 7 % 256, 0x80, 0xFF, 0)) for x in range(width))
    return bmp(width, height, 32, row * height)


def bmp_rle8(width, height):
    """RLE8: each row as runs of white (0) and red (1), then end of line; end of bitmap last."""
    palette = bytes((255, 255, 255, 0, 0, 0, 255, 0))
    data = bytearray()
    for y in range(height):
        half = width // 2
        data += bytes((half, 0, width - half, 1))      # encoded runs: count, colour index
        data += bytes((0, 0)) if y + 1 < height else b""  # end of line
    data += bytes((0, 1))                              # end of bitmap
    return bmp(width, height, 8, bytes(data), BI_RLE8, palette, colors=2)


def bmp_os2(width, height):
    """An OS/2 1.x bitmap: the 12-byte BITMAPCOREHEADER with 16-bit width and height."""
    pixels = rows_24(width, height, lambda x, y: (255, 0, 0) if x == y else (255, 255, 255))
    core = struct.pack("<IHHHH", 12, width, height, 1, 24)
    return b"BM" + struct.pack("<IHHI", 26 + len(pixels), 0, 0, 26) + core + pixels


def bmp_1bit_wide(width):
    """One row of `width` 1-bit pixels: a small file and a small bitmap, but far wider than a screen."""
    row = b"\xff" * ((width + 7) // 8)
    row += b"\0" * ((4 - len(row) % 4) % 4)
    return bmp(width, 1, 1, row, extra=bytes((0, 0, 255, 0, 255, 255, 255, 0)), colors=2)


def patched(data, offset, fmt, value):
    return data[:offset] + struct.pack(fmt, value) + data[offset + struct.calcsize(fmt):]


def png_chunk(kind, payload):
    return struct.pack(">I", len(payload)) + kind + payload + struct.pack(">I", zlib.crc32(kind + payload) & 0xFFFFFFFF)


def write_large_png(path, side, row):
    """A side x side RGB PNG whose every row is `row` (3 bytes a pixel), compressed as it goes."""
    packer = zlib.compressobj(6)
    line = b"\0" + bytes(row)
    data = b"".join(packer.compress(line) for _ in range(side)) + packer.flush()
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", struct.pack(">IIBBBBB", side, side, 8, 2, 0, 0, 0))
                  + png_chunk(b"IDAT", data) + png_chunk(b"IEND", b""))


def png(width, height):
    chunk = png_chunk
    rows = bytearray()
    for y in range(height):
        rows += b"\0"
        for x in range(width):
            rows += bytes((255, 0, 0)) if (x + y) % 5 == 0 else bytes((255, 255, 255))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(bytes(rows))) + chunk(b"IEND", b""))


def maps():
    good = map_24(40, 30, lambda x, y: x == 20)
    rle = bmp_rle8(16, 40)
    os2 = bmp_os2(40, 30)
    return {
        "empty.bmp": b"",
        "truncated.bmp": good[: len(good) // 2],
        "huge_header.bmp": bmp(100000, 100000, 24, b"\0" * 64),
        "wrong_magic.bmp": b"XM" + good[2:],
        "one_pixel.bmp": bmp(1, 1, 24, bytes((0, 0, 255, 0))),
        "bitfields565.bmp": bmp_16_565(17, 9),
        "rgb32.bmp": bmp_32(13, 7),
        "rle8.bmp": bmp_rle8(16, 8),
        "rle8_truncated.bmp": rle[:-40],
        # biSizeImage 0 as well, so the header does not tell how long the runs are
        "rle8_truncated_nosize.bmp": patched(rle, 34, "<I", 0)[:-40],
        "os2.bmp": os2,
        "os2_truncated.bmp": os2[: len(os2) // 2],
        "png_named.bmp": png(24, 16),
        "text.bmp": b"This is not a bitmap, only text.\nBM is not at the start.\n",
        "folder.bmp": None,  # a directory
        "fifo.bmp": FIFO,
        "zero.bmp": DEV_ZERO,
        "negative_width.bmp": patched(good, 18, "<i", -40),
        "height_int_min.bmp": patched(good, 22, "<i", -2 ** 31),
        "zero_bpp.bmp": patched(good, 28, "<H", 0),
        "palette_2g_colors.bmp": patched(bmp_rle8(16, 8), 46, "<I", 2 ** 31),
        "offset_past_end.bmp": patched(good, 10, "<I", 0xFFFFFFF0),
        # 1 MB, 32 MB decoded, but a view 8000000 pixels wide would take 32 GB
        "wide_1bit.bmp": bmp_1bit_wide(8000000),
    }


def ini_text(values, eol="\n"):
    """A configuration with every section; `values` maps (section, key) to the text after '='."""
    base = {
        ("Velmora", "Dialogs"): "0", ("Velmora", "MessageBox"): "1",
        ("TAV", "Dialogs"): "0", ("TAV", "Default"): "1", ("TAV", "Bitmapa"): "mapa.bmp",
        ("DefaultValues", "DosahScanerra"): "150",
        ("DefaultValues", "StartPossitionX"): "30", ("DefaultValues", "StartPossitionY"): "40",
        ("DefaultValues", "EndPossitionX"): "250", ("DefaultValues", "EndPossitionY"): "180",
        ("DefaultValues", "MinVzdialenost"): "10", ("DefaultValues", "df_Str"): "10",
        ("DefaultValues", "Vozik"): "1",
        ("Vozidlo", "Dlzka"): "10", ("Vozidlo", "Rozchod kolies"): "10",
        ("Vozidlo", "Uhol natocenia"): "0",
    }
    base.update(values)
    lines, section = [], None
    for (sec, key), value in base.items():
        if sec != section:
            lines.append("[%s]" % sec)
            section = sec
        lines.append("%s=%s" % (key, value))
    return (eol.join(lines) + eol).encode("latin-1")


def inis():
    big, small = "2147483647", "-2147483647"
    out = {
        "garbage.ini": random.Random(7).randbytes(4096),
        "megabyte_line.ini": ini_text({("Vozidlo", "Dlzka"): "13"}).replace(
            b"[Vozidlo]", b"; " + b"x" * (1 << 20) + b"\nLong=" + b"7" * (1 << 20) + b"\n[Vozidlo]"),
        "coords_max.ini": ini_text({("DefaultValues", "StartPossitionX"): big,
                                    ("DefaultValues", "StartPossitionY"): small,
                                    ("DefaultValues", "EndPossitionX"): small,
                                    ("DefaultValues", "EndPossitionY"): big}),
        "coords_min.ini": ini_text({("DefaultValues", "StartPossitionX"): small,
                                    ("DefaultValues", "StartPossitionY"): small,
                                    ("DefaultValues", "EndPossitionX"): big,
                                    ("DefaultValues", "EndPossitionY"): big}),
        "range_max.ini": ini_text({("DefaultValues", "DosahScanerra"): big}),
        "empty_values.ini": ini_text({key: "" for key in [
            ("Velmora", "MessageBox"), ("TAV", "Dialogs"), ("TAV", "Bitmapa"),
            ("DefaultValues", "DosahScanerra"), ("DefaultValues", "StartPossitionX"),
            ("DefaultValues", "df_Str"), ("Vozidlo", "Dlzka")]}),
        "folder.ini": None,  # a directory
        "fifo.ini": FIFO,
        "zero.ini": DEV_ZERO,
        "bom_crlf.ini": b"\xEF\xBB\xBF" + ini_text({("DefaultValues", "DosahScanerra"): "77"}, "\r\n"),
        # As some Windows editors save it.
        "utf16le.ini": b"\xFF\xFE"
        + ini_text({("DefaultValues", "DosahScanerra"): "77"}, "\r\n").decode().encode("utf-16-le"),
        "utf16be.ini": b"\xFE\xFF" + ini_text({("DefaultValues", "DosahScanerra"): "77"}).decode().encode("utf-16-be"),
    }
    for name, value in [("0", "0"), ("minus1", "-1"), ("nan", "nan"), ("inf", "inf"),
                        ("1e30", "1e30"), ("999999999", "999999999")]:
        out["df_str_%s.ini" % name] = ini_text({("DefaultValues", "df_Str"): value})
    return out


def points():
    rng = random.Random(11)
    junk = bytes(range(0x80, 0x100)) + b"!#$%&*/:;<=>?@[]^_`{|}~"
    pairs = "".join("%.6f %.6f\n" % (rng.uniform(-300, 300), rng.uniform(-300, 300)) for _ in range(10000))
    return {
        "garbage.dat": bytes(rng.choice(junk) for _ in range(4096)),
        "many_pairs.dat": pairs.encode(),
        "huge_numbers.dat": b"1e999 -1e999\nnan 3.4e38\n-3.4e38 nan\n1e999 1e999\n5 5\n",
        "decimal_comma.dat": b"1,5 2,5\n3,5 4,5\n",
        "only_blanks.dat": b"   \n\t\t \n  \r\n   ",
        "one_number.dat": b"42",
        "folder.dat": None,  # a directory
        "fifo.dat": FIFO,
        "zero.dat": DEV_ZERO,
    }


def generate(outdir):
    """Writes the corpus; returns {"maps"|"ini"|"points": [paths]} sorted by name."""
    result = {}
    for kind, files in (("maps", maps()), ("ini", inis()), ("points", points())):
        folder = os.path.join(outdir, kind)
        os.makedirs(folder, exist_ok=True)
        result[kind] = []
        for name, data in sorted(files.items()):
            path = os.path.join(folder, name)
            if data is None:
                os.makedirs(path, exist_ok=True)
            elif isinstance(data, Special):
                data.make(path)
            else:
                with open(path, "wb") as handle:
                    handle.write(data)
            result[kind].append(path)
    return result


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    corpus = generate(sys.argv[1])
    print("%d files written to %s" % (sum(len(v) for v in corpus.values()), sys.argv[1]))
