"""Under Wine: the recount of 10,000 files in 100 folders (start-up with them, minus
start-up without them), one capture and save of the 1280 x 1024 screen (Ctrl+F2 to
the file written, less the 50 ms the hot key waits), and the capture and save timed inside
one process: the JPEG file the program writes beside the bitmap file it used to write.
Prints figures."""

import os
import statistics
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "harness"))
import harness  # noqa: E402

RUNS = 1 if os.environ.get("LUMEQ_BENCH_SMOKE") == "1" else 5


def start_time(session, files):
    times = []
    for _ in range(RUNS):
        program = session.new_program()
        shots = os.path.join(program.folder, "Screenshots")
        os.makedirs(shots, exist_ok=True)
        for folder in range(100 if files else 0):
            os.makedirs(os.path.join(shots, f"f{folder}"))
            for n in range(100):
                open(os.path.join(shots, f"f{folder}", f"screen_{n}.jpg"), "wb").close()
        start = time.monotonic()
        program.start()
        times.append((time.monotonic() - start) * 1000)
        program.kill()
    return statistics.median(times)


def main():
    session = harness.Session().start()
    try:
        empty = start_time(session, False)
        full = start_time(session, True)
        print(f"recount of 10,000 files in 100 folders under Wine: about {full - empty:.0f} ms "
              f"(start-up {full:.0f} ms with them, {empty:.0f} ms without; median of {RUNS})")
        program = session.new_program().start()
        shots = os.path.join(program.folder, "Screenshots")
        os.makedirs(shots, exist_ok=True)
        game, _ = session.start_game()
        session.key("ctrl+F1")
        program.wait_text("estadoTxt", "True")
        times = []
        for n in range(RUNS):
            start = time.monotonic()
            session.key("ctrl+F2")
            harness.wait_for(lambda: program.text("screenText") == str(n + 1), 10, interval=0.01)
            times.append((time.monotonic() - start) * 1000 - 50)
        print(f"capture and save of the 1280 x 1024 screen under Wine: median {statistics.median(times):.0f} ms "
              f"(includes reading the result back through the probe)")
        harness._end_process(game, grace=1)
        result = session.wine(os.path.join(harness.WINDOWS_DIR, "capture_bench.exe"), "C:\\", "9")
        for line in result.stdout.replace("\r", "").splitlines():
            kind, ms, _, size, _ = line.split()
            if kind == "floor":
                continue
            print(f"capture and save as {kind.upper()} (in one process, median of 9): {ms} ms, "
                  f"{int(size):,} bytes per 1280 x 1024 screenshot")
    finally:
        session.stop()


if __name__ == "__main__":
    main()
