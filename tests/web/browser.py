"""Drives the browser build in headless Chromium (Debian's chromium, chromium-driver and
python3-selenium): key presses and clicks in the game's own picture pixels, the canvas
read back as PNG, the player's files read from the page, the console collected."""

import base64
import json
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys

KEYS = {
    "Enter": Keys.ENTER, "Escape": Keys.ESCAPE, "Space": Keys.SPACE, "Tab": Keys.TAB,
    "Left": Keys.ARROW_LEFT, "Right": Keys.ARROW_RIGHT, "Up": Keys.ARROW_UP,
    "Down": Keys.ARROW_DOWN, "F7": Keys.F7, "Backspace": Keys.BACKSPACE,
}

SAVE = "/save/Quillfern Studio/Rondelix/"


def chromium(profile, extra=()):
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for argument in ("--headless=new", "--no-sandbox", "--disable-gpu",
                     "--window-size=1024,800", "--autoplay-policy=no-user-gesture-required",
                     "--user-data-dir=" + profile, *extra):
        options.add_argument(argument)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)


class Page:
    def __init__(self, driver, url):
        self.driver = driver
        self.console = []
        self.started = time.time()
        driver.get(url)

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def collect_console(self):
        self.console += self.driver.get_log("browser")
        return self.console

    def wait(self, condition, seconds, what):
        end = time.time() + seconds
        while time.time() < end:
            value = self.js("return " + condition)
            if value:
                return value
            time.sleep(0.05)
        raise AssertionError("timed out waiting for " + what)

    def first_picture(self):
        return self.wait("window.rondelixTimes && window.rondelixTimes.firstPicture", 30,
                         "the first picture")

    def problem(self):
        return self.js("var p = document.getElementById('problem');"
                       "return p.style.display == 'block' ? p.innerText : '';")

    def key(self, name, hold=0.0):
        key = KEYS.get(name, name)
        chain = ActionChains(self.driver).key_down(key)
        if hold:
            chain = chain.pause(hold)
        chain.key_up(key).perform()

    def click(self, x, y, button="left"):
        """Clicks the picture pixel (x, y) wherever the page has scaled the canvas to
        (button "right", or "move" to only move the pointer there)."""
        box = self.js("var r = document.getElementById('canvas').getBoundingClientRect();"
                      "return [r.width, r.height];")
        dx = int(x * box[0] / 640 - box[0] / 2)
        dy = int(y * box[1] / 480 - box[1] / 2)
        canvas = self.driver.find_element("id", "canvas")
        chain = ActionChains(self.driver).move_to_element_with_offset(canvas, dx, dy)
        if button == "right":
            chain.context_click().perform()
        elif button == "move":
            chain.perform()
        else:
            chain.pause(0.05).click().perform()

    def chord(self, modifier, key):
        """A key pressed while a modifier is held, such as Ctrl+Z."""
        ActionChains(self.driver).key_down(modifier).send_keys(key).key_up(modifier).perform()

    def canvas_png(self, path):
        data = self.js("return document.getElementById('canvas').toDataURL('image/png')"
                       ".split(',')[1];")
        with open(path, "wb") as out:
            out.write(base64.b64decode(data))

    def page_png(self, path):
        self.driver.save_screenshot(path)

    def read_file(self, path):
        """A file of the page's file system as text, or None."""
        return self.js("try { return new TextDecoder().decode(Module.FS.readFile(arguments[0])); }"
                       " catch (e) { return null; }", path)

    def log(self):
        return self.read_file(SAVE + "log.txt") or ""

    def registry(self):
        return self.read_file("/save/registry.txt") or ""

    def report(self):
        """The game's own report (scene, state, level, score, lives, coins) as a dict."""
        text = self.js("return Module.rondelixReport || '';") or ""
        return dict(line.split("=", 1) for line in text.splitlines() if "=" in line)

    def frames(self):
        return self.js("return Module.rondelixFrames ? "
                       "Atomics.load(Module.HEAPU32, Module.rondelixFrames >> 2) : 0;")

    def wait_scene(self, scene, seconds=20):
        end = time.time() + seconds
        while time.time() < end:
            if self.report().get("scene") == scene:
                return
            time.sleep(0.05)
        raise AssertionError(f"timed out waiting for {scene}; the game shows {self.report()}")
