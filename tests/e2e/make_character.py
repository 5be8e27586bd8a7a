"""Writes a 4012-byte character file by hand, field by field, with bytes after
the lists that a save must leave alone (the record keeps them)."""
import argparse
import struct

# Record order: forca, habilidade, resistencia, armadura, poderdefogo, then
# the magic paths fogo, terra, agua, ar, luz, trevas.
DEFAULT_VALUES = ["1", "2", "3", "4", "5", "0", "0", "1", "0", "0", "2"]


def short_string(record, offset, capacity, text):
    data = text.encode("cp1252")[:capacity]
    record[offset] = len(data)
    record[offset + 1:offset + 1 + len(data)] = data


def write_list(record, offset, capacity, lines, leftover):
    slot = capacity + 1
    for i, line in enumerate(lines):
        short_string(record, offset + slot * i, capacity, line)
    # A slot past the last listed line, as a longer list saved earlier
    # would leave it.
    short_string(record, offset + slot * len(lines), capacity, leftover)


def write_character(path, picture, name, values, advantages, disadvantages, observations):
    record = bytearray(4012)
    short_string(record, 0, 255, "C:\\Jogos\\heroi.QsZ")  # where it was made
    short_string(record, 256, 40, name)
    for i, value in enumerate(values):
        short_string(record, 297 + 6 * i, 5, value)
    record[363] = 0x5A  # the reserved byte
    struct.pack_into("<iii", record, 364, len(advantages) - 1, len(disadvantages) - 1,
                     len(observations) - 1)
    write_list(record, 376, 40, advantages, "3 Sobra de antes")
    write_list(record, 786, 40, disadvantages, "-2 Sobra")
    short_string(record, 1196, 255, picture)
    for i, line in enumerate(observations):
        short_string(record, 1452 + 256 * i, 255, line)
    with open(path, "wb") as out:
        out.write(record)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("path")
    parser.add_argument("picture", nargs="?", default="modelo.bmp")
    parser.add_argument("--name", default="Herói de Teste")
    parser.add_argument("--values", default=",".join(DEFAULT_VALUES),
                        help="eleven comma-separated texts in record order")
    parser.add_argument("--advantage", action="append",
                        help="an advantage item line; repeat for more")
    parser.add_argument("--disadvantage", action="append",
                        help="a disadvantage item line; repeat for more")
    parser.add_argument("--observation", action="append",
                        help="an observation line; repeat for more")
    args = parser.parse_args()
    values = args.values.split(",")
    if len(values) != len(DEFAULT_VALUES):
        parser.error("--values needs eleven texts")
    write_character(
        args.path, args.picture, args.name, values,
        args.advantage or ["2 Aceleração", "1 Perícia : Esportes"],
        args.disadvantage or ["-1 Código de Honra"],
        args.observation or ["Primeira linha"])


if __name__ == "__main__":
    main()
