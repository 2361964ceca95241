"""The Linux edition in a Wayland session, on a compositor that offers wlr-gamma-control:
the test compositor (wayland/gamma_compositor.c: outputs with tables of their own sizes, one
holder an output, the output's own table back when the holder goes) beside the private Xorg,
which stands in for Xwayland and whose own ramp must never be touched."""

import glob
import json
import os
import re
import shutil
import signal
import subprocess
import tempfile
import threading
import unittest

import native
from native import wait_for

COMPOSITOR = os.environ.get("LUMEQ_GAMMA_COMPOSITOR",
                            os.path.join(os.path.dirname(native.PROGRAM), "tests", "gamma_compositor"))


# python3-dbusmock and python3-dbus come from Debian, for Debian's own Python.
SYSTEM_PYTHON = os.environ.get("LUMEQ_SYSTEM_PYTHON", "/usr/bin/python3")
MOCKS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "mocks")


def level_table(level, size):
    """Level `level`'s ramp at `size` entries, by straight lines, as the program sets it."""
    exponent = (50 - level) / 10.01
    ramp = [min(65535, round(((i + 1) / 256.01) ** exponent * 65535)) for i in range(256)]
    return native.resampled(ramp, size)


def straight(size):
    return [round(i * 65535 / (size - 1)) for i in range(size)]


class Compositor:
    """The test compositor on a socket of its own; what each output shows is read from its
    files, and lines to it add, remove, hold and free outputs."""

    def __init__(self, folder, outputs):
        self.folder = folder
        self.socket = os.path.join(folder, "wayland-test")
        self.lines = []
        env = dict(os.environ, XDG_RUNTIME_DIR=folder)
        self.proc = subprocess.Popen([COMPOSITOR, "wayland-test", folder] + [f"{n}:{s}" for n, s in outputs],
                                     env=env, stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
        threading.Thread(target=self._read, daemon=True).start()
        wait_for(lambda: "ready" in self.lines, 5, what="the compositor")

    def _read(self):
        for line in self.proc.stdout:
            self.lines.append(line.strip())

    def say(self, line, answer):
        self.proc.stdin.write(line + "\n")
        self.proc.stdin.flush()
        wait_for(lambda: answer in self.lines, 5, what=answer)

    def shown(self, output):
        """The red, green and blue tables the output shows."""
        with open(os.path.join(self.folder, output)) as f:
            return [list(map(int, line.split())) for line in f]

    def shows_level(self, output, level):
        size = len(self.shown(output)[0])
        return all(native.close_to(channel, level_table(level, size)) for channel in self.shown(output))

    def shows_its_own(self, output):
        return all(channel == straight(len(channel)) for channel in self.shown(output))

    def stop(self):
        self.proc.stdin.close()  # the end of its input ends it
        native._end_process(self.proc)
        self.proc.stdout.close()


class PrivateBus:
    """A session bus of the test's own, with python-dbusmock templates (mocks/) on it."""

    def __init__(self, folder):
        self.proc = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1",
                                      f"--address=unix:path={folder}/bus"], stdout=subprocess.PIPE, text=True)
        self.address = self.proc.stdout.readline().strip()
        self.proc.stdout.close()
        self.mocks = []

    def env(self):
        return dict(os.environ, DBUS_SESSION_BUS_ADDRESS=self.address)

    def mock(self, template, name, **parameters):
        self.mocks.append(subprocess.Popen([SYSTEM_PYTHON, "-m", "dbusmock", "--template",
                                            os.path.join(MOCKS, template), "-p", json.dumps(parameters)],
                                           env=self.env(), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        wait_for(lambda: "true" in self.send("org.freedesktop.DBus", "/org/freedesktop/DBus",
                                             "org.freedesktop.DBus.NameHasOwner", f"string:{name}"), 10,
                 what=f"{name} on the bus")

    def send(self, destination, path, method, *arguments):
        return subprocess.run(["dbus-send", "--session", "--print-reply", f"--dest={destination}", path, method,
                               *arguments], env=self.env(), capture_output=True, text=True, timeout=10).stdout

    def stop(self):
        for proc in self.mocks + [self.proc]:
            native._end_process(proc)


class OnAWlrootsCompositor(native.DeskCase):
    def setUp(self):
        super().setUp()
        # Short: a socket's path holds 107 bytes at most.
        folder = tempfile.mkdtemp(prefix="wl-", dir=self.session.tmp)
        self.compositor = Compositor(folder, [("A", 256), ("B", 1024)])

    def tearDown(self):
        super().tearDown()
        self.compositor.stop()

    def start(self, level=40, **env):
        program = self.session.new_program(level=level)
        return program.start(env=dict(program.env(), WAYLAND_DISPLAY=self.compositor.socket, **env))

    def untouched_x(self):
        return self.session.ramp() == self.session.initial_ramp

    def test_the_boost_reaches_every_output_at_its_own_size_and_never_the_x_server(self):
        program = self.start()
        self.session.xdotool("key", "ctrl+F1")
        wait_for(lambda: program.field("estadoTxt") == "True", 5, what="the boost on")
        for _ in range(4):
            self.session.xdotool("key", "ctrl+F4")
        wait_for(lambda: self.compositor.shows_level("A", 44) and self.compositor.shows_level("B", 44), 5,
                 what="level 44 on both outputs")
        self.assertEqual([len(channel) for channel in self.compositor.shown("B")], [1024] * 3)
        self.assertTrue(self.untouched_x(), "the X server's own ramp is nobody's screen here")
        self.session.xdotool("key", "ctrl+F1")
        wait_for(lambda: self.compositor.shows_its_own("A") and self.compositor.shows_its_own("B"), 1,
                 interval=0.05, what="both outputs let go within a second")
        self.assertTrue(self.untouched_x())

    def control(self, program, word):
        """`lumeq-gamma --WORD`, as a compositor's key binding runs it: its exit code."""
        return subprocess.run([native.PROGRAM, f"--{word}"], env=program.env(), timeout=20,
                              capture_output=True).returncode

    def test_the_control_commands_reach_the_running_copy(self):
        program = self.session.new_program(level=42)
        self.assertEqual(self.control(program, "toggle"), 1, "no copy runs yet")
        program.start(env=dict(program.env(), WAYLAND_DISPLAY=self.compositor.socket))
        self.assertEqual(self.control(program, "toggle"), 0)
        wait_for(lambda: self.compositor.shows_level("A", 42), 5, what="the boost on")
        self.assertEqual(self.control(program, "up"), 0)
        self.assertEqual(self.control(program, "up"), 0)
        self.assertEqual(self.control(program, "down"), 0)
        wait_for(lambda: self.compositor.shows_level("B", 43), 5, what="level 43")
        self.assertEqual(self.control(program, "toggle"), 0)
        wait_for(lambda: self.compositor.shows_its_own("A") and self.compositor.shows_its_own("B"), 5,
                 what="the boost off")

    def test_a_desktop_without_a_gamma_protocol_is_told_and_x_is_never_written(self):
        # KDE Plasma's KWin offers no gamma protocol (no compositor here: the same to the program).
        program = self.session.new_program(level=44)
        program.start(env=dict(program.env(), WAYLAND_DISPLAY=os.path.join(self.compositor.folder, "none"),
                               XDG_CURRENT_DESKTOP="KDE"))
        told = "lumeq-gamma: KDE Plasma en Wayland no deja a ningún programa subir la gamma"
        wait_for(lambda: told in program.stderr(), 10, what="the message")
        self.session.xdotool("key", "ctrl+F1")
        wait_for(lambda: program.field("estadoTxt") == "True", 5, what="the boost on")
        self.session.xdotool("key", "ctrl+F4")
        wait_for(lambda: program.strip()["text"].startswith("lumeq Gamma      La pantalla no acepta"), 5,
                 what="the step told as refused")
        self.assertTrue(program.running())
        self.assertTrue(self.untouched_x(), "Xwayland's ramp is nobody's screen: never written")
        self.assertEqual(program.stderr().count(told), 1, "told once")

    def test_an_output_another_client_holds_is_told_and_boosted_once_free(self):
        self.compositor.say("hold B", "holding B")
        program = self.start(level=44)
        self.session.xdotool("key", "ctrl+F1")
        wait_for(lambda: self.compositor.shows_level("A", 44), 5, what="A boosted")
        self.assertTrue(self.compositor.shows_its_own("B"))
        wait_for(lambda: program.strip()["text"] == "lumeq Gamma      B no deja cambiar su gamma (otro programa la tiene)",
                 5, what="the player told")
        self.compositor.say("free B", "freed B")
        for _ in range(2):
            self.session.xdotool("key", "ctrl+F1")
        wait_for(lambda: self.compositor.shows_level("A", 44) and self.compositor.shows_level("B", 44), 5,
                 what="both boosted")
        # An output that comes while boosted is boosted too.
        self.compositor.say("add C 512", "added C")
        wait_for(lambda: self.compositor.shows_level("C", 44), 3, what="C boosted within 3 s")
        # Killed: the compositor gives every output its own table back, and nothing is left to mend.
        program.proc.send_signal(signal.SIGKILL)
        program.proc.wait(timeout=5)
        wait_for(lambda: all(self.compositor.shows_its_own(o) for o in "ABC"), 5, what="every output's own table")
        kept = os.listdir(program.state_dir) if os.path.isdir(program.state_dir) else []
        self.assertEqual([name for name in kept if not name.endswith(".lock")], [], "no record of ramps to give back")
        self.assertTrue(self.untouched_x())

    def test_the_desktops_portal_gives_the_keys_and_takes_the_screenshots(self):
        bus = PrivateBus(self.compositor.folder)
        self.addCleanup(bus.stop)
        log = os.path.join(self.compositor.folder, "portal.log")
        shots = tempfile.mkdtemp(dir=self.compositor.folder)
        bus.mock("portal_global_shortcuts.py", "org.freedesktop.portal.Desktop", log=log, pictures=shots)
        program = self.start(level=43, DBUS_SESSION_BUS_ADDRESS=bus.address)
        def said():
            if not os.path.exists(log):
                return []
            with open(log) as f:
                return f.read().splitlines()
        wait_for(lambda: any(line.startswith("BindShortcuts") for line in said()), 10, what="the shortcuts bound")
        self.assertEqual(said()[0], "Register lumeq-gamma", "the program says who it is first (its .desktop file)")
        self.assertEqual(said()[-1], "BindShortcuts toggle=CTRL+F1 screenshot=CTRL+F2 down=CTRL+F3 up=CTRL+F4")
        press = lambda shortcut: bus.send("org.freedesktop.portal.Desktop", "/org/freedesktop/portal/desktop",
                                          "com.lumeq.Test.Press", f"string:{shortcut}")
        press("toggle")
        wait_for(lambda: self.compositor.shows_level("A", 43) and self.compositor.shows_level("B", 43), 5,
                 what="the boost on at level 43")
        press("up")
        wait_for(lambda: self.compositor.shows_level("B", 44), 5, what="a step up")
        # The screen through the portal (an X11 capture would see Xwayland's windows only).
        press("screenshot")
        picture = os.path.join(program.pictures, "screen_0.jpg")
        wait_for(lambda: os.path.exists(picture) and native.jpeg_size(picture), 5, what="screen_0.jpg")
        self.assertEqual(native.jpeg_size(picture), (80, 60), "the portal's picture")
        self.assertIn("Screenshot interactive=False", said())
        self.assertEqual(os.listdir(shots), [], "the portal's own file is not left behind")
        press("toggle")
        wait_for(lambda: self.compositor.shows_its_own("A") and self.compositor.shows_its_own("B"), 5,
                 what="the boost off")
        self.assertNotIn("atajos globales", program.stderr(), "nothing to tell where the portal gave the keys")
        self.assertTrue(self.untouched_x())

    def test_a_compositor_that_lets_no_output_change_is_told_once(self):
        for output in "AB":
            self.compositor.say(f"hold {output}", f"holding {output}")
        program = self.start(level=44)
        told = "lumeq-gamma: El compositor no deja cambiar la gamma de ninguna pantalla"
        wait_for(lambda: told in program.stderr(), 10, what="the message")
        # No portal here (no session bus): the commands are named instead.
        self.assertIn("«lumeq-gamma --toggle»", program.stderr())
        self.assertEqual(program.stderr().count(told), 1)
        self.assertTrue(program.running())


class OnGnome(native.DeskCase):
    """GNOME on Wayland: mutter's display interface, mocked on a private session bus. mutter
    keeps a table after its client is gone, so these ramps are recorded as X11's are."""

    def setUp(self):
        super().setUp()
        folder = tempfile.mkdtemp(prefix="gn-", dir=self.session.tmp)
        self.bus = PrivateBus(folder)
        self.addCleanup(self.bus.stop)
        self.bus.mock("mutter_display_config.py", "org.gnome.Mutter.DisplayConfig", folder=folder)
        self.monitors = Compositor.__new__(Compositor)  # only its reading of the monitors' files
        self.monitors.folder = folder
        self.own = {name: self.monitors.shown(name) for name in ("DP-1", "HDMI-1")}

    def start(self, program):
        return program.start(env=dict(program.env(), XDG_SESSION_TYPE="wayland", XDG_CURRENT_DESKTOP="GNOME",
                                      DBUS_SESSION_BUS_ADDRESS=self.bus.address))

    def test_mutter_takes_the_level_and_the_record_mends_a_killed_run(self):
        program = self.start(self.session.new_program(level=40))
        self.session.xdotool("key", "ctrl+F1")
        for _ in range(4):
            self.session.xdotool("key", "ctrl+F4")
        wait_for(lambda: self.monitors.shows_level("DP-1", 44) and self.monitors.shows_level("HDMI-1", 44), 5,
                 what="level 44 on both monitors")
        self.assertEqual([len(channel) for channel in self.monitors.shown("HDMI-1")], [1024] * 3)
        self.assertTrue(self.session.ramp() == self.session.initial_ramp, "never X11 gamma in a Wayland session")
        # The monitors change: mutter sets its own tables, and ours go back on.
        self.bus.send("org.gnome.Mutter.DisplayConfig", "/org/gnome/Mutter/DisplayConfig", "com.lumeq.Test.Reconfigure")
        wait_for(lambda: self.monitors.shows_level("DP-1", 44) and self.monitors.shows_level("HDMI-1", 44), 5,
                 what="level 44 back after the monitors changed")
        # mutter keeps what we set when we are killed: the next start puts the player's own back.
        program.proc.send_signal(signal.SIGKILL)
        program.proc.wait(timeout=5)
        self.assertTrue(self.monitors.shows_level("DP-1", 44), "mutter keeps our table")
        again = self.start(program)
        wait_for(lambda: all(self.monitors.shown(name) == self.own[name] for name in self.own), 10,
                 what="each monitor's own table back, exactly")
        self.assertTrue(again.running())


class OnHeadlessSway(native.DeskCase):
    """A real wlroots compositor: sway, headless, with Xwayland, whose one output has no gamma
    (sway refuses to run as root, so it and its X clients run as nobody; root may still use
    its sockets). A full-screen X client stands in for a Proton game."""

    NOBODY = ["setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups"]

    def setUp(self):
        super().setUp()
        self.runtime = tempfile.mkdtemp(prefix="lumeq-sway-")  # outside the desk's folder, which is root's
        self.addCleanup(shutil.rmtree, self.runtime, True)
        told = os.path.join(self.runtime, "env")
        with open(os.path.join(self.runtime, "config"), "w") as f:
            f.write("output HEADLESS-1 mode 1280x720\n"
                    'for_window [title="Juego de prueba"] fullscreen enable\n'
                    f"exec env > {told}.new && mv {told}.new {told}\n")
        shutil.chown(self.runtime, "nobody")
        os.chmod(self.runtime, 0o700)
        sway = shutil.which("sway", path="/usr/bin:/usr/local/bin")
        self.assertIsNotNone(sway, "sway is missing: scripts/install-deps.sh test installs it")
        self.sway = subprocess.Popen(self.NOBODY + [sway, "-c", os.path.join(self.runtime, "config")],
                                     env=self.nobody_env(WLR_BACKENDS="headless", WLR_LIBINPUT_NO_DEVICES="1",
                                                         WLR_RENDERER="pixman"),
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.session.other.append(self.sway)
        wait_for(lambda: os.path.exists(told), 15, what="sway and its Xwayland")
        with open(told) as f:
            values = dict(line.rstrip("\n").split("=", 1) for line in f if "=" in line)
        self.socket = os.path.join(self.runtime, values["WAYLAND_DISPLAY"])
        self.xwayland = values["DISPLAY"]
        # Xwayland lets in its own user only: root (the program, the ramp's reader) too.
        subprocess.run(self.NOBODY + ["xhost", "+si:localuser:root"], env=self.nobody_env(DISPLAY=self.xwayland),
                       check=True, timeout=20, stdout=subprocess.DEVNULL)

    def nobody_env(self, **more):
        return dict({"HOME": self.runtime, "XDG_RUNTIME_DIR": self.runtime, "PATH": "/usr/bin:/bin"}, **more)

    def picture(self):
        """The output as sway shows it (grim): how many pixels of each colour."""
        path = os.path.join(self.runtime, "shown.png")
        subprocess.run(self.NOBODY + ["grim", path], env=self.nobody_env(WAYLAND_DISPLAY=self.socket),
                       check=True, timeout=20)
        histogram = subprocess.run(["convert", path, "-format", "%c", "histogram:info:-"], capture_output=True,
                                   text=True, check=True, timeout=20).stdout
        return {colour.upper(): int(count) for count, colour in re.findall(r"^\s*(\d+):.*?(#[0-9A-Fa-f]{6})",
                                                                            histogram, re.M)}

    def test_no_gamma_is_told_and_the_strip_shows_over_a_full_screen_game(self):
        game = subprocess.Popen(self.NOBODY + ["xmessage", "-title", "Juego de prueba", "juego en marcha"],
                                env=self.nobody_env(DISPLAY=self.xwayland), stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL)
        self.session.other.append(game)
        wait_for(lambda: self.picture().get("#FFFFFF", 0) > 0.9 * 1280 * 720, 10, what="the game over the whole output")
        xwayland_ramp = native.read_crtc_ramp(self.xwayland)
        program = self.session.new_program(level=44)
        program.start(env=dict(program.env(), DISPLAY=self.xwayland, WAYLAND_DISPLAY=self.socket,
                               XDG_SESSION_TYPE="wayland", XDG_CURRENT_DESKTOP="sway"))
        told = "lumeq-gamma: El compositor no deja cambiar la gamma de ninguna pantalla"
        wait_for(lambda: told in program.stderr(), 10, what="the message")
        # sway binds the keys itself: the control commands stand for them.
        for word in ("toggle", "up"):
            self.assertEqual(subprocess.run([native.PROGRAM, f"--{word}"], env=program.env(), timeout=20).returncode, 0)
        wait_for(lambda: program.strip()["text"].startswith("lumeq Gamma      La pantalla no acepta"), 5,
                 what="the step told as refused")
        # The strip, an override-redirect Xwayland window, is drawn over the full-screen game.
        wait_for(lambda: self.picture().get("#4C5844", 0) > 2000, 5, what="the strip on the screen")
        self.assertTrue(program.running())
        self.assertEqual(self.sway.poll(), None, "sway still runs")
        self.assertEqual(native.read_crtc_ramp(self.xwayland), xwayland_ramp, "no X11 write")
        self.assertEqual(program.stderr().count(told), 1)


if __name__ == "__main__":
    unittest.main()
