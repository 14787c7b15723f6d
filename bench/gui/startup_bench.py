#!/usr/bin/env python3
"""Start-up cost of the program against a bare Qt Widgets program.

Each run is timed from just before the process is spawned to the moment it reports its window
painted and flushed to the display (the programs print that moment themselves, on the same
monotonic clock), and its peak resident memory is taken from the kernel when it exits. The two
programs run in interleaved pairs, alternating which goes first, after a few warm-up runs; the
figures are medians, and the ratios are medians of the per-pair ratios.

Usage: startup_bench.py BUILD_DIR [PAIRS]   (needs DISPLAY; run-startup-bench.sh provides one)
"""

import os
import statistics
import sys
import time

STARTUP_TARGET = 1.25
MEMORY_TARGET = 1.15


def run(program):
    read_end, write_end = os.pipe()
    environment = dict(os.environ, QT_QPA_PLATFORM="xcb")
    start = time.monotonic_ns()
    pid = os.posix_spawn(
        program,
        [program],
        environment,
        file_actions=[
            (os.POSIX_SPAWN_DUP2, write_end, 1),
            (os.POSIX_SPAWN_CLOSE, read_end),
        ],
    )
    os.close(write_end)
    output = b""
    while chunk := os.read(read_end, 4096):
        output += chunk
    os.close(read_end)
    _, status, usage = os.wait4(pid, 0)
    if os.waitstatus_to_exitcode(status) != 0 or not output.strip():
        sys.exit(f"{program} failed (status {status}, output {output!r})")
    painted = int(output.split()[0])
    return (painted - start) / 1e6, usage.ru_maxrss  # milliseconds, KiB


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    build = sys.argv[1]
    pairs = int(sys.argv[2]) if len(sys.argv) == 3 else 40
    if pairs < 30:
        sys.exit("use at least 30 pairs")
    if not os.environ.get("DISPLAY"):
        sys.exit("no DISPLAY: run run-startup-bench.sh, which starts Xvfb")
    ormiza = os.path.join(build, "bench", "gui", "ormiza_first_paint")
    bare = os.path.join(build, "bench", "gui", "bare_first_paint")

    for _ in range(3):  # page cache, font cache
        run(bare)
        run(ormiza)

    times = {ormiza: [], bare: []}
    memory = {ormiza: [], bare: []}
    for pair in range(pairs):
        order = (bare, ormiza) if pair % 2 == 0 else (ormiza, bare)
        for program in order:
            elapsed, peak = run(program)
            times[program].append(elapsed)
            memory[program].append(peak)

    time_ratio = statistics.median(o / b for o, b in zip(times[ormiza], times[bare]))
    memory_ratio = statistics.median(o / b for o, b in zip(memory[ormiza], memory[bare]))
    print(f"pairs: {pairs}")
    print(
        f"start-up to first painted frame: ormiza {statistics.median(times[ormiza]):.1f} ms, "
        f"bare {statistics.median(times[bare]):.1f} ms, ratio {time_ratio:.3f} "
        f"(target <= {STARTUP_TARGET})"
    )
    print(
        f"peak RSS: ormiza {statistics.median(memory[ormiza]) / 1024:.1f} MiB, "
        f"bare {statistics.median(memory[bare]) / 1024:.1f} MiB, ratio {memory_ratio:.3f} "
        f"(target <= {MEMORY_TARGET})"
    )
    met = time_ratio <= STARTUP_TARGET and memory_ratio <= MEMORY_TARGET
    print("targets met" if met else "TARGETS MISSED")
    return 0 if met else 1


if __name__ == "__main__":
    sys.exit(main())
