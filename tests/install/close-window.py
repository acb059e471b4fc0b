#!/usr/bin/python3
"""close-window.py TITLE: waits for the window TITLE on $DISPLAY and closes it
the way a window manager does (WM_DELETE_WINDOW), answering the program's
start-up question ("Confirm") the same way. Fails when any other window shows
up (a message box), when TITLE does not show up, or when windows stay up after
the close. Every wait is bounded."""
import sys
import time

from Xlib import X, display, protocol

WAIT_SECONDS = 30
ALLOWED_QUESTION = "Confirm"


def titled_windows(d):
    """Mapped top-level windows with a title, as (title, window)."""
    found = []
    for w in d.screen().root.query_tree().children:
        try:
            if w.get_attributes().map_state != X.IsViewable:
                continue
            name = w.get_full_property(d.intern_atom("_NET_WM_NAME"), d.intern_atom("UTF8_STRING"))
            title = name.value.decode() if name else (w.get_wm_name() or "")
        except Exception:  # the window went away while being read
            continue
        if title:
            found.append((title, w))
    return found


def close(d, w):
    protocols = d.intern_atom("WM_PROTOCOLS")
    message = protocol.event.ClientMessage(
        window=w, client_type=protocols, data=(32, [d.intern_atom("WM_DELETE_WINDOW"), X.CurrentTime, 0, 0, 0]))
    w.send_event(message)
    d.flush()


def main():
    title = sys.argv[1]
    d = display.Display()
    closed = False
    deadline = time.monotonic() + WAIT_SECONDS
    while time.monotonic() < deadline:
        windows = titled_windows(d)
        unexpected = [t for t, _ in windows if t not in (title, ALLOWED_QUESTION)]
        if unexpected:
            print("unexpected window: " + ", ".join(unexpected), file=sys.stderr)
            return 1
        if closed and not windows:
            return 0
        questions = [w for t, w in windows if t == ALLOWED_QUESTION]
        mains = [w for t, w in windows if t == title]
        # The question is modal: the main window takes no close while it is up.
        for w in questions:
            close(d, w)
        if mains and not questions and not closed:
            close(d, mains[0])
            closed = True
        time.sleep(0.1)
    print("window %s %s" % (title, "stayed up after the close" if closed else "never showed"), file=sys.stderr)
    return 1


if __name__ == "__main__":
    sys.exit(main())
