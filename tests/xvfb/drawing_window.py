#!/usr/bin/env python3
"""The editor's own window on a real X server (Xvfb), driven by real key and
pointer events (xdotool) and checked dot by dot on screenshots: a new
32 x 16 canvas from Ctrl+N, a pencil stroke whose pointer jumps far between
two motion events, Undo and Redo of the whole stroke, then a right-button
line that clears. Exits 77 (skipped) when Xvfb, xdotool or ImageMagick is
missing.

Usage: drawing_window.py PATH_TO_PELLMARK
"""
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

SKIPPED = 77
COLUMNS, ROWS = 32, 16
UNLIT = (0, 0, 0)
FIELD = (0, 128, 0)  # around the canvas
TRIES = 60  # polls of 0.1 s before a wait gives up


def ideal_line(x0, y0, x1, y1):
    """The dots nearest to the exact line, one per step along its longer
    axis (the callers' lines have no halfway ties)."""
    steps = max(abs(x1 - x0), abs(y1 - y0))
    dots = set()
    for i in range(steps + 1):
        dots.add((x0 + round((x1 - x0) * i / steps), y0 + round((y1 - y0) * i / steps)))
    return dots


class Screen:
    def __init__(self, env):
        self.env = env
        self.last = b""  # the latest screenshot as PPM, kept for a failure

    def keep_last(self, path):
        with open(path, "wb") as out:
            out.write(self.last)

    def run(self, *args):
        subprocess.run(args, env=self.env, check=True, timeout=20,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def shot(self):
        """The screen as (width, height, rgb bytes)."""
        data = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"], env=self.env, check=True,
                              timeout=20, capture_output=True).stdout
        # P6 header: magic, width, height, maximum, each after white space.
        fields, at = [], 0
        while len(fields) < 4:
            while data[at:at + 1].isspace():
                at += 1
            start = at
            while not data[at:at + 1].isspace():
                at += 1
            fields.append(data[start:at])
        width, height = int(fields[1]), int(fields[2])
        self.last = data
        return width, height, data[at + 1:]


def pixel(shot, x, y):
    width, _, rgb = shot
    at = 3 * (y * width + x)
    return tuple(rgb[at:at + 3])


def find_canvas(shot, window):
    """Left, top and dot pitch of the unlit 32 x 16 canvas: the black area
    inside the green field in the window's upper part (the text pane below
    is black too)."""
    width, height = window
    for y in range(60, height * 3 // 4):
        row_black = [x for x in range(width) if pixel(shot, x, y) == UNLIT]
        if not row_black or row_black[0] == 0:
            continue
        left, right = row_black[0], row_black[-1]
        pitch = (right - left + 2) // COLUMNS
        if pitch >= 2 and right - left + 1 >= COLUMNS * pitch - 1:
            return left, y, pitch
    return None


def shows_dialog(shot, window):
    """Whether a dialog covers the middle of the window (light grey face)."""
    r, g, b = pixel(shot, window[0] // 2, window[1] // 3)
    return r == g == b and r > 150


def lit_dots(shot, canvas):
    left, top, pitch = canvas
    return {(c, r) for r in range(ROWS) for c in range(COLUMNS)
            if pixel(shot, left + c * pitch + pitch // 2, top + r * pitch + pitch // 2) != UNLIT}


def wait_for(what, probe):
    for _ in range(TRIES):
        result = probe()
        if result:
            return result
        time.sleep(0.1)
    raise SystemExit("gave up waiting for " + what)


def main():
    if len(sys.argv) != 2:
        raise SystemExit(__doc__)
    if not all(shutil.which(tool) for tool in ("Xvfb", "xdotool", "import")):
        print("Xvfb, xdotool or ImageMagick missing: skipped")
        return SKIPPED
    program = os.path.abspath(sys.argv[1])
    home = tempfile.mkdtemp(prefix="pellmark-xvfb-")
    read_end, write_end = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24",
                               "-nolisten", "tcp"], pass_fds=(write_end,),
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    editor = None
    screen = None
    try:
        with os.fdopen(read_end) as numbers:
            display = numbers.readline().strip()
        if not display:
            raise SystemExit("Xvfb did not start")
        env = dict(os.environ, DISPLAY=":" + display, HOME=home, XDG_CONFIG_HOME=os.path.join(home, "config"),
                   QT_QPA_PLATFORM="xcb")
        screen = Screen(env)
        editor = subprocess.Popen([program], env=env, cwd=home,
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

        def geometry(window):
            shell = subprocess.run(["xdotool", "getwindowgeometry", "--shell", window], env=env,
                                   capture_output=True, text=True).stdout
            fields = dict(line.split("=", 1) for line in shell.split())
            return int(fields.get("WIDTH", 0)), int(fields.get("HEIGHT", 0))

        def main_window():
            """The largest window of that name (Qt keeps a tiny one too)."""
            found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Pellmark$"], env=env,
                                   capture_output=True, text=True).stdout.split()
            sized = sorted(((geometry(w), w) for w in found), key=lambda t: t[0][0] * t[0][1])
            return sized[-1] if sized and sized[-1][0][0] > 100 else None

        def focused_main_window():
            # Qt may replace the first window while starting: look again each time.
            found = main_window()
            if not found:
                return None
            focus = subprocess.run(["xdotool", "windowfocus", "--sync", found[1]], env=env,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            return found if focus.returncode == 0 else None

        window_size, window = wait_for("the main window", main_window)
        wait_for("the empty field", lambda: pixel(screen.shot(), window_size[0] // 2, window_size[1] // 3) == FIELD
                 or pixel(screen.shot(), window_size[0] // 2 + 3, window_size[1] // 3 + 3) == FIELD)
        window_size, window = wait_for("the keyboard focus", focused_main_window)
        screen.run("xdotool", "key", "ctrl+n")
        wait_for("the New dialog", lambda: shows_dialog(screen.shot(), window_size))
        screen.run("xdotool", "type", "32")
        screen.run("xdotool", "key", "Tab")
        screen.run("xdotool", "type", "16")
        screen.run("xdotool", "key", "Return")
        canvas = wait_for("the new canvas", lambda: find_canvas(screen.shot(), window_size))
        left, top, pitch = canvas

        def at(dot):
            return str(left + dot[0] * pitch + pitch // 2), str(top + dot[1] * pitch + pitch // 2)

        def shows(expected):
            seen = []

            def probe():
                seen[:] = [lit_dots(screen.shot(), canvas)]
                return seen[0] == expected

            try:
                wait_for("the dots", probe)
            except SystemExit:
                raise SystemExit("missing dots %s, extra dots %s" % (sorted(expected - seen[0]),
                                                                      sorted(seen[0] - expected)))

        # A click on the field beside the dots gives the canvas the keys,
        # then P takes up the pencil; the stroke has two motion events far apart.
        screen.run("xdotool", "mousemove", str(left // 2), str(top // 2), "click", "1")
        screen.run("xdotool", "key", "p")
        stroke = [(1, 1), (30, 14), (3, 10)]
        screen.run("xdotool", "mousemove", *at(stroke[0]), "mousedown", "1")
        for dot in stroke[1:]:
            screen.run("xdotool", "mousemove", *at(dot))
        screen.run("xdotool", "mouseup", "1")
        drawn = ideal_line(*stroke[0], *stroke[1]) | ideal_line(*stroke[1], *stroke[2])
        shows(drawn)

        screen.run("xdotool", "key", "ctrl+z")
        shows(set())
        screen.run("xdotool", "key", "ctrl+y")
        shows(drawn)

        # Line with the right button clears the first leg of the stroke.
        screen.run("xdotool", "key", "l")
        screen.run("xdotool", "mousemove", *at(stroke[0]), "mousedown", "3",
                   "mousemove", *at(stroke[1]), "mouseup", "3")
        shows(drawn - ideal_line(*stroke[0], *stroke[1]))
        print("drawing window: pencil, undo, redo and a clearing line as expected")
        return 0
    except SystemExit:
        # Where the window stood when a wait gave up.
        if screen and screen.last and os.environ.get("PELLMARK_XVFB_SHOT"):
            screen.keep_last(os.environ["PELLMARK_XVFB_SHOT"])
        raise
    finally:
        if editor:
            editor.send_signal(signal.SIGKILL)
            editor.wait()
        server.terminate()
        server.wait()
        shutil.rmtree(home, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
