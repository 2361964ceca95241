"""Time from the start of lumeq.exe to the display's own ramp given back, after a run
that was killed while boosted. Prints figures."""

import os
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "harness"))
import harness  # noqa: E402

RUNS = 1 if os.environ.get("LUMEQ_BENCH_SMOKE") == "1" else 5


def main():
    session = harness.Session().start()
    try:
        times = []
        for _ in range(RUNS):
            session.set_xramp_power(1.2)
            preset = session.xramp()[0][128]
            session.set_stored_level("37")
            program = session.new_program().start()
            program.command("menuactivar")
            program.wait_text("estadoTxt", "True")
            program.kill()
            start = time.monotonic()
            again = subprocess.Popen(["wine", program.exe], env=session.env(), stdout=subprocess.DEVNULL,
                                     stderr=subprocess.DEVNULL)
            while abs(session.xramp()[0][128] - preset) > harness.RAMP_TOLERANCE:
                if time.monotonic() - start > 20:
                    raise RuntimeError("the ramp was not given back")
            times.append((time.monotonic() - start) * 1000)
            again.kill()
            again.wait()
        print(f"start to recovered ramp after a kill: median {statistics.median(times):.0f} ms, "
              f"worst {max(times):.0f} ms ({RUNS} runs)")
    finally:
        session.stop()


if __name__ == "__main__":
    main()
