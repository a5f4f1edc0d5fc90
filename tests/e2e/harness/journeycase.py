"""What every player journey sets up: the driver, a scratch folder, status servers, game
folders and launchers, all ended again afterwards."""
import os
import shutil
import sys
import tempfile

import launcher as ui
from desktop import CleanDesktopCase
from gamefolder import GameFolder
from statusports import ClosedPort, SilentServer, UpServer
from winedrive import Driver, poll


def ensure_desktop_link():
    """An existing shortcut is refreshed without a question, so journeys that are not
    about the shortcut start straight into the window."""
    path = ui.desktop_link()
    if not os.path.exists(path):
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(b"placeholder")


class JourneyCase(CleanDesktopCase):
    def setUp(self):
        self.driver = Driver(os.environ["QEV_DRIVER_EXE"])
        self.tmp = tempfile.mkdtemp(prefix="qev-journey-")
        self.servers = []
        self.launchers = []
        self.clean_desktop()
        ensure_desktop_link()
        self.urls_before = len(ui.url_log())

    def tearDown(self):
        if self.has_failed():
            self.print_launcher_logs()
        for w in self.driver.windows(ui.CLASS):
            self.driver.close(w["hwnd"])
        for l in self.launchers:
            l.stop()
        for s in self.servers:
            s.close()
        shutil.rmtree(self.tmp, ignore_errors=True)

    def has_failed(self):
        """Whether this test, or one of its subtests, has failed so far."""
        result = self._outcome.result
        return any(getattr(t, "test_case", t) is self for t, _ in result.failures + result.errors)

    def print_launcher_logs(self):
        """The logs of every launcher this test started, for a failure's report."""
        for top, _, files in os.walk(self.tmp):
            for name in files:
                if name.lower() == "qevlogin.log":
                    with open(os.path.join(top, name), "rb") as f:
                        text = f.read().decode("gbk", "replace")
                    print("\n--- %s\n%s" % (os.path.join(top, name), text), file=sys.stderr)
        for server in self.servers:
            if hasattr(server, "served"):
                print("\n--- requests to port %d: %s" % (server.port, server.served),
                      file=sys.stderr)

    # --- servers
    def up(self, push=b""):
        return self._keep(UpServer(push))

    def down(self):
        return self._keep(ClosedPort())

    def silent(self):
        return self._keep(SilentServer())

    def _keep(self, server):
        self.servers.append(server)
        return server

    # --- folders and launchers
    def folder(self, zones=(), name="game", **config):
        """zones: (caption, server, notice or None); config: GameFolder.configure's."""
        f = GameFolder(os.path.join(self.tmp, name))
        f.configure(**config)
        for caption, server, notice in zones:
            f.add_zone(caption, server.game_port, notice=notice)
        return f

    def launch(self, folder, wait_window=True):
        l = ui.Launcher(self.driver, folder)
        self.launchers.append(l)
        return l.start(wait_window)

    def new_urls(self):
        return ui.url_log()[self.urls_before:]

    def wait_url(self, url, timeout=10):
        return poll(lambda: url in self.new_urls(), timeout)

    def close_and_expect_exit(self, l):
        self.assertTrue(self.driver.close(l.hwnd))
        self.assertEqual(l.exit_code(), 0)
