"""Opens the catalogue editor in the real program with a large catalogue and
reports what that costs the process: the time from the menu key to the
editor's window on screen, and the peak memory while it opens against the
memory the program held after its start-up.

Runs the program on a private Xvfb display and drives it with xdotool. The
catalogue (ENTRIES advantages, names with Windows-1252 accents) is the
user's own copy in a temporary XDG_DATA_HOME. Peak memory is the process's
VmHWM, reset through /proc/PID/clear_refs just before the menu key, so it is
the peak of opening the editor alone; the start-up figures are VmRSS and
VmHWM once the main window has settled."""
import argparse
import json
import os
import subprocess
import sys
import tempfile
import time

MAIN_TITLE = "Kestrix for Windows 95"
EDITOR_TITLE = "Cat.*logos"


def catalogue_bytes(entries):
    lines = []
    for i in range(entries):
        name = ("Aptid\xe3o %d" if i % 2 else "Per\xedcia %d") % i
        cost = "-1" if i % 7 == 3 else str(i % 5 + 1)
        lines.append(name + "\r\n" + cost + "\r\n")
    return "".join(lines).encode("cp1252")


def status_mb(pid, field):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith(field + ":"):
                return int(line.split()[1]) / 1024
    raise SystemExit(f"no {field} for process {pid}")


def find_window(title, env, timeout):
    deadline = time.perf_counter() + timeout
    while time.perf_counter() < deadline:
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{title}$"],
                               env=env, capture_output=True, text=True)
        if found.stdout.strip():
            return found.stdout.split()[-1]
        time.sleep(0.005)
    raise SystemExit(f"no window titled {title}")


def start_display(env):
    for number in range(90, 141):
        if os.path.exists(f"/tmp/.X11-unix/X{number}") or os.path.exists(f"/tmp/.X{number}-lock"):
            continue
        server = subprocess.Popen(["Xvfb", f":{number}", "-screen", "0", "1024x768x24",
                                   "-nolisten", "tcp"], stdout=subprocess.DEVNULL,
                                  stderr=subprocess.DEVNULL)
        env["DISPLAY"] = f":{number}"
        for _ in range(100):
            if subprocess.run(["xdpyinfo"], env=env, capture_output=True).returncode == 0:
                return server
            time.sleep(0.1)
        server.kill()
        server.wait()
    raise SystemExit("no free X display")


def measure(kestrix, entries):
    with tempfile.TemporaryDirectory() as folder:
        env = {k: v for k, v in os.environ.items() if k not in ("QT_QPA_PLATFORM", "WAYLAND_DISPLAY")}
        env["XDG_DATA_HOME"] = os.path.join(folder, "data")
        env["XDG_CONFIG_HOME"] = os.path.join(folder, "config")
        env["XDG_STATE_HOME"] = os.path.join(folder, "state")
        env["KESTRIX_SITE_DATA_DIR"] = os.path.join(folder, "site")
        os.makedirs(os.path.join(env["XDG_DATA_HOME"], "kestrix"))
        with open(os.path.join(env["XDG_DATA_HOME"], "kestrix", "vantagem.lib"), "wb") as out:
            out.write(catalogue_bytes(entries))
        server = start_display(env)
        program = subprocess.Popen([kestrix], env=env, cwd=folder, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        try:
            main = find_window(MAIN_TITLE, env, 30)
            subprocess.run(["xdotool", "windowfocus", "--sync", main], env=env, check=True)
            time.sleep(1.5)
            startup_rss = status_mb(program.pid, "VmRSS")
            startup_peak = status_mb(program.pid, "VmHWM")
            subprocess.run(["xdotool", "mousemove", "--window", main, "20", "8", "click", "1"],
                           env=env, check=True)
            time.sleep(0.5)
            before = status_mb(program.pid, "VmRSS")
            with open(f"/proc/{program.pid}/clear_refs", "w") as clear:
                clear.write("5")
            start = time.perf_counter()
            subprocess.run(["xdotool", "key", "t"], env=env, check=True)
            find_window(EDITOR_TITLE, env, 30)
            opened = time.perf_counter() - start
            time.sleep(1.5)
            peak = status_mb(program.pid, "VmHWM")
            after = status_mb(program.pid, "VmRSS")
        finally:
            program.kill()
            program.wait()
            # Asked to end, the server removes its lock and socket.
            server.terminate()
            server.wait()
    return {"entries": entries, "startup_rss_mb": startup_rss, "startup_peak_mb": startup_peak,
            "rss_before_open_mb": before, "peak_while_opening_mb": peak,
            "rss_after_open_mb": after, "peak_over_before_mb": peak - before,
            "open_seconds": opened}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--kestrix", required=True)
    parser.add_argument("--entries", type=int, default=1000000)
    parser.add_argument("--json")
    args = parser.parse_args()
    result = measure(os.path.abspath(args.kestrix), args.entries)
    print(f"{result['entries']} entries: editor on screen {result['open_seconds'] * 1000:.0f} ms "
          f"after the menu key; peak {result['peak_while_opening_mb']:.1f} MB while opening, "
          f"{result['peak_over_before_mb']:.1f} MB over the {result['rss_before_open_mb']:.1f} MB "
          f"held after start-up (start-up peak {result['startup_peak_mb']:.1f} MB)")
    if args.json:
        with open(args.json, "w") as out:
            json.dump(result, out)


if __name__ == "__main__":
    sys.exit(main())
