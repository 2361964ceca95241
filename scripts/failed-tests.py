#!/usr/bin/env python3
"""Prints each failed test of a CTest run with the end of its own output, from the run's
LastTest.log: the last thing a CI log shows, so that a failure that happened once can be
read from the log alone."""

import re
import sys

TAIL_LINES = 80


def failed_tests(log):
    """(name, output) of every test the log reports as not passed."""
    for block in re.split(r"\n-{58}\n\n", log):
        name = re.search(r'^"(.+)" start time:', block, re.M)
        if not name or "\nTest Passed." in block:
            continue
        output = re.search(r"Output:\n-{58}\n(.*?)<end of output>", block, re.S)
        yield name.group(1), output.group(1) if output else ""


def main():
    try:
        with open(sys.argv[1], encoding="utf-8", errors="replace") as f:
            log = f.read()
    except OSError as error:
        print(f"(no test log to read: {error})")
        return
    for name, output in failed_tests(log):
        lines = output.rstrip("\n").splitlines()
        print(f"\n==== {name} failed; the last {min(len(lines), TAIL_LINES)} of its {len(lines)} lines of output:")
        print("\n".join(lines[-TAIL_LINES:]))


if __name__ == "__main__":
    main()
