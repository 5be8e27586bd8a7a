#!/usr/bin/env python3
"""Counts the instructions of the start-up probe and of the text floor under
callgrind, one after the other in the same job, and compares them. A ratio of
instruction counts does not depend on the machine's load (two runs of one
binary differ by a few hundredths of a percent), so it can be checked in CI:
with --max-ratio, exits 1 when the probe takes more than that many times the
floor's instructions. Prints both counts and the inclusive costs that grew
most from the floor to the probe, where a new cost at start-up shows first.

Both programs run with the offscreen platform, in a fresh home, configuration
and data folder, so that nothing of this machine's user (recent files, a
catalogue of their own) takes part; each runs once natively before it is
counted, so that a font cache either of them builds is not counted against
one of them."""

import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile

LINE = re.compile(r"^\s*([\d,]+)\s+\([^)]*\)\s+(.*?)\s*$")


def isolated_environment(directory):
    env = dict(os.environ)
    for name in ("HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME",
                 "XDG_STATE_HOME"):
        env[name] = os.path.join(directory, name.lower())
        os.makedirs(env[name], exist_ok=True)
    runtime = os.path.join(directory, "runtime")
    os.makedirs(runtime, mode=0o700, exist_ok=True)
    env["XDG_RUNTIME_DIR"] = runtime
    env["KESTRIX_SITE_DATA_DIR"] = os.path.join(directory, "no-site-data")
    env["QT_QPA_PLATFORM"] = "offscreen"
    return env


def run(command, env, what):
    done = subprocess.run(command, env=env, stdin=subprocess.DEVNULL,
                          capture_output=True, text=True)
    if done.returncode != 0:
        sys.exit("%s failed (%d):\n%s" % (what, done.returncode, done.stderr[-4000:]))


def with_large_catalogues(probe, directory, entries):
    """A copy of the probe beside its data files, with two catalogues of
    `entries` entries each; the probe finds its catalogues by its own path."""
    sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
    from compare_startup import DATA_FILES, write_catalogue
    folder = os.path.join(directory, "program")
    os.makedirs(folder)
    shutil.copy2(probe, folder)
    for name in DATA_FILES:
        shutil.copy2(os.path.join(os.path.dirname(probe), name), folder)
    for name, marker in (("vantagem.lib", "-1"), ("desvant.lib", "--1")):
        write_catalogue(os.path.join(folder, name), entries, marker)
    return os.path.join(folder, os.path.basename(probe))


def count(program, directory, env):
    out = os.path.join(directory, os.path.basename(program) + ".callgrind")
    run([program], env, program)  # warm-up, not counted
    run(["valgrind", "--tool=callgrind", "--callgrind-out-file=" + out, program], env,
        "valgrind " + program)
    return out


def total(out):
    with open(out, errors="replace") as data:
        for line in data:
            if line.startswith(("summary:", "totals:")):
                return int(line.split()[1])
    sys.exit("%s holds no total" % out)


def function_name(text):
    """A function's name without the object file and the source file."""
    text = re.sub(r"\s*\(\d[\d,]*x\)", "", text)  # the call count of a call line
    text = re.sub(r"\s*\[[^\]]*\]$", "", text)  # the object file
    return text.split(":", 1)[-1]  # the source file


def call_tree(out):
    """Each function's inclusive instructions, and those of its calls to each
    function it calls, as callgrind_annotate reports them."""
    listing = subprocess.run(
        ["callgrind_annotate", "--tree=calling", "--inclusive=yes", "--threshold=100", out],
        capture_output=True, text=True, check=True).stdout
    costs, calls = {}, {}
    caller = None
    for line in listing.splitlines():
        match = LINE.match(line)
        if not match:
            continue
        cost = int(match.group(1).replace(",", ""))
        rest = match.group(2)
        if rest.startswith("*"):
            caller = function_name(rest[1:].strip())
            costs[caller] = max(costs.get(caller, 0), cost)
            calls.setdefault(caller, {})
        elif rest.startswith(">") and caller is not None:
            callee = function_name(rest[1:].strip())
            calls[caller][callee] = max(calls[caller].get(callee, 0), cost)
    return costs, calls


# Frames every run passes through, whatever it does: the loader's entry,
# the C library's start, each program's own main(), and the toolkit's frames
# that only hand events and paint requests on (they grow with every widget
# and would fill the list).
SPINE = re.compile(r"^(0x[0-9a-f]+|\(below main\)|main|__libc_start_main.*"
                   r"|Q\w*Application\w*::(exec|notify\w*|sendEvent|sendSpontaneousEvent)\(.*"
                   r"|QWidget::(event|show|setVisible)\(.*"
                   r"|QWidgetPrivate::(paintSiblingsRecursive|sendPaintEvent|drawWidget|showChildren"
                   r"|show_helper|setVisible)\(.*)$")


def grown(probe_out, floor_out, probe_total, top):
    """The functions of both runs whose inclusive cost grew most from the
    floor to the probe. A frame that hands nearly all its growth on to one
    function it calls (an event loop's dozen frames around the painting) is
    passed over for that function, which says more; so are recursion's
    repeated frames."""
    probe_costs, probe_calls = call_tree(probe_out)
    floor_costs, floor_calls = call_tree(floor_out)
    rows = []
    for name, cost in probe_costs.items():
        if name not in floor_costs or "'" in name or cost > probe_total or SPINE.match(name):
            continue
        growth = cost - floor_costs[name]
        if growth <= 0:
            continue
        floor_callees = floor_calls.get(name, {})
        handed_on = max((callee_cost - floor_callees.get(callee, 0)
                         for callee, callee_cost in probe_calls.get(name, {}).items()
                         if "'" not in callee), default=0)
        if handed_on >= 0.9 * growth:
            continue
        rows.append((growth, cost, floor_costs[name], name))
    rows.sort(reverse=True)
    return rows[:top]


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--probe", required=True, help="the kestrix-startup-probe program")
    parser.add_argument("--floor", required=True, help="the kestrix-startup-text-floor program")
    parser.add_argument("--max-ratio", type=float,
                        help="exit 1 when the probe takes more than this times the floor")
    parser.add_argument("--top", type=int, default=5, help="how many grown costs to list")
    parser.add_argument("--keep", help="copy both callgrind files into this folder")
    parser.add_argument("--entries", type=int,
                        help="give the probe two catalogues of this many entries each")
    args = parser.parse_args()
    for tool in ("valgrind", "callgrind_annotate"):
        if shutil.which(tool) is None:
            sys.exit("%s missing: run scripts/install-deps.sh" % tool)

    with tempfile.TemporaryDirectory(prefix="kestrix-callgrind-") as directory:
        env = isolated_environment(directory)
        probe = os.path.abspath(args.probe)
        if args.entries:
            probe = with_large_catalogues(probe, directory, args.entries)
        probe_out = count(probe, directory, env)
        floor_out = count(os.path.abspath(args.floor), directory, env)
        probe_total, floor_total = total(probe_out), total(floor_out)
        ratio = probe_total / floor_total
        print("start-up instructions: probe %s, text floor %s, ratio %.3f%s" % (
            format(probe_total, ","), format(floor_total, ","), ratio,
            "" if args.max_ratio is None else " (limit %.2f)" % args.max_ratio))
        print("inclusive costs grown most from the floor to the probe:")
        for growth, cost, base, name in grown(probe_out, floor_out, probe_total, args.top):
            print("  %+14s  %14s  (floor %s)  %s" % (
                format(growth, ","), format(cost, ","), format(base, ","), name[:110]))
        if args.keep:
            os.makedirs(args.keep, exist_ok=True)
            for out in (probe_out, floor_out):
                shutil.copy2(out, args.keep)
    if args.max_ratio is not None and ratio > args.max_ratio:
        print("start-up takes %.3f times the text floor's instructions, more than %.2f" % (
            ratio, args.max_ratio), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
