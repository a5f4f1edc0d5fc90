"""The launcher dressed by a skin file under Wine: the check boxes, the message dialog's
title and the window face and shape come from QevLogin.ssk when one is found (beside the
launcher or in the Windows folder), and from the built-in look when none is, or when the
file found is damaged or enciphered. Pictures are read back from the screen and compared
with the bitmaps they must come from, read here straight from the committed files."""
import os
import shutil
import struct
import subprocess
import tempfile
import time
import unittest

import launcher as ui
from desktop import CleanDesktopCase
from gamefolder import GameFolder
from journeycase import ensure_desktop_link
from winedrive import Driver, dialog_texts, poll, run, winpath

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", "..", ".."))
SAMPLE_SKIN = os.path.join(ROOT, "samples", "skin")
BUILT_IN_CHECKBOX = os.path.join(ROOT, "app", "res", "deepblue", "DEEPBLUE_CHECKBOX.bmp")
BUILT_IN_FACE = os.path.join(ROOT, "app", "res", "face.bmp")
SKIN_FILE = "QevLogin.ssk"
FUCHSIA = (255, 0, 255)
WHITE = (255, 255, 255)
FACE_POINT = (360, 250)  # the face between the zone list and the notice


class Picture:
    """A 24-bit BMP file (bottom-up, as the committed pictures and the driver's shots
    are) as rows of (r, g, b)."""

    def __init__(self, path):
        with open(path, "rb") as f:
            data = f.read()
        offset, = struct.unpack_from("<I", data, 10)
        self.width, height, _, bits = struct.unpack_from("<iiHH", data, 18)
        if bits != 24:
            raise ValueError("%s: %d bits per pixel" % (path, bits))
        self.height = abs(height)
        stride = (self.width * 3 + 3) & ~3
        self.rows = []
        for y in range(self.height):
            src = self.height - 1 - y if height > 0 else y
            row = data[offset + src * stride: offset + src * stride + self.width * 3]
            self.rows.append([(row[x + 2], row[x + 1], row[x]) for x in range(0, len(row), 3)])

    def at(self, x, y):
        return self.rows[y][x]

    def block(self, left, top, width, height):
        return [row[left:left + width] for row in self.rows[top:top + height]]


def frame(picture, count, index):
    """Frame index (1-based) of a strip of count equal frames; the last one is the
    right-most frame-width columns."""
    width = picture.width // count
    left = picture.width - width if index == count else (index - 1) * width
    return picture.block(left, 0, width, picture.height)


def skin_colour(name):
    """A colour record of the sample skin's values.ini as (r, g, b)."""
    with open(os.path.join(SAMPLE_SKIN, "values.ini"), encoding="utf-8") as f:
        for line in f:
            if line.startswith(name + "="):
                value = int(line.split("=", 1)[1], 16)
                return value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF
    raise KeyError(name)


class Skins(CleanDesktopCase):
    @classmethod
    def setUpClass(cls):
        cls.shared = tempfile.mkdtemp(prefix="qev-skins-")
        cls.sample = os.path.join(cls.shared, SKIN_FILE)
        cls.enciphered = os.path.join(cls.shared, "enciphered.ssk")
        tool = os.environ["QEV_QEVTOOL_EXE"]
        for out, extra in ((cls.sample, []), (cls.enciphered, ["--password", "secret"])):
            code, _, text = run(tool, "skin", "pack", winpath(SAMPLE_SKIN), winpath(out), *extra,
                                timeout=120)
            if code != 0:
                raise AssertionError("qevtool skin pack failed: " + text)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.shared, ignore_errors=True)

    def setUp(self):
        self.driver = Driver(os.environ["QEV_DRIVER_EXE"])
        self.tmp = tempfile.mkdtemp(prefix="qev-skin-")
        self.launchers = []
        self.windows_copy = os.path.join(os.environ["WINEPREFIX"], "drive_c", "windows", SKIN_FILE)
        self.assertFalse(os.path.exists(self.windows_copy), "a skin is left in the Windows folder")
        self.clean_desktop()
        ensure_desktop_link()

    def tearDown(self):
        for l in self.launchers:
            l.stop()
        if os.path.exists(self.windows_copy):
            os.remove(self.windows_copy)
        shutil.rmtree(self.tmp, ignore_errors=True)

    # --- helpers

    def folder(self, name, skin=None):
        f = GameFolder(os.path.join(self.tmp, name)).configure()
        if skin is not None:
            shutil.copy(skin, f.path(SKIN_FILE))
        return f

    def launch(self, folder):
        l = ui.Launcher(self.driver, folder).start()
        self.launchers.append(l)
        return l

    def shot(self, hwnd, name):
        """The window's screen area, once it has had time to paint."""
        self.driver.front(hwnd)
        time.sleep(0.6)
        path = os.path.join(self.tmp, name + ".bmp")
        self.assertTrue(self.driver.shot(hwnd, path), "no screenshot")
        return Picture(path)

    def glyph_seen(self, launcher, shot, cid, glyph_size):
        """The box glyph's pixels as the screen shows them: at x = 1 of the check box,
        vertically centred."""
        left, top, _, height = launcher.ctl(cid)["rect"]
        width, glyph_height = glyph_size
        return shot.block(left + 1, top + (height - glyph_height) // 2, width, glyph_height)

    def title_pixels(self, dialog_hwnd, name):
        """The pixels of the dialog's title bar (its top 24 rows)."""
        pic = self.shot(dialog_hwnd, name)
        return {p for row in pic.rows[:24] for p in row}

    def tray_menu_colours(self, launcher, name):
        """The colours of the tray icon's pop-up menu as the screen shows it."""
        launcher.tray(ui.WM_RBUTTONUP)
        menu = self.driver.menu()
        self.assertIsNotNone(menu, "no tray menu")
        time.sleep(0.3)
        path = os.path.join(self.tmp, name + ".bmp")
        self.assertTrue(self.driver.shot(menu["hwnd"], path))
        self.assertTrue(self.driver.menu_close())
        screens = os.environ.get("QEV_SCREENS_DIR")
        if screens:
            os.makedirs(screens, exist_ok=True)
            with open(path, "rb") as f, open(os.path.join(screens, "skin-%s.png" % name), "wb") as g:
                g.write(ui.bmp_to_png(f.read()))
        return {p for row in Picture(path).rows for p in row}

    def stop_message(self, launcher):
        """Start with no zone picked: the launcher's own message dialog says why not."""
        launcher.click(ui.START)
        box = launcher.dialog()
        self.assertIsNotNone(box, "no message dialog")
        self.assertIn(ui.NOT_READY, dialog_texts(box))
        return box

    # --- the journeys

    def test_without_a_usable_skin_the_built_in_look_shows_and_nothing_is_said(self):
        strip = Picture(BUILT_IN_CHECKBOX)
        unchecked, checked = frame(strip, 4, 2), frame(strip, 4, 1)
        face = Picture(BUILT_IN_FACE)
        damaged = os.path.join(self.tmp, "damaged.ssk")
        with open(self.sample, "rb") as f:
            data = bytearray(f.read())
        data[len(data) // 2: len(data) // 2 + 64] = bytes(64)  # inside the packed records
        with open(damaged, "wb") as f:
            f.write(bytes(data))
        for case, skin in (("none", None), ("damaged", damaged), ("enciphered", self.enciphered),
                           ("not a skin at all", os.path.join(ROOT, "README.md"))):
            with self.subTest(case):
                l = self.launch(self.folder(case.replace(" ", "-"), skin))
                self.assertTrue(l.no_dialog(), "a message about the skin was shown")
                self.assertEqual(l.ctl(ui.OPT1)["check"], 0)
                shot = self.shot(l.hwnd, "default")
                self.assertEqual(self.glyph_seen(l, shot, ui.OPT1, (13, 13)), unchecked,
                                 "the unchecked box is not built-in frame 2 of 4")
                self.assertEqual(shot.at(*FACE_POINT), face.at(*FACE_POINT))
                if skin is None:
                    ui.save_screenshot(self.driver, l.hwnd, "skin-default")
                    l.click(ui.OPT1)
                    time.sleep(0.3)
                    self.assertEqual(l.ctl(ui.OPT1)["check"], 1)
                    shot = self.shot(l.hwnd, "default-checked")
                    self.assertEqual(self.glyph_seen(l, shot, ui.OPT1, (13, 13)), checked)
                    box = self.stop_message(l)
                    title = self.title_pixels(box["hwnd"], "default-dialog")
                    self.assertIn(WHITE, title, "the built-in caption is white")
                    self.assertNotIn(skin_colour("SKIN2_TITLEFONTCOLOR"), title)
                    ui.save_screenshot(self.driver, box["hwnd"], "skin-default-dialog")
                    self.assertIsNotNone(l.answer(ui.OK))
                    # The built-in menu: white items beside a grey bar (0xCED3D6).
                    menu = self.tray_menu_colours(l, "default-menu")
                    self.assertIn(WHITE, menu)
                    self.assertIn((0xD6, 0xD3, 0xCE), menu)
                l.stop()

    def test_the_sample_skin_dresses_check_boxes_dialog_and_face(self):
        strip = Picture(os.path.join(SAMPLE_SKIN, "SKIN2_CHECKBOX.bmp"))
        glyph = (strip.width // 6, strip.height)
        skin_face = Picture(os.path.join(SAMPLE_SKIN, "QEV_FACE.bmp"))
        built_in_face = Picture(BUILT_IN_FACE)
        l = self.launch(self.folder("sample", self.sample))
        self.assertTrue(l.no_dialog())
        shot = self.shot(l.hwnd, "sample")
        ui.save_screenshot(self.driver, l.hwnd, "skin-sample")

        with self.subTest("check boxes: frame 3 of 6 unchecked, 1 of 6 checked"):
            self.assertEqual(self.glyph_seen(l, shot, ui.OPT1, glyph), frame(strip, 6, 3))
            # Auto-sized to the skin's larger glyph: glyph + 4 rows at least.
            self.assertGreaterEqual(l.ctl(ui.OPT1)["rect"][3], glyph[1] + 4)
            l.click(ui.OPT1)
            time.sleep(0.3)
            shot = self.shot(l.hwnd, "sample-checked")
            self.assertEqual(self.glyph_seen(l, shot, ui.OPT1, glyph), frame(strip, 6, 1))

        with self.subTest("face and shape from QEV_FACE"):
            # The skin's corners are rounder than the built-in face's: where the skin is
            # fuchsia and the built-in face is not, the window must not be (the screen
            # there shows neither face); where both are opaque, the skin's face shows.
            cut = [(x, y) for y in range(0, 40) for x in range(0, 40)
                   if skin_face.at(x, y) == FUCHSIA and built_in_face.at(x, y) != FUCHSIA]
            self.assertTrue(cut, "the sample face no longer differs in outline")
            for point in cut:
                self.assertNotIn(shot.at(*point), (FUCHSIA, built_in_face.at(*point)), point)
            self.assertEqual(shot.at(*FACE_POINT), skin_face.at(*FACE_POINT))
            self.assertNotEqual(skin_face.at(*FACE_POINT), built_in_face.at(*FACE_POINT))

        with self.subTest("the tray menu in the skin's menu colours"):
            menu = self.tray_menu_colours(l, "sample-menu")
            self.assertIn(skin_colour("SKIN2_MENUITEMCOLOR"), menu)
            self.assertIn(skin_colour("SKIN2_LEFTBARSTARTCOLOR"), menu)

        with self.subTest("a press on the face drags the window"):
            left, top = l.window()["rect"][:2]
            x, y = left + FACE_POINT[0], top + FACE_POINT[1]
            subprocess.run(["xdotool", "mousemove", str(x), str(y), "mousedown", "1",
                            "sleep", "0.2", "mousemove", str(x + 30), str(y + 20), "sleep", "0.2",
                            "mousemove", str(x + 60), str(y + 40), "sleep", "0.2", "mouseup", "1"],
                           check=True, timeout=20)
            moved = poll(lambda: l.window()["rect"][:2] == [left + 60, top + 40], timeout=5)
            self.assertTrue(moved, "the window is at %r" % (l.window()["rect"][:2],))

        with self.subTest("the message dialog's title in SKIN2_TITLEFONTCOLOR"):
            box = self.stop_message(l)
            title = self.title_pixels(box["hwnd"], "sample-dialog")
            self.assertIn(skin_colour("SKIN2_TITLEFONTCOLOR"), title)
            ui.save_screenshot(self.driver, box["hwnd"], "skin-sample-dialog")
            self.assertIsNotNone(l.answer(ui.OK))

    def test_a_skin_in_the_windows_folder_is_used_when_none_is_beside_the_launcher(self):
        strip = Picture(os.path.join(SAMPLE_SKIN, "SKIN2_CHECKBOX.bmp"))
        glyph = (strip.width // 6, strip.height)
        shutil.copy(self.sample, self.windows_copy)
        l = self.launch(self.folder("windows-folder"))
        shot = self.shot(l.hwnd, "windows-folder")
        self.assertEqual(self.glyph_seen(l, shot, ui.OPT1, glyph), frame(strip, 6, 3))
        l.stop()
        # A damaged skin beside the launcher is found first: the built-in look, no word.
        with open(os.path.join(self.tmp, "bad.ssk"), "wb") as f:
            f.write(b"PK\x03\x04 not really")
        l = self.launch(self.folder("bad-beside", os.path.join(self.tmp, "bad.ssk")))
        self.assertTrue(l.no_dialog())
        shot = self.shot(l.hwnd, "bad-beside")
        self.assertEqual(self.glyph_seen(l, shot, ui.OPT1, (13, 13)),
                         frame(Picture(BUILT_IN_CHECKBOX), 4, 2))

    def test_at_150_percent_the_pictures_stay_whole_and_the_dialog_grows_to_its_text(self):
        """The launcher is DPI-aware and laid out in fixed pixels: at 144 DPI the face is
        drawn pixel for pixel as at 96, while the dialog's 9-point text is larger and
        the dialog sizes itself around it."""
        skin_face = Picture(os.path.join(SAMPLE_SKIN, "QEV_FACE.bmp"))
        seen = {}
        try:
            for dpi in (96, 144):
                code, _, _ = run("reg", "add", "HKCU\\Control Panel\\Desktop", "/v", "LogPixels",
                                 "/t", "REG_DWORD", "/d", str(dpi), "/f")
                self.assertEqual(code, 0)
                l = self.launch(self.folder("dpi%d" % dpi, self.sample))
                window = l.window()
                shot = self.shot(l.hwnd, "dpi%d" % dpi)
                box = self.stop_message(l)
                text = [c for c in box["children"] if c["class"] == "Static"][0]
                seen[dpi] = (window["client"], shot.at(*FACE_POINT), box["client"], text["rect"])
                if dpi == 144:
                    ui.save_screenshot(self.driver, l.hwnd, "skin-150-percent")
                    ui.save_screenshot(self.driver, box["hwnd"], "skin-150-percent-dialog")
                self.assertIsNotNone(l.answer(ui.OK))
                l.stop()
        finally:
            run("reg", "delete", "HKCU\\Control Panel\\Desktop", "/v", "LogPixels", "/f")
        for dpi in (96, 144):
            client, face_pixel, dialog, text = seen[dpi]
            self.assertEqual(client, [864, 568], dpi)
            self.assertEqual(face_pixel, skin_face.at(*FACE_POINT), dpi)
            left, top, width, height = text
            self.assertLessEqual(left + width, dialog[0], dpi)  # the text lies inside
            self.assertLessEqual(top + height, dialog[1], dpi)
        self.assertGreater(seen[144][3][3], seen[96][3][3], "the dialog text did not grow")


if __name__ == "__main__":
    unittest.main()
