"""Drives sumdiff as a screen reader does, through AT-SPI only: the window is a frame, each
text box is labelled by its label, the values are typed through the editable-text interface,
"Сумма" is selected and "вычислить" pressed through the action interface, and C reads 5."""
import sys
import time

import pyatspi


def wait_for(what, find, seconds=30):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        found = find()
        if found:
            return found
        time.sleep(0.1)
    sys.exit(f"FAIL: no {what} within {seconds} s")


def application(name):
    return next((app for app in pyatspi.Registry.getDesktop(0) if app is not None and app.name == name), None)


def children(accessible):
    return [child for child in accessible if child is not None]


def named(parent, role, name):
    return next((child for child in children(parent) if child.getRole() == role and child.name == name), None)


def act(accessible, action_name):
    actions = accessible.queryAction()
    names = [actions.getName(index) for index in range(actions.nActions)]
    if action_name not in names:
        sys.exit(f"FAIL: {accessible.name!r} offers {names}, not {action_name!r}")
    actions.doAction(names.index(action_name))


program = sys.argv[1]
app = wait_for(f"application {program!r} on the accessibility bus", lambda: application(program))
windows = wait_for("window", lambda: children(app))
window = windows[0]
if window.getRole() != pyatspi.ROLE_FRAME:
    sys.exit(f"FAIL: the window's role is {window.getRoleName()!r}, not 'frame'")

boxes = {}
for label in "ABC":
    box = named(window, pyatspi.ROLE_TEXT, label)
    if box is None:
        sys.exit(f"FAIL: no text box named {label!r}: {[(c.getRoleName(), c.name) for c in children(window)]}")
    labelled_by = [relation.getTarget(0) for relation in box.getRelationSet()
                   if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY]
    if not labelled_by or labelled_by[0].getRole() != pyatspi.ROLE_LABEL or labelled_by[0].name != label:
        sys.exit(f"FAIL: text box {label!r} is not labelled by the label {label!r}")
    boxes[label] = box

boxes["A"].queryEditableText().setTextContents("2")
boxes["B"].queryEditableText().setTextContents("3")
act(named(window, pyatspi.ROLE_RADIO_BUTTON, "Сумма"), "Toggle")
act(named(window, pyatspi.ROLE_PUSH_BUTTON, "вычислить"), "Press")
result = wait_for("result in C", lambda: boxes["C"].queryText().getText(0, -1))
if result != "5":
    sys.exit(f"FAIL: C reads {result!r}, not '5'")
print("sumdiff through AT-SPI: frame, labelled text boxes, 2 + 3 = 5")
