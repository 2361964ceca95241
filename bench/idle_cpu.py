"""CPU time of lumeq.exe over 60 s idle under Wine, with automatic activation on (the
watcher scans once a second) beside the same program with it off. Prints figures."""

import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import harness  # noqa: E402

SECONDS = int(os.environ.get("LUMEQ_IDLE_SECONDS", "60"))
HEADER = "NO ELIMINAR MODIFICAR O MOVER ESTE ARCHIVO"


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def main():
    session = harness.Session().start()
    try:
        for flag in ("True", "False"):
            program = session.new_program(ini=[HEADER, "0", flag, "hl.exe", "", "", "", "//End"]).start()
            time.sleep(1)
            before = cpu_seconds(program.proc.pid)
            time.sleep(SECONDS)
            used = cpu_seconds(program.proc.pid) - before
            print(f"idle {SECONDS} s, automatic activation {'on ' if flag == 'True' else 'off'}: "
                  f"{used * 1000:7.0f} ms CPU ({used / SECONDS * 100:.2f} % of one core)")
            program.kill()
    finally:
        session.stop()


if __name__ == "__main__":
    main()
