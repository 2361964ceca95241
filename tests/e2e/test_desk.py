"""The Windows edition on a player's desk: two monitors (DUMMY1, 1024 x 768, right of the
first), and displays that refuse a ramp for a moment (the secure desktop, a mode change)."""

import os
import shutil
import subprocess
import unittest

import harness
from harness import E2ECase, wait_for

WM_DISPLAYCHANGE, WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK = 0x7E, 0x2B1, 8
WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC = 0x218, 0x12
TEST_REFUSE_MESSAGE = 0x8000 + 0x3E  # WM_APP + 0x3E, known only to the test build


def setUpModule():
    E2ECase.session = harness.module_session(two_monitors=True)


def tearDownModule():
    E2ECase.session.stop()


class TwoMonitors(E2ECase):
    def test_the_window_stays_on_its_monitor_and_a_screenshot_covers_both(self):
        self.assertEqual(self.session.probe("monitors")[1].split("\n")[0], "2 0 0 2304 1024")
        program = self.session.new_program().start()
        shots = os.path.join(program.folder, "Screenshots")
        window = program.main_window()
        self.session.xdotool("windowmove", window["xid"], 1500, 200)
        wait_for(lambda: program.main_window()["left"] >= 1280, 5, what="the window on the second monitor")
        for n in range(100, 139):  # 39 pictures: the next one brings the folder warning
            shutil.copy(os.path.join(os.path.dirname(__file__), "hostile", "lumeq-ini-binary-64k.bin"),
                        os.path.join(shots, f"screen_{n}.jpg"))
        program.command("menuactivar")
        program.wait_text("estadoTxt", "True")
        program.command("menuCapturarPantalla")
        wait_for(lambda: program.state("Frame3")["visible"], 5, what="the folder warning")
        moved = program.main_window()
        self.assertGreaterEqual(moved["left"], 1280, f"pulled back to the primary monitor: {moved}")
        self.assertLessEqual(moved["left"] + moved["width"], 2304, f"not whole on its monitor: {moved}")
        self.assertLessEqual(moved["top"] + moved["height"], 768, f"not whole on its monitor: {moved}")
        info = subprocess.run(["identify", "-format", "%m %w %h", os.path.join(shots, "screen_0.jpg")],
                              capture_output=True, text=True, check=True).stdout
        self.assertEqual(info, "JPEG 2304 1024")
        self.assertEqual(self.session.probe("clipboard")[1].strip(), "1 2304 1024")


class ARefusalIsNotForEver(E2ECase):
    def test_the_level_comes_back_after_a_display_change_an_unlock_and_a_resume(self):
        self.session.set_stored_level("37")
        program = self.session.new_program().start()
        program.command("menuactivar")
        program.wait_text("estadoTxt", "True")
        level = 37
        for message, wparam in ((WM_DISPLAYCHANGE, 32), (WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK),
                                (WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC)):
            with self.subTest(hex(message)):
                self.session.probe("post", TEST_REFUSE_MESSAGE, 2)  # the next writes fail, one a monitor
                program.command("masGamma")
                level += 1
                wait_for(lambda: program.indicator()[1] == f"lumeq Gamma      La pantalla no acepta {level - 40}.00",
                         5, what="the refusal told")
                self.assertRampNear(self.session.xramp(), harness.level_ramp(level - 1))  # the watchdog leaves it
                self.session.probe("post", message, wparam)
                wait_for(lambda: max(abs(a - b) for a, b in zip(self.session.xramp()[0],
                                                                 harness.level_ramp(level))) <= 257,
                         5, what=f"level {level} set again")


if __name__ == "__main__":
    unittest.main()
