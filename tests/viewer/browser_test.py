#!/usr/bin/env python3
# SPDX-License-Identifier: Apache-2.0
"""The report viewer in a real browser: starts `orvane serve` on a free
loopback port, drives headless Chromium through Selenium and checks what a
person would see and do. Exit status 77 (a skip for CTest) only when
Chromium, its driver, Selenium or Pillow is not installed.

    tests/viewer/browser_test.py --orvane build/bin/orvane --out build/tests/viewer
"""
import argparse
import http.client
import io
import os
import re
import shutil
import subprocess
import sys
import time

SKIP = 77

try:
    from PIL import Image, ImageChops, ImageStat
    from selenium import webdriver
    from selenium.webdriver.chrome.options import Options
    from selenium.webdriver.chrome.service import Service
    from selenium.webdriver.common.action_chains import ActionChains
    from selenium.webdriver.common.by import By
    from selenium.webdriver.common.keys import Keys
except ImportError as missing:  # pragma: no cover - depends on the machine
    print("SKIP: %s (install python3-selenium and python3-pil)" % missing)
    sys.exit(SKIP)

REPORT = "examples/report/report.xml"
failures = []


def check(condition, message):
    print(("ok    " if condition else "FAIL  ") + message)
    if not condition:
        failures.append(message)
    return condition


class Server:
    """`orvane serve` on a free loopback port, stopped with the test."""

    def __init__(self, orvane, report, *extra):
        self.process = subprocess.Popen([orvane, "serve", report, "--port", "0"] + list(extra),
                                        stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        line = self.process.stdout.readline()
        match = re.search(r"http://127\.0\.0\.1:(\d+)/", line)
        if not match:
            self.process.kill()
            raise RuntimeError("orvane serve did not start: %r %s" % (line, self.process.stderr.read()))
        self.port = int(match.group(1))
        self.url = "http://127.0.0.1:%d/" % self.port

    def raw_get(self, path):
        """A request with the path exactly as given (a browser would tidy it)."""
        connection = http.client.HTTPConnection("127.0.0.1", self.port, timeout=10)
        connection.putrequest("GET", path, skip_host=False, skip_accept_encoding=True)
        connection.endheaders()
        response = connection.getresponse()
        response.read()
        connection.close()
        return response.status

    def stop(self):
        self.process.terminate()
        try:
            self.process.wait(10)
        except subprocess.TimeoutExpired:
            self.process.kill()
        return self.process.returncode


def browser(width, height):
    options = Options()
    options.binary_location = shutil.which("chromium")
    for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--hide-scrollbars",
                     "--force-device-scale-factor=1", "--window-size=%d,%d" % (width, height),
                     "--disable-dev-shm-usage", "--autoplay-policy=no-user-gesture-required"):
        options.add_argument(argument)
    if width < 500:
        # Chromium's windows are at least 500 pixels wide: a phone is emulated.
        options.add_experimental_option("mobileEmulation", {
            "deviceMetrics": {"width": width, "height": height, "pixelRatio": 1.0, "touch": False}})
    return webdriver.Chrome(service=Service(shutil.which("chromedriver")), options=options)


def wait_for(driver, script, timeout=15.0):
    end = time.time() + timeout
    while time.time() < end:
        value = driver.execute_script(script)
        if value:
            return value
        time.sleep(0.02)
    return None


def frame_number(driver):
    value = driver.execute_script("return document.body.getAttribute('data-frame')")
    return int(value) if value else -1


def frame_image(driver):
    element = driver.find_element(By.CSS_SELECTOR, "#frame svg")
    return Image.open(io.BytesIO(element.screenshot_as_png)).convert("RGB")


def compare(shown, rendered):
    """Mean difference of the pictures (0-255) and the share of pixels that differ much."""
    if shown.size != rendered.size:
        return None, None
    diff = ImageChops.difference(shown, rendered).convert("L")
    mean = ImageStat.Stat(diff).mean[0]
    histogram = diff.histogram()
    far = sum(histogram[96:]) / float(shown.size[0] * shown.size[1])
    return mean, far


def table_bounds(orvane, width):
    """The bundled report's table, from the layout the tool prints."""
    out = subprocess.run([orvane, "render", REPORT, "--width", str(width), "--print-layout"],
                         capture_output=True, text=True, check=True).stdout
    for line in out.splitlines():
        match = re.search(r"x=(\d+) y=(\d+) w=(\d+) h=(\d+)\s+table", line)
        if match:
            return tuple(int(v) for v in match.groups())
    return None


def click_at(driver, x, y, shift=False):
    """A click at page pixel (x, y) of the frame, optionally with Shift held."""
    svg = driver.find_element(By.CSS_SELECTOR, "#frame svg")
    size = svg.size
    actions = ActionChains(driver)
    if shift:
        actions.key_down(Keys.SHIFT)
    actions.move_to_element_with_offset(svg, x - size["width"] / 2.0, y - size["height"] / 2.0).click()
    if shift:
        actions.key_up(Keys.SHIFT)
    before = frame_number(driver)
    actions.perform()
    # The page has painted the server's answer to the click: a new frame, or
    # (a click that changed nothing) no new frame within a few seconds. The
    # events leave the page a little after the click, so an idle page alone
    # does not mean the answer has come.
    wait_for(driver, "return window.orvaneViewer.frame > %d" % before, 5)
    wait_for(driver, "return !window.orvaneViewer.inFlight && !window.orvaneViewer.pending.length", 10)
    return before, frame_number(driver), driver.execute_script("return window.orvaneViewer.lastHandled")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--orvane", required=True)
    parser.add_argument("--out", required=True)
    args = parser.parse_args()
    if not shutil.which("chromium") or not shutil.which("chromedriver"):
        print("SKIP: chromium and chromium-driver are not installed")
        return SKIP
    os.makedirs(args.out, exist_ok=True)
    rendered_png = os.path.join(args.out, "render-1024.png")
    subprocess.run([args.orvane, "render", REPORT, "--width", "1024", "-q", "-o", rendered_png], check=True)

    server = Server(args.orvane, REPORT)
    # The window is as tall as the page, so that the whole frame is on screen.
    driver = browser(1024, Image.open(rendered_png).height + 160)
    try:
        # The server refuses paths outside its routes.
        for path in ("/../README.md", "/%2e%2e/README.md", "/..%2fCMakeLists.txt", "/sound/../../README.md",
                     "/assets/viewer/viewer.js"):
            check(server.raw_get(path) == 404, "the server refuses %s" % path)

        driver.get(server.url)
        check(wait_for(driver, "return document.querySelector('#frame svg') && window.orvaneViewer.frame > 0"),
              "the page shows a frame")
        shown = frame_image(driver)
        shown.save(os.path.join(args.out, "viewer-1024.png"))
        colours = shown.getcolors(1 << 20)
        check(colours is None or len(colours) > 20, "the page is not blank (%s colours)" %
              ("many" if colours is None else len(colours)))
        rendered = Image.open(rendered_png).convert("RGB")
        mean, far = compare(shown, rendered)
        check(mean is not None, "the frame has the rendered picture's size (%s vs %s)" % (shown.size, rendered.size))
        if mean is not None:
            check(mean < 4.0 and far < 0.02,
                  "the page matches orvane render's PNG (mean difference %.2f, %.2f%% of pixels far off)" %
                  (mean, far * 100))

        # A click on a column header sorts the table; Shift-clicks select a range.
        x, y, w, h = table_bounds(args.orvane, 1024)
        header = (x + 40, y + 10)
        before, after, handled = click_at(driver, *header)
        if handled:
            check(after > before, "a click on a column header draws a new frame (sorted)")
            frame_image(driver).save(os.path.join(args.out, "viewer-sorted.png"))
            click_at(driver, x + 40, y + 45)
            b2, a2, h2 = click_at(driver, x + 40, y + 95, shift=True)
            check(h2 and a2 > b2, "Shift-click selects a range of rows")
            frame_image(driver).save(os.path.join(args.out, "viewer-selected.png"))
        else:
            print("note  the table did not take the tap: this build's tables have no tap handling yet")

        # Arrow keys move the focus of the accessibility grid and the live
        # region speaks the focused cell.
        cells = driver.execute_script("return window.orvaneViewer.aria.length")
        if cells:
            driver.execute_script("document.querySelector('#grids .aria-cell[tabindex=\"0\"]').focus()")
            first = driver.execute_script("return document.activeElement.getAttribute('aria-colindex')")
            ActionChains(driver).send_keys(Keys.ARROW_RIGHT).perform()
            moved = driver.execute_script("return document.activeElement.getAttribute('aria-colindex')")
            check(moved != first, "an arrow key moves the grid's focus")
            check(driver.execute_script("return document.getElementById('live').textContent") != "",
                  "the live region speaks the focused cell")
        else:
            print("note  the report's tables give no accessibility elements in this build: no ARIA grid")

        # A narrower window lays the page out again; the page rebuilds the
        # new frame from the delta it is sent, exactly.
        driver.set_window_size(800, 1100)
        check(wait_for(driver, "return window.orvaneViewer.width !== 1024 && !window.orvaneViewer.inFlight"),
              "a resized window lays the report out anew (%s)" % driver.execute_script(
                  "return window.orvaneViewer.width"))
        # A window may report its new size in more than one step: compare
        # once the page has had nothing to send for a while.
        same = None
        for _ in range(20):
            time.sleep(0.3)
            if not wait_for(driver, "return !window.orvaneViewer.inFlight && !window.orvaneViewer.pending.length"):
                continue
            same = driver.execute_async_script("""
                var done = arguments[arguments.length - 1], S = window.orvaneViewer;
                var frame = S.frame;
                fetch('/s/' + S.session + '/frame').then(function (r) { return r.json(); })
                  .then(function (j) { done(j.frame !== frame || S.frame !== frame ? null : j.svg === S.svg); });""")
            if same is not None:
                break
        check(same is True, "the frame rebuilt from a delta is the server's frame (%s)" % same)
        driver.set_window_size(1024, 1100)
        wait_for(driver, "return window.orvaneViewer.width === 1024 && !window.orvaneViewer.inFlight")

        # Two tabs are two sessions: what one does, the other does not see.
        first_session = driver.execute_script("return window.orvaneViewer.session")
        first_tab = driver.current_window_handle
        driver.switch_to.new_window("tab")
        driver.get(server.url)
        wait_for(driver, "return window.orvaneViewer.frame > 0")
        second_session = driver.execute_script("return window.orvaneViewer.session")
        check(first_session and second_session and first_session != second_session, "each tab has its own session")
        driver.switch_to.window(first_tab)
        changed = driver.execute_async_script("""
            var done = arguments[arguments.length - 1];
            fetch('/s/' + window.orvaneViewer.session + '/events', {method: 'POST',
                  headers: {'Content-Type': 'application/json'},
                  body: JSON.stringify({events: [{type: 'resize', width: 700}]})})
              .then(function (r) { return r.json(); }).then(function (j) { done(j.width); });""")
        check(changed == 700, "the first tab's page is laid out anew at 700 pixels (%s)" % changed)
        driver.switch_to.window(driver.window_handles[-1])
        width = driver.execute_async_script("""
            var done = arguments[arguments.length - 1];
            fetch('/s/' + window.orvaneViewer.session + '/frame').then(function (r) { return r.json(); })
              .then(function (j) { done(j.width); });""")
        check(width == 1024, "a change in one tab leaves the other tab's page as it was (width %s)" % width)
        driver.close()
        driver.switch_to.window(first_tab)
    finally:
        driver.quit()

    # A phone's width: the page lays the report out for it.
    phone = browser(320, 800)
    try:
        phone.get(server.url)
        check(wait_for(phone, "return window.orvaneViewer.frame > 0"), "the page shows a frame at 320 pixels")
        image = frame_image(phone)
        image.save(os.path.join(args.out, "viewer-320.png"))
        check(image.size[0] == 320, "the frame is laid out 320 pixels wide (%d)" % image.size[0])
        rendered_phone = os.path.join(args.out, "render-320.png")
        subprocess.run([args.orvane, "render", REPORT, "--width", "320", "-q", "-o", rendered_phone], check=True)
        # A phone shows the top of the page: the screenshot ends at the screen.
        mean, far = compare(image, Image.open(rendered_phone).convert("RGB").crop((0, 0) + image.size))
        check(mean is not None and mean < 4.0 and far < 0.02,
              "the phone page matches orvane render --width 320 (mean %s, far %s)" % (mean, far))
    finally:
        phone.quit()
    check(server.stop() == 0, "orvane serve stops cleanly on SIGTERM")
    print("%d failure(s)" % len(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
