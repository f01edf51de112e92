#!/usr/bin/env python3
"""chimekit's players through the listener, into an ALSA file sink: a HOME
of the test's own holds an .asoundrc whose default device writes the raw
samples to a file, so what each function played can be read back.

    playback_test.py --listener LISTENER --plugins CHIMEKIT_FOLDER
"""
import argparse
import os
import struct
import subprocess
import sys
import tempfile


def wave_file(channels, rate, bits, samples):
    block = channels * bits // 8
    fmt = struct.pack("<HHIIHH", 1, channels, rate, rate * block, block, bits)
    body = b"WAVE" + b"fmt " + struct.pack("<I", 16) + fmt + b"data" + struct.pack("<I", len(samples)) + samples
    return b"RIFF" + struct.pack("<I", len(body)) + body


def pattern(size, seed):
    return bytes((i * 7 + seed + i // 251) & 0xFF for i in range(size))


class Sandbox:
    def __init__(self, listener, plugins):
        self.listener, self.plugins = listener, plugins
        self.home = tempfile.mkdtemp(prefix="chimekit-")
        self.sink = os.path.join(self.home, "sink.raw")
        with open(os.path.join(self.home, ".asoundrc"), "w") as f:
            f.write('pcm.!default {\n  type file\n  slave.pcm "null"\n  file "%s"\n  format "raw"\n}\n' % self.sink)

    def sound(self, name, content):
        path = os.path.join(self.home, name)
        with open(path, "wb") as f:
            f.write(content)
        return path

    def run(self, script):
        """Runs the script with a fresh sink; gives its output lines (banner left out) and the sink."""
        if os.path.exists(self.sink):
            os.remove(self.sink)
        path = os.path.join(self.home, "test.ms")
        with open(path, "w") as f:
            f.write(script)
        env = dict(os.environ, HOME=self.home, WINAPI_REGISTRY=os.path.join(self.home, "registry.db"))
        proc = subprocess.run([self.listener, "--plugins", self.plugins, path], cwd=self.home, env=env,
                              stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=120)
        lines = [l for l in proc.stdout.decode("latin-1").splitlines()[2:]]
        sink = open(self.sink, "rb").read() if os.path.exists(self.sink) else b""
        return proc.returncode, lines, sink


def ms_string(path):
    return '"' + path.replace("\\", "\\\\").replace('"', '\\"') + '"'


# Waits (at most 20 s) until the sink holds `size` bytes; prints whether it did.
WAIT = """
fn waitForSink size = (
  t0 = timeStamp ()
  while (not (doesFileExist sinkPath) or getFileSize sinkPath < size) and timeStamp () - t0 < 20000 do ()
  doesFileExist sinkPath and getFileSize sinkPath >= size
)
"""


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--listener", required=True)
    ap.add_argument("--plugins", required=True)
    args = ap.parse_args()
    box = Sandbox(args.listener, args.plugins)
    failures = []

    def check(label, ok, detail=""):
        if not ok:
            failures.append(f"{label}: {detail}")

    # PlayWavLocked returns once the whole sound has played.
    samples = pattern(2 * 4000, 3)
    locked = box.sound("locked.wav", wave_file(1, 16000, 16, samples))
    code, lines, sink = box.run(f"print (PlayWavLocked {ms_string(locked)})\n")
    check("PlayWavLocked result", code == 0 and lines == ["true"], (code, lines))
    check("PlayWavLocked samples", sink[: len(samples)] == samples and not any(sink[len(samples):]),
          f"sink of {len(sink)} bytes")

    # PlayWav returns at once; the sound plays on while the script goes on.
    samples = pattern(2 * 16000, 5)
    later = box.sound("async.wav", wave_file(2, 22050, 16, samples))
    code, lines, sink = box.run(f"sinkPath = {ms_string(box.sink)}\n{WAIT}"
                                f"print (PlayWav {ms_string(later)})\nprint (waitForSink {len(samples)})\n")
    check("PlayWav result", code == 0 and lines == ["true", "true"], (code, lines))
    check("PlayWav samples", sink[: len(samples)] == samples, f"sink of {len(sink)} bytes")

    # PlayWavLoop repeats the sound until PlayWavStop.
    samples = pattern(1200, 9)
    loop = box.sound("loop.wav", wave_file(1, 8000, 8, samples))
    code, lines, sink = box.run(f"sinkPath = {ms_string(box.sink)}\n{WAIT}"
                                f"print (PlayWavLoop {ms_string(loop)})\nprint (waitForSink {3 * len(samples)})\n"
                                "print (PlayWavStop ())\n")
    check("PlayWavLoop result", code == 0 and lines == ["true", "true", "true"], (code, lines))
    for round in range(3):
        part = sink[round * len(samples):(round + 1) * len(samples)]
        check(f"PlayWavLoop round {round + 1}", part == samples, f"sink of {len(sink)} bytes")

    # Beep sounds a tone on the speaker: 100 ms of 16-bit samples at 48 kHz.
    code, lines, sink = box.run("print (Beep 440 100)\n")
    check("Beep result", code == 0 and lines == ["true"], (code, lines))
    check("Beep tone", len(sink) >= 48000 * 2 // 10 and any(sink), f"sink of {len(sink)} bytes")

    # Files that are not playable answer false and play nothing.
    bad = box.sound("bad.wav", b"RIFF....not a wave")
    code, lines, sink = box.run(f"print (PlayWav {ms_string(bad)})\nprint (PlayWavLocked {ms_string(bad)})\n")
    check("unplayable result", lines == ["false", "false"], lines)
    check("unplayable sink", sink == b"", f"sink of {len(sink)} bytes")

    if failures:
        print("FAIL\n" + "\n".join(failures))
        return 1
    print("ok: chimekit playback")
    return 0


if __name__ == "__main__":
    sys.exit(main())
