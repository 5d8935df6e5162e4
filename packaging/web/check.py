#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Varnoskel team
# SPDX-License-Identifier: GPL-3.0-or-later
"""The browser build as a user meets it, in headless Chromium driven over the
DevTools protocol (on a pipe, so nothing beyond Python and Chromium is needed):
the page loads, the start window shows, "Start" draws the default sweep with
the same orbit points as the Linux build, the "i" box opens and closes, a
typed "bis" is taken, "B" opens the orbit window, a long sweep repaints,
pauses and resumes, a finger moves the crosshair and a tap clicks, and
"Programm beenden" leaves a page that says so.

    check.py FOLDER SWEEP_PICTURE OUT_DIR

FOLDER is the served folder, SWEEP_PICTURE the Linux build's sweep_picture
tool, OUT_DIR where the screenshots and pictures go. Prints one line per
check and the page's load time; exits 1 at the first failure.
"""
import base64
import fcntl
import functools
import http.server
import json
import os
import struct
import subprocess
import sys
import tempfile
import threading
import time
import zlib

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from serve import Isolated  # noqa: E402  the headers a school's server sends too

VIEWPORT = (1000, 760)
NAVY = (0x00, 0x00, 0x40)
STRIP = (0x80, 0x00, 0x00)
CYAN = (0x00, 0x80, 0x80)  # the lead-in's points
YELLOW = (0xFF, 0xFF, 0x00)  # the orbit's points
MARKER = (0xFF, 0xFF, 0x80)  # the column in work
SURFACE = {NAVY, STRIP, CYAN, YELLOW}  # what the sweep itself paints (the grid in the strip's red)


# --- PNG, as Chromium and Qt write it (8 bits, RGB or RGBA, not interlaced) --

class Picture:
    def __init__(self, data):
        assert data[:8] == b"\x89PNG\r\n\x1a\n", "not a PNG"
        pos, chunks, idat = 8, {}, b""
        while pos < len(data):
            length, kind = struct.unpack(">I4s", data[pos:pos + 8])
            body = data[pos + 8:pos + 8 + length]
            if kind == b"IDAT":
                idat += body
            else:
                chunks[kind] = body
            pos += 12 + length
        self.width, self.height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", chunks[b"IHDR"])
        assert depth == 8 and colour in (2, 6) and interlace == 0, "unexpected PNG form"
        bpp = 3 if colour == 2 else 4
        raw = zlib.decompress(idat)
        stride = self.width * bpp
        rows, previous = [], bytearray(stride)
        for y in range(self.height):
            kind = raw[y * (stride + 1)]
            line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
            for i in range(stride):
                a = line[i - bpp] if i >= bpp else 0
                b = previous[i]
                c = previous[i - bpp] if i >= bpp else 0
                if kind == 1:
                    line[i] = (line[i] + a) & 255
                elif kind == 2:
                    line[i] = (line[i] + b) & 255
                elif kind == 3:
                    line[i] = (line[i] + (a + b) // 2) & 255
                elif kind == 4:
                    p = a + b - c
                    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                    line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
            rows.append(line)
            previous = line
        self.pixels = [[tuple(row[x * bpp:x * bpp + 3]) for x in range(self.width)] for row in rows]

    def at(self, x, y):
        return self.pixels[y][x]


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


# --- Chromium over the DevTools pipe -----------------------------------------

class Browser:
    def __init__(self, profile):
        to_browser_r, self.to_browser = os.pipe()
        self.from_browser, from_browser_w = os.pipe()

        def pipes():  # the browser reads its fd 3 and writes its fd 4
            reading = fcntl.fcntl(to_browser_r, fcntl.F_DUPFD, 10)
            writing = fcntl.fcntl(from_browser_w, fcntl.F_DUPFD, 10)
            os.dup2(reading, 3)
            os.dup2(writing, 4)

        self.process = subprocess.Popen(
            ["chromium", "--headless=new", "--no-sandbox", "--remote-debugging-pipe", "--user-data-dir=" + profile,
             "--no-first-run", "--hide-scrollbars", "--mute-audio", "--enable-unsafe-swiftshader",
             "--window-size=%d,%d" % VIEWPORT, "about:blank"],
            pass_fds=(3, 4), preexec_fn=pipes,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(to_browser_r)
        os.close(from_browser_w)
        self.buffer = b""
        self.next_id = 0
        self.events = []
        self.session = None

    def _read(self):
        while b"\0" not in self.buffer:
            chunk = os.read(self.from_browser, 1 << 16)
            if not chunk:
                raise RuntimeError("Chromium ended")
            self.buffer += chunk
        message, self.buffer = self.buffer.split(b"\0", 1)
        return json.loads(message)

    def send(self, method, params=None, session=True):
        self.next_id += 1
        message = {"id": self.next_id, "method": method, "params": params or {}}
        if session and self.session:
            message["sessionId"] = self.session
        os.write(self.to_browser, json.dumps(message).encode() + b"\0")
        while True:
            reply = self._read()
            if reply.get("id") == self.next_id:
                if "error" in reply:
                    raise RuntimeError("%s: %s" % (method, reply["error"]))
                return reply.get("result", {})
            self.events.append(reply)

    def open_page(self):
        targets = self.send("Target.getTargets", session=False)["targetInfos"]
        page = next(t for t in targets if t["type"] == "page")
        self.session = self.send("Target.attachToTarget", {"targetId": page["targetId"], "flatten": True},
                                 session=False)["sessionId"]
        self.send("Page.enable")
        self.send("Runtime.enable")
        self.send("Emulation.setDeviceMetricsOverride",
                  {"width": VIEWPORT[0], "height": VIEWPORT[1], "deviceScaleFactor": 1, "mobile": False})

    def evaluate(self, expression):
        result = self.send("Runtime.evaluate", {"expression": expression, "returnByValue": True, "timeout": 5000})
        return result.get("result", {}).get("value")

    def screenshot(self, path=None):
        data = base64.b64decode(self.send("Page.captureScreenshot", {"format": "png"})["data"])
        if path:
            with open(path, "wb") as f:
                f.write(data)
        return Picture(data)

    def click(self, x, y):
        for kind in ("mousePressed", "mouseReleased"):
            self.send("Input.dispatchMouseEvent", {"type": kind, "x": x, "y": y, "button": "left", "clickCount": 1})
        time.sleep(0.05)

    def key(self, key, code, key_code, text=""):
        self.send("Input.dispatchKeyEvent", {"type": "keyDown", "text": text, "key": key, "code": code,
                                             "windowsVirtualKeyCode": key_code})
        self.send("Input.dispatchKeyEvent", {"type": "keyUp", "key": key, "code": code,
                                             "windowsVirtualKeyCode": key_code})
        time.sleep(0.05)

    def type_into(self, x, y, text):
        """Replaces a text box's content: click, to the end, erase, type."""
        self.click(x, y)
        time.sleep(0.5)
        self.key("End", "End", 35)
        for _ in range(16):
            self.key("Backspace", "Backspace", 8)
        for ch in text:
            self.key(ch, "Digit" + ch, ord(ch), ch)

    def close(self):
        try:
            self.send("Browser.close", session=False)
        except RuntimeError:
            pass
        self.process.wait(timeout=10)


# --- the checks --------------------------------------------------------------

failures = 0


def check(ok, what):
    global failures
    print(("ok      " if ok else "FAILED  ") + what, flush=True)
    if not ok:
        failures += 1
        raise SystemExit(1)


def wait_for(condition, seconds, step=0.1):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        value = condition()
        if value:
            return value
        time.sleep(step)
    return condition()


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


def sweep(browser, box, size, start, seconds=60):
    """Clicks "Start", waits until the sweep has begun (the picture changes)
    and then until it stops changing; its last screenshot."""
    before = points(browser.screenshot(), box[0], box[1], *size)
    browser.click(*start)
    wait_for(lambda: points(browser.screenshot(), box[0], box[1], *size) != before, 10, 0.05)
    last = None
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        time.sleep(0.5)
        shot = browser.screenshot()
        now = points(shot, box[0], box[1], *size)
        if last is not None and now == last and now:
            return shot
        last = now
    return browser.screenshot()


def linux_picture(tool, out, von, bis):
    picture, only = os.path.join(out, "linux-%s-%s.png" % (von, bis)), os.path.join(out, "linux-points.png")
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    subprocess.run([tool, picture, only, str(von), str(bis)], check=True, env=env, stderr=subprocess.DEVNULL)
    with open(picture, "rb") as f:
        return Picture(f.read())


def main():
    folder, tool, out = sys.argv[1], sys.argv[2], sys.argv[3]
    os.makedirs(out, exist_ok=True)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(Isolated, directory=folder))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    url = "http://127.0.0.1:%d/" % server.server_address[1]

    with tempfile.TemporaryDirectory() as profile:
        browser = Browser(profile)
        try:
            browser.open_page()
            begin = time.monotonic()
            browser.send("Page.navigate", {"url": url})
            shown = wait_for(lambda: browser.evaluate(
                "document.getElementById('varnoskel').style.display === 'block'"), 120)
            loaded = time.monotonic() - begin
            check(shown, "the page loads and shows the program (%.1f s from 127.0.0.1)" % loaded)
            print("page load: %.2f s" % loaded, flush=True)

            shot = wait_for(lambda: (lambda s: s if find_picture_box(s) else None)(browser.screenshot()), 30, 0.5)
            box = find_picture_box(shot) if shot else None
            check(box is not None, "the start window shows its drawing surface")
            browser.screenshot(os.path.join(out, "web-start.png"))
            # The controls, from the drawing surface's corner (the window's layout).
            at = lambda dx, dy: (box[0] + dx, box[1] + dy)  # noqa: E731
            start, info, bis_box = at(695, -79), at(-9, -84), at(774, -70)
            pause, resume, end = at(807, -84), at(807, -32), at(111, -122)

            linux = linux_picture(tool, out, 100, 200)
            size = (linux.width, linux.height)
            shot = sweep(browser, box, size, start)
            browser.screenshot(os.path.join(out, "web-sweep.png"))
            differ, covered = differences(shot, box[0], box[1], linux)
            check(differ == 0 and covered < 3 * (linux.width + linux.height),
                  "\"Start\" draws the default sweep with the Linux build's orbit points "
                  "(%d differ; %d pixels covered by the marker, the readout and the labels)" % (differ, covered))

            def surface(shot):
                return [row[box[0]:box[0] + size[0]] for row in shot.pixels[box[1]:box[1] + size[1]]]

            before = surface(browser.screenshot())
            browser.click(*info)
            opened = wait_for(lambda: surface(browser.screenshot()) != before, 10, 0.3)
            browser.screenshot(os.path.join(out, "web-info.png"))
            check(bool(opened), "the \"i\" box opens")
            browser.key("Enter", "Enter", 13, "\r")
            closed = wait_for(lambda: surface(browser.screenshot()) == before, 10, 0.3)
            check(bool(closed) and browser.evaluate("1 + 1") == 2, "the \"i\" box closes and the page answers")

            browser.type_into(*bis_box, "1000")
            linux = linux_picture(tool, out, 100, 1000)
            shot = sweep(browser, box, size, start)
            differ, covered = differences(shot, box[0], box[1], linux)
            check(differ == 0 and covered < 3 * (linux.width + linux.height),
                  "a typed \"bis\" (1000) is taken: the Linux build's points (%d differ)" % differ)

            # The finger, while no sweep runs (a sweep's marker is the crosshair then): moving it shows
            # the crosshair under it, a tap clicks (sets the left limit, whose message box then covers
            # the middle of the surface).
            browser.send("Emulation.setTouchEmulationEnabled", {"enabled": True, "maxTouchPoints": 1})
            before = browser.screenshot()
            finger = [box[0] + 200, box[1] + 150]

            def touch(kind):
                browser.send("Input.dispatchTouchEvent",
                             {"type": kind, "touchPoints": [] if kind == "touchEnd" else [{"x": finger[0], "y": finger[1]}]})

            touch("touchStart")
            for _ in range(10):
                finger[0] += 30
                touch("touchMove")
            time.sleep(0.5)
            shot = browser.screenshot()
            crossed = sum(shot.at(finger[0], box[1] + y) != before.at(finger[0], box[1] + y) for y in range(size[1]))
            touch("touchEnd")
            check(crossed > size[1] // 2, "a finger moving over the picture moves the crosshair with it")
            finger[0] = box[0] + 300
            touch("touchStart")
            touch("touchEnd")
            middle = lambda s: sum(s.at(box[0] + x, box[1] + y) == (0xEF, 0xEF, 0xEF)  # noqa: E731
                                   for x in range(330, 470, 4) for y in range(150, 210, 4))
            check(wait_for(lambda: middle(browser.screenshot()) > 300, 10, 0.3), "a tap on the picture clicks it")
            browser.screenshot(os.path.join(out, "web-tap.png"))
            browser.key("Enter", "Enter", 13, "\r")
            browser.send("Emulation.setTouchEmulationEnabled", {"enabled": False})

            # Two hundred million steps a column: the chaotic columns take seconds each.
            browser.type_into(*bis_box, "200000000")
            browser.click(*start)
            time.sleep(2)
            first = points(browser.screenshot(), box[0], box[1], *size)
            check(wait_for(lambda: points(browser.screenshot(), box[0], box[1], *size) != first, 30, 0.5),
                  "a long sweep repaints while it runs")
            browser.click(*pause)
            time.sleep(1)
            held = points(browser.screenshot(), box[0], box[1], *size)
            time.sleep(3)
            check(points(browser.screenshot(), box[0], box[1], *size) == held, "\"S\" pauses the long sweep")
            browser.click(*resume)
            check(wait_for(lambda: points(browser.screenshot(), box[0], box[1], *size) != held, 30, 0.5),
                  "\"W\" resumes it")

            before = browser.screenshot()
            browser.send("Input.dispatchMouseEvent", {"type": "mouseMoved", "x": box[0] + 500, "y": box[1] + 200})
            browser.key("b", "KeyB", 66, "b")
            opened = wait_for(lambda: sum(a != b for a, b in zip(
                sum(browser.screenshot().pixels, []), sum(before.pixels, []))) > 20000, 10, 0.5)
            browser.screenshot(os.path.join(out, "web-orbit.png"))
            check(bool(opened), "\"B\" opens the orbit window")
            browser.key("Escape", "Escape", 27)

            browser.click(*end)
            ended = wait_for(lambda: browser.evaluate(
                "document.getElementById('hinweis').style.display !== 'none' && "
                "document.getElementById('text').textContent.includes('beendet')"), 10)
            browser.screenshot(os.path.join(out, "web-ended.png"))
            check(bool(ended), "\"Programm beenden\" ends it, and the page says how to start again")
        finally:
            if failures:
                browser.screenshot(os.path.join(out, "failed.png"))
            browser.close()
            server.shutdown()


if __name__ == "__main__":
    main()
