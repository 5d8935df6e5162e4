#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Varnoskel team
# SPDX-License-Identifier: GPL-3.0-or-later
"""The browser build as a user meets it, in Chromium, Firefox and WebKit
(Safari's engine), each driven by its own protocol (browsers.py):

- served with the two isolation headers: the page loads (with threads where
  the engine gives shared memory, without where it does not), "Start" draws
  the default sweep with the same orbit points as the Linux build, the "i"
  box opens and closes, a typed "bis" is taken, a finger moves the
  crosshair, a tap sets the left limit and a held finger the right one, a
  long sweep repaints, pauses and resumes, the page's key buttons open the
  orbit window and close it, and "Programm beenden" leaves a page that says
  so;
- served by a web space without the headers: the page's service worker
  supplies them (one reload) or the page loads the program without threads,
  and "Start" draws the Linux build's points;
- with the server gone, after that one visit: the page comes from the
  service worker's cache and draws the same.

    check.py FOLDER SWEEP_PICTURE OUT_DIR [ENGINES]

FOLDER is the served folder, SWEEP_PICTURE the Linux build's sweep_picture
tool, OUT_DIR where the screenshots go, ENGINES a comma-separated choice of
chromium, firefox, webkit (all three by default). Prints one line per check
and exits 1 at the first failure.
"""
import functools
import http.server
import os
import subprocess
import sys
import threading
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from browsers import ENGINES, Picture, wait_for  # noqa: E402
from serve import Isolated  # noqa: E402  the headers a school's server sends too

NAVY = (0x00, 0x00, 0x40)
STRIP = (0x80, 0x00, 0x00)
CYAN = (0x00, 0x80, 0x80)  # the lead-in's points
YELLOW = (0xFF, 0xFF, 0x00)  # the orbit's points
MARKER = (0xFF, 0xFF, 0x80)  # the column in work
SURFACE = {NAVY, STRIP, CYAN, YELLOW}  # what the sweep itself paints (the grid in the strip's red)
BOX_GREY = (0xEF, 0xEF, 0xEF)  # a message box's face


class Plain(http.server.SimpleHTTPRequestHandler):
    """A web space that sends no special headers."""
    extensions_map = Isolated.extensions_map

    def end_headers(self):
        self.send_header("Cache-Control", "no-cache")
        super().end_headers()

    def log_message(self, *args):
        pass


def points(picture, left, top, width, height):
    """The orbit points (cyan and yellow) of a region, by position."""
    found = set()
    for y in range(height):
        row = picture.pixels[top + y]
        for x in range(width):
            if row[left + x] in (CYAN, YELLOW):
                found.add((x, y))
    return found


def differences(shot, left, top, linux):
    """Where the page's surface and the Linux picture differ in their points:
    the pixels both show as painted by the sweep, one a point and the other
    not. What the page shows over the surface (the marker's column with the
    "p" label on it, the readout's line, the labels' smoothing) is left out
    and counted."""
    differ = covered = 0
    marker = {x for x in range(linux.width)
              if sum(shot.pixels[top + y][left + x] == MARKER for y in range(linux.height)) > linux.height // 2}
    for y in range(linux.height):
        row, reference = shot.pixels[top + y], linux.pixels[y]
        for x in range(linux.width):
            page, wanted = row[left + x], reference[x]
            if page == wanted:
                continue
            if page in SURFACE and wanted in SURFACE and x not in marker:
                differ += page in (CYAN, YELLOW) or wanted in (CYAN, YELLOW)
            else:
                covered += 1
    return differ, covered


failures = 0


def check(ok, what):
    global failures
    print(("ok      " if ok else "FAILED  ") + what, flush=True)
    if not ok:
        failures += 1
        raise SystemExit(1)


def find_picture_box(shot):
    """The drawing surface's top-left pixel: where the first row with a long
    navy run begins, its label strip included."""
    for y in range(shot.height):
        row = shot.pixels[y]
        run = 0
        for x in range(shot.width):
            run = run + 1 if row[x] == NAVY else 0
            if run == 300:
                left = x - 299
                while left > 0 and row[left - 1] in (STRIP, MARKER):  # the label strip (the marker on it)
                    left -= 1
                return left, y
    return None


class Page:
    """The program in a browser's page, and its controls by position."""

    def __init__(self, browser, out, tool):
        self.browser, self.out, self.tool = browser, out, tool
        self.linux = {}

    def load(self, url, seconds=180):
        begin = time.monotonic()
        self.browser.navigate(url)
        shown = wait_for(lambda: self.browser.evaluate(
            "document.getElementById('varnoskel').style.display === 'block'"), seconds, 0.3)
        self.seconds = time.monotonic() - begin
        if not shown:
            return False
        shot = wait_for(lambda: (lambda s: s if find_picture_box(s) else None)(self.browser.screenshot()), 60, 0.5)
        self.box = find_picture_box(shot) if shot else None
        if not self.box:
            return False
        at = lambda dx, dy: (self.box[0] + dx, self.box[1] + dy)  # noqa: E731  the window's layout
        self.start, self.info, self.bis = at(695, -79), at(-9, -84), at(774, -70)
        self.pause, self.resume, self.end = at(807, -84), at(807, -32), at(111, -122)
        self.rechts = (self.box[0] + 736, self.box[1] + 480, 65, 25)  # the right limit's box
        return True

    def variant(self):
        return self.browser.evaluate("window.varnoskelVariante")

    def shot(self, name=None):
        return self.browser.screenshot(os.path.join(self.out, name) if name else None)

    def points(self, shot=None):
        return points(shot or self.shot(), self.box[0], self.box[1], 800, 480)

    def surface(self, shot=None):
        shot = shot or self.shot()
        return [row[self.box[0]:self.box[0] + 800] for row in shot.pixels[self.box[1]:self.box[1] + 480]]

    def region(self, rect, shot=None):
        shot = shot or self.shot()
        x, y, w, h = rect
        return [row[x:x + w] for row in shot.pixels[y:y + h]]

    def type_into(self, where, text):
        """Replaces a text box's content: click, to the end, erase, type."""
        self.browser.click(*where)
        time.sleep(0.5)
        self.browser.key("End")
        for _ in range(16):
            self.browser.key("Backspace")
        for ch in text:
            self.browser.key(ch)

    def sweeps(self):
        """The sweeps the program has reported done, with their times."""
        return self.browser.evaluate("window.varnoskelZeiten || []") or []

    def sweep(self, seconds=300):
        """Clicks "Start" and waits until the program reports the sweep done
        (window.varnoskelZeiten); the picture a moment later, repainted."""
        done = len(self.sweeps())
        self.browser.click(*self.start)
        wait_for(lambda: len(self.sweeps()) > done, seconds, 0.2)
        time.sleep(0.5)
        return self.shot()

    def linux_picture(self, von, bis):
        if (von, bis) not in self.linux:
            picture = os.path.join(self.out, "linux-%s-%s.png" % (von, bis))
            only = os.path.join(self.out, "linux-points.png")
            env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
            subprocess.run([self.tool, picture, only, str(von), str(bis)], check=True, env=env,
                           stderr=subprocess.DEVNULL)
            with open(picture, "rb") as f:
                self.linux[(von, bis)] = Picture(f.read())
        return self.linux[(von, bis)]

    def draws_as_linux(self, von, bis, name=None):
        linux = self.linux_picture(von, bis)
        shot = self.sweep()
        if name:
            self.shot(name)
        differ, covered = differences(shot, self.box[0], self.box[1], linux)
        return differ == 0 and covered < 3 * (linux.width + linux.height), differ

    def button(self, label):
        """The centre of a key button of the page."""
        rect = self.browser.evaluate(
            "(() => { const b = [...document.querySelectorAll('#tasten button')].find(b => b.textContent === %r);"
            " const r = b.getBoundingClientRect(); return [r.x + r.width / 2, r.y + r.height / 2]; })()" % label)
        return (int(rect[0]), int(rect[1]))

    def memory_mb(self):
        top = self.browser.evaluate("qtLoader.module()._varnoskel_speicher()")
        return top / 2 ** 20 if top else 0


def with_headers(page, engine, url):
    browser = page.browser
    check(page.load(url), "%s: the page loads and shows the program (%.1f s from 127.0.0.1)" % (engine, page.seconds))
    expected = "single" if engine == "WebKit" else "threads"
    check(page.variant() == expected, "%s: the program %s threads, as the engine gives shared memory or not"
          % (engine, "with" if expected == "threads" else "without"))
    page.shot("%s-start.png" % engine)
    ok, differ = page.draws_as_linux(100, 200, "%s-sweep.png" % engine)
    check(ok, "%s: \"Start\" draws the default sweep with the Linux build's orbit points (%d differ)" % (engine, differ))

    before = page.surface()
    browser.click(*page.info)
    check(bool(wait_for(lambda: page.surface() != before, 10, 0.3)), "%s: the \"i\" box opens" % engine)
    page.shot("%s-info.png" % engine)
    browser.key("Enter")
    check(bool(wait_for(lambda: page.surface() == before, 10, 0.3)), "%s: the \"i\" box closes" % engine)

    page.type_into(page.bis, "1000")
    ok, differ = page.draws_as_linux(100, 1000)
    check(ok, "%s: a typed \"bis\" (1000) is taken: the Linux build's points (%d differ)" % (engine, differ))

    # The finger, while no sweep runs: moving it shows the crosshair under it;
    # a tap sets the left limit and a finger held still the right one, each
    # with its message box over the middle of the surface.
    if browser.fingers:
        touch_checks(page, engine)
    else:
        print("%s: no finger here: this engine's driver delivers touch as mouse events" % engine, flush=True)
    long_sweep(page, engine)
    key_buttons(page, engine)
    print("%s: memory in use %.0f MB" % (engine, page.memory_mb()), flush=True)

    browser.click(*page.end)
    ended = wait_for(lambda: browser.evaluate(
        "document.getElementById('hinweis').style.display !== 'none' && "
        "document.getElementById('text').textContent.includes('beendet')"), 10)
    check(bool(ended), "%s: \"Programm beenden\" ends it, and the page says how to start again" % engine)


def touch_checks(page, engine):
    browser = page.browser
    before = page.shot()
    finger = [page.box[0] + 200, page.box[1] + 150]
    browser.touch("down", *finger)
    for _ in range(10):
        finger[0] += 30
        browser.touch("move", *finger)
    time.sleep(0.5)
    shot = page.shot()
    crossed = sum(shot.at(finger[0], page.box[1] + y) != before.at(finger[0], page.box[1] + y) for y in range(480))
    browser.touch("up")
    check(crossed > 240, "%s: a finger moving over the picture moves the crosshair with it" % engine)

    def boxed():
        s = page.shot()
        return sum(s.at(page.box[0] + x, page.box[1] + y) == BOX_GREY
                   for x in range(330, 470, 4) for y in range(150, 210, 4)) > 300

    browser.touch("down", page.box[0] + 300, page.box[1] + 150)
    browser.touch("up")
    check(bool(wait_for(boxed, 10, 0.3)), "%s: a tap on the picture clicks it (the left limit's box)" % engine)
    browser.key("Enter")
    wait_for(lambda: not boxed(), 10, 0.3)
    rechts = page.region(page.rechts)
    browser.touch("down", page.box[0] + 600, page.box[1] + 150)
    time.sleep(1.0)
    browser.touch("up")
    check(bool(wait_for(boxed, 10, 0.3)), "%s: a finger held still sets the right limit (its box)" % engine)
    page.shot("%s-held.png" % engine)
    browser.key("Enter")
    wait_for(lambda: not boxed(), 10, 0.3)
    check(page.region(page.rechts) != rechts, "%s: the right limit's box shows the new limit" % engine)

    # Held on "Start" (tapped before, so this press is a double tap's), the
    # finger writes its sentence into the help line and starts nothing.
    hilfe = (page.box[0] + 66, page.box[1] + 483, 660, 20)
    browser.touch("down", *page.start)
    browser.touch("up")
    wait_for(lambda: len(page.sweeps()) > 0, 30, 0.3)
    time.sleep(1)
    said, done = page.region(hilfe), len(page.sweeps())
    browser.touch("down", *page.start)
    time.sleep(1.0)
    check(bool(wait_for(lambda: page.region(hilfe) != said, 10, 0.3)),
          "%s: a finger held on \"Start\" shows its help text" % engine)
    browser.touch("up")
    time.sleep(2)
    check(len(page.sweeps()) == done, "%s: lifted then, it starts no sweep" % engine)

    # "Fenster" tapped, then a finger held and moved: the zoom window
    # follows the finger and is taken where it lifts; the window zoomed in
    # shows other limits.
    rechts = page.region(page.rechts)
    browser.touch("down", page.box[0] + 596, page.box[1] - 53)
    browser.touch("up")
    time.sleep(0.5)
    finger = [page.box[0] + 300, page.box[1] + 120]
    browser.touch("down", *finger)
    time.sleep(1.0)
    for _ in range(6):
        finger[0] += 30
        finger[1] += 23
        browser.touch("move", *finger)
    browser.touch("up")
    check(bool(wait_for(lambda: page.region(page.rechts) != rechts, 10, 0.3)),
          "%s: a finger held, then moved, zooms where it lifts" % engine)
    page.shot("%s-zoomed.png" % engine)
    # "zurück", tapped, steps back to the window before.
    browser.touch("down", page.box[0] + 624, page.box[1] - 29)
    browser.touch("up")
    check(bool(wait_for(lambda: page.region(page.rechts) == rechts, 10, 0.3)),
          "%s: \"zurück\", tapped, steps back to the window before" % engine)


def long_sweep(page, engine):
    browser = page.browser
    # Two hundred million steps a column: the chaotic columns take seconds
    # each (the limits the fingers may have set typed back to the start
    # window's).
    page.type_into((page.box[0] + 30, page.box[1] + 492), "0")
    page.type_into((page.box[0] + 770, page.box[1] + 492), "3")
    # Without threads the columns come sixteen at a time, computed between
    # the window's turns: a tenth of the steps keeps a batch to seconds.
    page.type_into(page.bis, "200000000" if page.variant() == "threads" else "20000000")
    browser.click(*page.start)
    time.sleep(2)
    first = page.points()
    check(bool(wait_for(lambda: page.points() != first, 60, 0.5)), "%s: a long sweep repaints while it runs" % engine)
    browser.click(*page.pause)
    time.sleep(2)
    held = page.points()
    time.sleep(3)
    check(page.points() == held, "%s: \"S\" pauses the long sweep" % engine)
    browser.click(*page.resume)
    check(bool(wait_for(lambda: page.points() != held, 60, 0.5)), "%s: \"W\" resumes it" % engine)


def key_buttons(page, engine):
    # The page's buttons for the keys, tapped with a finger: "Bahn (B)",
    # "Lyapunov (L)" and "Feigenbaum (F)" open their windows, "Schließen
    # (Esc)" closes the one last opened. The long sweep paused first, so
    # that only the windows change the picture.
    browser = page.browser
    browser.click(*page.pause)
    time.sleep(1)
    before = page.shot()
    changed = lambda: sum(a != b for a, b in zip(sum(page.shot().pixels, []), sum(before.pixels, [])))  # noqa: E731
    for label, opens in (("Bahn (B)", True), ("Schließen (Esc)", False), ("Lyapunov (L)", True),
                         ("Schließen (Esc)", False), ("Feigenbaum (F)", True), ("Schließen (Esc)", False)):
        x, y = page.button(label)
        if browser.fingers:
            browser.touch("down", x, y)
            browser.touch("up")
        else:
            browser.click(x, y)
        if opens:
            check(bool(wait_for(lambda: changed() > 20000, 20, 0.5)),
                  "%s: the page's button \"%s\" opens its window" % (engine, label))
            page.shot("%s-%s.png" % (engine, label[-2]))
        else:
            check(bool(wait_for(lambda: changed() < 20000, 20, 0.5)),
                  "%s: the page's button \"%s\" closes it" % (engine, label))


def without_headers(page, engine, url, stop_server):
    check(page.load(url), "%s, a web space without the headers: the page starts (%.1f s)" % (engine, page.seconds))
    expected = "single" if engine == "WebKit" else "threads"
    check(page.variant() == expected, "%s, without the headers: the program %s threads" % (
        engine, "with (the service worker supplies the headers)" if expected == "threads" else "without"))
    ok, differ = page.draws_as_linux(100, 200, "%s-plain.png" % engine)
    check(ok, "%s, without the headers: the default sweep is the Linux build's (%d differ)" % (engine, differ))
    stop_server()
    page.browser.navigate("about:blank")
    time.sleep(0.5)
    check(page.load(url, 120), "%s, the server gone: the page comes from the cache and shows the program" % engine)
    ok, differ = page.draws_as_linux(100, 200, "%s-offline.png" % engine)
    check(ok, "%s, the server gone: the default sweep is the Linux build's (%d differ)" % (engine, differ))


def serve(folder, handler):
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(handler, directory=folder))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server, "http://127.0.0.1:%d/" % server.server_address[1]


def main():
    folder, tool, out = sys.argv[1], sys.argv[2], sys.argv[3]
    engines = (sys.argv[4] if len(sys.argv) > 4 else "chromium,firefox,webkit").split(",")
    os.makedirs(out, exist_ok=True)
    for key in engines:
        for part in ("headers", "plain"):
            browser = ENGINES[key]()
            engine = browser.name
            if part == "headers":
                print("%s: %s" % (engine, browser.version), flush=True)
            server, url = serve(folder, Isolated if part == "headers" else Plain)
            page = Page(browser, out, tool)
            try:
                if part == "headers":
                    with_headers(page, engine, url)
                else:
                    without_headers(page, engine, url, lambda: (server.shutdown(), server.server_close()))
            finally:
                if failures:
                    page.shot("%s-failed.png" % engine)
                browser.close()
                server.shutdown()


if __name__ == "__main__":
    main()
