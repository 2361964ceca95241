"""The Linux edition's figures beside their floors, natively on a private Xorg: hot key to
ramp (one long-lived XTest client driving lumeq-gamma, then a minimal xcb program that
grabs the keys and sets a CRTC ramp), start to window shown and resident memory (beside a
minimal Qt 6 window program), and the idle CPU with the watcher on among 500 processes
(lumeq-gamma and the X server). Prints a table, "ratio NAME OURS FLOOR RATIO" lines and
"native-idle-cpu PERCENT" (the idle pair is "ratio native-idle ..."). LUMEQ_BENCH_QUICK=1 runs
fewer repetitions. Asserts nothing."""

import os
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tests", "harness"))
import native  # noqa: E402
import pairs  # noqa: E402

BUILD = os.path.join(HERE, "..", "build", "native")
PROGRAM = os.path.join(BUILD, "lumeq-gamma")
XKEYLAT = os.path.join(BUILD, "bench", "xkeylat")
FLOOR_HOTKEY = os.path.join(BUILD, "bench", "floor_hotkey_xcb")
FLOOR_WINDOW = os.path.join(BUILD, "bench", "floor_qt_window")
XWAITWIN = os.path.join(BUILD, "bench", "xwaitwin")
FLOOR_TICK = os.path.join(BUILD, "bench", "floor_proc_tick")
SMOKE = pairs.SMOKE
QUICK = pairs.QUICK
PRESSES = pairs.PRESSES
STARTS = 1 if SMOKE else 8 if QUICK else 10
IDLE_SECONDS = pairs.IDLE_SECONDS
CROWD = 0 if SMOKE else 500
HEADER = "NO ELIMINAR MODIFICAR O MOVER ESTE ARCHIVO"
rows = []


def home(session, ini=None):
    folder = tempfile.mkdtemp(prefix="home-", dir=session.tmp)
    os.makedirs(os.path.join(folder, ".config", "lumeq"))
    os.makedirs(os.path.join(folder, "Pictures", "lumeq"))
    with open(os.path.join(folder, ".config", "lumeq", "level"), "w") as f:
        f.write("40\n")
    if ini:
        with open(os.path.join(folder, ".config", "lumeq", "lumeq.ini"), "wb") as f:
            f.write(("\r\n".join(ini) + "\r\n").encode())
    return dict(session.env(), HOME=folder, XDG_CONFIG_HOME=os.path.join(folder, ".config"),
                XDG_STATE_HOME=os.path.join(folder, ".state"), XDG_RUNTIME_DIR=folder)


def start(session, env, name, argv):
    """Starts a program through xwaitwin: the milliseconds to its window shown, and its PID."""
    result = subprocess.run([XWAITWIN, name, *argv], env=env, capture_output=True, text=True, timeout=60)
    return float(result.stdout), int(result.stderr.split()[0])


def end(pid):
    """Ends a program that xwaitwin started (not our child): SIGTERM, then SIGKILL."""
    try:
        os.kill(pid, 15)
        for _ in range(100):
            if not os.path.exists(f"/proc/{pid}"):
                return
            time.sleep(0.05)
        os.kill(pid, 9)
    except ProcessLookupError:
        pass


def resident_kb(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def latencies(session, presses):
    out = subprocess.run([XKEYLAT, str(presses), "randr"], env=session.env(), capture_output=True, text=True,
                         timeout=300, check=True).stdout.split()
    return [int(v) / 1000 for v in out if int(v) >= 0]


def hotkey(session):
    # The two take turns, a block of presses each, so that a slow minute of the machine falls
    # on both alike; the lower quartile of each one's presses over all its blocks.
    blocks = 1 if SMOKE else 4
    presses = max(1, PRESSES // blocks)
    env = home(session)
    ours, theirs = [], []
    for _ in range(blocks):
        _, pid = start(session, env, "lumeq gamma", [PROGRAM])
        session.xdotool("key", "ctrl+F1")
        time.sleep(0.5)
        ours += latencies(session, presses)
        end(pid)
        floor = subprocess.Popen([FLOOR_HOTKEY], env=session.env())
        time.sleep(0.5)
        theirs += latencies(session, presses)
        native._end_process(floor)
        session.put_initial_ramp()
    rows.append(("native-hotkey", pairs.steady(ours), pairs.steady(theirs), "ms",
                 f"lower quartile of {blocks * presses} presses in {blocks} turns, XTest to the CRTC ramp read back"))


def start_up_and_memory(session):
    ours, theirs, our_rss, their_rss = [], [], [], []
    for _ in range(STARTS):
        ms, pid = start(session, home(session), "lumeq gamma", [PROGRAM])
        time.sleep(0.5)
        ours.append(ms)
        our_rss.append(resident_kb(pid))
        end(pid)
        ms, pid = start(session, session.env(), "floor window", [FLOOR_WINDOW])
        time.sleep(0.5)
        theirs.append(ms)
        their_rss.append(resident_kb(pid))
        end(pid)
    rows.append(("native-startup", pairs.steady(ours), pairs.steady(theirs), "ms",
                 f"lower quartile of {STARTS} starts to the window shown, beside a minimal Qt 6 window"))
    rows.append(("native-rss", statistics.median(our_rss) / 1024, statistics.median(their_rss) / 1024, "MB",
                 "resident memory after the window shows, beside the same"))


def idle(session, crowd, born):
    env = home(session, [HEADER, "0", "True", "hl.exe", "", "", "", "//End"])
    _, pid = start(session, env, "lumeq gamma", [PROGRAM])
    # Past the first looks, which read every process's names, and past the crowd's first
    # minute, in which the watcher looks at each of them every second for a launcher that
    # becomes the game: the steady state of a desk.
    # The floor, listing /proc once a second and nothing else, runs beside it over the same
    # window: whatever the machine does meanwhile falls on both alike.
    floor = subprocess.Popen([FLOOR_TICK])
    time.sleep(1 if SMOKE else max(8.0, 62 - (time.monotonic() - born)))
    pids = [pid, session.xorg.pid, floor.pid]
    before = [pairs.cpu_seconds(p) for p in pids]
    time.sleep(IDLE_SECONDS)
    used = [pairs.cpu_seconds(p) - b for p, b in zip(pids, before)]
    floor_used = used.pop()
    end(pid)
    native._end_process(floor)
    percent = sum(used) / IDLE_SECONDS * 100
    print(f"idle {IDLE_SECONDS} s with the watcher on among {len(crowd)} more processes: lumeq-gamma "
          f"{used[0] * 1000:.0f} ms, X server {used[1] * 1000:.0f} ms CPU; a program that only lists /proc "
          f"once a second: {floor_used * 1000:.0f} ms")
    floor_percent = floor_used / IDLE_SECONDS * 100
    print(f"native-idle-cpu {percent:.3f}")
    print(f"native-idle-floor {floor_percent:.3f}")
    rows.append(("native-idle", percent, floor_percent, "%",
                 f"CPU of one core over the same {IDLE_SECONDS} s, watcher on among {len(crowd)} more processes (with "
                 "the X server's share), beside a program that only lists /proc once a second"))


def main():
    # The crowd of processes the idle figure is taken among, started first, so that its first
    # minute (in which the watcher looks at each young process every second for a launcher
    # that becomes the game) passes while the other figures are taken.
    crowd = [subprocess.Popen(["sleep", "900"]) for _ in range(CROWD)]
    born = time.monotonic()
    session = native.Session().start()
    try:
        hotkey(session)
        start_up_and_memory(session)
        idle(session, crowd, born)
    finally:
        session.stop()
        for proc in crowd:
            proc.kill()
        for proc in crowd:
            proc.wait()
    pairs.print_pairs(rows)


if __name__ == "__main__":
    main()
