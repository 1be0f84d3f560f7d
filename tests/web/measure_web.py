#!/usr/bin/env python3
"""Measures the browser build in headless Chromium: the time from navigation to the
first picture and to the main menu, the game's frame intervals (dt) in a game, the
intervals between pictures put on the canvas, and the CPU the page's renderer process
takes in the main menu. Figures, not a test: nothing here fails on a slow machine.

Usage: measure_web.py URL [SECONDS] [RUNS]"""

import os
import shutil
import sys
import tempfile
import time

import browser


def percentiles(values):
    values = sorted(values)
    if not values:
        return "no samples"
    at = lambda share: values[min(len(values) - 1, int(share * len(values)))]
    return "n %d p50 %.2f p99 %.2f max %.2f ms" % (len(values), at(0.5), at(0.99), values[-1])


def frame_times(page):
    """The game's frame count and the start times of its last frames."""
    last = page.frames()
    times = page.js("var t = Module.rondelixFrameTimes;"
                    "return Array.from(Module.HEAPF64.subarray(t.address >> 3,"
                    " (t.address >> 3) + t.count));")
    return last, times


def frame_intervals(first, last, times):
    count = len(times)
    first = max(first + 1, last - count + 2)
    starts = [times[f % count] for f in range(first, last + 1)]
    return [b - a for a, b in zip(starts, starts[1:])]


def presented_intervals(shown):
    return [b - a for a, b in zip(shown, shown[1:])]


def stretch(page, driver, seconds, steer):
    """Frame intervals, picture intervals and CPU shares over a stretch of play."""
    root = driver.service.process.pid
    first = page.frames()
    page.js("Module.rondelixPresented = [];")
    before = browser_processes(root)
    end = time.time() + seconds
    turn = 0
    while time.time() < end:
        if steer:
            page.key(("Left", "Up", "Right", "Down")[turn % 4], 0.6)
            turn += 1
        else:
            time.sleep(0.5)
    after = browser_processes(root)
    last, times = frame_times(page)
    shown = page.js("var p = Module.rondelixPresented; Module.rondelixPresented = null; return p;")
    used = {pid: after[pid][1] - before[pid][1] for pid in after if pid in before}
    renderer = max([used[pid] for pid in used if after[pid][0]] or [0.0])
    return (frame_intervals(first, last, times), presented_intervals(shown),
            100.0 * renderer / seconds, 100.0 * sum(used.values()) / seconds)


def browser_processes(root):
    """{pid: (is a renderer, CPU seconds)} of every process below root."""
    parents, found = {}, {}
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open("/proc/%s/stat" % entry) as stat:
                fields = stat.read().rsplit(")", 1)[1].split()
            with open("/proc/%s/cmdline" % entry, "rb") as cmdline:
                renderer = b"--type=renderer" in cmdline.read()
        except OSError:
            continue
        parents[int(entry)] = int(fields[1])
        ticks = int(fields[11]) + int(fields[12])
        found[int(entry)] = (renderer, ticks / os.sysconf("SC_CLK_TCK"))
    def below(pid):
        while pid in parents:
            if parents[pid] == root:
                return True
            pid = parents[pid]
        return False
    return {pid: found[pid] for pid in found if below(pid)}


def report(where, frames, shown, renderer, total):
    print("%s: frame intervals (dt) %s" % (where, percentiles(frames)))
    print("%s: pictures shown %s" % (where, percentiles(shown)))
    print("%s: renderer CPU %.1f %% of a core, browser in all %.1f %%" % (where, renderer, total),
          flush=True)


def run(url, seconds):
    profile = tempfile.mkdtemp(prefix="rondelix-measure-")
    driver = browser.chromium(profile)
    try:
        page = browser.Page(driver, url)
        page.first_picture()
        page.wait_scene("PyxMainMenu", 60)
        times = page.js("return rondelixTimes;")
        print("navigation to first picture %.0f ms, to main menu %.0f ms"
              % (times["firstPicture"], times["scenes"]["PyxMainMenu"]))
        time.sleep(2)
        page.click(600, 300)  # the pointer away from the buttons
        report("main menu", *stretch(page, driver, seconds, False))
        # Hints off (the settings' third switch), so that no hint holds the game still.
        for point in ((330, 352), (432, 280), (320, 340)):
            page.click(*point)
            time.sleep(1.5)
        driver.get(url.rstrip("/") + "/?level=level05")
        page.wait_scene("PyxStdGame", 60)
        time.sleep(5)  # the claw lets the ball go
        report("game", *stretch(page, driver, seconds, True))
    finally:
        driver.quit()
        shutil.rmtree(profile, ignore_errors=True)


def main():
    url = sys.argv[1]
    seconds = float(sys.argv[2]) if len(sys.argv) > 2 else 20
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 3
    for number in range(1, runs + 1):
        print("run %d" % number, flush=True)
        run(url, seconds)


if __name__ == "__main__":
    main()
