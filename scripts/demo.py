"""Shows lumeq.exe running on a private headless X server, then stops everything."""

import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "harness"))
import harness  # noqa: E402


def main():
    session = harness.Session().start()
    try:
        print(f"X server {session.display} with gamma; Wine prefix {session.prefix}")
        program = session.new_program().start()
        window = program.main_window()
        print(f"lumeq gamma is running: window {window['width']}x{window['height']} at "
              f"({window['left']}, {window['top']}), gamma {program.text('estadoTxt')}")
        ramp = session.xramp()[0]
        print(f"display ramp before: entry 64 = {ramp[64]}")
        program.command("menuactivar")
        program.wait_text("estadoTxt", "True")
        print(f"Gamma > Activar: level {program.text('LbIndicador')}, entry 64 = {session.xramp()[0][64]}")
        for _ in range(3):
            program.command("menosGamma")
            time.sleep(0.3)
        print(f"Gamma > Disminuir x3: level {program.text('LbIndicador')}, entry 64 = {session.xramp()[0][64]}")
        program.command("Salir")
        program.wait_exit(10)
        print(f"Salir: display ramp back, entry 64 = {session.xramp()[0][64]}; demo over")
    finally:
        session.stop()


if __name__ == "__main__":
    main()
