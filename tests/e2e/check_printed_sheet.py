"""Checks the PDF that the print queue wrote for the character that
print_sheet.sh makes: one page, every printed text, nothing that must stay
off the paper, and the drawing at its size and place on paper (laid out in
dots of a 300 dots-per-inch printer, from the corner of the printable area,
which is the paper's corner on the test queue)."""
import re
import subprocess
import sys

# Texts as pdftotext lays them out: a label and its value share a line.
EXPECTED = [
    r"Zuleica Tempestade Ígnea",
    r"Atributo\s+Val\.",
    r"Força\s+7\n",
    r"Habilidade\s+12x\n",
    r"Resistência\s+-3\n",
    r"Armadura\s+\$1F\n",
    r"Poder de Fogo\s+abc\n",
    r"Fogo\s+101\n",
    r"Água\s+202\n",
    r"Ar\s+303\n",
    r"Terra\s+404\n",
    r"Luz\s+505\n",
    r"Trevas\s+-606\n",
    r"Vantagens\s+Fogo",
    r"2 Aceleração",
    r"1 Perícia : Esportes",
    r"3 Voo Rasante",
    r"Desvantagens\s+Resumo",
    r"-1 Código de Honra",
    r"-2 Má Fama",
    # The item lines read 2, 1, 3 and 1, 2 ("-1 ..." is 1: a blank follows
    # the digits); the attributes 7, 12, -3, 31 and 0; the magic paths 909.
    r"Atributos: 47\n",
    r"Vantagens: 6\n",
    r"Desvantagens: 3\n",
    r"Magias: 909\n",
    r"Total: 959\n",
    r"Pontos de Vida \(Iniciais=1 Dado para cada ponto de Resistência\)",
    r'Personagem Criado no "Kestrix for Windows 95"',
]

# The observations, the picture path and the list slots past the last line.
ABSENT = ["Segredo", "modelo.bmp", "Sobra"]

# The outermost ink: the emblem and the boxes' left edges (x 33 to 39), the
# boxes' right edge (1881 and half a 9-dot pen), the emblem and the name at
# the top (y 39), the footer's text under the hit-points box (from y 2400).
INK_WIDTH = (1881 + 4.5 - 33) / 300
INK_HEIGHT_MIN = (2400 - 39) / 300
INK_HEIGHT_MAX = (2400 + 80 - 39) / 300
TOLERANCE = 0.15  # inches
DPI = 50

# The emblem fills (33, 39)-(129, 135); the character's bitmap is stretched
# over (1161, 39 + the name's height)-(1742, 1023), whatever its own size.
EMBLEM_SIZE = 96 / 300
PICTURE_WIDTH = (1742 - 1161) / 300
PICTURE_HEIGHT_MIN = (1023 - 39 - 130) / 300
PICTURE_HEIGHT_MAX = (1023 - 39 - 90) / 300


# The emblem fills (33, 39)-(129, 135). Its picture leaves an even border
# blank on either side, so the centre of its ink is the centre of that
# rectangle. The corner of the page up to the name and the "Atributo"
# heading holds nothing else.
EMBLEM_TOP_LEFT = (33, 39)
EMBLEM_HALF = 96 / 2
EMBLEM_AREA = (127, 180)
PLACE_TOLERANCE = 3  # dots


def run(*command):
    return subprocess.run(command, check=True, capture_output=True).stdout


def ink_box(pdf):
    """The inked area in inches: left, top, right, bottom, then page size."""
    pgm = run("pdftoppm", "-r", str(DPI), "-gray", "-singlefile", pdf)
    fields = pgm.split(maxsplit=4)
    assert fields[0] == b"P5", fields[0]
    width, height, pixels = int(fields[1]), int(fields[2]), fields[4]
    rows = [pixels[y * width:(y + 1) * width] for y in range(height)]
    inked_rows = [y for y, row in enumerate(rows) if min(row) < 128]
    inked_columns = [x for x in range(width) if any(row[x] < 128 for row in rows)]
    assert inked_rows and inked_columns, "the page is blank"
    box = (inked_columns[0], inked_rows[0], inked_columns[-1] + 1, inked_rows[-1] + 1)
    return tuple(v / DPI for v in box), (width / DPI, height / DPI)


def placed_images(pdf):
    """Each image's size on paper in inches, largest first."""
    sizes = []
    for line in run("pdfimages", "-list", pdf).decode().splitlines()[2:]:
        fields = line.split()
        if fields[2] != "image":
            continue  # masks
        width, height = int(fields[3]), int(fields[4])
        x_ppi, y_ppi = float(fields[-4]), float(fields[-3])
        sizes.append((width / x_ppi, height / y_ppi))
    return sorted(sizes, key=lambda size: size[0] * size[1], reverse=True)


def check_images(pdf):
    images = placed_images(pdf)
    if len(images) != 2:
        return [f"expected the picture and the emblem, got images of {images} in"]
    faults = []
    (picture_width, picture_height), (emblem_width, emblem_height) = images
    if abs(picture_width - PICTURE_WIDTH) > 0.05 or not (
            PICTURE_HEIGHT_MIN <= picture_height <= PICTURE_HEIGHT_MAX):
        faults.append(f"picture {picture_width:.2f} x {picture_height:.2f} in, expected "
                      f"{PICTURE_WIDTH:.2f} x {PICTURE_HEIGHT_MIN:.2f}-{PICTURE_HEIGHT_MAX:.2f}")
    if abs(emblem_width - EMBLEM_SIZE) > 0.03 or abs(emblem_height - EMBLEM_SIZE) > 0.03:
        faults.append(f"emblem {emblem_width:.2f} x {emblem_height:.2f} in, "
                      f"expected {EMBLEM_SIZE:.2f} square")
    return faults


def check_emblem_place(pdf):
    """The emblem's top-left corner, measured from the paper's corner."""
    width, height = EMBLEM_AREA
    pgm = run("pdftoppm", "-r", "300", "-gray", "-x", "0", "-y", "0", "-W", str(width),
              "-H", str(height), "-singlefile", pdf)
    fields = pgm.split(maxsplit=4)
    width, height, pixels = int(fields[1]), int(fields[2]), fields[4]
    inked = [(x, y) for y in range(height) for x in range(width) if pixels[y * width + x] < 200]
    if not inked:
        return ["no emblem near the paper's top-left corner"]
    xs, ys = [x for x, _ in inked], [y for _, y in inked]
    top_left = ((min(xs) + max(xs) + 1) / 2 - EMBLEM_HALF, (min(ys) + max(ys) + 1) / 2 - EMBLEM_HALF)
    if any(abs(got - want) > PLACE_TOLERANCE for got, want in zip(top_left, EMBLEM_TOP_LEFT)):
        return [f"the emblem is not at {EMBLEM_TOP_LEFT[0]}, {EMBLEM_TOP_LEFT[1]} dots from the "
                f"paper's corner: its ink spans x {min(xs)}-{max(xs)}, y {min(ys)}-{max(ys)} "
                f"of the corner's {width} x {height} dots"]
    return []


def main(pdf):
    faults = []
    info = run("pdfinfo", pdf).decode()
    pages = re.search(r"^Pages:\s+(\d+)", info, re.M)
    if not pages or pages.group(1) != "1":
        faults.append("expected one page:\n" + info)

    text = run("pdftotext", "-layout", "-enc", "UTF-8", pdf, "-").decode()
    text = re.sub(r"[ \t]+\n", "\n", text)
    faults += [f"missing {pattern!r}" for pattern in EXPECTED if not re.search(pattern, text)]
    faults += [f"printed {absent!r}" for absent in ABSENT if absent in text]

    faults += check_images(pdf)
    faults += check_emblem_place(pdf)

    (left, top, right, bottom), (page_width, page_height) = ink_box(pdf)
    ink_width, ink_height = right - left, bottom - top
    if abs(ink_width - INK_WIDTH) > TOLERANCE:
        faults.append(f"ink {ink_width:.2f} in wide, expected {INK_WIDTH:.2f}")
    if not INK_HEIGHT_MIN - TOLERANCE <= ink_height <= INK_HEIGHT_MAX + TOLERANCE:
        faults.append(f"ink {ink_height:.2f} in high, expected {INK_HEIGHT_MIN:.2f} and a line")
    if right <= page_width / 2 or bottom <= page_height / 2:
        faults.append("the drawing stays in the page's top-left quarter")

    if faults:
        print("\n".join(faults), file=sys.stderr)
        print("---- page text\n" + text, file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
