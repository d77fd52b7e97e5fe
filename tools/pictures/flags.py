# SPDX-License-Identifier: GPL-3.0-or-later
"""The 29 national flags of the roster's nationality table, 53 x 34 pixels, in table order
(bitmaps 112 to 140)."""
import math

W, H = 53.0, 34.0


def horizontal(c, colours, weights=None):
    weights = weights or [1] * len(colours)
    total, y = float(sum(weights)), 0.0
    for colour, wgt in zip(colours, weights):
        c.rect(0, y, W, y + H * wgt / total, colour)
        y += H * wgt / total


def vertical(c, colours, weights=None):
    weights = weights or [1] * len(colours)
    total, x = float(sum(weights)), 0.0
    for colour, wgt in zip(colours, weights):
        c.rect(x, 0, x + W * wgt / total, H, colour)
        x += W * wgt / total


def nordic(c, field, cross, thickness, centre_x):
    c.rect(0, 0, W, H, field)
    c.rect(centre_x - thickness / 2, 0, centre_x + thickness / 2, H, cross)
    c.rect(0, H / 2 - thickness / 2, W, H / 2 + thickness / 2, cross)


def union_jack(c, x0, y0, w, h):
    blue, red, white = (1, 33, 105), (200, 16, 46), (255, 255, 255)
    c.set_clip(x0, y0, x0 + w, y0 + h)
    c.rect(x0, y0, x0 + w, y0 + h, blue)
    diag = h * 6 / 30
    c.line(x0, y0, x0 + w, y0 + h, diag, white)
    c.line(x0, y0 + h, x0 + w, y0, diag, white)
    # The red diagonals lie off centre, each on the side that turns clockwise.
    off = h / 30
    thin = h * 2 / 30
    cx, cy = x0 + w / 2, y0 + h / 2
    c.line(x0, y0 + off, cx, cy + off, thin, red)
    c.line(cx, cy - off, x0 + w, y0 + h - off, thin, red)
    c.line(x0 + w, y0 + off, cx, cy + off, thin, red)
    c.line(cx, cy - off, x0, y0 + h - off, thin, red)
    c.rect(cx - h / 6, y0, cx + h / 6, y0 + h, white)
    c.rect(x0, cy - h / 6, x0 + w, cy + h / 6, white)
    c.rect(cx - h / 10, y0, cx + h / 10, y0 + h, red)
    c.rect(x0, cy - h / 10, x0 + w, cy + h / 10, red)
    c.clear_clip()


def sun(c, cx, cy, r, colour=(246, 180, 14), face=(200, 130, 10)):
    c.star(cx, cy, r * 1.55, r * 1.05, colour, points=16)
    c.circle(cx, cy, r, colour)
    c.ring(cx, cy, r, r * 0.82, face)


def argentina(c):
    horizontal(c, [(116, 172, 223), (255, 255, 255), (116, 172, 223)])
    sun(c, W / 2, H / 2, 3.0)


def australia(c):
    c.rect(0, 0, W, H, (0, 0, 139))
    union_jack(c, 0, 0, W / 2, H / 2)
    white = (255, 255, 255)
    c.star(W / 4, H * 0.75, 4.4, 2.0, white, points=7)
    for x, y, r in ((W * 0.75, H * 0.2, 2.0), (W * 0.75, H * 0.85, 2.1), (W * 0.625, H * 0.46, 2.0),
                    (W * 0.87, H * 0.39, 1.8)):
        c.star(x, y, r, r * 0.45, white, points=7)
    c.star(W * 0.81, H * 0.55, 1.1, 0.45, white)


def austria(c):
    horizontal(c, [(237, 41, 57), (255, 255, 255), (237, 41, 57)])


def belgium(c):
    vertical(c, [(20, 20, 20), (253, 218, 36), (239, 51, 64)])


def brazil(c):
    c.rect(0, 0, W, H, (0, 155, 58))
    mx, my = W * 0.085, H * 0.12
    c.polygon([(mx, H / 2), (W / 2, my), (W - mx, H / 2), (W / 2, H - my)], (254, 223, 0))
    cx, cy, r = W / 2, H / 2, 8.4
    c.circle(cx, cy, r, (0, 39, 118))
    # The white band: an arc of a large circle, kept inside the blue disc.
    bx, by, big = cx - 4, cy + 20, 21.5
    outer, inner = [], []
    for i in range(200):
        a = math.radians(200 + i * 0.7)
        for radius, target in ((big + 1.6, outer), (big, inner)):
            x, y = bx + radius * math.cos(a), by + radius * math.sin(a)
            if math.hypot(x - cx, y - cy) < r - 0.2:
                target.append((x, y))
    if outer and inner:
        c.polygon(outer + inner[::-1], (255, 255, 255))
    for x, y in ((cx - 3, cy + 3), (cx + 2, cy + 4.5), (cx + 4, cy + 2), (cx - 1, cy + 6)):
        c.circle(x, y, 0.5, (255, 255, 255))


def canada(c):
    vertical(c, [(255, 0, 0), (255, 255, 255), (255, 0, 0)], [1, 2, 1])
    leaf = [(0.00, -1.00), (0.12, -0.76), (0.28, -0.84), (0.22, -0.38), (0.48, -0.62),
            (0.54, -0.48), (0.80, -0.54), (0.70, -0.26), (0.84, -0.20), (0.44, 0.14),
            (0.50, 0.32), (0.06, 0.26), (0.06, 0.70), (-0.06, 0.70), (-0.06, 0.26),
            (-0.50, 0.32), (-0.44, 0.14), (-0.84, -0.20), (-0.70, -0.26), (-0.80, -0.54),
            (-0.54, -0.48), (-0.48, -0.62), (-0.22, -0.38), (-0.28, -0.84), (-0.12, -0.76)]
    s = 11.5
    c.polygon([(W / 2 + x * s, H / 2 + 1.5 + y * s) for x, y in leaf], (255, 0, 0))


def chile(c):
    horizontal(c, [(255, 255, 255), (213, 43, 30)])
    c.rect(0, 0, H / 2, H / 2, (0, 57, 166))
    c.star(H / 4, H / 4, 4.6, 1.8, (255, 255, 255))


def colombia(c):
    horizontal(c, [(252, 209, 22), (0, 56, 147), (206, 17, 38)], [2, 1, 1])


def denmark(c):
    nordic(c, (200, 16, 46), (255, 255, 255), H / 7, W * 3.5 / 8.5 * 0.95)


def finland(c):
    nordic(c, (255, 255, 255), (0, 47, 108), H * 3 / 11, W * 6.5 / 18)


def france(c):
    vertical(c, [(0, 35, 149), (255, 255, 255), (237, 41, 57)])


def germany(c):
    horizontal(c, [(20, 20, 20), (221, 0, 0), (255, 206, 0)])


def britain(c):
    union_jack(c, 0, 0, W, H)


def ireland(c):
    vertical(c, [(22, 155, 98), (255, 255, 255), (255, 136, 62)])


def italy(c):
    vertical(c, [(0, 146, 70), (255, 255, 255), (206, 43, 55)])


def japan(c):
    c.rect(0, 0, W, H, (255, 255, 255))
    c.circle(W / 2, H / 2, H * 0.3, (188, 0, 45))


def mexico(c):
    vertical(c, [(0, 104, 71), (255, 255, 255), (206, 17, 38)])
    cx, cy = W / 2, H / 2
    c.ring(cx, cy + 1, 5.2, 4.2, (0, 104, 71))
    c.rect(cx - 6, cy - 6, cx + 6, cy - 1, (255, 255, 255))
    c.ellipse(cx, cy - 0.5, 3.2, 3.8, (140, 86, 36))
    c.circle(cx + 0.8, cy - 3.8, 1.3, (120, 72, 30))
    c.ellipse(cx, cy + 3.2, 3.4, 1.0, (56, 140, 190))


def monaco(c):
    horizontal(c, [(206, 17, 38), (255, 255, 255)])


def morocco(c):
    c.rect(0, 0, W, H, (193, 39, 45))
    r = 9.0
    pts = [(W / 2 + r * math.cos(math.radians(-90 + 72 * i)),
            H / 2 + 0.8 + r * math.sin(math.radians(-90 + 72 * i))) for i in range(5)]
    order = [pts[0], pts[2], pts[4], pts[1], pts[3], pts[0]]
    c.polyline(order, 1.5, (0, 98, 51), round_joints=False)


def holland(c):
    horizontal(c, [(174, 28, 40), (255, 255, 255), (33, 70, 139)])


def new_zealand(c):
    c.rect(0, 0, W, H, (0, 36, 125))
    union_jack(c, 0, 0, W / 2, H / 2)
    for x, y, r in ((W * 0.75, H * 0.22, 2.2), (W * 0.65, H * 0.47, 2.0),
                    (W * 0.845, H * 0.42, 1.8), (W * 0.75, H * 0.81, 2.4)):
        c.star(x, y, r * 1.45, r * 0.6, (255, 255, 255))
        c.star(x, y, r, r * 0.4, (204, 20, 43))


def portugal(c):
    vertical(c, [(0, 102, 0), (255, 0, 0)], [2, 3])
    cx, cy = W * 0.4, H / 2
    c.ring(cx, cy, 7.0, 5.6, (255, 221, 0))
    c.line(cx - 7, cy, cx + 7, cy, 1.0, (255, 221, 0))
    c.rounded_rect(cx - 3.4, cy - 4.2, cx + 3.4, cy + 4.0, 1.6, (255, 255, 255))
    c.rounded_rect(cx - 2.6, cy - 3.4, cx + 2.6, cy + 3.2, 1.2, (255, 255, 255))
    c.ring(cx, cy, 3.3, 2.6, (220, 0, 0))
    for dx, dy in ((0, -1.4), (-1.2, 0.2), (1.2, 0.2), (0, 1.7), (0, 0.2)):
        c.rect(cx + dx - 0.45, cy + dy - 0.55, cx + dx + 0.45, cy + dy + 0.55, (0, 56, 168))


def south_africa(c):
    horizontal(c, [(255, 124, 0), (255, 255, 255), (0, 35, 149)])
    # The three small flags in the white band: Union Jack, Orange Free State, Transvaal.
    y0, h, w = H / 3 + 1.6, H / 3 - 3.2, 6.4
    union_jack(c, W / 2 - 1.5 * w - 0.6, y0, w, h)
    x = W / 2 - 0.5 * w
    c.rect(x, y0, x + w, y0 + h, (255, 255, 255))
    for i in range(4):
        c.rect(x, y0 + i * h / 3.5, x + w, y0 + i * h / 3.5 + h / 7, (255, 124, 0))
    x = W / 2 + 0.5 * w + 0.6
    for i, colour in enumerate([(200, 16, 46), (255, 255, 255), (0, 35, 149)]):
        c.rect(x, y0 + i * h / 3, x + w, y0 + (i + 1) * h / 3, colour)
    c.rect(x, y0, x + w * 0.3, y0 + h, (0, 122, 61))


def spain(c):
    horizontal(c, [(170, 21, 27), (241, 191, 0), (170, 21, 27)], [1, 2, 1])
    cx, cy = W * 0.34, H / 2
    c.rounded_rect(cx - 3.2, cy - 4.2, cx + 3.2, cy + 4.6, 2.4, (170, 21, 27))
    c.rect(cx - 2.2, cy - 3.4, cx, cy + 0.4, (241, 191, 0))
    c.rect(cx, cy + 0.4, cx + 2.2, cy + 3.4, (241, 191, 0))
    c.rect(cx - 3.4, cy - 6.4, cx + 3.4, cy - 4.8, (200, 150, 0))


def sweden(c):
    nordic(c, (0, 106, 167), (254, 204, 0), H * 2 / 10, W * 6 / 16)


def switzerland(c):
    c.rect(0, 0, W, H, (213, 43, 30))
    arm, length = H * 6 / 32 * 1.1, H * 20 / 32 * 1.05
    c.rect(W / 2 - arm / 2, H / 2 - length / 2, W / 2 + arm / 2, H / 2 + length / 2, (255, 255, 255))
    c.rect(W / 2 - length / 2, H / 2 - arm / 2, W / 2 + length / 2, H / 2 + arm / 2, (255, 255, 255))


def usa(c):
    stripe = H / 13
    for i in range(13):
        c.rect(0, i * stripe, W, (i + 1) * stripe, (178, 34, 52) if i % 2 == 0 else (255, 255, 255))
    cw, ch = W * 0.4, stripe * 7
    c.rect(0, 0, cw, ch, (60, 59, 110))
    for row in range(9):
        count = 6 if row % 2 == 0 else 5
        for col in range(count):
            x = cw / 12 * (2 * col + (1 if row % 2 == 0 else 2))
            y = ch / 10 * (row + 1)
            c.star(x, y, 0.95, 0.4, (255, 255, 255))


def uruguay(c):
    stripe = H / 9
    for i in range(9):
        c.rect(0, i * stripe, W, (i + 1) * stripe, (255, 255, 255) if i % 2 == 0 else (0, 56, 168))
    c.rect(0, 0, stripe * 5, stripe * 5, (255, 255, 255))
    sun(c, stripe * 2.5, stripe * 2.5, 3.6)


def venezuela(c):
    horizontal(c, [(255, 204, 0), (0, 36, 125), (207, 20, 43)])
    cx, cy, r = W / 2, H / 2 + 5.5, 9.0
    for i in range(7):
        a = math.radians(210 + i * 20)
        c.star(cx + r * math.cos(a), cy + r * math.sin(a), 1.4, 0.55, (255, 255, 255))


FLAGS = [argentina, australia, austria, belgium, brazil, canada, chile, colombia, denmark,
         finland, france, germany, britain, ireland, italy, japan, mexico, monaco, morocco,
         holland, new_zealand, portugal, south_africa, spain, sweden, switzerland, usa, uruguay,
         venezuela]
assert len(FLAGS) == 29
