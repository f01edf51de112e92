#!/usr/bin/env python3
"""Listener benchmarks, measured side by side in one run.

1. Start-up: the listener with all plug-ins loaded running an empty script,
   median of repeated runs, beside python3 starting on an empty program.
2. A loop of N iterations doing integer arithmetic and a call of a
   registered primitive, beside the equivalent Lua 5.4 and python3 loops:
   time per iteration and peak resident memory of each. Each loop runs
   LOOP_ROUNDS times and keeps its best time, the run least disturbed by
   other load on the machine.

usage: listener_bench.py LISTENER [ITERATIONS]
"""
import os
import resource
import shutil
import statistics
import subprocess
import sys
import tempfile
import time


LOOP_ROUNDS = 5


def timed(cmd, repeat=1, best=False):
    times, peak = [], 0
    for _ in range(repeat):
        before = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss
        start = time.perf_counter()
        subprocess.run(cmd, check=True, stdout=subprocess.DEVNULL)
        times.append(time.perf_counter() - start)
        peak = max(peak, resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss, before)
    return (min(times) if best else statistics.median(times)), peak


def peak_rss_kb(cmd):
    # Run in a fresh child so the peak belongs to this command alone.
    out = subprocess.run([sys.executable, "-c", f"""
import resource, subprocess
subprocess.run({cmd!r}, check=True, stdout=subprocess.DEVNULL)
print(resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss)
"""], check=True, stdout=subprocess.PIPE)
    return int(out.stdout.split()[-1])


def main():
    listener = sys.argv[1]
    n = int(sys.argv[2]) if len(sys.argv) > 2 else 10_000_000
    with tempfile.TemporaryDirectory() as d:
        empty = os.path.join(d, "empty.ms")
        open(empty, "w").close()
        loop_ms = os.path.join(d, "loop.ms")
        with open(loop_ms, "w") as f:
            f.write(f"x = 0\nfor i = 1 to {n} do (x = i * 3 + 1; y = abs x)\n")
        loop_py = os.path.join(d, "loop.py")
        with open(loop_py, "w") as f:
            f.write(f"x = 0\nfor i in range(1, {n} + 1):\n    x = i * 3 + 1; y = abs(x)\n")

        # x is a global in the script, so it is one in Lua too; the second Lua
        # loop keeps everything local, Lua's fastest form of the same work.
        loop_lua = os.path.join(d, "loop.lua")
        with open(loop_lua, "w") as f:
            f.write(f"x = 0\nfor i = 1, {n} do x = i * 3 + 1; local y = math.abs(x) end\n")
        loop_lua_local = os.path.join(d, "loop_local.lua")
        with open(loop_lua_local, "w") as f:
            f.write(f"local abs, x = math.abs, 0\nfor i = 1, {n} do x = i * 3 + 1; local y = abs(x) end\n")

        start_l, _ = timed([listener, empty], repeat=21)
        start_p, _ = timed([sys.executable, "-c", "pass"], repeat=21)
        print(f"start-up, all plug-ins, empty script: listener {start_l * 1000:.1f} ms, "
              f"python3 {start_p * 1000:.1f} ms (ratio {start_l / start_p:.2f})")

        loop_l, _ = timed([listener, loop_ms], LOOP_ROUNDS, best=True)
        loop_p, _ = timed([sys.executable, loop_py], LOOP_ROUNDS, best=True)
        mem_l = peak_rss_kb([listener, loop_ms])
        mem_p = peak_rss_kb([sys.executable, loop_py])
        print(f"{n} iterations of arithmetic + a primitive call:")
        print(f"  listener {loop_l / n * 1e9:.0f} ns/iteration, peak {mem_l / 1024:.1f} MB")
        print(f"  python3  {loop_p / n * 1e9:.0f} ns/iteration, peak {mem_p / 1024:.1f} MB")
        print(f"  ratio listener/python3: {loop_l / loop_p:.2f}")
        lua = shutil.which("lua5.4")
        if lua is None:
            print("  lua5.4 not found: install it (scripts/setup.sh does) for the Lua comparison")
            return
        for label, path in (("globals", loop_lua), ("locals", loop_lua_local)):
            loop_lua_t, _ = timed([lua, path], LOOP_ROUNDS, best=True)
            mem_lua = peak_rss_kb([lua, path])
            print(f"  lua5.4 ({label}) {loop_lua_t / n * 1e9:.0f} ns/iteration, peak {mem_lua / 1024:.1f} MB,"
                  f" ratio listener/lua5.4: {loop_l / loop_lua_t:.2f}")


if __name__ == "__main__":
    main()
