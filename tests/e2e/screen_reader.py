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

from atspi_reader import Atspi, Expectations, GLib, find, find_application, pump, wait_for, walk  # noqa: F401

APP_NAME = sys.argv[1] if len(sys.argv) > 1 else "Quillotap"
expect = Expectations("")


app = None
if not wait_for(lambda: find_application(APP_NAME) is not None, 20):
    expect(False, "the program is on the accessibility bus")
    sys.exit(1)
app = find_application(APP_NAME)
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
sys.exit(1 if expect.failures else 0)
