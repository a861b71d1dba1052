#!/usr/bin/python3
"""Opens filters' property pages in ovpropframe and reads them over the AT-SPI
bus as a screen reader does: no edit, combo box, slider, check box or button
without a name, the values of the live monitor under their captions, and the
frame's buttons with their enabled states.

Run inside a session bus and an X display; tools/atspi-check.sh --propframe
provides both and the registered modules.
Usage: atspi_propframe_check.py PATH_TO_OVPROPFRAME
"""
import os
import subprocess
import sys

import dbus

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from atspi_check import ACCESSIBLE, Node, wait_for, walk  # noqa: E402

NAMED_ROLES = {"text", "combo box", "slider", "check box", "push button", "page tab"}
# The filter, and captions that must name a control or a shown value.
PAGES = [
    ("Velk Synchronizing Buffer", ["最大バッファサンプル数", "バッファサンプル数", "送出するメディアのタイムスタンプを無効にする。"]),
    ("Velk Quenza", ["入力ビデオカラー", "出力解像度", "x:", "フルスクリーン表示"]),
]
STATE_ENABLED = 1 << 8


def read_page(bus, frame, filter_name):
    env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    program = subprocess.Popen([frame, filter_name], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        def app():
            root = Node(bus, "org.a11y.atspi.Registry", "/org/a11y/atspi/accessible/root")
            for candidate in root.children():
                try:
                    if candidate.name() == "ovpropframe":
                        found = [n for n in walk(candidate, limit=10) if n.role() == "push button" and n.name() == "OK"]
                        if found:
                            return candidate
                except dbus.DBusException:
                    pass
            return None
        nodes = []
        for node in walk(wait_for(f"the frame of {filter_name}", app), limit=10):
            state = node.proxy.GetState(dbus_interface=ACCESSIBLE)
            nodes.append((node.role(), node.name(), str(node.prop("Description")), bool(int(state[0]) & STATE_ENABLED)))
        return nodes
    finally:
        program.terminate()
        try:
            program.wait(timeout=10)
        except subprocess.TimeoutExpired:
            program.kill()


def main():
    frame = sys.argv[1]
    session = dbus.SessionBus()
    address = session.get_object("org.a11y.Bus", "/org/a11y/bus").GetAddress(dbus_interface="org.a11y.Bus")
    bus = dbus.bus.BusConnection(str(address))
    missing = []
    for filter_name, captions in PAGES:
        try:
            nodes = read_page(bus, frame, filter_name)
        except TimeoutError as error:
            missing.append(str(error))
            continue
        # Qt's own tab scroll arrows are named in English and hidden; they are not the page's.
        missing += [f"{filter_name}: a {role} without a name" for role, name, _, _ in nodes
                    if role in NAMED_ROLES and not name]
        names = {name for _, name, _, _ in nodes}
        missing += [f"{filter_name}: {caption}" for caption in captions if caption not in names]
        buttons = {name: enabled for role, name, _, enabled in nodes if role == "push button"}
        if buttons.get("OK") is not True or buttons.get("キャンセル") is not True or buttons.get("適用(A)") is not False:
            missing.append(f"{filter_name}: OK and キャンセル enabled, 適用(A) disabled (read {buttons})")
    if missing:
        print("not read over AT-SPI: " + "; ".join(missing))
        return 1
    print("AT-SPI: " + ", ".join(f for f, _ in PAGES) + " read with every control named")
    return 0


if __name__ == "__main__":
    sys.exit(main())
