#!/usr/bin/python3
# A screen reader's ears for the tests: the game's elements over AT-SPI, then each focus and notification.
import time

import pyatspi


def heard(event):
    source, kind = event.source, event.type
    source.clear_cache()  # libatspi may keep a name it read before, whatever the game renamed since
    if event.detail1 and (kind.endswith("focused") or source.getRole() == pyatspi.ROLE_NOTIFICATION):
        print(kind.split(":")[-1], source.getRoleName(), source.name, sep="|", flush=True)


def walk(node, found):
    for child in node:
        found.append("|".join(("element", child.getRoleName(), child.name, str(child.getState().contains(pyatspi.STATE_FOCUSABLE)))))
        walk(child, found)
    return found


events = ["object:state-changed:focused", "object:state-changed:showing"]
pyatspi.Registry.registerEventListener(heard, *events)
# The game joins the accessibility bus in its own time, after the listener may have started it.
for attempt in range(100):
    found = walk(pyatspi.Registry.getDesktop(0), [])
    if found:
        break
    time.sleep(0.1)
# Listening again once the game is there, so that it hears of the listeners even if it joined the
# bus between their first registration and its own look at the registry.
pyatspi.Registry.deregisterEventListener(heard, *events)
pyatspi.Registry.registerEventListener(heard, *events)
print(*found, "ready", sep="\n", flush=True)
pyatspi.Registry.start()
