#!/usr/bin/env python3
"""The listener's command line: options, exit codes and plug-in listing."""
import os
import subprocess
import sys
import tempfile
import unittest

LISTENER = sys.argv[1]
TEST_PLUGINS = sys.argv[2]


def run(*args, stdin=None):
    p = subprocess.run([LISTENER, *args], input=stdin, stdout=subprocess.PIPE,
                       stderr=subprocess.STDOUT, timeout=120)
    return p.returncode, p.stdout.decode()


class ListenerOptions(unittest.TestCase):
    def test_expression_and_echo(self):
        self.assertEqual(run("--no-plugins", "-e", "1 + 2"), (0, ""))
        self.assertEqual(run("--no-plugins", "--echo", "-e", "x = 1 + 2; x * 2"), (0, "3\n6\n"))

    def test_first_error_stops_unless_keep_going(self):
        script = b"print 1\nundefined()\nprint 2\n"
        code, out = run("--no-plugins", stdin=script)
        self.assertEqual(code, 1)
        self.assertEqual(out, "1\n-- Type error: Call needs function or class, got: undefined\n")
        code, out = run("--no-plugins", "--keep-going", stdin=script)
        self.assertEqual(code, 1)
        self.assertTrue(out.endswith("undefined\n2\n"), out)

    def test_files_run_in_order(self):
        with tempfile.TemporaryDirectory() as d:
            a, b = os.path.join(d, "a.ms"), os.path.join(d, "b.ms")
            open(a, "w").write("global shared = 5\n")
            open(b, "w").write("print shared\n")
            self.assertEqual(run("--no-plugins", a, b), (0, "5\n"))
            open(os.path.join(d, "inner.ms"), "w").write("print \"inner\"\n")
            open(a, "w").write("fileIn \"inner.ms\"\n")
            self.assertEqual(run("--no-plugins", a), (0, "\"inner\"\n"))

    def test_script_files_run_up_to_a_syntax_error(self):
        with tempfile.TemporaryDirectory() as d:
            inner = os.path.join(d, "inner.ms")
            open(inner, "wb").write(b"print 1\nx = (2 + )\nprint 3\n")
            code, out = run("--no-plugins", inner)
            self.assertEqual((code, out), (1, "1\n-- Syntax error: at ), expected <factor>\n--  In line: x = (2 + )\n"))
            code, out = run("--no-plugins", "-e", 'try (fileIn "%s") catch (print "caught")' % inner)
            self.assertEqual((code, out), (0, "1\n\"caught\"\n"))
            bom = os.path.join(d, "bom.ms")
            open(bom, "wb").write(b"\xef\xbb\xbfprint 1\n")
            self.assertEqual(run("--no-plugins", bom), (0, "1\n"))
            nul = os.path.join(d, "nul.ms")
            open(nul, "wb").write(b"print 1\nx = 3 \x00 4\nprint 2\n")
            self.assertEqual(run("--no-plugins", nul), (1, "1\n-- Syntax error: at NUL character, expected a token\n"
                                                          "--  In line: x = 3 \\0 4\n"))
            open(nul, "wb").write(b"print \"ab\x00cd\"\n")
            code, out = run("--no-plugins", nul)
            self.assertEqual(code, 1)
            self.assertIn("-- Syntax error: at NUL character, expected a string without NUL characters", out)
            self.assertEqual(run("--no-plugins", d), (1, "-- Runtime error: Cannot open script file: %s\n" % d))
            for path, shown in ((d, d), ("", '""')):
                code, out = run("--no-plugins", "-e", 'fileIn "%s"' % path)
                self.assertEqual((code, out), (1, "-- Runtime error: fileIn: cannot open file: %s\n" % shown))

    def test_echo_keeps_the_last_result_in_question_mark(self):
        self.assertEqual(run("--no-plugins", "--echo", "-e", "3 * 4; ? + 1"), (0, "12\n13\n"))
        self.assertEqual(run("--no-plugins", "--echo", stdin=b"x = 5\n? * 2\n"), (0, "5\n10\n"))

    def test_misuse_is_explained(self):
        code, out = run("--bogus")
        self.assertEqual(code, 2)
        self.assertIn("unknown option: --bogus", out)
        self.assertIn("usage: listener", out)
        code, out = run("--no-plugins", "/no/such/file.ms")
        self.assertEqual(code, 1)
        self.assertIn("Cannot open script file: /no/such/file.ms", out)

    def test_generated_monsters_give_errors_not_crashes(self):
        code, out = run("--no-plugins", stdin=b"x = " + b"(" * 5000 + b"1" + b")" * 5000 + b"\n")
        self.assertEqual(code, 1)
        self.assertIn("expected an expression nested less deeply", out)
        code, out = run("--no-plugins", stdin=b"print (1" + b" + 1" * 300000 + b")\n")
        self.assertEqual((code, out), (0, "300001\n"))
        code, out = run("--no-plugins", stdin=b"\"unterminated\nprint 1\n")
        self.assertEqual(code, 1)
        self.assertIn("-- Syntax error: at end of script, expected \" to close the string", out)

    def test_terminal_keys_reach_the_key_state(self):
        import pty, select, time
        script = ("print \"ready\"; t0 = timeStamp(); k = 0\n"
                  "while k == 0 and (timeStamp() - t0) < 20000 do k = tpKeyState 27\n"
                  "print k; print (tpKeyState 27)")
        pid, fd = pty.fork()
        if pid == 0:
            os.execv(LISTENER, [LISTENER, "--plugins", os.path.join(TEST_PLUGINS, "testplug"),
                                "-e", script])
        out = b""
        deadline = time.time() + 60
        sent = False
        while time.time() < deadline:
            r, _, _ = select.select([fd], [], [], 0.2)
            if r:
                try:
                    chunk = os.read(fd, 4096)
                except OSError:
                    break
                if not chunk:
                    break
                out += chunk
            if not sent and b'"ready"' in out:
                os.write(fd, b"\x1b")
                sent = True
        os.waitpid(pid, 0)
        lines = out.decode().replace("\r", "").splitlines()
        # Down now and pressed since the last query, then only down.
        self.assertIn("-32767", lines)
        self.assertEqual(lines[lines.index("-32767") + 1], "-32768")

    def test_list_plugins(self):
        code, out = run("--plugins", os.path.join(TEST_PLUGINS, "testplug"), "--list-plugins")
        self.assertEqual(code, 0)
        self.assertIn("testplug.dlx  Host test plug-in  0x0BB80700\n", out)

    def test_a_module_that_cannot_load_is_reported_and_the_rest_load(self):
        with tempfile.TemporaryDirectory() as d:
            with open(os.path.join(d, "aaa_garbage.dlx"), "wb") as f:
                f.write(b"not a shared object")
            code, out = run("--plugins", d, "--plugins", os.path.join(TEST_PLUGINS, "testplug"),
                            "--list-plugins")
        self.assertEqual(code, 0)
        lines = out.splitlines()
        self.assertTrue(lines[0].startswith("-- Plug-in aaa_garbage.dlx not loaded: "), lines[0])
        self.assertIn("testplug.dlx  Host test plug-in  0x0BB80700", lines)

    def test_list_utility_plugins_with_their_classes(self):
        code, out = run("--plugins", os.path.join(TEST_PLUGINS, "testgup"), "--list-plugins")
        self.assertEqual((code, out), (0, "testgup.gup  Test utility  0x0BB80700  classes: TestGup\n"))

    def test_text_colour_requests(self):
        plug = os.path.join(TEST_PLUGINS, "testplug")
        expr = "tpPurple(); print 5"
        code, out = run("--plugins", plug, "--colour", "always", "--echo", "-e", expr)
        self.assertEqual(code, 0)
        # Script text after the request is purple; the host's own echo ends it.
        self.assertIn("\x1b[38;2;102;0;166mpurple text\n\x1b[0mOK\n5\n5\n", out)
        code, out = run("--plugins", plug, "-e", expr)  # output is a pipe: no colour
        self.assertNotIn("\x1b", out)
        self.assertIn("purple text\n5\n", out)

    def test_memory_stays_bounded_in_long_loops(self):
        iterations = int(os.environ.get("LOOP_ITERATIONS", "10000000"))
        env = dict(os.environ, ASAN_OPTIONS="quarantine_size_mb=8:detect_leaks=0")
        p = subprocess.run(["/usr/bin/env", "python3", "-c", f"""
import resource, subprocess, sys
subprocess.run([{LISTENER!r}, "--no-plugins", "-e",
  "for i = 1 to {iterations} do (s = i * 3 + 1)"], check=True)
print(resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss)
"""], env=env, stdout=subprocess.PIPE, timeout=900, check=True)
        peak_kb = int(p.stdout.decode().split()[-1])
        self.assertLess(peak_kb, 200 * 1024)


if __name__ == "__main__":
    unittest.main(argv=[sys.argv[0], "-v"])
