"""Start-up, the single-instance rule, closing and leaving the program."""

import time
import unittest

import harness
from harness import E2ECase, wait_for

WS_MAXIMIZEBOX = 0x00010000


def setUpModule():
    E2ECase.session = harness.module_session()


def tearDownModule():
    E2ECase.session.stop()


class StartUp(E2ECase):
    def test_window_shown_not_maximisable_and_display_untouched(self):
        self.session.set_xramp_power(1.3)
        before = self.session.xramp()
        program = self.session.new_program().start()
        window = program.main_window()
        self.assertTrue(window["visible"])
        self.assertFalse(window["style"] & WS_MAXIMIZEBOX)
        # The window manager offers no way to maximise it either.
        actions = self.session.xdotool("getwindowname", window["xid"])  # the X window exists
        self.assertEqual(actions.stdout.strip(), "lumeq gamma")
        allowed = harness.subprocess.run(["xprop", "-id", str(window["xid"]), "_NET_WM_ALLOWED_ACTIONS"],
                                         env=self.session.env(), capture_output=True, text=True).stdout
        self.assertNotIn("MAXIMIZE", allowed)
        self.assertEqual(program.text("estadoTxt"), "False")
        self.assertEqual(program.text("LbIndicador"), "")
        self.assertEqual(self.session.xramp(), before)

    def test_second_instance_says_so_and_ends(self):
        first = self.session.new_program().start()
        second = self.session.new_program().start(wait_shown=False)
        lines = wait_for(lambda: self._box_lines("lumeq gamma"), 20, what="the message box")
        xid = lines[0]
        # While its box waits, the second copy has no window, no icon and no menu to act on.
        self.assertEqual(self.session.probe("count", "FormMain", "lumeq gamma")[1].strip(), "1")
        self.assertIn("[icon]", lines)
        self.assertIn("El programa ya está en ejecución!|\nAcción cancelada.", "\n".join(lines))
        # The user presses Return on it.
        self.session.xdotool("windowactivate", "--sync", xid)
        self.session.key("Return")
        self.assertEqual(second.wait_exit(10), 0)
        self.assertTrue(first.running())
        self.assertTrue(first.main_window()["visible"])

    def test_second_instance_leaves_the_running_one_and_the_display_alone(self):
        # Both copies watch for a running game: while the second one's box is up, its
        # watcher must not switch anything.
        header = "NO ELIMINAR MODIFICAR O MOVER ESTE ARCHIVO"
        lines = [header, "0", "True", "standin_game.exe", "", "", "", "//End"]
        self.session.set_xramp_power(1.2)
        preset = self.session.xramp()
        self.session.set_stored_level("37")
        game, _ = self.session.start_game()
        try:
            first = self.session.new_program(ini=lines).start()
            first.wait_text("estadoTxt", "True", timeout=5)
            second = self.session.new_program(ini=lines).start(wait_shown=False)
            box = wait_for(lambda: self._box_lines("lumeq gamma"), 20, what="the message box")
            time.sleep(2)  # two of the second copy's watcher ticks, had it started them
            self.assertRampNear(self.session.xramp(), harness.level_ramp(37))
            self.session.xdotool("windowactivate", "--sync", box[0])
            self.session.key("Return")
            second.wait_exit(10)
            # Had the second copy switched anything, its record (the boosted ramp as
            # "captured") would now stand in for the first one's: a crash of the first
            # would then leave the screen bright.
            first.kill()
            self.session.new_program().start()
            self.assertRampNear(self.session.xramp(), preset[0])
        finally:
            harness._end_process(game, grace=1)

    def _box_lines(self, title):
        rc, out = self.session.probe("boxtext", title)
        return out.strip().split("\n") if rc == 0 else None

    def test_close_box_hides_and_keeps_running(self):
        program = self.session.new_program().start()
        window = program.main_window()
        self.session.xdotool("windowactivate", "--sync", window["xid"])
        self.session.key("alt+F4")
        wait_for(lambda: not program.main_window()["visible"], 10, what="the window hidden")
        self.assertTrue(program.running())
        self.assertEqual(program.text("txtOculta"), "No")
        # Still working: the Gamma menu switches the gamma on.
        program.command("menuactivar")
        program.wait_text("estadoTxt", "True")


class Exit(E2ECase):
    def test_salir_while_off_leaves_display_alone(self):
        self.session.set_xramp_power(1.2)
        before = self.session.xramp()
        program = self.session.new_program().start()
        program.command("Salir")
        program.wait_exit(10)
        self.assertEqual(self.session.xramp(), before)
        self.assertIsNone(self.session.stored_level())

    def test_salir_while_on_restores_captured_ramp(self):
        self.session.set_xramp_power(1.2)
        before = self.session.xramp()
        self.session.set_stored_level("37")
        program = self.session.new_program().start()
        program.command("menuactivar")
        program.wait_text("estadoTxt", "True")
        self.assertRampNear(self.session.xramp(), harness.level_ramp(37))
        program.command("Salir")
        program.wait_exit(10)
        self.assertRampNear(self.session.xramp(), before[0])
        self.assertEqual(self.session.stored_level(), "37")


if __name__ == "__main__":
    unittest.main()
