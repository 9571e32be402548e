#!/usr/bin/python3
"""Checks what the Orca screen reader speaks while the calculator is used.

Walks LMP-based dating of 1 January 2000 and a birth on the EDD through AT-SPI actions, and
reads what Orca had the speech synthesizer say (one utterance a line in SPOKEN_LOG): each
result must be spoken when it appears, and the focus must never be announced on "Cancel and
RESTART". On the way, a real mouse wheel turned over a list without the focus must leave it
as it is. Orca's own SPEECH OUTPUT lines (ORCA_LOG) are shown alongside.
"""

import os
import subprocess
import sys
import time

import pyatspi

from atspi_tree import Failure, checked, find_application, find_controls, pump_until, run_action

SPEECH_MARK = "SPEECH OUTPUT: "
# The focused button that an early blink used to hand the focus on to.
NEVER_FOCUSED = "Cancel and restart"


def spoken():
    with open(os.environ["SPOKEN_LOG"], encoding="utf-8", errors="replace") as log:
        return [line.strip() for line in log]


def show_speech(out):
    with open(os.environ["ORCA_LOG"], encoding="utf-8", errors="replace") as log:
        orca_lines = [line.split(" - ", 1)[-1].rstrip() for line in log if SPEECH_MARK in line]
    print("\n".join(orca_lines + ["synthesizer: " + line for line in spoken()]), file=out)


def wait_spoken(text):
    pump_until(lambda: any(text in line for line in spoken()), f"Orca to speak {text!r}")


def turn_wheel_over(obj, notches):
    box = obj.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    # X button 5 is one notch of the wheel turned towards the user.
    clicks = ["click", "5"] * notches
    subprocess.run(["xdotool", "mousemove", str(box.x + box.width // 2),
                    str(box.y + box.height // 2)] + clicks, check=True)


def main():
    try:
        controls = find_controls(find_application())
        wait_spoken("Calculate EDD")  # the focus Orca finds in the window when it opens

        year = controls["Year of the LMP or scan date"]
        turn_wheel_over(year, 2)
        time.sleep(0.5)  # the wheel's events reach the program
        if year.name != "2000":
            raise Failure(f"the wheel turned the year list without the focus to {year.name}")

        run_action(controls["LMP-based dating"], ["Toggle", "Press", "Click"])
        pump_until(lambda: checked(controls["LMP-based dating"]), "LMP-based dating")
        run_action(controls["Calculate EDD"], ["Press", "Click"])
        wait_spoken("7 October 2000")
        run_action(controls["Yes"], ["Toggle", "Press", "Click"])
        pump_until(lambda: controls["Day of birth"].name == "7", "the date of birth at the EDD")
        run_action(controls["Calculate gestation"], ["Press", "Click"])
        wait_spoken("40 weeks 0 days")
        time.sleep(0.5)  # lets anything the last action set off reach the log

        show_speech(sys.stdout)
        wrong = [line for line in spoken() if NEVER_FOCUSED in line]
        if wrong:
            raise Failure(f"Orca announced the focus on {NEVER_FOCUSED!r}: {wrong}")
    except Failure as failure:
        show_speech(sys.stderr)
        print(f"FAIL: {failure}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
