"""Starting Windows programs under Wine and driving their windows through QevDriver.exe.

The Wine prefix and the display come from the environment (scripts/wine-env sets them up).
"""
import json
import os
import subprocess
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
    p = subprocess.run(["wine", exe, *map(str, args)], cwd=cwd, env=wine_env(),
                       stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True,
                       encoding="utf-8", timeout=timeout)
    return p.returncode, time.monotonic() - began, p.stdout


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

    def wait(self, cls, ms=8000):
        code, objs = self.call("wait", cls, ms)
        return objs[0] if code == 0 and objs else None

    def wait_dialog(self, ms=8000):
        code, objs = self.call("wait-dialog", ms)
        return objs[0] if code == 0 and objs else None

    def windows(self, cls):
        return self.call("list", cls)[1]

    def info(self, hwnd):
        code, objs = self.call("info", hwnd)
        return objs[0] if code == 0 and objs else None

    def gone(self, hwnd, ms=8000):
        return self.call("gone", hwnd, ms)[0] == 0

    def click_first_button(self, hwnd):
        return self.call("click-first-button", hwnd)[0] == 0

    def minimize(self, hwnd):
        return self.call("minimize", hwnd)[0] == 0

    def close(self, hwnd):
        return self.call("close", hwnd)[0] == 0

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
    return [c["text"] for c in dialog.get("children", []) if c["class"] == "Static" and c["text"]]
