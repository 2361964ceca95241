"""The Linux edition on a player's desk: two monitors, a tray and Night Color on the session bus, a game
that grabs the keyboard; and X servers without RandR."""

import os
import shutil
import signal
import subprocess
import sys
import time
import unittest

import native
from native import (HEADER, close_to, darkest, difference_from_the_screen, jpeg_size, level_ramp, level_table,
                    resampled, wait_for)


class OnAPlayersDesk(unittest.TestCase):
    """Two monitors (DUMMY1 right of DUMMY0), a tray and Night Color on the session bus, and
    the other programs a player's desk has."""

    @classmethod
    def setUpClass(cls):
        cls.session = native.Session(two_monitors=True).start()

    @classmethod
    def tearDownClass(cls):
        cls.session.stop()

    def setUp(self):
        self.session.put_initial_ramp()
        self.extra = []

    def tearDown(self):
        self.session.end_programs()
        for proc in self.extra:
            native._end_process(proc, grace=1)

    def boosted(self, level):
        return close_to(self.session.ramp()[0], level_table(level, 256))

    def untouched(self):
        return self.session.ramp() == self.session.initial_ramp

    def test_keys_work_mid_fight_and_inside_a_game_that_grabs_the_keyboard(self):
        program = self.session.new_program(level=40).start()
        level = 40
        for button in (1, 3):  # firing, aiming
            self.session.xdotool("mousedown", button)
            self.session.xdotool("key", "ctrl+F1")
            wait_for(lambda: self.boosted(level), 5, what=f"Ctrl+F1 with button {button} held")
            self.session.xdotool("key", "ctrl+F4")
            level += 1
            wait_for(lambda: self.boosted(level), 5, what=f"Ctrl+F4 with button {button} held")
            self.session.xdotool("key", "ctrl+F1")
            wait_for(lambda: program.field("estadoTxt") == "False", 5, what="the boost off")
            self.session.xdotool("mouseup", button)
        self.extra.append(self.session.hold("keyboard"))
        self.session.xdotool("key", "ctrl+F1")
        wait_for(lambda: self.boosted(42), 5, what="Ctrl+F1 while a game holds the keyboard")
        self.session.xdotool("key", "ctrl+F4")
        wait_for(lambda: self.boosted(43), 5, what="Ctrl+F4 while a game holds the keyboard")
        time.sleep(0.3)
        self.assertEqual(program.field("estado_txt"), "3.00", "one press, one step")

    def test_keys_the_desktop_holds_are_named_and_the_others_work(self):
        self.extra.append(self.session.hold("key", 3))
        program = self.session.new_program(level=40).start()
        self.assertEqual(program.probe("hotkeys"), "1 1 0 1")
        wait_for(lambda: "La combinación Ctrl+F3 ya la usa otro programa o el escritorio" in program.stderr(), 5,
                 what="the player told")
        self.session.xdotool("key", "ctrl+F1")
        wait_for(lambda: self.boosted(40), 5, what="Ctrl+F1")
        self.session.xdotool("key", "ctrl+F4")
        wait_for(lambda: self.boosted(41), 5, what="Ctrl+F4")

    def test_the_screenshot_and_the_strip_cover_both_monitors(self):
        program = self.session.new_program(level=40).start()
        self.session.start_game(at=(1400, 100))  # on DUMMY1
        self.session.xdotool("key", "ctrl+F1")
        wait_for(lambda: self.boosted(40), 5, what="the boost on")
        self.session.xdotool("key", "ctrl+F4")
        strip = wait_for(lambda: program.strip() if program.strip()["visible"] else None, 5, what="the strip")
        self.assertEqual((strip["left"], strip["top"]), (1280 + 100, 3), "on the game's monitor")
        self.session.xdotool("key", "ctrl+F2")
        picture = os.path.join(program.pictures, "screen_0.jpg")
        wait_for(lambda: os.path.exists(picture) and jpeg_size(picture), 5, what="screen_0.jpg")
        self.assertEqual(jpeg_size(picture), (2304, 1024))
        self.assertLess(difference_from_the_screen(self.session, picture, program), 0.05, "the picture is the screen's")

    def item_of(self, program):
        """The StatusNotifierItem a program registered: "item SERVICE PATH"."""
        self.session.bus_fakes_said("item ", timeout=0.2)
        pid = str(program.proc.pid)
        for line in reversed(self.session.bus_lines):
            if line and line.startswith("item "):
                owner = subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus",
                                        "/org/freedesktop/DBus", "org.freedesktop.DBus.GetConnectionUnixProcessID",
                                        "string:" + line.split()[1]], env=self.session.env(), capture_output=True,
                                       text=True, timeout=10).stdout
                if owner.split()[-1:] == [pid]:
                    return line
        return None

    def test_the_icon_on_a_status_notifier_tray(self):
        program = self.session.new_program(level=44).start()
        # The item this program registers (earlier programs registered theirs).
        line = wait_for(lambda: self.item_of(program), 10, what="the item registered")
        _, service, path = line.split()
        item = ["dbus-send", "--session", "--print-reply", f"--dest={service}", path]
        program.command("menuactivar")
        wait_for(lambda: self.boosted(44), 5, what="the boost on")
        # A click arrives as Activate and does what a double click does: the first marks the
        # window (shown at the start) as brought back from the icon, the next hides it, the
        # third brings it back.
        for visible in (True, False, True):
            subprocess.run([*item, "org.kde.StatusNotifierItem.Activate", "int32:0", "int32:0"],
                           env=self.session.env(), check=True, capture_output=True, timeout=10)
            wait_for(lambda: program.window()["visible"] == visible, 5, what=f"the window visible: {visible}")
        subprocess.run([*item, "org.kde.StatusNotifierItem.ContextMenu", "int32:300", "int32:300"],
                       env=self.session.env(), check=True, capture_output=True, timeout=10)
        wait_for(lambda: program.probe("popup") == "1", 5, what="the popup")
        self.session.xdotool("key", "Up")  # "Salir" is the popup's last entry
        self.session.xdotool("key", "Return")
        self.assertEqual(program.proc.wait(timeout=10), 0)
        self.assertTrue(self.untouched(), "Salir gave the ramp back")

    def test_a_night_light_is_let_be_and_night_color_holds_off(self):
        program = self.session.new_program(level=44).start()
        program.command("menuactivar")
        wait_for(lambda: self.boosted(44), 5, what="the boost on")
        self.assertTrue(self.session.bus_fakes_said("inhibit "), self.session.bus_lines)
        # A night light (here as Redshift) sets its own ramp every 2 s.
        tint = [round(i * 257 * 0.8) for i in range(256)]
        script = os.path.join(self.session.tmp, "night_light.py")
        with open(script, "w") as f:
            f.write(f"import sys, time\nsys.path.insert(0, {os.path.dirname(native.__file__)!r})\nimport native\n"
                    f"while True:\n    native.write_crtc_ramp({self.session.display!r}, {tint!r})\n    time.sleep(2)\n")
        writer = subprocess.Popen(["bash", "-c", f"exec -a redshift python3 {script}"], env=self.session.env())
        self.extra.append(writer)
        told = "lumeq Gamma      Redshift cambia la gamma: lumeq gamma le cede la pantalla"
        rewrites, was_ours, deadline, settled = 0, True, time.monotonic() + 15, None
        # Until the program says it yields, and then one more of the night light's writes.
        while time.monotonic() < (settled or deadline):
            ours = self.boosted(44)
            rewrites += ours and not was_ours
            was_ours = ours
            if settled is None and program.probe("strip").split(" ", 5)[5] == told:
                settled = time.monotonic() + 2.5
            time.sleep(0.05)
        self.assertIsNotNone(settled, "the yield told in the strip")
        self.assertLessEqual(rewrites, 3)
        self.assertGreaterEqual(rewrites, 1)
        self.assertFalse(self.boosted(44), "the night light keeps the screen")
        native._end_process(writer, grace=1)
        program.command("menudesactivar")
        self.assertTrue(self.session.bus_fakes_said("uninhibit "), self.session.bus_lines)

    def test_a_launcher_that_becomes_the_game_is_seen_within_two_seconds(self):
        program = self.session.new_program(ini=[HEADER, "0", "True", "hl.exe", "", "", "", "//End"], level=43).start()
        launcher = subprocess.Popen(["bash", "-c", 'sleep 10; exec -a hl.exe sleep 30'])
        started = time.monotonic()
        self.extra.append(launcher)
        wait_for(lambda: self.boosted(43), 10 + 2.5, interval=0.05, what="the boost on within 2 s of the exec")
        self.assertGreater(time.monotonic() - started, 9.9, "on before the launcher became the game")

    # A gamma 1.1 calibration, and a night light at 1900 K: red whole, green 55 %, blue 10 %.
    GAMMA_11 = [round((i / 255) ** 1.1 * 65535) for i in range(256)]
    WARM = ([i * 257 for i in range(256)], [round(i * 257 * 0.55) for i in range(256)],
            [round(i * 257 * 0.10) for i in range(256)])

    def test_each_output_gets_its_own_ramp_after_a_kill_even_a_warm_one(self):
        try:
            native.write_crtc_ramp(self.session.display, self.GAMMA_11, index=0)
            native.write_crtc_ramp(self.session.display, self.WARM, index=1)
            program = self.session.new_program(level=45).start()
            self.session.xdotool("key", "ctrl+F1")
            wait_for(lambda: native.read_crtc_ramp(self.session.display, 1)[2] != self.WARM[2], 5,
                     what="DUMMY1 boosted")
            program.proc.send_signal(signal.SIGKILL)
            program.proc.wait(timeout=5)
            program.start(wait_shown=False)
            wait_for(lambda: program.probe("window") is not None, 20, what="the probe")
            self.assertEqual(native.read_crtc_ramp(self.session.display, 0)[0], self.GAMMA_11)
            self.assertEqual(tuple(native.read_crtc_ramp(self.session.display, 1)), self.WARM)
        finally:
            native.write_crtc_ramp(self.session.display, self.session.initial_ramp[0], index=1)

    def test_an_output_unplugged_while_boosted_gets_its_ramp_when_it_comes_back(self):
        try:
            # A warm night light's ramp is a display's own too.
            native.write_crtc_ramp(self.session.display, self.WARM, index=1)
            program = self.session.new_program(level=45).start()
            self.session.xdotool("key", "ctrl+F1")
            second = lambda: native.read_crtc_ramp(self.session.display, 1)[0]  # noqa: E731
            wait_for(lambda: close_to(second(), level_table(45, 256)), 5, what="DUMMY1 boosted")
            self.session.second_output(False)
            self.session.xdotool("key", "ctrl+F1")
            wait_for(self.untouched, 5, what="DUMMY0's own ramp back")
            self.assertTrue(os.path.exists(program.record_path()), "DUMMY1 is still owed its ramp")
            self.session.second_output(True)
            wait_for(lambda: tuple(native.read_crtc_ramp(self.session.display, 1)) == self.WARM, 5,
                     what="DUMMY1's own ramp back")
            wait_for(lambda: not os.path.exists(program.record_path()), 5, what="the record gone")
        finally:
            self.session.second_output(True)
            native.write_crtc_ramp(self.session.display, self.session.initial_ramp[0], index=1)



class WithoutRandr(unittest.TestCase):
    """X servers without RandR: the whole screen's ramp through XF86VidMode where the server
    has it; where it has neither, the program says so once and runs on."""

    def run_on_server(self, argv, check):
        session = native.Session()
        session.tmp = native.tempfile.mkdtemp(prefix="lumeq-norandr-")
        try:
            read_fd, write_fd = os.pipe()
            session.xorg = subprocess.Popen([*argv, "-displayfd", str(write_fd), "-extension", "RANDR", "-nolisten",
                                             "tcp"], pass_fds=(write_fd,), stdout=subprocess.DEVNULL,
                                            stderr=subprocess.DEVNULL)
            os.close(write_fd)
            with os.fdopen(read_fd) as f:
                session.display = ":" + f.readline().strip()
            check(session, session.new_program(level=44).start())
        finally:
            session.stop()

    def test_xf86vidmode_where_randr_is_missing(self):
        def check(session, program):
            ramp = lambda: [int(v) for v in subprocess.run([native.harness.XRAMP, "get"], env=session.env(),  # noqa
                                                           capture_output=True, text=True).stdout.split()[1:257]]
            before = ramp()
            program.command("menuactivar")
            wait_for(lambda: close_to(ramp(), level_ramp(44)), 5, what="level 44 through XF86VidMode")
            program.command("menudesactivar")
            wait_for(lambda: ramp() == before, 5, what="the screen's own ramp back")
        self.run_on_server(["Xorg", "-config", native.harness.XORG_CONF, "-noreset", "-sharevts", "-novtswitch",
                            "-logfile", "/dev/null"], check)

    def test_no_gamma_is_told_once_and_the_program_runs_on(self):
        def check(session, program):
            wait_for(lambda: "lumeq-gamma: El servidor X no ofrece gamma" in program.stderr(), 10, what="the message")
            program.command("menuactivar")
            session.xdotool("key", "ctrl+F4")
            time.sleep(1.5)
            self.assertTrue(program.running())
            self.assertEqual(program.stderr().count("lumeq-gamma: El servidor X no ofrece gamma"), 1, "told once")
        self.run_on_server(["Xvfb", "-screen", "0", "1024x768x24"], check)


if __name__ == "__main__":
    unittest.main()
