"""Player journeys through the real launcher under Wine: zones, probes, game start,
tray, commands, closing, the missing configuration and the desktop shortcut."""
import os
import re
import time
import unittest

import launcher as ui
from journeycase import JourneyCase
from winedrive import dialog_buttons, dialog_texts, poll, start, stop, winpath

RUNNING_RE = re.compile("^" + re.escape(ui.RUNNING) + r"(\d+)ms$")
BS_TYPE, BS_CHECKBOX, BS_AUTOCHECKBOX, BS_OWNERDRAW = 0xF, 0x2, 0x3, 0xB
LBS_OWNERDRAWFIXED, LBS_HASSTRINGS, CBS_TYPE, CBS_DROPDOWN = 0x10, 0x40, 0x3, 0x2

# Where each control stands in the client area: (x, y, width or None, height or None).
LAYOUT = {
    ui.ZONES: (24, 104, 305, 321), ui.ZT: (520, 510, 90, 12),
    ui.IMAGE1: (496, 510, 17, 17), ui.IMAGE2: (496, 510, 17, 17),
    ui.WEB: (392, 80, 441, 329), ui.INFO_LINE: (6, 12, None, None),
    ui.START: (656, 488, 175, 50), ui.ACCOUNT: (327, 6, 120, 40),
    ui.ACCOUNT_MENU: (462, 7, 120, 40), ui.WEBSITE: (592, 6, 120, 40),
    ui.MINIMISE: (762, 6, 31, 34), ui.CLOSE: (810, 6, 32, 33), ui.PAY: (348, 542, 67, 18),
    ui.OPT1: (680, 462, None, None), ui.OPT2: (767, 462, None, None),
    ui.OPT3: (510, 542, None, None), ui.INTERFACE: (568, 462, 73, None),
    ui.PROGRESS: (64, 504, 417, 17), ui.STOP_UPDATE: (664, 504, 89, 25),
}
IMAGE_BUTTONS = (ui.START, ui.ACCOUNT, ui.ACCOUNT_MENU, ui.WEBSITE, ui.MINIMISE, ui.CLOSE,
                 ui.PAY)
HIDDEN_AT_START = (ui.IMAGE1, ui.PAY, ui.OPT3, ui.PROGRESS, ui.STOP_UPDATE)
INTERFACES = ["3G界面", "1.45界面", "新3G界面"]


def running_ms(text):
    m = RUNNING_RE.match(text or "")
    return m.group(1) if m else None


def parse_ini(data):
    """{section: [(key, value)]} of GBK INI bytes, in file order."""
    sections, current = {}, None
    for line in data.decode("gbk").splitlines():
        s = line.strip()
        if s.startswith("[") and s.endswith("]"):
            current = sections.setdefault(s[1:-1], [])
        elif "=" in s and current is not None:
            k, v = s.split("=", 1)
            current.append((k.strip(), v.strip()))
    return sections


class Journeys(JourneyCase):
    def test_01_first_start_shows_the_zones_and_the_layout(self):
        captions = ["电信一区", "网通二区", "Test Zone 3"]
        servers = [self.up(), self.down(), self.up()]
        info = "欢迎来到测试服务器"
        f = self.folder([(c, s, None) for c, s in zip(captions, servers)], info=info)
        l = self.launch(f)
        w = l.window()
        with self.subTest("window"):
            self.assertEqual((w["class"], w["title"], tuple(w["client"])),
                             (ui.CLASS, ui.TITLE, (864, 568)))
        c = l.controls()
        self.assertEqual(c[ui.ZONES]["rows"], captions)
        self.assertEqual(c[ui.ZONES]["cursel"], -1, "no zone is picked at start")
        self.assertEqual((c[ui.ZT]["text"], c[ui.IMAGE2]["visible"]), (ui.PICK_SERVER, 1))
        self.assertEqual(c[ui.INFO_LINE]["text"], info)
        for cid, place in LAYOUT.items():
            with self.subTest(control=cid):
                self.assertIn(cid, c, "no child window with this ID")
                got = c[cid]["rect"]
                want = [got[i] if v is None else v for i, v in enumerate(place)]
                self.assertEqual(got, want)
                self.assertEqual(c[cid]["visible"], 0 if cid in HIDDEN_AT_START else 1)
        self.assertEqual(c[ui.ZONES]["class"].lower(), "listbox")
        self.assertEqual(c[ui.ZONES]["style"] & (LBS_OWNERDRAWFIXED | LBS_HASSTRINGS),
                         LBS_OWNERDRAWFIXED | LBS_HASSTRINGS)
        for cid in (ui.ZT, ui.IMAGE1, ui.IMAGE2, ui.INFO_LINE):
            self.assertEqual(c[cid]["class"].lower(), "static", cid)
        for cid in IMAGE_BUTTONS:
            self.assertEqual(c[cid]["class"].lower(), "button", cid)
            self.assertEqual(c[cid]["style"] & BS_TYPE, BS_OWNERDRAW, cid)
            self.assertTrue(c[cid]["text"], "image button %d names its command" % cid)
        for cid, caption in ((ui.OPT1, "全屏模式"), (ui.OPT2, "1024*768"), (ui.OPT3, "3G界面")):
            self.assertEqual(c[cid]["text"], caption)
            self.assertIn(c[cid]["style"] & BS_TYPE, (BS_CHECKBOX, BS_AUTOCHECKBOX))
            self.assertEqual(c[cid]["check"], 0)
        combo = c[ui.INTERFACE]
        self.assertEqual((combo["class"].lower(), combo["style"] & CBS_TYPE),
                         ("combobox", CBS_DROPDOWN))
        self.assertEqual((combo["rows"], combo["cursel"]), (INTERFACES, 1))
        self.assertEqual(c[ui.PROGRESS]["class"].lower(), "msctls_progress32")
        self.assertEqual(c[ui.STOP_UPDATE]["text"], "停止更新")
        ui.save_screenshot(self.driver, l.hwnd, "journey1-first-start")

        # A click below the last row with nothing picked probes nothing and shows nothing.
        l.pick(len(captions) + 3)
        time.sleep(1.0)
        self.assertTrue(l.no_dialog(300))
        self.assertEqual(l.status()[0], ui.PICK_SERVER)
        self.assertEqual(l.rows(), captions)
        self.assertEqual(sum(s.accepted for s in servers if hasattr(s, "accepted")), 0)
        self.close_and_expect_exit(l)

    def test_02_picking_an_up_zone_shows_the_time_in_the_status_and_the_row(self):
        a, b = self.up(), self.up()
        f = self.folder([("电信一区", a, None), ("网通一区", b, None)])
        l = self.launch(f)
        self.assertTrue(l.pick(1))
        text, image1, image2 = l.wait_status(lambda t: t.startswith(ui.RUNNING))
        ms = running_ms(text)
        self.assertIsNotNone(ms, "status %r" % text)
        self.assertEqual((image1, image2), (1, 0))
        self.assertEqual(l.rows(), ["电信一区", "网通一区  %sms" % ms])
        self.assertEqual(l.ctl(ui.ZONES)["cursel"], 1)
        self.assertEqual((a.accepted, b.accepted), (0, 1))
        ui.save_screenshot(self.driver, l.hwnd, "journey2-zone-up")

        # Another zone: the previous row gets its plain caption back.
        l.pick(0)
        self.assertTrue(poll(lambda: re.match(r"^电信一区  \d+ms$", l.rows()[0])), l.rows())
        self.assertEqual(l.rows()[1], "网通一区")
        ms = running_ms(l.status()[0])
        self.assertEqual(l.rows()[0], "电信一区  %sms" % ms)
        # Picking the same row again runs a new probe.
        l.pick(0)
        self.assertTrue(poll(lambda: a.accepted == 2), "accepted %d" % a.accepted)
        self.assertIsNotNone(running_ms(l.wait_status(lambda t: t.startswith(ui.RUNNING))[0]))
        self.close_and_expect_exit(l)

    def test_03_a_down_zone_shows_maintenance(self):
        up, down = self.up(), self.down()
        f = self.folder([("电信一区", up, None), ("维护区", down, None)])
        f.add_zone("无名区", 7000, address="nohost.invalid")
        l = self.launch(f)
        for row, caption in ((1, "维护区"), (2, "无名区")):
            with self.subTest(row=row):
                l.pick(row)
                text, image1, image2 = l.wait_status(lambda t: t == ui.DOWN)
                self.assertEqual((text, image1, image2), (ui.DOWN, 0, 1))
                self.assertEqual(l.rows()[row], caption)
        # Up, then down: the up zone's row goes back to its caption.
        l.pick(0)
        l.wait_status(lambda t: t.startswith(ui.RUNNING))
        l.pick(1)
        self.assertEqual(l.wait_status(lambda t: t == ui.DOWN)[0], ui.DOWN)
        self.assertEqual(l.rows(), ["电信一区", "维护区", "无名区"])
        self.close_and_expect_exit(l)

    def test_04_a_text_pushed_by_the_status_port(self):
        hello = self.up(b"ab#hello")
        chinese = self.up(b"ab#" + "今晚22点维护".encode("gbk"))
        other = self.up(b"xab#not for the player")
        f = self.folder([("推送区", hello, None), ("中文推送", chinese, None), ("杂讯区", other, None)])
        l = self.launch(f)
        for row, shown in ((0, "hello"), (1, "今晚22点维护")):
            with self.subTest(row=row):
                l.pick(row)
                box = l.dialog()
                self.assertIsNotNone(box, "no box for the pushed text")
                self.assertEqual(box["title"], ui.TITLE)
                self.assertIn(shown, dialog_texts(box))
                self.assertTrue(self.driver.click_first_button(box["hwnd"]))
                self.assertTrue(poll(lambda: l.no_dialog(100), 5))
                self.assertIsNotNone(running_ms(l.status()[0]))
        l.pick(2)
        self.assertIsNotNone(running_ms(l.wait_status(lambda t: t.startswith(ui.RUNNING))[0]))
        self.assertTrue(l.no_dialog(1500), "a text without the ab# prefix was shown")
        self.close_and_expect_exit(l)

    def test_05_a_zone_notice_is_shown_after_the_pick(self):
        notice = "今晚 22 点维护，请提前下线"
        with_notice, plain = self.up(), self.up()
        f = self.folder([("公告区", with_notice, notice), ("安静区", plain, None)])
        l = self.launch(f)
        l.pick(0)
        box = l.answer(ui.OK)
        self.assertIsNotNone(box, "no notice dialog")
        self.assertEqual(box["title"], ui.MESS_CAPTION)
        self.assertIn(notice, dialog_texts(box))
        self.assertEqual(dialog_buttons(box), [ui.OK])
        self.assertIsNotNone(running_ms(l.wait_status(lambda t: t.startswith(ui.RUNNING))[0]))
        l.pick(1)
        l.wait_status(lambda t: t.startswith(ui.RUNNING))
        self.assertTrue(l.no_dialog(1000), "a zone without a notice showed a dialog")
        self.close_and_expect_exit(l)

    def test_06_a_pending_probe_never_changes_the_next_pick(self):
        silent, up = self.silent(), self.up()
        f = self.folder([("无响应区", silent, None), ("正常区", up, None)])
        l = self.launch(f)
        l.pick(1)
        l.wait_status(lambda t: t.startswith(ui.RUNNING))
        l.pick(0)  # the connected probe ends; the new attempt stays pending
        self.assertEqual(l.wait_status(lambda t: t == ui.PROBING)[0], ui.PROBING)
        self.assertEqual(l.rows(), ["无响应区", "正常区"])
        time.sleep(1.5)
        self.assertEqual(l.status()[0], ui.PROBING, "an unanswered attempt stays pending")
        l.pick(1)
        text = l.wait_status(lambda t: t.startswith(ui.RUNNING))[0]
        ms = running_ms(text)
        self.assertEqual(l.rows(), ["无响应区", "正常区  %sms" % ms])
        # Room in the silent server's queue: an attempt still alive would now connect.
        self.assertEqual(silent.drain(5.0), 0, "the abandoned attempt was not stopped")
        self.assertEqual(l.status(), (text, 1, 0))
        self.assertEqual(l.rows(), ["无响应区", "正常区  %sms" % ms])
        self.close_and_expect_exit(l)

    def test_07_start_the_game_on_an_up_zone(self):
        up, other = self.up(), self.up()
        f = self.folder([("电信一区", up, None), ("网通一区", other, None)], name="神域3客户端")
        config_before = ("[Video]\r\nGamma=3\r\n\r\n[Options]\r\nServerAddr=10.0.0.9\r\n"
                         "Sound=1 ; 音效\r\nParam1=1\r\n\r\n[Keys]\r\nF1=帮助\r\n").encode("gbk")
        with open(f.path("Config.ini"), "wb") as out:
            out.write(config_before)
        l = self.launch(f)
        self.assertTrue(l.click(ui.OPT2))
        self.assertTrue(poll(lambda: l.ctl(ui.OPT2)["check"] == 1, 5))
        self.assertTrue(self.driver.select_combo(l.hwnd, ui.INTERFACE, 2))
        l.pick(0)
        l.wait_status(lambda t: t.startswith(ui.RUNNING))
        self.assertTrue(l.click(ui.START))
        record = poll(f.client_record, 15)
        self.assertIsNotNone(record, "the game client did not start")
        self.assertEqual(record["arguments"], ui.CLIENT_ARGS)
        self.assertEqual(record["cwd"].rstrip("\\").lower(), winpath(f.root).lower())
        self.assertIn("client.exe", record["command_line"].lower())
        with open(f.path("Config.ini"), "rb") as got:
            after = got.read()
        self.assertEqual(bytes.fromhex(record["config_hex"]), after,
                         "the client must find Config.ini written before it starts")
        ini = parse_ini(after)
        options = dict(ini["Options"])
        self.assertEqual(options, {
            "ServerAddr": "127.0.0.1", "Sound": "1 ; 音效", "Param1": str(up.game_port),
            "FullScreenMode": "0", "Interface": "2", "ScreenWidth": "1024",
            "ScreenHeight": "768"})
        self.assertEqual(ini["Video"], [("Gamma", "3")])
        self.assertEqual(ini["Keys"], [("F1", "帮助")])
        for line in (b"[Video]\r\nGamma=3\r\n", b"Sound=1 ; " + "音效".encode("gbk") + b"\r\n",
                     b"[Keys]\r\nF1=" + "帮助".encode("gbk")):
            self.assertIn(line, after, "an untouched line changed")
        self.assertTrue(poll(lambda: not l.visible(), 5), "the launcher did not go to the tray")
        self.assertIsNone(l.proc.poll())
        l.tray(ui.WM_LBUTTONDOWN)
        self.assertTrue(poll(l.visible, 5))
        ui.save_screenshot(self.driver, l.hwnd, "journey7-after-start")
        self.close_and_expect_exit(l)

    def test_08_start_refused(self):
        down, up = self.down(), self.up()
        with self.subTest("single zone down: stop message"):
            l = self.launch(self.folder([("维护区", down, None)], name="single"))
            l.pick(0)
            l.wait_status(lambda t: t == ui.DOWN)
            l.click(ui.START)
            box = l.answer(ui.OK)
            self.assertIsNotNone(box)
            self.assertEqual((box["title"], dialog_texts(box)[-1:]), (ui.MESS_CAPTION, [ui.NOT_READY]))
            self.close_and_expect_exit(l)
        f = self.folder([("维护区", down, None), ("正常区", up, None)], name="several")
        l = self.launch(f)
        with self.subTest("nothing picked: stop message"):
            l.click(ui.START)
            box = l.answer(ui.OK)
            self.assertIsNotNone(box)
            self.assertIn(ui.NOT_READY, dialog_texts(box))
        with self.subTest("row 0 of several, down: pick a zone first"):
            l.pick(0)
            l.wait_status(lambda t: t == ui.DOWN)
            l.click(ui.START)
            box = l.answer(ui.OK)
            self.assertIsNotNone(box)
            self.assertIn(ui.PICK_ZONE_FIRST, dialog_texts(box))
        with self.subTest("client program missing: warning"):
            os.remove(f.path("Client.exe"))
            l.pick(1)
            l.wait_status(lambda t: t.startswith(ui.RUNNING))
            l.click(ui.START)
            box = l.answer(ui.OK)
            self.assertIsNotNone(box)
            self.assertIn("缺少文件,或被杀毒误删,请重新安装登录器里的所有文件就好",
                          dialog_texts(box))
        self.assertIsNone(f.client_record())
        self.assertFalse(os.path.exists(f.path("Config.ini")), "a refused start wrote Config.ini")
        self.assertTrue(l.visible())
        self.close_and_expect_exit(l)

    def test_09_tray_icon_menu_and_restore_by_a_second_start(self):
        f = self.folder([("正常区", self.up(), None)])
        l = self.launch(f)
        l.tray(ui.WM_LBUTTONDOWN)
        self.assertTrue(poll(lambda: not l.visible(), 5), "left click did not minimise")
        l.tray(ui.WM_LBUTTONDOWN)
        self.assertTrue(poll(l.visible, 5), "left click did not restore")

        l.tray(ui.WM_RBUTTONUP)
        menu = self.driver.menu()
        self.assertIsNotNone(menu, "no tray menu")
        items = [(i["id"], i["text"], i["enabled"]) for i in menu["items"] if not i["separator"]]
        self.assertEqual(items, [(ui.M1, "显示窗口(&H)", 0), (ui.M2, "登录神域(&L)", 1),
                                 (ui.M4, "退出(&Q)", 1)])
        self.driver.menu_close()
        self.assertTrue(poll(lambda: self.driver.menu(200) is None, 5))

        l.click(ui.MINIMISE)
        self.assertTrue(poll(lambda: not l.visible(), 5))
        l.tray(ui.WM_RBUTTONUP)
        menu = self.driver.menu()
        self.assertIsNotNone(menu)
        self.assertEqual([i["enabled"] for i in menu["items"] if i["id"] == ui.M1], [1])
        self.assertTrue(self.driver.menu_pick(ui.M1))
        self.assertTrue(poll(l.visible, 5), "M1 did not restore the window")

        l.click(ui.MINIMISE)
        self.assertTrue(poll(lambda: not l.visible(), 5))
        second = start(f.exe, cwd=f.root)
        try:
            box = self.driver.wait_dialog(15000)
            self.assertIsNotNone(box)
            self.assertEqual(box["title"], "重复运行")
            self.assertTrue(self.driver.click_first_button(box["hwnd"]))
            self.assertEqual(second.wait(15), 0)
        finally:
            stop(second)
        w = poll(lambda: (lambda i: i if i["visible"] else None)(l.window()), 5)
        self.assertIsNotNone(w, "the first launcher was not restored")
        self.assertEqual((w["iconic"], w["foreground"]), (0, 1))
        self.close_and_expect_exit(l)

    def test_10_commands_account_menu_website_folder(self):
        website, pay = "http://127.0.0.1:9/site?j10", "http://127.0.0.1:9/pay?j10"
        f = self.folder([("正常区", self.up(), None)], website=website, pay=pay)
        l = self.launch(f)
        with self.subTest("account hint refused while no zone runs"):
            l.click(ui.ACCOUNT)
            box = l.answer(ui.OK)
            self.assertIsNotNone(box)
            self.assertIn(ui.NOT_READY, dialog_texts(box))
        l.pick(0)
        l.wait_status(lambda t: t.startswith(ui.RUNNING))
        for how, act in (("button", lambda: l.click(ui.ACCOUNT)),
                         ("change password", lambda: l.command(ui.N1)),
                         ("recover password", lambda: l.command(ui.N2))):
            with self.subTest("account hint: " + how):
                act()
                box = l.dialog()
                self.assertIsNotNone(box)
                self.assertEqual((box["title"], dialog_texts(box)), (ui.TITLE, [ui.ACCOUNT_HINT]))
                self.driver.click_first_button(box["hwnd"])
                self.assertTrue(poll(lambda: l.no_dialog(100), 5))
        with self.subTest("account menu"):
            l.click(ui.ACCOUNT_MENU)
            menu = self.driver.menu()
            self.assertIsNotNone(menu, "no account menu")
            self.assertEqual([(i["id"], i["text"]) for i in menu["items"] if not i["separator"]],
                             [(ui.N1, "&修改密码"), (ui.N2, "&找回密码"), (ui.N3, "&打开神域3文件夹")])
            self.assertTrue(self.driver.menu_pick(ui.N2))
            box = l.dialog()
            self.assertIsNotNone(box, "the picked item did not run")
            self.assertIn(ui.ACCOUNT_HINT, dialog_texts(box))
            self.driver.click_first_button(box["hwnd"])
        with self.subTest("website"):
            l.click(ui.WEBSITE)
            self.assertTrue(self.wait_url(website), "opened: %r" % self.new_urls())
        with self.subTest("client folder"):
            before = {w["hwnd"] for w in self.driver.windows()}
            l.command(ui.N3)
            folder_name = os.path.basename(f.root)
            opened = poll(lambda: [w for w in self.driver.windows()
                                   if w["hwnd"] not in before and w["visible"]
                                   and w["pid"] != l.pid], 10)
            self.assertTrue(opened, "no file browser window came up")
            self.assertTrue(any(folder_name in w["title"] for w in opened),
                            "windows: %r" % [w["title"] for w in opened])
            for w in opened:
                self.driver.close(w["hwnd"])
        self.assertTrue(l.visible())
        self.close_and_expect_exit(l)

    def test_11_every_way_of_closing_opens_the_exit_page_and_ends_with_zero(self):
        ways = {
            "close button": lambda l: l.click(ui.CLOSE),
            "M4 command": lambda l: l.command(ui.M4),
            "Alt+F4": lambda l: self.driver.close(l.hwnd),
            "tray menu": lambda l: (l.tray(ui.WM_RBUTTONUP), self.driver.menu_pick(ui.M4)),
        }
        up = self.up()
        for n, (way, act) in enumerate(ways.items()):
            with self.subTest(way):
                exit_url = "http://127.0.0.1:9/bye?way=%d" % n
                f = self.folder([("正常区", up, None)], name="close%d" % n, exit=exit_url)
                l = self.launch(f)
                if n % 2:  # with a connected probe open as well
                    l.pick(0)
                    l.wait_status(lambda t: t.startswith(ui.RUNNING))
                act(l)
                self.assertEqual(l.exit_code(), 0)
                self.assertTrue(self.wait_url(exit_url), "opened: %r" % self.new_urls())
        with self.subTest("no exit page configured"):
            count = len(self.new_urls())
            l = self.launch(self.folder([("正常区", up, None)], name="noexit"))
            self.close_and_expect_exit(l)
            time.sleep(1.0)
            self.assertEqual(len(self.new_urls()), count)

    def test_12_missing_or_unreadable_configuration_stops_with_a_message(self):
        from gamefolder import GameFolder
        missing = GameFolder(os.path.join(self.tmp, "missing"))
        l = self.launch(missing, wait_window=False)
        box = self.driver.wait_dialog(20000)
        self.assertIsNotNone(box, "no stop dialog")
        self.assertEqual(box["title"], ui.MESS_CAPTION)
        self.assertIn(ui.NO_CONFIG, dialog_texts(box))
        self.assertEqual([w for w in self.driver.windows(ui.CLASS) if w["visible"]], [])
        self.assertTrue(self.driver.answer(ui.OK, 2000))
        self.assertEqual(l.exit_code(), 0)
        self.assertEqual(self.driver.windows(ui.CLASS), [])

        locked = self.folder([("正常区", self.up(), None)], name="locked")
        holder = start(os.environ["QEV_HOLDFILE_EXE"], winpath(locked.config_file), 30000,
                       "exclusive")
        try:
            self.assertEqual(holder.stdout.readline().strip(), "held")
            l = self.launch(locked, wait_window=False)
            box = self.driver.wait_dialog(20000)
            self.assertIsNotNone(box, "no message for an unreadable configuration")
            self.assertTrue(dialog_texts(box), "the message has no text")
            self.assertIn(ui.TITLE, box["title"])
            self.driver.click_first_button(box["hwnd"])
            self.assertEqual(l.exit_code(), 0)
        finally:
            stop(holder)

    def test_13_desktop_shortcut_offered_and_written(self):
        link = ui.desktop_link()
        if os.path.exists(link):
            os.remove(link)
        f = self.folder([("正常区", self.up(), None)])
        for answer in (ui.NO, ui.YES):
            with self.subTest(answer):
                l = self.launch(f, wait_window=False)
                box = self.driver.answer(answer, 20000)
                self.assertIsNotNone(box, "no shortcut question")
                self.assertEqual(box["title"], ui.SHORTCUT_CAPTION)
                self.assertIn(ui.SHORTCUT_QUESTION, dialog_texts(box))
                self.assertEqual(sorted(dialog_buttons(box)), sorted([ui.YES, ui.NO]))
                w = self.driver.wait(ui.CLASS, 15000)
                self.assertIsNotNone(w)
                l.hwnd, l.pid = w["hwnd"], w["pid"]
                # The link is written after the window shows, so it is looked for once the
                # launcher has ended.
                self.close_and_expect_exit(l)
                self.assertEqual(os.path.exists(link), answer == ui.YES)
        got = self.driver.read_link(link)
        self.assertIsNotNone(got, "the link cannot be read")
        self.assertEqual(got["target"].lower(), winpath(f.exe).lower())
        self.assertEqual(got["arguments"], "")
        self.assertEqual(got["folder"].rstrip("\\").lower(), winpath(f.root).lower())
        # With the link there, a start refreshes it without asking.
        l = self.launch(f)
        self.assertTrue(l.no_dialog(1000))
        self.close_and_expect_exit(l)


if __name__ == "__main__":
    unittest.main()
