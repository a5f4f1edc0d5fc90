"""Start-up benchmark: the time from process start to the visible main window of the
launcher, beside the same time for a minimal Win32 window program, both measured by
StartTimer.exe inside the same Wine in one run. Prints one line
  compare launcher_start ours=MS minimal=MS ratio=R
(R = minimal / ours; above 1 the launcher is faster, the target is at least 1/1.5).

Run it through tests/e2e/bench/run-start-bench, which provides the Wine prefix and display.
"""
import argparse
import json
import os
import shutil
import statistics
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.dont_write_bytecode = True  # keep the source folders clean
sys.path.insert(0, os.path.join(HERE, "..", "harness"))

from journeycase import ensure_desktop_link  # noqa: E402
from winedrive import run, winpath  # noqa: E402


def one(timer, exe, cls):
    code, _, out = run(timer, winpath(exe), cls, timeout=60)
    if code != 0:
        raise SystemExit("%s: no window of class %s (%s)" % (exe, cls, out.strip()))
    return json.loads(out.splitlines()[-1])["ms"]


def tree_arguments():
    """(tree, runs) from the command line; the harness finds the tree's programs."""
    p = argparse.ArgumentParser()
    p.add_argument("--tree", required=True, help="the Windows build tree")
    p.add_argument("--runs", type=int, default=7)
    a = p.parse_args()
    tree = os.path.abspath(a.tree)
    os.environ.setdefault("QEV_LOGIN_EXE", os.path.join(tree, "app", "QevLogin.exe"))
    os.environ.setdefault("QEV_FAKE_CLIENT_EXE",
                          os.path.join(tree, "tests", "e2e", "driver", "FakeClient.exe"))
    os.environ.setdefault("QEV_QEVTOOL_EXE", os.path.join(tree, "tools", "qevtool", "qevtool.exe"))
    return tree, a.runs


def start_timer(tree):
    return os.path.join(tree, "tests", "e2e", "bench", "StartTimer.exe")


def main():
    tree, runs = tree_arguments()
    from gamefolder import GameFolder
    timer = start_timer(tree)
    minimal = os.path.join(tree, "tests", "e2e", "bench", "MinimalWindow.exe")
    tmp = tempfile.mkdtemp(prefix="qev-bench-start-")
    try:
        folder = GameFolder(os.path.join(tmp, "game"))
        folder.configure()  # no update address, no zones: start-up only
        folder.add_zone("zone", 7000)
        ensure_desktop_link()
        # Warm both (the first Wine start of a program pays for loading its DLLs).
        one(timer, folder.exe, "tolw3")
        one(timer, minimal, "QevMinimalWindow")
        ours, peer = [], []
        for _ in range(runs):  # alternating, so a slow spell of the machine hits both
            ours.append(one(timer, folder.exe, "tolw3"))
            peer.append(one(timer, minimal, "QevMinimalWindow"))
        o, m = statistics.median(ours), statistics.median(peer)
        print("launcher %s" % " ".join("%.1f" % x for x in ours))
        print("minimal  %s" % " ".join("%.1f" % x for x in peer))
        print("compare launcher_start ours=%.1f minimal=%.1f ratio=%.2f" % (o, m, m / o))
    finally:
        shutil.rmtree(tmp, ignore_errors=True)


if __name__ == "__main__":
    main()
