#!/usr/bin/env python3
"""Time from process start to the first painted frame: the program's main
window against a bare GTK window of the same size, each started the same way
(a fresh process, same environment, same display), with the peak resident
memory of each. Run under a display, e.g.:
    xvfb-run -a bench/startup_ratio.py build/bench/startup_probe [runs]
"""
import os
import resource
import statistics
import subprocess
import sys
import time


def one_run(probe, mode):
    start = time.monotonic_ns()
    child = subprocess.Popen([probe, mode], stdout=subprocess.PIPE, env=dict(os.environ, NO_AT_BRIDGE="1"))
    out, _ = child.communicate(timeout=60)
    if child.returncode != 0:
        raise SystemExit(f"{mode} run failed with {child.returncode}")
    return (int(out.split()[0]) - start) / 1e6


def peak_kib(probe, mode):
    pid = os.fork()
    if pid == 0:
        devnull = os.open(os.devnull, os.O_WRONLY)
        os.dup2(devnull, 1)
        os.execv(probe, [probe, mode])
    _, status, usage = os.wait4(pid, 0)
    return usage.ru_maxrss


def main():
    probe = sys.argv[1]
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 10
    times = {"bare": [], "main": []}
    for _ in range(runs):  # interleaved, so drift hits both alike
        for mode in ("bare", "main"):
            times[mode].append(one_run(probe, mode))
    bare, main_ = statistics.median(times["bare"]), statistics.median(times["main"])
    print(f"first frame, median of {runs}: bare GTK window {bare:.1f} ms, main window {main_:.1f} ms, "
          f"ratio {main_ / bare:.2f}")
    bare_kib, main_kib = peak_kib(probe, "bare"), peak_kib(probe, "main")
    print(f"peak resident memory: bare {bare_kib / 1024:.1f} MiB, main {main_kib / 1024:.1f} MiB, "
          f"ratio {main_kib / bare_kib:.2f}")


if __name__ == "__main__":
    main()
