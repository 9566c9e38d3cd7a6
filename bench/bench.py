#!/usr/bin/env python3
"""Measures the real VeltoMacro.exe under Wine on the current X display: the scroll rate and the
gaps between notches at several intervals, latency from a key press to the first notch, the delay
its hooks add to the desktop's other input, CPU while idle and while scrolling, memory, size; and,
from Google Benchmark's JSON, the cost of the hook procedures and of loading. Writes
docs/performance.md, keeping its section beside an earlier commit. Run through scripts/bench.

bench.py --against REV BUILD  measures only the idle CPU, the CPU with the pointer moving at 1000 Hz,
                              the rate at 5 ms and the hook procedures' cost, of the build of commit
                              REV in BUILD and of this one, in one run, and writes them as a section
                              of their own."""

import ctypes
import datetime
import json
import os
import platform
import statistics
import subprocess
import sys
import tempfile
import time

import notches

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BUILD = os.path.join(ROOT, "build", "windows")
SESSION = os.path.join(ROOT, "scripts", "session")
TICK = os.sysconf("SC_CLK_TCK")


def now_us():
    # Wine's QueryPerformanceCounter counts this clock, so the stand-in's notch times compare.
    return time.clock_gettime(time.CLOCK_MONOTONIC_RAW) * 1e6


class Keyboard:
    """Keys through XTest, without a process start between time stamp and event."""

    def __init__(self):
        self.x11, self.xtst = ctypes.CDLL("libX11.so.6"), ctypes.CDLL("libXtst.so.6")
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        self.x11.XKeysymToKeycode.restype = ctypes.c_ubyte
        self.x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        self.xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int,
                                                ctypes.c_ulong]
        self.display = self.x11.XOpenDisplay(None) or sys.exit("bench: no X display")
        self.xtst.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int,
                                                   ctypes.c_int, ctypes.c_ulong]
        self.up = self.x11.XKeysymToKeycode(self.display, 0xFF52)
        self.a = self.x11.XKeysymToKeycode(self.display, 0x61)

    def key(self, pressed, keycode=None):
        sent = now_us()
        self.xtst.XTestFakeKeyEvent(self.display, keycode or self.up, 1 if pressed else 0, 0)
        self.x11.XSync(self.display, 0)
        return sent


    def wiggle(self, x, y, seconds):
        """The pointer moved by a pixel and back, a thousand times a second."""
        end, step = time.monotonic() + seconds, 0
        while time.monotonic() < end:
            step += 1
            self.xtst.XTestFakeMotionEvent(self.display, -1, x + step % 2, y, 0)
            self.x11.XSync(self.display, 0)
            time.sleep(max(0.0, 0.001 - (time.monotonic() % 0.001)))


def proc_fields(pid, name):
    with open(f"/proc/{pid}/{name}") as f:
        return f.read()


def cpu_seconds(pid):
    fields = proc_fields(pid, "stat").rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICK


class Session:
    """The stand-in game window, and VeltoMacro.exe with one interval, through scripts/session."""

    def __init__(self, interval=None, programs=BUILD):
        # The stand-in is always this build's; `programs` the folder of the VeltoMacro measured.
        self.work, self.programs = tempfile.mkdtemp(prefix="velto-bench-"), programs
        self.run("window", "game", "LaunchUnrealUWindowsClient", "Velto", "20", "20")
        self.run("activate", "game")
        if interval:
            self.start(interval)

    def start(self, interval):
        # The side button too: the mouse hook and raw mouse input, which every move costs.
        self.run("velto", f"[general]\\ninterval = {interval}\\nupbind = 0x26\\ndownbind = 5\\n",
                 "keydown Up", "keyup Up", "game")
        with open(os.path.join(self.work, "velto.pid")) as pid:
            self.pid = int(pid.read())

    def value(self, key):
        with open(os.path.join(self.work, "game.txt")) as status:
            return next((int(line.split()[1]) for line in status if line.split()[0] == key), 0)

    def run(self, *args):
        subprocess.run([SESSION, self.work, *args], check=True, stdout=subprocess.DEVNULL,
                       env={**os.environ, "VELTO_PROGRAMS": self.programs})

    def notches(self):
        return notches.times(os.path.join(self.work, "game.txt"))

    def close(self):
        self.run("stop")
        subprocess.run(["rm", "-rf", self.work])


def burst(keyboard, session, presses=300):
    """Seconds from sending the first of a burst of key presses until the last reached the
    stand-in, for a key no program binds."""
    before = session.value("key_down_41")
    sent = keyboard.key(True, keyboard.a)
    keyboard.key(False, keyboard.a)
    for _ in range(presses - 1):
        keyboard.key(True, keyboard.a)
        keyboard.key(False, keyboard.a)
    for _ in range(200):
        time.sleep(0.1)
        if session.value("key_down_41") >= before + presses:
            return (session.value("last_key_down_us") - sent) / 1e6
    sys.exit("bench: the burst did not arrive")


def input_delay(keyboard):
    """The same burst without VeltoMacro and with it, in one run, three times each."""
    session = Session()
    try:
        without = [burst(keyboard, session) for _ in range(3)]
        session.start(5)
        time.sleep(0.5)
        with_it = [burst(keyboard, session) for _ in range(3)]
    finally:
        session.close()
    return statistics.median(without), statistics.median(with_it)


def moving_cpu(keyboard, session, seconds=10):
    """VeltoMacro's CPU while the pointer moves at 1000 Hz over the stand-in, nothing held."""
    before = cpu_seconds(session.pid)
    keyboard.wiggle(300, 200, seconds)
    return (cpu_seconds(session.pid) - before) / seconds


def measure(keyboard):
    results = {"rates": [], "input_delay": input_delay(keyboard)}
    for interval in (1, 5, 10, 50):
        session = Session(interval)
        try:
            time.sleep(0.5)
            cpu_before = cpu_seconds(session.pid)
            pressed = keyboard.key(True)
            time.sleep(5)
            released = keyboard.key(False)
            cpu = (cpu_seconds(session.pid) - cpu_before) / ((released - pressed) / 1e6)
            time.sleep(0.3)  # the stand-in's next status
            count, rate, median, p99, worst = notches.stats(
                [t for t in session.notches() if pressed <= t <= released])
            results["rates"].append((interval, count, rate, cpu, median, p99, worst))
            if interval == 5:
                results["memory"] = {line.split(":")[0]: int(line.split()[1])
                                     for line in proc_fields(session.pid, "status").splitlines()
                                     if line.startswith(("VmRSS", "VmHWM"))}
                latencies = []
                for _ in range(50):
                    pressed = keyboard.key(True)
                    time.sleep(0.08)
                    keyboard.key(False)
                    time.sleep(0.3)
                    first = [t for t in session.notches() if t >= pressed]
                    if first:
                        latencies.append((min(first) - pressed) / 1000)
                results["latency"] = latencies
                time.sleep(1)
                before = cpu_seconds(session.pid)
                time.sleep(60)
                results["idle_cpu"] = (cpu_seconds(session.pid) - before) / 60
                results["moving_cpu"] = statistics.median(
                    moving_cpu(keyboard, session) for _ in range(3))
        finally:
            session.close()
    return results


def against(keyboard, build, rev):
    """The idle CPU over 60 s, the CPU with the pointer moving at 1000 Hz (median of three 10 s
    runs) and the rate over a 5 s hold at 5 ms, of each build in turn."""
    rows = ["| build | CPU while idle | CPU, pointer moving at 1000 Hz | rate at 5 ms |",
            "|---|---|---|---|"]
    for name, path in ((f"commit {rev}", build), ("this one", BUILD)):
        session = Session(5, path)
        try:
            time.sleep(1)
            before = cpu_seconds(session.pid)
            time.sleep(60)
            idle = (cpu_seconds(session.pid) - before) / 60
            moving = statistics.median(moving_cpu(keyboard, session) for _ in range(3))
            pressed = keyboard.key(True)
            time.sleep(5)
            released = keyboard.key(False)
            time.sleep(0.3)
            rate = notches.stats([t for t in session.notches() if pressed <= t <= released])[1]
            rows.append(f"| {name} | {100 * idle:.2f}% of a core | {100 * moving:.1f}% of a core "
                        f"| {rate:.2f}/s |")
        finally:
            session.close()
    # The hook procedures of each, where the other build has its benchmark, one after the other.
    theirs = hook_medians(os.path.join(os.path.dirname(build), "host"))
    ours = hook_medians()
    rows += ["", f"| hook procedure, an event (medians of 5) | commit {rev} | this one |",
             "|---|---|---|"]
    rows += [f"| {HOOK_EVENTS.get(name, name)} | "
             f"{f'{theirs[name]:.1f} ns' if name in theirs else 'not measured'} | {time:.1f} ns |"
             for name, time in ours.items()]
    return "\n".join(rows)


def benchmark(name, *args, host=os.path.join(ROOT, "build", "host")):
    binary = os.path.join(host, "bench", name)
    if not os.path.exists(binary):
        return []
    out = subprocess.run([binary, "--benchmark_format=json", *args], capture_output=True,
                         text=True, check=True).stdout
    return json.loads(out)["benchmarks"]


HOOK_EVENTS = {"UnboundKey": "unbound key", "MouseMove": "mouse move",
               "BoundKeyWithGate": "bound key press, window gate asked",
               "RawMouseMove": "raw input's report of a mouse move",
               "RawBoundKeyWithItsCall": "bound key press with its raw input report",
               "RawBoundButtonWithItsCall": "bound button press with its raw input report"}


def hook_medians(host=os.path.join(ROOT, "build", "host")):
    """Nanoseconds an event, median of 5, by benchmark."""
    return {b["run_name"]: b["real_time"]
            for b in benchmark("velto_hook_benchmark", "--benchmark_repetitions=5",
                               "--benchmark_report_aggregates_only=true", host=host)
            if b.get("aggregate_name") == "median" and b["time_unit"] == "ns"}


def hook_rows():
    return [f"| {HOOK_EVENTS.get(name, name)} | {time:.1f} ns |"
            for name, time in hook_medians().items()]


def load_rows():
    rows = []
    for b in benchmark("velto_load_benchmark"):
        _, size, longest = b["name"].split("/")
        longest = int(longest)
        rows.append(f"| {size} MiB | {f'{longest} bytes' if longest < 1024 else f'{longest >> 20} MiB'} "
                    f"| {b['real_time']:.1f} {b['time_unit']} | {b['bytes_per_second'] / 2**20:.0f} MiB/s "
                    f"| {b['peak_heap_KiB']:.0f} KiB |")
    return rows


def machine():
    model = next((line.split(":", 1)[1].strip() for line in open("/proc/cpuinfo")
                  if line.startswith("model name")), "unknown CPU")
    wine = subprocess.run(["wine", "--version"], capture_output=True, text=True).stdout.strip()
    return f"{platform.system()} {platform.release()}, {os.cpu_count()} cores ({model}), {wine}, Xvfb"


def report(results):
    memory, latency = results["memory"], results["latency"]
    without, with_it = results["input_delay"]
    exe = os.path.getsize(os.path.join(BUILD, "VeltoMacro.exe"))
    lines = [
        "# Measured performance", "",
        f"Measured by `scripts/bench` on {datetime.date.today().isoformat()}: {machine()}.",
        "One run on one machine: nothing asserts these figures.",
        "The real `VeltoMacro.exe` under Wine, real X key events (XTest) on a virtual display, and a",
        "stand-in game window that time-stamps every wheel notch it receives.", "",
        "## Scroll rate and smoothness (Up held for 5 s)", "",
        "The rate is the steady rate from the first to the last notch of the hold. The gaps are",
        "between consecutive notches as the window receives them: what a player feels as smoothness.",
        "", "| interval | notches | measured rate | accuracy | median gap | 99th percentile gap "
        "| worst gap | CPU while scrolling |", "|---|---|---|---|---|---|---|---|"]
    for interval, count, rate, cpu, median, p99, worst in results["rates"]:
        lines.append(f"| {interval} ms | {count} | {rate:.2f}/s | {100 * rate * interval / 1000:.2f}% "
                     f"| {median:.2f} ms | {p99:.2f} ms | {worst:.1f} ms | {100 * cpu:.1f}% of a core |")
    lines += [
        "", "## Latency, idle cost, size", "", "| what | measured |", "|---|---|",
        f"| press of the bound key to the first notch, interval 5 ms ({len(latency)} presses) | "
        f"median {statistics.median(latency):.1f} ms, worst {max(latency):.1f} ms |",
        f"| CPU while idle, interval 5 ms (60 s) | {100 * results['idle_cpu']:.2f}% of a core |",
        f"| CPU with the pointer moving at 1000 Hz over the stand-in, a side button bound, nothing "
        f"held (median of three 10 s runs) | {100 * results['moving_cpu']:.1f}% of a core |",
        f"| a burst of 300 presses of an unbound key, until all reached the stand-in (median of 3) "
        f"| {without:.2f} s without VeltoMacro, {with_it:.2f} s with it running: "
        f"{1000 * (with_it - without) / 600:.2f} ms added a key event |",
        f"| memory while running (resident set of the Wine process) | {memory['VmRSS'] / 1024:.1f} MiB "
        f"(peak {memory['VmHWM'] / 1024:.1f} MiB) |",
        f"| size of VeltoMacro.exe | {exe:,} bytes |", "",
        "The delay added to other input is almost all Wine's round trip to a low-level hook in another",
        "process: the hook procedures themselves take nanoseconds (below)."]
    hooks, loads = hook_rows(), load_rows()
    if hooks:
        lines += ["", "## Hook procedures (native build, fake desktop, Google Benchmark medians of 5)",
                  "", "| event | time per event |", "|---|---|", *hooks]
    if loads:
        lines += ["", "## Loading the configuration (native build, Google Benchmark)", "",
                  "| file | longest line | time | throughput | peak heap during the load |",
                  "|---|---|---|---|---|", *loads]
    return "\n".join(lines) + "\n"


BESIDE = "\n## Beside commit "
PERFORMANCE = os.path.join(ROOT, "docs", "performance.md")


def main():
    # The measurements beside each earlier commit are a section of their own, kept by every run
    # but the next one against that commit.
    with open(PERFORMANCE) as page:
        ours, _, beside = page.read().partition(BESIDE)
    sections = {section.split("\n", 1)[0]: section for section in beside.split(BESIDE) if section}
    if sys.argv[1:2] == ["--against"]:
        table = against(Keyboard(), os.path.abspath(sys.argv[3]), sys.argv[2])
        print(table)
        sections[sys.argv[2]] = (f"{sys.argv[2]}\n\nMeasured by `scripts/bench --against {sys.argv[2]}` "
                                 f"on {datetime.date.today().isoformat()}, the commit's build\nfirst, "
                                 f"then this one's, each with Up and the first side button bound.\n\n"
                                 f"{table}\n")
    else:
        ours = report(measure(Keyboard()))
        print(ours)
    with open(PERFORMANCE, "w") as out:
        out.write(ours.rstrip("\n") + "\n" + "".join(BESIDE + s for s in sections.values()))


if __name__ == "__main__":
    main()
