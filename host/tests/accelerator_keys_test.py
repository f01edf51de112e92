#!/usr/bin/env python3
"""The accelerator keys of a plug-in's shortcut table at the interactive
listener, through a pseudo-terminal: the test plug-in keygup binds Alt+P
(Esc p) to a command that prints a line and Ctrl+Alt+R (Esc Ctrl+R) to one
that throws.

    accelerator_keys_test.py LISTENER KEYGUP_FOLDER
"""
import os
import sys
import tempfile
import unittest

from pty_terminal import ESC, Prompt

LISTENER = os.path.abspath(sys.argv[1])
KEYGUP = os.path.abspath(sys.argv[2])
CTRL_D = b"\x04"
CTRL_R = b"\x12"


class AcceleratorKeys(unittest.TestCase):
    def setUp(self):
        self.home = tempfile.TemporaryDirectory()
        inputrc = os.path.join(self.home.name, "inputrc")
        with open(inputrc, "w") as f:
            f.write("set enable-bracketed-paste off\n")
        env = dict(os.environ, HOME=self.home.name, INPUTRC=inputrc, TERM="xterm")
        self.term = Prompt(LISTENER, ["--plugins", KEYGUP], env=env, cwd=self.home.name)
        self.assertTrue(self.term.prompt(), self.term.out)

    def tearDown(self):
        self.home.cleanup()

    def test_a_key_prints_above_the_prompt_and_the_line_typed_stays(self):
        term = self.term
        start = len(term.out)
        term.send(b"1 +")
        self.assertIsNotNone(term.wait_for(rb"1 \+", start))
        term.send(ESC + b"p")
        # The command's line takes the prompt's place; the prompt and the
        # line typed so far come back below it.
        shown = term.wait_for(rb'\x1b\[K\r?"key fired"\r\n> 1 \+', start)
        self.assertIsNotNone(shown, term.out[start:])
        self.assertEqual(term.line(b" 2"), [b"3"], term.out[start:])
        self.quit()

    def test_a_command_that_throws_is_an_error_line_and_the_listener_goes_on(self):
        term = self.term
        start = len(term.out)
        term.send(ESC + CTRL_R)
        error = term.wait_for(rb"-- [^\r\n]*the key's command failed[^\r\n]*\r\n", start)
        self.assertIsNotNone(error, term.out[start:])
        term.seen = error.end()
        self.assertTrue(term.prompt(), term.out[start:])
        self.assertEqual(term.line(b"5 * 5"), [b"25"], term.out[start:])
        self.quit()

    def quit(self):
        self.assertTrue(self.term.prompt(), self.term.out)
        self.term.send(CTRL_D)
        self.assertEqual(self.term.finish(), 0, self.term.out)


if __name__ == "__main__":
    unittest.main(argv=[sys.argv[0], "-v"])
