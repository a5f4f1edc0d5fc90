"""Signed update journeys through the real launcher under Wine: the operator's qevtool.exe
makes the keys, pins the public key in the configuration file and signs the update folder;
a loopback server serves it, and an attacker between the two changes what it sends."""
import io
import os
import shutil
import struct
import unittest
import zipfile
import zlib

import launcher as ui
import test_update_journeys as plain
from gamefolder import GameFolder
from journeycase import JourneyCase
from winedrive import dialog_texts, poll, start, stop, winpath

REFUSED = "更新文件校验失败，已停止更新。请联系管理员。"
SERIAL_FILE = "tolw3.serial"
STAMP = "2009-03-01 12:30:00"


# --- an attacker's tools

def _crc_table():
    table = []
    for i in range(256):
        c = i
        for _ in range(8):
            c = (c >> 1) ^ 0xEDB88320 if c & 1 else c >> 1
        table.append(c)
    return table


_CRC = _crc_table()
_BY_TOP_BYTE = {t >> 24: i for i, t in enumerate(_CRC)}


def with_crc(data, wanted):
    """data plus a last comment line whose final four bytes give the whole the CRC-32
    wanted: what anyone can do to a file that is checked by CRC alone."""
    filler = b""
    while True:
        head = data + b"\r\n;" + filler
        reg = zlib.crc32(head) ^ 0xFFFFFFFF
        w = wanted ^ 0xFFFFFFFF
        for _ in range(4):
            i = _BY_TOP_BYTE[w >> 24]
            w = (((w ^ _CRC[i]) << 8) | i) & 0xFFFFFFFF
        tail = struct.pack("<I", w ^ reg)
        if b"\r" not in tail and b"\n" not in tail:
            return head + tail
        filler += b"x"


def zip_with(name, data):
    """A well-formed archive holding data under name: nothing a ZIP check would catch."""
    buf = io.BytesIO()
    with zipfile.ZipFile(buf, "w", zipfile.ZIP_DEFLATED) as z:
        member = zipfile.ZipInfo(name, (2009, 3, 1, 12, 30, 0))
        member.compress_type = zipfile.ZIP_DEFLATED
        z.writestr(member, data)
    return buf.getvalue()


def read(path):
    with open(path, "rb") as f:
        return f.read()


def write(path, data):
    with open(path, "wb") as f:
        f.write(data)


def game_files(folder):
    """{relative path: bytes} of the game folder, without the log and the staging folder,
    which every run writes."""
    out = {}
    for top, dirs, files in os.walk(folder.root):
        if top == folder.root:
            dirs[:] = [d for d in dirs if d.lower() != "update"]
        for name in files:
            path = os.path.join(top, name)
            rel = os.path.relpath(path, folder.root)
            if rel != "QevLogin.log":
                out[rel] = read(path)
    return out


def staged_names(folder):
    """The file names in the staging folder, lower case (the launcher spells the folder
    either way, and Wine keeps the spelling it was created with)."""
    names = []
    for d in os.listdir(folder.root):
        if d.lower() == "update" and os.path.isdir(folder.path(d)):
            names += [n.lower() for n in os.listdir(folder.path(d))]
    return names


class SignedUpdateJourneys(JourneyCase):
    # The plain journeys' site, game folder, update build and log reader, unchanged.
    site = plain.UpdateJourneys.site
    game = plain.UpdateJourneys.game
    build = plain.UpdateJourneys.build
    log = plain.UpdateJourneys.log

    def keygen(self, name):
        """(key file, public key) made by the operator's tool."""
        path = os.path.join(self.tmp, name + ".key")
        public = plain.qevtool("update", "keygen", winpath(path)).strip()
        self.assertRegex(public, r"^[0-9a-f]{128}$")
        return path, public

    def pin(self, folder, public):
        plain.qevtool("config", "set-key", winpath(folder.config_file), public)

    def operator_config(self, site, public, zones, name="operator"):
        """A new configuration file as the operator publishes it, pinning public."""
        c = GameFolder(os.path.join(self.tmp, name), with_client=False)
        c.configure(update=site.url("tolw3.up"))
        for i, caption in enumerate(zones):
            c.add_zone(caption, 7100 + i)
        self.pin(c, public)
        shutil.copy(c.config_file, os.path.join(site.root, "tolw3.inf"))
        return c.config_file

    def serial(self, folder):
        p = folder.path(SERIAL_FILE)
        return read(p).decode().strip() if os.path.exists(p) else None

    def run_to_patch_end(self, l):
        """Waits until the patch run has installed its files and the start button is back;
        returns the status texts seen on the way."""
        seen = set()

        def ended():
            c = l.controls()
            seen.add(c[ui.ZT]["text"])
            return (c[ui.START]["visible"] and not c[ui.PROGRESS]["visible"] and
                    c[ui.ZT]["text"] == plain.PATCH_DONE)

        self.assertTrue(poll(ended, 30, 0.05), sorted(seen))
        return seen

    def refused(self, f, why, serial_moves=False):
        """One start of the launcher that must refuse the update: the message once, the
        reason in the log, nothing of the game folder changed, the window still usable.
        serial_moves: the update-info file itself is genuine, so its serial is kept."""
        before = game_files(f)
        logged = len(self.log(f))
        l = self.launch(f)
        box = l.dialog(20000)
        self.assertIsNotNone(box, "no refusal message")
        ui.save_screenshot(self.driver, box["hwnd"], "signed-update-refused")
        d = l.answer(ui.OK, 5000)
        self.assertIn(REFUSED, dialog_texts(d))
        self.assertTrue(l.no_dialog(2500), "the refusal was shown more than once")
        self.assertTrue(poll(lambda: l.ctl(ui.START)["visible"], 10),
                        "the start button did not come back")
        ui.save_screenshot(self.driver, l.hwnd, "signed-update-refused-window")
        self.assertTrue(l.pick(0))
        new_log = self.log(f)[logged:]
        self.assertIn("update refused: " + why, new_log)
        self.close_and_expect_exit(l)
        after = game_files(f)
        if serial_moves:
            before.pop(SERIAL_FILE, None)
            after.pop(SERIAL_FILE, None)
        self.assertEqual(after, before)
        return new_log

    # 1
    def test_01_a_signed_update_installs_and_a_new_launcher_follows(self):
        site = self.site()
        key, public = self.keygen("update")
        # The digests and the serial are read and written under a Chinese name with a blank.
        f = self.game(site, name="游戏 目录")
        self.pin(f, public)
        write(f.path("a.dat"), b"old a")
        config = self.operator_config(site, public, ["新一区", "新二区", "新三区"])
        big = os.urandom(2 * 1024 * 1024)
        self.build(site, {"a.dat": b"new a", "Sub/b.pak": big}, config=config,
                   extra=["--sign", winpath(key), "--serial", "5"])
        # Slow enough that the progress line is there for several looks of the driver.
        site.faults["/Sub/b.pak.zip"] = ("slow", 1024 * 1024)
        out = plain.qevtool("update", "verify", winpath(os.path.join(site.root, "tolw3.up")),
                            "--key", public)
        self.assertIn("Serial=5", out)

        l = self.launch(f)
        d = l.answer(ui.YES, 20000)
        self.assertIsNotNone(d, "no zone-list question")
        self.assertEqual(d["title"], plain.ZONE_ASK)
        self.assertTrue(poll(lambda: l.rows() and l.rows()[0] == "新一区", 10))
        seen = self.run_to_patch_end(l)
        self.assertTrue(any(t.startswith(plain.PROGRESS) for t in seen), sorted(seen))
        self.assertEqual(read(f.config_file), read(config))
        self.assertEqual(read(f.path("a.dat")), b"new a")
        self.assertEqual(read(f.path("Sub", "b.pak")), big)
        self.assertEqual(self.serial(f), "5")
        self.assertIn("signed update-info file accepted, serial 5", self.log(f))
        self.assertNotIn("refused", self.log(f))
        self.close_and_expect_exit(l)

        # The operator publishes a new launcher packed in a ZIP; the signature covers the
        # archive, the next serial is taken on its own.
        shutil.copy(os.environ["QEV_TARNUP_EXE"], f.path("TarnUp.exe"))
        new = os.path.join(self.tmp, "QevLogin.exe")
        write(new, read(os.environ["QEV_LOGIN_EXE"]) + b"\0" * 16)
        packed = os.path.join(site.root, "QevLogin.zip")
        write(packed, zip_with("QevLogin.exe", read(new)))
        self.build(site, {"a.dat": b"new a", "Sub/b.pak": big}, config=config, launcher=new,
                   long_url=site.url("QevLogin.zip"),
                   extra=["--sign", winpath(key), "--long-file", winpath(packed)])
        l = self.launch(f)
        d = l.answer(ui.OK, 30000)
        self.assertIsNotNone(d, "no completion message")
        self.assertIn(plain.SELF_DONE, dialog_texts(d))
        self.assertEqual(l.exit_code(20), 0)
        self.assertTrue(poll(lambda: read(f.exe) == read(new), 15),
                        "TarnUp did not replace the launcher")
        self.assertEqual(self.serial(f), "6")
        self.assertTrue(poll(lambda: not {"qevlogin.exe", "qevlogin.exe.zip"} &
                             set(staged_names(f)), 5), staged_names(f))
        # The new launcher is current and signed for: it starts without a word.
        l = self.launch(f)
        self.assertTrue(l.no_dialog(3000))
        self.close_and_expect_exit(l)

    # 2
    def test_02_forged_updates_are_refused_and_change_nothing(self):
        site = self.site()
        key, public = self.keygen("update")
        other, other_public = self.keygen("attacker")
        f = self.game(site)
        self.pin(f, public)
        write(f.path("a.dat"), b"old a")
        files = {"a.dat": b"new a"}
        signed = ["--sign", winpath(key)]
        self.build(site, files, extra=signed + ["--serial", "3"])
        info = os.path.join(site.root, "tolw3.up")
        archive = os.path.join(site.root, "a.dat.zip")
        genuine = read(info)
        genuine_archive = read(archive)

        with self.subTest("an update-info file without a signature"):
            write(info, genuine[:genuine.rindex(b";Signature=")])
            self.refused(f, "the update-info file is not signed")

        with self.subTest("an update-info file changed after signing"):
            changed = genuine.replace(b"FileDateTime=2009", b"FileDateTime=2008", 1)
            self.assertNotEqual(changed, genuine)
            write(info, changed)
            self.refused(f, "the signature of the update-info file does not verify")

        with self.subTest("an update-info file signed with another key"):
            self.build(site, files, extra=["--sign", winpath(other), "--serial", "9"])
            self.refused(f, "the signature of the update-info file does not verify")
        self.assertIsNone(self.serial(f))

        with self.subTest("a genuine update-info file, another archive"):
            write(info, genuine)
            write(archive, zip_with("a.dat", b"evil a"))
            self.refused(f, "the SHA-256 of the downloaded patch archive differs",
                         serial_moves=True)
            # The update-info file was genuine: its serial counts from now on.
            self.assertEqual(self.serial(f), "3")
            self.assertNotIn("a.dat.zip", staged_names(f))

        with self.subTest("a zone list that swaps the key, its CRC made to match"):
            config = self.operator_config(site, public, ["新一区", "新二区"])
            write(archive, genuine_archive)
            self.build(site, files, config=config, extra=signed + ["--serial", "4"])
            swapped = GameFolder(os.path.join(self.tmp, "swapped"), with_client=False)
            swapped.configure(update=site.url("tolw3.up"))
            swapped.add_zone("假区", 7200)
            self.pin(swapped, other_public)
            forged = with_crc(read(swapped.config_file), zlib.crc32(read(config)))
            write(os.path.join(site.root, "tolw3.inf"), forged)
            self.refused(f, "the SHA-256 of the downloaded configuration file differs",
                         serial_moves=True)
            self.assertEqual(self.serial(f), "4")
            self.assertNotIn("tolw3.inf", staged_names(f))

        # The operator publishes again; the player's launcher takes it.
        write(archive, genuine_archive)
        os.remove(os.path.join(site.root, "tolw3.inf"))
        replayed = read(info)
        self.build(site, files, extra=signed)
        l = self.launch(f)
        self.run_to_patch_end(l)
        self.assertEqual(read(f.path("a.dat")), b"new a")
        self.assertEqual(self.serial(f), "5")
        self.close_and_expect_exit(l)

        with self.subTest("an older signed update-info file played back"):
            write(info, replayed)
            write(f.path("a.dat"), b"old a")  # so that the old file would have work to do
            log = self.refused(f, "serial 4 is lower than 5")
            self.assertIn("an old update-info file", log)

        with self.subTest("a new launcher whose CRC was made to match LongCode"):
            write(f.path("a.dat"), b"new a")
            plain.stamp(f.path("a.dat"), STAMP)
            shutil.copy(os.environ["QEV_TARNUP_EXE"], f.path("TarnUp.exe"))
            new = os.path.join(site.root, "QevLogin.exe")
            write(new, read(os.environ["QEV_LOGIN_EXE"]) + b"\0" * 16)
            self.build(site, files, launcher=new, extra=signed + ["--serial", "6"])
            evil = read(os.environ["QEV_LOGIN_EXE"]) + b"evil"
            write(new, with_crc(evil, zlib.crc32(read(new))))
            self.refused(f, "the SHA-256 of the downloaded launcher differs", serial_moves=True)
            self.assertEqual(self.serial(f), "6")
            self.assertNotIn("qevlogin.exe", staged_names(f))

    # 3
    def test_03_a_launcher_without_a_key_updates_as_before(self):
        site = self.site()
        key, _ = self.keygen("update")
        f = self.game(site)
        write(f.path("a.dat"), b"old a")
        self.build(site, {"a.dat": b"new a"})
        l = self.launch(f)
        self.run_to_patch_end(l)
        self.assertEqual(read(f.path("a.dat")), b"new a")
        self.assertIn("updates are unsigned", self.log(f))
        self.close_and_expect_exit(l)

        # A signed update folder reads the same to a launcher that pins no key.
        self.build(site, {"a.dat": b"newer a"}, extra=["--sign", winpath(key)])
        write(f.path("a.dat"), b"old a")
        l = self.launch(f)
        self.run_to_patch_end(l)
        self.assertEqual(read(f.path("a.dat")), b"newer a")
        self.assertIsNone(self.serial(f))
        self.assertNotIn("refused", self.log(f))
        self.close_and_expect_exit(l)

    # 4
    def test_04_a_new_key_signed_with_the_old_one_takes_over(self):
        site = self.site()
        old_key, old_public = self.keygen("old")
        new_key, new_public = self.keygen("new")
        f = self.game(site)
        self.pin(f, old_public)
        config = self.operator_config(site, new_public, ["新一区", "新二区"])
        self.build(site, config=config, extra=["--sign", winpath(old_key)])
        info = winpath(os.path.join(site.root, "tolw3.up"))
        self.assertIn("NextKey=" + new_public,
                      plain.qevtool("update", "verify", info, "--key", old_public))
        l = self.launch(f)
        self.assertIsNotNone(l.answer(ui.YES, 20000), "no zone-list question")
        self.assertTrue(poll(lambda: l.rows() and l.rows()[0] == "新一区", 10))
        self.assertIn("brings the new update key", self.log(f))
        self.close_and_expect_exit(l)
        self.assertEqual(read(f.config_file), read(config))

        # From now on the new key signs; the old one is refused.
        write(f.path("a.dat"), b"old a")
        self.build(site, {"a.dat": b"new a"}, config=config, extra=["--sign", winpath(new_key)])
        l = self.launch(f)
        self.run_to_patch_end(l)
        self.assertEqual(read(f.path("a.dat")), b"new a")
        self.close_and_expect_exit(l)
        self.build(site, {"a.dat": b"newer a"}, config=config,
                   extra=["--sign", winpath(old_key), "--serial", "99"])
        self.refused(f, "the signature of the update-info file does not verify")


    # 5
    def test_05_a_locked_file_is_installed_at_a_later_start_of_the_same_serial(self):
        site = self.site()
        key, public = self.keygen("update")
        f = self.game(site)
        self.pin(f, public)
        write(f.path("a.dat"), b"old a")
        self.build(site, {"a.dat": b"new a"}, extra=["--sign", winpath(key), "--serial", "2"])
        holder = start(os.environ["QEV_HOLDFILE_EXE"], winpath(f.path("a.dat")), 600000)
        try:
            self.assertEqual(holder.stdout.readline().strip(), "held")
            l = self.launch(f)
            self.assertTrue(poll(lambda: "patch run: done" in self.log(f), 30))
            self.assertTrue(l.no_dialog(1000))
            self.assertEqual(read(f.path("a.dat")), b"old a")
            self.assertEqual(self.serial(f), "2")
            self.close_and_expect_exit(l)
        finally:
            stop(holder)
        # The same signed file again is no replay: the file left out is installed now.
        l = self.launch(f)
        self.run_to_patch_end(l)
        self.assertEqual(read(f.path("a.dat")), b"new a")
        self.assertNotIn("refused", self.log(f))
        self.close_and_expect_exit(l)

if __name__ == "__main__":
    unittest.main()
