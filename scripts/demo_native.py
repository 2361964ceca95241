"""Shows lumeq-gamma (the Linux edition) brightening a private headless X server for real:
level 44's ramp read back from the server, then the server's own ramp back; then stops."""

import os
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "harness"))
import native  # noqa: E402

PROGRAM = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "build", "native", "lumeq-gamma")


def main():
    session = native.Session().start()
    try:
        home = tempfile.mkdtemp(prefix="home-", dir=session.tmp)
        os.makedirs(os.path.join(home, ".config", "lumeq"))
        os.makedirs(os.path.join(home, "Pictures", "lumeq"))  # not a first run: no welcome box
        with open(os.path.join(home, ".config", "lumeq", "level"), "w") as f:
            f.write("44\n")
        env = dict(session.env(), HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"),
                   XDG_STATE_HOME=os.path.join(home, ".state"), XDG_RUNTIME_DIR=home)
        program = subprocess.Popen([PROGRAM], env=env, stdout=subprocess.DEVNULL)
        session.other.append(program)
        native.wait_for(lambda: session.xdotool("search", "--onlyvisible", "--name", "^lumeq gamma$").stdout.strip(),
                        20, what="the main window")
        size = len(session.ramp()[0])
        print(f"X server {session.display}: output DUMMY0, RandR CRTC gamma of {size} entries")
        print(f"lumeq-gamma is running; the output's ramp, entry 64 = {session.ramp()[0][64]}")
        session.xdotool("key", "ctrl+F1")
        expected = native.resampled(native.level_ramp(44), size)
        native.wait_for(lambda: native.close_to(session.ramp()[0], expected), 5, what="level 44 on the output")
        print(f"Ctrl+F1: level 44 (stored), entry 64 = {session.ramp()[0][64]}: brighter, read back from the server")
        session.xdotool("key", "ctrl+F4")
        time.sleep(0.5)
        print(f"Ctrl+F4: level 45, entry 64 = {session.ramp()[0][64]}")
        program.terminate()
        program.wait(timeout=10)
        print(f"SIGTERM: the output's own ramp is back, entry 64 = {session.ramp()[0][64]}; demo over")
    finally:
        session.stop()


if __name__ == "__main__":
    main()
