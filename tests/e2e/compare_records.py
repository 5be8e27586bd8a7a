"""Prints the byte ranges where two character files differ, as field names."""
import sys

FIELDS = [(0, 256, "file name"), (256, 297, "name")]
for i, name in enumerate(["forca", "habilidade", "resistencia", "armadura", "poderdefogo",
                          "fogo", "terra", "agua", "ar", "luz", "trevas"]):
    FIELDS.append((297 + 6 * i, 303 + 6 * i, name))
FIELDS += [(363, 364, "reserved"), (364, 368, "advantage last index"),
           (368, 372, "disadvantage last index"), (372, 376, "observation last index"),
           (376, 786, "advantage slots"), (786, 1196, "disadvantage slots"),
           (1196, 1452, "picture path"), (1452, 4012, "observation slots")]


def field_of(offset):
    return next(name for start, end, name in FIELDS if start <= offset < end)


a = open(sys.argv[1], "rb").read()
b = open(sys.argv[2], "rb").read()
if len(a) != len(b):
    print(f"size {len(a)} != {len(b)}")
changed = sorted({field_of(i) for i in range(min(len(a), len(b))) if a[i] != b[i]})
print("\n".join(changed))
