#!/usr/bin/env python3
"""Measures the real VeltoMacro.exe under Wine on the current X display: scroll-rate accuracy,
latency from a key press to the first notch, CPU while idle and while scrolling, memory, size.
Run through scripts/bench, which builds everything and provides the display."""

import ctypes
import datetime
import os
import platform
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BUILD = os.path.join(ROOT, "build", "windows")
EXE = os.path.join(BUILD, "VeltoMacro.exe")
GAME = os.path.join(BUILD, "tests", "game_window.exe")
WINE_RUN = os.path.join(ROOT, "cmake", "wine-run")
TICK = os.sysconf("SC_CLK_TCK")
XK_UP = 0xFF52


def now_us():
    # Wine's QueryPerformanceCounter counts this clock, so the stand-in's notch times compare.
    return time.clock_gettime(time.CLOCK_MONOTONIC_RAW) * 1e6


class Keyboard:
    """Real X key events through XTest, without a process start between time stamp and event."""

    def __init__(self):
        self.x11 = ctypes.CDLL("libX11.so.6")
        self.xtst = ctypes.CDLL("libXtst.so.6")
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        self.x11.XKeysymToKeycode.restype = ctypes.c_ubyte
        self.x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        self.xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int,
                                                ctypes.c_ulong]
        self.display = self.x11.XOpenDisplay(None)
        if not self.display:
            sys.exit("bench: no X display")
        self.up = self.x11.XKeysymToKeycode(self.display, XK_UP)

    def key(self, pressed):
        sent = now_us()
        self.xtst.XTestFakeKeyEvent(self.display, self.up, 1 if pressed else 0, 0)
        self.x11.XSync(self.display, 0)
        return sent


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICK


def memory_kib(pid):
    values = {}
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            name, _, rest = line.partition(":")
            if name in ("VmRSS", "VmHWM"):
                values[name] = int(rest.split()[0])
    return values


def find_pid(name):
    for _ in range(100):
        out = subprocess.run(["pgrep", "-f", name], capture_output=True, text=True).stdout.split()
        if out:
            return int(out[0])
        time.sleep(0.1)
    sys.exit(f"bench: {name} did not start")


class Session:
    """A stand-in game window and VeltoMacro.exe with one interval, in a folder of their own."""

    def __init__(self, keyboard, interval):
        self.keyboard = keyboard
        self.work = tempfile.mkdtemp(prefix="velto-bench-")
        self.status = os.path.join(self.work, "status.txt")
        self.game = subprocess.Popen(
            [WINE_RUN, GAME, "LaunchUnrealUWindowsClient", "Velto", self.status, "--at", "20", "20"],
            cwd=self.work, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for _ in range(150):
            if os.path.exists(self.status):
                break
            time.sleep(0.1)
        window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--pid",
                                 str(self.game.pid)], capture_output=True, text=True).stdout.split()
        subprocess.run(["xdotool", "mousemove", "140", "180", "click", "1"], check=True)
        subprocess.run(["xdotool", "windowfocus", "--sync", window[0]], check=True)
        with open(os.path.join(self.work, "VeltoMacro.ini"), "w") as config:
            config.write(f"[general]\ninterval = {interval}\nupbind = 0x26\n")
        self.velto = subprocess.Popen([WINE_RUN, EXE], cwd=self.work, stdin=subprocess.DEVNULL,
                                      stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.pid = find_pid("VeltoMacro.exe")
        # Hooks in place once a press scrolls.
        for _ in range(40):
            self.keyboard.key(True)
            time.sleep(0.15)
            self.keyboard.key(False)
            time.sleep(0.25)
            if self.notches():
                return
        sys.exit("bench: VeltoMacro.exe never scrolled")

    def notches(self):
        with open(self.status) as status:
            for line in status:
                if line.startswith("notch_us"):
                    return [int(value) for value in line.split()[1:]]
        return []

    def notches_between(self, start, end):
        time.sleep(0.3)  # the stand-in's next status write
        return [t for t in self.notches() if start <= t <= end]

    def close(self):
        for process in (self.velto, self.game):
            process.kill()
            process.wait()
        subprocess.run(["rm", "-rf", self.work])


def measure(keyboard):
    results = {"rates": [], "exe_size": os.path.getsize(EXE)}
    for interval in (1, 5, 10, 50):
        session = Session(keyboard, interval)
        try:
            time.sleep(0.5)
            cpu_before = cpu_seconds(session.pid)
            pressed = keyboard.key(True)
            time.sleep(5)
            released = keyboard.key(False)
            cpu = (cpu_seconds(session.pid) - cpu_before) / ((released - pressed) / 1e6)
            held = session.notches_between(pressed, released)
            expected = (released - pressed) / 1000 / interval
            # The steady rate, from the first to the last notch of the hold: a count alone would
            # depend on where the hold falls between two ticks.
            rate = (len(held) - 1) / ((held[-1] - held[0]) / 1e6) if len(held) > 1 else 0
            results["rates"].append((interval, len(held), expected, rate, cpu))
            if interval == 5:
                results["scrolling_cpu"] = cpu
                results["memory"] = memory_kib(session.pid)
                latencies = []
                for _ in range(50):
                    pressed = keyboard.key(True)
                    time.sleep(0.08)
                    keyboard.key(False)
                    time.sleep(0.07)
                    first = [t for t in session.notches() if t >= pressed]
                    if not first:
                        time.sleep(0.3)
                        first = [t for t in session.notches() if t >= pressed]
                    if first:
                        latencies.append((min(first) - pressed) / 1000)
                results["latency"] = latencies
                idle_seconds = 60
                time.sleep(1)
                before = cpu_seconds(session.pid)
                time.sleep(idle_seconds)
                results["idle_cpu"] = (cpu_seconds(session.pid) - before) / idle_seconds
        finally:
            session.close()
    return results


def machine():
    model = "unknown CPU"
    with open("/proc/cpuinfo") as cpuinfo:
        for line in cpuinfo:
            if line.startswith("model name"):
                model = line.split(":", 1)[1].strip()
                break
    wine = subprocess.run(["wine", "--version"], capture_output=True, text=True).stdout.strip()
    return f"{platform.system()} {platform.release()}, {os.cpu_count()} cores ({model}), {wine}, Xvfb"


def report(results, hook_costs, load_costs):
    lines = [
        "# Measured performance",
        "",
        f"Measured by `scripts/bench` on {datetime.date.today().isoformat()}: {machine()}.",
        "The real `VeltoMacro.exe` under Wine, real X key events (XTest) on a virtual display, and a",
        "stand-in game window that time-stamps every wheel notch it receives.",
        "",
        "## Scroll rate (Up held for 5 s)",
        "",
        "| interval | notches in the hold | hold x 1000/interval | measured rate | requested rate "
        "| accuracy | CPU while scrolling |",
        "|---|---|---|---|---|---|---|",
    ]
    for interval, delivered, expected, rate, cpu in results["rates"]:
        requested = 1000 / interval
        lines.append(f"| {interval} ms | {delivered} | {expected:.0f} | {rate:.2f}/s | {requested:.0f}/s "
                     f"| {100 * rate / requested:.2f}% | {100 * cpu:.1f}% of a core |")
    latency = results["latency"]
    memory = results["memory"]
    lines += [
        "",
        "## Latency, idle cost, size",
        "",
        "| what | measured |",
        "|---|---|",
        f"| press of the bound key to the first notch, interval 5 ms ({len(latency)} presses) | "
        f"median {statistics.median(latency):.1f} ms, worst {max(latency):.1f} ms |",
        f"| CPU while idle, interval 5 ms (60 s) | {100 * results['idle_cpu']:.2f}% of a core |",
        f"| CPU while scrolling, interval 5 ms | {100 * results['scrolling_cpu']:.1f}% of a core |",
        f"| memory while running (resident set of the Wine process) | {memory['VmRSS'] / 1024:.1f} MiB "
        f"(peak {memory['VmHWM'] / 1024:.1f} MiB) |",
        f"| size of VeltoMacro.exe | {results['exe_size']:,} bytes |",
    ]
    if hook_costs:
        lines += ["", "## Hook procedures (native build, fake desktop, Google Benchmark medians)", "",
                  "| event | time per event |", "|---|---|"]
        lines += [f"| {name} | {cost} |" for name, cost in hook_costs]
    if load_costs:
        lines += ["", "## Loading the configuration (native build, Google Benchmark)", "",
                  "| file | longest line | time | throughput | peak heap during the load |",
                  "|---|---|---|---|---|"]
        lines += [f"| {size} MiB | {line} | {time_} | {speed} | {peak} |"
                  for size, line, time_, speed, peak in load_costs]
    return "\n".join(lines) + "\n"


def mebibytes_per_second(text):
    # Google Benchmark writes rates with binary prefixes: 980.5M/s, 1.2G/s.
    number, unit = float(text[:-3]), text[-3]
    scale = {"k": 1 / 1024, "M": 1, "G": 1024}[unit]
    return f"{number * scale:.0f} MiB/s"


def load_costs():
    binary = os.path.join(ROOT, "build", "host", "tests", "velto_load_benchmark")
    if not os.path.exists(binary):
        return []
    out = subprocess.run([binary], capture_output=True, text=True).stdout
    rows = []
    for line in out.splitlines():
        parts = line.split()
        if not parts or not parts[0].startswith("Load/"):
            continue
        _, size, longest = parts[0].split("/")
        fields = dict(part.split("=") for part in parts if "=" in part)
        longest = int(longest)
        rows.append((size, f"{longest} bytes" if longest < 1024 else f"{longest // 1048576} MiB",
                     f"{parts[1]} {parts[2]}", mebibytes_per_second(fields["bytes_per_second"]),
                     f"{float(fields['peak_heap_KiB'].rstrip('k')) * (1024 if fields['peak_heap_KiB'].endswith('k') else 1):.0f} KiB"))
    return rows


def hook_costs():
    binary = os.path.join(ROOT, "build", "host", "tests", "velto_hook_benchmark")
    if not os.path.exists(binary):
        return []
    out = subprocess.run([binary, "--benchmark_repetitions=5", "--benchmark_report_aggregates_only=true"],
                         capture_output=True, text=True).stdout
    names = {"UnboundKey": "unbound key", "MouseMove": "mouse move",
             "BoundKeyWithGate": "bound key press, window gate asked"}
    costs = []
    for line in out.splitlines():
        parts = line.split()
        if parts and parts[0].endswith("_median"):
            costs.append((names.get(parts[0][:-7], parts[0][:-7]), f"{parts[1]} {parts[2]}"))
    return costs


def main():
    text = report(measure(Keyboard()), hook_costs(), load_costs())
    os.makedirs(os.path.join(ROOT, "docs"), exist_ok=True)
    with open(os.path.join(ROOT, "docs", "performance.md"), "w") as out:
        out.write(text)
    print(text)


if __name__ == "__main__":
    main()
