#!/usr/bin/python3
"""Accessibility check over AT-SPI: every control of the main window has a name,
and a preview box is an alert whose icon and buttons have names.

Usage: walk.py BOXWRIGHT_BINARY -- run it through run.sh, which provides the
virtual display, the session bus and the accessibility bus.
Exit status: 0 all good, 1 problems found, 2 the check could not run."""

import os
import subprocess
import sys
import tempfile
import time

import pyatspi
from gi.repository import Atspi

DEADLINE = 30.0  # seconds for anything to appear or go away
R = pyatspi
# Roles a user operates; they need a name even while disabled (and then not focusable).
CONTROLS = {R.ROLE_PUSH_BUTTON, R.ROLE_TOGGLE_BUTTON, R.ROLE_CHECK_BOX, R.ROLE_RADIO_BUTTON,
            R.ROLE_TEXT, R.ROLE_ENTRY, R.ROLE_PASSWORD_TEXT, R.ROLE_COMBO_BOX, R.ROLE_SPIN_BUTTON,
            R.ROLE_SLIDER, R.ROLE_LIST, R.ROLE_TABLE, R.ROLE_TREE, R.ROLE_PAGE_TAB, R.ROLE_MENU_ITEM}
TEXT_BOXES = {R.ROLE_TEXT, R.ROLE_ENTRY}
GROUPS = {R.ROLE_PANEL, R.ROLE_GROUPING, R.ROLE_FRAME}  # a group box is a panel under Qt
ICON_NAMES = {"エラー", "質問", "警告", "情報"}


class Failed(Exception):
    pass


def wait_for(what, probe):
    """Polls probe() until it returns something true; the D-Bus round trips are the pace."""
    end = time.monotonic() + DEADLINE
    while time.monotonic() < end:
        try:
            found = probe()
        except Failed:
            raise
        except Exception:  # an object that went away between two calls
            found = None
        if found:
            return found
        time.sleep(0.1)
    raise Failed(f"timed out after {DEADLINE:.0f} s waiting for {what}")


def children(obj):
    return [c for c in (obj.getChildAtIndex(i) for i in range(obj.childCount)) if c is not None]


def has(obj, state):
    return obj.getState().contains(state)


def step(obj, index):
    """One step of a path: the role and the name, or the role and the index when unnamed."""
    return f'{obj.getRoleName()} "{obj.name}"' if obj.name.strip() else f"{obj.getRoleName()}[{index}]"


def walk(obj, path=None):
    """Yields (object, path) for obj and everything under it, depth first."""
    path = path or step(obj, 0)
    yield obj, path
    for index, child in enumerate(children(obj)):
        yield from walk(child, f"{path} / {step(child, index)}")


def describe(obj, path):
    """Role, Qt id when the toolkit exports one, screen place, and named neighbours:
    the last one before it and, for a group, the first one inside."""
    ident = f" id={obj.get_accessible_id()}" if obj.get_accessible_id() else ""
    try:
        box = obj.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        place = f"{box.width}x{box.height}+{box.x}+{box.y}"
    except NotImplementedError:
        place = "?"
    hints = ""
    parent = obj.parent
    if parent is not None:
        earlier = [parent.getChildAtIndex(i) for i in range(obj.getIndexInParent())]
        named = [c for c in earlier if c is not None and c.name.strip()]
        if named:
            hints += f', after {named[-1].getRoleName()} "{named[-1].name}"'
    inside = next((c for c in children(obj) if c.name.strip()), None)
    if inside is not None:
        hints += f', holding {inside.getRoleName()} "{inside.name}"'
    return f"{obj.getRoleName()}{ident} at {place}{hints}\n      path: {path}"


def unnamed_in(window):
    """The window's objects lacking a name: (reasons, object, path), shown ones and hidden ones."""
    shown, hidden = [], []
    for obj, path in walk(window):
        if obj.name.strip():
            continue
        role = obj.getRole()
        reasons = []
        # Read-only text that never takes the focus (a box's prompt) is not a control.
        reads_only = role in TEXT_BOXES and not has(obj, R.STATE_EDITABLE)
        if has(obj, R.STATE_FOCUSABLE) or (role in CONTROLS and not reads_only):
            reasons.append("text box" if role in TEXT_BOXES else "control")
        if role in GROUPS and obj is not window and any(
                o.getRole() in CONTROLS for o, _ in walk(obj) if o is not obj):
            reasons.append("group with controls")
        if reasons:
            (shown if has(obj, R.STATE_SHOWING) else hidden).append((reasons, obj, path))
    return shown, hidden


def press(obj):
    """Runs the object's "Press" action (the first one if none is called so)."""
    action = obj.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    action.doAction(names.index("Press") if "Press" in names else 0)


def find(window, role, name):
    return next((o for o, _ in walk(window) if o.getRole() == role and o.name == name), None)


def icon_check(box):
    images = [o for o, _ in walk(box) if o.getRole() in (R.ROLE_IMAGE, R.ROLE_ICON)]
    names = [o.name for o in images]
    return bool(images) and all(n in ICON_NAMES for n in names), f"images named {names}"


def controls_check(box):
    shown, _ = unnamed_in(box)
    return not shown, "; ".join(f"{o.getRoleName()} at {p}" for _, o, p in shown) or "all named"


# The preview box, one row a check: what is checked, and how (returns ok, detail).
PREVIEW_CHECKS = [
    ("box is an alert", lambda box: (box.getRole() == R.ROLE_ALERT, f"role {box.getRoleName()}")),
    ("icon named エラー/質問/警告/情報", icon_check),
    ("focusable controls named", controls_check),
]


def print_list(title, entries):
    print(f"\n{title}: {len(entries)}")
    for reasons, obj, path in entries:
        print(f"  - unnamed {' and '.join(reasons)}: {describe(obj, path)}")


def run(binary, home):
    """Starts the program with a fresh home (no saved settings) and checks it."""
    env = dict(os.environ, HOME=home, QT_QPA_PLATFORM="xcb", QT_ACCESSIBILITY="1",
               QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    with open(os.path.join(home, "boxwright.log"), "w+") as log:
        program = subprocess.Popen([binary], env=env, stdout=log, stderr=subprocess.STDOUT)
        try:
            return check(program)
        except Failed as problem:
            log.seek(0)
            print(f"\nCOULD NOT RUN: {problem}\n--- program output ---\n{log.read()[-3000:]}")
            return 2
        finally:
            program.terminate()
            try:
                program.wait(timeout=10)
            except subprocess.TimeoutExpired:
                program.kill()
                program.wait()


def check(program):
    desktop = pyatspi.Registry.getDesktop(0)

    def application():
        if program.poll() is not None:
            raise Failed(f"the program exited with status {program.returncode} before it showed up")
        return next((a for a in children(desktop) if a.get_process_id() == program.pid), None)

    app = wait_for("the program on the accessibility bus", application)
    app.set_cache_mask(Atspi.Cache.NONE)  # every question goes to the program: windows come and go
    # The title is "Boxwright", or the document's name then "- Boxwright".
    main = wait_for("the main window", lambda: next(
        (w for w in children(app) if w.getRole() == R.ROLE_FRAME and w.name.endswith("Boxwright")
         and has(w, R.STATE_SHOWING)), None))
    print(f"application {app.name} (pid {program.pid}), toolkit {app.get_toolkit_name()} "
          f"{app.get_toolkit_version()}, main window \"{main.name}\"")
    if not main.get_accessible_id():
        print("(this toolkit exports no accessible ids, so objects are told by role, place and path)")

    shown, hidden = unnamed_in(main)
    print_list("Main window, unnamed and shown", shown)
    print_list("Main window, unnamed but not shown now (for information)", hidden)

    # Preview: press プレビュー, take the new window, check it, close it with OK.
    print("\nPreview box")
    preview = find(main, R.ROLE_PUSH_BUTTON, "プレビュー")
    if preview is None:
        raise Failed('no push button named "プレビュー"')
    press(preview)
    box = wait_for("the preview box", lambda: next(
        (w for w in children(app) if w is not main and has(w, R.STATE_SHOWING)), None))
    results = [(what, *test(box)) for what, test in PREVIEW_CHECKS]
    results.append(("OK closes the box", *close_with_ok(app, main, box)))
    for what, ok, detail in results:
        print(f"  {'ok  ' if ok else 'FAIL'}  {what}" + (f": {detail}" if detail else ""))

    failed = sum(not ok for _, ok, _ in results)
    print(f"\nSummary: {len(shown)} unnamed object(s) shown in the main window, "
          f"{failed} failed preview check(s); {len(hidden)} unnamed object(s) not shown now")
    return 1 if shown or failed else 0


def close_with_ok(app, main, box):
    """Presses the box's OK button and waits until no window but the main one shows."""
    ok_button = find(box, R.ROLE_PUSH_BUTTON, "OK")
    if ok_button is None:
        return False, "no OK button"
    press(ok_button)
    try:
        wait_for("the box to close", lambda: not any(
            w is not main and has(w, R.STATE_SHOWING) for w in children(app)))
    except Failed as problem:
        return False, str(problem)
    return True, ""


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(f"usage: {sys.argv[0]} BOXWRIGHT_BINARY")
    with tempfile.TemporaryDirectory(prefix="boxwright-a11y-") as fresh_home:
        sys.exit(run(os.path.abspath(sys.argv[1]), fresh_home))
