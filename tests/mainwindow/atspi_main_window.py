#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Reads the running Movrand main window through the accessibility tree (AT-SPI), as a screen
reader or a desktop test tool meets it, and checks that it says what a sighted user reads.

Usage: atspi_main_window.py EXPECTED_TITLE
Exit codes: 0 all texts read as expected, 1 a text differs or is missing, 77 no accessibility
bus (the test is skipped).
"""
import sys
import time

try:
    import pyatspi
except ImportError:
    print("SKIP: python3-pyatspi is not installed")
    sys.exit(77)

EXPECTED_TABS = ["Cars / Accessories", "Car Folders", "Find Add-Ons", "GPL Directory", "History"]
# (caption, description, enabled) of the buttons on the pages.
EXPECTED_BUTTONS = [
    ("Add Files", "", True),
    ("Remove Mode...", "", True),
    ("Save Car Number", "", False),
    ("Update URL", " Reset these Values to Original Game Defaults ", True),
    ("Save", "", True),
]


def walk(node, depth=0):
    if node is None or depth > 40:
        return
    yield node
    for i in range(node.childCount):
        try:
            child = node.getChildAtIndex(i)
        except Exception:
            continue
        yield from walk(child, depth + 1)


def labelled_by(node):
    names = []
    for relation in node.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            names += [relation.getTarget(i).name for i in range(relation.getNTargets())]
    return names


def find_movrand(timeout):
    deadline = time.time() + timeout
    while time.time() < deadline:
        try:
            desktop = pyatspi.Registry.getDesktop(0)
            for app in desktop:
                if app is None:
                    continue
                for frame in app:
                    if frame is not None and frame.name.startswith(" Zorvex's  Movrand"):
                        return frame
        except Exception:
            pass
        time.sleep(0.5)
    return None


def main():
    expected_title = sys.argv[1]
    try:
        pyatspi.Registry.getDesktop(0)
    except Exception as error:
        print("SKIP: no accessibility bus:", error)
        return 77
    window = find_movrand(30)
    if window is None:
        print("FAIL: no window titled", repr(expected_title), "in the accessibility tree")
        return 1
    failures = []
    if window.name != expected_title:
        failures.append("title %r, expected %r" % (window.name, expected_title))

    nodes = list(walk(window))
    tabs = [n.name for n in nodes if n.getRole() == pyatspi.ROLE_PAGE_TAB]
    if tabs != EXPECTED_TABS:
        failures.append("tabs %r, expected %r" % (tabs, EXPECTED_TABS))

    buttons = [n for n in nodes if n.getRole() == pyatspi.ROLE_PUSH_BUTTON]
    for caption, description, enabled in EXPECTED_BUTTONS:
        matching = [b for b in buttons if b.name == caption]
        if not matching:
            failures.append("no button %r among %r" % (caption, [b.name for b in buttons]))
            continue
        button = matching[0]
        if button.description != description:
            failures.append("button %r describes itself as %r, expected %r"
                            % (caption, button.description, description))
        is_enabled = button.getState().contains(pyatspi.STATE_ENABLED)
        if is_enabled != enabled:
            failures.append("button %r enabled=%r, expected %r" % (caption, is_enabled, enabled))

    # A drop-down list is named by what it is for, and a label names the car-number box.
    combos = [n for n in nodes if n.getRole() == pyatspi.ROLE_COMBO_BOX]
    shown = [c.name for c in combos]
    for name in ("Driver", "Car No."):
        if name not in shown:
            failures.append("no drop-down list named %r among %r" % (name, shown))
    numbers = [c for c in combos if c.name == "Car No."]
    if numbers and "Car No." not in labelled_by(numbers[0]):
        failures.append("the car-number box is not labelled 'Car No.'")
    labels = {n.name for n in nodes if n.getRole() == pyatspi.ROLE_LABEL}
    for text in ("Car No.", "Zorvex"):
        if text not in labels:
            failures.append("no label %r" % text)
    helps = [n for n in nodes if n.name == "Online help"]
    if not any(h.description == " Click to Display Online Help " for h in helps):
        failures.append("no help button described as ' Click to Display Online Help '")

    for failure in failures:
        print("FAIL:", failure)
    if not failures:
        print("OK: title, %d tabs, %d buttons read as a user reads them"
              % (len(tabs), len(EXPECTED_BUTTONS)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
