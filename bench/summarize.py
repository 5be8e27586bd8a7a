#!/usr/bin/env python3
"""Turns the benchmark results that bench.sh leaves in one folder into a
Markdown table of the figures that matter, each beside its goal."""

import json
import os
import sys


def medians(path):
    """Median real time of each benchmark in a Google Benchmark JSON file,
    in that benchmark's own time unit, and the unit."""
    with open(path) as source:
        data = json.load(source)
    result = {}
    for run in data["benchmarks"]:
        if run.get("aggregate_name", "median") != "median":
            continue
        name = run["run_name"] if "run_name" in run else run["name"]
        result[name] = (run["real_time"], run["time_unit"], run)
    return dict(sorted(result.items()))


def to_ms(value):
    time, unit, _ = value
    return time * {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[unit]


def verdict(value, goal):
    return "met" if value <= goal else "**missed**"


def main():
    folder = sys.argv[1]
    core = medians(os.path.join(folder, "bench_core.json"))
    storage = medians(os.path.join(folder, "bench_storage.json"))
    printing = medians(os.path.join(folder, "bench_print.json"))
    editor = medians(os.path.join(folder, "bench_catalogue_editor.json"))
    with open(os.path.join(folder, "catalogue_editor_process.json")) as source:
        editor_process = json.load(source)
    with open(os.path.join(folder, "startup.json")) as source:
        startup = json.load(source)

    def find(results, prefix):
        for name, value in results.items():
            if name.startswith(prefix):
                return value
        raise SystemExit("no result for " + prefix)

    rows = []
    paired = find(storage, "BM_LoadSaveAgainstRawFloor")[2]
    rows.append(("Load + save a character / raw read + fsynced write",
                 "%.2f / %.2f ms = %.2f" % (paired["program_us"] / 1000, paired["floor_us"] / 1000,
                                            paired["ratio"]), "≤ 2",
                 verdict(paired["ratio"], 2.0)))
    page = to_ms(find(printing, "BM_PrintSheetImage300Dpi"))
    rows.append(("Full page on a 300-dpi image", "%.1f ms" % page, "< 50 ms", verdict(page, 50.0)))
    actions = {name: to_ms(value) for name, value in editor.items()
               if name.startswith("BM_EditorAction/") and "/Scroll/" not in name
               and "/Save/" not in name}
    slowest = max(actions, key=actions.get)
    rows.append(("Catalogue editor, slowest single action on 100,000 entries (%s)"
                 % slowest.split("/")[1], "%.1f ms" % actions[slowest], "< 50 ms",
                 verdict(actions[slowest], 50.0)))
    opened = editor_process["open_seconds"] * 1000
    rows.append(("Catalogue editor opened with 1,000,000 entries, menu key to window",
                 "%.0f ms" % opened, "< 1 s", verdict(opened, 1000.0)))
    over = editor_process["peak_over_before_mb"]
    rows.append(("Catalogue editor opened with 1,000,000 entries, peak memory over start-up",
                 "%.1f MB" % over, "< 200 MB", verdict(over, 200.0)))
    goals = {"shipped catalogues": (1.15, 1.2),
             "shipped catalogues and a character file": (1.15, 1.2)}
    for scenario in startup["scenarios"]:
        label = scenario["label"]
        wall_goal, rss_goal = goals.get(label, (1.5, None))
        probe = scenario["median"]["probe"]
        base = scenario["median"]["baseline"]
        ratio = scenario["ratio_to_baseline"]
        floor = scenario["ratio_to_floor"]
        rows.append(("Start-up wall time, %s" % label,
                     "%.0f / %.0f ms = %.2f (%.2f × text floor)" % (
                         probe["wall_ms"], base["wall_ms"], ratio["wall_ms"], floor["wall_ms"]),
                     "≤ %.2f" % wall_goal, verdict(ratio["wall_ms"], wall_goal)))
        rows.append(("Start-up peak memory, %s" % label,
                     "%.1f / %.1f MB = %.2f (%.2f × text floor)" % (
                         probe["max_rss_kb"] / 1024, base["max_rss_kb"] / 1024,
                         ratio["max_rss_kb"], floor["max_rss_kb"]),
                     "≤ %.2f" % rss_goal if rss_goal else "—",
                     verdict(ratio["max_rss_kb"], rss_goal) if rss_goal else "—"))

    floor_rows = []
    for scenario in startup["scenarios"]:
        floor = scenario.get("floor_to_baseline")
        if floor:
            floor_rows.append("| %s | %.2f | %.2f |" % (
                scenario["label"], floor["wall_ms"], floor["max_rss_kb"]))

    print("| Figure | Measured | Goal | |")
    print("|---|---|---|---|")
    for row in rows:
        print("| %s | %s | %s | %s |" % row)
    if floor_rows:
        print()
        print("The text floor (an empty window plus a menu bar, one label and one edit)")
        print("against the empty window:")
        print()
        print("| Scenario | Wall time | Peak memory |")
        print("|---|---|---|")
        print("\n".join(floor_rows))
    print()
    print("| Micro-benchmark | Median |")
    print("|---|---|")
    for results in (core, storage, printing, editor):
        for name, (time, unit, _) in results.items():
            print("| %s | %.3g %s |" % (name.replace("/real_time", ""), time, unit))
    print()
    print("Load average (1, 5, 15 min) before the start-up runs: %s; after: %s." % (
        ", ".join("%.2f" % x for x in startup["load_average_before"]),
        ", ".join("%.2f" % x for x in startup["load_average_after"])))


if __name__ == "__main__":
    main()
