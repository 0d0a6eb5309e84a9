#!/usr/bin/env python3
"""The whole program on the simulated adapter, timed and measured as a user
meets it, each figure beside its target. program_probe (built beside the
program) runs the program in its own process and prints when things
happened; this script starts each run on a fresh copy of the program folder,
reads memory and CPU from /proc, and watches the files the program writes.
Run under a display, after a release build:
    xvfb-run -a bench/program_bench.py [--build build] [--runs 5] [--idle 60]

Figures whose reference runs beside them (the bare GTK window) are only
comparable within one run: the machine may be loaded by anything else.
"""
import argparse
import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import threading
import time

MS = 1_000_000


def file_version(path):
    """What changes whenever a file is written anew. The inode alone does
    not: the writer's temporary file may get the number an earlier write of
    the same run freed."""
    info = os.stat(path)
    return info.st_ino, info.st_mtime_ns


class ProbeRun:
    """One probe process: its printed events, with what /proc showed at
    some of them."""

    def __init__(self, probe, args, env, lang, report=None, sample_memory=False):
        self.events = {}  # event -> list of its lines' numbers
        self.idle_cpu = []  # (process tree CPU ns, poll handler CPU ns, wall ns, frames)
        self.report_written = None
        self.gone = None
        self.tree_peak_kib = 0
        self.stderr = tempfile.TemporaryFile()
        self.child = subprocess.Popen([probe, *args], stdout=subprocess.PIPE, stderr=self.stderr, env=env, text=True)
        self.pid = self.child.pid
        sampler = threading.Thread(target=self._sample_memory, daemon=True)
        if sample_memory:
            sampler.start()
        idle_start = None
        self.errors = []
        lang_before_exit = file_version(lang)
        for line in self.child.stdout:
            event, *values = line.split()
            if event != "exit":
                lang_before_exit = file_version(lang)
            if event == "error":
                self.errors.append(line.strip())
            numbers = [int(v) for v in values if v.lstrip("-").isdigit()]
            self.events.setdefault(event, []).append(numbers)
            if event == "idle-begin":
                idle_start = (tree_cpu_ns(self.pid), numbers)
            elif event == "idle-end":
                cpu, begin = idle_start
                self.idle_cpu.append((delta_cpu(cpu, tree_cpu_ns(self.pid)), numbers[1] - begin[1],
                                      numbers[0] - begin[0], numbers[2]))
            elif event == "sheet-ok" and report:
                self.report_written = wait_for_file(report)
            elif event == "exit":
                break
        _, status, usage = os.wait4(self.pid, 0)
        self.gone = time.monotonic_ns()
        self.child.returncode = os.waitstatus_to_exitcode(status)
        self.peak_kib = usage.ru_maxrss
        self.lang_rewritten = file_version(lang) != lang_before_exit
        if sample_memory:
            sampler.join()
        if self.child.returncode != 0 or self.errors:
            self.stderr.seek(0)
            sys.stderr.write(self.stderr.read().decode(errors="replace")[-3000:])
            raise SystemExit(f"probe {' '.join(args)} failed ({self.child.returncode}): {self.errors}")

    def at(self, event, index=0):
        return self.events[event][index][0]

    def _sample_memory(self):
        while self.gone is None:
            self.tree_peak_kib = max(self.tree_peak_kib, tree_rss_kib(self.pid))
            time.sleep(0.05)


def children(pid):
    found = []
    try:
        for task in os.listdir(f"/proc/{pid}/task"):
            with open(f"/proc/{pid}/task/{task}/children") as f:
                found += [int(c) for c in f.read().split()]
    except OSError:
        pass
    return found


def tree(pid):
    pids, todo = [], [pid]
    while todo:
        p = todo.pop()
        pids.append(p)
        todo += children(p)
    return pids


def tree_cpu_ns(pid):
    """CPU time each process of the tree has had, summed over its threads."""
    cpu = {}
    for p in tree(pid):
        total = 0
        try:
            for task in os.listdir(f"/proc/{p}/task"):
                with open(f"/proc/{p}/task/{task}/schedstat") as f:
                    total += int(f.read().split()[0])
        except OSError:
            continue
        cpu[p] = total
    return cpu


def delta_cpu(before, after):
    return sum(ns - before.get(p, 0) for p, ns in after.items())


def tree_rss_kib(pid):
    total = 0
    for p in tree(pid):
        try:
            with open(f"/proc/{p}/status") as f:
                total += next(int(line.split()[1]) for line in f if line.startswith("VmRSS:"))
        except (OSError, StopIteration):
            pass
    return total


def wait_for_file(path, limit_s=60):
    end = time.monotonic() + limit_s
    while not os.path.exists(path):
        if time.monotonic() > end:
            return None
        time.sleep(0.001)
    return time.monotonic_ns()


def report_pages(path):
    """The parameter pages the report shows: each is a picture named after
    its page's list item."""
    with open(path, "rb") as f:
        return len(set(re.findall(rb"/(ListBoxItem\d+) \d+ 0 R", f.read())))


class Bench:
    def __init__(self, build, idle):
        self.probe = os.path.join(build, "bench", "program_probe")
        self.program = os.path.join(build, "esctool")
        self.idle = idle
        self.work = tempfile.mkdtemp(prefix="esctool_bench_")
        self.rows = []

    def folder(self):
        """A fresh copy of the program folder, as installed, for one run."""
        folder = tempfile.mkdtemp(dir=self.work)
        shutil.copytree(self.program, folder, dirs_exist_ok=True, ignore=shutil.ignore_patterns("esctool"))
        return folder

    def run(self, args, device=None, report=None, sample_memory=False):
        folder = self.folder()
        env = dict(os.environ, NO_AT_BRIDGE="1", ESCTOOL_PROGRAM_DIR=folder)
        env.pop("ESCTOOL_SIMULATED_HID", None)
        if device:
            env["ESCTOOL_SIMULATED_HID"] = device
        start = time.monotonic_ns()
        run = ProbeRun(self.probe, args, env, os.path.join(folder, "lang.ini"), report, sample_memory)
        run.start = start
        return run

    def row(self, figure, value, target="", verdict=""):
        self.rows.append((figure, value, target, verdict))
        print(f"  {figure}: {value}" + (f"   [target {target}: {verdict}]" if target else ""), flush=True)

    def check(self, figure, value, limit, unit, target_text, digits=1):
        self.row(figure, f"{value:.{digits}f} {unit}", target_text, "met" if value <= limit else "MISSED")

    def startup(self, runs):
        print(f"start-up, {runs} runs of each, interleaved:", flush=True)
        bare, frame, settings = [], [], []
        for _ in range(runs):
            run = self.run(["bare"])
            bare.append((run.at("frame") - run.start) / MS)
            run = self.run(["start"], device="CAR_ESC")
            frame.append((run.at("frame") - run.start) / MS)
            settings.append((run.at("settings") - run.start) / MS)
        b, f, s = statistics.median(bare), statistics.median(frame), statistics.median(settings)
        self.row("first frame, bare GTK window (median)", f"{b:.0f} ms")
        self.row("first frame, program (median)", f"{f:.0f} ms")
        self.check("first frame, program / bare", f / b, 1.15, "x", "<= 1.15x", 2)
        self.check("start to settings shown (median)", s, 1200, "ms", "<= 1200 ms", 0)

    def session(self):
        print(f"session on a car controller (idle {self.idle} s):", flush=True)
        report = os.path.join(self.work, "session report.pdf")
        run = self.run(["session", str(self.idle), report], device="CAR_ESC", report=report)
        self.idle_row("idle CPU, device connected", run, device=True)
        self.switches(run, "page", "page switch from the click", 16)
        self.switches(run, "language", "language switch from the menu, device connected", 150)
        self.report(run, report)
        exit_ms = (run.gone - run.at("exit")) / MS
        self.check("Exit to process gone", exit_ms, 200, "ms", "<= 200 ms", 0)
        self.row("lang.ini written at exit", "yes" if run.lang_rewritten else "NO", "written",
                 "met" if run.lang_rewritten else "MISSED")
        self.row("peak resident memory, session (program process)", f"{run.peak_kib / 1024:.1f} MiB")

    def switches(self, run, event, figure, limit):
        """Input to the frames that changed the window first and last."""
        switches = run.events[event]
        first = [(f - i) / MS for i, f, _, _ in switches]
        last = [(l - i) / MS for i, _, l, _ in switches]
        frames = [n for *_, n in switches]
        self.check(f"{figure}, to last changed pixel (median of {len(last)})", statistics.median(last), limit, "ms",
                   f"<= {limit} ms")
        self.row(f"{figure}: to first changed pixel (median); slowest to last; frames per switch",
                 f"{statistics.median(first):.1f} ms; {max(last):.1f} ms; {min(frames)}..{max(frames)}")

    def report(self, run, report):
        pages = report_pages(report) if os.path.exists(report) else 0
        if "sheet" in run.events:
            self.row("File > Print to race sheet shown", f"{(run.at('sheet') - run.at('print')) / MS:.0f} ms")
        if run.report_written is None:
            self.row("report written", "NO FILE", "<= 1000 ms", "MISSED")
            return
        ok_ms = (run.report_written - run.at("sheet-ok")) / MS
        self.check(f"race sheet OK to report of {pages} parameter pages written", ok_ms, 1000, "ms", "<= 1000 ms", 0)

    def idle_row(self, figure, run, device=False, target=True):
        cpu, poll, wall, frames = run.idle_cpu[0]
        share, poll_share = 100 * cpu / wall, 100 * poll / wall
        if not target:
            self.row(figure, f"{share:.2f} % of a core (poll handler {poll_share:.2f} %, {frames} frames)")
        elif device:
            self.check(f"{figure}, beyond the poll handler's {poll_share:.2f} % ({frames} frames)",
                       share - poll_share, 0.5, "% of a core", "<= 0.5 %", 2)
        else:
            self.check(f"{figure} ({frames} frames, poll handler {poll_share:.2f} %)", share, 0.5, "% of a core",
                       "< 0.5 %", 2)

    def help_column(self):
        print("help column on an airplane controller, then a report:", flush=True)
        runs = {}
        for variant in ("text", "web"):
            report = os.path.join(self.work, f"help {variant}.pdf")
            runs[variant] = self.run(["help", variant, str(self.idle), report], device="AIRPLANE_ESC",
                                     sample_memory=True)
        for variant, label in (("text", "without"), ("web", "with")):
            run = runs[variant]
            self.row(f"peak resident memory {label} the web view",
                     f"program {run.peak_kib / 1024:.1f} MiB, with its child processes {run.tree_peak_kib / 1024:.1f} MiB")
        self.idle_row("idle CPU after help column and report (with child processes)", runs["web"], target=False)

    def no_device(self):
        print("no device:", flush=True)
        run = self.run(["nodevice", str(self.idle)])
        self.idle_row("idle CPU, no device", run)
        self.switches(run, "language", "language switch from the menu, no device", 150)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--build", default="build", help="the build folder (default: build)")
    parser.add_argument("--runs", type=int, default=5, help="start-up runs of each kind (default: 5)")
    parser.add_argument("--idle", type=int, default=60, help="seconds of each idle measurement (default: 60)")
    args = parser.parse_args()
    bench = Bench(args.build, args.idle)
    try:
        bench.startup(args.runs)
        bench.session()
        bench.help_column()
        bench.no_device()
    finally:
        shutil.rmtree(bench.work, ignore_errors=True)


if __name__ == "__main__":
    main()
