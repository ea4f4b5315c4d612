#!/usr/bin/python3
"""Listens as a screen reader does and writes, one line each, every object that takes the focus:
"focus <role> <name>". Stops when it is killed."""
import sys

import pyatspi


def focused(event):
    if event.detail1:
        source = event.source
        print(f"focus {source.getRoleName()} {source.name}", flush=True)


pyatspi.Registry.registerEventListener(focused, "object:state-changed:focused")
print("listening", flush=True)
pyatspi.Registry.start()
