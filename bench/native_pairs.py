"""The Linux edition's figures beside their floors, natively on a private Xorg: hot key to
ramp (one long-lived XTest client driving lumeq-gamma, then a minimal xcb program that
grabs the keys and sets a CRTC ramp), start to window shown and resident memory (beside a
minimal Qt 6 window program), and the idle CPU with the watcher on among 500 processes
(lumeq-gamma and the X server). Prints a table, "ratio NAME OURS FLOOR RATIO" lines and
"native-idle-cpu PERCENT" and "idle-ratio OURS FLOOR RATIO". LUMEQ_BENCH_QUICK=1 runs fewer repetitions. Asserts nothing."""

import os
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tests", "linux"))
import native  # noqa: E402
import pairs  # noqa: E402

BUILD = os.path.join(HERE, "..", "build", "native")
PROGRAM = os.path.join(BUILD, "lumeq-gamma")
XKEYLAT = os.path.join(BUILD, "bench", "xkeylat")
FLOOR_HOTKEY = os.path.join(BUILD, "bench", "floor_hotkey_xcb")
FLOOR_WINDOW = os.path.join(BUILD, "bench", "floor_qt_window")
XWAITWIN = os.path.join(BUILD, "bench", "xwaitwin")
FLOOR_TICK = os.path.join(BUILD, "bench", "floor_proc_tick")
QUICK = os.environ.get("LUMEQ_BENCH_QUICK") == "1"
PRESSES = 20 if QUICK else 60
STARTS = 5 if QUICK else 10
IDLE_SECONDS = 15 if QUICK else 60
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


def latencies(session):
    out = subprocess.run([XKEYLAT, str(PRESSES), "randr"], env=session.env(), capture_output=True, text=True,
                         timeout=300, check=True).stdout.split()
    times = [int(v) / 1000 for v in out if int(v) >= 0]
    return statistics.median(times) if times else float("nan")


def hotkey(session):
    env = home(session)
    _, pid = start(session, env, "lumeq gamma", [PROGRAM])
    session.xdotool("key", "ctrl+F1")
    time.sleep(0.5)
    ours = latencies(session)
    end(pid)
    floor = subprocess.Popen([FLOOR_HOTKEY], env=session.env())
    time.sleep(0.5)
    theirs = latencies(session)
    native._end_process(floor)
    session.put_initial_ramp()
    rows.append(("native-hotkey", ours, theirs, "ms", f"median of {PRESSES} presses, XTest to the CRTC ramp read back"))


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
    rows.append(("native-startup", statistics.median(ours), statistics.median(theirs), "ms",
                 f"median of {STARTS} starts to the window shown, beside a minimal Qt 6 window"))
    rows.append(("native-rss", statistics.median(our_rss) / 1024, statistics.median(their_rss) / 1024, "MB",
                 "resident memory after the window shows, beside the same"))


def cpu_seconds(pid):
    """CPU time of every thread of a process, to the nanosecond where the kernel keeps
    scheduler statistics (clock ticks of 10 ms are too coarse for an idle figure)."""
    try:
        total = 0
        for task in os.listdir(f"/proc/{pid}/task"):
            with open(f"/proc/{pid}/task/{task}/schedstat") as f:
                total += int(f.read().split()[0])
        return total / 1e9
    except (FileNotFoundError, ProcessLookupError):
        with open(f"/proc/{pid}/stat") as f:
            fields = f.read().rsplit(")", 1)[1].split()
        return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def idle(session):
    crowd = [subprocess.Popen(["sleep", "600"]) for _ in range(500)]
    born = time.monotonic()
    try:
        env = home(session, [HEADER, "0", "True", "hl.exe", "", "", "", "//End"])
        _, pid = start(session, env, "lumeq gamma", [PROGRAM])
        # Past the first looks, which read every process's names, and past the crowd's first
        # minute, in which the watcher looks at each of them every second for a launcher that
        # becomes the game: the steady state of a desk.
        time.sleep(max(8.0, 62 - (time.monotonic() - born)))
        pids = [pid, session.xorg.pid]
        before = [cpu_seconds(p) for p in pids]
        time.sleep(IDLE_SECONDS)
        used = [cpu_seconds(p) - b for p, b in zip(pids, before)]
        end(pid)
        # The floor: listing /proc once a second, nothing else.
        floor = subprocess.Popen([FLOOR_TICK])
        time.sleep(2)
        start_cpu = cpu_seconds(floor.pid)
        time.sleep(IDLE_SECONDS)
        floor_used = cpu_seconds(floor.pid) - start_cpu
        native._end_process(floor)
    finally:
        for proc in crowd:
            proc.kill()
        for proc in crowd:
            proc.wait()
    percent = sum(used) / IDLE_SECONDS * 100
    print(f"idle {IDLE_SECONDS} s with the watcher on among {len(crowd)} more processes: lumeq-gamma "
          f"{used[0] * 1000:.0f} ms, X server {used[1] * 1000:.0f} ms CPU; a program that only lists /proc "
          f"once a second: {floor_used * 1000:.0f} ms")
    floor_percent = floor_used / IDLE_SECONDS * 100
    print(f"native-idle-cpu {percent:.3f}")
    print(f"native-idle-floor {floor_percent:.3f}")
    print(f"idle-ratio {percent:.3f} {floor_percent:.3f} {percent / floor_percent if floor_percent else float('nan'):.2f}")


def main():
    session = native.Session().start()
    try:
        for step in (hotkey, start_up_and_memory, idle):
            step(session)
    finally:
        session.stop()
    pairs.print_pairs(rows)


if __name__ == "__main__":
    main()
