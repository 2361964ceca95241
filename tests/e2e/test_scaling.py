"""The program at every display scaling: 100, 125, 150 and 200 % (96, 120, 144 and 192
dpi), on screens of 1024 x 768, 1280 x 1024 and 1366 x 768. What a person sees: the
window on the screen, the whole banner, labels that neither overlap nor leave the window,
the strip's whole text on one line, and every caption of every panel whole. Pictures of
each are kept in the artefacts folder."""

import os
import unittest

import harness
from harness import E2ECase, wait_for

DPIS = (120, 144, 192)
SCREENS = ("1024x768", "1280x1024", "1366x768")
HEADER = "NO ELIMINAR MODIFICAR O MOVER ESTE ARCHIVO"
STRIP_TEXT = 0xE0E0E0
TEST_DPI_MESSAGE = 0x8000 + 0x3D  # WM_APP + 0x3D, known only to the test build


def setUpModule():
    E2ECase.session = harness.module_session()


def tearDownModule():
    E2ECase.session.stop()


def inside(inner, outer):
    return (inner[0] >= outer[0] and inner[1] >= outer[1] and inner[0] + inner[2] <= outer[0] + outer[2]
            and inner[1] + inner[3] <= outer[1] + outer[3])


def overlap(a, b):
    return a[0] < b[0] + b[2] and b[0] < a[0] + a[2] and a[1] < b[1] + b[3] and b[1] < a[1] + a[3]


class Scaling(E2ECase):
    def tearDown(self):
        super().tearDown()
        self.session.set_dpi(96)
        self.session.set_screen("1280x1024")

    def keep_picture(self, name, rect):
        """What a person sees there, kept as a picture; never a blank one. A window is
        placed before it is painted, so the picture is taken again for up to 5 s."""
        def shown():
            pixels = self.session.pixels(*rect, keep_as="scaling/" + name)
            return pixels if len({p for row in pixels for p in row}) > 2 else None
        return wait_for(shown, 5, interval=0.2, what=f"{name}: something shown, not a blank picture")

    def test_the_main_window_lies_whole_on_every_screen(self):
        for dpi in DPIS:
            self.session.set_dpi(dpi)
            for screen in SCREENS:
                with self.subcase(dpi=dpi, screen=screen):
                    self.session.set_screen(screen)
                    width, height = map(int, screen.split("x"))
                    program = self.session.new_program().start()
                    window = program.main_window()
                    outer = (window["left"], window["top"], window["width"], window["height"])
                    self.keep_picture(f"main-{dpi}dpi-{screen}", outer)
                    self.assertTrue(inside(outer, (0, 0, width, height)), f"window {outer} off the {screen} screen")
                    client = (window["client_left"], window["client_top"], window["client_width"],
                              window["client_height"])
                    self.assertTrue(inside(program.rect("Image1"), client), "the banner is cut")
                    labels = {name: program.rect(name) for name in ("Label3", "LbIndicador", "Label4")}
                    for name, rect in labels.items():
                        self.assertTrue(inside(rect, client), f"{name} {rect} leaves the client area {client}")
                    names = list(labels)
                    for i, a in enumerate(names):
                        for b in names[i + 1:]:
                            self.assertFalse(overlap(labels[a], labels[b]), f"{a} and {b} overlap")

    def test_a_move_to_a_monitor_of_another_scaling_lays_everything_out_again(self):
        # What Windows' WM_DPICHANGED brings, through the test build's own trigger: Wine
        # has one monitor and one DPI.
        program = self.session.new_program().start()
        self.session.probe("post", TEST_DPI_MESSAGE, 144)
        wait_for(lambda: program.rect("Image1")[2] == 240, 5, what="the banner at 144 dpi")
        window = program.main_window()
        outer = (window["left"], window["top"], window["width"], window["height"])
        self.keep_picture("main-moved-to-144dpi", outer)
        self.assertTrue(inside(outer, (0, 0, 1280, 1024)), f"window {outer} off the screen")
        client = (window["client_left"], window["client_top"], window["client_width"], window["client_height"])
        self.assertTrue(inside(program.rect("Image1"), client), "the banner is cut")
        self.assertEqual(program.rect("Label3")[3], 24)  # 240 twips at 144 dpi
        for name in ("Label3", "LbIndicador", "Label4"):
            self.assertTrue(inside(program.rect(name), client), f"{name} leaves the client area")

    def strip_text_extent(self, dpi):
        """The strip after a step down: its picture, and the horizontal extent of its text."""
        self.session.set_dpi(dpi)
        program = self.session.new_program().start()
        program.command("menuactivar")
        program.wait_text("estadoTxt", "True")
        self.session.focus(program.main_window()["xid"])
        self.session.key("ctrl+F3")
        wait_for(lambda: program.indicator()[0] and program.indicator()[0]["top"] >= 0, 5, what="the strip shown")
        strip = program.indicator()[0]
        rect = (strip["left"], strip["top"], strip["width"], strip["height"])
        pixels = self.keep_picture(f"strip-{dpi}dpi", rect)
        text = [(x, y) for y, row in enumerate(pixels) for x, p in enumerate(row) if p == STRIP_TEXT]
        self.assertTrue(text, "no text on the strip")
        xs = [x for x, _ in text]
        ys = [y for _, y in text]
        self.assertLess(max(ys), strip["height"] - 1, f"text touches the strip's bottom edge at {dpi} dpi")
        self.assertLess(max(xs), strip["width"] - 1, f"text runs into the strip's right edge at {dpi} dpi")
        # One line: no taller than the font's own height, which scales with the dpi.
        self.assertLessEqual(max(ys) - min(ys) + 1, 12 * dpi // 96, f"more than one line at {dpi} dpi")
        self.session.end_programs()
        return max(xs) - min(xs) + 1

    def test_the_strip_shows_its_whole_text_on_one_line(self):
        at96 = self.strip_text_extent(96)
        for dpi in DPIS:
            with self.subcase(dpi=dpi):
                extent = self.strip_text_extent(dpi)
                self.assertAlmostEqual(extent / at96, dpi / 96, delta=0.2 * dpi / 96,
                                       msg=f"text {extent} px at {dpi} dpi, {at96} px at 96")

    def test_every_caption_of_every_panel_is_whole(self):
        for dpi in (96,) + DPIS:
            with self.subcase(dpi=dpi):
                self.session.set_dpi(dpi)
                program = self.session.new_program(ini=[HEADER, "0", "True", "hl.exe", "", "", "", "//End"])
                shots = os.path.join(program.folder, "Screenshots")
                for n in range(40):
                    open(os.path.join(shots, f"screen_{n}.jpg"), "wb").close()
                program.start()
                window = program.main_window()
                client = (window["client_left"], window["client_top"], window["client_width"],
                          window["client_height"])
                self.keep_picture(f"warning-{dpi}dpi", client)
                self.assertCaptionsFit(program, ("Label6", "Label7", "Command2", "btadveroOK"))
                program.command("menuActivacion")
                wait_for(lambda: program.state("FrActivacion")["visible"], 5, what="the panel")
                self.keep_picture(f"activation-{dpi}dpi", client)
                self.assertCaptionsFit(program, ("Label5", "Check1", "btOtrosProgramas", "btAutoactivar"))
                program.click("btOtrosProgramas")
                self.keep_picture(f"programs-{dpi}dpi", client)
                self.assertCaptionsFit(program, ("Label9", "Command1"))
                for name in ("Frame3", "FrActivacion", "FrProgramas", "busqueda_Proceso4"):
                    self.assertTrue(inside(program.rect(name), client), f"{name} is cut by the window's edge")
                program.command("btInformacion")
                rect = wait_for(lambda: self.box_rect("lumeq gamma"), 10, what="the information box")
                self.keep_picture(f"information-{dpi}dpi", rect)
                self.assertTrue(inside(rect, (0, 0, 1280, 1024)), f"the information box {rect} leaves the screen")

    def box_rect(self, title):
        rc, out = self.session.probe("boxrect", title)
        return tuple(map(int, out.split())) if rc == 0 else None

    def assertCaptionsFit(self, program, names):
        for name in names:
            fits, need, have = program.caption_fits(name)
            self.assertTrue(fits, f"{name}: its caption needs {need}, the control gives {have}")


if __name__ == "__main__":
    unittest.main()
