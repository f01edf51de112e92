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
from pty_terminal import ESC, Terminal  # noqa: E402

TABLE = "0x3E0548BB"
CTRL_M = b"\r"
ENTER = b"\r"
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
        term = Terminal(ARGS.listener, ["--plugins", ARGS.plugins, "--scripts-dir", self.scripts],
                        env=self.env, cwd=self.root.name)
        self.assertIsNotNone(term.wait_for(rb"> "), term.out)
        return term

    def ask(self, term, typed, answer):
        """Types a line and waits for the answer line after it; gives the answer's match."""
        start = len(term.out)
        term.send(typed + ENTER)
        m = term.wait_for(rb"\r\n" + answer + rb"\r\n", start)
        self.assertIsNotNone(m, term.out[start:])
        return m

    def first_name(self, term):
        start = len(term.out)
        term.send(f"(actionMan.getActionNames {TABLE})[2]".encode() + ENTER)
        m = term.wait_for(rb'\r\n(".*?")\r\n', start)
        self.assertIsNotNone(m, term.out[start:])
        return m.group(1)

    def quit(self, term):
        term.send(CTRL_D)
        self.assertEqual(term.finish(), 0, term.out[-2000:])

    def test_esc_ctrl_m_at_the_prompt_reloads_the_configuration(self):
        self.config('"a.ms" "Alpha"\n')
        term = self.start()
        self.assertEqual(self.first_name(term), b'" Alpha"')
        self.config('"b.ms" "Beta"\n')
        # Nothing reads the file again by itself.
        self.assertEqual(self.first_name(term), b'" Alpha"')

        # The chord in the middle of a line: the reload happens, and the line
        # typed so far is kept, not run.
        start = len(term.out)
        term.send(b"1 +")
        self.assertIsNotNone(term.wait_for(rb"1 \+", start))
        term.send(ESC + CTRL_M)
        term.send(b" 2" + ENTER)
        m = term.wait_for(rb"\r\n(\S+)\r\n", start)
        self.assertIsNotNone(m, term.out[start:])
        self.assertEqual(m.group(1), b"3", term.out[start:])

        self.assertEqual(self.first_name(term), b'" Beta"')
        self.ask(term, f'actionMan.executeAction {TABLE} "1000"'.encode(), rb'"b ran"\r\ntrue')
        self.quit(term)

    def test_the_chord_of_a_table_that_is_not_active_does_nothing_to_it(self):
        # Without a configuration file the plug-in does not start, so its
        # table stays inactive and its key is not the reload.
        term = self.start()
        self.config('"b.ms" "Beta"\n')
        term.send(ESC + CTRL_M)
        self.assertEqual(self.first_name(term), b'"Shortcut 01"')
        self.ask(term, f'actionMan.executeAction {TABLE} "999"'.encode(), rb"false")
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
