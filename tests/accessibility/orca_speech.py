#!/usr/bin/python3
"""Checks what the Orca screen reader speaks while the calculator is used.

Walks LMP-based dating of 1 January 2000 and a birth on the EDD through AT-SPI actions, and
reads what Orca had the speech synthesizer say (one utterance a line in SPOKEN_LOG): each
result must be spoken when it appears, and the focus must never be announced on "Cancel and
RESTART". On the way, a real mouse wheel turned over a list without the focus must leave it
as it is. Then walks the LMP road and the scan road with the keyboard alone, typing to pick,
and checks that every list is heard with its item, every pick, result, withdrawal and the
restart are spoken, and the link is heard as a link. Orca's own SPEECH OUTPUT lines
(ORCA_LOG) are shown alongside.
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
# More presses than the Tab round has stops.
MAX_PRESSES = 25
# Orca has finished with what it was given once it has said something new (after a key, more
# than the key's name) and then nothing for this long; a busy machine only makes the wait
# longer, up to the limit.
QUIET_SECONDS = 0.4
SETTLE_LIMIT_SECONDS = 30
POLL_SECONDS = 0.05
# Between the keys of one step: quick enough for typed digits to make one search ("2004").
KEY_DELAY_MS = 50


def spoken():
    with open(os.environ["SPOKEN_LOG"], encoding="utf-8", errors="replace") as log:
        return [line.strip() for line in log]


def show_speech(out):
    with open(os.environ["ORCA_LOG"], encoding="utf-8", errors="replace") as log:
        orca_lines = [line.split(" - ", 1)[-1].rstrip() for line in log if SPEECH_MARK in line]
    print("\n".join(orca_lines + ["synthesizer: " + line for line in spoken()]), file=out)


def wait_spoken(text):
    pump_until(lambda: any(text in line for line in spoken()), f"Orca to speak {text!r}")


def press(keys):
    subprocess.run(["xdotool", "key", "--delay", str(KEY_DELAY_MS)] + keys.split(), check=True)


def settle(heard, echo=None):
    """Waits until Orca, after line heard, has said something besides echo and fallen quiet:
    a key pressed sooner would cut short what it says of the new focus."""
    deadline = time.monotonic() + SETTLE_LIMIT_SECONDS
    count, changed = len(spoken()), time.monotonic()
    while time.monotonic() < deadline:
        time.sleep(POLL_SECONDS)
        lines = spoken()
        if len(lines) != count:
            count, changed = len(lines), time.monotonic()
        elif (any(line != echo for line in lines[heard:])
              and time.monotonic() - changed >= QUIET_SECONDS):
            return


def press_until(keys, text):
    """Presses keys until Orca says something with text in it."""
    for _ in range(MAX_PRESSES):
        heard = len(spoken())
        press(keys)
        settle(heard, keys.split("+")[-1].lower())
        if any(text in line for line in spoken()[heard:]):
            return
    raise Failure(f"{keys} never brought Orca to say {text!r}")


def step(keys, *texts):
    """Presses keys, then waits for Orca to say each text, in that order or any."""
    heard = len(spoken())
    press(keys)
    for text in texts:
        pump_until(lambda t=text: any(t in line for line in spoken()[heard:]),
                   f"Orca to say {text!r} after {keys}")


def lmp_road():
    """LMP 10 March 2004 typed into the lists, born on the EDD, then a day earlier."""
    press_until("Tab", "Cancel and restart")
    step("Return", "Inputs and results cleared")
    press_until("Tab", "Ultrasound-based")
    step("Up", "LMP-based")
    press_until("shift+Tab", "Month of the LMP or scan date, January combo box")
    step("m", "March")
    step("Tab", "Day of the LMP or scan date, 1 combo box")
    step("1 0", "10")
    step("Tab", "Year of the LMP or scan date, 2000 combo box")
    step("2 0 0 4", "2004")
    step("Return", "EDD", "15 December 2004")
    step("space", "Yes", "Month of birth, December combo box")
    step("Return", "40 weeks 0 days")
    press_until("Tab", "Day of birth, 15 combo box")
    step("Up", "14", "Gestation at birth withdrawn")
    step("Return", "39 weeks 6 days")


def scan_road(controls):
    """A biparietal diameter of 45 mm on 25 June 2003 typed in, then changed."""
    press_until("Tab", "Cancel and restart")
    step("space", "Inputs and results cleared")
    step("Tab", "Month of the LMP or scan date, January combo box")
    step("j u n", "June")
    step("Tab", "Day of the LMP or scan date, 1 combo box")
    step("2 5", "25")
    step("Tab", "Year of the LMP or scan date, 2000 combo box")
    step("2 0 0 3", "2003")
    step("Tab", "mm, 37 combo box")
    step("4 5", "45")
    step("Return", "EDD")
    edd = controls["EDD"].description
    pump_until(lambda: any(edd in line for line in spoken()), f"Orca to say the EDD {edd!r}")
    press_until("shift+Tab", "mm, 45 combo box")
    step("Up", "44", "EDD withdrawn")
    press_until("Tab", "www.quorvel.org link")


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
        # The program takes its input in order and hands each key on to Orca: once Orca echoes
        # a key pressed after the wheel (one the window ignores), the program has had the wheel.
        step("Escape", "escape")
        if year.name != "2000":
            raise Failure(f"the wheel turned the year list without the focus to {year.name}")

        run_action(controls["LMP-based dating"], ["Toggle", "Press", "Click"])
        pump_until(lambda: checked(controls["LMP-based dating"]), "LMP-based dating")
        run_action(controls["Calculate EDD"], ["Press", "Click"])
        wait_spoken("7 October 2000")
        run_action(controls["Yes"], ["Toggle", "Press", "Click"])
        pump_until(lambda: controls["Day of birth"].name == "7", "the date of birth at the EDD")
        heard = len(spoken())
        run_action(controls["Calculate gestation"], ["Press", "Click"])
        wait_spoken("40 weeks 0 days")
        settle(heard)  # whatever else the last action set off reaches the log

        wrong = [line for line in spoken() if NEVER_FOCUSED in line]
        if wrong:
            raise Failure(f"Orca announced the focus on {NEVER_FOCUSED!r}: {wrong}")

        lmp_road()
        scan_road(controls)
        show_speech(sys.stdout)
    except Failure as failure:
        show_speech(sys.stderr)
        print(f"FAIL: {failure}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
