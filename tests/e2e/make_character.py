"""Writes a 4012-byte character file by hand, field by field, with bytes after
the lists that a save must leave alone (the record keeps them)."""
import struct
import sys


def short_string(record, offset, capacity, text):
    data = text.encode("cp1252")
    record[offset] = len(data)
    record[offset + 1:offset + 1 + len(data)] = data


def main(path, picture):
    record = bytearray(4012)
    short_string(record, 0, 255, "C:\\Jogos\\heroi.QsZ")  # where it was made
    short_string(record, 256, 40, "Herói de Teste")
    for i, value in enumerate(["1", "2", "3", "4", "5", "0", "0", "1", "0", "0", "2"]):
        short_string(record, 297 + 6 * i, 5, value)
    record[363] = 0x5A  # the reserved byte
    struct.pack_into("<iii", record, 364, 1, 0, 0)
    short_string(record, 376, 40, "2 Aceleração")
    short_string(record, 376 + 41, 40, "1 Perícia : Esportes")
    short_string(record, 376 + 82, 40, "3 Sobra de antes")  # leftover, not listed
    short_string(record, 786, 40, "-1 Código de Honra")
    short_string(record, 786 + 41, 40, "-2 Sobra")  # leftover, not listed
    short_string(record, 1196, 255, picture)
    short_string(record, 1452, 255, "Primeira linha")
    with open(path, "wb") as out:
        out.write(record)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2] if len(sys.argv) > 2 else "modelo.bmp")
