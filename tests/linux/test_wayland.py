"""The Linux edition in a Wayland session, on a compositor that offers wlr-gamma-control:
the test compositor (wayland/gamma_compositor.c: outputs with tables of their own sizes, one
holder an output, the output's own table back when the holder goes) beside the private Xorg,
which stands in for Xwayland and whose own ramp must never be touched."""

import os
import signal
import subprocess
import tempfile
import threading
import unittest

import native
from native import wait_for

COMPOSITOR = os.environ.get("LUMEQ_GAMMA_COMPOSITOR",
                            os.path.join(os.path.dirname(native.PROGRAM), "tests", "gamma_compositor"))


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


class OnAWlrootsCompositor(native.DeskCase):
    def setUp(self):
        super().setUp()
        # Short: a socket's path holds 107 bytes at most.
        folder = tempfile.mkdtemp(prefix="wl-", dir=self.session.tmp)
        self.compositor = Compositor(folder, [("A", 256), ("B", 1024)])

    def tearDown(self):
        super().tearDown()
        self.compositor.stop()

    def start(self, level=40):
        program = self.session.new_program(level=level)
        return program.start(env=dict(program.env(), WAYLAND_DISPLAY=self.compositor.socket))

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


if __name__ == "__main__":
    unittest.main()
