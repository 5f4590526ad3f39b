#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
#
# SPDX-License-Identifier: MIT

"""Opens the menu of a StatusNotifierItem as a notification-area host does and prints its entries,
one label a line in their order; with a label, clicks that entry (exit status 1 when it is missing).

    sni_menu.py BUS_NAME [LABEL]

Like a host, it holds the layout it had before the menu opened, asks the item to fill the menu in,
and clicks the entry it holds when it has one: a host shows what it fetched and takes the item's
changes only as they come, so the click may name the entry as it was before the opening.
"""
import sys
import time

import dbus

ITEM = 'org.kde.StatusNotifierItem'
MENU = 'com.canonical.dbusmenu'


def entries(layout):
    """(id, label) of the shown entries right under the root, separators left out."""
    out = []
    for child in layout[2]:
        ident, props = int(child[0]), child[1]
        if props.get('type') == 'separator' or not props.get('visible', True):
            continue
        out.append((ident, str(props.get('label', ''))))
    return out


def main():
    bus = dbus.SessionBus()
    item = bus.get_object(sys.argv[1], '/StatusNotifierItem')
    path = item.Get(ITEM, 'Menu', dbus_interface=dbus.PROPERTIES_IFACE)
    menu = dbus.Interface(bus.get_object(sys.argv[1], path), MENU)

    def layout():
        return entries(menu.GetLayout(dbus.Int32(0), dbus.Int32(-1), dbus.Array([], signature='s'))[1])

    held = layout()
    # A host asks before it opens the menu, so the item can fill it in.
    menu.AboutToShow(dbus.Int32(0))
    found = layout()
    for _, label in found:
        print(label)
    if len(sys.argv) < 3:
        return 0
    for ident, label in held + found:
        if label == sys.argv[2]:
            menu.Event(dbus.Int32(ident), 'clicked', dbus.Int32(0, variant_level=1), dbus.UInt32(int(time.time())))
            return 0
    print('sni_menu: no entry %r' % sys.argv[2], file=sys.stderr)
    return 1


sys.exit(main())
