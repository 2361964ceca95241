"""Runs a native test program on a private Xorg with the dummy driver (which has RandR
CRTC gamma), and ends the server by PID whatever happens."""

import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "harness"))
import harness  # noqa: E402


def main():
    session = harness.Session()
    session.tmp = tempfile.mkdtemp(prefix="lumeq-x11-")
    try:
        session._start_xorg()
        env = dict(os.environ, DISPLAY=session.display)
        return subprocess.run(sys.argv[1:], env=env, timeout=120).returncode
    finally:
        session.stop()


if __name__ == "__main__":
    sys.exit(main())
