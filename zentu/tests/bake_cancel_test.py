#!/usr/bin/env python3
"""A bake on a terminal: the listener runs ApplyVertexColors on a big mesh,
the test reads the progress bar (title, percentage, time left) and types
Esc; the bake answers false and the mesh keeps the colours it had. Every
wait is for output (host/tests/pty_terminal.py).

    bake_cancel_test.py LISTENER ZENTU_FOLDER
"""
import os
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "host", "tests"))
from pty_terminal import ESC, Terminal  # noqa: E402

LISTENER = sys.argv[1]
ZENTU = sys.argv[2]

# Two million faces, a colour per corner, ten shadow-casting lights over a
# blocking plane: long enough to be caught at work, in any build.
SCRIPT = """
p = plane length:100 width:100 lengthsegs:1000 widthsegs:1000
convertToMesh p
lid = plane length:50 width:50 pos:[0,0,20]
for i = 1 to 10 do omniLight pos:[i * 10 - 50, 0, 100] castShadows:true
print (getNumCPVVerts p)
done = ApplyVertexColors p 1 false true false
format "bake answered %, colours now %\\n" done (getNumCPVVerts p)
"""

BAR = rb"\rFoobar \[#*\s*\] +([1-9]\d*)%  (\d+:\d\d) left"


class BakeOnATerminal(unittest.TestCase):
    def test_esc_cancels_the_bake_and_the_mesh_keeps_its_colours(self):
        with tempfile.TemporaryDirectory() as work:
            path = os.path.join(work, "bake.ms")
            with open(path, "w") as f:
                f.write(SCRIPT)
            term = Terminal(LISTENER, ["--plugins", ZENTU, path])
            self.assertIsNotNone(term.wait_for(rb"(^|\n)0\r?\n"), term.out)
            bar = term.wait_for(BAR)
            self.assertIsNotNone(bar, term.out[-2000:])
            term.send(ESC)
            end = term.wait_for(rb"bake answered (\w+), colours now (\d+)", bar.end())
            self.assertIsNotNone(end, term.out[-2000:])
            self.assertEqual(end.group(1), b"false")
            self.assertEqual(end.group(2), b"0")
            self.assertEqual(term.finish(), 0)


if __name__ == "__main__":
    unittest.main(argv=[sys.argv[0]])
