#!/usr/bin/python3
"""Starts the sender console and reads it the way a screen reader does, over
the AT-SPI bus: the main window's menus and the status bar's texts, and that
the status bar tells the bus when its text changes.

Run inside a session bus and an X display; tools/atspi-check.sh provides both.
Usage: atspi_check.py PATH_TO_OVSENDERUI
Exits 0 when everything was found, 1 with the missing parts listed otherwise.
"""
import os
import subprocess
import sys
import tempfile
import time

import dbus

ACCESSIBLE = "org.a11y.atspi.Accessible"
# The Japanese texts: the console starts in Japanese on a fresh settings store.
MENUS = ["操作(O)", "表示(S)", "オプション(P)", "言語・Lang(L)", "ヘルプ(H)"]
STOPPED = "停止中"
TIMEOUT = 20.0


def wait_for(what, probe):
    deadline = time.monotonic() + TIMEOUT
    while time.monotonic() < deadline:
        found = probe()
        if found:
            return found
        time.sleep(0.2)
    raise TimeoutError(what)


class Node:
    def __init__(self, bus, name, path):
        self.proxy = bus.get_object(name, path, introspect=False)
        self.bus, self.name_on_bus, self.path = bus, name, str(path)

    def prop(self, key):
        return self.proxy.Get(ACCESSIBLE, key, dbus_interface="org.freedesktop.DBus.Properties")

    def name(self):
        return str(self.prop("Name"))

    def role(self):
        return str(self.proxy.GetRoleName(dbus_interface=ACCESSIBLE))

    def children(self):
        return [Node(self.bus, str(n), p) for n, p in self.proxy.GetChildren(dbus_interface=ACCESSIBLE)]


def find_app(bus):
    root = Node(bus, "org.a11y.atspi.Registry", "/org/a11y/atspi/accessible/root")
    for app in root.children():
        try:
            if app.name() == "ovSenderUI":
                return app
        except dbus.DBusException:
            pass  # an application that went away meanwhile
    return None


def walk(node, depth=0, limit=6):
    yield node
    if depth < limit:
        for child in node.children():
            yield from walk(child, depth + 1, limit)


def main():
    ui = sys.argv[1]
    session = dbus.SessionBus()
    address = session.get_object("org.a11y.Bus", "/org/a11y/bus").GetAddress(dbus_interface="org.a11y.Bus")
    bus = dbus.bus.BusConnection(str(address))
    # A reader asks for the name changes it wants; the console sends only those.
    registry = bus.get_object("org.a11y.atspi.Registry", "/org/a11y/atspi/registry")
    registry.RegisterEvent("object:property-change:accessible-name", dbus.Array([], signature="s"), "",
                           dbus_interface="org.a11y.atspi.Registry")
    monitor = subprocess.Popen(
        ["dbus-monitor", "--address", str(address),
         "type='signal',interface='org.a11y.atspi.Event.Object',member='PropertyChange'"],
        stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    home_dir = tempfile.TemporaryDirectory(prefix="atspi-home-")
    home = home_dir.name
    env = dict(os.environ, OSTREL_HOME=home, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    console = subprocess.Popen([ui], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    missing = []
    panel = None
    try:
        app = wait_for("the console on the AT-SPI bus", lambda: find_app(bus))
        nodes = wait_for("the main window's menus", lambda: [
            n for n in walk(app) if n.role() == "menu bar"])
        menus = [child.name() for child in nodes[0].children()]
        missing += [f"menu {m}" for m in MENUS if m not in menus]

        def stopped_panel():
            bars = [n for n in walk(app) if n.role() == "status bar"]
            panels = [child for child in bars[0].children() if child.name() == STOPPED] if bars else []
            return panels[0] if panels else None

        try:
            panel = wait_for("the status text", stopped_panel).path
        except TimeoutError:
            missing.append(f"status text {STOPPED}")
    except TimeoutError as error:
        missing.append(str(error))
    finally:
        console.terminate()
        try:
            console.wait(timeout=10)
        except subprocess.TimeoutExpired:
            console.kill()
        monitor.terminate()
    signals = monitor.communicate()[0]
    if os.environ.get("ATSPI_CHECK_DEBUG"):
        print(signals)
    # Qt's bridge sends the changed object, not its text: the change must
    # come from the panel that reads the text.
    if panel and f"path={panel}; interface=org.a11y.atspi.Event.Object; member=PropertyChange" not in signals:
        missing.append(f"a name change of the panel showing {STOPPED}")
    if missing:
        print("not found over AT-SPI: " + "; ".join(missing))
        return 1
    print("AT-SPI: menus " + ", ".join(MENUS) + f"; status {STOPPED}, announced")
    return 0


if __name__ == "__main__":
    sys.exit(main())
