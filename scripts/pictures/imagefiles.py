"""Writers for the picture formats the program ships: palettised Windows
bitmaps (4 and 8 bits per pixel, BITMAPINFOHEADER, bottom-up rows) and RGBA
PNG, plus a median-cut quantiser to build the bitmaps' palettes."""

import struct
import zlib


def median_cut(colours, weights, count):
    """Splits distinct (r, g, b) colours, weighted by how many pixels use
    them, into at most count boxes. Returns (palette, box of each colour)."""
    boxes = [list(range(len(colours)))]

    def widest(box):
        return max((max(colours[i][c] for i in box) - min(colours[i][c] for i in box), c)
                   for c in range(3))

    while len(boxes) < count:
        candidates = [(widest(box)[0] * sum(weights[i] for i in box), n)
                      for n, box in enumerate(boxes) if len(box) > 1]
        if not candidates:
            break
        _, n = max(candidates)
        box = boxes.pop(n)
        channel = widest(box)[1]
        box.sort(key=lambda i: colours[i][channel])
        half = sum(weights[i] for i in box) / 2
        running = 0
        middle = 1
        for position, i in enumerate(box[:-1]):
            running += weights[i]
            middle = position + 1
            if running >= half:
                break
        boxes += [box[:middle], box[middle:]]

    palette = []
    box_of = [0] * len(colours)
    for n, box in enumerate(boxes):
        total = [0, 0, 0]
        population = sum(weights[i] for i in box)
        for i in box:
            for c in range(3):
                total[c] += colours[i][c] * weights[i]
            box_of[i] = n
        palette.append(tuple(int(t / population + 0.5) for t in total))
    return palette, box_of


def quantise(rows, count):
    """Turns rows of (r, g, b[, a]) into (palette, rows of indices)."""
    flat = [p[:3] for row in rows for p in row]
    histogram = {}
    for colour in flat:
        histogram[colour] = histogram.get(colour, 0) + 1
    unique = sorted(histogram)
    if len(unique) <= count:
        palette = unique
        lookup = {c: i for i, c in enumerate(unique)}
    else:
        palette, box_of = median_cut(unique, [histogram[c] for c in unique], count)
        lookup = {c: box_of[i] for i, c in enumerate(unique)}
    width = len(rows[0])
    indices = [[lookup[flat[y * width + x]] for x in range(width)] for y in range(len(rows))]
    return palette, indices


def write_bmp(path, palette, indices, bits):
    height, width = len(indices), len(indices[0])
    entries = 1 << bits
    if len(palette) > entries:
        raise ValueError(f"{path}: {len(palette)} colours do not fit in {bits} bits")
    palette = list(palette) + [(0, 0, 0)] * (entries - len(palette))
    row_bytes = ((width * bits + 31) // 32) * 4
    pixel_data = bytearray()
    for row in reversed(indices):
        line = bytearray()
        if bits == 8:
            line += bytes(row)
        else:
            for x in range(0, width, 2):
                high = row[x]
                low = row[x + 1] if x + 1 < width else 0
                line.append(high << 4 | low)
        line += bytes(row_bytes - len(line))
        pixel_data += line
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    offset = 14 + 40 + len(table)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixel_data), 0, 0, offset)
    # 2835 pixels per metre is 72 dots per inch.
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(pixel_data),
                       2835, 2835, entries, 0)
    with open(path, "wb") as f:
        f.write(header + info + table + pixel_data)


def write_png(path, rows):
    height, width = len(rows), len(rows[0])
    raw = bytearray()
    for row in rows:
        raw.append(0)
        for pixel in row:
            raw += bytes(pixel)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(bytes(raw), 9))
    png += chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)
