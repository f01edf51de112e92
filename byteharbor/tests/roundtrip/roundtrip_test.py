#!/usr/bin/env python3
"""Binary files travel between scripts and Python's struct module.

1. Python writes little-endian integers, words, bytes, floats and
   zero-terminated strings; a script reads them back with BinaryFile and
   BinaryStream-free reads and prints them; the values must match.
2. A script writes the same kinds of values; Python unpacks the file and the
   values must match.
"""
import argparse
import os
import random
import struct
import subprocess
import sys
import tempfile

INTS = [0, 1, -1, 258, 2147483647, -2147483648, 123456789, -987654321]
WORDS = [0, 1, 255, 256, 65535, 4660]
BYTES = [0, 1, 127, 128, 255]
FLOATS = [0.0, 1.5, -2.25, 0.1, 3.4028234663852886e38, -1e-20]
STRINGS = [b"", b"abc", b"Harbor records", b"x" * 300]


def run_script(listener, plugins, workdir, text):
    path = os.path.join(workdir, "script.ms")
    with open(path, "w", encoding="latin-1") as f:
        f.write(text)
    cmd = [listener] + [a for d in plugins for a in ("--plugins", d)] + [path]
    proc = subprocess.run(cmd, cwd=workdir, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=300)
    lines = proc.stdout.decode("latin-1").splitlines()
    if proc.returncode != 0:
        raise SystemExit(f"listener failed ({proc.returncode}):\n" + "\n".join(lines))
    # Drop the load banner and anything else before the first result.
    marker = lines.index("BEGIN")
    return lines[marker + 1:]


def float_close(a, b):
    # Printed with 6 significant digits; the listener prints magnitudes below
    # the float epsilon (1.192092896e-07) as 0.0, so there the bits decide.
    if a == 0 and abs(b) < 1.192092896e-07:
        return True
    return a == b or abs(a - b) <= abs(b) * 1e-5


def python_writes_script_reads(listener, plugins, workdir):
    rng = random.Random(7)
    ints = INTS + [rng.randint(-2**31, 2**31 - 1) for _ in range(50)]
    data = bytearray()
    for v in ints:
        data += struct.pack("<i", v)
    for v in WORDS:
        data += struct.pack("<H", v)
    for v in BYTES:
        data += struct.pack("<B", v)
    for v in FLOATS:
        data += struct.pack("<f", v)
    for s in STRINGS:
        data += s + b"\0"
    with open(os.path.join(workdir, "from_python.bin"), "wb") as f:
        f.write(data)

    script = ['f = BinaryFile "from_python.bin"', 'format "BEGIN\\n"']
    script += ['format "%\\n" (readBinInt f)'] * len(ints)
    script += ['format "%\\n" (readBinWord f)'] * len(WORDS)
    script += ['format "%\\n" (readBinByte f)'] * len(BYTES)
    # A float shows 6 digits when printed, so its bits travel too: written
    # into a stream and read back as an integer.
    script += ['v = readBinFloat f; b = BinaryStream (); writeBinFloat b v; seek b 0 #start; '
               'format "% %\\n" v (readBinInt b)'] * len(FLOATS)
    script += ['format "[%]\\n" (readBinString f)'] * len(STRINGS)
    script += ['format "%\\n" (eof f)', "close f", ""]
    got = run_script(listener, plugins, workdir, "\n".join(script))

    want = [str(v) for v in ints + WORDS + BYTES]
    failures = []
    for i, w in enumerate(want):
        if got[i] != w:
            failures.append(f"integer {i}: script read {got[i]}, Python wrote {w}")
    base = len(want)
    for i, w in enumerate(FLOATS):
        stored = struct.unpack("<f", struct.pack("<f", w))[0]
        bits = struct.unpack("<i", struct.pack("<f", w))[0]
        shown, shown_bits = got[base + i].split()
        if not float_close(float(shown), stored) or int(shown_bits) != bits:
            failures.append(f"float {i}: script read {got[base + i]}, Python wrote {stored} (bits {bits})")
    base += len(FLOATS)
    for i, s in enumerate(STRINGS):
        if got[base + i] != "[" + s.decode("latin-1") + "]":
            failures.append(f"string {i}: script read {got[base + i]!r}")
    if got[base + len(STRINGS)] != "true":
        failures.append("the file did not end after the last string")
    return failures


def script_writes_python_reads(listener, plugins, workdir):
    script = ['f = BinaryFile "from_script.bin"']
    script += [f"writeBinInt f ({v})" if v != -2**31 else "writeBinInt f (setBit 0 31)" for v in INTS]
    script += [f"writeBinWord f {v}" for v in WORDS]
    script += [f"writeBinByte f {v}" for v in BYTES]
    script += ["writeBinFloat f 1.5", "writeBinFloat f -2.25"]
    script += [f'writeBinString f "{s.decode()}"' for s in STRINGS]
    script += ["close f", 'format "BEGIN\\n"', ""]
    run_script(listener, plugins, workdir, "\n".join(script))

    with open(os.path.join(workdir, "from_script.bin"), "rb") as f:
        data = f.read()
    failures = []
    offset = 0
    for v in INTS:
        got = struct.unpack_from("<i", data, offset)[0]
        offset += 4
        if got != v:
            failures.append(f"int: Python read {got}, script wrote {v}")
    for v in WORDS:
        got = struct.unpack_from("<H", data, offset)[0]
        offset += 2
        if got != v:
            failures.append(f"word: Python read {got}, script wrote {v}")
    for v in BYTES:
        got = struct.unpack_from("<B", data, offset)[0]
        offset += 1
        if got != v:
            failures.append(f"byte: Python read {got}, script wrote {v}")
    for v in (1.5, -2.25):
        got = struct.unpack_from("<f", data, offset)[0]
        offset += 4
        if got != v:
            failures.append(f"float: Python read {got}, script wrote {v}")
    for s in STRINGS:
        end = data.index(b"\0", offset)
        if data[offset:end] != s:
            failures.append(f"string: Python read {data[offset:end]!r}, script wrote {s!r}")
        offset = end + 1
    if offset != len(data):
        failures.append(f"{len(data) - offset} bytes left over after the last value")
    return failures


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--listener", required=True)
    ap.add_argument("--plugins", action="append", default=[])
    args = ap.parse_args()
    with tempfile.TemporaryDirectory(prefix="byteharbor-roundtrip-") as workdir:
        failures = python_writes_script_reads(args.listener, args.plugins, workdir)
        failures += script_writes_python_reads(args.listener, args.plugins, workdir)
    if failures:
        print("\n".join(failures))
        return 1
    print("round trip ok")
    return 0


if __name__ == "__main__":
    sys.exit(main())
