"""Automatic activation with a watched program, the panels where the user sets it up,
and the settings file they keep."""

import time
import unittest

import harness
from harness import E2ECase, wait_for

HEADER = "NO ELIMINAR MODIFICAR O MOVER ESTE ARCHIVO"


def setUpModule():
    E2ECase.session = harness.module_session()


def tearDownModule():
    E2ECase.session.stop()


def ini_lines(program):
    data = program.ini()
    return None if data is None else data.decode("cp1252").split("\r\n")


class WatchedProgram(E2ECase):
    def setUp(self):
        super().setUp()
        self.games = []

    def tearDown(self):
        for proc in self.games:
            harness._end_process(proc, grace=1)
        super().tearDown()

    def game(self, name):
        proc, _ = self.session.start_game(name)
        self.games.append(proc)
        return proc

    def test_gamma_follows_the_watched_program(self):
        self.session.set_xramp_power(1.2)
        preset = self.session.xramp()
        self.session.set_stored_level("37")
        program = self.session.new_program(ini=[HEADER, "0", "True", "hl.exe", "", "", "", "//End"]).start()
        self.assertTrue(program.state("Check1")["checked"])
        program.wait_ticks(2)
        self.assertEqual(program.text("estadoTxt"), "False")

        proc = self.game("hl.exe")
        started = time.monotonic()
        wait_for(lambda: program.text("estadoTxt") == "True", 3, what="switched on with the game")
        wait_for(lambda: max(abs(a - b) for a, b in zip(self.session.xramp()[0], harness.level_ramp(37))) <= 257,
                 3 - (time.monotonic() - started) + 0.5, what="level 37's ramp")

        harness._end_process(proc, grace=1)
        wait_for(lambda: program.text("estadoTxt") == "False", 3, what="switched off after the game")
        self.assertRampNear(self.session.xramp(), preset[0])
        program.wait_ticks(2)  # and it stays off
        self.assertEqual(program.text("estadoTxt"), "False")

    def test_a_set_up_from_the_shipped_file_holds_after_a_restart(self):
        self.session.set_stored_level("37")
        program = self.session.new_program().start()  # the shipped file: automatic activation off
        program.command("menuActivacion")
        program.click("Check1")
        program.click("btOtrosProgramas")  # reads the stored "False" again
        self.assertTrue(program.type("busqueda_Proceso2", "juego.exe"))
        program.click("Command1")
        program.click("btAutoactivar")
        self.assertEqual(ini_lines(program)[2:5], ["True", "hl.exe", "juego.exe"])
        program.command("Salir")
        program.wait_exit(10)

        program.start()
        self.assertTrue(program.state("Check1")["checked"])
        self.game("juego.exe")
        wait_for(lambda: program.text("estadoTxt") == "True", 3, what="switched on with the game")

    def test_a_name_prefix_finds_longer_names_and_empty_names_nothing(self):
        program = self.session.new_program(ini=[HEADER, "0", "True", "", "", "", "", "//End"]).start()
        self.game("hlds.exe")
        program.wait_ticks(2)
        self.assertEqual(program.text("estadoTxt"), "False", "four empty names switched something")
        program.command("menuActivacion")
        program.click("btOtrosProgramas")
        self.assertTrue(program.type("busqueda_Proceso3", "hl"))
        program.click("Command1")
        wait_for(lambda: program.text("estadoTxt") == "True", 4, what="switched on by hl")
        self.assertEqual(ini_lines(program)[3:7], ["", "", "hl", ""])

    def test_aceptar_unticked_switches_off_and_keeps_the_names(self):
        program = self.session.new_program(ini=[HEADER, "4", "True", "hl.exe", "", "cs.exe", "", "//End"]).start()
        self.game("hl.exe")
        wait_for(lambda: program.text("estadoTxt") == "True", 4, what="switched on with the game")
        program.command("menuActivacion")
        self.assertTrue(program.state("FrActivacion")["visible"])
        program.click("Check1")  # untick
        self.assertFalse(program.state("btOtrosProgramas")["enabled"])
        program.click("btAutoactivar")
        program.wait_text("estadoTxt", "False", timeout=2)
        self.assertFalse(program.state("FrActivacion")["visible"])
        program.wait_ticks(2)  # the re-arm after 500 ms, and the ticks after it
        self.assertEqual(program.text("estadoTxt"), "False", "switched on again")
        self.assertEqual(ini_lines(program), [HEADER, "4", "False", "hl.exe", "", "cs.exe", "", "//End", ""])
        self.assertEqual(program.text("busqueda_Proceso1"), "DESACTIVAR.actualizar")
        # Ticking again brings the stored names back.
        program.command("menuActivacion")
        program.click("Check1")
        self.assertEqual(program.text("busqueda_Proceso1"), "hl.exe")
        self.assertEqual(program.text("busqueda_Proceso3"), "cs.exe")


class SettingsAtStartUp(E2ECase):
    def test_only_exactly_false_means_off(self):
        for flag, on in (("false", True), ("True", True), ("False", False)):
            with self.subTest(flag=flag):
                program = self.session.new_program(ini=[HEADER, "0", flag, "hl.exe", "", "", "", "//End"]).start()
                self.assertEqual(program.state("Check1")["checked"], on)
                self.assertEqual(program.state("btOtrosProgramas")["enabled"], on)
                self.assertEqual(program.text("txtActivacion"), "True" if on else "False")
                program.kill()

    def test_seven_lines_without_end_are_read_whole(self):
        program = self.session.new_program(ini=[HEADER, "7", "False", "hl.exe", " b ", "", "d.exe"]).start()
        self.assertEqual(program.text("screenText"), "7")
        self.assertEqual(program.text("busqueda_Proceso2"), " b ")
        self.assertEqual(program.text("busqueda_Proceso4"), "d.exe")

    def test_missing_file_starts_normally_and_the_next_write_creates_it(self):
        program = self.session.new_program(ini=None).start()
        self.assertIsNone(program.ini())
        self.assertEqual(program.text("txtActivacion"), "False")
        program.command("menuActivacion")
        program.click("btAutoactivar")
        self.assertEqual(ini_lines(program), [HEADER, "0", "False", "", "", "", "", "//End", ""])

    def test_panel_rules(self):
        program = self.session.new_program(ini=[HEADER, "0", "True", "hl.exe", "", "", "", "//End"]).start()
        program.command("menuActivacionauto")
        self.assertTrue(program.state("FrActivacion")["visible"])
        program.click("btOtrosProgramas")
        self.assertTrue(program.state("FrProgramas")["visible"])
        self.assertEqual(program.text("busqueda_Proceso1"), "hl.exe")
        self.assertFalse(program.type("busqueda_Proceso1", "other.exe"), "the first name box is not editable")
        self.assertTrue(program.type("busqueda_Proceso2", "typed.exe"))
        program.click("btOtrosProgramas")  # without "0k": the stored names come back
        self.assertEqual(program.text("busqueda_Proceso2"), "")
        self.assertTrue(program.type("busqueda_Proceso2", "  quake3.exe "))
        program.click("Command1")
        self.assertFalse(program.state("FrProgramas")["visible"])
        self.assertEqual(ini_lines(program)[4], "  quake3.exe ")
        self.assertTrue(program.ini().endswith(b"//End\r\n"))

    def test_both_panels_by_keyboard(self):
        program = self.session.new_program(ini=[HEADER, "0", "False", "hl.exe", "", "", "", "//End"]).start()
        self.session.xdotool("windowactivate", "--sync", program.main_window()["xid"])
        program.command("menuActivacion")
        wait_for(lambda: program.state("FrActivacion")["visible"], 5, what="the panel")
        self.session.key("space")  # the box, where the keyboard is when the panel opens
        wait_for(lambda: program.state("Check1")["checked"], 5, what="the box ticked")
        self.session.key("Tab")  # to "Otros programas", now enabled
        self.session.key("space")
        wait_for(lambda: program.state("FrProgramas")["visible"], 5, what="the names panel")
        self.session.key("Tab")  # from the second name box (the first cannot be edited) to the third
        self.session.key("shift+Tab")
        self.session.xdotool("type", "quake3.exe")
        self.session.key("Return")  # "0k"
        wait_for(lambda: not program.state("FrProgramas")["visible"], 5, what="the names confirmed")
        self.session.key("shift+Tab")
        self.session.key("Return")  # "Aceptar"
        wait_for(lambda: not program.state("FrActivacion")["visible"], 5, what="the panel confirmed")
        self.assertEqual(ini_lines(program)[2:5], ["True", "hl.exe", "quake3.exe"])
        self.assertEqual(program.text("estadoTxt"), "False", "nothing else changed")

    def test_the_watched_programs_panel_stays_in_front(self):
        program = self.session.new_program(ini=[HEADER, "0", "True", "hl.exe", "", "", "", "//End"]).start()
        program.command("menuActivacion")
        program.click("btOtrosProgramas")
        program.command("menuActivacion")  # chosen again while the names are open
        time.sleep(0.5)
        # A person still sees the green name boxes, not the panel behind them.
        pixels = [p for row in program.pixels("busqueda_Proceso2") for p in row]
        self.assertGreater(sum(1 for p in pixels if p == 0xC0FFC0), len(pixels) // 2)


if __name__ == "__main__":
    unittest.main()
