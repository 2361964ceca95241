"""Screenshots with Ctrl+F2 and the folder statistics that watch over them."""

import os
import subprocess
import time
import unittest

import harness
from harness import E2ECase, wait_for

HEADER = "NO ELIMINAR MODIFICAR O MOVER ESTE ARCHIVO"


def setUpModule():
    E2ECase.session = harness.module_session()


def tearDownModule():
    E2ECase.session.stop()


class Capture(E2ECase):
    def setUp(self):
        super().setUp()
        self.program = self.session.new_program(ini=[HEADER, "0", "False", "hl.exe", "", "cs.exe", "", "//End"]).start()
        self.shots = os.path.join(self.program.folder, "Screenshots")
        self.game_proc, self.game = self.session.start_game()

    def tearDown(self):
        harness._end_process(self.game_proc, grace=1)
        super().tearDown()

    def shot(self, n):
        return os.path.join(self.shots, f"screen_{n}.jpg")

    def test_ctrl_f2_saves_the_screen_counts_and_keeps_the_settings(self):
        self.session.key("ctrl+F1")
        self.program.wait_text("estadoTxt", "True")
        self.session.key("ctrl+F2")
        wait_for(lambda: self.program.text("ScreenNuevas") == "1 nueva Screenshot", 5, what="the first screenshot")
        screen = os.path.join(self.session.tmp, "screen.png")
        subprocess.run(["import", "-window", "root", screen], env=self.session.env(), check=True, timeout=30)

        with open(self.shot(0), "rb") as f:
            self.assertEqual(f.read(3), b"\xff\xd8\xff")  # a real JPEG, not a bitmap under a .jpg name
        info = subprocess.run(["identify", "-format", "%m %w %h", self.shot(0)], capture_output=True, text=True,
                              check=True).stdout
        self.assertEqual(info, "JPEG 1280 1024")
        error = subprocess.run(["compare", "-metric", "RMSE", self.shot(0), screen, "null:"], capture_output=True,
                               text=True).stderr
        self.assertLess(float(error.split("(")[1].rstrip(")")), 0.03, "the picture is not the screen: " + error)
        self.assertLess(os.path.getsize(self.shot(0)), 1_000_000)

        # A person sees the count over the banner: its rectangle shows the label's
        # background and its red text, not the banner.
        pixels = [p for row in self.program.pixels("ScreenNuevas") for p in row]
        self.assertGreater(sum(1 for p in pixels if p == 0x4C5844), len(pixels) // 2, "the label is not seen")
        self.assertGreater(sum(1 for p in pixels if p == 0xC00000), 20, "its text is not seen")
        self.assertEqual(self.program.ini(),
                         f"{HEADER}\r\n1\r\nFalse\r\nhl.exe\r\n\r\ncs.exe\r\n\r\n//End\r\n".encode())
        self.assertEqual(self.session.probe("clipboard")[1].strip(), "1 1280 1024")  # pasted: the screen
        self.assertEqual(self.session.active_window(), self.game["xid"])

        self.session.key("ctrl+F2")
        wait_for(lambda: self.program.text("ScreenNuevas") == "2 nuevas Screenshots", 5, what="the second one")
        self.assertTrue(os.path.exists(self.shot(1)))
        self.assertEqual(self.program.text("screenText"), "2")
        self.assertEqual(self.program.text("txtCantidad"), "2")

    def test_ctrl_f2_while_off_saves_nothing(self):
        self.session.key("ctrl+F2")
        time.sleep(1.0)
        self.assertEqual(os.listdir(self.shots), [])
        self.assertEqual(self.program.text("screenText"), "0")

    def test_deleted_folder_comes_back_and_a_taken_name_is_passed_over(self):
        self.session.key("ctrl+F1")
        self.program.wait_text("estadoTxt", "True")
        os.rmdir(self.shots)
        self.session.key("ctrl+F2")
        wait_for(lambda: os.path.exists(self.shot(0)), 5, what="the folder made again")
        self.program.wait_text("screenText", "1")
        os.makedirs(self.shot(1))  # a folder where the next picture would go
        self.session.key("ctrl+F2")
        self.program.wait_text("screenText", "3")
        self.assertTrue(os.path.isdir(self.shot(1)))
        self.assertTrue(os.path.isfile(self.shot(2)))
        self.assertEqual(self.program.text("ScreenNuevas"), "2 nuevas Screenshots")


class NeverOverwrites(E2ECase):
    def boosted(self, counter):
        program = self.session.new_program(ini=[HEADER, counter, "False", "hl.exe", "", "", "", "//End"]).start()
        program.command("menuactivar")
        program.wait_text("estadoTxt", "True")
        return program, os.path.join(program.folder, "Screenshots")

    def capture(self, program, taken):
        program.command("menuCapturarPantalla")
        program.wait_text("TxtScreenNuevas", str(taken))

    def test_the_largest_counter_goes_on_and_never_wraps_onto_screen_0(self):
        program, shots = self.boosted("18446744073709551615")
        with open(os.path.join(shots, "screen_0.jpg"), "wb") as f:
            f.write(b"the player's first screenshot")
        self.capture(program, 1)
        self.capture(program, 2)
        self.assertEqual(sorted(os.listdir(shots)), ["screen_0.jpg", "screen_18446744073709551615.jpg",
                                                     "screen_18446744073709551616.jpg"])
        with open(os.path.join(shots, "screen_0.jpg"), "rb") as f:
            self.assertEqual(f.read(), b"the player's first screenshot")
        self.assertEqual(program.ini().split(b"\r\n")[1], b"18446744073709551617")

    def test_an_unwritable_settings_file_never_costs_a_screenshot(self):
        program, shots = self.boosted("0")
        ini = os.path.join(program.folder, "lumeq.ini")
        mounted = subprocess.run(["mount", "--bind", ini, ini], capture_output=True)
        if mounted.returncode != 0:
            self.skipTest("a read-only file needs a bind mount: " + mounted.stderr.decode())
        try:
            subprocess.run(["mount", "-o", "remount,ro,bind", ini], check=True)
            self.capture(program, 1)
            with open(os.path.join(shots, "screen_0.jpg"), "rb") as f:
                first = f.read()
            # Ticking automatic activation reads the file again, which still says 0.
            program.command("menuActivacion")
            program.click("Check1")
            self.capture(program, 2)
            program.kill()
            program.start()  # and so does a restart
            program.command("menuactivar")
            program.wait_text("estadoTxt", "True")
            self.capture(program, 1)
        finally:
            subprocess.run(["umount", ini])
        self.assertEqual(sorted(os.listdir(shots)), ["screen_0.jpg", "screen_1.jpg", "screen_2.jpg"])
        with open(os.path.join(shots, "screen_0.jpg"), "rb") as f:
            self.assertEqual(f.read(), first)


class FolderWarning(E2ECase):
    def program_with_files(self, count):
        program = self.session.new_program()
        shots = os.path.join(program.folder, "Screenshots")
        os.makedirs(os.path.join(shots, "x.jpg"))  # a folder whose name matches counts as a file
        os.makedirs(os.path.join(shots, "old"))
        with open(os.path.join(shots, "old", "a.jpg"), "wb") as f:
            f.write(b"\0" * 50_000)
        for i in range(count - 2):
            with open(os.path.join(shots, f"screen_{i}.jpg"), "wb") as f:
                f.write(b"\0" * 100_000)
        with open(os.path.join(shots, "notes.txt"), "w") as f:
            f.write("not counted")
        return program

    def test_forty_files_show_the_warning_and_the_window(self):
        program = self.program_with_files(40)
        program.start()
        self.assertEqual(program.text("txtCantidad"), "40")
        self.assertTrue(program.state("Frame3")["visible"])
        self.assertEqual(program.text("Label6"), "La carpeta Screenshots contiene un total de:40 archivos")
        self.assertEqual(program.text("Label7"), "El tamaño total de los archivos es de: 03.9MB")
        self.assertEqual(program.text("txtOculta"), "Si")
        window = program.main_window()
        self.assertTrue(window["visible"])
        program.click("btadveroOK")
        self.assertFalse(program.state("Frame3")["visible"])
        # The label strip has turned red (the warning, whose captions take three lines in
        # Wine's font, lay over it until now).
        # Waited for: the panel goes at once, the strip is painted when the window gets to it.
        def red():
            row = self.session.pixels(window["client_left"], window["client_top"] + 113, 160, 1)[0]
            return sum(1 for p in row if p == 0xFF0000) > 100 or None
        wait_for(red, 5, interval=0.1, what="the label strip painted red")

    def test_thirty_nine_files_show_no_warning(self):
        program = self.program_with_files(39).start()
        self.assertEqual(program.text("txtCantidad"), "39")
        self.assertFalse(program.state("Frame3")["visible"])

    def test_abrir_carpeta_opens_the_folder(self):
        program = self.session.new_program().start()
        os.makedirs(os.path.join(program.folder, "Screenshots"), exist_ok=True)
        program.command("menuAbrirDirectorio")
        wait_for(lambda: self.session.xdotool("search", "--onlyvisible", "--name", "^Screenshots$").stdout.strip(),
                 15, what="the folder's window")


if __name__ == "__main__":
    unittest.main()
