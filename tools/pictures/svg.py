# SPDX-License-Identifier: GPL-3.0-or-later
"""The drawing calls of the raster canvas recorded as SVG instead of pixels, for pictures that
are also wanted scalable (the desktop icon). Every shape of the raster canvas ends in `polygon`,
so recording polygons records the whole picture."""
from raster import Canvas, _rgba


class SvgCanvas(Canvas):
    def __init__(self, width, height):
        # No pixels: only the size is kept.
        self.width, self.height, self.scale = width, height, 1
        self.clip = None
        self.shapes = []  # (fill, [polygon, ...]); touching shapes of one fill share one path
        self.gradients = []

    def polygon(self, points, colour):
        if len(points) < 3:
            return
        if isinstance(colour, (list, tuple)) and isinstance(colour[0], (list, tuple)):
            self.gradients.append((_rgba(colour[0]), _rgba(colour[1])))
            self.shapes.append(("url(#g%d)" % (len(self.gradients) - 1), [points]))
            return
        fill = _rgba(colour)
        if self.shapes and self.shapes[-1][0] == fill:
            self.shapes[-1][1].append(points)
        else:
            self.shapes.append((fill, [points]))

    def noise(self, amount, seed):
        pass

    def svg(self):
        out = ['<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %d %d">'
               % (self.width, self.height, self.width, self.height)]
        if self.gradients:
            out.append("<defs>")
            for i, (top, bottom) in enumerate(self.gradients):
                out.append('<linearGradient id="g%d" x1="0" y1="0" x2="0" y2="1">%s%s'
                           '</linearGradient>' % (i, _stop(0, top), _stop(1, bottom)))
            out.append("</defs>")
        for fill, polygons in self.shapes:
            d = " ".join("M" + " L".join("%.3f,%.3f" % p for p in pts) + "Z" for pts in polygons)
            if isinstance(fill, str):
                paint = 'fill="%s"' % fill
            else:
                paint = 'fill="%s"' % _hex(fill)
                if fill[3] < 1.0:
                    paint += ' fill-opacity="%.3f"' % fill[3]
            out.append('<path fill-rule="evenodd" %s d="%s"/>' % (paint, d))
        out.append("</svg>")
        return "\n".join(out) + "\n"


def _hex(c):
    return "#%02x%02x%02x" % tuple(max(0, min(255, int(round(v)))) for v in c[:3])


def _stop(offset, c):
    return '<stop offset="%d" stop-color="%s" stop-opacity="%.3f"/>' % (offset, _hex(c), c[3])
