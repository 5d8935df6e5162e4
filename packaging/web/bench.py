#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Varnoskel team
# SPDX-License-Identifier: GPL-3.0-or-later
"""The browser build's speed, in Chromium: the page's load time from
127.0.0.1, and the heavy sweep (the start window, von 0, bis 200000; and ten
times as long) as a ratio to the native bare recurrence of the same orbits,
measured in the same run: in the page with threads, and in the page without
(one thread: what the page's kernel does per thread), beside the native
portable kernel on one thread. One more sweep runs under Chromium's tracing,
which says where the page's main thread spent the sweep: the frames the
browser draws meanwhile, and within them the read-back of the program's
WebGL canvas that a browser without a GPU makes for every frame.

    bench.py FOLDER NATIVE_BENCH

A sweep's time is the program's own, from the handling of the click on
"Start" to the last column drawn, which the page writes to its console and
to window.varnoskelZeiten.
"""
import functools
import http.server
import os
import statistics
import subprocess
import sys
import threading
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from browsers import Chromium, wait_for  # noqa: E402
from check import Page  # noqa: E402
from serve import Isolated  # noqa: E402


def sweep_ms(page):
    """Clicks "Start" and waits for the program's time of that sweep."""
    done = len(page.sweeps())
    page.browser.click(*page.start)
    times = wait_for(lambda: (lambda t: t if len(t) > done else None)(page.sweeps()), 600, 0.02)
    return times[-1][1]


def traced_sweep(page):
    """One sweep under tracing: its time, and the page's main thread's time
    in the browser's frames and in their read-back of the canvas."""
    browser = page.browser
    browser.send("Tracing.start", {"traceConfig": {"includedCategories": ["toplevel", "cc", "gpu"]},
                                   "transferMode": "ReportEvents"}, session=False)
    ms = sweep_ms(page)
    browser.send("Tracing.end", session=False)
    events = []
    while True:
        message = browser.read_event()
        if message.get("method") == "Tracing.dataCollected":
            events += message["params"]["value"]
        elif message.get("method") == "Tracing.tracingComplete":
            break
    main = {(e["pid"], e["tid"]) for e in events
            if e.get("ph") == "M" and e["name"] == "thread_name" and e["args"]["name"] == "CrRendererMain"}

    def total(name):
        return sum(e.get("dur", 0) for e in events if (e["pid"], e["tid"]) in main and e["name"] == name) / 1000

    return ms, total("ProxyMain::BeginMainFrame"), total("GLES2::ReadPixels")


def native(tool, *arguments):
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    runs = [float(subprocess.run([tool, *arguments], check=True, env=env, capture_output=True, text=True).stdout)
            for _ in range(3)]
    return statistics.median(runs)


def main():
    folder, tool = sys.argv[1], sys.argv[2]
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(Isolated, directory=folder))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    url = "http://127.0.0.1:%d/" % server.server_address[1]
    browser = Chromium()
    try:
        print("browser             %s" % browser.version)
        for variant, address in (("threads", url), ("single", url + "?ohne-threads")):
            page = Page(browser, "/tmp", tool)
            if not page.load(address):
                raise SystemExit("the page did not load")
            if variant == "threads":
                print("page_load_s         %.2f  (to the program's window, from 127.0.0.1)" % page.seconds)
                print("browser threads     %s + 1" % browser.evaluate("navigator.hardwareConcurrency"))
            page.type_into((page.box[0] + 774, page.box[1] - 86), "0")
            for bis in (200000, 2000000):
                page.type_into(page.bis, str(bis))
                sweep_ms(page)  # the workers start
                ms = statistics.median(sweep_ms(page) for _ in range(5))
                bare = native(tool, "--bare", str(bis))
                name = "web_heavy_bis%d" % bis if variant == "threads" else "web_single_bis%d" % bis
                print("%-19s %.2f  (native bare %.3f s / page sweep %.1f ms, median of 5)"
                      % (name, bare / (ms / 1000), bare, ms), flush=True)
                if variant == "threads" and bis == 200000:
                    ms, frames, read_back = traced_sweep(page)
                    print("web_frames_ms       %.1f  (the main thread in the browser's frames from the click to the"
                          " sweep's report, %.1f of it reading back the canvas; the sweep %.1f ms)"
                          % (frames, read_back, ms), flush=True)
            browser.navigate("about:blank")
            time.sleep(0.5)
        print("native_plain_kernel %.2f  (native bare / the portable kernel on one thread, bis 200000)"
              % native(tool, "--kernel-plain", "200000"))
    finally:
        browser.close()
        server.shutdown()


if __name__ == "__main__":
    main()
