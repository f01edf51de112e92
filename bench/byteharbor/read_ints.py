#!/usr/bin/env python3
"""One million 32-bit little-endian integers read back, side by side in one run:
a script with readBinInt from a BinaryFile and from a BinaryStream (the
listener), Python 3 with struct.unpack_from, Lua 5.4 with string.unpack.
Each reader times its own loop, so start-up and file loading stay out, and
keeps the best of ROUNDS rounds.

    read_ints.py --listener build/bin/listener --plugins build/test-plugins/byteharbor_alone
"""
import argparse
import os
import shutil
import struct
import subprocess
import tempfile
import time

COUNT = 1_000_000
ROUNDS = 5  # each reader keeps its best round, which is least disturbed by other load

SCRIPT = """
f = BinaryFile "ints.bin"
s = BinaryStream ()
for i = 1 to COUNT do writeBinInt s (readBinInt f)
best_file = 1e9; best_stream = 1e9; best_loop = 1e9
for round = 1 to ROUNDS do
(
  seek f 0 #start
  seek s 0 #start
  t0 = timeStamp ()
  for i = 1 to COUNT do readBinInt f
  t1 = timeStamp ()
  for i = 1 to COUNT do readBinInt s
  t2 = timeStamp ()
  for i = 1 to COUNT do i
  t3 = timeStamp ()
  if t1 - t0 < best_file do best_file = t1 - t0
  if t2 - t1 < best_stream do best_stream = t2 - t1
  if t3 - t2 < best_loop do best_loop = t3 - t2
)
seek s -3 #end  -- the stream counts #end from its last byte
format "RESULT % % % %\\n" best_file best_stream best_loop (readBinInt s)
close f
"""

LUA = """
local f = assert(io.open(arg[1], "rb"))
local s = f:read("a")
f:close()
local unpack = string.unpack
local best, v = math.huge, nil
for round = 1, ROUNDS do
  local t0 = os.clock()
  for pos = 1, COUNT * 4, 4 do v = unpack("<i4", s, pos) end
  best = math.min(best, os.clock() - t0)
end
print(string.format("RESULT %d %d", math.floor(best * 1000 + 0.5), v))
"""


def python_read(path):
    with open(path, "rb") as f:
        data = f.read()
    unpack_from = struct.unpack_from
    best, v = float("inf"), None
    for _ in range(ROUNDS):
        t0 = time.perf_counter()
        for i in range(COUNT):
            v = unpack_from("<i", data, i * 4)[0]
        best = min(best, time.perf_counter() - t0)
    return best * 1000, v


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--listener", required=True)
    ap.add_argument("--plugins", action="append", default=[])
    ap.add_argument("--lua", default=shutil.which("lua5.4") or "lua5.4")
    args = ap.parse_args()

    with tempfile.TemporaryDirectory(prefix="byteharbor-bench-") as work:
        path = os.path.join(work, "ints.bin")
        with open(path, "wb") as f:
            f.write(b"".join(struct.pack("<i", i * 7 - 3_000_000) for i in range(COUNT)))
        last = (COUNT - 1) * 7 - 3_000_000

        script = os.path.join(work, "read_ints.ms")
        with open(script, "w") as f:
            f.write(SCRIPT.replace("COUNT", str(COUNT)).replace("ROUNDS", str(ROUNDS)))
        cmd = [args.listener] + [a for d in args.plugins for a in ("--plugins", d)] + [script]
        out = subprocess.run(cmd, cwd=work, stdout=subprocess.PIPE, check=True, text=True).stdout
        line = next(l for l in out.splitlines() if l.startswith("RESULT"))
        file_ms, stream_ms, loop_ms, stream_last = (int(x) for x in line.split()[1:])
        assert stream_last == last, f"stream read {stream_last}, expected {last}"

        py_ms, py_last = python_read(path)
        assert py_last == last

        lua_ms = None
        if shutil.which(args.lua):
            lua_file = os.path.join(work, "read_ints.lua")
            with open(lua_file, "w") as f:
                f.write(LUA.replace("COUNT", str(COUNT)).replace("ROUNDS", str(ROUNDS)))
            out = subprocess.run([args.lua, lua_file, path], stdout=subprocess.PIPE, check=True, text=True).stdout
            lua_ms, lua_last = (int(x) for x in out.split()[1:])
            assert lua_last == last

    print(f"{COUNT} reads of a 32-bit little-endian integer (ms, best of {ROUNDS}, lower is better)")
    print(f"  script readBinInt, BinaryFile   {file_ms:8.0f}")
    print(f"  script readBinInt, BinaryStream {stream_ms:8.0f}")
    print(f"  script empty loop (for scale)   {loop_ms:8.0f}")
    print(f"  Python 3 struct.unpack_from     {py_ms:8.0f}")
    if lua_ms is not None:
        print(f"  Lua 5.4 string.unpack           {lua_ms:8.0f}")
    else:
        print("  Lua 5.4 string.unpack           (lua5.4 not found)")
    print("ratios (other / ours; above 1 means ours is faster)")
    for name, ours in (("BinaryFile", file_ms), ("BinaryStream", stream_ms)):
        line = f"  {name:12s} vs Python {py_ms / max(ours, 1):5.2f}"
        if lua_ms is not None:
            line += f"   vs Lua {lua_ms / max(ours, 1):5.2f}"
        print(line)


if __name__ == "__main__":
    main()
