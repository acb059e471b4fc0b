#!/usr/bin/python3
"""window-place.py PROGRAM WM: starts the program on a virtual display under
the window manager WM (openbox, twm, or none) and checks where its window's
frame, title bar included, opens and what the program stores when the window
is closed: three starts without moving it open the frame at the same place on
the screen; a stored 100,100 opens it there; a place off the screen opens it
wholly on the screen. Each run has a copy of the program of its own, so the
settings file lies beside it. Every wait is bounded; exits 77 (skipped) only
when no virtual display can be started."""
import os
import select
import shutil
import subprocess
import sys
import tempfile
import time

from Xlib import X, display, error, protocol

SKIPPED = 77
WAIT_SECONDS = 30
TITLE = "Glimmerscout v1.1"
SCREEN = (1280, 1024)
QUESTION = "Confirm"  # the start-up question, asked now and then


class Failure(Exception):
    pass


def wait_for(what, test):
    """Polls test() until it gives something true, at most WAIT_SECONDS."""
    deadline = time.monotonic() + WAIT_SECONDS
    while time.monotonic() < deadline:
        found = test()
        if found:
            return found
        time.sleep(0.05)
    raise Failure("timed out waiting for " + what)


def start_display(work):
    """Xvfb on a free display number; None when it cannot be started."""
    if not shutil.which("Xvfb"):
        return None, None
    read_end, write_end = os.pipe()
    log = open(os.path.join(work, "xvfb.log"), "w")
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "%dx%dx24" % SCREEN, "-nolisten", "tcp"],
        pass_fds=(write_end,), stdout=log, stderr=log)
    os.close(write_end)
    # The pipe stays open while the server runs: it fails on a write that finds it closed.
    server.number_pipe = read_end
    number = b""
    deadline = time.monotonic() + 15
    while not number.endswith(b"\n") and time.monotonic() < deadline:
        ready, _, _ = select.select([read_end], [], [], max(0, deadline - time.monotonic()))
        part = os.read(read_end, 32) if ready else b""
        if not part:
            break
        number += part
    if not number.endswith(b"\n"):
        stop(server)
        return None, None
    return server, ":" + number.decode().strip()


def stop(process):
    process.terminate()
    try:
        process.wait(timeout=10)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()
    if hasattr(process, "number_pipe"):
        os.close(process.number_pipe)


def connect(name):
    try:
        return display.Display(name)
    except error.DisplayConnectionError:
        return None


def manager_running(d):
    """True once some client holds the root's redirection, as a window manager does."""
    root = d.screen().root
    refused = error.CatchError(error.BadAccess)
    root.change_attributes(event_mask=X.SubstructureRedirectMask, onerror=refused)
    d.sync()
    if refused.get_error():
        return True
    root.change_attributes(event_mask=0)
    d.sync()
    return False


def find_client(window, title):
    """The viewable window with the title at or below window, framed or not."""
    try:
        if window.get_wm_name() == title and window.get_attributes().map_state == X.IsViewable:
            return window
        for child in window.query_tree().children:
            found = find_client(child, title)
            if found:
                return found
    except error.XError:  # the window went away while being read
        pass
    return None


def ask_to_close(d, title):
    """Sends the window the close a window manager sends; False when it is not shown."""
    window = find_client(d.screen().root, title)
    if window is None:
        return False
    protocols = d.intern_atom("WM_PROTOCOLS")
    close = d.intern_atom("WM_DELETE_WINDOW")
    window.send_event(protocol.event.ClientMessage(window=window, client_type=protocols,
                                                   data=(32, [close, X.CurrentTime, 0, 0, 0])))
    d.flush()
    return True


def frame_and_client(d):
    """(frame x, y, width, height), (client x, y) on the screen; None while not shown."""
    root = d.screen().root
    try:
        client = find_client(root, TITLE)
        if client is None:
            return None
        top = client
        while True:
            parent = top.query_tree().parent
            if parent == root:
                break
            top = parent
        g = top.get_geometry()
        border = 2 * g.border_width
        at = client.translate_coords(root, 0, 0)
        return (g.x, g.y, g.width + border, g.height + border), (-at.x, -at.y)
    except error.XError:
        return None


class Run:
    def __init__(self, folder, env):
        self.folder = folder
        self.env = env
        self.settings = os.path.join(folder, "glimmerscout.ini")

    def stored(self):
        place = {}
        if os.path.exists(self.settings):
            for line in open(self.settings):
                key, _, value = line.strip().partition("=")
                place[key.lower()] = value
        return place.get("leftpos"), place.get("toppos")

    def store(self, left, top):
        with open(self.settings, "w") as f:
            f.write("[Options]\nLeftPos=%d\nTopPos=%d\nFramePlace=1\nMaximized=0\n" % (left, top))

    def start_and_close(self, d, label, placed):
        """Starts the program, waits until placed(frame) holds, closes the
        window as a window manager does; gives the frame and client place."""
        log = open(os.path.join(self.folder, "program.log"), "a")
        program = subprocess.Popen([os.path.join(self.folder, "glimmerscout")], env=self.env, stdout=log,
                                   stderr=log)
        seen = []
        try:
            def settled():
                # The question comes before the window shows, which waits for its answer.
                ask_to_close(d, QUESTION)
                shown = frame_and_client(d)
                if shown:
                    seen[:] = [shown]
                return shown if shown and placed(shown[0]) else None
            try:
                shown = wait_for("the window's frame placed", settled)
            except Failure:
                raise Failure("%s: the frame was at %s" % (label, seen[0] if seen else "nowhere"))
            ask_to_close(d, TITLE)
            status = program.wait(timeout=WAIT_SECONDS)
            if status != 0:
                raise Failure("%s: the program ended with status %d" % (label, status))
            return shown
        finally:
            if program.poll() is None:
                program.kill()
                program.wait()


def copy_program(program, folder):
    """The program and the banner's library beside it, linked where the disk allows."""
    for name in ("glimmerscout", "libadvert.so"):
        source = os.path.join(os.path.dirname(program), name)
        try:
            os.link(source, os.path.join(folder, name))
        except OSError:
            shutil.copy2(source, os.path.join(folder, name))


def on_screen(frame):
    x, y, width, height = frame
    return x >= 0 and y >= 0 and x + width <= SCREEN[0] and y + height <= SCREEN[1]


def check(program, wm, work):
    server, name = start_display(work)
    if server is None:
        print("skipped: no virtual display could be started")
        return SKIPPED
    processes = [server]
    try:
        env = {"PATH": os.environ.get("PATH", "/usr/bin:/bin"), "DISPLAY": name, "QT_QPA_PLATFORM": "xcb",
               "HOME": work, "LANG": "C.UTF-8"}
        d = wait_for("the display to take connections", lambda: connect(name))
        if wm != "none":
            wm_log = open(os.path.join(work, "wm.log"), "w")
            args = [wm, "--sm-disable"] if wm == "openbox" else [wm]
            processes.append(subprocess.Popen(args, env=env, stdout=wm_log, stderr=wm_log))
            wait_for("the window manager", lambda: manager_running(d))
        folder = os.path.join(work, "program")
        os.mkdir(folder)
        copy_program(program, folder)
        run = Run(folder, env)

        # Three starts from no settings file: the whole frame on the screen,
        # at the same place each time, and stored as it was.
        first = None
        for n in range(1, 4):
            frame, client = run.start_and_close(
                d, "start %d" % n, lambda f: on_screen(f) and (first is None or f[:2] == first[:2]))
            if wm != "none" and client[1] <= frame[1]:
                raise Failure("start %d: no title bar above the window (frame %s, client %s)" % (n, frame, client))
            first = first or frame
            if run.stored() != (str(first[0]), str(first[1])):
                raise Failure("start %d: frame at %s, stored %s" % (n, first[:2], run.stored()))
        print("%s: three starts at %d,%d" % (wm, first[0], first[1]))

        run.store(100, 100)
        run.start_and_close(d, "stored 100,100", lambda f: f[:2] == (100, 100))
        if run.stored() != ("100", "100"):
            raise Failure("opened at 100,100, stored %s" % (run.stored(),))

        run.store(3000, -500)
        frame, _ = run.start_and_close(d, "stored 3000,-500", on_screen)
        print("%s: a place off the screen opened at %d,%d" % (wm, frame[0], frame[1]))
        return 0
    finally:
        for p in reversed(processes):
            stop(p)


def main():
    program, wm = os.path.abspath(sys.argv[1]), sys.argv[2]
    work = tempfile.mkdtemp(prefix="window-place.", dir=os.path.dirname(program))
    try:
        return check(program, wm, work)
    except Failure as failure:
        print("FAIL (%s): %s" % (wm, failure), file=sys.stderr)
        for log in ("program/program.log", "wm.log", "xvfb.log"):
            path = os.path.join(work, log)
            if os.path.exists(path):
                sys.stderr.write("".join(open(path).readlines()[-20:]))
        return 1
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
