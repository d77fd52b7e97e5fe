#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Draws the program's pictures (bitmaps, the hand cursor and the window icon) at the sizes the
program shows them and writes them as PNG files, and the desktop icon in the sizes of the icon
theme plus as SVG: tools/pictures/make_pictures.py [OUTPUT_DIR [ICON_DIR]]
(default src/resources/ui/pictures and data/icons). Only Python's standard library is used; the
output is committed, so building the program never runs this."""
import math
import os
import sys

from raster import Canvas, flatten, hard_edges, rounded_rect_points, text_width, write_png
from svg import SvgCanvas
import flags

HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_OUT = os.path.join(HERE, "..", "..", "src", "resources", "ui", "pictures")
DEFAULT_ICONS = os.path.join(HERE, "..", "..", "data", "icons")
DESKTOP_ICON_SIZES = (16, 32, 48, 64, 128, 256)


# -- picture buttons ----------------------------------------------------------------------------
def button(top, bottom, border, symbol, symbol_colour):
    c = Canvas(63, 15, scale=4)
    c.rounded_rect(0, 0, 63, 15, 3.5, border)
    c.rounded_rect(1, 1, 62, 14, 2.6, (top, bottom))
    c.rounded_rect(2.5, 1.6, 60.5, 7.5, 2, ((255, 255, 255, 0.4), (255, 255, 255, 0.05)))
    if symbol == "check":
        pts = [(27, 7.8), (30.2, 11), (36.5, 4)]
        c.polyline([(x + 0.6, y + 0.7) for x, y in pts], 2.4, (0, 0, 0, 0.35))
        c.polyline(pts, 2.4, symbol_colour)
    else:
        strokes = (((28, 3.8), (35, 11.2)), ((35, 3.8), (28, 11.2)))
        for a, b in strokes:
            c.line(a[0] + 0.6, a[1] + 0.7, b[0] + 0.6, b[1] + 0.7, 2.4, (0, 0, 0, 0.35))
        for a, b in strokes:
            c.line(a[0], a[1], b[0], b[1], 2.4, symbol_colour)
    return c.pixels()


# -- the skin's tile and the blank panel --------------------------------------------------------
def tile():
    c = Canvas(30, 27, (60, 60, 62), scale=1)
    state = 20240611
    for y in range(27):
        state = (state * 1103515245 + 12345) & 0x7FFFFFFF
        streak = ((state >> 10) % 9) - 4
        for x in range(30):
            state = (state * 1103515245 + 12345) & 0x7FFFFFFF
            d = streak + ((state >> 9) % 13) - 6
            p = c.px[y][x]
            for i in range(3):
                p[i] = max(0.0, min(255.0, p[i] + d))
    return c.pixels()


def blank_panel():
    c = Canvas(581, 129, (64, 64, 64), scale=1)
    c.vgradient(0, 0, 581, 129, (74, 74, 76), (46, 46, 48))
    c.rect(0, 0, 581, 1, (128, 128, 128))
    c.rect(0, 0, 1, 129, (128, 128, 128))
    c.rect(0, 128, 581, 129, (24, 24, 24))
    c.rect(580, 0, 581, 129, (24, 24, 24))
    return c.pixels()


# -- team pictures ------------------------------------------------------------------------------
TEAMS = [
    # id, name, width, height, body, accent, livery, number, background tint
    (105, "BRABHAM", 165, 140, (0, 98, 52), (226, 178, 36), "spine", "1", (24, 52, 34)),
    (106, "BRM", 165, 140, (22, 72, 42), (242, 122, 24), "noseband", "3", (40, 44, 34)),
    (107, "COOPER", 70, 67, (14, 84, 48), (240, 240, 240), "twin", "4", (28, 40, 46)),
    (108, "EAGLE", 165, 140, (22, 44, 128), (236, 236, 236), "spine", "9", (26, 32, 56)),
    (109, "FERRARI", 165, 140, (204, 22, 20), (252, 214, 0), "none", "8", (58, 24, 22)),
    (110, "LOTUS", 165, 140, (0, 86, 46), (246, 212, 20), "spine", "5", (30, 50, 30)),
    (111, "HONDA", 108, 67, (246, 244, 234), (210, 20, 32), "noseband", "7", (44, 44, 48)),
]


def draw_car(c, left, ground, length, body, accent, livery, number, helmet=(250, 250, 250)):
    """A 1967 Grand Prix car from the side, facing right."""
    def p(x, y):
        return (left + x * length, ground - y * length)

    shape = [(0.03, 0.10), (0.03, 0.165), (0.14, 0.185), (0.30, 0.20), (0.42, 0.215),
             (0.45, 0.235), (0.58, 0.225), (0.74, 0.19), (0.90, 0.155), (0.975, 0.135),
             (1.0, 0.115), (0.99, 0.085), (0.93, 0.065), (0.70, 0.055), (0.25, 0.05),
             (0.08, 0.065)]
    # Shadow on the ground.
    c.ellipse(left + 0.5 * length, ground + 0.005 * length, 0.52 * length, 0.03 * length,
              (0, 0, 0, 0.45))
    # Exhaust pipes and engine behind the cockpit.
    c.line(*p(0.12, 0.16), *p(0.34, 0.205), 0.018 * length, (150, 150, 150))
    c.line(*p(0.02, 0.14), *p(0.14, 0.165), 0.02 * length, (120, 120, 120))
    c.polygon([p(x, y) for x, y in shape], body)
    # Darker underside for a rounded look.
    lower = [(0.03, 0.10), (0.08, 0.065), (0.25, 0.05), (0.70, 0.055), (0.93, 0.065),
             (0.99, 0.085), (0.97, 0.095), (0.70, 0.085), (0.25, 0.08)]
    c.polygon([p(x, y) for x, y in lower], (0, 0, 0, 0.28))
    if livery == "spine":
        c.polygon([p(x, y) for x, y in [(0.58, 0.215), (0.74, 0.18), (0.90, 0.147),
                                          (0.975, 0.128), (0.98, 0.118), (0.90, 0.132),
                                          (0.74, 0.163), (0.58, 0.198)]], accent)
        c.polygon([p(x, y) for x, y in [(0.14, 0.178), (0.30, 0.192), (0.40, 0.205),
                                          (0.40, 0.19), (0.30, 0.178), (0.14, 0.165)]], accent)
    elif livery == "noseband":
        c.polygon([p(x, y) for x, y in [(0.90, 0.157), (0.975, 0.137), (1.0, 0.115),
                                          (0.99, 0.085), (0.93, 0.064), (0.90, 0.062)]], accent)
    elif livery == "twin":
        for off in (0.0, 0.022):
            c.polygon([p(x, y - off) for x, y in [(0.58, 0.215), (0.90, 0.148), (0.97, 0.128),
                                                    (0.97, 0.118), (0.90, 0.137),
                                                    (0.58, 0.205)]], accent)
    # Number roundel.
    rx, ry = p(0.66, 0.135)
    r = 0.045 * length
    c.circle(rx, ry, r, (250, 250, 250))
    size = max(0.35, r * 1.25 / 7)
    tw = text_width(number, size)
    c.text(rx - tw / 2, ry - 3.5 * size, number, size, (20, 20, 20))
    # Driver, roll hoop and screen.
    c.line(*p(0.435, 0.215), *p(0.445, 0.285), 0.014 * length, (170, 170, 170))
    hx, hy = p(0.505, 0.27)
    c.circle(hx, hy, 0.046 * length, helmet)
    c.rounded_rect(hx + 0.012 * length, hy - 0.016 * length, hx + 0.05 * length, hy + 0.004 * length,
                   0.008 * length, (40, 40, 60))
    c.polygon([p(x, y) for x, y in [(0.575, 0.225), (0.605, 0.285), (0.625, 0.282),
                                      (0.615, 0.218)]], (190, 220, 240, 0.75))
    # Wheels: tyre, rim and hub.
    for (wx, wy, wr) in ((0.17, 0.115, 0.115), (0.83, 0.095, 0.095)):
        cx, cy = p(wx, wy)
        c.circle(cx, cy, wr * length, (22, 22, 22))
        c.circle(cx, cy, wr * length * 0.92, (38, 38, 38))
        c.circle(cx, cy, wr * length * 0.55, (175, 175, 180))
        c.circle(cx, cy, wr * length * 0.42, (120, 120, 126))
        c.circle(cx, cy, wr * length * 0.15, (210, 210, 214))


def team_picture(name, width, height, body, accent, livery, number, tint):
    c = Canvas(width, height, (30, 30, 30), scale=3)
    c.vgradient(0, 0, width, height, tuple(min(255, v + 30) for v in tint), tint)
    c.rect(0, 0, width, 1, (150, 150, 150))
    c.rect(0, 0, 1, height, (150, 150, 150))
    c.rect(0, height - 1, width, height, (10, 10, 10))
    c.rect(width - 1, 0, width, height, (10, 10, 10))
    units = text_width(name, 1)
    size = min(4.0, (width - 12) / units, height * 0.26 / 7)
    tx = (width - units * size) / 2
    ty = max(4, height * 0.07)
    c.text(tx + size * 0.4, ty + size * 0.4, name, size, (0, 0, 0, 0.55))
    c.text(tx, ty, name, size, accent if livery != "none" else (252, 214, 0))
    # The track: asphalt with a kerb along the bottom edge.
    length = width * 0.88
    car_height = 0.30 * length
    top = ty + 7 * size + size
    ground = top + (height - top - 3 - car_height) / 2 + car_height
    ground = min(ground, height - 3)
    c.vgradient(1, ground - 0.05 * length, width - 1, height - 1, (70, 70, 74), (44, 44, 48))
    kerb = max(2.0, height * 0.035)
    block = kerb * 3
    x = 1.0
    i = 0
    while x < width - 1:
        c.rect(x, height - 1 - kerb, min(x + block, width - 1), height - 1,
               (220, 30, 30) if i % 2 == 0 else (240, 240, 240))
        x += block
        i += 1
    draw_car(c, (width - length) / 2, ground, length, body, accent, livery, number)
    return flatten(c.pixels(), (0, 0, 0))


# -- help book, About picture, icon, cursor -----------------------------------------------------
def help_book():
    c = Canvas(32, 31, (0, 0, 0, 0), scale=4)
    navy = (18, 32, 84)
    # Pages, seen past the cover on the right and at the bottom.
    c.rect(7, 4, 29, 29, navy)
    c.rect(8, 5, 28, 28, (246, 238, 214))
    for y in (26, 27):
        c.rect(9, y, 28, y + 0.5, (200, 190, 160))
    # Cover and spine.
    c.rect(3, 1, 26, 27, navy)
    c.rect(4, 2, 25, 26, (38, 84, 180))
    c.vgradient(4, 2, 25, 26, (58, 110, 210), (28, 64, 150))
    c.rect(4, 2, 7, 26, (20, 48, 120))
    c.rect(7, 2, 7.6, 26, (120, 150, 220))
    # The question mark.
    c.text(11.5 + 0.5, 7 + 0.5, "?", 2, (10, 20, 60))
    c.text(11.5, 7, "?", 2, (255, 214, 40))
    return hard_edges(c.pixels(), (255, 255, 255))


def about_picture():
    c = Canvas(100, 61, (20, 20, 20), scale=3)
    c.vgradient(0, 0, 100, 61, (70, 74, 80), (22, 22, 26))
    # A chequered flag on its pole, upper left.
    c.line(8, 4, 8, 30, 1.2, (200, 200, 200))
    for row in range(4):
        for col in range(6):
            x = 8.6 + col * 3.2
            wave = math.sin(col * 0.9) * 1.2
            colour = (245, 245, 245) if (row + col) % 2 == 0 else (15, 15, 15)
            c.polygon([(x, 4 + row * 3 + wave), (x + 3.2, 4 + row * 3 + math.sin((col + 1) * 0.9) * 1.2),
                       (x + 3.2, 7 + row * 3 + math.sin((col + 1) * 0.9) * 1.2),
                       (x, 7 + row * 3 + wave)], colour)
    draw_car(c, 30, 38, 64, (204, 22, 20), (252, 214, 0), "none", "1")
    c.text(9 + 0.6, 45 + 0.6, "MOVRAND", 2, (0, 0, 0, 0.6))
    c.text(9, 45, "MOVRAND", 2, (236, 236, 236))
    return flatten(c.pixels(), (0, 0, 0))


def icon(size):
    # Large icons are smooth enough at a finer drawing grid of 2.
    c = Canvas(size, size, (0, 0, 0, 0), scale=4 if size <= 64 else 2)
    draw_icon(c, size)
    return c.pixels()


def draw_icon(c, size):
    k = size / 32.0
    c.rounded_rect(0.5 * k, 0.5 * k, 31.5 * k, 31.5 * k, 6 * k, (12, 60, 20))
    c.rounded_rect(1.5 * k, 1.5 * k, 30.5 * k, 30.5 * k, 5 * k, ((90, 196, 84), (18, 104, 28)))
    if size >= 24:
        # A chequered band across the top, the letter below it.
        squares = 6
        w = 27 * k / squares
        for i in range(squares):
            for j in range(2):
                colour = (250, 250, 250) if (i + j) % 2 == 0 else (20, 20, 20)
                c.rect(2.5 * k + i * w, 3.5 * k + j * w * 0.7, 2.5 * k + (i + 1) * w,
                       3.5 * k + (j + 1) * w * 0.7, colour)
        letter, top = 2.4 * k, 12 * k
    else:
        letter, top = 1.6, 2.6
    lw = text_width("M", letter)
    shadow = max(0.5, 0.6 * k)
    c.text((size - lw) / 2 + shadow, top + shadow, "M", letter, (0, 0, 0, 0.5))
    c.text((size - lw) / 2, top, "M", letter, (255, 255, 255))


CURSOR_HOT_SPOT = (12, 1)


def cursor():
    """A pointing hand, the tip of the index finger at the hot spot (12, 1)."""
    c = Canvas(32, 32, (0, 0, 0, 0), scale=4)
    white = (255, 255, 255)
    shapes = [
        rounded_rect_points(10.5, 1.5, 15.5, 18, 2.5),   # index finger
        rounded_rect_points(15, 9.5, 19.5, 19, 2.2),     # middle finger
        rounded_rect_points(19, 10.5, 23.5, 19, 2.2),    # ring finger
        rounded_rect_points(23, 12, 27.2, 20, 2.1),      # little finger
        rounded_rect_points(10.5, 14, 27.2, 26, 4),      # palm
        [(11.5, 17.5), (7.5, 13.8), (5.2, 14.4), (4.6, 16.4), (10, 24.5), (13, 25)],  # thumb
        rounded_rect_points(12.5, 23, 25.5, 30.5, 1.2),  # wrist
    ]
    for s in shapes:
        c.polygon(s, white)
    mask = [[a >= 0.5 for (_, _, _, a) in row] for row in c.pixels()]
    out = []
    for y in range(32):
        row = []
        for x in range(32):
            if mask[y][x]:
                row.append((255, 255, 255, 1.0))
            elif any(0 <= y + dy < 32 and 0 <= x + dx < 32 and mask[y + dy][x + dx]
                     for dy in (-1, 0, 1) for dx in (-1, 0, 1)):
                row.append((0, 0, 0, 1.0))
            else:
                row.append((0, 0, 0, 0.0))
        out.append(row)
    # The lines between the fingers and the cuff of the wrist.
    for x, y0, y1 in ((15, 11, 18), (19, 12, 18), (23, 13, 19)):
        for y in range(y0, y1):
            out[y][x] = (0, 0, 0, 1.0)
    for x in range(13, 26):
        out[23][x] = (0, 0, 0, 1.0)
    return out


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else DEFAULT_OUT
    os.makedirs(out, exist_ok=True)

    def save(name, pixels, alpha=True):
        write_png(os.path.join(out, name), pixels, alpha)

    save("bitmap101.png", button((132, 226, 116), (22, 124, 34), (8, 64, 14), "check", (255, 255, 255)))
    save("bitmap103.png", button((246, 118, 104), (156, 22, 22), (84, 8, 8), "cross", (255, 255, 255)))
    save("bitmap141.png", button((196, 196, 196), (116, 116, 116), (70, 70, 70), "check", (214, 214, 214)))
    save("bitmap102.png", tile(), alpha=False)
    save("bitmap104.png", blank_panel(), alpha=False)
    for pid, name, w, h, body, accent, livery, number, tint in TEAMS:
        save("bitmap%d.png" % pid, team_picture(name, w, h, body, accent, livery, number, tint),
             alpha=False)
    for index, draw in enumerate(flags.FLAGS):
        c = Canvas(53, 34, (255, 255, 255), scale=4)
        draw(c)
        save("bitmap%d.png" % (112 + index), flatten(c.pixels(), (255, 255, 255)), alpha=False)
    save("bitmap142.png", help_book(), alpha=False)
    save("bitmap143.png", about_picture(), alpha=False)
    save("cursor101.png", cursor())
    save("icon101.png", icon(32))
    save("icon101_16.png", icon(16))
    write_resource_list(out)
    write_desktop_icons(sys.argv[2] if len(sys.argv) > 2 else DEFAULT_ICONS)


def write_desktop_icons(out):
    """The icon theme's layout: hicolor/NxN/apps/movrand.png and hicolor/scalable/apps/movrand.svg."""
    for size in DESKTOP_ICON_SIZES:
        folder = os.path.join(out, "hicolor", "%dx%d" % (size, size), "apps")
        os.makedirs(folder, exist_ok=True)
        write_png(os.path.join(folder, "movrand.png"), icon(size))
    folder = os.path.join(out, "hicolor", "scalable", "apps")
    os.makedirs(folder, exist_ok=True)
    scalable = SvgCanvas(256, 256)
    draw_icon(scalable, 256)
    with open(os.path.join(folder, "movrand.svg"), "w") as f:
        f.write(scalable.svg())


def write_resource_list(out):
    """The Qt resource list beside the pictures' folder, naming every picture in it."""
    folder = os.path.basename(os.path.normpath(out))
    names = sorted(n for n in os.listdir(out) if n.endswith(".png"))
    lines = ['<!DOCTYPE RCC>', '<RCC version="1.0">', '<qresource prefix="/">']
    lines += ['    <file>%s/%s</file>' % (folder, n) for n in names]
    lines += ['</qresource>', '</RCC>', '']
    with open(os.path.join(out, "..", folder + ".qrc"), "w") as f:
        f.write("\n".join(lines))


if __name__ == "__main__":
    main()
