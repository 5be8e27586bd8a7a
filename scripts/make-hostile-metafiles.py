#!/usr/bin/env python3
"""Writes the seeds of the converter's fuzz target that cost a renderer
dearly unless they are stopped, record by record:

  - chunk-bomb.emf: a bitmap stored as PNG whose 60 compressed text chunks
    inflate to 8 MB each;
  - dash-zigzag.emf and dash-zigzag.wmf: a dashed pen one unit wide drawing
    a zig-zag across a frame 30,000 units wide, millions of dashes;
  - rectangle-flood.emf: 20,000 filled rectangles (the tests generate the
    larger floods; a seed this size keeps the fuzzer quick);
  - pattern-brushes.emf: 300 pattern brushes of their own bitmaps, each
    filling a rectangle, which libemf2svg writes as <use> elements;
  - jpeg-bitmap.emf: a bitmap stored as JPEG (a grey 8 x 8 baseline JPEG,
    written here by hand).

Standard library only; the record helpers are make-metafiles.py's. The
files are committed; the build never runs this.
Usage: scripts/make-hostile-metafiles.py [seeds folder]
(default: fuzz/corpus/fuzz_metafile_converter)
"""

import importlib.util
import os
import struct
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
_spec = importlib.util.spec_from_file_location("metafiles", os.path.join(HERE, "make-metafiles.py"))
metafiles = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(metafiles)
emr, rectl, colorref = metafiles.emr, metafiles.rectl, metafiles.colorref
wmf_record, wmf_words = metafiles.wmf_record, metafiles.wmf_words

BI_JPEG = 4
BI_PNG = 5


def emf(records, width, height, handles):
    """An enhanced metafile on a reference device of four pixels to the
    millimetre, one unit a pixel."""
    millimetres = (width // 4, height // 4)
    body = b"".join(records) + emr(14, struct.pack("<III", 0, 16, 20))
    header = (rectl(0, 0, width, height)
              + rectl(0, 0, millimetres[0] * 100, millimetres[1] * 100)
              + struct.pack("<IIIIHHIII", 0x464D4520, 0x10000, 108 + len(body), len(records) + 2,
                            handles, 0, 0, 0, 0)
              + struct.pack("<ii", width, height) + struct.pack("<ii", *millimetres)
              + struct.pack("<III", 0, 0, 0)
              + struct.pack("<II", millimetres[0] * 1000, millimetres[1] * 1000))
    return emr(1, header) + body


def png_chunk(kind, data):
    return (struct.pack(">I", len(data)) + kind + data
            + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))


def png(width, height, rgb, extra=b""):
    rows = b"".join(b"\0" + bytes(rgb) * width for _ in range(height))
    return (b"\x89PNG\r\n\x1a\n"
            + png_chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
            + extra + png_chunk(b"IDAT", zlib.compress(rows)) + png_chunk(b"IEND", b""))


def grey_jpeg():
    """An 8 x 8 baseline JPEG of one grey: one DC and one AC Huffman code,
    each a single bit, and one block whose DC difference and AC are zero."""
    def segment(marker, payload):
        return b"\xff" + bytes([marker]) + struct.pack(">H", 2 + len(payload)) + payload
    one_code = bytes([1] + [0] * 15) + b"\x00"
    return (b"\xff\xd8"
            + segment(0xDB, b"\x00" + bytes([1] * 64))
            + segment(0xC0, struct.pack(">BHHB", 8, 8, 8, 1) + b"\x01\x11\x00")
            + segment(0xC4, b"\x00" + one_code)
            + segment(0xC4, b"\x10" + one_code)
            + segment(0xDA, b"\x01\x01\x00\x00\x3f\x00")
            + b"\x3f" + b"\xff\xd9")


def stretch_dib(x, y, width, height, compression, bits, bitmap_width, bitmap_height):
    info = struct.pack("<IiiHHIIiiII", 40, bitmap_width, bitmap_height, 1, 0, compression,
                       len(bits), 0, 0, 0, 0)
    payload = (rectl(x, y, x + width, y + height)
               + struct.pack("<6i", x, y, 0, 0, bitmap_width, bitmap_height)
               + struct.pack("<IIII", 80, len(info), 80 + len(info), len(bits))
               + struct.pack("<II", 0, 0x00CC0020) + struct.pack("<ii", width, height)
               + info + bits + b"\0" * (-len(bits) % 4))
    return emr(81, payload)  # STRETCHDIBITS


def chunk_bomb():
    text = png_chunk(b"zTXt", b"Comment\0\0" + zlib.compress(b"\0" * (8 << 20), 9))
    bitmap = png(2, 2, (255, 0, 255), text * 60)
    return emf([stretch_dib(100, 100, 800, 800, BI_PNG, bitmap, 2, 2)], 1000, 1000, 1)


def jpeg_bitmap():
    return emf([stretch_dib(100, 100, 800, 800, BI_JPEG, grey_jpeg(), 8, 8)], 1000, 1000, 1)


def zigzag(segments, side):
    return [(0 if i % 2 == 0 else side, i * side // (segments + 1)) for i in range(segments + 1)]


def dash_emf(segments=4000, side=30000):
    points = zigzag(segments, side)
    records = [
        emr(38, struct.pack("<IIiiI", 1, 1, 1, 0, 0)),  # CREATEPEN PS_DASH, one unit wide
        emr(37, struct.pack("<I", 1)),  # SELECTOBJECT
        emr(87, rectl(0, 0, side, side) + struct.pack("<I", len(points))  # POLYLINE16
            + b"".join(struct.pack("<hh", x, y) for x, y in points)),
    ]
    return emf(records, side, side, 2)


def dash_wmf(segments=2000, side=30000):
    points = zigzag(segments, side)
    records = [
        wmf_record(0x0103, wmf_words(8)),  # SETMAPMODE MM_ANISOTROPIC
        wmf_record(0x020C, wmf_words(side, side)),  # SETWINDOWEXT
        wmf_record(0x02FA, wmf_words(1, 1, 0) + struct.pack("<I", 0)),  # CREATEPENINDIRECT PS_DASH
        wmf_record(0x012D, wmf_words(0)),  # SELECTOBJECT
        wmf_record(0x0325, wmf_words(len(points))  # POLYLINE
                   + b"".join(wmf_words(x, y) for x, y in points)),
        wmf_record(0x0000),
    ]
    body = b"".join(records)
    return (metafiles.placeable_header(0, 0, side, side, 1000)
            + metafiles.wmf_header(body, 1) + body)


def rectangle_flood(count=20000):
    records = [emr(39, struct.pack("<IIII", 1, 0, colorref((255, 0, 0)), 0)),  # CREATEBRUSHINDIRECT
               emr(37, struct.pack("<I", 1))]
    for i in range(count):
        x, y = i * 7 % 990, i * 13 % 990
        records.append(emr(43, rectl(x, y, x + 10, y + 10)))  # RECTANGLE
    return emf(records, 1000, 1000, 2)


def pattern_brushes(count=300):
    records = []
    for i in range(count):
        info = struct.pack("<IiiHHIIiiII", 40, 2, 2, 1, 24, 0, 16, 0, 0, 0, 0)
        row = bytes([255 - i % 256, 0, i % 256]) * 2 + b"\0\0"
        # CREATEDIBPATTERNBRUSHPT: handle, usage, then where the header and
        # the pixels are.
        records.append(emr(94, struct.pack("<6I", i + 1, 0, 32, len(info), 32 + len(info), 16)
                           + info + row * 2))
        records.append(emr(37, struct.pack("<I", i + 1)))
        records.append(emr(43, rectl(i, i, i + 100, i + 100)))
    return emf(records, 1000, 1000, count + 1)


def main():
    seeds = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        HERE, "..", "fuzz", "corpus", "fuzz_metafile_converter")
    files = {
        "chunk-bomb.emf": chunk_bomb(),
        "dash-zigzag.emf": dash_emf(),
        "dash-zigzag.wmf": dash_wmf(),
        "rectangle-flood.emf": rectangle_flood(),
        "pattern-brushes.emf": pattern_brushes(),
        "jpeg-bitmap.emf": jpeg_bitmap(),
    }
    for name, content in files.items():
        metafiles.write(seeds, name, content)


if __name__ == "__main__":
    main()
