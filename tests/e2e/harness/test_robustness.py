"""The launcher under pressure: a second start while a modal dialog is open, and a long
random walk over every control."""
import os
import unittest

import launcher as ui
from journeycase import JourneyCase
from winedrive import dialog_texts, poll, start, stop

EXPECTED_CAPTIONS = {ui.TITLE, ui.MESS_CAPTION, ui.SHORTCUT_CAPTION}


class Robustness(JourneyCase):
    def test_second_start_while_a_modal_dialog_is_open_restores_the_first(self):
        notice = "公告：测试模态对话框"
        f = self.folder([("公告区", self.up(), notice)])
        l = self.launch(f)
        l.pick(0)
        first_box = l.dialog()
        self.assertIsNotNone(first_box)
        self.assertIn(notice, dialog_texts(first_box))
        second = start(f.exe, cwd=f.root)
        try:
            box = poll(lambda: [w for w in self.driver.windows("#32770")
                                if w["visible"] and w["pid"] != l.pid], 20)
            self.assertTrue(box, "the second start showed no box")
            self.assertEqual(box[0]["title"], "重复运行")
            self.assertTrue(self.driver.click_first_button(box[0]["hwnd"]))
            self.assertEqual(second.wait(20), 0, "the second start did not end")
        finally:
            stop(second)
        self.assertTrue(poll(l.visible, 5))
        self.assertEqual(len(self.driver.windows(ui.CLASS)), 1)
        # The first launcher's dialog is still there and still answers.
        self.assertIsNotNone(self.driver.info(first_box["hwnd"]))
        self.assertTrue(self.driver.answer(ui.OK, 5000, l.pid))
        self.assertIsNotNone(self.driver.send(l.hwnd, 0))  # WM_NULL: the window answers
        self.close_and_expect_exit(l)

    def test_random_clicks_for_a_minute_leave_the_launcher_responsive(self):
        seconds = int(os.environ.get("QEV_MONKEY_SECONDS", "60"))
        zones = [("正常区", self.up(), None), ("维护区", self.down(), None),
                 ("公告区", self.up(), "请注意公告"), ("推送区", self.up(b"ab#hello"), None),
                 ("无响应区", self.silent(), None)]
        f = self.folder(zones, website="http://127.0.0.1:9/monkey")
        os.environ["QEV_FAKE_CLIENT_MS"] = "0"
        self.addCleanup(os.environ.pop, "QEV_FAKE_CLIENT_MS", None)
        l = self.launch(f)
        code, events = self.driver.monkey(l.hwnd, seconds * 1000, 20261209)
        summary = events[-1] if events else {}
        self.assertEqual(summary.get("event"), "summary", "the walk did not finish: %r" % events)
        unexpected = [e for e in events if e["event"] == "unexpected"]
        self.assertEqual(unexpected, [], "windows the launcher should not show")
        odd = [e for e in events if e["event"] == "dialog" and e["title"] not in EXPECTED_CAPTIONS]
        self.assertEqual(odd, [], "dialogs with captions the launcher does not use")
        self.assertEqual((code, summary["alive"], summary["unresponsive"]), (0, 1, 0))
        self.assertGreater(summary["actions"], 50)
        self.assertIsNone(l.proc.poll())
        # Still a working launcher: shown, and it closes normally.
        if not l.visible():
            l.tray(ui.WM_LBUTTONDOWN)
        self.assertTrue(poll(l.visible, 5))
        self.close_and_expect_exit(l)


if __name__ == "__main__":
    unittest.main()
