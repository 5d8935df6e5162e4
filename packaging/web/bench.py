#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Varnoskel team
# SPDX-License-Identifier: GPL-3.0-or-later
"""The browser build's speed, in headless Chromium: the page's load time from
127.0.0.1, and the heavy sweep (the start window, von 0, bis 200000; and ten
times as long, where the timing's resolution matters less) as a ratio to the
native bare recurrence of the same orbits, measured in the same run.

    bench.py FOLDER NATIVE_BENCH

A sweep's time runs from the click on "Start" to the marker's arrival at the
last column, read from screenshots of that column (about 30 ms apart).
"""
import base64
import functools
import http.server
import os
import statistics
import subprocess
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from check import MARKER, Browser, Picture, find_picture_box, wait_for  # noqa: E402
from serve import Isolated  # noqa: E402



def last_column_marked(browser, box):
    clip = {"x": box[0] + 799, "y": box[1], "width": 1, "height": 480, "scale": 1}
    data = base64.b64decode(browser.send("Page.captureScreenshot", {"format": "png", "clip": clip})["data"])
    column = Picture(data)
    return sum(row[0] == MARKER for row in column.pixels) > column.height // 2


def sweep_seconds(browser, box, start):
    begin = time.monotonic()
    browser.click(*start)
    wait_for(lambda: not last_column_marked(browser, box), 30, 0.005)
    wait_for(lambda: last_column_marked(browser, box), 600, 0.005)
    return time.monotonic() - begin


def native_bare(tool, bis):
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    runs = [float(subprocess.run([tool, "--bare", str(bis)], check=True, env=env, capture_output=True,
                                 text=True).stdout) for _ in range(3)]
    return statistics.median(runs)


def main():
    folder, tool = sys.argv[1], sys.argv[2]
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(Isolated, directory=folder))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    with tempfile.TemporaryDirectory() as profile:
        browser = Browser(profile)
        try:
            browser.open_page()
            begin = time.monotonic()
            browser.send("Page.navigate", {"url": "http://127.0.0.1:%d/" % server.server_address[1]})
            wait_for(lambda: browser.evaluate("document.getElementById('varnoskel').style.display === 'block'"), 120)
            print("page_load_s         %.2f  (to the program's window, from 127.0.0.1)" % (time.monotonic() - begin))
            box = wait_for(lambda: find_picture_box(browser.screenshot()), 30, 0.5)
            threads = browser.evaluate("navigator.hardwareConcurrency")
            print("browser threads     %s + 1" % threads)
            start, von, bis_box = (box[0] + 695, box[1] - 79), (box[0] + 774, box[1] - 86), (box[0] + 774, box[1] - 70)
            browser.type_into(*von, "0")
            for bis in (200000, 2000000):
                browser.type_into(*bis_box, str(bis))
                sweep_seconds(browser, box, start)  # the workers start
                page = statistics.median(sweep_seconds(browser, box, start) for _ in range(5))
                bare = native_bare(tool, bis)
                print("web_heavy_bis%-7d %.2f  (native bare %.3f s / page sweep %.3f s, median of 5)"
                      % (bis, bare / page, bare, page), flush=True)
        finally:
            browser.close()
            server.shutdown()


if __name__ == "__main__":
    main()
