#!/usr/bin/python3
"""tst_realwindow: two whole runs of the real program in a real X window, driven as assistive
tools drive it.

    tst_realwindow.py --program EXE --roster FORTY_NAMES.xls --artifacts DIR

The program runs on Xvfb (the xcb platform) under openbox, in a temporary working folder with a
STAT folder, with Qt's accessibility bridge on. python3-pyatspi finds every control by its role
and accessible name and presses it through its action, as a screen reader's user would; only
the surname is typed with real X key presses. The first run has no roster; the second has a
roster of 40 names and picks one below the 33 rows in view. A screenshot of every screen goes
into DIR. Each statistics file is compared byte for byte with the record written out here from
the answers, except the two seconds places, which must hold a plausible number; the year in the
file name is today's.
"""

import argparse
import datetime
import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import xsession  # noqa: E402

STEP_TIMEOUT = 30  # seconds for a control to appear after the step before


class Failure(Exception):
    pass


# ---------------------------------------------------------------------------------------------
# The answers of the two respondents, and the record they must leave.

# Record order of the subjects; the per-subject screens show them in SCREEN_ORDER.
RECORD_ORDER = ["algebra", "physics", "chemistry", "history", "biology", "foreign",
                "literature", "russian", "geography", "informatics"]
SCREEN_ORDER = ["algebra", "history", "biology", "foreign", "literature", "russian",
                "geography", "informatics", "physics", "chemistry"]
HEADINGS = {"algebra": "АЛГЕБРА", "physics": "ФИЗИКА", "chemistry": "ХИМИЯ",
            "history": "ИСТОРИЯ", "biology": "БИОЛОГИЯ", "foreign": "ИНОСТРАННЫЙ ЯЗЫК",
            "literature": "ЛИТЕРАТУРА", "russian": "РУССКИЙ ЯЗЫК", "geography": "ГЕОГРАФИЯ",
            "informatics": "ИНФОРМАТИКА"}
GRADE_HEADINGS = dict(HEADINGS, foreign="ИНОСТРАННЫЙ ЯЗ.")
TEACHER_CAPTIONS = {"algebra": "Алгебра", "physics": "Физика", "chemistry": "Химия",
                    "history": "История", "biology": "Биология", "foreign": "Иностранный язык",
                    "literature": "Литература", "russian": "Русский язык",
                    "geography": "География", "informatics": "Информатика"}
GRADE_CODES = {"2": "2", "2+": "2.3", "3-": "2.7", "3": "3", "3+": "3.3", "4-": "3.7", "4": "4",
               "4+": "4.3", "5-": "4.7", "5": "5"}
EXTRA_AREAS = 5

FIRST = {
    "class": "9", "stream": "В", "male": False,
    "grades": {"algebra": "4+", "physics": "3", "chemistry": "5-", "history": "4",
               "biology": "2+", "foreign": "5", "literature": "3-", "russian": "4-",
               "geography": "5", "informatics": "3+"},
    "homework": {"algebra": 40, "physics": 30, "chemistry": 20, "history": 10, "biology": 0,
                 "foreign": 60, "literature": 90, "russian": 30, "geography": 10,
                 "informatics": 20},
    "distraction": {"algebra": 5, "physics": 0, "chemistry": 10, "history": 20, "biology": 30,
                    "foreign": 40, "literature": 5, "russian": 0, "geography": 10,
                    "informatics": 20},
    "interest": {"algebra": 7, "physics": 3, "chemistry": 9, "history": 0, "biology": 5,
                 "foreign": 8, "literature": 2, "russian": 6, "geography": 1, "informatics": 4},
    "extra": [3, 9, 0, 6, 2],
    "favourites": ["informatics", "geography", "algebra"],
    "demanding": ["russian", "physics", "history"],
    "roster": None,
    # Typed with X key presses; xdotool drops letters of a layout the keyboard map lacks, so
    # the typed name is Latin (the roster run brings a Cyrillic one).
    "surname": "Smirnova",
}

SECOND = dict(FIRST, **{
    "class": "8", "stream": "А", "male": True,
    "grades": dict(FIRST["grades"], algebra="3", chemistry="2"),
    "favourites": ["chemistry", "biology", "literature"],
    "demanding": ["algebra", "foreign", "informatics"],
    "roster": 36,  # the 37th name, below the 33 rows in view
    "classmates": [[0, 35, 12], [20], [], [39, 7, 6]],
    "surname": None,
})


def place(value):
    text = str(value)
    if len(text) > 12:
        raise Failure("a place of more than 12 characters: " + text)
    return text.ljust(12)


def subject_places(answers, code=str):
    return "".join(place(code(answers[subject])) for subject in RECORD_ORDER)


def subject_number(subject):
    return RECORD_ORDER.index(subject) + 1


def expected_record(a, roster_names, seconds_marker):
    """The record with the two seconds places left as markers."""
    surname = roster_names[a["roster"]] if a["roster"] is not None else a["surname"]
    record = place(surname[:12])
    record += place("1" if a["male"] else "0")
    record += subject_places(a["grades"], lambda g: GRADE_CODES[g])
    record += subject_places(a["homework"])
    record += subject_places(a["distraction"])
    record += subject_places(a["interest"])
    record += "".join(place(subject_number(s)) for s in a["favourites"])
    record += "".join(place(subject_number(s)) for s in a["demanding"])
    record += "".join(place(d) for d in a["extra"])
    choices = [""] * 12
    for q, rows in enumerate(a.get("classmates") or []):
        for i, row in enumerate(rows):
            choices[3 * q + i] = roster_names[row]
    record += "".join(place(c) for c in choices)
    record += seconds_marker * 2
    return record


def check_statistics_file(folder, a, roster_names):
    year = datetime.date.today().year
    name = "%s%s 0.%02dc" % (a["class"], a["stream"], year % 100)
    path = os.path.join(folder, "STAT", name)
    if not os.path.exists(path):
        raise Failure("no statistics file %r; STAT holds %s"
                      % (name, sorted(os.listdir(os.path.join(folder, "STAT")))))
    with open(path, "rb") as f:
        actual = f.read()
    marker = "\x00" * 12
    wanted = ("1\r\n" + expected_record(a, roster_names, marker) + "\r\n").encode("cp1251")
    if len(actual) != len(wanted):
        raise Failure("%s: %d bytes, %d wanted" % (name, len(actual), len(wanted)))
    start = wanted.index(marker.encode())
    if actual[:start] != wanted[:start] or actual[start + 24:] != wanted[start + 24:]:
        at = next(i for i in range(len(wanted))
                  if actual[i] != wanted[i] and not start <= i < start + 24)
        raise Failure("%s differs at byte %d: %r where %r was wanted"
                      % (name, at, actual[at:at + 16], wanted[at:at + 16]))
    # The seconds of the grades screen and of the whole run up to the demanding teachers: a
    # number of whole seconds as the program measured this very run, blanks after it.
    seconds = []
    for offset in (start, start + 12):
        field = actual[offset:offset + 12].decode("ascii")
        digits = field.rstrip(" ")
        if not digits.isdigit() or len(field) != 12 or field != digits.ljust(12):
            raise Failure("%s: seconds place %r" % (name, field))
        seconds.append(int(digits))
    if not (0 <= seconds[0] <= 300 and seconds[0] <= seconds[1] <= 600):
        raise Failure("%s: implausible seconds %s" % (name, seconds))
    return name, seconds


# ---------------------------------------------------------------------------------------------
# Assistive-tool access to the running program.

class Program:
    def __init__(self, exe, folder, env, artifacts, prefix):
        import pyatspi  # only inside the session bus of the test
        self.pyatspi = pyatspi
        self.env = env
        self.artifacts = artifacts
        self.prefix = prefix
        self.shots = 0
        self.controls = {}  # window title: {(role, name): control}
        self.log = open(os.path.join(artifacts, prefix + "-program.log"), "w")
        self.process = subprocess.Popen([exe], cwd=folder, env=xsession.qt_environment(env),
                                        stdout=self.log, stderr=subprocess.STDOUT)
        self.name = os.path.basename(exe)

    def close(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        self.log.close()

    def wait_for(self, what, probe, timeout=STEP_TIMEOUT):
        deadline = time.monotonic() + timeout
        while True:
            if self.process.poll() is not None:
                raise Failure("the program ended (status %d) while waiting for %s"
                              % (self.process.returncode, what))
            try:
                found = probe()
            except Exception:  # an object that went away while it was being read
                found = None
            if found:
                return found
            if time.monotonic() > deadline:
                raise Failure("timed out waiting for " + what + "; showing now:\n" + self.dump())
            time.sleep(0.1)

    def application(self):
        desktop = self.pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name == self.name:
                return app
        return None

    def showing(self, acc):
        return acc.getState().contains(self.pyatspi.STATE_SHOWING)

    def windows(self):
        app = self.application()
        return [w for w in (app or []) if w is not None and self.showing(w)]

    def descendants(self, root):
        """Every visible control under root, depth first (hidden parts are not entered)."""
        stack = [root]
        while stack:
            acc = stack.pop()
            yield acc
            if acc.getRoleName() == "table":
                continue  # its cells are read through the table itself
            for child in reversed(list(acc)):
                if child is not None and child.getState().contains(self.pyatspi.STATE_VISIBLE):
                    stack.append(child)

    def find(self, role, name, window=None):
        if window is not None:
            return self.find_in_window(role, name, window)
        for w in self.windows():
            for acc in self.descendants(w):
                if acc.getRoleName() == role and acc.name == name and self.showing(acc):
                    return acc
        return None

    def find_in_window(self, role, name, title):
        """The controls of a screen are read once, hidden ones included (a screen keeps its
        controls and reveals them later), so that each step costs a few calls on the bus."""
        controls = self.controls.get(title)
        if controls is None or (role, name) not in controls:
            window = next((w for w in self.windows() if w.name == title), None)
            if window is None:
                return None
            controls = {}
            stack = [window]
            while stack:
                acc = stack.pop()
                controls.setdefault((acc.getRoleName(), acc.name), acc)
                if acc.getRoleName() != "table":
                    stack.extend(child for child in acc if child is not None)
            self.controls[title] = controls
        acc = controls.get((role, name))
        return acc if acc is not None and self.showing(acc) else None

    def window(self, title):
        return self.wait_for("window " + repr(title),
                             lambda: next((w for w in self.windows() if w.name == title), None))

    def press(self, name, window=None):
        def probe():
            button = self.find("push button", name, window)
            if button and button.getState().contains(self.pyatspi.STATE_SENSITIVE):
                return button
            return None
        button = self.wait_for("button " + repr(name), probe)
        button.queryAction().doAction(0)

    def press_cell(self, table_name, cell_name, window=None):
        table = self.wait_for("table " + repr(table_name),
                              lambda: self.find("table", table_name, window))
        ti = table.queryTable()

        def probe():
            for row in range(ti.nRows):
                cell = ti.getAccessibleAt(row, 0)
                if cell.getRoleName() == "push button" and cell.name == cell_name:
                    return cell
            return None
        cell = self.wait_for("name %r in %r" % (cell_name, table_name), probe)
        cell.queryAction().doAction(0)
        return table

    def table_names(self, table_name, window=None):
        table = self.wait_for("table " + repr(table_name),
                              lambda: self.find("table", table_name, window))
        ti = table.queryTable()
        return [ti.getAccessibleAt(row, 0).name for row in range(ti.nRows)]

    def screenshot(self, label):
        time.sleep(0.3)  # the press's animation and the repaint of the screen
        self.shots += 1
        path = os.path.join(self.artifacts, "%s-%02d-%s.png" % (self.prefix, self.shots, label))
        subprocess.run(["import", "-window", "root", path], env=self.env, check=True,
                       timeout=30)

    def dump(self):
        lines = []
        try:
            for w in self.windows():
                lines.append("window %r" % w.name)
                for acc in self.descendants(w):
                    if acc.getRoleName() in ("push button", "table") and self.showing(acc):
                        lines.append("    %s %r" % (acc.getRoleName(), acc.name))
        except Exception as e:  # noqa: BLE001 - a dump for a failure message
            lines.append("(dump failed: %s)" % e)
        return "\n".join(lines)


# ---------------------------------------------------------------------------------------------
# The walk through the screens.

def grade_caption(grade):
    return grade if len(grade) == 1 else grade[0] + " " + grade[1:]


def homework_caption(minutes):
    return "90 и больше" if minutes == 90 else "%d мин" % minutes


def distraction_caption(minutes):
    return {0: "Не отвлекаюсь", 40: "Весь урок"}.get(minutes, "%d мин" % minutes)


def answer_rows(p, title, rows, shot):
    """rows: (row caption, button caption) top to bottom; each reveals the next."""
    p.window(title)
    for caption, value in rows:
        p.press("%s: %s" % (caption, value), title)
    p.wait_for("Continue of " + title, lambda: p.find("push button", "ПРОДОЛЖИТЬ", title))
    p.screenshot(shot)
    p.press("ПРОДОЛЖИТЬ", title)


def walk(p, a, roster_names):
    p.window("Введение")
    p.screenshot("Form_Vveden")
    p.press("Продолжить", "Введение")

    p.window("Координаты")
    p.press(a["class"], "Координаты")
    p.press(a["stream"], "Координаты")
    p.press("Мужской" if a["male"] else "Женский", "Координаты")
    p.wait_for("Continue", lambda: p.find("push button", "Продолжить", "Координаты"))
    p.screenshot("Form8_Coord")
    p.press("Продолжить", "Координаты")

    if a["roster"] is not None:
        p.window("Form_FamFile")
        names = p.wait_for("the roster read", lambda: (
            lambda n: n if len(n) == len(roster_names) else None)(
                p.table_names("Список класса", "Form_FamFile")))
        if names != roster_names:
            raise Failure("the roster grid reads %s" % names)
        picked = roster_names[a["roster"]]
        p.press_cell("Список класса", picked, "Form_FamFile")
        p.wait_for("Continue", lambda: p.find("push button", "Продолжить", "Form_FamFile"))
        cell = p.find("table", "Список класса", "Form_FamFile").queryTable().getAccessibleAt(
            a["roster"], 0)
        if not p.showing(cell):
            raise Failure("the picked name was not scrolled into view")
        p.screenshot("Form_FamFile")
        p.press("Продолжить", "Form_FamFile")

    answer_rows(p, "Оценка за четверть (полугодие, триместр)",
                [(GRADE_HEADINGS[s], grade_caption(a["grades"][s])) for s in SCREEN_ORDER],
                "Form1_Ball")
    answer_rows(p, "Домашняя загруженность",
                [(HEADINGS[s], homework_caption(a["homework"][s])) for s in SCREEN_ORDER],
                "Form2_House")
    answer_rows(p, "Время",
                [(HEADINGS[s], distraction_caption(a["distraction"][s])) for s in SCREEN_ORDER],
                "Form3_Eff")
    answer_rows(p, "Отношение к предмету",
                [(HEADINGS[s], str(a["interest"][s])) for s in SCREEN_ORDER], "Form4_Intrest")
    answer_rows(p, "Form_Dop", [(caption, str(d)) for caption, d in
                                zip(EXTRA_CAPTIONS, a["extra"])], "Form_Dop")

    for title, key, shot in (("Наиболее любимые преподаватели", "favourites", "Form5_Love"),
                             ("Наиболее требовательные преподаватели", "demanding",
                              "Form6_Treb")):
        p.window(title)
        for subject in a[key]:
            p.press(TEACHER_CAPTIONS[subject], title)
        p.wait_for("Continue", lambda t=title: p.find("push button", "ПРОДОЛЖИТЬ", t))
        p.screenshot(shot)
        p.press("ПРОДОЛЖИТЬ", title)

    if a["roster"] is not None:
        title = "Form_Psychology1"
        p.window(title)
        for q, rows in enumerate(a["classmates"], start=1):
            grid = p.wait_for("question %d" % q, lambda q=q: next(
                (acc for acc in p.descendants(p.window(title))
                 if acc.getRoleName() == "table" and acc.name.startswith("Вопрос %d:" % q)
                 and p.showing(acc)), None))
            for row in rows:
                p.press_cell(grid.name, roster_names[row], title)
            if len(rows) < 3:
                p.press("Вопрос %d: %s" % (q, "Ни с кем" if q == 1 else "Ни кого"), title)
            p.wait_for("Continue of question %d" % q,
                       lambda q=q: p.find("push button", "Вопрос %d: Продолжить" % q, title))
            if q == 4:
                p.screenshot(title)
            p.press("Вопрос %d: Продолжить" % q, title)

    exit_button = p.wait_for("the exit button",
                             lambda: p.find("push button", "Нажмите для выхода"))
    if a["surname"] is not None:
        # Typed with real key presses: the exit button waits for a typed character.
        edit = p.wait_for("the surname box", lambda: next(
            (acc for w in p.windows() if w.name == "" for acc in p.descendants(w)
             if acc.getRoleName() == "text" and p.showing(acc)
             and acc.getState().contains(p.pyatspi.STATE_FOCUSABLE)), None))  # not the time
        # A real click into the box, as the pupil gives it the keyboard, then the keys.
        box = edit.queryComponent().getExtents(p.pyatspi.DESKTOP_COORDS)
        subprocess.run(["xdotool", "mousemove", str(box.x + box.width // 2),
                        str(box.y + box.height // 2), "click", "1"], env=p.env, check=True,
                       timeout=30)
        subprocess.run(["xdotool", "type", "--delay", "40", a["surname"]], env=p.env,
                       check=True, timeout=30)
        seen = []

        def typed():
            seen.append(edit.queryText().getText(0, -1))
            return seen[-1] == a["surname"]
        try:
            p.wait_for("the typed surname", typed, timeout=10)
        except Failure:
            p.screenshot("failed-typing")
            raise Failure("the surname box holds %r after typing %r" % (seen[-1:], a["surname"]))
    p.wait_for("the exit button enabled", lambda: exit_button.getState().contains(
        p.pyatspi.STATE_SENSITIVE))
    p.screenshot("Form7_Fam")
    p.press("Нажмите для выхода")
    try:
        status = p.process.wait(timeout=STEP_TIMEOUT)
    except subprocess.TimeoutExpired:
        raise Failure("the program did not end after the exit button; showing:\n" + p.dump())
    if status != 0:
        raise Failure("the program ended with status %d" % status)


def whole_run(args, env, a, prefix, roster_names):
    folder = tempfile.mkdtemp(prefix="survey-realwindow-")
    try:
        os.mkdir(os.path.join(folder, "STAT"))
        if a["roster"] is not None:
            shutil.copyfile(args.roster, os.path.join(folder, a["class"] + a["stream"] + ".xls"))
        p = Program(args.program, folder, env, args.artifacts, prefix)
        try:
            p.wait_for("the program on the accessibility bus", p.application, timeout=60)
            walk(p, a, roster_names)
        finally:
            p.close()
        return check_statistics_file(folder, a, roster_names)
    finally:
        shutil.rmtree(folder, ignore_errors=True)


EXTRA_CAPTIONS = ["ЭКОНОМИКА И ФИНАНСЫ", "МИРОВАЯ КУЛЬТУРА", "СПОРТИВНЫЕ СЕКЦИИ",
                  "РЕЛИГИОЗНОЕ ОБРАЗОВАНИЕ", "ВОЕННОЕ ОБРАЗОВАНИЕ"]


def forty_names():
    """The names of the test workbook forty.xls, as the project's workbook writer lists them."""
    sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..",
                                    "fixtures"))
    import make_rosters
    return list(make_rosters.SURNAMES)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", required=True)
    parser.add_argument("--roster", required=True, help="a workbook of 40 names in column A")
    parser.add_argument("--artifacts", required=True)
    args = parser.parse_args()
    missing = xsession.missing_tools()
    if missing:
        print("missing tools: " + ", ".join(missing) + " (scripts/install-deps.sh installs them)",
              file=sys.stderr)
        return 1
    try:
        import pyatspi  # noqa: F401
    except ImportError:
        print("python3-pyatspi is missing (scripts/install-deps.sh installs it)",
              file=sys.stderr)
        return 1
    xsession.reexec_in_session_bus()

    shutil.rmtree(args.artifacts, ignore_errors=True)
    os.makedirs(args.artifacts)
    roster_names = forty_names()
    if len(roster_names) != 40:
        raise SystemExit("the roster of the test has %d names, not 40" % len(roster_names))
    started = time.monotonic()
    try:
        with xsession.desktop() as env:
            for a, prefix in ((FIRST, "run1"), (SECOND, "run2")):
                name, seconds = whole_run(args, env, a, prefix, roster_names)
                print("%s: %s holds the record; seconds %s" % (prefix, name, seconds))
    except Failure as failure:
        print("FAIL: %s" % failure, file=sys.stderr)
        return 1
    print("PASS: two whole runs in %.0f s; screenshots in %s"
          % (time.monotonic() - started, args.artifacts))
    return 0


if __name__ == "__main__":
    sys.exit(main())
