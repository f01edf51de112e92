#!/usr/bin/env python3
"""hotbind through the listener. Each case writes MAXScriptShortcuts.txt into
a scripts folder of its own, runs a script that lists the shortcut table and
fires entries with actionMan.executeAction, and reads what the plug-in wrote
to the event log from a syslog socket the test binds.

    hotbind_test.py --listener LISTENER --plugins HOTBIND_FOLDER
"""
import argparse
import os
import socket
import subprocess
import sys
import tempfile

TABLE = "0x3E0548BB"
failures = []


def check(label, got, want):
    if got != want:
        failures.append(f"{label}:\n  expected: {want!r}\n  got:      {got!r}")


class Case:
    def __init__(self, listener, plugins):
        self.listener, self.plugins = listener, plugins
        self.root = tempfile.mkdtemp(prefix="hotbind-")
        self.scripts = os.path.join(self.root, "scripts")
        os.makedirs(self.scripts)
        self.log_path = os.path.join(self.root, "log")
        self.log = socket.socket(socket.AF_UNIX, socket.SOCK_DGRAM)
        self.log.bind(self.log_path)
        self.log.setblocking(False)

    def config(self, text, newline="\n"):
        with open(os.path.join(self.scripts, "MAXScriptShortcuts.txt"), "wb") as f:
            f.write(text.replace("\n", newline).encode("latin-1"))

    def script(self, relative, text):
        path = os.path.join(self.scripts, *relative.split("/"))
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "w") as f:
            f.write(text)
        return path

    def run(self, body, scripts_dir=None, env_extra=None):
        """Runs body; gives the output lines after the banner-less start and the reports."""
        path = os.path.join(self.root, "case.ms")
        with open(path, "w") as f:
            f.write(body)
        env = dict(os.environ, WINAPI_SYSLOG_SOCKET=self.log_path, HOME=self.root, **(env_extra or {}))
        proc = subprocess.run([self.listener, "--plugins", self.plugins, "--scripts-dir",
                               scripts_dir or self.scripts, path], cwd=self.root, env=env,
                              stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=120)
        reports = []
        while True:
            try:
                line = self.log.recv(8192).decode("latin-1")
            except BlockingIOError:
                break
            reports.append(line.split("]: ", 1)[1] if "]: " in line else line)
        return proc.returncode, proc.stdout.decode("latin-1").splitlines(), reports


def names(indexes):
    return f"n = actionMan.getActionNames {TABLE}\n" + "".join(f"print n[{i}]\n" for i in indexes)


def fire(*commands):
    return "".join(f'print (actionMan.executeAction {TABLE} "{c}")\n' for c in commands)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--listener", required=True)
    ap.add_argument("--plugins", required=True)
    args = ap.parse_args()
    new = lambda: Case(args.listener, args.plugins)

    # Positional entries: comments, empty lines, lines without quotes and
    # one-character fields take no entry; only quoted text counts.
    c = new()
    c.script("one.ms", 'print "one ran"\n')
    c.script("two.ms", 'print "two ran"\n')
    c.config('; "comment.ms" "Comment"\n'
             '\n'
             'no quotes here\n'
             '"x" "one-character field"\n'
             '  1 = "one.ms" , "First script"  trailing\n'
             ' ; "two.ms" "Second"\n'
             '"missing.ms"\n')
    code, out, reports = c.run(names([1, 2, 3, 4, 5, 51]) + "print n.count\n" + fire(1000, 1001, 1002, 1003, 999, 5))
    check("listing", out[:7], ['" * Reload MAXScriptShortcuts.txt"', '" First script"', '" Second"',
                                '"Shortcut 03"', '"( unused shortcut )"', '"( unused shortcut )"', "51"])
    check("firing", out[7:],
          ['"one ran"', "true", '"two ran"', "true",
           f"-- Runtime error: Cannot open script file: {c.scripts}/missing.ms", "false",
           "false", "false", "false"])
    check("reports", reports,
          [f"Execution of MAXScript '{c.scripts}\\missing.ms' bound to shortcut 'Shortcut 03' failed.",
           "Shortcut '( unused shortcut )' was pressed, but no MAXScript was bound to it."])

    # CR LF lines read as LF lines; a line of 300 characters is read as 254
    # and then 46; names are cut to 39 characters; drive letters and leading
    # backslashes place the script.
    c = new()
    drive = os.path.join(c.root, "drive_c")
    os.makedirs(os.path.join(drive, "tools"))
    with open(os.path.join(drive, "tools", "x.ms"), "w") as f:
        f.write('print "drive ran"\n')
    c.script("sub/y.ms", 'print "sub ran"\n')
    long_name = "N" * 45
    first = '"aa.ms" "Split line"'
    second = '"bb.ms" "After split"'
    split_line = first + " " * (254 - len(first)) + second + " " * (46 - len(second))
    assert len(split_line) == 300
    c.config('"C:\\tools\\x.ms" "Drive"\n"\\sub\\y.ms" "' + long_name + '"\n' + split_line + "\n", newline="\r\n")
    code, out, reports = c.run(names([2, 3, 4, 5, 6]) + fire(1000, 1001),
                               env_extra={"WINAPI_DRIVE_C": drive})
    check("CR LF, long names, split lines", out[:5],
          ['" Drive"', '" ' + "N" * 39 + '"', '" Split line"', '" After split"', '"( unused shortcut )"'])
    check("drive letter and leading backslash", out[5:], ['"drive ran"', "true", '"sub ran"', "true"])
    check("no reports", reports, [])

    # Reloading (999) rebuilds from the file: an entry that dropped out is
    # unbound and unused; a reload that finds no file leaves every shortcut
    # unbound under the names of the earlier load.
    c = new()
    c.script("a.ms", 'print "a ran"\n')
    c.config('"a.ms" "Alpha"\n"a.ms" "Beta"\n')
    body = (names([3]) + fire(1001) +
            f'f = createFile "{c.scripts}/MAXScriptShortcuts.txt"\nformat "\\"a.ms\\" \\"Alpha\\"\\n" to:f\nclose f\n' +
            fire(999) + names([3]) + fire(1001) +
            f'deleteFile "{c.scripts}/MAXScriptShortcuts.txt"\n' + fire(999, 1000))
    code, out, reports = c.run(body)
    check("reload", out, ['" Beta"', '"a ran"', "true", "false", '"( unused shortcut )"', "false", "false",
                          "false"])
    check("reload reports", reports,
          ["Shortcut '( unused shortcut )' was pressed, but no MAXScript was bound to it.",
           f"Can't find config file '{c.scripts}\\MAXScriptShortcuts.txt'",
           "Shortcut ' Alpha' was pressed, but no MAXScript was bound to it."])

    # Without a configuration file the plug-in does not start: the table is
    # known but nothing fires.
    c = new()
    code, out, reports = c.run(names([2]) + fire(1000))
    check("no file: listing and firing", out, ['"Shortcut 01"', "false"])
    check("no file: report", reports, [f"Can't find config file '{c.scripts}\\MAXScriptShortcuts.txt'"])

    # A scripts folder of 200 characters or more is refused.
    c = new()
    deep = c.scripts + "/" + "d" * (200 - len(c.scripts))
    os.makedirs(deep)
    code, out, reports = c.run(fire(1000), scripts_dir=deep)
    check("long scripts folder", reports,
          [f"3DS MAX script directory path '{deep}' is too long.  Limit 200 characters."])

    # A script path of 200 characters or more stops a reload there: the
    # entries before it stay bound, the later ones are unbound.
    c = new()
    c.script("ok.ms", 'print "ok ran"\n')
    c.config('"ok.ms" "Fine"\n"ok.ms" "Second"\n"ok.ms" "Third"\n')
    field = "f" * (200 - len(c.scripts) - 1)
    rewrite = (f'f = createFile "{c.scripts}/MAXScriptShortcuts.txt"\n'
               f'format "\\"ok.ms\\" \\"Fine\\"\\n\\"{field}\\" \\"Too long\\"\\n\\"ok.ms\\" \\"Never\\"\\n" to:f\n'
               'close f\n')
    code, out, reports = c.run(rewrite + fire(999, 1000, 1001, 1002))
    check("long path: firing", out, ["false", '"ok ran"', "true", "false", "false"])
    check("long path: report", reports[:1],
          [f"Script filename '{c.scripts}\\{field}' is too long.  Limit 200 characters."])

    # Lines past the fiftieth accepted one are not stored; the load says so once.
    c = new()
    c.script("s.ms", 'print "s ran"\n')
    c.config("".join(f'"s.ms" "Entry {k}"\n' for k in range(1, 56)))
    code, out, reports = c.run(names([51]) + fire(1049))
    check("fifty entries", out, ['" Entry 50"', '"s ran"', "true"])
    check("fifty entries: report", reports,
          [f"Config file '{c.scripts}\\MAXScriptShortcuts.txt' binds more than 50 shortcuts; "
           "the lines after the last one are ignored."])

    if failures:
        print("FAIL\n" + "\n".join(failures))
        return 1
    print("ok: hotbind shortcuts")
    return 0


if __name__ == "__main__":
    sys.exit(main())
