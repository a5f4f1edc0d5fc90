"""The launcher's start under Wine: client-folder test, single instance, main window."""
import os
import shutil
import tempfile
import time
import unittest

import launcher as ui
from desktop import clean
from journeycase import ensure_desktop_link
from statusports import UpServer
from winedrive import Driver, dialog_texts, poll, run, start, stop, wait_exit, winpath

TITLE = "神域3登录器"
NOT_CLIENT_FOLDER = "请把登录器放到神域3客户端目录！"
ALREADY_RUNNING = TITLE + "\r\n\r\n" + "已经在运行！不能重复运行！"
RUNNING_CAPTION = "重复运行"
FOLDER_NOT_GBK = ("登录器所在文件夹的路径含有无法用简体中文编码表示的字符，无法启动。"
                  "请把客户端放到名称只含中文、英文和数字的文件夹中。")
LAUNCHER_CLASS = "tolw3"
SCREEN = (1280, 1024)  # the test display
CLIENT = (864, 568)
WS_POPUP, WS_CAPTION, WS_THICKFRAME = 0x80000000, 0x00C00000, 0x00040000


def make_game_folder(root, layout):
    """layout: {"map/1.map": "file" | "dir", "data": "file" | "dir"}; returns the exe path."""
    for rel, kind in layout.items():
        path = os.path.join(root, rel)
        os.makedirs(os.path.dirname(path) or root, exist_ok=True)
        if kind == "dir":
            os.makedirs(path, exist_ok=True)
        else:
            with open(path, "wb") as f:
                f.write(b"x")
    exe = os.path.join(root, "QevLogin.exe")
    shutil.copy(os.environ["QEV_LOGIN_EXE"], exe)
    return exe


def make_launcher_folder(root):
    """A client folder with a configuration (written by the operator's tool): the
    launcher shows its window there."""
    exe = make_game_folder(root, CLIENT_LAYOUT)
    code, _, out = run(os.environ["QEV_QEVTOOL_EXE"], "config", "new",
                       winpath(os.path.join(root, "tolw3.inf")), "--client", "Client.exe")
    if code != 0:
        raise AssertionError("qevtool config new failed: " + out)
    return exe


CLIENT_LAYOUT = {"map/1.map": "file", "data": "dir"}


class LauncherStart(unittest.TestCase):
    def setUp(self):
        self.driver = Driver(os.environ["QEV_DRIVER_EXE"])
        self.tmp = tempfile.mkdtemp(prefix="qev-e2e-")
        self.procs = []
        clean(self.driver)
        ensure_desktop_link()

    def tearDown(self):
        for w in self.driver.windows(LAUNCHER_CLASS):
            self.driver.close(w["hwnd"])
        for p in self.procs:
            stop(p)
        shutil.rmtree(self.tmp, ignore_errors=True)

    def launch(self, exe):
        p = start(exe, cwd=os.path.dirname(exe))
        self.procs.append(p)
        return p

    def answer_box(self, proc, caption, text):
        # A start that brings up Wine's tray host for the first time can be slow on a
        # loaded machine; when no box comes, say what the process and the desktop held.
        box = self.driver.wait_dialog(20000)
        if box is None:
            self.fail("no message box appeared; the program %s; top-level windows: %s"
                      % ("is still running" if proc.poll() is None
                         else "ended with %s" % proc.returncode,
                         [(w["class"], w["title"], w["visible"]) for w in self.driver.windows()]))
        self.assertEqual(box["title"], caption)
        self.assertIn(text, dialog_texts(box))
        self.assertTrue(self.driver.click_first_button(box["hwnd"]))
        self.assertEqual(wait_exit(proc), 0)

    def test_outside_a_client_folder_shows_box_and_ends_with_zero(self):
        layouts = {
            "map file missing": {"data": "dir"},
            "map file is a folder": {"map/1.map": "dir", "data": "dir"},
            "data is a file": {"map/1.map": "file", "data": "file"},
            "data missing": {"map/1.map": "file"},
        }
        for name, layout in layouts.items():
            with self.subTest(name):
                exe = make_game_folder(os.path.join(self.tmp, name.replace(" ", "_")), layout)
                self.answer_box(self.launch(exe), TITLE, NOT_CLIENT_FOLDER)
                self.assertEqual(self.driver.windows(LAUNCHER_CLASS), [])

    def test_main_window_shape_and_close(self):
        exe = make_launcher_folder(os.path.join(self.tmp, "game"))
        p = self.launch(exe)
        w = self.driver.wait(LAUNCHER_CLASS)
        self.assertIsNotNone(w, "the main window did not appear")
        self.assertEqual(w["title"], TITLE)
        self.assertEqual(tuple(w["client"]), CLIENT)
        left, top, right, bottom = w["rect"]
        self.assertEqual((right - left, bottom - top), CLIENT)  # no frame around the client area
        self.assertEqual((left, top), ((SCREEN[0] - CLIENT[0]) // 2, (SCREEN[1] - CLIENT[1]) // 2))
        self.assertTrue(w["style"] & WS_POPUP)
        self.assertFalse(w["style"] & (WS_CAPTION | WS_THICKFRAME))
        self.assertTrue(self.driver.close(w["hwnd"]))
        self.assertEqual(wait_exit(p), 0)

    def test_second_start_restores_the_first_and_leaves_no_window(self):
        exe = make_launcher_folder(os.path.join(self.tmp, "game"))
        first = self.launch(exe)
        w = self.driver.wait(LAUNCHER_CLASS)
        self.assertIsNotNone(w)
        self.assertTrue(self.driver.minimize(w["hwnd"]))
        for _ in range(40):  # minimised to the notification area: hidden
            if not self.driver.info(w["hwnd"])["visible"]:
                break
            time.sleep(0.05)
        self.assertEqual(self.driver.info(w["hwnd"])["visible"], 0)

        second = self.launch(exe)
        self.answer_box(second, RUNNING_CAPTION, ALREADY_RUNNING)
        after = self.driver.info(w["hwnd"])
        self.assertEqual((after["visible"], after["iconic"], after["foreground"]), (1, 0, 1))
        self.assertEqual(len(self.driver.windows(LAUNCHER_CLASS)), 1)
        self.assertIsNone(first.poll())

        self.assertTrue(self.driver.close(w["hwnd"]))
        self.assertEqual(wait_exit(first), 0)

    def test_a_window_of_another_class_with_the_title_does_not_block(self):
        other = self.driver.hold_window("SomeOtherClass", TITLE, 20000)
        self.procs.append(other)
        exe = make_launcher_folder(os.path.join(self.tmp, "game"))
        p = self.launch(exe)
        w = self.driver.wait(LAUNCHER_CLASS)
        self.assertIsNotNone(w, "the launcher did not start beside a window with its title")
        self.assertTrue(self.driver.close(w["hwnd"]))
        self.assertEqual(wait_exit(p), 0)

    def test_folder_name_without_gbk_form_is_refused(self):
        exe = make_game_folder(os.path.join(self.tmp, "게임"), CLIENT_LAYOUT)
        p = self.launch(exe)
        box = self.driver.wait_dialog()
        self.assertIsNotNone(box)
        self.assertEqual(box["title"], TITLE)
        self.assertIn(FOLDER_NOT_GBK, dialog_texts(box))
        self.assertTrue(self.driver.click_first_button(box["hwnd"]))
        self.assertEqual(wait_exit(p), 0)
        self.assertEqual(self.driver.windows(LAUNCHER_CLASS), [])

    def test_release_folder_tool_writes_a_configuration_its_launcher_reads(self):
        # The operator's copy: qevtool.exe and QevLogin.exe side by side, as shipped. Where
        # the test run names the release folder (scripts/dist output) its programs are used.
        release = os.environ.get("QEV_RELEASE_DIR")
        if not release:
            release = os.path.join(self.tmp, "release")
            os.makedirs(release)
            shutil.copy(os.environ["QEV_LOGIN_EXE"], release)
            shutil.copy(os.environ["QEV_QEVTOOL_EXE"], release)
        tool = os.path.join(release, "qevtool.exe")
        game = os.path.join(self.tmp, "game")
        make_game_folder(game, CLIENT_LAYOUT)
        exe = os.path.join(game, "QevLogin.exe")
        shutil.copy(os.path.join(release, "QevLogin.exe"), exe)
        inf = winpath(os.path.join(game, "tolw3.inf"))
        server = UpServer()
        self.addCleanup(server.close)
        for args in (["config", "new", inf, "--client", "Client.exe", "--info", "发布版欢迎您"],
                     ["config", "add-zone", inf, "--caption", "发布一区", "--name", "r1",
                      "--address", "127.0.0.1", "--port", str(server.game_port)]):
            code, _, out = run(tool, *args, cwd=release)
            self.assertEqual(code, 0, out)

        p = self.launch(exe)
        w = self.driver.wait(LAUNCHER_CLASS, 15000)
        self.assertIsNotNone(w, "the launcher did not start on the tool's configuration")
        l = ui.Launcher(self.driver, None)
        l.hwnd, l.pid, l.proc = w["hwnd"], w["pid"], p
        self.assertEqual(l.text(ui.INFO_LINE), "发布版欢迎您")
        self.assertEqual(l.rows(), ["发布一区"])
        l.pick(0)
        self.assertTrue(l.wait_status(lambda t: t.startswith(ui.RUNNING), 10), l.status())
        self.assertTrue(poll(lambda: server.accepted >= 1, 5))
        self.assertTrue(self.driver.close(w["hwnd"]))
        self.assertEqual(wait_exit(p), 0)


if __name__ == "__main__":
    unittest.main()
