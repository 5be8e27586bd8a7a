"""Compares the exported PDF of a character with the page the print queue
wrote for it: one page each, the same words in the same order, and the same
drawing moved by the exported page's fixed printable-area offset (1/6 inch)
and otherwise in place within one printer dot (1/300 inch).

Across, each word's left edge is compared. Down, the word boxes cannot be:
pdftotext takes a word's top from its font's declared ascent, which differs
between the fonts Qt embeds and those the queue writes again. So the pages
are rendered at 300 dpi and the counts of dark dots per row compared: the
exported page's rows must be the printed page's, 50 rows further down."""
import re
import subprocess
import sys

POINTS_PER_INCH = 72.0
OFFSET = POINTS_PER_INCH / 6
DOT = POINTS_PER_INCH / 300

WORD = re.compile(r'<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="[\d.]+" yMax="[\d.]+">(.*?)</word>')


def pages(pdf):
    info = subprocess.run(["pdfinfo", pdf], capture_output=True, text=True, check=True).stdout
    return int(re.search(r"^Pages:\s+(\d+)", info, re.M).group(1))


def words(pdf):
    html = subprocess.run(["pdftotext", "-bbox", pdf, "-"], capture_output=True, text=True,
                          check=True).stdout
    return [(text, float(x), float(y)) for x, y, text in WORD.findall(html)]


def dark_rows(pdf):
    """Dark dots per row of the page rendered at 300 dpi, in grey."""
    pgm = subprocess.run(["pdftoppm", "-r", "300", "-gray", "-f", "1", "-l", "1", pdf],
                         capture_output=True, check=True).stdout
    header = re.match(rb"P5\s+(\d+)\s+(\d+)\s+\d+\s", pgm)
    width, height = int(header.group(1)), int(header.group(2))
    dots = pgm[header.end():]
    dark = bytes(range(128))
    return [width - len(dots[r * width:(r + 1) * width].translate(None, dark))
            for r in range(height)]


def vertical_shift(printed, exported):
    """The shift of exported rows against printed ones that fits best, and
    the share of dark dots it leaves unmatched."""
    total = sum(printed)
    best = None
    for shift in range(0, 101):
        rows = min(len(printed), len(exported) - shift)
        miss = sum(abs(printed[r] - exported[r + shift]) for r in range(rows))
        if best is None or miss < best[1]:
            best = (shift, miss)
    return best[0], best[1] / max(total, 1)


def main(printed, exported):
    problems = []
    for pdf in (printed, exported):
        if pages(pdf) != 1:
            problems.append(f"{pdf}: {pages(pdf)} pages, not one")
    expected, got = words(printed), words(exported)
    if [w[0] for w in expected] != [w[0] for w in got]:
        problems.append(f"the words differ:\n printed:  {[w[0] for w in expected]}\n"
                        f" exported: {[w[0] for w in got]}")
    else:
        for (text, px, py), (_, ex, ey) in zip(expected, got):
            if abs(ex - px - OFFSET) > DOT:
                problems.append(f"{text!r}: printed at x {px:.2f}, exported at x {ex:.2f}")
    shift, unmatched = vertical_shift(dark_rows(printed), dark_rows(exported))
    # Glyphs rasterise a little differently from the two fonts: a few per cent.
    if abs(shift - 50) > 1 or unmatched > 0.10:
        problems.append(f"down the page the exported drawing is {shift} dots below the "
                        f"printed one (not 50), {unmatched:.1%} of its dots unmatched")
    if len(expected) < 40:
        problems.append(f"only {len(expected)} words on the printed page")
    for problem in problems:
        print(problem, file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
