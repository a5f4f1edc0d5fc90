"""The updater under Wine: arguments, retries, the one-step replacement of the launcher."""
import os
import shutil
import tempfile
import unittest

from winedrive import run, start, wait_exit, winpath

OLD, NEW = b"old launcher " * 100, b"new launcher " * 120


class Updater(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        # What starting a program under this Wine costs by itself (a refusal does no work):
        # upper bounds below are on the time spent beyond it, so a slow Wine start (a cold
        # 64-bit prefix takes seconds) cannot pass for a retry nor hide one.
        d = tempfile.mkdtemp(prefix="qev-e2e-up-")
        exe = os.path.join(d, "TarnUp.exe")
        shutil.copy(os.environ["QEV_TARNUP_EXE"], exe)
        cls.start_cost = sorted(run(exe, cwd=d)[1] for _ in range(3))[1]
        shutil.rmtree(d, ignore_errors=True)

    def setUp(self):
        self.dir = tempfile.mkdtemp(prefix="qev-e2e-up-")
        self.updater = os.path.join(self.dir, "TarnUp.exe")
        shutil.copy(os.environ["QEV_TARNUP_EXE"], self.updater)
        os.makedirs(os.path.join(self.dir, "update"))
        self.launcher = self.file("QevLogin.exe", OLD)
        self.staged = self.file("update/QevLogin.exe", NEW)
        self.archive = self.file("update/QevLogin.exe.zip", b"PK archive")

    def tearDown(self):
        shutil.rmtree(self.dir, ignore_errors=True)

    def file(self, rel, data):
        path = os.path.join(self.dir, rel)
        with open(path, "wb") as f:
            f.write(data)
        return path

    def read(self, path):
        with open(path, "rb") as f:
            return f.read()

    def listing(self):
        return sorted(os.path.relpath(os.path.join(d, n), self.dir)
                      for d, _, names in os.walk(self.dir) for n in names)

    def tarnup(self, *args):
        """(exit code, seconds beyond the start cost, stdout); seconds may be a little < 0."""
        code, seconds, out = run(self.updater, *args, cwd=self.dir)
        return code, seconds - self.start_cost, out

    def test_refused_arguments_touch_nothing(self):
        before = self.listing()
        cases = [((), 1), (("Missing.exe",), 2), (("update\\QevLogin.exe",), 2),
                 (("..\\QevLogin.exe",), 2), (("..",), 2)]
        for args, expected in cases:
            with self.subTest(args=args):
                code, seconds, _ = self.tarnup(*args)
                self.assertEqual(code, expected)
                self.assertLess(seconds, 5.0)  # no waiting before a refusal
        self.assertEqual(self.listing(), before)
        self.assertEqual(self.read(self.launcher), OLD)

    def test_missing_source_fails_after_five_attempts(self):
        os.remove(self.staged)
        before = self.listing()
        code, seconds, _ = self.tarnup("QevLogin.exe")
        self.assertEqual(code, 4)
        self.assertGreaterEqual(seconds, 1.6)  # 200 ms + five failures each followed by 400 ms
        self.assertLess(seconds, 10.0)
        self.assertEqual(self.listing(), before)
        self.assertEqual(self.read(self.launcher), OLD)

    def test_success_replaces_launcher_and_removes_staged_files(self):
        code, seconds, _ = self.tarnup("QevLogin.exe")
        self.assertEqual(code, 0)
        self.assertEqual(self.read(self.launcher), NEW)
        self.assertEqual(self.listing(), ["QevLogin.exe", "TarnUp.exe"])
        self.assertLess(seconds, 5.0)  # the first attempt succeeded

    def test_target_held_open_is_replaced_once_released(self):
        # Held for 1000 ms from the updater's start: the attempts at about 200 and
        # 600 ms fail, the one at 1000 ms (or, on a slow start, 1400 ms) succeeds. The
        # margin of 400 ms keeps a slow Wine start from letting the second attempt through.
        # The hold starts before the updater does: add what its start costs.
        hold_ms = 1000 + int(self.start_cost * 1000)
        holder = start(os.environ["QEV_HOLDFILE_EXE"], winpath(self.launcher), hold_ms)
        self.assertEqual(holder.stdout.readline().strip(), "held")
        code, seconds, _ = self.tarnup("QevLogin.exe")
        self.assertEqual(wait_exit(holder), 0)
        self.assertEqual(code, 0)
        self.assertGreaterEqual(seconds, 0.5)  # at least two failed attempts were waited out
        self.assertLess(seconds, 2.0)          # yet not all five
        self.assertEqual(self.read(self.launcher), NEW)
        self.assertEqual(self.listing(), ["QevLogin.exe", "TarnUp.exe"])

    def test_failing_attempts_leave_the_launcher_whole(self):
        # Held through every attempt: the copy never reaches the launcher, no temporary
        # file is left beside it, and the staged files stay for a later run.
        holder = start(os.environ["QEV_HOLDFILE_EXE"], winpath(self.launcher),
                       4000 + int(self.start_cost * 1000))
        self.assertEqual(holder.stdout.readline().strip(), "held")
        before = self.listing()
        code, _, _ = self.tarnup("QevLogin.exe")
        wait_exit(holder)
        self.assertEqual(code, 4)
        self.assertEqual(self.read(self.launcher), OLD)
        self.assertEqual(self.listing(), before)


if __name__ == "__main__":
    unittest.main()
