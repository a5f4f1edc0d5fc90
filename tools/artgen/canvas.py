"""A small RGB canvas with anti-aliased shapes, enough to paint the launcher's look.

Shapes are given as signed distance functions (negative inside); coverage of a pixel
is taken from the distance at its centre, which gives one pixel of soft edge.
"""
import math
import random
import struct


def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def mix(a, b, t):
    return (a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t, a[2] + (b[2] - a[2]) * t)


def ramp(stops, t):
    """Colour at t on a list of (position, colour) stops sorted by position."""
    t = clamp(t)
    for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
        if t <= p1:
            return mix(c0, c1, 0 if p1 == p0 else (t - p0) / (p1 - p0))
    return stops[-1][1]


def sd_round_rect(x, y, x0, y0, x1, y1, r):
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2 - r, (y1 - y0) / 2 - r
    dx, dy = abs(x - cx) - hx, abs(y - cy) - hy
    ox, oy = max(dx, 0.0), max(dy, 0.0)
    return math.hypot(ox, oy) + min(max(dx, dy), 0.0) - r


def sd_circle(x, y, cx, cy, r):
    return math.hypot(x - cx, y - cy) - r


def sd_segment(x, y, ax, ay, bx, by, half_width):
    px, py, vx, vy = x - ax, y - ay, bx - ax, by - ay
    h = clamp((px * vx + py * vy) / (vx * vx + vy * vy))
    return math.hypot(px - vx * h, py - vy * h) - half_width


def sd_diamond(x, y, cx, cy, rx, ry):
    return (abs(x - cx) / rx + abs(y - cy) / ry - 1.0) * min(rx, ry) * 0.7


class Canvas:
    def __init__(self, width, height, colour=(0, 0, 0)):
        self.w, self.h = width, height
        n = width * height
        self.r = [float(colour[0])] * n
        self.g = [float(colour[1])] * n
        self.b = [float(colour[2])] * n

    def get(self, x, y):
        i = y * self.w + x
        return (self.r[i], self.g[i], self.b[i])

    def put(self, x, y, c, a=1.0):
        if a <= 0 or not (0 <= x < self.w and 0 <= y < self.h):
            return
        i = y * self.w + x
        if a >= 1:
            self.r[i], self.g[i], self.b[i] = c
        else:
            self.r[i] += (c[0] - self.r[i]) * a
            self.g[i] += (c[1] - self.g[i]) * a
            self.b[i] += (c[2] - self.b[i]) * a

    def add(self, x, y, c, a):
        if a <= 0 or not (0 <= x < self.w and 0 <= y < self.h):
            return
        i = y * self.w + x
        self.r[i] += c[0] * a
        self.g[i] += c[1] * a
        self.b[i] += c[2] * a

    def shape(self, box, sdf, colour, alpha=1.0):
        """Fills where sdf < 0 inside box (x0, y0, x1, y1); colour(x, y, d) or a tuple."""
        x0, y0, x1, y1 = (int(math.floor(v)) for v in box)
        for y in range(max(0, y0 - 1), min(self.h, y1 + 2)):
            for x in range(max(0, x0 - 1), min(self.w, x1 + 2)):
                d = sdf(x + 0.5, y + 0.5)
                a = clamp(0.5 - d)
                if a > 0:
                    c = colour(x, y, d) if callable(colour) else colour
                    self.put(x, y, c, a * alpha)

    def band(self, box, sdf, width, colour, alpha=1.0):
        """A border of the given width inside the shape; colour(t, x, y) with t from 0 at
        the outer edge to 1 at the inner one."""
        x0, y0, x1, y1 = (int(math.floor(v)) for v in box)
        for y in range(max(0, y0 - 1), min(self.h, y1 + 2)):
            for x in range(max(0, x0 - 1), min(self.w, x1 + 2)):
                d = sdf(x + 0.5, y + 0.5)
                a = clamp(0.5 - d) * clamp(0.5 + d + width)
                if a > 0:
                    self.put(x, y, colour(clamp(-d / width), x, y), a * alpha)

    def glow(self, cx, cy, radius, colour, strength, box=None):
        x0, y0, x1, y1 = box or (cx - radius, cy - radius, cx + radius, cy + radius)
        for y in range(max(0, int(y0)), min(self.h, int(y1) + 1)):
            for x in range(max(0, int(x0)), min(self.w, int(x1) + 1)):
                t = 1.0 - math.hypot(x + 0.5 - cx, y + 0.5 - cy) / radius
                if t > 0:
                    self.add(x, y, colour, strength * t * t)

    def crop(self, x0, y0, w, h):
        out = Canvas(w, h)
        for y in range(h):
            for x in range(w):
                out.put(x, y, self.get(x0 + x, y0 + y))
        return out

    def paste(self, other, x0, y0):
        for y in range(other.h):
            for x in range(other.w):
                self.put(x0 + x, y0 + y, other.get(x, y))

    def bmp(self):
        """The picture as a 24-bit BMP file."""
        stride = (self.w * 3 + 3) & ~3
        rows = []
        for y in range(self.h - 1, -1, -1):
            row = bytearray()
            for x in range(self.w):
                i = y * self.w + x
                row += bytes((int(clamp(self.b[i], 0, 255) + 0.5), int(clamp(self.g[i], 0, 255) + 0.5),
                              int(clamp(self.r[i], 0, 255) + 0.5)))
            row += b"\0" * (stride - len(row))
            rows.append(bytes(row))
        data = b"".join(rows)
        header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
        info = struct.pack("<IiiHHIIiiII", 40, self.w, self.h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
        return header + info + data


class Noise:
    """Smooth value noise over a grid of random values, for stone-like texture."""

    def __init__(self, seed, cell):
        self.rng = random.Random(seed)
        self.cell = cell
        self.values = {}

    def _at(self, i, j):
        key = (i, j)
        if key not in self.values:
            self.values[key] = self.rng.random()
        return self.values[key]

    def __call__(self, x, y):
        fx, fy = x / self.cell, y / self.cell
        i, j = int(math.floor(fx)), int(math.floor(fy))
        tx, ty = fx - i, fy - j
        tx, ty = tx * tx * (3 - 2 * tx), ty * ty * (3 - 2 * ty)
        a = self._at(i, j) + (self._at(i + 1, j) - self._at(i, j)) * tx
        b = self._at(i, j + 1) + (self._at(i + 1, j + 1) - self._at(i, j + 1)) * tx
        return a + (b - a) * ty


def ico(images):
    """An .ico file from (size, rgba rows top-first) pairs, 32-bit pixels with alpha."""
    entries, blobs = [], []
    offset = 6 + 16 * len(images)
    for size, pixels in images:
        xor = bytearray()
        for y in range(size - 1, -1, -1):
            for x in range(size):
                r, g, b, a = pixels[y * size + x]
                xor += bytes((b, g, r, a))
        mask_stride = ((size + 31) // 32) * 4
        mask = bytearray()
        for y in range(size - 1, -1, -1):
            row = bytearray(mask_stride)
            for x in range(size):
                if pixels[y * size + x][3] == 0:
                    row[x // 8] |= 0x80 >> (x % 8)
            mask += row
        info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
        blob = info + bytes(xor) + bytes(mask)
        entries.append(struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(blob), offset))
        blobs.append(blob)
        offset += len(blob)
    return struct.pack("<HHH", 0, 1, len(images)) + b"".join(entries) + b"".join(blobs)
