#!/usr/bin/env python3
"""Runs one .ms script through the listener and compares its output with the
expectations written in the script itself.

    print (setBit 0 31)     -- expect: -2147483648

Every `-- expect: TEXT` comment names the next output line, in order; the
script must print exactly those lines and no others. `-- expect-exit: N`
sets the exit status the listener must end with (default 0). The script runs
in a fresh temporary directory, so files it makes never touch the source tree,
with a registry database of its own there.
"""
import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile

EXPECT = re.compile(r"--\s?expect: ?(.*)$")
EXPECT_EXIT = re.compile(r"--\s?expect-exit:\s*(-?\d+)")


def expectations(script):
    lines, exit_code = [], 0
    with open(script, encoding="latin-1") as f:
        for line in f:
            line = line.rstrip("\n")
            m = EXPECT_EXIT.search(line)
            if m:
                exit_code = int(m.group(1))
                continue
            m = EXPECT.search(line)
            if m:
                lines.append(m.group(1).rstrip())
    return lines, exit_code


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--listener", required=True)
    ap.add_argument("--plugins", action="append", default=[])
    ap.add_argument("--no-plugins", action="store_true")
    ap.add_argument("script")
    args = ap.parse_args()

    want, want_exit = expectations(args.script)
    cmd = [args.listener]
    if args.no_plugins:
        cmd.append("--no-plugins")
    for d in args.plugins:
        cmd += ["--plugins", d]
    cmd.append(os.path.abspath(args.script))

    work = tempfile.mkdtemp(prefix="golden-")
    try:
        env = dict(os.environ, TMPDIR=work, HOME=work, WINAPI_REGISTRY=os.path.join(work, "registry.db"))
        proc = subprocess.run(cmd, cwd=work, env=env, stdout=subprocess.PIPE,
                              stderr=subprocess.STDOUT, timeout=600)
    finally:
        shutil.rmtree(work, ignore_errors=True)
    got = [l.rstrip() for l in proc.stdout.decode("latin-1").splitlines()]

    failures = []
    for i in range(max(len(want), len(got))):
        w = want[i] if i < len(want) else "<no more output expected>"
        g = got[i] if i < len(got) else "<no output>"
        if w != g:
            failures.append(f"line {i + 1}:\n  expected: {w}\n  got:      {g}")
    if proc.returncode != want_exit:
        failures.append(f"exit status {proc.returncode}, expected {want_exit}")
    if failures:
        print(f"FAIL {args.script}")
        print("\n".join(failures[:10]))
        print("---- full output ----")
        print("\n".join(got))
        return 1
    print(f"ok {args.script}: {len(want)} lines")
    return 0


if __name__ == "__main__":
    sys.exit(main())
