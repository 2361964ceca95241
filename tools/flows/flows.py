#!/usr/bin/env python3
"""Which of our source files three flows run code in, measured, not read:

  hotkey    Ctrl+F4 on the Linux edition while boosted
  watcher   the watched game starting, on the Windows edition under Wine
  recovery  the Linux edition starting after a killed run left its record

A tree (the work tree, or a commit given as REV) is built again with every function
instrumented (call_trace.c), and each flow is played on the test desk. A flow's files are
those of every function that ran inside its roots' call trees (but not inside another event that
a nested message loop let through), and of the callers on the stack above the first root. A .cpp
and its header are one file; standard, Qt and Windows headers, and code built only into the test
build, are not counted. Prints one line per flow: its name, the count, then the files.

  tools/flows/flows.py [REV] [FLOW ...]

Needs the regular build (scripts/build.sh) for the desks' helpers. Takes some minutes: the
two editions are built again under build/flows/."""

import glob
import os
import re
import shutil
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.abspath(os.path.join(HERE, "..", ".."))
sys.path.insert(0, os.path.join(REPO, "tests", "harness"))

# The functions whose call trees are each flow; a name missing from a tree is passed over
# (the names changed over time).
ROOTS = {
    "hotkey": [r"^lumeq::AppCore::DispatchHotKey\(int\)$"],
    "watcher": [r"^lumeq::ProcessWatcher::(OnWatcherTick|OnWatcherRearm|activacionTimer_Timer|TimerReset_Timer)\(\)$"],
    "recovery": [r"RecoverAtStart\(", r"^\(anonymous namespace\)::Recover\(", r"^lumeq::CrashRecord::CrashRecord\(",
                 r"^lumeq::FileRecordStorage::FileRecordStorage\("],
}
EDITION = {"hotkey": "native", "watcher": "windows", "recovery": "native"}
# Where another event starts inside a flow: every window procedure (a nested message loop lets
# another message through, or the flow sends one), and Qt's event filters (an event the flow
# sends, seen by a filter of the whole application).
BREAKS = {"windows": [r"\(HWND__\*, unsigned int, unsigned long long, long long\)$",
                      r"::HandleMessage\(unsigned int, unsigned long long, long long\)$"],
          "native": [r"::eventFilter\(QObject\*, QEvent\*\)$"]}
FLAGS = "-g -finstrument-functions -finstrument-functions-exclude-file-list=/usr/"


def run(*command, **kwargs):
    subprocess.run(command, check=True, **kwargs)


def tree_of(rev, base):
    """The sources of REV (or the work tree's tracked files, as they are now) under base/src,
    linked for tracing: symbols kept, fixed addresses."""
    src = os.path.join(base, "src")
    shutil.rmtree(src, ignore_errors=True)
    os.makedirs(src)
    if rev:
        archive = subprocess.run(["git", "-C", REPO, "archive", rev], check=True, capture_output=True).stdout
        run("tar", "-x", "-C", src, input=archive)
    else:
        files = subprocess.run(["git", "-C", REPO, "ls-files", "-z"], check=True, capture_output=True).stdout
        run("tar", "-c", "--null", "-T", "-", "-f", os.path.join(base, "tree.tar"), cwd=REPO, input=files)
        run("tar", "-x", "-C", src, "-f", os.path.join(base, "tree.tar"))
    windows = os.path.join(src, "cmake", "windows_program.cmake")
    with open(windows) as f:
        text = f.read()
    with open(windows, "w") as f:
        f.write(text.replace("-static-libstdc++ -s)", "-static-libstdc++)"))
    return src


def compile_trace(compiler, trace, exe):
    """call_trace.o, made again where the source is newer; the program is then linked again."""
    source = os.path.join(HERE, "call_trace.c")
    if os.path.exists(trace) and os.path.getmtime(trace) >= os.path.getmtime(source):
        return
    run(compiler, "-O2", "-c", source, "-o", trace)
    if os.path.exists(exe):
        os.remove(exe)


def build(src, base, edition):
    jobs = str(os.cpu_count() or 2)
    out = os.path.join(base, edition)
    if edition == "native":
        trace = os.path.join(base, "call_trace.o")
        compile_trace("gcc", trace, os.path.join(out, "lumeq-gamma-test"))
        run("cmake", "-S", src, "-B", out, "-DCMAKE_BUILD_TYPE=RelWithDebInfo", "-DBUILD_TESTING=ON",
            "-DLUMEQ_LINUX_EDITION=ON", f"-DCMAKE_C_FLAGS={FLAGS}", f"-DCMAKE_CXX_FLAGS={FLAGS}",
            f"-DCMAKE_EXE_LINKER_FLAGS=-no-pie {trace}", stdout=subprocess.DEVNULL)
        run("cmake", "--build", out, "-j", jobs, "--target", "lumeq-gamma-test", stdout=subprocess.DEVNULL)
        return os.path.join(out, "lumeq-gamma-test")
    trace = os.path.join(base, "call_trace_w.o")
    compile_trace("x86_64-w64-mingw32-gcc", trace, os.path.join(out, "lumeq_test.exe"))
    run("cmake", "-S", src, "-B", out, "--toolchain", os.path.join(src, "cmake", "mingw-w64.cmake"),
        "-DCMAKE_BUILD_TYPE=Release", f"-DCMAKE_C_FLAGS={FLAGS}", f"-DCMAKE_CXX_FLAGS={FLAGS}",
        f"-DCMAKE_EXE_LINKER_FLAGS=-Wl,--disable-dynamicbase {trace}", stdout=subprocess.DEVNULL)
    run("cmake", "--build", out, "-j", jobs, "--target", "lumeq_test", "probe", "standin_game",
        stdout=subprocess.DEVNULL)
    return os.path.join(out, "lumeq_test.exe")


def nm_of(exe):
    return "x86_64-w64-mingw32-nm" if exe.endswith(".exe") else "nm"


def addresses(exe, patterns):
    """The functions of exe whose names match one of the patterns, as call_trace.c reads them."""
    listing = subprocess.run([nm_of(exe), "-C", "--defined-only", exe], check=True, capture_output=True, text=True).stdout
    found = []
    for line in listing.splitlines():
        parts = line.split(" ", 2)
        if len(parts) == 3 and parts[1] in "tTW" and any(re.search(p, parts[2]) for p in patterns):
            found.append(parts[0].lstrip("0"))
    return ",".join(found)


def files_of(exe, trace, src):
    """The flow's files, from the addresses the trace holds."""
    with open(trace) as f:
        addresses = sorted({line.split()[1] for line in f if line.strip()})
    # Not binutils' addr2line: it names the source file, not the header, for some inline
    # functions of a header in a Windows build.
    symbolizer = shutil.which("llvm-symbolizer") or sorted(glob.glob("/usr/bin/llvm-symbolizer-*"))[-1]
    out = subprocess.run([symbolizer, f"--obj={exe}", "--functions=none"], check=True, capture_output=True,
                         text=True, input="".join(f"0x{a}\n" for a in addresses)).stdout
    rooms = set()
    for line in filter(None, out.splitlines()):
        path = os.path.normpath(line.rsplit(":", 2)[0])
        if path.startswith(os.path.join(src, "src") + os.sep):
            room = re.sub(r"\.(cpp|h|c)$", "", os.path.relpath(path, os.path.join(src, "src")))
            # Code built into the test build alone is no part of the program.
            if not os.path.basename(room).startswith("test_"):
                rooms.add(room)
    return sorted(rooms)


def play_hotkey(env):
    import native
    from native import wait_for
    session = native.Session().start()
    try:
        program = session.new_program(level=40)
        program.start(env={**program.env(), **env})
        program.command("menuactivar")
        wait_for(lambda: program.field("estadoTxt") == "True", 10, what="the boost on")
        session.xdotool("key", "ctrl+F4")
        wait_for(lambda: program.strip()["visible"], 10, what="the strip after Ctrl+F4")
    finally:
        session.stop()


def play_recovery(env):
    import signal
    import native
    from native import wait_for
    session = native.Session().start()
    try:
        program = session.new_program(level=45).start()
        program.command("menuactivar")
        wait_for(lambda: program.field("estadoTxt") == "True", 10, what="the boost on")
        program.proc.send_signal(signal.SIGKILL)
        program.proc.wait(timeout=5)
        program.start(wait_shown=False, env={**program.env(), **env})
        wait_for(lambda: program.probe("window") is not None, 20, what="the probe")
    finally:
        session.stop()


def play_watcher(env):
    os.environ.update(env)
    import harness
    from harness import wait_for
    session = harness.Session().start()
    game = None
    try:
        session.set_stored_level("37")
        program = session.new_program(ini=["NO ELIMINAR MODIFICAR O MOVER ESTE ARCHIVO", "0", "True", "hl.exe", "", "",
                                           "", "//End"]).start()
        program.wait_ticks(2)
        game, _ = session.start_game("hl.exe")
        wait_for(lambda: program.text("estadoTxt") == "True", 10, what="switched on with the game")
        program.wait_ticks(2)
    finally:
        if game:
            harness._end_process(game, grace=1)
        session.stop()


def main():
    args = sys.argv[1:]
    rev = args.pop(0) if args and args[0] not in ROOTS else None
    flows = args or list(ROOTS)
    name = subprocess.run(["git", "-C", REPO, "rev-parse", "--short", rev or "HEAD"], check=True,
                          capture_output=True, text=True).stdout.strip() + ("" if rev else "-tree")
    base = os.path.join(REPO, "build", "flows", name)
    os.makedirs(base, exist_ok=True)
    regular = os.path.join(REPO, "build")
    os.environ.setdefault("LUMEQ_XGRAB", os.path.join(regular, "native", "tests", "xgrab"))
    os.environ.setdefault("LUMEQ_BUS_FAKES", os.path.join(regular, "native", "tests", "bus_fakes"))
    os.environ.setdefault("LUMEQ_XRAMP", os.path.join(regular, "native", "xramp"))
    os.environ.setdefault("LUMEQ_E2E_WORK", os.path.join(base, "e2e"))
    src = tree_of(rev, base)
    exes = {}
    for flow in flows:
        edition = EDITION[flow]
        if edition not in exes:
            exes[edition] = build(src, base, edition)
    os.environ["LUMEQ_NATIVE_PROGRAM"] = exes.get("native", "")
    if "windows" in exes:
        # The desk's helpers come from the traced build; the probe.exe there is the tree's own.
        os.environ["LUMEQ_WINDOWS_DIR"] = os.path.dirname(exes["windows"])
    for flow in flows:
        trace = os.path.join(base, f"{flow}.trace")
        if os.path.exists(trace):
            os.remove(trace)
        exe = exes[EDITION[flow]]
        roots = addresses(exe, ROOTS[flow])
        if not roots:
            sys.exit(f"{flow}: no root in {exe}")
        env = {"LUMEQ_TRACE_ROOTS": roots, "LUMEQ_TRACE_BREAKS": addresses(exe, BREAKS[EDITION[flow]]),
               "LUMEQ_TRACE_OUT": trace}
        # Each flow on a fresh desk, in a process of its own (the harnesses read their
        # settings when first imported).
        pid = os.fork()
        if pid == 0:
            try:
                globals()["play_" + flow](env)
                os._exit(0)
            except BaseException as error:  # noqa: BLE001 - told, then the child ends
                print(f"{flow}: {error}", file=sys.stderr)
                os._exit(1)
        _, status = os.waitpid(pid, 0)
        if status != 0 or not os.path.exists(trace):
            sys.exit(f"{flow}: the flow did not play")
        rooms = files_of(exe, trace, src)
        print(f"{flow} {len(rooms)} {' '.join(rooms)}")


if __name__ == "__main__":
    main()
