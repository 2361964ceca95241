"""The global hot keys pressed while a stand-in game has the keyboard, the level
steps they make, and the indicator strip that shows each step."""

import time
import unittest

import harness
from harness import E2ECase, wait_for

VK_F1, VK_F3 = 0x70, 0x72
WS_EX_TOPMOST, WS_EX_TOOLWINDOW, WS_EX_NOACTIVATE = 0x8, 0x80, 0x08000000
SHOWN = "lumeq Gamma      La gamma actual es "
REFUSED = "lumeq Gamma      La pantalla no acepta "


def setUpModule():
    E2ECase.session = harness.module_session()


def tearDownModule():
    E2ECase.session.stop()


class InGame(E2ECase):
    """The program runs, the player is in the game."""

    def setUp(self):
        super().setUp()
        self.program = self.session.new_program().start()
        self.game_proc, self.game = self.session.start_game()

    def tearDown(self):
        super().tearDown()
        harness._end_process(self.game_proc, grace=1)

    def press(self, combo, field="LbIndicador", expected=None):
        self.session.key(combo)
        if expected is not None:
            self.program.wait_text(field, expected)

    def assertGameKeepsFocus(self):
        self.assertEqual(self.session.active_window(), self.game["xid"])
        rc, out = self.session.probe("foreground")
        self.assertTrue(out.startswith("StandInGame\t"), out)

    def test_steps_from_the_game_show_the_strip_without_taking_focus(self):
        self.press("ctrl+F1", "estadoTxt", "True")
        self.assertRampNear(self.session.xramp(), harness.level_ramp(40))
        for expected in ("-1.00", "-2.00", "-3.00"):
            self.press("ctrl+F3", "LbIndicador", expected)
            self.assertGameKeepsFocus()
        self.assertEqual(self.program.slider()["position"], 37)
        self.assertEqual(self.program.text("estado_txt"), "-3.00")
        self.assertRampNear(self.session.xramp(), harness.level_ramp(37))

        window, text = wait_for(lambda: self._shown_strip(), 5, what="the strip")
        self.assertEqual(text, SHOWN + "-3.00")
        # 231 x 17 at (100, 3), or wider where the font needs it: Wine's sans serif is
        # wider than Windows' own, and the level must never be cut off.
        self.assertEqual((window["left"], window["top"], window["height"]), (100, 3, 17))
        width = window["width"]
        self.assertGreaterEqual(width, 231)
        for flag in (WS_EX_TOPMOST, WS_EX_TOOLWINDOW, WS_EX_NOACTIVATE):
            self.assertTrue(window["exstyle"] & flag, hex(flag))
        # The raised panel, to the pixel: light top and left edges, dark right and
        # bottom edges, the strip's own colour inside.
        pixels = self.session.pixels(100, 3, width, 17)
        self.assertEqual(pixels[0][0], 0x9F9F9F)
        self.assertEqual({pixels[0][x] for x in range(1, width - 1)}, {0x889180})
        self.assertEqual({pixels[y][0] for y in range(1, 16)}, {0x889180})
        self.assertEqual({pixels[y][width - 1] for y in range(0, 17)}, {0x282E22})
        self.assertEqual({pixels[16][x] for x in range(0, width)}, {0x282E22})
        self.assertEqual(pixels[15][200], 0x4C5844)
        self.assertGameKeepsFocus()

    def test_a_long_session_leaves_nothing_behind(self):
        # 200 steps and 20 screenshots from the game: what the program holds stays where it
        # was after the first of each (fonts, brushes, the strip and the encoder are made
        # once; a leak grows with every step or picture). Wine 8 counts no GDI or USER
        # objects (GetGuiResources gives 0), so the working set is watched too: a picture of
        # this desk is 5 MB, and one kept per screenshot would add 100 MB, while the heap's
        # high water may hold two or three pictures at once when the machine is busy.
        self.press("ctrl+F1", "estadoTxt", "True")
        self.press("ctrl+F3", "LbIndicador", "-1.00")
        self.session.key("ctrl+F2")
        self.program.wait_text("TxtScreenNuevas", "1")

        def held():
            rc, out = self.session.probe("resources")
            self.assertEqual(rc, 0)
            gdi, user, working, _ = map(int, out.split())
            return gdi, user, working

        before = held()
        for _ in range(100):
            self.session.xdotool("key", "--delay", "5", "ctrl+F4", "ctrl+F3")
        self.program.wait_text("LbIndicador", "-1.00")
        for taken in range(2, 22):
            self.session.key("ctrl+F2")
            self.program.wait_text("TxtScreenNuevas", str(taken))
        after = held()
        self.assertLessEqual(after[0] - before[0], 5, f"GDI objects {before[0]} -> {after[0]}")
        self.assertLessEqual(after[1] - before[1], 5, f"USER objects {before[1]} -> {after[1]}")
        picture = 1280 * 1024 * 4
        self.assertLessEqual(after[2] - before[2], 5 * picture, f"working set {before[2]} -> {after[2]}")

    def _shown_strip(self):
        window, text = self.program.indicator()
        return (window, text) if window and window["visible"] and window["top"] >= 0 else None

    def test_strip_goes_eight_seconds_after_a_step(self):
        # Each step starting the eight seconds again is the core's, tested on its clock.
        self.press("ctrl+F1", "estadoTxt", "True")
        self.press("ctrl+F3", "LbIndicador", "-1.00")
        shown = time.monotonic()
        self.assertEqual(self._shown_strip()[1], SHOWN + "-1.00")
        wait_for(lambda: not self.program.indicator()[0]["visible"], 12, interval=0.2, what="the strip hidden")
        self.assertGreater(time.monotonic() - shown, 7.5, "hidden too early")

    def test_refused_step_is_told_and_the_display_kept(self):
        self.press("ctrl+F1", "estadoTxt", "True")
        self.press("ctrl+F4", "LbIndicador", "1.00")  # Wine refuses level 41's ramp
        wait_for(lambda: self.program.indicator()[1] == REFUSED + "1.00", 5, what="the refusal told")
        self.assertRampNear(self.session.xramp(), harness.level_ramp(40))
        self.press("ctrl+F3", "LbIndicador", "0.00")
        wait_for(lambda: self.program.indicator()[1] == SHOWN + "0.00", 5, what="the level shown")
        self.assertRampNear(self.session.xramp(), harness.level_ramp(40))

    def test_off_only_ctrl_f1_acts_and_twice_gives_the_ramp_back(self):
        self.session.set_xramp_power(1.1)
        before = self.session.xramp()
        for combo in ("ctrl+F2", "ctrl+F3", "ctrl+F4"):
            self.session.key(combo)
        time.sleep(1.0)
        self.assertEqual(self.program.text("estadoTxt"), "False")
        self.assertEqual(self.program.text("estado_txt"), "- -")
        self.assertEqual(self.program.slider()["position"], 40)
        self.assertFalse(self.program.indicator()[0]["top"] >= 0 and self.program.indicator()[0]["visible"])
        self.assertEqual(self.session.xramp(), before)
        self.press("ctrl+F1", "estadoTxt", "True")
        # No stored level: the level estimated from the darker preset curve.
        level = self.program.slider()["position"]
        self.assertLess(level, 40)
        self.assertRampNear(self.session.xramp(), harness.level_ramp(level))
        self.press("ctrl+F1", "estadoTxt", "False")
        self.assertRampNear(self.session.xramp(), before[0])
        self.assertGameKeepsFocus()

    def test_hot_keys_leave_a_hidden_window_hidden(self):
        self.session.focus(self.program.main_window()["xid"])
        self.session.key("alt+F4")
        wait_for(lambda: not self.program.main_window()["visible"], 10, what="the window hidden")
        self.session.focus(self.game["xid"])
        self.press("ctrl+F1", "estadoTxt", "True")
        self.press("ctrl+F3", "LbIndicador", "-1.00")
        self.assertFalse(self.program.main_window()["visible"])
        self.assertEqual(self.program.text("txtOculta"), "No")


class HeldCombination(E2ECase):
    def test_combination_held_elsewhere_is_skipped_silently(self):
        holder = self.session.start_windows_program(f"{harness.WINDOWS_DIR}/probe.exe", "hotkey-hold", str(VK_F3),
                                                    "120")
        wait_for(lambda: self.session.external_probe("hotkey-try", VK_F3)[0] == 3, 10, what="Ctrl+F3 held")
        program = self.session.new_program().start()
        time.sleep(1.0)
        self.assertNotEqual(self.session.probe("boxtext", "lumeq gamma")[0], 0, "a message box was shown")
        game_proc, game = self.session.start_game()
        try:
            self.session.key("ctrl+F1")
            program.wait_text("estadoTxt", "True")
            self.session.key("ctrl+F4")
            program.wait_text("LbIndicador", "1.00")
            self.session.key("ctrl+F3")  # goes to the other program
            self.session.key("ctrl+F4")  # comes after it: 2.00 only if Ctrl+F3 did nothing here
            program.wait_text("LbIndicador", "2.00")
            self.assertTrue(holder.poll() is None)
            program.command("Salir")
            program.wait_exit(10)
            self.assertEqual(self.session.external_probe("hotkey-try", VK_F1)[0], 0)
        finally:
            harness._end_process(game_proc, grace=1)
            harness._end_process(holder, grace=1)


if __name__ == "__main__":
    unittest.main()
