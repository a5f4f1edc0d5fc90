"""Loopback status ports that play a zone server's side of the launcher's probe.

A zone is probed at its game port + 1000, so each server here offers game_port for the
zone list and listens (or not) on game_port + 1000.
"""
import socket
import threading
import time

LOOPBACK = "127.0.0.1"
PROBE_OFFSET = 1000


def _free_port():
    s = socket.socket()
    s.bind((LOOPBACK, 0))
    port = s.getsockname()[1]
    s.close()
    return port


class UpServer:
    """Accepts every connection, pushes a text when given one, keeps the connection open."""

    def __init__(self, push=b""):
        self.push = push
        self.sock = socket.socket()
        self.sock.bind((LOOPBACK, 0))
        self.sock.listen(16)
        self.port = self.sock.getsockname()[1]
        self.game_port = self.port - PROBE_OFFSET
        self.accepted = 0
        self._open = []
        self._lock = threading.Lock()
        self._thread = threading.Thread(target=self._serve, daemon=True)
        self._thread.start()

    def _serve(self):
        while True:
            try:
                conn, _ = self.sock.accept()
            except OSError:
                return
            with self._lock:
                self.accepted += 1
                self._open.append(conn)
            if self.push:
                try:
                    conn.sendall(self.push)
                except OSError:
                    pass

    def close(self):
        self.sock.close()
        with self._lock:
            for c in self._open:
                c.close()
            self._open.clear()


class ClosedPort:
    """A port with nothing listening: the probe's connection is refused at once."""

    def __init__(self):
        self.port = _free_port()
        self.game_port = self.port - PROBE_OFFSET

    def close(self):
        pass


class SilentServer:
    """A listening socket whose accept queue is full, so a new connection attempt stays
    pending (its SYN is dropped and retried) instead of being answered either way."""

    def __init__(self):
        self.sock = socket.socket()
        self.sock.bind((LOOPBACK, 0))
        self.sock.listen(0)
        self.port = self.sock.getsockname()[1]
        self.game_port = self.port - PROBE_OFFSET
        self._fillers = []
        self._fill()

    def _fill(self):
        for _ in range(8):
            c = socket.socket()
            c.setblocking(False)
            c.connect_ex((LOOPBACK, self.port))
            time.sleep(0.15)
            try:
                c.getpeername()
            except OSError:  # still pending: the queue is full
                c.close()
                return
            self._fillers.append(c)
        raise RuntimeError("could not fill the accept queue of the silent server")

    @property
    def queued(self):
        return len(self._fillers)

    def drain(self, seconds):
        """Accepts for a while; returns how many connections came in besides the fillers.
        A connection attempt that was left pending completes once there is room."""
        self.sock.settimeout(0.2)
        got = 0
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            try:
                conn, _ = self.sock.accept()
            except socket.timeout:
                continue
            except OSError:
                break
            got += 1
            conn.close()
        return got - len(self._fillers)

    def close(self):
        for c in self._fillers:
            c.close()
        self.sock.close()
