#!/usr/bin/python3
"""Reads the running calculator through AT-SPI, as a screen reader does.

Finds every control by the name assistive technology gives it, then walks the typical use
through AT-SPI actions alone and checks that both results are announced as they appear.
Exits non-zero, naming what is wrong, at the first failure or when time runs out.
"""

import sys
import time

import pyatspi
from gi.repository import GLib

APPLICATION_NAME = "Quorvel"
# Limits only, generous for a busy machine: every wait ends once what it waits for happens.
FIND_APPLICATION_SECONDS = 60
WAIT_SECONDS = 30
POLL_SECONDS = 0.05

# (role, name) of every control a person acts on or reads a result from.
CONTROLS = [
    (pyatspi.ROLE_PUSH_BUTTON, "Calculate EDD"),
    (pyatspi.ROLE_PUSH_BUTTON, "Cancel and restart"),
    (pyatspi.ROLE_PUSH_BUTTON, "Calculate gestation"),
    (pyatspi.ROLE_RADIO_BUTTON, "LMP-based dating"),
    (pyatspi.ROLE_RADIO_BUTTON, "Ultrasound-based dating"),
    (pyatspi.ROLE_RADIO_BUTTON, "Fetal biometry"),
    (pyatspi.ROLE_RADIO_BUTTON, "Derived gestation"),
    (pyatspi.ROLE_RADIO_BUTTON, "Crown rump length"),
    (pyatspi.ROLE_RADIO_BUTTON, "Biparietal diameter"),
    (pyatspi.ROLE_RADIO_BUTTON, "Head circumference"),
    (pyatspi.ROLE_RADIO_BUTTON, "Yes"),
    (pyatspi.ROLE_RADIO_BUTTON, "No"),
    (pyatspi.ROLE_LABEL, "Calculate length of gestation at birth?"),
    # A result is a notification: screen readers speak it when it appears.
    (pyatspi.ROLE_NOTIFICATION, "EDD"),
    (pyatspi.ROLE_NOTIFICATION, "Gestation at birth"),
    (pyatspi.ROLE_IMAGE, "Quorvel logo"),
]

# The link is a link named by the address it shows; what it is goes in its description.
LINK_DESCRIPTION = "Makers' web site"
# Results have no description until one is written; the placeholder is never read out.
RESULTS = ["EDD", "Gestation at birth"]

# Lists are named, as on any Linux desktop, by the label they are labelled by, whose name
# ends in the picked item ("Month of birth, October"); their own accessible name is the item.
LISTS = [
    "Month of the LMP or scan date",
    "Day of the LMP or scan date",
    "Year of the LMP or scan date",
    "Weeks of the derived gestation",
    "Days of the derived gestation",
    "mm",
    "Month of birth",
    "Day of birth",
    "Year of birth",
]


class Failure(Exception):
    pass


def find_application():
    deadline = time.monotonic() + FIND_APPLICATION_SECONDS
    while time.monotonic() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name == APPLICATION_NAME:
                return app
        time.sleep(POLL_SECONDS * 4)
    raise Failure(f"no application named {APPLICATION_NAME!r} on the AT-SPI bus")


def descendants(node):
    """Every object under node, without the item lists that drop down from a list."""
    for child in node:
        if child is None:
            continue
        yield child
        if child.getRole() != pyatspi.ROLE_COMBO_BOX:
            yield from descendants(child)


def list_label(combo):
    """The label's name without the picked item that follows it."""
    for relation in combo.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            for i in range(relation.getNTargets()):
                name = relation.getTarget(i).name
                suffix = ", " + combo.name
                return name[: -len(suffix)] if combo.name and name.endswith(suffix) else name
    return None


def find_controls(app):
    found = {}
    lists = {}
    for obj in descendants(app):
        role = obj.getRole()
        if role == pyatspi.ROLE_COMBO_BOX:
            label = list_label(obj)
            if label in lists:
                raise Failure(f"two lists labelled {label!r}")
            lists[label] = obj
        elif role == pyatspi.ROLE_LINK and obj.description == LINK_DESCRIPTION:
            found[(role, LINK_DESCRIPTION)] = obj
        elif (role, obj.name) in CONTROLS:
            if (role, obj.name) in found:
                raise Failure(f"two controls named {obj.name!r}")
            found[(role, obj.name)] = obj
    missing = [name for key in CONTROLS if key not in found for name in [key[1]]]
    if (pyatspi.ROLE_LINK, LINK_DESCRIPTION) not in found:
        missing.append(LINK_DESCRIPTION)
    missing += [name for name in LISTS if name not in lists]
    if missing:
        raise Failure("not found by name: " + ", ".join(missing))
    unexpected = [label for label in lists if label not in LISTS]
    if unexpected:
        raise Failure(f"lists without the expected label: {unexpected}")
    return {key[1]: obj for key, obj in found.items()} | lists


def run_action(obj, names):
    action = obj.queryAction()
    offered = [action.getName(i) for i in range(action.nActions)]
    for i, offered_name in enumerate(offered):
        if offered_name in names:
            action.doAction(i)
            return
    raise Failure(f"{obj.name!r} offers none of {names}, only {offered}")


def pump_until(condition, what):
    context = GLib.MainContext.default()
    deadline = time.monotonic() + WAIT_SECONDS
    while time.monotonic() < deadline:
        while context.pending():
            context.iteration(False)
        if condition():
            return
        time.sleep(POLL_SECONDS)
    raise Failure(f"timed out waiting for {what}")


def showing(obj):
    return obj.getState().contains(pyatspi.STATE_SHOWING)


def checked(obj):
    return obj.getState().contains(pyatspi.STATE_CHECKED)


def typical_use(controls):
    """LMP-based dating of 1 January 2000 (the start-up date) and a birth on the EDD."""
    announced = []

    def on_description(event):
        announced.append((event.source.name, event.source.description))

    pyatspi.Registry.registerEventListener(
        on_description, "object:property-change:accessible-description")
    try:
        # The registry told the program of the listener before it answered the registration,
        # and the program handles its messages in order: once it has answered a call made now,
        # it sends what is announced from here on.
        controls["EDD"].queryComponent().getExtents(pyatspi.DESKTOP_COORDS)

        run_action(controls["LMP-based dating"], ["Toggle", "Press", "Click"])
        pump_until(lambda: checked(controls["LMP-based dating"]), "LMP-based dating")

        run_action(controls["Calculate EDD"], ["Press", "Click"])
        edd = ("EDD", "7 October 2000")
        pump_until(lambda: edd in announced, f"the announcement {edd}")
        if not showing(controls["EDD"]):
            raise Failure("the EDD was announced but is not showing")

        run_action(controls["Yes"], ["Toggle", "Press", "Click"])
        pump_until(lambda: showing(controls["Day of birth"]), "the date-of-birth lists")
        if controls["Day of birth"].name != "7":
            raise Failure(f"day of birth is {controls['Day of birth'].name!r}, not the EDD's 7")

        run_action(controls["Calculate gestation"], ["Press", "Click"])
        gestation = ("Gestation at birth", "40 weeks 0 days")
        pump_until(lambda: gestation in announced, f"the announcement {gestation}")
    finally:
        pyatspi.Registry.deregisterEventListener(
            on_description, "object:property-change:accessible-description")


def main():
    try:
        app = find_application()
        controls = find_controls(app)
        print(f"found {len(controls)} controls by name")
        for name in RESULTS:
            if controls[name].description:
                raise Failure(f"{name!r} describes {controls[name].description!r} before a result")
        typical_use(controls)
        print("typical use announced both results")
    except Failure as failure:
        print(f"FAIL: {failure}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
