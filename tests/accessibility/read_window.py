"""Reads the running Levelwise through AT-SPI, as a screen reader does: the frame, the name
and labelled-by relation of each field, the logo's description, then presses the button and
reads the message box that is announced. Prints one line per check; exits 1 if any failed."""
import sys
import time

import pyatspi

HINT = "Az értékek tizedes jel nélkül írandók be."
FIELDS = [  # role, name a screen reader says, the label it comes from, the description after it
    (pyatspi.ROLE_TEXT, "Legalacsonyabb érték:", HINT),
    (pyatspi.ROLE_TEXT, "Legmagasabb érték:", HINT),
    (pyatspi.ROLE_COMBO_BOX, "Korrekció előtti trend iránya:", ""),
]
REPORT = ("38.2%-os korrekciós szint: 15669\n50.0%-os korrekciós szint: 15660\n"
          "61.8%-os korrekciós szint: 15651")
failures = 0


def check(ok, what):
    global failures
    print(("ok: " if ok else "FAILED: ") + what)
    failures += 0 if ok else 1


def wait_for(find, seconds=10):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        found = find()
        if found:
            return found
        time.sleep(0.1)
    return None


def walk(node):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


desktop = pyatspi.Registry.getDesktop(0)
app = wait_for(lambda: next((a for a in (desktop.getChildAtIndex(i) for i in range(desktop.childCount))
                             if a is not None and a.name.lower() == "levelwise"), None))
check(app is not None, "the program is on the accessibility bus")
if app is None:
    sys.exit(1)
frame = wait_for(lambda: next((n for n in walk(app) if n.getRole() == pyatspi.ROLE_FRAME), None))
check(frame is not None and frame.name == "Levelwise", "a frame named Levelwise")
nodes = list(walk(frame)) if frame else []
for role, name, description in FIELDS:
    field = next((n for n in nodes if n.getRole() == role and n.name == name), None)
    check(field is not None, f"{pyatspi.Role(role)!s} named \"{name}\"")
    if field is None:
        continue
    labels = [target.name for relation in field.getRelationSet()
              if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY
              for target in (relation.getTarget(i) for i in range(relation.getNTargets()))]
    check(name in labels, f"\"{name}\" labelled by its label ({labels})")
    check(field.description == description, f"\"{name}\" described as \"{field.description}\"")

logo = next((n for n in nodes if n.getRole() == pyatspi.ROLE_IMAGE), None)
check(logo is not None and logo.name == "A Levelwise emblémája", "the logo, by its description")
button = next((n for n in nodes if n.getRole() == pyatspi.ROLE_PUSH_BUTTON), None)
check(button is not None and button.name == "Számol", "the button \"Számol\"")
if button is not None:
    action = button.queryAction()
    action.doAction(next(i for i in range(action.nActions) if action.getName(i) == "Press"))
    # An alert is what a screen reader reads out by itself as it appears.
    box = wait_for(lambda: next((n for n in walk(app) if n.getRole() == pyatspi.ROLE_ALERT),
                                None))
    check(box is not None, "a message box appears as an alert")
    if box is not None:
        texts = [n.name for n in walk(box) if n.getRole() == pyatspi.ROLE_LABEL]
        check(REPORT in texts, f"its text is read out ({texts})")
        ok = next((n for n in walk(box) if n.getRole() == pyatspi.ROLE_PUSH_BUTTON), None)
        if ok is not None:
            ok.queryAction().doAction(0)
sys.exit(1 if failures else 0)
