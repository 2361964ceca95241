"""The Linux edition, natively on a private Xorg whose dummy driver has RandR CRTC gamma.
The program's own files and places: a missing HOME, hostile files, links another user planted, a second copy."""

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
            # The key goes where X's focus is: on the box, as a player's click puts it (whether a
            # new window takes the focus by itself is the window manager's choice). The main
            # window is not shown yet, so the program's one window on screen is the box.
            shown = wait_for(lambda: self.session.xdotool("search", "--onlyvisible", "--pid", program.proc.pid,
                                                          "--name", "^lumeq gamma$").stdout.split(),
                             10, what="the box on the screen")
            self.session.xdotool("windowactivate", "--sync", shown[0])
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


if __name__ == "__main__":
    unittest.main()
