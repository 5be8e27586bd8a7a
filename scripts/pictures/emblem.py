"""The Kestrix emblem: a kestrel in flight, gold on a blue heater shield.
Shapes are laid out on a 100 x 100 grid and scaled to any size."""

from raster import Canvas, Path, circle, ellipse, mirror, transform
from vector import SvgCanvas

OUTLINE = (40, 28, 12)
GOLD = (222, 170, 58)
GOLD_DARK = (150, 98, 30)
FIELD = (30, 58, 112)
BIRD = (246, 214, 128)
BIRD_SHADE = (196, 118, 52)
WING_TIP = (98, 52, 22)


def shield(inset):
    """The shield's outline, shrunk by inset grid units on every side."""
    left, right, top = 8 + inset, 92 - inset, 5 + inset
    waist = 48
    bottom = 96 - inset * 1.4
    return (Path(left, top).line(right, top).line(right, waist)
            .cubic(right, waist + 26 - inset * 0.3, 70 - inset * 0.4, bottom - 10, 50, bottom)
            .cubic(30 + inset * 0.4, bottom - 10, left, waist + 26 - inset * 0.3, left, waist)
            .points)


def left_wing():
    """A raised wing whose primaries fan out and down, heraldic fashion."""
    return (Path(45, 36).cubic(38, 22, 24, 12, 5, 5)
            .cubic(6, 12, 7, 16, 9, 19).line(4, 21)
            .cubic(7, 25, 9, 28, 12, 30).line(6, 33)
            .cubic(9, 37, 12, 40, 16, 42).line(10, 46)
            .cubic(14, 49, 18, 52, 23, 53).line(20, 57)
            .cubic(28, 58, 36, 57, 44, 54).points)


def wing_feathers():
    """Dark lines between the primaries, from the wing's root outwards."""
    return [[(34, 38), (9, 19)], [(35, 42), (12, 30)], [(37, 46), (16, 42)], [(39, 50), (23, 53)]]


def wing_covert():
    return (Path(45, 36).cubic(38, 24, 26, 16, 12, 10).cubic(20, 22, 30, 34, 44, 46).points)


def tail():
    return (Path(44, 62).line(56, 62).line(63, 82).line(59, 84).line(57, 88).line(53, 86)
            .line(50, 90).line(47, 86).line(43, 88).line(41, 84).line(37, 82).points)


def beak():
    return Path(55, 19).cubic(60, 18, 63, 21, 63, 25).line(60, 23).line(56, 25).points


def bird_shapes():
    """(points, colour) in drawing order, on the bird's own 100 x 100 grid."""
    wing = left_wing()
    covert = wing_covert()
    return [
        (tail(), BIRD),
        (Path(48, 64).line(52, 64).line(51, 86).line(49, 86).points, BIRD_SHADE),
        (wing, BIRD),
        (mirror(wing, 50), BIRD),
        (covert, BIRD_SHADE),
        (mirror(covert, 50), BIRD_SHADE),
        (ellipse(50, 46, 10, 19), BIRD),
        (ellipse(50, 50, 5, 11), BIRD_SHADE),
        (circle(50, 22, 7.5), BIRD),
        (Path(43, 63).line(39, 68).line(42, 68).line(46, 63).points, WING_TIP),
        (Path(57, 63).line(61, 68).line(58, 68).line(54, 63).points, WING_TIP),
        (beak(), GOLD_DARK),
        (circle(53.5, 20.5, 1.5), WING_TIP),
    ]


def bird_lines():
    lines = wing_feathers()
    return lines + [mirror(line, 50) for line in lines]


def paint(canvas, size):
    """Draws the emblem at size x size units on anything with the fill and
    stroke calls of raster.Canvas."""
    unit = size / 100.0

    def place(points, sx=unit, sy=unit, dx=0.0, dy=0.0):
        return transform(transform(points, sx=sx, sy=sy), dx=dx, dy=dy)

    canvas.fill(place(shield(0)), OUTLINE)
    canvas.fill(place(shield(3)), GOLD)
    canvas.fill(place(shield(9)), FIELD)
    bird_scale = unit * 0.68
    offset_x, offset_y = 16 * unit, 14 * unit
    for points, colour in bird_shapes():
        canvas.fill(place(points, bird_scale, bird_scale, offset_x, offset_y), colour)
    if size >= 48:
        for line in bird_lines():
            canvas.stroke(place(line, bird_scale, bird_scale, offset_x, offset_y), size / 160,
                          BIRD_SHADE)


def draw(size, scale=4, background=None):
    """Rows of (r, g, b, a) for the emblem at size x size pixels; transparent
    around the shield unless a background colour is given."""
    canvas = Canvas(size, size, scale, background)
    paint(canvas, size)
    return canvas.pixels()


def svg():
    """The emblem as a scalable icon on its own 100 x 100 grid, feather lines
    included: a vector icon is meant to be shown large."""
    canvas = SvgCanvas(100, 100)
    paint(canvas, 100)
    return canvas.document("Kestrix")
