#!/usr/bin/python3
"""The program's windows as a screen reader reads them over AT-SPI.
  access_tree.py wait TITLE        waits (20 s) for a window of that title
  access_tree.py dump TITLE        prints its tree: role, name, description, value, states
  access_tree.py has TITLE TEXT..  fails unless every TEXT is a name or a description in it
  access_tree.py tab TITLE NAME [KEY..]  presses Tab until the focused control's name starts with
                                   NAME (as a student listens for it), then presses the KEYs
  access_tree.py backtab TITLE NAME [KEY..]  the same with Shift+Tab"""
import subprocess
import sys
import time

import pyatspi


def window(title):
    for _ in range(100):
        for app in pyatspi.Registry.getDesktop(0):
            for frame in app or []:
                if frame is not None and frame.name == title:
                    return frame
        time.sleep(0.2)
    sys.exit("no window titled %r" % title)


def lines(node, depth=0):
    try:
        yield from node_lines(node, depth)
    except Exception:  # gone while being read (a redraw replaced it)
        pass


def node_lines(node, depth):
    value = ""
    try:
        value = " = %g" % node.queryValue().currentValue
    except NotImplementedError:
        pass
    states = node.getState()
    marks = [s for s, on in (("вкл", pyatspi.STATE_CHECKED), ("фокус", pyatspi.STATE_FOCUSED))
             if states.contains(on)]
    described = ' — "%s"' % node.description if node.description else ""
    yield '%s[%s] "%s"%s%s%s' % ("  " * depth, node.getRoleName(), node.name, described, value,
                                 " (%s)" % ", ".join(marks) if marks else "")
    for child in node:
        if child is not None:
            yield from lines(child, depth + 1)


def focused(node):
    """The innermost focused node (a window holding the focus says so too)."""
    try:
        for child in node:
            found = child is not None and focused(child)
            if found:
                return found
        if node.getState().contains(pyatspi.STATE_FOCUSED):
            return node
    except Exception:  # gone while being read
        pass
    return None


def key(*names):
    subprocess.run(["xdotool", "key", "--delay", "30", *names], check=True)
    time.sleep(0.08)


command, title, *texts = sys.argv[1:]
if command in ("tab", "backtab"):
    step = "Tab" if command == "tab" else "shift+Tab"
    frame = window(title)
    seen = []
    for _ in range(60):
        now = focused(frame)
        seen.append(now.name if now is not None else None)
        if now is not None and now.name.startswith(texts[0]):
            key(*texts[1:]) if texts[1:] else None
            sys.exit(0)
        key(step)
    sys.exit("Tab does not reach %r; it went %s" % (texts[0], seen))
tree = list(lines(window(title)))
if command == "dump":
    print("\n".join(tree))
missing = [t for t in texts if not any(t in line for line in tree)]
sys.exit("not read: %s" % missing if missing else 0)
