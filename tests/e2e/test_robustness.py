"""Never leave the screen stuck bright: a killed or crashed program, a ramp replaced
behind our back, the end of the session; and hostile settings that must not hurt."""

import os
import subprocess
import time
import unittest

import harness
from harness import E2ECase, wait_for

HEADER = "NO ELIMINAR MODIFICAR O MOVER ESTE ARCHIVO"
TEST_CRASH_MESSAGE = 0x8000 + 0x3C  # WM_APP + 0x3C, known only to the test build
WM_ENDSESSION = 0x16


def setUpModule():
    E2ECase.session = harness.module_session()


def tearDownModule():
    E2ECase.session.stop()


class NeverStuckBright(E2ECase):
    def has_record(self):
        return "CapturedRamps" in self.session.wine("reg", "query", harness.REG_KEY).stdout

    def boosted_at_37(self, **kwargs):
        self.session.set_xramp_power(1.2)
        preset = self.session.xramp()
        self.session.set_stored_level("37")
        program = self.session.new_program(**kwargs).start()
        program.command("menuactivar")
        program.wait_text("estadoTxt", "True")
        self.assertRampNear(self.session.xramp(), harness.level_ramp(37))
        return program, preset

    def test_killed_while_boosted_the_next_start_gives_the_ramp_back(self):
        program, preset = self.boosted_at_37()
        self.assertTrue(self.has_record())
        program.proc.kill()  # kill -9 of its Wine process
        program.proc.wait(timeout=10)
        self.assertRampNear(self.session.xramp(), harness.level_ramp(37))  # still bright

        again = self.session.new_program().start()
        # Recovery runs before the window is made, so by the time it shows the ramp is back.
        self.assertRampNear(self.session.xramp(), preset[0])
        self.assertFalse(self.has_record())
        self.assertEqual(again.text("estadoTxt"), "False")

    def test_a_ramp_replaced_behind_our_back_is_set_again(self):
        program, _ = self.boosted_at_37()
        self.session.set_xramp_power(2.0)  # a game sets its own ramp
        wait_for(lambda: max(abs(a - b) for a, b in zip(self.session.xramp()[0], harness.level_ramp(37))) <= 257,
                 2.5, what="level 37's ramp back")
        self.assertTrue(program.running())

    def test_a_crash_inside_a_handler_gives_the_ramp_back_before_the_end(self):
        program, preset = self.boosted_at_37()
        self.session.probe("post", TEST_CRASH_MESSAGE)
        program.wait_exit(15)
        self.assertRampNear(self.session.xramp(), preset[0])
        self.assertFalse(self.has_record())

    def test_the_end_of_the_session_gives_the_ramp_back(self):
        program, preset = self.boosted_at_37()
        self.session.wine("wineboot", "--end-session", timeout=60)
        wait_for(lambda: max(abs(a - b) for a, b in zip(self.session.xramp()[0], preset[0])) <= 257, 10,
                 what="the preset ramp back")
        # Right after the end of a session Wine's own services restart, and a first query
        # of the registry may come back empty: asked again until it answers.
        wait_for(lambda: self.session.stored_level() == "37", 10, interval=0.5, what="the level stored")
        self.assertFalse(self.has_record())

    def test_the_end_of_the_session_gives_the_ramp_back_for_good(self):
        # Switched on by a watched game that is still listed when the session ends: the
        # watcher's re-arm must not switch the boost on again after the restore. Wine's
        # own end of session ends every process at once, so Windows' message is posted.
        self.session.set_xramp_power(1.2)
        preset = self.session.xramp()
        self.session.set_stored_level("37")
        game, _ = self.session.start_game("hl.exe")
        try:
            program = self.session.new_program(ini=[HEADER, "0", "True", "hl.exe", "", "", "", "//End"]).start()
            program.wait_text("estadoTxt", "True", timeout=5)
            self.session.probe("post", WM_ENDSESSION, 1)
            wait_for(lambda: max(abs(a - b) for a, b in zip(self.session.xramp()[0], preset[0])) <= 257, 10,
                     what="the preset ramp back")
            time.sleep(1.5)  # the re-arm's 500 ms and a tick, had the watcher not been stopped
            self.assertRampNear(self.session.xramp(), preset[0])
            self.assertEqual(self.session.stored_level(), "37")
            self.assertFalse(self.has_record())
        finally:
            harness._end_process(game, grace=1)


class ThePlayersOwnRamp(E2ECase):
    """The ramp a player had before the boost is kept until a display really takes it back."""

    # Read as it is, refused when set: Wine takes no ramp that starts this high.
    OWN = [min(65535, 1000 + round((i / 255) ** 1.2 * 64535)) for i in range(256)]

    def test_a_refused_restore_is_never_overwritten_by_the_boost(self):
        self.session.set_xramp(self.OWN)
        own = [(v >> 8) * 257 for v in self.OWN]  # as Wine reads it back: 8 bits
        self.session.set_stored_level("37")
        program = self.session.new_program().start()
        for _ in range(2):  # Ctrl+F1 twice, and twice again
            program.command("menuactivar")
            program.wait_text("estadoTxt", "True")
            self.assertRampNear(self.session.xramp(), harness.level_ramp(37))
            program.command("menudesactivar")
            program.wait_text("estadoTxt", "False")
            self.assertEqual(self.session.recovery_record(), {r"\\.\DISPLAY1": own})
        self.assertEqual(program.indicator()[1], "lumeq Gamma      La pantalla no recuperó su gamma")
        program.command("Salir")
        program.wait_exit(10)
        # The next start tries again (Wine still refuses it) and keeps the record.
        self.session.new_program().start()
        self.assertEqual(self.session.recovery_record(), {r"\\.\DISPLAY1": own})

    def test_a_tampered_record_is_dropped_and_never_applied(self):
        dark = [i * 16 for i in range(256)]  # Wine would take it: never higher than 4080
        self.session.set_recovery_record(harness.record_bytes({r"\\.\DISPLAY1": dark}, version=2))
        before = self.session.xramp()
        program = self.session.new_program().start()
        self.assertRampNear(self.session.xramp(), before[0])
        self.assertIsNone(self.session.recovery_record())
        window, text = program.indicator()
        self.assertEqual(text, "lumeq Gamma      Gamma guardada no válida: descartada")

    def test_a_record_of_a_display_not_attached_is_kept_for_it(self):
        own = harness.power_ramp(1.1)
        self.session.set_recovery_record(harness.record_bytes({r"\\.\DISPLAY7": own}, version=2))
        before = self.session.xramp()
        self.session.new_program().start()
        self.assertRampNear(self.session.xramp(), before[0])
        self.assertIsNotNone(self.session.recovery_record(), "the record is gone")


class HostileInput(E2ECase):
    def starts_and_keeps_the_file(self, content):
        program = self.session.new_program(ini=content).start()
        self.assertTrue(program.main_window()["visible"])
        self.assertEqual(program.ini(), content, "the settings file changed by a read")
        return program

    def test_odd_settings_files(self):
        cases = {
            "a 10 MB line": f"{HEADER}\r\n".encode() + b"7" * (10 * 1024 * 1024) + b"\r\nFalse\r\n",
            "binary bytes": bytes(range(256)) * 64,
            "LF-only lines": f"{HEADER}\n3\nTrue\nhl.exe\n\n\n\n//End\n".encode(),
            "CR-only lines": f"{HEADER}\r4\rFalse\rhl.exe\r\r\r\r//End\r".encode(),
            "a byte-order mark": b"\xef\xbb\xbf" + f"{HEADER}\r\n5\r\nFalse\r\n".encode(),
            "no lines at all": b"",
            # Once ended the program inside Wine's edit control before its window showed.
            "a 64 KB binary file": open(os.path.join(os.path.dirname(__file__), "hostile",
                                                    "lumeq-ini-binary-64k.bin"), "rb").read(),
            "over the size cap": f"{HEADER}\r\n3\r\nTrue\r\n".encode() + b"x" * (64 * 1024),
        }
        for name, content in cases.items():
            with self.subcase(name):
                program = self.starts_and_keeps_the_file(content)
                if name == "LF-only lines":
                    self.assertEqual(program.text("screenText"), "3")
                    self.assertTrue(program.state("Check1")["checked"])
                if name == "CR-only lines":
                    self.assertEqual(program.text("screenText"), "4")
                if name == "over the size cap":  # not read: the program keeps its own values
                    self.assertEqual(program.text("screenText"), "0")
                    self.assertFalse(program.state("Check1")["checked"])

    def test_odd_stored_levels_fall_back_to_the_estimate(self):
        for kind, value in (("REG_SZ", "9" * (1024 * 1024)), ("REG_SZ", ""), ("REG_DWORD", "44")):
            with self.subcase(kind=kind, length=len(value)):
                self.session.delete_stored_level()
                if len(value) > 1000:
                    # Too long for a command line: written by a .reg file.
                    reg = os.path.join(self.session.prefix, "drive_c", "big.reg")
                    with open(reg, "w", encoding="utf-16") as f:
                        f.write("Windows Registry Editor Version 5.00\r\n\r\n"
                                "[HKEY_CURRENT_USER\\Software\\lumeq\\gamma\\GammaConfig]\r\n"
                                f'"Settings"="{value}"\r\n')
                    self.session.wine("regedit", "/S", reg, check=True, timeout=60)
                else:
                    self.session.wine("reg", "add", harness.REG_KEY, "/v", "Settings", "/t", kind, "/d", value,
                                      "/f", check=True)
                program = self.session.new_program().start()
                program.command("menuactivar")
                program.wait_text("estadoTxt", "True")
                self.assertEqual(program.text("LbIndicador"), "0.00")  # the estimate of the identity ramp
                self.assertRampSane(self.session.xramp())
                program.command("Salir")
                program.wait_exit(10)
                self.assertEqual(self.session.stored_level(), "40")

    def test_hostile_file_types_in_the_settings_place(self):
        canary = os.path.join(self.session.tmp, "canary")
        for kind in ("fifo", "folder", "zero"):
            with self.subcase(kind):
                with open(canary, "w") as f:
                    f.write("keep me")
                program = self.session.new_program(ini=None)
                ini = os.path.join(program.folder, "lumeq.ini")
                {"fifo": os.mkfifo, "folder": os.mkdir, "zero": lambda p: os.symlink("/dev/zero", p)}[kind](ini)
                os.symlink(canary, ini[:-1] + "~")  # where earlier versions made their temporary
                program.start()
                program.command("menuActivacion")
                program.click("btAutoactivar")  # a write the player asked for
                program.command("menuactivar")
                program.wait_text("estadoTxt", "True")
                program.command("menuCapturarPantalla")
                program.wait_text("ScreenNuevas", "1 nueva Screenshot")
                self.assertTrue(program.running())
                with open(canary) as f:
                    self.assertEqual(f.read(), "keep me")
                self.assertEqual(kind == "fifo", os.path.exists(ini) and not os.path.isfile(ini) and
                                 not os.path.isdir(ini) and not os.path.islink(ini))

    def test_long_and_non_ascii_watched_names(self):
        # No file name is longer than 259 characters: a longer name is cut there.
        long_name = "x" * 255 + ".exe"
        lines = [HEADER, "0", "True", "Ñandú.exe", long_name + "yyy", "", "", "//End"]
        program = self.session.new_program(ini=lines).start()
        self.assertEqual(program.text("busqueda_Proceso1"), "Ñandú.exe")
        self.assertEqual(program.text("busqueda_Proceso2"), long_name)
        lines[4] = long_name
        game, _ = self.session.start_game("ñandú.exe")
        try:
            wait_for(lambda: program.text("estadoTxt") == "True", 4, what="switched on by Ñandú.exe")
            program.command("menuActivacion")
            program.click("btAutoactivar")  # writes the file again
            self.assertEqual(program.ini(), "".join(line + "\r\n" for line in lines).encode("cp1252"))
        finally:
            harness._end_process(game, grace=1)

    def test_screenshots_path_near_max_path(self):
        program = self.session.new_program()
        deep = os.path.join(program.folder, *(["carpeta_muy_larga_" + "y" * 30] * 5))
        os.makedirs(os.path.join(deep, "Screenshots"))
        os.rename(program.exe, os.path.join(deep, "lumeq.exe"))
        os.rename(os.path.join(program.folder, "lumeq.ini"), os.path.join(deep, "lumeq.ini"))
        program.exe, program.folder = os.path.join(deep, "lumeq.exe"), deep
        program.start()
        program.command("menuactivar")
        program.wait_text("estadoTxt", "True")
        program.command("menuCapturarPantalla")
        wait_for(lambda: program.text("ScreenNuevas") in ("1 nueva Screenshot", "Screenshot no guardada"), 5,
                 what="the screenshot saved or told")
        self.assertTrue(program.running())

    def test_read_only_program_folder(self):
        # A first run whose Screenshots folder cannot be made: no information box (it would
        # come back at every start), but the player is told, plainly, where to put it.
        program = self.session.new_program(ini=[HEADER, "3", "False", "hl.exe", "", "", "", "//End"],
                                           first_run=True)
        before = program.ini()
        mounted = subprocess.run(["mount", "--bind", program.folder, program.folder], capture_output=True)
        if mounted.returncode != 0:
            self.skipTest("a read-only folder needs a bind mount: " + mounted.stderr.decode())
        try:
            subprocess.run(["mount", "-o", "remount,ro,bind", program.folder], check=True)
            program.start(wait_shown=False)
            box = wait_for(lambda: (lambda rc_out: rc_out[1].split("\n") if rc_out[0] == 0 else None)(
                self.session.probe("boxtext", "lumeq gamma")), 20, what="the player told")
            self.assertIn("lumeq gamma no puede escribir en su carpeta:", "\n".join(box))
            self.assertIn("Documentos", "\n".join(box))
            self.session.xdotool("windowactivate", "--sync", box[0])
            self.session.key("Return")
            wait_for(lambda: program.main_window() and program.main_window()["visible"], 10, what="the window")
            program.command("menuActivacion")
            program.click("btAutoactivar")  # the write fails
            program.command("menuactivar")
            program.wait_text("estadoTxt", "True")
            program.command("menuCapturarPantalla")
            program.wait_text("ScreenNuevas", "Screenshot no guardada")
            pixels = [p for row in program.pixels("ScreenNuevas") for p in row]
            self.assertGreater(sum(1 for p in pixels if p == 0xC00000), 20, "the failure is not seen")
            self.assertEqual(program.text("screenText"), "3")
            self.assertTrue(program.running())
            program.command("Salir")
            program.wait_exit(10)
        finally:
            subprocess.run(["umount", program.folder])
        self.assertEqual(program.ini(), before)


if __name__ == "__main__":
    unittest.main()
