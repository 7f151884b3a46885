"""What the AT-SPI scripts of the end-to-end tests share: reaching the running
program on the accessibility bus, walking its tree, letting events arrive, and
printing one "PASS text" or "FAIL text" line per expectation."""
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402,F401


class Expectations:
    """Prints each expectation's outcome and counts the failures."""

    def __init__(self, prefix=""):
        self.prefix = prefix
        self.failures = 0

    def __call__(self, ok, text):
        print(("PASS " if ok else "FAIL ") + self.prefix + text, flush=True)
        if not ok:
            self.failures += 1


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


def find_application(name):
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is not None and app.get_name() == name:
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


# The first node below `app` of that role for which test(node) holds; None
# when there is none. Nodes that go away while they are read are passed by.
def find(app, role, test):
    for node in walk(app):
        try:
            if node.get_role() == role and test(node):
                return node
        except GLib.Error:
            continue
    return None
