"""The window a player sees: placed by the screen's width, the banner and the label
strip, the first run's information box, and the links to the product's site."""

import os
import stat
import unittest

import harness
from harness import E2ECase, wait_for

INFO_LINES = [
    "Información:", "Activar/Desactivar Ctrl+F1", "", "Si está activo:", "Aumentar gamma:    Ctrl+F4",
    "Disminuir gamma:     Ctrl+F3", "Screenshots:           Ctrl+F2", "", "Activación automática:",
    "Se activa/desactiva junto al Counter-Strike o cualquier MOD de HL.",
    "Configuración en el menú 'Gamma' > 'Activación automática'",
]


def setUpModule():
    E2ECase.session = harness.module_session()


def tearDownModule():
    E2ECase.session.stop()


class FirstRun(E2ECase):
    def box(self):
        rc, out = self.session.probe("boxtext", "lumeq gamma")
        return out.split("\n") if rc == 0 else None

    def test_first_start_makes_the_folder_and_tells_the_keys_once(self):
        program = self.session.new_program(first_run=True).start(wait_shown=False)
        lines = wait_for(self.box, 20, what="the information box")
        self.assertTrue(os.path.isdir(os.path.join(program.folder, "Screenshots")))
        self.assertIn("[icon]", lines)
        self.assertIn("|\n".join(INFO_LINES), "\n".join(lines))
        self.session.xdotool("windowactivate", "--sync", lines[0])
        # The keys it tells of work while it is open, and the strip tells the step.
        self.session.key("ctrl+F1")
        program.wait_text("estadoTxt", "True")
        self.session.key("ctrl+F3")
        window, text = wait_for(lambda: (lambda s: s if s[0] and s[0]["visible"] else None)(program.indicator()), 5,
                                what="the strip")
        self.assertEqual(text, "lumeq Gamma      La gamma actual es -1.00")
        self.assertRampNear(self.session.xramp(), harness.level_ramp(39))
        self.session.xdotool("windowactivate", "--sync", lines[0])
        self.session.key("Return")
        wait_for(lambda: program.main_window() and program.main_window()["visible"], 10, what="the window")
        program.command("Salir")
        program.wait_exit(10)

        again = harness.Program(self.session, program.exe)
        self.session.programs.append(again)
        again.start()
        self.assertIsNone(self.box())

    def test_a_file_named_screenshots_counts_as_found(self):
        program = self.session.new_program(first_run=True)
        with open(os.path.join(program.folder, "Screenshots"), "w") as f:
            f.write("not a folder")
        program.start()
        self.assertIsNone(self.box())
        self.assertTrue(os.path.isfile(os.path.join(program.folder, "Screenshots")))


class Placement(E2ECase):
    def tearDown(self):
        super().tearDown()
        self.session.set_screen("1280x1024")

    def placed(self, mode):
        self.session.set_screen(mode)
        program = self.session.new_program().start()
        window = program.main_window()
        self.assertEqual(program.text("Resolution"), mode.split("x")[0])
        self.session.end_programs()
        return window["left"], window["top"], window["height"]

    def test_placed_by_the_screen_width(self):
        # The table's spot, raised just enough to lie whole where the window (its menu bar on
        # two lines, or a taller font) would cross the screen's bottom edge.
        left, top, height = self.placed("1024x768")
        self.assertEqual((left, top), (853, min(566, 768 - height)))
        self.assertEqual(self.placed("1280x1024")[:2], (1106, 520))
        self.assertNotIn(self.placed("1366x768")[:2], [(853, 566), (1106, 520), (853, 768 - height)])


class Looks(E2ECase):
    def capture(self, program, name, strip_colour):
        """The window as a person sees it, kept as a picture, once its strip is painted in
        `strip_colour`: the top left 160 x 124 of its client area."""
        def painted():
            window = program.main_window()
            rows = self.session.pixels(window["left"], window["top"], window["width"], window["height"],
                                       keep_as=name)
            dx, dy = window["client_left"] - window["left"], window["client_top"] - window["top"]
            area = [row[dx:dx + 160] for row in rows[dy:dy + 124]]
            return area if len(area) > 113 and area[113].count(strip_colour) > 100 else None
        return wait_for(painted, 5, interval=0.2, what=f"{name}: the strip in {strip_colour:06X}")

    def test_banner_fills_the_client_area_and_the_strip_follows_the_state(self):
        program = self.session.new_program().start()
        self.session.focus(program.main_window()["xid"])
        off = self.capture(program, "main_window_off", 0x808080)  # grey while off
        # The banner's dark background in every corner above the strip.
        for x, y in ((1, 1), (158, 1), (1, 97), (158, 97)):
            self.assertLess(sum((off[y][x] >> s) & 0xFF for s in (0, 8, 16)), 3 * 0x40, (x, y, hex(off[y][x])))
        program.command("menuactivar")
        program.wait_text("estadoTxt", "True")
        self.capture(program, "main_window_on", 0x000000)  # black while on


class SiteLinks(E2ECase):
    def test_each_trigger_opens_the_one_address(self):
        record = os.path.join(self.session.tmp, "urls.txt")
        recorder = os.path.join(self.session.tmp, "browser.sh")
        with open(recorder, "w") as f:
            f.write(f'#!/bin/sh\necho "$1" >> "{record}"\n')
        os.chmod(recorder, stat.S_IRWXU)
        self.session.wine("reg", "add", r"HKCU\Software\Wine\WineBrowser", "/v", "Browsers", "/t", "REG_SZ", "/d",
                          recorder, "/f", check=True)
        program = self.session.new_program().start()
        window = program.main_window()

        def recorded():
            try:
                with open(record) as f:
                    return f.read().split()
            except FileNotFoundError:
                return []

        program.command("btlink")
        wait_for(lambda: len(recorded()) == 1, 15, what="the menu-bar link")
        program.command("FunctionsLink")
        wait_for(lambda: len(recorded()) == 2, 15, what="the popup link")
        for x, y, what in ((40, 30, "the banner"), (20, 107, "the name label")):
            count = len(recorded()) + 1
            for attempt in range(2):  # a click can be lost while X settles after a mode change
                self.session.focus(window["xid"])
                self.session.xdotool("mousemove", "--sync", window["client_left"] + x, window["client_top"] + y)
                self.session.xdotool("click", 1)
                try:
                    wait_for(lambda: len(recorded()) >= count, 8, what=what)
                    break
                except AssertionError:
                    if attempt == 1:
                        raise
        self.assertEqual(set(recorded()), {"https://lumeq.app/gamma"})
        self.assertEqual(len(recorded()), 4)


if __name__ == "__main__":
    unittest.main()
