"""A game client folder for the launcher, its configuration written by the operator's
tool (qevtool.exe, run under Wine): the real writer of tolw3.inf."""
import json
import os
import shutil
import sys

from winedrive import run_with_errors, winpath

CLIENT_EXE = "Client.exe"


class GameFolder:
    def __init__(self, root, with_client=True):
        self.root = root
        os.makedirs(os.path.join(root, "map"), exist_ok=True)
        os.makedirs(os.path.join(root, "data"), exist_ok=True)
        with open(os.path.join(root, "map", "1.map"), "wb") as f:
            f.write(b"map")
        self.exe = os.path.join(root, "QevLogin.exe")
        shutil.copy(os.environ["QEV_LOGIN_EXE"], self.exe)
        if with_client:
            shutil.copy(os.environ["QEV_FAKE_CLIENT_EXE"], self.path(CLIENT_EXE))
        self.config_file = self.path("tolw3.inf")

    def path(self, *parts):
        return os.path.join(self.root, *parts)

    def _tool(self, *args):
        # Setting up a folder is not what the journeys test: one failed call (seen once in
        # a full run, with no output to explain it) is reported and tried again.
        for attempt in (1, 2):
            code, out, err = run_with_errors(os.environ["QEV_QEVTOOL_EXE"], *args, timeout=60)
            if code == 0:
                return out
            message = "qevtool %s failed (%d): %s %s" % (" ".join(args), code, out, err)
            if attempt == 2:
                raise AssertionError(message)
            print("\n" + message + " -- trying once more", file=sys.stderr)

    def configure(self, client=CLIENT_EXE, **urls):
        """config new; urls: notice, update, website, pay, exit, bbs, info (the banner),
        alt_args (any true value)."""
        args = ["config", "new", winpath(self.config_file), "--force"]
        if client:
            args += ["--client", client]
        for key, value in urls.items():
            if key == "alt_args":
                args += ["--alt-args"] if value else []
            else:
                args += ["--" + key, value]
        self._tool(*args)
        return self

    def add_zone(self, caption, game_port, address="127.0.0.1", notice=None, name=None):
        args = ["config", "add-zone", winpath(self.config_file), "--caption", caption,
                "--name", name or "zone%d" % game_port, "--address", address,
                "--port", str(game_port)]
        if notice:
            args += ["--notice", notice]
        self._tool(*args)
        return self

    def client_record(self):
        path = self.path("FakeClient.json")
        if not os.path.exists(path):
            return None
        with open(path, encoding="utf-8") as f:
            return json.load(f)
