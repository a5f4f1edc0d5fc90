"""Skin benchmark: the time from process start to the visible main window of the
launcher with a 4 MiB QevLogin.ssk beside it (the sample skin, whose pictures the window
draws, plus an incompressible picture record it never draws: the reader checks that one
but does not decode it) and with none, both measured by StartTimer.exe inside the same Wine in
one run. The window is shown after the skin was loaded and applied, so the difference
is what loading and applying the skin costs. Prints one line
  compare skin_start ours=MS noskin=MS added=MS
(the target: added at most 50 ms).

Run it like launcher_start.py, with the Wine prefix and display of scripts/wine-env:
  source scripts/wine-env && qev_choose_windows_tree && wine_start
  python3 tests/e2e/bench/skin_start.py --tree "$QEV_WIN_TREE"; wine_stop
"""
import os
import random
import shutil
import statistics
import struct
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.abspath(os.path.join(HERE, "..", "..", ".."))
sys.dont_write_bytecode = True  # keep the source folders clean
sys.path.insert(0, os.path.join(HERE, "..", "harness"))
sys.path.insert(0, HERE)

from journeycase import ensure_desktop_link  # noqa: E402
from launcher_start import one, start_timer, tree_arguments  # noqa: E402
from winedrive import run, winpath  # noqa: E402

SKIN_BYTES = 4 * 1024 * 1024
SAMPLE_PACKED = 150 * 1024


def noise_bmp(path, side):
    """A 24-bit picture of random pixels: Deflate cannot shrink it."""
    stride = (side * 3 + 3) & ~3
    rng = random.Random(7)
    rows = bytes(rng.getrandbits(8) for _ in range(stride * side))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(rows), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, side, side, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + rows)


def big_skin(tool, tmp):
    folder = os.path.join(tmp, "skin")
    shutil.copytree(os.path.join(ROOT, "samples", "skin"), folder)
    # The sample's own pictures pack to far less than they take on disk: the noise is
    # nearly all of the file.
    side = int(((SKIN_BYTES - SAMPLE_PACKED) / 3) ** 0.5)
    noise_bmp(os.path.join(folder, "QEV_BENCH_NOISE.bmp"), side)
    out = os.path.join(tmp, "QevLogin.ssk")
    code, _, text = run(tool, "skin", "pack", winpath(folder), winpath(out), timeout=300)
    if code != 0:
        raise SystemExit("qevtool skin pack failed: " + text)
    return out


def main():
    tree, runs = tree_arguments()
    from gamefolder import GameFolder
    timer = start_timer(tree)
    tmp = tempfile.mkdtemp(prefix="qev-bench-skin-")
    try:
        skin = big_skin(os.environ["QEV_QEVTOOL_EXE"], tmp)
        plain = GameFolder(os.path.join(tmp, "plain")).configure()
        skinned = GameFolder(os.path.join(tmp, "skinned")).configure()
        shutil.copy(skin, skinned.path("QevLogin.ssk"))
        ensure_desktop_link()
        one(timer, plain.exe, "tolw3")  # warm Wine and the file cache
        one(timer, skinned.exe, "tolw3")
        ours, peer = [], []
        for _ in range(runs):  # alternating, so a slow spell of the machine hits both
            ours.append(one(timer, skinned.exe, "tolw3"))
            peer.append(one(timer, plain.exe, "tolw3"))
        o, m = statistics.median(ours), statistics.median(peer)
        print("skin file %d bytes" % os.path.getsize(skin))
        print("skinned %s" % " ".join("%.1f" % x for x in ours))
        print("plain   %s" % " ".join("%.1f" % x for x in peer))
        print("compare skin_start ours=%.1f noskin=%.1f added=%.1f" % (o, m, o - m))
    finally:
        shutil.rmtree(tmp, ignore_errors=True)


if __name__ == "__main__":
    main()
