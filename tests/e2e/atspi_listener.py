#!/usr/bin/python3
# A screen reader's ears for the tests: the game's elements over AT-SPI, then each focus and notification.
import pyatspi


def heard(event):
    source, kind = event.source, event.type
    source.clear_cache()  # libatspi may keep a name it read before, whatever the game renamed since
    if event.detail1 and (kind.endswith("focused") or source.getRole() == pyatspi.ROLE_NOTIFICATION):
        print(kind.split(":")[-1], source.getRoleName(), source.name, sep="|", flush=True)


def walk(node):
    for child in node:
        print("element", child.getRoleName(), child.name, child.getState().contains(pyatspi.STATE_FOCUSABLE), sep="|")
        walk(child)


events = ["object:state-changed:focused", "object:state-changed:showing"]
pyatspi.Registry.registerEventListener(heard, *events)
walk(pyatspi.Registry.getDesktop(0))  # the game answers this after it has learnt of the listeners
print("ready", flush=True)
pyatspi.Registry.start()
