"""The Linux edition, natively on a private Xorg whose dummy driver has RandR CRTC gamma.
The player's ramp is never lost: a killed run, the end of the session, a lost X connection, and the record of the ramps to give back."""

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


class NativeEdition(native.NativeCase):
    def test_a_killed_run_is_mended_at_the_next_start_and_sigterm_restores(self):
        program = self.session.new_program(level=45).start()
        program.command("menuactivar")
        wait_for(lambda: self.boosted(45), 5, what="the boost on")
        program.proc.send_signal(signal.SIGKILL)
        program.proc.wait(timeout=5)
        self.assertTrue(self.boosted(45), "a killed program leaves the ramp as it was")
        program.start(wait_shown=False)
        wait_for(lambda: program.probe("window") is not None, 20, what="the probe")
        self.assertTrue(self.untouched(), "the preset is back before the window shows")
        program.command("menuactivar")
        wait_for(lambda: self.boosted(45), 5, what="the boost on again")
        program.proc.send_signal(signal.SIGTERM)
        self.assertEqual(program.proc.wait(timeout=10), 0)
        self.assertTrue(self.untouched(), "SIGTERM gives the ramp back before the process ends")
        self.assertFalse(os.path.exists(program.record_path()), "every ramp back: the record goes")

    def test_the_end_of_the_session_gives_the_ramp_back(self):
        program = self.session.new_program(level=44).start()
        program.command("menuactivar")
        wait_for(lambda: self.boosted(44), 5, what="the boost on")
        program.probe("quit")  # the quit Qt makes of the session manager's end
        self.assertEqual(program.proc.wait(timeout=10), 0)
        self.assertTrue(self.untouched(), "the output's own ramp is back")

    def test_a_lost_x_connection_gives_the_ramp_back_before_the_process_ends(self):
        program = self.session.new_program(level=44).start()
        program.command("menuactivar")
        wait_for(lambda: self.boosted(44), 5, what="the boost on")
        killed = time.monotonic()
        subprocess.run(["xkill", "-id", str(self.main_xid(program))], env=self.session.env(), timeout=10,
                       capture_output=True, check=True)
        program.proc.wait(timeout=5)
        # Read once the process is gone: the ramp came back before it ended.
        self.assertTrue(self.untouched(), "the output's own ramp is back")
        self.assertLess(time.monotonic() - killed, 2.0)
        self.assertFalse(os.path.exists(program.record_path()))

    def test_a_refused_restore_is_never_overwritten_by_the_boost(self):
        native.write_crtc_ramp(self.session.display, self.CALIBRATION)
        program = self.session.new_program(level=44)
        # The test build's displays refuse to take back the ramps they had at the start.
        program.start(env=dict(program.env(), LUMEQ_TEST_REFUSE_OWN_RAMP="1"))
        for _ in range(2):  # Ctrl+F1 twice, and twice again
            self.session.xdotool("key", "ctrl+F1")
            wait_for(lambda: program.field("estadoTxt") == "True", 5, what="the boost on")
            self.session.xdotool("key", "ctrl+F1")
            wait_for(lambda: program.field("estadoTxt") == "False", 5, what="the boost off")
            self.assertTrue(self.boosted(44), "the display refused its own ramp")
        self.assertEqual(program.strip()["text"], "lumeq Gamma      La pantalla no recuperó su gamma")
        program.proc.send_signal(signal.SIGTERM)
        program.proc.wait(timeout=10)
        program.start(wait_shown=False)  # the display takes it now
        wait_for(lambda: self.session.ramp()[0] == self.CALIBRATION, 10, what="the first original back")
        self.assertFalse(os.path.exists(program.record_path()))

    def test_a_tampered_record_is_dropped_and_never_applied(self):
        program = self.session.new_program(level=40)
        legacy = os.path.join(program.state_dir, "captured-ramps")  # as earlier versions kept it
        os.makedirs(program.state_dir)
        with open(legacy, "wb") as f:
            f.write(native.harness.record_bytes({"DUMMY0": [0] * 255 + [1]}, version=2))  # black
        program.start()
        self.assertEqual(self.session.ramp()[0], [i * 257 for i in range(256)], "the straight line, not black")
        self.assertFalse(os.path.exists(legacy))
        self.assertEqual(program.strip()["text"], "lumeq Gamma      Gamma guardada no válida: descartada")

    def test_a_record_of_another_display_is_left_alone(self):
        program = self.session.new_program(level=40)
        other = {"DUMMY0": self.CALIBRATION}
        program.write_record(other, display=":7")
        legacy = os.path.join(program.state_dir, "captured-ramps")  # where earlier versions kept it
        program.write_record(other, display=":7", path=legacy)
        program.start()
        self.assertTrue(self.untouched())
        self.assertTrue(os.path.exists(program.record_path(":7")))
        self.assertTrue(os.path.exists(legacy))


if __name__ == "__main__":
    unittest.main()
