# SPDX-License-Identifier: GPL-3.0-or-later
"""A tiny raster canvas for drawing the program's pictures: filled polygons (and the shapes built
from them) drawn at a multiple of the final size and averaged down, so edges come out smooth
without any library beyond Python's own. PNG output through zlib."""
import math
import struct
import zlib


class Canvas:
    """RGBA pixels, drawn at `scale` times the final size. Coordinates given to the drawing
    calls are in final pixels (fractions allowed)."""

    def __init__(self, width, height, background=(0, 0, 0, 0), scale=4):
        self.width, self.height, self.scale = width, height, scale
        self.w, self.h = width * scale, height * scale
        bg = _rgba(background)
        self.px = [[list(bg) for _ in range(self.w)] for _ in range(self.h)]
        self.clip = None  # (x0, y0, x1, y1) in final pixels, or None

    def set_clip(self, x0, y0, x1, y1):
        self.clip = (x0, y0, x1, y1)

    def clear_clip(self):
        self.clip = None

    # -- primitives ---------------------------------------------------------------------------
    def polygon(self, points, colour):
        """Fills a polygon (even-odd rule) with an RGB or RGBA colour, or with a pair of them
        (top, bottom) for a vertical gradient over the polygon's height."""
        gradient = isinstance(colour, (list, tuple)) and isinstance(colour[0], (list, tuple))
        c = None if gradient else _rgba(colour)
        s = self.scale
        pts = [(x * s, y * s) for x, y in points]
        if len(pts) < 3:
            return
        ys = [p[1] for p in pts]
        y_from = max(0, int(math.floor(min(ys))))
        y_to = min(self.h - 1, int(math.ceil(max(ys))))
        x_lo, x_hi = 0, self.w - 1
        if self.clip:
            x_lo = max(x_lo, int(round(self.clip[0] * s)))
            x_hi = min(x_hi, int(round(self.clip[2] * s)) - 1)
            y_from = max(y_from, int(round(self.clip[1] * s)))
            y_to = min(y_to, int(round(self.clip[3] * s)) - 1)
        edges = list(zip(pts, pts[1:] + pts[:1]))
        for y in range(y_from, y_to + 1):
            cy = y + 0.5
            xs = []
            for (x0, y0), (x1, y1) in edges:
                if (y0 <= cy < y1) or (y1 <= cy < y0):
                    xs.append(x0 + (cy - y0) * (x1 - x0) / (y1 - y0))
            xs.sort()
            if gradient:
                f = (cy - min(ys)) / max(1e-9, max(ys) - min(ys))
                t, b = _rgba(colour[0]), _rgba(colour[1])
                c = [t[i] + (b[i] - t[i]) * f for i in range(4)]
            row = self.px[y]
            for i in range(0, len(xs) - 1, 2):
                a = max(x_lo, int(math.ceil(xs[i] - 0.5)))
                b = min(x_hi, int(math.floor(xs[i + 1] - 0.5)))
                for x in range(a, b + 1):
                    _blend(row[x], c)

    def rect(self, x0, y0, x1, y1, colour):
        self.polygon([(x0, y0), (x1, y0), (x1, y1), (x0, y1)], colour)

    def vgradient(self, x0, y0, x1, y1, top, bottom):
        """A rectangle whose colour runs from `top` to `bottom`."""
        s = self.scale
        t, b = _rgba(top), _rgba(bottom)
        ya, yb = int(round(y0 * s)), int(round(y1 * s))
        xa, xb = max(0, int(round(x0 * s))), min(self.w, int(round(x1 * s)))
        for y in range(max(0, ya), min(self.h, yb)):
            f = (y - ya + 0.5) / max(1, yb - ya)
            c = [t[i] + (b[i] - t[i]) * f for i in range(4)]
            row = self.px[y]
            for x in range(xa, xb):
                _blend(row[x], c)

    def ellipse(self, cx, cy, rx, ry, colour, segments=72):
        self.polygon(ellipse_points(cx, cy, rx, ry, segments), colour)

    def circle(self, cx, cy, r, colour):
        self.ellipse(cx, cy, r, r, colour)

    def ring(self, cx, cy, r_out, r_in, colour, segments=72):
        outer = ellipse_points(cx, cy, r_out, r_out, segments)
        inner = ellipse_points(cx, cy, r_in, r_in, segments)
        # Outer and inner outlines joined by a seam: the even-odd rule leaves the hole open.
        self.polygon(outer + [outer[0]] + inner[::-1] + [inner[-1]], colour)

    def line(self, x0, y0, x1, y1, width, colour):
        dx, dy = x1 - x0, y1 - y0
        length = math.hypot(dx, dy) or 1.0
        nx, ny = -dy / length * width / 2, dx / length * width / 2
        self.polygon([(x0 + nx, y0 + ny), (x1 + nx, y1 + ny), (x1 - nx, y1 - ny),
                      (x0 - nx, y0 - ny)], colour)

    def polyline(self, points, width, colour, round_joints=True):
        for a, b in zip(points, points[1:]):
            self.line(a[0], a[1], b[0], b[1], width, colour)
        if round_joints:
            for p in points:
                self.circle(p[0], p[1], width / 2, colour)

    def star(self, cx, cy, r_out, r_in, colour, points=5, rotation=-90):
        pts = []
        for i in range(points * 2):
            r = r_out if i % 2 == 0 else r_in
            a = math.radians(rotation + i * 180.0 / points)
            pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
        self.polygon(pts, colour)

    def rounded_rect(self, x0, y0, x1, y1, r, colour):
        self.polygon(rounded_rect_points(x0, y0, x1, y1, r), colour)

    def text(self, x, y, message, size, colour, spacing=1):
        """Block letters of the 5 x 7 font, each font pixel `size` pixels square."""
        for ch in message:
            glyph = FONT.get(ch.upper(), FONT[" "])
            for gy, row in enumerate(glyph):
                for gx, bit in enumerate(row):
                    if bit == "#":
                        self.rect(x + gx * size, y + gy * size, x + (gx + 1) * size,
                                  y + (gy + 1) * size, colour)
            x += (len(glyph[0]) + spacing) * size

    def noise(self, amount, seed):
        """Shifts each (drawn) pixel's brightness by a steady pseudo-random amount."""
        state = seed
        for row in self.px:
            for p in row:
                state = (state * 1103515245 + 12345) & 0x7FFFFFFF
                d = ((state >> 8) % (2 * amount + 1)) - amount
                for i in range(3):
                    p[i] = min(255.0, max(0.0, p[i] + d))

    # -- output -------------------------------------------------------------------------------
    def pixels(self):
        """Final pixels, averaged down from the drawing scale, as RGBA bytes per row."""
        s = self.scale
        out = []
        n = s * s
        for y in range(self.height):
            row = []
            for x in range(self.width):
                acc = [0.0, 0.0, 0.0, 0.0]
                for sy in range(y * s, y * s + s):
                    src = self.px[sy]
                    for sx in range(x * s, x * s + s):
                        r, g, b, a = src[sx]
                        acc[0] += r * a
                        acc[1] += g * a
                        acc[2] += b * a
                        acc[3] += a
                if acc[3] > 0:
                    row.append((acc[0] / acc[3], acc[1] / acc[3], acc[2] / acc[3], acc[3] / n))
                else:
                    row.append((0.0, 0.0, 0.0, 0.0))
            out.append(row)
        return out


def _rgba(c):
    if len(c) == 3:
        return [float(c[0]), float(c[1]), float(c[2]), 1.0]
    return [float(c[0]), float(c[1]), float(c[2]), float(c[3])]


def _blend(dst, c):
    a = c[3]
    if a >= 1.0:
        dst[0], dst[1], dst[2], dst[3] = c[0], c[1], c[2], 1.0
        return
    out_a = a + dst[3] * (1 - a)
    if out_a <= 0:
        return
    for i in range(3):
        dst[i] = (c[i] * a + dst[i] * dst[3] * (1 - a)) / out_a
    dst[3] = out_a


def ellipse_points(cx, cy, rx, ry, segments=72):
    return [(cx + rx * math.cos(2 * math.pi * i / segments),
             cy + ry * math.sin(2 * math.pi * i / segments)) for i in range(segments)]


def rounded_rect_points(x0, y0, x1, y1, r, steps=8):
    pts = []
    corners = [(x1 - r, y0 + r, -90), (x1 - r, y1 - r, 0), (x0 + r, y1 - r, 90),
               (x0 + r, y0 + r, 180)]
    for cx, cy, start in corners:
        for i in range(steps + 1):
            a = math.radians(start + 90.0 * i / steps)
            pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return pts


def flatten(pixels, background):
    """Puts pixels with partial cover onto an opaque background colour."""
    bg = background
    return [[(r * a + bg[0] * (1 - a), g * a + bg[1] * (1 - a), b * a + bg[2] * (1 - a), 1.0)
             for r, g, b, a in row] for row in pixels]


def hard_edges(pixels, background):
    """Pixels at least half covered take their full colour, the others the background exactly:
    for pictures whose background colour is cut away, so no half-tone fringe is left."""
    return [[(r, g, b, 1.0) if a >= 0.5 else (background[0], background[1], background[2], 1.0)
             for r, g, b, a in row] for row in pixels]


def write_png(path, pixels, alpha=True):
    height, width = len(pixels), len(pixels[0])
    raw = bytearray()
    for row in pixels:
        raw.append(0)
        for r, g, b, a in row:
            px = [int(round(r)), int(round(g)), int(round(b))]
            if alpha:
                px.append(int(round(a * 255)))
            raw.extend(max(0, min(255, v)) for v in px)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    colour_type = 6 if alpha else 2
    header = struct.pack(">IIBBBBB", width, height, 8, colour_type, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", header))
        f.write(chunk(b"IDAT", zlib.compress(bytes(raw), 9)))
        f.write(chunk(b"IEND", b""))


# 5 x 7 block letters.
_FONT_ROWS = {
    "A": [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "B": ["####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."],
    "C": [".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."],
    "D": ["####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."],
    "E": ["#####", "#....", "#....", "####.", "#....", "#....", "#####"],
    "F": ["#####", "#....", "#....", "####.", "#....", "#....", "#...."],
    "G": [".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".####"],
    "H": ["#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "I": ["###", ".#.", ".#.", ".#.", ".#.", ".#.", "###"],
    "J": ["..###", "...#.", "...#.", "...#.", "...#.", "#..#.", ".##.."],
    "K": ["#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"],
    "L": ["#....", "#....", "#....", "#....", "#....", "#....", "#####"],
    "M": ["#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"],
    "N": ["#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"],
    "O": [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "P": ["####.", "#...#", "#...#", "####.", "#....", "#....", "#...."],
    "Q": [".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"],
    "R": ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    "S": [".####", "#....", "#....", ".###.", "....#", "....#", "####."],
    "T": ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."],
    "U": ["#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "V": ["#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."],
    "W": ["#...#", "#...#", "#...#", "#.#.#", "#.#.#", "#.#.#", ".#.#."],
    "X": ["#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"],
    "Y": ["#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.."],
    "Z": ["#####", "....#", "...#.", "..#..", ".#...", "#....", "#####"],
    "0": [".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."],
    "1": ["..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."],
    "2": [".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"],
    "3": ["####.", "....#", "....#", ".###.", "....#", "....#", "####."],
    "4": ["...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."],
    "5": ["#####", "#....", "####.", "....#", "....#", "#...#", ".###."],
    "6": [".###.", "#....", "#....", "####.", "#...#", "#...#", ".###."],
    "7": ["#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."],
    "8": [".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."],
    "9": [".###.", "#...#", "#...#", ".####", "....#", "....#", ".###."],
    "?": [".###.", "#...#", "....#", "...#.", "..#..", ".....", "..#.."],
    "-": [".....", ".....", ".....", "####.", ".....", ".....", "....."],
    ".": [".", ".", ".", ".", ".", ".", "#"],
    " ": ["...", "...", "...", "...", "...", "...", "..."],
}
FONT = _FONT_ROWS


def text_width(message, size, spacing=1):
    total = 0
    for ch in message:
        glyph = FONT.get(ch.upper(), FONT[" "])
        total += (len(glyph[0]) + spacing) * size
    return total - spacing * size
