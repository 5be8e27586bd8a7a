#!/usr/bin/env python3
"""Times the start-up probe against the empty-window baseline as whole
processes: wall time, CPU time and peak memory (max RSS), run interleaved so
that both see the same load on a shared machine.

Each scenario gets a fresh program directory holding copies of both
executables and the data files, so both start from the same place and the
probe finds its catalogues by its own path, as the program does."""

import argparse
import json
import os
import shutil
import statistics
import subprocess
import sys
import tempfile

DATA_FILES = ["vantagem.lib", "desvant.lib", "qsz.lib", "modelo.bmp"]


def write_catalogue(path, entries, marker):
    """A catalogue in the shipped files' format: Windows-1252, CR LF."""
    with open(path, "w", encoding="cp1252", newline="") as out:
        for i in range(entries):
            out.write(("Aptid\u00e3o %d\r\n" if i % 2 else "Per\u00edcia %d\r\n") % i)
            out.write((marker if i % 7 == 3 else str(i % 5 + 1)) + "\r\n")




def prepare(directory, args, entries):
    for program in (args.probe, args.baseline):
        shutil.copy2(program, directory)
    for name in DATA_FILES:
        shutil.copy2(os.path.join(args.data_dir, name), directory)
    if entries:
        for name, marker in (("vantagem.lib", "-1"), ("desvant.lib", "--1")):
            write_catalogue(os.path.join(directory, name), entries, marker)


def run_once(measure, command, env):
    # The measuring program forks the command itself: a child forked from
    # this script would start with the script's memory as its peak.
    done = subprocess.run([measure] + command, env=env, stdin=subprocess.DEVNULL,
                          capture_output=True, text=True)
    if done.returncode != 0:
        sys.exit("%s failed (%d): %s" % (command[0], done.returncode, done.stderr))
    wall, rss, user, system = done.stdout.split()
    return {"wall_ms": float(wall), "cpu_ms": float(user) + float(system),
            "max_rss_kb": int(rss)}


def summary(samples):
    out = {}
    for key in ("wall_ms", "cpu_ms", "max_rss_kb"):
        values = [s[key] for s in samples]
        out[key] = {"median": statistics.median(values), "min": min(values)}
    return out


def scenario(args, label, entries, with_character):
    with tempfile.TemporaryDirectory(prefix="kestrix-startup-") as directory:
        prepare(directory, args, entries)
        probe = [os.path.join(directory, os.path.basename(args.probe))]
        if with_character:
            character = os.path.join(directory, "personagem.QsZ")
            shutil.copy2(os.path.join(args.data_dir, "qsz.lib"), character)
            probe.append(character)
        baseline = [os.path.join(directory, os.path.basename(args.baseline))]
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
        env.setdefault("XDG_RUNTIME_DIR", tempfile.gettempdir())

        for _ in range(args.warmup):
            run_once(args.measure, probe, env)
            run_once(args.measure, baseline, env)
        samples = {"probe": [], "baseline": []}
        ratios = {"wall_ms": [], "cpu_ms": [], "max_rss_kb": []}
        for round_number in range(args.runs):
            # Alternate which goes first so neither always follows the other.
            order = [("probe", probe), ("baseline", baseline)]
            if round_number % 2:
                order.reverse()
            pair = {name: run_once(args.measure, command, env) for name, command in order}
            for name in pair:
                samples[name].append(pair[name])
            for key in ratios:
                ratios[key].append(pair["probe"][key] / pair["baseline"][key])

    result = {"label": label, "entries": entries or "shipped", "runs": args.runs,
              "character_file": with_character,
              "probe": summary(samples["probe"]),
              "baseline": summary(samples["baseline"]),
              "ratio": {key: statistics.median(values) for key, values in ratios.items()}}
    return result


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--probe", required=True)
    parser.add_argument("--baseline", required=True)
    parser.add_argument("--measure", required=True, help="the kestrix-measure-process program")
    parser.add_argument("--data-dir", required=True, help="where the shipped data files are")
    parser.add_argument("--runs", type=int, default=20)
    parser.add_argument("--warmup", type=int, default=2)
    parser.add_argument("--large", type=int, default=100000,
                        help="entries in each catalogue of the large scenario")
    parser.add_argument("--json", help="write the results here")
    args = parser.parse_args()

    results = {"load_average": os.getloadavg(), "scenarios": []}
    for label, entries, with_character in (
            ("shipped catalogues", 0, False),
            ("shipped catalogues and a character file", 0, True),
            ("%d-entry catalogues" % args.large, args.large, False)):
        result = scenario(args, label, entries, with_character)
        results["scenarios"].append(result)
        print("%-45s wall %6.1f / %6.1f ms = %.2f   rss %6d / %6d KB = %.2f   cpu ratio %.2f" % (
            label, result["probe"]["wall_ms"]["median"], result["baseline"]["wall_ms"]["median"],
            result["ratio"]["wall_ms"], result["probe"]["max_rss_kb"]["median"],
            result["baseline"]["max_rss_kb"]["median"], result["ratio"]["max_rss_kb"],
            result["ratio"]["cpu_ms"]), flush=True)
    results["load_average_after"] = os.getloadavg()
    if args.json:
        with open(args.json, "w") as out:
            json.dump(results, out, indent=2)


if __name__ == "__main__":
    main()
