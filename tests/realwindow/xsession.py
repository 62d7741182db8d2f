"""A desktop of its own for a test: Xvfb on a free display, openbox on it, and the accessibility
bus started on the session bus. Used inside dbus-run-session, so that the buses die with the test.

Everything started here is stopped again by its process id when the `with` block ends.
"""

import contextlib
import os
import shutil
import subprocess
import sys
import tempfile
import time

SCREEN = "1280x1024x24"
REQUIRED_TOOLS = ["Xvfb", "openbox", "dbus-run-session", "dbus-send", "import", "xdotool"]


def missing_tools():
    return [tool for tool in REQUIRED_TOOLS if shutil.which(tool) is None]


def reexec_in_session_bus():
    """Runs this script again under a session bus of its own unless it already has one."""
    if os.environ.get("SURVEY_TEST_SESSION_BUS") == "1":
        return
    env = dict(os.environ, SURVEY_TEST_SESSION_BUS="1")
    os.execvpe("dbus-run-session", ["dbus-run-session", "--", sys.executable] + sys.argv, env)


def _stop(process):
    if process.poll() is None:
        process.terminate()
        try:
            process.wait(timeout=5)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


def _wait_for(condition, timeout, what):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if condition():
            return
        time.sleep(0.05)
    raise RuntimeError("timed out waiting for " + what)


@contextlib.contextmanager
def desktop():
    """Yields the environment for programs on the new display."""
    read_end, write_end = os.pipe()
    xvfb = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", SCREEN, "-nolisten", "tcp",
         "-noreset"],
        pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    processes = [xvfb]
    marker_dir = tempfile.mkdtemp(prefix="survey-wm-")
    try:
        with os.fdopen(read_end) as display_pipe:
            number = display_pipe.readline().strip()
        if not number:
            raise RuntimeError("Xvfb did not start")
        env = dict(os.environ, DISPLAY=":" + number)
        env.pop("WAYLAND_DISPLAY", None)

        # The program may start only once the window manager runs: openbox runs its start-up
        # command when it has taken over the screen.
        ready = os.path.join(marker_dir, "openbox-ready")
        openbox = subprocess.Popen(
            ["openbox", "--sm-disable", "--startup", "touch " + ready], env=env,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        processes.append(openbox)
        _wait_for(lambda: os.path.exists(ready), 30, "openbox")

        # Qt's bridge switches itself on only when the accessibility bus is running; starting
        # it here does not depend on a client having asked for it first.
        subprocess.run(
            ["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
             "org.a11y.Bus.GetAddress"],
            check=True, stdout=subprocess.DEVNULL, env=env, timeout=30)
        yield env
    finally:
        for process in reversed(processes):
            _stop(process)
        shutil.rmtree(marker_dir, ignore_errors=True)


def qt_environment(env):
    """The environment of a Qt program on this desktop, with its accessibility bridge on."""
    return dict(env, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
