#!/usr/bin/env python3
"""A StatusNotifierWatcher with a host, as a desktop panel offers it (KDE,
GNOME with the AppIndicator extension), for the session bus of one test.

It owns org.kde.StatusNotifierWatcher, answers that a host is registered,
keeps the list of registered items (dropping an item whose owner leaves the
bus) and prints one line per event on standard output, flushed at once:

    watching
    registered <service> <path>
    unregistered <service> <path>
    signal <service> <member>        (NewIcon, NewToolTip, NewStatus, ...)

An item may register with a bus name (its path is then /StatusNotifierItem)
or with an object path on the registering connection.
"""
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

WATCHER = "org.kde.StatusNotifierWatcher"
ITEM = "org.kde.StatusNotifierItem"
PROPERTIES = "org.freedesktop.DBus.Properties"


# Qt reads the watcher's properties through its introspection data, which
# dbus-python would give without them.
INTROSPECTION = """<!DOCTYPE node PUBLIC "-//freedesktop//DTD D-BUS Object Introspection 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/introspect.dtd">
<node>
  <interface name="org.kde.StatusNotifierWatcher">
    <method name="RegisterStatusNotifierItem"><arg name="service" type="s" direction="in"/></method>
    <method name="RegisterStatusNotifierHost"><arg name="service" type="s" direction="in"/></method>
    <property name="RegisteredStatusNotifierItems" type="as" access="read"/>
    <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
    <property name="ProtocolVersion" type="i" access="read"/>
    <signal name="StatusNotifierItemRegistered"><arg type="s"/></signal>
    <signal name="StatusNotifierItemUnregistered"><arg type="s"/></signal>
    <signal name="StatusNotifierHostRegistered"/>
  </interface>
  <interface name="org.freedesktop.DBus.Properties">
    <method name="Get">
      <arg name="interface" type="s" direction="in"/><arg name="name" type="s" direction="in"/>
      <arg name="value" type="v" direction="out"/>
    </method>
    <method name="GetAll">
      <arg name="interface" type="s" direction="in"/>
      <arg name="values" type="a{sv}" direction="out"/>
    </method>
  </interface>
  <interface name="org.freedesktop.DBus.Introspectable">
    <method name="Introspect"><arg name="xml" type="s" direction="out"/></method>
  </interface>
</node>
"""


def say(line):
    print(line, flush=True)


class Watcher(dbus.service.Object):
    def __init__(self, bus):
        self.bus = bus
        self.items = {}  # "service/path" -> (service, path, owner)
        super().__init__(bus, "/StatusNotifierWatcher")
        bus.add_signal_receiver(self.owner_changed, "NameOwnerChanged",
                                "org.freedesktop.DBus", "org.freedesktop.DBus",
                                "/org/freedesktop/DBus")
        bus.add_signal_receiver(self.item_signal, dbus_interface=ITEM,
                                sender_keyword="sender", member_keyword="member")

    def key(self, service, path):
        return service + path

    @dbus.service.method(WATCHER, in_signature="s", out_signature="",
                         sender_keyword="sender")
    def RegisterStatusNotifierItem(self, service_or_path, sender=None):
        if service_or_path.startswith("/"):
            service, path = sender, service_or_path
        else:
            service, path = service_or_path, "/StatusNotifierItem"
        owner = sender
        if not service.startswith(":"):
            try:
                owner = self.bus.get_name_owner(service)
            except dbus.DBusException:
                pass
        key = self.key(service, path)
        self.items[key] = (service, path, owner)
        say("registered %s %s" % (service, path))
        self.StatusNotifierItemRegistered(key)

    @dbus.service.method(WATCHER, in_signature="s", out_signature="")
    def RegisterStatusNotifierHost(self, service):
        self.StatusNotifierHostRegistered()

    @dbus.service.signal(WATCHER, signature="s")
    def StatusNotifierItemRegistered(self, item):
        pass

    @dbus.service.signal(WATCHER, signature="s")
    def StatusNotifierItemUnregistered(self, item):
        pass

    @dbus.service.signal(WATCHER, signature="")
    def StatusNotifierHostRegistered(self):
        pass

    @dbus.service.method("org.freedesktop.DBus.Introspectable", in_signature="",
                         out_signature="s", path_keyword="path")
    def Introspect(self, path=None):
        return INTROSPECTION

    def properties(self):
        return {
            "RegisteredStatusNotifierItems": dbus.Array(list(self.items), signature="s"),
            "IsStatusNotifierHostRegistered": dbus.Boolean(True),
            "ProtocolVersion": dbus.Int32(0),
        }

    @dbus.service.method(PROPERTIES, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        props = self.properties()
        if interface != WATCHER or name not in props:
            raise dbus.DBusException("no such property: %s.%s" % (interface, name),
                                     name="org.freedesktop.DBus.Error.UnknownProperty")
        return props[name]

    @dbus.service.method(PROPERTIES, in_signature="s", out_signature="a{sv}")
    def GetAll(self, interface):
        return self.properties() if interface == WATCHER else {}

    def owner_changed(self, name, old_owner, new_owner):
        if new_owner:
            return
        for key, (service, path, owner) in list(self.items.items()):
            if name in (service, owner):
                del self.items[key]
                say("unregistered %s %s" % (service, path))
                self.StatusNotifierItemUnregistered(key)

    def item_signal(self, *args, sender=None, member=None):
        say("signal %s %s" % (sender, member))


def main():
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    watcher = Watcher(bus)
    name = dbus.service.BusName(WATCHER, bus, do_not_queue=True)
    say("watching")
    loop = GLib.MainLoop()
    try:
        loop.run()
    except KeyboardInterrupt:
        pass
    del name, watcher


if __name__ == "__main__":
    sys.exit(main())
