"""Every test and subtest starts from a clean desktop. Whatever an earlier one left (a
launcher still running or hiding in the tray, its open menu, a message box nobody
answered) is closed first, and the test's output says what was closed."""
import contextlib
import sys
import unittest


def clean(driver, keep=()):
    """Ends the leftover programs but those in keep (process IDs), whose menus and
    dialogs are closed instead; returns what was found, one dict each."""
    _, found = driver.call("clean", *keep)
    for f in found:
        print("clean desktop: closed %s %r %r of %s (pid %d), left by an earlier test" %
              (f["left"], f["class"], f["title"], f["program"], f["pid"]), file=sys.stderr)
    return found


class CleanDesktopCase(unittest.TestCase):
    """A test with self.driver and self.launchers (the ui.Launcher objects it started).
    Launchers a subtest starts end with the subtest; those started before it are kept,
    with their menus and dialogs closed when the subtest begins."""

    def clean_desktop(self):
        return clean(self.driver)

    @contextlib.contextmanager
    def subTest(self, msg=unittest.case._subtest_msg_sentinel, **params):
        before = len(self.launchers)
        clean(self.driver, [l.pid for l in self.launchers if l.pid and l.running()])
        try:
            with super().subTest(msg, **params):
                yield
        finally:
            for l in self.launchers[before:]:
                l.stop()
            del self.launchers[before:]
