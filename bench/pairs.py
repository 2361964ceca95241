"""Every figure beside the floor it could reach, measured in one run under Wine on a
private Xorg: hot key to ramp (one long-lived XTest client driving lumeq.exe, then a
minimal program that sets a ramp on WM_HOTKEY), start to window shown, the folder
recount, capture and save, memory after start, after 1,000 steps and after 100 captures,
and the idle CPU with the watcher on (lumeq.exe and the Wine server it keeps busy).
Prints a table and one line per pair, "ratio NAME OURS FLOOR RATIO" (the idle pair in
percent of one core, CPU time read to the nanosecond, beside a window that only takes the
process list once a second), and "idle-cpu PERCENT".
LUMEQ_BENCH_QUICK=1 runs each with fewer repetitions. Asserts nothing."""

import json
import os
import shutil
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "harness"))
import harness  # noqa: E402
import startup  # noqa: E402

# LUMEQ_BENCH_SMOKE=1: each step once, as briefly as it goes, so that the test command sees
# every step still run (its figures mean nothing).
SMOKE = os.environ.get("LUMEQ_BENCH_SMOKE") == "1"
QUICK = SMOKE or os.environ.get("LUMEQ_BENCH_QUICK") == "1"
# Even counts: xkeylat alternates Ctrl+F3 and Ctrl+F4, so the stored level ends where it began.
PRESSES = 4 if SMOKE else 60
WARM_UP_PRESSES = 2 if SMOKE else 6
IDLE_SECONDS = 1 if SMOKE else 30 if QUICK else 60  # for each of ours and the floor
HEADER = "NO ELIMINAR MODIFICAR O MOVER ESTE ARCHIVO"
BENCH_DIR = os.environ.get("LUMEQ_BENCH_DIR", os.path.join(harness.HERE, "..", "..", "build", "native", "bench"))
XKEYLAT = os.path.join(BENCH_DIR, "xkeylat")
rows = []


def pair(name, ours, floor, unit, note=""):
    rows.append((name, ours, floor, unit, note))


def key_latencies(session, window_xid):
    try:
        session.focus(window_xid)
    except AssertionError:  # the window manager was still placing it: once more
        session.xdotool("windowactivate", window_xid)
        session.focus(window_xid)
    # A few presses first, not counted: the first ones after a start meet caches and pages
    # that are cold (both for us and for the floor).
    for count in (WARM_UP_PRESSES, PRESSES):
        out = subprocess.run([XKEYLAT, str(count)], env=session.env(), capture_output=True, text=True, timeout=300,
                             check=True).stdout.split()
    times = [int(v) / 1000 for v in out if int(v) >= 0]
    return steady(times)


def steady(times):
    """The lower quartile: on two cores, the busy poll that reads the ramp back and the
    programs measured take turns, and the upper half of the figures is mostly that."""
    return statistics.quantiles(times, n=4)[0] if len(times) >= 4 else min(times, default=float("nan"))


def hotkey(session):
    # As a player uses it: a game has the focus and the keys reach the program only as hot
    # keys. (With the program's own window in front, its queue also gets the keys' ordinary
    # messages, which its dispatcher handles before it acts.)
    session.reset_display()
    game_proc, game = session.start_game()
    program = session.new_program().start()
    program.command("menuactivar")
    program.wait_text("estadoTxt", "True")
    ours = key_latencies(session, game["xid"])
    program.command("Salir")
    program.wait_exit(10)
    session.programs.clear()
    floor_proc = session.start_windows_program(os.path.join(harness.WINDOWS_DIR, "floor_hotkey.exe"))
    harness.wait_for(lambda: session.xdotool("search", "--onlyvisible", "--name", "^Floor hot key$").stdout.split(),
                     20, what="the floor program")
    floor = key_latencies(session, game["xid"])
    harness._end_process(floor_proc, grace=1)
    harness._end_process(game_proc, grace=1)
    session.reset_display()
    pair("hotkey", ours, floor, "ms", f"lower quartile of {PRESSES} presses with a game in front, XTest to the ramp read back")


def start_up(session):
    program = session.new_program()
    game = os.path.join(harness.WINDOWS_DIR, "standin_game.exe")
    # One start of each first, not counted (cold pages); then the two take turns, so that
    # whatever else the machine does weighs on both alike.
    startup.RUNS = 1
    floors, ours = [], []
    for run in range(1 + (1 if SMOKE else 8 if QUICK else 10)):
        floor_times = startup.time_to_window(session, game, "Juego de prueba")
        our_times = startup.time_to_window(session, program.exe, "lumeq gamma")
        if run:
            floors += floor_times
            ours += our_times
    floor, ours = steady(floors), steady(ours)
    pair("startup", ours, floor, "ms", "start to window shown (lower quartile), beside a minimal window program")


def recount(session):
    folder = os.path.join(session.prefix, "drive_c", "recount")
    for f in range(10 if SMOKE else 100):
        os.makedirs(os.path.join(folder, f"f{f}"))
        for n in range(100):
            with open(os.path.join(folder, f"f{f}", f"screen_{n}.jpg"), "wb") as out:
                out.write(b"x")
    runs = "1" if SMOKE else "9"
    out = session.wine(os.path.join(harness.WINDOWS_DIR, "recount_bench.exe"), "C:\\recount", runs).stdout
    figures = {line.split()[0]: line.split()[1:] for line in out.replace("\r", "").splitlines() if line.strip()}
    same = figures["ours"][1:] == figures["floor"][1:]
    pair("recount-wine", float(figures["ours"][0]), float(figures["floor"][0]), "ms",
         "10,000 files in 100 folders" + ("" if same else f" (counts differ: {figures})"))
    shutil.rmtree(folder)


def recount_native():
    # The search and the floor in turns over one tree, the median CPU time of each (the wall
    # clock of a walk over 10,000 files also counts what the rest of the machine does).
    out = subprocess.run([os.path.join(BENCH_DIR, "core_bench"), "--benchmark_filter=RecountPair",
                          f"--benchmark_min_time={0.01 if SMOKE else 2.0}", "--benchmark_format=json"],
                         capture_output=True, text=True, timeout=300, check=True).stdout
    result = json.loads(out)["benchmarks"][0]
    pair("recount-native", result["ours_ms"], result["floor_ms"], "ms",
         "10,000 files in 100 folders, the portable search over POSIX calls, in turns with the floor")


def capture(session):
    out = session.wine(os.path.join(harness.WINDOWS_DIR, "capture_bench.exe"), "C:\\",
                       "1" if SMOKE else "9").stdout
    figures = {line.split()[0]: float(line.split()[1]) for line in out.replace("\r", "").splitlines() if line.strip()}
    pair("capture", figures["jpeg"], figures["floor"], "ms",
         "1280 x 1024 as JPEG, beside a minimal capture to a JPEG file "
         f"(a bitmap file without encoding: {figures['bmp']:.0f} ms)")


def memory(session):
    def resources(*window):
        rc, out = session.probe("resources", *window)
        gdi, user, working, private = map(int, out.split())
        return gdi, user, working, private

    game_proc, _ = session.start_game()
    floor = resources("StandInGame", "Juego de prueba")
    harness._end_process(game_proc, grace=1)
    program = session.new_program().start()
    phases = [("after start", resources())]
    program.command("menuactivar")
    program.wait_text("estadoTxt", "True")
    session.focus(program.main_window()["xid"])
    steps = 10 if SMOKE else 200 if QUICK else 1000
    for _ in range(steps // 2):
        session.xdotool("key", "--delay", "2", "ctrl+F4", "ctrl+F3")
    program.wait_text("LbIndicador", "0.00")
    phases.append((f"after {steps} steps", resources()))
    captures = 2 if SMOKE else 20 if QUICK else 100
    for taken in range(1, captures + 1):
        session.key("ctrl+F2")
        program.wait_text("TxtScreenNuevas", str(taken), timeout=20)
    phases.append((f"after {captures} captures", resources()))
    print("memory (GDI objects, USER objects, working set MB, private MB):")
    print(f"  minimal window program: {floor[0]:4d} {floor[1]:4d} {floor[2] / 2**20:7.1f} {floor[3] / 2**20:7.1f}")
    for name, (gdi, user, working, private) in phases:
        print(f"  lumeq.exe {name:18s}: {gdi:4d} {user:4d} {working / 2**20:7.1f} {private / 2**20:7.1f}")
    # Wine 8 counts no private bytes (and no GDI or USER objects): the working set stands in.
    index, what = (3, "private bytes") if floor[3] else (2, "working set (Wine reports no private bytes)")
    pair("private-bytes", phases[-1][1][index] / 2**20, floor[index] / 2**20, "MB",
         f"{what} after {captures} captures, beside a minimal window program")


def cpu_seconds(pid):
    """CPU time of every thread of a process, to the nanosecond (the scheduler's own
    statistics): the clock ticks of /proc/PID/stat count 10 ms at a time, coarser than what
    an idle program spends in a minute."""
    total = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{task}/schedstat") as f:
                total += int(f.read().split()[0])
        except (FileNotFoundError, ProcessLookupError):
            pass  # a thread that ended between the listing and the read
    return total / 1e9


def idle_share(session, pid):
    """CPU seconds of a program and of the Wine server over half the window, past its start."""
    time.sleep(2)
    pids = [pid, session.wineserver.pid]
    before = [cpu_seconds(p) for p in pids]
    time.sleep(IDLE_SECONDS / 2)
    return [cpu_seconds(p) - b for p, b in zip(pids, before)]


def idle(session):
    # Ours and the floor (a window whose one-second timer takes the process list, the
    # watcher's rule, and nothing else) take turns, twice, so that whatever else the machine
    # does in the meantime weighs on both alike.
    ours, floor = [0.0, 0.0], [0.0, 0.0]
    for _ in range(2):
        program = session.new_program(ini=[HEADER, "0", "True", "hl.exe", "", "", "", "//End"]).start()
        ours = [t + u for t, u in zip(ours, idle_share(session, program.proc.pid))]
        program.kill()
        session.programs.clear()
        proc = session.start_windows_program(os.path.join(harness.WINDOWS_DIR, "floor_hotkey.exe"), "tick")
        harness.wait_for(lambda: session.xdotool("search", "--onlyvisible", "--name", "^Floor hot key$").stdout.strip(),
                         20, what="the floor program")
        floor = [t + u for t, u in zip(floor, idle_share(session, proc.pid))]
        harness._end_process(proc, grace=1)
    percent = sum(ours) / IDLE_SECONDS * 100
    floor_percent = sum(floor) / IDLE_SECONDS * 100
    print(f"idle {IDLE_SECONDS} s with the watcher on: lumeq.exe {ours[0] * 1000:.1f} ms, "
          f"Wine server {ours[1] * 1000:.1f} ms CPU")
    print(f"idle {IDLE_SECONDS} s of a window whose one-second timer takes the process list: program "
          f"{floor[0] * 1000:.1f} ms, Wine server {floor[1] * 1000:.1f} ms CPU")
    print(f"idle-cpu {percent:.3f}")
    print(f"idle-floor {floor_percent:.3f}")
    pair("idle", percent, floor_percent, "%", f"CPU of one core over {IDLE_SECONDS} s each, in turns, watcher on "
         "(with the Wine server's share), beside a window whose one-second timer takes the process list")


def main():
    session = harness.Session().start()
    try:
        for step in (hotkey, start_up, recount, capture, memory, idle):
            step(session)
            for program in session.programs:
                program.kill()
            session.programs.clear()
    finally:
        session.stop()
    recount_native()
    print_pairs(rows)


def print_pairs(pairs):
    """The table, then one "ratio NAME OURS FLOOR RATIO" line per pair."""
    print(f"{'pair':16s} {'ours':>10s} {'floor':>10s} {'ratio':>7s}  what")
    for name, ours, floor, unit, note in pairs:
        print(f"{name:16s} {ours:8.1f}{unit:>2s} {floor:8.1f}{unit:>2s} {ours / floor if floor else float('nan'):7.2f}  {note}")
    for name, ours, floor, _, _ in pairs:
        print(f"ratio {name} {ours:.2f} {floor:.2f} {ours / floor if floor else float('nan'):.2f}")


if __name__ == "__main__":
    main()
