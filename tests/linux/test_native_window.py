"""The Linux edition, natively on a private Xorg whose dummy driver has RandR CRTC gamma.
What a player sees of the windows: the main window's place, both windows at 96 and 144 dpi, the tray icon."""

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
    def test_the_window_stands_where_the_placement_table_puts_it(self):
        # The Windows edition's table of spots by screen width, 15 twips a pixel, the whole
        # frame then kept on the screen (raised and moved left just enough).
        table = {1024: (12800, 8500), 1280: (16600, 7800)}
        try:
            for width, height in ((1024, 768), (1280, 1024)):
                self.session.xrandr("--output", "DUMMY0", "--mode", f"{width}x{height}")
                program = self.session.new_program(level=40).start()
                left, top = (twips // 15 for twips in table[width])
                expected = lambda w: (min(left, width - w["width"]), min(top, height - w["height"]))
                window = wait_for(lambda: (lambda w: w if (w["left"], w["top"]) == expected(w) else None)(
                    program.window()), 5, what=f"the window at its spot on {width} x {height}")
                self.assertLessEqual(window["left"] + window["width"], width)
                program.kill()
        finally:
            self.session.xrandr("--output", "DUMMY0", "--mode", "1280x1024")

    def test_what_a_player_sees_at_96_and_144_dpi(self):
        extents = {}
        for dpi in (96, 144):
            program = self.session.new_program(level=40)
            program.start(env=dict(program.env(), QT_FONT_DPI=str(dpi)))

            def seen():
                # Where the program says its window is, the screen shows it: until the window
                # manager has placed it, Qt still has it at (0, 0), where there is nothing.
                window = program.window()
                rows = self.session.pixels(window["left"], window["top"], window["width"], window["height"],
                                           f"main-{dpi}")
                return window if len({p for row in rows for p in row}) > 2 else None
            window = wait_for(seen, 5, interval=0.2, what=f"the window on the screen at {dpi} dpi")
            self.assertTrue(0 <= window["left"] and window["left"] + window["width"] <= 1280 and
                            0 <= window["top"] and window["top"] + window["height"] <= 1024, f"{dpi} dpi: {window}")
            # The strip: its whole text on one line, the level at its end, inside the strip's edges.
            self.session.xdotool("key", "ctrl+F1")
            wait_for(lambda: self.boosted(40), 5, what="the boost on")
            self.session.xdotool("key", "ctrl+F3")
            strip = wait_for(lambda: program.strip() if program.strip()["visible"] else None, 5, what="the strip")
            rows = self.session.pixels(strip["left"], strip["top"], strip["width"], strip["height"], f"strip-{dpi}")
            text = [(x, y) for y, row in enumerate(rows) for x, p in enumerate(row) if darkest(p) > 170]
            self.assertTrue(text, f"{dpi} dpi: no text in the strip")
            xs, ys = [x for x, _ in text], [y for _, y in text]
            self.assertGreater(min(xs), 1)
            self.assertLess(max(xs), strip["width"] - 2, f"{dpi} dpi: the text reaches the strip's right edge")
            self.assertGreater(min(ys), 0)
            self.assertLess(max(ys), strip["height"] - 1, f"{dpi} dpi: the text is cut at the bottom")
            self.assertGreater(max(xs) - min(xs), strip["width"] * 0.8, f"{dpi} dpi: the level is missing")
            extents[dpi] = max(xs) - min(xs)
            # The Windows edition's strip: 231 x 17 pixels at 96 dpi, scaled, its raised edge in
            # the same colours (light top and left, dark right and bottom) around the same inside.
            # (At 144 dpi both grow a little past the base width to their text: 347 here with
            # Liberation Sans, 351 under Wine.)
            base = (round(3460 * dpi / 1440), round(17 * dpi / 96))
            self.assertEqual(strip["height"], base[1], f"{dpi} dpi")
            self.assertTrue(strip["width"] == base[0] or (dpi > 96 and base[0] < strip["width"] <= base[0] + 8),
                            f"{dpi} dpi: {strip['width']} wide, the base being {base[0]}")
            edge = max(1, round(dpi / 96))
            self.assertEqual(rows[0][0], 0x9F9F9F)
            self.assertEqual(rows[0][strip["width"] // 2], 0x889180)
            self.assertEqual(rows[strip["height"] // 2][0], 0x889180)
            self.assertEqual(rows[-1][strip["width"] // 2], 0x282E22)
            self.assertEqual(rows[strip["height"] // 2][-1], 0x282E22)
            self.assertEqual(rows[edge][-edge - 2], 0x4C5844)
            # The automatic-activation panel over the banner: light, where the banner is dark.
            program.command("menuActivacion")
            left, top, width, height = wait_for(lambda: program.state("FrActivacion")["visible"] and
                                                program.rect("FrActivacion"), 5, what="the panel")
            rows = self.session.pixels(left, top, width, height, f"activation-{dpi}")
            light = sum(1 for row in rows for p in row if darkest(p) > 200)
            self.assertGreater(light, width * height * 0.5, f"{dpi} dpi: the panel is not what shows")
            self.session.xdotool("key", "ctrl+F1")
            wait_for(self.untouched, 5, what="the boost off")
            program.kill()
        self.assertGreater(extents[144], extents[96] * 1.3, "the strip's text grows with the DPI")

    def test_the_icon_docks_in_a_tray_that_comes_later_and_its_popup_ends_the_program(self):
        program = self.session.new_program(level=44).start()
        self.assertEqual(program.probe("tray"), "0 0")
        trayer = subprocess.Popen(["trayer", "--edge", "bottom", "--widthtype", "pixel", "--width", "200"],
                                  env=self.session.env(), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.session.other.append(trayer)
        wait_for(lambda: program.probe("tray") == "1 1", 10, what="the icon in the tray")
        program.command("menuactivar")
        wait_for(lambda: self.boosted(44), 5, what="the boost on")
        icon = wait_for(lambda: self.icon_geometry(), 10, what="the icon docked in trayer")
        x, y, width, height = icon
        self.session.xdotool("mousemove", x + width // 2, y + height // 2)
        self.session.xdotool("click", "3")
        wait_for(lambda: program.probe("popup") == "1", 5, what="the popup")
        # "Salir" is the popup's last entry.
        self.session.xdotool("key", "Up")
        self.session.xdotool("key", "Return")
        self.assertEqual(program.proc.wait(timeout=10), 0)
        self.assertTrue(self.untouched(), "Salir gave the ramp back")


if __name__ == "__main__":
    unittest.main()
