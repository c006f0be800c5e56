#!/usr/bin/env python3
# SPDX-License-Identifier: Apache-2.0
"""The report viewer in a real browser: starts `orvane serve` on a free
loopback port, drives headless Chromium through Selenium and checks what a
person would see and do. Exit status 77 (a skip for CTest) only when
Chromium, its driver, Selenium or Pillow is not installed.

    tests/viewer/browser_test.py --orvane build/bin/orvane --out build/tests/viewer
"""
import argparse
import contextlib
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


def wait_for(driver, script, timeout=30.0):
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
    return layout_of(orvane, REPORT, "table", width)


IDLE = "return !window.orvaneViewer.inFlight && !window.orvaneViewer.pending.length"


def replies(driver):
    return driver.execute_script("return window.orvaneViewer.replies")


def settle(driver, before, timeout=60.0):
    """Waits until the page has painted an answer to input sent after `before`
    answers and has nothing more to send. Waits on the page's state, never on
    time alone, so that a loaded machine only makes it slower."""
    wait_for(driver, "return window.orvaneViewer.replies > %d" % before, timeout)
    return wait_for(driver, IDLE, timeout)


def click_at(driver, x, y, shift=False):
    """A click at page pixel (x, y) of the frame, optionally with Shift held;
    the frame before, the frame after and whether a view took the click."""
    svg = driver.find_element(By.CSS_SELECTOR, "#frame svg")
    size = svg.size
    actions = ActionChains(driver)
    if shift:
        actions.key_down(Keys.SHIFT)
    actions.move_to_element_with_offset(svg, x - size["width"] / 2.0, y - size["height"] / 2.0).click()
    if shift:
        actions.key_up(Keys.SHIFT)
    wait_for(driver, IDLE, 60)
    before, answered = frame_number(driver), replies(driver)
    actions.perform()
    settle(driver, answered)
    return before, frame_number(driver), driver.execute_script("return window.orvaneViewer.lastHandled")


def drag(driver, x, y, dx, dy, steps=8):
    """A press at page pixel (x, y), moved by (dx, dy) in steps, released."""
    svg = driver.find_element(By.CSS_SELECTOR, "#frame svg")
    size = svg.size
    wait_for(driver, IDLE, 60)
    answered = replies(driver)
    actions = ActionChains(driver, duration=20)
    actions.move_to_element_with_offset(svg, x - size["width"] / 2.0, y - size["height"] / 2.0).click_and_hold()
    for _ in range(steps):
        actions.move_by_offset(dx / float(steps), dy / float(steps))
    actions.release()
    actions.perform()
    settle(driver, answered)


def aria(driver, grid=None):
    """The page's ARIA grid cells (of one grid, or all)."""
    cells = driver.execute_script("return window.orvaneViewer.aria") or []
    return [c for c in cells if grid is None or c["table"] == grid]


def grid_attribute(driver, grid, name):
    value = driver.execute_script(
        "var g = document.querySelectorAll('#grids [role=grid]')[%d]; return g ? g.getAttribute('%s') : null" %
        (grid, name))
    return int(value) if value else None


def first_row_index(driver, grid=0):
    """aria-rowindex of the first data row the page's grid shows."""
    return driver.execute_script("""
        var g = document.querySelectorAll('#grids [role=grid]')[%d];
        if (!g) return null;
        var rows = Array.prototype.filter.call(g.querySelectorAll('[role=row]'), function (r) {
            return r.querySelector('[role=gridcell]'); });
        return rows.length ? Number(rows[0].getAttribute('aria-rowindex')) : null;""" % grid)


def selected_rows(driver, grid):
    return sorted({c["row"] for c in aria(driver, grid) if c["role"] == "gridcell" and c["selected"]})


def centre(cell):
    x, y, w, h = cell["bounds"]
    return x + w / 2.0, y + h / 2.0


def open_page(driver, server):
    driver.get(server.url)
    return wait_for(driver, "return document.querySelector('#frame svg') && window.orvaneViewer.frame > 0 && "
                            "!window.orvaneViewer.inFlight", 60)


def layout_of(orvane, report, kind, width=1024):
    """(x, y, w, h) of the first laid-out element of `kind` (table, prompt range, ...)."""
    out = subprocess.run([orvane, "render", report, "--width", str(width), "--print-layout"],
                         capture_output=True, text=True, check=True).stdout
    for line in out.splitlines():
        match = re.search(r"x=(\d+) y=(\d+) w=(\d+) h=(\d+)\s+" + kind, line)
        if match:
            return tuple(int(v) for v in match.groups())
    return None


@contextlib.contextmanager
def served(orvane, report, width, height):
    """`orvane serve REPORT` and a browser window on its page, both stopped after."""
    server = Server(orvane, report)
    driver = browser(width, height)
    try:
        check(open_page(driver, server), "the page of %s shows a frame" % report)
        yield driver
    finally:
        driver.quit()
        server.stop()


def grid_matches_server(driver):
    """Whether the page's ARIA grid, built up from the changes it was sent,
    is the grid the page builds anew from the server's whole one."""
    wait_for(driver, IDLE, 60)
    return driver.execute_async_script("""
        var done = arguments[arguments.length - 1], S = window.orvaneViewer, frame = S.frame;
        fetch('/s/' + S.session + '/frame').then(function (r) { return r.json(); }).then(function (j) {
          if (j.frame !== frame || S.frame !== frame) return done(null);
          done(JSON.stringify(S.buildGrids(j.aria)) === JSON.stringify(S.describeGrids()));
        });""")


def expand_first(driver, grid):
    """Clicks the expand or collapse button of a grid's first member that has one."""
    members = [c for c in aria(driver, grid) if c["role"] == "rowheader" and c["expanded"] >= 0]
    if not members:
        return None
    x, y, w, h = members[0]["bounds"]
    # The button sits at the start of the member's header, in its first row.
    click_at(driver, x + 13, y + min(h / 2.0, 12))
    return members[0]


def two_crosstabs(orvane, out):
    """Keys go to the crosstab clicked last; expanding a crosstab without a
    height makes the page taller, at a desk's width and a phone's."""
    report = "examples/crosstab/two-crosstabs.xml"
    for width in (1024, 320):
        with served(orvane, report, width, 1000) as driver:
            cells = [c for c in aria(driver, 1) if c["role"] == "gridcell"]
            check(cells, "the lower crosstab has an ARIA grid at %d pixels" % width)
            if not cells:
                continue
            labels = driver.execute_script(
                "return Array.prototype.map.call(document.querySelectorAll('#grids [role=grid]'),"
                " function (g) { return g.getAttribute('aria-label'); })")
            check(labels == ["Crosstab 1", "Crosstab 2"], "the grids are named for crosstabs (%s)" % labels)
            click_at(driver, *centre(cells[0]))
            before, answered = frame_number(driver), replies(driver)
            ActionChains(driver).send_keys(Keys.ARROW_DOWN).perform()
            settle(driver, answered)
            check(driver.execute_script("return window.orvaneViewer.lastHandled") and frame_number(driver) > before,
                  "a key after a click on the lower crosstab moves its focus (%d pixels)" % width)
            height = driver.execute_script("return window.orvaneViewer.height")
            member = expand_first(driver, 0)
            grown = driver.execute_script("return window.orvaneViewer.height")
            check(member and grown > height, "expanding %s in the crosstab without a height makes the page taller "
                  "(%s to %s pixels)" % (member and member["label"], height, grown))
            svg_height = driver.execute_script("return document.querySelector('#frame svg').getBoundingClientRect().height")
            check(abs(svg_height - grown) < 2, "the page shows the taller frame (%s)" % svg_height)
            frame_image(driver).save(os.path.join(out, "viewer-two-crosstabs-%d.png" % width))


def linked_tables(orvane, out):
    """Rows selected in one table are highlighted in the table linked to it."""
    report = "examples/table/linked-tables.xml"
    with served(orvane, report, 1024, 800) as driver:
        cells = [c for c in aria(driver, 0) if c["role"] == "gridcell"]
        check(len(cells) > 3 and aria(driver, 1), "both linked tables have an ARIA grid")
        if len(cells) > 3 and aria(driver, 1):
            rows = sorted({c["row"] for c in cells})
            first = [c for c in cells if c["row"] == rows[0]][0]
            third = [c for c in cells if c["row"] == rows[2] and c["column"] == first["column"]][0]
            check(not selected_rows(driver, 1), "nothing is highlighted in the linked table at first")
            click_at(driver, *centre(first))
            click_at(driver, *centre(third), shift=True)
            check(len(selected_rows(driver, 0)) == 3,
                  "a click and a Shift-click select three rows (%s)" % selected_rows(driver, 0))
            # The linked table is sorted otherwise and scrolls: the rows it
            # highlights are the same orders, wherever they lie and as far
            # as its window shows them.
            linked = selected_rows(driver, 1)
            check(1 <= len(linked) <= 3, "the linked table highlights the same rows (its rows %s)" % linked)
            frame_image(driver).save(os.path.join(out, "viewer-linked.png"))


def crosstab_expands(orvane, out):
    """A tap on a crosstab member's expand button adds its children."""
    report = "examples/crosstab/crosstab-report.xml"
    with served(orvane, report, 1024, 800) as driver:
        members = [c for c in aria(driver) if c["role"] == "rowheader" and c["expanded"] == 0]
        check(members, "the crosstab's collapsed members are in the ARIA grid with aria-expanded")
        if members:
            before = len([c for c in aria(driver) if c["role"] == "rowheader"])
            rows_before = grid_attribute(driver, 0, "aria-rowcount")
            x, y, w, h = members[0]["bounds"]
            # The expand button sits at the start of the member's header.
            click_at(driver, x + 13, y + h / 2.0)
            after = len([c for c in aria(driver) if c["role"] == "rowheader"])
            rows_after = grid_attribute(driver, 0, "aria-rowcount")
            check(after > before and rows_after > rows_before,
                  "expanding %s adds its children (%d to %d row headers, aria-rowcount %s to %s)" %
                  (members[0]["label"], before, after, rows_before, rows_after))
            expanded = [c for c in aria(driver) if c["role"] == "rowheader" and c["expanded"] == 1]
            check(expanded, "the member says it is expanded (aria-expanded)")
            frame_image(driver).save(os.path.join(out, "viewer-crosstab-expanded.png"))


def range_slider_filters(orvane, out):
    """Dragging a range slider's thumb filters the table below it."""
    report = "examples/prompts/prompts-report.xml"
    slider = layout_of(orvane, report, "prompt range")
    # The window shows the whole page: the prompts, the table and the crosstab.
    with served(orvane, report, 1024, 1900) as driver:
        check(slider is not None, "the prompts report has a range slider")
        data_rows = sorted({c["row"] for c in aria(driver, 0) if c["role"] == "gridcell"})
        check(data_rows, "the filtered table has an ARIA grid")
        check(not selected_rows(driver, 0), "with the whole range no row is marked")
        if slider and data_rows:
            x, y, w, h = slider
            # The upper thumb rests at the track's right end, 28 pixels down.
            drag(driver, x + w - 8, y + 28, -w / 2.0, 0)
            wait_for(driver, "return window.orvaneViewer.aria.some(function (c) { return c.selected; })", 30)
            marked = selected_rows(driver, 0)
            check(0 < len(marked) < len(data_rows),
                  "dragging the upper thumb filters the table: %d of %d rows marked" % (len(marked), len(data_rows)))
            years = [int(m.group(1)) for c in aria(driver, 0) if c["selected"]
                     for m in [re.search(r"Year = (\d{4})", c["label"])] if m]
            check(years and max(years) < 2024, "the marked rows are the years left in the range (%s)" %
                  sorted(set(years)))
            frame_image(driver).save(os.path.join(out, "viewer-range.png"))


def wheel_and_keys(orvane, out):
    """The wheel scrolls a large table and aria-rowindex follows; arrow keys
    move the library's focus and the live region speaks its labels."""
    report = "examples/table/scrolling-table.xml"
    with served(orvane, report, 1024, 600) as driver:
        top = first_row_index(driver)
        check(top is not None, "the large table has an ARIA grid (first row %s)" % top)
        cells = [c for c in aria(driver, 0) if c["role"] == "gridcell"]
        if top is not None and cells:
            svg = driver.find_element(By.CSS_SELECTOR, "#frame svg")
            x, y = centre(cells[0])
            answered = replies(driver)
            driver.execute_script("""
                var svg = arguments[0], r = svg.getBoundingClientRect();
                svg.parentNode.dispatchEvent(new WheelEvent('wheel', {clientX: r.left + arguments[1],
                    clientY: r.top + arguments[2], deltaY: 200, bubbles: true, cancelable: true}));""", svg, x, y)
            settle(driver, answered)
            scrolled = first_row_index(driver)
            check(scrolled is not None and scrolled > top,
                  "a wheel scroll changes the first row's aria-rowindex (%s to %s)" % (top, scrolled))
            frame_image(driver).save(os.path.join(out, "viewer-wheel.png"))

            # The page's focus in the grid is the library's: an arrow walks it.
            driver.execute_script("document.querySelector('#grids .aria-cell[role=gridcell]').focus()")
            wait_for(driver, "return document.activeElement && document.activeElement.classList.contains('aria-cell')"
                             " && window.orvaneViewer.spokenKey", 30)
            wait_for(driver, IDLE, 30)
            first = driver.execute_script("return window.orvaneViewer.spokenKey")
            spoken = driver.execute_script("return document.getElementById('live').textContent")
            answered = replies(driver)
            ActionChains(driver).send_keys(Keys.ARROW_DOWN).perform()
            settle(driver, answered)
            wait_for(driver, "return window.orvaneViewer.spokenKey !== %r" % first, 30)
            moved = driver.execute_script("return window.orvaneViewer.spokenKey")
            active = driver.execute_script("return document.activeElement.dataset.key")
            check(moved != first and active == moved,
                  "an arrow key moves the library's focus and the page's with it (%s to %s)" % (first, moved))
            now = driver.execute_script("return document.getElementById('live').textContent")
            label = driver.execute_script("return document.activeElement.textContent")
            check(now and now != spoken and now.startswith(label),
                  "the live region speaks the focused cell's label (%r)" % now)
            # Walking far past the window pages the table: the focus stays in the grid.
            for _ in range(15):
                answered = replies(driver)
                ActionChains(driver).send_keys(Keys.ARROW_DOWN).perform()
                settle(driver, answered)
            check(first_row_index(driver) > scrolled, "walking down past the window scrolls the table")
            check(driver.execute_script("return document.activeElement.dataset.key") ==
                  driver.execute_script("return window.orvaneViewer.spokenKey"),
                  "the page's focus follows the library's into the new window")


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
        check(handled and after > before, "a click on a column header sorts the table (a new frame)")
        check([c for c in aria(driver, 0) if c["role"] == "columnheader" and c["sort"]],
              "the sorted column says so (aria-sort)")
        frame_image(driver).save(os.path.join(args.out, "viewer-sorted.png"))
        click_at(driver, x + 40, y + 45)
        b2, a2, h2 = click_at(driver, x + 40, y + 95, shift=True)
        check(h2 and a2 > b2, "Shift-click selects a range of rows")
        check(len(selected_rows(driver, 0)) >= 2, "the selected rows are aria-selected (%s)" %
              selected_rows(driver, 0))
        check(grid_matches_server(driver), "the grid the page built from the cells that changed is the server's")
        frame_image(driver).save(os.path.join(args.out, "viewer-selected.png"))

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
        open_page(driver, server)
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
        # The frame's number is known before the frame is painted: wait for
        # the picture itself.
        check(open_page(phone, server), "the page shows a frame at 320 pixels")
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
    linked_tables(args.orvane, args.out)
    crosstab_expands(args.orvane, args.out)
    range_slider_filters(args.orvane, args.out)
    wheel_and_keys(args.orvane, args.out)
    two_crosstabs(args.orvane, args.out)
    print("%d failure(s)" % len(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
