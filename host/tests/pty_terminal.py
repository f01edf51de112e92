"""A program on a pseudo-terminal, for the tests of what the listener does
on a terminal. Every wait is for output, with a deadline only so that a
broken program fails its test instead of hanging it."""
import fcntl
import os
import re
import select
import struct
import termios
import time

DEADLINE_S = 120
ESC = b"\x1b"


class Terminal:
    """A program with a pseudo-terminal as its input and output, and as its
    standard error too unless `stderr_on_terminal` is false (then a pipe)."""

    def __init__(self, program, args, stderr_on_terminal=True, env=None, cwd=None):
        program = os.path.abspath(program)  # before a change of folder
        self.master, slave = os.openpty()
        # A known width, so the whole line fits.
        fcntl.ioctl(slave, termios.TIOCSWINSZ, struct.pack("HHHH", 24, 120, 0, 0))
        err_read, err_write = (None, None) if stderr_on_terminal else os.pipe()
        self.pid = os.fork()
        if self.pid == 0:
            try:
                os.setsid()
                fcntl.ioctl(slave, termios.TIOCSCTTY, 0)
                os.dup2(slave, 0)
                os.dup2(slave, 1)
                os.dup2(slave if stderr_on_terminal else err_write, 2)
                if cwd is not None:
                    os.chdir(cwd)
                os.execve(program, [program, *args], env if env is not None else os.environ)
            finally:
                os._exit(127)
        os.close(slave)
        if err_write is not None:
            os.close(err_write)
        self.err = err_read
        self.out = b""
        self.err_out = b""
        self.status = None

    def _read_some(self, timeout):
        """Reads what arrives within `timeout` seconds; false once the
        terminal's other side has closed (the program has ended)."""
        fds = [self.master] + ([self.err] if self.err is not None else [])
        ready, _, _ = select.select(fds, [], [], timeout)
        for fd in ready:
            try:
                chunk = os.read(fd, 65536)
            except OSError:  # EIO: no program on the terminal any more
                chunk = b""
            if fd == self.master:
                self.out += chunk
                if not chunk:
                    return False
            else:
                self.err_out += chunk
        return True

    def wait_for(self, pattern, start=0):
        """The first match of `pattern` in the terminal output from `start`,
        once it shows; None when the program ends or the deadline passes first."""
        regex = re.compile(pattern)
        deadline = time.monotonic() + DEADLINE_S
        while True:
            m = regex.search(self.out, start)
            if m or time.monotonic() > deadline or not self._read_some(0.2):
                return m

    def send(self, data):
        os.write(self.master, data)

    def finish(self):
        """Waits for the program to end and reads the rest of its output:
        its exit status, or None when it had to be killed."""
        deadline = time.monotonic() + DEADLINE_S
        while self.status is None and time.monotonic() < deadline:
            pid, status = os.waitpid(self.pid, os.WNOHANG)
            if pid:
                self.status = os.waitstatus_to_exitcode(status)
            elif not self._read_some(0.2):
                self.status = os.waitstatus_to_exitcode(os.waitpid(self.pid, 0)[1])
        if self.status is None:
            os.kill(self.pid, 9)
            os.waitpid(self.pid, 0)
        while self._read_some(0) and select.select([self.master], [], [], 0)[0]:
            pass
        os.close(self.master)
        if self.err is not None:
            os.close(self.err)
        return self.status


class Prompt(Terminal):
    """The interactive listener on the terminal, typed at one line at a time.
    Keys typed before readline has taken the terminal (while a line still
    runs) would get the terminal driver's meaning instead: Ctrl+D an end of
    input readline never sees, Enter a line ended before readline reads it.
    So each line is typed once its prompt shows."""

    def __init__(self, program, args, **kwargs):
        super().__init__(program, args, **kwargs)
        self.seen = 0  # the output up to here is accounted for

    def prompt(self):
        """Waits for the next prompt; false when none comes."""
        m = self.wait_for(rb"> ", self.seen)
        if m:
            self.seen = m.end()
        return m is not None

    def line(self, typed, count=1):
        """Types a line at the prompt shown now; its first `count` output
        lines, or None when they do not come."""
        start = len(self.out)
        self.send(typed + b"\r")
        m = self.wait_for(rb"\r\n((?:[^\r\n]*\r\n){%d})" % count, start)
        if not m:
            return None
        self.seen = m.end()
        return m.group(1).split(b"\r\n")[:count]
