"""An SVG canvas with the drawing calls of raster.Canvas, so a picture drawn
once can be written both as pixels and as a scalable icon. Polygons keep
the non-zero fill rule; strokes get the round joins the rasteriser draws."""


def number(value):
    """A coordinate with two decimals, without trailing zeros or "-0"."""
    text = f"{value:.2f}".rstrip("0").rstrip(".")
    return "0" if text in ("-0", "") else text


def colour_attribute(name, colour, alpha):
    text = f'{name}="#{colour[0]:02x}{colour[1]:02x}{colour[2]:02x}"'
    if alpha < 1.0:
        text += f' {name}-opacity="{number(alpha)}"'
    return text


def point_list(points):
    return " ".join(f"{number(x)},{number(y)}" for x, y in points)


class SvgCanvas:
    def __init__(self, width, height, background=None):
        self.width, self.height = width, height
        self.elements = []
        if background is not None:
            self.elements.append(f'<rect width="{number(width)}" height="{number(height)}" '
                                 f'{colour_attribute("fill", background, 1.0)}/>')

    def fill(self, points, colour, alpha=1.0):
        """A polygon in the canvas's own coordinates."""
        self.elements.append(f'<polygon points="{point_list(points)}" '
                             f'{colour_attribute("fill", colour, alpha)}/>')

    def stroke(self, points, width, colour, alpha=1.0, closed=False, caps=True):
        """A polyline of the given width with round joins."""
        element = "polygon" if closed else "polyline"
        cap = "round" if caps else "butt"
        self.elements.append(f'<{element} points="{point_list(points)}" fill="none" '
                             f'{colour_attribute("stroke", colour, alpha)} '
                             f'stroke-width="{number(width)}" stroke-linejoin="round" '
                             f'stroke-linecap="{cap}"/>')

    def document(self, title):
        """The whole SVG file as text."""
        size = f'width="{number(self.width)}" height="{number(self.height)}"'
        lines = ['<?xml version="1.0" encoding="UTF-8"?>',
                 f'<svg xmlns="http://www.w3.org/2000/svg" version="1.1" {size} '
                 f'viewBox="0 0 {number(self.width)} {number(self.height)}">',
                 f"<title>{title}</title>"]
        lines += self.elements
        lines.append("</svg>")
        return "\n".join(lines) + "\n"
