"""Update journeys through the real launcher under Wine: an operator's update folder made by
qevtool, served by a loopback HTTP server with fault injection, and the player's answers
given through the UI driver."""
import http.server
import os
import shutil
import socketserver
import threading
import time
import unittest
import zlib

import launcher as ui
from gamefolder import GameFolder
from journeycase import JourneyCase
from winedrive import dialog_texts, poll, run, start, stop, winpath

ZONE_ASK = "游戏区组更新提示"
PATCH_ASK = "游戏补丁更新提示"
ZONE_BAD = "分区列表校验失败,这可能会影响你正常游戏,请联系游戏客服解决."
ZONE_DONE = "分区列表更新完成.."
PATCH_DONE = "补丁更新完成."
PROGRESS = "下载进度："
TIMED_OUT = "连接自动更新服务器超时，无法完成更新!"
STOP_ASK = "登录器自动更新"
SELF_DONE = "更新完成，请重新打开登录器..."
SELF_FAILED = "更新登录器失败，请联系管理员，原因："
CHECK_FAILED = "下载的登录器文件校验失败。"
# The launcher's read time-out for downloads (update/Updater.h).
WINDOW_READ_TIMEOUT = 15.0


class UpdateSite:
    """A loopback HTTP server over a folder. Faults by URL path: "404", "stall" (send the
    headers and part of the body, then nothing until closed), ("slow", bytes_per_second)."""

    def __init__(self, root):
        self.root = root
        self.faults = {}
        self.requests = []
        self.served = []  # "time path" of each request, for a failure's report
        site = self

        class Handler(http.server.BaseHTTPRequestHandler):
            protocol_version = "HTTP/1.1"

            def log_message(self, *args):
                pass

            def do_GET(self):
                path = self.path.split("?")[0]
                site.requests.append(path)
                site.served.append(time.strftime("%H:%M:%S ") + path)
                fault = site.faults.get(path)
                local = os.path.join(site.root, *[p for p in path.split("/") if p])
                if fault == "404" or not os.path.isfile(local):
                    self.send_response(404)
                    self.send_header("Content-Length", "0")
                    self.end_headers()
                    return
                with open(local, "rb") as f:
                    data = f.read()
                self.send_response(200)
                self.send_header("Content-Length", str(len(data)))
                self.end_headers()
                try:
                    if fault == "stall":
                        self.wfile.write(data[: len(data) // 2])
                        self.wfile.flush()
                        site.closing.wait(120)
                    elif isinstance(fault, tuple) and fault[0] == "slow":
                        step = max(1, fault[1] // 10)
                        for i in range(0, len(data), step):
                            if site.closing.is_set():
                                return
                            self.wfile.write(data[i:i + step])
                            self.wfile.flush()
                            time.sleep(0.1)
                    else:
                        self.wfile.write(data)
                except OSError:
                    pass

        class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
            daemon_threads = True

        self.closing = threading.Event()
        self.httpd = Server(("127.0.0.1", 0), Handler)
        self.port = self.httpd.server_address[1]
        threading.Thread(target=self.httpd.serve_forever, daemon=True).start()

    def url(self, path):
        return "http://127.0.0.1:%d/%s" % (self.port, path.lstrip("/"))

    def close(self):
        self.closing.set()
        self.httpd.shutdown()
        self.httpd.server_close()


def crc_text(data):
    """A checksum as the update-info file carries it: the CRC-32 as a signed decimal."""
    c = zlib.crc32(data) & 0xFFFFFFFF
    return str(c - (1 << 32) if c >= (1 << 31) else c)


def qevtool(*args):
    code, _, out = run(os.environ["QEV_QEVTOOL_EXE"], *args, timeout=120)
    if code != 0:
        raise AssertionError("qevtool %s failed (%d): %s" % (" ".join(args), code, out))
    return out


def stamp(path, when):
    t = time.mktime(time.strptime(when, "%Y-%m-%d %H:%M:%S"))
    os.utime(path, (t, t))


class UpdateJourneys(JourneyCase):
    def site(self):
        root = os.path.join(self.tmp, "site")
        os.makedirs(root, exist_ok=True)
        s = UpdateSite(root)
        self.servers.append(s)
        return s

    def game(self, site, name="game", zones=("一区", "二区")):
        f = self.folder(name=name, update=site.url("tolw3.up"))
        for i, caption in enumerate(zones):
            f.add_zone(caption, 7000 + i)
        return f

    def build(self, site, client_files=None, config=None, launcher=None, long_url=None,
              cue=False, extra=()):
        """qevtool update build over an operator's client folder of {relative path: bytes};
        extra: more arguments (signing)."""
        client = os.path.join(self.tmp, "client")
        shutil.rmtree(client, ignore_errors=True)
        os.makedirs(client)
        for rel, data in (client_files or {}).items():
            p = os.path.join(client, *rel.split("/"))
            os.makedirs(os.path.dirname(p), exist_ok=True)
            with open(p, "wb") as f:
                f.write(data)
            stamp(p, "2009-03-01 12:30:00")
        args = ["update", "build", "--game", winpath(client), "--out", winpath(site.root),
                "--base-url", site.url("").rstrip("/"), "--force"]
        if config:
            args += ["--config", winpath(config), "--ini-url", site.url("tolw3.inf")]
        if launcher:
            args += ["--launcher", winpath(launcher), "--long-url", long_url or
                     site.url("QevLogin.exe")]
        if cue:
            args += ["--cue"]
        qevtool(*args, *extra)

    def log(self, f):
        p = f.path("QevLogin.log")
        if not os.path.exists(p):
            return ""
        with open(p, "rb") as g:
            return g.read().decode("gbk", "replace")

    # 1
    def test_01_zone_list_out_of_date(self):
        site = self.site()
        f = self.game(site)
        new = GameFolder(os.path.join(self.tmp, "operator"), with_client=False)
        new.configure(update=site.url("tolw3.up"))
        for i, caption in enumerate(["新一区", "新二区", "新三区"]):
            new.add_zone(caption, 7100 + i)
        shutil.copy(new.config_file, os.path.join(site.root, "tolw3.inf"))
        self.build(site, config=new.config_file)
        with open(new.config_file, "rb") as g:
            wanted = g.read()

        with self.subTest("yes replaces the file and relabels the rows"):
            l = self.launch(f)
            d = l.answer(ui.YES, 20000)
            self.assertIsNotNone(d, "no zone-list question")
            self.assertEqual(d["title"], ZONE_ASK)
            self.assertTrue(poll(lambda: l.rows() and l.rows()[0] == "新一区", 10))
            self.assertEqual(l.rows(), ["新一区", "新二区  " + ZONE_DONE, "新三区"])
            with open(f.config_file, "rb") as g:
                self.assertEqual(g.read(), wanted)
            self.assertIn("zone list: replaced", self.log(f))
            self.close_and_expect_exit(l)

        with self.subTest("no keeps the rows; a wrong IniCode keeps the old file"):
            f2 = self.game(site, name="game2")
            l = self.launch(f2)
            self.assertIsNotNone(l.answer(ui.NO, 20000))
            self.assertEqual(l.rows(), ["一区", "二区"])
            self.close_and_expect_exit(l)
            f3 = self.game(site, name="game3")
            with open(f3.config_file, "rb") as g:
                old = g.read()
            with open(os.path.join(site.root, "tolw3.inf"), "ab") as g:
                g.write(b"; changed after the build\r\n")
            l = self.launch(f3)
            d = l.answer(ui.OK, 20000)
            self.assertIsNotNone(d)
            self.assertIn(ZONE_BAD, dialog_texts(d))
            with open(f3.config_file, "rb") as g:
                self.assertEqual(g.read(), old)
            self.assertIn("checksum mismatch", self.log(f3))
            self.close_and_expect_exit(l)

    # 2
    def test_02_two_patched_files_one_in_a_new_folder(self):
        site = self.site()
        big = os.urandom(3 * 1024 * 1024)
        self.build(site, {"a.dat": b"new a", "Sub/b.pak": big})
        # Slow enough that the progress line is there for several looks of the driver.
        site.faults["/Sub/b.pak.zip"] = ("slow", 1024 * 1024)
        f = self.game(site)
        with open(f.path("a.dat"), "wb") as g:
            g.write(b"old a")
        l = self.launch(f)
        seen = set()

        def finished():
            c = l.controls()
            seen.add(c[ui.ZT]["text"])
            return c[ui.ZT]["text"] == PATCH_DONE and not c[ui.PROGRESS]["visible"]

        self.assertTrue(poll(finished, 30, 0.05), sorted(seen))
        self.assertTrue(any(t.startswith(PROGRESS) for t in seen), sorted(seen))
        with open(f.path("a.dat"), "rb") as g:
            self.assertEqual(g.read(), b"new a")
        with open(f.path("Sub", "b.pak"), "rb") as g:
            self.assertEqual(g.read(), big)
        want = time.mktime(time.strptime("2009-03-01 12:30:00", "%Y-%m-%d %H:%M:%S"))
        for p in (f.path("a.dat"), f.path("Sub", "b.pak")):
            self.assertLessEqual(abs(os.path.getmtime(p) - want), 2, p)
        self.assertIn("patch: replaced", self.log(f))
        self.assertTrue(l.ctl(ui.START)["visible"])
        self.close_and_expect_exit(l)

    # 3
    def test_03_stop_during_a_download(self):
        site = self.site()
        self.build(site, {"a.dat": os.urandom(400000), "b.dat": b"b"})
        site.faults["/a.dat.zip"] = ("slow", 40000)
        f = self.game(site)
        l = self.launch(f)
        self.assertTrue(l.wait_status(lambda t: t.startswith(PROGRESS), 20))
        l.click(ui.STOP_UPDATE)
        d = l.answer(ui.YES, 8000)
        self.assertIsNotNone(d)
        self.assertEqual(d["title"], STOP_ASK)
        stopped = time.monotonic()
        self.assertTrue(poll(lambda: l.ctl(ui.START)["visible"], 5))
        time.sleep(2)
        self.assertNotIn("/b.dat.zip", site.requests)
        self.assertFalse(os.path.exists(f.path("a.dat")))
        self.assertIn("stopped", self.log(f))
        self.assertLess(time.monotonic() - stopped, 10)
        self.close_and_expect_exit(l)

    # 4
    def test_04_a_404_and_a_stalled_server(self):
        site = self.site()
        self.build(site, {"a.dat": b"a", "b.dat": os.urandom(200000), "c.dat": b"c"})
        site.faults["/a.dat.zip"] = "404"
        site.faults["/b.dat.zip"] = "stall"
        f = self.game(site)
        l = self.launch(f)
        self.assertTrue(poll(lambda: "/b.dat.zip" in site.requests, 20))
        began = time.monotonic()
        d = l.answer(ui.OK, int((WINDOW_READ_TIMEOUT + 10) * 1000))
        took = time.monotonic() - began
        self.assertIsNotNone(d, "no time-out message")
        self.assertIn(TIMED_OUT, dialog_texts(d))
        self.assertLessEqual(took, WINDOW_READ_TIMEOUT + 2 + 1)  # + the driver's own start
        self.assertNotIn("/c.dat.zip", site.requests)
        self.assertFalse(os.path.exists(f.path("a.dat")))
        self.assertIn("404", self.log(f))
        self.assertIn("timed out.", self.log(f))
        self.close_and_expect_exit(l)

    def self_update(self, name):
        site = self.site()
        f = self.game(site, name=name)
        shutil.copy(os.environ["QEV_TARNUP_EXE"], f.path("TarnUp.exe"))
        new = os.path.join(site.root, "QevLogin.exe")
        with open(os.environ["QEV_LOGIN_EXE"], "rb") as g:
            data = g.read()
        # Another build of the same program: a different byte at the end of the file.
        with open(new, "wb") as g:
            g.write(data + b"\0" * 16)
        self.build(site, launcher=new)
        return site, f, data + b"\0" * 16

    # 5
    def test_05_self_update_end_to_end(self):
        for name in ("game", "游戏 目录"):
            with self.subTest(folder=name):
                site, f, new = self.self_update(name)
                l = self.launch(f)
                d = l.answer(ui.OK, 30000)
                self.assertIsNotNone(d, "no completion message")
                self.assertIn(SELF_DONE, dialog_texts(d))
                self.assertEqual(l.exit_code(20), 0)

                def replaced():
                    with open(f.exe, "rb") as g:
                        return g.read() == new

                self.assertTrue(poll(replaced, 15), "TarnUp did not replace the launcher")
                self.assertFalse(os.path.exists(f.path("update", "QevLogin.exe")))
                self.assertIn('"QevLogin.exe"', self.log(f))
                # The next start is the new launcher: it is up to date and asks nothing.
                l2 = self.launch(f)
                self.assertTrue(l2.no_dialog(3000))
                self.close_and_expect_exit(l2)

    # 6
    def test_06_a_bad_staged_launcher_is_not_installed(self):
        site, f, new = self.self_update("game")
        with open(os.path.join(site.root, "QevLogin.exe"), "ab") as g:
            g.write(b"tampered")
        with open(f.exe, "rb") as g:
            old = g.read()
        l = self.launch(f)
        d = l.answer(ui.OK, 30000)
        self.assertIsNotNone(d)
        self.assertIn(SELF_FAILED + "\r\n" + CHECK_FAILED, "\r\n".join(dialog_texts(d)) + "")
        self.assertTrue(l.visible())
        with open(f.exe, "rb") as g:
            self.assertEqual(g.read(), old)
        self.assertFalse(os.path.exists(f.path("update", "QevLogin.exe")))
        self.close_and_expect_exit(l)

    # 7
    def test_07_no_update_url_and_an_unreachable_server(self):
        site = self.site()
        f = self.folder(name="nourl")
        f.add_zone("一区", 7000)
        l = self.launch(f)
        self.assertTrue(l.no_dialog(3000))
        self.assertEqual(site.requests, [])
        self.close_and_expect_exit(l)

        dead = site.url("tolw3.up")
        site.close()
        g = self.folder(name="dead", update=dead)
        g.add_zone("一区", 7000)
        l = self.launch(g)
        self.assertTrue(l.no_dialog(3000))
        self.assertTrue(l.pick(0))
        self.assertTrue(l.visible())
        self.assertIn("failed", self.log(g))
        self.close_and_expect_exit(l)


    # 8
    def test_08_a_locked_file_stays_whole_until_a_later_start(self):
        site = self.site()
        self.build(site, {"a.dat": b"new a"})
        f = self.game(site)
        with open(f.path("a.dat"), "wb") as g:
            g.write(b"old a")
        # Another program holds the file open for reading without letting anyone replace it.
        holder = start(os.environ["QEV_HOLDFILE_EXE"], winpath(f.path("a.dat")), 600000)
        try:
            self.assertEqual(holder.stdout.readline().strip(), "held")
            l = self.launch(f)
            seen = set()

            def run_ended():
                c = l.controls()
                seen.add(c[ui.ZT]["text"])
                return "patch run: done" in self.log(f) and c[ui.START]["visible"]

            self.assertTrue(poll(run_ended, 30, 0.05), sorted(seen))
            self.assertNotIn(PATCH_DONE, seen | {l.text(ui.ZT)})
            with open(f.path("a.dat"), "rb") as g:
                self.assertEqual(g.read(), b"old a")
            self.assertEqual([n for n in os.listdir(f.root) if n.startswith("a.dat")], ["a.dat"],
                             "a working copy is left beside the locked file")
            self.assertIn("could not replace", self.log(f))
            self.close_and_expect_exit(l)
        finally:
            stop(holder)

        # The lock has gone: the next start fetches the file again and installs it.
        l = self.launch(f)
        self.assertTrue(l.wait_status(lambda t: t == PATCH_DONE, 30))
        with open(f.path("a.dat"), "rb") as g:
            self.assertEqual(g.read(), b"new a")
        want = time.mktime(time.strptime("2009-03-01 12:30:00", "%Y-%m-%d %H:%M:%S"))
        self.assertLessEqual(abs(os.path.getmtime(f.path("a.dat")) - want), 2)
        self.close_and_expect_exit(l)

if __name__ == "__main__":
    unittest.main()
