#!/usr/bin/env python3
"""The progress bar on a terminal: the listener runs a script on a
pseudo-terminal, the test reads the bar it draws and types Esc to cancel.

    progress_bar_test.py LISTENER TEST_PLUGIN_DIR

Every wait is for output (pty_terminal.py).
"""
import os
import re
import sys
import tempfile
import unittest

from pty_terminal import ESC, Terminal

LISTENER = sys.argv[1]
TEST_PLUGINS = sys.argv[2]


def script_file(directory, text):
    path = os.path.join(directory, "case.ms")
    with open(path, "w") as f:
        f.write(text)
    return path


def with_testplug(script):
    """The listener's arguments to run a script with the test plug-in (tpKeyState)."""
    return ["--plugins", os.path.join(TEST_PLUGINS, "testplug"), script]


# Counts up to 99% and stays there until progressUpdate answers false.
LONG_LOOP = """
progressStart "Baking lights"
k = 0
p = 0
while (progressUpdate p) and k < 50000000 do (
  k += 1
  p = k / 300
  if p > 99 do p = 99
)
seen = getProgressCancel()
progressEnd()
format "cancel seen: % after % steps\\n" seen k
"""

BAR = rb"\rBaking lights \[(#*)( *)\] +(\d+)%(?:  (\d+:\d\d) left)?\x1b\[K"


class ProgressBarOnATerminal(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()

    def tearDown(self):
        self.dir.cleanup()

    def test_the_bar_shows_progress_and_esc_cancels_the_loop(self):
        term = Terminal(LISTENER, ["--no-plugins", script_file(self.dir.name, LONG_LOOP)])
        first = term.wait_for(BAR)
        self.assertIsNotNone(first, term.out)
        # At 0% there is nothing to estimate the time left from.
        self.assertEqual(first.group(0), b"\rBaking lights [" + b" " * 20 + b"]   0%\x1b[K")
        later = term.wait_for(rb"\rBaking lights \[#+ *\] +([1-9]\d*)%  (\d+:\d\d) left\x1b\[K")
        self.assertIsNotNone(later, term.out)
        term.send(ESC)
        seen = term.wait_for(rb"cancel seen: (\w+) after (\d+) steps")
        status = term.finish()
        self.assertIsNotNone(seen, term.out[-2000:])
        self.assertEqual(seen.group(1), b"true")
        self.assertLess(int(seen.group(2)), 50000000)
        self.assertEqual(status, 0, term.out[-2000:])

        bars = list(re.finditer(BAR, term.out[:seen.start()]))
        percents = [int(b.group(3)) for b in bars]
        # Redrawn only when the percentage changes: each one once, in order.
        self.assertEqual(percents, sorted(set(percents)), percents)
        self.assertGreaterEqual(percents[-1], 1)
        for bar in bars:
            pct = int(bar.group(3))
            self.assertEqual(len(bar.group(1)), pct * 20 // 100, bar.group(0))
            self.assertEqual(len(bar.group(1)) + len(bar.group(2)), 20, bar.group(0))
            self.assertEqual(bar.group(4) is None, pct == 0, bar.group(0))
        # The bar is wiped before the script's next line.
        between = term.out[bars[-1].end():seen.start()]
        self.assertEqual(between.replace(b"\r\n", b"\n"), b"\r\x1b[K", between)

    def test_esc_cancels_a_bar_a_line_typed_at_the_prompt_put_up(self):
        term = Terminal(LISTENER, ["--no-plugins"])
        self.assertIsNotNone(term.wait_for(rb"> "), term.out)
        # The loop of LONG_LOOP on one line.
        term.send(b'(progressStart "Baking lights"; k = 0; p = 0; '
                  b'while (progressUpdate p) and k < 50000000 do (k += 1; p = k / 300; if p > 99 do p = 99); '
                  b'seen = getProgressCancel(); progressEnd(); '
                  b'format "cancel seen: % after % steps\\n" seen k)\n')
        later = term.wait_for(rb"\rBaking lights \[#* *\] +([1-9]\d*)%")
        self.assertIsNotNone(later, term.out[-2000:])
        term.send(ESC)
        seen = term.wait_for(rb"cancel seen: (\w+) after (\d+) steps", later.end())
        self.assertIsNotNone(seen, term.out[-2000:])
        self.assertEqual(seen.group(1), b"true")
        # The prompt is back and reads lines again.
        self.assertIsNotNone(term.wait_for(rb"> ", seen.end()), term.out[-2000:])
        term.send(b"print (1 + 2)\n")
        three = term.wait_for(rb"\n3\r?\n", seen.end())
        self.assertIsNotNone(three, term.out[-2000:])
        # Keys typed while a line runs are the line's: end the input at the next prompt.
        self.assertIsNotNone(term.wait_for(rb"> ", three.end()), term.out[-2000:])
        term.send(b"\x04")
        self.assertEqual(term.finish(), 0, term.out[-2000:])

    def test_only_a_press_while_the_bar_is_shown_cancels(self):
        body = """
print "ready"
t0 = timeStamp()
while (bit.and (tpKeyState 27) 1) == 0 and (timeStamp() - t0) < 100000 do ()
-- Released first, so that the next Esc is a press of its own.
while (tpKeyState 27) != 0 and (timeStamp() - t0) < 100000 do ()
progressStart "Waiting"
format "before the bar: %\\n" (getProgressCancel())
t0 = timeStamp()
while not (getProgressCancel()) and (timeStamp() - t0) < 100000 do ()
format "during the bar: %\\n" (getProgressCancel())
setProgressCancel false
format "cleared: %\\n" (getProgressCancel())
progressEnd()
"""
        term = Terminal(LISTENER, with_testplug(script_file(self.dir.name, body)))
        self.assertIsNotNone(term.wait_for(rb'"ready"'), term.out)
        term.send(ESC)
        before = term.wait_for(rb"before the bar: (\w+)")
        self.assertIsNotNone(before, term.out)
        self.assertEqual(before.group(1), b"false")
        term.send(ESC)
        during = term.wait_for(rb"during the bar: (\w+)")
        cleared = term.wait_for(rb"cleared: (\w+)")
        status = term.finish()
        self.assertIsNotNone(cleared, term.out)
        self.assertEqual(during.group(1), b"true")
        self.assertEqual(cleared.group(1), b"false")  # the press is settled, not seen again
        # The script's text wipes the bar first, so it starts a line of its own.
        self.assertIn(b"\rWaiting [" + b" " * 20 + b"]   0%\x1b[K\r\x1b[Kbefore the bar: false", term.out)
        self.assertEqual(status, 0, term.out)

    def test_without_a_terminal_for_the_bar_there_is_no_bar_and_no_cancel(self):
        body = """
progressStart "Quiet"
progressUpdate 40
print "bar up"
t0 = timeStamp()
while (bit.and (tpKeyState 27) 1) == 0 and (timeStamp() - t0) < 100000 do ()
format "key seen, cancel: %\\n" (getProgressCancel())
progressUpdate 80
progressEnd()
"""
        term = Terminal(LISTENER, with_testplug(script_file(self.dir.name, body)), stderr_on_terminal=False)
        self.assertIsNotNone(term.wait_for(rb'"bar up"'), term.out)
        term.send(ESC)
        seen = term.wait_for(rb"key seen, cancel: (\w+)")
        status = term.finish()
        self.assertIsNotNone(seen, term.out)
        self.assertEqual(seen.group(1), b"false")
        self.assertEqual(term.err_out, b"")
        self.assertNotIn(b"Quiet", term.out)
        self.assertEqual(status, 0, term.out)


if __name__ == "__main__":
    unittest.main(argv=[sys.argv[0], "-v"])
