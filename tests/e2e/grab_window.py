"""Writes a rectangle of an Xvfb screen as a PNG. Xvfb started with -fbdir
keeps its screen in an XWD file there (Xvfb_screen0); nothing else is needed
to look at what a test or a user would see."""
import argparse
import struct
import zlib

# The XWD header: 25 big-endian 32-bit fields, then the window name, then
# one 12-byte entry per colour of the colour map, then the pixels.
HEADER_FIELDS = (
    "header_size file_version pixmap_format pixmap_depth pixmap_width pixmap_height "
    "xoffset byte_order bitmap_unit bitmap_bit_order bitmap_pad bits_per_pixel "
    "bytes_per_line visual_class red_mask green_mask blue_mask bits_per_rgb "
    "colormap_entries ncolors window_width window_height window_x window_y "
    "window_bdrwidth").split()


def read_screen(path):
    data = open(path, "rb").read()
    header = dict(zip(HEADER_FIELDS, struct.unpack_from(">25I", data)))
    if header["bits_per_pixel"] != 32 or header["pixmap_depth"] != 24:
        raise SystemExit(f"{path}: only 24-bit screens in 32-bit pixels are read")
    start = header["header_size"] + 12 * header["ncolors"]
    return header, data[start:]


def channel(pixel, mask):
    shift = (mask & -mask).bit_length() - 1
    return (pixel & mask) >> shift


def crop_rgb(header, pixels, x, y, width, height):
    order = "<" if header["byte_order"] == 0 else ">"
    stride = header["bytes_per_line"]
    masks = header["red_mask"], header["green_mask"], header["blue_mask"]
    if x < 0 or y < 0 or x + width > header["pixmap_width"] or \
            y + height > header["pixmap_height"]:
        raise SystemExit("the rectangle is not inside the screen")
    rows = []
    for row in range(y, y + height):
        values = struct.unpack_from(f"{order}{width}I", pixels, row * stride + 4 * x)
        rows.append(bytes(channel(v, m) for v in values for m in masks))
    return rows


def scaled(rows, factor):
    for row in rows:
        yield b"".join(row[i:i + 3] * factor for i in range(0, len(row), 3))


def png(width, height, rows):
    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body +
                struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))
    raw = b"".join(b"\0" + row for row in rows)
    return (b"\x89PNG\r\n\x1a\n" +
            chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("screen", help="Xvfb's screen file (Xvfb_screen0)")
    parser.add_argument("x", type=int)
    parser.add_argument("y", type=int)
    parser.add_argument("width", type=int)
    parser.add_argument("height", type=int)
    parser.add_argument("output")
    parser.add_argument("--scale", type=int, default=1,
                        help="repeat each pixel this many times across and down (for OCR)")
    args = parser.parse_args()
    header, pixels = read_screen(args.screen)
    rows = crop_rgb(header, pixels, args.x, args.y, args.width, args.height)
    if args.scale > 1:
        rows = [row for row in scaled(rows, args.scale) for _ in range(args.scale)]
    with open(args.output, "wb") as out:
        out.write(png(args.width * args.scale, args.height * args.scale, rows))


if __name__ == "__main__":
    main()
