"""Runs the Linux edition (lumeq-gamma, its test build with the probe inside) natively on
a private X server and looks at what it did: the outputs' RandR ramps, the windows, the
files in a home folder of its own.

One Session per test module (its own Xorg with the dummy driver, which has RandR CRTC
gamma, and openbox); each test gets a fresh home. Everything started is ended by PID.
"""

import ctypes
import ctypes.util
import glob
import os
import re
import select
import shutil
import signal
import socket
import struct
import subprocess
import sys
import tempfile
import time
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
import harness  # noqa: E402
from harness import IDS, RAMP_TOLERANCE, _end_process, darkest, level_ramp, wait_for  # noqa: E402,F401

PROGRAM = os.environ.get("LUMEQ_NATIVE_PROGRAM",
                         os.path.join(HERE, "..", "..", "build", "native", "lumeq-gamma-test"))
XGRAB = os.environ.get("LUMEQ_XGRAB", os.path.join(os.path.dirname(PROGRAM), "tests", "xgrab"))
BUS_FAKES = os.environ.get("LUMEQ_BUS_FAKES", os.path.join(os.path.dirname(PROGRAM), "tests", "bus_fakes"))
SHIPPED_INI = os.path.join(HERE, "..", "..", "res", "lumeq.ini")
ARTIFACTS = os.environ.get("LUMEQ_NATIVE_ARTIFACTS",
                           os.path.join(os.path.dirname(PROGRAM), "native-artifacts"))


def jpeg_size(path):
    """(width, height) from a JPEG file's frame header, or None when it is not one."""
    with open(path, "rb") as f:
        data = f.read()
    if not data.startswith(b"\xff\xd8\xff"):
        return None
    at = 2
    while at + 9 < len(data):
        marker, length = data[at + 1], struct.unpack(">H", data[at + 2:at + 4])[0]
        if marker in (0xC0, 0xC1, 0xC2):
            height, width = struct.unpack(">HH", data[at + 5:at + 9])
            return width, height
        at += 2 + length
    return None


# ----- RandR through ctypes: what the server really holds -----
class _CrtcGamma(ctypes.Structure):
    _fields_ = [("size", ctypes.c_int), ("red", ctypes.POINTER(ctypes.c_ushort)),
                ("green", ctypes.POINTER(ctypes.c_ushort)), ("blue", ctypes.POINTER(ctypes.c_ushort))]


class _Resources(ctypes.Structure):
    _fields_ = [("timestamp", ctypes.c_ulong), ("configTimestamp", ctypes.c_ulong), ("ncrtc", ctypes.c_int),
                ("crtcs", ctypes.POINTER(ctypes.c_ulong))]


_x11 = ctypes.CDLL(ctypes.util.find_library("X11"))
_xrandr = ctypes.CDLL(ctypes.util.find_library("Xrandr"))
_x11.XOpenDisplay.restype = ctypes.c_void_p
_x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
_x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
_x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
_x11.XDefaultRootWindow.restype = ctypes.c_ulong
_x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
_xrandr.XRRGetScreenResourcesCurrent.restype = ctypes.POINTER(_Resources)
_xrandr.XRRGetScreenResourcesCurrent.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
_xrandr.XRRFreeScreenResources.argtypes = [ctypes.POINTER(_Resources)]
_xrandr.XRRGetCrtcGamma.restype = ctypes.POINTER(_CrtcGamma)
_xrandr.XRRGetCrtcGamma.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
_xrandr.XRRFreeGamma.argtypes = [ctypes.POINTER(_CrtcGamma)]
_xrandr.XRRAllocGamma.restype = ctypes.POINTER(_CrtcGamma)
_xrandr.XRRAllocGamma.argtypes = [ctypes.c_int]
_xrandr.XRRSetCrtcGamma.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(_CrtcGamma)]


def _crtc(display, index):
    resources = _xrandr.XRRGetScreenResourcesCurrent(display, _x11.XDefaultRootWindow(display))
    crtc = resources.contents.crtcs[index]
    _xrandr.XRRFreeScreenResources(resources)
    return crtc


def read_crtc_ramp(display_name, index=0):
    """A CRTC's red, green and blue tables (the dummy driver gives DUMMYn the CRTC n)."""
    display = _x11.XOpenDisplay(display_name.encode())
    try:
        gamma = _xrandr.XRRGetCrtcGamma(display, _crtc(display, index))
        g = gamma.contents
        ramp = [[g.red[i] for i in range(g.size)], [g.green[i] for i in range(g.size)],
                [g.blue[i] for i in range(g.size)]]
        _xrandr.XRRFreeGamma(gamma)
        return ramp
    finally:
        _x11.XCloseDisplay(display)


# Stands in for the password database (a home folder of the test's own for this user).
NSS_WRAPPER = next(iter(glob.glob("/usr/lib/*/libnss_wrapper.so") + glob.glob("/usr/lib/libnss_wrapper.so")), "")


def write_crtc_ramp(display_name, table, index=0):
    """One table for all three channels, or a (red, green, blue) tuple of tables."""
    red, green, blue = table if isinstance(table, tuple) else (table, table, table)
    display = _x11.XOpenDisplay(display_name.encode())
    try:
        gamma = _xrandr.XRRAllocGamma(len(red))
        for i in range(len(red)):
            gamma.contents.red[i], gamma.contents.green[i], gamma.contents.blue[i] = red[i], green[i], blue[i]
        _xrandr.XRRSetCrtcGamma(display, _crtc(display, index), gamma)
        _xrandr.XRRFreeGamma(gamma)
        _x11.XSync(display, 0)
    finally:
        _x11.XCloseDisplay(display)


def resampled(ramp256, size):
    """A 256-entry channel at `size` entries, by straight lines, as the program does."""
    if size == 256:
        return list(ramp256)
    out = []
    for i in range(size):
        x = i * 255 / (size - 1)
        j = min(int(x), 254)
        out.append(round(ramp256[j] + (ramp256[j + 1] - ramp256[j]) * (x - j)))
    return out


def close_to(actual, expected, tolerance=RAMP_TOLERANCE):
    return len(actual) == len(expected) and all(abs(a - b) <= tolerance for a, b in zip(actual, expected))


class Session(harness.Session):
    """A private Xorg and openbox, without Wine; with `two_monitors`, a player's desk: DUMMY1
    (1024 x 768) right of DUMMY0, and a private session bus with a tray's watcher and KWin's
    Night Color on it (see bus_fakes.cpp)."""

    def __init__(self, two_monitors=False):
        super().__init__(two_monitors)
        self.bus_address = None
        self.bus_lines = []

    artifacts = ARTIFACTS

    def start(self):
        self.tmp = tempfile.mkdtemp(prefix="lumeq-native-")
        try:
            self._start_desk()
            if self.two_monitors:
                self._start_bus()
            self.initial_ramp = read_crtc_ramp(self.display)
        except BaseException:
            self.stop()
            raise
        return self

    def env(self):
        env = {key: value for key, value in os.environ.items()
               if not key.startswith(("XDG_", "WAYLAND", "DBUS_SESSION"))}
        env["DISPLAY"] = self.display or ""
        env["QT_QPA_PLATFORM"] = "xcb"
        if self.bus_address:
            env["DBUS_SESSION_BUS_ADDRESS"] = self.bus_address
        return env

    def _start_bus(self):
        bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1",
                                f"--address=unix:path={self.tmp}/bus"], stdout=subprocess.PIPE, text=True)
        self.other.append(bus)
        self.bus_address = bus.stdout.readline().strip()
        bus.stdout.close()
        self.fakes = subprocess.Popen([BUS_FAKES], env=self.env(), stdout=subprocess.PIPE)
        self._bus_pending = b""
        self.other.append(self.fakes)
        self.bus_fakes_said("ready")

    def bus_fakes_said(self, prefix="", timeout=10):
        """The next line the session bus's fakes print that starts with `prefix`; None when
        none comes in time."""
        deadline = time.monotonic() + timeout
        while True:
            while b"\n" in self._bus_pending:
                raw, self._bus_pending = self._bus_pending.split(b"\n", 1)
                line = raw.decode()
                self.bus_lines.append(line)
                if line.startswith(prefix):
                    return line
            left = deadline - time.monotonic()
            if left <= 0 or not select.select([self.fakes.stdout], [], [], left)[0]:
                return None
            chunk = os.read(self.fakes.stdout.fileno(), 4096)
            if not chunk:
                return None
            self._bus_pending += chunk

    def stop(self):
        if getattr(self, "fakes", None):
            self.fakes.stdout.close()
        super().stop()

    def hold(self, *what):
        """A stand-in that holds the keyboard (xgrab keyboard) or a key (xgrab key 3)."""
        proc = subprocess.Popen([XGRAB, *map(str, what)], env=self.env(), stdout=subprocess.PIPE, text=True)
        self.other.append(proc)
        assert proc.stdout.readline().strip() == "held"
        proc.stdout.close()
        return proc

    def ramp(self):
        return read_crtc_ramp(self.display)

    def put_initial_ramp(self):
        write_crtc_ramp(self.display, self.initial_ramp[0])

    def xrandr(self, *args):
        return subprocess.run(["xrandr", *args], env=self.env(), capture_output=True, text=True, timeout=10)

    def start_game(self, at=(0, 0)):
        """A native stand-in for a game, where the player put it, given the focus as a player would."""
        proc = subprocess.Popen(["xmessage", "-name", "standin", "-title", "Juego de prueba", "-geometry",
                                 f"+{at[0]}+{at[1]}", "juego en marcha"],
                                env=self.env(), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.other.append(proc)
        xid = wait_for(lambda: self.xdotool("search", "--sync", "--name", "Juego de prueba").stdout.split(), 10,
                       what="the stand-in game")[0]
        self.focus(int(xid))
        return proc, {"xid": int(xid)}

    def new_program(self, ini=None, level=None, screenshots_folder=True):
        program = Program(self, ini, level, screenshots_folder)
        self.programs.append(program)
        return program


class DeskCase(unittest.TestCase):
    """A module's cases on one desk: the X server with the output's own ramp back before each
    case, and every program and helper a case started ended after it."""

    @classmethod
    def setUpClass(cls):
        cls.session = Session().start()

    @classmethod
    def tearDownClass(cls):
        cls.session.stop()

    def setUp(self):
        self.session.put_initial_ramp()

    def tearDown(self):
        self.session.end_programs()
        for proc in self.session.other:
            _end_process(proc, grace=1)
        self.session.other.clear()


class Program(harness.ProbedProgram):
    """lumeq-gamma in a home folder of its own."""

    def __init__(self, session, ini, level, screenshots_folder):
        self.home = tempfile.mkdtemp(prefix="home-", dir=session.tmp)
        super().__init__(session, os.path.join(self.home, "probe"))
        self.config = os.path.join(self.home, ".config", "lumeq")
        self.state_dir = os.path.join(self.home, ".local", "state", "lumeq")
        self.runtime = os.path.join(self.home, "run")
        self.pictures = os.path.join(self.home, "Pictures", "lumeq")
        os.makedirs(self.config)
        os.makedirs(self.runtime, mode=0o700)
        if ini is not None:
            with open(os.path.join(self.config, "lumeq.ini"), "wb") as f:
                f.write(("\r\n".join(ini) + "\r\n").encode("utf-8"))
        if level is not None:
            with open(os.path.join(self.config, "level"), "w") as f:
                f.write(f"{level}\n")
        if screenshots_folder:
            os.makedirs(self.pictures)
        self.stderr_path = os.path.join(self.home, "stderr.txt")

    def env(self):
        env = self.session.env()
        env.update(HOME=self.home, XDG_CONFIG_HOME=os.path.join(self.home, ".config"),
                   XDG_STATE_HOME=os.path.join(self.home, ".local", "state"), XDG_RUNTIME_DIR=self.runtime,
                   LUMEQ_TEST_PROBE=self.probe_file)
        return env

    def launch(self):
        """Starts another copy in the same home, without waiting for anything."""
        with open(self.stderr_path, "ab") as err:
            return subprocess.Popen([PROGRAM], env=self.env(), stdout=subprocess.DEVNULL, stderr=err)

    def start(self, wait_shown=True, env=None, umask=None):
        command = [PROGRAM] if umask is None else ["sh", "-c", f'umask {umask:03o}; exec "$0"', PROGRAM]
        with open(self.stderr_path, "ab") as err:
            self._popen(command, env or self.env(), stderr=err)
        if wait_shown:
            wait_for(lambda: self.window()["visible"], 20, what="the main window")
        return self

    def stderr(self):
        with open(self.stderr_path, encoding="utf-8", errors="replace") as f:
            return f.read()

    def probe(self, *words, timeout=5):
        """One request to the probe inside the program; its answer, or None."""
        rc, out = self.ask(*words, timeout=timeout)
        return None if rc is None else out.rstrip("\n")

    def window(self):
        answer = self.probe("window")
        if not answer:
            return {"visible": False, "minimized": False}
        f = answer.split()
        return {"visible": f[0] == "1", "minimized": f[1] == "1", "left": int(f[2]), "top": int(f[3]),
                "width": int(f[4]), "height": int(f[5])}

    def field(self, name):
        return self.probe("field", name)

    def state(self, name):
        visible, enabled, checked = map(int, self.probe("state", name).split())
        return {"visible": bool(visible), "enabled": bool(enabled), "checked": bool(checked)}

    def command(self, name):
        self.probe("command", name)

    def rect(self, name):
        return tuple(map(int, self.probe("rect", name).split()))

    def strip(self):
        f = self.probe("strip").split(" ", 5)
        return {"visible": f[0] == "1", "left": int(f[1]), "top": int(f[2]), "width": int(f[3]),
                "height": int(f[4]), "text": f[5] if len(f) > 5 else ""}

    def ini_lines(self):
        with open(os.path.join(self.config, "lumeq.ini"), "rb") as f:
            return f.read().decode("utf-8").split("\r\n")

    def stored_level(self):
        with open(os.path.join(self.config, "level")) as f:
            return f.read().strip()

    def record_path(self, display=None):
        """The record of the ramps to give back, for this machine and a display (this one)."""
        name = socket.gethostname() + (display or self.session.display)
        return os.path.join(self.state_dir, "captured-ramps@" + re.sub(r"[^A-Za-z0-9._-]", "_", name))

    def write_record(self, tables, display=None, path=None):
        """A record left by a run that is gone: `tables` maps an output to its red table."""
        with open("/proc/sys/kernel/random/boot_id") as f:
            boot = f.read().strip()
        os.makedirs(self.state_dir, exist_ok=True)
        with open(path or self.record_path(display), "wb") as f:
            f.write(harness.record_bytes(tables, host=socket.gethostname(), boot=boot,
                                         display=display or self.session.display))


HEADER = "NO ELIMINAR MODIFICAR O MOVER ESTE ARCHIVO"


def level_table(level, size):
    return resampled(level_ramp(level), size)


def difference_from_the_screen(session, picture, program):
    """How far a picture is from what the whole root window shows now (RMSE, 0 to 1)."""
    reference = os.path.join(program.home, "root.png")
    subprocess.run(["import", "-window", "root", reference], env=session.env(), check=True, timeout=30)
    compared = subprocess.run(["compare", "-metric", "RMSE", picture, reference, "null:"], capture_output=True,
                              text=True, timeout=30)
    return float(compared.stderr.split("(")[1].rstrip(")"))


class NativeCase(DeskCase):
    """DeskCase with the two looks at the first output's ramp every case asks for."""

    # A player's own calibration: no power of a level, and not smooth.
    CALIBRATION = [min(65535, round((i / 255) ** 1.3 * 65535) + (i % 3)) for i in range(256)]

    def boosted(self, level):
        return close_to(self.session.ramp()[0], level_table(level, len(self.session.initial_ramp[0])))

    def untouched(self):
        return self.session.ramp() == self.session.initial_ramp

    def strip_window(self):
        out = self.session.xdotool("search", "--onlyvisible", "--name", "^Gamma$").stdout.split()
        return out[0] if out else None

    def override_redirect_windows(self):
        tree = subprocess.run(["xwininfo", "-root", "-children"], env=self.session.env(), capture_output=True,
                              text=True, timeout=10).stdout
        found = []
        for line in tree.splitlines():
            line = line.strip()
            if line.startswith("0x"):
                xid = str(int(line.split()[0], 16))
                info = subprocess.run(["xwininfo", "-id", xid], env=self.session.env(), capture_output=True,
                                      text=True, timeout=10).stdout
                if "Override Redirect State: yes" in info and "Map State: IsViewable" in info:
                    found.append(xid)
        return found

    def main_xid(self, program):
        return program.probe("xid")

    def icon_geometry(self):
        """Where the program's icon lies inside trayer's panel: a docked child window."""
        for xid in self.session.xdotool("search", "--class", "trayer").stdout.split():
            tree = subprocess.run(["xwininfo", "-id", xid, "-tree"], env=self.session.env(), capture_output=True,
                                  text=True, timeout=10).stdout
            for line in tree.splitlines():
                if "lumeq" in line.lower() and "x" in line:
                    geometry = line.split(")")[-1].split()
                    for word in geometry:
                        if "+" in word and "x" in word:
                            size, *_ = word.split("+")
                            width, height = map(int, size.split("x"))
                            absolute = [w for w in geometry if w.startswith("+") and w.count("+") == 2]
                            if absolute:
                                left, top = map(int, absolute[-1].lstrip("+").split("+"))
                                return left, top, width, height
        return None
