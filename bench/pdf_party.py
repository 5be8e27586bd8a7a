"""Times `kestrix --export-pdf` as a whole process: a party of characters
(100 by default, each with the shipped picture and full lists) into one PDF,
with no display. Prints the median wall time and writes the runs as JSON."""
import argparse
import json
import os
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tests", "e2e"))
from make_character import write_character  # noqa: E402


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--kestrix", required=True)
    parser.add_argument("--characters", type=int, default=100)
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--json")
    args = parser.parse_args()

    with tempfile.TemporaryDirectory() as folder:
        files = []
        for i in range(args.characters):
            path = os.path.join(folder, f"personagem{i:03}.QsZ")
            write_character(path, "modelo.bmp", f"Personagem Número {i}",
                            ["3", "4", "2", "1", "5", "0", "1", "0", "2", "0", "1"],
                            [f"{j} Vantagem Comprida de Teste {j}" for j in range(10)],
                            [f"-{j} Desvantagem de Teste {j}" for j in range(10)], [])
            files.append(path)
        env = {k: v for k, v in os.environ.items()
               if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
        output = os.path.join(folder, "grupo.pdf")
        times = []
        for _ in range(args.runs):
            start = time.perf_counter()
            subprocess.run([args.kestrix, "--export-pdf", output, *files], env=env, check=True)
            times.append(time.perf_counter() - start)
        size = os.path.getsize(output)
    median = statistics.median(times)
    print(f"{args.characters} characters to one PDF: median {median * 1000:.0f} ms "
          f"over {args.runs} runs, {size / 1024:.0f} KiB")
    if args.json:
        with open(args.json, "w") as out:
            json.dump({"characters": args.characters, "seconds": times, "median": median,
                       "bytes": size}, out)


if __name__ == "__main__":
    main()
