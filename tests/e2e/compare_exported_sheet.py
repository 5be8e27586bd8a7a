"""Compares the exported PDF of a character with the page the print queue
wrote for it: one page each, the same words in the same order, each moved
by the exported page's fixed printable-area offset (1/6 inch) and otherwise
in place within one printer dot (1/300 inch)."""
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
            if abs(ex - px - OFFSET) > DOT or abs(ey - py - OFFSET) > DOT:
                problems.append(f"{text!r}: printed at ({px:.2f}, {py:.2f}), "
                                f"exported at ({ex:.2f}, {ey:.2f})")
    if len(expected) < 40:
        problems.append(f"only {len(expected)} words on the printed page")
    for problem in problems:
        print(problem, file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
