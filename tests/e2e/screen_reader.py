#!/usr/bin/env python3
"""Reads the running program through AT-SPI the way a screen reader does.

It finds the program's status line and elapsed time by what they stand for,
starts a recording with the Record button's press action, and follows both
values while the recording runs: the names it reads must carry the values
shown, and each change must be announced (an accessible-name change event).
Prints one "PASS text" or "FAIL text" line per expectation.
"""
import re
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

APP_NAME = sys.argv[1] if len(sys.argv) > 1 else "Quillotap"
failures = 0


def expect(ok, text):
    global failures
    print(("PASS " if ok else "FAIL ") + text, flush=True)
    if not ok:
        failures += 1


def pump(seconds):
    """Lets AT-SPI events arrive for a while."""
    context = GLib.MainContext.default()
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        while context.pending():
            context.iteration(False)
        time.sleep(0.02)


def wait_for(condition, seconds):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        pump(0.1)
        try:
            if condition():
                return True
        except GLib.Error:
            pass
    return False


def find_application():
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is not None and app.get_name() == APP_NAME:
            return app
    return None


def walk(node, depth=0):
    yield node
    if depth > 40:
        return
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            yield from walk(child, depth + 1)


def find(app, role, test):
    for node in walk(app):
        try:
            if node.get_role() == role and test(node):
                return node
        except GLib.Error:
            continue
    return None


app = None
if not wait_for(lambda: find_application() is not None, 20):
    expect(False, "the program is on the accessibility bus")
    sys.exit(1)
app = find_application()
expect(True, "the program is on the accessibility bus")

label = Atspi.Role.LABEL
status = find(app, label, lambda n: n.get_description() == "Status")
elapsed = find(app, label, lambda n: n.get_description() == "Elapsed time")
record = find(app, Atspi.Role.PUSH_BUTTON, lambda n: n.get_name() == "Record")
stop = find(app, Atspi.Role.PUSH_BUTTON, lambda n: n.get_name() == "Stop recording")
expect(status is not None, "a label described as the status")
expect(elapsed is not None, "a label described as the elapsed time")
expect(record is not None and stop is not None, "the Record and Stop buttons")
if None in (status, elapsed, record, stop):
    sys.exit(1)

expect(status.get_name() == "Ready to record",
       f'the status reads "Ready to record" (read "{status.get_name()}")')
expect(elapsed.get_name() == "Elapsed time 00:00:00",
       f'the elapsed time reads "Elapsed time 00:00:00" (read "{elapsed.get_name()}")')

# What a screen reader is told while the recording runs.
announced = []


def on_name_change(event):
    # The new name travels with the event; the source is read only to know
    # which label it was.
    try:
        name = event.any_data if isinstance(event.any_data, str) else event.source.get_name()
        announced.append((event.source.get_description(), name))
    except GLib.Error:
        pass


listener = Atspi.EventListener.new(on_name_change)
listener.register("object:property-change:accessible-name")
pump(0.5)

record.get_action_iface().do_action(0)  # "Press"
recording = wait_for(lambda: status.get_name() == "Recording", 10)
expect(recording, f'the status reads "Recording" (read "{status.get_name()}")')
pattern = re.compile(r"^Elapsed time 00:00:0[5-9]$")
counted = wait_for(lambda: pattern.match(elapsed.get_name()) is not None, 20)
last_read = elapsed.get_name()
expect(counted, f'the elapsed time is read as it counts (read "{last_read}")')

stop.get_action_iface().do_action(0)
ready = wait_for(lambda: status.get_name() == "Ready to record", 10)
expect(ready, f'the status reads "Ready to record" again (read "{status.get_name()}")')
pump(0.5)
listener.deregister("object:property-change:accessible-name")

statuses = [name for what, name in announced if what == "Status"]
times = [name for what, name in announced if what == "Elapsed time"]
expect("Recording" in statuses and "Ready to record" in statuses,
       f"the status changes are announced ({statuses})")
# How often the figures change depends on how the sound server hands out
# the captured sound; every change that is shown is announced.
expect(len(set(times)) >= 2 and all(t.startswith("Elapsed time 00:00:") for t in times)
       and last_read in times,
       f"the changing elapsed time is announced ({times})")
sys.exit(1 if failures else 0)
