"""A map drawn as palette indices, written as an 8-bit Windows bitmap, a palette PNG or an 8-bit
grey PGM: what the scripts that draw the sample and example maps share."""
import struct
import zlib


class PaletteMap:
    def __init__(self, width, height, palette, fill=0):
        self.width, self.height, self.palette = width, height, palette
        self.rows = [bytearray([fill]) * width for _ in range(height)]

    def rect(self, x0, y0, x1, y1, colour):
        left, right = max(x0, 0), min(x1, self.width)
        if left < right:
            for y in range(max(y0, 0), min(y1, self.height)):
                self.rows[y][left:right] = bytes([colour]) * (right - left)

    def disc(self, cx, cy, r, colour):
        for y in range(max(cy - r, 0), min(cy + r + 1, self.height)):
            for x in range(max(cx - r, 0), min(cx + r + 1, self.width)):
                if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
                    self.rows[y][x] = colour

    def write_bmp(self, path):
        palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in self.palette)
        palette += b"\0" * (4 * 256 - len(palette))
        row_size = (self.width + 3) // 4 * 4
        image = b"".join(bytes(row) + b"\0" * (row_size - self.width) for row in reversed(self.rows))
        offset = 14 + 40 + len(palette)
        header = struct.pack("<2sIHHI", b"BM", offset + len(image), 0, 0, offset)
        info = struct.pack("<IiiHHIIiiII", 40, self.width, self.height, 1, 8, 0, len(image), 3780, 3780, 256, 0)
        with open(path, "wb") as f:
            f.write(header + info + palette + image)

    def write_png(self, path):
        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))
        packer = zlib.compressobj(9)
        data = b"".join(packer.compress(b"\0" + bytes(row)) for row in self.rows) + packer.flush()
        with open(path, "wb") as f:
            f.write(b"\x89PNG\r\n\x1a\n"
                    + chunk(b"IHDR", struct.pack(">IIBBBBB", self.width, self.height, 8, 3, 0, 0, 0))
                    + chunk(b"PLTE", b"".join(bytes(colour) for colour in self.palette))
                    + chunk(b"IDAT", data)
                    + chunk(b"IEND", b""))

    def write_pgm(self, path, comment):
        """Binary 8-bit PGM, each palette colour's red level as its grey (the palette is grey)."""
        levels = bytes(colour[0] for colour in self.palette) + bytes(256 - len(self.palette))
        header = b"P5\n# %s\n%d %d\n255\n" % (comment.encode(), self.width, self.height)
        with open(path, "wb") as f:
            f.write(header + b"".join(bytes(row).translate(levels) for row in self.rows))
