"""The Linux edition, natively on a private Xorg whose dummy driver has RandR CRTC gamma:
what a player sees and what the server's ramps hold."""

import os
import shutil
import signal
import sys
import subprocess
import time
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))

import native  # noqa: E402
from native import close_to, darkest, jpeg_size, level_ramp, resampled, wait_for

HEADER = "NO ELIMINAR MODIFICAR O MOVER ESTE ARCHIVO"


def level_table(level, size):
    return resampled(level_ramp(level), size)


def difference_from_the_screen(session, picture, program):
    """How far a picture is from what the whole root window shows now (RMSE, 0 to 1)."""
    reference = os.path.join(program.home, "root.png")
    subprocess.run(["import", "-window", "root", reference], env=session.env(), check=True, timeout=30)
    compared = subprocess.run(["compare", "-metric", "RMSE", picture, reference, "null:"], capture_output=True,
                              text=True, timeout=30)
    return float(compared.stderr.split("(")[1].rstrip(")"))


class NativeEdition(native.DeskCase):
    def boosted(self, level):
        return close_to(self.session.ramp()[0], level_table(level, len(self.session.initial_ramp[0])))

    def untouched(self):
        return self.session.ramp() == self.session.initial_ramp

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

    def strip_window(self):
        out = self.session.xdotool("search", "--onlyvisible", "--name", "^Gamma$").stdout.split()
        return out[0] if out else None

    def override_redirect_windows(self):
        tree = subprocess.run(["xwininfo", "-root", "-children"], env=self.session.env(), capture_output=True,
                              text=True, timeout=10).stdout
        found = []
        for line in tree.splitlines():
            line = line.strip()
            if line.startswith("0x"):
                xid = str(int(line.split()[0], 16))
                info = subprocess.run(["xwininfo", "-id", xid], env=self.session.env(), capture_output=True,
                                      text=True, timeout=10).stdout
                if "Override Redirect State: yes" in info and "Map State: IsViewable" in info:
                    found.append(xid)
        return found

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

    def test_without_home_the_users_own_folder_and_a_private_umask(self):
        program = self.session.new_program(screenshots_folder=False)
        # The password database (nss_wrapper stands in for it) names the home folder.
        passwd, group = os.path.join(program.home, "passwd"), os.path.join(program.home, "group")
        with open(passwd, "w") as f:
            f.write(f"root:x:0:0:root:{program.home}:/bin/sh\n")
        with open(group, "w") as f:
            f.write("root:x:0:\n")
        env = {k: v for k, v in program.env().items() if k not in ("HOME", "XDG_CONFIG_HOME", "XDG_STATE_HOME")}
        env.update(LD_PRELOAD=native.NSS_WRAPPER, NSS_WRAPPER_PASSWD=passwd, NSS_WRAPPER_GROUP=group)
        # Where a guess at /tmp would look, another user plants a link to the player's files.
        planted = "/tmp/.config/lumeq"
        made = not os.path.exists(planted)
        top = "/tmp/.config" if not os.path.exists("/tmp/.config") else planted  # only what we make goes
        canary = os.path.join(program.home, "players-file")
        with open(canary, "w") as f:
            f.write("keep me")
        if made:
            os.makedirs(planted)
            os.symlink(canary, os.path.join(planted, "level"))
        try:
            # A first run (no screenshots folder): the information box comes first, modal, before
            # the main window; Enter closes it and the window shows.
            program.start(env=env, umask=0o077, wait_shown=False)
            box = wait_for(lambda: program.probe("box"), 10, what="the first run's box")
            self.assertTrue(box.startswith("0 Información:"), box)
            self.session.xdotool("key", "Return")
            wait_for(lambda: program.window()["visible"], 10, what="the main window after the box")
            self.session.xdotool("key", "ctrl+F1")
            wait_for(lambda: self.boosted(39), 5, what="the boost on (no level stored: the estimate)")
            self.assertTrue(os.path.exists(program.record_path()))
            self.session.xdotool("key", "ctrl+F2")
            wait_for(lambda: os.path.exists(os.path.join(program.pictures, "screen_0.jpg")), 5, what="a picture")
            self.session.xdotool("key", "ctrl+F1")
            wait_for(self.untouched, 5, what="the boost off")
            program.proc.send_signal(signal.SIGTERM)
            self.assertEqual(program.proc.wait(timeout=10), 0)
        finally:
            if made:
                shutil.rmtree(top)
        with open(os.path.join(program.config, "level")) as f:
            self.assertEqual(f.read().strip(), "39")
        with open(canary) as f:
            self.assertEqual(f.read(), "keep me")
        made_here = [os.path.join(folder, name) for folder, _, names in os.walk(program.home) for name in names
                     if name not in ("passwd", "group", "players-file", "stderr.txt", "probe")]
        self.assertIn(os.path.join(program.config, "lumeq.ini"), made_here)
        for path in made_here:
            self.assertEqual(os.stat(path).st_mode & 0o077, 0, f"{path} is private under umask 077")

    # ----- the player's own ramp -----
    CALIBRATION = [min(65535, round((i / 255) ** 1.3 * 65535) + (i % 3)) for i in range(256)]

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

    def test_hostile_files_in_our_places_leave_the_program_responsive(self):
        canary = os.path.join(self.session.tmp, "canary")
        for kind in ("fifo", "folder", "zero"):
            with self.subTest(kind):
                with open(canary, "w") as f:
                    f.write("keep me")
                program = self.session.new_program()
                for path in (os.path.join(program.config, "lumeq.ini"), os.path.join(program.config, "level"),
                             program.record_path()):
                    os.makedirs(os.path.dirname(path), exist_ok=True)
                    {"fifo": os.mkfifo, "folder": os.mkdir, "zero": lambda p: os.symlink("/dev/zero", p)}[kind](path)
                program.start()
                self.session.xdotool("key", "ctrl+F1")
                wait_for(lambda: self.boosted(39), 5, what="the boost on (no level read: the estimate)")
                self.session.xdotool("key", "ctrl+F2")  # a screenshot writes the counter
                wait_for(lambda: os.path.exists(os.path.join(program.pictures, "screen_0.jpg")), 5, what="a picture")
                program.proc.send_signal(signal.SIGTERM)
                self.assertEqual(program.proc.wait(timeout=10), 0)
                self.assertTrue(self.untouched(), "SIGTERM gave the ramp back")
                with open(canary) as f:
                    self.assertEqual(f.read(), "keep me")
                self.assertEqual(program.strip()["text"] if program.running() else "", "")

    def test_links_another_user_planted_are_never_followed_and_ours_go_as_links(self):
        canary = os.path.join(self.session.tmp, "canary")
        with open(canary, "w") as f:
            f.write("keep me")
        program = self.session.new_program(level=44)
        foreign = os.path.join(program.config, "level")
        os.remove(foreign)
        os.symlink(canary, foreign)
        os.lchown(foreign, 65534, 65534)  # nobody's
        os.makedirs(program.state_dir)
        stale = os.path.join(self.session.tmp, "stale-record")
        program.write_record({"DUMMY0": self.CALIBRATION}, path=stale)
        os.symlink(stale, program.record_path())  # a record kept as a link (ours), of a run long gone
        program.start()
        wait_for(lambda: self.session.ramp()[0] == self.CALIBRATION, 10, what="the record's ramp back")
        self.assertFalse(os.path.lexists(program.record_path()), "the link goes, so the record cannot come back")
        self.assertTrue(os.path.exists(stale), "never what the link names")
        self.session.put_initial_ramp()
        self.session.xdotool("key", "ctrl+F1")
        wait_for(lambda: program.field("estadoTxt") == "True", 5, what="the boost on")
        self.session.xdotool("key", "ctrl+F4")
        self.session.xdotool("key", "ctrl+F1")  # the level is written at the switch-off
        wait_for(self.untouched, 5, what="the boost off")
        with open(canary) as f:
            self.assertEqual(f.read(), "keep me")

    def test_a_second_copy_is_turned_away(self):
        program = self.session.new_program().start()
        second = program.launch()
        self.session.other.append(second)
        box = wait_for(lambda: [w for w in self.session.xdotool("search", "--name", "^lumeq gamma$").stdout.split()
                                if w != self.main_xid(program)], 10, what="the box of the second copy")
        self.session.xdotool("windowactivate", "--sync", box[0])
        self.session.xdotool("key", "Return")
        self.assertEqual(second.wait(timeout=10), 0)
        self.assertIn("El programa ya está en ejecución! Acción cancelada.", program.stderr())
        self.assertTrue(program.running())
        self.assertIsNotNone(program.probe("window"))

    def main_xid(self, program):
        return program.probe("xid")

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

    def icon_geometry(self):
        """Where the program's icon lies inside trayer's panel: a docked child window."""
        for xid in self.session.xdotool("search", "--class", "trayer").stdout.split():
            tree = subprocess.run(["xwininfo", "-id", xid, "-tree"], env=self.session.env(), capture_output=True,
                                  text=True, timeout=10).stdout
            for line in tree.splitlines():
                if "lumeq" in line.lower() and "x" in line:
                    geometry = line.split(")")[-1].split()
                    for word in geometry:
                        if "+" in word and "x" in word:
                            size, *_ = word.split("+")
                            width, height = map(int, size.split("x"))
                            absolute = [w for w in geometry if w.startswith("+") and w.count("+") == 2]
                            if absolute:
                                left, top = map(int, absolute[-1].lstrip("+").split("+"))
                                return left, top, width, height
        return None


class OnAPlayersDesk(unittest.TestCase):
    """Two monitors (DUMMY1 right of DUMMY0), a tray and Night Color on the session bus, and
    the other programs a player's desk has."""

    @classmethod
    def setUpClass(cls):
        cls.session = native.Session(two_monitors=True).start()

    @classmethod
    def tearDownClass(cls):
        cls.session.stop()

    def setUp(self):
        self.session.put_initial_ramp()
        self.extra = []

    def tearDown(self):
        self.session.end_programs()
        for proc in self.extra:
            native._end_process(proc, grace=1)

    def boosted(self, level):
        return close_to(self.session.ramp()[0], level_table(level, 256))

    def untouched(self):
        return self.session.ramp() == self.session.initial_ramp

    def test_keys_work_mid_fight_and_inside_a_game_that_grabs_the_keyboard(self):
        program = self.session.new_program(level=40).start()
        level = 40
        for button in (1, 3):  # firing, aiming
            self.session.xdotool("mousedown", button)
            self.session.xdotool("key", "ctrl+F1")
            wait_for(lambda: self.boosted(level), 5, what=f"Ctrl+F1 with button {button} held")
            self.session.xdotool("key", "ctrl+F4")
            level += 1
            wait_for(lambda: self.boosted(level), 5, what=f"Ctrl+F4 with button {button} held")
            self.session.xdotool("key", "ctrl+F1")
            wait_for(lambda: program.field("estadoTxt") == "False", 5, what="the boost off")
            self.session.xdotool("mouseup", button)
        self.extra.append(self.session.hold("keyboard"))
        self.session.xdotool("key", "ctrl+F1")
        wait_for(lambda: self.boosted(42), 5, what="Ctrl+F1 while a game holds the keyboard")
        self.session.xdotool("key", "ctrl+F4")
        wait_for(lambda: self.boosted(43), 5, what="Ctrl+F4 while a game holds the keyboard")
        time.sleep(0.3)
        self.assertEqual(program.field("estado_txt"), "3.00", "one press, one step")

    def test_keys_the_desktop_holds_are_named_and_the_others_work(self):
        self.extra.append(self.session.hold("key", 3))
        program = self.session.new_program(level=40).start()
        self.assertEqual(program.probe("hotkeys"), "1 1 0 1")
        wait_for(lambda: "La combinación Ctrl+F3 ya la usa otro programa o el escritorio" in program.stderr(), 5,
                 what="the player told")
        self.session.xdotool("key", "ctrl+F1")
        wait_for(lambda: self.boosted(40), 5, what="Ctrl+F1")
        self.session.xdotool("key", "ctrl+F4")
        wait_for(lambda: self.boosted(41), 5, what="Ctrl+F4")

    def test_the_screenshot_and_the_strip_cover_both_monitors(self):
        program = self.session.new_program(level=40).start()
        self.session.start_game(at=(1400, 100))  # on DUMMY1
        self.session.xdotool("key", "ctrl+F1")
        wait_for(lambda: self.boosted(40), 5, what="the boost on")
        self.session.xdotool("key", "ctrl+F4")
        strip = wait_for(lambda: program.strip() if program.strip()["visible"] else None, 5, what="the strip")
        self.assertEqual((strip["left"], strip["top"]), (1280 + 100, 3), "on the game's monitor")
        self.session.xdotool("key", "ctrl+F2")
        picture = os.path.join(program.pictures, "screen_0.jpg")
        wait_for(lambda: os.path.exists(picture) and jpeg_size(picture), 5, what="screen_0.jpg")
        self.assertEqual(jpeg_size(picture), (2304, 1024))
        self.assertLess(difference_from_the_screen(self.session, picture, program), 0.05, "the picture is the screen's")

    def item_of(self, program):
        """The StatusNotifierItem a program registered: "item SERVICE PATH"."""
        self.session.bus_fakes_said("item ", timeout=0.2)
        pid = str(program.proc.pid)
        for line in reversed(self.session.bus_lines):
            if line and line.startswith("item "):
                owner = subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus",
                                        "/org/freedesktop/DBus", "org.freedesktop.DBus.GetConnectionUnixProcessID",
                                        "string:" + line.split()[1]], env=self.session.env(), capture_output=True,
                                       text=True, timeout=10).stdout
                if owner.split()[-1:] == [pid]:
                    return line
        return None

    def test_the_icon_on_a_status_notifier_tray(self):
        program = self.session.new_program(level=44).start()
        # The item this program registers (earlier programs registered theirs).
        line = wait_for(lambda: self.item_of(program), 10, what="the item registered")
        _, service, path = line.split()
        item = ["dbus-send", "--session", "--print-reply", f"--dest={service}", path]
        program.command("menuactivar")
        wait_for(lambda: self.boosted(44), 5, what="the boost on")
        # A click arrives as Activate and does what a double click does: the first marks the
        # window (shown at the start) as brought back from the icon, the next hides it, the
        # third brings it back.
        for visible in (True, False, True):
            subprocess.run([*item, "org.kde.StatusNotifierItem.Activate", "int32:0", "int32:0"],
                           env=self.session.env(), check=True, capture_output=True, timeout=10)
            wait_for(lambda: program.window()["visible"] == visible, 5, what=f"the window visible: {visible}")
        subprocess.run([*item, "org.kde.StatusNotifierItem.ContextMenu", "int32:300", "int32:300"],
                       env=self.session.env(), check=True, capture_output=True, timeout=10)
        wait_for(lambda: program.probe("popup") == "1", 5, what="the popup")
        self.session.xdotool("key", "Up")  # "Salir" is the popup's last entry
        self.session.xdotool("key", "Return")
        self.assertEqual(program.proc.wait(timeout=10), 0)
        self.assertTrue(self.untouched(), "Salir gave the ramp back")

    def test_a_night_light_is_let_be_and_night_color_holds_off(self):
        program = self.session.new_program(level=44).start()
        program.command("menuactivar")
        wait_for(lambda: self.boosted(44), 5, what="the boost on")
        self.assertTrue(self.session.bus_fakes_said("inhibit "), self.session.bus_lines)
        # A night light (here as Redshift) sets its own ramp every 2 s.
        tint = [round(i * 257 * 0.8) for i in range(256)]
        script = os.path.join(self.session.tmp, "night_light.py")
        with open(script, "w") as f:
            f.write(f"import sys, time\nsys.path.insert(0, {HERE!r})\nimport native\n"
                    f"while True:\n    native.write_crtc_ramp({self.session.display!r}, {tint!r})\n    time.sleep(2)\n")
        writer = subprocess.Popen(["bash", "-c", f"exec -a redshift python3 {script}"], env=self.session.env())
        self.extra.append(writer)
        told = "lumeq Gamma      Redshift cambia la gamma: lumeq gamma le cede la pantalla"
        rewrites, was_ours, deadline, settled = 0, True, time.monotonic() + 15, None
        # Until the program says it yields, and then one more of the night light's writes.
        while time.monotonic() < (settled or deadline):
            ours = self.boosted(44)
            rewrites += ours and not was_ours
            was_ours = ours
            if settled is None and program.probe("strip").split(" ", 5)[5] == told:
                settled = time.monotonic() + 2.5
            time.sleep(0.05)
        self.assertIsNotNone(settled, "the yield told in the strip")
        self.assertLessEqual(rewrites, 3)
        self.assertGreaterEqual(rewrites, 1)
        self.assertFalse(self.boosted(44), "the night light keeps the screen")
        native._end_process(writer, grace=1)
        program.command("menudesactivar")
        self.assertTrue(self.session.bus_fakes_said("uninhibit "), self.session.bus_lines)

    def test_a_launcher_that_becomes_the_game_is_seen_within_two_seconds(self):
        program = self.session.new_program(ini=[HEADER, "0", "True", "hl.exe", "", "", "", "//End"], level=43).start()
        launcher = subprocess.Popen(["bash", "-c", 'sleep 10; exec -a hl.exe sleep 30'])
        started = time.monotonic()
        self.extra.append(launcher)
        wait_for(lambda: self.boosted(43), 10 + 2.5, interval=0.05, what="the boost on within 2 s of the exec")
        self.assertGreater(time.monotonic() - started, 9.9, "on before the launcher became the game")

    # A gamma 1.1 calibration, and a night light at 1900 K: red whole, green 55 %, blue 10 %.
    GAMMA_11 = [round((i / 255) ** 1.1 * 65535) for i in range(256)]
    WARM = ([i * 257 for i in range(256)], [round(i * 257 * 0.55) for i in range(256)],
            [round(i * 257 * 0.10) for i in range(256)])

    def test_each_output_gets_its_own_ramp_after_a_kill_even_a_warm_one(self):
        try:
            native.write_crtc_ramp(self.session.display, self.GAMMA_11, index=0)
            native.write_crtc_ramp(self.session.display, self.WARM, index=1)
            program = self.session.new_program(level=45).start()
            self.session.xdotool("key", "ctrl+F1")
            wait_for(lambda: native.read_crtc_ramp(self.session.display, 1)[2] != self.WARM[2], 5,
                     what="DUMMY1 boosted")
            program.proc.send_signal(signal.SIGKILL)
            program.proc.wait(timeout=5)
            program.start(wait_shown=False)
            wait_for(lambda: program.probe("window") is not None, 20, what="the probe")
            self.assertEqual(native.read_crtc_ramp(self.session.display, 0)[0], self.GAMMA_11)
            self.assertEqual(tuple(native.read_crtc_ramp(self.session.display, 1)), self.WARM)
        finally:
            native.write_crtc_ramp(self.session.display, self.session.initial_ramp[0], index=1)

    def test_an_output_unplugged_while_boosted_gets_its_ramp_when_it_comes_back(self):
        try:
            # A warm night light's ramp is a display's own too.
            native.write_crtc_ramp(self.session.display, self.WARM, index=1)
            program = self.session.new_program(level=45).start()
            self.session.xdotool("key", "ctrl+F1")
            second = lambda: native.read_crtc_ramp(self.session.display, 1)[0]  # noqa: E731
            wait_for(lambda: close_to(second(), level_table(45, 256)), 5, what="DUMMY1 boosted")
            self.session.second_output(False)
            self.session.xdotool("key", "ctrl+F1")
            wait_for(self.untouched, 5, what="DUMMY0's own ramp back")
            self.assertTrue(os.path.exists(program.record_path()), "DUMMY1 is still owed its ramp")
            self.session.second_output(True)
            wait_for(lambda: tuple(native.read_crtc_ramp(self.session.display, 1)) == self.WARM, 5,
                     what="DUMMY1's own ramp back")
            wait_for(lambda: not os.path.exists(program.record_path()), 5, what="the record gone")
        finally:
            self.session.second_output(True)
            native.write_crtc_ramp(self.session.display, self.session.initial_ramp[0], index=1)



class WithoutRandr(unittest.TestCase):
    """X servers without RandR: the whole screen's ramp through XF86VidMode where the server
    has it; where it has neither, the program says so once and runs on."""

    def run_on_server(self, argv, check):
        session = native.Session()
        session.tmp = native.tempfile.mkdtemp(prefix="lumeq-norandr-")
        try:
            read_fd, write_fd = os.pipe()
            session.xorg = subprocess.Popen([*argv, "-displayfd", str(write_fd), "-extension", "RANDR", "-nolisten",
                                             "tcp"], pass_fds=(write_fd,), stdout=subprocess.DEVNULL,
                                            stderr=subprocess.DEVNULL)
            os.close(write_fd)
            with os.fdopen(read_fd) as f:
                session.display = ":" + f.readline().strip()
            check(session, session.new_program(level=44).start())
        finally:
            session.stop()

    def test_xf86vidmode_where_randr_is_missing(self):
        def check(session, program):
            ramp = lambda: [int(v) for v in subprocess.run([native.harness.XRAMP, "get"], env=session.env(),  # noqa
                                                           capture_output=True, text=True).stdout.split()[1:257]]
            before = ramp()
            program.command("menuactivar")
            wait_for(lambda: close_to(ramp(), level_ramp(44)), 5, what="level 44 through XF86VidMode")
            program.command("menudesactivar")
            wait_for(lambda: ramp() == before, 5, what="the screen's own ramp back")
        self.run_on_server(["Xorg", "-config", native.harness.XORG_CONF, "-noreset", "-sharevts", "-novtswitch",
                            "-logfile", "/dev/null"], check)

    def test_no_gamma_is_told_once_and_the_program_runs_on(self):
        def check(session, program):
            wait_for(lambda: "lumeq-gamma: El servidor X no ofrece gamma" in program.stderr(), 10, what="the message")
            program.command("menuactivar")
            session.xdotool("key", "ctrl+F4")
            time.sleep(1.5)
            self.assertTrue(program.running())
            self.assertEqual(program.stderr().count("lumeq-gamma: El servidor X no ofrece gamma"), 1, "told once")
        self.run_on_server(["Xvfb", "-screen", "0", "1024x768x24"], check)


if __name__ == "__main__":
    unittest.main()
