#!/usr/bin/env python3
"""Zentu's registry functions through listeners that share one registry
database: values of other types written by another program, what a write
stores, values one listener writes read by another, two listeners writing
at once, and network names from a mount table of the test's own.

    registry_test.py --listener LISTENER --plugins ZENTU_FOLDER --registry-value HELPER
"""
import argparse
import os
import subprocess
import sys
import tempfile


class Sandbox:
    def __init__(self, args):
        self.args = args
        self.home = tempfile.mkdtemp(prefix="zentu-registry-")
        self.env = dict(os.environ, HOME=self.home, TMPDIR=self.home,
                        WINAPI_REGISTRY=os.path.join(self.home, "registry.db"))

    def script(self, name, text):
        path = os.path.join(self.home, name)
        with open(path, "w") as f:
            f.write(text)
        return path

    def command(self, name, text):
        return [self.args.listener, "--plugins", self.args.plugins, self.script(name, text)]

    def run(self, text, extra_env=None):
        """Runs a script; gives its exit status and output lines."""
        env = dict(self.env, **(extra_env or {}))
        proc = subprocess.run(self.command("test.ms", text), cwd=self.home, env=env, stdout=subprocess.PIPE,
                              stderr=subprocess.STDOUT, timeout=120)
        return proc.returncode, proc.stdout.decode("latin-1").splitlines()

    def helper(self, *words):
        proc = subprocess.run([self.args.registry_value, *words], env=self.env, stdout=subprocess.PIPE,
                              stderr=subprocess.STDOUT, timeout=60)
        return proc.returncode, proc.stdout.decode("latin-1").strip()


def catch(expr):
    return f"try ({expr}) catch (print (getCurrentException()))\n"


# Writes `count` values under a key shared by both writers, tells the other it
# is done, waits (at most a minute) for the other to be done too, then prints
# how many of the other's values it could not read back.
WRITER = """
key = "Software\\\\ZentuShared"
for i = 1 to {count} do SetRegistrySetting #HKEY_CURRENT_USER key ("{me}" + (i as string)) ("value " + (i as string))
SetRegistrySetting #HKEY_CURRENT_USER (key + "\\\\Done{me}") "" "yes"
t0 = timeStamp ()
-- The other's key may exist a moment before its value does: that reads as an error.
fn otherDone = (try (GetRegistrySetting #HKEY_CURRENT_USER (key + "\\\\Done{other}") "") catch (undefined)) != undefined
while not (otherDone ()) and timeStamp () - t0 < 60000 do ()
missing = 0
for i = 1 to {count} do (
  if GetRegistrySetting #HKEY_CURRENT_USER key ("{other}" + (i as string)) != ("value " + (i as string)) do missing += 1
)
print missing
"""


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--listener", required=True)
    ap.add_argument("--plugins", required=True)
    ap.add_argument("--registry-value", required=True)
    args = ap.parse_args()
    box = Sandbox(args)
    failures = []

    def check(label, got, want):
        if got != want:
            failures.append(f"{label}:\n  expected: {want}\n  got:      {got}")

    # Values of other types are refused on reading; a string written by another
    # program reads as its text.
    for words in (["dword", "7"], ["expand_sz", "%HOME%\\x"], ["sz", "from outside"]):
        code, out = box.helper("set", "Software\\Typed", words[0], *words)
        check(f"helper writes {words[0]}", (code, out), (0, ""))
    code, lines = box.run(catch('GetRegistrySetting #HKEY_CURRENT_USER "Software\\\\Typed" "dword"') +
                          catch('GetRegistrySetting #HKEY_CURRENT_USER "Software\\\\Typed" "expand_sz"') +
                          'print (GetRegistrySetting #HKEY_CURRENT_USER "Software\\\\Typed" "sz")\n')
    check("values of other types", (code, lines),
          (0, ['"-- Runtime error: Unsupported key value type"', '"-- Runtime error: Unsupported key value type"',
               '"from outside"']))

    # A written string is a REG_SZ whose size counts its terminating zero.
    code, lines = box.run('print (SetRegistrySetting #HKEY_CURRENT_USER "Software\\\\Stored" "abc" "xyz")\n'
                          'print (SetRegistrySetting #HKEY_CURRENT_USER "Software\\\\Stored" "none" "")\n')
    check("writes", (code, lines), (0, ["true", "true"]))
    check("three letters stored", box.helper("show", "Software\\Stored", "abc"), (0, "1 4 78797a00"))
    check("empty text stored", box.helper("show", "Software\\Stored", "none"), (0, "1 1 00"))

    # One listener reads what another wrote, after the writer has ended.
    code, lines = box.run('print (SetRegistrySetting #HKEY_CURRENT_USER "Software\\\\Handover" "note" "left here")\n')
    check("first listener writes", (code, lines), (0, ["true"]))
    code, lines = box.run('print (GetRegistrySetting #HKEY_CURRENT_USER "Software\\\\Handover" "note")\n')
    check("second listener reads", (code, lines), (0, ['"left here"']))

    # Two listeners write the same key at once; each then reads all the other wrote.
    count = 150
    procs = []
    for me, other in (("A", "B"), ("B", "A")):
        text = WRITER.format(count=count, me=me, other=other)
        procs.append(subprocess.Popen(box.command(f"writer{me}.ms", text), cwd=box.home, env=box.env,
                                      stdout=subprocess.PIPE, stderr=subprocess.STDOUT))
    for me, proc in zip("AB", procs):
        out, _ = proc.communicate(timeout=180)
        check(f"writer {me} reads the other's values", (proc.returncode, out.decode("latin-1").splitlines()),
              (0, ["0"]))

    # A path on a network share has a universal name; one too long for the
    # 256-byte record has none, nor has a local path.
    share = os.path.join(box.home, "share")
    os.makedirs(share)
    mounts = box.script("mountinfo", f"22 1 8:1 / / rw - ext4 /dev/sda1 rw\n"
                                     f"40 22 0:50 / {share} rw,relatime - cifs //server/projects rw\n")
    long_name = "x" * 240
    code, lines = box.run(f'print (GetUNCPath "{share}/scenes/a.max")\n'
                          f'print (GetUNCPath "{share}")\n'
                          f'print (GetUNCPath "{share}/{long_name}")\n'
                          f'print (GetUNCPath "{box.home}/local.max")\n',
                          {"WINAPI_MOUNTINFO": mounts})
    check("network names", (code, lines),
          (0, ['"\\\\server\\projects\\scenes\\a.max"', '"\\\\server\\projects"', "undefined", "undefined"]))

    if failures:
        print("FAIL\n" + "\n".join(failures))
        return 1
    print("ok: Zentu registry and network names")
    return 0


if __name__ == "__main__":
    sys.exit(main())
