"""The default character picture: an adventurer in a cloak, both hands on a
sword planted before him, inked on parchment inside a double frame."""

import math
import random

from raster import Canvas, Path, circle, ellipse, mirror, mix

WIDTH, HEIGHT = 215, 326
AXIS = 107.5

PARCHMENT = (236, 220, 182)
PARCHMENT_DARK = (176, 138, 88)
SEPIA = (84, 54, 30)
INK = (48, 32, 20)
SKIN = (228, 184, 146)
SKIN_SHADE = (194, 144, 108)
LIPS = (160, 92, 74)
HAIR = (92, 56, 30)
CLOAK = (134, 36, 38)
CLOAK_SHADE = (94, 24, 28)
TUNIC = (74, 106, 66)
TUNIC_SHADE = (52, 78, 48)
LEATHER = (128, 84, 46)
LEATHER_DARK = (88, 56, 30)
TROUSERS = (104, 90, 74)
STEEL = (202, 210, 218)
STEEL_SHADE = (132, 142, 154)
GOLD = (214, 170, 62)
SHADOW = (0, 0, 0)


def parchment():
    """Rows of (r, g, b): smooth blotches, fine grain and darker edges."""
    rng = random.Random(1995)
    cell = 18
    grid_w, grid_h = WIDTH // cell + 2, HEIGHT // cell + 2
    blotch = [[rng.uniform(-1, 1) for _ in range(grid_w)] for _ in range(grid_h)]

    def smooth(x, y):
        gx, gy = x / cell, y / cell
        ix, iy = int(gx), int(gy)
        fx, fy = gx - ix, gy - iy
        fx, fy = fx * fx * (3 - 2 * fx), fy * fy * (3 - 2 * fy)
        top = blotch[iy][ix] * (1 - fx) + blotch[iy][ix + 1] * fx
        bottom = blotch[iy + 1][ix] * (1 - fx) + blotch[iy + 1][ix + 1] * fx
        return top * (1 - fy) + bottom * fy

    rows = []
    for y in range(HEIGHT):
        row = []
        for x in range(WIDTH):
            dx, dy = (x - WIDTH / 2) / (WIDTH / 2), (y - HEIGHT / 2) / (HEIGHT / 2)
            edge = max(0.0, math.hypot(dx, dy) - 0.55) ** 1.6
            t = 0.08 + 0.05 * smooth(x, y) + 0.55 * edge + rng.uniform(-0.025, 0.025)
            row.append(mix(PARCHMENT, PARCHMENT_DARK, min(1.0, max(0.0, t))))
        rows.append(row)
    return rows


def outlined(canvas, points, colour, width=1.1):
    canvas.fill(points, colour)
    canvas.stroke(points, width, INK, closed=True)


def limb(canvas, joints, widths, colour):
    """A tapered limb along joints, outlined in ink."""
    for outline_width, paint in ((1.8, INK), (0.0, colour)):
        for (x0, y0), (x1, y1), (w0, w1) in zip(joints, joints[1:], zip(widths, widths[1:])):
            length = math.hypot(x1 - x0, y1 - y0)
            nx, ny = -(y1 - y0) / length, (x1 - x0) / length
            h0, h1 = (w0 + outline_width) / 2, (w1 + outline_width) / 2
            canvas.fill([(x0 + nx * h0, y0 + ny * h0), (x1 + nx * h1, y1 + ny * h1),
                         (x1 - nx * h1, y1 - ny * h1), (x0 - nx * h0, y0 - ny * h0)], paint)
        for (x, y), w in zip(joints, widths):
            canvas.fill(circle(x, y, (w + outline_width) / 2, 24), paint)


def frame(canvas):
    canvas.stroke([(6, 6), (209, 6), (209, 320), (6, 320)], 1.6, SEPIA, closed=True)
    canvas.stroke([(10, 10), (205, 10), (205, 316), (10, 316)], 0.7, SEPIA, closed=True)
    for x, y in ((6, 6), (209, 6), (209, 320), (6, 320)):
        canvas.fill([(x, y - 4), (x + 4, y), (x, y + 4), (x - 4, y)], SEPIA)
        canvas.fill([(x, y - 2), (x + 2, y), (x, y + 2), (x - 2, y)], PARCHMENT)


def ground(canvas):
    canvas.fill(ellipse(AXIS + 2, 294, 70, 9), SHADOW, 0.16)
    canvas.fill(ellipse(AXIS + 2, 294, 48, 6), SHADOW, 0.12)
    rng = random.Random(7)
    for base in list(range(22, 70, 5)) + list(range(146, 196, 5)):
        x = base + rng.uniform(-2, 2)
        height = rng.uniform(4, 9)
        lean = rng.uniform(-3, 3)
        canvas.stroke([(x, 298), (x + lean * 0.5, 298 - height * 0.6), (x + lean, 298 - height)],
                      0.6, SEPIA, 0.7)
    canvas.stroke([(18, 298.5), (197, 298.5)], 0.6, SEPIA, 0.45)


def landscape(canvas):
    """Faint hills on the horizon and a kestrel hovering over them."""
    hills = (Path(11, 236).quad(30, 214, 52, 222).quad(70, 200, 96, 214).quad(120, 196, 146, 210)
             .quad(170, 192, 204, 220).line(204, 298).line(11, 298).points)
    canvas.fill(hills, PARCHMENT_DARK, 0.16)
    canvas.stroke(hills[:-2], 0.7, SEPIA, 0.45, caps=False)
    far = Path(11, 226).quad(40, 196, 64, 206).quad(84, 184, 112, 200).points
    canvas.stroke(far, 0.6, SEPIA, 0.3, caps=False)
    for x, y, span in ((40, 40, 7), (170, 58, 4.5)):
        canvas.stroke(Path(x - span, y - span * 0.25).quad(x - span * 0.4, y - span * 0.45, x, y)
                      .quad(x + span * 0.4, y - span * 0.45, x + span, y - span * 0.25).points,
                      0.9, SEPIA, 0.8, caps=False)


def cloak(canvas):
    left = (Path(AXIS, 84).line(83, 86).cubic(70, 120, 58, 190, 40, 290)
            .quad(50, 297, 62, 291).quad(74, 298, 86, 292).line(AXIS, 292).points)
    right = mirror(left, AXIS)
    shape = left + right[1:-1]
    outlined(canvas, shape, CLOAK)
    for fold in ([(70, 140), (60, 210), (52, 289)], [(78, 150), (74, 230), (72, 292)],
                 [(144, 140), (156, 210), (164, 289)], [(137, 150), (141, 230), (144, 292)]):
        canvas.stroke(fold, 1.6, CLOAK_SHADE)
    canvas.fill(right, SHADOW, 0.14)


def legs(canvas):
    left_leg = [(90, 198), (106, 198), (104, 232), (100, 252), (86, 252), (88, 232)]
    for leg in (left_leg, mirror(left_leg, AXIS)):
        outlined(canvas, leg, TROUSERS)
    left_boot = (Path(84, 246).line(103, 246).line(102, 256).line(100, 282).line(101, 293)
                 .line(73, 293).quad(72, 287, 79, 285).line(86, 282).line(85, 256).points)
    for boot in (left_boot, mirror(left_boot, AXIS)):
        outlined(canvas, boot, LEATHER)
        top = [p for p in boot if p[1] <= 256]
        canvas.stroke([(min(x for x, _ in top), 256), (max(x for x, _ in top), 256)], 1.0, INK)
    canvas.fill([(113, 256), (128, 256), (127, 282), (114, 282)], SHADOW, 0.12)


def body(canvas):
    skirt = Path(91, 160).line(124, 160).quad(129, 185, 132, 207).quad(AXIS, 211, 83, 207) \
        .quad(86, 185, 91, 160).points
    outlined(canvas, skirt, TUNIC)
    canvas.stroke([(AXIS, 167), (AXIS, 209)], 1.0, INK)
    canvas.fill([(AXIS, 160), (124, 160), (132, 207), (AXIS, 209)], SHADOW, 0.12)

    torso = (Path(84, 90).quad(AXIS, 84, 131, 90).line(129, 122).line(124, 161)
             .line(91, 161).line(86, 122).points)
    outlined(canvas, torso, TUNIC)
    canvas.fill([(AXIS, 86), (131, 90), (129, 122), (124, 161), (AXIS, 161)], SHADOW, 0.12)

    vest = [(92, 94), (101, 92), (AXIS, 118), (114, 92), (123, 94), (121, 158), (94, 158)]
    outlined(canvas, vest, LEATHER)
    canvas.fill([(AXIS, 118), (114, 92), (123, 94), (121, 158), (AXIS, 158)], SHADOW, 0.12)
    for y in (104, 116, 128, 140):
        canvas.fill(circle(96.5, y, 0.9, 12), GOLD)
        canvas.fill(circle(118.5, y, 0.9, 12), GOLD)

    outlined(canvas, [(90, 157), (125, 157), (125.5, 166), (89.5, 166)], LEATHER_DARK)
    canvas.fill(circle(92, 176, 6, 24), LEATHER_DARK)
    canvas.stroke(circle(92, 176, 6, 24), 1.0, INK, closed=True)
    canvas.stroke([(88, 172), (96, 172)], 0.8, INK)

    hood = ellipse(AXIS, 84, 19, 7)
    outlined(canvas, hood, CLOAK)
    canvas.stroke([(93, 84), (AXIS, 88), (122, 84)], 1.2, CLOAK_SHADE)


def head(canvas):
    outlined(canvas, [(101.5, 70), (113.5, 70), (114, 86), (101, 86)], SKIN)
    canvas.fill([(AXIS, 80), (114, 78), (114, 86), (101, 86)], SKIN_SHADE)
    canvas.fill(ellipse(AXIS, 54, 13.5, 12.8), HAIR)
    canvas.stroke(ellipse(AXIS, 54, 13.5, 12.8), 1.1, INK, closed=True)
    for side in (-1, 1):
        ear = ellipse(AXIS + side * 11.5, 61, 2.6, 4.2)
        outlined(canvas, ear, SKIN, 0.9)
    face = Path(96.5, 54).cubic(96, 68, 101, 75, AXIS, 76).cubic(114, 75, 119, 68, 118.5, 54) \
        .cubic(116, 48, 99, 48, 96.5, 54).points
    outlined(canvas, face, SKIN)
    fringe = (Path(95.5, 57).cubic(96, 46, 103, 42, AXIS, 42.5).cubic(113, 42, 120, 47, 119.5, 57)
              .quad(115, 49, 109, 50).quad(104, 47, 99, 52).line(95.5, 56).points)
    outlined(canvas, fringe, HAIR, 0.9)
    beard = (Path(98, 64).cubic(99, 73, 103, 77.5, AXIS, 77.5).cubic(112, 77.5, 116, 73, 117, 64)
             .quad(115, 70, 111, 70).quad(AXIS, 72, 104, 70).quad(100, 70, 98, 64).points)
    outlined(canvas, beard, HAIR, 0.8)
    canvas.fill(ellipse(AXIS, 71.2, 2.6, 0.9), LIPS)
    for side in (-1, 1):
        canvas.fill(ellipse(AXIS + side * 4.6, 59, 1.6, 1.1), (255, 250, 240))
        canvas.fill(circle(AXIS + side * 4.4, 59.1, 0.85, 12), INK)
        canvas.stroke([(AXIS + side * 2.2, 56), (AXIS + side * 7.2, 55.4)], 1.0, HAIR)
    canvas.stroke([(AXIS + 0.4, 59), (AXIS - 0.8, 64.5), (AXIS + 1.3, 65.3)], 0.7, SKIN_SHADE,
                  caps=False)
    canvas.fill(Path(114, 56).cubic(118, 60, 117, 68, 112, 73).quad(116, 64, 114, 56).points,
                SKIN_SHADE, 0.6)


def sword(canvas):
    blade = [(104.2, 170), (110.8, 170), (110.2, 278), (AXIS, 291), (104.8, 278)]
    outlined(canvas, blade, STEEL, 1.0)
    canvas.fill([(AXIS, 170), (110.8, 170), (110.2, 278), (AXIS, 291)], STEEL_SHADE, 0.55)
    canvas.stroke([(AXIS, 173), (AXIS, 272)], 0.8, STEEL_SHADE)
    guard = Path(89, 165).quad(AXIS, 168, 126, 165).line(127, 171).quad(AXIS, 172, 88, 171) \
        .line(89, 165).points
    outlined(canvas, guard, GOLD, 1.0)
    canvas.fill(circle(AXIS, 169, 2.2, 16), CLOAK)
    outlined(canvas, [(105, 140), (110, 140), (110, 166), (105, 166)], LEATHER_DARK, 0.8)
    outlined(canvas, circle(AXIS, 139, 4, 24), GOLD, 1.0)
    canvas.fill(circle(AXIS - 1.2, 137.8, 1.2, 12), (250, 236, 170))


def arms(canvas):
    shoulder_l, elbow_l, wrist_l = (87, 96), (79, 128), (99, 151)
    limb(canvas, [shoulder_l, elbow_l], [14, 11], TUNIC)
    limb(canvas, [elbow_l, wrist_l], [10.5, 8], LEATHER)
    shoulder_r, elbow_r, wrist_r = (128, 96), (136, 128), (116, 157)
    limb(canvas, [shoulder_r, elbow_r], [14, 11], TUNIC)
    canvas.fill([(130, 92), (134, 94), (143, 128), (133, 130), (124, 100)], SHADOW, 0.12)
    limb(canvas, [elbow_r, wrist_r], [10.5, 8], LEATHER)
    for x, y in (elbow_l, elbow_r):
        canvas.stroke([(x - 4.5, y + 2), (x + 4.5, y + 2)], 0.9, INK)


def hands(canvas):
    outlined(canvas, ellipse(AXIS, 147.5, 6.5, 5), SKIN, 1.0)
    outlined(canvas, ellipse(AXIS, 156.5, 6.5, 5), SKIN, 1.0)
    for y in (147.5, 156.5):
        for dx in (-2.5, 0.5, 3.5):
            canvas.stroke([(AXIS + dx - 0.5, y - 3), (AXIS + dx + 0.5, y + 1)], 0.5, SKIN_SHADE)


def draw(scale=4):
    """Rows of (r, g, b, a) for the 215 x 326 default character picture."""
    canvas = Canvas(WIDTH, HEIGHT, scale)
    canvas.set_image(parchment())
    frame(canvas)
    landscape(canvas)
    ground(canvas)
    cloak(canvas)
    legs(canvas)
    body(canvas)
    arms(canvas)
    head(canvas)
    sword(canvas)
    hands(canvas)
    return canvas.pixels()
