#!/usr/bin/env python3
"""The browser build in headless Chromium, played as a player plays it: the menus, the
settings, the manual the Website button opens in a new tab, a game steered, paused,
resumed and left, a one-level game played to its end with a high score and a name, a
reload that must keep the setting and the score; then the faults: storage refused, the
data missing, the tab hidden. At each screen the canvas's own 640 x 480 pixels are
compared with the headless runner's picture of the same screen (tools/shotcheck: 20 x 20
blocks, 90 % must match, so animated parts may differ). A console error or an uncaught
exception fails the step it comes in. The pictures stay in the work folder, so a failed
run can be looked at.

Usage: web_check.py --web build/web --runner RUNNER --shotcheck SHOTCHECK
                    --data Rondelix.qxa --work FOLDER"""

import argparse
import os
import re
import shutil
import subprocess
import sys
import time

import browser

# Points of the 640 x 480 picture (content/data/ui/...), as the wine check clicks them.
SETTINGS_BUTTON = (330, 352)
HINTS_SWITCH = (432, 280)
SETTINGS_DONE = (320, 340)
PLAY_BUTTON = (320, 162)
MAKE_LEVELS_BUTTON = (320, 238)
WEBSITE_BUTTON = (320, 390)
FIRST_CELL = (44, 44)
QUIT_GAME_YES = (260, 270)
POINTER_AWAY = (560, 410)
NAME = "webster"  # lower case: the runner types letters unshifted
# A level on which a player who does nothing loses every ball within half a minute.
ENDING_LEVEL = "level23"


class Failure(Exception):
    pass


def registry_without_hints():
    return ("K\tHKEY_CURRENT_USER\nK\tHKEY_CURRENT_USER\\\\Software\n"
            "K\tHKEY_CURRENT_USER\\\\Software\\\\Quillfern Studio\n"
            "K\tHKEY_CURRENT_USER\\\\Software\\\\Quillfern Studio\\\\Rondelix\n"
            "U\tFull Screen\t0\nU\tMusic On\t1\nS\tLast Highscore Name\t\nU\tShow Hints\t0\n")


def references(args, refs):
    """The runner's pictures of each screen the browser must show (frames of 20 ms)."""
    os.makedirs(refs, exist_ok=True)
    data = os.path.join(refs, "data")
    os.makedirs(data, exist_ok=True)
    shutil.copy(args.data, data)
    def click(frame, point):
        return "%d move %d %d\n%d down\n%d up\n" % (frame, *point, frame + 1, frame + 2)
    menus = ("1 move %d %d\n" % POINTER_AWAY + click(460, SETTINGS_BUTTON) +
             click(540, HINTS_SWITCH) + click(580, SETTINGS_DONE) + click(660, PLAY_BUTTON) +
             "920 key Escape\n")
    with open(os.path.join(refs, "menus.txt"), "w") as script:
        script.write(menus)
    shots = {450: "menu", 530: "settings", 570: "settings-no-hints", 900: "game",
             960: "quit-game"}
    run_runner(args, refs, "menus", 970, shots)
    # The level editor: a right click takes the first cell's floor off, Ctrl+Z (the
    # control character 26) puts it back.
    with open(os.path.join(refs, "editor.txt"), "w") as script:
        script.write("1 move %d %d\n" % POINTER_AWAY + click(450, MAKE_LEVELS_BUTTON) +
                     "453 move %d %d\n530 move %d %d\n531 rdown\n532 rup\n560 char 26\n" %
                     (*POINTER_AWAY, *FIRST_CELL))
    run_runner(args, refs, "editor", 580,
               {520: "editor", 550: "editor-erased", 575: "editor-undone"})
    # The one-level game's end, with hints off as the browser has them by then.
    home = os.path.join(refs, "home-ending")
    os.makedirs(home, exist_ok=True)
    with open(os.path.join(home, "registry.txt"), "w") as registry:
        registry.write(registry_without_hints())
    with open(os.path.join(refs, "ending.txt"), "w") as script:
        script.write("1 move %d %d\n1100 key Enter\n" % POINTER_AWAY)
        for i, letter in enumerate(NAME):
            script.write("%d key %s\n" % (1500 + 2 * i, letter.upper()))
        script.write("%d key Enter\n" % (1500 + 2 * len(NAME)))
    level = os.path.join(refs, ENDING_LEVEL + ".lvl")
    with open(level, "wb") as out:
        out.write(level_bytes(args))
    run_runner(args, refs, "ending", 1610, {1490: "name-entry", 1600: "high-scores"}, home,
               level)


def level_bytes(args):
    """The ending level, as the content build staged it beside the archive."""
    staged = os.path.join(os.path.dirname(os.path.abspath(args.data)), "content-stage",
                          "levels", ENDING_LEVEL + ".lvl")
    with open(staged, "rb") as level:
        return level.read()


def run_runner(args, refs, name, frames, shots, home=None, level=None):
    command = [args.runner, "--data", os.path.join(refs, "data"),
               "--home", home or os.path.join(refs, "home-" + name), "--dt", "20",
               "--frames", str(frames), "--input", os.path.join(refs, name + ".txt")]
    if level:
        command += ["--level", level]
    for frame, shot in shots.items():
        command += ["--shot", "%d:%s" % (frame, os.path.join(refs, shot + ".png"))]
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL)


class Check:
    def __init__(self, args, url):
        self.args = args
        self.url = url
        self.shots = os.path.join(args.work, "shots")
        self.refs = os.path.join(args.work, "refs")
        os.makedirs(self.shots, exist_ok=True)
        self.step = 0

    def say(self, text):
        print("web-check: " + text, flush=True)

    def console_clean(self, page, where):
        """Fails on a console error or an uncaught exception since the last look."""
        for entry in page.driver.get_log("browser"):
            if entry["level"] == "SEVERE":
                raise Failure("%s: the console has an error: %s" % (where, entry["message"]))

    def expect_screen(self, page, name, reference, seconds=30, region=None):
        """Waits until the canvas shows the reference screen (or that part of it)."""
        self.step += 1
        shot = os.path.join(self.shots, "%02d-%s.png" % (self.step, name))
        end = time.time() + seconds
        extra = ["--region", region] if region else []
        while True:
            page.canvas_png(shot)
            result = subprocess.run([self.args.shotcheck, shot,
                                     os.path.join(self.refs, reference + ".png")] + extra,
                                    capture_output=True, text=True)
            if result.returncode == 0:
                self.say("%s shows the %s screen" % (name, reference))
                self.console_clean(page, name)
                return
            if time.time() > end:
                raise Failure("%s does not show the %s screen: %s" %
                              (name, reference, result.stdout.strip() or result.stderr.strip()))
            time.sleep(0.5)

    def expect_state(self, page, key, value, seconds=20):
        end = time.time() + seconds
        while page.report().get(key) != value:
            if time.time() > end:
                raise Failure("the game's %s is not %s: %s" % (key, value, page.report()))
            time.sleep(0.05)
        self.console_clean(page, "%s %s" % (key, value))

    def play(self):
        profile = os.path.join(self.args.work, "profile")
        shutil.rmtree(profile, ignore_errors=True)
        driver = browser.chromium(profile)
        try:
            page = browser.Page(driver, self.url)
            page.first_picture()
            page.wait_scene("PyxMainMenu", 60)
            page.click(*POINTER_AWAY)
            self.expect_screen(page, "menu", "menu")
            page.click(*SETTINGS_BUTTON)
            self.expect_screen(page, "settings", "settings")
            page.click(*HINTS_SWITCH)
            self.expect_screen(page, "settings-no-hints", "settings-no-hints")
            page.click(*SETTINGS_DONE)
            self.expect_screen(page, "menu-again", "menu")
            if "U\tShow Hints\t0" not in page.registry():
                raise Failure("the switched setting was not saved: " + page.registry())
            self.manual(page)

            page.click(*PLAY_BUTTON)
            self.expect_screen(page, "game", "game", 60)
            time.sleep(2)  # the claw lowers the ball onto the board
            for key in ("Right", "Up", "Left", "Down"):
                page.key(key, 0.6)
            page.key("p")
            self.expect_state(page, "state", "Paused")
            page.key("p")
            self.expect_state(page, "state", "Playing")
            page.key("Escape")
            self.expect_screen(page, "quit-game", "quit-game")
            page.click(*QUIT_GAME_YES)
            page.click(*POINTER_AWAY)
            self.expect_screen(page, "menu-after-game", "menu")
            self.editor(page)

            driver.get(self.url + "?level=" + ENDING_LEVEL)
            self.expect_state(page, "state", "GameEnding", 120)
            # "Game Over! Click OK to proceed to the high scores." comes a moment later.
            end = time.time() + 30
            while page.report().get("scene") != "PyxHighScores":
                if time.time() > end:
                    raise Failure("the game over did not lead to the high scores")
                page.key("Enter")
                time.sleep(1)
            page.click(*POINTER_AWAY)
            self.expect_screen(page, "name-entry", "name-entry")
            for letter in NAME:
                page.key(letter)
            page.key("Enter")
            self.wait_for_file(page, browser.SAVE + "Scores.rd", NAME)
            self.expect_screen(page, "high-scores", "high-scores")

            driver.get(self.url)  # the page again, without the level option
            page.first_picture()
            page.wait_scene("PyxMainMenu", 60)
            page.click(*POINTER_AWAY)
            self.expect_screen(page, "menu-after-reload", "menu")
            if "U\tShow Hints\t0" not in page.registry():
                raise Failure("the setting was not kept over a reload: " + page.registry())
            if NAME not in (page.read_file(browser.SAVE + "Scores.rd") or ""):
                raise Failure("the high score was not kept over a reload")
            self.say("the setting and the high score were kept over a reload")
            self.hidden_tab(page)
        finally:
            driver.quit()

    def manual(self, page):
        """The Website button opens the manual served beside the game in a new tab."""
        game_tab = page.driver.current_window_handle
        page.click(*WEBSITE_BUTTON)
        end = time.time() + 10
        while len(page.driver.window_handles) < 2:
            if time.time() > end:
                raise Failure("the Website button opened no tab")
            time.sleep(0.1)
        manual_tab = [tab for tab in page.driver.window_handles if tab != game_tab][0]
        page.driver.switch_to.window(manual_tab)
        page.wait("document.readyState == 'complete'", 10, "the manual")
        url, title = page.driver.current_url, page.driver.title
        if not url.endswith("/manual.html") or "manual" not in title:
            raise Failure("the Website button opened %s (%s), not the manual" % (url, title))
        self.step += 1
        page.page_png(os.path.join(self.shots, "%02d-manual.png" % self.step))
        page.driver.close()
        page.driver.switch_to.window(game_tab)
        self.say("the Website button opened the manual in a new tab")
        self.expect_state(page, "scene", "PyxMainMenu")

    def editor(self, page):
        """The page hands the editor the right button (no menu of the browser's) and
        Ctrl+Z (no undo of the browser's)."""
        page.click(*MAKE_LEVELS_BUTTON)
        page.click(*POINTER_AWAY, button="move")
        self.expect_screen(page, "editor", "editor", 30, "16,16,448,420")
        page.click(*FIRST_CELL, button="right")
        self.expect_screen(page, "editor-erased", "editor-erased", 10, "16,16,56,56")
        page.chord(browser.Keys.CONTROL, "z")
        self.expect_screen(page, "editor-undone", "editor-undone", 10, "16,16,56,56")
        page.key("Escape")
        self.expect_state(page, "scene", "PyxMainMenu")

    def wait_for_file(self, page, path, text, seconds=20):
        end = time.time() + seconds
        while text not in (page.read_file(path) or ""):
            if time.time() > end:
                raise Failure("%s does not hold %s" % (path, text))
            time.sleep(0.1)

    def hidden_tab(self, page):
        """A hidden tab pauses the game as a focus loss does, and its frames stop."""
        page.click(*PLAY_BUTTON)
        self.expect_state(page, "state", "Playing", 30)
        time.sleep(1)
        page.driver.minimize_window()
        time.sleep(0.5)
        if not page.js("return document.hidden;"):
            raise Failure("the minimised window's page is not hidden")
        before = page.frames()
        time.sleep(2)
        stopped = page.frames() - before
        page.driver.maximize_window()
        time.sleep(0.5)
        if stopped > 1:
            raise Failure("%d frames ran while the tab was hidden" % stopped)
        self.expect_state(page, "state", "Paused")
        before = page.frames()
        time.sleep(1)
        if page.frames() - before < 50:
            raise Failure("the frames did not come back with the tab")
        self.say("a hidden tab stops the frames and pauses the game; they come back with it")
        self.console_clean(page, "hidden tab")

    def storage_refused(self):
        """A profile that blocks site data: the game runs and says so once."""
        profile = os.path.join(self.args.work, "profile-blocked")
        shutil.rmtree(profile, ignore_errors=True)
        os.makedirs(os.path.join(profile, "Default"))
        with open(os.path.join(profile, "Default", "Preferences"), "w") as preferences:
            preferences.write('{"profile":{"default_content_setting_values":{"cookies":2}}}')
        driver = browser.chromium(profile)
        try:
            page = browser.Page(driver, self.url)
            page.first_picture()
            page.wait_scene("PyxMainMenu", 60)
            notice = page.js("return document.getElementById('notice').innerText;")
            if "will not be kept" not in notice:
                raise Failure("no notice that nothing will be kept: %r" % notice)
            if page.log().count("Storage - ") != 1:
                raise Failure("the log does not say once that nothing is kept: " + page.log())
            page.click(*POINTER_AWAY)
            self.expect_screen(page, "refused-menu", "menu")
            self.say("storage refused: the game runs and says once: " + notice)
        finally:
            driver.quit()

    def data_missing(self, url):
        profile = os.path.join(self.args.work, "profile-nodata")
        shutil.rmtree(profile, ignore_errors=True)
        driver = browser.chromium(profile)
        try:
            page = browser.Page(driver, url)
            end = time.time() + 30
            while not page.problem():
                if time.time() > end:
                    raise Failure("no message on the page without its data")
                time.sleep(0.1)
            if "could not be downloaded" not in page.problem():
                raise Failure("the page's message does not say the data is missing: "
                              + page.problem())
            page.page_png(os.path.join(self.shots, "data-missing-page.png"))
            self.say("the data missing: " + page.problem().splitlines()[0])
        finally:
            driver.quit()


class Server:
    """serve-web.py on a free port of 127.0.0.1, stopped when done."""

    def __init__(self, folder):
        script = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..",
                              "scripts", "serve-web.py")
        self.process = subprocess.Popen([sys.executable, script, folder, "0", "-q"],
                                        stdout=subprocess.PIPE, text=True)
        line = self.process.stdout.readline()
        match = re.search(r"http://127\.0\.0\.1:\d+/", line)
        if not match:
            self.stop()
            raise Failure("the server did not start: " + line)
        self.url = match.group(0)

    def stop(self):
        self.process.terminate()
        self.process.wait(timeout=10)


def main():
    parser = argparse.ArgumentParser()
    for option in ("--web", "--runner", "--shotcheck", "--data", "--work"):
        parser.add_argument(option, required=True)
    args = parser.parse_args()
    started = time.time()
    shutil.rmtree(args.work, ignore_errors=True)
    os.makedirs(args.work)
    references(args, os.path.join(args.work, "refs"))
    # The same page without its data.
    nodata = os.path.join(args.work, "nodata")
    os.makedirs(nodata)
    for name in os.listdir(args.web):
        if name != "rondelix.data" and os.path.isfile(os.path.join(args.web, name)):
            shutil.copy(os.path.join(args.web, name), nodata)
    server = Server(os.path.abspath(args.web))
    nodata_server = Server(nodata)
    check = Check(args, server.url)
    try:
        check.play()
        check.storage_refused()
        check.data_missing(nodata_server.url)
    except (Failure, AssertionError) as failure:
        print("web-check: FAILED: %s (pictures in %s)" % (failure, check.shots), flush=True)
        return 1
    finally:
        server.stop()
        nodata_server.stop()
    print("web-check: passed in %d s (pictures in %s)" % (time.time() - started, check.shots))
    return 0


if __name__ == "__main__":
    sys.exit(main())
