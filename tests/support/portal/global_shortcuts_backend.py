#!/usr/bin/python3
"""A desktop's GlobalShortcuts back end for tests.

It serves org.freedesktop.impl.portal.GlobalShortcuts under the bus name
org.freedesktop.impl.portal.desktop.quillotaptest, which the real
xdg-desktop-portal front end picks through quillotap-test.portal (set
XDG_DESKTOP_PORTAL_DIR to this folder and XDG_CURRENT_DESKTOP=quillotap-test).
It binds whatever it is asked to bind, the way a desktop would after the user
confirmed, and remembers it.

A test steers it through org.quillotap.TestPortal on /org/quillotap/TestPortal:

  Bound() -> a(sa{sv})        the shortcuts of the last BindShortcuts, as asked
  BindCount() -> u            how many BindShortcuts calls arrived
  Calls() -> as               every back-end call, e.g. "CreateSession app_id="
  Activate(s id)              Activated for that shortcut, on the newest session
  Deactivate(s id)            Deactivated likewise
  Press(s id)                 Activated, then Deactivated at once
  SetTrigger(s id, s text)    the trigger the desktop assigns to that shortcut
                              from now on; on a bound shortcut this also emits
                              ShortcutsChanged, as a desktop's settings do
  SetBindResponse(u code)     answer later binds with this response
                              (0 bound, 1 the user cancelled, 2 failed)
  Leave(s id)                 later binds leave this shortcut out of the result
  Quit()

Usage: global_shortcuts_backend.py [--ready-file PATH]; the file is written
once the bus name is owned.
"""

import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

BUS_NAME = "org.freedesktop.impl.portal.desktop.quillotaptest"
IMPL_PATH = "/org/freedesktop/portal/desktop"
IMPL_IFACE = "org.freedesktop.impl.portal.GlobalShortcuts"
CONTROL_PATH = "/org/quillotap/TestPortal"
CONTROL_IFACE = "org.quillotap.TestPortal"
SHORTCUT_LIST = "a(sa{sv})"


def readable(trigger):
    """'CTRL+ALT+R' as a desktop would show it: 'Ctrl+Alt+R'."""
    names = {"CTRL": "Ctrl", "ALT": "Alt", "SHIFT": "Shift", "LOGO": "Super"}
    return "+".join(names.get(part, part) for part in str(trigger).split("+"))


class Session(dbus.service.Object):
    """The back end's side of a session; the front end closes it."""

    def __init__(self, backend, path):
        super().__init__(backend.connection, path)
        self.backend = backend
        self.path = path
        self.shortcuts = []  # [(id, description, trigger)] as last bound

    @dbus.service.method("org.freedesktop.impl.portal.Session", in_signature="",
                         out_signature="")
    def Close(self):
        self.backend.calls.append("Session.Close")
        self.backend.sessions.pop(self.path, None)
        self.remove_from_connection()


class Backend(dbus.service.Object):
    def __init__(self, connection, loop):
        super().__init__(connection, IMPL_PATH)
        self.loop = loop
        self.sessions = {}
        self.newest = None
        self.calls = []
        self.bound = dbus.Array([], signature="(sa{sv})")
        self.bind_count = 0
        self.bind_response = 0
        self.triggers = {}
        self.left_out = set()

    # ---- the portal back-end interface ----

    @dbus.service.method(IMPL_IFACE, in_signature="oosa{sv}", out_signature="ua{sv}")
    def CreateSession(self, handle, session_handle, app_id, options):
        self.calls.append("CreateSession app_id=%s" % app_id)
        self.sessions[str(session_handle)] = Session(self, str(session_handle))
        self.newest = str(session_handle)
        return dbus.UInt32(0), dbus.Dictionary({}, signature="sv")

    @dbus.service.method(IMPL_IFACE, in_signature="o" + "o" + SHORTCUT_LIST + "sa{sv}",
                         out_signature="ua{sv}")
    def BindShortcuts(self, handle, session_handle, shortcuts, parent_window, options):
        self.calls.append("BindShortcuts %d" % len(shortcuts))
        self.bind_count += 1
        self.bound = dbus.Array(shortcuts, signature="(sa{sv})")
        session = self.sessions.get(str(session_handle))
        if self.bind_response != 0 or session is None:
            return dbus.UInt32(self.bind_response or 2), dbus.Dictionary({}, signature="sv")
        session.shortcuts = []
        for shortcut_id, properties in shortcuts:
            if str(shortcut_id) in self.left_out:
                continue
            trigger = self.triggers.get(str(shortcut_id),
                                        readable(properties.get("preferred_trigger", "")))
            session.shortcuts.append((str(shortcut_id),
                                      str(properties.get("description", "")), trigger))
        return dbus.UInt32(0), dbus.Dictionary(
            {"shortcuts": self.describe(session)}, signature="sv")

    @dbus.service.method(IMPL_IFACE, in_signature="oo", out_signature="ua{sv}")
    def ListShortcuts(self, handle, session_handle):
        self.calls.append("ListShortcuts")
        session = self.sessions.get(str(session_handle))
        shortcuts = self.describe(session) if session else dbus.Array([], signature="(sa{sv})")
        return dbus.UInt32(0), dbus.Dictionary({"shortcuts": shortcuts}, signature="sv")

    @dbus.service.signal(IMPL_IFACE, signature="osta{sv}")
    def Activated(self, session_handle, shortcut_id, timestamp, options):
        pass

    @dbus.service.signal(IMPL_IFACE, signature="osta{sv}")
    def Deactivated(self, session_handle, shortcut_id, timestamp, options):
        pass

    @dbus.service.signal(IMPL_IFACE, signature="o" + SHORTCUT_LIST)
    def ShortcutsChanged(self, session_handle, shortcuts):
        pass

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        if interface == IMPL_IFACE and name == "version":
            return dbus.UInt32(1)
        raise dbus.exceptions.DBusException("no such property",
                                            name="org.freedesktop.DBus.Error.UnknownProperty")

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="s", out_signature="a{sv}")
    def GetAll(self, interface):
        if interface == IMPL_IFACE:
            return dbus.Dictionary({"version": dbus.UInt32(1)}, signature="sv")
        return dbus.Dictionary({}, signature="sv")

    def describe(self, session):
        return dbus.Array(
            [dbus.Struct((sid, dbus.Dictionary({"description": description,
                                                 "trigger_description": trigger},
                                                signature="sv")))
             for sid, description, trigger in session.shortcuts],
            signature="(sa{sv})")

    def emit(self, signal, shortcut_id):
        if self.newest is None:
            raise dbus.exceptions.DBusException("no session yet")
        stamp = dbus.UInt64(GLib.get_monotonic_time() // 1000)
        signal(dbus.ObjectPath(self.newest), shortcut_id, stamp,
               dbus.Dictionary({}, signature="sv"))


class Control(dbus.service.Object):
    """The test's handle on the back end."""

    def __init__(self, backend, connection):
        super().__init__(connection, CONTROL_PATH)
        self.backend = backend

    @dbus.service.method(CONTROL_IFACE, in_signature="", out_signature=SHORTCUT_LIST)
    def Bound(self):
        return self.backend.bound

    @dbus.service.method(CONTROL_IFACE, in_signature="", out_signature="u")
    def BindCount(self):
        return dbus.UInt32(self.backend.bind_count)

    @dbus.service.method(CONTROL_IFACE, in_signature="", out_signature="as")
    def Calls(self):
        return dbus.Array(self.backend.calls, signature="s")

    @dbus.service.method(CONTROL_IFACE, in_signature="s", out_signature="")
    def Activate(self, shortcut_id):
        self.backend.emit(self.backend.Activated, shortcut_id)

    @dbus.service.method(CONTROL_IFACE, in_signature="s", out_signature="")
    def Deactivate(self, shortcut_id):
        self.backend.emit(self.backend.Deactivated, shortcut_id)

    @dbus.service.method(CONTROL_IFACE, in_signature="s", out_signature="")
    def Press(self, shortcut_id):
        self.backend.emit(self.backend.Activated, shortcut_id)
        self.backend.emit(self.backend.Deactivated, shortcut_id)

    @dbus.service.method(CONTROL_IFACE, in_signature="ss", out_signature="")
    def SetTrigger(self, shortcut_id, text):
        self.backend.triggers[str(shortcut_id)] = str(text)
        session = self.backend.sessions.get(self.backend.newest) if self.backend.newest else None
        if session is None:
            return
        changed = False
        for index, (sid, description, _) in enumerate(session.shortcuts):
            if sid == str(shortcut_id):
                session.shortcuts[index] = (sid, description, str(text))
                changed = True
        if changed:
            self.backend.ShortcutsChanged(dbus.ObjectPath(self.backend.newest),
                                          self.backend.describe(session))

    @dbus.service.method(CONTROL_IFACE, in_signature="u", out_signature="")
    def SetBindResponse(self, code):
        self.backend.bind_response = int(code)

    @dbus.service.method(CONTROL_IFACE, in_signature="s", out_signature="")
    def Leave(self, shortcut_id):
        self.backend.left_out.add(str(shortcut_id))

    @dbus.service.method(CONTROL_IFACE, in_signature="", out_signature="")
    def Quit(self):
        GLib.idle_add(self.backend.loop.quit)


def main():
    ready_file = None
    if len(sys.argv) == 3 and sys.argv[1] == "--ready-file":
        ready_file = sys.argv[2]
    DBusGMainLoop(set_as_default=True)
    connection = dbus.SessionBus()
    loop = GLib.MainLoop()
    backend = Backend(connection, loop)
    control = Control(backend, connection)
    name = dbus.service.BusName(BUS_NAME, connection, do_not_queue=True)
    if ready_file:
        with open(ready_file, "w") as ready:
            ready.write("ready\n")
    loop.run()
    del name, control


if __name__ == "__main__":
    main()
