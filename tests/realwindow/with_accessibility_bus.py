#!/usr/bin/python3
"""Runs a QtTest executable on a desktop of its own with Qt's accessibility bridge on:

    with_accessibility_bus.py TEST_EXECUTABLE [TEST FUNCTIONS...]

Exits with the test's exit status.
"""

import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import xsession  # noqa: E402


def main():
    if len(sys.argv) < 2:
        print(__doc__, file=sys.stderr)
        return 2
    missing = xsession.missing_tools()
    if missing:
        print("missing tools: " + ", ".join(missing) + " (scripts/install-deps.sh installs them)",
              file=sys.stderr)
        return 1
    xsession.reexec_in_session_bus()
    with xsession.desktop() as env:
        return subprocess.run(sys.argv[1:], env=xsession.qt_environment(env),
                              timeout=100).returncode


if __name__ == "__main__":
    sys.exit(main())
