"""Starting Windows programs under Wine and driving their windows through QevDriver.exe.

The Wine prefix and the display come from the environment (scripts/wine-env sets them up).
"""
import json
import os
import subprocess
import tempfile
import time

if not os.environ.get("DISPLAY") or not os.environ.get("WINEPREFIX"):
    raise RuntimeError("the end-to-end tests need the Wine prefix and display of scripts/wine-env; "
                       "run them through scripts/test")


def wine_env():
    env = dict(os.environ)
    # File names reach Wine as UTF-8 whatever the caller's locale.
    env["LC_ALL"] = "C.UTF-8"
    return env


def winpath(path):
    """The Windows name of a Unix path (a Wine prefix maps drive Z: to /)."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def start(exe, *args, cwd=None):
    """Starts a Windows program; returns the Popen (stdout captured as text)."""
    return subprocess.Popen(["wine", exe, *map(str, args)], cwd=cwd, env=wine_env(),
                            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True,
                            encoding="utf-8")


def run(exe, *args, cwd=None, timeout=30):
    """Runs a Windows program to its end: (exit code, seconds taken, stdout)."""
    began = time.monotonic()
    code, out, _ = run_with_errors(exe, *args, cwd=cwd, timeout=timeout)
    return code, time.monotonic() - began, out


def run_with_errors(exe, *args, cwd=None, timeout=30):
    """Runs a Windows program to its end: (exit code, stdout, stderr)."""
    # stderr goes to a file, not a pipe: Wine's own helpers (explorer.exe, services),
    # started on the program's behalf, inherit it and keep a pipe open long after the
    # program has ended.
    with tempfile.TemporaryFile() as err:
        p = subprocess.run(["wine", exe, *map(str, args)], cwd=cwd, env=wine_env(),
                           stdout=subprocess.PIPE, stderr=err, text=True,
                           encoding="utf-8", errors="replace", timeout=timeout)
        err.seek(0)
        return p.returncode, p.stdout, err.read().decode("utf-8", "replace")


def wait_exit(proc, timeout=15):
    """The exit code of a started program; kills it and fails after timeout seconds."""
    try:
        return proc.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        stop(proc)
        raise AssertionError("program still running after %s s" % timeout)
    finally:
        if proc.stdout:
            proc.stdout.close()


def stop(proc):
    """Ends a started program if it still runs."""
    if proc.poll() is None:
        proc.kill()
        proc.wait()
    if proc.stdout:
        proc.stdout.close()


class Driver:
    def __init__(self, exe):
        self.exe = exe

    def call(self, *args, timeout=30):
        """(exit code, list of JSON objects printed)."""
        code, _, out = run(self.exe, *args, timeout=timeout)
        return code, [json.loads(line) for line in out.splitlines() if line.startswith("{")]

    def first(self, *args, timeout=30):
        """The first object a successful call printed, else None."""
        code, objs = self.call(*args, timeout=timeout)
        return objs[0] if code == 0 and objs else None

    def ok(self, *args):
        return self.call(*args)[0] == 0

    def wait(self, cls, ms=8000):
        return self.first("wait", cls, ms)

    def wait_dialog(self, ms=8000, pid=None):
        return self.first("wait-dialog", ms, *([pid] if pid else []))

    def windows(self, cls=None):
        return self.call("list", *([cls] if cls else []))[1]

    def info(self, hwnd):
        return self.first("info", hwnd)

    def controls(self, hwnd):
        """{control ID: control} of the window's direct children."""
        code, objs = self.call("controls", hwnd)
        return {c["id"]: c for c in objs} if code == 0 else {}

    def control(self, hwnd, cid):
        return self.first("control", hwnd, cid)

    def gone(self, hwnd, ms=8000):
        return self.ok("gone", hwnd, ms)

    def click(self, hwnd, cid):
        return self.ok("click", hwnd, cid)

    def click_at(self, hwnd, cid, x, y):
        return self.ok("click-at", hwnd, cid, x, y)

    def select_combo(self, hwnd, cid, row):
        return self.ok("select-combo", hwnd, cid, row)

    def command(self, hwnd, cid):
        return self.ok("command", hwnd, cid)

    def post(self, hwnd, msg, wparam, lparam):
        return self.ok("post", hwnd, msg, wparam, lparam)

    def send(self, hwnd, msg, wparam=0, lparam=0):
        return self.first("send", hwnd, msg, wparam, lparam)

    def menu(self, ms=5000):
        """The open pop-up menu: {"hwnd", "pid", "count", "items": [...]}, or None."""
        return self.first("menu", ms)

    def menu_pick(self, cid, ms=5000):
        return self.ok("menu-pick", ms, cid)

    def menu_close(self, ms=2000):
        return self.ok("menu-close", ms)

    def answer(self, caption, ms=8000, pid=None):
        """Clicks the button of that caption in a dialog; returns the dialog as it was."""
        return self.first("answer", caption, ms, *([pid] if pid else []))

    def click_first_button(self, hwnd):
        return self.ok("click-first-button", hwnd)

    def minimize(self, hwnd):
        return self.ok("minimize", hwnd)

    def close(self, hwnd):
        return self.ok("close", hwnd)

    def front(self, hwnd):
        return self.ok("front", hwnd)

    def shot(self, hwnd, bmp_path):
        return self.ok("shot", hwnd, winpath(bmp_path))

    def read_link(self, path):
        return self.first("read-link", winpath(path))

    def monkey(self, hwnd, ms, seed):
        """(exit code, events printed) of the random walk over the launcher."""
        return self.call("monkey", hwnd, ms, seed, timeout=ms / 1000 + 60)

    def hold_window(self, cls, title, ms):
        """Starts a window of another program; returns the Popen once the window is up."""
        p = start(self.exe, "hold-window", cls, title.encode("utf-8").hex(), ms)
        line = p.stdout.readline()
        if not line.startswith("{"):
            p.kill()
            raise AssertionError("helper window did not come up")
        return p


def dialog_texts(dialog):
    """The texts of a message box's static controls, without empty ones."""
    return [c["text"] for c in dialog.get("children", [])
            if c["class"].lower() == "static" and c["text"]]


def dialog_buttons(dialog):
    return [c["text"] for c in dialog.get("children", []) if c["class"].lower() == "button"]


def poll(probe, timeout=10.0, interval=0.1):
    """Calls probe until it returns something true; returns that, or the last value."""
    end = time.monotonic() + timeout
    while True:
        value = probe()
        if value or time.monotonic() >= end:
            return value
        time.sleep(interval)
