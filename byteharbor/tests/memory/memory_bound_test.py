#!/usr/bin/env python3
"""Loops that make many short-lived streams or strings keep a bounded peak
resident size: the collector counts the memory streams hold, not only how
many values were made.

    memory_bound_test.py --listener build/bin/listener --plugins DIR
Environment: LOOP_ITERATIONS (default 1000000), PEAK_LIMIT_MB (default 100).
"""
import argparse
import os
import subprocess
import sys
import tempfile
import unittest

ARGS = None


def peak_kb(script):
    """Runs the script in a child of a fresh Python and gives that child's peak RSS."""
    with tempfile.TemporaryDirectory() as work:
        path = os.path.join(work, "loop.ms")
        with open(path, "w") as f:
            f.write(script)
        probe = f"""
import resource, subprocess, sys
subprocess.run(sys.argv[1:], check=True, stdout=subprocess.DEVNULL)
print(resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss)
"""
        env = dict(os.environ, ASAN_OPTIONS="quarantine_size_mb=8:detect_leaks=0")
        p = subprocess.run([sys.executable, "-c", probe, ARGS.listener, "--plugins", ARGS.plugins, path],
                           env=env, stdout=subprocess.PIPE, cwd=work, timeout=900, check=True)
        return int(p.stdout.decode().split()[-1])


class MemoryBound(unittest.TestCase):
    iterations = int(os.environ.get("LOOP_ITERATIONS", "1000000"))
    limit_kb = int(os.environ.get("PEAK_LIMIT_MB", "100")) * 1024

    def test_a_new_stream_each_iteration(self):
        kb = peak_kb(f"for i = 1 to {self.iterations} do (s = BinaryStream())\n")
        self.assertLess(kb, self.limit_kb)

    def test_reading_many_short_strings(self):
        kb = peak_kb(f"""s = BinaryStream ()
for i = 1 to {self.iterations} do writeBinString s "ab"
seek s 0 #start
for i = 1 to {self.iterations} do readBinString s
""")
        self.assertLess(kb, self.limit_kb)


if __name__ == "__main__":
    parser = argparse.ArgumentParser()
    parser.add_argument("--listener", required=True)
    parser.add_argument("--plugins", required=True)
    ARGS, rest = parser.parse_known_args()
    unittest.main(argv=[sys.argv[0]] + rest)
