#!/usr/bin/env python3
"""Writes the seed inputs of byteharbor_stream_fuzz into corpus/.

An input is a sequence of steps: operation, shape, 4-byte little-endian
number, text length, text. The shape picks the seek origin (shape % 3) and
whether the number is used whole (shape >= 224) or cut to within 10000.
"""
import os
import struct

OPS = {name: i for i, name in enumerate(
    "writeBinByte writeBinWord writeBinInt writeBinFloat writeBinChar writeBinString "
    "readBinByte readBinWord readBinInt readBinFloat readBinChar readBinString seek flush".split())}
ORIGIN = {"start": 0, "current": 1, "end": 2}


def step(op, number=0, text=b"", origin="start", whole=False):
    shape = ORIGIN[origin] + (225 if whole else 0)
    while shape % 3 != ORIGIN[origin]:
        shape += 1
    return bytes([OPS[op], shape]) + struct.pack("<I", number & 0xFFFFFFFF) + bytes([len(text)]) + text


def f32(x):
    return struct.unpack("<I", struct.pack("<f", x))[0]


SEEDS = {
    "int_round_trip": step("writeBinInt", 258) + step("seek", 0) + step("readBinInt") + step("readBinByte"),
    "every_type": b"".join([step("writeBinByte", 300), step("writeBinWord", 65535), step("writeBinInt", -5),
                            step("writeBinFloat", f32(1.5)), step("writeBinChar", text=b"Zed"),
                            step("writeBinString", text=b"abc"), step("seek", 0), step("readBinByte"),
                            step("readBinWord"), step("readBinInt"), step("readBinFloat"), step("readBinChar"),
                            step("readBinString"), step("readBinString")]),
    "end_origin": step("writeBinString", text=b"0123456789") + step("seek", -3, origin="end") +
                  step("readBinChar") + step("seek", 1, origin="end") + step("readBinByte"),
    "past_the_end": step("seek", 5000) + step("writeBinByte", 7) + step("seek", 4999) + step("readBinWord") +
                    step("seek", -2, origin="current") + step("readBinInt"),
    "far_positions": step("writeBinString", text=b"abc") + step("seek", 2147483647, whole=True) +
                     step("writeBinInt", 5) + step("seek", 2147479998, whole=True) + step("writeBinInt", 1) +
                     step("seek", -2147483647, origin="current", whole=True) + step("readBinString"),
    "read_write_turns": step("writeBinString", text=b"ABCDEFGH") + step("seek", 0) + step("writeBinWord", 0x7978) +
                        step("readBinChar") + step("writeBinChar", text=b"z") + step("readBinByte") + step("flush") +
                        step("seek", 0) + step("readBinString"),
    "block_edges": b"".join(step("writeBinInt", i * 1000) for i in range(1, 12)) + step("seek", 3990) +
                   step("writeBinString", text=b"0123456789a") + step("seek", 3996) + step("readBinInt") +
                   step("readBinString"),
}

if __name__ == "__main__":
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus")
    os.makedirs(out, exist_ok=True)
    for name, data in SEEDS.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)
