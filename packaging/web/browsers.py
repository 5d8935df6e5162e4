# SPDX-FileCopyrightText: 2026 Varnoskel team
# SPDX-License-Identifier: GPL-3.0-or-later
"""Three browser engines behind one set of methods, for the page's checks and
its benchmark: Chromium over its DevTools pipe, Firefox over WebDriver BiDi,
WebKit (Safari's engine, Debian's WebKitGTK with its MiniBrowser) over
WebDriver. Each has a viewport of VIEWPORT CSS pixels at one device pixel
each; coordinates are the viewport's.

    navigate(url)           and wait for the page's load
    evaluate(expression)    a JSON value
    screenshot([path])      a Picture of the viewport
    click(x, y)             with the mouse
    key(name)               one key: a character, or Enter, Escape, End, Backspace
    touch(kind, x, y)       a finger: "down", "move" (to x, y), "up"; where
                            `fingers` is False, the engine's driver makes
                            a mouse of it (WebKitGTK's)
    logs()                  the console's lines so far (Chromium and Firefox)
    close()
"""
import base64
import fcntl
import json
import os
import socket
import struct
import subprocess
import tempfile
import time
import urllib.error
import urllib.request
import zlib

VIEWPORT = (1000, 760)
MINIBROWSER = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"


# --- PNG, as the browsers and Qt write it (8 bits, RGB or RGBA, not interlaced)

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


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class Display:
    """A virtual X display for a browser that draws into a real window
    (MiniBrowser; Firefox, whose headless mode has no WebGL), unless there
    is one already."""

    def __init__(self):
        self.process = None
        self.env = dict(os.environ)
        if self.env.get("DISPLAY"):
            return
        number = 90 + os.getpid() % 100
        self.process = subprocess.Popen(["Xvfb", ":%d" % number, "-screen", "0", "1400x1000x24", "-nolisten", "tcp"],
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.env["DISPLAY"] = ":%d" % number
        time.sleep(1)

    def close(self):
        if self.process:
            self.process.terminate()
            self.process.wait(timeout=20)


def wait_for(condition, seconds, step=0.1):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        value = condition()
        if value:
            return value
        time.sleep(step)
    return condition()


# --- Chromium over the DevTools pipe ----------------------------------------

class Chromium:
    name = "Chromium"
    fingers = True

    def __init__(self):
        self.profile = tempfile.TemporaryDirectory()
        to_browser_r, self.to_browser = os.pipe()
        self.from_browser, from_browser_w = os.pipe()

        def pipes():  # the browser reads its fd 3 and writes its fd 4
            reading = fcntl.fcntl(to_browser_r, fcntl.F_DUPFD, 10)
            writing = fcntl.fcntl(from_browser_w, fcntl.F_DUPFD, 10)
            os.dup2(reading, 3)
            os.dup2(writing, 4)

        self.process = subprocess.Popen(
            ["chromium", "--headless=new", "--no-sandbox", "--remote-debugging-pipe",
             "--user-data-dir=" + self.profile.name, "--no-first-run", "--hide-scrollbars", "--mute-audio",
             "--enable-unsafe-swiftshader", "--disable-background-networking", "--disable-component-update",
             "--disable-sync", "--window-size=%d,%d" % VIEWPORT, "about:blank"],
            pass_fds=(3, 4), preexec_fn=pipes, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(to_browser_r)
        os.close(from_browser_w)
        self.buffer = b""
        self.next_id = 0
        self.events = []
        self.session = None
        targets = self.send("Target.getTargets", session=False)["targetInfos"]
        page = next(t for t in targets if t["type"] == "page")
        self.session = self.send("Target.attachToTarget", {"targetId": page["targetId"], "flatten": True},
                                 session=False)["sessionId"]
        self.send("Page.enable")
        self.send("Runtime.enable")
        self.send("Emulation.setDeviceMetricsOverride",
                  {"width": VIEWPORT[0], "height": VIEWPORT[1], "deviceScaleFactor": 1, "mobile": False})
        self.version = self.send("Browser.getVersion", session=False)["product"]

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

    def read_event(self):
        """The next message the browser sends unasked (or one kept meanwhile)."""
        return self.events.pop(0) if self.events else self._read()

    def navigate(self, url):
        self.send("Page.navigate", {"url": url})

    def evaluate(self, expression):
        result = self.send("Runtime.evaluate", {"expression": expression, "returnByValue": True, "timeout": 5000})
        return result.get("result", {}).get("value")

    def screenshot(self, path=None, clip=None):
        params = {"format": "png"}
        if clip:
            params["clip"] = dict(zip(("x", "y", "width", "height"), clip), scale=1)
        data = base64.b64decode(self.send("Page.captureScreenshot", params)["data"])
        if path:
            with open(path, "wb") as f:
                f.write(data)
        return Picture(data)

    def click(self, x, y):
        for kind in ("mousePressed", "mouseReleased"):
            self.send("Input.dispatchMouseEvent", {"type": kind, "x": x, "y": y, "button": "left", "clickCount": 1})
        time.sleep(0.05)

    def move(self, x, y):
        self.send("Input.dispatchMouseEvent", {"type": "mouseMoved", "x": x, "y": y})

    KEYS = {"Enter": ("Enter", 13, "\r"), "Escape": ("Escape", 27, ""), "End": ("End", 35, ""),
            "Backspace": ("Backspace", 8, "")}

    def key(self, name):
        if name in self.KEYS:
            code, key_code, text = self.KEYS[name]
        else:
            code = ("Digit" if name.isdigit() else "Key") + name.upper()
            key_code, text = ord(name.upper()), name
        self.send("Input.dispatchKeyEvent", {"type": "keyDown", "text": text, "key": name, "code": code,
                                             "windowsVirtualKeyCode": key_code})
        self.send("Input.dispatchKeyEvent", {"type": "keyUp", "key": name, "code": code,
                                             "windowsVirtualKeyCode": key_code})
        time.sleep(0.05)

    def touch(self, kind, x=0, y=0):
        if not getattr(self, "touching", False):
            self.send("Emulation.setTouchEmulationEnabled", {"enabled": True, "maxTouchPoints": 1})
            self.touching = True
        kinds = {"down": "touchStart", "move": "touchMove", "up": "touchEnd"}
        self.send("Input.dispatchTouchEvent",
                  {"type": kinds[kind], "touchPoints": [] if kind == "up" else [{"x": x, "y": y}]})

    def logs(self):
        lines = []
        for event in self.events:
            if event.get("method") == "Runtime.consoleAPICalled":
                lines.append(" ".join(str(a.get("value", "")) for a in event["params"]["args"]))
        return lines

    def close(self):
        try:
            self.send("Browser.close", session=False)
        except RuntimeError:
            pass
        self.process.wait(timeout=20)
        self.profile.cleanup()


# --- Firefox over WebDriver BiDi --------------------------------------------

class Firefox:
    name = "Firefox"
    fingers = True

    def __init__(self):
        import websocket  # Debian's python3-websocket
        self.profile = tempfile.TemporaryDirectory()
        # WebGL, which Qt's page draws with, in software where the machine
        # has no graphics card.
        with open(os.path.join(self.profile.name, "user.js"), "w") as prefs:
            prefs.write('user_pref("webgl.force-enabled", true);\nuser_pref("webgl.disabled", false);\n')
        port = free_port()
        self.display = Display()
        self.process = subprocess.Popen(
            ["firefox-esr", "--no-remote", "--remote-debugging-port", str(port), "--profile", self.profile.name,
             "--width", str(VIEWPORT[0] + 100), "--height", str(VIEWPORT[1] + 200), "about:blank"],
            env=self.display.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.ws = wait_for(lambda: self._connect(websocket, port), 60, 0.3)
        if not self.ws:
            raise RuntimeError("Firefox's remote agent did not answer")
        self.next_id = 0
        self.events = []
        self.version = "Firefox " + self.send("session.new", {"capabilities": {}})["capabilities"]["browserVersion"]
        self.context = self.send("browsingContext.getTree", {})["contexts"][0]["context"]
        self.send("browsingContext.setViewport",
                  {"context": self.context, "viewport": {"width": VIEWPORT[0], "height": VIEWPORT[1]}})
        self.send("session.subscribe", {"events": ["log.entryAdded"]})

    @staticmethod
    def _connect(websocket, port):
        try:  # the agent refuses a handshake that names an origin
            return websocket.create_connection("ws://127.0.0.1:%d/session" % port, timeout=120, suppress_origin=True)
        except (OSError, websocket.WebSocketException):
            return None

    def send(self, method, params):
        self.next_id += 1
        self.ws.send(json.dumps({"id": self.next_id, "method": method, "params": params}))
        while True:
            reply = json.loads(self.ws.recv())
            if reply.get("id") == self.next_id:
                if reply.get("type") == "error":
                    raise RuntimeError("%s: %s %s" % (method, reply.get("error"), reply.get("message")))
                return reply.get("result", {})
            self.events.append(reply)

    def navigate(self, url):
        self.send("browsingContext.navigate", {"context": self.context, "url": url, "wait": "none"})

    @staticmethod
    def _value(remote):
        kind, value = remote.get("type"), remote.get("value")
        if kind == "array":
            return [Firefox._value(v) for v in value]
        if kind == "object":
            return {k: Firefox._value(v) for k, v in value}
        if kind in ("undefined", "null"):
            return None
        return value

    def evaluate(self, expression):
        try:
            result = self.send("script.evaluate", {"expression": expression, "target": {"context": self.context},
                                                   "awaitPromise": False, "resultOwnership": "none"})
        except RuntimeError:
            return None  # the page is being replaced
        return self._value(result["result"]) if result.get("type") == "success" else None

    def screenshot(self, path=None, clip=None):
        params = {"context": self.context}
        if clip:
            params["clip"] = {"type": "box", "x": clip[0], "y": clip[1], "width": clip[2], "height": clip[3]}
        data = base64.b64decode(self.send("browsingContext.captureScreenshot", params)["data"])
        if path:
            with open(path, "wb") as f:
                f.write(data)
        return Picture(data)

    def _pointer(self, kind, steps):
        self.send("input.performActions", {"context": self.context, "actions": [
            {"type": "pointer", "id": kind, "parameters": {"pointerType": kind}, "actions": steps}]})

    def click(self, x, y):
        self._pointer("mouse", [{"type": "pointerMove", "x": x, "y": y},
                                {"type": "pointerDown", "button": 0}, {"type": "pointerUp", "button": 0}])
        time.sleep(0.05)

    def move(self, x, y):
        self._pointer("mouse", [{"type": "pointerMove", "x": x, "y": y}])

    KEYS = {"Enter": "\ue007", "Escape": "\ue00c", "End": "\ue010", "Backspace": "\ue003"}

    def key(self, name):
        value = self.KEYS.get(name, name)
        self.send("input.performActions", {"context": self.context, "actions": [
            {"type": "key", "id": "keyboard", "actions": [{"type": "keyDown", "value": value},
                                                          {"type": "keyUp", "value": value}]}]})
        time.sleep(0.05)

    def touch(self, kind, x=0, y=0):
        steps = {"down": [{"type": "pointerMove", "x": x, "y": y}, {"type": "pointerDown", "button": 0}],
                 "move": [{"type": "pointerMove", "x": x, "y": y}],
                 "up": [{"type": "pointerUp", "button": 0}]}[kind]
        # One pointer kept down from one call to the next.
        self.send("input.performActions", {"context": self.context, "actions": [
            {"type": "pointer", "id": "finger", "parameters": {"pointerType": "touch"}, "actions": steps}]})

    def logs(self):
        return [e["params"].get("text", "") for e in self.events if e.get("method") == "log.entryAdded"]

    def close(self):
        try:
            self.send("browser.close", {})
        except Exception:  # noqa: BLE001  the agent may go with the browser
            pass
        try:
            self.process.wait(timeout=20)
        except subprocess.TimeoutExpired:
            self.process.kill()
        self.display.close()
        self.profile.cleanup()


# --- WebKit over WebDriver --------------------------------------------------

class WebKit:
    name = "WebKit"
    fingers = False  # its driver's touch actions arrive as mouse events

    def __init__(self):
        self.display = Display()
        self.port = free_port()
        self.driver = subprocess.Popen(["WebKitWebDriver", "--port=%d" % self.port], env=self.display.env,
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_for(lambda: self._alive(), 30, 0.2)
        caps = self._request("POST", "/session", {"capabilities": {"alwaysMatch": {
            "webkitgtk:browserOptions": {"binary": MINIBROWSER, "args": ["--automation"]}}}})
        self.session = "/session/" + caps["sessionId"]
        self.version = "WebKitGTK " + caps["capabilities"]["browserVersion"]
        self._request("POST", self.session + "/window/rect", {"width": VIEWPORT[0], "height": VIEWPORT[1]})
        # The viewport is the window less MiniBrowser's own bars: grown to VIEWPORT.
        inner = self.evaluate("[innerWidth, innerHeight]")
        self._request("POST", self.session + "/window/rect", {"width": 2 * VIEWPORT[0] - inner[0],
                                                              "height": 2 * VIEWPORT[1] - inner[1]})

    def _alive(self):
        try:
            return self._request("GET", "/status") is not None
        except OSError:
            return False

    def _request(self, method, path, body=None):
        data = json.dumps(body).encode() if body is not None else None
        request = urllib.request.Request("http://127.0.0.1:%d%s" % (self.port, path), method=method, data=data,
                                         headers={"Content-Type": "application/json"})
        try:
            reply = json.loads(urllib.request.urlopen(request, timeout=300).read())
        except urllib.error.HTTPError as error:
            reply = json.loads(error.read())
            raise RuntimeError("%s %s: %s" % (method, path, reply.get("value")))
        return reply.get("value")

    def navigate(self, url):
        self._request("POST", self.session + "/url", {"url": url})

    def evaluate(self, expression):
        try:
            return self._request("POST", self.session + "/execute/sync",
                                 {"script": "return (" + expression + ");", "args": []})
        except RuntimeError:
            return None

    def screenshot(self, path=None, clip=None):
        data = base64.b64decode(self._request("GET", self.session + "/screenshot"))
        if path:
            with open(path, "wb") as f:
                f.write(data)
        return Picture(data)

    def _actions(self, source):
        self._request("POST", self.session + "/actions", {"actions": [source]})

    def click(self, x, y):
        self._actions({"type": "pointer", "id": "mouse", "parameters": {"pointerType": "mouse"}, "actions": [
            {"type": "pointerMove", "x": x, "y": y}, {"type": "pointerDown", "button": 0},
            {"type": "pointerUp", "button": 0}]})
        time.sleep(0.05)

    def move(self, x, y):
        self._actions({"type": "pointer", "id": "mouse", "parameters": {"pointerType": "mouse"},
                       "actions": [{"type": "pointerMove", "x": x, "y": y}]})

    KEYS = Firefox.KEYS

    def key(self, name):
        value = self.KEYS.get(name, name)
        self._actions({"type": "key", "id": "keyboard", "actions": [{"type": "keyDown", "value": value},
                                                                   {"type": "keyUp", "value": value}]})
        time.sleep(0.05)

    def touch(self, kind, x=0, y=0):
        steps = {"down": [{"type": "pointerMove", "x": x, "y": y}, {"type": "pointerDown", "button": 0}],
                 "move": [{"type": "pointerMove", "x": x, "y": y}],
                 "up": [{"type": "pointerUp", "button": 0}]}[kind]
        self._actions({"type": "pointer", "id": "finger", "parameters": {"pointerType": "touch"}, "actions": steps})

    def logs(self):
        return []

    def close(self):
        try:
            self._request("DELETE", self.session)
        except (RuntimeError, OSError):
            pass
        self.driver.terminate()
        self.driver.wait(timeout=20)
        self.display.close()


ENGINES = {"chromium": Chromium, "firefox": Firefox, "webkit": WebKit}
