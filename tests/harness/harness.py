"""Runs the real lumeq.exe under Wine on a private X server and looks at what it did.

One Session per test module: its own Xorg (dummy driver, which has a gamma ramp),
openbox for real activation, and a Wine prefix copied from a cached template, with a
persistent wineserver. Each test gets the program copied into a fresh folder of that
prefix, so its settings file and folders lie beside it. Everything a session starts
is ended by PID (or, for Wine's own server, through its prefix), also when a test
fails; every wait is bounded.

The Linux edition's tests (tests/linux/native.py) build on the same desk: the X server,
the second monitor, the window manager, the screen's pixels, the probe's client and the
program's life (ProbedProgram); only Wine and the stand-in game differ.
"""

import atexit
import contextlib
import fcntl
import math
import os
import re
import shutil
import signal
import socket
import struct
import subprocess
import tempfile
import time
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
WINDOWS_DIR = os.environ.get("LUMEQ_WINDOWS_DIR", os.path.join(HERE, "..", "..", "build", "windows"))
XRAMP = os.environ.get("LUMEQ_XRAMP", os.path.join(HERE, "..", "..", "build", "native", "xramp"))
WORK_DIR = os.environ.get("LUMEQ_E2E_WORK", os.path.join(HERE, "..", "..", "build", "e2e"))
ARTIFACTS = os.path.join(WORK_DIR, "artifacts")  # pictures the tests keep for a person to look at
TEMPLATE = os.path.join(WORK_DIR, "wine-template")
XORG_CONF = os.path.join(HERE, "xorg-dummy.conf")
RAMP_TOLERANCE = 257  # the X server keeps about 8 bits of each entry

CONTROL_IDS_HEADER = os.path.join(HERE, "..", "..", "src", "win32", "control_ids.h")


def _program_ids():
    """Control and command identifiers by their wire names, read from the program's own header."""
    with open(CONTROL_IDS_HEADER, encoding="utf-8") as f:
        text = f.read()
    values = {name: int(value) for name, value in re.findall(r"inline constexpr (?:unsigned|int) (\w+) = (\d+);", text)}
    ids = {}
    for wire, constant, offset in re.findall(r'\{"(\w+)", (?:static_cast<int>\()?(\w+)\)?(?: \+ (\d+))?\}', text):
        ids[wire] = values[constant] + int(offset or 0)
    return ids


IDS = _program_ids()

WINE_ENV = {
    "WINEARCH": "win64",
    "WINEDEBUG": "-all",
    "WINEDLLOVERRIDES": "mscoree=;mshtml=;winemenubuilder.exe=d",
}

REG_KEY = r"HKCU\Software\lumeq\gamma\GammaConfig"


def wait_for(predicate, timeout=10.0, interval=0.1, what="condition"):
    """Polls until predicate() gives a true value and returns it; fails after timeout."""
    deadline = time.monotonic() + timeout
    last = None
    while time.monotonic() < deadline:
        last = predicate()
        if last:
            return last
        time.sleep(interval)
    raise AssertionError(f"timed out after {timeout}s waiting for {what} (last: {last!r})")


def darkest(colour):
    """The lowest of a colour's (0xRRGGBB) three channels: light where it is high."""
    return min((colour >> shift) & 0xFF for shift in (0, 8, 16))


def level_ramp(level):
    """The 256 entries of a level's ramp, as the program builds them."""
    exponent = (50 - level) / 10.01
    return [min(65535, int(math.pow((i + 1) / 256.01, exponent) * 65535 + 0.5)) for i in range(256)]


def power_ramp(power):
    return [int(math.pow(i / 255, power) * 65535 + 0.5) for i in range(256)]


class ProbeClient:
    """A program's own probe (the test builds of both editions have one): a socket on
    127.0.0.1 whose port the program writes into `port_file`. One request a connection, its
    words joined by tabs; the answer is an exit code on a line, then the text."""

    def __init__(self, port_file, running):
        self.port_file = port_file
        self.running = running  # whether the program still runs

    def port(self):
        try:
            with open(self.port_file) as f:
                text = f.read().strip()
            return int(text) if text else None
        except FileNotFoundError:
            return None

    def ask(self, *words, timeout=10):
        """(exit code, text); (None, "") when the program ended or never listened in time."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            port = self.port()
            if port is not None:
                try:
                    with socket.create_connection(("127.0.0.1", port), timeout=timeout) as s:
                        s.sendall(("\t".join(map(str, words)) + "\n").encode())
                        data = b""
                        while chunk := s.recv(65536):
                            data += chunk
                    code, _, text = data.decode("utf-8", "replace").partition("\n")
                    return int(code), text.replace("\r\n", "\n")
                except (ConnectionRefusedError, ConnectionResetError, ValueError):
                    pass
            if not self.running():
                return None, ""
            time.sleep(0.02)
        return None, ""


def record_bytes(displays, pid=0x7FFFFFF0, start=1, host="", boot="", display="", version=3):
    """A record of the ramps to give back, as the program keeps it, of a run that is gone:
    `displays` maps a name to its red table (the same for all three channels). Version 2
    is what earlier versions wrote: no display server, 256 entries."""
    def text(t):
        raw = t.encode()
        return struct.pack("<H", len(raw)) + raw
    out = b"LQRR" + struct.pack("<IIQ", version, pid, start)
    if version == 3:
        out += text(host) + text(boot) + text(display)
    out += struct.pack("<I", len(displays))
    for name, table in displays.items():
        out += text(name) + (text("") + struct.pack("<H", len(table)) if version == 3 else b"")
        out += struct.pack(f"<{3 * len(table)}H", *table * 3)
    return out


def parse_record(data):
    """{display name: red table} of a version 3 record; {} for anything else."""
    def take(fmt):
        nonlocal at
        values = struct.unpack_from(fmt, data, at)
        at += struct.calcsize(fmt)
        return values
    def text():
        (length,) = take("<H")
        return take(f"<{length}s")[0].decode()
    at = 4
    try:
        if data[:4] != b"LQRR" or take("<I")[0] != 3:
            return {}
        take("<IQ")
        text(), text(), text()
        displays = {}
        for _ in range(take("<I")[0]):
            name, _seat = text(), text()
            (size,) = take("<H")
            displays[name] = list(take(f"<{3 * size}H")[:size])
        return displays
    except struct.error:
        return {}


def _end_process(proc, grace=3.0):
    if proc is None or proc.poll() is not None:
        return
    try:
        proc.send_signal(signal.SIGTERM)
        proc.wait(timeout=grace)
    except subprocess.TimeoutExpired:
        proc.kill()
        proc.wait(timeout=5)
    except ProcessLookupError:
        pass


class Session:
    """An X server with gamma, a window manager and a Wine prefix of our own."""

    def __init__(self, two_monitors=False):
        self.two_monitors = two_monitors
        self.tmp = None
        self.display = None
        self.xorg = None
        self.openbox = None
        self.wineserver = None
        self.prefix = None
        self.programs = []
        self.other = []
        self._runs = 0

    artifacts = ARTIFACTS

    # ----- life cycle -----
    def start(self):
        ensure_template()
        self.tmp = tempfile.mkdtemp(prefix="lumeq-e2e-")
        try:
            self._start_desk()
            self.prefix = os.path.join(self.tmp, "prefix")
            subprocess.run(["cp", "-a", TEMPLATE, self.prefix], check=True, timeout=60)
            self._start_wineserver()
        except BaseException:
            self.stop()
            raise
        return self

    def _start_wineserver(self):
        # In the foreground (-f) so that we own its PID; persistent (-p) so that each Wine
        # start is quick.
        self.wineserver = subprocess.Popen(["wineserver", "-f", "-p"], env=self.env(), stdout=subprocess.DEVNULL,
                                           stderr=subprocess.DEVNULL)

    def _restart_wine(self):
        """Ends every Wine process of the prefix and its server (which writes the registry
        out), then starts the server again: a new logon, as Windows needs one to take a new
        scaling."""
        self.end_programs()
        subprocess.run(["wineserver", "-k"], env=self.env(), timeout=20, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
        _end_process(self.wineserver)
        self._start_wineserver()

    def end_programs(self):
        """Ends every copy of the program the test started."""
        for program in self.programs:
            program.kill()
        self.programs.clear()

    def stop(self):
        self.end_programs()
        for proc in self.other:
            _end_process(proc, grace=1)
        if self.prefix and self.wineserver and self.wineserver.poll() is None:
            # Ends the Wine processes of this prefix only, then its server.
            subprocess.run(["wineserver", "-k"], env=self.env(), timeout=20, stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL)
        _end_process(self.wineserver)
        _end_process(self.openbox)
        _end_process(self.xorg)
        if self.tmp:
            shutil.rmtree(self.tmp, ignore_errors=True)
        self.tmp = self.prefix = None
        self.programs.clear()
        self.other.clear()

    def _start_desk(self):
        """The X server, the second monitor when asked, and openbox ready."""
        self._start_xorg()
        if self.two_monitors:
            self.second_output(True)
        self.openbox = subprocess.Popen(["openbox", "--sm-disable"], env=self.env(), stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)
        wait_for(lambda: self._window_manager_ready(), 10, what="openbox")

    def _start_xorg(self):
        read_fd, write_fd = os.pipe()
        log = os.path.join(self.tmp, "xorg.log")
        self.xorg = subprocess.Popen(
            ["Xorg", "-displayfd", str(write_fd), "-config", XORG_CONF, "-noreset", "-nolisten", "tcp",
             "-sharevts", "-novtswitch", "-logfile", log],
            pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_fd)
        deadline = time.monotonic() + 15
        data = b""
        os.set_blocking(read_fd, False)
        while time.monotonic() < deadline and not data.endswith(b"\n"):
            try:
                chunk = os.read(read_fd, 64)
                if not chunk:
                    break
                data += chunk
            except BlockingIOError:
                if self.xorg.poll() is not None:
                    break
                time.sleep(0.05)
        os.close(read_fd)
        if not data.strip():
            raise RuntimeError("Xorg did not start; see " + log)
        self.display = ":" + data.decode().strip()

    def second_output(self, on):
        """DUMMY1, a second monitor right of the first (1024 x 768), plugged in or out."""
        run = lambda *args: subprocess.run(["xrandr", *args], env=self.env(), capture_output=True, text=True,  # noqa
                                           timeout=10)
        if on:
            run("--addmode", "DUMMY1", "1024x768")
            run("--output", "DUMMY1", "--mode", "1024x768", "--right-of", "DUMMY0")
        else:
            run("--output", "DUMMY1", "--off")
        run()  # a probe, as a real plug-in makes: the output reads as connected

    def _window_manager_ready(self):
        out = subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=self.env(), capture_output=True,
                             text=True, timeout=10).stdout
        return "window id" in out

    def env(self):
        env = dict(os.environ)
        env.update(WINE_ENV)
        env["DISPLAY"] = self.display or ""
        if self.prefix:
            env["WINEPREFIX"] = self.prefix
        return env

    # ----- Wine and X -----
    def wine(self, *args, timeout=30, check=False):
        # Output goes through files, not pipes: the first Wine call of a prefix starts
        # Wine's own services, which inherit the output handles and outlive the call.
        with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
            proc = subprocess.Popen(["wine", *args], env=self.env(), stdin=subprocess.DEVNULL, stdout=out, stderr=err)
            try:
                proc.wait(timeout=timeout)
            except subprocess.TimeoutExpired:
                proc.kill()
                proc.wait(timeout=5)
                raise AssertionError(f"wine {args} did not finish in {timeout}s")
            out.seek(0)
            err.seek(0)
            result = subprocess.CompletedProcess(args, proc.returncode, out.read().decode("utf-8", "replace"),
                                                 err.read().decode("utf-8", "replace"))
        if check and result.returncode != 0:
            raise AssertionError(f"wine {args} failed: {result.returncode} {result.stdout} {result.stderr}")
        return result

    def probe(self, *args):
        """(exit code, output) of a request: asked of the newest running program that listens
        (a copy that stopped at the single-instance box never does), or of probe.exe when none
        listens. Any program's probe sees every window of the desktop."""
        for program in reversed(self.programs):
            if program.running() and program.client.port() is not None:
                rc, out = program.ask(*args)
                if rc is not None:
                    return rc, out
        return self.external_probe(*args)

    def external_probe(self, *args):
        """probe.exe, a process of its own in the prefix: for what must come from another
        program (a hot key held elsewhere)."""
        result = self.wine(os.path.join(WINDOWS_DIR, "probe.exe"), *map(str, args))
        return result.returncode, result.stdout.replace("\r\n", "\n")

    def managed_windows(self, pid=None):
        """The windows the window manager manages (`_NET_CLIENT_LIST`), or only a process's."""
        out = subprocess.run(["xprop", "-root", "_NET_CLIENT_LIST"], env=self.env(), capture_output=True,
                             text=True, timeout=10).stdout
        managed = {int(word.rstrip(","), 16) for word in out.split() if word.startswith("0x")}
        if pid is None:
            return managed
        own = self.xdotool("search", "--pid", pid).stdout.split()
        return managed & {int(xid) for xid in own}

    def xdotool(self, *args, timeout=20):
        return subprocess.run(["xdotool", *map(str, args)], env=self.env(), capture_output=True, text=True,
                              timeout=timeout)

    def key(self, combo):
        self.xdotool("key", "--clearmodifiers", combo)

    def start_windows_program(self, path, *args):
        proc = subprocess.Popen(["wine", path, *args], env=self.env(), stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL)
        self.other.append(proc)
        return proc

    def start_game(self, name="standin_game.exe", args=()):
        """Starts the stand-in game (under `name`, for watched-program tests), gives it the
        focus as a player would, and returns its X window."""
        exe = os.path.join(WINDOWS_DIR, "standin_game.exe")
        if name != "standin_game.exe":
            folder = os.path.join(self.prefix, "drive_c", "games")
            os.makedirs(folder, exist_ok=True)
            shutil.copy(exe, os.path.join(folder, name))
            exe = os.path.join(folder, name)
        # A Wine start now and then ends at once on a loaded machine: the stand-in is started
        # again then, as a player would.
        ended = []
        for _ in range(3):
            proc = self.start_windows_program(exe, *args)
            game = wait_for(lambda: self._game_window() or proc.poll() is not None, 20, what="the stand-in game")
            if game is not True:
                self.focus(game["xid"])
                return proc, game
            ended.append(proc.returncode)
        raise AssertionError(f"the stand-in game ended at once each time: exit codes {ended}")

    def _game_window(self):
        rc, out = self.probe("window", "StandInGame", "Juego de prueba")
        if rc != 0 or not out.strip():
            return None
        fields = out.split()
        return {"xid": int(fields[1]), "visible": fields[2] == "1"}

    def focus(self, xid):
        self.xdotool("windowactivate", "--sync", xid)
        wait_for(lambda: self.active_window() == xid, 10, what="the window active")

    def active_window(self):
        out = self.xdotool("getactivewindow").stdout.strip()
        return int(out) if out.isdigit() else None

    def pixels(self, left, top, width, height, keep_as=None):
        """What the screen shows in a rectangle: rows of colours (0xRRGGBB). Kept as a
        picture under the session's artifacts when `keep_as` names one."""
        ppm = subprocess.run(["import", "-window", "root", "-crop", f"{width}x{height}+{left}+{top}", "+repage",
                              "-depth", "8", "ppm:-"], env=self.env(), capture_output=True, timeout=30,
                             check=True).stdout
        if keep_as:
            path = os.path.join(self.artifacts, keep_as + ".png")
            os.makedirs(os.path.dirname(path), exist_ok=True)
            subprocess.run(["convert", "ppm:-", path], input=ppm, timeout=30, check=True)
        fields, at = [], 0
        while len(fields) < 4:  # "P6", width, height, maximum
            while ppm[at:at + 1].isspace():
                at += 1
            end = at
            while not ppm[end:end + 1].isspace():
                end += 1
            fields.append(ppm[at:end])
            at = end
        data = ppm[at + 1:]
        w, h = int(fields[1]), int(fields[2])
        return [[int.from_bytes(data[(y * w + x) * 3:(y * w + x) * 3 + 3], "big") for x in range(w)]
                for y in range(h)]

    def xramp(self):
        """The X server's ramp as three lists of 256 entries (sampled when larger)."""
        out = subprocess.run([XRAMP, "get"], env=self.env(), capture_output=True, text=True, timeout=10,
                             check=True).stdout.split("\n")
        size = int(out[0])
        channels = [list(map(int, line.split())) for line in out[1:4]]
        return [[ch[round(i * (size - 1) / 255)] for i in range(256)] for ch in channels]

    def set_xramp_power(self, power):
        subprocess.run([XRAMP, "set-power", str(power)], env=self.env(), timeout=10, check=True)

    def set_xramp(self, table):
        """One table of 256 entries for all three channels."""
        values = " ".join(str(v) for v in table * 3)
        subprocess.run([XRAMP, "set"], input=values, text=True, env=self.env(), timeout=10, check=True)

    def reset_display(self):
        self.set_xramp_power(1.0)

    # ----- registry -----
    def set_stored_level(self, value):
        self.wine("reg", "add", REG_KEY, "/v", "Settings", "/t", "REG_SZ", "/d", value, "/f", check=True)

    def delete_stored_level(self):
        self.wine("reg", "delete", REG_KEY, "/v", "Settings", "/f")

    def delete_recovery_record(self):
        """The ramps a killed program of an earlier test left to be given back."""
        self.wine("reg", "delete", REG_KEY, "/v", "CapturedRamps", "/f")

    def recovery_record(self):
        """The ramps kept to be given back, as {display name: red table}; None without a record."""
        out = self.wine("reg", "query", REG_KEY, "/v", "CapturedRamps").stdout
        for line in out.splitlines():
            parts = line.split(None, 2)
            if parts and parts[0] == "CapturedRamps":
                return parse_record(bytes.fromhex(parts[2].strip()) if len(parts) > 2 else b"")
        return None

    def set_recovery_record(self, data):
        self.wine("reg", "add", REG_KEY, "/v", "CapturedRamps", "/t", "REG_BINARY", "/d", data.hex(), "/f",
                  check=True)

    def stored_level(self):
        out = self.wine("reg", "query", REG_KEY, "/v", "Settings").stdout
        for line in out.splitlines():
            parts = line.split(None, 2)
            if parts and parts[0] == "Settings":
                return parts[2].strip() if len(parts) > 2 else ""
        return None

    # ----- the program -----
    def set_dpi(self, dpi):
        """Wine's DPI for the programs started from now on, proved by what they are told."""
        self.wine("reg", "add", r"HKCU\Control Panel\Desktop", "/v", "LogPixels", "/t", "REG_DWORD", "/d",
                  str(dpi), "/f", check=True)
        # Wine 10 gives the monitors their DPI when its desktop starts and keeps it, as Windows
        # does until the next logon: without a new one, windows would keep the old scaling
        # under a menu bar of the new.
        self._restart_wine()
        told = self.external_probe("dpi")[1].strip()  # a program started now
        if told != str(dpi):
            raise AssertionError(f"Wine reports {told} dpi, not {dpi}")

    def set_screen(self, mode):
        """Switches the X screen to a mode of xorg-dummy.conf, such as "1024x768"."""
        subprocess.run(["xrandr", "-s", mode], env=self.env(), check=True, timeout=20, capture_output=True)

    def new_program(self, ini=True, first_run=False):
        """A fresh copy of the program in its own folder, with the settings file it ships
        with (ini=True), the given lines (a list, written with CR LF) or bytes, or none;
        and, unless first_run, the Screenshots folder a program that ran before has."""
        self._runs += 1
        folder = os.path.join(self.prefix, "drive_c", f"run{self._runs}")
        os.makedirs(folder)
        # The test build: the program with its probe inside (and test-only triggers).
        shutil.copy(os.path.join(WINDOWS_DIR, "lumeq_test.exe"), os.path.join(folder, "lumeq.exe"))
        if not first_run:
            os.makedirs(os.path.join(folder, "Screenshots"))
        ini_path = os.path.join(folder, "lumeq.ini")
        if ini is True:
            shutil.copy(os.path.join(WINDOWS_DIR, "lumeq.ini"), folder)
        elif isinstance(ini, list):
            with open(ini_path, "wb") as f:
                f.write("".join(line + "\r\n" for line in ini).encode("cp1252"))
        elif isinstance(ini, bytes):
            with open(ini_path, "wb") as f:
                f.write(ini)
        program = Program(self, os.path.join(folder, "lumeq.exe"))
        self.programs.append(program)
        return program


class ProbedProgram:
    """A test build of either edition, its process and the probe inside it."""

    def __init__(self, session, probe_file):
        self.session = session
        self.proc = None
        self.probe_file = probe_file
        self.client = ProbeClient(probe_file, self.running)

    def _popen(self, command, env, stderr=subprocess.DEVNULL):
        """Starts the program; its probe's port is the new copy's, never one that ended."""
        if os.path.exists(self.probe_file):
            os.remove(self.probe_file)
        self.proc = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL, stderr=stderr)

    def running(self):
        return self.proc is not None and self.proc.poll() is None

    def wait_exit(self, timeout=10):
        try:
            return self.proc.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise AssertionError("the program did not end")

    def kill(self):
        if self.running():
            managed = self.session.managed_windows(self.proc.pid)
            self.proc.kill()
            self.proc.wait(timeout=10)
            # The next X client may be handed the same window ids: until openbox has let go of
            # these, it takes the newcomer's window for the dead one's and never maps it.
            wait_for(lambda: not managed & self.session.managed_windows(), 10,
                     what="the window manager to let go of the ended program's windows")

    def ask(self, *words, timeout=10):
        """(exit code, output) of a request to this program's own probe."""
        return self.client.ask(*words, timeout=timeout)

    def ticks(self):
        rc, out = self.ask("ticks")
        if rc != 0:
            raise AssertionError("cannot read the watcher's ticks")
        return int(out)

    def wait_ticks(self, count=2):
        """Returns once the watcher has run `count` whole ticks from now: whatever it would
        switch on what the test set up, it has switched."""
        goal = self.ticks() + count
        wait_for(lambda: self.ticks() >= goal, count * 1.0 + 10, interval=0.05, what=f"{count} watcher ticks")


class Program(ProbedProgram):
    """One copy of lumeq.exe in its own folder, and the process running it."""

    def __init__(self, session, exe):
        # The probe's port beside the session, not the program: its folder may be read-only.
        super().__init__(session, os.path.join(session.tmp, os.path.basename(os.path.dirname(exe)) + "-probe.port"))
        self.exe = exe
        self.folder = os.path.dirname(exe)

    def start(self, wait_shown=True):
        self._popen(["wine", self.exe],
                    dict(self.session.env(), LUMEQ_TEST_PROBE="Z:" + self.probe_file.replace("/", "\\")))
        if wait_shown:
            wait_for(lambda: (self.main_window() or {}).get("visible") or not self.running(), 20,
                     what="the main window")
            if not self.running():
                raise AssertionError(f"the program ended ({self.proc.returncode}) before its window showed")
        return self

    def main_window(self):
        return self.window("FormMain", "lumeq gamma")

    def window(self, cls, title):
        rc, out = self.session.probe("window", cls, title)
        if rc != 0 or not out.strip():
            return None
        f = out.split()
        return {"hwnd": int(f[0]), "xid": int(f[1]), "visible": f[2] == "1", "left": int(f[3]), "top": int(f[4]),
                "width": int(f[5]), "height": int(f[6]), "style": int(f[7], 16), "exstyle": int(f[8], 16),
                "client_left": int(f[9]), "client_top": int(f[10]), "client_width": int(f[11]),
                "client_height": int(f[12])}

    def _read(self, *args):
        return self.session.probe(*args)

    def text(self, name):
        rc, out = self._read("text", IDS[name])
        if rc != 0:
            raise AssertionError(f"cannot read {name}")
        return out.rstrip("\n")

    def command(self, name):
        rc, _ = self.session.probe("command", IDS[name])
        if rc != 0:
            raise AssertionError(f"cannot send {name}")

    def indicator(self):
        """The strip: its window (or None) and the text of its label."""
        window = self.window("FormIndicador", "Gamma")
        rc, out = self.session.probe("child", "FormIndicador", "Gamma", IDS["Label1"])
        return window, out.rstrip("\n") if rc == 0 else None

    def ini(self):
        """The settings file's bytes, or None."""
        try:
            with open(os.path.join(self.folder, "lumeq.ini"), "rb") as f:
                return f.read()
        except FileNotFoundError:
            return None

    def state(self, name):
        rc, out = self._read("state", IDS[name])
        if rc != 0:
            raise AssertionError(f"cannot read the state of {name} (exit code {rc})")
        visible, enabled, checked = map(int, out.split())
        return {"visible": bool(visible), "enabled": bool(enabled), "checked": checked == 1}

    def rect(self, name):
        """Where a control lies on the screen: left, top, width, height."""
        rc, out = self._read("rect", IDS[name])
        if rc != 0:
            raise AssertionError(f"cannot find {name}")
        return tuple(map(int, out.split()))

    def pixels(self, name):
        """What a person sees where a control lies, row by row (0xRRGGBB)."""
        return self.session.pixels(*self.rect(name))

    def caption_fits(self, name):
        """(fits, needed, available): whether a control's caption, measured with the
        control's own font, fits the room the control gives it."""
        rc, out = self.session.probe("fits", IDS[name])
        if rc != 0:
            raise AssertionError(f"cannot find {name}")
        need_w, need_h, have_w, have_h = map(int, out.split())
        return need_w <= have_w and need_h <= have_h, (need_w, need_h), (have_w, have_h)

    def click(self, name):
        self.session.probe("click", IDS[name])

    def type(self, name, text):
        return self.session.probe("type", IDS[name], text)[0] == 0

    def slider(self):
        rc, out = self.session.probe("slider")
        pos, lo, hi, enabled = map(int, out.split())
        return {"position": pos, "min": lo, "max": hi, "enabled": bool(enabled)}

    def wait_text(self, name, expected, timeout=10):
        wait_for(lambda: self.text(name) == expected, timeout, what=f"{name} == {expected!r}")


class RampAssertions:
    def assertRampNear(self, actual, expected, msg=""):
        for channel in range(3):
            worst = max(abs(a - e) for a, e in zip(actual[channel], expected))
            self.assertLessEqual(worst, RAMP_TOLERANCE, f"channel {channel} differs by {worst} {msg}")

    def assertRampSane(self, ramp):
        for channel in ramp:
            self.assertGreater(channel[-1], channel[0], "flat or all-zero ramp on the display")
            self.assertTrue(all(b >= a for a, b in zip(channel, channel[1:])), "wrapped ramp on the display")


class E2ECase(unittest.TestCase, RampAssertions):
    """A test with the module's session; the display and stored level start clean."""

    session = None

    def setUp(self):
        self.session.reset_display()
        self.session.delete_stored_level()
        self.session.delete_recovery_record()

    def tearDown(self):
        self.session.end_programs()

    @contextlib.contextmanager
    def subcase(self, msg=None, **params):
        """A subtest whose copies of the program end with it, passed or failed, so that
        one failure does not meet the next case at the single-instance box."""
        with self.subTest(msg, **params):
            try:
                yield
            finally:
                self.session.end_programs()


MODULE_DEADLINE_S = 330  # below the test runner's own limit, so that we clean up first


def _interrupt(signum, _frame):
    raise KeyboardInterrupt(f"signal {signum}: the test module ran out of time or was stopped")


def module_session(two_monitors=False):
    """The module's session. A module that overruns, or is told to stop, raises in the
    running test so that tearDownModule still ends everything the session started."""
    signal.signal(signal.SIGTERM, _interrupt)
    signal.signal(signal.SIGALRM, _interrupt)
    signal.alarm(MODULE_DEADLINE_S)
    session = Session(two_monitors).start()
    atexit.register(session.stop)
    return session


def ensure_template():
    """Makes the Wine prefix that every session copies, once (about 8 s)."""
    os.makedirs(WORK_DIR, exist_ok=True)
    with open(os.path.join(WORK_DIR, "template.lock"), "w") as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        ready = os.path.join(TEMPLATE, "lumeq-ready")
        if os.path.exists(ready):
            return
        shutil.rmtree(TEMPLATE, ignore_errors=True)
        env = dict(os.environ)
        env.update(WINE_ENV)
        env["WINEPREFIX"] = TEMPLATE
        env.pop("DISPLAY", None)
        subprocess.run(["wineboot", "-i"], env=env, timeout=300, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        # A crash ends the process as on a Windows without a debugger, instead of waiting on
        # Wine's crash dialog. Set here, once, and not at each session's start: the sessions'
        # copies are used at once, with no Wine call of their own before the tests'.
        reg = subprocess.run(["wine", "reg", "add", r"HKCU\Software\Wine\WineDbg", "/v", "ShowCrashDialog", "/t",
                              "REG_DWORD", "/d", "0", "/f"], env=env, timeout=120, capture_output=True, text=True)
        subprocess.run(["wineserver", "-w"], env=env, timeout=120)
        if not os.path.exists(os.path.join(TEMPLATE, "system.reg")):
            raise RuntimeError("wineboot did not make a prefix")
        with open(os.path.join(TEMPLATE, "user.reg"), encoding="utf-8", errors="replace") as f:
            user = f.read()
        if reg.returncode != 0 or "ShowCrashDialog" not in user:
            raise RuntimeError(f"the crash dialog stays on: {reg.returncode} {reg.stdout} {reg.stderr}")
        open(ready, "w").close()


if __name__ == "__main__":
    ensure_template()
