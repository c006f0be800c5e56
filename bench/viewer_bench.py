#!/usr/bin/env python3
# SPDX-License-Identifier: Apache-2.0
"""Measures `orvane serve` with the bundled report: a click on a table header
until the new frame is painted in headless Chromium (and the server's share:
the same input posted straight to the server), the size of a full frame and
of an incremental one, and the memory each open session takes. (The
incremental frame of a one-row selection, drawn in process, is measured by
bench_viewer_frames.)

    /usr/bin/python3 bench/viewer_bench.py --orvane build/bin/orvane [--runs 30]

Needs chromium, chromium-driver and python3-selenium (scripts/deps.sh).
"""
import argparse
import http.client
import json
import os
import re
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "viewer"))
import browser_test  # noqa: E402  (the test's server and browser helpers)

REPORT = "examples/report/report.xml"


def post(port, path, body):
    connection = http.client.HTTPConnection("127.0.0.1", port, timeout=30)
    data = json.dumps(body)
    start = time.perf_counter()
    connection.request("POST", path, data, {"Content-Type": "application/json"})
    response = connection.getresponse()
    text = response.read()
    elapsed = time.perf_counter() - start
    connection.close()
    return response.status, json.loads(text), elapsed, len(text)


def rss_kib(pid):
    with open("/proc/%d/status" % pid) as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def tap(x, y, t, mods=0):
    return [{"type": "down", "x": x, "y": y, "t": t, "mods": mods},
            {"type": "up", "x": x, "y": y, "t": t + 40, "mods": mods}]


def median_ms(values):
    return statistics.median(values) * 1000.0 if values else float("nan")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--orvane", required=True)
    parser.add_argument("--runs", type=int, default=30)
    parser.add_argument("--sessions", type=int, default=10)
    args = parser.parse_args()
    x, y, w, h = browser_test.table_bounds(args.orvane, 1024)
    header = (x + 40, y + 10)
    row = (x + 40, y + 45)

    server = browser_test.Server(args.orvane, REPORT, "--max-sessions", str(args.sessions + 4))
    try:
        # Frame sizes: the whole page, then what one tap on a row sends.
        status, first, _, _ = post(server.port, "/session", {"width": 1024})
        session = first["session"]
        full = len(first["svg"].encode())
        status, reply, _, size = post(server.port, "/s/%s/events" % session,
                                      {"have": first["frame"], "events": tap(row[0], row[1], 0)})
        if "delta" in reply:
            lines = sum(len(edit[2].encode()) for edit in reply["delta"]["edits"])
            incremental = "%d bytes of SVG lines (%d bytes of reply, %.1f%% of the full frame)" % (
                lines, size, 100.0 * size / full)
        else:
            incremental = "nothing sent: the tap changed no picture (%d bytes of reply)" % size
        print("full frame:        %d bytes of SVG" % full)
        print("after a row tap:   %s (handled by a view: %s)" % (incremental, bool(reply["handled"])))
        # The ARIA grid of that reply: the cells that changed, against the
        # whole grid a page out of step is sent (and every reply was before).
        connection = http.client.HTTPConnection("127.0.0.1", server.port, timeout=30)
        connection.request("GET", "/s/%s/frame" % session)
        whole = json.loads(connection.getresponse().read())
        connection.close()
        whole_grid = len(json.dumps(whole["aria"], separators=(",", ":")).encode())
        if "ariaDelta" in reply:
            changed = len(json.dumps(reply["ariaDelta"], separators=(",", ":")).encode())
            print("ARIA grid in that reply: %d bytes of changed cells (%d set, %d removed) against %d bytes whole; "
                  "the reply would be %d bytes with the whole grid" %
                  (changed, len(reply["ariaDelta"]["set"]), len(reply["ariaDelta"]["removed"]), whole_grid,
                   size - changed + whole_grid))
        else:
            print("ARIA grid in that reply: %s (%d bytes whole)" %
                  ("whole" if "aria" in reply else "not sent, unchanged", whole_grid))

        # The server's share: a header tap posted straight to the server.
        server_times = []
        frame = reply["frame"]
        for i in range(args.runs):
            status, reply, elapsed, _ = post(server.port, "/s/%s/events" % session,
                                             {"have": frame, "events": tap(header[0], header[1], 1000 + i * 1000)})
            frame = reply["frame"]
            server_times.append(elapsed)
        print("header tap, server round trip:   median %.2f ms, max %.2f ms (%d runs)" %
              (median_ms(server_times), max(server_times) * 1000.0, args.runs))
        status, reply, elapsed, size = post(server.port, "/s/%s/events" % session,
                                            {"have": frame, "events": [{"type": "key", "key": "ArrowDown"}]})
        print("a key to the table the taps focused: handled %s, %.2f ms, %d bytes of reply" %
              (bool(reply["handled"]), elapsed * 1000.0, size))

        # Click to painted frame in the browser.
        driver = browser_test.browser(1024, 1100)
        try:
            driver.get(server.url)
            browser_test.wait_for(driver, "return window.orvaneViewer.frame > 0")
            page_times = []
            for i in range(args.runs):
                browser_test.click_at(driver, *header)
                # The page's own clock: from sending the click to the frame painted.
                page_times.append(driver.execute_script("return window.orvaneViewer.lastRoundTrip") / 1000.0)
            print("header click to painted frame in Chromium: median %.2f ms, max %.2f ms (%d runs)" %
                  (median_ms(page_times), max(page_times) * 1000.0, args.runs))
            print("server share of the click: %.0f%%" % (100.0 * median_ms(server_times) / median_ms(page_times)))
        finally:
            driver.quit()

        # Memory per session: the server's resident size as sessions open.
        before = rss_kib(server.process.pid)
        for _ in range(args.sessions):
            post(server.port, "/session", {"width": 1024})
        time.sleep(0.5)
        after = rss_kib(server.process.pid)
        print("memory: %d KiB with 2 sessions, %d KiB after %d more: %.1f MB per session" %
              (before, after, args.sessions, (after - before) / 1024.0 / args.sessions))
    finally:
        server.stop()


if __name__ == "__main__":
    main()
