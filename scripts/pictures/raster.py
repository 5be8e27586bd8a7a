"""A tiny anti-aliased vector rasteriser: polygons filled with the non-zero
rule on a supersampled RGBA canvas, then averaged down to the final size.
Standard library only, so the pictures can be redrawn on any machine."""

import math


def lerp(a, b, t):
    return a + (b - a) * t


def mix(c1, c2, t):
    return tuple(int(round(lerp(a, b, t))) for a, b in zip(c1, c2))


def ellipse(cx, cy, rx, ry, rotation=0.0, segments=72):
    cos_r, sin_r = math.cos(rotation), math.sin(rotation)
    points = []
    for i in range(segments):
        a = 2 * math.pi * i / segments
        x, y = rx * math.cos(a), ry * math.sin(a)
        points.append((cx + x * cos_r - y * sin_r, cy + x * sin_r + y * cos_r))
    return points


def circle(cx, cy, r, segments=48):
    return ellipse(cx, cy, r, r, segments=segments)


class Path:
    """Builds a polygon outline from straight and Bezier segments."""

    def __init__(self, x, y):
        self.points = [(x, y)]

    def line(self, x, y):
        self.points.append((x, y))
        return self

    def quad(self, cx, cy, x, y, steps=16):
        x0, y0 = self.points[-1]
        for i in range(1, steps + 1):
            t = i / steps
            u = 1 - t
            self.points.append((u * u * x0 + 2 * u * t * cx + t * t * x,
                                u * u * y0 + 2 * u * t * cy + t * t * y))
        return self

    def cubic(self, c1x, c1y, c2x, c2y, x, y, steps=20):
        x0, y0 = self.points[-1]
        for i in range(1, steps + 1):
            t = i / steps
            u = 1 - t
            self.points.append((u ** 3 * x0 + 3 * u * u * t * c1x + 3 * u * t * t * c2x + t ** 3 * x,
                                u ** 3 * y0 + 3 * u * u * t * c1y + 3 * u * t * t * c2y + t ** 3 * y))
        return self


def transform(points, scale=1.0, dx=0.0, dy=0.0, sx=None, sy=None):
    sx = scale if sx is None else sx
    sy = scale if sy is None else sy
    return [(x * sx + dx, y * sy + dy) for x, y in points]


def mirror(points, axis_x):
    return [(2 * axis_x - x, y) for x, y in reversed(points)]


class Canvas:
    def __init__(self, width, height, scale=4, background=None):
        self.width, self.height, self.scale = width, height, scale
        self.w, self.h = width * scale, height * scale
        if background is None:
            self.px = bytearray(self.w * self.h * 4)
        else:
            self.px = bytearray(bytes((*background, 255)) * (self.w * self.h))

    def set_image(self, image):
        """Fills the canvas from a final-size list of rows of (r, g, b)."""
        s = self.scale
        for y, row in enumerate(image):
            line = bytearray()
            for r, g, b in row:
                line += bytes((r, g, b, 255)) * s
            for sub in range(s):
                start = ((y * s + sub) * self.w) * 4
                self.px[start:start + len(line)] = line

    def fill(self, points, colour, alpha=1.0):
        """Fills a polygon given in final-size pixel coordinates."""
        s = self.scale
        edges = []
        n = len(points)
        for i in range(n):
            x0, y0 = points[i]
            x1, y1 = points[(i + 1) % n]
            x0, y0, x1, y1 = x0 * s, y0 * s, x1 * s, y1 * s
            if y0 == y1:
                continue
            direction = 1
            if y0 > y1:
                x0, y0, x1, y1 = x1, y1, x0, y0
                direction = -1
            edges.append((y0, y1, x0, (x1 - x0) / (y1 - y0), direction))
        if not edges:
            return
        edges.sort()
        first = max(0, int(math.floor(edges[0][0])))
        last = min(self.h - 1, int(math.ceil(max(e[1] for e in edges))))
        r, g, b = colour
        opaque = alpha >= 1.0
        pixel = bytes((r, g, b, 255))
        next_edge = 0
        active = []
        for row in range(first, last + 1):
            yc = row + 0.5
            while next_edge < len(edges) and edges[next_edge][0] <= yc:
                active.append(edges[next_edge])
                next_edge += 1
            active = [e for e in active if e[1] > yc]
            crossings = sorted((e[2] + (yc - e[0]) * e[3], e[4]) for e in active if e[0] <= yc)
            winding = 0
            start_x = None
            for x, d in crossings:
                before = winding
                winding += d
                if before == 0 and winding != 0:
                    start_x = x
                elif before != 0 and winding == 0:
                    a = max(0, int(math.ceil(start_x - 0.5)))
                    z = min(self.w, int(math.ceil(x - 0.5)))
                    if z > a:
                        self._span(row, a, z, pixel, r, g, b, alpha, opaque)

    def _span(self, row, a, z, pixel, r, g, b, alpha, opaque):
        base = (row * self.w + a) * 4
        if opaque:
            self.px[base:base + (z - a) * 4] = pixel * (z - a)
            return
        px = self.px
        for o in range(base, base + (z - a) * 4, 4):
            da = px[o + 3] / 255.0
            oa = alpha + da * (1 - alpha)
            if oa <= 0:
                continue
            k = da * (1 - alpha)
            px[o] = int((r * alpha + px[o] * k) / oa + 0.5)
            px[o + 1] = int((g * alpha + px[o + 1] * k) / oa + 0.5)
            px[o + 2] = int((b * alpha + px[o + 2] * k) / oa + 0.5)
            px[o + 3] = int(oa * 255 + 0.5)

    def stroke(self, points, width, colour, alpha=1.0, closed=False, caps=True):
        """Draws a polyline of the given width with round joins."""
        half = width / 2
        count = len(points) if closed else len(points) - 1
        for i in range(count):
            x0, y0 = points[i]
            x1, y1 = points[(i + 1) % len(points)]
            length = math.hypot(x1 - x0, y1 - y0)
            if length == 0:
                continue
            nx, ny = -(y1 - y0) / length * half, (x1 - x0) / length * half
            self.fill([(x0 + nx, y0 + ny), (x1 + nx, y1 + ny), (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)],
                      colour, alpha)
        joints = points if caps else points[1:-1]
        if width * self.scale >= 2:
            for x, y in joints:
                self.fill(circle(x, y, half, 16), colour, alpha)

    def pixels(self):
        """Averages the supersampled canvas down: rows of (r, g, b, a)."""
        s = self.scale
        area = s * s
        px = self.px
        rows = []
        for y in range(self.height):
            row = []
            for x in range(self.width):
                tr = tg = tb = ta = 0
                for sy in range(s):
                    o = ((y * s + sy) * self.w + x * s) * 4
                    for _ in range(s):
                        a = px[o + 3]
                        tr += px[o] * a
                        tg += px[o + 1] * a
                        tb += px[o + 2] * a
                        ta += a
                        o += 4
                if ta == 0:
                    row.append((0, 0, 0, 0))
                else:
                    row.append((int(tr / ta + 0.5), int(tg / ta + 0.5), int(tb / ta + 0.5),
                                int(ta / area + 0.5)))
            rows.append(row)
        return rows
