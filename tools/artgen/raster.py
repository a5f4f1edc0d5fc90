"""Shapes and strips for the skin pictures, over the window pictures' canvas.

A shape is a signed-distance function of a pixel centre (negative inside) that also
carries its bounding box, so shapes combine (union, subtract) and fill without
repeating boxes. Paints are a colour or a function (x, y) -> colour of the pixel
centre. Soft one-pixel edges keep the pictures clean when Windows scales them to 150 %.
"""

import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import canvas  # noqa: E402

FUCHSIA = (255, 0, 255)


def mix(a, b, t):
    t = 0.0 if t < 0 else 1.0 if t > 1 else t
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def hexrgb(text):
    v = int(text.lstrip("#"), 16)
    return ((v >> 16) & 255, (v >> 8) & 255, v & 255)


def vertical(top_colour, bottom_colour, y0, y1):
    """A paint that runs from top_colour at row y0 to bottom_colour at row y1."""
    span = max(1e-6, y1 - y0)
    return lambda x, y: mix(top_colour, bottom_colour, (y - y0) / span)


def stops(points, y0, y1):
    """A vertical paint through several (position 0-1, colour) stops."""
    span = max(1e-6, y1 - y0)

    def paint(x, y):
        t = (y - y0) / span
        for (ta, ca), (tb, cb) in zip(points, points[1:]):
            if t <= tb:
                return mix(ca, cb, (t - ta) / max(1e-6, tb - ta))
        return points[-1][1]

    return paint


# ---- signed distances (pixel centres are at x + 0.5, y + 0.5)


def rounded_rect(x0, y0, x1, y1, r):
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2 - r, (y1 - y0) / 2 - r

    def d(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        outside = math.hypot(max(qx, 0), max(qy, 0))
        return outside + min(max(qx, qy), 0) - r

    d.box = (x0, y0, x1, y1)
    return d


def circle(cx, cy, r):
    d = lambda x, y: math.hypot(x - cx, y - cy) - r
    d.box = (cx - r, cy - r, cx + r, cy + r)
    return d


def ring(cx, cy, r, width):
    d = lambda x, y: abs(math.hypot(x - cx, y - cy) - r) - width / 2
    d.box = (cx - r - width, cy - r - width, cx + r + width, cy + r + width)
    return d


def segment(ax, ay, bx, by, width):
    """A line of the given width with round ends."""
    dx, dy = bx - ax, by - ay
    ll = dx * dx + dy * dy or 1e-9

    def d(x, y):
        t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / ll))
        return math.hypot(x - ax - t * dx, y - ay - t * dy) - width / 2

    w = width
    d.box = (min(ax, bx) - w, min(ay, by) - w, max(ax, bx) + w, max(ay, by) + w)
    return d


def polygon(points):
    """A convex or concave polygon, points in order."""
    n = len(points)

    def d(x, y):
        best = float("inf")
        inside = False
        for i in range(n):
            ax, ay = points[i]
            bx, by = points[(i + 1) % n]
            ex, ey = bx - ax, by - ay
            ll = ex * ex + ey * ey or 1e-9
            t = max(0.0, min(1.0, ((x - ax) * ex + (y - ay) * ey) / ll))
            best = min(best, math.hypot(x - ax - t * ex, y - ay - t * ey))
            if (ay > y) != (by > y) and x < ax + (y - ay) * ex / (ey or 1e-9):
                inside = not inside
        return -best if inside else best

    xs, ys = [p[0] for p in points], [p[1] for p in points]
    d.box = (min(xs), min(ys), max(xs), max(ys))
    return d


def union(*shapes):
    d = lambda x, y: min(s(x, y) for s in shapes)
    d.box = (min(s.box[0] for s in shapes), min(s.box[1] for s in shapes),
             max(s.box[2] for s in shapes), max(s.box[3] for s in shapes))
    return d


def polyline(points, width):
    return union(*(segment(*a, *b, width) for a, b in zip(points, points[1:])))


def arc(cx, cy, r, start_deg, end_deg, width, steps=24):
    """An arc drawn clockwise on screen (y down) from start_deg to end_deg."""
    pts = []
    for i in range(steps + 1):
        a = math.radians(start_deg + (end_deg - start_deg) * i / steps)
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return polyline(pts, width)


def subtract(a, b):
    d = lambda x, y: max(a(x, y), -b(x, y))
    d.box = a.box
    return d


def inset(shape, by):
    d = lambda x, y: shape(x, y) + by
    d.box = shape.box
    return d


class Canvas(canvas.Canvas):
    """The window pictures' canvas, starting fuchsia, with shapes that carry their box."""

    def __init__(self, width, height, background=FUCHSIA):
        super().__init__(width, height, background)
        self.width, self.height = width, height

    def fill(self, shape, paint, alpha=1.0):
        """Covers shape with paint, blending the soft edge over what is there."""
        colour = (lambda x, y, d: paint(x + 0.5, y + 0.5)) if callable(paint) else paint
        self.shape(shape.box, shape, colour, alpha)

    def rect(self, x0, y0, x1, y1, paint):
        """Hard-edged rectangle of whole pixels [x0, x1) x [y0, y1)."""
        for y in range(max(0, y0), min(self.h, y1)):
            for x in range(max(0, x0), min(self.w, x1)):
                self.put(x, y, paint(x + 0.5, y + 0.5) if callable(paint) else paint)

    def tint(self, x, y, colour, amount):
        self.put(x, y, colour, amount)

    def cut_outside(self, shape, matte):
        """Pixels fully outside shape become fuchsia; its soft edge is blended over
        matte (the colour the picture will usually stand on) so no pink fringe shows."""
        for y in range(self.h):
            for x in range(self.w):
                cover = 0.5 - shape(x + 0.5, y + 0.5)
                if cover <= 0:
                    self.put(x, y, FUCHSIA)
                elif cover < 1:
                    self.put(x, y, mix(matte, self.get(x, y), cover))

    def save(self, path):
        with open(path, "wb") as f:
            f.write(self.bmp())


def strip(frames):
    """Frames of equal height side by side, left to right."""
    out = Canvas(sum(f.width for f in frames), frames[0].height)
    left = 0
    for f in frames:
        out.paste(f, left, 0)
        left += f.width
    return out
