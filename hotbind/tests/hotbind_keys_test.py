#!/usr/bin/env python3
"""hotbind's reload key at the interactive listener: on a pseudo-terminal,
Esc then Ctrl+M (Ctrl+Alt+M as common terminals send it) at the prompt
reloads MAXScriptShortcuts.txt from a scripts folder of the test's own.

    hotbind_keys_test.py --listener LISTENER --plugins HOTBIND_FOLDER
"""
import argparse
import os
import re
import socket
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "host", "tests"))
from pty_terminal import ESC, Prompt  # noqa: E402

TABLE = "0x3E0548BB"
FIRST_NAME = f"(actionMan.getActionNames {TABLE})[2]".encode()
CTRL_M = b"\r"
CTRL_D = b"\x04"
ARGS = None


class ReloadKey(unittest.TestCase):
    def setUp(self):
        self.root = tempfile.TemporaryDirectory(prefix="hotbind-keys-")
        self.scripts = os.path.join(self.root.name, "scripts")
        os.makedirs(self.scripts)
        for name in ("a", "b"):
            with open(os.path.join(self.scripts, name + ".ms"), "w") as f:
                f.write(f'print "{name} ran"\n')
        # The plug-in's reports go to a socket of the test's, not the system log.
        self.log = socket.socket(socket.AF_UNIX, socket.SOCK_DGRAM)
        self.log.bind(os.path.join(self.root.name, "log"))
        # readline's own settings only, without the marks of bracketed paste in the output.
        inputrc = os.path.join(self.root.name, "inputrc")
        with open(inputrc, "w") as f:
            f.write("set enable-bracketed-paste off\n")
        self.env = dict(os.environ, HOME=self.root.name, INPUTRC=inputrc, TERM="xterm",
                        WINAPI_SYSLOG_SOCKET=os.path.join(self.root.name, "log"))

    def tearDown(self):
        self.log.close()
        self.root.cleanup()

    def config(self, text):
        with open(os.path.join(self.scripts, "MAXScriptShortcuts.txt"), "w") as f:
            f.write(text)

    def start(self):
        term = Prompt(ARGS.listener, ["--plugins", ARGS.plugins, "--scripts-dir", self.scripts],
                      env=self.env, cwd=self.root.name)
        self.assertTrue(term.prompt(), term.out)
        return term

    def answer(self, term, typed, count=1):
        lines = term.line(typed, count)
        self.assertIsNotNone(lines, term.out[term.seen:])
        return lines if count > 1 else lines[0]

    def next_prompt(self, term):
        self.assertTrue(term.prompt(), term.out[term.seen:])

    def quit(self, term):
        self.next_prompt(term)
        term.send(CTRL_D)
        self.assertEqual(term.finish(), 0, term.out[-2000:])

    def test_esc_ctrl_m_at_the_prompt_reloads_the_configuration(self):
        self.config('"a.ms" "Alpha"\n')
        term = self.start()
        self.assertEqual(self.answer(term, FIRST_NAME), b'" Alpha"')
        self.config('"b.ms" "Beta"\n')
        # Nothing reads the file again by itself.
        self.next_prompt(term)
        self.assertEqual(self.answer(term, FIRST_NAME), b'" Alpha"')

        # The chord in the middle of a line: the reload happens, and the line
        # typed so far is kept, not run.
        self.next_prompt(term)
        start = len(term.out)
        term.send(b"1 +")
        typed = term.wait_for(rb"1 \+", start)
        self.assertIsNotNone(typed, term.out[start:])
        term.send(ESC + CTRL_M)
        self.assertIsNotNone(term.wait_for(rb"> 1 \+", typed.end()), term.out[start:])
        self.assertEqual(self.answer(term, b" 2"), b"3")

        self.next_prompt(term)
        self.assertEqual(self.answer(term, FIRST_NAME), b'" Beta"')
        self.next_prompt(term)
        self.assertEqual(self.answer(term, f'actionMan.executeAction {TABLE} "1000"'.encode(), 2),
                         [b'"b ran"', b"true"])
        self.quit(term)

    def test_the_chord_of_a_table_that_is_not_active_does_nothing_to_it(self):
        # Without a configuration file the plug-in does not start, so its
        # table stays inactive and its key is not the reload.
        term = self.start()
        self.config('"b.ms" "Beta"\n')
        term.send(ESC + CTRL_M)
        self.assertEqual(self.answer(term, FIRST_NAME), b'"Shortcut 01"')
        self.next_prompt(term)
        self.assertEqual(self.answer(term, f'actionMan.executeAction {TABLE} "999"'.encode()), b"false")
        self.quit(term)


def main():
    global ARGS
    ap = argparse.ArgumentParser()
    ap.add_argument("--listener", required=True)
    ap.add_argument("--plugins", required=True)
    ARGS, rest = ap.parse_known_args()
    ARGS.plugins = os.path.abspath(ARGS.plugins)  # the listener runs in a folder of its own
    unittest.main(argv=[sys.argv[0], "-v", *rest])


if __name__ == "__main__":
    main()
