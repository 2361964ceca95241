"""Hot key pressed (xdotool) to the new ramp read back on the X server, 50 presses,
beside the cost of one SetDeviceGammaRamp call under Wine (the floor). Prints figures."""

import os
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import harness  # noqa: E402

PRESSES = 50


def main():
    session = harness.Session().start()
    try:
        session.reset_display()
        program = session.new_program().start()
        game_proc, _ = session.start_game()
        session.key("ctrl+F1")
        program.wait_text("estadoTxt", "True")
        # Levels 39 and 40 are both taken by Wine, so every press changes the ramp.
        targets = {39: harness.level_ramp(39)[128], 40: harness.level_ramp(40)[128]}
        level, times = 40, []
        for i in range(PRESSES):
            combo, level = ("ctrl+F3", 39) if level == 40 else ("ctrl+F4", 40)
            start = time.monotonic()
            subprocess.run(["xdotool", "key", "--delay", "0", combo], env=session.env(), check=True)
            while abs(session.xramp()[0][128] - targets[level]) > harness.RAMP_TOLERANCE:
                if time.monotonic() - start > 5:
                    raise RuntimeError(f"press {i}: the ramp did not change")
            times.append((time.monotonic() - start) * 1000)
        floor = session.probe("gammatime", 200)[1].strip()
        print(f"hot key to ramp on the X server: median {statistics.median(times):.1f} ms, "
              f"worst {max(times):.1f} ms ({PRESSES} presses, including xdotool's own start)")
        print(f"one SetDeviceGammaRamp call under Wine: {float(floor) / 1000:.2f} ms")
        harness._end_process(game_proc, grace=1)
    finally:
        session.stop()


if __name__ == "__main__":
    main()
