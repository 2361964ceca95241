"""The Linux edition, natively on a private Xorg whose dummy driver has RandR CRTC gamma.
The boost a player switches: Activar and Desactivar, the hot keys over a game, a watched program, screenshots."""

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
    def test_activar_really_brightens_and_desactivar_gives_the_ramp_back(self):
        program = self.session.new_program(level=44).start()
        self.assertTrue(self.untouched(), "the start leaves the output's ramp alone")
        menus = program.probe("menus").split("\n")
        self.assertEqual([line.split(" ", 2)[2] for line in menus if line.startswith("0 1 ")],
                         ["Salir", "Gamma", "Screen", "...?"])
        self.assertIn("menuactivar 1 Activar          Ctrl+F1", menus)
        self.assertIn("FunctionsSalir 1 Salir", menus)
        self.assertEqual(program.ini_lines(), [HEADER, "0", "False", "hl.exe", "", "", "", "//End", ""],
                         "the first run starts from the shipped settings")

        program.command("menuactivar")
        wait_for(lambda: self.boosted(44), 5, what="level 44's ramp on the output")
        self.assertEqual(program.field("estadoTxt"), "True")
        self.session.put_initial_ramp()  # another program (a game) replaces the ramp
        wait_for(lambda: self.boosted(44), 3, what="the watchdog setting level 44 again")
        program.command("menudesactivar")
        wait_for(self.untouched, 5, what="the output's own ramp back")
        self.assertEqual(program.stored_level(), "44")

        # Without a tray, the close box leaves the window within reach: minimised.
        self.assertEqual(program.probe("tray"), "0 0")
        program.probe("close")
        wait_for(lambda: program.window()["minimized"], 5, what="the window minimised")
        self.assertTrue(program.running())

    def test_hot_keys_while_a_game_has_the_focus(self):
        program = self.session.new_program(level=40).start()
        self.assertEqual(program.probe("hotkeys"), "1 1 1 1")
        _, game = self.session.start_game()
        active = wait_for(lambda: self.session.active_window(), 5, what="an active window")
        self.session.xdotool("key", "ctrl+F1")
        wait_for(lambda: self.boosted(40), 5, what="Ctrl+F1 switching the boost on")
        self.session.xdotool("key", "ctrl+F4")
        wait_for(lambda: self.boosted(41), 5, what="Ctrl+F4 stepping up")
        strip = program.strip()
        self.assertTrue(strip["visible"])
        self.assertEqual((strip["left"], strip["top"]), (100, 3))
        self.assertTrue(strip["text"] in ("lumeq Gamma      La gamma actual es 1.00", "lumeq Gamma      La gamma actual es 1,00"), strip["text"])
        self.assertIn(self.strip_window(), self.override_redirect_windows())
        # With NumLock on the keys still work.
        self.session.xdotool("key", "Num_Lock")
        self.session.xdotool("key", "ctrl+F3")
        self.session.xdotool("key", "Num_Lock")
        wait_for(lambda: self.boosted(40), 5, what="Ctrl+F3 stepping down")
        self.assertEqual(self.session.active_window(), active, "the game stays the active window")
        self.session.xdotool("key", "ctrl+F1")
        wait_for(self.untouched, 5, what="Ctrl+F1 switching the boost off")
        self.assertEqual(self.session.active_window(), active)

    def test_a_watched_program_switches_the_boost_on_and_off(self):
        program = self.session.new_program(ini=[HEADER, "0", "True", "hl.exe", "", "", "", "//End"], level=43).start()
        game = os.path.join(program.home, "hl.exe")
        shutil.copy("/bin/sleep", game)
        started = subprocess.Popen([game, "30"])
        self.session.other.append(started)
        wait_for(lambda: self.boosted(43), 3, what="the boost on while hl.exe runs")
        native._end_process(started)
        wait_for(self.untouched, 3, what="the boost off once hl.exe ended")
        # As Wine and Proton start a Windows game: its path in the first argument.
        wine_style = subprocess.Popen(["bash", "-c", 'exec -a "C:\\Games\\hl.exe" sleep 30'])
        self.session.other.append(wine_style)
        wait_for(lambda: self.boosted(43), 3, what="the boost on for C:\\Games\\hl.exe")
        native._end_process(wine_style)
        wait_for(self.untouched, 3, what="the boost off")
        # Names are data: any user can name a process with control bytes. One that would
        # forge an entry of its own never counts, and one before the game never hides it.
        for name in ("x\x011\x01hl.exe", "evil\x01"):
            self.session.other.append(subprocess.Popen(["bash", "-c", 'exec -a "$0" sleep 30', name]))
        program.wait_ticks(3)
        self.assertTrue(self.untouched(), "no hl.exe runs")
        started = subprocess.Popen([game, "30"])
        self.session.other.append(started)
        wait_for(lambda: self.boosted(43), 3, what="the boost on while hl.exe runs")
        native._end_process(started)

    def test_screenshots_are_jpeg_files_of_the_screen_with_the_warning_at_40(self):
        program = self.session.new_program(level=40).start()
        self.session.xdotool("key", "ctrl+F1")
        wait_for(lambda: self.boosted(40), 5, what="the boost on")
        self.session.xdotool("key", "ctrl+F2")
        first = os.path.join(program.pictures, "screen_0.jpg")
        wait_for(lambda: os.path.exists(first) and jpeg_size(first), 5, what="screen_0.jpg")
        self.assertEqual(jpeg_size(first), (1280, 1024))
        self.assertLess(difference_from_the_screen(self.session, first, program), 0.05, "the picture is the screen's")
        self.assertEqual(program.ini_lines()[1], "1", "the counter advances")
        self.assertFalse(program.state("Frame3")["visible"])
        for n in range(100, 138):  # 39 files with the first
            shutil.copy(first, os.path.join(program.pictures, f"screen_{n}.jpg"))
        self.session.xdotool("key", "ctrl+F2")
        wait_for(lambda: program.state("Frame3")["visible"], 5, what="the warning at 40 files")
        left, top, width, height = program.rect("Frame3")
        rows = self.session.pixels(left, top, width, height, "warning")
        light = sum(1 for row in rows for p in row if darkest(p) > 200)
        self.assertGreater(light, width * height * 0.5, "the warning panel is what shows over the banner")
        self.assertTrue(os.path.exists(os.path.join(program.pictures, "screen_1.jpg")))
        self.assertIn("40", program.probe("text", "Label6"))


if __name__ == "__main__":
    unittest.main()
