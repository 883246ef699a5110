"""Reads the running Levelwise through AT-SPI, as a screen reader does: the frame, the name
and labelled-by relation of each field, the logo's description; turns the mouse wheel over the
direction list (with xdotool, as the X server's pointer); then presses the button and reads the
message box that is announced. Prints one line per check; exits 1 if any failed."""
import subprocess
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



def text_of(node):
    return node.queryText().getText(0, -1)


def wheel(node, *clicks):
    """Turns the wheel over the left of a control (button 4 up, 5 down) and types the keys
    after it: once the focused field shows them, the wheel has been dealt with before."""
    x, y, width, height = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    subprocess.run(["xdotool", "mousemove", "--sync", str(x + width // 3), str(y + height // 2),
                    "click", *clicks], check=True)


# The wheel turns the direction list only when it has the focus, as on Windows: a trader
# scrolling past from a price field must not find "Short" in it.
by_name = {n.name: n for n in nodes if n.getRole() in (pyatspi.ROLE_TEXT, pyatspi.ROLE_COMBO_BOX)}
low, combo = by_name.get(FIELDS[0][1]), by_name.get(FIELDS[2][1])
direction = next((n for n in walk(combo) if n.getRole() == pyatspi.ROLE_TEXT), None) if combo else None
if low is not None and direction is not None:
    # grabFocus returns once the program has moved the focus. A key typed after the wheel lands
    # in the field that has the focus: the price field, unless the wheel took it.
    low.queryComponent().grabFocus()
    wheel(combo, "5")
    subprocess.run(["xdotool", "type", "9"], check=True)
    typed = wait_for(lambda: "9" in text_of(low) + text_of(direction))
    check(typed and text_of(low) == "156209" and text_of(direction) == "Long",
          f"a wheel over the list from a price field leaves it \"{text_of(direction)}\" and the"
          f" focus in the field (\"{text_of(low)}\")")
    subprocess.run(["xdotool", "key", "BackSpace"], check=True)
    wait_for(lambda: text_of(low) == "15620")
    direction.queryComponent().grabFocus()
    wheel(combo, "5")
    turned = wait_for(lambda: text_of(direction) == "Short")
    wheel(combo, "4")
    back = wait_for(lambda: text_of(direction) == "Long")
    check(turned and back, "a wheel over the list with the focus turns it to Short and back")

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
