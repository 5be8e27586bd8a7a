#!/usr/bin/env python3
"""Times the start-up probe against the empty-window baseline (and, for
reference, the text floor: a window with one label, one edit and a menu) as
whole processes: wall time, CPU time and peak memory (max RSS). The programs
run interleaved, each round in a different order, so that all see the same
load on a shared machine; ratios are the median of the per-round ratios.

Each scenario gets a fresh program directory holding copies of the
executables and the data files, so all start from the same place and the
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
KEYS = ("wall_ms", "cpu_ms", "max_rss_kb")


def write_catalogue(path, entries, marker):
    """A catalogue in the shipped files' format: Windows-1252, CR LF."""
    with open(path, "w", encoding="cp1252", newline="") as out:
        for i in range(entries):
            out.write(("Aptid\u00e3o %d\r\n" if i % 2 else "Per\u00edcia %d\r\n") % i)
            out.write((marker if i % 7 == 3 else str(i % 5 + 1)) + "\r\n")


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


def scenario(args, label, entries, with_character):
    programs = {"probe": args.probe, "baseline": args.baseline, "floor": args.floor}
    with tempfile.TemporaryDirectory(prefix="kestrix-startup-") as directory:
        for path in programs.values():
            shutil.copy2(path, directory)
        for name in DATA_FILES:
            shutil.copy2(os.path.join(args.data_dir, name), directory)
        for name, marker in (("vantagem.lib", "-1"), ("desvant.lib", "--1")):
            if entries:
                write_catalogue(os.path.join(directory, name), entries, marker)
        commands = {name: [os.path.join(directory, os.path.basename(path))]
                    for name, path in programs.items()}
        if with_character:
            character = os.path.join(directory, "personagem.QsZ")
            shutil.copy2(os.path.join(args.data_dir, "qsz.lib"), character)
            commands["probe"].append(character)
        # A recovery copy left in the user's state folder would be offered.
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen",
                   XDG_STATE_HOME=os.path.join(directory, "state"))
        env.setdefault("XDG_RUNTIME_DIR", tempfile.gettempdir())

        names = list(commands)
        for _ in range(args.warmup):
            for name in names:
                run_once(args.measure, commands[name], env)
        samples = {name: [] for name in names}
        for round_number in range(args.runs):
            # Rotate the order so that none always runs first or last.
            shift = round_number % len(names)
            for name in names[shift:] + names[:shift]:
                samples[name].append(run_once(args.measure, commands[name], env))

    def median(name, key):
        return statistics.median(s[key] for s in samples[name])

    def ratio(over, key, of="probe"):
        return statistics.median(p[key] / b[key] for p, b in zip(samples[of], samples[over]))

    return {"label": label, "entries": entries or "shipped", "runs": args.runs,
            "character_file": with_character,
            "median": {name: {key: median(name, key) for key in KEYS} for name in names},
            "ratio_to_baseline": {key: ratio("baseline", key) for key in KEYS},
            "ratio_to_floor": {key: ratio("floor", key) for key in KEYS},
            "floor_to_baseline": {key: ratio("baseline", key, of="floor") for key in KEYS}}


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--probe", required=True)
    parser.add_argument("--baseline", required=True)
    parser.add_argument("--floor", required=True, help="the text-floor reference program")
    parser.add_argument("--measure", required=True, help="the kestrix-measure-process program")
    parser.add_argument("--data-dir", required=True, help="where the shipped data files are")
    parser.add_argument("--runs", type=int, default=20)
    parser.add_argument("--warmup", type=int, default=2)
    parser.add_argument("--large", type=int, default=100000,
                        help="entries in each catalogue of the large scenario")
    parser.add_argument("--json", help="write the results here")
    args = parser.parse_args()

    results = {"load_average_before": os.getloadavg(), "scenarios": []}
    for label, entries, with_character in (
            ("shipped catalogues", 0, False),
            ("shipped catalogues and a character file", 0, True),
            ("%d-entry catalogues" % args.large, args.large, False)):
        result = scenario(args, label, entries, with_character)
        results["scenarios"].append(result)
        probe, base = result["median"]["probe"], result["median"]["baseline"]
        print("%-42s wall %6.1f / %6.1f ms = %.2f   peak %6d / %6d KB = %.2f" % (
            label, probe["wall_ms"], base["wall_ms"], result["ratio_to_baseline"]["wall_ms"],
            probe["max_rss_kb"], base["max_rss_kb"], result["ratio_to_baseline"]["max_rss_kb"]),
            flush=True)
    results["load_average_after"] = os.getloadavg()
    if args.json:
        with open(args.json, "w") as out:
            json.dump(results, out, indent=2)


if __name__ == "__main__":
    main()
