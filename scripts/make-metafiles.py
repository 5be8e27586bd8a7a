#!/usr/bin/env python3
"""Writes the sample metafiles of the tests, record by record: an enhanced
metafile (EMF), a placeable Windows metafile and a plain one (WMF). All three
draw the same picture in a frame of 1000 x 1500 logical units:

  - a red rectangle (100, 100)-(900, 600) outlined by a black pen 20 units wide;
  - a blue ellipse (200, 800)-(800, 1400) with the same outline;
  - the green text "Ação" with its cell's top-left corner at (350, 640).

A second enhanced metafile writes the text as ANSI (Windows-1252) instead of
Unicode. The seed corpus of the converter's fuzz target gets every sample,
each cut in half, and the enhanced metafile cut after its header.

The seed corpus also gets hostile and unusual pictures: texts that would
close their text element and embed an image (a local file, or PNG data) in
an enhanced metafile's Unicode and ANSI text records and in a Windows
metafile's text, and a Windows metafile with colours no named SVG colour
matches that sets its own viewport origin and extent.

The ink stays 100 units clear of the frame on every side, so a picture that
is fitted to its ink instead of its frame shows. The plain metafile moves its
window origin to (1000, 2000) and draws everything shifted by that much.

Standard library only. The files are committed; the build never runs this.
Usage: scripts/make-metafiles.py [samples folder [seeds folder]]
(default: tests/data/metafiles and fuzz/corpus/fuzz_metafile_converter)
"""

import os
import struct
import sys

FRAME = (1000, 1500)
RED = (255, 0, 0)
BLUE = (0, 0, 255)
GREEN = (0, 128, 0)
BLACK = (0, 0, 0)
PEN_WIDTH = 20
RECTANGLE = (100, 100, 900, 600)
ELLIPSE = (200, 800, 800, 1400)
TEXT = "Ação"
TEXT_AT = (350, 640)
FONT_HEIGHT = 100
FONT_FACE = "Liberation Sans"


def colorref(rgb):
    r, g, b = rgb
    return r | (g << 8) | (b << 16)


# ---- Windows metafile ----


def wmf_record(function, params=b""):
    if len(params) % 2:
        params += b"\0"
    return struct.pack("<IH", (6 + len(params)) // 2, function) + params


def wmf_words(*values):
    return struct.pack("<%dh" % len(values), *values)


def wmf_font(height, face):
    name = face.encode("cp1252")[:31].ljust(32, b"\0")
    # Height, width, escapement, orientation, weight; italic, underline,
    # strike-out, ANSI_CHARSET, precisions, quality, pitch and family.
    return wmf_words(-height, 0, 0, 0, 400) + bytes([0, 0, 0, 0, 0, 0, 0, 0]) + name


def wmf_body(dx, dy):
    text = TEXT.encode("cp1252")
    records = [
        wmf_record(0x0103, wmf_words(8)),  # SETMAPMODE MM_ANISOTROPIC
        wmf_record(0x020B, wmf_words(dy, dx)),  # SETWINDOWORG y, x
        wmf_record(0x020C, wmf_words(FRAME[1], FRAME[0])),  # SETWINDOWEXT y, x
        wmf_record(0x0102, wmf_words(1)),  # SETBKMODE TRANSPARENT
        # Object 0: the pen. CREATEPENINDIRECT style, width (x, y), colour.
        wmf_record(0x02FA, wmf_words(0, PEN_WIDTH, 0) + struct.pack("<I", colorref(BLACK))),
        wmf_record(0x012D, wmf_words(0)),  # SELECTOBJECT
        # Object 1: the red brush. CREATEBRUSHINDIRECT style, colour, hatch.
        wmf_record(0x02FC, struct.pack("<HIH", 0, colorref(RED), 0)),
        wmf_record(0x012D, wmf_words(1)),
        # RECTANGLE bottom, right, top, left.
        wmf_record(0x041B, wmf_words(RECTANGLE[3] + dy, RECTANGLE[2] + dx,
                                     RECTANGLE[1] + dy, RECTANGLE[0] + dx)),
        wmf_record(0x01F0, wmf_words(1)),  # DELETEOBJECT the red brush
        # Object 1 again: the blue brush.
        wmf_record(0x02FC, struct.pack("<HIH", 0, colorref(BLUE), 0)),
        wmf_record(0x012D, wmf_words(1)),
        # ELLIPSE bottom, right, top, left.
        wmf_record(0x0418, wmf_words(ELLIPSE[3] + dy, ELLIPSE[2] + dx,
                                     ELLIPSE[1] + dy, ELLIPSE[0] + dx)),
        # Object 2: the font.
        wmf_record(0x02FB, wmf_font(FONT_HEIGHT, FONT_FACE)),
        wmf_record(0x012D, wmf_words(2)),
        wmf_record(0x0209, struct.pack("<I", colorref(GREEN))),  # SETTEXTCOLOR
        wmf_record(0x012E, wmf_words(0)),  # SETTEXTALIGN TA_TOP | TA_LEFT
        # TEXTOUT length, string (padded to a word), y, x.
        wmf_record(0x0521, wmf_words(len(text)) + text + (b"\0" if len(text) % 2 else b"")
                   + wmf_words(TEXT_AT[1] + dy, TEXT_AT[0] + dx)),
        wmf_record(0x0000),  # EOF
    ]
    return b"".join(records)


def wmf_header(body, objects):
    largest = 0
    offset = 0
    while offset < len(body):
        words = struct.unpack_from("<I", body, offset)[0]
        largest = max(largest, words)
        offset += words * 2
    size_words = (18 + len(body)) // 2
    return struct.pack("<HHHIHIH", 1, 9, 0x0300, size_words, objects, largest, 0)


def placeable_header(left, top, right, bottom, inch):
    fields = struct.pack("<IHhhhhHI", 0x9AC6CDD7, 0, left, top, right, bottom, inch, 0)
    checksum = 0
    for (word,) in struct.iter_unpack("<H", fields):
        checksum ^= word
    return fields + struct.pack("<H", checksum)


def placeable_wmf():
    body = wmf_body(0, 0)
    # 1000 units to the inch: the frame is one inch by one and a half.
    return placeable_header(0, 0, FRAME[0], FRAME[1], 1000) + wmf_header(body, 3) + body


def plain_wmf():
    body = wmf_body(1000, 2000)
    return wmf_header(body, 3) + body


# ---- Enhanced metafile ----


def emr(kind, payload=b""):
    return struct.pack("<II", kind, 8 + len(payload)) + payload


def rectl(left, top, right, bottom):
    return struct.pack("<4i", left, top, right, bottom)


def emf_font(handle, height, face):
    name = face.encode("utf-16-le")[:62].ljust(64, b"\0")
    logfont = struct.pack("<5i8B", -height, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0) + name
    return emr(82, struct.pack("<I", handle) + logfont)  # EXTCREATEFONTINDIRECTW


def emf_text(x, y, text, ansi=False):
    chars = text.encode("cp1252" if ansi else "utf-16-le")
    padded = chars + b"\0" * (-len(chars) % 4)
    count = len(text)
    string_offset = 76
    dx_offset = string_offset + len(padded)
    dx = struct.pack("<%dI" % count, *([60] * count))
    bounds = rectl(x, y, x + 60 * count, y + FONT_HEIGHT)
    payload = (bounds + struct.pack("<Iff", 1, 0.0, 0.0)
               + struct.pack("<iiIII", x, y, count, string_offset, 0)
               + rectl(0, 0, -1, -1) + struct.pack("<I", dx_offset) + padded + dx)
    return emr(83 if ansi else 84, payload)  # EXTTEXTOUTA or EXTTEXTOUTW


def emf(ansi=False):
    width, height = FRAME
    # The reference device: 4 pixels to the millimetre, one pixel per unit.
    millimetres = (width // 4, height // 4)
    records = [
        emr(17, struct.pack("<I", 1)),  # SETMAPMODE MM_TEXT
        emr(18, struct.pack("<I", 1)),  # SETBKMODE TRANSPARENT
        emr(38, struct.pack("<IIiiI", 1, 0, PEN_WIDTH, 0, colorref(BLACK))),  # CREATEPEN
        emr(37, struct.pack("<I", 1)),  # SELECTOBJECT
        emr(39, struct.pack("<IIII", 2, 0, colorref(RED), 0)),  # CREATEBRUSHINDIRECT
        emr(37, struct.pack("<I", 2)),
        emr(43, rectl(*RECTANGLE)),  # RECTANGLE
        emr(39, struct.pack("<IIII", 3, 0, colorref(BLUE), 0)),
        emr(37, struct.pack("<I", 3)),
        emr(42, rectl(*ELLIPSE)),  # ELLIPSE
        emf_font(4, FONT_HEIGHT, FONT_FACE),
        emr(37, struct.pack("<I", 4)),
        emr(24, struct.pack("<I", colorref(GREEN))),  # SETTEXTCOLOR
        emr(22, struct.pack("<I", 0)),  # SETTEXTALIGN TA_TOP | TA_LEFT
        emf_text(TEXT_AT[0], TEXT_AT[1], TEXT, ansi),
        emr(14, struct.pack("<III", 0, 16, 20)),  # EOF
    ]
    body = b"".join(records)
    header_size = 108
    total = header_size + len(body)
    # Bounds: the ink in device units, inclusive. Frame: the whole picture in
    # hundredths of a millimetre.
    half = PEN_WIDTH // 2
    ink = (min(RECTANGLE[0], ELLIPSE[0]) - half, min(RECTANGLE[1], ELLIPSE[1]) - half,
           max(RECTANGLE[2], ELLIPSE[2]) + half, max(RECTANGLE[3], ELLIPSE[3]) + half)
    header = (rectl(*ink)
              + rectl(0, 0, millimetres[0] * 100, millimetres[1] * 100)
              + struct.pack("<IIIIHHIII", 0x464D4520, 0x10000, total, len(records) + 1,
                            5, 0, 0, 0, 0)
              + struct.pack("<ii", width, height) + struct.pack("<ii", *millimetres)
              + struct.pack("<III", 0, 0, 0)
              + struct.pack("<II", millimetres[0] * 1000, millimetres[1] * 1000))
    return emr(1, header) + body


SMUGGLED_FILE = (']]></text><image xlink:href="/home/jogador/foto.png" width="1000" '
                 'height="1000"/><text><![CDATA[')
SMUGGLED_DATA = (']]></text><image xlink:href="data:image/png;base64,iVBORw0KGgoAAAANSUhEUgAAAAEA'
                 'AAABCAYAAAAfFcSJAAAADUlEQVR42mP8z8DwHwAFBQIAX8jx0gAAAABJRU5ErkJggg==" '
                 'width="1000" height="1000"/><text><![CDATA[')


def text_emf(text, ansi):
    """An enhanced metafile that only writes one text."""
    width, height = FRAME
    millimetres = (width // 4, height // 4)
    records = [emf_font(1, FONT_HEIGHT, FONT_FACE), emr(37, struct.pack("<I", 1)),
               emf_text(100, 100, text, ansi), emr(14, struct.pack("<III", 0, 16, 20))]
    body = b"".join(records)
    header = (rectl(0, 0, width, height)
              + rectl(0, 0, millimetres[0] * 100, millimetres[1] * 100)
              + struct.pack("<IIIIHHIII", 0x464D4520, 0x10000, 108 + len(body), len(records) + 1,
                            2, 0, 0, 0, 0)
              + struct.pack("<ii", width, height) + struct.pack("<ii", *millimetres)
              + struct.pack("<III", 0, 0, 0)
              + struct.pack("<II", millimetres[0] * 1000, millimetres[1] * 1000))
    return emr(1, header) + body


def text_wmf(text):
    """A placeable Windows metafile that only writes one text."""
    data = text.encode("cp1252")
    records = [
        wmf_record(0x0103, wmf_words(8)),
        wmf_record(0x020C, wmf_words(FRAME[1], FRAME[0])),
        wmf_record(0x02FB, wmf_font(FONT_HEIGHT, FONT_FACE)),
        wmf_record(0x012D, wmf_words(0)),
        wmf_record(0x0521, wmf_words(len(data)) + data + (b"\0" if len(data) % 2 else b"")
                   + wmf_words(100, 100)),
        wmf_record(0x0000),
    ]
    body = b"".join(records)
    return placeable_header(0, 0, FRAME[0], FRAME[1], 1000) + wmf_header(body, 1) + body


def viewport_wmf():
    """Colours no named SVG colour matches, moved by the metafile's own
    viewport origin and scaled by its own extent, inside a saved state."""
    records = [
        wmf_record(0x0103, wmf_words(8)),
        wmf_record(0x020C, wmf_words(1000, 1000)),
        wmf_record(0x001E),  # SAVEDC
        wmf_record(0x020D, wmf_words(100, 100)),  # SETVIEWPORTORG y, x
        wmf_record(0x020E, wmf_words(500, 1000)),  # SETVIEWPORTEXT y, x
        wmf_record(0x02FA, wmf_words(0, 20, 0) + struct.pack("<I", colorref((0x12, 0x34, 0x56)))),
        wmf_record(0x012D, wmf_words(0)),
        wmf_record(0x02FC, struct.pack("<HIH", 0, colorref((0x00, 0xCC, 0xFF)), 0)),
        wmf_record(0x012D, wmf_words(1)),
        wmf_record(0x041B, wmf_words(300, 800, 0, 0)),
        wmf_record(0x0127, wmf_words(-1)),  # RESTOREDC
        wmf_record(0x0418, wmf_words(900, 900, 600, 600)),
        wmf_record(0x0000),
    ]
    body = b"".join(records)
    return placeable_header(0, 0, 1000, 1000, 1000) + wmf_header(body, 2) + body


def write(folder, name, content):
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as file:
        file.write(content)


def main():
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    samples = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        root, "tests", "data", "metafiles")
    seeds = sys.argv[2] if len(sys.argv) > 2 else os.path.join(
        root, "fuzz", "corpus", "fuzz_metafile_converter")
    files = {"shapes.emf": emf(), "ansi-text.emf": emf(ansi=True),
             "placeable.wmf": placeable_wmf(), "plain.wmf": plain_wmf()}
    for name, content in files.items():
        write(samples, name, content)
        write(seeds, name, content)
        write(seeds, "half-" + name, content[:len(content) // 2])
    write(seeds, "header-only.emf", files["shapes.emf"][:108])
    hostile = {
        "smuggle-file-wide.emf": text_emf(SMUGGLED_FILE, ansi=False),
        "smuggle-data-wide.emf": text_emf(SMUGGLED_DATA, ansi=False),
        "smuggle-file-ansi.emf": text_emf(SMUGGLED_FILE, ansi=True),
        "smuggle-data-ansi.emf": text_emf(SMUGGLED_DATA, ansi=True),
        "smuggle-file.wmf": text_wmf(SMUGGLED_FILE),
        "smuggle-data.wmf": text_wmf(SMUGGLED_DATA),
        "viewport.wmf": viewport_wmf(),
    }
    for name, content in hostile.items():
        write(seeds, name, content)


if __name__ == "__main__":
    main()
