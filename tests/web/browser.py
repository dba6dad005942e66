"""Drives a page of the browser build as a user would: real mouse clicks and key presses, and
reads back what the page shows: the DOM, the console's error lines and (in Chromium) the
accessibility tree that screen readers get.

Three engines, all from Debian; nothing is fetched:
- Browser: headless Chromium, through chromium-driver and python3-selenium;
- open_browser("firefox"): Firefox ESR, headed on a private X display, driven over WebDriver BiDi
  (its own websocket, python3-websocket), as Debian has no geckodriver;
- open_browser("webkit"): WebKitGTK's MiniBrowser, headed on a private X display, through
  webkit2gtk-driver and python3-selenium.

    with Browser() as browser:
        browser.open("build-web/tests/web_probe.html")
        browser.click(browser.find("dialog button"))
        browser.type("text\\n")
        browser.text("#result")

What every engine answers alike (open, script, wait_for, click_at, type, press_with_control,
hold_enter, close) is what tests meant for all three may use.
"""
import json
import os
import pathlib
import re
import select
import shutil
import socket
import subprocess
import tempfile
import threading
import time
import urllib.request

from selenium import webdriver
from selenium.common.exceptions import NoSuchElementException, StaleElementReferenceException
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.actions.action_builder import ActionBuilder
from selenium.webdriver.common.by import By

CONTROL = "\ue009"
ENTER = "\ue007"
CHROMIUM = "/usr/bin/chromium"
CHROMEDRIVER = "/usr/bin/chromedriver"
# How long a wait may take before what it waits for counts as never coming: a busy machine can
# take many seconds; what is missing never comes. FORMS_TEST_PATIENCE changes it, as for the
# desktop tests.
PATIENCE = float(os.environ.get("FORMS_TEST_PATIENCE", "30"))


def wait_until(condition, what, timeout=PATIENCE):
    """Waits until condition() is true, returning its value; after timeout seconds fails naming
    what never came."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError(f"{what} after {timeout:g} s")
        time.sleep(0.05)


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
        return wait_until(condition, f"{what} not met", timeout)

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

    def click_at(self, x, y):
        """A click at a point of the page's viewport (CSS pixels)."""
        actions = ActionBuilder(self.driver)
        actions.pointer_action.move_to_location(int(x), int(y)).click()
        actions.perform()

    def press_with_control(self, key):
        ActionChains(self.driver).key_down(CONTROL).send_keys(key).key_up(CONTROL).perform()

    def hold_enter(self, seen, repeats=3):
        """Enter held down: its first press, the key-downs the keyboard repeats, then its release.
        seen() tells how many Enter key-downs the page has had; each press waits for the one before."""
        def enter(kind, repeat=False):
            self.driver.execute_cdp_cmd("Input.dispatchKeyEvent", {
                "type": kind, "key": "Enter", "code": "Enter", "windowsVirtualKeyCode": 13,
                "autoRepeat": repeat, "text": "\r" if kind == "keyDown" else ""})
        _hold(lambda press: enter("keyDown", repeat=press > 0), lambda: enter("keyUp"), seen, repeats)

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


def window_look(browser):
    """[whether the window's colour stands out from the default face by a visible step, whether
    a button's caption is opaque and dark]: what every engine must show alike."""
    return browser.script("""
        const rgba = (selector, property) => getComputedStyle(document.querySelector(selector))[property]
            .match(/[0-9.]+/g).map(Number).concat(1).slice(0, 4);
        const face = rgba('.forms-window', 'backgroundColor'), shown = rgba('.forms-client', 'backgroundColor');
        const caption = rgba('.forms-button', 'color');
        return [Math.max(...[0, 1, 2].map((i) => Math.abs(face[i] - shown[i]))) >= 32,
                caption[3] === 1 && Math.max(...caption.slice(0, 3)) <= 64];""")


def _hold(press, release, seen, repeats):
    """Presses (press(n) for the n-th time, 0 first) until the page has seen 1 + repeats
    key-downs, waiting for each before the next, as quick repeats may be merged; then release()."""
    before = seen()
    try:
        for count in range(1 + repeats):
            press(count)
            wait_until(lambda: seen() > before + count, f"key-down {count + 1} of a held key never reached the page")
    finally:
        release()


# The headed engines: a private X display with a window manager, and keys from the X server.


class XDisplay:
    """A virtual X display of its own with a window manager on it, both ended by close(). Firefox
    gives a page the keyboard's focus only in a window a window manager has focused, and WebKitGTK
    takes a held key only from the X server."""

    def __init__(self, width=1280, height=1024):
        self._processes = []
        read, write = os.pipe()
        try:
            self._processes.append(subprocess.Popen(
                ["Xvfb", "-displayfd", str(write), "-screen", "0", f"{width}x{height}x24", "-nolisten", "tcp",
                 # never reset: a server resetting after its last client refuses the next one
                 "-noreset"],
                pass_fds=(write,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
            os.close(write)
            write = None
            # Xvfb writes the display's number once it accepts clients.
            number = b""
            deadline = time.monotonic() + PATIENCE
            while not number.endswith(b"\n"):
                ready, _, _ = select.select([read], [], [], max(0, deadline - time.monotonic()))
                chunk = os.read(read, 16) if ready else b""
                if not chunk:
                    raise AssertionError(f"no X display from Xvfb after {PATIENCE:g} s")
                number += chunk
            self.name = f":{number.decode().strip()}"
            self.env = dict(os.environ, DISPLAY=self.name)
            for name in ("WAYLAND_DISPLAY", "QT_QPA_PLATFORM"):
                self.env.pop(name, None)
            self._processes.append(subprocess.Popen(["openbox", "--sm-disable"], env=self.env,
                                                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
            wait_until(lambda: self.run("wmctrl", "-m").returncode == 0, f"no window manager on {self.name}")
        except BaseException:
            self.close()
            raise
        finally:
            os.close(read)
            if write is not None:
                os.close(write)

    def run(self, *command):
        return subprocess.run(command, env=self.env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)

    def key(self, direction, key):
        """A key pressed ("keydown") or released ("keyup") through the X server, to whichever
        window has the focus."""
        self.run("xdotool", direction, key)

    def close(self):
        for process in reversed(self._processes):
            process.terminate()
            try:
                process.wait(10)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()
        self._processes = []


class _Headed:
    """What the headed engines share: the display, waits, and Enter held through the X server."""

    def wait_for(self, condition, timeout=PATIENCE, what="condition"):
        return wait_until(condition, f"{what} not met", timeout)

    def wait_focused_window(self):
        wait_until(lambda: self.display.run("xdotool", "getwindowfocus").stdout.strip() not in ("", "0", "1"),
                   f"no window with the keyboard's focus on {self.display.name}")

    def hold_enter(self, seen, repeats=3):
        """Enter held down through the X server: pressed again while down, as a held key's
        auto-repeat does (the X server repeats no key of its test keyboard by itself), then
        released. seen() tells how many Enter key-downs the page has had."""
        self.wait_focused_window()
        _hold(lambda press: self.display.key("keydown", "Return"), lambda: self.display.key("keyup", "Return"),
              seen, repeats)

    def __enter__(self):
        return self

    def __exit__(self, *exception):
        self.close()


FIREFOX = "/usr/bin/firefox-esr"
# A profile that asks nothing on its first start and fetches nothing by itself.
FIREFOX_PREFERENCES = {
    "browser.shell.checkDefaultBrowser": False,
    "browser.startup.homepage_override.mstone": "ignore",
    "browser.startup.page": 0,
    "datareporting.policy.dataSubmissionEnabled": False,
    "toolkit.telemetry.reportingpolicy.firstRun": False,
    "app.update.disabledForTesting": True,
    "browser.aboutwelcome.enabled": False,
}


class FirefoxBrowser(_Headed):
    """Firefox ESR headed on its own X display, driven over WebDriver BiDi: a websocket Firefox
    opens itself (--remote-debugging-port), so no driver program is needed."""

    def __init__(self, width=1024, height=768):
        import websocket  # python3-websocket; only the Firefox tests need it
        self._profile = tempfile.mkdtemp(prefix="forms-firefox-")
        self.display = None
        self._process = None
        self._socket = None
        try:
            (pathlib.Path(self._profile) / "user.js").write_text("".join(
                f"user_pref({json.dumps(name)}, {json.dumps(value)});\n" for name, value in FIREFOX_PREFERENCES.items()))
            self.display = XDisplay()
            self._process = subprocess.Popen(
                [FIREFOX, "--no-remote", "--profile", self._profile, "--remote-debugging-port", "0",
                 "--width", str(width), "--height", str(height), "about:blank"],
                env=self.display.env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
            self._lines = []
            address = threading.Event()
            threading.Thread(target=self._read_stderr, args=(address,), daemon=True).start()
            if not address.wait(PATIENCE):
                raise AssertionError(f"Firefox never said where WebDriver BiDi listens after {PATIENCE:g} s: "
                                     + " | ".join(self._lines[-5:]))
            self._socket = websocket.create_connection(self._address + "/session", timeout=PATIENCE * 2,
                                                       suppress_origin=True)
            self._next = 0
            self._command("session.new", {"capabilities": {"alwaysMatch": {"unhandledPromptBehavior": "ignore"}}})
            # The first tab keeps the keyboard in its address bar, and pages opened there never
            # get the focus (document.hasFocus() stays false, Enter on a focused button does
            # nothing); a tab opened through WebDriver gives its page the focus, as a page a
            # user opens has it.
            first = self._command("browsingContext.getTree", {})["contexts"][0]["context"]
            self._context = self._command("browsingContext.create", {"type": "tab"})["context"]
            self._command("browsingContext.close", {"context": first})
        except BaseException:
            self.close()
            raise

    def _read_stderr(self, address):
        for line in self._process.stderr:
            self._lines.append(line.rstrip())
            found = re.search(r"WebDriver BiDi listening on (ws://\S+)", line)
            if found and not address.is_set():
                self._address = found.group(1)
                address.set()

    def _command(self, method, params):
        self._next += 1
        self._socket.send(json.dumps({"id": self._next, "method": method, "params": params}))
        while True:
            message = json.loads(self._socket.recv())
            if message.get("id") != self._next:  # an event, or the answer to an earlier command
                continue
            if message.get("type") == "error" or "error" in message:
                raise RuntimeError(f"{method}: {message.get('error')}: {message.get('message')}")
            return message["result"]

    def close(self):
        try:
            if self._socket:
                try:
                    self._command("browser.close", {})
                except Exception:
                    pass
                self._socket.close()
            elif self._process:
                self._process.terminate()  # it never took a session: nothing closes it
            if self._process:
                try:
                    self._process.wait(10)
                except subprocess.TimeoutExpired:
                    self._process.kill()
                    self._process.wait()
        finally:
            if self.display:
                self.display.close()
            shutil.rmtree(self._profile, ignore_errors=True)

    # The page.

    def open(self, path):
        self._command("browsingContext.navigate", {"context": self._context, "wait": "complete",
                                                   "url": pathlib.Path(path).resolve().as_uri()})

    def script(self, code, *args):
        """Runs code as a function's body with arguments (numbers, strings, booleans, None, lists)
        and gives back what it returns, as the other engines' execute_script does."""
        result = self._command("script.callFunction", {
            "functionDeclaration": f"async function() {{ {code} }}", "awaitPromise": True,
            "arguments": [_to_remote(arg) for arg in args], "target": {"context": self._context},
            "resultOwnership": "none"})
        if result["type"] == "exception":
            raise RuntimeError(f"script failed: {result['exceptionDetails'].get('text')}")
        return _from_remote(result["result"])

    # Input through WebDriver actions.

    def _actions(self, *sources):
        self._command("input.performActions", {"context": self._context, "actions": list(sources)})

    def click_at(self, x, y):
        self._actions({"type": "pointer", "id": "mouse", "parameters": {"pointerType": "mouse"}, "actions": [
            {"type": "pointerMove", "x": int(x), "y": int(y), "origin": "viewport"},
            {"type": "pointerDown", "button": 0}, {"type": "pointerUp", "button": 0}]})

    def type(self, keys):
        steps = []
        for key in keys:
            key = {"\n": ENTER}.get(key, key)
            steps += [{"type": "keyDown", "value": key}, {"type": "keyUp", "value": key}]
        self._actions({"type": "key", "id": "keyboard", "actions": steps})

    def press_with_control(self, key):
        self._actions({"type": "key", "id": "keyboard", "actions": [
            {"type": "keyDown", "value": CONTROL}, {"type": "keyDown", "value": key},
            {"type": "keyUp", "value": key}, {"type": "keyUp", "value": CONTROL}]})


def _to_remote(value):
    if value is None:
        return {"type": "null"}
    if isinstance(value, bool):
        return {"type": "boolean", "value": value}
    if isinstance(value, (int, float)):
        return {"type": "number", "value": value}
    if isinstance(value, str):
        return {"type": "string", "value": value}
    if isinstance(value, (list, tuple)):
        return {"type": "array", "value": [_to_remote(item) for item in value]}
    raise TypeError(f"no remote value for {value!r}")


def _from_remote(remote):
    kind = remote["type"]
    if kind in ("undefined", "null"):
        return None
    if kind in ("string", "number", "boolean"):
        return remote["value"]
    if kind == "array":
        return [_from_remote(item) for item in remote.get("value", [])]
    if kind == "object":
        return {key if isinstance(key, str) else _from_remote(key): _from_remote(value)
                for key, value in remote.get("value", [])}
    return remote  # a node or another handle, as BiDi gives it


WEBKIT_DRIVER = "/usr/bin/WebKitWebDriver"
MINIBROWSER = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"


class WebKitBrowser(_Headed, Browser):
    """WebKitGTK's MiniBrowser headed on its own X display, through webkit2gtk-driver
    (WebKitWebDriver) and python3-selenium. A held key comes from the X server: WebKitGTK drops
    the key-downs WebDriver repeats."""

    def __init__(self, width=1024, height=768):
        self.display = XDisplay()
        self._service = None
        try:
            # The driver is started here, on the display, as this selenium's WebKitGTK service
            # takes no environment of its own.
            with socket.socket() as probe:
                probe.bind(("127.0.0.1", 0))
                port = probe.getsockname()[1]
            self._service = subprocess.Popen([WEBKIT_DRIVER, f"--port={port}"], env=self.display.env,
                                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            address = f"http://127.0.0.1:{port}"
            wait_until(lambda: _answers(address + "/status"), f"WebKitWebDriver never answered on port {port}")
            options = webdriver.WebKitGTKOptions()
            options.binary_location = MINIBROWSER
            options.add_argument("--automation")
            options.add_argument(f"--geometry={width}x{height}")
            self.driver = webdriver.Remote(command_executor=address, options=options)
        except BaseException:
            self._stop()
            raise

    def _stop(self):
        if self._service:
            self._service.terminate()
            self._service.wait()
        self.display.close()

    def close(self):
        try:
            self.driver.quit()
        finally:
            self._stop()

    def type(self, keys):
        # WebKitWebDriver types "\n" as a line feed, not as the Enter key.
        super().type(keys.replace("\n", ENTER))


def _answers(url):
    try:
        with urllib.request.urlopen(url, timeout=5):
            return True
    except OSError:
        return False


def open_browser(engine="chromium", **options):
    """A browser of the engine named: "chromium", "firefox" or "webkit"."""
    return {"chromium": Browser, "firefox": FirefoxBrowser, "webkit": WebKitBrowser}[engine](**options)
