#!/usr/bin/env python3
"""Reads the running program's captions through AT-SPI in one UI language.

usage: translated_captions.py APP LANGUAGE   (LANGUAGE: en or de)

Finds the page buttons, the Record button and the status line by their names
in that language, starts a recording and reads the status line change, then
stops it. Also checks that no caption of the other language is left on the
recorder page. Prints one "PASS text" or "FAIL text" line per expectation.
"""
import sys
import time

from atspi_reader import Atspi, Expectations, GLib, find, find_application, pump, wait_for, walk  # noqa: F401

APP_NAME, LANGUAGE = sys.argv[1], sys.argv[2]

TEXTS = {
    "en": {
        "pages": ["Recorder", "Files", "Hotkey", "Icon Mode", "Options", "Help"],
        "record": "Record", "stop": "Stop recording", "play": "Play the last recording",
        "ready": "Ready to record", "recording": "Recording",
    },
    "de": {
        "pages": ["Rekorder", "Dateien", "Tastenkürzel", "Symbolmodus", "Optionen", "Hilfe"],
        "record": "Aufnehmen", "stop": "Aufnahme stoppen", "play": "Letzte Aufnahme abspielen",
        "ready": "Bereit zur Aufnahme", "recording": "Aufnahme läuft",
    },
}
OTHER = {"en": "de", "de": "en"}
texts, other = TEXTS[LANGUAGE], TEXTS[OTHER[LANGUAGE]]
expect = Expectations(f"[{LANGUAGE}] ")


def names(app):
    found = set()
    for node in walk(app):
        try:
            if node.get_state_set().contains(Atspi.StateType.SHOWING):
                found.add(node.get_name())
        except GLib.Error:
            continue
    return found


if not wait_for(lambda: find_application(APP_NAME) is not None, 20):
    expect(False, "the program is on the accessibility bus")
    sys.exit(1)
app = find_application(APP_NAME)

shown = names(app)
for page in texts["pages"]:
    expect(page in shown, f'the page button "{page}"')
for key in ("record", "stop", "play"):
    expect(texts[key] in shown, f'the button "{texts[key]}"')
left_over = sorted(n for key in ("record", "stop", "play") for n in [other[key]] if n in shown)
expect(not left_over, f"no caption of the other language on the recorder page ({left_over})")

status = find(app, Atspi.Role.LABEL, lambda n: n.get_name() == texts["ready"])
record = find(app, Atspi.Role.PUSH_BUTTON, lambda n: n.get_name() == texts["record"])
stop = find(app, Atspi.Role.PUSH_BUTTON, lambda n: n.get_name() == texts["stop"])
expect(status is not None, f'the status line reads "{texts["ready"]}"')
if None in (status, record, stop):
    expect(False, "the status line and the Record and Stop buttons are found")
    sys.exit(1)

record.get_action_iface().do_action(0)  # "Press"
expect(wait_for(lambda: status.get_name() == texts["recording"], 10),
       f'the status line reads "{texts["recording"]}" while recording (read "{status.get_name()}")')
stop.get_action_iface().do_action(0)
expect(wait_for(lambda: status.get_name() == texts["ready"], 10),
       f'the status line reads "{texts["ready"]}" again (read "{status.get_name()}")')
sys.exit(1 if expect.failures else 0)
