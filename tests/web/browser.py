"""Drives a page of the browser build in headless Chromium, as a user would: real mouse clicks
and key presses (WebDriver actions), and reads back what the page shows: the DOM, the console's
error lines and the accessibility tree that screen readers get.

Debian's chromium and chromium-driver through python3-selenium; nothing is fetched.

    with Browser() as browser:
        browser.open("build-web/tests/web_probe.html")
        browser.click(browser.find("dialog button"))
        browser.type("text\\n")
        browser.text("#result")
"""
import os
import pathlib
import shutil
import tempfile
import time

from selenium import webdriver
from selenium.common.exceptions import NoSuchElementException, StaleElementReferenceException
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By

CHROMIUM = "/usr/bin/chromium"
CHROMEDRIVER = "/usr/bin/chromedriver"
# How long a wait may take before what it waits for counts as never coming: a busy machine can
# take many seconds; what is missing never comes.
PATIENCE = 30.0


class Browser:
    """One headless Chromium with a fresh profile, closed and removed by close()."""

    def __init__(self, width=1024, height=768):
        self._profile = tempfile.mkdtemp(prefix="forms-chromium-")
        options = webdriver.ChromeOptions()
        options.binary_location = CHROMIUM
        for flag in ("--headless", "--disable-gpu", "--no-first-run", "--disable-background-networking",
                     "--disable-component-update", "--disable-sync", f"--user-data-dir={self._profile}",
                     f"--window-size={width},{height}"):
            options.add_argument(flag)
        if os.geteuid() == 0:
            # Chromium refuses to run as root inside its sandbox.
            options.add_argument("--no-sandbox")
        options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
        try:
            self.driver = webdriver.Chrome(service=Service(executable_path=CHROMEDRIVER), options=options)
        except Exception:
            shutil.rmtree(self._profile, ignore_errors=True)
            raise
        # A test's own script (making a text of megabytes for a paste) can take long on a busy
        # machine; its limit is for a script that never ends.
        self.driver.set_script_timeout(PATIENCE * 4)

    def close(self):
        try:
            self.driver.quit()
        finally:
            shutil.rmtree(self._profile, ignore_errors=True)

    def __enter__(self):
        return self

    def __exit__(self, *exception):
        self.close()

    # The page.

    def open(self, path):
        """Opens a file from disk (file://), as a user double-clicking it would."""
        self.driver.get(pathlib.Path(path).resolve().as_uri())

    def find(self, selector, timeout=PATIENCE):
        """The first element matching the CSS selector, waiting until it exists and is shown."""
        deadline = time.monotonic() + timeout
        while True:
            try:
                element = self.driver.find_element(By.CSS_SELECTOR, selector)
                if element.is_displayed():
                    return element
            except NoSuchElementException:
                pass
            if time.monotonic() > deadline:
                raise AssertionError(f"no element {selector!r} shown after {timeout} s")
            time.sleep(0.02)

    def wait_for(self, condition, timeout=PATIENCE, what="condition"):
        """Waits until condition() is true, returning its value."""
        deadline = time.monotonic() + timeout
        while True:
            value = condition()
            if value:
                return value
            if time.monotonic() > deadline:
                raise AssertionError(f"{what} not met after {timeout} s")
            time.sleep(0.02)

    def is_gone(self, element):
        """Whether the element has left the page."""
        try:
            return not self.script("return arguments[0].isConnected", element)
        except StaleElementReferenceException:
            return True

    def text(self, selector):
        return self.driver.find_element(By.CSS_SELECTOR, selector).text

    def script(self, code, *args):
        return self.driver.execute_script(code, *args)

    # Input: real pointer and keyboard events, through the browser's input pipeline.

    def click(self, element):
        ActionChains(self.driver).move_to_element(element).click().perform()

    def type(self, keys):
        """Key presses into whatever has the focus; "\\n" is Enter, "\\ue00c" Escape."""
        ActionChains(self.driver).send_keys(keys).perform()

    # What else the page tells.

    def console_errors(self):
        """The console's error lines since the last call (console.error and uncaught errors)."""
        return [entry["message"] for entry in self.driver.get_log("browser") if entry["level"] == "SEVERE"]

    def accessibility_tree(self):
        """The page's accessibility tree as Chromium gives it to assistive technology: a list of
        {"role": ..., "name": ..., "ignored": ...} for every node."""
        nodes = self.driver.execute_cdp_cmd("Accessibility.getFullAXTree", {})["nodes"]
        return [{"role": node.get("role", {}).get("value"), "name": node.get("name", {}).get("value"),
                 "ignored": node.get("ignored", False)} for node in nodes]
