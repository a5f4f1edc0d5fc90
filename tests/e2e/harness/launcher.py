"""The launcher as the journeys see it: its window, controls, dialogs and texts."""
import getpass
import os
import struct
import time
import zlib

from winedrive import dialog_texts, poll, start, stop, wait_exit

TITLE = "神域3登录器"
CLASS = "tolw3"
MESS_CAPTION = " " + TITLE  # the launcher's own message dialog
OK, YES, NO = "确定", "(&Y)是", "(&N)否"

# Control IDs of the main window's children.
ZONES, ZT, IMAGE1, IMAGE2, WEB, INFO_LINE = 1001, 1002, 1003, 1004, 1005, 1006
START, ACCOUNT, ACCOUNT_MENU, WEBSITE, MINIMISE, CLOSE, PAY = (
    1101, 1102, 1106, 1107, 1110, 1111, 1112)
OPT1, OPT2, OPT3, INTERFACE, PROGRESS, STOP_UPDATE = 1201, 1202, 1203, 1301, 1401, 1402
# Menu commands.
M1, M2, M4, N1, N2, N3, N8 = 2001, 2002, 2004, 2101, 2102, 2103, 2108
TRAY_MESSAGE = 0x8000 + 1  # WM_APP + 1
WM_LBUTTONDOWN, WM_RBUTTONUP = 0x0201, 0x0205
RESTORE_MESSAGE = 1035
ROW_HEIGHT = 16

PICK_SERVER = "请选择服务器..."
PROBING = "正在检测状态.."
RUNNING = "服务器运行中 "
DOWN = "服务器正在维护中"
NOT_READY = "服务器正在重新启动或者正在维护中，请稍侯再来..."
PICK_ZONE_FIRST = "请先选择神域分区..."
ACCOUNT_HINT = "请点击开始游戏在游戏界面处使用账号管理功能"
SHORTCUT_CAPTION = "友情提示"
SHORTCUT_QUESTION = "是否需要创建" + TITLE + "桌面快捷方式？如果您安装了杀毒软件可能会产出误报！"
NO_CONFIG = ("没有找到登录器配置文件：\r\n\r\n“tolw3.inf”\r\n\r\n因此登录器无法正常运行，"
             "\r\n\r\n请将该文件和登录器放在同一目录！")
CLIENT_ARGS = "/LoginBy:tolw3 /Launcher:QevLogin /Mode:Normal"


def desktop_link():
    """The launcher's desktop shortcut in the test prefix (Wine may link Desktop elsewhere)."""
    desktop = os.path.join(os.environ["WINEPREFIX"], "drive_c", "users", getpass.getuser(),
                           "Desktop")
    return os.path.join(os.path.realpath(desktop), TITLE + ".lnk")


def url_log():
    path = os.environ.get("QEV_URL_LOG", "")
    if not path or not os.path.exists(path):
        return []
    with open(path, encoding="utf-8", errors="replace") as f:
        return [line.rstrip("\n") for line in f]


class Launcher:
    """One started QevLogin.exe and its main window."""

    def __init__(self, driver, folder):
        self.driver = driver
        self.folder = folder
        self.proc = None
        self.hwnd = None
        self.pid = None

    def start(self, wait_window=True):
        self.proc = start(self.folder.exe, cwd=self.folder.root)
        if wait_window:
            w = self.driver.wait(CLASS, 20000)
            if w is None:
                box = self.driver.wait_dialog(500)
                raise AssertionError("the main window did not appear%s" % (
                    "; a dialog shows %r" % dialog_texts(box) if box else ""))
            self.hwnd, self.pid = w["hwnd"], w["pid"]
        return self

    def stop(self):
        if self.proc:
            stop(self.proc)

    def running(self):
        return bool(self.proc) and self.proc.poll() is None

    def exit_code(self, timeout=15):
        return wait_exit(self.proc, timeout)

    # --- reading
    def window(self):
        return self.driver.info(self.hwnd)

    def controls(self):
        # The driver can miss a look while the launcher is busy (a download writing on
        # its thread): a missed look is taken again rather than read as no controls.
        for _ in range(3):
            found = self.driver.controls(self.hwnd)
            if found:
                return found
            time.sleep(0.05)
        return found

    def ctl(self, cid):
        return self.driver.control(self.hwnd, cid)

    def text(self, cid):
        c = self.ctl(cid)
        return c["text"] if c else None

    def rows(self):
        return self.ctl(ZONES)["rows"]

    def status(self):
        """(ZT text, running icon shown, down icon shown)."""
        c = self.controls()
        return c[ZT]["text"], c[IMAGE1]["visible"], c[IMAGE2]["visible"]

    def wait_status(self, pred, timeout=10.0):
        return poll(lambda: (lambda s: s if pred(s[0]) else None)(self.status()), timeout)

    def visible(self):
        w = self.window()
        return bool(w and w["visible"])

    # --- acting
    def pick(self, row):
        """A click on the zone list at the middle of the row (also below the last row)."""
        return self.driver.click_at(self.hwnd, ZONES, 40, row * ROW_HEIGHT + ROW_HEIGHT // 2)

    def click(self, cid):
        return self.driver.click(self.hwnd, cid)

    def command(self, cid):
        return self.driver.command(self.hwnd, cid)

    def tray(self, mouse_message):
        return self.driver.post(self.hwnd, TRAY_MESSAGE, 0, mouse_message)

    def dialog(self, ms=8000):
        return self.driver.wait_dialog(ms, self.pid)

    def answer(self, caption, ms=8000):
        return self.driver.answer(caption, ms, self.pid)

    def no_dialog(self, ms=800):
        return self.driver.wait_dialog(ms, self.pid) is None


def save_screenshot(driver, hwnd, name):
    """Saves the window as QEV_SCREENS_DIR/name.png; returns the path (None when the
    variable is not set)."""
    folder = os.environ.get("QEV_SCREENS_DIR")
    if not folder:
        return None
    os.makedirs(folder, exist_ok=True)
    driver.front(hwnd)
    time.sleep(0.6)  # let the window repaint after coming to the front
    bmp = os.path.join(folder, name + ".bmp")
    if not driver.shot(hwnd, bmp):
        return None
    png = os.path.join(folder, name + ".png")
    with open(bmp, "rb") as f:
        data = f.read()
    os.remove(bmp)
    with open(png, "wb") as f:
        f.write(bmp_to_png(data))
    return png


def bmp_to_png(bmp):
    """A 24-bit bottom-up BMP file as a PNG file."""
    offset, = struct.unpack_from("<I", bmp, 10)
    width, height, _, bits = struct.unpack_from("<iiHH", bmp, 18)
    if bits != 24 or height <= 0:
        raise ValueError("not a 24-bit bottom-up bitmap")
    stride = (width * 3 + 3) & ~3
    raw = bytearray()
    for y in range(height - 1, -1, -1):
        row = bmp[offset + y * stride: offset + y * stride + width * 3]
        raw.append(0)
        for x in range(0, len(row), 3):
            raw += bytes((row[x + 2], row[x + 1], row[x]))

    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body +
                struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))
    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))
