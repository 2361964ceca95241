"""Start of lumeq.exe to its window shown under Wine, beside a minimal Win32 window
program started the same way, at 96 and at 144 dpi. Prints figures; asserts nothing."""

import os
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "harness"))
import harness  # noqa: E402

RUNS = 1 if os.environ.get("LUMEQ_BENCH_SMOKE") == "1" else 10


def time_to_window(session, exe, title):
    times = []
    for _ in range(RUNS):
        start = time.monotonic()
        proc = subprocess.Popen(["wine", exe], env=session.env(), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        # xdotool's own --sync polls only twice a second; poll faster ourselves.
        deadline = start + 30
        while time.monotonic() < deadline:
            found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{title}$"],
                                   env=session.env(), capture_output=True, text=True).stdout.strip()
            if found:
                break
            time.sleep(0.005)
        times.append((time.monotonic() - start) * 1000)
        proc.kill()
        proc.wait()
        time.sleep(0.3)
    return times


def main():
    session = harness.Session().start()
    try:
        program = session.new_program()
        game = os.path.join(harness.WINDOWS_DIR, "standin_game.exe")
        time_to_window(session, game, "Juego de prueba")[:1]  # warm the prefix up
        for dpi in (96, 144):
            session.set_dpi(dpi)
            for name, exe, title in (("minimal Win32 window", game, "Juego de prueba"),
                                     ("lumeq.exe", program.exe, "lumeq gamma")):
                t = time_to_window(session, exe, title)
                print(f"start to window shown at {dpi} dpi, {name:22s}: median {statistics.median(t):6.0f} ms, "
                      f"min {min(t):6.0f} ms, max {max(t):6.0f} ms ({RUNS} runs)")
    finally:
        session.stop()


if __name__ == "__main__":
    main()
